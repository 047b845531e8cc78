#pragma once
// Owner drawing: a reflected item message that no map entry took reaches
// the control's virtual item function.  Shared by the control wrappers'
// sources; not part of the framework's interface.
#include "framework/win/WinSdk.h"

// The drawing message of an owner-drawn control that draws one item.
template <class TControl>
BOOL HandleDrawItem(TControl* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
