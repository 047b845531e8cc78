#include "ui/commandbars/ZUDPToolbarSystemMenuButton.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPToolbarSystemMenuButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CZUDPToolbarMenuButtonsButton, CZUDPToolbarButton)

namespace {

// The MDI frame a bar answers to (a bar floating in a mini dock frame
// answers to that frame's parent), or null.
CMDIFrameWnd* MDIFrameOfBar(CWnd* pWndBar)
{
    CFrameWnd* pFrame = GetEnclosingFrame(pWndBar);
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = GetEnclosingFrame(pFrame);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
}

BOOL IsSystemCloseGreyed(HWND hWndChild)
{
    HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (hSysMenu == nullptr || !::GetMenuItemInfoA(hSysMenu, SC_CLOSE, FALSE, &info))
        return FALSE;
    return (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
}

} // namespace

// ---------------------------------------------------------------------------
// The child's icon

CZUDPToolbarSystemMenuButton::CZUDPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hIcon)
    : CZUDPToolbarMenuButton(0, hSystemMenu, -1), childIcon(hIcon), systemMenu(hSystemMenu)
{
}

void CZUDPToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) { systemMenu = hMenu; }

HMENU CZUDPToolbarSystemMenuButton::BuildMenuHandle()
{
    HMENU hMenu = CZUDPToolbarMenuButton::BuildMenuHandle();
    if (hMenu == nullptr || systemMenu == nullptr || !::IsMenu(systemMenu))
        return hMenu;
    // The child changes its system menu's states as it goes (a greyed
    // Close, a checked item): the copy takes them by command.
    const int nCount = ::GetMenuItemCount(systemMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT uiCmd = ::GetMenuItemID(systemMenu, i);
        if (uiCmd == 0 || uiCmd == (UINT)-1)
            continue;
        const UINT uiState = ::GetMenuState(systemMenu, i, MF_BYPOSITION);
        if (uiState == (UINT)-1)
            continue;
        if (uiState & MF_CHECKED)
            ::CheckMenuItem(hMenu, uiCmd, MF_BYCOMMAND | MF_CHECKED);
        if (uiState & (MF_DISABLED | MF_GRAYED))
            ::EnableMenuItem(hMenu, uiCmd, MF_BYCOMMAND | (uiState & (MF_DISABLED | MF_GRAYED)));
    }
    return hMenu;
}

void CZUDPToolbarSystemMenuButton::OnPopupCreated()
{
    if (openPopup == nullptr || openPopup->GetSafeHwnd() == nullptr)
        return;
    CMDIFrameWnd* pMDIFrame = MDIFrameOfBar(parentWnd);
    HWND hWndChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActiveHwnd() : nullptr;
    if (hWndChild != nullptr)
        openPopup->m_pMessageTarget = CWnd::FromHandle(hWndChild);
}

SIZE CZUDPToolbarSystemMenuButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    (void)pDC;
    (void)bHorz;
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), sizeDefault.cy);
}

void CZUDPToolbarSystemMenuButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages,
                                              BOOL bHorz, BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                              BOOL bGrayDisabledButtons)
{
    (void)pImages;
    (void)bHorz;
    (void)bCustomizeMode;
    (void)bHighlight;
    (void)bDrawBorder;
    (void)bGrayDisabledButtons;
    if (childIcon == nullptr || pDC == nullptr)
        return;
    const int cx = std::min(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CXMENUSIZE));
    const int cy = std::min(::GetSystemMetrics(SM_CYSMICON), ::GetSystemMetrics(SM_CYMENUSIZE));
    ::DrawIconEx(pDC->GetSafeHdc(), rectButton.left, rectButton.top + (rectButton.Height() - cy) / 2, childIcon, cx, cy,
                 0, nullptr, DI_NORMAL);
}

void CZUDPToolbarSystemMenuButton::OnDoubleClick(CWnd* pWnd)
{
    if (g_customizeMode)
        return;
    CancelMode();
    CMDIFrameWnd* pMDIFrame = MDIFrameOfBar(pWnd != nullptr ? pWnd : parentWnd);
    HWND hWndChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActiveHwnd() : nullptr;
    if (hWndChild != nullptr && !IsSystemCloseGreyed(hWndChild))
        ::SendMessageA(hWndChild, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CZUDPToolbarSystemMenuButton::CancelMode()
{
    // As a menu title's, without repainting: the icon has no pressed look.
    CZUDPPopupMenu* pPopup = openPopup;
    if (pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd())) {
        if (pPopup->IsSendingCommand())
            return;
        pPopup->CancelItemModes();
        pPopup->SyncParentButtonItems();
        pPopup->m_pParentBtn = nullptr;
        pPopup->m_bCloseParentsWithMe = FALSE;
        pPopup->SendMessage(WM_CLOSE);
    }
    openPopup = nullptr;
    submenuPending = FALSE;
}

void CZUDPToolbarSystemMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarMenuButton::CopyFrom(src);
    if (const CZUDPToolbarSystemMenuButton* pSrc =
            DYNAMIC_DOWNCAST(CZUDPToolbarSystemMenuButton, const_cast<CZUDPToolbarButton*>(&src))) {
        childIcon = pSrc->childIcon;
        systemMenu = pSrc->systemMenu;
    }
}

// ---------------------------------------------------------------------------
// Caption buttons

SIZE CZUDPToolbarMenuButtonsButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    (void)pDC;
    (void)sizeDefault;
    (void)bHorz;
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

void CZUDPToolbarMenuButtonsButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages,
                                               BOOL bHorz, BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                               BOOL bGrayDisabledButtons)
{
    (void)pImages;
    (void)bHorz;
    (void)bCustomizeMode;
    (void)bDrawBorder;
    (void)bGrayDisabledButtons;
    CZUDPVisualManager::GetActiveManager()->DrawMDIChildSystemButton(pDC, rectButton, systemCommand, style, bHighlight);
}

void CZUDPToolbarMenuButtonsButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    if (const CZUDPToolbarMenuButtonsButton* pSrc =
            DYNAMIC_DOWNCAST(CZUDPToolbarMenuButtonsButton, const_cast<CZUDPToolbarButton*>(&src)))
        systemCommand = pSrc->systemCommand;
}
