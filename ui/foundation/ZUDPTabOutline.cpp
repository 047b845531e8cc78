#include "ui/foundation/ZUDPTabOutline.h"


void GetFlatTabOutline(const CRect& rectTab, int nTabHeight, BOOL bTabsOnTop, POINT points[4], CRect& rectContent)
{
    const int halfHeight = nTabHeight / 2;
    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    rectContent = rectTab;
    if (bTabsOnTop) {
        points[0] = {L + halfHeight, T + 1};
        points[1] = {L, B};
        points[2] = {R, B};
        points[3] = {R - halfHeight, T + 1};
        rectContent.left = L + 2;
        rectContent.top = T + 1;
    } else {
        points[0] = {L, T};
        points[1] = {L + halfHeight, B - 1};
        points[2] = {R - halfHeight, B - 1};
        points[3] = {R, T};
        rectContent.bottom = B - 1;
    }
}

void GetRoundedTabOutline(const CRect& rectTab, BOOL bTabsOnTop, std::vector<CPoint>& points, int& nContentLeft,
                          int& nContentRight)
{
    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    std::vector<CPoint> left, right;
    left.push_back(CPoint(L, T));
    left.push_back(CPoint(L, T + 2));
    right.push_back(CPoint(R, T));
    right.push_back(CPoint(R, T + 2));

    int x = L + 1, y = T + 2, xr = R - 1;
    // The long sides: one pixel inwards every two rows.
    while (y < B - 4) {
        left.push_back(CPoint(x, y));
        left.push_back(CPoint(x, y + 2));
        right.push_back(CPoint(xr, y));
        right.push_back(CPoint(xr, y + 2));
        ++x;
        --xr;
        y += 2;
    }
    if (bTabsOnTop) {
        --x;
        ++xr;
    }
    nContentLeft = x - 1;
    nContentRight = xr + 1;

    // The rounded corners: one pixel a row.
    while (y < B - 1) {
        left.push_back(CPoint(x, y));
        left.push_back(CPoint(x + 1, y + 1));
        right.push_back(CPoint(xr, y));
        right.push_back(CPoint(xr - 1, y + 1));
        if (y + 2 == B) {
            left.push_back(CPoint(x + 1, y + 1));
            left.push_back(CPoint(x + 3, y + 1));
            right.push_back(CPoint(xr, y + 1));
            right.push_back(CPoint(xr - 2, y + 1));
        }
        ++x;
        --xr;
        ++y;
    }
    left.push_back(CPoint(x + 2, B));
    right.push_back(CPoint(xr - 2, B));

    points = left;
    points.insert(points.end(), right.rbegin(), right.rend());
    if (bTabsOnTop)
        for (CPoint& point : points)
            point.y = T + B - point.y;
}

BOOL GetSlantedTabOutline(const CRect& rectTab, BOOL bTabsOnTop, int nStripRight, POINT points[8])
{
    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    const int H = B - T;
    const int xs[8] = {L, L, L + 2, L + H, L + H + 4, R - 2, R, R};
    const int topYs[8] = {B, B, B, T + 2, T, T, T + 2, B};
    const int bottomYs[8] = {T - 1, T - 1, T - 1, B - 3, B - 1, B - 1, B - 3, T - 1};
    BOOL bClipped = FALSE;
    for (int i = 0; i < 8; ++i) {
        points[i].x = xs[i];
        points[i].y = bTabsOnTop ? topYs[i] : bottomYs[i];
        if (points[i].x > nStripRight) {
            points[i].x = nStripRight;
            bClipped = TRUE;
        }
    }
    return bClipped;
}
