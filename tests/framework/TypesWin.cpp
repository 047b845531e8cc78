// On Windows the framework's base types are the system headers' own, so
// both can be included in either order.
#include "framework/Types.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <type_traits>

#include "framework/Types.h"

TEST(Types, SameTypesAsWindowsHeaders)
{
    static_assert(std::is_same<DWORD, unsigned long>::value, "");
    static_assert(std::is_same<LONG, long>::value, "");
    static_assert(std::is_same<INT_PTR, long long>::value, "");
    EXPECT_EQ(MAKELONG(1, 2), 0x20001);
}
