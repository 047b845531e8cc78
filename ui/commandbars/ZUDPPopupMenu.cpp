#include "ui/commandbars/ZUDPPopupMenu.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CZUDPPopupMenu* g_activePopupMenu = nullptr;

CZUDPPopupMenu::~CZUDPPopupMenu()
{
    if (g_activePopupMenu == this)
        g_activePopupMenu = nullptr;
}

BOOL CZUDPPopupMenu::CreatePopup(CWnd*, int, int, HMENU, BOOL, BOOL) { return FALSE; }

CZUDPControlBar* CZUDPPopupMenu::CreateTearOffBar(CFrameWnd*, UINT, LPCTSTR) { return nullptr; }

int CZUDPPopupMenu::HitTestArea(CPoint ptScreen) const
{
    if (m_hWnd == nullptr)
        return kOutside;
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);
    return rect.PtInRect(ptScreen) ? kItems : kOutside;
}

BOOL CZUDPPopupMenu::RegisterWithFrame(CFrameWnd* pFrame, CZUDPPopupMenu* pPopup)
{
    (void)pFrame;
    g_activePopupMenu = pPopup;
    return TRUE;
}
