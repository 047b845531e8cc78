// The library's start-up: global UI data ready before any test runs,
// registered messages equal across processes, runtime classes creatable by
// name, failures reported once.
#include "ui/foundation/ZUDPStartup.h"

#include "framework/Archive.h"
#include "framework/File.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

TEST(StartupTest, GlobalUIDataIsBuiltBeforeMain)
{
    EXPECT_NE(nullptr, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    EXPECT_NE(nullptr, g_uiEnvironment.m_brushButtonFace.GetSafeHandle());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), g_uiEnvironment.m_colorButtonFace);
    EXPECT_GT(g_uiEnvironment.m_textHeight, 0);
    EXPECT_EQ(32, g_uiEnvironment.m_bitsPerPixel);
    EXPECT_FALSE(g_uiEnvironment.IsDwmCompositionEnabled());
    EXPECT_EQ(-1, g_uiEnvironment.m_maxTooltipWidth);
    EXPECT_EQ(50, g_uiEnvironment.m_dockingPercent);
}

TEST(StartupTest, EveryMessageIsRegisteredUnderItsOwnName)
{
    ASSERT_EQ(84, g_registeredMessageCount);
    std::set<std::string> names;
    std::set<UINT> values;
    for (int i = 0; i < g_registeredMessageCount; ++i) {
        const ZUDPRegisteredMessage& m = g_registeredMessages[i];
        EXPECT_GE(*m.value, 0xC000u) << m.name;
        EXPECT_EQ(::RegisterWindowMessageA(m.name), *m.value) << m.name;
        names.insert(m.name);
        values.insert(*m.value);
    }
    EXPECT_EQ(84u, names.size());
    EXPECT_EQ(84u, values.size());
    EXPECT_EQ(1u, names.count("ZUDTOOLBAR_RESETKEYBAORD"));
    EXPECT_EQ(1u, names.count("ZUDTOOLBAR__GETDOCUMENTCOLORS"));
    EXPECT_EQ(::RegisterWindowMessageA("ZUDM_UPDATETOOLTIPS"), ZUDM_UPDATETOOLTIPS);
}

TEST(StartupTest, AnotherProcessGetsTheSameMessageValues)
{
    // The probe program is built next to this test program.
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder.erase(folder.find_last_of("\\/") + 1);
    std::string command = "\"" + folder + "trov_ui_message_probe.exe\"";
    FILE* pipe = _popen(command.c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    std::map<std::string, UINT> other;
    char line[256];
    while (std::fgets(line, sizeof(line), pipe)) {
        char name[128];
        unsigned value = 0;
        if (std::sscanf(line, "%127[^=]=%u", name, &value) == 2)
            other[name] = value;
    }
    EXPECT_EQ(0, _pclose(pipe));
    ASSERT_EQ(84u, other.size());
    for (int i = 0; i < g_registeredMessageCount; ++i)
        EXPECT_EQ(*g_registeredMessages[i].value, other[g_registeredMessages[i].name]) << g_registeredMessages[i].name;
}

// The library's serializable classes by schema.  Classes of subsystems not
// built yet are expected to be missing; each subsystem's issue flips its
// rows as it lands.
TEST(StartupTest, RuntimeClassesAreRegisteredByName)
{
    const UINT V = VERSIONABLE_SCHEMA;
    struct Row {
        const char* name;
        UINT schema;
        bool built;
    } rows[] = {
        {"CZUDPToolBar", V | 1, true}, {"CZUDPToolbarButton", V | 1, true}, {"CZUDPPopupMenu", V | 1, true},
        {"CZUDPUserTool", V | 1, true}, {"CZUDPToolbarMenuButton", V | 1, true}, {"CCustomizeButton", V | 1, true},
        {"CZUDPHelpComboBoxButton", V | 1, true}, {"CZUDPMenuBar", V | 1, true},
        {"CZUDPToolbarSystemMenuButton", V | 1, true}, {"CZUDPDropDownFrame", V | 1, true},
        {"CZUDPDropDownToolbarButton", V | 1, true}, {"CZUDPDialogBar", V | 1, true}, {"CZUDPTasksPane", V | 1, true},
        {"CZUDPAppointment", V | 1, true}, {"CZUDPColorMenuButton", V | 1, true},
        {"CZUDPAppointmentBaseProperty", V | 1, true}, {"CZUDPAppointmentProperty", V | 1, true},
        {"CZUDPAppointmentPropertyImages", V | 1, true}, {"CZUDPAppointmentPropertyList", V | 1, true},
        {"CZUDPRecurrence", V | 1, true}, {"CZUDPCalendarMenuButton", V | 1, true},
        {"CZUDPMiniFrameWnd", V | 2, true}, {"CZUDPDockingControlBar", V | 2, true},
        {"CZUDPMultiMiniFrameWnd", V | 2, true}, {"CZUDPTabbedControlBar", V | 2, true}, {"CZUDPAppBarWnd", V | 2, true},
        {"CZUDPDockingCBWrapper", V | 2, true}, {"CZUDPTabbedToolbar", V | 2, true},
        {"CZUDPOutlookBarDockingPane", V | 2, false}, {"CZUDPTaskPaneMiniFrameWnd", V | 2, false},
        {"CZUDPRecurrenceBaseRule", V | 2, true}, {"CZUDPRecurrenceRuleDaily", V | 2, true},
        {"CZUDPRecurrenceRuleMonthly", V | 2, true}, {"CZUDPRecurrenceRuleWeekly", V | 2, true},
        {"CZUDPRecurrenceRuleYearly", V | 2, true}, {"CZUDPMouseManager", 1, true}, {"CZUDPPopupMenuBar", 1, true},
        {"CZUDPDropDownToolBar", 1, true}, {"CZUDPOutlookBar", 1, false}, {"CZUDPOutlookBarPane", 1, true},
        {"CZUDPOutlookButton", 1, true}, {"CZUDPCalculator", 1, true}, {"CCalculatorButton", 1, true},
        {"CCalculatorDisplay", 1, true}, {"CZUDPToolbarComboBoxButton", 1, true}, {"CZUDPColorBar", 1, true},
        {"CZUDPToolBarColorButton", 1, true}, {"CZUDPGanttItem", 1, true}, {"CZUDPGanttItemStorageBase", 1, true},
        {"CZUDPTasksPaneHistoryButton", 1, false}, {"CZUDPTasksPaneMenuButton", 1, false},
        {"CZUDPTasksPaneNavigateButton", 1, false}, {"CZUDPTasksPaneToolBar", 1, false}, {"CZUDPCalendarBar", 1, true},
        {"CZUDPToolbarEditBoxButton", 1, true}, {"CZUDPToolbarFontCombo", 1, true},
        {"CZUDPToolbarFontSizeCombo", 1, true},
    };
    ASSERT_EQ(57u, sizeof(rows) / sizeof(rows[0]));
    int built = 0;
    for (const Row& row : rows) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(row.name);
        if (!row.built) {
            EXPECT_EQ(nullptr, pClass) << row.name << " is registered now: mark its row built";
            continue;
        }
        ++built;
        ASSERT_NE(nullptr, pClass) << row.name;
        EXPECT_EQ(row.schema, pClass->m_wSchema) << row.name;
        CObject* pObject = pClass->CreateObject();
        ASSERT_NE(nullptr, pObject) << row.name;
        EXPECT_TRUE(pObject->IsKindOf(pClass));
        delete pObject;
    }
    // The start-up tables (the library's and the planner's archived
    // classes) name exactly the classes built so far.
    EXPECT_EQ(built, g_libraryClassCount + g_libraryPlannerClassCount);
}

TEST(StartupTest, AnArchiveNamingAClassCreatesItByName)
{
    // Written through the class's runtime information only, as a saved
    // layout would hold it; read back without naming the class in code.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CObject* pObject = CRuntimeClass::CreateObject("CZUDPMiniFrameWnd");
        ASSERT_NE(nullptr, pObject);
        ar.WriteObject(pObject);
        ar.Close();
        delete pObject;
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* pLoaded = ar.ReadObject(nullptr);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_STREQ("CZUDPMiniFrameWnd", pLoaded->GetRuntimeClass()->m_lpszClassName);
    delete pLoaded;
}

TEST(StartupTest, AFailureIsReportedOncePerFeature)
{
    int before = GetStartupFailureCount();
    EXPECT_TRUE(ReportStartupFailure("test feature"));
    EXPECT_FALSE(ReportStartupFailure("test feature"));
    EXPECT_EQ(before + 1, GetStartupFailureCount());
}

} // namespace
