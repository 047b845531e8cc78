#pragma once
// Docking panes: the resizable panes that dock beside each other at a
// frame's edges and may sit in a tab window as one of its tabs and float
// out of it again, and the wrapper pane (CZUDPDockingCBWrapper) that hosts
// one ordinary window as a pane.  The tabbed pane is in
// ZUDPBaseTabbedBar.h.
//
// This version has their classes, created by name as saved layouts name
// them, and what the control bars and the tab windows ask of them (the
// wrapped window); the docking subsystem gives them their caption,
// docking, floating, tabbing and their saved state.
#include "ui/commandbars/ZUDPControlBar.h"

class CZUDPSlider;

class CZUDPDockingControlBar : public CZUDPControlBar {
    DECLARE_SERIAL(CZUDPDockingControlBar)
public:
    CZUDPDockingControlBar() = default;

    BOOL IsDockingPane() const override { return TRUE; }
    BOOL IsResizable() const override { return TRUE; }

    // The slider whose layout holds the pane (it then places the pane), or
    // null; none until panes dock beside each other.
    CZUDPSlider* GetDefaultSlider() const { return m_pDefaultSlider; }
    // An auto-hidden pane slides out of (or back into) its strip; panes
    // do not auto-hide yet.
    virtual void StartSlide(BOOL bSlideOut, BOOL bAnimate) { (void)bSlideOut; (void)bAnimate; }
    // Where a pane dragged to a screen point would dock at this one: 3 as
    // a tab (on its caption), 2 beside it (near an edge), 0 nowhere.
    virtual int ClassifyDropPoint(CPoint pt, int nSensitivity);

protected:
    CZUDPSlider* m_pDefaultSlider = nullptr;
};

class CZUDPDockingCBWrapper : public CZUDPDockingControlBar {
    DECLARE_SERIAL(CZUDPDockingCBWrapper)
public:
    CZUDPDockingCBWrapper() = default;

    // The window the pane hosts: it becomes the pane's child.
    virtual void SetWrappedWindow(CWnd* pWnd);
    CWnd* GetWrappedWindow() const { return m_pWrappedWnd; }

protected:
    CWnd* m_pWrappedWnd = nullptr;
};
