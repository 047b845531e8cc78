#pragma once
// The outlines of one tab in the looks the visual manager draws, worked
// out apart from the drawing so that the shape a tab gets can be checked
// (and reused) point by point.  Coordinates are those of the tab window's
// client area; a tab rectangle is L, T, R, B.
#include "framework/Rect.h"

#include <vector>

// Flat look: a trapezoid whose sides slant by half the tab row's height.
// The content rectangle starts as the tab rectangle and is narrowed to
// what lies inside the trapezoid's straight part.
void GetFlatTabOutline(const CRect& rectTab, int nTabHeight, BOOL bTabsOnTop, POINT points[4], CRect& rectContent);

// Rounded looks: the outline of a tab whose sides step inwards (one pixel
// every two rows, then one pixel a row near the far edge), as one polygon:
// the left side downwards followed by the right side upwards.  For tabs on
// top the shape is mirrored vertically.  nContentLeft and nContentRight
// receive the horizontal extent left for the tab's content.
void GetRoundedTabOutline(const CRect& rectTab, BOOL bTabsOnTop, std::vector<CPoint>& points, int& nContentLeft,
                          int& nContentRight);

// Slanted looks: eight points, the slant on the left.  A point right of the
// visible strip's right edge is pulled back onto it; the answer is TRUE
// when that happened (the tab is cut by the strip's end).
BOOL GetSlantedTabOutline(const CRect& rectTab, BOOL bTabsOnTop, int nStripRight, POINT points[8]);
