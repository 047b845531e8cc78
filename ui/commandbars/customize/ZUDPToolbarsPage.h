#pragma once
// The Toolbars page of the customization sheet: the frame's toolbars with
// a check mark for each visible one; reset of one toolbar or of all bars
// and menus; text labels; and, when the application allows them, new,
// renamed and deleted user toolbars.  Also the dialog that asks for a
// toolbar's name and the check list whose items may refuse a change.
#include "framework/String.h"
#include "framework/win/CheckListBox.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "framework/win/PropertySheet.h"

#include <vector>

class CFrameWnd;
class CZUDPToolBar;

// A check list whose items can individually refuse to be checked or
// unchecked: a click, double click or space bar on such an item beeps.
class CZUDPExCheckList : public CCheckListBox {
public:
    CZUDPExCheckList() = default;

    // An index outside the items throws the invalid-argument exception.
    void EnableCheck(int nIndex, BOOL bEnable);
    BOOL IsCheckEnabled(int nIndex) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<BOOL> m_arCheckData;
};

class CToolbarNameDlg : public CDialog {
public:
    explicit CToolbarNameDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CString m_strToolbarName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnUpdateToolbarName();
    DECLARE_MESSAGE_MAP()

    CButton m_btnOk;
};

class CZUDPToolbarsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPToolbarsPage)
public:
    explicit CZUDPToolbarsPage(CFrameWnd* pParentFrame = nullptr);
    ~CZUDPToolbarsPage() override = default;

    void ShowToolBar(CZUDPToolBar* pToolBar, BOOL bShow);
    BOOL OnInitDialog() override;

    // Whether New, Rename and Delete are offered (the application decides;
    // nothing in the library sets it).
    BOOL m_bUserDefinedToolbars = FALSE;

    CZUDPExCheckList& GetToolbarList() { return m_wndToolbarList; }
    CZUDPToolBar* GetSelectedToolbar() const { return m_pSelectedToolbar; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeToolbarList();
    void OnDblclkToolbarList();
    void OnShowTextLabels();
    void OnResetToolbar();
    void OnResetAllToolbars();
    void OnNewToolbar();
    void OnRenameToolbar();
    void OnDeleteToolbar();
    DECLARE_MESSAGE_MAP()

    CButton m_wndTextLabels;
    CButton m_wndRenameButton;
    CButton m_wndNewButton;
    CButton m_wndDeleteButton;
    CButton m_wndResetButton;
    CZUDPExCheckList m_wndToolbarList;
    BOOL m_bTextLabels = FALSE;
    CZUDPToolBar* m_pSelectedToolbar = nullptr;
    CFrameWnd* m_pParentFrame = nullptr;

private:
    // Lists the toolbar checked as given, selects it and scrolls it to the
    // top; the item's index.
    int AddSelectedToolbar(CZUDPToolBar* pToolBar, const CString& strName, BOOL bChecked);
};
