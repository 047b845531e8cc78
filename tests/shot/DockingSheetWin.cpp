// The gallery's docking: a library frame with toolbars in two rows at the
// top (the second holding more than fits, so its bars are squeezed from
// its end), and on the left, right and bottom, and the frame's bars menu
// open over it.
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <memory>
#include <vector>

bool ShootDockingSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Docking", CRect(40, 40, 560, 360)))
        return false;

    struct BarSpec {
        const char* name;
        int buttons;
        UINT dockBarId;
        CRect rectRow;   // a point of the row to join (dock-bar client coordinates); empty: a new row
        int along;
    } specs[] = {
        {"Standard", 6, AFX_IDW_DOCKBAR_TOP, CRect(), 0},
        {"Formatting", 5, AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 1, 1), 220},
        {"Drawing", 7, AFX_IDW_DOCKBAR_TOP, CRect(), 0},
        {"Machines", 8, AFX_IDW_DOCKBAR_TOP, CRect(0, 30, 1, 31), 200},
        {"Network", 8, AFX_IDW_DOCKBAR_TOP, CRect(0, 30, 1, 31), 400},
        {"Tools", 5, AFX_IDW_DOCKBAR_LEFT, CRect(), 0},
        {"Views", 4, AFX_IDW_DOCKBAR_RIGHT, CRect(), 0},
        {"Status", 6, AFX_IDW_DOCKBAR_BOTTOM, CRect(), 0},
    };
    static const LPCTSTR kCaptions[] = {"Open", "Save", nullptr, "Cut", "Copy", "Paste", "Find", "Print", "Help"};
    std::vector<std::unique_ptr<CZUDPToolBar>> bars;
    UINT nID = 71;
    for (const BarSpec& spec : specs) {
        bars.push_back(std::make_unique<CZUDPToolBar>());
        CZUDPToolBar& bar = *bars.back();
        const std::vector<LPCTSTR> captions(kCaptions, kCaptions + spec.buttons);
        if (!MakeGalleryToolBar(bar, frame, nID++, spec.name, captions))
            return false;
        const BOOL bHorz = spec.dockBarId == AFX_IDW_DOCKBAR_TOP || spec.dockBarId == AFX_IDW_DOCKBAR_BOTTOM;
        const CSize size = bar.CalcStretchSize(FALSE, bHorz);
        bar.GetRecentDockInfo().m_recentDockedInfo.m_rectDockedRect =
            bHorz ? CRect(spec.along, 0, spec.along + size.cx, size.cy)
                  : CRect(0, spec.along, size.cx, spec.along + size.cy);
        frame.DockBarAtSite(&bar, spec.dockBarId, spec.rectRow.IsRectEmpty() ? nullptr : &spec.rectRow);
    }
    frame.RecalcLayout();
    pump(300);
    photograph("docking-frame", frame.m_hWnd);

    // The frame's bars menu, open over the frame.
    CZUDPDockManager* pManager = frame.GetDockManager();
    pManager->EnableBarsMenu(TRUE, FALSE, 799, "Customize...");
    CMenu menu;
    menu.CreatePopupMenu();
    pManager->BuildBarsMenu(menu, FALSE);
    const bool bMenuShot = PhotographMenuWhileOpen(photograph, "docking-bars-menu", [&] {
        CRect rectFrame;
        frame.GetWindowRect(&rectFrame);
        ::TrackPopupMenu(menu.GetSafeHmenu(), TPM_LEFTALIGN | TPM_RETURNCMD, rectFrame.left + 120,
                         rectFrame.top + 120, 0, frame.m_hWnd, nullptr);
    });

    for (auto& bar : bars)
        bar->DestroyWindow();
    frame.DestroyWindow();
    return bMenuShot;
}
