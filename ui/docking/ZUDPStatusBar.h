#pragma once
// The library's status bar: its panes (the record the visual manager's
// status-bar drawing reads, with its style bits SBPS_NOBORDERS,
// SBPS_POPOUT, SBPS_DISABLED and its own colours) and their texts.  Pane
// index 255 names the message pane, where the frame's prompts and the
// print preview's page number go.
#include "ui/commandbars/ZUDPControlBar.h"
#include "framework/Array.h"
#include "framework/String.h"
#include "framework/win/BarStyles.h"

// One pane of a status bar.
struct ZUDP_STATUSBAR_PANE {
    UINT nID = 0;
    UINT nStyle = SBPS_NORMAL;
    int cxText = 0;
    CString strText;
    COLORREF clrText = (COLORREF)-1;        // -1: the bar's text colour
    COLORREF clrBackground = (COLORREF)-1;  // -1: the bar's background
};

class CZUDPStatusBar : public CZUDPControlBar {
    DECLARE_DYNAMIC(CZUDPStatusBar)
public:
    // The index that names the message pane.
    static const int kMessagePane = 255;

    CZUDPStatusBar() = default;

    // One pane per id (0: the message pane); FALSE for no ids.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return int(m_panes.GetSize()); }
    // The pane of a command id, -1 when none.
    int CommandToIndex(UINT nIDFind) const;
    // Sets (null: clears) a pane's text, 255 the message pane's; with
    // bUpdate the pane is repainted.  FALSE for a pane that does not exist.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    const ZUDP_STATUSBAR_PANE* GetPane(int nIndex) const;

protected:
    // The pane an index names (255: the first pane with id 0, else the
    // first pane), or -1.
    int ResolvePane(int nIndex) const;

    CArray<ZUDP_STATUSBAR_PANE, const ZUDP_STATUSBAR_PANE&> m_panes;
};
