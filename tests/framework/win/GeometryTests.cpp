// Geometry values: the operator sets of CPoint, CSize and CRect.
#include "framework/win/Rect.h"

#include <gtest/gtest.h>

namespace {

TEST(GeometryTest, PointsAndSizesAddAndSubtract)
{
    CPoint p(3, 4);
    CSize s(10, 20);
    EXPECT_EQ(CPoint(13, 24), p + s);
    EXPECT_EQ(CPoint(-7, -16), p - s);
    EXPECT_EQ(CSize(2, 3), CPoint(5, 7) - CPoint(3, 4));   // point - point is a size
    EXPECT_EQ(CPoint(-3, -4), -p);
    p += s;
    EXPECT_EQ(CPoint(13, 24), p);
    p -= CPoint(13, 24);
    EXPECT_EQ(CPoint(0, 0), p);
    EXPECT_EQ(CSize(11, 22), s + CSize(1, 2));
    EXPECT_TRUE(CSize(1, 2) != CSize(2, 1));
    // Coordinates packed in a message parameter are signed.
    EXPECT_EQ(CPoint(-1, 5), CPoint((LPARAM)MAKELPARAM(-1, 5)));
}

struct RectCase {
    const char* what;
    CRect result;
    CRect expected;
};

TEST(GeometryTest, RectangleOperatorsTable)
{
    CRect r(10, 20, 110, 70);
    CRect other(50, 40, 200, 300);
    CRect inflated = r;
    inflated.InflateRect(2, 3);
    CRect deflated = r;
    deflated.DeflateRect(1, 2, 3, 4);
    CRect moved = r;
    moved.MoveToXY(0, 0);
    CRect normalized(5, 5, 1, 1);
    normalized.NormalizeRect();
    const RectCase cases[] = {
        {"offset by point", r + CPoint(1, 2), CRect(11, 22, 111, 72)},
        {"offset by size", r - CSize(10, 20), CRect(0, 0, 100, 50)},
        {"intersection", r & other, CRect(50, 40, 110, 70)},
        {"union", r | other, CRect(10, 20, 200, 300)},
        {"inflate", inflated, CRect(8, 17, 112, 73)},
        {"deflate by sides", deflated, CRect(11, 22, 107, 66)},
        {"inflate by rect", r + CRect(1, 1, 1, 1), CRect(9, 19, 111, 71)},
        {"move to origin", moved, CRect(0, 0, 100, 50)},
        {"normalize", normalized, CRect(1, 1, 5, 5)},
        {"no overlap is empty", CRect(0, 0, 1, 1) & CRect(5, 5, 6, 6), CRect(0, 0, 0, 0)},
    };
    for (const RectCase& c : cases)
        EXPECT_EQ(c.expected, c.result) << c.what;

    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_EQ(CPoint(10, 20), r.TopLeft());
    EXPECT_EQ(CPoint(110, 70), r.BottomRight());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 70)));   // right and bottom are outside
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    r.BottomRight() = CPoint(0, 0);
    EXPECT_EQ(CRect(10, 20, 0, 0), r);
    EXPECT_EQ(sizeof(RECT), sizeof(CRect));
    EXPECT_EQ(sizeof(POINT), sizeof(CPoint));
    EXPECT_EQ(sizeof(SIZE), sizeof(CSize));
}

} // namespace
