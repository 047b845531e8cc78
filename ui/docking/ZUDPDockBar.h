#pragma once
// The library's dock bars and the bars docked in frames that the visual
// manager tells apart: the dock bar along a frame edge, the caption bar,
// the dialog bar and the slider between docked panes.  This version holds
// their classes and the fields the drawing reads; the docking subsystem
// completes them.
#include "ui/commandbars/ZUDPControlBar.h"
#include "framework/win/WinSdk.h"

// The bar along one edge of a frame that docked bars sit in.
class CZUDPDockBar : public CZUDPBaseControlBar {
    DECLARE_DYNAMIC(CZUDPDockBar)
public:
    CZUDPDockBar() = default;
};

// A bar across the top of a frame that shows a caption or a message.
class CZUDPCaptionBar : public CZUDPControlBar {
    DECLARE_DYNAMIC(CZUDPCaptionBar)
public:
    CZUDPCaptionBar() = default;

    BOOL IsMessageBarMode() const { return m_bMessageBarMode; }

    BOOL m_bMessageBarMode = FALSE;            // shows a message (with a button) instead of a caption
    COLORREF m_clrBarBackground = (COLORREF)-1; // own background colour (-1: none)
};

// A bar made from a dialog template.  With the visual-manager look it
// erases its background through the manager's dialog background, and the
// manager does not paint its children with the bar's background.
class CZUDPDialogBar : public CZUDPControlBar {
    DECLARE_SERIAL(CZUDPDialogBar)
public:
    CZUDPDialogBar() = default;

    BOOL m_bVisualManagerLook = FALSE;
};

// The splitter between docked panes (and between a pane and the client
// area, its edge form).
class CZUDPSlider : public CZUDPBaseControlBar {
    DECLARE_DYNAMIC(CZUDPSlider)
public:
    CZUDPSlider() = default;
    explicit CZUDPSlider(BOOL bEdge) : m_bEdge(bEdge) {}

    BOOL IsEdge() const { return m_bEdge; }

    BOOL m_bEdge = FALSE;  // draws a line along the edge that faces the client area
};
