// The workspace: single instance, shell manager ownership and the registry
// section path.
#include "ui/foundation/ZUDPWorkspace.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPShellManager.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

namespace {

class CTestApp : public CWinApp, public CZUDPWorkspace {
public:
    CTestApp() : CWinApp("TestApp") {}
};

TEST(ZUDPWorkspaceTest, CreatesEachManagerOnceAndDeletesWhatItOwns)
{
    trovtest::InitFrameworkForTests();
    ASSERT_EQ(nullptr, g_shellManager);
    {
        CTestApp app;
        EXPECT_EQ(static_cast<CZUDPWorkspace*>(&app), GetWorkspaceInstance());
        EXPECT_TRUE(app.CreateShellManager());
        EXPECT_NE(nullptr, g_shellManager);
        EXPECT_FALSE(app.CreateShellManager());
        EXPECT_TRUE(app.CreateKeyboardManager());
        EXPECT_TRUE(app.CreateTooltipManager());
        EXPECT_TRUE(app.CreateUserToolsManager(100, 110));
        EXPECT_TRUE(app.CreateTearOffManager(200, 210));
        EXPECT_FALSE(app.CreateTearOffManager(200, 210));
    }
    EXPECT_EQ(nullptr, g_shellManager);
    EXPECT_EQ(nullptr, g_keyboardManager);
    EXPECT_EQ(nullptr, g_tooltipManager);
    EXPECT_EQ(nullptr, g_userToolsManager);
    EXPECT_EQ(nullptr, g_tearOffManager);
    // A manager made by someone else is left alone.
    CZUDPMouseManager own;
    {
        CTestApp app;
        EXPECT_FALSE(app.CreateMouseManager());
    }
    EXPECT_EQ(&own, g_mouseManager);
    EXPECT_EQ(nullptr, GetWorkspaceInstance());
}

TEST(ZUDPWorkspaceTest, SectionPathFollowsTheRegistryKey)
{
    CTestApp app;
    EXPECT_STREQ("", app.MakeSectionPath(nullptr));   // no registry key yet
    app.SetRegistryKey("Dravisk Ltd");
    EXPECT_STREQ("SOFTWARE\\Dravisk Ltd\\TestApp\\ZUDWorkspace\\", app.MakeSectionPath(nullptr));
    EXPECT_STREQ("SOFTWARE\\Dravisk Ltd\\TestApp\\ZUDWorkspace\\Sub\\", app.MakeSectionPath("Sub"));
    EXPECT_STREQ("Given\\Profile", BuildRegistrySectionPath("Any", "Given\\Profile"));
    EXPECT_EQ(-1, app.GetStoredStateVersion());
}

TEST(ZUDPWorkspaceTest, ProfileValuesRoundTripThroughTheRegistry)
{
    CTestApp app;
    app.SetRegistryKey("Trov Test Company");
    EXPECT_TRUE(app.WriteProfileInt("Section", "Number", 1234));
    EXPECT_EQ(1234u, app.GetProfileInt("Section", "Number", 0));
    EXPECT_EQ(7u, app.GetProfileInt("Section", "Missing", 7));
    EXPECT_TRUE(app.WriteProfileString("Section", "Text", "value"));
    EXPECT_STREQ("value", app.GetProfileString("Section", "Text"));
    EXPECT_STREQ("dflt", app.GetProfileString("Section", "Nothing", "dflt"));
    BYTE data[] = {1, 2, 3, 0, 255};
    EXPECT_TRUE(app.WriteProfileBinary("Section", "Blob", data, sizeof(data)));
    LPBYTE pRead = nullptr;
    UINT nRead = 0;
    ASSERT_TRUE(app.GetProfileBinary("Section", "Blob", &pRead, &nRead));
    ASSERT_EQ(sizeof(data), nRead);
    EXPECT_EQ(0, memcmp(data, pRead, nRead));
    delete[] pRead;
    // Clean up the test's key.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Trov Test Company");
}

} // namespace

#include "framework/win/FrameworkSeams.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <string>

namespace {

using Bytes = std::vector<BYTE>;

// An application whose workspace lives below the test's own company key,
// recording the stored version its load hooks see.
class CRecordingApp : public CWinApp, public CZUDPWorkspace {
public:
    explicit CRecordingApp(const CString& company) : CWinApp("TestApp") { SetRegistryKey(company); }
    void OnBeforeLoadState() override { m_versionBefore = GetStoredStateVersion(); }
    void OnAfterLoadState() override { m_versionAfter = GetStoredStateVersion(); }
    int m_versionBefore = 0;
    int m_versionAfter = 0;
};

class ZUDPWorkspaceStateTest : public trovtest::RegistryTestKey {
protected:
    // The workspace key below the test key (as the raw helpers take it).
    static constexpr const char* kSection = "TestApp\\ZUDWorkspace";
    static CString In(const char* key) { return CString(kSection) + "\\" + key; }
};

TEST_F(ZUDPWorkspaceStateTest, SavingWhileSavingIsOffWritesNothing)
{
    CRecordingApp app(CompanyKey());
    app.EnableSaveState(FALSE);
    EXPECT_FALSE(app.SaveState());
    EXPECT_FALSE(RawKeyExists("TestApp"));
    app.EnableSaveState(TRUE);
    EXPECT_TRUE(app.SaveState());
    EXPECT_TRUE(RawKeyExists(kSection));
}

TEST_F(ZUDPWorkspaceStateTest, SaveStampsTheVersionAndLoadSeesTheStoredOne)
{
    {
        CRecordingApp fresh(CompanyKey());
        EXPECT_TRUE(fresh.LoadState());
        EXPECT_EQ(-1, fresh.m_versionAfter);   // nothing stored: -1 while loading
        EXPECT_EQ(0xB0000, fresh.GetStoredStateVersion());
        ASSERT_TRUE(fresh.SaveState());
    }
    DWORD type = 0;
    EXPECT_EQ(Bytes({11, 0, 0, 0}), ReadRaw(In("ZUDControlBarVersion"), "Major", &type));
    EXPECT_EQ(DWORD(REG_DWORD), type);
    EXPECT_EQ(Bytes({0, 0, 0, 0}), ReadRaw(In("ZUDControlBarVersion"), "Minor", &type));
    EXPECT_EQ(DWORD(REG_DWORD), type);

    struct Case {
        int major, minor, expected;
    } cases[] = {{11, 0, 0xB0000}, {9, 5, 0x90500}, {8, 12, 0x80120}};
    for (const Case& c : cases) {
        WriteRaw(In("ZUDControlBarVersion"), "Major", REG_DWORD, {BYTE(c.major), 0, 0, 0});
        WriteRaw(In("ZUDControlBarVersion"), "Minor", REG_DWORD, {BYTE(c.minor), 0, 0, 0});
        CRecordingApp app(CompanyKey());
        app.LoadState();
        EXPECT_EQ(-1, app.m_versionBefore);
        EXPECT_EQ(c.expected, app.m_versionAfter) << c.major << "." << c.minor;
        EXPECT_EQ(0xB0000, app.GetStoredStateVersion());
    }
}

TEST_F(ZUDPWorkspaceStateTest, CleanStateRemovesTheSectionOnly)
{
    {
        // No company key: there is no workspace key to delete.
        CTestApp noCompany;
        EXPECT_FALSE(noCompany.CleanState());
    }
    CRecordingApp app(CompanyKey());
    ASSERT_TRUE(app.SaveState());
    ASSERT_TRUE(app.StoreWindowPlacement(CRect(1, 2, 3, 4), 0, 1));
    CreateRawKey(In("SomeBar\\Deeper"));
    CreateRawKey("TestApp\\Neighbour");

    // Without a section the path would be the application's whole profile.
    for (const char* section : {"", "\\"}) {
        EXPECT_FALSE(app.CleanState(section)) << '"' << section << '"';
        EXPECT_TRUE(RawKeyExists("TestApp\\Neighbour"));
    }
    EXPECT_TRUE(app.CleanState("ZUDWorkspace"));
    EXPECT_FALSE(RawKeyExists(kSection));
    EXPECT_TRUE(RawKeyExists("TestApp\\Neighbour"));
}

TEST_F(ZUDPWorkspaceStateTest, PlacementIsStoredAsThreeValuesAndReadOnlyWhenAllAreThere)
{
    CRecordingApp app(CompanyKey());
    ASSERT_TRUE(app.StoreWindowPlacement(CRect(10, -20, 300, 0x10203), 2, 3));
    DWORD type = 0;
    EXPECT_EQ(Bytes({10, 0, 0, 0, 0xEC, 0xFF, 0xFF, 0xFF, 0x2C, 1, 0, 0, 3, 2, 1, 0}),
              ReadRaw(In("WindowPlacement"), "MainWindowRect", &type));
    EXPECT_EQ(DWORD(REG_BINARY), type);
    EXPECT_EQ(Bytes({2, 0, 0, 0}), ReadRaw(In("WindowPlacement"), "Flags", &type));
    EXPECT_EQ(Bytes({3, 0, 0, 0}), ReadRaw(In("WindowPlacement"), "ShowCmd", &type));

    CRect rect;
    int flags = 0, showCmd = 0;
    ASSERT_TRUE(app.LoadWindowPlacement(rect, flags, showCmd));
    EXPECT_EQ(CRect(10, -20, 300, 0x10203), rect);
    EXPECT_EQ(2, flags);
    EXPECT_EQ(3, showCmd);

    // A placement with a value missing or cut short is not read at all.
    WriteRaw(In("WindowPlacement"), "ShowCmd", REG_BINARY, {1, 0});
    CRect untouched(5, 5, 5, 5);
    EXPECT_FALSE(app.LoadWindowPlacement(untouched, flags, showCmd));
    EXPECT_EQ(CRect(5, 5, 5, 5), untouched);
}

// A stored placement is applied only where it cannot lose the window.
TEST_F(ZUDPWorkspaceStateTest, ReloadedPlacementKeepsTheWindowShownAndOnScreen)
{
    trovtest::InitFrameworkForTests();
    CRecordingApp app(CompanyKey());
    const CRect created(50, 60, 350, 260);
    struct Case {
        const char* name;
        CRect stored;
        int showCmd;
        bool maximized;
        bool visible;
        CRect expectedNormal;
    } cases[] = {
        {"maximized", CRect(100, 100, 400, 300), SW_SHOWMAXIMIZED, true, true, CRect(100, 100, 400, 300)},
        {"normal", CRect(20, 30, 220, 230), SW_SHOWNORMAL, false, true, CRect(20, 30, 220, 230)},
        {"hidden", CRect(20, 30, 220, 230), SW_HIDE, false, true, CRect(20, 30, 220, 230)},
        {"minimized", CRect(20, 30, 220, 230), SW_SHOWMINIMIZED, false, true, CRect(20, 30, 220, 230)},
        {"off every monitor", CRect(40000, 40000, 40300, 40200), SW_SHOWNORMAL, false, true, created},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(app.StoreWindowPlacement(c.stored, 0, c.showCmd));
        HWND hWnd = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, created.left, created.top,
                                      created.Width(), created.Height(), nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, hWnd);
        CWnd frame;
        frame.Attach(hWnd);
        EXPECT_TRUE(app.ReloadWindowPlacement(&frame));
        EXPECT_EQ(c.maximized, ::IsZoomed(hWnd) != FALSE);
        EXPECT_FALSE(::IsIconic(hWnd));
        EXPECT_EQ(c.visible, ::IsWindowVisible(hWnd) != FALSE);
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        ::GetWindowPlacement(hWnd, &wp);
        RECT work = {};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        CRect normal(wp.rcNormalPosition);
        normal.OffsetRect(work.left, work.top);
        EXPECT_EQ(c.expectedNormal, normal);
        frame.Detach();
        ::DestroyWindow(hWnd);
    }
}

// The normal rectangle of a window in screen coordinates.
CRect NormalRect(HWND hWnd)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ::GetWindowPlacement(hWnd, &wp);
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    CRect normal(wp.rcNormalPosition);
    normal.OffsetRect(work.left, work.top);
    return normal;
}

// Loading for a library frame hands the frame's own implementation object
// to the load, so the frame gets what only a load for a frame applies (its
// stored placement here), from the section given.
TEST_F(ZUDPWorkspaceStateTest, FramesLoadTheirStateThroughTheirImplementationObject)
{
    trovtest::InitFrameworkForTests();
    CRecordingApp app(CompanyKey());
    const CRect stored(30, 40, 330, 240), other(60, 70, 260, 270), created(100, 100, 400, 300);
    ASSERT_TRUE(app.StoreWindowPlacement(stored, 0, SW_SHOWNORMAL));
    app.SetRegistryBase("OtherSection");
    ASSERT_TRUE(app.StoreWindowPlacement(other, 0, SW_SHOWNORMAL));
    app.SetRegistryBase("ZUDWorkspace");

    {
        CZUDPFrameWnd frame;
        ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, created));
        EXPECT_EQ(&frame, frame.GetFrameImpl().GetFrame());
        EXPECT_TRUE(app.LoadFrameWndState(&frame));
        EXPECT_EQ(stored, NormalRect(frame.m_hWnd));
        EXPECT_TRUE(app.LoadFrameWndState(&frame, "OtherSection"));
        EXPECT_EQ(other, NormalRect(frame.m_hWnd));
        EXPECT_STREQ("OtherSection", app.GetRegistryBase());
        frame.DestroyWindow();
    }
    app.SetRegistryBase("ZUDWorkspace");
    {
        CZUDPMDIFrameWnd frame;
        ASSERT_TRUE(frame.Create(nullptr, "mdi", WS_OVERLAPPEDWINDOW, created));
        EXPECT_EQ(&frame, frame.GetFrameImpl().GetFrame());
        EXPECT_TRUE(app.LoadMDIFrameState(&frame));
        EXPECT_EQ(stored, NormalRect(frame.m_hWnd));
        frame.DestroyWindow();
    }
    // Without a frame the load still runs, for the frame-less state only.
    EXPECT_TRUE(app.LoadFrameWndState(nullptr));
    EXPECT_TRUE(app.LoadMDIFrameState(nullptr));
    EXPECT_EQ(0xB0000, app.GetStoredStateVersion());
}

// Records the commands a top-level window receives.
LRESULT CALLBACK RecordCommandProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        ::SetPropA(hWnd, "LastCommand", reinterpret_cast<HANDLE>(wParam));
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST_F(ZUDPWorkspaceStateTest, ViewDoubleClickRunsTheAssignedCommandOrBeeps)
{
    trovtest::InitFrameworkForTests();
    CRecordingApp app(CompanyKey());
    EXPECT_FALSE(app.OnViewDoubleClick(nullptr, 5));   // no mouse manager yet
    ASSERT_TRUE(app.CreateMouseManager());
    EXPECT_FALSE(app.CreateMouseManager());
    g_mouseManager->AssignDblClickCommand(5, 32771);
    g_mouseManager->AssignDblClickCommand(6, 32772);
    g_mouseManager->AssignDblClickCommand(6, 0);   // removes view 6's command

    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordCommandProc;
    wc.lpszClassName = "TrovRecordCommand";
    ::RegisterClassA(&wc);
    HWND hTop = ::CreateWindowExA(0, wc.lpszClassName, "top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND hChild = ::CreateWindowExA(0, "STATIC", "view", WS_CHILD, 0, 0, 10, 10, hTop, nullptr, nullptr, nullptr);
    CWnd view;
    view.Attach(hChild);

    int beeps = 0;
    ScopedSeam beep(g_foundationSeams.messageBeep, [&](UINT) { ++beeps; return TRUE; });
    EXPECT_TRUE(app.OnViewDoubleClick(&view, 5));
    EXPECT_EQ(32771, reinterpret_cast<INT_PTR>(::GetPropA(hTop, "LastCommand")));
    EXPECT_EQ(0, beeps);
    EXPECT_FALSE(app.OnViewDoubleClick(&view, 6));
    EXPECT_EQ(1, beeps);

    view.Detach();
    ::RemovePropA(hTop, "LastCommand");
    ::DestroyWindow(hTop);
}

TEST_F(ZUDPWorkspaceStateTest, HelpGoesToTheApplicationsHelpFileAsContextMenuHelp)
{
    CRecordingApp app(CompanyKey());
    UINT command = 0;
    ULONG_PTR data = 0;
    ScopedSeam help(g_frameworkSeams.winHelp, [&](HWND, const char*, UINT nCmd, ULONG_PTR dwData) {
        command = nCmd;
        data = dwData;
        return TRUE;
    });
    EXPECT_TRUE(app.OnWinHelp(nullptr, 1234));
    EXPECT_EQ(UINT(HELP_CONTEXTMENU), command);
    EXPECT_EQ(1234u, data);
}

TEST_F(ZUDPWorkspaceStateTest, MouseAssignmentsRoundTripAndDamagedValuesKeepThem)
{
    CRecordingApp app(CompanyKey());
    ASSERT_TRUE(app.CreateMouseManager());
    CZUDPMouseManager& mouse = *g_mouseManager;
    mouse.AssignDblClickCommand(5, 100);
    mouse.AssignDblClickCommand(7, 0x20001);
    ASSERT_TRUE(app.SaveState());

    // Count, then the pairs in the map's order.
    DWORD type = 0;
    const Bytes stored = ReadRaw(kSection, "Mouse", &type);
    EXPECT_EQ(DWORD(REG_BINARY), type);
    ASSERT_EQ(20u, stored.size());
    EXPECT_EQ(Bytes({2, 0, 0, 0}), Bytes(stored.begin(), stored.begin() + 4));

    mouse.AssignDblClickCommand(5, 0);
    mouse.AssignDblClickCommand(9, 1);
    ASSERT_TRUE(app.LoadState());
    EXPECT_EQ(100u, mouse.LookupDblClickCommand(5));
    EXPECT_EQ(0x20001u, mouse.LookupDblClickCommand(7));
    EXPECT_EQ(0u, mouse.LookupDblClickCommand(9));

    const CString path = app.MakeSectionPath(nullptr);
    struct Case {
        const char* name;
        Bytes value;
        BOOL loads;
    } cases[] = {
        {"cut in a pair", {2, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 2, 0}, FALSE},
        {"count beyond the value", {0xFF, 0xFF, 0xFF, 0x0F, 1, 0, 0, 0, 5, 0, 0, 0}, FALSE},
        {"no count", {1, 0}, FALSE},
    };
    for (const Case& c : cases) {
        WriteRaw(kSection, "Mouse", REG_BINARY, c.value);
        EXPECT_EQ(c.loads, mouse.LoadState(path)) << c.name;
        EXPECT_EQ(100u, mouse.LookupDblClickCommand(5)) << c.name;
    }
    WriteRaw(kSection, "Mouse", REG_BINARY, {0, 0, 0, 0});
    EXPECT_TRUE(mouse.LoadState(path));
    EXPECT_EQ(0u, mouse.LookupDblClickCommand(5));   // a stored empty table
}

// What a load or save visits, in order: the workspace's hooks, the
// frame's bars and its frame implementation.
using Log = std::vector<std::string>;

class CLogBar : public CZUDPToolBar {
public:
    CLogBar(Log& log, const char* name) : m_log(log), m_name(name) {}
    BOOL LoadBarState(LPCTSTR, int, UINT) override
    {
        m_log.push_back("load " + m_name);
        m_suspendedWhileLoading = g_suspendDockLayout;
        m_imagesRegisteredWhileLoading = g_registerCommandImages;
        return TRUE;
    }
    BOOL SaveBarState(LPCTSTR, int, UINT) override
    {
        m_log.push_back("save " + m_name);
        return TRUE;
    }
    BOOL IsResourceChanged() const override { return m_changed; }
    void RefreshButtons() override { m_log.push_back("refresh " + m_name); }
    Log& m_log;
    std::string m_name;
    BOOL m_changed = FALSE;
    BOOL m_suspendedWhileLoading = FALSE;
    BOOL m_imagesRegisteredWhileLoading = TRUE;
};

class CLogFrame : public CFrameWnd {
public:
    explicit CLogFrame(Log& log) : m_log(log) {}
    void RecalcLayout(BOOL) override { m_log.push_back("layout"); }
    Log& m_log;
};

class CLogFrameImpl : public CZUDPFrameImpl {
public:
    CLogFrameImpl(CFrameWnd* pFrame, Log& log) : CZUDPFrameImpl(pFrame), m_log(log) {}
    void LoadUserToolbars() override { m_log.push_back("user toolbars"); }
    void LoadTearOffBars() override { m_log.push_back("tear-offs"); }
    void SaveTearOffBars(BOOL bFrameOnly) override { m_log.push_back(bFrameOnly ? "save tear-offs of frame" : "save tear-offs"); }
    void SaveToolbarsState(BOOL bFrameOnly) override { m_log.push_back(bFrameOnly ? "save user toolbars of frame" : "save user toolbars"); }
    BOOL LoadDockState(LPCTSTR) override { m_log.push_back("load dock"); return TRUE; }
    BOOL ApplyLoadedDockState(CDockState&) override { m_log.push_back("apply dock"); return TRUE; }
    BOOL SaveDockState(LPCTSTR) override { m_log.push_back("save dock"); return TRUE; }
    void StoreWindowPlacement() override { m_log.push_back("placement"); }
    BOOL CheckDockState(CDockState&) override
    {
        m_log.push_back("check dock");
        return m_acceptDock;
    }
    Log& m_log;
    BOOL m_acceptDock = TRUE;
};

class CLogApp : public CRecordingApp {
public:
    CLogApp(const CString& company, Log& log, BOOL bSmartUpdate) : CRecordingApp(company), m_log(log)
    {
        m_bResourceSmartUpdate = bSmartUpdate;
    }
    void OnBeforeLoadState() override { m_log.push_back("before load"); }
    void OnAfterLoadState() override { m_log.push_back("after load"); }
    void OnBeforeSaveState() override { m_log.push_back("before save"); }
    void OnAfterSaveState() override { m_log.push_back("after save"); }
    Log& m_log;
};

// A frame with a docked bar, a floating one and a bar in another window.
class ZUDPWorkspaceOrderTest : public ZUDPWorkspaceStateTest {
protected:
    void SetUp() override
    {
        ZUDPWorkspaceStateTest::SetUp();
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_frame.CreateEx(0, "STATIC", "frame", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(m_other.CreateEx(0, "STATIC", "other", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(m_docked.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 50, 20), &m_frame, 1));
        ASSERT_TRUE(m_floating.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 50, 20), &m_frame, 2));
        ASSERT_TRUE(m_elsewhere.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 50, 20), &m_other, 3));
        m_floating.m_bFloating = TRUE;
        m_log.clear();   // the frame laid itself out when it got its size
    }
    void TearDown() override
    {
        for (CWnd* pWnd : {static_cast<CWnd*>(&m_docked), static_cast<CWnd*>(&m_floating),
                           static_cast<CWnd*>(&m_elsewhere), static_cast<CWnd*>(&m_frame),
                           static_cast<CWnd*>(&m_other)})
            pWnd->DestroyWindow();
        ZUDPWorkspaceStateTest::TearDown();
    }
    Log m_log;
    CLogFrame m_frame{m_log};
    CFrameWnd m_other;
    CLogBar m_docked{m_log, "docked"};
    CLogBar m_floating{m_log, "floating"};
    CLogBar m_elsewhere{m_log, "elsewhere"};
    CLogBar m_noWindow{m_log, "without window"};
    CLogFrameImpl m_impl{&m_frame, m_log};
};

TEST_F(ZUDPWorkspaceOrderTest, LoadAndSaveVisitBarsAndFrameInTheirOrder)
{
    CLogApp app(CompanyKey(), m_log, FALSE);
    app.EnableLoadWindowPlacement(FALSE);
    // A first load: no stored version, so no docking layout.
    ASSERT_TRUE(app.LoadState(nullptr, &m_impl));
    EXPECT_EQ(Log({"before load", "load docked", "load elsewhere", "user toolbars", "tear-offs", "after load"}),
              m_log);
    EXPECT_TRUE(m_docked.m_suspendedWhileLoading);
    EXPECT_FALSE(g_suspendDockLayout);

    m_log.clear();
    app.EnableFrameBarsOnly(TRUE);
    ASSERT_TRUE(app.SaveState(nullptr, &m_impl));
    // Floating bars are saved; the bar of another window is not the frame's.
    EXPECT_EQ(Log({"before save", "save dock", "save docked", "save floating", "save user toolbars of frame",
                   "save tear-offs of frame", "placement", "after save"}),
              m_log);
    // The framework's own dock state goes beside, under the section's
    // "ControlBars" profile.
    EXPECT_EQ(Bytes({0, 0, 0, 0}), ReadRaw(In("ControlBars-Summary"), "Bars"));

    // With a stored version the docking layout is loaded when the frame
    // accepts it, or when the check is bypassed.  The toolbar options saved
    // above come back first: applying the large-icons option lays out the
    // two toolbars with windows.
    m_log.clear();
    app.EnableUserToolbars(FALSE);
    ASSERT_TRUE(app.LoadState(nullptr, &m_impl));
    EXPECT_EQ(Log({"before load", "layout", "layout", "load docked", "tear-offs", "check dock", "load dock", "apply dock", "after load"}),
              m_log);
    m_impl.m_acceptDock = FALSE;
    m_log.clear();
    app.LoadState(nullptr, &m_impl);
    EXPECT_EQ(Log({"before load", "layout", "layout", "load docked", "tear-offs", "check dock", "after load"}), m_log);
    app.EnableForceDockStateLoad(TRUE);
    m_log.clear();
    app.LoadState(nullptr, &m_impl);
    EXPECT_EQ(Log({"before load", "layout", "layout", "load docked", "tear-offs", "load dock", "apply dock", "after load"}),
              m_log);
}

TEST_F(ZUDPWorkspaceOrderTest, ToolbarsWhoseResourcesChangedAreRefreshedAfterLoading)
{
    {
        CLogApp app(CompanyKey(), m_log, TRUE);
        app.EnableLoadWindowPlacement(FALSE);
        app.EnableUserToolbars(FALSE);
        ASSERT_TRUE(app.LoadState(nullptr, &m_impl));
        // Nothing changed: no refresh; images were not registered meanwhile.
        EXPECT_EQ(Log({"before load", "load docked", "load elsewhere", "tear-offs", "after load"}), m_log);
        EXPECT_FALSE(m_docked.m_imagesRegisteredWhileLoading);
        EXPECT_TRUE(g_registerCommandImages);

        // (The version in memory is 11.0 now: the docking layout loads.)
        m_elsewhere.m_changed = TRUE;
        m_log.clear();
        app.LoadState(nullptr, &m_impl);
        EXPECT_EQ(Log({"before load", "load docked", "load elsewhere", "tear-offs", "check dock", "load dock",
                       "apply dock", "refresh docked", "refresh floating", "refresh elsewhere", "layout",
                       "after load"}),
                  m_log);
    }
    // Without the option a changed resource refreshes nothing; forcing it
    // refreshes every bar.
    CLogApp app(CompanyKey(), m_log, FALSE);
    app.EnableLoadWindowPlacement(FALSE);
    app.EnableUserToolbars(FALSE);
    m_log.clear();
    app.LoadState(nullptr, &m_impl);
    EXPECT_EQ(Log({"before load", "load docked", "load elsewhere", "tear-offs", "after load"}), m_log);
    EXPECT_TRUE(m_elsewhere.m_imagesRegisteredWhileLoading);
    app.EnableForceImageReset(TRUE);
    m_log.clear();
    app.LoadState(nullptr, &m_impl);
    EXPECT_EQ(Log({"before load", "load docked", "load elsewhere", "tear-offs", "check dock", "load dock",
                   "apply dock", "refresh docked", "refresh floating", "refresh elsewhere", "layout", "after load"}),
              m_log);
}

} // namespace
