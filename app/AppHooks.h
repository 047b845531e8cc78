#pragma once
// The machine manager's portable seams (built natively as well): what its
// file handling asks of the system that tests must make fail on demand.
// The program's window-side seams are in app/win/AppSeams.h.  Tests replace
// an entry for a scope with ScopedSeam (framework/Seam.h).
#include "framework/Seam.h"

// Moves a damaged file aside under a new name (never replacing a file of
// that name); false when the folder does not allow it.
extern Seam<bool(const char* path, const char* newPath)> g_appMoveFileAside;
