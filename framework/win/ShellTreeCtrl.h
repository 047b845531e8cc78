#pragma once
// CShellTreeCtrl: a tree of the file system's folders for choosing one.
// The root item ("Computer") holds the drives; a folder's subfolders are
// read when it is first expanded.  Each item keeps its full path.
#include "framework/win/TreeCtrl.h"

class CShellTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CShellTreeCtrl)
public:
    CShellTreeCtrl();
    ~CShellTreeCtrl() override;

    // Rebuilds the tree: the root with the drives, collapsed.
    void Refresh();
    HTREEITEM GetRootFolder() const { return m_hRoot; }
    // The folder path of an item (the selected one by default); FALSE for
    // the root and for no item.
    BOOL GetItemPath(CString& strPath, HTREEITEM hItem = nullptr) const;
    // Expands the tree down to the folder and selects it; FALSE when a part
    // of the path is not in the tree (the deepest found part is selected).
    BOOL SelectPath(LPCTSTR lpszPath);
    // The item of a folder among the children of hParent (read when needed).
    HTREEITEM FindChildFolder(HTREEITEM hParent, LPCTSTR lpszName);

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    // Reads the subfolders of an item once.
    void FillChildren(HTREEITEM hParent);
    HTREEITEM AddFolder(HTREEITEM hParent, LPCTSTR lpszName, const CString& strPath);
    static BOOL HasSubfolders(const CString& strPath);

    HTREEITEM m_hRoot = nullptr;

    DECLARE_MESSAGE_MAP()
};
