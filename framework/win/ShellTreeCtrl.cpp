// The folder tree: drives under one root, subfolders read on expansion.
#include "framework/win/ShellTreeCtrl.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CShellTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CTreeCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, &CShellTreeCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, &CShellTreeCtrl::OnItemExpanding)
END_MESSAGE_MAP()

namespace {

bool SamePath(const std::string& a, const std::string& b)
{
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string JoinPath(const std::string& folder, const char* name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path + name;
}

// The full, long form of a folder path with backslashes and without a final
// separator (except after a drive: "C:\\").  Empty when it cannot be made.
std::string NormalisePath(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return std::string();
    std::string path = lpszPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    char full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full)
        return std::string();
    path = full;
    // Short (8.3) names become the names the tree shows.
    char longPath[MAX_PATH * 2];
    n = ::GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    if (n > 0 && n < sizeof longPath)
        path = longPath;
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    if (path.size() == 2 && path[1] == ':')
        path += '\\';
    return path;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The index of a small icon in the shell's system image list, -1 without.
int ShellIcon(LPCSTR pszPath, DWORD dwAttributes, UINT uFlags, HIMAGELIST* phImages = nullptr)
{
    SHFILEINFOA info = {};
    HIMAGELIST hImages = (HIMAGELIST)::SHGetFileInfoA(pszPath, dwAttributes, &info, sizeof info,
                                                      uFlags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    if (hImages == nullptr)
        return -1;
    if (phImages != nullptr)
        *phImages = hImages;
    return info.iIcon;
}

} // namespace

CShellTreeCtrl::CShellTreeCtrl() = default;

CShellTreeCtrl::~CShellTreeCtrl()
{
    // The items point into m_nodes: the window goes first.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CShellTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    // A tree being created through the framework is filled at WM_CREATE;
    // one attached to an existing window (a dialog control) now.
    if (AfxGetThreadState()->m_pWndInit == nullptr)
        InitializeTree();
}

int CShellTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitializeTree();
    return 0;
}

void CShellTreeCtrl::InitializeTree()
{
    // Folder icons come from the file attributes alone, so listing a folder
    // never opens its subfolders.  The system image list is shared: the tree
    // only borrows it.
    HIMAGELIST hImages = nullptr;
    m_nFolderImage = ShellIcon("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES, &hImages);
    m_nOpenFolderImage = ShellIcon("folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES | SHGFI_OPENICON);
    if (hImages != nullptr)
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)hImages);
    Refresh();
}

void CShellTreeCtrl::Refresh()
{
    m_hRoot = nullptr;
    DeleteAllItems();
    m_nodes.clear();

    char name[MAX_PATH] = "Computer";
    int nImage = m_nFolderImage;
    LPITEMIDLIST pidl = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl)) && pidl != nullptr) {
        SHFILEINFOA info = {};
        if (::SHGetFileInfoA((LPCSTR)pidl, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME) &&
            info.szDisplayName[0] != '\0')
            ::lstrcpynA(name, info.szDisplayName, sizeof name);
        int icon = ShellIcon((LPCSTR)pidl, 0, SHGFI_PIDL);
        if (icon >= 0)
            nImage = icon;
        ::CoTaskMemFree(pidl);
    }
    m_hRoot = AddFolder(TVI_ROOT, name, std::string(), nImage, nImage);
}

HTREEITEM CShellTreeCtrl::AddFolder(HTREEITEM hParent, LPCTSTR lpszName, const std::string& path, int nImage,
                                    int nOpenImage)
{
    m_nodes.push_back(std::make_unique<TreeFolderNode>());
    TreeFolderNode* node = m_nodes.back().get();
    node->path = path;

    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPSTR>(lpszName);
    insert.item.lParam = (LPARAM)node;
    insert.item.cChildren = 1;   // settled when the folder is read
    if (nImage >= 0) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = nImage;
        insert.item.iSelectedImage = nOpenImage >= 0 ? nOpenImage : nImage;
    }
    HTREEITEM hItem = InsertItem(&insert);
    if (hItem == nullptr)
        m_nodes.pop_back();
    return hItem;
}

CShellTreeCtrl::TreeFolderNode* CShellTreeCtrl::NodeOf(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return nullptr;
    return reinterpret_cast<TreeFolderNode*>(GetItemData(hItem));
}

BOOL CShellTreeCtrl::GetItemPath(CString& strPath, HTREEITEM hItem) const
{
    if (hItem == nullptr)
        hItem = GetSelectedItem();
    const TreeFolderNode* node = NodeOf(hItem);
    if (node == nullptr || node->path.empty())
        return FALSE;
    strPath = node->path.c_str();
    return TRUE;
}

void CShellTreeCtrl::FillChildren(HTREEITEM hParent)
{
    TreeFolderNode* node = NodeOf(hParent);
    if (node == nullptr || node->filled)
        return;
    node->filled = true;
    int count = 0;
    if (node->path.empty()) {
        // The root: the drives in order, offered as expandable without
        // touching them (a slow or empty drive is read only when opened).
        char drives[512] = {};
        DWORD n = ::GetLogicalDriveStringsA(sizeof drives - 1, drives);
        if (n > 0 && n < sizeof drives) {
            for (const char* drive = drives; *drive != '\0'; drive += ::lstrlenA(drive) + 1) {
                std::string path = drive;   // "C:\\"
                int nImage = m_nFolderImage;
                if (::GetDriveTypeA(drive) == DRIVE_FIXED) {
                    int icon = ShellIcon(drive, 0, 0);
                    if (icon >= 0)
                        nImage = icon;
                }
                if (AddFolder(hParent, path.substr(0, 2).c_str(), path, nImage, nImage) != nullptr)
                    ++count;
            }
        }
    } else {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE hFind = ::FindFirstFileA(JoinPath(node->path, "*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                    (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) == 0 && ::lstrcmpA(data.cFileName, ".") != 0 &&
                    ::lstrcmpA(data.cFileName, "..") != 0)
                    names.push_back(data.cFileName);
            } while (::FindNextFileA(hFind, &data));
            ::FindClose(hFind);
        }
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) < 0; });
        for (const std::string& name : names) {
            if (AddFolder(hParent, name.c_str(), JoinPath(node->path, name.c_str()), m_nFolderImage,
                          m_nOpenFolderImage) != nullptr)
                ++count;
        }
    }
    if (count == 0) {
        // Nothing to open: the expand button goes.
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN | TVIF_HANDLE;
        item.hItem = hParent;
        item.cChildren = 0;
        SetItem(&item);
    }
}

BOOL CShellTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The A and W records share the item handle and action fields.
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    if ((pTree->action & TVE_EXPAND) != 0)
        FillChildren(pTree->itemNew.hItem);
    *pResult = 0;
    return FALSE;   // the parent may look at it too
}

HTREEITEM CShellTreeCtrl::ChildWithPath(HTREEITEM hParent, const std::string& path)
{
    FillChildren(hParent);
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != nullptr; hChild = GetNextSiblingItem(hChild)) {
        const TreeFolderNode* node = NodeOf(hChild);
        if (node != nullptr && SamePath(node->path, path))
            return hChild;
    }
    return nullptr;
}

HTREEITEM CShellTreeCtrl::FindChildFolder(HTREEITEM hParent, LPCTSTR lpszName)
{
    const TreeFolderNode* node = NodeOf(hParent);
    if (node == nullptr || lpszName == nullptr)
        return nullptr;
    if (node->path.empty()) {
        std::string drive = lpszName;   // "C:" or "C:\\"
        if (drive.size() == 2)
            drive += '\\';
        return ChildWithPath(hParent, drive);
    }
    return ChildWithPath(hParent, JoinPath(node->path, lpszName));
}

HTREEITEM CShellTreeCtrl::WalkToPath(LPCTSTR lpszPath, HTREEITEM* phDeepest)
{
    if (m_hRoot == nullptr)
        Refresh();
    if (phDeepest != nullptr)
        *phDeepest = m_hRoot;
    std::string path = NormalisePath(lpszPath);
    // Drive paths only ("C:\\..."); network paths are not in this tree.
    if (m_hRoot == nullptr || path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return nullptr;
    std::string walked = path.substr(0, 3);
    HTREEITEM hItem = ChildWithPath(m_hRoot, walked);
    size_t start = 3;
    while (hItem != nullptr) {
        if (phDeepest != nullptr)
            *phDeepest = hItem;
        if (start >= path.size())
            return IsFolder(walked) ? hItem : nullptr;
        size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        std::string name = path.substr(start, end - start);
        walked = JoinPath(walked, name.c_str());
        HTREEITEM hChild = ChildWithPath(hItem, walked);
        if (hChild == nullptr && IsFolder(walked)) {
            // A folder the listing leaves out (a hidden one) that exists.
            hChild = AddFolder(hItem, name.c_str(), walked, m_nFolderImage, m_nOpenFolderImage);
            TVITEMA item = {};
            item.mask = TVIF_CHILDREN | TVIF_HANDLE;
            item.hItem = hItem;
            item.cChildren = 1;
            SetItem(&item);
        }
        hItem = hChild;
        start = end + 1;
    }
    return nullptr;
}

HTREEITEM CShellTreeCtrl::FindPath(LPCTSTR lpszPath)
{
    return WalkToPath(lpszPath, nullptr);
}

BOOL CShellTreeCtrl::SelectPath(LPCTSTR lpszPath)
{
    HTREEITEM hDeepest = nullptr;
    HTREEITEM hFound = WalkToPath(lpszPath, &hDeepest);
    HTREEITEM hItem = hFound != nullptr ? hFound : hDeepest;
    if (hItem == nullptr)
        return FALSE;
    for (HTREEITEM hParent = GetParentItem(hItem); hParent != nullptr; hParent = GetParentItem(hParent))
        Expand(hParent, TVE_EXPAND);
    SelectItem(hItem);
    EnsureVisible(hItem);
    return hFound != nullptr;
}
