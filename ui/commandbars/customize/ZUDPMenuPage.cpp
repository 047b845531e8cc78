#include "ui/commandbars/customize/ZUDPMenuPage.h"

#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "res/ui/customize-pages.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"
#include "ui/commandbars/customize/ZUDPCustomizePageSupport.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPMessages.h"

namespace {

// The "[Default]" animation: follow the system setting.
constexpr int kMenuPageSystemAnimation = 999;

// The context menu preview: a popup with a caption that belongs to the
// page and tells it when it goes.
class CMenuPageContextPreview : public CZUDPPopupMenu {
public:
    CMenuPageContextPreview(CZUDPMenuPage* pPage, LPCTSTR lpszTitle) : CZUDPPopupMenu(pPage, lpszTitle), m_pPage(pPage)
    {
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY && m_pPage != nullptr) {
            CZUDPMenuPage* pPage = m_pPage;
            m_pPage = nullptr;
            pPage->CloseContextMenu(this);
        }
        return CZUDPPopupMenu::WindowProc(message, wParam, lParam);
    }

private:
    CZUDPMenuPage* m_pPage;
};

HICON MenuPageApplicationIcon()
{
    return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));   // IDI_APPLICATION
}

} // namespace

IMPLEMENT_DYNAMIC(CZUDPMenuPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPMenuPage, CPropertyPage)
    ON_WM_DESTROY()
    ON_CBN_SELCHANGE(IDC_ZUDP_MENU_FRAME_MENUS, &CZUDPMenuPage::OnSelchangeMenuList)
    ON_CBN_SELCHANGE(IDC_ZUDP_MENU_CONTEXT_MENUS, &CZUDPMenuPage::OnSelchangeContextMenu)
    ON_BN_CLICKED(IDC_ZUDP_MENU_RESET_FRAME, &CZUDPMenuPage::OnResetFrameMenu)
    ON_BN_CLICKED(IDC_ZUDP_MENU_RESET_CONTEXT, &CZUDPMenuPage::OnResetContextMenu)
END_MESSAGE_MAP()

CZUDPMenuPage::CZUDPMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_ZUDP_MENU_PAGE), m_iMenuAnimationType(g_menuAnimation), m_bMenuShadows(g_menuShadows),
      m_bAutoSet(bAutoSet), m_pParentFrame(pParentFrame)
{
}

CZUDPMenuPage::~CZUDPMenuPage() = default;

CPoint& CZUDPMenuPage::ContextMenuPosition()
{
    static CPoint s_ptContextMenu(100, 100);
    return s_ptContextMenu;
}

void CZUDPMenuPage::SetMenuBar(CZUDPMenuBar* pMenuBar)
{
    m_pMenuBar = pMenuBar;
    m_hWndMenuBar = pMenuBar != nullptr ? pMenuBar->GetSafeHwnd() : nullptr;
}

CZUDPMenuBar* CZUDPMenuPage::GetMenuBar()
{
    // A bar destroyed while the page is open is forgotten, with the menus
    // it was showing: nothing of it may be touched any more.
    if (m_pMenuBar != nullptr &&
        (m_hWndMenuBar == nullptr || !::IsWindow(m_hWndMenuBar) ||
         CWnd::FromHandlePermanent(m_hWndMenuBar) != m_pMenuBar)) {
        m_pMenuBar = nullptr;
        m_hWndMenuBar = nullptr;
        m_hmenuCurr = nullptr;
        m_hmenuSelected = nullptr;
    }
    return m_pMenuBar;
}

void CZUDPMenuPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_MENU_ANIMATION_LABEL, m_wndMenuAnimationsLabel);
    DDX_Control(pDX, IDC_ZUDP_MENU_ANIMATION, m_wndMenuAnimations);
    DDX_Control(pDX, IDC_ZUDP_MENU_SHADOWS, m_wndMenuShadows);
    DDX_Control(pDX, IDC_ZUDP_MENU_CONTEXT_GROUP, m_wndContextFrame);
    DDX_Control(pDX, IDC_ZUDP_MENU_CONTEXT_HINT, m_wndContextHint);
    DDX_Control(pDX, IDC_ZUDP_MENU_RESET_CONTEXT, m_wndResetMenuButton);
    DDX_Control(pDX, IDC_ZUDP_MENU_CONTEXT_CAPTION, m_wndContextMenuCaption);
    DDX_Control(pDX, IDC_ZUDP_MENU_CONTEXT_MENUS, m_wndContextMenus);
    DDX_Control(pDX, IDC_ZUDP_MENU_DOCUMENT_ICON, m_wndIcon);
    DDX_Control(pDX, IDC_ZUDP_MENU_FRAME_MENUS, m_wndMenuesList);
    DDX_Text(pDX, IDC_ZUDP_MENU_DESCRIPTION, m_strMenuDescr);
    DDX_CBString(pDX, IDC_ZUDP_MENU_CONTEXT_MENUS, m_strContextMenuName);
    DDX_CBString(pDX, IDC_ZUDP_MENU_FRAME_MENUS, m_strMenuName);
    DDX_CBIndex(pDX, IDC_ZUDP_MENU_ANIMATION, m_iMenuAnimationType);
    DDX_Check(pDX, IDC_ZUDP_MENU_SHADOWS, m_bMenuShadows);
}

void CZUDPMenuPage::SaveBarUnder(HMENU hMenu)
{
    CZUDPMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr || hMenu == nullptr)
        return;
    if (pBar->GetTrackedIndex() >= 0)
        pBar->SetHotButton(-1);
    g_menuHash.SaveMenuBar(hMenu, pBar);
}

void CZUDPMenuPage::ShowIcon(HICON hIcon)
{
    m_wndIcon.SetIcon(hIcon);
}

BOOL CZUDPMenuPage::OnInitDialog()
{
    // The animation kinds, in option order; the last follows the system.
    if (SendDlgItemMessage(IDC_ZUDP_MENU_ANIMATION, CB_GETCOUNT) == 0)
        for (const char* lpszKind : {"None", "Unfold", "Slide", "Fade", "[Default]"})
            SendDlgItemMessage(IDC_ZUDP_MENU_ANIMATION, CB_ADDSTRING, 0, LPARAM(lpszKind));
    if (m_iMenuAnimationType == kMenuPageSystemAnimation || m_iMenuAnimationType < 0 || m_iMenuAnimationType > 3)
        m_iMenuAnimationType = 4;
    CPropertyPage::OnInitDialog();

    if (m_pMenuBar == nullptr) {
        for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = dynamic_cast<CZUDPMenuBar*>(g_toolbarList.GetNext(pos));
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr &&
                CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == pBar) {
                SetMenuBar(pBar);
                break;
            }
        }
    }

    if (CZUDPMenuBar* pBar = GetMenuBar()) {
        pBar->SetMenuPage(this);
        m_hmenuCurr = pBar->GetMenu();
        SaveBarUnder(m_hmenuCurr);

        int iCurrMenu = -1;
        CWinApp* pApp = AfxGetApp();
        if (m_bAutoSet && pApp != nullptr && pApp->m_pDocManager != nullptr) {
            for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
                auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
                if (pTemplate == nullptr || pTemplate->m_hMenuShared == nullptr)
                    continue;
                BOOL bListed = FALSE;
                for (int i = 0; i < m_wndMenuesList.GetCount() && !bListed; ++i) {
                    auto* pListed = reinterpret_cast<CDocTemplate*>(m_wndMenuesList.GetItemData(i));
                    bListed = pListed != nullptr && pListed->GetResourceId() == pTemplate->GetResourceId();
                }
                if (bListed)
                    continue;
                const int iItem = m_wndMenuesList.AddString(
                    customize_pages::DocTemplateString(pTemplate, customize_pages::kFileNewName));
                m_wndMenuesList.SetItemData(iItem, DWORD_PTR(pTemplate));
                if (pTemplate->m_hMenuShared == m_hmenuCurr)
                    iCurrMenu = iItem;
            }
        }
        const int iDefault = m_wndMenuesList.AddString(customize_pages::LoadLibraryString(IDS_ZUDP_DEFAULT_MENU));
        m_wndMenuesList.SetItemData(iDefault, 0);
        if (iCurrMenu < 0) {
            m_bIsDefaultMenuActive = TRUE;
            iCurrMenu = iDefault;
        } else {
            // The combo box is not sorted: an index stays valid.
        }
        m_hmenuSelected = m_hmenuCurr;
        m_wndMenuesList.SetCurSel(iCurrMenu);
        UpdateData(FALSE);
        OnSelchangeMenuList();
    } else {
        m_wndMenuesList.EnableWindow(FALSE);
        GetDlgItem(IDC_ZUDP_MENU_RESET_FRAME)->EnableWindow(FALSE);
        m_strMenuDescr = customize_pages::LoadLibraryString(IDS_ZUDP_CANNOT_CUSTOMIZE_MENUS);
        UpdateData(FALSE);
    }

    m_wndContextMenus.AddString(customize_pages::LoadLibraryString(IDS_ZUDP_NO_CONTEXT_MENU));
    m_wndContextMenus.SetCurSel(0);
    if (g_contextMenuManager != nullptr) {
        CStringList names;
        g_contextMenuManager->ListMenuNames(names);
        for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
            m_wndContextMenus.AddString(names.GetNext(pos));
        // The sorted box may have put a name before the line of dashes.
        m_wndContextMenus.SetCurSel(
            m_wndContextMenus.FindStringExact(-1, customize_pages::LoadLibraryString(IDS_ZUDP_NO_CONTEXT_MENU)));
        const BOOL bAny = m_wndContextMenus.GetCount() > 1;
        m_wndContextMenuCaption.EnableWindow(bAny);
        m_wndContextMenus.EnableWindow(bAny);
    } else {
        for (CWnd* pWnd : std::initializer_list<CWnd*>{&m_wndContextMenuCaption, &m_wndContextMenus,
                                                       &m_wndContextHint, &m_wndContextFrame, &m_wndResetMenuButton})
            pWnd->ShowWindow(SW_HIDE);
    }

    CZUDPCustomizePageHost* pHost = customize_pages::FindHost(m_pHost, this);
    const UINT uiFlags = pHost != nullptr ? pHost->GetCustomizeFlags() : 0;
    if ((uiFlags & 0x001) == 0)
        m_wndMenuShadows.ShowWindow(SW_HIDE);
    if ((uiFlags & 0x008) == 0) {
        m_wndMenuAnimationsLabel.ShowWindow(SW_HIDE);
        m_wndMenuAnimations.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CZUDPMenuPage::OnSelchangeMenuList()
{
    UpdateData();
    CZUDPMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr)
        return;
    if (m_hmenuSelected != nullptr)
        SaveBarUnder(m_hmenuSelected);

    const int iIndex = m_wndMenuesList.GetCurSel();
    if (iIndex == CB_ERR) {
        m_strMenuDescr.Empty();
        ShowIcon(nullptr);
        UpdateData(FALSE);
        m_hmenuSelected = nullptr;
        return;
    }
    HMENU hMenu = nullptr;
    HICON hIcon = nullptr;
    auto* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemData(iIndex));
    if (pTemplate != nullptr) {
        m_strMenuDescr = customize_pages::DocTemplateString(pTemplate, customize_pages::kRegFileTypeName);
        hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pTemplate->GetResourceId()));
        if (hIcon == nullptr)
            hIcon = MenuPageApplicationIcon();
        hMenu = pTemplate->m_hMenuShared;
    } else {
        m_strMenuDescr = customize_pages::LoadLibraryString(IDS_ZUDP_DEFAULT_MENU_DESCRIPTION);
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(pMainWnd->GetSafeHwnd(), GCLP_HICON));
        hMenu = pBar->GetDefaultMenu();
    }
    pBar->CreateFromMenu(hMenu, pTemplate == nullptr, TRUE);
    ShowIcon(hIcon);
    m_hmenuSelected = hMenu;
    UpdateData(FALSE);
}

BOOL CZUDPMenuPage::SelectMenu(CDocTemplate* pTemplate, BOOL bSaveCurrent)
{
    int iItem = -1;
    for (int i = 0; i < m_wndMenuesList.GetCount() && iItem < 0; ++i)
        if (reinterpret_cast<CDocTemplate*>(m_wndMenuesList.GetItemData(i)) == pTemplate)
            iItem = i;
    if (iItem < 0)
        return FALSE;
    if (!bSaveCurrent)
        m_hmenuSelected = nullptr;
    if (CZUDPMenuBar* pBar = GetMenuBar())
        m_hmenuCurr = pBar->GetMenu();
    m_wndMenuesList.SetCurSel(iItem);
    OnSelchangeMenuList();
    return TRUE;
}

void CZUDPMenuPage::OnResetFrameMenu()
{
    UpdateData();
    CZUDPMenuBar* pBar = GetMenuBar();
    const int iIndex = m_wndMenuesList.GetCurSel();
    if (pBar == nullptr || iIndex == CB_ERR)
        return;
    CString strPrompt;
    strPrompt.Format(customize_pages::LoadLibraryString(IDS_ZUDP_RESET_MENU_PROMPT), LPCTSTR(m_strMenuName));
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    HMENU hOldMenu = nullptr;
    auto* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemData(iIndex));
    CFrameWnd* pFrame = m_pParentFrame;
    if (pTemplate != nullptr) {
        hOldMenu = pTemplate->m_hMenuShared;
        HMENU hNewMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pTemplate->GetResourceId()));
        if (hNewMenu == nullptr)
            return;
        pTemplate->m_hMenuShared = hNewMenu;
        pBar->CreateFromMenu(hNewMenu, FALSE, TRUE);
        CZUDPMenuBar::UpdateMDIChildrenMenus(pTemplate);
        if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
            pFrame->SendMessage(ZUDTOOLBAR_RESETMENU, pTemplate->GetResourceId());
        g_menuHash.SaveMenuBar(hNewMenu, pBar);
        if (hOldMenu == m_hmenuCurr)
            m_hmenuCurr = hNewMenu;
        m_hmenuSelected = hNewMenu;
    } else {
        const UINT uiResId = pBar->GetDefaultMenuResId();
        if (uiResId == 0)
            return;
        hOldMenu = pBar->GetDefaultMenu();
        HMENU hNewMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiResId));
        if (hNewMenu == nullptr)
            return;
        pBar->CreateFromMenu(hNewMenu, TRUE, TRUE);
        if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) {
            pFrame->SendMessage(ZUDTOOLBAR_RESETMENU, uiResId);
            pFrame->m_hMenuDefault = hNewMenu;
        }
        g_menuHash.SaveMenuBar(hNewMenu, pBar);
        if (m_bIsDefaultMenuActive || hOldMenu == m_hmenuCurr)
            m_hmenuCurr = hNewMenu;
        m_hmenuSelected = hNewMenu;
    }
    if (auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pFrame); pMDIFrame != nullptr && pMDIFrame->GetSafeHwnd() != nullptr)
        pMDIFrame->OnUpdateFrameMenu(m_hmenuCurr);
    if (hOldMenu != nullptr && hOldMenu != m_hmenuCurr && hOldMenu != m_hmenuSelected) {
        g_menuHash.RemoveMenu(hOldMenu);
        ::DestroyMenu(hOldMenu);
    }
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPMenuPage::SaveContextMenu()
{
    if (m_pContextMenu == nullptr || m_pContextMenu->GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_pContextMenu->GetWindowRect(&rect);
    ContextMenuPosition() = rect.TopLeft();
    g_menuHash.SaveMenuBar(m_pContextMenu->GetMenuHandle(), m_pContextMenu->GetMenuBar());
}

void CZUDPMenuPage::OnSelchangeContextMenu()
{
    m_wndResetMenuButton.EnableWindow(FALSE);
    if (g_contextMenuManager == nullptr)
        return;
    m_uiContextMenuResId = 0;
    if (m_pContextMenu != nullptr) {
        SaveContextMenu();
        CZUDPPopupMenu* pMenu = m_pContextMenu;
        m_pContextMenu = nullptr;
        pMenu->SendMessage(WM_CLOSE);
    }
    const int iIndex = m_wndContextMenus.GetCurSel();
    const CString strNone = customize_pages::LoadLibraryString(IDS_ZUDP_NO_CONTEXT_MENU);
    CString strSelected;
    if (iIndex != CB_ERR)
        m_wndContextMenus.GetLBText(iIndex, strSelected);
    if (iIndex == CB_ERR || strSelected == strNone)
        return;
    UpdateData();
    HMENU hMenu = g_contextMenuManager->FindMenuByName(m_strContextMenuName, &m_uiContextMenuResId);
    if (hMenu == nullptr) {
        g_foundationSeams.messageBeep(UINT(-1));
        return;
    }
    // The manager keeps the popup of each registered menu resource.
    HMENU hPopup = hMenu;
    auto* pMenu = new CMenuPageContextPreview(this, m_strContextMenuName);
    pMenu->m_bOwnsMenu = FALSE;
    CWnd* pOwner = m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr
                       ? static_cast<CWnd*>(m_pParentFrame)
                       : GetTopLevelParent();
    const CPoint pt = ContextMenuPosition();
    if (!pMenu->CreatePopup(pOwner, pt.x, pt.y, hPopup)) {
        // The popup deleted itself.
        AfxMessageBox("Can't create context menu!");
        return;
    }
    m_pContextMenu = pMenu;
    m_wndResetMenuButton.EnableWindow(TRUE);
}

void CZUDPMenuPage::CloseContextMenu(CZUDPPopupMenu* pMenu)
{
    if (m_pContextMenu == nullptr || pMenu != m_pContextMenu)
        return;
    SaveContextMenu();
    m_pContextMenu = nullptr;
    if (m_wndContextMenus.GetSafeHwnd() != nullptr) {
        m_wndContextMenus.SetCurSel(0);
        m_wndResetMenuButton.EnableWindow(FALSE);
    }
    m_uiContextMenuResId = 0;
}

void CZUDPMenuPage::OnResetContextMenu()
{
    if (g_contextMenuManager == nullptr || m_pContextMenu == nullptr)
        return;
    UpdateData();
    CString strPrompt;
    strPrompt.Format(customize_pages::LoadLibraryString(IDS_ZUDP_RESET_MENU_PROMPT), LPCTSTR(m_strContextMenuName));
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    HMENU hMenu = g_contextMenuManager->FindMenuByName(m_strContextMenuName);
    if (hMenu == nullptr) {
        g_foundationSeams.messageBeep(UINT(-1));
        return;
    }
    if (m_pContextMenu != nullptr)
        m_pContextMenu->GetMenuBar()->BuildItemsFromMenu(hMenu, TRUE);
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        m_pParentFrame->SendMessage(ZUDTOOLBAR_RESETCONTEXTMENU, m_uiContextMenuResId, LPARAM(m_pContextMenu));
    OnSelchangeContextMenu();
    if (m_pContextMenu != nullptr) {
        m_pContextMenu->RecalcLayout();
        m_pContextMenu->GetMenuBar()->RedrawWindow();
    }
}

void CZUDPMenuPage::OnDestroy()
{
    UpdateData();
    g_menuAnimation = m_iMenuAnimationType == m_wndMenuAnimations.GetCount() - 1 ? kMenuPageSystemAnimation
                                                                                 : m_iMenuAnimationType;
    if (CZUDPMenuBar* pBar = GetMenuBar()) {
        pBar->SetMenuPage(nullptr);
        if (m_hmenuSelected != nullptr)
            SaveBarUnder(m_hmenuSelected);
        if (m_hmenuCurr != nullptr)
            pBar->CreateFromMenu(m_hmenuCurr, m_hmenuCurr == pBar->GetDefaultMenu(), TRUE);
    }
    if (m_pContextMenu != nullptr) {
        CZUDPPopupMenu* pMenu = m_pContextMenu;
        pMenu->GetMenuBar()->SendMessage(WM_CANCELMODE);
        SaveContextMenu();
        m_pContextMenu = nullptr;
        pMenu->SendMessage(WM_CLOSE);
    }
    g_menuShadows = m_bMenuShadows;
    CPropertyPage::OnDestroy();
}

// The customization sheet's maker of this page.
CPropertyPage* NewCustomizeMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
{
    return new CZUDPMenuPage(pParentFrame, bAutoSet);
}
