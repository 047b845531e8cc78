#pragma once
// The drop shadow under the planner's appointment boxes, written straight
// into the pixels of the 32-bit surface the views paint on.
//
// A view paints into an off-screen 32-bit DIB (the control's memory DC, or
// a caller's bitmap through WM_PRINTCLIENT).  The draw manager's shadow
// copies the area under each box out of the DC, blends the soft spot's
// pieces into the copy and copies it back: a couple of hundred boxes cost
// many times the rest of the paint.  Here the same spot pieces are blended
// with integer arithmetic where they land, inside the DC's clip; the
// picture is the draw manager's within one step per channel.
#include "framework/win/DC.h"

namespace PlannerShadow {

// The shadow CZUDPDrawManager::DrawDropShadow(rect, nDepth, 100,
// nInnerPercent, nullptr, nullptr, -1, TRUE) draws: to the right of and
// below the rectangle, in the bar face's shade.  FALSE, with nothing drawn,
// when the DC does not paint on a 32-bit DIB section with plain text
// mapping, or shadows are not blended on this system; the caller then asks
// the draw manager.
BOOL DrawInPixels(CDC* pDC, const CRect& rect, int nDepth, int nInnerPercent);

} // namespace PlannerShadow
