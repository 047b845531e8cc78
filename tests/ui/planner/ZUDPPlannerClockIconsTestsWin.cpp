// The clock icons: each time's picture is its hour's face with the five-
// minute step's hand over it; what draws nothing; missing pictures.
#include <gtest/gtest.h>

#include "framework/win/DC.h"
#include "res/ui/planner.h"
#include "tests/common/DrawingTest.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPPlannerClockIcons.h"

using plannertest::Date;

namespace {

// Clock icons whose faces are a bitmap the library does not have.
class CMissingClockIcons : public CZUDPPlannerClockIcons {
public:
    CMissingClockIcons() { m_nFacesBitmapID = 1; }
};

// One cell of a bitmap of the library drawn at (0, 0) with a raster
// operation.
void DrawCell(HDC target, UINT bitmapID, int cell, int cx, int cy, DWORD rop)
{
    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapID));
    ASSERT_NE(nullptr, bitmap);
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    ::BitBlt(target, 0, 0, cx, cy, source, cell * cx, 0, rop);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
}

} // namespace

TEST(PlannerClockIcons, EachTimeIsItsHoursFaceWithTheStepsHand)
{
    CZUDPPlannerClockIcons icons;
    const CSize size = icons.GetIconSize();
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    struct IndexCase {
        int hour, minute;
        int image, face, hand;
        DWORD rop;   // morning hands are ANDed, afternoon hands ORed
    } cases[] = {
        { 10, 24, 124, 20, 4, SRCAND },
        { 10, 25, 125, 21, 5, SRCAND },
        { 22, 55, 275, 45, 23, SRCPAINT },
        { 0, 0, 0, 0, 0, SRCAND },
        { 12, 0, 144, 24, 12, SRCPAINT },
    };
    for (const IndexCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute);
        EXPECT_EQ(c.image, CZUDPPlannerClockIcons::ImageIndex(c.hour, c.minute));
        // What the icons draw on white ...
        trovtest::DibCanvas drawn(size.cx, size.cy);
        drawn.Fill(RGB(255, 255, 255));
        CDC dc;
        dc.Attach(drawn.Dc());
        icons.DrawIcon(&dc, CPoint(0, 0), c.hour, c.minute);
        dc.Detach();
        // ... is the face with the hand over it (white around the dial).
        trovtest::DibCanvas composed(size.cx, size.cy);
        DrawCell(composed.Dc(), IDB_ZUDP_PLANNER_CLOCK_FACES, c.face, size.cx, size.cy, SRCCOPY);
        DrawCell(composed.Dc(), IDB_ZUDP_PLANNER_CLOCK_MINUTES, c.hand, size.cx, size.cy, c.rop);
        int differing = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                differing += drawn.Pixel(x, y) != composed.Pixel(x, y);
        EXPECT_EQ(0, differing);
    }
    // Two five-minute steps of one hour differ (the hand moved).
    trovtest::DibCanvas a(size.cx, size.cy), b(size.cx, size.cy);
    a.Fill(RGB(255, 255, 255));
    b.Fill(RGB(255, 255, 255));
    CDC dcA, dcB;
    dcA.Attach(a.Dc());
    dcB.Attach(b.Dc());
    icons.DrawTime(&dcA, CPoint(0, 0), Date(2024, 5, 8, 9, 0, 0));
    icons.DrawTime(&dcB, CPoint(0, 0), Date(2024, 5, 8, 9, 30, 0));
    dcA.Detach();
    dcB.Detach();
    int differing = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            differing += a.Pixel(x, y) != b.Pixel(x, y);
    EXPECT_GT(differing, 0);
}

TEST(PlannerClockIcons, NothingIsDrawnWithoutATimeOrADevice)
{
    CZUDPPlannerClockIcons icons;
    // A null DC draws nothing, but the pictures are composed by the call.
    icons.DrawTime(nullptr, CPoint(0, 0), Date(2024, 5, 8, 9, 0, 0));
    EXPECT_EQ(CZUDPPlannerClockIcons::kImageCount, icons.GetImageList().GetImageCount());
    const CSize size = icons.GetIconSize();

    trovtest::DibCanvas canvas(size.cx + 4, size.cy + 4);
    canvas.Fill(RGB(255, 255, 255));
    CDC dc;
    dc.Attach(canvas.Dc());
    icons.DrawTime(&dc, CPoint(2, 2), plannertest::Invalid());
    icons.DrawTime(&dc, CPoint(2, 2), plannertest::Null());
    icons.DrawIcon(&dc, CPoint(2, 2), 24, 0);
    icons.DrawIcon(&dc, CPoint(2, 2), 10, -1);
    CDC empty;
    icons.DrawTime(&empty, CPoint(2, 2), Date(2024, 5, 8, 9, 0, 0));
    dc.Detach();
    EXPECT_EQ(0, canvas.CountOther(canvas.Rect(), RGB(255, 255, 255)));
}

TEST(PlannerClockIcons, MissingPicturesGiveNoSizeAndDrawNothing)
{
    CMissingClockIcons icons;
    EXPECT_EQ(CSize(0, 0), icons.GetIconSize());
    EXPECT_FALSE(icons.Initialize());
    trovtest::DibCanvas canvas(20, 20);
    canvas.Fill(RGB(255, 255, 255));
    CDC dc;
    dc.Attach(canvas.Dc());
    icons.DrawTime(&dc, CPoint(0, 0), Date(2024, 5, 8, 9, 0, 0));
    dc.Detach();
    EXPECT_EQ(0, canvas.CountOther(canvas.Rect(), RGB(255, 255, 255)));
}
