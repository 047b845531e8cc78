#include "ui/commandbars/customize/ZUDPToolsPage.h"

#include "framework/win/WinApp.h"
#include "res/ui/customize-pages.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"
#include "ui/commandbars/customize/ZUDPCustomizePageSupport.h"
#include "ui/controls/ZUDPControlsSeams.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

// ---------------------------------------------------------------------------
// CToolsList

void CToolsList::OnSelectionChanged()
{
    const int iSelItem = GetSelItem();
    auto* pSelTool = iSelItem >= 0 ? reinterpret_cast<CZUDPUserTool*>(GetItemData(iSelItem)) : nullptr;
    if (pSelTool != nullptr) {
        m_pParent->m_strCommand = pSelTool->GetCommand();
        m_pParent->m_strArguments = pSelTool->m_strArguments;
        m_pParent->m_strInitialDirectory = pSelTool->m_strInitialDirectory;
    } else {
        m_pParent->m_strCommand.Empty();
        m_pParent->m_strArguments.Empty();
        m_pParent->m_strInitialDirectory.Empty();
    }
    CZUDPCustomizePageHost* pHost = m_pParent->GetHost();
    if (pHost != nullptr)
        pHost->OnBeforeChangeTool(m_pParent->m_pSelTool);
    m_pParent->m_pSelTool = pSelTool;
    m_pParent->WriteControls();
    m_pParent->EnableControls();
    if (pHost != nullptr)
        pHost->OnAfterChangeTool(m_pParent->m_pSelTool);
}

BOOL CToolsList::OnBeforeRemoveItem(int iItem)
{
    auto* pTool = reinterpret_cast<CZUDPUserTool*>(GetItemData(iItem));
    if (pTool != nullptr && g_userToolsManager != nullptr)
        g_userToolsManager->DeleteTool(pTool);
    m_pParent->m_pSelTool = nullptr;
    return TRUE;
}

void CToolsList::OnAfterAddItem(int iItem)
{
    CZUDPUserTool* pTool = m_pParent->CreateNewTool();
    if (pTool == nullptr) {
        RemoveItem(iItem);
        return;
    }
    pTool->m_strLabel = GetItemText(iItem);
    SetItemData(iItem, DWORD_PTR(pTool));
    OnSelectionChanged();
}

void CToolsList::OnAfterRenameItem(int iItem)
{
    if (auto* pTool = reinterpret_cast<CZUDPUserTool*>(GetItemData(iItem)))
        pTool->m_strLabel = GetItemText(iItem);
}

void CToolsList::OnAfterMoveItemUp(int iItem)
{
    if (auto* pTool = reinterpret_cast<CZUDPUserTool*>(GetItemData(iItem)); pTool != nullptr && g_userToolsManager != nullptr)
        g_userToolsManager->ShiftToolUp(pTool);
}

void CToolsList::OnAfterMoveItemDown(int iItem)
{
    if (auto* pTool = reinterpret_cast<CZUDPUserTool*>(GetItemData(iItem)); pTool != nullptr && g_userToolsManager != nullptr)
        g_userToolsManager->ShiftToolDown(pTool);
}

// ---------------------------------------------------------------------------
// CZUDPToolsPage

IMPLEMENT_DYNAMIC(CZUDPToolsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPToolsPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ZUDP_TOOLS_BROWSE, &CZUDPToolsPage::OnBrowseCommand)
    ON_BN_CLICKED(IDC_ZUDP_TOOLS_ARGUMENTS_MENU, &CZUDPToolsPage::OnArgumentsOptions)
    ON_BN_CLICKED(IDC_ZUDP_TOOLS_DIRECTORY_MENU, &CZUDPToolsPage::OnInitialDirectoryOptions)
    ON_EN_UPDATE(IDC_ZUDP_TOOLS_COMMAND, &CZUDPToolsPage::OnUpdateTool)
    ON_EN_UPDATE(IDC_ZUDP_TOOLS_ARGUMENTS, &CZUDPToolsPage::OnUpdateTool)
    ON_EN_UPDATE(IDC_ZUDP_TOOLS_DIRECTORY, &CZUDPToolsPage::OnUpdateTool)
END_MESSAGE_MAP()

CZUDPToolsPage::CZUDPToolsPage() : CPropertyPage(IDD_ZUDP_TOOLS_PAGE), m_wndToolsList(this) {}

CZUDPToolsPage::~CZUDPToolsPage() = default;

CZUDPCustomizePageHost* CZUDPToolsPage::GetHost()
{
    return customize_pages::FindHost(m_pHost, this);
}

void CZUDPToolsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_DIRECTORY_MENU, m_wndInitialDirBtn);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_ARGUMENTS_MENU, m_wndArgumentsBtn);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_ARGUMENTS, m_wndArgumentsEdit);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_DIRECTORY, m_wndInitialDirEdit);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_COMMAND, m_wndCommandEdit);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_BROWSE, m_wndBrowseBtn);
    DDX_Control(pDX, IDC_ZUDP_TOOLS_LIST, m_wndToolsList);
    DDX_Text(pDX, IDC_ZUDP_TOOLS_COMMAND, m_strCommand);
    DDX_Text(pDX, IDC_ZUDP_TOOLS_ARGUMENTS, m_strArguments);
    DDX_Text(pDX, IDC_ZUDP_TOOLS_DIRECTORY, m_strInitialDirectory);
}

BOOL CZUDPToolsPage::OnInitDialog()
{
    m_bWritingControls = TRUE;
    CPropertyPage::OnInitDialog();
    m_bWritingControls = FALSE;
    m_pParentSheet = GetParentSheet();

    m_wndToolsList.AddStandardButtons(EditListButton_New | EditListButton_Delete | EditListButton_MoveUp |
                                      EditListButton_MoveDown);
    if (CZUDPCustomizePageHost* pHost = GetHost())
        pHost->OnInitToolsPage();

    if (g_userToolsManager != nullptr) {
        const CObList& tools = g_userToolsManager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            auto* pTool = static_cast<CZUDPUserTool*>(tools.GetNext(pos));
            m_wndToolsList.AddItem(pTool->m_strLabel, DWORD_PTR(pTool));
        }
        struct MenuOfButton {
            UINT uiMenuId;
            CMenu& menu;
            CZUDPMenuButton& button;
        } menus[] = {
            {g_userToolsManager->GetInitialDirMenuId(), m_menuInitialDir, m_wndInitialDirBtn},
            {g_userToolsManager->GetArgumentsMenuId(), m_menuArguments, m_wndArgumentsBtn},
        };
        for (MenuOfButton& m : menus) {
            if (m.uiMenuId == 0 || !m.menu.LoadMenu(m.uiMenuId))
                continue;
            m.button.ShowWindow(SW_SHOW);
            m.button.m_hMenu = ::GetSubMenu(m.menu.GetSafeHmenu(), 0);
            m.button.m_bRightArrow = TRUE;
        }
    }
    EnableControls();
    return TRUE;
}

void CZUDPToolsPage::EnableControls()
{
    const BOOL bEnable = m_wndToolsList.GetSelItem() >= 0;
    m_wndCommandEdit.EnableWindow(bEnable);
    m_wndArgumentsEdit.EnableWindow(bEnable);
    m_wndInitialDirEdit.EnableWindow(bEnable);
    m_wndBrowseBtn.EnableWindow(bEnable);
    m_wndArgumentsBtn.EnableWindow(bEnable);
    m_wndInitialDirBtn.EnableWindow(bEnable);
}

CZUDPUserTool* CZUDPToolsPage::CreateNewTool()
{
    if (g_userToolsManager == nullptr)
        return nullptr;
    const int nMaxTools = g_userToolsManager->GetMaxTools();
    if (g_userToolsManager->GetUserTools().GetCount() >= nMaxTools) {
        CString strFormat = customize_pages::LoadLibraryString(IDS_ZUDP_TOOLS_LIMIT);
        CString strMessage;
        strMessage.Format(strFormat, nMaxTools);
        AfxMessageBox(strMessage, MB_OK);
        return nullptr;
    }
    return g_userToolsManager->AddTool();
}

void CZUDPToolsPage::WriteControls()
{
    // Writing a field notifies its change: that is no edit of the tool.
    const BOOL bWas = m_bWritingControls;
    m_bWritingControls = TRUE;
    UpdateData(FALSE);
    m_bWritingControls = bWas;
}

void CZUDPToolsPage::OnUpdateTool()
{
    if (m_bWritingControls)
        return;
    UpdateData();
    const int iSelItem = m_wndToolsList.GetSelItem();
    auto* pTool = iSelItem >= 0 ? reinterpret_cast<CZUDPUserTool*>(m_wndToolsList.GetItemData(iSelItem)) : nullptr;
    if (pTool == nullptr) {
        m_strCommand.Empty();
        m_strArguments.Empty();
        m_strInitialDirectory.Empty();
        WriteControls();
    } else {
        pTool->SetCommand(m_strCommand);
        pTool->m_strArguments = m_strArguments;
        pTool->m_strInitialDirectory = m_strInitialDirectory;
    }
    EnableControls();
}

void CZUDPToolsPage::OnBrowseCommand()
{
    CString strDefExt, strFilter;
    if (g_userToolsManager != nullptr) {
        strDefExt = g_userToolsManager->GetDefExt();
        strFilter = g_userToolsManager->GetFilter();
    }
    CString strPath;
    if (!g_controlsSeams.openFileDialog(this, strDefExt.IsEmpty() ? nullptr : LPCTSTR(strDefExt), nullptr,
                                        strFilter.IsEmpty() ? nullptr : LPCTSTR(strFilter), nullptr, strPath))
        return;
    m_strCommand = strPath;
    WriteControls();
    OnUpdateTool();
}

void CZUDPToolsPage::TypeMenuChoice(CZUDPMenuButton& button, CEdit& edit)
{
    if (button.m_nChosenCommand <= 0)
        return;
    const CString strText = customize_pages::LoadLibraryString(UINT(button.m_nChosenCommand));
    for (int i = 0; i < strText.GetLength(); ++i)
        edit.SendMessage(WM_CHAR, WPARAM(BYTE(strText[i])));
}

void CZUDPToolsPage::OnArgumentsOptions()
{
    TypeMenuChoice(m_wndArgumentsBtn, m_wndArgumentsEdit);
}

void CZUDPToolsPage::OnInitialDirectoryOptions()
{
    TypeMenuChoice(m_wndInitialDirBtn, m_wndInitialDirEdit);
}

BOOL CZUDPToolsPage::OnKillActive()
{
    CZUDPCustomizePageHost* pHost = GetHost();
    if (pHost != nullptr && g_userToolsManager != nullptr &&
        !pHost->CheckToolsValidity(g_userToolsManager->GetUserTools()))
        return FALSE;
    return CPropertyPage::OnKillActive();
}

void CZUDPToolsPage::OnOK()
{
    OnUpdateTool();
    CPropertyPage::OnOK();
}

// The customization sheet's maker of this page.
CPropertyPage* NewCustomizeToolsPage()
{
    return new CZUDPToolsPage;
}
