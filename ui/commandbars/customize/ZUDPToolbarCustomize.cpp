#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"

#include "framework/win/CmdTarget.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "framework/win/ReBar.h"
#include "framework/win/WinApp.h"
#include "res/ui/customize.h"
#include "ui/commandbars/ZUDPBaseControlBar.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPCustomizePage.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/customize/ZUDPImageEditDlg.h"
#include "ui/commandbars/customize/ZUDPOptionsPage.h"
#include "ui/commandbars/customize/ZUDPToolbarsPage.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPReBar.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <vector>

CZUDPToolbarCustomize* g_customizeSheet = nullptr;

// Each control's help id is its id + 0x41000.
#define ZUDP_HELP_PAIR(id) id, (id) + 0x41000
const DWORD g_customizeHelpIds[] = {
    ZUDP_HELP_PAIR(16601), ZUDP_HELP_PAIR(16602), ZUDP_HELP_PAIR(16603), ZUDP_HELP_PAIR(16611),
    ZUDP_HELP_PAIR(16612), ZUDP_HELP_PAIR(16613), ZUDP_HELP_PAIR(16614), ZUDP_HELP_PAIR(16615),
    ZUDP_HELP_PAIR(16616), ZUDP_HELP_PAIR(16617), ZUDP_HELP_PAIR(16621), ZUDP_HELP_PAIR(16622),
    ZUDP_HELP_PAIR(16623), ZUDP_HELP_PAIR(16624), ZUDP_HELP_PAIR(16625), ZUDP_HELP_PAIR(16626),
    ZUDP_HELP_PAIR(16631), ZUDP_HELP_PAIR(16632), ZUDP_HELP_PAIR(16633), ZUDP_HELP_PAIR(16634),
    ZUDP_HELP_PAIR(16601), ZUDP_HELP_PAIR(16641), ZUDP_HELP_PAIR(16642), ZUDP_HELP_PAIR(16643),
    ZUDP_HELP_PAIR(16644), ZUDP_HELP_PAIR(16645), ZUDP_HELP_PAIR(16646), ZUDP_HELP_PAIR(16647),
    ZUDP_HELP_PAIR(16651), ZUDP_HELP_PAIR(16652), ZUDP_HELP_PAIR(16653), ZUDP_HELP_PAIR(16654),
    ZUDP_HELP_PAIR(16655), ZUDP_HELP_PAIR(16656), ZUDP_HELP_PAIR(16657), 0, 0};
#undef ZUDP_HELP_PAIR

IMPLEMENT_DYNAMIC(CZUDPToolbarCustomize, CPropertySheet)

namespace {

// The window-arrangement commands (cascade, tile, arrange...): a menu that
// holds one is the Windows menu.
constexpr UINT kFirstWindowCommand = 0xE130;
constexpr UINT kWindowCommandCount = 16;

void RemoveAmpersands(CString& str) { str.Remove('&'); }

void CutAtTab(CString& str)
{
    const int iTab = str.Find('\t');
    if (iTab >= 0)
        str = str.Left(iTab);
}

// "File" + "Save As" -> "FileSaveAs": every character after a space upper
// case, spaces gone, cut before the first tab.
CString MakeMenuPath(const CString& strPath, const CString& strText)
{
    CString strJoined = strPath + strText;
    CString strResult;
    BOOL bAfterSpace = FALSE;
    for (int i = 0; i < strJoined.GetLength(); ++i) {
        char ch = strJoined[i];
        if (ch == ' ') {
            bAfterSpace = TRUE;
            continue;
        }
        if (bAfterSpace && ch >= 'a' && ch <= 'z')
            ch = char(ch - 'a' + 'A');
        bAfterSpace = FALSE;
        strResult += ch;
    }
    CutAtTab(strResult);
    return strResult;
}

BOOL IsFrameKindWithMiniFrames(CWnd* pFrame)
{
    return pFrame->IsKindOf(RUNTIME_CLASS(CZUDPMDIFrameWnd)) || pFrame->IsKindOf(RUNTIME_CLASS(CZUDPFrameWnd)) ||
           pFrame->IsKindOf(RUNTIME_CLASS(CZUDPOleIPFrameWnd));
}

// Child windows customization leaves alone: the bars themselves.
BOOL KeepsEnabledInCustomization(CWnd* pChild)
{
    return pChild->IsKindOf(RUNTIME_CLASS(CDockBar)) || pChild->IsKindOf(RUNTIME_CLASS(CZUDPDockBar)) ||
           pChild->IsKindOf(RUNTIME_CLASS(CZUDPReBar)) || pChild->IsKindOf(RUNTIME_CLASS(CZUDPToolBar));
}

} // namespace

CZUDPToolbarCustomize::CZUDPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                             CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CPropertySheet("", pWndParentFrame, 0), m_pParentFrame(pWndParentFrame),
      m_bAutoSetFromMenus(bAutoSetFromMenus), m_uiFlags(uiFlags),
      m_bMenuAmpersand((uiFlags & ZUDP_CUSTOMIZE_MENU_AMPERS) != 0)
{
    if (plistCustomPages != nullptr) {
        for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != nullptr;) {
            CRuntimeClass* pClass = plistCustomPages->GetNext(pos);
            CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
            // Only pages can be added; anything else is dropped.
            if (pObject != nullptr && !pObject->IsKindOf(RUNTIME_CLASS(CPropertyPage))) {
                delete pObject;
                pObject = nullptr;
            }
            if (pObject != nullptr)
                m_listCustomPages.AddTail(pObject);
        }
    }
    // The base visual manager offers the Look 2000 option, and no manager
    // of the library withdraws it, so bit 0x004 stays as given.
    m_uiFlags &= ~0x040u;

    m_pCustomizePage = new CZUDPCustomizePage;
    m_pToolbarsPage = new CZUDPToolbarsPage(m_pParentFrame);
    m_pKeyboardPage = g_customizePageMakers.keyboardPage(m_pParentFrame, m_bAutoSetFromMenus);
    m_pMenuPage = g_customizePageMakers.menuPage(m_pParentFrame, m_bAutoSetFromMenus);
    m_pMousePage = g_customizePageMakers.mousePage();

    AddPage(m_pCustomizePage);
    AddPage(m_pToolbarsPage);

    if ((m_uiFlags & ZUDP_CUSTOMIZE_NOTOOLS) == 0) {
        m_pToolsPage = g_customizePageMakers.toolsPage();
        if (m_pToolsPage != nullptr && g_userToolsManager != nullptr)
            AddPage(m_pToolsPage);
    }
    if (m_pKeyboardPage != nullptr && g_keyboardManager != nullptr && m_pParentFrame != nullptr &&
        m_pParentFrame->m_hAccelTable != nullptr)
        AddPage(m_pKeyboardPage);
    const BOOL bHasMenuBar = FrameHasMenuBar(m_pParentFrame);
    if (m_pMenuPage != nullptr && (g_contextMenuManager != nullptr || bHasMenuBar))
        AddPage(m_pMenuPage);
    if (m_pMousePage != nullptr && g_mouseManager != nullptr)
        AddPage(m_pMousePage);
    for (POSITION pos = m_listCustomPages.GetHeadPosition(); pos != nullptr;)
        AddPage(static_cast<CPropertyPage*>(m_listCustomPages.GetNext(pos)));

    m_pOptionsPage = new CZUDPOptionsPage(bHasMenuBar);
    AddPage(m_pOptionsPage);

    CString strTitle;
    strTitle.LoadString(IDS_ZUDP_CUSTOMIZE);
    m_strAllCommands.LoadString(IDS_ZUDP_ALL_COMMANDS);
    m_pCustomizePage->SetAllCategory(m_strAllCommands);
    if (m_pKeyboardPage != nullptr)
        g_customizePageMakers.keyboardAllCategory(m_pKeyboardPage, m_strAllCommands);
    SetTitle(strTitle);

    if (m_bAutoSetFromMenus)
        SetupFromMenus();

    CString strNewMenu;
    strNewMenu.LoadString(IDS_ZUDP_NEW_MENU);
    CZUDPToolbarMenuButton newMenu(0, nullptr, -1, strNewMenu);
    AddButton(strNewMenu, newMenu);
}

CZUDPToolbarCustomize::~CZUDPToolbarCustomize()
{
    for (POSITION pos = m_ButtonsByCategory.GetStartPosition(); pos != nullptr;) {
        CString strName;
        void* pValue = nullptr;
        m_ButtonsByCategory.GetNextAssoc(pos, strName, pValue);
        CObList* pList = static_cast<CObList*>(pValue);
        while (!pList->IsEmpty())
            delete pList->RemoveHead();
        delete pList;
    }
    m_ButtonsByCategory.RemoveAll();
    delete m_pCustomizePage;
    delete m_pToolbarsPage;
    delete m_pKeyboardPage;
    delete m_pMenuPage;
    delete m_pMousePage;
    delete m_pOptionsPage;
    delete m_pToolsPage;
    while (!m_listCustomPages.IsEmpty())
        delete m_listCustomPages.RemoveHead();
    if (g_customizeSheet == this)
        g_customizeSheet = nullptr;
}

BOOL CZUDPToolbarCustomize::FrameHasMenuBar(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    if (!pFrame->IsKindOf(RUNTIME_CLASS(CZUDPMDIFrameWnd)) && !pFrame->IsKindOf(RUNTIME_CLASS(CZUDPFrameWnd)))
        return FALSE;
    CZUDPFrameImpl* pImpl = FrameImplOf(pFrame);
    return pImpl != nullptr && pImpl->GetMenuBar() != nullptr;
}

CObList* CZUDPToolbarCustomize::GetCategoryButtons(LPCTSTR lpszCategory) const
{
    void* pValue = nullptr;
    if (lpszCategory == nullptr || !m_ButtonsByCategory.Lookup(lpszCategory, pValue))
        return nullptr;
    return static_cast<CObList*>(pValue);
}

void CZUDPToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CZUDPToolbarButton& button, int iInsertBefore)
{
    // A popup menu button (command -1) carries no command for the range
    // rules of IsCustomizable to protect: -1 lies above 0xFEFF, and the
    // rules would leave every menu out of the catalogue.
    const BOOL bPopupButton = button.commandId == (UINT)-1;
    if (lpszCategory == nullptr || (!bPopupButton && !button.IsCustomizable()) ||
        g_blockedCommands.Find(button.commandId) != nullptr)
        return;
    const CString strCategory = lpszCategory;
    const BOOL bAllCommands = strCategory == m_strAllCommands;

    CString strText = button.text;
    strText.Trim();

    BOOL bUserTool = FALSE;
    if (g_userToolsManager != nullptr && button.commandId >= g_userToolsManager->GetToolsFirstCmdId() &&
        button.commandId <= g_userToolsManager->GetToolsLastCmdId()) {
        CZUDPUserTool* pTool = g_userToolsManager->FindToolByCommand(button.commandId);
        if (pTool == nullptr)
            return;
        strText = pTool->m_strLabel;
        bUserTool = TRUE;
    }

    if (!strText.IsEmpty()) {
        if (!m_bMenuAmpersand)
            RemoveAmpersands(strText);
        CutAtTab(strText);
    } else {
        CString strResource;
        if (button.commandId != 0 && button.commandId != (UINT)-1 && strResource.LoadString(button.commandId)) {
            const int iNewLine = strResource.Find('\n');
            if (iNewLine >= 0)
                strText = strResource.Mid(iNewLine + 1);
        }
        if (strText.IsEmpty() && bAllCommands)
            return;
    }
    if (strText.IsEmpty())
        return;

    CObList* pCategory = GetCategoryButtons(strCategory);
    if (pCategory != nullptr) {
        for (POSITION pos = pCategory->GetHeadPosition(); pos != nullptr;) {
            CZUDPToolbarButton* pListed = static_cast<CZUDPToolbarButton*>(pCategory->GetNext(pos));
            const BOOL bSame = button.commandId != (UINT)-1
                                   ? pListed->commandId == button.commandId
                                   : pListed->commandId == (UINT)-1 && pListed->text == button.text;
            if (bSame) {
                if (pListed->text.IsEmpty())
                    pListed->text = button.text;
                return;
            }
        }
    } else {
        pCategory = new CObList;
        m_ButtonsByCategory.SetAt(strCategory, pCategory);
        if (!bAllCommands)
            m_ButtonsByName.AddTail(strCategory);
    }

    CObject* pObject = button.GetRuntimeClass()->CreateObject();
    CZUDPToolbarButton* pNew = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CZUDPToolbarButton))
                                   ? static_cast<CZUDPToolbarButton*>(pObject)
                                   : nullptr;
    if (pNew == nullptr) {
        delete pObject;
        return;
    }
    pNew->CopyFrom(button);
    pNew->text = strText;
    if (bUserTool)
        pNew->imageIndex = 0;

    POSITION posBefore = iInsertBefore >= 0 ? pCategory->FindIndex(iInsertBefore) : nullptr;
    if (posBefore != nullptr)
        pCategory->InsertBefore(posBefore, pNew);
    else
        pCategory->AddTail(pNew);

    if (!bAllCommands)
        AddButton(m_strAllCommands, button, -1);
}

void CZUDPToolbarCustomize::AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory,
                                            LPCTSTR lpszMenuPath)
{
    if (pMenu == nullptr || pMenu->GetSafeHmenu() == nullptr)
        return;
    const HMENU hMenu = pMenu->GetSafeHmenu();
    BOOL bWindowsMenu = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT uiCmd = ::GetMenuItemID(hMenu, i);
        CString strText;
        {
            char szText[512] = "";
            ::GetMenuStringA(hMenu, UINT(i), szText, int(sizeof(szText)), MF_BYPOSITION);
            strText = szText;
        }
        if (!m_bMenuAmpersand)
            RemoveAmpersands(strText);

        if (uiCmd == 0)
            continue;
        if (uiCmd == (UINT)-1) {
            HMENU hSub = ::GetSubMenu(hMenu, i);
            if (hSub == nullptr)
                continue;
            CString strCategory = strText;
            RemoveAmpersands(strCategory);
            if (lpszCategory != nullptr)
                strCategory = lpszCategory;
            UINT uiTearOffId = 0;
            if (g_tearOffManager != nullptr)
                uiTearOffId = CZUDPTearOffBarManager::ExtractIdFromMenuText(strCategory);
            CMenu* pSub = CMenu::FromHandle(hSub);
            if (m_bAutoSetFromMenus) {
                if (bPopup) {
                    CZUDPToolbarMenuButton menuButton((UINT)-1, hSub, -1, strText);
                    menuButton.SetTearOffId(uiTearOffId);
                    AddButton(strCategory, menuButton, -1);
                }
                const CString strPath = CString(lpszMenuPath != nullptr ? lpszMenuPath : "") + strText;
                AddMenuCommands(pSub, bPopup, strCategory, strPath);
            } else {
                AddMenuCommands(pSub, bPopup, nullptr, nullptr);
            }
            continue;
        }

        if (bPopup && uiCmd >= kFirstWindowCommand && uiCmd < kFirstWindowCommand + kWindowCommandCount)
            bWindowsMenu = TRUE;
        if (lpszCategory != nullptr && g_userToolsManager != nullptr &&
            uiCmd == g_userToolsManager->GetToolsPlaceholderCmdId() && uiCmd != 0) {
            AddUserTools(lpszCategory);
            continue;
        }
        CZUDPToolbarButton button(uiCmd, -1, strText);
        // An item without text of its own is named by its command's string;
        // a path of the menu's name alone would name no command.
        if (lpszMenuPath != nullptr && !strText.IsEmpty())
            button.menuPath = MakeMenuPath(lpszMenuPath, strText);
        AddButton(lpszCategory != nullptr ? lpszCategory : (LPCTSTR)m_strAllCommands, button, -1);
    }
    // A Windows menu of an MDI frame would also list the frame's windows
    // dialog command; library MDI frames offer no such dialog.
    (void)bWindowsMenu;
}

BOOL CZUDPToolbarCustomize::SetupFromMenus()
{
    if (CWinApp* pApp = AfxGetApp()) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            if (pTemplate == nullptr || !pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
                continue;
            if (pTemplate->m_hMenuShared != nullptr)
                AddMenuCommands(CMenu::FromHandle(pTemplate->m_hMenuShared), FALSE);
        }
    }
    if (m_pParentFrame == nullptr)
        return FALSE;
    HMENU hMenu = m_pParentFrame->m_hMenuDefault;
    if (hMenu == nullptr) {
        CZUDPFrameImpl* pImpl = FrameImplOf(m_pParentFrame);
        if (pImpl != nullptr && pImpl->GetMenuBar() != nullptr)
            hMenu = pImpl->GetMenuBar()->GetDefaultMenu();
    }
    if (hMenu == nullptr)
        return FALSE;
    AddMenuCommands(CMenu::FromHandle(hMenu), FALSE);
    return TRUE;
}

BOOL CZUDPToolbarCustomize::AddUserTools(LPCTSTR lpszCategory)
{
    if (g_userToolsManager == nullptr || lpszCategory == nullptr)
        return FALSE;
    const CObList& tools = g_userToolsManager->GetUserTools();
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
        CZUDPUserTool* pTool = static_cast<CZUDPUserTool*>(tools.GetNext(pos));
        CZUDPToolbarButton button(pTool->m_uiCmdId, 0, pTool->m_strLabel);
        AddButton(lpszCategory, button, -1);
    }
    return TRUE;
}

namespace {

BOOL HasRealCommand(const CObList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const UINT uiCmd = static_cast<CZUDPToolbarButton*>(list.GetNext(pos))->commandId;
        if (uiCmd != 0 && uiCmd != (UINT)-1)
            return TRUE;
    }
    return FALSE;
}

} // namespace

void CZUDPToolbarCustomize::FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty) const
{
    for (POSITION pos = m_ButtonsByName.GetHeadPosition(); pos != nullptr;) {
        const CString& strName = m_ButtonsByName.GetNext(pos);
        CObList* pList = GetCategoryButtons(strName);
        if (pList == nullptr || (!bAddEmpty && !HasRealCommand(*pList)))
            continue;
        const int iItem = wndCategory.AddString(strName);
        wndCategory.SetItemDataPtr(iItem, pList);
    }
    const int iItem = wndCategory.AddString(m_strAllCommands);
    wndCategory.SetItemDataPtr(iItem, GetCategoryButtons(m_strAllCommands));
}

void CZUDPToolbarCustomize::FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const
{
    for (POSITION pos = m_ButtonsByName.GetHeadPosition(); pos != nullptr;) {
        const CString& strName = m_ButtonsByName.GetNext(pos);
        CObList* pList = GetCategoryButtons(strName);
        if (pList == nullptr || (!bAddEmpty && !HasRealCommand(*pList)))
            continue;
        const int iItem = wndCategory.AddString(strName);
        wndCategory.SetItemDataPtr(iItem, pList);
    }
    const int iItem = wndCategory.AddString(m_strAllCommands);
    wndCategory.SetItemDataPtr(iItem, GetCategoryButtons(m_strAllCommands));
}

void CZUDPToolbarCustomize::FillAllCommandsList(CListBox& wndListOfCommands) const
{
    wndListOfCommands.ResetContent();
    CObList* pAll = GetCategoryButtons(m_strAllCommands);
    if (pAll == nullptr)
        return;
    for (POSITION pos = pAll->GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(pAll->GetNext(pos));
        const int iItem = wndListOfCommands.AddString(pButton->menuPath.IsEmpty() ? pButton->text : pButton->menuPath);
        wndListOfCommands.SetItemData(iItem, pButton->commandId);
    }
}

LPCTSTR CZUDPToolbarCustomize::GetCommandName(UINT uiCmd) const
{
    CObList* pAll = GetCategoryButtons(m_strAllCommands);
    if (pAll == nullptr)
        return nullptr;
    for (POSITION pos = pAll->GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(pAll->GetNext(pos));
        if (pButton->commandId == uiCmd)
            return pButton->text;
    }
    return nullptr;
}

int CZUDPToolbarCustomize::GetCountInCategory(LPCTSTR lpszItemName, const CObList& lstCommands) const
{
    if (lpszItemName == nullptr)
        return 0;
    int nCount = 0;
    for (POSITION pos = lstCommands.GetHeadPosition(); pos != nullptr;) {
        if (static_cast<CZUDPToolbarButton*>(lstCommands.GetNext(pos))->text == lpszItemName)
            ++nCount;
    }
    return nCount;
}

void CZUDPToolbarCustomize::SetFrameCustMode(BOOL bCustMode)
{
    if (m_pParentFrame == nullptr || m_pParentFrame->GetSafeHwnd() == nullptr) {
        CZUDPToolBar::SetCustomizeMode(bCustMode);
        return;
    }
    CWaitCursor wait;
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(m_pParentFrame->m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        children.push_back(hChild);
    for (HWND hChild : children) {
        if (!::IsWindow(hChild))
            continue;
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != nullptr && KeepsEnabledInCustomization(pChild))
            continue;
        ::EnableWindow(hChild, !bCustMode);
    }

    if (IsFrameKindWithMiniFrames(m_pParentFrame)) {
        if (CZUDPDockManager* pDockManager = DockManagerOfFrame(m_pParentFrame)) {
            const CObList& miniFrames = pDockManager->GetMiniFrames();
            for (POSITION pos = miniFrames.GetHeadPosition(); pos != nullptr;) {
                CZUDPMiniFrameWnd* pMiniFrame = static_cast<CZUDPMiniFrameWnd*>(miniFrames.GetNext(pos));
                if (pMiniFrame == nullptr || pMiniFrame->GetSafeHwnd() == nullptr)
                    continue;
                CWnd* pBar = pMiniFrame->GetHostedBar();
                if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CZUDPBaseToolBar)))
                    continue;
                pMiniFrame->EnableWindow(!bCustMode);
            }
        }
    }

    const BOOL bLocked = m_pParentFrame->LockWindowUpdate();
    CZUDPToolBar::SetCustomizeMode(bCustMode);
    m_pParentFrame->SendMessage(ZUDTOOLBAR_CUSTOMIZE, WPARAM(bCustMode), 0);
    if (bLocked)
        m_pParentFrame->UnlockWindowUpdate();

    if (!bCustMode) {
        CFrameWnd* pActive = m_pParentFrame->GetActiveFrame();
        if (pActive == nullptr || pActive->GetSafeHwnd() == nullptr)
            pActive = m_pParentFrame;
        pActive->PostMessage(WM_SETFOCUS);
    }
}

void CZUDPToolbarCustomize::ShowToolBar(CZUDPToolBar* pToolBar, BOOL bShow)
{
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->ShowToolBar(pToolBar, bShow);
}

BOOL CZUDPToolbarCustomize::Create()
{
    DWORD dwExStyle = 0;
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr &&
        (m_pParentFrame->GetExStyle() & WS_EX_LAYOUTRTL))
        dwExStyle |= WS_EX_LAYOUTRTL;
    if (!CPropertySheet::Create(m_pParentFrame, (DWORD)-1, dwExStyle))
        return FALSE;
    SetFrameCustMode(TRUE);
    return TRUE;
}

BOOL CZUDPToolbarCustomize::OnEditToolbarMenuImage(CWnd* pWndParent, CBitmap& bitmap, int nBitsPerPixel)
{
    CZUDPImageEditDlg dlg(&bitmap, pWndParent, nBitsPerPixel);
    return dlg.DoModal() == IDOK;
}

BOOL CZUDPToolbarCustomize::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();

    CWnd* pClose = GetDlgItem(IDCANCEL);
    CRect rectClose;
    if (pClose != nullptr) {
        pClose->ShowWindow(SW_SHOW);
        pClose->EnableWindow(TRUE);
        if (CWnd* pOK = GetDlgItem(IDOK))
            pOK->ModifyStyle(BS_DEFPUSHBUTTON, 0);
        pClose->ModifyStyle(0, BS_DEFPUSHBUTTON);
        SendMessage(DM_SETDEFID, IDCANCEL);
        CString strClose;
        strClose.LoadString(IDS_ZUDP_CLOSE);
        pClose->SetWindowText(strClose);

        pClose->GetWindowRect(rectClose);
        ScreenToClient(rectClose);
        CRect rectSheet;
        GetWindowRect(rectSheet);
        SetWindowPos(nullptr, 0, 0, rectSheet.Width(), rectSheet.Height() + rectClose.Height() + 16,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect rectClient;
        GetClientRect(rectClient);
        pClose->SetWindowPos(nullptr, rectClient.Width() - rectClose.Width() - 8, rectClose.top + 4, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    if (CWnd* pHelp = GetDlgItem(IDHELP)) {
        if (m_uiFlags & ZUDP_CUSTOMIZE_NOHELP) {
            pHelp->ShowWindow(SW_HIDE);
            pHelp->EnableWindow(FALSE);
        } else {
            m_btnHelp.SubclassWindow(pHelp->GetSafeHwnd());
            m_btnHelp.ShowWindow(SW_SHOW);
            m_btnHelp.EnableWindow(TRUE);
            const BOOL bHighColor = g_uiEnvironment.m_bitsPerPixel >= 16 &&
                                    !g_uiEnvironment.IsContrastColorScheme() && g_uiEnvironment.m_highColorImages;
            m_btnHelp.SetImagesFromResources(bHighColor ? IDB_ZUDP_HELP_HICOLOR : IDB_ZUDP_HELP);
            m_btnHelp.SetWindowText("");
            m_btnHelp.SizeToContent();
            m_btnHelp.SetWindowPos(nullptr, 8, rectClose.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return bResult;
}

BOOL CZUDPToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDCANCEL:
        if (g_userToolsManager != nullptr && m_pToolsPage != nullptr && GetPageIndex(m_pToolsPage) >= 0 &&
            !CheckToolsValidity(g_userToolsManager->GetUserTools())) {
            if (GetActivePage() != m_pToolsPage)
                SetActivePage(m_pToolsPage);
            return TRUE;
        }
        DestroyWindow();
        return TRUE;
    case IDHELP:
        OnHelpRequest();
        return TRUE;
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

void CZUDPToolbarCustomize::OnHelpRequest()
{
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        m_pParentFrame->SendMessage(ZUDTOOLBAR_CUSTOMIZEHELP, WPARAM(GetActiveIndex()), LPARAM(this));
}

LRESULT CZUDPToolbarCustomize::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const LRESULT lResult = CPropertySheet::WindowProc(message, wParam, lParam);
        if (lResult == -1)
            return lResult;
        g_customizeSheet = this;
        if (m_uiFlags & ZUDP_CUSTOMIZE_CONTEXT_HELP)
            ModifyStyleEx(0, WS_EX_CONTEXTHELP);
        return lResult;
    }
    case WM_HELP: {
        const HELPINFO* pHelpInfo = reinterpret_cast<const HELPINFO*>(lParam);
        if ((m_uiFlags & ZUDP_CUSTOMIZE_CONTEXT_HELP) && pHelpInfo != nullptr &&
            pHelpInfo->iContextType == HELPINFO_WINDOW) {
            CWinApp* pApp = AfxGetApp();
            if (pApp != nullptr)
                pApp->WinHelp(DWORD_PTR(pHelpInfo->iCtrlId) + 0x41000, HELP_CONTEXTPOPUP);
        } else {
            OnHelpRequest();
        }
        return TRUE;
    }
    case WM_CONTEXTMENU:
        if (m_uiFlags & ZUDP_CUSTOMIZE_CONTEXT_HELP) {
            if (CZUDPWorkspace* pWorkspace = GetWorkspaceInstance())
                pWorkspace->OnWinHelp(CWnd::FromHandle(HWND(wParam)), DWORD_PTR(g_customizeHelpIds));
            return 0;
        }
        break;
    default:
        break;
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

void CZUDPToolbarCustomize::PostNcDestroy()
{
    g_customizeSheet = nullptr;
    SetFrameCustMode(FALSE);
    CPropertySheet::PostNcDestroy();
    delete this;
}
