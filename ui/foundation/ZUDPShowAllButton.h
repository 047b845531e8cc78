#pragma once
// CZUDPShowAllButton: the last item of a shortened popup menu.  Clicking
// it, pressing its key (Ctrl+Down) or, with the library option, resting
// on it shows the menu with all its commands.  It is a menu item that
// opens no submenu; on any other bar it does nothing.
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

class CZUDPShowAllButton : public CZUDPToolbarMenuButton {
    DECLARE_DYNCREATE(CZUDPShowAllButton)
public:
    CZUDPShowAllButton() = default;

    // The button's background, the visual manager's show-all arrow one
    // pixel inside, and a border when pressed, checked or highlighted.
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    // 50 wide, as high as the visual manager says.
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // On a popup menu bar only: expands the menu (without delay) or, with
    // the library's delay option on, schedules the expansion (TRUE both
    // ways); FALSE elsewhere.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    // Tooltip "Expand (Ctrl+Down)", with the key names of the layout; the
    // text is allocated (malloc) for the caller, the tool id 0.
    BOOL FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI) override;
    // Expands the menu, as a click without delay does.
    BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override;

    // The tooltip's text.
    static CString GetTooltipText();
};
