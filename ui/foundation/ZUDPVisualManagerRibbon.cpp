// The visual manager's drawing of ribbon elements: category tabs, the
// category's frame and scroll buttons, panels and their captions, launch
// and collapsed-panel buttons, ribbon buttons with their menu parts,
// caption buttons, key tips, separators, colour swatches, marks and the
// colours of context categories.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"
#include "ui/ribbon/ZUDPRibbonBar.h"
#include "ui/ribbon/ZUDPRibbonElements.h"

#include <algorithm>

namespace {

const COLORREF kRibbonNoColor = (COLORREF)-1;

void RibbonLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOld);
}

BOOL FewColors()
{
    return g_uiEnvironment.m_bitsPerPixel <= 8 || g_uiEnvironment.IsContrastColorScheme();
}

} // namespace

COLORREF CZUDPVisualManager::DrawRibbonHorizontalLine(CDC* pDC, CZUDPBaseRibbonElement*, int x1, int y, int x2)
{
    if (pDC != nullptr)
        RibbonLine(pDC, x1, y, x2, y, g_uiEnvironment.m_colorBarShadow);
    return kRibbonNoColor;
}

void CZUDPVisualManager::DrawRibbonMainButton(CDC* pDC, CZUDPBaseRibbonElement* pElement)
{
    if (pDC == nullptr || pElement == nullptr)
        return;
    CRect rect = pElement->m_rect;
    rect.DeflateRect(2, 2);
    CBrush brush((pElement->IsPressed() || pElement->IsDroppedDown()) ? g_uiEnvironment.m_colorBarLight
                                                                        : g_uiEnvironment.m_colorBarFace);
    CPen pen(PS_SOLID, 1,
             (pElement->IsHighlighted() || pElement->IsFocused()) ? g_uiEnvironment.m_colorBarDarkShadow
                                                                   : g_uiEnvironment.m_colorBarShadow);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Ellipse(rect);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CZUDPVisualManager::DrawRibbonCategoryBorder(CDC* pDC, CZUDPRibbonCategory* pCategory, CRect rect)
{
    if (pDC == nullptr)
        return;
    rect.right -= 2;
    rect.bottom -= 2;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);

    CPen pen(PS_SOLID, 1, g_uiEnvironment.m_colorBarShadow);
    CPen* pOld = pDC->SelectObject(&pen);
    const CRect rectTab = pCategory != nullptr ? pCategory->m_rectTab : CRect();
    // The top edge leaves a gap under the active tab, which opens into the
    // category.
    pDC->MoveTo(rect.left, rect.top);
    if (!rectTab.IsRectEmpty()) {
        pDC->LineTo(rectTab.left + 1, rect.top);
        pDC->MoveTo(rectTab.right - 2, rect.top);
    }
    pDC->LineTo(rect.right - 1, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.top);
    pDC->SelectObject(pOld);

    CZUDPDrawManager(*pDC).DrawDropShadow(rect, 2, 100, 75, nullptr, nullptr, m_colorMenuShadowBase, TRUE);
}

void CZUDPVisualManager::DrawRibbonCategoryScroll(CDC* pDC, CZUDPRibbonCategoryScroll* pScroll)
{
    if (pDC == nullptr || pScroll == nullptr)
        return;
    CRect rect = pScroll->m_rect;
    rect.bottom -= 1;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    if (pScroll->IsHighlighted())
        CZUDPDrawManager(*pDC).TintRect(rect, -1);
    BOOL bLeft = pScroll->m_bIsLeft;
    if (g_uiEnvironment.m_rightToLeftFrame)
        bLeft = !bLeft;
    DrawMenuGlyphCentered(pDC, bLeft ? MenuGlyphLargeArrowLeft : MenuGlyphLargeArrowRight, rect, MenuGlyphColorBlack);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
}

COLORREF CZUDPVisualManager::DrawRibbonCategoryTab(CDC* pDC, CZUDPRibbonTab* pTab, BOOL bIsActive)
{
    if (pDC == nullptr || pTab == nullptr)
        return g_uiEnvironment.m_colorBarText;

    const CZUDPRibbonBar* pBar = pTab->GetOwningRibbonBar();
    const BOOL bMinimized = pBar != nullptr && pBar->IsMinimizedMode();
    const BOOL bDroppedDown = pTab->IsDroppedDown();
    const BOOL bDrawnActive = bIsActive && !(bMinimized && !bDroppedDown);
    const BOOL bHot = (pTab->IsHighlighted() || (pTab->IsFocused() && bMinimized)) && !bDroppedDown;

    const CRect& r = pTab->m_rect;
    const int strength = pBar != nullptr ? pBar->m_nTabSeparatorStrength : 0;
    if (strength > 0) {
        const int percent = std::max(10, 100 - strength / 2);
        RibbonLine(pDC, r.right - 1, r.top + 3, r.right - 1, r.bottom,
             CZUDPColorArithmetic::ScaleColorPercent(g_uiEnvironment.m_colorBarFace, percent));
    }

    if (bDrawnActive || bHot) {
        POINT points[8] = {{r.left, r.bottom},          {r.left + 1, r.bottom - 1}, {r.left + 1, r.top + 5},
                           {r.left + 3, r.top + 3},     {r.right - 5, r.top + 3},   {r.right - 3, r.top + 5},
                           {r.right - 3, r.bottom - 1}, {r.right - 2, r.bottom}};
        if (bDrawnActive) {
            const int saved = pDC->SaveDC();
            std::vector<POINT> device(points, points + 8);
            pDC->LPtoDP(device.data(), 8);
            CRgn rgn;
            if (rgn.CreatePolygonRgn(device.data(), 8, WINDING))
                pDC->SelectClipRgn(&rgn, RGN_AND);
            const COLORREF clrContext =
                pTab->m_pCategory != nullptr ? GetRibbonContextCategoryColor(pTab->m_pCategory->m_nContextColor)
                                             : kRibbonNoColor;
            if (pTab->IsFocused())
                pDC->FillSolidRect(r, g_uiEnvironment.m_colorBarHighlight);
            else if (clrContext != kRibbonNoColor)
                pDC->FillSolidRect(r, clrContext);
            else
                pDC->FillRect(r, bHot ? &g_uiEnvironment.m_brushWindow : &g_uiEnvironment.m_brushBarFace);
            pDC->RestoreDC(saved);
        }
        CPen pen(PS_SOLID, 1, g_uiEnvironment.m_colorBarShadow);
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->Polyline(points, 8);
        pDC->SelectObject(pOld);
    }
    return g_uiEnvironment.m_colorBarText;
}

COLORREF CZUDPVisualManager::FillRibbonPanel(CDC* pDC, CZUDPRibbonPanel* pPanel, CRect rectPanel)
{
    if (pDC == nullptr || pPanel == nullptr)
        return g_uiEnvironment.m_colorBarText;
    if (pPanel->HasLaunchButton() && pPanel->m_btnLaunch.IsFocused()) {
        pDC->FillRect(rectPanel, &g_uiEnvironment.m_brushHighlight);
        return g_uiEnvironment.m_colorHighlightText;
    }
    if (pPanel->m_bIsHighlighted)
        CZUDPDrawManager(*pDC).TintRect(rectPanel, -1);
    // Etched outline: a light frame with a shadow frame one pixel up and left.
    pDC->Draw3dRect(rectPanel, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarHighlight);
    rectPanel.OffsetRect(-1, -1);
    pDC->Draw3dRect(rectPanel, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    return g_uiEnvironment.m_colorBarText;
}

void CZUDPVisualManager::DrawRibbonPanelCaption(CDC* pDC, CZUDPRibbonPanel* pPanel, CRect rectCaption)
{
    if (pDC == nullptr || pPanel == nullptr)
        return;
    rectCaption.DeflateRect(1, 1);
    rectCaption.right -= 2;
    const COLORREF clrText = FillRibbonPanelCaption(pDC, pPanel, rectCaption);
    CRect rectText = rectCaption;
    if (pPanel->HasLaunchButton())
        rectText.right = pPanel->GetLaunchButtonRect().left;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pPanel->m_strName, rectText, DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(clrOld);
}

COLORREF CZUDPVisualManager::FillRibbonPanelCaption(CDC* pDC, CZUDPRibbonPanel* pPanel, CRect rectCaption)
{
    const BOOL bHighlighted = pPanel != nullptr && pPanel->m_bIsHighlighted;
    if (pDC != nullptr)
        pDC->FillSolidRect(rectCaption, bHighlighted ? g_uiEnvironment.m_colorActiveCaption
                                                     : g_uiEnvironment.m_colorInactiveCaption);
    return bHighlighted ? g_uiEnvironment.m_colorCaptionText : g_uiEnvironment.m_colorInactiveCaptionText;
}

void CZUDPVisualManager::DrawRibbonLaunchButton(CDC* pDC, CZUDPRibbonLaunchButton* pButton, CZUDPRibbonPanel* pPanel)
{
    if (pDC == nullptr || pButton == nullptr)
        return;
    FillRibbonButton(pDC, pButton);
    int nColor = MenuGlyphColorBlack;
    if (pButton->IsDisabled()) {
        nColor = MenuGlyphColorGray;
    } else if (!pButton->IsHighlighted()) {
        // On a dark caption strip the mark is white.
        const COLORREF clrCaption = FillRibbonPanelCaption(nullptr, pPanel, CRect());
        if (GetRValue(clrCaption) >= 193 && GetGValue(clrCaption) >= 193 && GetBValue(clrCaption) >= 193)
            nColor = MenuGlyphColorWhite;
    }
    DrawMenuGlyphCentered(pDC, MenuGlyphDialogLauncher, pButton->m_rect, nColor);
    DrawRibbonButtonBorder(pDC, pButton);
}

void CZUDPVisualManager::DrawRibbonDefaultPanelButton(CDC* pDC, CZUDPRibbonDefaultPanelButton* pButton)
{
    if (pDC == nullptr || pButton == nullptr)
        return;
    if (!pButton->m_bImageOnly && !pButton->m_bMenuItemLayout) {
        DrawRibbonDefaultPanelButtonContent(pDC, pButton);
        return;
    }
    FillRibbonButton(pDC, pButton);
    DrawRibbonDefaultPanelButtonContent(pDC, pButton);
    DrawRibbonButtonBorder(pDC, pButton);
}

void CZUDPVisualManager::DrawRibbonDefaultPanelButtonContent(CDC* pDC, CZUDPRibbonDefaultPanelButton* pButton)
{
    if (pDC == nullptr || pButton == nullptr)
        return;
    const CRect rect = pButton->m_rect;
    const CSize sizeImage = pButton->GetImageSize(CZUDPRibbonButton::kLargeImage);
    const BOOL bHasImage = sizeImage.cx > 0 && sizeImage.cy > 0;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);

    if (pButton->m_bMenuItemLayout) {
        const int x = rect.left + 3;
        if (bHasImage) {
            const int y = rect.top + (rect.Height() - sizeImage.cy) / 2;
            pButton->DrawImage(pDC, CZUDPRibbonButton::kLargeImage, CRect(CPoint(x, y), sizeImage));
        }
        CRect rectText = rect;
        rectText.left = x + (bHasImage ? sizeImage.cx : 0) + 3;
        pDC->DrawText(pButton->m_strText, rectText, DT_VCENTER | DT_SINGLELINE);
    } else if (pButton->m_bImageOnly) {
        if (bHasImage) {
            const CPoint corner(rect.left + (rect.Width() - sizeImage.cx) / 2,
                                rect.top + (rect.Height() - sizeImage.cy) / 2);
            pButton->DrawImage(pDC, CZUDPRibbonButton::kLargeImage, CRect(corner, sizeImage));
        }
    } else {
        if (bHasImage) {
            const CPoint corner(rect.left + (rect.Width() - sizeImage.cx) / 2, rect.top + 10);
            pButton->DrawImage(pDC, CZUDPRibbonButton::kLargeImage, CRect(corner, sizeImage));
        }
        pButton->DrawBottomText(pDC, FALSE);
    }
    pDC->SetBkMode(oldMode);
}

void CZUDPVisualManager::DrawRibbonDefaultPanelButtonArrow(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect)
{
    if (pDC == nullptr)
        return;
    CRect square(rect.right - rect.Height(), rect.top, rect.right, rect.bottom);
    square.DeflateRect(1, 1);
    pDC->FillRect(square, &g_uiEnvironment.m_brushBarFace);
    pDC->Draw3dRect(square, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    CRect shadow = square;
    shadow.OffsetRect(0, 1);
    DrawMenuGlyphCentered(pDC, MenuGlyphArrowDown, shadow, MenuGlyphColorWhite);
    DrawMenuGlyphCentered(pDC, MenuGlyphArrowDown, square, MenuGlyphColorBlack);
}

COLORREF CZUDPVisualManager::FillRibbonButton(CDC* pDC, CZUDPRibbonButton* pButton)
{
    if (pDC == nullptr || pButton == nullptr)
        return kRibbonNoColor;

    if (pButton->IsKindOf(RUNTIME_CLASS(CZUDPRibbonEdit))) {
        const CZUDPRibbonEdit* pEdit = static_cast<CZUDPRibbonEdit*>(pButton);
        CRect rectFrame = pEdit->m_rect;
        rectFrame.left = pEdit->m_rectEdit.left;
        if (!g_drawingOnGlass) {
            if (pEdit->IsDroppedDown() || pEdit->IsHighlighted())
                pDC->FillRect(pEdit->m_rectEdit, &g_uiEnvironment.m_brushWindow);
            else
                CZUDPDrawManager(*pDC).TintRect(pEdit->m_rectEdit, -1);
            pDC->Draw3dRect(rectFrame, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
        } else {
            CZUDPDrawManager(*pDC).DrawBox(rectFrame, g_uiEnvironment.m_colorWindow, g_uiEnvironment.m_colorBarShadow);
        }
        return kRibbonNoColor;
    }

    if (pButton->IsInMenuMode() && !pButton->DrawsAsButtonInMenu()) {
        if (!pButton->IsHighlighted())
            return kRibbonNoColor;
        pDC->FillRect(pButton->m_rect, &g_uiEnvironment.m_brushHighlight);
        return g_uiEnvironment.m_colorHighlightText;
    }

    if (pButton->IsChecked() && !pButton->IsHighlighted()) {
        if (g_drawingOnGlass)
            CZUDPDrawManager(*pDC).DrawBox(pButton->m_rect, g_uiEnvironment.m_colorWindow, kRibbonNoColor);
        else
            CZUDPToolBarImages::FillLightRect(pDC, pButton->m_rect);
    }
    return kRibbonNoColor;
}

void CZUDPVisualManager::FillRibbonControlArea(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect, BOOL bIsHighlighted,
                                               BOOL bIsDisabled)
{
    if (pDC == nullptr)
        return;
    if (bIsHighlighted && !bIsDisabled) {
        if (g_drawingOnGlass)
            CZUDPDrawManager(*pDC).DrawBox(rect, g_uiEnvironment.m_colorWindow, kRibbonNoColor);
        else
            pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
        return;
    }
    if (g_drawingOnGlass) {
        CZUDPDrawManager(*pDC).DrawBox(rect, g_uiEnvironment.m_colorBarFace, kRibbonNoColor);
    } else {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
        CZUDPDrawManager(*pDC).TintRect(rect, -1);
    }
}

void CZUDPVisualManager::DrawRibbonButtonBorder(CDC* pDC, CZUDPRibbonButton* pButton)
{
    if (pDC == nullptr || pButton == nullptr)
        return;
    if (pButton->IsKindOf(RUNTIME_CLASS(CZUDPRibbonEdit)))
        return;
    if (pButton->IsInMenuMode() && pButton->IsChecked() && !pButton->IsHighlighted())
        return;
    if (!pButton->IsHighlighted() && !pButton->IsChecked() && !pButton->IsDroppedDown() && !pButton->IsFocused())
        return;

    const CRect rect = pButton->m_rect;
    if (g_drawingOnGlass)
        CZUDPDrawManager(*pDC).DrawBox(rect, kRibbonNoColor, g_uiEnvironment.m_colorBarShadow);
    else if (pButton->IsPressed() || pButton->IsChecked() || pButton->IsDroppedDown())
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    else
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);

    const CRect& rectMenu = pButton->m_rectMenu;
    if (rectMenu.IsRectEmpty())
        return;
    const COLORREF clr = g_uiEnvironment.m_colorBarShadow;
    if (g_drawingOnGlass) {
        CZUDPDrawManager dm(*pDC);
        if (pButton->m_bMenuOnBottom)
            dm.DrawPixelLine(CPoint(rectMenu.left, rectMenu.top), CPoint(rectMenu.right - 1, rectMenu.top), clr);
        else
            dm.DrawPixelLine(CPoint(rectMenu.left, rectMenu.top), CPoint(rectMenu.left, rectMenu.bottom - 1), clr);
    } else if (pButton->m_bMenuOnBottom) {
        RibbonLine(pDC, rectMenu.left, rectMenu.top, rectMenu.right, rectMenu.top, clr);
    } else {
        RibbonLine(pDC, rectMenu.left, rectMenu.top, rectMenu.left, rectMenu.bottom, clr);
    }
}

void CZUDPVisualManager::FillRibbonButtonMenuArea(CDC* pDC, CZUDPRibbonButton*, CRect rectMenu)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(rectMenu, &g_uiEnvironment.m_brushButtonFace);
    pDC->Draw3dRect(rectMenu, g_uiEnvironment.m_colorButtonShadow, g_uiEnvironment.m_colorButtonHighlight);
}

COLORREF CZUDPVisualManager::FillRibbonSubButton(CDC* pDC, CZUDPRibbonButton* pButton)
{
    return FillRibbonButton(pDC, pButton);
}

void CZUDPVisualManager::DrawRibbonSubButtonBorder(CDC* pDC, CZUDPRibbonButton* pButton)
{
    DrawRibbonButtonBorder(pDC, pButton);
}

void CZUDPVisualManager::DrawRibbonCaption(CDC* pDC, CZUDPBaseRibbonElement* pElement)
{
    if (pDC == nullptr || pElement == nullptr)
        return;
    CZUDPRibbonBar* pBar = pElement->GetOwningRibbonBar();
    CWnd* pFrame = pBar != nullptr && pBar->GetSafeHwnd() != nullptr ? pBar->GetTopLevelParent() : nullptr;
    if (pFrame == nullptr)
        return;

    const CRect rect = pElement->m_rect;
    CRect rectText = rect;
    BOOL bNewIcon = FALSE;
    const HICON hIcon = g_globalUtils.GetSmallWindowIcon(pFrame, bNewIcon);
    if (hIcon != nullptr) {
        const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
        const CRect rectIcon(CPoint(rect.left + 2, rect.top + (rect.Height() - cy) / 2), CSize(cx, cy));
        if (g_drawingOnGlass)
            g_uiEnvironment.DrawIconOnGlass(m_hThemeWindow, pDC, hIcon, rectIcon);
        else
            ::DrawIconEx(pDC->GetSafeHdc(), rectIcon.left, rectIcon.top, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        if (bNewIcon)
            ::DestroyIcon(hIcon);
        rectText.left = std::max<int>(rectText.left, rectIcon.right + 4);
    }

    CString strTitle;
    pFrame->GetWindowText(strTitle);
    const BOOL bRTL = (pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const int saved = pDC->SaveDC();
    pDC->SelectObject(&g_uiEnvironment.m_fontBold);
    pDC->SetBkMode(TRANSPARENT);
    UINT format = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    if (bRTL)
        format |= DT_RIGHT | DT_RTLREADING;
    else if (pDC->GetTextExtent(strTitle).cx <= rectText.Width())
        format |= DT_CENTER;
    if (g_drawingOnGlass) {
        DrawTextOnGlass(pDC, strTitle, rectText, format, 10);
    } else {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->DrawText(strTitle, rectText, format);
    }
    pDC->RestoreDC(saved);
}

void CZUDPVisualManager::DrawRibbonCaptionButton(CDC* pDC, CZUDPRibbonCaptionButton* pButton)
{
    if (pDC == nullptr || pButton == nullptr)
        return;
    FillRibbonButton(pDC, pButton);
    int nGlyph = -1;
    switch (pButton->m_nID) {
    case SC_MINIMIZE:
        nGlyph = MenuGlyphMinimize;
        break;
    case SC_MAXIMIZE:
        nGlyph = MenuGlyphMaximize;
        break;
    case SC_CLOSE:
        nGlyph = MenuGlyphClose;
        break;
    case SC_RESTORE:
        nGlyph = MenuGlyphRestore;
        break;
    default:
        break;
    }
    if (nGlyph >= 0)
        DrawMenuGlyphCentered(pDC, nGlyph, pButton->m_rect,
                              pButton->IsDisabled() ? MenuGlyphColorGray : MenuGlyphColorBlack);
    DrawRibbonButtonBorder(pDC, pButton);
}

void CZUDPVisualManager::DrawDefaultImagePlaceholder(CDC* pDC, CRect rect, BOOL bIsDisabled)
{
    if (pDC == nullptr)
        return;
    const CPoint c = rect.CenterPoint();
    const CRect circle(c.x - 5, c.y - 5, c.x + 6, c.y + 6);
    if (FewColors() || g_uiEnvironment.m_is9x) {
        CBrush brush(bIsDisabled ? g_uiEnvironment.m_colorGrayText : RGB(0, 0x7F, 0));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
        pDC->Ellipse(circle);
        pDC->SelectObject(pOldPen != nullptr ? pOldPen->m_hObject : nullptr);
        pDC->SelectObject(pOldBrush);
        return;
    }
    if (bIsDisabled)
        CZUDPDrawManager(*pDC).DrawEllipse(circle, g_uiEnvironment.m_colorGrayText, g_uiEnvironment.m_colorButtonShadow);
    else
        CZUDPDrawManager(*pDC).DrawEllipse(circle, 0x80D0A0, 0x2C7547);
}

void CZUDPVisualManager::DrawRibbonDoubleFrame(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect)
{
    if (pDC == nullptr)
        return;
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    rect.InflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarHighlight);
}

void CZUDPVisualManager::FillRibbonWindowArea(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
}

void CZUDPVisualManager::DrawRibbonEtchedBar(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), g_uiEnvironment.m_colorButtonShadow);
    pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), g_uiEnvironment.m_colorButtonHighlight);
}

void CZUDPVisualManager::DrawRibbonLabelDecoration(CDC*, CZUDPRibbonLabel*, CRect) {}

void CZUDPVisualManager::DrawRibbonPaletteIcon(CDC* pDC, CZUDPRibbonPaletteIcon* pIcon)
{
    FillRibbonButton(pDC, pIcon);
    DrawRibbonButtonBorder(pDC, pIcon);
}

void CZUDPVisualManager::DrawRibbonPaletteButtonBorder(CDC* pDC, CZUDPRibbonPaletteButton*, CRect rect)
{
    if (pDC != nullptr)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
}

COLORREF CZUDPVisualManager::GetRibbonContextCategoryColor(int nColorIndex)
{
    static const COLORREF kNormal[7] = {0xA0A0FF, 0x37BDEF, 0x1BE5FD, 0x59BE71, 0xC4B580, 0xE0A372, 0xD1B2D6};
    static const COLORREF kFewColors[7] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0x800000, 0xFF00FF};
    if (nColorIndex < 1 || nColorIndex > 7)
        return kRibbonNoColor;
    return FewColors() ? kFewColors[nColorIndex - 1] : kNormal[nColorIndex - 1];
}

COLORREF CZUDPVisualManager::FillRibbonContextCaption(CDC* pDC, CZUDPRibbonCategory* pCategory)
{
    const COLORREF clr = pCategory != nullptr ? GetRibbonContextCategoryColor(pCategory->m_nContextColor) : kRibbonNoColor;
    if (pDC == nullptr || clr == kRibbonNoColor)
        return g_uiEnvironment.m_colorBarText;
    CRect rect = pCategory->m_rectContextCaption;
    rect.DeflateRect(0, 1);
    if (g_drawingOnGlass)
        CZUDPDrawManager(*pDC).DrawBox(rect, clr, kRibbonNoColor);
    else
        pDC->FillSolidRect(rect, clr);
    return g_uiEnvironment.m_colorBarText;
}

COLORREF CZUDPVisualManager::DrawRibbonElementFrame(CDC* pDC, CZUDPRibbonBar*, CZUDPBaseRibbonElement* pElement)
{
    if (pDC != nullptr && pElement != nullptr && pElement->IsHighlighted()) {
        CRect rect = pElement->m_rect;
        rect.DeflateRect(1, 1);
        if (pElement->IsPressed())
            pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
        else
            pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    }
    return kRibbonNoColor;
}

void CZUDPVisualManager::DrawRibbonSliderZoomButton(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect, BOOL bIsZoomOut,
                                                    BOOL bIsHighlighted, BOOL bIsPressed, BOOL bIsDisabled)
{
    if (pDC == nullptr)
        return;
    const CPoint c = rect.CenterPoint();
    const CRect circle(c.x - 7, c.y - 7, c.x + 8, c.y + 8);
    const COLORREF clrFill = (bIsPressed && bIsHighlighted) ? g_uiEnvironment.m_colorBarShadow
                             : bIsHighlighted                ? g_uiEnvironment.m_colorBarHighlight
                                                             : g_uiEnvironment.m_colorBarFace;
    const COLORREF clrLine = bIsDisabled ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorBarDarkShadow;
    if (g_drawingOnGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawEllipse(circle, clrFill, clrLine);
        dm.DrawPixelLine(CPoint(c.x - 3, c.y), CPoint(c.x + 3, c.y), clrLine);
        if (!bIsZoomOut)
            dm.DrawPixelLine(CPoint(c.x, c.y - 3), CPoint(c.x, c.y + 3), clrLine);
        return;
    }
    CBrush brush(clrFill);
    CPen pen(PS_SOLID, 1, clrLine);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Ellipse(circle);
    pDC->MoveTo(c.x - 3, c.y);
    pDC->LineTo(c.x + 4, c.y);
    if (!bIsZoomOut) {
        pDC->MoveTo(c.x, c.y - 3);
        pDC->LineTo(c.x, c.y + 4);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

namespace {

// The slider element's orientation and tick placement, from its style bits.
void SliderLayout(const CZUDPBaseRibbonElement* pElement, BOOL& bVert, BOOL& bLeftTop, BOOL& bBothSides)
{
    const DWORD style = pElement != nullptr ? pElement->m_dwStyle : 0;
    bVert = (style & 0x2) != 0 && (pElement == nullptr || !pElement->m_bImageOnly);
    bLeftTop = (style & (0x4 | 0x8)) != 0;
    bBothSides = (style & 0x8) != 0 || (style & 0x4) == 0;
}

} // namespace

void CZUDPVisualManager::DrawRibbonSliderChannel(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect)
{
    BOOL bVert, bLeftTop, bBothSides;
    SliderLayout(pElement, bVert, bLeftTop, bBothSides);
    DrawSliderChannel(pDC, nullptr, bVert, rect, g_drawingOnGlass);
}

void CZUDPVisualManager::DrawRibbonSliderThumb(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect,
                                               BOOL bIsHighlighted, BOOL bIsPressed, BOOL bIsDisabled)
{
    BOOL bVert, bLeftTop, bBothSides;
    SliderLayout(pElement, bVert, bLeftTop, bBothSides);
    DrawSliderThumb(pDC, nullptr, rect, bIsHighlighted, bIsPressed, bIsDisabled, bVert, bLeftTop, bBothSides,
                    g_drawingOnGlass);
}

void CZUDPVisualManager::FillRibbonPanelMenuBar(CDC* pDC, CZUDPRibbonPanelMenuBar*, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
}

void CZUDPVisualManager::DrawRibbonSeparator(CDC* pDC, CZUDPRibbonSeparator*, CRect rect)
{
    if (pDC == nullptr)
        return;
    if (g_drawingOnGlass)
        CZUDPDrawManager(*pDC).DrawBox(rect, kRibbonNoColor, g_uiEnvironment.m_colorButtonShadow);
    else
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}

void CZUDPVisualManager::DrawRibbonKeyTip(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect, CString strKeyTip)
{
    if (pDC == nullptr)
        return;
    COLORREF clrText = g_uiEnvironment.GetSysColorCached(COLOR_INFOTEXT);
    COLORREF clrBorder = clrText;
    CRect rectTheme = rect;
    rectTheme.InflateRect(2, 2);
    if (!DrawThemePart(m_hThemeToolTip, pDC, 1, 0, rectTheme)) {
        pDC->FillRect(rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_INFOBK)));
    } else {
        GetThemeColorValue(m_hThemeToolTip, 1, 0, 3803 /* TMT_TEXTCOLOR */, clrText);
        GetThemeColorValue(m_hThemeToolTip, 1, 0, 3804 /* TMT_EDGELIGHTCOLOR */, clrBorder);
    }
    strKeyTip.MakeUpper();
    const BOOL bDisabled = pElement != nullptr && pElement->IsDisabled();
    const COLORREF clrOld = pDC->SetTextColor(bDisabled ? g_uiEnvironment.m_colorGrayText : clrText);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strKeyTip, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(clrOld);
    pDC->Draw3dRect(rect, clrBorder, clrBorder);
}

void CZUDPVisualManager::DrawRibbonCheckMark(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect)
{
    if (pDC == nullptr)
        return;
    CRect shadow = rect;
    shadow.OffsetRect(1, 1);
    DrawMenuGlyphCentered(pDC, MenuGlyphCheckMark, shadow, MenuGlyphColorWhite);
    DrawMenuGlyphCentered(pDC, MenuGlyphCheckMark, rect, MenuGlyphColorBlack);
}

void CZUDPVisualManager::DrawRibbonRadioMark(CDC* pDC, CZUDPBaseRibbonElement*, CRect rect)
{
    if (pDC == nullptr)
        return;
    CRect shadow = rect;
    shadow.OffsetRect(1, 1);
    DrawMenuGlyphCentered(pDC, MenuGlyphRadioDot, shadow, MenuGlyphColorWhite);
    DrawMenuGlyphCentered(pDC, MenuGlyphRadioDot, rect, MenuGlyphColorBlack);
}

COLORREF CZUDPVisualManager::GetRibbonHyperlinkTextColor(CZUDPBaseRibbonElement* pElement)
{
    if (pElement != nullptr && pElement->IsDisabled())
        return g_uiEnvironment.m_colorGrayText;
    if (pElement != nullptr && pElement->IsHighlighted())
        return g_uiEnvironment.m_colorHotLinkHovered;
    return g_uiEnvironment.m_colorHotLink;
}

void CZUDPVisualManager::DrawRibbonColorButton(CDC* pDC, CZUDPBaseRibbonElement*, COLORREF clrFill, CRect rect,
                                               BOOL bDrawTopEdge, BOOL bDrawBottomEdge, BOOL bIsHighlighted,
                                               BOOL bIsChecked)
{
    if (pDC == nullptr)
        return;
    CRect rectSwatch = rect;
    rectSwatch.DeflateRect(1, 0);
    if (bIsHighlighted || bIsChecked) {
        CZUDPToolBarImages::FillLightRect(pDC, rect);
        rectSwatch.DeflateRect(1, 2);
    }
    if (clrFill != kRibbonNoColor)
        pDC->FillSolidRect(rectSwatch, clrFill);

    const COLORREF clrEdge = g_uiEnvironment.m_colorButtonShadow;
    if (bDrawTopEdge && bDrawBottomEdge) {
        pDC->Draw3dRect(rect, clrEdge, clrEdge);
    } else {
        RibbonLine(pDC, rect.left, rect.top, rect.left, rect.bottom, clrEdge);
        RibbonLine(pDC, rect.right - 1, rect.top, rect.right - 1, rect.bottom, clrEdge);
        if (bDrawTopEdge)
            RibbonLine(pDC, rect.left, rect.top, rect.right, rect.top, clrEdge);
        if (bDrawBottomEdge)
            RibbonLine(pDC, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1, clrEdge);
    }

    if (bIsHighlighted)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    else if (bIsChecked)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}
