#pragma once
// CCustomizeButton: the overflow ("Toolbar Options") button at the end of
// a toolbar.  The toolbar keeps it last in its button list; its layout
// fills the list of buttons that did not fit and collapses the button when
// it has nothing to offer.  The button draws a chevron when buttons are
// hidden and the customize arrow when it has a customize command.
//
// This version has what the toolbar's layout and painting use: the fields,
// the size, the drawing, the copy and the parent; its menu (the hidden
// buttons, "Add or Remove Buttons", the customize command) comes with the
// toolbar options.
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "framework/List.h"

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

    int customizeCommandId = 0;     // the customize item's command; 0 or less: none
    CString customizeLabel;         // its caption
    CZUDPToolBar* ownerToolbar = nullptr;
    BOOL collapsed = FALSE;         // nothing to offer: measures 0 x 0
    BOOL alignPopupRight = TRUE;
    CList<CZUDPToolbarButton*, CZUDPToolbarButton*> hiddenButtons; // not owned; refilled by every layout
};
