// Menus: ownership of an HMENU and the temporary wrappers of menus nobody
// owns.
#include "framework/win/Menu.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/HandleMap.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

void SetMenuHandle(CMenu* p, HMENU h) { p->m_hMenu = h; }
CHandleMap<HMENU, CMenu>& MenuMap() { return AfxThreadHandleMap<HMENU, CMenu>(&SetMenuHandle); }

} // namespace

HMENU CMenu::GetSafeHmenu() const { return m_hMenu; }

CMenu* CMenu::FromHandle(HMENU hMenu) { return MenuMap().FromHandle(hMenu); }

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) { return hMenu == nullptr ? nullptr : MenuMap().LookupPermanent(hMenu); }

void CMenu::DeleteTempMap() { MenuMap().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr && MenuMap().LookupPermanent(hMenu) == this)
        MenuMap().RemoveHandle(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

// A menu made for an object that already holds one could only be leaked:
// refuse before making it.
BOOL CMenu::CreateMenu() { return m_hMenu == nullptr && Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return m_hMenu == nullptr && Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return m_hMenu == nullptr && Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return m_hMenu == nullptr && Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return m_hMenu == nullptr && Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return g_frameworkSeams.trackPopupMenu(m_hMenu, nFlags, x, y, AfxSafeHwnd(pWnd), lpRect);
}
