// The base types keep the Windows sizes on both sides of the build.
#include <gtest/gtest.h>

#include <type_traits>

#include "framework/Types.h"

TEST(Types, SizesMatchWindows)
{
    static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4, "");
    static_assert(sizeof(LONG) == 4 && sizeof(ULONG) == 4 && sizeof(UINT) == 4 && sizeof(BOOL) == 4, "");
    static_assert(sizeof(LONGLONG) == 8 && sizeof(ULONGLONG) == 8, "");
    static_assert(sizeof(INT_PTR) == sizeof(void*) && sizeof(UINT_PTR) == sizeof(void*), "");
    static_assert(sizeof(LONG_PTR) == sizeof(void*) && sizeof(DWORD_PTR) == sizeof(void*), "");
    static_assert(std::is_signed<LONG>::value && std::is_unsigned<DWORD>::value, "");
    static_assert(std::is_same<TCHAR, char>::value, "");
    EXPECT_EQ(0x1234, MAKEWORD(0x34, 0x12));
    EXPECT_EQ(0x12345678, MAKELONG(0x5678, 0x1234));
    EXPECT_EQ(0x5678, LOWORD(0x12345678));
    EXPECT_EQ(0x1234, HIWORD(0x12345678));
    EXPECT_EQ(0x34, LOBYTE(0x1234));
    EXPECT_EQ(0x12, HIBYTE(0x1234));
    EXPECT_STREQ("x", _T("x"));
}
