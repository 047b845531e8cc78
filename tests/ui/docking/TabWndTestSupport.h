#pragma once
// What the tab window tests share: a host window that records what a tab
// window tells its parent (and answers as a test asks), a tab window
// created in it with child windows as tabs, and seams for the cursor and
// key state.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/docking/ZUDPTabWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tabtest {

// One registered message the host received.
struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The parent of the tab windows under test: records the tab messages and
// answers them as told.
class CTabHost : public CWnd {
public:
    BOOL CreateHost(int width = 400, int height = 200);

    std::vector<Notice> notices;
    // ZUDM_ON_CHANGING_ACTIVE_TAB answers non-zero (keeps the old tab).
    BOOL vetoChanging = FALSE;
    // ZUDM_ON_RENAME_TAB answers non-zero (refuses the rename).
    BOOL refuseRename = FALSE;
    // The text put into the tooltip request of ZUDM_ON_GET_TAB_TOOLTIP.
    CString tooltipText;
    // The rectangle answered to ZUDM_GETDRAGBOUNDS (empty: answer 0).
    CRect dragBounds;
    // The rename texts asked for, and the last drag-complete rectangle.
    std::vector<std::string> renames;
    CRect dragComplete;
    // The windows WM_MDIACTIVATE named.
    std::vector<HWND> mdiActivated;
    // Mouse presses passed on to the host (client points).
    std::vector<CPoint> presses;

    // The notices of one message, in order.
    std::vector<Notice> Of(UINT message) const;
    int Count(UINT message) const { return int(Of(message).size()); }
    void Clear() { notices.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A child window standing for a tab's pane (a plain window with a control
// id); closing it records the close.
class CPaneWnd : public CWnd {
public:
    BOOL CreatePane(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD);
    int closes = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The tab window under test, with the state tests read opened up.
class CTestTabWnd : public CZUDPTabWnd {
public:
    using CZUDPTabWnd::m_iPrevActive;
    using CZUDPTabWnd::m_nTabsHeight;
    using CZUDPTabWnd::m_rectWndArea;
    using CZUDPTabWnd::m_sizeImage;
    using CZUDPTabWnd::m_bActivateOnRelease;
    using CZUDPTabWnd::m_bRenameEnabled;
    // The tabs drawn, in order: (drawing index, active).
    std::vector<std::pair<int, BOOL>> drawn;
    void DrawTabClipped(CDC* pDC, CZUDPTabInfo* pTab, BOOL bActive) override
    {
        drawn.emplace_back(m_iCurTab, bActive);
        CZUDPTabWnd::DrawTabClipped(pDC, pTab, bActive);
    }
    void DrawTab(CDC* pDC, CZUDPTabInfo* pTab, BOOL bActive) override
    {
        drawn.emplace_back(m_iCurTab, bActive);
        CZUDPTabWnd::DrawTab(pDC, pTab, bActive);
    }
    // The outlines DrawTabDragRect was asked for (new, old).
    std::vector<std::pair<CRect, CRect>> dragRects;
    void DrawTabDragRect(const CRect& rectNew, const CRect& rectOld) override
    {
        dragRects.emplace_back(rectNew, rectOld);
    }
};

// A tab window of a style in a host, with panes as tabs.
class TabWindowFixture : public ::testing::Test {
protected:
    void TearDown() override;
    // Destroys the windows of the last Create and forgets its panes.
    void Destroy();
    // Creates the host and the tab window (style code, location, close
    // button), sized to the host's client area.
    void Create(int nStyle, ZUDPTabLocation location = TabLocationTop, BOOL bClose = FALSE, int width = 400,
                int height = 200);
    // Adds panes with the labels as tabs; their control ids are 100 + i.
    void AddTabs(std::initializer_list<const char*> labels);
    CPaneWnd& Pane(int i) { return *m_panes[size_t(i)]; }
    // Presses, moves and releases the left button at client points, with
    // the cursor seam answering the matching screen points.
    void Press(CPoint point, UINT message = WM_LBUTTONDOWN);
    void Move(CPoint point);
    void Release(CPoint point);
    CPoint ScreenPoint(CPoint client) const;
    // The centre of a tab's rectangle.
    CPoint TabCentre(int iTab) const;

    // Made anew by every Create (a table of cases creates one per case).
    std::unique_ptr<CTabHost> m_host;
    std::unique_ptr<CTestTabWnd> m_tabs;
    std::vector<std::unique_ptr<CPaneWnd>> m_panes;
    CPoint m_cursor;          // screen point the cursor seam answers
    bool m_ctrlDown = false;  // the key state of the message has Ctrl down
    ScopedSeams m_seams;
    bool m_seamsReplaced = false;
};

// The height of the library's regular font's characters (tmHeight).
int RegularCharHeight();
// The width of a text in a font, measured on a screen DC.
int TextWidth(CFont& font, const char* text);

} // namespace tabtest
