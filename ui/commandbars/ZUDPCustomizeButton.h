#pragma once
// CCustomizeButton: the overflow ("Toolbar Options") button at the end of
// a toolbar.  The toolbar keeps it last in its button list; its layout
// fills the list of buttons that did not fit and collapses the button when
// it has nothing to offer.  The button draws a chevron when buttons are
// hidden and the customize arrow when it has a customize command.
//
// Its menu is built when it opens: the hidden buttons (as menu rows), then
// the "Add or Remove Buttons" submenu with the toolbars of the row and the
// customize command, or the customize command alone.  A chosen row runs
// the hidden button it was made from, found by identity.
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "framework/List.h"

#include <vector>

class CZUDPPopupMenuBar;
class CZUDPToolBar;

class CCustomizeButton : public CZUDPToolbarMenuButton {
    DECLARE_SERIAL(CCustomizeButton)
public:
    CCustomizeButton() = default;
    CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText);
    ~CCustomizeButton() override = default;

    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    // Collapsed or on a floating bar: 0 x 0; else the glyph cell (two with
    // large icons) plus the visual manager's margin on both sides, by the
    // default size across the bar.
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnParentChanged(CWnd* pWndParent) override;
    BOOL CanBeDragged() const override { return FALSE; }
    BOOL IsCustomizable() const override { return FALSE; }
    // Nothing while customizing; else the popup with the hidden buttons
    // and the customize items.
    CZUDPPopupMenu* CreatePopupMenuObject() override;
    void OnPopupCreated() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    // The popup's row was chosen: runs the hidden button it stands for.
    // FALSE when the row stands for none (or the button is gone).
    virtual BOOL InvokeHiddenButton(CZUDPPopupMenuBar* pMenuBar, CZUDPToolbarButton* pItem);

    int customizeCommandId = 0;     // the customize item's command; 0 or less: none
    CString customizeLabel;         // its caption
    CZUDPToolBar* ownerToolbar = nullptr;
    BOOL collapsed = FALSE;         // nothing to offer: measures 0 x 0
    BOOL alignPopupRight = TRUE;
    CList<CZUDPToolbarButton*, CZUDPToolbarButton*> hiddenButtons; // not owned; refilled by every layout

protected:
    // The hidden button each row of the last popup stands for, by the
    // row's position (null: a separator or a customize row).  Checked
    // against the toolbar's list before use.
    std::vector<CZUDPToolbarButton*> m_rowButtons;
};
