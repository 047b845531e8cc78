#pragma once
// A clip of the planner's painting for a scope: the DC's clip region as
// it was is kept, narrowed while the scope lasts and put back at its end
// (or on Restore), so a view's clipping never widens or drops a clip its
// caller set.
//
// Also the pieces the views' appointment boxes share: the frame and the
// widths of the time texts, measured once per surface and font.
#include "framework/win/DC.h"
#include "framework/OleDateTime.h"
#include "framework/String.h"
#include "framework/win/GdiObject.h"

class CPlannerClip {
public:
    // Nothing is asked of the DC until the first narrowing: most boxes are
    // never clipped, and saving and putting back a clip costs four calls.
    explicit CPlannerClip(CDC* pDC) : m_pDC(pDC) {}
    ~CPlannerClip() { Restore(); }
    CPlannerClip(const CPlannerClip&) = delete;
    CPlannerClip& operator=(const CPlannerClip&) = delete;

    void Intersect(CRgn& region)
    {
        if (region.GetSafeHandle() != nullptr && Save())
            ::ExtSelectClipRgn(m_pDC->GetSafeHdc(), static_cast<HRGN>(region.GetSafeHandle()), RGN_AND);
    }
    void Intersect(const CRect& rect)
    {
        if (Save())
            m_pDC->IntersectClipRect(rect);
    }
    // Back to the clip the DC had (nothing when it was never narrowed).
    void Restore()
    {
        if (!m_saved)
            return;
        ::SelectClipRgn(m_pDC->GetSafeHdc(), m_hadClip ? static_cast<HRGN>(m_region.GetSafeHandle()) : nullptr);
    }

private:
    bool Save()
    {
        if (m_saved)
            return true;
        if (m_pDC == nullptr || m_pDC->GetSafeHdc() == nullptr)
            return false;
        m_region.CreateRectRgn(0, 0, 0, 0);
        // 1: the DC has a clip region, 0: none (the whole surface).
        m_hadClip = ::GetClipRgn(m_pDC->GetSafeHdc(), static_cast<HRGN>(m_region.GetSafeHandle())) == 1;
        m_saved = true;
        return true;
    }

    CDC* m_pDC;
    CRgn m_region;
    bool m_hadClip = false;
    bool m_saved = false;
};

// A frame as CDC::Draw3dRect draws it (the same four fills), with one
// colour change per colour instead of one per side.
inline void PlannerFrameRect(CDC* pDC, const CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    HDC hdc = pDC->GetSafeHdc();
    const int x = rect.left, y = rect.top, cx = rect.Width(), cy = rect.Height();
    const COLORREF old = ::SetBkColor(hdc, clrTopLeft);
    RECT side = {x, y, x + cx - 1, y + 1};
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &side, nullptr, 0, nullptr);
    side = {x, y, x + 1, y + cy - 1};
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &side, nullptr, 0, nullptr);
    if (clrBottomRight != clrTopLeft)
        ::SetBkColor(hdc, clrBottomRight);
    side = {x + cx, y, x + cx - 1, y + cy};
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &side, nullptr, 0, nullptr);
    side = {x, y + cy, x + cx, y + cy - 1};
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &side, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

// The widths every box of a paint measures alike: the widest time text of
// the locale's clock ("23:59", with the designator on a 12-hour clock), a
// space and the line height, kept while the surface, its font and the
// clock's text stay the same.
class CPlannerBoxText {
public:
    // sample: the picture of the widest time (COleDateTime::Format).
    void Measure(CDC* pDC, const CString& sample)
    {
        HDC hdc = pDC->GetSafeHdc();
        HGDIOBJ font = ::GetCurrentObject(hdc, OBJ_FONT);
        if (m_valid && hdc == m_hdc && font == m_font && sample == m_sample)
            return;
        m_hdc = hdc;
        m_font = font;
        m_sample = sample;
        m_timeWidth = pDC->GetTextExtent(COleDateTime(2005, 1, 1, 23, 59, 0).Format(sample)).cx;
        m_spaceWidth = pDC->GetTextExtent(" ", 1).cx;
        TEXTMETRIC tm = {};
        pDC->GetTextMetrics(&tm);
        m_lineHeight = tm.tmHeight;
        m_valid = true;
    }
    // Measured anew at the next box (a paint begins, fonts may have been
    // made again).
    void Forget() { m_valid = false; }

    int TimeWidth() const { return m_timeWidth; }
    int SpaceWidth() const { return m_spaceWidth; }
    int LineHeight() const { return m_lineHeight; }

private:
    HDC m_hdc = nullptr;
    HGDIOBJ m_font = nullptr;
    CString m_sample;
    int m_timeWidth = 0;
    int m_spaceWidth = 0;
    int m_lineHeight = 0;
    bool m_valid = false;
};
