#pragma once
// The customization sheet's Tools page: the user's external tools in an
// editable list (new, delete, move, rename) with the command, arguments
// and initial directory of the selected tool, a browse button for the
// program and menus that type ready-made texts into the fields.
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/Menu.h"
#include "framework/win/PropertySheet.h"
#include "ui/controls/ZUDPEditListBox.h"
#include "ui/controls/ZUDPMenuButton.h"

class CZUDPCustomizePageHost;
class CZUDPToolsPage;
class CZUDPUserTool;

// The page's tool list: item text = the tool's label, item data = the tool.
class CToolsList : public CZUDPEditListBox {
public:
    explicit CToolsList(CZUDPToolsPage* pParent) : m_pParent(pParent) {}

    void OnSelectionChanged() override;
    BOOL OnBeforeRemoveItem(int iItem) override;
    void OnAfterAddItem(int iItem) override;
    void OnAfterRenameItem(int iItem) override;
    void OnAfterMoveItemUp(int iItem) override;
    void OnAfterMoveItemDown(int iItem) override;
    int GetItemImage(int) const override { return -1; }

protected:
    CZUDPToolsPage* m_pParent;
};

class CZUDPToolsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPToolsPage)
    friend class CToolsList;

public:
    CZUDPToolsPage();
    ~CZUDPToolsPage() override;

    void SetCustomizeHost(CZUDPCustomizePageHost* pHost) { m_pHost = pHost; }

    // A new tool of the manager; null (after telling the user) when the
    // manager's range of ids is used up.
    CZUDPUserTool* CreateNewTool();
    // The fields, browse and menu buttons are enabled exactly while a tool
    // is selected.
    void EnableControls();
    CZUDPUserTool* GetSelectedTool() const { return m_pSelTool; }

    BOOL OnKillActive() override;
    void OnOK() override;

    CZUDPMenuButton m_wndInitialDirBtn;
    CZUDPMenuButton m_wndArgumentsBtn;
    CEdit m_wndArgumentsEdit;
    CEdit m_wndInitialDirEdit;
    CEdit m_wndCommandEdit;
    CButton m_wndBrowseBtn;
    CToolsList m_wndToolsList;
    CString m_strCommand;
    CString m_strArguments;
    CString m_strInitialDirectory;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnBrowseCommand();
    void OnArgumentsOptions();
    void OnInitialDirectoryOptions();
    void OnUpdateTool();
    // Types the string resource of the chosen menu item into the edit at
    // its caret, one character message at a time.
    void TypeMenuChoice(CZUDPMenuButton& button, CEdit& edit);
    CZUDPCustomizePageHost* GetHost();
    // The texts into the fields, without taking them for an edit.
    void WriteControls();

    CZUDPUserTool* m_pSelTool = nullptr;
    CPropertySheet* m_pParentSheet = nullptr;
    CMenu m_menuArguments;
    CMenu m_menuInitialDir;
    CZUDPCustomizePageHost* m_pHost = nullptr;
    BOOL m_bWritingControls = FALSE;

    DECLARE_MESSAGE_MAP()
};
