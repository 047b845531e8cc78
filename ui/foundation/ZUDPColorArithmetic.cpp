#include "ui/foundation/ZUDPColorArithmetic.h"

#include <cmath>

namespace {

int Channel(COLORREF colour, int index) { return int((colour >> (8 * index)) & 0xFF); }

COLORREF Pack(int c0, int c1, int c2) { return MakeColor(c0, c1, c2); }

double HueToRgbUnit(double m1, double m2, double h)
{
    if (h < 0)
        h += 1.0;
    if (h > 1)
        h -= 1.0;
    if (6.0 * h < 1)
        return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1)
        return m2;
    if (3.0 * h < 2.0)
        return m1 + (m2 - m1) * ((2.0 / 3.0) - h) * 6.0;
    return m1;
}

float HueToRgbDegrees(float m1, float m2, float h)
{
    if (h > 360.0f)
        h -= 360.0f;
    if (h < 0.0f)
        h += 360.0f;
    if (h < 60.0f)
        return m1 + (m2 - m1) * h / 60.0f;
    if (h < 180.0f)
        return m2;
    if (h < 240.0f)
        return m1 + (m2 - m1) * (240.0f - h) / 60.0f;
    return m1;
}

} // namespace

int CZUDPColorArithmetic::ClampChannel(double value)
{
    // NaN and negative values give 0; the comparison also keeps the
    // conversion below inside the range of int.
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return int(value);
}

int CZUDPColorArithmetic::ClampChannel(long long value)
{
    return value < 0 ? 0 : value > 255 ? 255 : int(value);
}

COLORREF CZUDPColorArithmetic::InterpolateColor(COLORREF c1, COLORREF c2, double t)
{
    int out[3];
    for (int k = 0; k < 3; ++k) {
        double a = Channel(c1, k), b = Channel(c2, k);
        out[k] = ClampChannel(a + (b - a) * t);
    }
    return Pack(out[0], out[1], out[2]);
}

COLORREF CZUDPColorArithmetic::ScaleColorPercent(COLORREF colour, int percent)
{
    int out[3];
    for (int k = 0; k < 3; ++k)
        out[k] = ClampChannel((long long)Channel(colour, k) * percent / 100);
    return Pack(out[0], out[1], out[2]);
}

COLORREF CZUDPColorArithmetic::MixColorsPercent(COLORREF c1, COLORREF c2, int percent)
{
    int out[3];
    for (int k = 0; k < 3; ++k) {
        long long mix = (long long)Channel(c2, k) * (100 - (long long)percent) + (long long)Channel(c1, k) * percent;
        out[k] = ClampChannel(mix / 100);
    }
    return Pack(out[0], out[1], out[2]);
}

COLORREF CZUDPColorArithmetic::MultiplyColorChannels(COLORREF colour, double f0, double f1, double f2)
{
    const double factors[3] = {f0, f1, f2};
    int out[3];
    for (int k = 0; k < 3; ++k) {
        int byte = Channel(colour, k);
        double f = factors[k];
        if (byte == 0 && f > 1.0)
            out[k] = ClampChannel((f - 1.0) * 255.0 + 0.5);
        else
            out[k] = ClampChannel(byte * f + 0.5);
    }
    return Pack(out[0], out[1], out[2]);
}

void CZUDPColorArithmetic::RgbToHlsUnitHue(COLORREF colour, double* hue, double* saturation, double* lightness)
{
    double r = ColorRed(colour) / 255.0;
    double g = ColorGreen(colour) / 255.0;
    double b = ColorBlue(colour) / 255.0;
    double mx = std::fmax(r, std::fmax(g, b));
    double mn = std::fmin(r, std::fmin(g, b));
    double l = (mx + mn) / 2.0;
    double h = 0.0, s = 0.0;
    if (mx != mn) {
        double delta = mx - mn;
        s = l < 0.5 ? delta / (mx + mn) : delta / (2.0 - mx - mn);
        if (r == mx)
            h = (g - b) / delta;
        else if (g == mx)
            h = 2.0 + (b - r) / delta;
        else
            h = 4.0 + (r - g) / delta;
        h /= 6.0;
        if (h < 0.0)
            h += 1.0;
    }
    if (hue)
        *hue = h;
    if (saturation)
        *saturation = s;
    if (lightness)
        *lightness = l;
}

COLORREF CZUDPColorArithmetic::HlsToRgbUnitHue(double hue, double lightness, double saturation)
{
    if (saturation == 0.0) {
        int grey = ClampChannel(lightness * 255.0);
        return Pack(grey, grey, grey);
    }
    double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    double m1 = 2.0 * lightness - m2;
    int r = ClampChannel(HueToRgbUnit(m1, m2, hue + 1.0 / 3.0) * 255.0);
    int g = ClampChannel(HueToRgbUnit(m1, m2, hue) * 255.0);
    int b = ClampChannel(HueToRgbUnit(m1, m2, hue - 1.0 / 3.0) * 255.0);
    return Pack(r, g, b);
}

COLORREF CZUDPColorArithmetic::HlsToRgbDegreeHue(double hue, double lightness, double saturation)
{
    float h = float(hue), l = float(lightness), s = float(saturation);
    if (s == 0.0f) {
        int grey = ClampChannel(double(l * 255.0f));
        return Pack(grey, grey, grey);
    }
    float m2 = l <= 0.5f ? l * (1.0f + s) : l + s - l * s;
    float m1 = 2.0f * l - m2;
    int r = ClampChannel(double(HueToRgbDegrees(m1, m2, h + 120.0f) * 255.0f));
    int g = ClampChannel(double(HueToRgbDegrees(m1, m2, h) * 255.0f));
    int b = ClampChannel(double(HueToRgbDegrees(m1, m2, h - 120.0f) * 255.0f));
    return Pack(r, g, b);
}
