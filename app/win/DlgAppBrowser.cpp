#include "app/win/DlgAppBrowser.h"

#include "framework/win/Dialog.h"
#include "framework/FileFind.h"

#include "app/MachineColumns.h"
#include "res/resource.h"
#include "support/Utilities.h"
#include "ui/foundation/ZUDPShellManager.h"

#include <cstring>
#include <string>

BEGIN_MESSAGE_MAP(CDlgAppBrowser, CZUDPDialog)
    ON_WM_SIZE()
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_BROWSER_TREE, &CDlgAppBrowser::OnFolderSelected)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_BROWSER_TREE, &CDlgAppBrowser::OnFolderSelected)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BROWSER_FILES, &CDlgAppBrowser::OnFileItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_BROWSER_FILES, &CDlgAppBrowser::OnFileDoubleClick)
    ON_BN_CLICKED(IDC_BROWSER_OK, &CDlgAppBrowser::OnChoose)
END_MESSAGE_MAP()

namespace {

struct BrowserColumn {
    const char* title;
    int width;
};
const BrowserColumn kColumns[kAppFileColumnCount] = {
    {"Application", 200}, {"Version", 60}, {"Date", 120}, {"Size", 60}, {"VLumex", 100}, {"Datasets", 250},
};

// File names come from the system in the ANSI code page; the list's
// texts are UTF-8.
CString AnsiToUtf8(const char* text)
{
    int wide = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wide <= 0)
        return CString(text);
    std::wstring buffer((size_t)wide, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &buffer[0], wide);
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString(text);
    std::string utf8((size_t)bytes, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), -1, &utf8[0], bytes, nullptr, nullptr);
    return CString(utf8.c_str());
}

// Whether a found name really has the extension: the system's search also
// matches a name through its short (8.3) alias, so "x.lmx2" can turn up
// for "*.lmx".
bool HasApplicationExtension(const char* name)
{
    size_t length = strlen(name);
    return length >= 4 && CompareNoCase(name + length - 4, ".lmx") == 0;
}

} // namespace

CDlgAppBrowser::CDlgAppBrowser(const char* folder, CWnd* parent)
    : CZUDPDialog(IDD_APP_BROWSER, parent), m_path(folder ? folder : "", 1)
{
    SetVisualManagerLook(TRUE, FALSE);
}

CDlgAppBrowser::~CDlgAppBrowser() = default;

void CDlgAppBrowser::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSER_PATH, m_pathEdit);
    DDX_Control(pDX, IDC_BROWSER_TREE, m_tree);
    DDX_Control(pDX, IDC_BROWSER_FILES, m_list);
    DDX_Control(pDX, IDC_BROWSER_OK, m_okButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
}

BOOL CDlgAppBrowser::OnInitDialog()
{
    // The program's workspace makes the shell manager; a browser opened
    // without one makes it once for the process.
    if (g_shellManager == nullptr)
        new CZUDPShellManager;
    CZUDPDialog::OnInitDialog();

    RecordClientRect(this);
    RegisterControl(&m_pathEdit, kAnchorGrowWidth);
    RegisterControl(&m_tree, kAnchorGrowHeight);
    RegisterControl(&m_list, kAnchorGrowWidth | kAnchorGrowHeight);
    RegisterControl(&m_okButton, kAnchorMoveRight | kAnchorMoveDown);
    RegisterControl(&m_cancelButton, kAnchorMoveRight | kAnchorMoveDown);
    m_layoutRecorded = TRUE;

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < kAppFileColumnCount; ++column)
        m_list.InsertColumn(column, kColumns[column].title, LVCFMT_LEFT, kColumns[column].width);
    m_list.SetCompareProc(&CDlgAppBrowser::CompareFiles);
    m_list.Sort(kAppFileColumnName, TRUE);
    m_list.SetSortArrow();

    // Selecting the folder fills the list (the tree tells of the change).
    m_tree.Expand(m_tree.GetRootFolder(), TVE_EXPAND);
    m_tree.SelectPath(m_path.m_path);
    UpdateOkButton();
    return TRUE;
}

void CDlgAppBrowser::OnSize(UINT nType, int cx, int cy)
{
    CZUDPDialog::OnSize(nType, cx, cy);
    if (m_layoutRecorded && nType != SIZE_MINIMIZED)
        ApplyClientSize(cx, cy);
}

void CDlgAppBrowser::OnFolderSelected(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The A and W records share the item fields read here.
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult = 0;
    // The chosen folder stays marked when the tree loses the focus.
    if (pTree->itemOld.hItem != nullptr)
        m_tree.SetItemState(pTree->itemOld.hItem, 0, TVIS_DROPHILITED);
    if (pTree->itemNew.hItem != nullptr)
        m_tree.SetItemState(pTree->itemNew.hItem, TVIS_DROPHILITED, TVIS_DROPHILITED);

    // The computer item is no folder: nothing to list.
    CString folder;
    if (!m_tree.GetItemPath(folder, pTree->itemNew.hItem))
        folder.Empty();
    m_pathEdit.SetWindowText(folder);
    m_path.SetFolder(folder);
    FillList();
}

void CDlgAppBrowser::FillList()
{
    m_list.SetRedraw(FALSE);
    CWaitCursor wait;
    m_list.DeleteAllItems();
    m_list.ClearRowColours();

    const CString folder = m_path.m_path;
    if (!folder.IsEmpty()) {
        CString pattern = folder;
        if (pattern[pattern.GetLength() - 1] != '\\')
            pattern += "\\";
        pattern += "*.lmx";
        CFileFind finder;
        BOOL more = finder.FindFile(pattern);
        while (more) {
            more = finder.FindNextFile();
            if (finder.IsDots() || finder.IsDirectory() || !HasApplicationExtension(finder.GetFileName()))
                continue;
            AddFile(finder.GetFilePath());
        }
    }

    m_list.Sort(m_list.GetSortColumn(), m_list.IsAscending());
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    m_path.SetFolder(folder);
    UpdateOkButton();
}

void CDlgAppBrowser::AddFile(const char* path)
{
    m_files.push_back(std::make_unique<CGAppFile>(path));
    CGAppFile* file = m_files.back().get();
    bool readable = file->Open();

    int row = m_list.InsertRow(m_list.GetItemCount(), AnsiToUtf8(file->GetDisplayName()));
    if (row < 0) {
        file->Close();
        return;
    }
    if (readable) {
        for (int column = 1; column < kAppFileColumnCount; ++column)
            m_list.SetItemText(row, column, DoubleAmpersands(file->GetColumnText(column)));
    } else {
        m_list.SetItemText(row, kAppFileColumnVersion, "<corrupt>");
    }
    // Every row carries its record, so the path handed back is the one the
    // search found, never one rebuilt from the row's text.
    m_list.SetItemData(row, (DWORD_PTR)file);
    file->Close();
}

CGAppFile* CDlgAppBrowser::GetRowFile(int row) const
{
    if (row < 0 || row >= m_list.GetItemCount())
        return nullptr;
    return reinterpret_cast<CGAppFile*>(m_list.GetItemData(row));
}

int CDlgAppBrowser::CompareFiles(LPARAM item1, LPARAM item2, int column)
{
    return CGAppFile::Compare(*reinterpret_cast<CGAppFile*>(item1), *reinterpret_cast<CGAppFile*>(item2), column);
}

void CDlgAppBrowser::UpdateOkButton()
{
    if (m_okButton.m_hWnd != nullptr)
        m_okButton.EnableWindow(m_list.GetNextItem(-1, LVNI_SELECTED) >= 0);
}

void CDlgAppBrowser::OnFileItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    UpdateOkButton();
}

void CDlgAppBrowser::OnFileDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_list.GetNextItem(-1, LVNI_SELECTED) >= 0)
        OnChoose();
}

void CDlgAppBrowser::OnOK()
{
    OnChoose();
}

void CDlgAppBrowser::OnChoose()
{
    CGAppFile* file = GetRowFile(m_list.GetNextItem(-1, LVNI_SELECTED));
    if (file == nullptr)
        return;
    m_path.SetFile(file->GetPath().m_path);
    EndDialog(IDOK);
}
