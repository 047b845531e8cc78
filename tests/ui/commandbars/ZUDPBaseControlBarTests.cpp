// The pane base: its visibility in the registry and in archives, where it
// is shown or hidden, how it moves (at once or in a batch), how it paints,
// what it passes to its owner, the frame-level docking operations it hands
// to its frame's dock manager, and panes made from a dialog template.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/DeferWindowPos.h"
#include "framework/win/Dialog.h"
#include "tests/common/DrawingTest.h"
#include "tests/ui/commandbars/PaneTestResources.h"
#include "tests/ui/commandbars/PaneTestSupport.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/docking/ZUDPAppBarWnd.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "ui/docking/ZUDPDockingControlBar.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

using namespace panetest;

namespace {

std::vector<BYTE> Dword(DWORD value)
{
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

CRect RectInParent(const CWnd& wnd)
{
    CRect rect = WindowRect(wnd);
    CWnd::FromHandle(::GetParent(wnd.m_hWnd))->ScreenToClient(&rect);
    return rect;
}

class PaneRegistryTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        RegistryTestKey::SetUp();
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(m_pane.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20),
                                     &m_host, 0x42, 0));
        m_profile = Path() + "\\";
    }
    void TearDown() override
    {
        m_pane.DestroyWindow();
        m_host.DestroyWindow();
        RegistryTestKey::TearDown();
    }

    CWnd m_host;
    CZUDPBaseControlBar m_pane;
    CString m_profile;
};

} // namespace

// "IsVisible" is a REG_DWORD under "ZUDPBaseControlBar-<index>[<id>]": the
// index -1 stands for the control id (decimal), an id follows in hex.
TEST_F(PaneRegistryTest, VisibilityIsSavedUnderTheKeyOfIndexAndId)
{
    struct Row {
        int index;
        UINT id;
        const char* key;
    } rows[] = {{-1, (UINT)-1, "ZUDPBaseControlBar-66"}, {3, 0x1A, "ZUDPBaseControlBar-31a"}, {2, 0x40, "ZUDPBaseControlBar-240"}};
    for (const Row& row : rows) {
        ASSERT_TRUE(m_pane.SaveBarState(m_profile, row.index, row.id)) << row.key;
        DWORD type = 0;
        EXPECT_EQ(Dword(1), ReadRaw(row.key, "IsVisible", &type)) << row.key;
        EXPECT_EQ(DWORD(REG_DWORD), type) << row.key;
    }
    m_pane.ShowWindow(SW_HIDE);
    ASSERT_TRUE(m_pane.SaveBarState(m_profile, -1, (UINT)-1));
    EXPECT_EQ(Dword(0), ReadRaw("ZUDPBaseControlBar-66", "IsVisible"));
}

TEST_F(PaneRegistryTest, LoadingReadsTheSavedVisibilityAndAMissingKeyChangesNothing)
{
    EXPECT_FALSE(m_pane.LoadBarState(m_profile, 5, (UINT)-1));
    EXPECT_FALSE(m_pane.IsRestoredFromRegistry());
    EXPECT_FALSE(m_pane.GetSavedVisibility());

    WriteRaw("ZUDPBaseControlBar-5", "IsVisible", REG_DWORD, Dword(1));
    ASSERT_TRUE(m_pane.LoadBarState(m_profile, 5, (UINT)-1));
    EXPECT_TRUE(m_pane.GetSavedVisibility());
    EXPECT_TRUE(m_pane.IsRestoredFromRegistry());

    // A key without the value still counts as restored.
    CreateRawKey("ZUDPBaseControlBar-6");
    CZUDPBaseControlBar other;
    EXPECT_TRUE(other.LoadBarState(m_profile, 6, (UINT)-1));
    EXPECT_TRUE(other.IsRestoredFromRegistry());
    EXPECT_FALSE(other.GetSavedVisibility());
}

// A key that cannot be made is reported, not answered with success.
TEST_F(PaneRegistryTest, SavingAnswersFalseWhenTheKeyCannotBeMade)
{
    const CString tooLong = m_profile + CString('k', 300) + "\\";
    EXPECT_FALSE(m_pane.SaveBarState(tooLong, 1, (UINT)-1));
    EXPECT_FALSE(m_pane.SaveBarState("", 1, (UINT)-1)) << "no path without a profile or an application key";
}

// Archive: the docked side and the visibility, two 32-bit values; the side
// read back replaces the pane's side (one side, never two).
TEST(PaneArchiveTest, SideAndVisibilityRoundTrip)
{
    CZUDPBaseControlBar source;
    source.ReplaceBarStyle(CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_GRIPPER);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
    }
    ASSERT_EQ(8u, file.GetLength());
    file.SeekToBegin();
    BYTE bytes[8] = {};
    file.Read(bytes, 8);
    EXPECT_EQ(0x00, bytes[0]);
    EXPECT_EQ(0x80, bytes[1]);
    EXPECT_EQ(0, bytes[4]) << "a pane without a window is not visible";

    struct Row {
        DWORD stored;
        DWORD before;
        DWORD after;
    } rows[] = {
        {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT | CBRS_GRIPPER, CBRS_ALIGN_TOP | CBRS_GRIPPER},
        {CBRS_ALIGN_BOTTOM, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_BOTTOM},
        {0, CBRS_ALIGN_RIGHT, 0},
        {CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_RIGHT},   // not one side: kept
        {0x120345 | CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT},   // other bits dropped
    };
    for (const Row& row : rows) {
        CMemFile stored;
        {
            CArchive ar(&stored, CArchive::store);
            ar << row.stored << DWORD(1);
        }
        stored.SeekToBegin();
        CZUDPBaseControlBar pane;
        pane.ReplaceBarStyle(row.before);
        CArchive ar(&stored, CArchive::load);
        pane.Serialize(ar);
        EXPECT_EQ(row.after, pane.GetBarStyle()) << std::hex << row.stored << " into " << row.before;
        EXPECT_TRUE(pane.GetSavedVisibility());
    }
}

// Moving: nothing for the rectangle the pane has (the batch comes back as
// it was); in a batch, the move waits for the batch's end.  The current
// rectangle is compared in the parent's coordinates, also for a pane in a
// dock bar away from the frame's origin.
TEST(PaneMoveTest, MoveBarInABatchOrAtOnce)
{
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    CTestPane pane;
    ASSERT_TRUE(dock.DockNewPane(pane, 1));
    // The bottom dock bar is far from the frame's origin.
    CTestPane lower;
    ASSERT_TRUE(CreatePane(lower, &dock.Frame(), 2));
    dock.Frame().DockBarAtSite(&lower, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    ASSERT_EQ(&dock.Bottom(), lower.GetParentDockBar());

    const CRect rect = RectInParent(pane);
    CDeferWindowPos batch;
    HDWP hdwp = batch.GetHandle();
    EXPECT_EQ(hdwp, pane.MoveBar(rect, TRUE, hdwp)) << "already there";
    const CRect target(rect.left + 30, rect.top, rect.right + 30, rect.bottom);
    batch.Adopt(pane.MoveBar(target, TRUE, hdwp));
    EXPECT_EQ(rect, RectInParent(pane)) << "waits for the batch";
    batch.End();
    EXPECT_EQ(target, RectInParent(pane));

    EXPECT_EQ(nullptr, pane.MoveBar(rect, TRUE, nullptr));
    EXPECT_EQ(rect, RectInParent(pane));

    // The lower pane's rectangle in frame coordinates, taken as a target in
    // its dock bar's coordinates, is a real move.
    CRect inFrame = WindowRect(lower);
    dock.Frame().ScreenToClient(&inFrame);
    ASSERT_NE(inFrame, RectInParent(lower));
    lower.MoveBar(inFrame, TRUE, nullptr);
    EXPECT_EQ(inFrame, RectInParent(lower));

    CRect beside(0, 0, 60, 24);
    pane.SetWindowPosDeferred(nullptr, beside.left, beside.top, beside.Width(), beside.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE, nullptr);
    EXPECT_EQ(beside, RectInParent(pane));
}

// Shown and hidden in whatever holds the pane.
TEST(PaneShowTest, ShowBarInItsContainer)
{
    DockingStateGuard guard;
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());

    // A pane in a dock bar: its row hides with it, the dock bar loses the
    // row's thickness.
    CTestPane docked;
    ASSERT_TRUE(dock.DockNewPane(docked, 1));
    const int nThickness = WindowRect(dock.Top()).Height();
    ASSERT_EQ(24, nThickness);
    docked.ShowBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(docked.IsBarVisible());
    EXPECT_EQ(0, WindowRect(dock.Top()).Height());
    docked.ShowBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(docked.IsBarVisible());
    EXPECT_EQ(nThickness, WindowRect(dock.Top()).Height());

    // While a loaded layout is re-applied the saved visibility counts.
    docked.ShowBar(FALSE, FALSE, FALSE);
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << DWORD(CBRS_ALIGN_TOP) << DWORD(1);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        docked.Serialize(ar);
    }
    g_restoringDockLayout = TRUE;
    EXPECT_TRUE(docked.IsBarVisible());
    g_restoringDockLayout = FALSE;
    EXPECT_FALSE(docked.IsBarVisible());

    // A floating pane hides with its frame.
    CTestPane floating;
    ASSERT_TRUE(dock.DockNewPane(floating, 2));
    ASSERT_TRUE(floating.FloatBar(CRect(300, 300, 420, 360), ZUDP_DM_MENU, TRUE));
    CZUDPMiniFrameWnd* pFrame = floating.GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    floating.ShowBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(pFrame->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(floating.GetStyle() & WS_VISIBLE);
    floating.ShowBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(pFrame->GetStyle() & WS_VISIBLE);
}

namespace {

// Only docking panes may float out of a tab window.
using CTestDockingPane = CSizedBar<CZUDPDockingControlBar>;

// A tabbed pane whose tab window the test makes.
class CTestTabbedBar : public CZUDPBaseTabbedBar {
public:
    void SetTabWindow(CZUDPBaseTabWnd* pTabWnd) { m_pTabWnd = pTabWnd; }
};

} // namespace

TEST(PaneShowTest, TabbedPanesShowTheirTabs)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    CTestTabbedBar tabbedBar;
    ASSERT_TRUE(tabbedBar.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 300, 200), &host, 1, 0));
    CZUDPTabWnd tabs;
    ASSERT_TRUE(tabs.CreateWithStyle(0, CRect(0, 0, 300, 200), &tabbedBar, 2));
    tabbedBar.SetTabWindow(&tabs);
    CTestDockingPane first, second;
    ASSERT_TRUE(CreatePane(first, &tabs, 11, "First", WS_CHILD | WS_VISIBLE, ZUDP_CBRS_FLOAT));
    ASSERT_TRUE(CreatePane(second, &tabs, 12, "Second", WS_CHILD | WS_VISIBLE, ZUDP_CBRS_FLOAT));
    tabs.AppendTab(&first, "First", -1, TRUE);
    tabs.AppendTab(&second, "Second", -1, FALSE);
    tabs.ActivateTab(0);

    EXPECT_TRUE(first.IsTabbed());
    EXPECT_EQ(&tabbedBar, first.GetParentTabbedBar());
    tabs.ShowWindow(SW_HIDE);
    EXPECT_FALSE(first.IsBarVisible()) << "the tab window is hidden";
    tabs.ShowWindow(SW_SHOW);
    EXPECT_TRUE(first.IsBarVisible());
    EXPECT_TRUE(first.CanFloat()) << "its tab is detachable";
    EXPECT_FALSE(second.CanFloat()) << "its tab is not";

    // A pane's new small icon becomes its tab's icon.
    EXPECT_EQ(nullptr, tabs.GetTabIconHandle(1));
    second.SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)::LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_NE(nullptr, tabs.GetTabIconHandle(1));
    EXPECT_EQ(nullptr, tabs.GetTabIconHandle(0));

    // The tabbed bar is hidden and holds two tabs: only the tab comes back.
    first.ShowBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(tabs.IsTabVisible(0));
    EXPECT_FALSE(first.IsBarVisible());
    first.ShowBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(tabs.IsTabVisible(0));
    EXPECT_FALSE(tabbedBar.GetStyle() & WS_VISIBLE);

    // Hiding the last visible tab hides the tabbed bar.
    tabbedBar.ShowWindow(SW_SHOW);
    first.ShowBar(FALSE, FALSE, FALSE);
    second.ShowBar(FALSE, FALSE, FALSE);
    EXPECT_EQ(0, tabs.CountVisibleTabs());
    EXPECT_FALSE(tabbedBar.GetStyle() & WS_VISIBLE);
    host.DestroyWindow();
}

// The pane paints its background through the visual manager: WM_PAINT and
// WM_PRINTCLIENT both.
TEST(PanePaintTest, PrintClientFillsTheBarBackground)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 100, 50), nullptr, 0));
    CZUDPBaseControlBar pane;
    ASSERT_TRUE(pane.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 30), &host, 1, 0));
    trovtest::DibCanvas canvas(60, 30);
    canvas.Fill(RGB(1, 2, 3));
    pane.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(30, 15));
    EXPECT_EQ(60 * 30, canvas.CountColor(canvas.Rect(), g_uiEnvironment.m_colorBarFace));
    host.DestroyWindow();
}

namespace {

// An owner that records what its panes pass on.
class COwnerWnd : public CWnd {
public:
    UINT m_nCommand = 0;
    UINT m_nNotifyCode = 0;
    const char* m_pszTooltip = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            m_nCommand = LOWORD(wParam);
            return 0;
        }
        if (message == WM_NOTIFY) {
            NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
            m_nNotifyCode = pHeader->code;
            if (pHeader->code == TTN_GETDISPINFOA && m_pszTooltip != nullptr)
                reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>(m_pszTooltip);
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A pane that sees whether a tooltip request reached its own procedure.
class CTooltipPane : public CZUDPBaseControlBar {
public:
    int m_nOwnRequests = 0;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
            ++m_nOwnRequests;
        return CZUDPBaseControlBar::DefWindowProc(message, wParam, lParam);
    }
};

} // namespace

// Commands and notifications of the pane's controls go to its owner; a
// tooltip request the owner leaves without text goes to the pane's own
// procedure, one it answered does not.
TEST(PaneRoutingTest, CommandsAndNotificationsGoToTheOwner)
{
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 100, 50), nullptr, 0));
    CTooltipPane pane;
    ASSERT_TRUE(pane.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 60, 30), &owner, 1, 0));

    pane.SendMessage(WM_COMMAND, MAKEWPARAM(4321, 0), 0);
    EXPECT_EQ(4321u, owner.m_nCommand);

    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = pane.m_hWnd;
    info.hdr.code = TTN_GETDISPINFOA;
    pane.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_EQ(UINT(TTN_GETDISPINFOA), owner.m_nNotifyCode);
    EXPECT_EQ(1, pane.m_nOwnRequests) << "no text from the owner";

    owner.m_pszTooltip = "Save";
    info = {};
    info.hdr.hwndFrom = pane.m_hWnd;
    info.hdr.code = TTN_GETDISPINFOA;
    pane.SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_EQ(1, pane.m_nOwnRequests) << "the owner answered";
    EXPECT_STREQ("Save", info.lpszText);
    owner.DestroyWindow();
}

// Context help: a child control's id is a command help id, else the pane's
// own id is a control help id.
TEST(PaneRoutingTest, HelpHitTest)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    CZUDPBaseControlBar pane;
    ASSERT_TRUE(pane.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &host, 0x21, 0));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 40), &pane, 0x123));
    EXPECT_EQ(LRESULT(0x10123), pane.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(20, 20)));
    EXPECT_EQ(LRESULT(0x50021), pane.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(100, 80)));
    pane.SetDlgCtrlID(0);
    EXPECT_EQ(0, pane.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(100, 80)));
    host.DestroyWindow();
}

namespace {

// Records the command updates a pane asks for at idle.
class CUpdatingPane : public CZUDPBaseControlBar {
public:
    CFrameWnd* m_pTarget = nullptr;
    int m_nUpdates = 0;
    void UpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        m_pTarget = pTarget;
        ++m_nUpdates;
    }
};

} // namespace

TEST(PaneRoutingTest, IdleUpdatesOnlyVisiblePanesForTheirFrame)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CUpdatingPane pane;
    ASSERT_TRUE(pane.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 60, 30), &frame, 1, 0));
    pane.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0, pane.m_nUpdates) << "hidden";
    pane.ShowWindow(SW_SHOW);
    pane.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(1, pane.m_nUpdates);
    EXPECT_EQ(&frame, pane.m_pTarget);
    frame.DestroyWindow();
}

// The frame-level operations reach the dock manager of a library frame of
// any kind; a frame of another kind gives nothing; without a dock site the
// answers follow whether a pane was ever hosted in a dialog.
TEST(PaneSiteTest, FrameLevelOperationsGoToTheFramesDockManager)
{
    DockingStateGuard guard;
    struct Row {
        const char* kind;
        CFrameWnd* (*make)();
        bool library;
    } rows[] = {
        {"SDI frame", [] { return static_cast<CFrameWnd*>(new CZUDPFrameWnd); }, true},
        {"MDI frame", [] { return static_cast<CFrameWnd*>(new CZUDPMDIFrameWnd); }, true},
        {"OLE in-place frame", [] { return static_cast<CFrameWnd*>(new CZUDPOleIPFrameWnd); }, true},
        {"OLE document in-place frame", [] { return static_cast<CFrameWnd*>(new CZUDPOleDocIPFrameWnd); }, true},
        {"MDI child", [] { return static_cast<CFrameWnd*>(new CZUDPMDIChildWnd); }, true},
        {"OLE container frame", [] { return static_cast<CFrameWnd*>(new CZUDPOleCntrFrameWnd); }, true},
        {"plain frame", [] { return new CFrameWnd; }, false},
    };
    for (const Row& row : rows) {
        CFrameWnd* pFrame = row.make();
        ASSERT_TRUE(pFrame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300))) << row.kind;
        CTestPane pane, other;
        ASSERT_TRUE(CreatePane(pane, pFrame, 1));
        ASSERT_TRUE(CreatePane(other, pFrame, 2));
        other.MoveWindow(200, 150, 120, 24);
        EXPECT_EQ(pFrame, pane.GetDockSiteFrame()) << row.kind;
        CZUDPDockManager* pManager = pane.GetSiteDockManager();
        EXPECT_EQ(row.library, pManager != nullptr) << row.kind;
        EXPECT_EQ(row.library, pane.RegisterBarWithSite(&pane) != FALSE) << row.kind;
        EXPECT_EQ(row.library, pane.InsertBarBesideInSite(&other, &pane, FALSE) != FALSE) << row.kind;
        CRect rect = WindowRect(pane);
        EXPECT_EQ(row.library ? static_cast<CZUDPBaseControlBar*>(&pane) : nullptr,
                  pane.FindBarAtPointInSite(rect.CenterPoint(), 0, TRUE, RUNTIME_CLASS(CZUDPControlBar)))
            << row.kind;
        if (pManager != nullptr) {
            ASSERT_EQ(2, pManager->GetBarList().GetCount()) << row.kind;
            EXPECT_EQ(&other, pManager->GetBarList().GetHead()) << "inserted before its target";
            pane.UnregisterBarFromSite(&pane);
            pane.UnregisterBarFromSite(&other);
            EXPECT_EQ(0, pManager->GetBarList().GetCount()) << row.kind;
        }
        pFrame->DestroyWindow();
        delete pFrame;
    }

    // Without a dock site: a pane in a dialog sets the library-wide flag.
    g_barsHostedInDialog = FALSE;
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 100, 50), nullptr, 0));
    CTestPane loose;
    ASSERT_TRUE(CreatePane(loose, &host, 3));
    DWORD dwAlignment = 0;
    BOOL bOuter = FALSE;
    EXPECT_FALSE(loose.HitTestSiteDockEdge(CPoint(0, 0), 5, dwAlignment, bOuter));
    EXPECT_FALSE(loose.InsertBarBesideInSite(&loose, &loose, TRUE));
    EXPECT_EQ(nullptr, loose.FindBarAtPointInSite(CPoint(0, 0), 5, FALSE, nullptr));
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 100, 50), nullptr, 0));
    CTestPane inDialog;
    ASSERT_TRUE(CreatePane(inDialog, &dialog, 4));
    EXPECT_EQ(nullptr, inDialog.GetDockSiteFrame());
    EXPECT_TRUE(g_barsHostedInDialog);
    EXPECT_TRUE(loose.HitTestSiteDockEdge(CPoint(0, 0), 5, dwAlignment, bOuter));
    EXPECT_TRUE(loose.InsertBarBesideInSite(&loose, &loose, TRUE));
    dialog.DestroyWindow();
    host.DestroyWindow();
}

// A pane made from a dialog template: the template's controls, its
// dialog-init data in them, its size recorded, and the id given.
TEST(PaneTemplateTest, APaneFromADialogTemplateRunsItsDialogInitData)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CZUDPBaseControlBar pane;
    pane.SetDialogTemplate(MAKEINTRESOURCEA(IDD_TEST_PANE));
    ASSERT_TRUE(pane.CreateBar(0, nullptr, "", WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), &frame, 0x77, 0));
    EXPECT_EQ(0x77, pane.GetDlgCtrlID());
    EXPECT_EQ(&frame, pane.GetDockSiteFrame());
    EXPECT_EQ(WindowRect(pane).Size(), pane.GetTemplateSize());
    EXPECT_GT(pane.GetTemplateSize().cx, 0);
    CWnd* pCombo = pane.GetDlgItem(IDC_TEST_PANE_COMBO);
    ASSERT_NE(nullptr, pCombo);
    EXPECT_EQ(2, pCombo->SendMessage(CB_GETCOUNT));
    char text[32] = {};
    pCombo->SendMessage(CB_GETLBTEXT, 1, (LPARAM)text);
    EXPECT_STREQ("Second choice", text);
    EXPECT_EQ((LONG_PTR)::GetSysColorBrush(COLOR_BTNFACE), (LONG_PTR)::GetClassLongPtrA(pane.m_hWnd, GCLP_HBRBACKGROUND));

    CZUDPBaseControlBar missing;
    missing.SetDialogTemplate(MAKEINTRESOURCEA(1));
    EXPECT_FALSE(missing.CreateBar(0, nullptr, "", WS_CHILD, CRect(0, 0, 0, 0), &frame, 0x78, 0));
    frame.DestroyWindow();
}
