#include "ui/docking/ZUDPDockingSeams.h"

#include "framework/win/DC.h"

namespace {

void RealDrawDragRect(const RECT* pRectNew, SIZE sizeNew, const RECT* pRectLast, SIZE sizeLast)
{
    HDC hDC = ::GetDCEx(nullptr, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hDC == nullptr)
        return;
    CDC dc;
    dc.Attach(hDC);
    dc.DrawDragRect(pRectNew, sizeNew, pRectLast, sizeLast);
    dc.Detach();
    ::ReleaseDC(nullptr, hDC);
}

BOOL RealLockWindowUpdate(HWND hWnd) { return ::LockWindowUpdate(hWnd); }

} // namespace

DockingSeams::DockingSeams() : drawDragRect(RealDrawDragRect), lockWindowUpdate(RealLockWindowUpdate) {}

DockingSeams g_dockingSeams;
