// Colour arithmetic and the HLS colour model: exact values, and channels
// that stay in 0..255 whatever the factors (never wrapping into the next
// channel).
#include "ui/foundation/ZUDPColorArithmetic.h"

#include <gtest/gtest.h>

namespace {

using C = CZUDPColorArithmetic;

TEST(ColorArithmeticTest, ArithmeticTable)
{
    struct Case {
        const char* what;
        COLORREF got;
        COLORREF expected;
    } cases[] = {
        {"scale limits every channel at 255", C::ScaleColorPercent(0x80C0FF, 150), 0xC0FFFF},
        {"scale by 0 is black", C::ScaleColorPercent(0x80C0FF, 0), 0x000000},
        {"negative scale gives black, not wrapped bytes", C::ScaleColorPercent(0x80C0FF, -50), 0x000000},
        {"mix 100 gives the first colour", C::MixColorsPercent(0x102030, 0xA0B0C0, 100), 0x102030},
        {"mix 0 gives the second colour", C::MixColorsPercent(0x102030, 0xA0B0C0, 0), 0xA0B0C0},
        {"mix 50 lies half-way", C::MixColorsPercent(0x000000, 0xC8C8C8, 50), 0x646464},
        {"mix beyond 100 stays in range", C::MixColorsPercent(0xFFFFFF, 0x000000, 200), 0xFFFFFF},
        {"mix below 0 stays in range", C::MixColorsPercent(0xFFFFFF, 0x000000, -100), 0x000000},
        {"interpolate at 0", C::InterpolateColor(0x204060, 0x80A0C0, 0.0), 0x204060},
        {"interpolate at 1", C::InterpolateColor(0x204060, 0x80A0C0, 1.0), 0x80A0C0},
        {"interpolate at 0.5 truncates", C::InterpolateColor(0x000001, 0x000004, 0.5), 0x000002},
        {"interpolate beyond 1 stays in range", C::InterpolateColor(0x000000, 0xFFFFFF, 2.0), 0xFFFFFF},
        {"interpolate below 0 stays in range", C::InterpolateColor(0x808080, 0xFFFFFF, -1.0), 0x010101},
        {"multiply black by 1.5 brightens", C::MultiplyColorChannels(0x000000, 1.5, 1.5, 1.5), 0x808080},
        {"multiply rounds each byte", C::MultiplyColorChannels(0x030201, 2.0, 0.5, 1.0), 0x030102},
        {"multiply limits at 255", C::MultiplyColorChannels(0x808080, 3.0, 3.0, 3.0), 0xFFFFFF},
        {"multiply by a negative factor gives 0", C::MultiplyColorChannels(0x808080, -1.0, 1.0, 1.0), 0x808000},
        {"multiply clears the top byte", C::MultiplyColorChannels(0xFF102030, 1.0, 1.0, 1.0), 0x102030},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
}

TEST(ColorArithmeticTest, RgbToHls)
{
    double h = -1, s = -1, l = -1;
    C::RgbToHlsUnitHue(MakeColor(255, 0, 0), &h, &s, &l);
    EXPECT_DOUBLE_EQ(0.0, h);
    EXPECT_DOUBLE_EQ(1.0, s);
    EXPECT_DOUBLE_EQ(0.5, l);

    C::RgbToHlsUnitHue(0x808080, &h, &s, &l);
    EXPECT_DOUBLE_EQ(0.0, h);
    EXPECT_DOUBLE_EQ(0.0, s);
    EXPECT_DOUBLE_EQ(128.0 / 255.0, l);

    // Blue has the largest hue of the primaries; a hue that would come out
    // negative (magenta side of red) is wrapped into [0, 1).
    C::RgbToHlsUnitHue(MakeColor(0, 0, 255), &h, &s, &l);
    EXPECT_NEAR(2.0 / 3.0, h, 1e-12);
    C::RgbToHlsUnitHue(MakeColor(255, 0, 128), &h, &s, &l);
    EXPECT_GT(h, 0.8);
    EXPECT_LT(h, 1.0);
    // Light colours use the other saturation formula.
    C::RgbToHlsUnitHue(MakeColor(255, 200, 200), &h, &s, &l);
    EXPECT_NEAR((1.0 - 200.0 / 255.0) / (2.0 - 1.0 - 200.0 / 255.0), s, 1e-12);
}

TEST(ColorArithmeticTest, HlsToRgb)
{
    EXPECT_EQ(MakeColor(255, 0, 0), C::HlsToRgbUnitHue(0.0, 0.5, 1.0));
    EXPECT_EQ(MakeColor(0, 255, 0), C::HlsToRgbUnitHue(1.0 / 3.0, 0.5, 1.0));
    for (double hue : {0.0, 0.25, 0.9})
        EXPECT_EQ(0xFFFFFFu, C::HlsToRgbUnitHue(hue, 1.0, 0.0)) << hue;
    EXPECT_EQ(0x7F7F7Fu, C::HlsToRgbUnitHue(0.3, 0.5, 0.0));

    EXPECT_EQ(MakeColor(255, 0, 0), C::HlsToRgbDegreeHue(0.0, 0.5, 1.0));
    EXPECT_EQ(MakeColor(0, 0, 255), C::HlsToRgbDegreeHue(240.0, 0.5, 1.0));
    EXPECT_EQ(0xFFFFFFu, C::HlsToRgbDegreeHue(123.0, 1.0, 0.0));

    // A colour survives the round trip through HLS within one step.
    for (COLORREF colour : {0x123456u, 0xF0E0D0u, 0x00FF80u, 0x808080u}) {
        double h, s, l;
        C::RgbToHlsUnitHue(colour, &h, &s, &l);
        COLORREF back = C::HlsToRgbUnitHue(h, l, s);
        EXPECT_NEAR(ColorRed(colour), ColorRed(back), 1) << std::hex << colour;
        EXPECT_NEAR(ColorGreen(colour), ColorGreen(back), 1) << std::hex << colour;
        EXPECT_NEAR(ColorBlue(colour), ColorBlue(back), 1) << std::hex << colour;
    }
}

TEST(ColorArithmeticTest, OutOfRangeModelInputsStayInRange)
{
    // Lightness or saturation outside [0, 1] (a colour control dragged past
    // its end) gives channels in range, never wrapped bytes.
    for (double l : {-0.5, 1.5})
        for (double s : {0.0, 0.5, 2.0}) {
            COLORREF c = C::HlsToRgbUnitHue(0.4, l, s);
            EXPECT_EQ(0u, c & 0xFF000000u);
            COLORREF d = C::HlsToRgbDegreeHue(200.0, l, s);
            EXPECT_EQ(0u, d & 0xFF000000u);
        }
    EXPECT_EQ(0u, C::HlsToRgbUnitHue(0.0, -1.0, 0.0));
}

} // namespace
