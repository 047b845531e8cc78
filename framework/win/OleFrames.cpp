#include "framework/win/OleFrames.h"

IMPLEMENT_DYNAMIC(COleFrameHook, CObject)
IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNAMIC(COleCntrFrameWnd, CFrameWnd)

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc)
{
    (void)pWndFrame;
    (void)pWndDoc;
    return TRUE;
}

BOOL COleIPFrameWnd::RenegotiateBorderSpace(CFrameWnd* pContainerFrame, LPCRECT lpRectBorder, BOOL bForce)
{
    (void)pContainerFrame;
    (void)lpRectBorder;
    (void)bForce;
    return FALSE;
}
