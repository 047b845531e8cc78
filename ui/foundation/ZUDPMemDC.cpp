#include "ui/foundation/ZUDPMemDC.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

BOOL CZUDPMemDC::m_memoryBitmapAllowed = TRUE;

namespace {

// The memory bitmap of the last paint on this thread, kept for the next one
// of the same size and depth, and the memory DC that draws into it: a new
// bitmap costs far more to make and touch than the paint itself, and a new
// DC has to find its font again before its first text.  Each paint gets
// the DC with the state it had when it was made (SaveDC/RestoreDC around
// the paint); between paints the bitmap is out of the DC.  A paint that finds them busy (a paint inside a paint) makes
// its own.
struct CScratchBitmap {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ original = nullptr;  // the DC's own bitmap, selected between paints
    int width = 0, height = 0, bitsPerPixel = 0;
    bool busy = false;
    ~CScratchBitmap()
    {
        if (dc != nullptr)
            ::DeleteDC(dc);
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    }
};

thread_local CScratchBitmap t_scratchBitmap;

// The depth of a bitmap compatible with the DC: that of the bitmap a memory
// DC holds, else the screen's (asking the device itself is slow on some
// systems).
int CompatibleDepth(CDC& dc)
{
    HDC hdc = dc.GetSafeHdc();
    if (::GetObjectType(hdc) == OBJ_MEMDC) {
        BITMAP bitmap = {};
        HGDIOBJ selected = ::GetCurrentObject(hdc, OBJ_BITMAP);
        if (selected != nullptr && ::GetObjectA(selected, sizeof(bitmap), &bitmap) != 0)
            return bitmap.bmBitsPixel * bitmap.bmPlanes;
    }
    return g_uiEnvironment.m_bitsPerPixel;
}

} // namespace

CZUDPMemDC::CZUDPMemDC(CDC& dc, CWnd* pWnd, BYTE nAlpha) : m_targetDC(dc), m_alpha(nAlpha)
{
    m_rect.SetRectEmpty();
    if (AfxSafeHwnd(pWnd) != nullptr) {
        pWnd->GetClientRect(&m_rect);
        m_rect.right += ::GetScrollPos(AfxSafeHwnd(pWnd), SB_HORZ);
        m_rect.bottom += ::GetScrollPos(AfxSafeHwnd(pWnd), SB_VERT);
    }

    if (g_uiEnvironment.m_beginBufferedPaint != nullptr && g_uiEnvironment.m_endBufferedPaint != nullptr) {
        HDC hBufferDC = nullptr;
        m_paintBuffer = g_uiEnvironment.m_beginBufferedPaint(dc.GetSafeHdc(), &m_rect, BPBF_TOPDOWNDIB, nullptr,
                                                             &hBufferDC);
        if (m_paintBuffer != nullptr && hBufferDC != nullptr) {
            m_memoryDCInUse = TRUE;
            m_drawingDC.Attach(hBufferDC);
            return;
        }
        // A paint buffer that could not be had: the compatible bitmap below
        // still spares the window its flicker.
        if (m_paintBuffer != nullptr)
            g_uiEnvironment.m_endBufferedPaint(m_paintBuffer, FALSE);
        m_paintBuffer = nullptr;
    }

    BeginMemoryBitmap();
}

CZUDPMemDC::CZUDPMemDC(CDC& dc, CWnd* pWnd, KeptSurface) : m_targetDC(dc)
{
    m_rect.SetRectEmpty();
    if (AfxSafeHwnd(pWnd) != nullptr) {
        pWnd->GetClientRect(&m_rect);
        m_rect.right += ::GetScrollPos(AfxSafeHwnd(pWnd), SB_HORZ);
        m_rect.bottom += ::GetScrollPos(AfxSafeHwnd(pWnd), SB_VERT);
    }
    BeginMemoryBitmap();
}

void CZUDPMemDC::BeginMemoryBitmap()
{
    CDC& dc = m_targetDC;
    if (!m_memoryBitmapAllowed || m_rect.IsRectEmpty())
        return;
    CScratchBitmap& scratch = t_scratchBitmap;
    const int depth = CompatibleDepth(dc);
    if (!scratch.busy && scratch.dc != nullptr && scratch.bitmap != nullptr && scratch.width == m_rect.Width() &&
        scratch.height == m_rect.Height() && scratch.bitsPerPixel == depth) {
        // The thread's DC and bitmap.
        ::SelectObject(scratch.dc, scratch.bitmap);
        m_savedState = ::SaveDC(scratch.dc);
        if (m_savedState != 0) {
            scratch.busy = true;
            m_scratchInUse = TRUE;
            m_memoryDCInUse = TRUE;
            m_drawingDC.Attach(scratch.dc);
            return;
        }
    }
    if (!m_drawingDC.CreateCompatibleDC(&dc))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(&dc, m_rect.Width(), m_rect.Height())) {
        m_drawingDC.DeleteDC();
        return;
    }
    m_memoryDCInUse = TRUE;
    m_previousBitmap = m_drawingDC.SelectObject(&m_bitmap);
    if (!scratch.busy) {
        // This DC and bitmap become the thread's scratch from now on.
        m_savedState = ::SaveDC(m_drawingDC.GetSafeHdc());
        if (m_savedState != 0) {
            if (scratch.dc != nullptr)
                ::DeleteDC(scratch.dc);
            if (scratch.bitmap != nullptr)
                ::DeleteObject(scratch.bitmap);
            scratch.dc = m_drawingDC.GetSafeHdc();
            scratch.original = m_previousBitmap != nullptr ? m_previousBitmap->GetSafeHandle() : nullptr;
            scratch.bitmap = (HBITMAP)m_bitmap.m_hObject;
            scratch.width = m_rect.Width();
            scratch.height = m_rect.Height();
            scratch.bitsPerPixel = depth;
            scratch.busy = true;
            m_scratchInUse = TRUE;
        }
    }
}

CZUDPMemDC::~CZUDPMemDC()
{
    if (m_paintBuffer != nullptr) {
        // The DC belongs to the paint buffer.
        m_drawingDC.Detach();
        if (m_alpha != 0 && g_uiEnvironment.m_bufferedPaintSetAlpha != nullptr)
            g_uiEnvironment.m_bufferedPaintSetAlpha(m_paintBuffer, nullptr, m_alpha);
        g_uiEnvironment.m_endBufferedPaint(m_paintBuffer, TRUE);
        m_paintBuffer = nullptr;
    } else if (m_memoryDCInUse) {
        CRect clip;
        switch (m_targetDC.GetClipBox(&clip)) {
        case NULLREGION:
            break;
        case SIMPLEREGION:
            m_targetDC.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &m_drawingDC, clip.left, clip.top,
                              SRCCOPY);
            break;
        default:
            m_targetDC.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_drawingDC, m_rect.left,
                              m_rect.top, SRCCOPY);
            break;
        }
        if (!m_scratchInUse)
            m_drawingDC.SelectObject(m_previousBitmap);
    }
    if (m_scratchInUse) {
        // The thread's scratch keeps the DC (back in its state from before
        // the paint) and the bitmap.
        ::RestoreDC(m_drawingDC.GetSafeHdc(), m_savedState);
        ::SelectObject(m_drawingDC.GetSafeHdc(), t_scratchBitmap.original);
        m_drawingDC.Detach();
        m_bitmap.m_hObject = nullptr;
        t_scratchBitmap.busy = false;
    }
    m_bitmap.DeleteObject();
    m_drawingDC.DeleteDC();
}
