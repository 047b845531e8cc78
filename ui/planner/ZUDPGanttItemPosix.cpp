// The Gantt storage's owner natively: there are no windows to tell.
#include "ui/planner/ZUDPGanttItem.h"

void ZUDPSendGanttStorageChange(CWnd* pOwner, const ZUDPGanttStorageChange& change)
{
    (void)pOwner;
    (void)change;
}
