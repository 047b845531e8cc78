#pragma once
// Accelerator tables as arrays of entries: the count and the entries of a
// table (CopyAcceleratorTable), and a new table from entries.
#include "framework/win/WinSdk.h"

#include <vector>

// The number of entries of the table; 0 for no table.
int AfxGetAcceleratorCount(HACCEL hAccel);
// The table's entries in table order; empty for no table.
std::vector<ACCEL> AfxCopyAcceleratorTable(HACCEL hAccel);
// A new table of the entries (the caller destroys it); null for none.
HACCEL AfxCreateAcceleratorTable(const ACCEL* pEntries, int nCount);
