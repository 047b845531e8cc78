#pragma once
// Fixtures of the pane tests: panes of a fixed full size, a library frame
// with its four dock bars, and a cursor the tests move (the framework's
// cursor seam) while they send the mouse messages a user's drag makes.
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"

#include <gtest/gtest.h>

namespace panetest {

// A full size along and across its row, as a toolbar measures its buttons.
template <class TBase>
class CSizedBar : public TBase {
public:
    CSize m_sizeFull = CSize(120, 24);   // docked horizontally
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override
    {
        if (bStretch)
            return TBase::CalcStretchSize(bStretch, bHorz);
        return bHorz ? m_sizeFull : CSize(m_sizeFull.cy, m_sizeFull.cx);
    }
};
using CTestPane = CSizedBar<CZUDPControlBar>;
using CTestToolBar = CSizedBar<CZUDPBaseToolBar>;

// Creates a pane that may float and dock at every side.
inline bool CreatePane(CZUDPControlBar& pane, CWnd* pParent, UINT nID, const char* title = "Pane",
                       DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER,
                       DWORD dwControlBarStyle = ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE)
{
    if (!pane.CreatePane(nullptr, dwStyle, CRect(0, 0, 120, 24), pParent, nID, dwControlBarStyle))
        return false;
    pane.SetWindowText(title);
    pane.SetDockableSides(CBRS_ALIGN_ANY);
    return true;
}

// The cursor the code under test reads.
class FakeCursor {
public:
    FakeCursor()
        : m_scope(g_frameworkSeams.cursorPos, [this](POINT* p) {
              *p = m_pt;
              return TRUE;
          })
    {
    }
    void MoveTo(CPoint pt) { m_pt = pt; }
    CPoint Pos() const { return m_pt; }

private:
    CPoint m_pt;
    ScopedSeam<BOOL(POINT*)> m_scope;
};

// Sends a mouse message as the user's mouse at a screen point would: the
// cursor goes there first, the message carries the point in the window's
// client coordinates.
inline LRESULT SendMouse(CWnd& wnd, UINT message, CPoint ptScreen, FakeCursor& cursor, WPARAM flags = MK_LBUTTON)
{
    cursor.MoveTo(ptScreen);
    CPoint ptClient = ptScreen;
    wnd.ScreenToClient(&ptClient);
    return wnd.SendMessage(message, flags, MAKELPARAM(ptClient.x, ptClient.y));
}

inline CRect WindowRect(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

// A library frame with a dock bar at each side (registered top, bottom,
// left, right: the top and bottom ones span the frame), laid out.
class DockingFrame {
public:
    DockingFrame()
    {
        m_bCreated = m_frame.Create(nullptr, "Docking frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    CRect(100, 100, 700, 500)) != FALSE;
        if (!m_bCreated)
            return;
        const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
        for (int i = 0; i < 4; ++i) {
            m_dockBars[i] = new CZUDPDockBar;
            if (!m_dockBars[i]->Create(sides[i], CRect(), &m_frame, 0)) {
                delete m_dockBars[i];
                m_dockBars[i] = nullptr;
                m_bCreated = false;
                return;
            }
            m_frame.RegisterBar(m_dockBars[i]);
        }
        m_frame.RecalcLayout();
    }
    ~DockingFrame()
    {
        if (m_frame.m_hWnd != nullptr)
            m_frame.DestroyWindow();
    }
    DockingFrame(const DockingFrame&) = delete;
    DockingFrame& operator=(const DockingFrame&) = delete;

    bool IsCreated() const { return m_bCreated; }
    CZUDPFrameWnd& Frame() { return m_frame; }
    CZUDPDockManager& Manager() { return *m_frame.GetDockManager(); }
    CZUDPDockBar& Top() { return *m_dockBars[0]; }
    CZUDPDockBar& Bottom() { return *m_dockBars[1]; }
    CZUDPDockBar& Left() { return *m_dockBars[2]; }
    CZUDPDockBar& Right() { return *m_dockBars[3]; }

    // Creates a pane in the frame and docks it in the top dock bar.
    bool DockNewPane(CZUDPControlBar& pane, UINT nID, const char* title = "Pane")
    {
        if (!CreatePane(pane, &m_frame, nID, title))
            return false;
        m_frame.DockBarAtSite(&pane, AFX_IDW_DOCKBAR_TOP, nullptr);
        return pane.GetParentDockBar() == &Top();
    }

private:
    CZUDPFrameWnd m_frame;
    CZUDPDockBar* m_dockBars[4] = {};   // delete themselves with their windows
    bool m_bCreated = false;
};

// The library-wide docking state a test changes, put back afterwards.
class DockingStateGuard {
public:
    DockingStateGuard()
        : m_dwMode(CZUDPDockManager::GetGlobalDockMode()), m_bHostedInDialog(g_barsHostedInDialog),
          m_bRestoring(g_restoringDockLayout)
    {
    }
    ~DockingStateGuard()
    {
        CZUDPDockManager::SetGlobalDockMode(m_dwMode);
        g_barsHostedInDialog = m_bHostedInDialog;
        g_restoringDockLayout = m_bRestoring;
    }

private:
    DWORD m_dwMode;
    BOOL m_bHostedInDialog;
    BOOL m_bRestoring;
};

} // namespace panetest
