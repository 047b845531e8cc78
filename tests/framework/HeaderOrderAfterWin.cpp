// The framework included before <windows.h>: the renamed members (LoadString,
// FindNextFile, GetFileTitle, GetCurrentTime) keep working after it.
#include "framework/Framework.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(HeaderOrder, RenamedMembersWorkWhenWindowsHeadersComeLater)
{
    CString s("keep");
    EXPECT_FALSE(s.LoadString(0xFFF0));
    EXPECT_GT(CTime::GetCurrentTime().GetTime(), 0);
    CFileFind finder;
    EXPECT_FALSE(finder.FindNextFile());
    CFile file;
    EXPECT_TRUE(file.GetFileTitle().IsEmpty());
    EXPECT_GT(::GetTickCount(), 0u);
}
