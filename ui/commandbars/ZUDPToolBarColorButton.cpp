#include "ui/commandbars/ZUDPToolBarColorButton.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_SERIAL(CZUDPToolBarColorButton, CZUDPToolbarButton, 1)

namespace {

// An etched frame: raised in the light and shadow colours, then sunken
// one pixel lower right.
void DrawEtchedFrame(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    rect.OffsetRect(1, 1);
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}

// Fills the rectangle with the colour (through the palette on 8-bit
// displays) and outlines it with the bar-shadow pen.
void DrawSwatch(CDC* pDC, const CRect& rect, COLORREF color)
{
    CBrush brush;
    brush.CreateSolidBrush(PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)));
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, g_uiEnvironment.m_colorBarShadow);
    HGDIOBJ hOldBrush = pDC->SelectObject(brush.GetSafeHandle());
    HGDIOBJ hOldPen = pDC->SelectObject(pen.GetSafeHandle());
    pDC->Rectangle(&rect);
    pDC->SelectObject(hOldPen);
    pDC->SelectObject(hOldBrush);
}

} // namespace

CString ColorTooltipText(COLORREF color)
{
    CString strName;
    if (CZUDPColorBar::GetColorName(color, strName))
        return strName;
    strName.Format("Hex={%02X,%02X,%02X}", GetRValue(color), GetGValue(color), GetBValue(color));
    return strName;
}

CZUDPToolBarColorButton::CZUDPToolBarColorButton()
{
    locked = TRUE;
}

CZUDPToolBarColorButton::CZUDPToolBarColorButton(COLORREF colorIn, BOOL bAutomatic, BOOL bOther, LPCTSTR lpszCaption,
                                                 BOOL bSelected, BOOL bDocument, BOOL bPreview)
    : color(colorIn), selected(bSelected), isAutomatic(bAutomatic), isOther(bOther), isDocument(bDocument),
      isPreview(bPreview)
{
    locked = TRUE;
    text = lpszCaption != nullptr ? lpszCaption : "";
}

CZUDPToolBarColorButton::CZUDPToolBarColorButton(LPCTSTR lpszCaption, BOOL bDocument)
    : color((COLORREF)-1), isLabel(TRUE), isDocument(bDocument)
{
    locked = TRUE;
    text = lpszCaption != nullptr ? lpszCaption : "";
}

void CZUDPToolBarColorButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    colorBar = DYNAMIC_DOWNCAST(CZUDPColorBar, pWndParent);
}

void CZUDPToolBarColorButton::DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz,
                                         BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                         BOOL bGrayDisabledButtons)
{
    (void)bHorz;
    (void)bGrayDisabledButtons;
    if (pDC == nullptr)
        return;
    HPALETTE hOldPalette = colorBar != nullptr ? colorBar->SelectColorPalette(pDC) : nullptr;
    const UINT nStyleSaved = style;
    const BOOL bDisabled = (style & TBBS_DISABLED) != 0;
    if (selected)
        style |= TBBS_CHECKED;

    PaintBackground(pDC, rect, bHighlight && !isLabel, FALSE);

    if (!bDisabled && !isLabel && HasBorder() && bDrawBorder && !bCustomizeMode) {
        int nState = -1;
        if (style & (TBBS_CHECKED | TBBS_PRESSED))
            nState = ZUDP_BUTTON_PUSHED;
        else if (bHighlight && !(style & (TBBS_CHECKED | TBBS_INDETERMINATE)))
            nState = ZUDP_BUTTON_HIGHLIGHTED;
        if (nState >= 0)
            CZUDPVisualManager::GetActiveManager()->DrawButtonBorder(pDC, this, rect, nState);
    }

    CRect rectSwatch = rect;
    rectSwatch.DeflateRect(2, 2);

    if (isAutomatic || isOther || isLabel) {
        CRect rectText = rect;
        if (isAutomatic && color != (COLORREF)-1) {
            CRect rectSquare = rectSwatch;
            rectSquare.DeflateRect(3, 3);
            rectSquare.right = rectSquare.left + rectSquare.Height();
            if (bDisabled) {
                DrawEtchedFrame(pDC, rectSquare);
            } else {
                DrawSwatch(pDC, rectSquare, color);
            }
            rectText.left = rectSquare.right + 2;
        }
        const COLORREF clrText =
            bDisabled && !isLabel ? g_uiEnvironment.m_colorGrayText : g_uiEnvironment.m_colorBarText;
        const COLORREF clrOldText = pDC->SetTextColor(clrText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        HGDIOBJ hOldFont = pImages == nullptr ? pDC->SelectObject(g_uiEnvironment.m_fontRegular.GetSafeHandle()) : nullptr;
        UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        if (!isLabel)
            uiFormat |= DT_CENTER;
        pDC->DrawText(text, &rectText, uiFormat);
        if (hOldFont != nullptr)
            pDC->SelectObject(hOldFont);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOldText);
    } else if (!bDisabled) {
        rectSwatch.right--;
        rectSwatch.bottom--;
        DrawSwatch(pDC, rectSwatch, color);
    }

    if (!isOther && !isLabel) {
        if (bDisabled) {
            DrawEtchedFrame(pDC, rectSwatch);
        } else {
            pDC->Draw3dRect(&rectSwatch, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
        }
    }

    if (hOldPalette != nullptr)
        ::SelectPalette(pDC->GetSafeHdc(), hOldPalette, FALSE);
    style = nStyleSaved;
}

CString CZUDPToolBarColorButton::TooltipText() const
{
    if (!IsColorCell())
        return text;
    return ColorTooltipText(color);
}

BOOL CZUDPToolBarColorButton::FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI)
{
    (void)pWndBar;
    if ((style & TBBS_DISABLED) || !g_showTooltips || pTI == nullptr)
        return FALSE;
    const CString strText = TooltipText();
    // The tooltip machinery frees the text when it has shown it.
    const size_t nBytes = size_t(strText.GetLength()) + 1;
    char* pszText = static_cast<char*>(malloc(nBytes));
    if (pszText == nullptr)
        return FALSE;
    memcpy(pszText, (LPCTSTR)strText, nBytes);
    pTI->lpszText = pszText;
    return TRUE;
}
