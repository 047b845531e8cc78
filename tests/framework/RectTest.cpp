// Geometry values: the operator sets of CPoint, CSize and CRect, and the
// rectangle arithmetic under them (the same on both sides of the build).
#include "framework/Rect.h"

#include <gtest/gtest.h>

#include <cstddef>

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
    EXPECT_EQ(CPoint(-1, 5), CPoint((LPARAM)(DWORD)MAKELONG(-1, 5)));
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

// The records keep the Windows layout: 32-bit fields in declaration order.
static_assert(sizeof(POINT) == 8 && sizeof(SIZE) == 8 && sizeof(RECT) == 16, "");
static_assert(offsetof(RECT, left) == 0 && offsetof(RECT, top) == 4 && offsetof(RECT, right) == 8
                  && offsetof(RECT, bottom) == 12,
              "");
static_assert(offsetof(POINT, y) == 4 && offsetof(SIZE, cy) == 4, "");
static_assert(sizeof(CRect) == sizeof(RECT) && sizeof(CPoint) == sizeof(POINT) && sizeof(CSize) == sizeof(SIZE),
              "");

struct PointInRectCase {
    POINT point;
    bool inside;
};

TEST(GeometryTest, PointInRectIncludesTopLeftEdgesOnly)
{
    const CRect r(10, 20, 30, 40);
    const PointInRectCase cases[] = {
        {{10, 20}, true},  {{29, 39}, true},  {{30, 20}, false}, {{10, 40}, false},
        {{9, 25}, false},  {{15, 19}, false}, {{29, 20}, true},  {{30, 40}, false},
    };
    for (const PointInRectCase& c : cases)
        EXPECT_EQ(c.inside, r.PtInRect(c.point) != FALSE) << c.point.x << "," << c.point.y;
    // A rectangle without area holds no point, not even its corner.
    EXPECT_FALSE(CRect(5, 5, 5, 10).PtInRect(CPoint(5, 5)));
    EXPECT_FALSE(CRect(5, 5, 1, 1).PtInRect(CPoint(3, 3)));   // reversed, not normalised
}

struct CombineCase {
    const char* what;
    RECT a, b;
    BOOL intersects;
    RECT intersection;
    BOOL unionHasArea;
    RECT united;
};

TEST(GeometryTest, IntersectionAndUnionTable)
{
    const CombineCase cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, TRUE, {0, 0, 15, 15}},
        {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}, TRUE, {0, 0, 10, 10}},
        {"touching edges do not intersect", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, TRUE,
         {0, 0, 20, 10}},
        {"apart", {0, 0, 1, 1}, {5, 5, 6, 6}, FALSE, {0, 0, 0, 0}, TRUE, {0, 0, 6, 6}},
        {"empty source adds nothing to a union", {100, 100, 100, 200}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0},
         TRUE, {0, 0, 10, 10}},
        {"both empty", {1, 1, 1, 1}, {3, 3, 2, 2}, FALSE, {0, 0, 0, 0}, FALSE, {0, 0, 0, 0}},
        {"negative coordinates", {-20, -20, -5, -5}, {-10, -30, 0, -10}, TRUE, {-10, -20, -5, -10}, TRUE,
         {-20, -30, 0, -5}},
    };
    for (const CombineCase& c : cases) {
        CRect intersection(99, 99, 99, 99), united(99, 99, 99, 99);
        EXPECT_EQ(c.intersects, intersection.IntersectRect(&c.a, &c.b)) << c.what;
        EXPECT_EQ(CRect(c.intersection), intersection) << c.what;
        EXPECT_EQ(c.unionHasArea, united.UnionRect(&c.a, &c.b)) << c.what;
        EXPECT_EQ(CRect(c.united), united) << c.what;
        // The operators give the same answers, also in place.
        EXPECT_EQ(CRect(c.intersection), CRect(c.a) & c.b) << c.what;
        CRect inPlace(c.a);
        inPlace |= c.b;
        EXPECT_EQ(CRect(c.united), inPlace) << c.what;
    }
}

struct SubtractCase {
    const char* what;
    RECT a, b;
    BOOL left;
    RECT result;
};

TEST(GeometryTest, SubtractLeavesARectangleOnlyForAFullCut)
{
    const SubtractCase cases[] = {
        {"left part cut", {0, 0, 10, 10}, {-5, -1, 4, 11}, TRUE, {4, 0, 10, 10}},
        {"bottom part cut", {0, 0, 10, 10}, {-1, 6, 11, 20}, TRUE, {0, 0, 10, 6}},
        {"hole in the middle keeps the whole", {0, 0, 10, 10}, {2, 2, 4, 4}, TRUE, {0, 0, 10, 10}},
        {"covered entirely", {0, 0, 10, 10}, {-1, -1, 11, 11}, FALSE, {0, 0, 0, 0}},
        {"empty source", {0, 0, 0, 10}, {0, 0, 1, 1}, FALSE, {0, 0, 0, 0}},
        {"no overlap", {0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 10, 10}},
    };
    for (const SubtractCase& c : cases) {
        CRect result;
        EXPECT_EQ(c.left, result.SubtractRect(&c.a, &c.b)) << c.what;
        EXPECT_EQ(CRect(c.result), result) << c.what;
    }
}

TEST(GeometryTest, InflateDeflateOffsetAndEquality)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(CSize(3, 4));
    EXPECT_EQ(CRect(7, 6, 23, 24), r);
    r.DeflateRect(3, 4);
    EXPECT_EQ(CRect(10, 10, 20, 20), r);
    r.DeflateRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(11, 12, 17, 16), r);
    // Deflating past the middle turns the rectangle inside out: empty, kept as is.
    r.DeflateRect(10, 10);
    EXPECT_EQ(CRect(21, 22, 7, 6), r);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(CRect(7, 6, 21, 22), r);

    r.OffsetRect(-7, -6);
    EXPECT_EQ(CRect(0, 0, 14, 16), r);
    r += CPoint(1, 1);
    r -= CSize(2, 2);
    EXPECT_EQ(CRect(-1, -1, 13, 15), r);

    EXPECT_TRUE(CRect(1, 2, 3, 4) == CRect(1, 2, 3, 4));
    EXPECT_TRUE(CRect(1, 2, 3, 4) != CRect(1, 2, 3, 5));
    // Empty rectangles are equal only when their sides are.
    EXPECT_FALSE(CRect(0, 0, 0, 0) == CRect(5, 5, 5, 5));
    EXPECT_TRUE(CRect(0, 0, 0, 0).EqualRect(CRect()));
}

struct MulDivCase {
    int value, multiplier, divisor, expected;
};

TEST(GeometryTest, ScalingRoundsHalfAwayFromZero)
{
    const MulDivCase cases[] = {
        {10, 3, 4, 8},     {10, -3, 4, -8},        {-10, 3, -4, 8},  {5, 1, 2, 3},
        {-5, 1, 2, -3},    {7, 1, 0, -1},          {2000000000, 2, 1, -1},
        {2000000000, 3, 3, 2000000000},
    };
    for (const MulDivCase& c : cases)
        EXPECT_EQ(c.expected, RectMath::MulDiv(c.value, c.multiplier, c.divisor))
            << c.value << "*" << c.multiplier << "/" << c.divisor;
    EXPECT_EQ(CRect(10, 20, 30, 40), CRect(5, 10, 15, 20).MulDiv(192, 96));
}

} // namespace
