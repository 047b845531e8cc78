// The gallery's toolbars: a docked toolbar with normal, hot, pressed,
// checked and disabled buttons; the same buttons with text labels; a
// floating toolbar wrapped into rows; a docked toolbar too short for its
// buttons with the overflow chevron; and a toolbar in customization mode
// with its selected button and the insertion mark.
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"

#include <memory>
#include <vector>

namespace {

const std::vector<LPCTSTR> kToolbarCaptions = {"Open", "Save", nullptr, "Cut", "Copy", "Paste", nullptr,
                                                "Print", "Find", "Help"};

// A toolbar that keeps its hot button when the mouse leaves: the virtual
// display's pointer is elsewhere, and the picture should show the button
// the mouse was moved over.
class CKeepHotToolBar : public CZUDPToolBar {
public:
    BOOL KeepsHotOnMouseLeave() const override { return TRUE; }
};

void RepaintNow(CWnd& wnd)
{
    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

bool ShootToolBarSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Toolbars", CRect(40, 40, 600, 330)))
        return false;
    CKeepHotToolBar states;
    CZUDPToolBar labels, overflow;
    if (!MakeGalleryToolBar(states, frame, 81, "States", kToolbarCaptions) ||
        !MakeGalleryToolBar(labels, frame, 82, "Labels", {"Open", "Save", nullptr, "Print"}) ||
        !MakeGalleryToolBar(overflow, frame, 83, "Overflow", kToolbarCaptions))
        return false;
    overflow.SetOverflowButton(TRUE, 899, "Customize...");
    frame.DockBarAtSite(&states, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame.DockBarAtSite(&labels, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame.DockBarAtSite(&overflow, AFX_IDW_DOCKBAR_LEFT, nullptr);
    labels.ShowTextLabels(TRUE);
    frame.RecalcLayout();

    // Hot (the mouse over it), pressed, checked, disabled, checked and
    // disabled.
    states.ChangeButtonStyle(3, TBBS_PRESSED);
    states.ChangeButtonStyle(4, TBBS_CHECKBOX | TBBS_CHECKED);
    states.ChangeButtonStyle(5, TBBS_DISABLED);
    states.ChangeButtonStyle(7, TBBS_DISABLED | TBBS_CHECKED);
    CRect rectHot;
    states.GetItemRect(1, &rectHot);
    states.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rectHot.CenterPoint().x, rectHot.CenterPoint().y));

    // The vertical bar is cut short: its last buttons go to the chevron.
    CZUDPDockBar* pLeft = overflow.GetParentDockBar();
    CRect rectOverflow;
    overflow.GetWindowRect(&rectOverflow);
    if (pLeft != nullptr) {
        pLeft->ScreenToClient(&rectOverflow);
        overflow.SetWindowPos(nullptr, rectOverflow.left, rectOverflow.top, rectOverflow.Width(), 120,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RepaintNow(frame);
    pump(300);
    photograph("toolbar-docked-states", frame.m_hWnd);
    photograph("toolbar-states", states.m_hWnd);
    photograph("toolbar-text-labels", labels.m_hWnd);
    photograph("toolbar-overflow", overflow.m_hWnd);

    // Customization: the second button selected, the insertion mark before
    // the fifth.
    const BOOL bCustomize = g_customizeMode;
    g_customizeMode = TRUE;
    g_customizeSelectedBar = &states;
    states.SetSelectedIndex(1);
    CRect rectMark;
    states.GetItemRect(4, &rectMark);
    rectMark = CRect(rectMark.left - 3, rectMark.top + 1, rectMark.left + 3, rectMark.bottom - 1);
    states.SetInsertionMark(4, rectMark);
    RepaintNow(states);
    pump(200);
    photograph("toolbar-customization", states.m_hWnd);
    states.SetInsertionMark(-1, CRect());
    states.SetSelectedIndex(-1);
    g_customizeSelectedBar = nullptr;
    g_customizeMode = bCustomize;

    // Floating, wrapped into three rows.
    CZUDPToolBar floating;
    if (!MakeGalleryToolBar(floating, frame, 84, "Floating", kToolbarCaptions))
        return false;
    frame.DockBarAtSite(&floating, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    floating.FloatBar(CRect(620, 120, 720, 260), ZUDP_DM_MENU, TRUE);
    bool bFloated = false;
    if (CZUDPMiniFrameWnd* pMiniFrame = floating.GetParentMiniFrame()) {
        // Sized freely: the bar wraps for its most recent width.
        floating.ReplaceBarStyle(floating.GetBarStyle() | CBRS_SIZE_DYNAMIC);
        floating.SetMRUWidth(4 * floating.GetColumnWidth());
        pMiniFrame->SizeToHostedBar();
        floating.PositionButtons();
        RepaintNow(*pMiniFrame);
        pump(300);
        photograph("toolbar-floating-wrapped", pMiniFrame->m_hWnd);
        bFloated = true;
    }

    floating.DestroyWindow();
    states.DestroyWindow();
    labels.DestroyWindow();
    overflow.DestroyWindow();
    frame.DestroyWindow();
    return bFloated;
}
