// The Gantt storage's change records to its owner window.
#include "ui/planner/ZUDPGanttItem.h"

#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPMessages.h"

void ZUDPSendGanttStorageChange(CWnd* pOwner, const ZUDPGanttStorageChange& change)
{
    // The record lives on the caller's stack: SendMessage returns only once
    // the owner has read it, also when the owner belongs to another thread
    // (a notification that returns at once would leave it reading a dead
    // record).
    const HWND hWnd = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return;
    ::SendMessage(hWnd, ZUDM_NM_GANTT_STORAGECHANGED, 0, reinterpret_cast<LPARAM>(&change));
}
