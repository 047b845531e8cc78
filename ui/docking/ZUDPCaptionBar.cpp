#include "ui/docking/ZUDPCaptionBar.h"

#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPCaptionBar, CZUDPControlBar)

namespace {

// The caption bar's kind of tooltip control.
constexpr UINT kCaptionBarToolTipKind = 1024;
constexpr UINT kCaptionBarTextFlags = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

// Keeps a rectangle between C's edges less the margin; with bKeepWidth
// the opposite edge follows, and when both edges had to move the left one
// wins.
void ClampInto(CRect& rect, const CRect& rectArea, int nMargin, BOOL bKeepWidth)
{
    const int nLeft = rectArea.left + nMargin;
    const int nRight = rectArea.right - nMargin;
    const int nWidth = rect.Width();
    BOOL bLeftMoved = FALSE;
    if (rect.left < nLeft) {
        rect.left = nLeft;
        if (bKeepWidth)
            rect.right = nLeft + nWidth;
        bLeftMoved = TRUE;
    }
    if (rect.right > nRight) {
        rect.right = nRight;
        if (bKeepWidth)
            rect.left = nRight - nWidth;
        if (bKeepWidth && bLeftMoved) {
            rect.left = nLeft;
            rect.right = nLeft + nWidth;
        }
    }
}

// Only the part of the rectangle on one side of the obstacle (widened by
// the spacing) is kept; empty when nothing is left there.
void MoveClear(CRect& rect, CRect rectObstacle, BOOL bKeepLeft, int nSpacing)
{
    if (rect.IsRectEmpty() || rectObstacle.IsRectEmpty())
        return;
    rectObstacle.InflateRect(nSpacing, 0);
    if (bKeepLeft) {
        if (rect.right > rectObstacle.left)
            rect.right = rectObstacle.left > rect.left ? rectObstacle.left : rect.left;
    } else {
        if (rect.left < rectObstacle.right)
            rect.left = rectObstacle.right < rect.right ? rectObstacle.right : rect.right;
    }
}

CFont* PartFont(int nKind, BOOL bHot, CFont* pFont)
{
    if (nKind == CZUDPCaptionBar::kPartBold)
        return &g_uiEnvironment.m_fontBold;
    if (nKind == CZUDPCaptionBar::kPartHyperlink && bHot)
        return &g_uiEnvironment.m_fontUnderline;
    return pFont;
}

} // namespace

BEGIN_MESSAGE_MAP(CZUDPCaptionBar, CZUDPControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSELEAVE()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_SETFONT, &CZUDPCaptionBar::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CZUDPCaptionBar::OnGetFont)
    ON_REGISTERED_MESSAGE(ZUDM_UPDATETOOLTIPS, &CZUDPCaptionBar::OnUpdateToolTips)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CZUDPCaptionBar::OnNeedToolTipText)
END_MESSAGE_MAP()

CZUDPCaptionBar::CZUDPCaptionBar() = default;

CZUDPCaptionBar::~CZUDPCaptionBar() = default;

BOOL CZUDPCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uiID, int nHeight, BOOL bIsMessageBarMode)
{
    m_nDefaultHeight = nHeight;
    m_bMessageBarMode = bIsMessageBarMode;
    return CreateBar(0, nullptr, "Caption Bar", dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, uiID, 0);
}

// ---------------------------------------------------------------------------
// Contents

void CZUDPCaptionBar::SetText(LPCTSTR lpszText, int nAlignment)
{
    m_strText = lpszText != nullptr ? lpszText : "";
    m_arTextParts.RemoveAll();
    m_arPartKinds.RemoveAll();
    if (!m_strText.IsEmpty()) {
        m_arTextParts.Add(m_strText);
        m_arPartKinds.Add(kPartPlain);
    }
    m_nTextAlignment = nAlignment;
    m_nHotHyperlink = m_nPressedHyperlink = -1;
    UpdateLayout();
}

void CZUDPCaptionBar::AppendTextPart(LPCTSTR lpszText, int nKind)
{
    if (lpszText == nullptr || *lpszText == '\0')
        return;
    m_arTextParts.Add(lpszText);
    m_arPartKinds.Add(nKind == kPartHyperlink || nKind == kPartBold ? nKind : kPartPlain);
    m_strText += lpszText;
    UpdateLayout();
}

void CZUDPCaptionBar::RemoveText() { SetText(nullptr, m_nTextAlignment); }

void CZUDPCaptionBar::SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, int nAlignment, BOOL bHasDropDownArrow)
{
    m_strBtnText = lpszLabel != nullptr ? lpszLabel : "";
    m_uiBtnID = uiCmdUI;
    m_nBtnAlignment = nAlignment;
    m_bBtnHasDropDownArrow = bHasDropDownArrow;
    UpdateLayout();
}

void CZUDPCaptionBar::RemoveButton() { SetButton(nullptr, 0, m_nBtnAlignment, m_bBtnHasDropDownArrow); }

void CZUDPCaptionBar::EnableButton(BOOL bEnable)
{
    m_bBtnEnabled = bEnable;
    RepaintRect(m_rectButton);
}

void CZUDPCaptionBar::SetButtonPressed(BOOL bPressed)
{
    m_bIsBtnForcePressed = bPressed;
    RepaintRect(m_rectButton);
}

void CZUDPCaptionBar::SetButtonToolTip(LPCTSTR lpszToolTip, LPCTSTR lpszDescription)
{
    m_strButtonToolTip = lpszToolTip != nullptr ? lpszToolTip : "";
    m_strButtonDescription = lpszDescription != nullptr ? lpszDescription : "";
    UpdateToolTipRects();
}

void CZUDPCaptionBar::SetIcon(HICON hIcon, int nAlignment)
{
    m_hIcon = hIcon;
    m_nImageAlignment = nAlignment;
    UpdateLayout();
}

void CZUDPCaptionBar::RemoveIcon() { SetIcon(nullptr, m_nImageAlignment); }

void CZUDPCaptionBar::SetImageToolTip(LPCTSTR lpszToolTip, LPCTSTR lpszDescription)
{
    m_strImageToolTip = lpszToolTip != nullptr ? lpszToolTip : "";
    m_strImageDescription = lpszDescription != nullptr ? lpszDescription : "";
    UpdateToolTipRects();
}

void CZUDPCaptionBar::SetMessageBarMode(BOOL bMessageBarMode)
{
    m_bMessageBarMode = bMessageBarMode;
    UpdateLayout();
}

// ---------------------------------------------------------------------------
// Layout

CSize CZUDPCaptionBar::GetImageSize() const
{
    if (m_hIcon == nullptr)
        return CSize(0, 0);
    ICONINFO info = {};
    if (!::GetIconInfo(m_hIcon, &info))
        return CSize(0, 0);
    BITMAP bm = {};
    ::GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    CSize size(bm.bmWidth, info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    return size;
}

void CZUDPCaptionBar::UpdateLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    RecalcLayout();
    if (CFrameWnd* pFrame = GetEnclosingFrame(this))
        pFrame->RecalcLayout(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

CSize CZUDPCaptionBar::CalcStretchSize(BOOL bStretch, BOOL bHorz)
{
    (void)bStretch;
    (void)bHorz;
    RecalcLayout();
    return CSize(32767, m_nCurrentHeight);
}

void CZUDPCaptionBar::RecalcLayout()
{
    CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(m_hFont != nullptr ? CFont::FromHandle(m_hFont) : &g_uiEnvironment.m_fontRegular);
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    const CSize sizeImage = GetImageSize();
    const int nMessageMargin = CZUDPVisualManager::GetActiveManager()->GetCaptionBarMessageMargin();

    if (m_nDefaultHeight == -1) {
        int nHeight = tm.tmHeight + 2;
        if (!m_strBtnText.IsEmpty() && m_bMessageBarMode)
            nHeight += 2 * nMessageMargin;
        m_nCurrentHeight = (sizeImage.cy > nHeight ? sizeImage.cy : nHeight) + 2 * m_nMargin + m_nBorderSize;
    } else {
        m_nCurrentHeight = m_nDefaultHeight;
    }
    if (m_bMessageBarMode)
        m_nCurrentHeight += 2 * nMessageMargin;

    m_rectImage.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_rectDrawText.SetRectEmpty();
    m_rectButton.SetRectEmpty();
    m_rectClose.SetRectEmpty();
    m_bButtonAfterText = FALSE;
    m_bTextIsTruncated = FALSE;

    CRect rectArea;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rectArea);
    if (rectArea.IsRectEmpty()) {
        dc.SelectObject(pOldFont);
        return;
    }
    if (m_bMessageBarMode) {
        const CSize sizeGlyph = GetMenuGlyphSize();
        const int nCloseWidth = sizeGlyph.cx + 8;
        m_rectClose = CRect(rectArea.right - nCloseWidth, rectArea.top + 4, rectArea.right,
                            rectArea.top + 4 + sizeGlyph.cy + 8);
        rectArea.DeflateRect(4, 4);
        rectArea.right -= nCloseWidth;
    }
    int nLeft = rectArea.left + m_nMargin;
    int nRight = rectArea.right - m_nMargin;
    const int cy = (rectArea.top + rectArea.bottom) / 2;
    int cx = (rectArea.left + rectArea.right) / 2;
    const int nSpacing = m_nHorzElementOffset;

    // The image.
    if (HasImage()) {
        const int nTop = (sizeImage.cy < rectArea.Height() || m_bMessageBarMode) ? cy - sizeImage.cy / 2
                                                                                 : rectArea.top + m_nMargin;
        const int nBottom = m_bStretchImage ? rectArea.bottom - m_nMargin : nTop + sizeImage.cy;
        switch (m_nImageAlignment) {
        case kAlignLeft:
            m_rectImage = CRect(nLeft, nTop, nLeft + sizeImage.cx, nBottom);
            nLeft += sizeImage.cx + nSpacing;
            break;
        case kAlignRight:
            m_rectImage = CRect(nRight - sizeImage.cx, nTop, nRight, nBottom);
            nRight -= sizeImage.cx + nSpacing;
            break;
        case kAlignCenter:
            cx -= sizeImage.cx / 2;
            m_rectImage = CRect(0, nTop, sizeImage.cx, nBottom);
            break;
        default:
            break;
        }
    }

    // The button.
    BOOL bLayoutEnds = FALSE;
    int nButtonWidth = 0;
    if (!m_strBtnText.IsEmpty()) {
        nButtonWidth = dc.GetTextExtent(m_strBtnText).cx + 2 * nSpacing;
        if (m_bMessageBarMode)
            nButtonWidth += 20;
        if (m_uiBtnID != 0 && m_bBtnEnabled && m_bBtnHasDropDownArrow)
            nButtonWidth += 10;
        CRect rectVert(0, rectArea.top, 0, rectArea.bottom);
        if (m_bMessageBarMode)
            rectVert.DeflateRect(0, nMessageMargin);
        switch (m_nBtnAlignment) {
        case kAlignLeft:
            if (m_bMessageBarMode && m_nTextAlignment == kAlignLeft) {
                m_bButtonAfterText = TRUE;
                m_rectButton = CRect(0, rectVert.top, nButtonWidth, rectVert.bottom);
            } else {
                m_rectButton = CRect(nLeft, rectVert.top, nLeft + nButtonWidth, rectVert.bottom);
                nLeft += nButtonWidth + nSpacing;
            }
            break;
        case kAlignRight:
            m_rectButton = CRect(nRight - nButtonWidth, rectVert.top, nRight, rectVert.bottom);
            nRight -= nButtonWidth + nSpacing;
            break;
        case kAlignCenter:
            cx -= nButtonWidth / 2;
            m_rectButton = CRect(0, rectVert.top, nButtonWidth, rectVert.bottom);
            break;
        default:
            bLayoutEnds = TRUE;
            break;
        }
    }

    // The text.
    if (!bLayoutEnds && !m_strText.IsEmpty()) {
        const CSize sizeText = MeasureText(&dc, m_strText);
        const int nTop = cy - sizeText.cy / 2;
        switch (m_nTextAlignment) {
        case kAlignLeft:
            m_rectText = CRect(nLeft, nTop, nLeft + sizeText.cx, nTop + sizeText.cy);
            nLeft += sizeText.cx + 2 * m_nMargin;
            break;
        case kAlignRight:
            m_rectText = CRect(nRight - sizeText.cx, nTop, nRight, nTop + sizeText.cy);
            break;
        case kAlignCenter:
            cx -= sizeText.cx / 2;
            m_rectText = CRect(0, nTop, sizeText.cx, nTop + sizeText.cy);
            break;
        default:
            bLayoutEnds = TRUE;
            break;
        }
    }
    if (bLayoutEnds) {
        dc.SelectObject(pOldFont);
        return;
    }

    // Centred elements follow each other from cx: image, button, text.
    int x = cx;
    if (HasImage() && m_nImageAlignment == kAlignCenter) {
        m_rectImage.OffsetRect(x - m_rectImage.left, 0);
        x += m_rectImage.Width() + nSpacing;
    }
    if (!m_strBtnText.IsEmpty() && m_nBtnAlignment == kAlignCenter) {
        m_rectButton.OffsetRect(x - m_rectButton.left, 0);
        x += m_rectButton.Width() + nSpacing;
    }
    if (!m_strText.IsEmpty() && m_nTextAlignment == kAlignCenter)
        m_rectText.OffsetRect(x - m_rectText.left, 0);
    if (!m_strText.IsEmpty()) {
        const int nTextWidth = m_rectText.Width();
        ClampInto(m_rectText, rectArea, m_nMargin, FALSE);
        m_rectDrawText = m_rectText;
        m_rectText.right = m_rectText.left + nTextWidth;   // the full text size stays known
    }
    if (m_bButtonAfterText) {
        m_rectButton.OffsetRect(nLeft - m_rectButton.left, 0);
        if (m_rectButton.right > rectArea.right - m_nMargin)
            m_rectButton.OffsetRect(rectArea.right - m_nMargin - m_rectButton.right, 0);
    }

    // The image stays inside, or goes.
    if (HasImage()) {
        if (!m_bStretchImage)
            ClampInto(m_rectImage, rectArea, m_nMargin, TRUE);
        if (m_rectImage.left < rectArea.left || m_rectImage.right > rectArea.right)
            m_rectImage.SetRectEmpty();
    }

    // The button keeps clear of the image; a bar too narrow for both shows
    // no button, but the text still keeps clear of where it would be.
    const BOOL bImageRight = m_nImageAlignment == kAlignRight;
    CRect rectButtonRoom = m_rectButton;
    if (!rectButtonRoom.IsRectEmpty()) {
        MoveClear(rectButtonRoom, m_rectImage,
                  bImageRight || (m_nImageAlignment == kAlignCenter && m_nBtnAlignment == kAlignLeft), nSpacing);
        ClampInto(rectButtonRoom, rectArea, m_nMargin, FALSE);
        if (m_rectImage.Width() + m_rectButton.Width() + 2 * m_nMargin > rectArea.Width())
            m_rectButton.SetRectEmpty();
    }
    MoveClear(m_rectDrawText, m_rectImage,
              bImageRight || (m_nImageAlignment == kAlignCenter && m_nTextAlignment == kAlignLeft), nSpacing);
    MoveClear(m_rectDrawText, rectButtonRoom,
              m_nBtnAlignment == kAlignRight || (m_nBtnAlignment == kAlignCenter && m_nTextAlignment == kAlignLeft) ||
                  m_bButtonAfterText,
              nSpacing);
    m_bTextIsTruncated = m_rectDrawText.Width() < m_rectText.Width();
    dc.SelectObject(pOldFont);
    UpdateToolTipRects();
}

CSize CZUDPCaptionBar::MeasureText(CDC* pDC, const CString& strText)
{
    if (m_arTextParts.GetSize() == 0)
        return CSize(0, 0);
    if (m_arTextParts.GetSize() == 1)
        return pDC->GetTextExtent(strText);
    CSize size(0, 0);
    CFont* pFont = m_hFont != nullptr ? CFont::FromHandle(m_hFont) : &g_uiEnvironment.m_fontRegular;
    for (int i = 0; i < m_arTextParts.GetSize(); ++i) {
        const CString& strPart = m_arTextParts[i];
        if (strPart.IsEmpty())
            continue;
        CFont* pOld = pDC->SelectObject(PartFont(m_arPartKinds[i], m_arPartKinds[i] == kPartHyperlink, pFont));
        const CSize sizePart = pDC->GetTextExtent(strPart);
        pDC->SelectObject(pOld);
        size.cx += sizePart.cx;
        if (sizePart.cy > size.cy)
            size.cy = sizePart.cy;
    }
    return size;
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPCaptionBar::PaintBar(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    PaintBackground(pDC, rectClient);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrText =
        m_clrBarText != (COLORREF)-1 ? m_clrBarText : CZUDPVisualManager::GetActiveManager()->GetCaptionBarTextColor(this);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    CFont* pOldFont = pDC->SelectObject(m_hFont != nullptr ? CFont::FromHandle(m_hFont) : &g_uiEnvironment.m_fontRegular);
    if (!m_rectButton.IsRectEmpty())
        PaintButton(pDC, m_rectButton, m_strBtnText, m_bBtnEnabled);
    PaintText(pDC, m_rectDrawText, m_strText);
    if (!m_rectImage.IsRectEmpty())
        PaintImage(pDC, m_rectImage);
    if (!m_rectClose.IsRectEmpty()) {
        const COLORREF clrBox = CZUDPVisualManager::GetActiveManager()->FillCaptionBarMessageButton(
            pDC, this, m_rectClose, m_bIsCloseBtnPressed, m_bIsCloseBtnHighlighted, FALSE, FALSE, TRUE);
        const BOOL bDark = clrBox == (COLORREF)-1 || GetRValue(clrBox) < 193 || GetGValue(clrBox) < 193 ||
                           GetBValue(clrBox) < 193;
        DrawMenuGlyphCentered(pDC, MenuGlyphClose, m_rectClose, bDark ? 0 : 3);
        CZUDPVisualManager::GetActiveManager()->DrawCaptionBarButtonBorder(pDC, this, m_rectClose,
                                                                           m_bIsCloseBtnPressed,
                                                                           m_bIsCloseBtnHighlighted);
    }
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
}

void CZUDPCaptionBar::PaintBackground(CDC* pDC, CRect rect)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    pManager->FillBarBackground(pDC, this, rect, rect);
    if (m_bMessageBarMode) {
        rect.DeflateRect(pManager->GetCaptionBarMessageMargin(), pManager->GetCaptionBarMessageMargin());
        rect.right -= m_rectClose.Width();
        pManager->FillCaptionBarInfoArea(pDC, this, rect);
    }
}

void CZUDPCaptionBar::PaintBorderStrip(CDC* pDC, CRect rect)
{
    rect.InflateRect(2, 2);
    CZUDPVisualManager::GetActiveManager()->FillCaptionBarButton(pDC, this, rect, m_clrBarBorder, m_bFlatBorder);
}

void CZUDPCaptionBar::PaintButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bPressedLook = m_bIsBtnPressed || m_bIsBtnForcePressed;
    const BOOL bDropDown = m_uiBtnID != 0 && m_bBtnHasDropDownArrow;
    const COLORREF clrText = pManager->FillCaptionBarMessageButton(pDC, this, rect, bPressedLook, m_bIsBtnHighligted,
                                                                   !bEnabled, m_bBtnHasDropDownArrow, FALSE);
    CRect rectText = rect;
    rectText.DeflateRect(m_nHorzElementOffset + (m_bMessageBarMode ? 10 : 0), 0);
    if (bDropDown)
        rectText.right -= 10;
    const COLORREF clrOld = clrText != (COLORREF)-1 ? pDC->SetTextColor(clrText) : pDC->GetTextColor();
    pDC->DrawText(strButton, &rectText, kCaptionBarTextFlags);
    if (bDropDown) {
        // A small filled triangle in the text colour, pointing down.
        const int x = (rectText.right + rect.right) / 2;
        const int t = rect.bottom - m_nMargin - 6;
        const POINT points[3] = {{x - 3, t}, {x + 3, t}, {x, t + 3}};
        CBrush brush(pDC->GetTextColor());
        CPen pen(PS_NULL, 0, RGB(0, 0, 0));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        const int nOldFill = ::SetPolyFillMode(pDC->m_hDC, WINDING);
        pDC->Polygon(points, 3);
        ::SetPolyFillMode(pDC->m_hDC, nOldFill);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    pDC->SetTextColor(clrOld);
    pManager->DrawCaptionBarButtonBorder(pDC, this, rect, bPressedLook, m_bIsBtnHighligted);
}

void CZUDPCaptionBar::PaintText(CDC* pDC, const CRect& rect, const CString& strText)
{
    m_arLinkRects.RemoveAll();
    if (m_arTextParts.GetSize() == 0 || rect.IsRectEmpty())
        return;
    if (m_arTextParts.GetSize() == 1) {
        CRect rectText = rect;
        pDC->DrawText(strText, &rectText, kCaptionBarTextFlags);
        return;
    }
    CFont* pFont = m_hFont != nullptr ? CFont::FromHandle(m_hFont) : &g_uiEnvironment.m_fontRegular;
    int x = rect.left;
    int nLink = 0;
    for (int i = 0; i < m_arTextParts.GetSize(); ++i) {
        const CString& strPart = m_arTextParts[i];
        if (strPart.IsEmpty())
            continue;
        const int nKind = m_arPartKinds[i];
        CFont* pOld = pDC->SelectObject(PartFont(nKind, nKind == kPartHyperlink && nLink == m_nHotHyperlink, pFont));
        const CSize sizePart = pDC->GetTextExtent(strPart);
        CRect rectPart(x, rect.top, x + sizePart.cx, rect.bottom);
        if (rectPart.right > rect.right)
            rectPart.right = rect.right;
        if (rectPart.left < rectPart.right)
            pDC->DrawText(strPart, &rectPart, kCaptionBarTextFlags);
        pDC->SelectObject(pOld);
        if (nKind == kPartHyperlink) {
            m_arLinkRects.Add(CRect(x, rect.top, x + sizePart.cx, rect.bottom));
            ++nLink;
        }
        x += sizePart.cx;
    }
}

void CZUDPCaptionBar::PaintImage(CDC* pDC, CRect rect)
{
    if (m_hIcon != nullptr)
        ::DrawIconEx(pDC->m_hDC, rect.left, rect.top, m_hIcon, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}

BOOL CZUDPCaptionBar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CZUDPCaptionBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    lpncsp->rgrc[0].top += m_nBorderSize;
    lpncsp->rgrc[0].bottom -= m_nBorderSize;
    if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top)
        lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

void CZUDPCaptionBar::OnNcPaint()
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == nullptr)
        return;
    CDC dc;
    dc.Attach(hDC);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    CRect rectScreen;
    GetWindowRect(&rectScreen);
    rectClient.OffsetRect(-rectScreen.left, -rectScreen.top);
    ::ExcludeClipRect(hDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    PaintBorderStrip(&dc, CRect(rectWindow.left, rectWindow.bottom - m_nBorderSize, rectWindow.right,
                                rectWindow.bottom));
    PaintBorderStrip(&dc, CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectWindow.top + m_nBorderSize));
    dc.Detach();
    ::ReleaseDC(m_hWnd, hDC);
}

void CZUDPCaptionBar::RepaintRect(const CRect& rect)
{
    if (GetSafeHwnd() != nullptr && !rect.IsRectEmpty())
        InvalidateRect(&rect);
}

// ---------------------------------------------------------------------------
// Window and mouse

int CZUDPCaptionBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    SetWindowText("Caption Bar");
    CreateToolTip();
    RecalcLayout();
    return 0;
}

void CZUDPCaptionBar::CreateToolTip()
{
    if (!CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, kCaptionBarToolTipKind) || m_pToolTip == nullptr)
        return;
    m_pToolTip->SetMaxTipWidth(640);
    for (UINT nTool = kToolCloseBox; nTool <= kToolButton; ++nTool)
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACKA, CRect(0, 0, 0, 0), nTool);
}

void CZUDPCaptionBar::OnDestroy()
{
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    CZUDPControlBar::OnDestroy();
}

void CZUDPCaptionBar::OnSize(UINT nType, int cx, int cy)
{
    CZUDPControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate();
}

LRESULT CZUDPCaptionBar::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    RecalcLayout();
    if (LOWORD(lParam) != 0)
        Invalidate();
    return 0;
}

LRESULT CZUDPCaptionBar::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hFont); }

LRESULT CZUDPCaptionBar::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((wParam & kCaptionBarToolTipKind) == 0)
        return 0;
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    CreateToolTip();
    UpdateToolTipRects();
    return 0;
}

void CZUDPCaptionBar::UpdateToolTipRects()
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    const CRect rectEmpty(0, 0, 0, 0);
    m_pToolTip->SetToolRect(this, kToolCloseBox, &m_rectClose);
    m_pToolTip->SetToolRect(this, kToolText, m_bTextIsTruncated ? &m_rectDrawText : &rectEmpty);
    m_pToolTip->SetToolRect(this, kToolImage, m_strImageToolTip.IsEmpty() ? &rectEmpty : &m_rectImage);
    m_pToolTip->SetToolRect(this, kToolButton, m_strButtonToolTip.IsEmpty() ? &rectEmpty : &m_rectButton);
}

BOOL CZUDPCaptionBar::GetToolTipText(int nTool, CString& strText, CString& strDescription) const
{
    strText.Empty();
    strDescription.Empty();
    switch (nTool) {
    case kToolCloseBox:
        strText.LoadString(IDS_ZUDP_TAB_CLOSE);
        break;
    case kToolText:
        // Character 8 marks places in the text; the tip shows it without them.
        for (int i = 0; i < m_strText.GetLength(); ++i) {
            if (m_strText[i] != '\b')
                strText += m_strText[i];
        }
        break;
    case kToolImage:
        strText = m_strImageToolTip;
        strDescription = m_strImageDescription;
        break;
    case kToolButton:
        strText = m_strButtonToolTip;
        strDescription = m_strButtonDescription;
        break;
    default:
        break;
    }
    return !strText.IsEmpty();
}

BOOL CZUDPCaptionBar::OnNeedToolTipText(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    (void)id;
    if (m_pToolTip == nullptr || pNMH->hwndFrom != m_pToolTip->GetSafeHwnd() || g_activePopupMenu != nullptr)
        return FALSE;
    static CString s_strTip;
    CString strDescription;
    if (!GetToolTipText(int(pNMH->idFrom), s_strTip, strDescription))
        return FALSE;
    reinterpret_cast<NMTTDISPINFOA*>(pNMH)->lpszText = const_cast<LPSTR>((LPCTSTR)s_strTip);
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

BOOL CZUDPCaptionBar::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->RelayEvent(pMsg);
        break;
    default:
        break;
    }
    return CZUDPControlBar::PreTranslateMessage(pMsg);
}

int CZUDPCaptionBar::HyperlinkAt(CPoint point) const
{
    for (int i = 0; i < m_arLinkRects.GetSize(); ++i) {
        if (m_arLinkRects[i].PtInRect(point))
            return i;
    }
    return -1;
}

BOOL CZUDPCaptionBar::NotifyOwner(UINT message, WPARAM wParam)
{
    const HWND hWnd = m_hWnd;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(message, wParam, 0);
    // The owner may have destroyed the bar in its handler.
    return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this;
}

void CZUDPCaptionBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CZUDPControlBar::OnMouseMove(nFlags, point);
    BOOL bChanged = FALSE;
    if (m_uiBtnID != 0 && m_bBtnEnabled) {
        const BOOL bHot = m_rectButton.PtInRect(point);
        if (bHot != m_bIsBtnHighligted) {
            m_bIsBtnHighligted = bHot;
            m_bIsBtnPressed = (nFlags & MK_LBUTTON) != 0 && bHot;
            RepaintRect(m_rectButton);
            bChanged = TRUE;
        }
    }
    if (!m_rectClose.IsRectEmpty()) {
        const BOOL bHot = m_rectClose.PtInRect(point);
        if (bHot != m_bIsCloseBtnHighlighted) {
            m_bIsCloseBtnHighlighted = bHot;
            m_bIsCloseBtnPressed = (nFlags & MK_LBUTTON) != 0 && bHot;
            RepaintRect(m_rectClose);
            bChanged = TRUE;
        }
    }
    const int nLink = HyperlinkAt(point);
    if (nLink != m_nHotHyperlink) {
        if (m_nHotHyperlink >= 0 && m_nHotHyperlink < m_arLinkRects.GetSize())
            RepaintRect(m_arLinkRects[m_nHotHyperlink]);
        m_nHotHyperlink = nLink;
        if (nLink >= 0)
            RepaintRect(m_arLinkRects[nLink]);
        bChanged = TRUE;
    }
    if (bChanged && !m_bTracked) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        TrackMouseLeave(&tme);
        m_bTracked = TRUE;
    }
}

void CZUDPCaptionBar::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (m_bIsBtnHighligted || m_bIsBtnPressed) {
        m_bIsBtnHighligted = m_bIsBtnPressed = FALSE;
        RepaintRect(m_rectButton);
    }
    if (m_bIsCloseBtnHighlighted || m_bIsCloseBtnPressed) {
        m_bIsCloseBtnHighlighted = m_bIsCloseBtnPressed = FALSE;
        RepaintRect(m_rectClose);
    }
    if (m_nHotHyperlink >= 0 && m_nHotHyperlink < m_arLinkRects.GetSize())
        RepaintRect(m_arLinkRects[m_nHotHyperlink]);
    m_nHotHyperlink = -1;
}

void CZUDPCaptionBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CZUDPControlBar::OnLButtonDown(nFlags, point);
    m_nPressedHyperlink = HyperlinkAt(point);
    if (m_bIsBtnHighligted && m_bBtnEnabled && m_uiBtnID != 0 && m_rectButton.PtInRect(point)) {
        m_bIsBtnPressed = TRUE;
        RepaintRect(m_rectButton);
        if (m_bBtnHasDropDownArrow) {
            // The drop-down's command goes out on the press; the owner may
            // open a menu (or destroy the bar) in its handler, so the bar's
            // state is settled before and not touched after.
            m_bIsBtnPressed = FALSE;
            m_bIsBtnHighligted = FALSE;
            m_nPressedHyperlink = -1;
            if (!NotifyOwner(WM_COMMAND, m_uiBtnID))
                return;
            RepaintRect(m_rectButton);
        }
        return;
    }
    if (m_bIsCloseBtnHighlighted && m_rectClose.PtInRect(point)) {
        m_bIsCloseBtnPressed = TRUE;
        RepaintRect(m_rectClose);
    }
}

void CZUDPCaptionBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CZUDPControlBar::OnLButtonUp(nFlags, point);
    const int nPressedLink = m_nPressedHyperlink;
    m_nPressedHyperlink = -1;
    if (m_bIsBtnPressed) {
        m_bIsBtnPressed = FALSE;
        RepaintRect(m_rectButton);
        if (!m_bBtnHasDropDownArrow && m_uiBtnID != 0)
            NotifyOwner(WM_COMMAND, m_uiBtnID);
        return;
    }
    if (m_bIsCloseBtnPressed) {
        m_bIsCloseBtnPressed = FALSE;
        m_bIsCloseBtnHighlighted = FALSE;
        RepaintRect(m_rectClose);
        ShowBar(FALSE, FALSE, FALSE);
        return;
    }
    if (nPressedLink >= 0 && nPressedLink == m_nHotHyperlink)
        NotifyOwner(ZUDM_ON_CLICK_CAPTIONBAR_HYPERLINK, WPARAM(nPressedLink));
}

void CZUDPCaptionBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (g_customizeMode) {
        Default();
        return;
    }
    (void)nFlags;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    ShowContextMenu(GetOwner() != nullptr ? GetOwner() : GetParent(), ptScreen.x, ptScreen.y);
}

BOOL CZUDPCaptionBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd;
    (void)nHitTest;
    (void)message;
    POINT pt = {};
    g_frameworkSeams.cursorPos(&pt);
    ScreenToClient(&pt);
    if (HyperlinkAt(pt) >= 0) {
        ::SetCursor(g_uiEnvironment.GetHandCursor());
        return TRUE;
    }
    return BOOL(Default());
}
