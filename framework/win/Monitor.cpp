#include "framework/win/Monitor.h"

namespace {

BOOL ReadMonitorRects(HMONITOR hMonitor, RECT* pMonitor, RECT* pWorkArea)
{
    if (hMonitor == nullptr)
        return FALSE;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoA(hMonitor, &info))
        return FALSE;
    if (pMonitor != nullptr)
        *pMonitor = info.rcMonitor;
    if (pWorkArea != nullptr)
        *pWorkArea = info.rcWork;
    return TRUE;
}

} // namespace

BOOL AfxGetMonitorRects(POINT pt, RECT* pMonitor, RECT* pWorkArea)
{
    return ReadMonitorRects(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), pMonitor, pWorkArea);
}

BOOL AfxGetWindowMonitorRects(HWND hWnd, RECT* pMonitor, RECT* pWorkArea)
{
    return ReadMonitorRects(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), pMonitor, pWorkArea);
}

BOOL AfxGetPrimaryWorkArea(RECT* pWorkArea)
{
    return ::SystemParametersInfoA(SPI_GETWORKAREA, 0, pWorkArea, 0);
}
