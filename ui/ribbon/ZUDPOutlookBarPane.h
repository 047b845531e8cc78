#pragma once
// One page of the Outlook-style navigation bar and its large buttons.  This
// version has what the foundation asks: the pane paints its own background
// when the visual manager fills its bar background, its class tells the
// tooltip control that a tooltip has no owning toolbar, and a click on a
// pane button goes to a virtual operation; the navigation-pane subsystem
// completes both.
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

class CDC;

class CZUDPOutlookButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPOutlookButton)
public:
    CZUDPOutlookButton() = default;
};

class CZUDPOutlookBarPane : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPOutlookBarPane)
public:
    CZUDPOutlookBarPane() = default;

    // Paints the pane's background into a rectangle: its own colour, the
    // bar shadow colour when it has none.
    virtual void DrawBackground(CDC* pDC, const CRect& rect);
    // A pane button was clicked; FALSE: the pane's owner handles it.
    virtual BOOL OnButtonClick(CZUDPOutlookButton* pButton);

    COLORREF m_clrBackground = (COLORREF)-1;
};
