#pragma once
// What the library's small controls share about the background under
// them: painting their parent's background into their own DC, and having
// the parent repaint the area under them.
#include "framework/win/Wnd.h"
#include "framework/win/DC.h"

// The background a control shows where it does not paint: its parent bar's
// through the visual manager, else its parent window's.
void FillControlBackground(CWnd* pControl, CDC* pDC);

// Redraws, in the parent and at once, the area under the control (its
// window rectangle in the parent's client coordinates).
void RedrawParentUnder(CWnd* pControl);
