#pragma once
// The colours of a Gantt bar, derived from one base colour.
#include "ui/foundation/ZUDPColorArithmetic.h"

// Twelve colours of a Gantt item (positions 0-11).
struct GanttColorSet {
    COLORREF colors[12] = {};
    COLORREF& operator[](int i) { return colors[i]; }
    const COLORREF& operator[](int i) const { return colors[i]; }
};

// Fills positions 1, 2, 3, 5, 6, 7, 8 and 9 from the base colour: lighter
// shades of its hue (lightness at least 0.85) and blends towards greys and
// black; positions 0, 4, 10 and 11 are left as they are.
void BuildGanttColorScheme(COLORREF clrBase, GanttColorSet& colors);
