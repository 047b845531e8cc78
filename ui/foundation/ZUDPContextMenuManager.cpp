#include "ui/foundation/ZUDPContextMenuManager.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPRegistry.h"

#include <memory>

IMPLEMENT_DYNCREATE(CZUDPContextMenuManager, CObject)

CZUDPContextMenuManager* g_contextMenuManager = nullptr;

namespace {

const char kContextMenuSection[] = "ZUDContextMenuManager";
// A menu's buttons take a few kilobytes; anything far beyond is no snapshot.
const UINT kMaxSnapshotBytes = 1u << 20;

CString MenuValueName(UINT uiMenuResId)
{
    CString name;
    name.Format("Menu-%u", uiMenuResId);
    return name;
}

} // namespace

CZUDPContextMenuManager::CZUDPContextMenuManager()
{
    g_contextMenuManager = this;
}

CZUDPContextMenuManager::~CZUDPContextMenuManager()
{
    if (g_contextMenuManager == this)
        g_contextMenuManager = nullptr;
    while (!m_ownedMenus.IsEmpty())
        ::DestroyMenu(m_ownedMenus.RemoveHead());
}

BOOL CZUDPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId)
{
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiMenuResId));
    if (hMenu == nullptr)
        return FALSE;
    if (!AddMenu(lpszName, uiMenuResId, hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CZUDPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId, HMENU hMenu)
{
    if (lpszName == nullptr || *lpszName == '\0' || hMenu == nullptr)
        return FALSE;
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    if (hPopup == nullptr)
        return FALSE;
    m_ownedMenus.AddTail(hMenu);
    m_menusById.SetAt(uiMenuResId, hPopup);
    m_menusByName.SetAt(lpszName, hPopup);
    return TRUE;
}

HMENU CZUDPContextMenuManager::FindMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const
{
    if (puiOrigResID != nullptr)
        *puiOrigResID = 0;
    HMENU hMenu = nullptr;
    if (lpszName == nullptr || !m_menusByName.Lookup(lpszName, hMenu))
        return nullptr;
    if (puiOrigResID != nullptr) {
        for (POSITION pos = m_menusById.GetStartPosition(); pos != nullptr;) {
            UINT uiId = 0;
            HMENU hById = nullptr;
            m_menusById.GetNextAssoc(pos, uiId, hById);
            if (hById == hMenu) {
                *puiOrigResID = uiId;
                break;
            }
        }
    }
    return hMenu;
}

void CZUDPContextMenuManager::ListMenuNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (POSITION pos = m_menusByName.GetStartPosition(); pos != nullptr;) {
        CString name;
        HMENU hMenu = nullptr;
        m_menusByName.GetNextAssoc(pos, name, hMenu);
        listOfNames.AddTail(name);
    }
}

UINT CZUDPContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    if (hmenuPopup == nullptr || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return 0;
    const UINT uFlags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | (bRightAlign ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    return UINT(g_frameworkSeams.trackPopupMenu(hmenuPopup, uFlags, x, y, pWndOwner->GetSafeHwnd(), nullptr));
}

BOOL CZUDPContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                            BOOL bRightAlign, BOOL bAutoDestroy)
{
    (void)bOwnMessage;
    if (hmenuPopup == nullptr || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return FALSE;
    const UINT uiCmd = TrackPopupMenu(hmenuPopup, x, y, pWndOwner, bRightAlign);
    if (uiCmd != 0)
        ::PostMessageA(pWndOwner->GetSafeHwnd(), WM_COMMAND, WPARAM(uiCmd), 0);
    if (bAutoDestroy)
        ::DestroyMenu(hmenuPopup);
    return TRUE;
}

BOOL CZUDPContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                            BOOL bRightAlign)
{
    HMENU hMenu = nullptr;
    if (!m_menusById.Lookup(uiMenuResId, hMenu))
        return FALSE;
    return ShowPopupMenu(hMenu, x, y, pWndOwner, bOwnMessage, bRightAlign, FALSE);
}

BOOL CZUDPContextMenuManager::LoadState(LPCTSTR lpszProfileName)
{
    const CString path = BuildRegistrySectionPath(kContextMenuSection, lpszProfileName);
    if (path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(path))
        return FALSE;
    for (POSITION pos = m_menusById.GetStartPosition(); pos != nullptr;) {
        UINT uiId = 0;
        HMENU hMenu = nullptr;
        m_menusById.GetNextAssoc(pos, uiId, hMenu);
        LPBYTE pData = nullptr;
        UINT nBytes = 0;
        if (!reg.ReadBinary(MenuValueName(uiId), &pData, &nBytes))
            continue;
        std::unique_ptr<BYTE[]> owner(pData);
        if (nBytes > 0 && nBytes <= kMaxSnapshotBytes)
            g_menuHash.SetSnapshot(hMenu, pData, nBytes);
    }
    return TRUE;
}

BOOL CZUDPContextMenuManager::SaveState(LPCTSTR lpszProfileName)
{
    const CString path = BuildRegistrySectionPath(kContextMenuSection, lpszProfileName);
    if (path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(path))
        return FALSE;
    BOOL bResult = TRUE;
    for (POSITION pos = m_menusById.GetStartPosition(); pos != nullptr;) {
        UINT uiId = 0;
        HMENU hMenu = nullptr;
        m_menusById.GetNextAssoc(pos, uiId, hMenu);
        CByteArray bytes;
        if (!g_menuHash.GetSnapshot(hMenu, bytes))
            continue;
        if (!reg.Write(MenuValueName(uiId), bytes.GetData(), UINT(bytes.GetSize())))
            bResult = FALSE;
    }
    return bResult;
}
