#include "ui/commandbars/customize/ZUDPOptionsPage.h"

#include "framework/win/WinApp.h"
#include "res/ui/customize.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNAMIC(CZUDPOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPOptionsPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_TOOLTIPS, &CZUDPOptionsPage::OnShowTooltips)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_SHORTCUTS, &CZUDPOptionsPage::OnShowShortcutKeys)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_LARGE_ICONS, &CZUDPOptionsPage::OnLargeIcons)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_LOOK2000, &CZUDPOptionsPage::OnLook2000)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_RECENT_FIRST, &CZUDPOptionsPage::OnRecentlyUsedFirst)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_FULL_MENUS, &CZUDPOptionsPage::OnShowAllMenusAfterDelay)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_RESET_USAGE, &CZUDPOptionsPage::OnResetUsageData)
    ON_BN_CLICKED(IDC_ZUDP_OPTIONS_VISUALIZATIONS, &CZUDPOptionsPage::OnVisualizations)
END_MESSAGE_MAP()

CZUDPOptionsPage::CZUDPOptionsPage(BOOL bIsMenuBarExist)
    : CPropertyPage(IDD_ZUDP_CUSTOMIZE_OPTIONS), m_bShowTooltips(g_showTooltips),
      m_bShowShortcutKeys(g_showShortcutKeys), m_bRecentlyUsedMenus(g_personalizedMenus),
      m_bShowAllMenusDelay(g_showAllMenusAfterDelay), m_bLargeIcons(g_largeIcons),
      m_bLook2000(CZUDPVisualManager::IsLook2000()), m_bIsMenuBarExist(bIsMenuBarExist)
{
}

void CZUDPOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_VISUALIZATIONS, m_wndVisualizations);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_LOOK2000, m_wndLook2000);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_LARGE_ICONS, m_wndLargeIcons);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_RECENT_FIRST, m_wndRecentlyUsed);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_RESET_USAGE, m_wndResetUsage);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_MENUS_LABEL, m_wndMenusLabel);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_MENUS_LINE, m_wndMenusLine);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_FULL_MENUS, m_wndFullMenusAfterDelay);
    DDX_Control(pDX, IDC_ZUDP_OPTIONS_SHORTCUTS, m_wndShortcutKeys);
    DDX_Check(pDX, IDC_ZUDP_OPTIONS_TOOLTIPS, m_bShowTooltips);
    DDX_Check(pDX, IDC_ZUDP_OPTIONS_SHORTCUTS, m_bShowShortcutKeys);
    DDX_Check(pDX, IDC_ZUDP_OPTIONS_RECENT_FIRST, m_bRecentlyUsedMenus);
    DDX_Check(pDX, IDC_ZUDP_OPTIONS_FULL_MENUS, m_bShowAllMenusDelay);
    DDX_Check(pDX, IDC_ZUDP_OPTIONS_LARGE_ICONS, m_bLargeIcons);
    DDX_Check(pDX, IDC_ZUDP_OPTIONS_LOOK2000, m_bLook2000);
}

namespace {

void HideAndDisable(CWnd& wnd)
{
    wnd.ShowWindow(SW_HIDE);
    wnd.EnableWindow(FALSE);
}

} // namespace

BOOL CZUDPOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndShortcutKeys.EnableWindow(m_bShowTooltips);
    m_wndFullMenusAfterDelay.EnableWindow(m_bRecentlyUsedMenus);

    if (g_coreCommands.IsEmpty() || !m_bIsMenuBarExist) {
        HideAndDisable(m_wndRecentlyUsed);
        HideAndDisable(m_wndResetUsage);
        HideAndDisable(m_wndMenusLabel);
        HideAndDisable(m_wndMenusLine);
        HideAndDisable(m_wndFullMenusAfterDelay);
    }
    CZUDPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CZUDPToolbarCustomize, GetParent());
    const UINT uiFlags = pSheet != nullptr ? pSheet->GetFlags() : 0;
    if ((uiFlags & ZUDP_CUSTOMIZE_LOOK2000) == 0)
        HideAndDisable(m_wndLook2000);
    if (uiFlags & ZUDP_CUSTOMIZE_NO_LARGE_ICONS)
        HideAndDisable(m_wndLargeIcons);
    HideAndDisable(m_wndVisualizations);
    return TRUE;
}

void CZUDPOptionsPage::OnShowTooltips()
{
    UpdateData();
    g_showTooltips = m_bShowTooltips;
    m_wndShortcutKeys.EnableWindow(m_bShowTooltips);
}

void CZUDPOptionsPage::OnShowShortcutKeys()
{
    UpdateData();
    g_showShortcutKeys = m_bShowShortcutKeys;
}

void CZUDPOptionsPage::OnLargeIcons()
{
    UpdateData();
    CZUDPToolBar::SetLargeIcons(m_bLargeIcons);
}

void CZUDPOptionsPage::OnLook2000()
{
    UpdateData();
    CZUDPVisualManager::SetLook2000Style(m_bLook2000);
    if (CWnd* pMain = AfxGetMainWnd()) {
        if (pMain->GetSafeHwnd() != nullptr)
            pMain->Invalidate(TRUE);
    }
}

void CZUDPOptionsPage::OnRecentlyUsedFirst()
{
    UpdateData();
    g_personalizedMenus = m_bRecentlyUsedMenus;
    m_wndFullMenusAfterDelay.EnableWindow(m_bRecentlyUsedMenus);
}

void CZUDPOptionsPage::OnShowAllMenusAfterDelay()
{
    UpdateData();
    g_showAllMenusAfterDelay = m_bShowAllMenusDelay;
}

void CZUDPOptionsPage::OnResetUsageData()
{
    CString strPrompt;
    strPrompt.LoadString(IDS_ZUDP_RESET_USAGE_PROMPT);
    if (AfxMessageBox(strPrompt, MB_YESNO) == IDYES)
        g_commandUsage.ClearCounts();
}
