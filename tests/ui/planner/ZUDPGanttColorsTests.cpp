// The colours of a Gantt bar from one base colour.
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/planner/ZUDPGanttColors.h"

#include <gtest/gtest.h>

namespace {

// 0x00BBGGRR, as the platform's colours.
constexpr COLORREF GanttTestColour(unsigned r, unsigned g, unsigned b) { return COLORREF(r | (g << 8) | (b << 16)); }

double Lightness(COLORREF colour)
{
    double hue = 0, saturation = 0, lightness = 0;
    CZUDPColorArithmetic::RgbToHlsUnitHue(colour, &hue, &saturation, &lightness);
    return lightness;
}

} // namespace

TEST(GanttColorsTest, SchemeFromBaseColour)
{
    const COLORREF kUntouched = GanttTestColour(9, 8, 7);
    struct Row {
        const char* name;
        COLORREF base;
        double light1, light3;
    } rows[] = {
        {"black: lightness raised to 0.85", GanttTestColour(0, 0, 0), 0.85, 0.35},
        {"white keeps its lightness", GanttTestColour(255, 255, 255), 1.0, 0.5},
        {"a mid blue", GanttTestColour(0, 0, 200), 0.85, 0.35},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GanttColorSet colors;
        for (int i = 0; i < 12; ++i)
            colors[i] = kUntouched;
        BuildGanttColorScheme(row.base, colors);
        EXPECT_NEAR(row.light1, Lightness(colors[1]), 0.01);
        EXPECT_NEAR(row.light1 - 0.05, Lightness(colors[2]), 0.01);
        EXPECT_NEAR(row.light3, Lightness(colors[3]), 0.01);
        EXPECT_NEAR(row.light1 - 0.2, Lightness(colors[5]), 0.01);
        for (int untouched : {0, 4, 10, 11})
            EXPECT_EQ(kUntouched, colors[untouched]) << untouched;
        EXPECT_EQ(CZUDPColorArithmetic::InterpolateColor(colors[1], GanttTestColour(0, 0, 0), double(0.85f)), colors[8]);
        EXPECT_EQ(CZUDPColorArithmetic::InterpolateColor(colors[1], GanttTestColour(0xC0, 0xC0, 0xC0), 0.75), colors[6]);
        EXPECT_EQ(CZUDPColorArithmetic::InterpolateColor(colors[1], GanttTestColour(0x40, 0x40, 0x40), 0.75), colors[7]);
        EXPECT_EQ(CZUDPColorArithmetic::InterpolateColor(colors[1], GanttTestColour(0x20, 0x20, 0x20), double(0.8f)), colors[9]);
    }
    // Black gives a neutral grey at position 1.
    GanttColorSet black;
    BuildGanttColorScheme(GanttTestColour(0, 0, 0), black);
    EXPECT_EQ(black[1] & 0xFF, (black[1] >> 8) & 0xFF);
    EXPECT_EQ((black[1] >> 8) & 0xFF, (black[1] >> 16) & 0xFF);
}
