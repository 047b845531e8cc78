#pragma once
// The ribbon bar, its categories (tabs) and panels.  This version holds the
// fields the visual manager's ribbon and frame drawing read; the ribbon
// subsystem completes them.
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"

class CZUDPRibbonPanel : public CObject {
    DECLARE_DYNCREATE(CZUDPRibbonPanel)
public:
    CZUDPRibbonPanel() = default;
    explicit CZUDPRibbonPanel(LPCTSTR lpszName) : m_strName(lpszName != nullptr ? lpszName : "") {}

    // Non-zero when the panel's launch button has a non-empty rectangle.
    BOOL HasLaunchButton() const { return !m_btnLaunch.m_rect.IsRectEmpty(); }
    const CRect& GetLaunchButtonRect() const { return m_btnLaunch.m_rect; }

    CString m_strName;
    BOOL m_bIsHighlighted = FALSE;
    CRect m_rect;
    CZUDPRibbonButton m_btnLaunch;
};

class CZUDPRibbonCategory : public CObject {
    DECLARE_DYNCREATE(CZUDPRibbonCategory)
public:
    CZUDPRibbonCategory() = default;

    CRect m_rectTab;                  // the category's tab
    int m_nContextColor = 0;          // 0 none, 1-7 the context colours
    CRect m_rectContextCaption;       // the caption of its context group
};

class CZUDPRibbonBar : public CZUDPControlBar {
    DECLARE_DYNCREATE(CZUDPRibbonBar)
public:
    CZUDPRibbonBar() = default;

    // The bar replaces the frame's caption (it draws the caption itself).
    BOOL IsReplaceFrameCaption() const { return m_bReplaceFrameCaption; }
    // The bar shows only its tabs (minimized mode).
    BOOL IsMinimizedMode() const { return (m_dwHideFlags & kHideElements) != 0; }

    enum { kHideElements = 0x1 };

    BOOL m_bReplaceFrameCaption = FALSE;
    DWORD m_dwHideFlags = 0;
    int m_nTabSeparatorStrength = 0;  // 0-100: how strongly the tab separators show
};

// The bar of a panel shown as a popup menu.
class CZUDPRibbonPanelMenuBar : public CZUDPPopupMenuBar {
    DECLARE_DYNCREATE(CZUDPRibbonPanelMenuBar)
public:
    CZUDPRibbonPanelMenuBar() = default;

    CZUDPRibbonPanel* m_pPanel = nullptr; // the panel shown (null: none)
};
