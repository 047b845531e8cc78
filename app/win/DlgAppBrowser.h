#pragma once
// The application browser ("Application Browser"): a folder tree on the
// left, on the right the application files (*.lmx) of the chosen folder
// with the version, date, size, design-tool version and data sets read from
// inside each file.  DoModal answers IDOK when a file was chosen; GetPath()
// is then that file's path, exactly as the folder search found it.
#include <memory>
#include <vector>

#include "app/AppFile.h"
#include "framework/win/Dialog.h"
#include "framework/win/ShellTreeCtrl.h"
#include "app/RememberedPath.h"
#include "app/win/ConsoleListCtrl.h"
#include "app/win/GDialogManager.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPDialog.h"
#include "ui/controls/ZUDPEdit.h"

class CDlgAppBrowser : public CZUDPDialog, public CGDialogManager {
public:
    // The folder shown first.
    CDlgAppBrowser(const char* folder, CWnd* parent = nullptr);
    ~CDlgAppBrowser() override;

    // The folder being shown; after OK the chosen file.
    const CRememberedPath& GetPath() const { return m_path; }

    BOOL OnInitDialog() override;
    // Enter: the selected file is chosen, as with the OK button; without a
    // selected file nothing happens.
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The controls, for the program's tests.
    CShellTreeCtrl& GetTree() { return m_tree; }
    CConsoleListCtrl& GetFileList() { return m_list; }
    // The record of a row (every listed file has one, readable or not).
    CGAppFile* GetRowFile(int row) const;

    // Order of two records by a column (the list's compare callback).
    static int CompareFiles(LPARAM item1, LPARAM item2, int column);

protected:
    void OnFolderSelected(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFileItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFileDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnChoose();
    void OnSize(UINT nType, int cx, int cy);

    void FillList();
    void AddFile(const char* path);
    void UpdateOkButton();

    CZUDPEdit m_pathEdit;
    CShellTreeCtrl m_tree;
    CConsoleListCtrl m_list;
    CZUDPButton m_okButton;
    CZUDPButton m_cancelButton;
    CRememberedPath m_path;
    // Records of every file listed while the dialog lives (a refill keeps
    // the earlier ones until the dialog goes).
    std::vector<std::unique_ptr<CGAppFile>> m_files;
    BOOL m_layoutRecorded = FALSE;

    DECLARE_MESSAGE_MAP()
};
