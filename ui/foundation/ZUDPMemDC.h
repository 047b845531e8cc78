#pragma once
// A flicker-free surface for one paint of a window: built on the stack
// with the paint DC at the start of painting, it offers a DC covering the
// window's client area (grown by the scroll positions); when it goes out of
// scope the picture reaches the target in one step.  It prefers the
// system's buffered painting (which can also make every pixel opaque for
// windows on glass) and otherwise draws into a compatible bitmap copied to
// the target's visible part at the end.  When neither can be had, GetDC()
// answers the target itself and painting goes straight to it.
#include "framework/win/Wnd.h"
#include "framework/win/DC.h"

#include <uxtheme.h>

class CZUDPMemDC {
public:
    // nAlpha: 0 leaves the drawn alpha as it is; otherwise buffered
    // painting sets it on every pixel before presenting.
    CZUDPMemDC(CDC& dc, CWnd* pWnd, BYTE nAlpha = 0);
    // For windows that repaint whole and often (a planner showing hundreds
    // of appointments): skips the system's buffered painting, which makes
    // and fills a new buffer on every paint on some systems, and draws
    // straight into the thread's kept memory bitmap.
    enum KeptSurface { keptSurface };
    CZUDPMemDC(CDC& dc, CWnd* pWnd, KeptSurface);
    virtual ~CZUDPMemDC();
    CZUDPMemDC(const CZUDPMemDC&) = delete;
    CZUDPMemDC& operator=(const CZUDPMemDC&) = delete;

    CDC& GetDC() { return m_memoryDCInUse ? m_drawingDC : m_targetDC; }
    BOOL IsMemDC() const { return m_memoryDCInUse; }
    BOOL IsBufferedPaint() const { return m_paintBuffer != nullptr; }
    const CRect& GetRect() const { return m_rect; }

    // Allows the memory-bitmap path (on unless switched off library-wide).
    static BOOL m_memoryBitmapAllowed;

protected:
    void BeginMemoryBitmap();

    CDC& m_targetDC;
    BOOL m_memoryDCInUse = FALSE;
    HPAINTBUFFER m_paintBuffer = nullptr;
    CDC m_drawingDC;
    CBitmap m_bitmap;
    CBitmap* m_previousBitmap = nullptr;
    BOOL m_scratchInUse = FALSE;  // m_drawingDC and m_bitmap are the thread's scratch
    int m_savedState = 0;         // SaveDC of the scratch DC for this paint
    CRect m_rect;
    BYTE m_alpha = 0;
};
