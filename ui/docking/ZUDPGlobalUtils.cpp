#include "ui/docking/ZUDPGlobalUtils.h"

#include "framework/win/Wnd.h"

#include <commctrl.h>

HICON CZUDPGlobalUtils::GetSmallWindowIcon(CWnd* pWnd, BOOL& bNewIcon)
{
    bNewIcon = FALSE;
    HWND hWnd = AfxSafeHwnd(pWnd);
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    HICON hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon != nullptr)
        return hIcon;
    HICON hBig = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0);
    if (hBig != nullptr) {
        HIMAGELIST hList = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        if (hList != nullptr) {
            if (::ImageList_ReplaceIcon(hList, -1, hBig) == 0)
                hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
            ::ImageList_Destroy(hList);
        }
        if (hIcon != nullptr) {
            bNewIcon = TRUE;
            return hIcon;
        }
    }
    return (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
}
