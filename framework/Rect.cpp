#include "framework/Rect.h"

#include <algorithm>

namespace RectMath {

BOOL IntersectRect(RECT* dest, const RECT* a, const RECT* b)
{
    if (RectMath::IsRectEmpty(a) || RectMath::IsRectEmpty(b) || a->left >= b->right || b->left >= a->right || a->top >= b->bottom
        || b->top >= a->bottom) {
        RectMath::SetRectEmpty(dest);
        return FALSE;
    }
    RectMath::SetRect(dest, std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom));
    return TRUE;
}

BOOL UnionRect(RECT* dest, const RECT* a, const RECT* b)
{
    // An empty source adds nothing (not even its corner).
    if (RectMath::IsRectEmpty(a)) {
        if (RectMath::IsRectEmpty(b)) {
            RectMath::SetRectEmpty(dest);
            return FALSE;
        }
        *dest = *b;
        return TRUE;
    }
    if (RectMath::IsRectEmpty(b)) {
        *dest = *a;
        return TRUE;
    }
    RectMath::SetRect(dest, std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
            std::max(a->bottom, b->bottom));
    return TRUE;
}

BOOL SubtractRect(RECT* dest, const RECT* a, const RECT* b)
{
    if (RectMath::IsRectEmpty(a)) {
        RectMath::SetRectEmpty(dest);
        return FALSE;
    }
    RECT result = *a;
    RECT overlap;
    if (RectMath::IntersectRect(&overlap, a, b)) {
        if (RectMath::EqualRect(&overlap, &result)) {
            RectMath::SetRectEmpty(dest);
            return FALSE;
        }
        // Only a cut across the whole width or height leaves a rectangle.
        if (overlap.top == result.top && overlap.bottom == result.bottom) {
            if (overlap.left == result.left)
                result.left = overlap.right;
            else if (overlap.right == result.right)
                result.right = overlap.left;
        } else if (overlap.left == result.left && overlap.right == result.right) {
            if (overlap.top == result.top)
                result.top = overlap.bottom;
            else if (overlap.bottom == result.bottom)
                result.bottom = overlap.top;
        }
    }
    *dest = result;
    return TRUE;
}

int MulDiv(int value, int multiplier, int divisor)
{
    if (divisor == 0)
        return -1;
    long long product = (long long)value * multiplier;
    long long d = divisor;
    if (d < 0) {
        product = -product;
        d = -d;
    }
    long long result = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
    if (result > 2147483647LL || result < -2147483647LL)
        return -1;
    return (int)result;
}

} // namespace RectMath
