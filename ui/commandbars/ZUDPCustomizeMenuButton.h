#pragma once
// CZUDPCustomizeMenuButton: one row of a toolbar's "Add or Remove Buttons"
// menu: a check box row that shows or hides a button of the toolbar (and
// the separator after it), a row that brings back an item of the
// toolbar's resource set that is no longer on it, the "Reset Toolbar"
// row, separators, and the toggle that puts two sibling toolbars on one
// row or two.  The rows act on g_customizeButtonToolbar, the toolbar whose
// overflow menu made them; they live only as long as their popup.
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

class CZUDPToolBar;

class CZUDPCustomizeMenuButton : public CZUDPToolbarMenuButton {
    DECLARE_DYNCREATE(CZUDPCustomizeMenuButton)
public:
    // For copies: CopyFrom sets every field.
    CZUDPCustomizeMenuButton() = default;
    CZUDPCustomizeMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr,
                             BOOL bUserButton = FALSE);

    void CopyFrom(const CZUDPToolbarButton& src) override;
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    // TRUE keeps the menu open (button rows); the toggle and the reset
    // row close it.
    BOOL OnClickMenuItem() override;
    BOOL CanBeDragged() const override { return FALSE; }
    BOOL IsCustomizable() const override { return FALSE; }

    // The row stands for the toolbar button at a position (or, when
    // bIsToolbarButton is FALSE, the original item at that position), or
    // is the reset row (ID_ZUDP_RESET_TOOLBAR_ROW).
    void BindToToolbarPosition(int iPosition, BOOL bIsToolbarButton);
    virtual void DrawCheckBox(CDC* pDC, const CRect& rect, BOOL bHighlight);
    // Redraws the toolbar's frame area and its overflow area.
    static void RefreshToolbarArea();

    BOOL IsResetRow() const { return toolbarPosition == kResetRowPosition; }

    static const int kResetRowPosition = 17016;

    int toolbarPosition = -1;
    BOOL checked = FALSE;
    BOOL isSeparator = FALSE;
    BOOL isToolbarButton = FALSE;
    BOOL enabled = TRUE;
    BOOL isRowToggle = FALSE;

protected:
    // Lays the toolbar out again with the menu hidden, then shows the menu
    // again over it.
    void RelayoutToolbarUnderMenu(CZUDPToolBar* pToolBar);
};

// The toolbar the open "Add or Remove Buttons" rows act on (null when none
// or when that toolbar was destroyed).
extern CZUDPToolBar* g_customizeButtonToolbar;
