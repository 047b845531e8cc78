// A file that includes <windows.h> before the framework sees the same
// classes as one that does not (names the Windows headers turn into macros).
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Framework.h"

TEST(HeaderOrder, StringWorksAfterWindowsHeaders)
{
    CString s("keep");
    EXPECT_FALSE(s.LoadString(0xFFF0));
    EXPECT_TRUE(s == "keep");
    DWORD d = 5;
    LONG l = -1;
    EXPECT_EQ(5u, d);
    EXPECT_EQ(-1, l);
}
