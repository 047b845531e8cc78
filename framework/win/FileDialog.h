#pragma once
// The system's file-open/save dialog (CFileDialog) and folder picker
// (CFolderPickerDialog), run modally over the application's window.
#include "framework/win/Dialog.h"

#include <vector>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Description|*.ext;*.ext2|Other|*.*||" ('|' separates).
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    ~CFileDialog() override;

    OPENFILENAMEA m_ofn;

    INT_PTR DoModal() override;
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Multiple selection (OFN_ALLOWMULTISELECT).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    std::vector<char> m_fileBuffer;   // selected file(s)
    std::vector<char> m_titleBuffer;
};

class CFolderPickerDialog : public CFileDialog {
    DECLARE_DYNAMIC(CFolderPickerDialog)
public:
    explicit CFolderPickerDialog(LPCTSTR lpszFolder = nullptr, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                                 DWORD dwSize = 0);
    ~CFolderPickerDialog() override;

    // IDOK with the chosen folder as the path name, IDCANCEL otherwise.
    INT_PTR DoModal() override;
    CString GetPathName() const { return m_strFolder; }
    CString GetFolderPath() const { return m_strFolder; }

    CString m_strTitle;   // text above the folder tree

private:
    CString m_strInitialFolder;
    CString m_strFolder;
};
