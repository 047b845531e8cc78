#include "ui/foundation/ZUDPMemDC.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

BOOL CZUDPMemDC::m_memoryBitmapAllowed = TRUE;

namespace {

// The memory bitmap of the last paint on this thread, kept for the next one
// of the same size and depth: a new bitmap costs far more to make and touch
// than the paint itself.  A paint that finds it busy (a paint inside a
// paint) makes its own.
struct CScratchBitmap {
    HBITMAP bitmap = nullptr;
    int width = 0, height = 0, bitsPerPixel = 0;
    bool busy = false;
    ~CScratchBitmap()
    {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    }
};

thread_local CScratchBitmap t_scratchBitmap;

} // namespace

CZUDPMemDC::CZUDPMemDC(CDC& dc, CWnd* pWnd, BYTE nAlpha) : m_targetDC(dc), m_alpha(nAlpha)
{
    m_rect.SetRectEmpty();
    if (pWnd->GetSafeHwnd() != nullptr) {
        pWnd->GetClientRect(&m_rect);
        m_rect.right += ::GetScrollPos(pWnd->GetSafeHwnd(), SB_HORZ);
        m_rect.bottom += ::GetScrollPos(pWnd->GetSafeHwnd(), SB_VERT);
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

    if (m_memoryBitmapAllowed && !m_rect.IsRectEmpty() && m_drawingDC.CreateCompatibleDC(&dc)) {
        CScratchBitmap& scratch = t_scratchBitmap;
        const int depth = dc.GetDeviceCaps(BITSPIXEL);
        if (!scratch.busy && scratch.bitmap != nullptr && scratch.width == m_rect.Width() &&
            scratch.height == m_rect.Height() && scratch.bitsPerPixel == depth) {
            scratch.busy = true;
            m_bitmap.m_hObject = scratch.bitmap;  // borrowed: detached again at the end
            m_scratchInUse = TRUE;
        } else if (m_bitmap.CreateCompatibleBitmap(&dc, m_rect.Width(), m_rect.Height())) {
            if (!scratch.busy) {
                // This bitmap becomes the thread's scratch once the paint ends.
                if (scratch.bitmap != nullptr)
                    ::DeleteObject(scratch.bitmap);
                scratch.bitmap = (HBITMAP)m_bitmap.m_hObject;
                scratch.width = m_rect.Width();
                scratch.height = m_rect.Height();
                scratch.bitsPerPixel = depth;
                scratch.busy = true;
                m_scratchInUse = TRUE;
            }
        }
        if (m_bitmap.m_hObject != nullptr) {
            m_memoryDCInUse = TRUE;
            m_previousBitmap = m_drawingDC.SelectObject(&m_bitmap);
        } else {
            m_drawingDC.DeleteDC();
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
        m_drawingDC.SelectObject(m_previousBitmap);
    }
    if (m_scratchInUse) {
        m_bitmap.m_hObject = nullptr;  // the thread's scratch keeps it
        t_scratchBitmap.busy = false;
    }
    m_bitmap.DeleteObject();
    m_drawingDC.DeleteDC();
}
