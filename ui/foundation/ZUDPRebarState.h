#pragma once
// The saved band layout of a frame's rebars.  Per rebar, in the key
// <profile>"ZUDRebar-<window id>":
//   "RBI"    raw bytes: one 100-byte slot per band in band order, the band
//            record in its 32-bit layout (size field, mask 0xB61, style,
//            child sizes, size, id, ideal size, header size; text, child
//            and every other handle stored as 0)
//   "IDs"    raw bytes: the window id of each band's child control, 32 bits
//   "Locked" 32-bit integer: the rebar's locked flag
// Bands are matched by their child's window id, so a restored layout
// survives a change in the order the bands were created.  Slots are data
// from the registry: loading takes only the layout fields from them, with
// its own record size and mask.
#include "framework/win/Wnd.h"

#include <commctrl.h>

// Visit every CZUDPReBar among the frame's descendants; a rebar whose key
// cannot be opened (loading) or created (saving) ends the walk.
void LoadRebarStates(LPCTSTR lpszProfileName, CWnd* pFrame);
void SaveRebarStates(LPCTSTR lpszProfileName, CWnd* pFrame);

// One stored slot, and its conversion from and to the band record.
const UINT kRebarSlotSize = 100;
void RebarSlotFromBandInfo(const REBARBANDINFOA& info, UINT nStoredRecordSize, BYTE* pSlot);
// FALSE when the slot's fields cannot be a band's (sizes beyond a screen).
BOOL RebarBandInfoFromSlot(const BYTE* pSlot, REBARBANDINFOA& info);
