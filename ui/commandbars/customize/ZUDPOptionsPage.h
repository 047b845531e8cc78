#pragma once
// The Options page of the customization sheet: the library-wide toolbar
// and menu options (tooltips, shortcut keys in tooltips, large icons, the
// Look 2000 appearance, personalized menus), each applied at the click,
// and the reset of the command usage counts.
#include "framework/win/Controls.h"
#include "framework/win/PropertySheet.h"

class CZUDPOptionsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPOptionsPage)
public:
    explicit CZUDPOptionsPage(BOOL bIsMenuBarExist = FALSE);
    ~CZUDPOptionsPage() override = default;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowTooltips();
    void OnShowShortcutKeys();
    void OnLargeIcons();
    void OnLook2000();
    void OnRecentlyUsedFirst();
    void OnShowAllMenusAfterDelay();
    void OnResetUsageData();
    void OnVisualizations() {}
    DECLARE_MESSAGE_MAP()

    CButton m_wndVisualizations;
    CButton m_wndLook2000;
    CButton m_wndLargeIcons;
    CButton m_wndRecentlyUsed;
    CButton m_wndResetUsage;
    CStatic m_wndMenusLabel;
    CStatic m_wndMenusLine;
    CButton m_wndFullMenusAfterDelay;
    CButton m_wndShortcutKeys;
    BOOL m_bShowTooltips = FALSE;
    BOOL m_bShowShortcutKeys = FALSE;
    BOOL m_bRecentlyUsedMenus = FALSE;
    BOOL m_bShowAllMenusDelay = FALSE;
    BOOL m_bLargeIcons = FALSE;
    BOOL m_bLook2000 = FALSE;
    BOOL m_bIsMenuBarExist = FALSE;
};
