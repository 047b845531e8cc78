// The gallery's floating frames: a floating toolbar with its "Toolbar
// Options" caption button and that button's menu open, and a frame
// unrolled and rolled up to its caption.  (The outline of a drag is drawn
// on the desktop, which a window's picture does not show.)
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"

namespace {

// A pane of a fixed size whose floating frame rolls up.
class CRollUpPane : public CZUDPControlBar {
public:
    CSize CalcStretchSize(BOOL, BOOL) override { return CSize(180, 90); }
};

} // namespace

bool ShootFloatingFrameSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Floating frames", CRect(40, 40, 560, 360)))
        return false;
    bool ok = true;

    // A floating toolbar with the overflow button: close and "Toolbar
    // Options" in its caption.
    CZUDPToolBar toolbar;
    if (!MakeGalleryToolBar(toolbar, frame, 201, "Machines", {"Find", "Upload", nullptr, "Restart", "Log"}))
        return false;
    toolbar.SetOverflowButton(TRUE, 32900, "Customize...");
    frame.DockBarAtSite(&toolbar, AFX_IDW_DOCKBAR_TOP, nullptr);
    toolbar.FloatBar(CRect(600, 100, 760, 160), ZUDP_DM_MENU, TRUE);
    pump(200);
    CZUDPMiniFrameWnd* pToolbarFrame = toolbar.GetParentMiniFrame(TRUE);
    if (pToolbarFrame == nullptr)
        return false;
    photograph("floating-toolbar-options", pToolbarFrame->m_hWnd);
    pToolbarFrame->ShowCustomizeMenu(ZUDP_HIT_OPTIONS);
    pump(200);
    if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd())) {
        photograph("floating-toolbar-options-menu", g_activePopupMenu->m_hWnd);
        g_activePopupMenu->SendMessage(WM_CLOSE);
    } else {
        ok = false;
    }
    pump(100);

    // A pane whose frame rolls up once the cursor is away from it.
    CRollUpPane pane;
    if (!pane.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 10, 10), &frame, 202,
                         ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE | ZUDP_CBRS_AUTO_ROLLUP))
        return false;
    pane.SetWindowText("Log");
    pane.SetDockableSides(CBRS_ALIGN_ANY);
    frame.DockBarAtSite(&pane, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    pane.FloatBar(CRect(600, 220, 800, 330), ZUDP_DM_MENU, TRUE);
    pump(200);
    CZUDPMiniFrameWnd* pPaneFrame = pane.GetParentMiniFrame(TRUE);
    if (pPaneFrame == nullptr)
        return false;
    photograph("floating-frame-unrolled", pPaneFrame->m_hWnd);
    {
        ScopedSeam<BOOL(POINT*)> away(g_frameworkSeams.cursorPos, [](POINT* p) {
            p->x = 5;
            p->y = 5;
            return TRUE;
        });
        pPaneFrame->SendMessage(WM_TIMER, ZUDP_MINIFRAME_ROLLUP_TIMER);
    }
    pump(200);
    if (!pPaneFrame->IsRolledUp())
        ok = false;
    photograph("floating-frame-rolled-up", pPaneFrame->m_hWnd);

    frame.DestroyWindow();
    return ok;
}
