#include "ui/commandbars/ZUDPToolbarMenuButton.h"

#include "framework/Archive.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"

IMPLEMENT_SERIAL(CZUDPToolbarMenuButton, CZUDPToolbarButton, VERSIONABLE_SCHEMA | 1)

CZUDPToolbarMenuButton::CZUDPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
    : CZUDPToolbarButton(uiID, iImage, lpszText, bUserButton)
{
    CreateFromMenu(hMenu);
}

CZUDPToolbarMenuButton::~CZUDPToolbarMenuButton()
{
    // The popup outlives the button only by a moment: it must not reach
    // back into a freed button.
    if (m_pPopupMenu != nullptr && m_pPopupMenu->m_pParentBtn == this)
        m_pPopupMenu->m_pParentBtn = nullptr;
}

void CZUDPToolbarMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    const CZUDPToolbarMenuButton* pSrc = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_hMenu = pSrc->m_hMenu;
    m_bMenuMode = pSrc->m_bMenuMode;
    m_bDrawDownArrow = pSrc->m_bDrawDownArrow;
    m_bDefaultItem = pSrc->m_bDefaultItem;
    m_uiTearOffId = pSrc->m_uiTearOffId;
    m_pWndMessage = pSrc->m_pWndMessage;
}

void CZUDPToolbarMenuButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    if (DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWndParent) != nullptr) {
        m_bMenuMode = TRUE;
        showText = TRUE;
        showImage = FALSE;
        m_bDrawDownArrow = commandId == 0 || commandId == (UINT)-1 || m_hMenu != nullptr;
    } else {
        m_bMenuMode = FALSE;
        m_bDrawDownArrow = commandId == 0 || commandId == (UINT)-1 || m_hMenu != nullptr;
    }
}

BOOL CZUDPToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (commandId != 0 && commandId != (UINT)-1 && m_hMenu == nullptr)
        return FALSE;
    if (m_pPopupMenu != nullptr) {
        CancelMode();
        return TRUE;
    }
    CZUDPPopupMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWnd);
    if (bDelay && pMenuBar != nullptr && !g_customizeMode) {
        pMenuBar->ScheduleSubMenuOpen(this, 1);
        return TRUE;
    }
    return OpenPopupMenu(pWnd);
}

CZUDPPopupMenu* CZUDPToolbarMenuButton::CreatePopupMenuObject() { return new CZUDPPopupMenu; }

HMENU CZUDPToolbarMenuButton::BuildMenuHandle() { return m_hMenu != nullptr ? CopyMenuHandle(m_hMenu) : nullptr; }

BOOL CZUDPToolbarMenuButton::OpenPopupMenu(CWnd* pWnd)
{
    if (m_pPopupMenu != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = parentWnd;
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    HMENU hMenu = BuildMenuHandle();
    if (hMenu == nullptr && !IsEmptyMenuAllowed())
        return FALSE;
    CZUDPPopupMenu* pPopup = CreatePopupMenuObject();
    if (pPopup == nullptr) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }

    CRect rectButton = rect;
    pWnd->ClientToScreen(&rectButton);
    CPoint pt;
    int nDirection;
    if (CZUDPPopupMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWnd)) {
        CRect rectBar;
        pMenuBar->GetWindowRect(&rectBar);
        const int nOffset = 1;
        if (pMenuBar->GetExStyle() & WS_EX_LAYOUTRTL) {
            pt = CPoint(rectBar.left - nOffset, rectButton.top - 2);
            nDirection = CZUDPPopupMenu::kLeftOfButton;
        } else {
            pt = CPoint(rectBar.right + nOffset, rectButton.top - 2);
            nDirection = CZUDPPopupMenu::kRightOfButton;
        }
    } else {
        pt = CPoint(rectButton.left, rectButton.bottom - 1);
        nDirection = CZUDPPopupMenu::kBelowButton;
    }
    pPopup->m_pParentBtn = this;
    pPopup->m_iDirection = nDirection;
    m_pPopupMenu = pPopup;
    // On failure the popup has deleted itself.
    if (!pPopup->CreatePopup(pWnd, pt.x, pt.y, hMenu, FALSE, FALSE)) {
        m_pPopupMenu = nullptr;
        return FALSE;
    }
    OnPopupCreated();
    if (m_pWndMessage != nullptr)
        pPopup->m_pMessageTarget = m_pWndMessage;
    return TRUE;
}

void CZUDPToolbarMenuButton::CancelMode()
{
    CZUDPPopupMenu* pPopup = m_pPopupMenu;
    if (pPopup != nullptr && pPopup->m_hWnd != nullptr && ::IsWindow(pPopup->m_hWnd)) {
        pPopup->CancelItemModes();
        pPopup->SyncParentButtonItems();
        pPopup->m_bCloseParentsWithMe = FALSE;
        pPopup->SendMessage(WM_CLOSE);
    }
    m_pPopupMenu = nullptr;
    m_bToBeClosed = FALSE;
    if (parentWnd != nullptr && parentWnd->m_hWnd != nullptr && ::IsWindow(parentWnd->m_hWnd)) {
        CRect rectInvalidate = rect;
        rectInvalidate.InflateRect(6, 6);
        parentWnd->InvalidateRect(&rectInvalidate);
        parentWnd->UpdateWindow();
    }
}

HMENU CopyMenuHandle(HMENU hMenu)
{
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return nullptr;
    HMENU hCopy = ::CreatePopupMenu();
    if (hCopy == nullptr)
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[1025] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(MENUITEMINFOA);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = sizeof(szText) - 1;
        if (!::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info))
            continue;
        if (info.hSubMenu != nullptr) {
            info.hSubMenu = CopyMenuHandle(info.hSubMenu);
            if (info.hSubMenu == nullptr)
                continue;
        }
        info.dwTypeData = szText;
        if (!::InsertMenuItemA(hCopy, UINT(i), TRUE, &info) && info.hSubMenu != nullptr)
            ::DestroyMenu(info.hSubMenu);
    }
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    if (uiDefault != (UINT)-1)
        ::SetMenuDefaultItem(hCopy, uiDefault, FALSE);
    return hCopy;
}
