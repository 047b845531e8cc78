// The gallery's panes: a library frame with its dock bars, two panes
// docked side by side in the top dock bar and one in the bottom one (each
// with its gripper and border lines), a pane floating in its own floating
// frame, the pane menu open over a docked pane, and a tabbed toolbar of
// three toolbars docked at the top.
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPTabbedToolbar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

// A pane of a fixed size that shows its frame the way a toolbar's
// non-client frame does: border lines, gripper, and its title inside.
template <class TBase>
class CGalleryBar : public TBase {
public:
    explicit CGalleryBar(CSize sizeFull) : m_sizeFull(sizeFull) {}

    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override
    {
        if (bStretch)
            return TBase::CalcStretchSize(bStretch, bHorz);
        return bHorz ? m_sizeFull : CSize(m_sizeFull.cy, m_sizeFull.cx);
    }

    void PaintBar(CDC* pDC) override
    {
        TBase::PaintBar(pDC);
        CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
        CRect rectClient;
        this->GetClientRect(&rectClient);
        CRect rectLines = rectClient;
        pManager->DrawBarBorder(pDC, this, rectLines);
        CRect rectInner = rectClient;
        TBase::DeflateRectByBorders(rectInner, this->IsHorizontal());
        if ((this->GetBarStyle() & CBRS_GRIPPER) && !(this->GetBarStyle() & CBRS_FLOATING)) {
            const CRect rectGripper = this->IsHorizontal()
                                          ? CRect(rectInner.left - 7, rectInner.top, rectInner.left, rectInner.bottom)
                                          : CRect(rectInner.left, rectInner.top - 7, rectInner.right, rectInner.top);
            pManager->DrawBarGripper(pDC, rectGripper, this->IsHorizontal(), this);
        }
        CString strTitle;
        TBase::GetWindowText(strTitle);
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
    CSize m_sizeFull;
};
using CGalleryPane = CGalleryBar<CZUDPControlBar>;

bool MakePane(CZUDPControlBar& pane, CFrameWnd& frame, UINT nID, const char* title)
{
    if (!pane.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 10, 10), &frame, nID,
                         ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE))
        return false;
    pane.SetWindowText(title);
    pane.SetDockableSides(CBRS_ALIGN_ANY);
    return true;
}


} // namespace

bool ShootPaneSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Panes", CRect(40, 40, 560, 320)))
        return false;

    // Two panes side by side in the top dock bar, one in the bottom one.
    CGalleryPane standard(CSize(180, 26)), formatting(CSize(150, 26)), status(CSize(240, 24));
    if (!MakePane(standard, frame, 101, "Standard") || !MakePane(formatting, frame, 102, "Formatting") ||
        !MakePane(status, frame, 103, "Machines"))
        return false;
    frame.DockBarAtSite(&standard, AFX_IDW_DOCKBAR_TOP, nullptr);
    const CRect rectFirstRow(0, 0, 10, 10);   // the top dock bar's first row
    formatting.GetRecentDockInfo().m_recentDockedInfo.m_rectDockedRect = CRect(200, 0, 350, 26);
    frame.DockBarAtSite(&formatting, AFX_IDW_DOCKBAR_TOP, &rectFirstRow);
    frame.DockBarAtSite(&status, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    frame.RecalcLayout();

    // A pane floating in its floating frame.
    CGalleryPane floating(CSize(170, 60));
    if (!MakePane(floating, frame, 104, "Log"))
        return false;
    frame.DockBarAtSite(&floating, AFX_IDW_DOCKBAR_TOP, nullptr);
    floating.FloatBar(CRect(600, 120, 780, 200), ZUDP_DM_MENU, TRUE);
    pump(300);
    photograph("pane-frame-docked", frame.m_hWnd);
    if (CZUDPMiniFrameWnd* pFloating = floating.GetParentMiniFrame())
        photograph("pane-floating", pFloating->m_hWnd);

    // The pane menu of a docked pane, open.
    CZUDPContextMenuManager menuManager;
    const bool bMenuShot = PhotographMenuWhileOpen(photograph, "pane-menu", [&] {
        CRect rectPane;
        standard.GetWindowRect(&rectPane);
        standard.ShowDockingMenu(CPoint(rectPane.left + 40, rectPane.bottom));
    });
    pump(100);

    // A tabbed toolbar of three toolbars in a row of its own at the top,
    // the second one active.
    CZUDPTabbedToolbar tabbed;
    CZUDPToolBar standardBar, viewBar, toolsBar;
    if (!tabbed.CreateTabbedBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 110) ||
        !MakeGalleryToolBar(standardBar, frame, 111, "Standard", {"New", "Open", "Save", nullptr, "Print"}) ||
        !MakeGalleryToolBar(viewBar, frame, 112, "View", {"Zoom", "Grid", nullptr, "List", "Tree", "Refresh", "Full"}) ||
        !MakeGalleryToolBar(toolsBar, frame, 113, "Tools", {"Options", "Upload", "Ping"}))
        return false;
    tabbed.SetWindowText("Toolbars");
    tabbed.SetDockableSides(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    frame.DockBarAtSite(&tabbed, AFX_IDW_DOCKBAR_TOP, nullptr);
    tabbed.AddTab(&standardBar);
    tabbed.AddTab(&viewBar);
    tabbed.AddTab(&toolsBar, TRUE, FALSE);
    tabbed.GetTabWnd()->ActivateTab(1);
    frame.RecalcLayout();
    pump(300);
    photograph("tabbed-toolbar-docked", frame.m_hWnd);

    frame.DestroyWindow();
    return bMenuShot;
}
