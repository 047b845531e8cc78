// The gallery's docking: a library frame with toolbars in two rows at the
// top (the second holding more than fits, so its bars are squeezed from
// its end), and on the left, right and bottom, and the frame's bars menu
// open over it.
#include "tests/shot/GallerySheets.h"

#include "framework/win/DC.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <memory>
#include <vector>

namespace {

// A toolbar of a fixed full length that shows its border lines, gripper
// and name, and may be squeezed down to 60 pixels.
class CDockingGalleryBar : public CZUDPToolBar {
public:
    explicit CDockingGalleryBar(int nLength) : m_nLength(nLength) { SetMinSize(CSize(60, 60)); }

    CSize CalcStretchSize(BOOL, BOOL bHorz) override { return bHorz ? CSize(m_nLength, 26) : CSize(26, m_nLength); }
    void GetMinSize(CSize& size) const override { CZUDPControlBar::GetMinSize(size); }

    void PaintBar(CDC* pDC) override
    {
        CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
        CRect rectClient;
        GetClientRect(&rectClient);
        pManager->FillBarBackground(pDC, this, rectClient, rectClient);
        CRect rectLines = rectClient;
        pManager->DrawBarBorder(pDC, this, rectLines);
        CRect rectInner = rectClient;
        DeflateRectByBorders(rectInner, IsHorizontal());
        const CRect rectGripper = IsHorizontal()
                                      ? CRect(rectInner.left - 7, rectInner.top, rectInner.left, rectInner.bottom)
                                      : CRect(rectInner.left, rectInner.top - 7, rectInner.right, rectInner.top);
        pManager->DrawBarGripper(pDC, rectGripper, IsHorizontal(), this);
        if (!IsHorizontal())
            return;
        CString strTitle;
        GetWindowText(strTitle);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF clrOld = pDC->SetTextColor(g_uiEnvironment.m_colorBarText);
        CFont* pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontRegular);
        rectInner.left += 4;
        pDC->DrawText(strTitle, rectInner, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        pDC->SelectObject(pOldFont);
        pDC->SetTextColor(clrOld);
        pDC->SetBkMode(nOldMode);
    }

private:
    int m_nLength;
};

struct BarsMenuShot {
    const GalleryPhotographer* photograph = nullptr;
    bool done = false;
};
BarsMenuShot* g_barsMenuShot = nullptr;

VOID CALLBACK PhotographBarsMenu(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    BarsMenuShot* shot = g_barsMenuShot;
    if (shot == nullptr || shot->done)
        return;
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (menu == nullptr || !::IsWindowVisible(menu))
        return;
    shot->done = true;
    ::KillTimer(nullptr, idEvent);
    (*shot->photograph)("docking-bars-menu", menu);
    ::EndMenu();
}

} // namespace

bool ShootDockingSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!frame.Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 360)))
        return false;
    const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    for (DWORD side : sides) {
        CZUDPDockBar* pDockBar = new CZUDPDockBar;   // deletes itself with its window
        if (!pDockBar->Create(side, CRect(), &frame, 0)) {
            delete pDockBar;
            return false;
        }
        frame.RegisterBar(pDockBar);
    }
    frame.RecalcLayout();

    struct BarSpec {
        const char* name;
        int length;
        UINT dockBarId;
        CRect rectRow;   // a point of the row to join (dock-bar client coordinates); empty: a new row
        int along;
    } specs[] = {
        {"Standard", 180, AFX_IDW_DOCKBAR_TOP, CRect(), 0},
        {"Formatting", 150, AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 1, 1), 200},
        {"Drawing", 200, AFX_IDW_DOCKBAR_TOP, CRect(), 0},
        {"Machines", 200, AFX_IDW_DOCKBAR_TOP, CRect(0, 27, 1, 28), 200},
        {"Network", 200, AFX_IDW_DOCKBAR_TOP, CRect(0, 27, 1, 28), 400},
        {"Tools", 140, AFX_IDW_DOCKBAR_LEFT, CRect(), 0},
        {"Views", 120, AFX_IDW_DOCKBAR_RIGHT, CRect(), 0},
        {"Status", 220, AFX_IDW_DOCKBAR_BOTTOM, CRect(), 0},
    };
    std::vector<std::unique_ptr<CDockingGalleryBar>> bars;
    UINT nID = 701;
    for (const BarSpec& spec : specs) {
        bars.push_back(std::make_unique<CDockingGalleryBar>(spec.length));
        CDockingGalleryBar& bar = *bars.back();
        if (!bar.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 10, 10), &frame,
                            nID++, ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE))
            return false;
        bar.SetWindowText(spec.name);
        bar.SetDockableSides(CBRS_ALIGN_ANY);
        const BOOL bHorz = spec.dockBarId == AFX_IDW_DOCKBAR_TOP || spec.dockBarId == AFX_IDW_DOCKBAR_BOTTOM;
        bar.GetRecentDockInfo().m_recentDockedInfo.m_rectDockedRect =
            bHorz ? CRect(spec.along, 0, spec.along + spec.length, 26) : CRect(0, spec.along, 26, spec.along + spec.length);
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
    BarsMenuShot shot;
    shot.photograph = &photograph;
    g_barsMenuShot = &shot;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &PhotographBarsMenu);
    CRect rectFrame;
    frame.GetWindowRect(&rectFrame);
    ::TrackPopupMenu(menu.GetSafeHmenu(), TPM_LEFTALIGN | TPM_RETURNCMD, rectFrame.left + 120, rectFrame.top + 120,
                     0, frame.m_hWnd, nullptr);
    ::KillTimer(nullptr, timer);
    g_barsMenuShot = nullptr;

    for (auto& bar : bars)
        bar->DestroyWindow();
    frame.DestroyWindow();
    return shot.done;
}
