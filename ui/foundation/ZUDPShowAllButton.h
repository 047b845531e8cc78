#pragma once
// CZUDPShowAllButton: the last item of a shortened popup menu, which shows
// the menu with all its commands.  This version is the class the visual
// manager tests for (its interior is tinted when highlighted, never
// dithered); its drawing, size, click and tooltip come with the
// personalized menus.
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

class CZUDPShowAllButton : public CZUDPToolbarMenuButton {
    DECLARE_DYNCREATE(CZUDPShowAllButton)
public:
    CZUDPShowAllButton() = default;
};
