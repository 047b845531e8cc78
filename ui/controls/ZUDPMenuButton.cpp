#include "ui/controls/ZUDPMenuButton.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

IMPLEMENT_DYNCREATE(CZUDPMenuButton, CZUDPButton)

BEGIN_MESSAGE_MAP(CZUDPMenuButton, CZUDPButton)
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

// The arrow part's width beyond the glyph.
const int kArrowPadding = 10;

} // namespace

CRect CZUDPMenuButton::GetArrowPart() const
{
    CRect rectClient;
    GetClientRect(rectClient);
    rectClient.left = rectClient.right - (GetMenuGlyphSize().cx + kArrowPadding);
    return rectClient;
}

// ---------------------------------------------------------------------------
// The menu

void CZUDPMenuButton::ShowMenu()
{
    if (m_hMenu == nullptr || m_bMenuOpen || m_hWnd == nullptr)
        return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    const CPoint point = m_bRightArrow ? CPoint(rectWindow.right, rectWindow.top)
                                       : CPoint(rectWindow.left, rectWindow.bottom);
    if (m_bStayPressed)
        m_bDown = m_bHot = TRUE;
    m_bMenuOpen = TRUE;
    Invalidate();

    const HWND hWnd = m_hWnd;
    int nChosen = 0;
    if (m_bSystemPopup || g_contextMenuManager == nullptr) {
        nChosen = (int)g_frameworkSeams.trackPopupMenu(m_hMenu, TPM_LEFTALIGN | TPM_NONOTIFY | TPM_RETURNCMD,
                                                       point.x, point.y, hWnd, nullptr);
    } else {
        nChosen = (int)g_contextMenuManager->TrackPopupMenu(m_hMenu, point.x, point.y, this);
        if (::IsWindow(hWnd))
            ::SetFocus(hWnd);
    }

    // While the menu ran the parent may have destroyed the button (and its
    // object with it): nothing of it is touched then.
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return;
    m_nChosenCommand = nChosen;
    m_bDown = m_bHot = m_bMenuOpen = FALSE;
    RepaintNow();
    ReleaseHeldCapture();
    // The parent is told last: its handler may destroy the button.
    if (nChosen != 0) {
        const HWND hWndParent = ::GetParent(hWnd);
        if (hWndParent != nullptr)
            ::SendMessageA(hWndParent, WM_COMMAND, (WPARAM)(WORD)::GetDlgCtrlID(hWnd), (LPARAM)hWnd);
    }
}

// ---------------------------------------------------------------------------
// Keyboard and mouse

BOOL CZUDPMenuButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd &&
        g_activePopupMenu == nullptr) {
        m_bOpenedByPress = TRUE;
        ShowMenu();
        return TRUE;
    }
    return CZUDPButton::PreTranslateMessage(pMsg);
}

void CZUDPMenuButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        m_bOpenedByPress = TRUE;
        ShowMenu();
        return;
    }
    Default();
}

UINT CZUDPMenuButton::OnGetDlgCode()
{
    // Down opens the menu; the button stays a button for its mnemonic.
    return DLGC_WANTARROWS | DLGC_BUTTON;
}

void CZUDPMenuButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bMenuOpen) {
        Default();
        return;
    }
    m_bOpenedByPress = TRUE;
    if (m_bSplit && !GetArrowPart().PtInRect(point)) {
        m_bOpenedByPress = FALSE;
        m_nChosenCommand = 0;
        CZUDPButton::OnLButtonDown(nFlags, point);
        return;
    }
    SetFocus();
    ShowMenu();
}

void CZUDPMenuButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bStayPressed && m_bMenuOpen && m_bDown) {
        m_bPressStarted = FALSE;
        Default();
        ReleaseHeldCapture();
        return;
    }
    if (!m_bOpenedByPress)
        CZUDPButton::OnLButtonUp(nFlags, point);
}

void CZUDPMenuButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!m_bMenuOpen)
        CZUDPButton::OnLButtonDblClk(nFlags, point);
    ReleaseHeldCapture();
}

void CZUDPMenuButton::OnKillFocus(CWnd* pNewWnd)
{
    if (m_bStayPressed && m_bMenuOpen && m_bDown) {
        // The menu took the focus: the pressed look stays while it is open.
        Default();
        ReleaseHeldCapture();
        m_bPressStarted = m_bPointerInside = FALSE;
        return;
    }
    CZUDPButton::OnKillFocus(pNewWnd);
}

// ---------------------------------------------------------------------------
// Painting and size

void CZUDPMenuButton::DrawContent(CDC* pDC, CRect rect, UINT uiState)
{
    CZUDPDrawOnGlass onGlass(IsOnGlass());
    CRect rectArrow = rect;
    rectArrow.left = rect.right - (GetMenuGlyphSize().cx + kArrowPadding);
    CRect rectRest = rect;
    rectRest.right = rectArrow.left;

    CZUDPButton::DrawContent(pDC, rectRest, uiState);
    const BOOL bDisabled = IsDisabledLook(uiState);
    DrawMenuGlyphCentered(pDC, m_bRightArrow ? MenuGlyphLargeArrowRight : MenuGlyphLargeArrowDown, rectArrow,
                          bDisabled ? MenuGlyphColorGray : MenuGlyphColorBlack);

    if (!m_bSplit)
        return;
    CRect rectDivider(rectArrow.left, rect.top + 2, rectArrow.left + 2, rect.bottom - 2);
    // Without a themed face the pressed content moves by the pushed
    // offset; the divider, at the fixed right side, moves with it.
    const BOOL bPressedLook = (m_bDown && m_bHot) || (uiState & ODS_SELECTED) != 0;
    if (!UsesThemedFace() && bPressedLook)
        rectDivider.OffsetRect(m_sizePushOffset.cx, m_sizePushOffset.cy);
    if (IsOnGlass()) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawPixelLine(CPoint(rectDivider.left, rectDivider.top), CPoint(rectDivider.left, rectDivider.bottom),
                         g_uiEnvironment.m_colorBarDarkShadow);
    } else {
        pDC->Draw3dRect(rectDivider, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorButtonHighlight);
    }
}

CSize CZUDPMenuButton::SizeToContent(BOOL bCalcOnly)
{
    CSize size = CZUDPButton::SizeToContent(TRUE);
    size.cx += GetMenuGlyphSize().cx;
    if (!bCalcOnly && m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}
