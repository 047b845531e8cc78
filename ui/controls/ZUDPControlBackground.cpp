#include "ui/controls/ZUDPControlBackground.h"

#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

void FillControlBackground(CWnd* pControl, CDC* pDC)
{
    if (pControl == nullptr || pDC == nullptr)
        return;
    if (!CZUDPVisualManager::GetActiveManager()->FillBackgroundFromParentBar(pControl, pDC))
        g_uiEnvironment.DrawParentBackground(pControl, pDC);
}

void RedrawParentUnder(CWnd* pControl)
{
    const HWND hWnd = AfxSafeHwnd(pControl);
    const HWND hWndParent = hWnd != nullptr ? ::GetParent(hWnd) : nullptr;
    if (hWndParent == nullptr)
        return;
    CRect rect;
    ::GetWindowRect(hWnd, rect);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rect), 2);
    ::RedrawWindow(hWndParent, rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
