// The workspace: single instance, shell manager ownership and the registry
// section path.
#include "ui/foundation/ZUDPWorkspace.h"
#include "ui/foundation/ZUDPShellManager.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

namespace {

class CTestApp : public CWinApp, public CZUDPWorkspace {
public:
    CTestApp() : CWinApp("TestApp") {}
};

TEST(ZUDPWorkspaceTest, CreatesTheShellManagerOnceAndDeletesWhatItOwns)
{
    trovtest::InitFrameworkForTests();
    ASSERT_EQ(nullptr, g_shellManager);
    {
        CTestApp app;
        EXPECT_EQ(static_cast<CZUDPWorkspace*>(&app), GetWorkspaceInstance());
        EXPECT_TRUE(app.CreateShellManager());
        EXPECT_NE(nullptr, g_shellManager);
        EXPECT_FALSE(app.CreateShellManager());
    }
    EXPECT_EQ(nullptr, g_shellManager);
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
