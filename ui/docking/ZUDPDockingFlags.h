#pragma once
// Process-wide switches of the docking subsystem that other parts of the
// library set.
#include "framework/Types.h"

// Set when the system colours change: the smart-docking markers are
// rebuilt in the new colours on their next use.
extern BOOL g_rebuildSmartDocking;
