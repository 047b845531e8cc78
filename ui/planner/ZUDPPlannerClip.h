#pragma once
// A clip of the planner's painting for a scope: the DC's clip region as
// it was is kept, narrowed while the scope lasts and put back at its end
// (or on Restore), so a view's clipping never widens or drops a clip its
// caller set.
#include "framework/win/DC.h"
#include "framework/win/GdiObject.h"

class CPlannerClip {
public:
    explicit CPlannerClip(CDC* pDC) : m_pDC(pDC)
    {
        if (m_pDC == nullptr || m_pDC->GetSafeHdc() == nullptr)
            return;
        m_saved.CreateRectRgn(0, 0, 0, 0);
        // 1: the DC has a clip region, 0: none (the whole surface).
        m_hadClip = ::GetClipRgn(m_pDC->GetSafeHdc(), static_cast<HRGN>(m_saved.GetSafeHandle())) == 1;
        m_ready = true;
    }
    ~CPlannerClip() { Restore(); }
    CPlannerClip(const CPlannerClip&) = delete;
    CPlannerClip& operator=(const CPlannerClip&) = delete;

    void Intersect(CRgn& region)
    {
        if (m_ready && region.GetSafeHandle() != nullptr)
            ::ExtSelectClipRgn(m_pDC->GetSafeHdc(), static_cast<HRGN>(region.GetSafeHandle()), RGN_AND);
    }
    void Intersect(const CRect& rect)
    {
        if (m_ready)
            m_pDC->IntersectClipRect(rect);
    }
    // Back to the clip the DC had.
    void Restore()
    {
        if (!m_ready)
            return;
        ::SelectClipRgn(m_pDC->GetSafeHdc(), m_hadClip ? static_cast<HRGN>(m_saved.GetSafeHandle()) : nullptr);
    }

private:
    CDC* m_pDC;
    CRgn m_saved;
    bool m_hadClip = false;
    bool m_ready = false;
};
