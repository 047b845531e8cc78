#pragma once
// The ribbon elements that the visual manager draws beside plain buttons:
// a category's tab and scroll buttons, a panel's launch button and the
// button that stands for a collapsed panel, the caption buttons of a ribbon
// that replaces the frame caption, and a gallery's palette icon.  This
// version holds what their drawing reads; the ribbon subsystem gives them
// their layout and behaviour.
#include "ui/ribbon/ZUDPBaseRibbonElement.h"

class CZUDPRibbonCategory;

// The tab by which a category is chosen.
class CZUDPRibbonTab : public CZUDPBaseRibbonElement {
    DECLARE_DYNCREATE(CZUDPRibbonTab)
public:
    CZUDPRibbonTab() = default;

    CZUDPRibbonCategory* m_pCategory = nullptr;  // the category it opens
};

// The button that scrolls a category's panels left or right.
class CZUDPRibbonCategoryScroll : public CZUDPRibbonButton {
    DECLARE_DYNCREATE(CZUDPRibbonCategoryScroll)
public:
    CZUDPRibbonCategoryScroll() = default;

    BOOL m_bIsLeft = FALSE;
};

// The small button in a panel's caption that opens the panel's dialog.
class CZUDPRibbonLaunchButton : public CZUDPRibbonButton {
    DECLARE_DYNCREATE(CZUDPRibbonLaunchButton)
public:
    CZUDPRibbonLaunchButton() = default;
};

// The button shown in place of a panel that has no room.
class CZUDPRibbonDefaultPanelButton : public CZUDPRibbonButton {
    DECLARE_DYNCREATE(CZUDPRibbonDefaultPanelButton)
public:
    CZUDPRibbonDefaultPanelButton() = default;
};

// Minimize, maximize, restore or close, by its command (SC_...).
class CZUDPRibbonCaptionButton : public CZUDPRibbonButton {
    DECLARE_DYNCREATE(CZUDPRibbonCaptionButton)
public:
    explicit CZUDPRibbonCaptionButton(UINT nID = 0) { m_nID = nID; }
};

// The icon of a gallery in its collapsed form.
class CZUDPRibbonPaletteIcon : public CZUDPRibbonButton {
    DECLARE_DYNCREATE(CZUDPRibbonPaletteIcon)
public:
    CZUDPRibbonPaletteIcon() = default;
};
