// The folder tree: drives under one root, subfolders read on expansion.
#include "framework/win/ShellTreeCtrl.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CShellTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CTreeCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, &CShellTreeCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, &CShellTreeCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, &CShellTreeCtrl::OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMW, &CShellTreeCtrl::OnDeleteItem)
END_MESSAGE_MAP()

namespace {

// Item data: the folder's path and whether its children were read.
struct TreeFolderNode {
    CString path;
    bool filled = false;
};

TreeFolderNode* ItemOf(const CTreeCtrl* pTree, HTREEITEM hItem)
{
    return hItem == nullptr ? nullptr : reinterpret_cast<TreeFolderNode*>(pTree->GetItemData(hItem));
}

CString WithSeparator(const CString& path)
{
    if (path.IsEmpty() || path.Right(1) == "\\")
        return path;
    return path + "\\";
}

} // namespace

CShellTreeCtrl::CShellTreeCtrl() = default;

CShellTreeCtrl::~CShellTreeCtrl() = default;

void CShellTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    if (AfxGetThreadState()->m_pWndInit == nullptr)
        Refresh();
}

int CShellTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    Refresh();
    return 0;
}

void CShellTreeCtrl::Refresh()
{
    DeleteAllItems();
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = TVI_ROOT;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    tvis.item.pszText = (LPSTR) "Computer";
    tvis.item.cChildren = 1;
    tvis.item.lParam = (LPARAM) new TreeFolderNode;
    m_hRoot = InsertItem(&tvis);
}

HTREEITEM CShellTreeCtrl::AddFolder(HTREEITEM hParent, LPCTSTR lpszName, const CString& strPath)
{
    TreeFolderNode* pItem = new TreeFolderNode;
    pItem->path = strPath;
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    tvis.item.pszText = (LPSTR)lpszName;
    // Drives are offered as expandable without touching them (a slow or
    // empty drive is read only when opened).
    tvis.item.cChildren = (strPath.GetLength() <= 3 || HasSubfolders(strPath)) ? 1 : 0;
    tvis.item.lParam = (LPARAM)pItem;
    HTREEITEM hItem = InsertItem(&tvis);
    if (hItem == nullptr)
        delete pItem;
    return hItem;
}

BOOL CShellTreeCtrl::HasSubfolders(const CString& strPath)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(WithSeparator(strPath) + "*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bFound = FALSE;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ::lstrcmpA(data.cFileName, ".") != 0
            && ::lstrcmpA(data.cFileName, "..") != 0)
            bFound = TRUE;
    } while (!bFound && ::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return bFound;
}

void CShellTreeCtrl::FillChildren(HTREEITEM hParent)
{
    TreeFolderNode* pParent = ItemOf(this, hParent);
    if (pParent == nullptr || pParent->filled)
        return;
    pParent->filled = true;
    std::vector<CString> names;
    if (hParent == m_hRoot) {
        char drives[512] = {};
        DWORD nLen = ::GetLogicalDriveStringsA(sizeof(drives) - 1, drives);
        for (const char* p = drives; nLen > 0 && *p != '\0'; p += ::lstrlenA(p) + 1) {
            CString drive(p);   // "C:\"
            AddFolder(hParent, drive.Left(2), drive);
        }
        return;
    }
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(WithSeparator(pParent->path) + "*", &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)
                && ::lstrcmpA(data.cFileName, ".") != 0 && ::lstrcmpA(data.cFileName, "..") != 0)
                names.push_back(CString(data.cFileName));
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    for (const CString& name : names)
        AddFolder(hParent, name, WithSeparator(pParent->path) + name);
    if (names.empty()) {
        // Nothing to open: the expand button goes.
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = hParent;
        item.cChildren = 0;
        SetItem(&item);
    }
}

void CShellTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The A and W records share the item handle and action fields.
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    if (pTree->action & TVE_EXPAND)
        FillChildren(pTree->itemNew.hItem);
    *pResult = 0;
}

void CShellTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    delete reinterpret_cast<TreeFolderNode*>(pTree->itemOld.lParam);
    if (pTree->itemOld.hItem == m_hRoot)
        m_hRoot = nullptr;
    *pResult = 0;
}

BOOL CShellTreeCtrl::GetItemPath(CString& strPath, HTREEITEM hItem) const
{
    if (hItem == nullptr)
        hItem = GetSelectedItem();
    TreeFolderNode* pItem = ItemOf(this, hItem);
    if (pItem == nullptr || pItem->path.IsEmpty())
        return FALSE;
    strPath = pItem->path;
    return TRUE;
}

HTREEITEM CShellTreeCtrl::FindChildFolder(HTREEITEM hParent, LPCTSTR lpszName)
{
    FillChildren(hParent);
    CString wanted(lpszName);
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != nullptr; hChild = GetNextSiblingItem(hChild)) {
        TreeFolderNode* pItem = ItemOf(this, hChild);
        if (pItem == nullptr)
            continue;
        CString name = hParent == m_hRoot ? pItem->path.Left(2) : GetItemText(hChild);
        if (name.CompareNoCase(wanted) == 0)
            return hChild;
    }
    return nullptr;
}

BOOL CShellTreeCtrl::SelectPath(LPCTSTR lpszPath)
{
    if (m_hRoot == nullptr)
        Refresh();
    CString path(lpszPath);
    path.Replace('/', '\\');
    HTREEITEM hItem = m_hRoot;
    BOOL bComplete = TRUE;
    int nStart = 0;
    for (;;) {
        CString part = path.Tokenize("\\", nStart);
        if (nStart < 0 || part.IsEmpty())
            break;
        HTREEITEM hChild = FindChildFolder(hItem, part);
        if (hChild == nullptr) {
            bComplete = FALSE;
            break;
        }
        Expand(hItem, TVE_EXPAND);
        hItem = hChild;
    }
    SelectItem(hItem);
    EnsureVisible(hItem);
    return bComplete && hItem != m_hRoot;
}
