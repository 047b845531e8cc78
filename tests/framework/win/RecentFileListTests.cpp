// The recent-file list: newest first without repeats, the display names
// menus show, and the list kept in the application's profile.
#include "framework/win/RecentFileList.h"
#include "framework/win/WinApp.h"

#include "tests/common/MessagePumpWin.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentFileListTest, DisplayNamesLeaveOutTheCurrentFolderAndShortenLongPaths)
{
    struct Case {
        const char* path;
        int maxLength;
        BOOL atLeastName;
        const char* shown; // "" = no name (FALSE)
    };
    const char* curDir = "C:\\work\\";
    const Case cases[] = {
        {"C:\\work\\plant.lmx", 30, TRUE, "plant.lmx"},
        {"c:\\WORK\\plant.lmx", 30, TRUE, "plant.lmx"},              // the system's paths ignore case
        {"C:\\work\\old\\plant.lmx", 30, TRUE, "C:\\work\\old\\plant.lmx"}, // a subfolder keeps its path
        {"C:\\workshop\\plant.lmx", 30, TRUE, "C:\\workshop\\plant.lmx"},
        {"C:\\projects\\line 4\\cells\\plant.lmx", 24, TRUE, "C:\\...\\cells\\plant.lmx"},
        {"\\\\server\\share\\deep\\folder\\plant.lmx", 30, TRUE, "\\\\server\\share\\...\\plant.lmx"},
        {"C:\\projects\\a-very-long-application-name.lmx", 20, TRUE, "a-very-long-application-name.lmx"},
        {"C:\\projects\\a-very-long-application-name.lmx", 20, FALSE, ""},
        {"C:\\projects\\line 4\\cells\\plant.lmx", -1, TRUE, "C:\\projects\\line 4\\cells\\plant.lmx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4, c.maxLength);
        list[0] = c.path;
        CString shown("stale");
        EXPECT_EQ(*c.shown != '\0', list.GetDisplayName(shown, 0, curDir, int(strlen(curDir)), c.atLeastName));
        EXPECT_STREQ(c.shown, shown);
    }
}

TEST(RecentFileListTest, FreePlacesAndIndexesOutsideTheListHaveNoName)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 2);
    list[0] = "C:\\work\\plant.lmx";
    CString shown;
    for (int index : {1, 2, -1, 100}) {
        EXPECT_FALSE(list.GetDisplayName(shown, index, nullptr, 0));
        EXPECT_TRUE(shown.IsEmpty());
    }
    EXPECT_TRUE(list.GetDisplayName(shown, 0, nullptr, 0));
}

TEST(RecentFileListTest, AddPutsTheFileFirstWithoutRepeatsAndDropsTheOldest)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 3);
    list.Add("C:\\a.lmx");
    list.Add("C:\\b.lmx");
    list.Add("C:\\c.lmx");
    list.Add("c:\\A.LMX"); // listed already: moves up, nothing drops off
    EXPECT_STREQ("c:\\A.LMX", list[0]);
    EXPECT_STREQ("C:\\c.lmx", list[1]);
    EXPECT_STREQ("C:\\b.lmx", list[2]);
    list.Add("C:\\d.lmx");
    EXPECT_STREQ("C:\\d.lmx", list[0]);
    EXPECT_STREQ("C:\\c.lmx", list[2]);
    list.Remove(0);
    EXPECT_STREQ("c:\\A.LMX", list[0]);
    EXPECT_STREQ("", list[2]);
    list.Remove(7); // outside: nothing
    EXPECT_STREQ("c:\\A.LMX", list[0]);
}

TEST(RecentFileListTest, TheListIsKeptInTheProfile)
{
    trovtest::InitFrameworkForTests();
    trovtest::TempDir dir;
    const std::string ini = trovtest::Backslashed(dir.File("recent.ini"));
    CWinApp app("Recent files test");
    app.m_pszProfileName = _strdup(ini.c_str());

    app.LoadStdProfileSettings(3);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    EXPECT_EQ(3, app.m_pRecentFileList->GetSize());
    EXPECT_EQ(UINT(ID_FILE_MRU_FILE1), app.m_pRecentFileList->m_nStart);
    app.AddToRecentFileList("C:\\one.lmx");
    app.AddToRecentFileList("C:\\two.lmx");
    app.m_pRecentFileList->WriteList();

    app.LoadStdProfileSettings(3);
    EXPECT_STREQ("C:\\two.lmx", (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ("C:\\one.lmx", (*app.m_pRecentFileList)[1]);
    EXPECT_STREQ("", (*app.m_pRecentFileList)[2]);

    // A shorter list leaves no stale entry behind.
    app.m_pRecentFileList->Remove(0);
    app.m_pRecentFileList->WriteList();
    char value[64];
    ::GetPrivateProfileStringA("Recent File List", "File2", "none", value, sizeof(value), ini.c_str());
    EXPECT_STREQ("none", value);

    app.LoadStdProfileSettings(0);
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
}

} // namespace
