// How CZUDPButton paints itself: face, frame and check mark through the
// visual manager or its own 3-D frames, then image or glyph and text laid
// out by the button, then the focus rectangle; and the size that fits its
// content.  Colours and brushes are those of g_uiEnvironment: a button in a
// dialog draws in the button colours, check marks and their text in the bar
// colours the visual manager uses for them.
#include "ui/controls/ZUDPButton.h"

#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <optional>

namespace {

// The window text as it is measured for the focus rectangle: single
// ampersands (mnemonic marks) removed, doubled ones kept once.
CString FocusTextWithoutMnemonics(const CString& strText)
{
    CString result;
    const int length = strText.GetLength();
    for (int i = 0; i < length; ++i) {
        const char ch = strText[i];
        if (ch == '&') {
            if (i + 1 < length && strText[i + 1] == '&')
                ++i;
            else
                continue;
        }
        result += strText[i];
    }
    return result;
}

// The vertical place of a block of the height within the rectangle, by the
// BS_TOP / BS_BOTTOM bits (both or neither: centred).
int VerticalPlace(const CRect& rect, int height, DWORD dwStyle)
{
    const DWORD vertical = dwStyle & BS_VCENTER;
    if (vertical == BS_TOP)
        return rect.top;
    if (vertical == BS_BOTTOM)
        return rect.bottom - height;
    return rect.top + (rect.Height() - height) / 2;
}

} // namespace

BOOL CZUDPButton::IsDisabledLook(UINT uiState) const
{
    return (uiState & ODS_DISABLED) != 0 || (m_hWnd != nullptr && !IsWindowEnabled());
}

// ---------------------------------------------------------------------------
// The whole button

void CZUDPButton::Paint(CDC* pDC, const CRect& rect, UINT uiState)
{
    if (pDC == nullptr || m_hWnd == nullptr)
        return;
    // On the screen the picture is put together off-screen first; printed
    // into a memory DC it is off-screen already.
    std::optional<CZUDPMemDC> memDC;
    CDC* pPaintDC = pDC;
    if (::GetObjectType(pDC->GetSafeHdc()) != OBJ_MEMDC) {
        memDC.emplace(*pDC, this);
        pPaintDC = &memDC->GetDC();
    }
    m_clrFrameText = (COLORREF)-1;

    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bCheckStyle = IsCheckStyle();
    CRect rectContent = rect;

    if (bCheckStyle && !m_bTransparent) {
        CRect rectBackground = rect;
        DrawParentBackground(pPaintDC, rectBackground);
        const CSize sizeCheck = pManager->GetCheckBoxSize();
        CRect rectCheck = rect;
        if (m_bCheckOnRight)
            rectCheck.left = rect.right - sizeCheck.cx;
        else
            rectCheck.right = rect.left + sizeCheck.cx;
        // The mark follows the text to the top or bottom of a multi-line
        // button, else it sits in the middle.
        const DWORD dwStyle = GetStyle();
        rectCheck.top = (dwStyle & BS_MULTILINE) != 0 ? VerticalPlace(rect, sizeCheck.cy, dwStyle)
                                                      : rect.top + (rect.Height() - sizeCheck.cy) / 2;
        rectCheck.bottom = rectCheck.top + sizeCheck.cy;

        const BOOL bEnabled = !IsDisabledLook(uiState);
        const BOOL bHighlighted = m_bHot && bEnabled;
        const BOOL bPressed = m_bDown && bHighlighted;
        if (m_bRadio) {
            pManager->DrawRadioButton(pPaintDC, rectCheck, m_nChecked != 0 || bPressed, bHighlighted, bPressed,
                                      bEnabled);
        } else {
            const int nState = (m_bThreeState && m_bIndeterminate) ? 2 : (m_nChecked != 0 ? 1 : 0);
            // The button draws its own focus rectangle round the text, so
            // the mark is never drawn focused.
            pManager->DrawCheckBoxEx(pPaintDC, rectCheck, nState, FALSE, FALSE, bEnabled);
        }
        if (m_bCheckOnRight) {
            rectContent.right = rectCheck.left;
            rectContent.left++;
        } else {
            rectContent.left = rectCheck.right + 1;
        }
    } else {
        BOOL bFramed = FALSE;
        if (!m_bTransparent && !bCheckStyle && IsVisualManagerStyle()) {
            bFramed = pManager->DrawPushButtonFrame(pPaintDC, this, rect, uiState);
            if (bFramed)
                rectContent.DeflateRect(2, 2);
        }
        if (!bFramed) {
            FillBackground(pPaintDC, rect);
            DrawBorder(pPaintDC, rectContent, uiState);
        }
    }

    DrawContent(pPaintDC, rectContent, uiState);
    if ((uiState & ODS_FOCUS) != 0 && m_bDrawFocus)
        DrawFocusRect(pPaintDC, bCheckStyle ? rectContent : rect);
}

void CZUDPButton::FillBackground(CDC* pDC, const CRect& rect)
{
    if (m_bTransparent) {
        CRect rectBackground = rect;
        DrawParentBackground(pDC, rectBackground);
    } else if (m_clrFace != (COLORREF)-1) {
        pDC->FillSolidRect(rect, m_clrFace);
    } else {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    }
    if (m_nChecked != 0 && m_bTintChecked && !m_bDown) {
        CZUDPDrawManager dm(*pDC);
        dm.TintRect(rect, -1);
    }
}

void CZUDPButton::DrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    const CZUDPUIEnvironment& env = g_uiEnvironment;
    if (m_nBorderStyle == BorderStyleNone) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    BOOL bFaceDrawn = FALSE;
    if (UsesThemedFace())
        bFaceDrawn = CZUDPVisualManager::GetActiveManager()->DrawPushButtonFace(pDC, this, rectClient, uiState);

    const BOOL bPressedLook = (m_bDown && m_bHot) || (uiState & ODS_SELECTED) != 0 || m_nChecked != 0;
    if (bPressedLook) {
        if (!bFaceDrawn) {
            pDC->Draw3dRect(rectClient, env.m_colorDarkShadow, env.m_colorButtonHighlight);
            rectClient.DeflateRect(1, 1);
            if (m_nBorderStyle != BorderStyleFlat)
                pDC->Draw3dRect(rectClient, env.m_colorButtonShadow, env.m_colorLight);
            rectClient.DeflateRect(1, 1);
        } else {
            rectClient.DeflateRect(2, 2);
        }
        if (!UsesThemedFace()) {
            rectClient.left += m_sizePushOffset.cx;
            rectClient.top += m_sizePushOffset.cy;
        }
        return;
    }
    if (bFaceDrawn || (m_nBorderStyle == BorderStyleFlat && !m_bHot)) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    pDC->Draw3dRect(rectClient, env.m_colorButtonHighlight, env.m_colorDarkShadow);
    rectClient.DeflateRect(1, 1);
    if (m_nBorderStyle == BorderStyle3D || (m_nBorderStyle == BorderStyleSemiFlat && m_bHot))
        pDC->Draw3dRect(rectClient, env.m_colorLight, env.m_colorButtonShadow);
    rectClient.DeflateRect(1, 1);
}

// ---------------------------------------------------------------------------
// Content

void CZUDPButton::LayoutText(CDC* pDC, const CString& strText, CRect& rectText, UINT& uFormat)
{
    const DWORD dwStyle = GetStyle();
    const BOOL bPush = IsPushButton();
    const BOOL bCheckStyle = IsCheckStyle();
    const int margin = VerticalMargin();
    const int gap = ImageTextGap();
    BOOL bAlign = TRUE;
    if ((dwStyle & BS_MULTILINE) == 0) {
        if (bPush && strText.Find('\n') >= 0) {
            rectText.DeflateRect(0, margin / 2);
            uFormat = DT_END_ELLIPSIS;
        } else {
            uFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
            bAlign = !bCheckStyle;
        }
    } else {
        uFormat = DT_WORDBREAK | DT_END_ELLIPSIS;
        if (bPush)
            rectText.DeflateRect(margin / 2, margin / 2);
        CRect rectMeasure = rectText;
        pDC->DrawText(strText, rectMeasure, uFormat | DT_CALCRECT);
        const int height = std::min(rectMeasure.Height(), rectText.Height());
        rectText.top = VerticalPlace(rectText, height, dwStyle);
        rectText.bottom = rectText.top + height;
    }
    if (bAlign) {
        if (m_nTextAlignment == AlignRight) {
            uFormat |= DT_RIGHT;
            if (bPush)
                rectText.right -= gap / 2;
        } else if (m_nTextAlignment == AlignCenter) {
            uFormat |= DT_CENTER;
        } else if (bPush) {
            rectText.left += gap / 2;
        }
    }
    if ((GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        uFormat |= DT_RTLREADING;
}

void CZUDPButton::CheckTooltipForClippedText(CDC* pDC, const CString& strText, const CRect& rectText, UINT uFormat)
{
    BOOL bClipped = FALSE;
    if ((uFormat & DT_SINGLELINE) != 0) {
        CRect rectMeasure = rectText;
        pDC->DrawText(strText, rectMeasure, (uFormat & ~(DT_END_ELLIPSIS | DT_VCENTER)) | DT_CALCRECT);
        bClipped = rectMeasure.Width() > rectText.Width();
    }
    SetTipText(bClipped ? (LPCTSTR)strText : nullptr);
    m_bTooltipCheckPending = FALSE;
}

CZUDPToolBarImages* CZUDPButton::ImagesToDraw(BOOL bDisabledLook, BOOL& bDrawDisabled)
{
    auto choose = [&](BOOL bChecked) -> CZUDPToolBarImages& {
        if (bDisabledLook && !Images(bChecked, ImageDisabled).IsEmpty())
            return Images(bChecked, ImageDisabled);
        if (!bDisabledLook && m_bHot && !Images(bChecked, ImageHot).IsEmpty())
            return Images(bChecked, ImageHot);
        return Images(bChecked, ImageNormal);
    };
    BOOL bCheckedSet = m_nChecked != 0 && !choose(TRUE).IsEmpty();
    CZUDPToolBarImages& images = choose(bCheckedSet);
    if (images.IsEmpty())
        return nullptr;
    // Without a disabled image of its own the normal one is drawn greyed.
    bDrawDisabled = bDisabledLook && Images(bCheckedSet, ImageDisabled).IsEmpty();
    return &images;
}

void CZUDPButton::DrawContent(CDC* pDC, CRect rect, UINT uiState)
{
    CString strText;
    GetWindowText(strText);
    const int gap = ImageTextGap();
    const int margin = VerticalMargin();

    CRect rectText = rect;
    CRect rectImage = rect;
    if (m_sizeImage.cx != 0 && !strText.IsEmpty()) {
        if (m_bImageOnTop) {
            rectImage.bottom = rectText.top = rect.top + margin + m_sizeImage.cy;
            rectText.bottom -= margin;
        } else if (m_bImageOnRight) {
            rectImage.left = rect.right - gap / 2 - m_sizeImage.cx;
            rectImage.right = rect.right - gap / 2;
            rectText.right = rectImage.left;
        } else {
            rectImage.left = rect.left + gap / 2;
            rectImage.right = rect.left + m_sizeImage.cx + gap / 2;
            rectText.left = rectImage.right;
        }
    }
    if (m_sizeImage.cx != 0) {
        // Centred; an image wider than its place overflows both sides, but
        // never starts above it.
        const int x = rectImage.left + (rectImage.Width() - m_sizeImage.cx) / 2;
        const int y = rectImage.top + std::max<int>(0, (rectImage.Height() - m_sizeImage.cy) / 2);
        rectImage = CRect(CPoint(x, y), m_sizeImage);
    } else {
        rectImage.SetRectEmpty();
    }

    CFont* pOldFont = SelectFont(pDC);
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    COLORREF clrText = m_clrText;
    if (clrText == (COLORREF)-1)
        clrText = IsCheckStyle() ? g_uiEnvironment.m_colorBarText : g_uiEnvironment.m_colorButtonText;
    if (m_bHot && m_clrHotText != (COLORREF)-1)
        clrText = m_clrHotText;

    UINT uFormat = 0;
    LayoutText(pDC, strText, rectText, uFormat);

    const BOOL bDisabledLook = IsDisabledLook(uiState) && m_bGreyWhenDisabled;
    if (!bDisabledLook) {
        pDC->SetTextColor(m_clrFrameText != (COLORREF)-1 ? m_clrFrameText : clrText);
    } else if (IsOnGlass()) {
        pDC->SetTextColor(g_uiEnvironment.m_colorGrayText);
    } else {
        if (CZUDPVisualManager::GetActiveManager()->EmbossesDisabledButtonText()) {
            CRect rectEmboss = rectText;
            rectEmboss.OffsetRect(1, 1);
            pDC->SetTextColor(g_uiEnvironment.m_colorButtonHighlight);
            DrawText(pDC, rectEmboss, strText, uFormat, uiState);
        }
        pDC->SetTextColor(g_uiEnvironment.m_colorGrayText);
    }

    if (m_bTooltipCheckPending)
        CheckTooltipForClippedText(pDC, strText, rectText, uFormat);

    DrawText(pDC, rectText, strText, uFormat, uiState);

    if (!rectImage.IsRectEmpty()) {
        if (m_nGlyph >= 0) {
            int nGlyph = m_nGlyph;
            if (bDisabledLook && m_nDisabledGlyph > 0)
                nGlyph = m_nDisabledGlyph;
            DrawMenuGlyph(pDC, nGlyph, rectImage.TopLeft(), m_nGlyphColor);
        } else {
            BOOL bDrawDisabled = FALSE;
            CZUDPToolBarImages* pImages = ImagesToDraw(bDisabledLook, bDrawDisabled);
            CZUDPImageDrawState ds;
            if (pImages != nullptr && pImages->BeginDrawing(ds)) {
                pImages->RenderImage(pDC, rectImage.left, rectImage.top, 0, FALSE, bDrawDisabled);
                pImages->FinishDrawing(ds);
            }
        }
    }

    pDC->SetBkMode(nOldBkMode);
    pDC->SelectObject(pOldFont);
}

void CZUDPButton::DrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uFormat, UINT uiState)
{
    if (IsOnGlass()) {
        const COLORREF clrText = IsDisabledLook(uiState) ? g_uiEnvironment.m_colorGrayText
                                                         : g_uiEnvironment.m_colorBarText;
        CZUDPVisualManager::GetActiveManager()->DrawTextOnGlass(pDC, strText, rect, uFormat, 6, clrText);
        return;
    }
    CRect rectText = rect;
    pDC->DrawText(strText, rectText, uFormat);
}

void CZUDPButton::DrawFocusRect(CDC* pDC, const CRect& rectClient)
{
    if (!IsCheckStyle()) {
        CRect rectFocus = rectClient;
        rectFocus.DeflateRect(1, 1);
        if (IsOnGlass()) {
            CZUDPDrawManager dm(*pDC);
            dm.DrawBox(rectFocus, (COLORREF)-1, g_uiEnvironment.m_colorBarDarkShadow);
            return;
        }
        if (!UsesThemedFace()) {
            rectFocus.DeflateRect(1, 1);
            const COLORREF clrFace = m_clrFace != (COLORREF)-1 ? m_clrFace : g_uiEnvironment.m_colorButtonFace;
            pDC->Draw3dRect(rectFocus, clrFace, clrFace);
        }
        pDC->DrawFocusRect(rectFocus);
        return;
    }

    // Check boxes and radios: round the text, laid out as DrawContent lays
    // it out, one pixel wider on each side.
    CString strText;
    GetWindowText(strText);
    strText = FocusTextWithoutMnemonics(strText);
    if (strText.IsEmpty())
        return;
    CFont* pOldFont = SelectFont(pDC);
    const DWORD dwStyle = GetStyle();
    CRect rectFocus = rectClient;
    if ((dwStyle & BS_MULTILINE) != 0) {
        UINT uFormat = DT_WORDBREAK | DT_NOPREFIX;
        if (m_nTextAlignment == AlignRight)
            uFormat |= DT_RIGHT;
        else if (m_nTextAlignment == AlignCenter)
            uFormat |= DT_CENTER;
        CRect rectMeasure = rectClient;
        pDC->DrawText(strText, rectMeasure, uFormat | DT_CALCRECT);
        const int width = std::min(rectMeasure.Width(), rectClient.Width());
        if (m_nTextAlignment == AlignRight)
            rectFocus.left = rectClient.right - width;
        else if (m_nTextAlignment == AlignCenter)
            rectFocus.left = rectClient.left + (rectClient.Width() - width) / 2;
        rectFocus.right = rectFocus.left + width;
        rectFocus.top = VerticalPlace(rectClient, rectMeasure.Height(), dwStyle);
        rectFocus.bottom = rectFocus.top + rectMeasure.Height();
    } else {
        const CSize sizeText = pDC->GetTextExtent(strText);
        rectFocus.right = std::min(rectClient.right, rectClient.left + sizeText.cx);
        rectFocus.top = rectClient.top + (rectClient.Height() - sizeText.cy) / 2;
        rectFocus.bottom = rectFocus.top + sizeText.cy;
    }
    pDC->SelectObject(pOldFont);
    rectFocus.InflateRect(1, 1);
    rectFocus.top = std::max(rectFocus.top, rectClient.top);
    rectFocus.bottom = std::min(rectFocus.bottom, rectClient.bottom);
    if (IsOnGlass()) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rectFocus, (COLORREF)-1, g_uiEnvironment.m_colorBarDarkShadow);
        return;
    }
    pDC->DrawFocusRect(rectFocus);
}

// ---------------------------------------------------------------------------
// Size

CSize CZUDPButton::SizeToContent(BOOL bCalcOnly)
{
    if (m_hWnd == nullptr)
        return CSize(0, 0);
    CString strText;
    GetWindowText(strText);
    const int gap = ImageTextGap();
    const int margin = VerticalMargin();

    CSize sizeText(0, 0);
    {
        CClientDC dc(this);
        CFont* pOldFont = SelectFont(&dc);
        if (!strText.IsEmpty()) {
            if (strText.Find('\n') >= 0) {
                CRect rectMeasure;
                GetClientRect(rectMeasure);
                dc.DrawText(strText, rectMeasure, DT_CALCRECT | DT_WORDBREAK);
                sizeText = rectMeasure.Size();
            } else {
                CRect rectMeasure(0, 0, 0, 0);
                dc.DrawText(strText, rectMeasure, DT_CALCRECT | DT_SINGLELINE);
                sizeText = rectMeasure.Size();
            }
        }
        dc.SelectObject(pOldFont);
    }
    const BOOL bHasText = !strText.IsEmpty();
    CSize size;
    if (m_bImageOnTop) {
        size.cx = std::max(m_sizeImage.cx, sizeText.cx) + gap + (bHasText ? gap : 0);
        size.cy = m_sizeImage.cy + 2 * margin + sizeText.cy + (bHasText ? margin : 0);
    } else {
        size.cx = gap + m_sizeImage.cx + sizeText.cx + (bHasText ? gap : 0);
        size.cy = std::max(m_sizeImage.cy, sizeText.cy) + 2 * margin;
    }
    if (!bCalcOnly)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}
