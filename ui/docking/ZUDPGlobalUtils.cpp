#include "ui/docking/ZUDPGlobalUtils.h"

#include "framework/win/Wnd.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

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

CZUDPDockManager* CZUDPGlobalUtils::DockManagerOfWindow(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    if (CZUDPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pWnd)) {
        if (pMiniFrame->m_pDockManager != nullptr)
            return pMiniFrame->m_pDockManager;
        return DockManagerOfFrame(CWnd::FromHandlePermanent(pMiniFrame->GetRecordedOwner()));
    }
    if (CZUDPDockManager* pManager = DockManagerOfFrame(pWnd))
        return pManager;
    return DockManagerOfFrame(GetEnclosingFrame(pWnd));
}

void CZUDPGlobalUtils::FitRectToWorkArea(CRect& rect, CSize sizeMargin)
{
    RECT rcWork = {};
    if (!g_foundationSeams.monitorWorkArea(rect.TopLeft(), &rcWork) && !g_foundationSeams.primaryWorkArea(&rcWork))
        return;
    // Bring back at least the margin of a rectangle that lies off a side.
    if (rect.right < rcWork.left + sizeMargin.cx)
        rect.OffsetRect(rcWork.left + sizeMargin.cx - rect.right, 0);
    if (rect.left > rcWork.right - sizeMargin.cx)
        rect.OffsetRect(rcWork.right - sizeMargin.cx - rect.left, 0);
    if (rect.bottom < rcWork.top + sizeMargin.cy)
        rect.OffsetRect(0, rcWork.top + sizeMargin.cy - rect.bottom);
    if (rect.top > rcWork.bottom - sizeMargin.cy)
        rect.OffsetRect(0, rcWork.bottom - sizeMargin.cy - rect.top);
}
