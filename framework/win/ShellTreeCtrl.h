#pragma once
// CShellTreeCtrl: a tree of the file system's folders for choosing one.
// The root item (the computer, named by the shell) holds the drives; a
// folder's subfolders (hidden ones left out) are read when it is first
// expanded, sorted by name.  Each item keeps its full path; items carry the
// shell's small icons when the system image list is available.
//
// The parent learns of a new selection by the tree's usual TVN_SELCHANGED
// notification and asks GetItemPath for the folder; SelectPath expands the
// tree along a path and selects its folder, which sends that notification
// like a click does.
//
//     m_tree.SubclassDlgItem(IDC_TREE, this);   // or DDX_Control
//     m_tree.Expand(m_tree.GetRootFolder(), TVE_EXPAND);
//     m_tree.SelectPath("C:\\Data\\Apps");
#include "framework/win/TreeCtrl.h"

#include <memory>
#include <string>
#include <vector>

class CShellTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CShellTreeCtrl)
public:
    CShellTreeCtrl();
    ~CShellTreeCtrl() override;

    // Rebuilds the tree: the root with the drives, collapsed.
    void Refresh();
    HTREEITEM GetRootFolder() const { return m_hRoot; }
    // The folder path of an item (the selected one by default), with the
    // drive's separator for a drive ("C:\\"); FALSE for the root and for no
    // item.
    BOOL GetItemPath(CString& strPath, HTREEITEM hItem = nullptr) const;
    // Expands the tree down to the folder and selects it.  Any spelling of
    // the path leads there: '/' or '\\', a final separator, another letter
    // case, short (8.3) names, a relative path; a hidden folder on the way
    // is added to the tree.  FALSE when the folder does not exist (the
    // deepest existing folder on the way is selected).
    BOOL SelectPath(LPCTSTR lpszPath);
    // The item of a folder (see SelectPath), expanding nothing; null when
    // the folder does not exist.
    HTREEITEM FindPath(LPCTSTR lpszPath);
    // The item of a folder among the children of hParent (read when
    // needed): a drive by its letter and colon ("C:"), a folder by its name.
    HTREEITEM FindChildFolder(HTREEITEM hParent, LPCTSTR lpszName);
    // Reads the subfolders of an item once.
    void FillChildren(HTREEITEM hParent);

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);

    // What an item's data points to.
    struct TreeFolderNode {
        std::string path;     // empty for the root
        bool filled = false;  // its subfolders are in the tree
    };

    void InitializeTree();
    HTREEITEM AddFolder(HTREEITEM hParent, LPCTSTR lpszName, const std::string& path, int nImage, int nOpenImage);
    TreeFolderNode* NodeOf(HTREEITEM hItem) const;
    HTREEITEM ChildWithPath(HTREEITEM hParent, const std::string& path);
    // Walks down to the folder (null when it does not exist); the deepest
    // item reached goes to *phDeepest when asked.
    HTREEITEM WalkToPath(LPCTSTR lpszPath, HTREEITEM* phDeepest);

    HTREEITEM m_hRoot = nullptr;
    // The records the items point to; they live as long as the control, so
    // no item outlives its record whoever destroys the window.
    std::vector<std::unique_ptr<TreeFolderNode>> m_nodes;
    int m_nFolderImage = -1;
    int m_nOpenFolderImage = -1;

    DECLARE_MESSAGE_MAP()
};
