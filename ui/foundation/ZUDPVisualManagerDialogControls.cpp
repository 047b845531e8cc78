// The visual manager's drawing of the parts that the library's dialog controls hand over: header background, items
// and sort arrows, the list box's selected item, check boxes and radio buttons, control frames and spin buttons,
// the browse and clear buttons of edits, the calculator, the progress bar, the group box and the slider.
#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/Wnd.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPGroup.h"
#include "ui/controls/ZUDPHeaderCtrl.h"
#include "ui/controls/ZUDPSpinButtonCtrl.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

// The 8 by 8 one-pixel checkerboard of an indeterminate check box, in the
// DC's text and background colours.
void FillCheckerboard(CDC* pDC, const CRect& rect)
{
    static const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, rows);
    if (hBitmap == nullptr)
        return;
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    if (hBrush != nullptr) {
        ::FillRect(pDC->GetSafeHdc(), rect, hBrush);
        ::DeleteObject(hBrush);
    }
    ::DeleteObject(hBitmap);
}

// A library window painted in the bar colours: one in visual-manager style
// or drawn on glass.
BOOL IsControlInBarColors(CWnd* pWnd)
{
    const CZUDPWnd* pLibraryWnd = dynamic_cast<const CZUDPWnd*>(pWnd);
    return pLibraryWnd != nullptr && (pLibraryWnd->IsVisualManagerStyle() || pLibraryWnd->IsOnGlass());
}

BOOL IsThemedTrackbar(HTHEME hTheme)
{
    return hTheme != nullptr && g_uiEnvironment.m_bitsPerPixel > 8 && !g_uiEnvironment.IsContrastColorScheme();
}

} // namespace

// ---------------------------------------------------------------------------
// Header

void CZUDPVisualManager::FillHeaderBackground(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect)
{
    const BOOL bInDialog = pCtrl != nullptr && pCtrl->IsDialogControl();
    pDC->FillRect(rect, bInDialog ? &g_uiEnvironment.m_brushButtonFace : &g_uiEnvironment.m_brushBarFace);
}

void CZUDPVisualManager::DrawHeaderItemBorder(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL)
{
    const BOOL bInDialog = pCtrl != nullptr && pCtrl->IsDialogControl();
    const COLORREF shadow = bInDialog ? g_uiEnvironment.m_colorButtonShadow : g_uiEnvironment.m_colorBarShadow;
    if (bIsPressed) {
        pDC->Draw3dRect(rect, shadow, shadow);
        // The pressed item's content moves down and right.
        rect.left++;
        rect.top++;
        return;
    }
    const COLORREF light = bInDialog ? g_uiEnvironment.m_colorButtonHighlight : g_uiEnvironment.m_colorBarHighlight;
    pDC->Draw3dRect(rect, light, shadow);
}

void CZUDPVisualManager::DrawHeaderSortArrow(CZUDPHeaderCtrl*, CDC* pDC, CRect rect, BOOL bIsUp)
{
    DrawMenuGlyphCentered(pDC, bIsUp ? MenuGlyphLargeArrowUp : MenuGlyphLargeArrowDown, rect, MenuGlyphColorBlack);
}

// ---------------------------------------------------------------------------
// List box

COLORREF CZUDPVisualManager::FillListBoxItem(CDC* pDC, CZUDPListBox*, int, CRect rect, BOOL bIsFocused,
                                             BOOL bIsSelected)
{
    COLORREF clrText = (COLORREF)-1;
    if (bIsSelected) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
        clrText = g_uiEnvironment.m_colorHighlightText;
    }
    if (bIsFocused)
        pDC->DrawFocusRect(rect);
    return clrText;
}

// ---------------------------------------------------------------------------
// Operations kept for derived managers

COLORREF CZUDPVisualManager::GetControlFaceColor(CWnd* pWnd)
{
    return IsControlInBarColors(pWnd) ? g_uiEnvironment.m_colorBarFace : g_uiEnvironment.m_colorButtonFace;
}

COLORREF CZUDPVisualManager::GetControlDarkColor(CWnd* pWnd)
{
    return IsControlInBarColors(pWnd) ? g_uiEnvironment.m_colorBarDarkShadow : g_uiEnvironment.m_colorDarkShadow;
}

void CZUDPVisualManager::DrawControlSunkenFrame(CDC* pDC, CWnd*, CRect rect)
{
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarFace);
}

void CZUDPVisualManager::DrawControlRaisedFrame(CDC* pDC, CWnd*, CRect rect)
{
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarShadow);
}

void CZUDPVisualManager::FillControlFace(CDC* pDC, CWnd*, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
}

COLORREF CZUDPVisualManager::FillControlCaption(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushInactiveCaption);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorInactiveBorder, g_uiEnvironment.m_colorInactiveBorder);
    return g_uiEnvironment.m_colorInactiveCaptionText;
}

void CZUDPVisualManager::FillCheckedItemBackground(CDC* pDC, CRect rect, CZUDPButton* pItem)
{
    if (pItem == nullptr || pItem->GetSafeHwnd() == nullptr || pItem->GetCheck() == BST_UNCHECKED)
        return;
    rect.DeflateRect(1, 1);
    CZUDPToolBarImages::FillLightRect(pDC, rect);
}

void CZUDPVisualManager::DrawItemStateFrame(CDC* pDC, CRect rect, CZUDPButton* pItem)
{
    if (pItem == nullptr)
        return;
    if (pItem->m_bDown)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    else if (pItem->m_bHot)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

void CZUDPVisualManager::DrawCheckBox(CDC* pDC, CRect rect, BOOL bFocused, BOOL bChecked, BOOL bEnabled)
{
    DrawCheckBoxEx(pDC, rect, bChecked ? 1 : 0, bFocused, FALSE, bEnabled);
}

void CZUDPVisualManager::DrawCheckBoxEx(CDC* pDC, CRect rect, int nState, BOOL bFocused, BOOL, BOOL bEnabled)
{
    const COLORREF fill = bEnabled ? g_uiEnvironment.m_colorWindow : g_uiEnvironment.m_colorBarFace;
    if (g_drawingOnGlass) {
        rect.DeflateRect(1, 1);
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, fill, g_uiEnvironment.m_colorBarShadow);
        if (nState == 1)
            DrawMenuGlyphCentered(pDC, MenuGlyphCheckMark, rect, MenuGlyphColorBlack);
        return;
    }
    if (bFocused)
        pDC->DrawFocusRect(rect);
    rect.DeflateRect(1, 1);
    pDC->FillSolidRect(rect, fill);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarHighlight);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarLight);
    if (nState == 1) {
        DrawMenuGlyphCentered(pDC, MenuGlyphCheckMark, rect, MenuGlyphColorBlack);
    } else if (nState == 2) {
        rect.DeflateRect(1, 1);
        FillCheckerboard(pDC, rect);
    }
}

void CZUDPVisualManager::DrawRadioButton(CDC* pDC, CRect rect, BOOL bChecked, BOOL bHighlighted, BOOL, BOOL bEnabled)
{
    rect.DeflateRect(1, 1);
    const COLORREF mark = (bHighlighted && bEnabled) ? g_uiEnvironment.m_colorBarDarkShadow
                                                     : g_uiEnvironment.m_colorBarShadow;
    CZUDPDrawManager dm(*pDC);
    dm.DrawEllipse(rect, bEnabled ? g_uiEnvironment.m_colorBarHighlight : g_uiEnvironment.m_colorBarFace, mark);
    if (bChecked) {
        const int inset = rect.Width() / 3;
        rect.DeflateRect(inset, inset);
        dm.DrawEllipse(rect, mark, (COLORREF)-1);
    }
}

// ---------------------------------------------------------------------------
// Control frames

void CZUDPVisualManager::DrawControlFrame(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bDrawOnGlass)
{
    if (bDrawOnGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, (COLORREF)-1, g_uiEnvironment.m_colorBarShadow);
        rect.DeflateRect(1, 1);
        dm.DrawBox(rect, (COLORREF)-1, g_uiEnvironment.m_colorWindow);
        return;
    }
    // A drop-down list (a popup window) is framed flat.
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && (pWnd->GetStyle() & WS_POPUP) != 0)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    else
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarHighlight);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorWindow, g_uiEnvironment.m_colorWindow);
}

void CZUDPVisualManager::DrawWindowBorder(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    CWindowDC dc(pWnd);
    CRect rectWindow;
    pWnd->GetWindowRect(rectWindow);
    DrawControlFrame(&dc, CRect(0, 0, rectWindow.Width(), rectWindow.Height()), pWnd, g_drawingOnGlass);
}

// ---------------------------------------------------------------------------
// Calculator, browse and clear buttons

BOOL CZUDPVisualManager::DrawCalculatorButton(CDC* pDC, CRect rect, CZUDPToolbarButton*, int state)
{
    if (state == 1) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushLight);
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    } else {
        if (state == 2)
            pDC->FillRect(rect, &g_uiEnvironment.m_brushLight);
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    }
    return TRUE;
}

BOOL CZUDPVisualManager::DrawCalculatorDisplay(CDC* pDC, CRect rect, const CString&, BOOL)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    return TRUE;
}

BOOL CZUDPVisualManager::DrawEditBrowseButton(CDC* pDC, CRect rect, CZUDPEdit*, int state)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    // The frame reaches one pixel past the button above, right and below,
    // onto the edit's own border.
    CRect rectFrame = rect;
    rectFrame.top--;
    rectFrame.right++;
    rectFrame.bottom++;
    pDC->Draw3dRect(rectFrame, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->DrawEdge(rect, state == 1 ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_RECT);
    return TRUE;
}

BOOL CZUDPVisualManager::DrawClearButton(CDC* pDC, CZUDPButton* pButton, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    rect.DeflateRect(1, 1);
    const BOOL bPushed = pButton != nullptr && pButton->m_bDown && pButton->m_bHot;
    return pDC->DrawEdge(rect, bPushed ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_RECT);
}

// ---------------------------------------------------------------------------
// Spin buttons

void CZUDPVisualManager::DrawSpinButton(CDC* pDC, CRect rectSpin, int nState, BOOL bHorz,
                                        CZUDPSpinButtonCtrl* pSpinCtrl)
{
    const BOOL bOnGlass = g_drawingOnGlass || (pSpinCtrl != nullptr && pSpinCtrl->IsOnGlass());
    rectSpin.DeflateRect(1, 1);

    CRect halves[2] = {rectSpin, rectSpin};
    if (bHorz) {
        halves[0].right -= rectSpin.Width() / 2;
        halves[1].left = halves[0].right + 1;
    } else {
        halves[0].bottom -= rectSpin.Height() / 2;
        halves[1].top = halves[0].bottom + 1;
    }

    CZUDPDrawManager dm(*pDC);
    if (bOnGlass) {
        dm.DrawBox(rectSpin, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarHighlight);
    } else {
        pDC->FillRect(rectSpin, &g_uiEnvironment.m_brushBarFace);
        pDC->Draw3dRect(rectSpin, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarHighlight);
    }

    // Bits 0-1 name the pressed half (1 the first, 2 the second; 3 names
    // neither), bit 4 disables.
    const int pressedHalf = nState & 3;
    const int color = (nState & 0x10) ? MenuGlyphColorGray : MenuGlyphColorBlack;
    const int glyphs[2] = {bHorz ? MenuGlyphArrowLeft : MenuGlyphArrowUp,
                           bHorz ? MenuGlyphArrowRight : MenuGlyphArrowDown};
    for (int i = 0; i < 2; ++i) {
        const BOOL bPressed = pressedHalf == i + 1;
        if (bOnGlass)
            dm.DrawBox(halves[i], (COLORREF)-1,
                       bPressed ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorBarHighlight);
        else if (bPressed)
            pDC->Draw3dRect(halves[i], g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
        else
            pDC->Draw3dRect(halves[i], g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
        DrawMenuGlyphCentered(pDC, glyphs[i], halves[i], color);
    }
}

// ---------------------------------------------------------------------------
// Progress bar and scroll bar

void CZUDPVisualManager::DrawProgressBar(CDC* pDC, CZUDPRibbonProgressBar*, CRect rectProgress, CRect rectChunk,
                                         BOOL)
{
    if (g_drawingOnGlass) {
        CZUDPDrawManager dm(*pDC);
        if (!rectChunk.IsRectEmpty())
            dm.DrawBox(rectChunk, g_uiEnvironment.m_colorHighlight, (COLORREF)-1);
        dm.DrawBox(rectProgress, (COLORREF)-1, g_uiEnvironment.m_colorBarShadow);
        return;
    }
    if (!rectChunk.IsRectEmpty())
        pDC->FillRect(rectChunk, &g_uiEnvironment.m_brushHighlight);
    pDC->Draw3dRect(rectProgress, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}

void CZUDPVisualManager::DrawScrollBarThumb(CDC*, CZUDPScrollBar*, CRect, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawScrollBarButton(CDC*, CZUDPScrollBar*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawScrollBarTrack(CDC*, CZUDPScrollBar*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL) {}

// ---------------------------------------------------------------------------
// Group box

void CZUDPVisualManager::DrawGroupBox(CDC* pDC, CZUDPGroup* pGroup, CRect rect, const CString& strName)
{
    // The frame's top runs through the middle of the caption's line; with
    // no caption, through the middle of a line of the current font.
    const BOOL bHasCaption = !strName.IsEmpty();
    const CSize sizeText = pDC->GetTextExtent(bHasCaption ? strName : CString("A"));
    const int h = sizeText.cy;
    const int textWidth = bHasCaption ? sizeText.cx : 0;

    CRect rectFrame = rect;
    rectFrame.top += h / 2;
    CRect rectCaption(rect.left + h / 2, rect.top, rect.left + h / 2 + textWidth + h / 2, rect.top + h);

    const BOOL bOnGlass = g_drawingOnGlass || (pGroup != nullptr && pGroup->IsOnGlass());
    const BOOL bEnabled = pGroup == nullptr || pGroup->GetSafeHwnd() == nullptr || pGroup->IsWindowEnabled();

    // The caption is cut out of the frame through the clip region; the
    // caller's own clip region is put back afterwards.
    CRgn savedClip;
    BOOL bHadClip = FALSE;
    if (bHasCaption) {
        savedClip.CreateRectRgn(0, 0, 0, 0);
        bHadClip = ::GetClipRgn(pDC->GetSafeHdc(), (HRGN)savedClip.GetSafeHandle()) == 1;
        pDC->ExcludeClipRect(rectCaption);
    }
    if (m_hThemeButton == nullptr || bOnGlass || !DrawThemePart(m_hThemeButton, pDC, 4, bEnabled ? 1 : 2, rectFrame)) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rectFrame, (COLORREF)-1, g_uiEnvironment.m_colorBarDarkShadow);
    }
    if (bHasCaption)
        pDC->SelectClipRgn(bHadClip ? &savedClip : nullptr);

    if (!bHasCaption)
        return;
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    if (bOnGlass)
        DrawTextOnGlass(pDC, strName, rectCaption, format, 10, g_uiEnvironment.m_colorBarText);
    else
        pDC->DrawText(strName, rectCaption, format);
}

// ---------------------------------------------------------------------------
// Slider

void CZUDPVisualManager::DrawSliderChannel(CDC* pDC, CZUDPSliderCtrl*, BOOL bVert, CRect rect, BOOL bDrawOnGlass)
{
    if (bVert && rect.Width() < 3)
        rect.right++;
    else if (!bVert && rect.Height() < 3)
        rect.bottom++;

    if (IsThemedTrackbar(m_hThemeTrack) && DrawThemePart(m_hThemeTrack, pDC, bVert ? 2 : 1, 1, rect))
        return;
    if (bDrawOnGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, (COLORREF)-1, g_uiEnvironment.m_colorBarShadow);
    } else {
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    }
}

BOOL CZUDPVisualManager::DrawSliderThumb(CDC* pDC, CZUDPSliderCtrl*, CRect rect, BOOL bIsHighlighted,
                                         BOOL bIsPressed, BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop,
                                         BOOL bBothSides, BOOL)
{
    if (IsThemedTrackbar(m_hThemeTrack)) {
        int nPart;
        if (bBothSides)
            nPart = bVert ? 6 : 3;
        else if (bLeftTop)
            nPart = bVert ? 7 : 5;
        else
            nPart = bVert ? 8 : 4;
        const int nState = bIsDisabled ? 5 : bIsPressed ? 3 : bIsHighlighted ? 2 : 1;
        return DrawThemePart(m_hThemeTrack, pDC, nPart, nState, rect);
    }

    COLORREF fill, border;
    if (bIsDisabled) {
        fill = g_uiEnvironment.m_colorBarFace;
        border = g_uiEnvironment.m_colorBarShadow;
    } else {
        fill = (bIsHighlighted || bIsPressed) ? g_uiEnvironment.m_colorBarHighlight : g_uiEnvironment.m_colorBarFace;
        border = g_uiEnvironment.m_colorBarDarkShadow;
    }

    // A box twice as long as it is thick, centred on the rectangle.
    CRect box;
    if (bVert) {
        rect.DeflateRect(2, 1);
        const int thick = rect.Height(), length = 2 * thick;
        box.SetRect(rect.CenterPoint().x - length / 2, rect.top, 0, rect.bottom);
        box.right = box.left + length;
    } else {
        rect.DeflateRect(1, 2);
        const int thick = rect.Width(), length = 2 * thick;
        box.SetRect(rect.left, rect.CenterPoint().y - length / 2, rect.right, 0);
        box.bottom = box.top + length;
    }
    CZUDPDrawManager dm(*pDC);
    dm.DrawBox(box, fill, border);
    return TRUE;
}
