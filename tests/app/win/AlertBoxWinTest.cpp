// The message boxes the program shows outside its own windows' handlers
// are the framework's, captioned with the application's name.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Discovery.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "tests/common/MessagePumpWin.h"

TEST(AlertBox, TheStartUpBroadcastsMessageIsCaptionedWithTheApplicationsName)
{
    trovtest::InitFrameworkForTests();
    struct Shown {
        std::string text;
        bool captioned;
        std::string caption;
        UINT type;
    };
    std::vector<Shown> shown;
    ScopedSeam box(g_frameworkSeams.messageBox, [&](HWND, const char* text, const char* caption, UINT type) {
        shown.push_back({text ? text : "", caption != nullptr, caption ? caption : "", type});
        return IDOK;
    });
    DiscoveryAlertBox("Broadcast error 10050");
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Broadcast error 10050", shown[0].text);
    ASSERT_TRUE(shown[0].captioned);
    EXPECT_EQ(std::string(AfxGetAppName()), shown[0].caption);
    EXPECT_EQ((UINT)MB_OK, shown[0].type & 0xF);
}
