#include "ui/foundation/MouseLeaveTracking.h"

#include <cstddef>

#include "framework/win/FrameworkSeams.h"

namespace {
const char s_timerTag = 0;
const UINT kTrackingPeriod = 100;
}

UINT_PTR GetMouseLeaveTimerId()
{
    return reinterpret_cast<UINT_PTR>(&s_timerTag);
}

BOOL TrackMouseLeave(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (lpEventTrack == nullptr ||
        lpEventTrack->cbSize < offsetof(TRACKMOUSEEVENT, hwndTrack) + sizeof(lpEventTrack->hwndTrack) ||
        !::IsWindow(lpEventTrack->hwndTrack))
        return FALSE;
    if ((lpEventTrack->dwFlags & TME_LEAVE) == 0)
        return 0;
    return g_frameworkSeams.setTimer(lpEventTrack->hwndTrack, GetMouseLeaveTimerId(), kTrackingPeriod,
                                     MouseLeaveTimerProc) != 0;
}

void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR idEvent, DWORD)
{
    RECT rect;
    if (!::GetClientRect(hWnd, &rect))
        return;
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    POINT pt = {};
    g_frameworkSeams.cursorPos(&pt);
    if (::PtInRect(&rect, pt) && ::WindowFromPoint(pt) == hWnd)
        return;
    g_frameworkSeams.killTimer(hWnd, idEvent);
    ::PostMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
}
