// The shapes of tabs, point by point.
#include "ui/foundation/ZUDPTabOutline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<CPoint> Points(std::initializer_list<std::pair<int, int>> list)
{
    std::vector<CPoint> points;
    for (const auto& p : list)
        points.push_back(CPoint(p.first, p.second));
    return points;
}

::testing::AssertionResult SamePoints(const std::vector<CPoint>& expected, const std::vector<CPoint>& actual)
{
    std::string text;
    for (const CPoint& p : actual)
        text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ") ";
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << expected.size() << " points expected, got " << text;
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i].x != actual[i].x || expected[i].y != actual[i].y)
            return ::testing::AssertionFailure() << "point " << i << " differs: " << text;
    return ::testing::AssertionSuccess();
}

TEST(TabOutlineTest, FlatTrapezoidSlantsByHalfTheRowHeight)
{
    POINT points[4];
    CRect content;
    GetFlatTabOutline(CRect(0, 20, 60, 30), 10, TRUE, points, content);
    EXPECT_TRUE(SamePoints(Points({{5, 21}, {0, 30}, {60, 30}, {55, 21}}),
                           std::vector<CPoint>(points, points + 4)));
    EXPECT_EQ(CRect(2, 21, 60, 30), content);

    GetFlatTabOutline(CRect(0, 20, 60, 30), 10, FALSE, points, content);
    EXPECT_TRUE(SamePoints(Points({{0, 20}, {5, 29}, {55, 29}, {60, 20}}),
                           std::vector<CPoint>(points, points + 4)));
    EXPECT_EQ(CRect(0, 20, 60, 29), content);
}

TEST(TabOutlineTest, RoundedOutlineStepsInwardsAndMirrorsForTabsOnTop)
{
    struct Case {
        BOOL onTop;
        std::vector<CPoint> points;
        int contentLeft, contentRight;
    } cases[] = {
        {FALSE,
         Points({{0, 0}, {0, 2}, {1, 2}, {1, 4}, {2, 4}, {2, 6}, {3, 6}, {4, 7}, {4, 7}, {5, 8}, {5, 8}, {6, 9},
                 {6, 9}, {8, 9}, {8, 10}, {32, 10}, {33, 9}, {35, 9}, {34, 9}, {35, 8}, {35, 8}, {36, 7},
                 {36, 7}, {37, 6}, {38, 6}, {38, 4}, {39, 4}, {39, 2}, {40, 2}, {40, 0}}),
         2, 38},
        // On top the inward step of the long sides is one shorter, and every
        // y becomes T + B - y.
        {TRUE,
         Points({{0, 10}, {0, 8}, {1, 8}, {1, 6}, {2, 6}, {2, 4}, {2, 4}, {3, 3}, {3, 3}, {4, 2}, {4, 2}, {5, 1},
                 {5, 1}, {7, 1}, {7, 0}, {33, 0}, {34, 1}, {36, 1}, {35, 1}, {36, 2}, {36, 2}, {37, 3},
                 {37, 3}, {38, 4}, {38, 4}, {38, 6}, {39, 6}, {39, 8}, {40, 8}, {40, 10}}),
         1, 39},
    };
    for (const Case& c : cases) {
        std::vector<CPoint> points;
        int left = 0, right = 0;
        GetRoundedTabOutline(CRect(0, 0, 40, 10), c.onTop, points, left, right);
        EXPECT_TRUE(SamePoints(c.points, points)) << "on top " << c.onTop;
        EXPECT_EQ(c.contentLeft, left) << "on top " << c.onTop;
        EXPECT_EQ(c.contentRight, right) << "on top " << c.onTop;
    }
}

TEST(TabOutlineTest, SlantedOutlineIsCutAtTheStripEnd)
{
    POINT points[8];
    // Tabs on top, 20 high, the strip ending beyond the tab: nothing cut.
    EXPECT_FALSE(GetSlantedTabOutline(CRect(10, 0, 90, 20), TRUE, 200, points));
    EXPECT_TRUE(SamePoints(Points({{10, 20}, {10, 20}, {12, 20}, {30, 2}, {34, 0}, {88, 0}, {90, 2}, {90, 20}}),
                           std::vector<CPoint>(points, points + 8)));
    // Tabs at the bottom, the strip ending at 60: the right side moves onto it.
    EXPECT_TRUE(GetSlantedTabOutline(CRect(10, 0, 90, 20), FALSE, 60, points));
    EXPECT_TRUE(SamePoints(Points({{10, -1}, {10, -1}, {12, -1}, {30, 17}, {34, 19}, {60, 19}, {60, 17}, {60, -1}}),
                           std::vector<CPoint>(points, points + 8)));
}

} // namespace
