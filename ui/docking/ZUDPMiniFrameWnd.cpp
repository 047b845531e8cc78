#include "ui/docking/ZUDPMiniFrameWnd.h"

#include "framework/Archive.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_SERIAL(CZUDPMiniFrameWnd, CMiniFrameWnd, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CZUDPMultiMiniFrameWnd, CZUDPMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

CMap<UINT, UINT, HWND, HWND> g_floatingBarMap;

BEGIN_MESSAGE_MAP(CZUDPMiniFrameWnd, CMiniFrameWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_REGISTERED_MESSAGE(ZUDPMSG_CHECKEMPTYMINIFRAME, &CZUDPMiniFrameWnd::OnCheckEmptyState)
END_MESSAGE_MAP()

CZUDPMiniFrameWnd::CZUDPMiniFrameWnd() { g_miniFrameList.AddTail(this); }

CZUDPMiniFrameWnd::~CZUDPMiniFrameWnd()
{
    POSITION pos = g_miniFrameList.Find(this);
    if (pos != nullptr)
        g_miniFrameList.RemoveAt(pos);
}

void CZUDPMiniFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CZUDPMiniFrameWnd::CreateFrame(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                                    CCreateContext* pContext)
{
    (void)pContext;
    RecordOwner(AfxSafeHwnd(pParentWnd));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    const DWORD dwFrameStyle = dwStyle | WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, lpszWindowName != nullptr ? lpszWindowName : "", dwFrameStyle, rect,
                    pParentWnd, 0);
}

int CZUDPMiniFrameWnd::HasHostedBar() const
{
    if (m_pHostedBar == nullptr || !::IsWindow(m_pHostedBar->GetSafeHwnd()))
        return 0;
    return ::GetParent(m_pHostedBar->GetSafeHwnd()) == m_hWnd ? 1 : 0;
}

void CZUDPMiniFrameWnd::AddHostedBar(CWnd* pBar)
{
    if (pBar == nullptr)
        return;
    m_pHostedBar = pBar;
    m_bKeptForDrag = FALSE;
    UpdateFloatingBarMap(pBar, TRUE);
    if (m_hWnd != nullptr) {
        // A close box only for a bar that may be closed.
        CZUDPBaseControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pBar);
        const BOOL bCanClose = pControlBar == nullptr || pControlBar->CanClose();
        ModifyStyle(bCanClose ? 0 : WS_SYSMENU, bCanClose ? WS_SYSMENU : 0, SWP_FRAMECHANGED);
    }
    OnBarSetChanged();
}

void CZUDPMiniFrameWnd::RemoveHostedBar(CWnd* pBar, BOOL bDestroyIfEmpty, BOOL bKeepFrame)
{
    if (pBar == nullptr || pBar != m_pHostedBar)
        return;
    UpdateFloatingBarMap(pBar, FALSE);
    m_pHostedBar = nullptr;
    if (!bDestroyIfEmpty || m_hWnd == nullptr)
        return;
    if (bKeepFrame) {
        // A drag that left the frame goes on: the frame stays (and keeps
        // the mouse) until the drag ends.
        m_bKeptForDrag = TRUE;
        return;
    }
    // The bar is still a child here: the frame closes itself once the bar
    // has left it.
    PostMessage(ZUDPMSG_CHECKEMPTYMINIFRAME);
}

void CZUDPMiniFrameWnd::OnBarSetChanged()
{
    if (m_hWnd == nullptr || m_pHostedBar == nullptr || m_pHostedBar->GetSafeHwnd() == nullptr)
        return;
    CString strTitle;
    m_pHostedBar->GetWindowText(strTitle);
    SetWindowText(strTitle);
}

void CZUDPMiniFrameWnd::SizeToHostedBar()
{
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if (m_hWnd == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const CSize size = pBar->CalcStretchSize(FALSE, pBar->IsHorizontal());
    if (size.cx > 0 && size.cy > 0 && size.cx < 0x7FFF && size.cy < 0x7FFF) {
        CRect rectWindow(0, 0, size.cx, size.cy);
        CalcWindowRect(&rectWindow);
        SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RepositionHostedBar();
}

void CZUDPMiniFrameWnd::RepositionHostedBar()
{
    if (m_hWnd == nullptr || HasHostedBar() == 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_pHostedBar->SetWindowPos(nullptr, 0, 0, rectClient.Width(), rectClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPMiniFrameWnd::OnHostedBarLayoutChanged()
{
    if (CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar))
        pBar->RefreshPlacement();
    SizeToHostedBar();
}

void CZUDPMiniFrameWnd::UpdateFloatingBarMap(CWnd* pBar, BOOL bAdd)
{
    HWND hWndBar = AfxSafeHwnd(pBar);
    if (hWndBar == nullptr)
        return;
    const UINT nID = (UINT)::GetDlgCtrlID(hWndBar);
    if (bAdd) {
        g_floatingBarMap.SetAt(nID, hWndBar);
        return;
    }
    HWND hWndListed = nullptr;
    if (g_floatingBarMap.Lookup(nID, hWndListed) && hWndListed == hWndBar)
        g_floatingBarMap.RemoveKey(nID);
}

void CZUDPMiniFrameWnd::HideWithBar()
{
    if (m_pHostedBar != nullptr && m_pHostedBar->GetSafeHwnd() != nullptr)
        m_pHostedBar->ShowWindow(SW_HIDE);
    if (m_hWnd != nullptr)
        ShowWindow(SW_HIDE);
}

void CZUDPMiniFrameWnd::DockToRecentPlace()
{
    if (CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar))
        pBar->HandleMouseDrag(nullptr, nullptr, ZUDP_DM_DBLCLICK);
}

int CZUDPMiniFrameWnd::GetCaptionHeight() const { return ::GetSystemMetrics(SM_CYSMCAPTION); }

void CZUDPMiniFrameWnd::BeginMove(CWnd* pWnd)
{
    (void)pWnd;
    if (m_hWnd == nullptr)
        return;
    SetCapture();
    m_bMovingWithMouse = TRUE;
    g_frameworkSeams.cursorPos(&m_ptMoveStart);
}

void CZUDPMiniFrameWnd::EndMove()
{
    if (!m_bMovingWithMouse)
        return;
    m_bMovingWithMouse = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CZUDPMiniFrameWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_bMovingWithMouse) {
        Default();
        return;
    }
    ClientToScreen(&point);
    const CSize offset = point - m_ptMoveStart;
    if (offset.cx == 0 && offset.cy == 0)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(offset);
    SetWindowPos(nullptr, rectWindow.left, rectWindow.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_ptMoveStart = point;
}

void CZUDPMiniFrameWnd::OnLButtonDown(UINT, CPoint point)
{
    // A bar forwards a press on its own area: the frame moves as a whole.
    ClientToScreen(&point);
    BeginMove();
    m_ptMoveStart = point;
}

void CZUDPMiniFrameWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_bMovingWithMouse) {
        EndMove();
        return;
    }
    Default();
}

void CZUDPMiniFrameWnd::OnCancelMode()
{
    EndMove();
    Default();
}

void CZUDPMiniFrameWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (AfxSafeHwnd(pWnd) != m_hWnd)
        m_bMovingWithMouse = FALSE;
    Default();
}

void CZUDPMiniFrameWnd::OnClose()
{
    if (AskOwnerFrame())
        HideWithBar();
}

void CZUDPMiniFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RepositionHostedBar();
}

LRESULT CZUDPMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (m_bKeptForDrag)
        return 0;
    if (HasHostedBar() == 0) {
        DestroyWindow();
        return 0;
    }
    // A frame whose bar is hidden shows nothing.
    if (!(m_pHostedBar->GetStyle() & WS_VISIBLE))
        ShowWindow(SW_HIDE);
    return 0;
}

void CZUDPMiniFrameWnd::RedrawAllMiniFrames()
{
    for (POSITION pos = g_miniFrameList.GetHeadPosition(); pos != nullptr;) {
        CZUDPMiniFrameWnd* pFrame = static_cast<CZUDPMiniFrameWnd*>(g_miniFrameList.GetNext(pos));
        if (pFrame != nullptr && CWnd::FromHandlePermanent(pFrame->m_hWnd) == pFrame)
            pFrame->RedrawWindow(nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_UPDATENOW);
    }
}

BOOL CZUDPMultiMiniFrameWnd::InsertBarBeside(CWnd* pBar, CWnd* pTarget, BOOL bAfter)
{
    (void)pBar;
    (void)pTarget;
    (void)bAfter;
    return FALSE;
}

// ---------------------------------------------------------------------------
// A bar torn off a popup menu

BOOL CZUDPMiniFrameWnd::RunTearOffDragLoop(CZUDPPopupMenu* pPopup)
{
    const HWND hWndPopup = pPopup != nullptr ? pPopup->GetSafeHwnd() : nullptr;
    if (hWndPopup != nullptr && ::IsWindow(hWndPopup)) {
        pPopup->ShowWindow(SW_HIDE);
        // The parent button no longer stands under an open menu.
        if (CZUDPToolbarMenuButton* pButton = pPopup->m_pParentBtn) {
            CWnd* pButtonWnd = pButton->GetParentWnd();
            if (pButtonWnd != nullptr && ::IsWindow(pButtonWnd->GetSafeHwnd())) {
                CRect rect = pButton->Rect();
                rect.InflateRect(4, 4);
                pButtonWnd->RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
        }
    }
    auto popupAlive = [&] {
        return hWndPopup != nullptr && ::IsWindow(hWndPopup) && CWnd::FromHandlePermanent(hWndPopup) == pPopup;
    };

    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) {
        if (popupAlive())
            pPopup->ShowWindow(SW_SHOWNOACTIVATE);
        return FALSE;
    }
    const HWND hWndBar = pBar->m_hWnd;

    BOOL bAccepted = FALSE;
    BOOL bStarted = TRUE;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageA(&msg);
    if (::GetCapture() != nullptr) {
        // Another window holds the mouse: the tear-off ends as cancelled,
        // so that neither a hidden menu nor a stray bar is left behind.
        bStarted = FALSE;
    }
    if (bStarted) {
        pBar->SetCapture();
        CRect rectFrame;
        GetWindowRect(&rectFrame);
        const CPoint ptGrip(rectFrame.CenterPoint().x, rectFrame.top + 5);
        g_frameworkSeams.setCursorPos(ptGrip.x, ptGrip.y);
        const CSize sizeOffset = ptGrip - rectFrame.TopLeft();
        while (::GetCapture() == hWndBar) {
            if (!::GetMessageA(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
                continue;
            if (msg.message == WM_MOUSEMOVE) {
                POINT pt = {0, 0};
                g_frameworkSeams.cursorPos(&pt);
                SetWindowPos(nullptr, pt.x - sizeOffset.cx, pt.y - sizeOffset.cy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                continue;
            }
            if (msg.message == WM_LBUTTONUP) {
                bAccepted = TRUE;
                break;
            }
            if (msg.message == WM_RBUTTONDOWN)
                break;
            ::DispatchMessageA(&msg);
        }
        if (::GetCapture() == hWndBar)
            ::ReleaseCapture();
    }

    CFrameWnd* pFrame = g_activeInPlaceFrame;
    if (pFrame == nullptr)
        pFrame = GetTopLevelFrameOrInPlace(static_cast<CWnd*>(this));
    if (popupAlive()) {
        if (bAccepted) {
            // Closing the popup deletes it.
            ::SendMessageA(hWndPopup, WM_CLOSE, 0, 0);
            if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()))
                pFrame->SetFocus();
        } else {
            pPopup->ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    if (bAccepted)
        return TRUE;
    // Cancelled: the bar goes, and this frame, emptied, with it.
    if (CZUDPFrameImpl* pImpl = FrameImplOf(pFrame))
        pImpl->RemoveTearOffBar(DYNAMIC_DOWNCAST(CZUDPToolBar, pBar));
    if (::IsWindow(hWndBar))
        pBar->DestroyWindow();
    delete pBar;
    return FALSE;
}
