#pragma once
// The auto-hide dock bar along a frame edge, which holds the strips of
// auto-hidden panes, and the strip itself (a toolbar of pane buttons).
//
// This version has what the dock manager's layout asks of them: their
// classes and the dock bar's two corner offsets, by which its buttons keep
// clear of the strips of the neighbouring sides.  The auto-hide subsystem
// completes them (buttons, sliding panes).
#include "ui/docking/ZUDPDockBar.h"

class CZUDPAutoHideDockBar : public CZUDPDockBar {
    DECLARE_DYNCREATE(CZUDPAutoHideDockBar)
public:
    CZUDPAutoHideDockBar() = default;

    // Pixels kept free at the start (left or top) and the end (right or
    // bottom) of the dock bar, where a neighbouring strip lies.
    void SetOffsets(int nStart, int nEnd)
    {
        m_nStartOffset = nStart;
        m_nEndOffset = nEnd;
    }
    int GetStartOffset() const { return m_nStartOffset; }
    int GetEndOffset() const { return m_nEndOffset; }
    void SetStartOffset(int n) { m_nStartOffset = n; }
    void SetEndOffset(int n) { m_nEndOffset = n; }

protected:
    int m_nStartOffset = 0;
    int m_nEndOffset = 0;
};

class CZUDPAutoHideToolBar : public CZUDPControlBar {
    DECLARE_DYNCREATE(CZUDPAutoHideToolBar)
public:
    CZUDPAutoHideToolBar() = default;
    BOOL IsShownInBarsMenu() const override { return FALSE; }
};
