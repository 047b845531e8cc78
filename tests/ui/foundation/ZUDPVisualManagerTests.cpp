// The visual manager as a process-wide object: creation on first use,
// replacement by a registered class, what a second or temporary manager
// may and may not do to the active one, and the answers of the base
// manager that callers take as they are.
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

// A look of a derived class, as an application would register one.
class CTestLookManager : public CZUDPVisualManager {
    DECLARE_DYNCREATE(CTestLookManager)
public:
    void ResetColors() override
    {
        CZUDPVisualManager::ResetColors();
        m_colorPlannerBackground = RGB(1, 2, 3);
    }
};
IMPLEMENT_DYNCREATE(CTestLookManager, CZUDPVisualManager)

// A derived class that cannot be created by name.
class CUncreatableLookManager : public CZUDPVisualManager {
    DECLARE_DYNAMIC(CUncreatableLookManager)
};
IMPLEMENT_DYNAMIC(CUncreatableLookManager, CZUDPVisualManager)

namespace {

// Each test starts without an active manager and without a registered
// class, and leaves none behind (the next user makes a fresh one).
class VisualManagerSingleton : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override
    {
        Reset();
        g_uiEnvironment.UpdateSysColors();
    }
    static void Reset()
    {
        delete g_activeVisualManager;
        g_activeVisualManager = nullptr;
        g_visualManagerClass = nullptr;
    }
};

} // namespace

TEST_F(VisualManagerSingleton, FirstUseMakesTheBaseManagerWithRefreshedColours)
{
    {
        // The system's colours changed since the global data last read them.
        ScopedSeam colours(g_foundationSeams.sysColor,
                           [](int index) { return index == COLOR_HIGHLIGHT ? RGB(10, 20, 30) : RGB(200, 200, 200); });
        CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
        ASSERT_NE(nullptr, pManager);
        EXPECT_EQ(RUNTIME_CLASS(CZUDPVisualManager), pManager->GetRuntimeClass());
        EXPECT_EQ(pManager, g_activeVisualManager);
        EXPECT_EQ(RGB(10, 20, 30), g_uiEnvironment.m_colorHighlight);
        EXPECT_EQ(RGB(10, 20, 30), pManager->m_colorSelectionHighlight);
        EXPECT_EQ(0x0000FFFFu, pManager->m_colorPlannerBackground);
        EXPECT_EQ(0x00808080u, pManager->m_colorPlannerGridLine);
        EXPECT_EQ(pManager, CZUDPVisualManager::GetActiveManager());
    }
}

TEST_F(VisualManagerSingleton, FieldsStartAsTheLibraryDocumentsThem)
{
    CZUDPVisualManager* m = CZUDPVisualManager::GetActiveManager();
    EXPECT_FALSE(m->m_look2000);
    EXPECT_EQ(6, m->m_menuShadowDepth);
    EXPECT_FALSE(m->m_flatMenuLook);
    EXPECT_FALSE(m->m_shadowHighlightedImage);
    EXPECT_TRUE(m->m_embossDisabledImage);
    EXPECT_EQ(0, m->m_fadeInactiveImage);
    EXPECT_TRUE(m->m_ditheredCheckedButtons);
    EXPECT_FALSE(m->m_highlightedCheckFrame);
    EXPECT_FALSE(m->m_temporary);
    const int metrics[] = {m->m_tasksPaneVertMargin,           m->m_tasksPaneHorzMargin,
                           m->m_tasksPaneGroupVertOffset,      m->m_tasksPaneGroupCaptionHeight,
                           m->m_tasksPaneGroupCaptionHorzOffset, m->m_tasksPaneGroupCaptionVertOffset,
                           m->m_tasksPaneTasksHorzOffset,      m->m_tasksPaneTasksIconHorzOffset,
                           m->m_tasksPaneTasksIconVertOffset};
    const int expected[] = {12, 12, 15, 25, 13, 7, 12, 5, 4};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(expected[i], metrics[i]) << "task pane metric " << i;
    EXPECT_FALSE(m->m_menuConnectsToButton);
    EXPECT_EQ(2, m->m_popupMenuBorderSize);
    EXPECT_FALSE(m->m_coloredInactiveTabs);
    EXPECT_TRUE(m->m_3dTabHighlight);
    EXPECT_EQ((COLORREF)-1, m->m_colorMenuShadowBase);
    EXPECT_EQ(nullptr, m->m_plannerHatchBrush.GetSafeHandle());
    EXPECT_EQ(CPoint(0, 0), m->m_ribbonImageOffset);
}

TEST_F(VisualManagerSingleton, RegisteredClassIsMadeAndItsColoursSet)
{
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CTestLookManager));
    EXPECT_EQ(RUNTIME_CLASS(CTestLookManager), g_visualManagerClass);
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    ASSERT_TRUE(pManager->IsKindOf(RUNTIME_CLASS(CTestLookManager)));
    // The derived class's own colours, which its constructor cannot set.
    EXPECT_EQ(RGB(1, 2, 3), pManager->m_colorPlannerBackground);

    // Null returns to the base class.
    CZUDPVisualManager::SetDefaultManager(nullptr);
    EXPECT_EQ(nullptr, g_visualManagerClass);
    EXPECT_EQ(RUNTIME_CLASS(CZUDPVisualManager), CZUDPVisualManager::GetActiveManager()->GetRuntimeClass());
}

TEST_F(VisualManagerSingleton, AClassNotDerivedFromTheManagerIsIgnored)
{
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CTestLookManager));
    CZUDPVisualManager* pActive = CZUDPVisualManager::GetActiveManager();
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CZUDPToolBar));
    EXPECT_EQ(pActive, g_activeVisualManager);
    EXPECT_EQ(RUNTIME_CLASS(CTestLookManager), g_visualManagerClass);
}

TEST_F(VisualManagerSingleton, AClassThatCannotBeCreatedFallsBackToTheBaseLook)
{
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CUncreatableLookManager));
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(RUNTIME_CLASS(CZUDPVisualManager), pManager->GetRuntimeClass());
    EXPECT_EQ(pManager, g_activeVisualManager);
}

TEST_F(VisualManagerSingleton, ASecondManagerNeitherReplacesNorOrphansTheActiveOne)
{
    CZUDPVisualManager* pActive = CZUDPVisualManager::GetActiveManager();
    {
        CZUDPVisualManager second(FALSE);
        EXPECT_EQ(pActive, g_activeVisualManager);
    }
    // Destroying the second one leaves the active one in place.
    EXPECT_EQ(pActive, g_activeVisualManager);
    EXPECT_EQ(pActive, CZUDPVisualManager::GetActiveManager());
}

TEST_F(VisualManagerSingleton, ATemporaryManagerNeverBecomesActive)
{
    {
        CZUDPVisualManager temporary(TRUE);
        EXPECT_EQ(nullptr, g_activeVisualManager);
    }
    CZUDPVisualManager* pActive = CZUDPVisualManager::GetActiveManager();
    {
        CZUDPVisualManager temporary(TRUE);
    }
    EXPECT_EQ(pActive, g_activeVisualManager);
}

namespace {

// A library frame that counts the manager-changed notifications it gets.
class CNotifiedFrame : public CZUDPFrameWnd {
public:
    int m_changes = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDM_CHANGEVISUALMANAGER) {
            EXPECT_EQ(0u, wParam);
            EXPECT_EQ(0, lParam);
            // The new manager exists by the time frames hear of it.
            EXPECT_NE(nullptr, g_activeVisualManager);
            ++m_changes;
            return 0;
        }
        return CZUDPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(VisualManagerSingleton, ReplacementTellsEveryLiveFrameAndResetsTheDockingMode)
{
    CNotifiedFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    CNotifiedFrame windowless;  // listed, but has no window to tell
    const DWORD dockMode = CZUDPDockManager::GetGlobalDockMode();
    CZUDPDockManager::SetGlobalDockMode(128, 1);

    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CTestLookManager));
    EXPECT_EQ(1, frame.m_changes);
    CZUDPVisualManager::SetDefaultManager(nullptr);
    EXPECT_EQ(2, frame.m_changes);
    EXPECT_EQ(0, windowless.m_changes);
    EXPECT_EQ(2u, CZUDPDockManager::GetGlobalDockMode());

    // An ignored class tells no one.
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CZUDPToolBar));
    EXPECT_EQ(2, frame.m_changes);
    frame.DestroyWindow();
    CZUDPDockManager::SetGlobalDockMode(dockMode, 0);
}

TEST_F(VisualManagerSingleton, OnlyANonTemporaryManagerResetsTheDockingOptions)
{
    struct Row {
        BOOL temporary;
        BOOL captionMenuButton, rebuildSmartDocking, autoHideActiveTextOnly;
    } rows[] = {{TRUE, TRUE, FALSE, FALSE}, {FALSE, FALSE, TRUE, TRUE}};
    for (const Row& row : rows) {
        g_paneCaptionMenuButton = TRUE;
        g_rebuildSmartDocking = FALSE;
        g_autoHideActiveTextOnly = FALSE;
        CZUDPVisualManager manager(row.temporary);
        EXPECT_EQ(row.captionMenuButton, g_paneCaptionMenuButton) << row.temporary;
        EXPECT_EQ(row.rebuildSmartDocking, g_rebuildSmartDocking) << row.temporary;
        EXPECT_EQ(row.autoHideActiveTextOnly, g_autoHideActiveTextOnly) << row.temporary;
    }
}

TEST_F(VisualManagerSingleton, TheManagerIsCreatableByName)
{
    CObject* pObject = CRuntimeClass::CreateObject("CZUDPVisualManager");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CZUDPWinXPThemeManager)));
    // Made by name it is an ordinary (non-temporary) manager.
    EXPECT_EQ(pObject, g_activeVisualManager);
    delete pObject;
    EXPECT_EQ(nullptr, g_activeVisualManager);
}

TEST_F(VisualManagerSingleton, Look2000IsStoredOnTheActiveManager)
{
    CZUDPVisualManager::SetLook2000Style(TRUE);
    EXPECT_TRUE(CZUDPVisualManager::GetActiveManager()->m_look2000);
    EXPECT_TRUE(CZUDPVisualManager::IsLook2000());
    CZUDPVisualManager::SetLook2000Style(FALSE);
    EXPECT_FALSE(CZUDPVisualManager::IsLook2000());
}

// ---------------------------------------------------------------------------
// The base manager's answers to the queries that draw nothing.  Callers of
// every subsystem take them as they are (some by position in the virtual
// table), so each is pinned here.  The system colours are all different,
// so an answer in the wrong colour shows.

namespace {

COLORREF DistinctSysColor(int index) { return RGB(3 * index + 1, 5 * index + 2, 7 * index + 3); }

class VisualManagerBaseAnswers : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_colours.emplace(g_foundationSeams.sysColor, DistinctSysColor);
        g_uiEnvironment.UpdateSysColors();
    }
    void TearDown() override
    {
        m_colours.reset();
        g_uiEnvironment.UpdateSysColors();
    }

    std::optional<ScopedSeam<COLORREF(int)>> m_colours;
    CZUDPVisualManager m_manager{TRUE};
};

} // namespace

TEST_F(VisualManagerBaseAnswers, QueriesAnswerTheBaseValues)
{
    CZUDPVisualManager& m = m_manager;
    const CZUDPUIEnvironment& g = g_uiEnvironment;
    const long long none = (long long)(COLORREF)-1;
    struct Row {
        const char* query;
        std::function<long long()> answer;
        long long expected;
    } rows[] = {
        {"QueryGeneralOption", [&] { return m.QueryGeneralOption(); }, FALSE},
        {"UsesBarBackgroundForControls", [&] { return m.UsesBarBackgroundForControls(); }, FALSE},
        {"HighlightsFullMenuRow", [&] { return m.HighlightsFullMenuRow(); }, FALSE},
        {"GetMenuButtonArrowVariant", [&] { return m.GetMenuButtonArrowVariant(nullptr, TRUE, TRUE); }, 0},
        {"SuppressCheckedItemFrame", [&] { return m.SuppressCheckedItemFrame(); }, FALSE},
        {"GetImageDrawColor", [&] { return m.GetImageDrawColor(); }, none},
        {"HasToolbarWindowRegion", [&] { return m.HasToolbarWindowRegion(nullptr); }, FALSE},
        {"GetDisabledImageFaceColor", [&] { return m.GetDisabledImageFaceColor(); }, g.m_colorBarFace},
        {"GetDisabledTextColor", [&] { return m.GetDisabledTextColor(); }, g.m_colorGrayText},
        {"GetDockingBarCaptionExtraHeight", [&] { return m.GetDockingBarCaptionExtraHeight(); }, 0},
        {"GetCaptionBarMessageMargin", [&] { return m.GetCaptionBarMessageMargin(); }, 4},
        {"IsActiveTabAreaFramed", [&] { return m.IsActiveTabAreaFramed(); }, FALSE},
        {"IsTabAreaFramed", [&] { return m.IsTabAreaFramed(); }, FALSE},
        {"GetTabTextColor", [&] { return m.GetTabTextColor(nullptr, 0, TRUE); }, none},
        {"QueryTabWindowOption", [&] { return m.QueryTabWindowOption(nullptr); }, FALSE},
        {"GetTabHorizontalMargin", [&] { return m.GetTabHorizontalMargin(nullptr); }, 2},
        {"GetDefaultMDITabsStyle", [&] { return m.GetDefaultMDITabsStyle(); }, -1},
        {"QueryMDITabsOption", [&] { return m.QueryMDITabsOption(); }, TRUE},
        {"GetTabbedBarTabStyle", [&] { return m.GetTabbedBarTabStyle(); }, -1},
        {"UsesTabbedBarTabOption", [&] { return m.UsesTabbedBarTabOption(); }, TRUE},
        {"HasTabWndCustomFrame", [&] { return m.HasTabWndCustomFrame(nullptr); }, FALSE},
        {"GetTabMetricOverride", [&] { return m.GetTabMetricOverride(nullptr, nullptr); }, -1},
        {"GetButtonExtraSize", [&] { return m.GetButtonExtraSize() == CSize(0, 0); }, TRUE},
        {"GetCaptionButtonExtraSize", [&] { return m.GetCaptionButtonExtraSize() == CSize(0, 0); }, TRUE},
        {"DrawListItemOverride",
         [&] { return m.DrawListItemOverride(nullptr, nullptr, 0, 0, CRect(), TRUE, TRUE, 0); }, FALSE},
        {"GetControlTextColorOverride", [&] { return m.GetControlTextColorOverride(); }, none},
        {"GetHotLinkColor", [&] { return m.GetHotLinkColor(nullptr); }, g.m_colorHotLinkHovered},
        {"GetCheckBoxSize cx",
         [&] { return m.GetCheckBoxSize().cx; }, ::GetSystemMetrics(SM_CXMENUCHECK) + 1},
        {"GetCheckBoxSize cy",
         [&] { return m.GetCheckBoxSize().cy; }, ::GetSystemMetrics(SM_CYMENUCHECK) + 1},
        {"QueryAutoHideLayoutOption", [&] { return m.QueryAutoHideLayoutOption(); }, FALSE},
        {"GetAutoHideButtonTextColor", [&] { return m.GetAutoHideButtonTextColor(nullptr); }, g.m_colorBarText},
        {"DrawPushButtonFace", [&] { return m.DrawPushButtonFace(nullptr, nullptr, CRect(), 0); }, FALSE},
        {"DrawControlPartOverride", [&] { return m.DrawControlPartOverride(); }, FALSE},
        {"DrawControlBorderOverride", [&] { return m.DrawControlBorderOverride(); }, FALSE},
        {"GetItemTextColor", [&] { return m.GetItemTextColor(); }, g.m_colorWindowText},
        {"GetSmartDockingHighlightColor", [&] { return m.GetSmartDockingHighlightColor(); }, g.m_colorActiveCaption},
        {"GetSmartDockingStyle", [&] { return m.GetSmartDockingStyle(); }, 1},
        {"QueryPanelWindowOption", [&] { return m.QueryPanelWindowOption(); }, FALSE},
        {"GetPlannerCellColor", [&] { return m.GetPlannerCellColor(nullptr, TRUE, TRUE, 0xFF); }, 0xFF000000},
        {"GetPlannerGridLineColor", [&] { return m.GetPlannerGridLineColor(nullptr, TRUE, FALSE); }, 0x00808080},
        {"GetPlannerStyleOption", [&] { return m.GetPlannerStyleOption(); }, 0},
        {"QueryPlannerOption", [&] { return m.QueryPlannerOption(); }, FALSE},
        {"GetPlannerDefaultBackColor", [&] { return m.GetPlannerDefaultBackColor(); }, 0x0000FFFF},
        {"GetPlannerSelectionColor", [&] { return m.GetPlannerSelectionColor(nullptr); }, g.m_colorHighlight},
        {"GetPlannerFrameColor", [&] { return m.GetPlannerFrameColor(nullptr); }, g.m_colorWindowFrame},
        {"GetGridGroupLineColor", [&] { return m.GetGridGroupLineColor(); }, g.m_colorBarText},
        {"QueryGridOption", [&] { return m.QueryGridOption(); }, TRUE},
        {"GetGridLineColor", [&] { return m.GetGridLineColor(); }, g.m_colorLight},
        {"GetGanttHeaderTextColor hot", [&] { return m.GetGanttHeaderTextColor(TRUE); }, g.m_colorHotLink},
        {"GetGanttHeaderTextColor", [&] { return m.GetGanttHeaderTextColor(FALSE); }, g.m_colorWindowText},
        {"UsesCustomCaption", [&] { return m.UsesCustomCaption(); }, FALSE},
        {"GetCaptionButtonAt", [&] { return m.GetCaptionButtonAt(nullptr, CPoint(1, 1)) == nullptr; }, TRUE},
        {"DrawCustomFrameNonClient", [&] { return m.DrawCustomFrameNonClient(nullptr, nullptr); }, FALSE},
        {"GetNonClientMargin", [&] { return m.GetNonClientMargin(nullptr) == CSize(0, 0); }, TRUE},
        {"DrawCustomCaption", [&] { return m.DrawCustomCaption(nullptr, nullptr, TRUE, CRect()); }, 0},
        {"FillMDIClientBackground", [&] { return m.FillMDIClientBackground(nullptr, nullptr, CRect()); }, FALSE},
        {"GetRibbonControlBackColor hot", [&] { return m.GetRibbonControlBackColor(TRUE, FALSE); }, g.m_colorWindow},
        {"GetRibbonControlBackColor hot disabled",
         [&] { return m.GetRibbonControlBackColor(TRUE, TRUE); }, g.m_colorBarFace},
        {"GetRibbonControlBackColor", [&] { return m.GetRibbonControlBackColor(FALSE, FALSE); }, g.m_colorBarFace},
        {"QueryRibbonCaptionOption", [&] { return m.QueryRibbonCaptionOption(); }, FALSE},
        {"QueryRibbonFrameOption", [&] { return m.QueryRibbonFrameOption(); }, FALSE},
        {"GetRibbonDisabledTextColor disabled", [&] { return m.GetRibbonDisabledTextColor(TRUE); }, g.m_colorGrayText},
        {"GetRibbonDisabledTextColor", [&] { return m.GetRibbonDisabledTextColor(FALSE); }, none},
        {"GetRibbonOptionalColor", [&] { return m.GetRibbonOptionalColor(); }, none},
        {"GetRibbonPanelMenuBorderSize", [&] { return m.GetRibbonPanelMenuBorderSize(nullptr); }, 2},
        {"QueryRibbonOption", [&] { return m.QueryRibbonOption(); }, FALSE},
        {"GetRibbonElementTextColor", [&] { return m.GetRibbonElementTextColor(); }, g.m_colorBarText},
        {"GetRibbonPanelSpacing", [&] { return m.GetRibbonPanelSpacing(nullptr); }, 2},
        {"QueryGlassOption", [&] { return m.QueryGlassOption(); }, FALSE},
        {"UsesCustomScrollBars", [&] { return m.UsesCustomScrollBars(); }, FALSE},
        {"DrawPushButtonFrame", [&] { return m.DrawPushButtonFrame(nullptr, nullptr, CRect(), 0); }, FALSE},
        {"GetLinkTextColor hovered", [&] { return m.GetLinkTextColor(TRUE); }, g.m_colorHotLinkHovered},
        {"GetLinkTextColor", [&] { return m.GetLinkTextColor(FALSE); }, g.m_colorHotLink},
        {"GetMenuImageMargin", [&] { return m.GetMenuImageMargin(); }, 2},
        {"GetMenuShadowDepth", [&] { return m.GetMenuShadowDepth(); }, none},
        {"GetMenuPopupOffset", [&] { return m.GetMenuPopupOffset(); }, 1},
        {"KeepsCustomizeOption", [&] { return m.KeepsCustomizeOption(); }, TRUE},
        {"GetChevronArrowStyle", [&] { return m.GetChevronArrowStyle(); }, 2},
        {"ShiftsPressedBrowseImage", [&] { return m.ShiftsPressedBrowseImage(); }, TRUE},
        {"ConnectsMenuToButton", [&] { return m.ConnectsMenuToButton(); }, FALSE},
        {"GetPopupMenuBorderSize", [&] { return m.GetPopupMenuBorderSize(); }, 2},
        {"EmbossesDisabledButtonText", [&] { return m.EmbossesDisabledButtonText(); }, TRUE},
        {"GetDialogBackgroundBrush",
         [&] { return m.GetDialogBackgroundBrush(nullptr).GetSafeHandle() == g.m_brushBarFace.GetSafeHandle(); },
         TRUE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, row.answer()) << row.query;
}

TEST_F(VisualManagerBaseAnswers, RecordsFilledByTheBaseManager)
{
    CRect margins(9, 9, 9, 9);
    m_manager.GetMenuTextMargins(margins);
    EXPECT_EQ(CRect(2, 1, 0, 2), margins);

    COLORREF text = 0, back = 0;
    CBrush& brush = m_manager.GetEditBoxColors(nullptr, text, back);
    EXPECT_EQ(g_uiEnvironment.m_colorWindowText, text);
    EXPECT_EQ(g_uiEnvironment.m_colorWindow, back);
    EXPECT_EQ(g_uiEnvironment.m_brushWindow.GetSafeHandle(), brush.GetSafeHandle());

    COLORREF face = 0, shadow = 0;
    m_manager.GetSmartDockingColors(face, shadow);
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, face);
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, shadow);

    ZUDP_TOOLTIP_PARAMS params;
    for (int& value : params.values)
        value = 77;
    EXPECT_TRUE(m_manager.GetToolTipParams(params, TIPKIND_TOOLBAR));
    const int expected[13] = {0, 1, 1, 200, 0, 1, -1, -1, -1, -1, -1, 0, 0};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(expected[i], params.values[i]) << "value " << i;
}

TEST_F(VisualManagerBaseAnswers, PlannerPaintStateIsClearedAndTheModeStored)
{
    m_manager.m_plannerPaintState[0] = 5;
    m_manager.m_plannerPaintState[1] = 6;
    m_manager.ResetPlannerDrawState(nullptr, nullptr);
    EXPECT_EQ(0, m_manager.m_plannerPaintState[0]);
    EXPECT_EQ(0, m_manager.m_plannerPaintState[1]);
    m_manager.SetPlannerDrawMode(3);
    EXPECT_EQ(3, m_manager.m_plannerDrawMode);
}
