#include "ui/planner/ZUDPGanttColors.h"

#include "ui/foundation/ZUDPColorArithmetic.h"

void BuildGanttColorScheme(COLORREF clrBase, GanttColorSet& colors)
{
    double hue = 0, saturation = 0, lightness = 0;
    CZUDPColorArithmetic::RgbToHlsUnitHue(clrBase, &hue, &saturation, &lightness);
    const double L = lightness > 0.85 ? lightness : 0.85;
    colors[1] = CZUDPColorArithmetic::HlsToRgbUnitHue(hue, L, saturation);
    colors[2] = CZUDPColorArithmetic::HlsToRgbUnitHue(hue, L - 0.05, saturation);
    colors[3] = CZUDPColorArithmetic::HlsToRgbUnitHue(hue, L - 0.5, saturation);
    colors[5] = CZUDPColorArithmetic::HlsToRgbUnitHue(hue, L - 0.2, saturation);
    // The blend factors are single-precision values.
    colors[8] = CZUDPColorArithmetic::InterpolateColor(colors[1], COLORREF(0x000000), double(0.85f));
    colors[6] = CZUDPColorArithmetic::InterpolateColor(colors[1], COLORREF(0xC0C0C0), 0.75);
    colors[7] = CZUDPColorArithmetic::InterpolateColor(colors[1], COLORREF(0x404040), 0.75);
    colors[9] = CZUDPColorArithmetic::InterpolateColor(colors[1], COLORREF(0x202020), double(0.8f));
}
