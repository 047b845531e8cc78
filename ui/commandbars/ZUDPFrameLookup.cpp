#include "ui/commandbars/ZUDPFrameLookup.h"

#include "framework/win/FrameWnd.h"
#include "ui/docking/ZUDPDockingFlags.h"

CFrameWnd* GetTopLevelFrameOrInPlace(CWnd* pWnd)
{
    if (g_activeInPlaceFrame != nullptr && ::IsWindow(g_activeInPlaceFrame->GetSafeHwnd()))
        return g_activeInPlaceFrame;
    CFrameWnd* pTopFrame = nullptr;
    for (HWND hWnd = AfxSafeHwnd(pWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pAncestor = CWnd::FromHandlePermanent(hWnd);
        if (pAncestor != nullptr && pAncestor->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            pTopFrame = static_cast<CFrameWnd*>(pAncestor);
    }
    return pTopFrame;
}
