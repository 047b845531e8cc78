#include "ui/commandbars/ZUDPTabbedToolbar.h"

#include "framework/Archive.h"
#include "framework/win/FrameWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

IMPLEMENT_SERIAL(CZUDPTabbedToolbar, CZUDPToolBar, VERSIONABLE_SCHEMA | 2)

BEGIN_MESSAGE_MAP(CZUDPTabbedToolbar, CZUDPToolBar)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_REGISTERED_MESSAGE(ZUDM_ONCHANGE_ACTIVE_TAB, &CZUDPTabbedToolbar::OnChangeActiveTab)
END_MESSAGE_MAP()

CZUDPTabbedToolbar::CZUDPTabbedToolbar()
{
    // The tab window fills the bar: no borders round it.
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CZUDPTabbedToolbar::CreateTabbedBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID, DWORD dwControlBarStyle)
{
    if (dwControlBarStyle & ZUDP_CBRS_FLOAT)
        dwStyle |= CBRS_GRIPPER;
    // Docked at the top or the bottom only.
    dwStyle &= ~(CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    const CString strClass = g_uiEnvironment.RegisterWindowClass("ZUDPTabbedToolBar");
    return CreatePane(strClass, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID, dwControlBarStyle, nullptr);
}

int CZUDPTabbedToolbar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // Only the window's own creation: the toolbar's cursors, drop target,
    // tooltips and region belong to bars with buttons.
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    const CRect rect(0, 0, lpCreateStruct != nullptr ? lpCreateStruct->cx : 0,
                     lpCreateStruct != nullptr ? lpCreateStruct->cy : 0);
    m_pTabWnd = new CZUDPTabWnd;
    if (!m_pTabWnd->CreateWithStyle(CZUDPTabWnd::TabStyle3D, rect, this, kTabWindowId, TabLocationBottom, FALSE)) {
        delete m_pTabWnd;
        m_pTabWnd = nullptr;
        return -1;
    }
    m_pTabWnd->m_bAutoDestroyWindow = FALSE;  // a removed tab keeps its toolbar
    m_pTabWnd->HideForSingleTab(FALSE);
    m_pTabWnd->m_bWrapPlainWindows = FALSE;
    m_pTabWnd->m_bEnableTabMove = FALSE;

    if (g_toolbarList.Find(this) == nullptr)
        g_toolbarList.AddTail(this);
    return 0;
}

void CZUDPTabbedToolbar::OnNcDestroy()
{
    // The tab window's window went with its parent's children; its object
    // is ours.  Taken before the bar's own clean-up, which may end this
    // object's life.
    CZUDPTabWnd* pTabWnd = m_pTabWnd;
    m_pTabWnd = nullptr;
    CZUDPToolBar::OnNcDestroy();
    delete pTabWnd;
}

LRESULT CZUDPTabbedToolbar::OnChangeActiveTab(WPARAM, LPARAM)
{
    return 0;
}

BOOL CZUDPTabbedToolbar::AddTab(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bActivate, BOOL bDetachable)
{
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr || pBar == nullptr ||
        pBar->GetSafeHwnd() == nullptr)
        return FALSE;

    pBar->SetParent(m_pTabWnd);
    // Commands and status prompts of the bar still reach the frame.
    pBar->SetOwner(GetEnclosingFrame(this));

    CString strLabel;
    pBar->GetWindowText(strLabel);
    pBar->ReplaceBarStyle(pBar->GetBarStyle() & ~CBRS_GRIPPER);
    m_pTabWnd->AppendTab(pBar, strLabel, -1, bDetachable);

    const int nLast = m_pTabWnd->GetTabCount() - 1;
    if (bActivate)
        m_pTabWnd->ActivateTab(nLast);
    m_pTabWnd->ShowTabAt(nLast, bShow, TRUE, FALSE);

    RefreshPlacement();
    return TRUE;
}

void CZUDPTabbedToolbar::RefreshPlacement()
{
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr && m_hWnd != nullptr) {
        CSize sizeLargest;
        m_pTabWnd->GetLargestPaneMinSize(sizeLargest);
        const int nBorder = m_pTabWnd->GetTabBorderSize();
        const CSize sizeNew(sizeLargest.cx + 2 * nBorder,
                            sizeLargest.cy + 2 * nBorder + m_pTabWnd->GetTabHeight() + 2);

        CRect rectOld;
        m_pTabWnd->GetWindowRect(&rectOld);
        // Inside the gripper and border lines a docked bar draws, which
        // CalcStretchSize adds round the tab window.
        CRect rectTaken(0, 0, 0, 0);
        DeflateRectByBorders(rectTaken, TRUE);
        m_pTabWnd->SetWindowPos(nullptr, rectTaken.left, rectTaken.top, sizeNew.cx, sizeNew.cy,
                                SWP_NOZORDER | SWP_NOACTIVATE);
        m_pTabWnd->RecalcLayout();

        // The full length is the new one before the row stretches the bar
        // to it: a bar only grows up to its full length.
        UpdateVirtualRect();
        StretchBar(sizeNew.cx - rectOld.Width(), nullptr);
        UpdateVirtualRect();
        // Docked, the bar's height across its row follows the tab window
        // too (a stretch changes only the length), and the row fits its
        // bars to its length again.
        if (GetParentDockBar() != nullptr) {
            RecalcSizeInParent(FALSE);
            // A row never thinner than its bars: a taller tab window makes
            // the row taller (the row refreshes its bars' placement, which
            // comes back here with the sizes already right).
            CZUDPDockBarRow* pRow = GetDockBarRow();
            const int nThickness = CalcStretchSize(FALSE, TRUE).cy;
            if (pRow != nullptr && !m_bInPlacement && nThickness > pRow->GetHeight()) {
                m_bInPlacement = TRUE;
                GetParentDockBar()->ResizeRow(pRow, nThickness, TRUE);
                m_bInPlacement = FALSE;
            }
        }

        if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
            pMiniFrame->SizeToHostedBar();
        else if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout(TRUE);
    }
    CZUDPToolBar::RefreshPlacement();
}

CSize CZUDPTabbedToolbar::CalcStretchSize(BOOL bStretch, BOOL bHorz)
{
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr)
        return CZUDPToolBar::CalcStretchSize(bStretch, bHorz);
    CRect rectTabs;
    m_pTabWnd->GetWindowRect(&rectTabs);
    // What the borders, border lines and gripper take off an empty
    // rectangle, on each side.
    CRect rectTaken(0, 0, 0, 0);
    DeflateRectByBorders(rectTaken, TRUE);
    return CSize(rectTabs.Width() + rectTaken.left - rectTaken.right,
                 rectTabs.Height() + rectTaken.top - rectTaken.bottom);
}
