#pragma once
// The library's shell manager: picks a folder with the shell's folder
// browser.  One exists from the application's initialisation (the
// workspace creates it) to the workspace's destruction; it publishes
// itself in g_shellManager.
#include "framework/win/Wnd.h"

class CZUDPShellManager : public CObject {
    DECLARE_DYNAMIC(CZUDPShellManager)
public:
    CZUDPShellManager();
    ~CZUDPShellManager() override;

    // Shows the folder browser over the owner (none: no owner) with the
    // initial folder selected; TRUE with the path (and the item's icon
    // index when asked) when a file-system folder was chosen.
    BOOL PickFolder(CString& strOutFolder, CWnd* pWndParent = nullptr, LPCTSTR lpszInitialFolder = nullptr,
                    LPCTSTR lpszTitle = nullptr, UINT ulFlags = BIF_RETURNONLYFSDIRS, LPINT piFolderImage = nullptr);
    // Frees an item id list through the shell's allocator; nothing for null.
    void FreeItemIdList(LPITEMIDLIST pidl);

private:
    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    LPMALLOC m_pMalloc = nullptr;
    LPCTSTR m_lpszInitialFolder = nullptr;
};

// The process-wide shell manager, null while none exists.
extern CZUDPShellManager* g_shellManager;
