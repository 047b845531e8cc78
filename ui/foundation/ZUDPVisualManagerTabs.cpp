// The visual manager's drawing of tabs and tab windows: the tab row's
// background, each tab's outline, fill, image, label and close button, the
// row's small buttons and the frame round the tab window.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/controls/ZUDPButton.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPTabOutline.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

const COLORREF kTabNoColor = (COLORREF)-1;

// A region of polygon points given in the DC's logical coordinates: clip
// regions are in device coordinates.
BOOL MakePolygonClip(CDC* pDC, const POINT* points, int count, CRgn& rgn)
{
    std::vector<POINT> device(points, points + count);
    pDC->LPtoDP(device.data(), count);
    return rgn.CreatePolygonRgn(device.data(), count, WINDING);
}

// Limits drawing to the polygon as well as to what was already allowed.
void ClipToPolygon(CDC* pDC, const POINT* points, int count)
{
    CRgn rgn;
    if (MakePolygonClip(pDC, points, count, rgn))
        pDC->SelectClipRgn(&rgn, RGN_AND);
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// The three pens of the tabs' outlines, kept from tab to tab (a strip
// draws many) and made again when their colour changed.
CPen& TabPen(int nIndex, COLORREF colour)
{
    struct KeptPen {
        CPen pen;
        COLORREF colour = (COLORREF)-1;
    };
    thread_local KeptPen kept[3];
    KeptPen& entry = kept[nIndex];
    if (entry.colour != colour || entry.pen.GetSafeHandle() == nullptr) {
        entry.pen.DeleteObject();
        entry.pen.CreatePen(PS_SOLID, 1, colour);
        entry.colour = colour;
    }
    return entry.pen;
}

// A slanted tab's outline (the points of its outline, tabs on top or at
// the bottom) with the pixels nGapFrom .. nGapTo - 1 of its slant left
// out; pixel k of the slant lies k pixels right of the slant's foot.  The
// slant runs at 45 degrees, so its two pieces hit exactly the pixels the
// whole line would.
void PolylineWithSlantGap(CDC* pDC, const POINT points[8], int nGapFrom, int nGapTo)
{
    if (nGapFrom >= nGapTo) {
        pDC->Polyline(points, 8);
        return;
    }
    const CPoint foot = points[2];
    const int dy = points[3].y > foot.y ? 1 : -1;
    pDC->MoveTo(points[0]);
    pDC->LineTo(points[1]);
    pDC->LineTo(foot);
    pDC->LineTo(foot.x + nGapFrom, foot.y + dy * nGapFrom);
    pDC->MoveTo(foot.x + nGapTo, foot.y + dy * nGapTo);
    for (int i = 3; i < 8; ++i)
        pDC->LineTo(points[i]);
}

// The caller's clipping while a tab's outline narrows it: a copy of the
// clip region taken before the first change and selected again to undo
// them, which costs a strip of many tabs far less than saving and
// restoring the whole DC for each tab.
class CallerClip {
public:
    explicit CallerClip(CDC* pDC) : m_hDC(pDC->GetSafeHdc()) {}
    ~CallerClip()
    {
        Restore();
        if (m_hSaved != nullptr)
            ::DeleteObject(m_hSaved);
    }
    CallerClip(const CallerClip&) = delete;
    CallerClip& operator=(const CallerClip&) = delete;

    // Call before each change of the clip.
    void WillChange()
    {
        if (m_hSaved == nullptr) {
            m_hSaved = ::CreateRectRgn(0, 0, 0, 0);
            m_bHadClip = m_hSaved != nullptr && ::GetClipRgn(m_hDC, m_hSaved) == 1;
        }
        m_bChanged = TRUE;
    }
    void Restore()
    {
        if (!m_bChanged)
            return;
        ::SelectClipRgn(m_hDC, m_bHadClip ? m_hSaved : nullptr);
        m_bChanged = FALSE;
    }

private:
    HDC m_hDC;
    HRGN m_hSaved = nullptr;
    BOOL m_bHadClip = FALSE;
    BOOL m_bChanged = FALSE;
};

} // namespace

void CZUDPVisualManager::FillTabsAreaBackground(CDC* pDC, CRect rect, CZUDPBaseTabWnd*)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
}

void CZUDPVisualManager::DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CZUDPBaseTabWnd* pTabWnd)
{
    if (pDC == nullptr || pTabWnd == nullptr)
        return;

    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    const int H = B - T;
    const COLORREF clrTab = pTabWnd->GetTabBackColor(iTab);
    const BOOL bOnTop = pTabWnd->GetTabLocation() == TabLocationTop;
    const BOOL bStyle4 = pTabWnd->IsStyleCode4();
    const BOOL bStyle5 = pTabWnd->IsStyleCode5();
    const BOOL bSlanted = bStyle4 || bStyle5;
    CRect rectStrip;
    pTabWnd->GetTabStripRect(rectStrip);

    CRect rectClip;
    pDC->GetClipBox(rectClip);
    // Everything the outline changes (clip, pen, brush) is undone before the
    // content is drawn.
    CRect rectContent = rectTab;

    CPen& penHighlight = TabPen(0, g_uiEnvironment.m_colorBarHighlight);
    CPen& penShadow = TabPen(1, g_uiEnvironment.m_colorBarShadow);
    CPen& penDark = TabPen(2, g_uiEnvironment.m_colorBarDarkShadow);

    if (pTabWnd->IsFlatStyle()) {
        const int savedForShape = pDC->SaveDC();
        POINT points[4];
        GetFlatTabOutline(rectTab, pTabWnd->GetTabHeight(), bOnTop, points, rectContent);
        CBrush brTab;
        if (!bIsActive && clrTab != kTabNoColor && brTab.CreateSolidBrush(clrTab))
            pDC->SelectObject(&brTab);
        pDC->Polygon(points, 4);
        pDC->RestoreDC(savedForShape);
    } else if (pTabWnd->IsStyleCode6Or7()) {
        const int savedForShape = pDC->SaveDC();
        std::vector<CPoint> points;
        int contentLeft = 0, contentRight = 0;
        GetRoundedTabOutline(rectTab, bOnTop, points, contentLeft, contentRight);
        rectContent.left = contentLeft;
        rectContent.right = contentRight;

        const int clipState = pDC->SaveDC();
        ClipToPolygon(pDC, points.data(), int(points.size()));
        CBrush brFill(clrTab == kTabNoColor ? g_uiEnvironment.m_colorButtonFace : clrTab);
        FillTab(pDC, rectTab, &brFill, iTab, bIsActive, pTabWnd);
        pDC->RestoreDC(clipState);

        // The outline: each pair of points is one stroke, drawn downwards so
        // that the lower end stays open; strokes on the right half sit one
        // pixel further in, inside the tab.
        pDC->SelectObject(&penShadow);
        const int middle = (L + R) / 2;
        for (size_t i = 0; i + 1 < points.size(); i += 2) {
            CPoint p1 = points[i], p2 = points[i + 1];
            if (p1.x > middle && p2.x > middle) {
                --p1.x;
                --p2.x;
            }
            if (p2.y < p1.y)
                std::swap(p1, p2);
            Line(pDC, p1.x, p1.y, p2.x, p2.y);
        }
        pDC->RestoreDC(savedForShape);
    } else {
        const int overlap = (bStyle4 && !bIsActive && iTab != 0) ? H : 0;
        if (rectStrip.right < L + overlap + 10 || rectStrip.left >= R - 10) {
            // Scrolled out of the strip: nothing of the tab shows.
            return;
        }
        CallerClip clip(pDC);
        CPen* pOldPen = nullptr;
        auto selectPen = [&](CPen& pen) {
            CPen* pOld = pDC->SelectObject(&pen);
            if (pOldPen == nullptr)
                pOldPen = pOld;
        };

        POINT points[8];
        BOOL bClipped = FALSE;
        if (bSlanted)
            bClipped = GetSlantedTabOutline(rectTab, bOnTop, rectStrip.right, points);

        if (clrTab != kTabNoColor || bSlanted || m_coloredInactiveTabs) {
            CBrush brFill(clrTab == kTabNoColor ? g_uiEnvironment.m_colorButtonFace : clrTab);
            if (bSlanted) {
                clip.WillChange();
                ClipToPolygon(pDC, points, 8);
                FillTab(pDC, rectTab, &brFill, iTab, bIsActive, pTabWnd);
                clip.Restore();
            } else {
                CRect rectFill = rectTab;
                rectFill.DeflateRect(1, 0);
                if (bOnTop)
                    rectFill.top += 1;
                else
                    rectFill.bottom -= 1;
                rectFill.right = std::min<int>(rectFill.right, rectStrip.right);
                FillTab(pDC, rectFill, &brFill, iTab, bIsActive, pTabWnd);
            }
        }

        // Far enough outside anything a tab row draws.
        const int farTop = std::min<int>(rectClip.top, T) - 2, farBottom = std::max<int>(rectClip.bottom, B) + 2;
        const int farLeft = std::min<int>(rectClip.left, L) - H - 2;
        const int farRight = std::max<int>(rectClip.right, R) + 2;

        if (bSlanted) {
            // Nothing of the outline reaches left of x = L or right of
            // x = R - 1, so the two outer cuts matter only where the strip
            // cuts the tab.
            if (L < rectStrip.left - 1) {
                clip.WillChange();
                pDC->ExcludeClipRect(farLeft, farTop, rectStrip.left - 1, farBottom);
            }
            // The slant lies over the right end of the previous tab: that
            // tab's outline is left alone in the box from x = L to
            // L + H - 10, short of the row (or two) next to the page.
            int nGapFrom = 0, nGapTo = 0;
            if (!bIsActive && iTab != 0 && iTab != pTabWnd->GetFirstScrolledTab() && H > 10) {
                const int edge = bStyle5 ? 2 : 1;
                if (bClipped) {
                    // A slant cut by the strip's end: the box as a clip.
                    clip.WillChange();
                    if (bOnTop)
                        pDC->ExcludeClipRect(L, T, L + H - 10, B - edge);
                    else
                        pDC->ExcludeClipRect(L, T + edge, L + H - 10, B);
                } else {
                    // The slant's pixels in the box, in place of the clip.
                    nGapFrom = edge + 1;
                    nGapTo = H - 12;
                }
            }
            PolylineWithSlantGap(pDC, points, nGapFrom, nGapTo);
            if (bClipped)
                Line(pDC, rectStrip.right, T, rectStrip.right, B);
            // Nothing more right of the tab, nor past the strip's end where
            // the strip cuts the tab (the inner lines would run on there).
            if (R > rectStrip.right + 1) {
                clip.WillChange();
                pDC->ExcludeClipRect(rectStrip.right + 1, farTop, farRight, farBottom);
            }

            if (bOnTop) {
                selectPen(penHighlight);
                // The inner slant, one pixel right of the outline's, with
                // its pixels in the box left out as well.
                const int nInnerGapTo = nGapTo - 1;
                if (nGapFrom < nInnerGapTo) {
                    Line(pDC, L + 3, B, L + 3 + nGapFrom, B - nGapFrom);
                    Line(pDC, L + 3 + nInnerGapTo, B - nInnerGapTo, L + H + 1, T + 2);
                } else {
                    Line(pDC, L + 3, B, L + H + 1, T + 2);
                }
                pDC->LineTo(L + H + 3, T + 2);
                Line(pDC, L + H + 3, T + 1, R - 1, T + 1);
                if (!bIsActive && !bClipped && m_3dTabHighlight) {
                    selectPen(penShadow);
                    Line(pDC, R - 2, T + 1, R - 1, T + 1);
                }
                Line(pDC, R - 1, T + 2, R - 1, B);
            } else if (!bClipped) {
                selectPen(penHighlight);
                Line(pDC, R - 1, B - 3, R - 1, bIsActive ? T - 2 : T - 1);
            }
        } else {
            if (rectStrip.right < R) {
                clip.WillChange();
                pDC->ExcludeClipRect(rectStrip.right, farTop, farRight, farBottom);
            }
            CPen& penLight = m_3dTabHighlight ? penHighlight : penShadow;
            CPen& penDarkSide = m_3dTabHighlight ? penDark : penShadow;
            const int bottomRight = bIsActive ? B : B - 1;
            if (bOnTop) {
                selectPen(penDarkSide);
                Line(pDC, R, bottomRight, R, T + 2);
                pDC->LineTo(R - 2, T);
                selectPen(penLight);
                pDC->LineTo(L + 2, T);
                pDC->LineTo(L, T + 2);
                pDC->LineTo(L, B);
                if (m_3dTabHighlight) {
                    selectPen(penShadow);
                    Line(pDC, R - 1, bottomRight, R - 1, T + 1);
                }
            } else {
                selectPen(penLight);
                Line(pDC, L, T, L, B - 2);
                selectPen(penDarkSide);
                pDC->LineTo(L + 2, B);
                pDC->LineTo(R - 2, B);
                pDC->LineTo(R, B - 2);
                pDC->LineTo(R, T - 1);
                if (m_3dTabHighlight) {
                    selectPen(penShadow);
                    Line(pDC, L + 3, B - 1, R - 2, B - 1);
                    pDC->LineTo(R - 1, B - 2);
                    pDC->LineTo(R - 1, T - 1);
                }
            }
        }
        if (pOldPen != nullptr)
            pDC->SelectObject(pOldPen);
        clip.Restore();

        if (bIsActive) {
            // The band that joins the active tab to its page.
            CRect rectBand(L, bOnTop ? B : T - 2, R, bOnTop ? B + 2 : T);
            if (bStyle5) {
                rectBand.left += 3;
            } else if (bStyle4) {
                rectBand.OffsetRect(1, 0);
                rectBand.left += 1;
            }
            if (clrTab != kTabNoColor)
                pDC->FillSolidRect(rectBand, clrTab);
            else if (bSlanted)
                pDC->FillSolidRect(rectBand, g_uiEnvironment.m_colorWindow);
            else
                pDC->FillRect(rectBand, &g_uiEnvironment.m_brushBarFace);
        }

        if (bSlanted) {
            const BOOL bShortSlant = bStyle5 && bIsActive;
            rectContent.left += bShortSlant ? 3 * H / 4 : H;
            rectContent.right -= bShortSlant ? 3 * g_tabImageMargin / 4 : g_tabImageMargin;
            if (bShortSlant && pTabWnd->TabHasImage(iTab))
                rectContent.OffsetRect(g_tabImageMargin, 0);
        }
    }

    // The content, clipped as the caller had it (every shape above has
    // restored the caller's clipping).
    COLORREF clrOldText = pDC->GetTextColor();
    if (!bIsActive) {
        const COLORREF clrOwnText = pTabWnd->GetTabTextColor(iTab);
        if (clrOwnText != kTabNoColor)
            pDC->SetTextColor(clrOwnText);
    }
    if (bSlanted)
        rectContent.right = std::min<int>(rectContent.right, rectStrip.right - 2);
    DrawTabContent(pDC, rectContent, iTab, bIsActive, pTabWnd, kTabNoColor);
    pDC->SetTextColor(clrOldText);
}

void CZUDPVisualManager::FillTab(CDC* pDC, CRect rect, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                 CZUDPBaseTabWnd* pTabWnd)
{
    if (pDC == nullptr)
        return;
    CBrush* pBrush = pbrFill;
    if (pTabWnd != nullptr && bIsActive && !g_uiEnvironment.IsContrastColorScheme() &&
        (pTabWnd->IsStyleCode4() || pTabWnd->IsStyleCode5() || pTabWnd->IsStyleCode6Or7()) &&
        pTabWnd->GetTabBackColor(iTab) == kTabNoColor)
        pBrush = &g_uiEnvironment.m_brushWindow;
    if (pBrush != nullptr)
        pDC->FillRect(rect, pBrush);
}

void CZUDPVisualManager::DrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CZUDPBaseTabWnd* pTabWnd,
                                        COLORREF clrText)
{
    if (pDC == nullptr || pTabWnd == nullptr)
        return;

    if (bIsActive && pTabWnd->IsCloseOnActiveTab()) {
        rectTab.right = pTabWnd->m_rectCloseButton.left;
        DrawTabCloseButton(pDC, pTabWnd->m_rectCloseButton, pTabWnd, pTabWnd->m_bCloseHighlighted,
                           pTabWnd->m_bClosePressed, FALSE);
    }

    CString strLabel;
    pTabWnd->GetTabLabelText(iTab, strLabel);
    const UINT noPrefix = pTabWnd->m_bNoPrefix ? DT_NOPREFIX : 0;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);

    if (pTabWnd->IsFlatStyle()) {
        pDC->DrawText(strLabel, rectTab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | noPrefix);
        pDC->SetBkMode(oldMode);
        return;
    }

    const int imageWidth = pTabWnd->TabHasImage(iTab) ? pTabWnd->GetImageSize().cx : 0;
    if (imageWidth > 0 && rectTab.Width() >= imageWidth + 2 * g_tabImageMargin) {
        const HICON hIcon = pTabWnd->GetTabIconHandle(iTab);
        const int x = rectTab.left + 4;
        if (hIcon != nullptr) {
            // At the image size the layout reserved, whatever the icon's own
            // size: a large icon would run over the label and the next tab.
            const CSize size = pTabWnd->GetImageSize();
            ::DrawIconEx(pDC->GetSafeHdc(), x, rectTab.top + (rectTab.Height() - size.cy) / 2, hIcon, size.cx,
                         size.cy, 0, nullptr, DI_NORMAL);
        } else if (pTabWnd->GetImageListHandle() != nullptr) {
            const int y = rectTab.top + (rectTab.Height() - pTabWnd->GetImageSize().cy) / 2;
            ImageList_Draw(pTabWnd->GetImageListHandle(), pTabWnd->GetTabImageIndex(iTab), pDC->GetSafeHdc(), x, y,
                           ILD_TRANSPARENT);
        }
    }

    const BOOL bStyle45 = pTabWnd->IsStyleCode4() || pTabWnd->IsStyleCode5();
    CRect rectLabel = rectTab;
    rectLabel.left += imageWidth + 6;
    if (rectLabel.Width() < 2 * imageWidth && !pTabWnd->IsStyleCode6Or7())
        rectLabel.right -= 3;

    if (clrText == kTabNoColor)
        clrText = GetTabTextColor(pTabWnd, iTab, bIsActive);
    const COLORREF clrOld = pDC->GetTextColor();
    if (clrText != kTabNoColor)
        pDC->SetTextColor(clrText);
    pDC->DrawText(strLabel, rectLabel,
                  DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | (bStyle45 ? DT_CENTER : 0) | noPrefix);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(oldMode);
}

void CZUDPVisualManager::DrawTabCloseButton(CDC* pDC, CRect rect, CZUDPBaseTabWnd*, BOOL bIsHighlighted,
                                            BOOL bIsPressed, BOOL)
{
    if (pDC == nullptr)
        return;
    if (bIsHighlighted)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    DrawMenuGlyphCentered(pDC, MenuGlyphClose, rect, MenuGlyphColorBlack);
    if (bIsHighlighted) {
        if (bIsPressed)
            pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarHighlight);
        else
            pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarDarkShadow);
    }
}

void CZUDPVisualManager::FillTabButton(CDC* pDC, CRect rect, CZUDPButton*, CZUDPBaseTabWnd*)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
}

void CZUDPVisualManager::DrawTabButtonBorder(CDC* pDC, CRect& rect, CZUDPButton* pButton, UINT uiState,
                                             CZUDPBaseTabWnd*)
{
    if (pDC == nullptr)
        return;
    const BOOL bPushedHot = pButton != nullptr && pButton->m_bDown && pButton->m_bHot;
    if (bPushedHot || (uiState & ODS_SELECTED) != 0) {
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarHighlight);
        rect.left += 2;
        rect.top += 2;
    } else {
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarDarkShadow);
    }
    rect.DeflateRect(2, 2);
}

void CZUDPVisualManager::DrawTabsAreaEdge(CDC* pDC, CZUDPBaseTabWnd*, BOOL bIsVertical, CRect rect, CBrush* pbrFace,
                                          CPen* pPen)
{
    if (pDC == nullptr)
        return;
    if (pbrFace != nullptr)
        pDC->FillRect(rect, pbrFace);
    CPen* pOldPen = pPen != nullptr ? pDC->SelectObject(pPen) : nullptr;
    pDC->MoveTo(rect.left, rect.top);
    if (bIsVertical)
        pDC->LineTo(rect.left, rect.bottom);
    else
        pDC->LineTo(rect.right, rect.top);
    if (pOldPen != nullptr)
        pDC->SelectObject(pOldPen);
}

void CZUDPVisualManager::GetTabFrameColors(CZUDPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                           COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                           COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    const BOOL bInDialog = pTabWnd != nullptr && pTabWnd->m_bInDialog;
    const BOOL bStyle4 = pTabWnd != nullptr && pTabWnd->IsStyleCode4();
    const BOOL bStyle5 = pTabWnd != nullptr && pTabWnd->IsStyleCode5();

    const COLORREF clrActive =
        (pTabWnd != nullptr && pTabWnd->GetActiveTabIndex() >= 0) ? pTabWnd->GetTabBackColor(pTabWnd->GetActiveTabIndex())
                                                                  : kTabNoColor;
    if (bStyle4 && clrActive != kTabNoColor)
        clrFace = clrActive;
    else
        clrFace = bInDialog ? g_uiEnvironment.m_colorButtonFace : g_uiEnvironment.m_colorBarFace;

    if (bInDialog && !pTabWnd->IsVisualManagerStyle()) {
        clrDark = g_uiEnvironment.m_colorButtonShadow;
        clrBlack = g_uiEnvironment.m_colorButtonText;
        clrHighlight = bStyle5 ? g_uiEnvironment.m_colorButtonShadow : g_uiEnvironment.m_colorButtonHighlight;
        clrDarkShadow = g_uiEnvironment.m_colorDarkShadow;
        clrLight = g_uiEnvironment.m_colorLight;
        pbrFace = &g_uiEnvironment.m_brushButtonFace;
    } else {
        clrDark = g_uiEnvironment.m_colorBarShadow;
        clrBlack = g_uiEnvironment.m_colorBarText;
        clrHighlight = bStyle5 ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorBarHighlight;
        clrDarkShadow = g_uiEnvironment.m_colorBarDarkShadow;
        clrLight = g_uiEnvironment.m_colorBarLight;
        pbrFace = &g_uiEnvironment.m_brushBarFace;
    }
    pbrBlack = &g_uiEnvironment.m_brushDarkShadow;
}

void CZUDPVisualManager::DrawTabFrame(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, CRect rect, COLORREF clrDark, CPen* pPen)
{
    if (pDC == nullptr)
        return;
    pDC->Draw3dRect(rect, clrDark, clrDark);
    if (pTabWnd == nullptr || pTabWnd->IsStyleCode4())
        return;
    // The line under the tabs, short of the window's border unless the tab
    // window keeps it full length.
    int left = rect.left, right = rect.right - 1;
    if (!pTabWnd->m_bFullLengthLine) {
        left += pTabWnd->GetTabBorderSize();
        right -= pTabWnd->GetTabBorderSize();
    }
    const int y = pTabWnd->GetTabLocation() == TabLocationTop ? rect.top : rect.bottom - 1;
    CPen* pOldPen = pPen != nullptr ? pDC->SelectObject(pPen) : nullptr;
    Line(pDC, left, y, right, y);
    if (pOldPen != nullptr)
        pDC->SelectObject(pOldPen);
}

BOOL CZUDPVisualManager::FillTabAreaWithTabColor(CDC* pDC, CRect rect, CZUDPBaseTabWnd* pTabWnd)
{
    if (pDC == nullptr || pTabWnd == nullptr)
        return FALSE;
    const int iActive = pTabWnd->GetActiveTabIndex();
    const COLORREF clr = iActive >= 0 ? pTabWnd->GetTabBackColor(iActive) : kTabNoColor;
    if (clr == kTabNoColor)
        return FALSE;
    pDC->FillSolidRect(rect, clr);
    return TRUE;
}
