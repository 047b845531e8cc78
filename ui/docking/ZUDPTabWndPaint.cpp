// The tab window's drawing: the band and frame round the window area, the
// tabs (inactive ones from the last to the first, then the active one),
// the shared scroll bar's splitter, the resize bar and the outline of a
// dragged resize bar.  Everything is painted through the visual manager.
#include "ui/docking/ZUDPTabWnd.h"

#include "framework/win/DC.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

namespace {

void StrokeTabLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// Fills the bands of width b along the inside of r (the right one
// nRightWidth wide) and the gap between the window area and r's edge on
// the tabs' side, with the DC's brush.
void FillFrameBands(CDC* pDC, const CRect& r, int b, int nRightWidth, const CRect& rectWndArea, BOOL bOnTop)
{
    pDC->PatBlt(r.left, r.top, b, r.Height(), PATCOPY);
    pDC->PatBlt(r.left, r.top, r.Width(), b, PATCOPY);
    pDC->PatBlt(r.right - nRightWidth, r.top, nRightWidth, r.Height(), PATCOPY);
    pDC->PatBlt(r.left, r.bottom - b, r.Width(), b, PATCOPY);
    if (bOnTop)
        pDC->PatBlt(r.left, r.top, r.Width(), rectWndArea.top - r.top, PATCOPY);
    else
        pDC->PatBlt(r.left, rectWndArea.bottom, r.Width(), r.bottom - rectWndArea.bottom, PATCOPY);
}

} // namespace

void CZUDPTabWnd::OnPaint()
{
    CPaintDC dc(this);
    {
        CZUDPMemDC memDC(dc, this);
        Paint(&memDC.GetDC());
        // The tabs' windows paint themselves: the copy leaves them alone.
        if (memDC.IsMemDC())
            dc.ExcludeClipRect(&m_rectWndArea);
    }
}

void CZUDPTabWnd::OnPrintClient(CDC* pDC, UINT) { Paint(pDC); }

BOOL CZUDPTabWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_bTransparent || CountVisibleTabs() > 0)
        return TRUE;
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillRect(rectClient, &g_uiEnvironment.m_brushButtonFace);
    return TRUE;
}

void CZUDPTabWnd::Paint(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const int nSaved = pDC->SaveDC();
    const BOOL bOnTop = m_location == TabLocationTop;
    const CRect& strip = m_rectTabsArea;

    pDC->GetClipBox(m_rectCurrClip);
    COLORREF clrDark = 0, clrText = 0, clrHighlight = 0, clrFace = 0, clrDarkShadow = 0, clrLight = 0;
    CBrush* pbrFace = nullptr;
    CBrush* pbrText = nullptr;
    pManager->GetTabFrameColors(this, clrDark, clrText, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace,
                                pbrText);
    CPen penDark(PS_SOLID, 1, clrDark);
    CPen penText(PS_SOLID, 1, clrText);
    CPen penHighlight(PS_SOLID, 1, clrHighlight);
    if (pbrFace != nullptr)
        pDC->SelectObject(pbrFace);
    pDC->SelectObject(&penDark);

    CRect c;
    GetClientRect(&c);
    if (m_nResizeMode == ResizeBarRight)
        c.right -= m_rectResize.Width();
    else if (m_nResizeMode == ResizeBarBottom)
        c.bottom -= m_rectResize.Height();
    const int b = GetTabBorderSize();
    CRect band = c;
    if (bOnTop)
        band.bottom = strip.bottom;
    else
        band.top = strip.top;

    pDC->ExcludeClipRect(&m_rectWndArea);

    const BOOL bHandled = pManager->FillTabAreaWithTabColor(pDC, c, this);
    if (!m_bDrawFrame && !bHandled && pbrFace != nullptr)
        pDC->FillRect(c, pbrFace);
    pManager->FillTabsAreaBackground(pDC, band, this);

    // The frame round the window area.
    CRect r = c;
    if (b == 0) {
        if (bOnTop)
            r.top = strip.bottom - 1;
        else
            r.bottom = strip.top + 1;
        pDC->FrameRect(r, m_bFlat ? pbrText : pbrFace);
    } else {
        const int nEdge = bOnTop ? strip.bottom : strip.top;
        if (!m_bFlat) {
            if (bOnTop)
                r.top = strip.bottom;
            else
                r.bottom = strip.top;
        }
        if (!m_bFlatFrame) {
            if (m_bDrawFrame) {
                pDC->Draw3dRect(r, clrHighlight, clrDarkShadow);
                r.DeflateRect(1, 1);
                pDC->Draw3dRect(r, clrLight, clrDark);
                r.DeflateRect(1, 1);
                if (!bHandled && !r.IsRectEmpty()) {
                    FillFrameBands(pDC, r, b, b, m_rectWndArea, bOnTop);
                    if (m_bFlat) {
                        pDC->SelectObject(&penText);
                        StrokeTabLine(pDC, r.left + b, nEdge, r.right - b, nEdge);
                    }
                    if (b > 2)
                        r.DeflateRect(b - 2, b - 2);
                    if (!r.IsRectEmpty())
                        pDC->Draw3dRect(r, clrDarkShadow, clrHighlight);
                } else if (bHandled) {
                    r.DeflateRect(2, 2);
                }
            }
        } else {
            CRect f(c.left, r.top, c.right, r.bottom);
            if (m_bFlat) {
                if (bOnTop)
                    f.top = strip.bottom - 1;
                else
                    f.bottom = strip.top + 1;
            }
            r.DeflateRect(1, 1);
            if (m_bDrawFrame && !bHandled && !r.IsRectEmpty())
                FillFrameBands(pDC, r, b, b + 1, m_rectWndArea, bOnTop);
            if (m_bFlat) {
                pDC->SelectObject(&penText);
                StrokeTabLine(pDC, r.left + b, nEdge, r.right - b, nEdge);
            }
            if (GetTabHeight() == 0)
                pDC->Draw3dRect(f, clrFace, clrFace);
            else
                pManager->DrawTabFrame(pDC, this, f, m_bDrawFrame ? clrDark : clrFace,
                                       bOnTop ? &penHighlight : &penText);
        }
    }

    if (m_bTopEdge && bOnTop && (!m_bMiddleClickCloses || pManager->QueryMDITabsOption())) {
        pDC->SelectObject(&penDark);
        pDC->MoveTo(c.left, strip.bottom);
        pDC->LineTo(c.left, c.top);
        pDC->LineTo(c.right - 1, c.top);
        pDC->LineTo(c.right - 1, strip.bottom);
    }

    pDC->SelectObject(TabFont(FALSE));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(g_uiEnvironment.m_colorButtonText);

    if (strip.Width() >= 6 && strip.Height() >= 6) {
        CRect rectClip = strip;
        rectClip.InflateRect(1, b);
        pDC->LPtoDP(&rectClip);
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(&rectClip);

        // The visual manager restores the DC after each tab, so the strip's
        // clipping stays selected through the tabs.
        pDC->SelectClipRgn(&rgnClip);
        if (m_bFlat)
            pDC->SelectObject(&penText);
        for (int i = m_iTabsNum - 1; i >= 0; --i) {
            CZUDPTabInfo* pTab = m_arTabs[i];
            if (!pTab->m_bVisible || i == m_iActiveTab)
                continue;
            m_iCurTab = i;
            if (m_bFlat) {
                DrawTab(pDC, pTab, FALSE);
            } else {
                DrawTabClipped(pDC, pTab, FALSE);
            }
        }

        CZUDPTabInfo* pActive = GetTab(m_iActiveTab);
        if (pActive != nullptr) {
            pDC->SetTextColor(g_uiEnvironment.m_colorWindowText);
            m_iCurTab = m_iActiveTab;
            if (m_bFlat) {
                if (m_brActiveTab.m_hObject != nullptr)
                    pDC->SelectObject(&m_brActiveTab);
                pDC->SelectObject(&m_fntTabsBold);
                pDC->SetTextColor(GetActiveTabTextColor());
                pDC->SelectObject(&penText);
                DrawTab(pDC, pActive, TRUE);
                // The active flat tab joins the window area.
                const CRect& rectTab = pActive->m_rect;
                if (rectTab.right > strip.left + 1) {
                    CPen penJoin(PS_SOLID, 1, GetActiveTabBackColor());
                    pDC->SelectObject(&penJoin);
                    const int y = bOnTop ? rectTab.bottom : rectTab.top;
                    StrokeTabLine(pDC, std::max<int>(rectTab.left, strip.left) + 1, y, rectTab.right, y);
                    pDC->SelectObject(&penText);
                }
            } else {
                if (m_bIsActiveTabBold && !(IsMDITabStrip() && !m_bIsActiveInMDITabGroup))
                    pDC->SelectObject(&g_uiEnvironment.m_fontBold);
                DrawTabClipped(pDC, pActive, TRUE);
            }
        }
        pDC->SelectClipRgn(static_cast<CRgn*>(nullptr));
    }

    if (!m_rectTabSplitter.IsRectEmpty()) {
        CRect rectSplitter = m_rectTabSplitter;
        if (pbrFace != nullptr)
            pDC->FillRect(rectSplitter, pbrFace);
        pDC->Draw3dRect(rectSplitter, clrDarkShadow, clrDark);
        rectSplitter.DeflateRect(1, 1);
        pDC->Draw3dRect(rectSplitter, clrHighlight, clrDark);
    }

    if (m_bFlat && m_nTabsHorzOffset > 0) {
        pDC->SelectObject(&penText);
        if (bOnTop)
            StrokeTabLine(pDC, strip.left - 1, strip.bottom, strip.left - 1, strip.top + 2);
        else
            StrokeTabLine(pDC, strip.left - 1, strip.top + 1, strip.left - 1, strip.bottom - 2);
    }

    if (!m_rectResize.IsRectEmpty())
        pManager->DrawTabsAreaEdge(pDC, this, m_nResizeMode == ResizeBarRight, m_rectResize, pbrFace, &penDark);

    pDC->RestoreDC(nSaved);
}

void CZUDPTabWnd::DrawTabClipped(CDC* pDC, CZUDPTabInfo* pTab, BOOL bActive)
{
    if (pTab == nullptr || !pTab->m_bVisible)
        return;
    if ((m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7) && pTab->m_rect.left < m_rectTabsArea.left)
        return;
    CRect rectCommon;
    if (!m_rectCurrClip.IsRectEmpty() && !rectCommon.IntersectRect(m_rectCurrClip, pTab->m_rect))
        return;
    CZUDPVisualManager::GetActiveManager()->DrawTab(pDC, pTab->m_rect, m_iCurTab, bActive, this);
}

void CZUDPTabWnd::DrawTab(CDC* pDC, CZUDPTabInfo* pTab, BOOL bActive)
{
    if (pTab == nullptr || !pTab->m_bVisible)
        return;
    CZUDPVisualManager::GetActiveManager()->DrawTab(pDC, pTab->m_rect, m_iCurTab, bActive, this);
}

void CZUDPTabWnd::DrawTabDragRect(const CRect& rectNew, const CRect& rectOld)
{
    const CRect& rectTrack = rectNew.IsRectEmpty() ? rectOld : rectNew;
    const int nThickness =
        (m_nResizeMode == ResizeBarRight ? rectTrack.Width() : rectTrack.Height()) / 2 + 1;
    const CSize size(nThickness, nThickness);
    CWnd* pDesktop = CWnd::FromHandle(::GetDesktopWindow());
    CWindowDC dc(pDesktop);
    dc.DrawDragRect(&rectNew, size, &rectOld, size);
}
