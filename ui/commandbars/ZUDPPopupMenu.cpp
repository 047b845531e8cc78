#include "ui/commandbars/ZUDPPopupMenu.h"

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

IMPLEMENT_SERIAL(CZUDPPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CZUDPPopupMenu* g_activePopupMenu = nullptr;

CZUDPPopupMenu::~CZUDPPopupMenu()
{
    if (g_activePopupMenu == this)
        g_activePopupMenu = nullptr;
}

BOOL CZUDPPopupMenu::CreatePopup(CWnd*, int, int, HMENU, BOOL, BOOL) { return FALSE; }

void CZUDPPopupMenu::CancelItemModes()
{
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    for (int i = 0; i < pBar->GetCount(); ++i) {
        if (CZUDPToolbarButton* pItem = pBar->GetButtonAt(i))
            pItem->CancelMode();
    }
}

CZUDPControlBar* CZUDPPopupMenu::CreateTearOffBar(CFrameWnd*, UINT, LPCTSTR) { return nullptr; }

int CZUDPPopupMenu::HitTestArea(CPoint ptScreen) const
{
    if (m_hWnd == nullptr)
        return kOutside;
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);
    if (!rect.PtInRect(ptScreen))
        return kOutside;
    if (m_iShadowSize > 0 && ptScreen.x >= rect.right - m_iShadowSize)
        return kShadowRight;
    if (m_iShadowSize > 0 && ptScreen.y >= rect.bottom - m_iShadowSize)
        return kShadowBottom;
    if (m_iSideImageWidth > 0 && ptScreen.x < rect.left + m_iSideImageWidth)
        return kSideImage;
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    if (m_rectTearOffCaption.PtInRect(ptClient))
        return kTearOffCaption;
    return kItems;
}

BOOL CZUDPPopupMenu::RegisterWithFrame(CFrameWnd* pFrame, CZUDPPopupMenu* pPopup)
{
    (void)pFrame;
    g_activePopupMenu = pPopup;
    return TRUE;
}
