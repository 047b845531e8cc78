#include "ui/docking/ZUDPPrintPreviewView.h"

#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPGlobalUtils.h"

IMPLEMENT_DYNAMIC(CZUDPPrintPreviewToolBar, CZUDPToolBar)

BEGIN_MESSAGE_MAP(CZUDPPrintPreviewToolBar, CZUDPToolBar)
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CZUDPPrintPreviewToolBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    (void)point;
}

void CZUDPPrintPreviewToolBar::OnDestroy()
{
    if (CZUDPDockManager* pManager = g_globalUtils.DockManagerOfWindow(this))
        pManager->UnregisterBar(this, FALSE, FALSE, FALSE, nullptr);
    CZUDPToolBar::OnDestroy();
}
