#pragma once
// The buttons a menu bar shows for a maximized MDI child:
// CZUDPToolbarSystemMenuButton, the child's icon at the bar's start, which
// opens the child's system menu and closes the child on a double click,
// and CZUDPToolbarMenuButtonsButton, one of the minimize, restore and
// close buttons at the bar's end.  The menu bar makes them on the fly for
// the active child; they are never dragged and never archived.
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

class CZUDPToolbarSystemMenuButton : public CZUDPToolbarMenuButton {
    DECLARE_SERIAL(CZUDPToolbarSystemMenuButton)
public:
    CZUDPToolbarSystemMenuButton() = default;
    // The items come from the child's system menu; the menu and the icon
    // stay the child's.
    CZUDPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hIcon);

    // Stores the handle only: the items are read when the menu opens.
    void CreateFromMenu(HMENU hMenu) override;
    // The items, with the checks and greyed states the child's live
    // system menu has now.
    HMENU BuildMenuHandle() override;
    // The popup's commands go to the frame's active MDI child.
    void OnPopupCreated() override;
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Only the icon: no background, no border.
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    // Closes the active child unless its system menu greys Close.
    void OnDoubleClick(CWnd* pWnd) override;
    void CancelMode() override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void Serialize(CArchive& ar) override { (void)ar; }
    BOOL CanBeDragged() const override { return FALSE; }
    BOOL HasBorder() const override { return FALSE; }

    HICON childIcon = nullptr;    // not owned
    HMENU systemMenu = nullptr;   // the child's live system menu (not owned)
};

class CZUDPToolbarMenuButtonsButton : public CZUDPToolbarButton {
    DECLARE_DYNCREATE(CZUDPToolbarMenuButtonsButton)
public:
    CZUDPToolbarMenuButtonsButton() = default;
    explicit CZUDPToolbarMenuButtonsButton(UINT uiSystemCommand) : systemCommand(uiSystemCommand) {}

    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void Serialize(CArchive& ar) override { (void)ar; }
    BOOL CanBeDragged() const override { return FALSE; }
    BOOL HasBorder() const override { return FALSE; }

    UINT systemCommand = 0;   // SC_MINIMIZE, SC_RESTORE or SC_CLOSE
};
