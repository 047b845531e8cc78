#include "ui/docking/ZUDPDockingControlBar.h"

#include "framework/Archive.h"
#include "ui/docking/ZUDPGlobalUtils.h"

IMPLEMENT_SERIAL(CZUDPDockingControlBar, CZUDPControlBar, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CZUDPDockingCBWrapper, CZUDPDockingControlBar, VERSIONABLE_SCHEMA | 2)

void CZUDPDockingCBWrapper::SetWrappedWindow(CWnd* pWnd)
{
    m_pWrappedWnd = pWnd;
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && m_hWnd != nullptr)
        pWnd->SetParent(this);
}

int CZUDPDockingControlBar::ClassifyDropPoint(CPoint pt, int nSensitivity)
{
    if (m_hWnd == nullptr)
        return 0;
    CRect rect;
    GetWindowRect(&rect);
    const int nCaption = GetCaptionHeight();
    if (nCaption > 0 && pt.y >= rect.top && pt.y < rect.top + nCaption && pt.x >= rect.left && pt.x < rect.right)
        return 3;
    DWORD dwAlignment = 0;
    CZUDPGlobalUtils utils;
    return utils.HitTestDockEdges(pt.x, pt.y, this, nSensitivity, nullptr, FALSE, dwAlignment, CBRS_ALIGN_ANY) ? 2 : 0;
}
