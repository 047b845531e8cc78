#include "ui/foundation/ZUDPShellManager.h"

IMPLEMENT_DYNAMIC(CZUDPShellManager, CObject)

CZUDPShellManager* g_shellManager = nullptr;

CZUDPShellManager::CZUDPShellManager()
{
    if (FAILED(::SHGetMalloc(&m_pMalloc)))
        m_pMalloc = nullptr;
    g_shellManager = this;
}

CZUDPShellManager::~CZUDPShellManager()
{
    if (g_shellManager == this)
        g_shellManager = nullptr;
    if (m_pMalloc != nullptr)
        m_pMalloc->Release();
}

int CALLBACK CZUDPShellManager::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    CZUDPShellManager* pThis = reinterpret_cast<CZUDPShellManager*>(lpData);
    return AfxCallbackGuard(0, [&] {
        if (uMsg == BFFM_INITIALIZED && pThis != nullptr && pThis->m_lpszInitialFolder != nullptr)
            ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)pThis->m_lpszInitialFolder);
        return 0;
    });
}

BOOL CZUDPShellManager::PickFolder(CString& strOutFolder, CWnd* pWndParent, LPCTSTR lpszInitialFolder,
                                   LPCTSTR lpszTitle, UINT ulFlags, LPINT piFolderImage)
{
    m_lpszInitialFolder = lpszInitialFolder;
    char displayName[MAX_PATH] = {};
    BROWSEINFOA bi = {};
    bi.hwndOwner = AfxSafeHwnd(pWndParent);
    bi.pszDisplayName = displayName;
    bi.lpszTitle = lpszTitle != nullptr ? lpszTitle : "";
    bi.ulFlags = ulFlags;
    bi.lpfn = &BrowseCallbackProc;
    bi.lParam = (LPARAM)this;
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
    BOOL bResult = FALSE;
    if (pidl != nullptr) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(pidl, path)) {
            strOutFolder = path;
            if (piFolderImage != nullptr)
                *piFolderImage = bi.iImage;
            bResult = TRUE;
        }
        FreeItemIdList(pidl);
    }
    m_lpszInitialFolder = nullptr;
    return bResult;
}

void CZUDPShellManager::FreeItemIdList(LPITEMIDLIST pidl)
{
    if (pidl == nullptr)
        return;
    if (m_pMalloc != nullptr)
        m_pMalloc->Free(pidl);
    else
        ::CoTaskMemFree(pidl);
}
