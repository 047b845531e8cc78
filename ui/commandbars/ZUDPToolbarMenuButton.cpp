#include "ui/commandbars/ZUDPToolbarMenuButton.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPToolbarMenuButton, CZUDPToolbarButton, VERSIONABLE_SCHEMA | 1)

CZUDPToolbarMenuButton::CZUDPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
    : CZUDPToolbarButton(uiID, iImage, lpszText, bUserButton), m_hMenu(hMenu)
{
}

void CZUDPToolbarMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    const CZUDPToolbarMenuButton* pSrc = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_hMenu = pSrc->m_hMenu;
    m_bMenuMode = pSrc->m_bMenuMode;
    m_bDrawDownArrow = pSrc->m_bDrawDownArrow;
}
