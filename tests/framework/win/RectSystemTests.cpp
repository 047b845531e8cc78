// The framework's rectangle arithmetic gives the system's answers: every
// pair of a small set of rectangles (overlapping, touching, nested, empty,
// reversed) through both.
#include "framework/win/FrameworkWin.h"

#include <gtest/gtest.h>

namespace {

const RECT kRects[] = {
    {0, 0, 10, 10}, {5, 5, 15, 15},  {10, 0, 20, 10}, {2, 2, 4, 4},    {-1, 3, 11, 6},
    {0, 0, 0, 0},   {3, 3, 3, 8},    {8, 8, 2, 2},    {-10, -10, 0, 0}, {0, -5, 10, 5},
};

TEST(RectSystemTest, CombinationsMatchTheSystem)
{
    for (const RECT& a : kRects) {
        for (const RECT& b : kRects) {
            RECT mine, system;
            EXPECT_EQ(::IntersectRect(&system, &a, &b), RectMath::IntersectRect(&mine, &a, &b));
            EXPECT_TRUE(::EqualRect(&system, &mine));
            EXPECT_EQ(::UnionRect(&system, &a, &b), RectMath::UnionRect(&mine, &a, &b));
            EXPECT_TRUE(::EqualRect(&system, &mine));
            EXPECT_EQ(::SubtractRect(&system, &a, &b), RectMath::SubtractRect(&mine, &a, &b));
            EXPECT_TRUE(::EqualRect(&system, &mine))
                << a.left << "," << a.top << "," << a.right << "," << a.bottom << " - " << b.left << "," << b.top
                << "," << b.right << "," << b.bottom;
            EXPECT_EQ(::IsRectEmpty(&a) != FALSE, RectMath::IsRectEmpty(&a) != FALSE);
            for (const POINT point : {POINT{b.left, b.top}, POINT{b.right, b.bottom}, POINT{b.left, b.bottom}})
                EXPECT_EQ(::PtInRect(&a, point) != FALSE, RectMath::PtInRect(&a, point) != FALSE);
        }
    }
}

TEST(RectSystemTest, ScalingMatchesTheSystem)
{
    const int values[] = {0, 1, -1, 5, -5, 7, 96, 120, 2000000000, -2000000000};
    for (int value : values)
        for (int multiplier : values)
            for (int divisor : values)
                EXPECT_EQ(::MulDiv(value, multiplier, divisor), RectMath::MulDiv(value, multiplier, divisor))
                    << value << "*" << multiplier << "/" << divisor;
}

} // namespace
