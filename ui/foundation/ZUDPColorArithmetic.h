#pragma once
// Colour arithmetic and colour models of the library: deriving one colour
// from another (interpolating, scaling, mixing, multiplying channels) and
// converting between RGB and HLS.  Pure functions without windows, so they
// build into the Windows library and natively for the sanitizer tests.
//
// Colours are 0x00BBGGRR values (red in the lowest byte); every function
// that answers a colour leaves the top byte 0 and keeps every channel in
// 0..255, whatever the factors or percentages (negative ones give 0, never
// a value that wraps into the next channel).  The draw manager applies the
// same functions to DIB pixels (0xAARRGGBB): the channel order does not
// matter to them.
#include "framework/Types.h"

class CZUDPColorArithmetic {
public:
    // c1 + (c2 - c1) * t in every channel, truncated.
    static COLORREF InterpolateColor(COLORREF c1, COLORREF c2, double t);
    // colour * percent / 100 in every channel (integer).
    static COLORREF ScaleColorPercent(COLORREF colour, int percent);
    // (c2 * (100 - percent) + c1 * percent) / 100 in every channel: percent
    // 100 gives c1, 0 gives c2.
    static COLORREF MixColorsPercent(COLORREF c1, COLORREF c2, int percent);
    // Byte k of the colour times fk, rounded; a byte of 0 with a factor
    // above 1 becomes (fk - 1) * 255 rounded, so that black brightens too.
    static COLORREF MultiplyColorChannels(COLORREF colour, double f0, double f1, double f2);

    // Hue as a fraction of a turn in [0, 1); lightness and saturation in
    // [0, 1].
    static void RgbToHlsUnitHue(COLORREF colour, double* hue, double* saturation, double* lightness);
    static COLORREF HlsToRgbUnitHue(double hue, double lightness, double saturation);
    // Hue in degrees [0, 360), computed in single precision (the colour
    // pages drive their controls with it).
    static COLORREF HlsToRgbDegreeHue(double hue, double lightness, double saturation);

    // A channel value limited to 0..255.
    static int ClampChannel(double value);
    static int ClampChannel(long long value);
};

// The channel helpers of 0x00BBGGRR values, for code that has no windows.h.
inline int ColorRed(COLORREF c) { return int(c & 0xFF); }
inline int ColorGreen(COLORREF c) { return int((c >> 8) & 0xFF); }
inline int ColorBlue(COLORREF c) { return int((c >> 16) & 0xFF); }
inline COLORREF MakeColor(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
