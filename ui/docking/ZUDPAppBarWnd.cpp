#include "ui/docking/ZUDPAppBarWnd.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_SERIAL(CZUDPAppBarWnd, CWnd, VERSIONABLE_SCHEMA | 2)

namespace {

const char kAppBarSection[] = "ZUDPAppBars";
const char kAppBarKeyFormat[] = "%sZUDPAppBar-%d";
const char kAppBarAutoHide[] = "IsAutoHide";
const char kAppBarOnTop[] = "IsAlwaysOnTop";
const char kAppBarSide[] = "Side";
const char kAppBarFloat[] = "RectFloat";
const char kAppBarDims[] = "DimsDock%d";
// Timers: slide in once the cursor left, slide out over the strip.
constexpr UINT_PTR kAppBarSlideInTimer = 1;
constexpr UINT_PTR kAppBarSlideOutTimer = 2;
constexpr UINT kAppBarSlideInDelay = 500;

CString AppBarKey(LPCTSTR lpszProfileName, int nIndex)
{
    CString key;
    key.Format(kAppBarKeyFormat, (LPCTSTR)BuildRegistrySectionPath(kAppBarSection, lpszProfileName), nIndex);
    return key;
}

} // namespace

BEGIN_MESSAGE_MAP(CZUDPAppBarWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_TIMER()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_REGISTERED_MESSAGE(ZUDM_APPBAR_CALLBACK, &CZUDPAppBarWnd::OnAppBarCallback)
    ON_MESSAGE(WM_ENTERSIZEMOVE, &CZUDPAppBarWnd::OnEnterSizeMove)
    ON_MESSAGE(WM_EXITSIZEMOVE, &CZUDPAppBarWnd::OnExitSizeMove)
END_MESSAGE_MAP()

CZUDPAppBarWnd::CZUDPAppBarWnd() { m_nCaptionHeight = g_uiEnvironment.m_textHeight + 4; }

CZUDPAppBarWnd::~CZUDPAppBarWnd() = default;

// ---------------------------------------------------------------------------
// Saved state

BOOL CZUDPAppBarWnd::LoadState(LPCTSTR lpszProfileName, int nIndex)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(AppBarKey(lpszProfileName, nIndex)))
        return FALSE;
    // The values are outside input: a side must be one the bar knows, a
    // docked size may not take more than half the screen (nor vanish), and
    // a floating rectangle must lie where it can be seen.
    int nValue = 0;
    if (reg.Read(kAppBarAutoHide, nValue))
        m_bAutoHide = nValue != 0;
    if (reg.Read(kAppBarOnTop, nValue))
        m_bAlwaysOnTop = nValue != 0;
    if (reg.Read(kAppBarSide, nValue) && (nValue == kFloating || (nValue >= kSideLeft && nValue <= kSideBottom)))
        m_nSide = nValue;
    CRect rectScreen;
    GetScreenRect(rectScreen);
    for (int i = 0; i < 4; ++i) {
        CString name;
        name.Format(kAppBarDims, i);
        if (!reg.Read(name, nValue))
            continue;
        const int nLimit = (IsLeftOrRight(i) ? rectScreen.Width() : rectScreen.Height()) / 2;
        m_nDockedSize[i] = nValue < kAutoHideStrip ? kAutoHideStrip : (nValue > nLimit ? nLimit : nValue);
    }
    CRect rectFloat;
    if (reg.Read(kAppBarFloat, rectFloat)) {
        rectFloat.NormalizeRect();
        const CRect rectWork = WorkAreaAt(rectFloat.TopLeft());
        // At most the work area's size, moved inside it.
        if (rectFloat.Width() > rectWork.Width())
            rectFloat.right = rectFloat.left + rectWork.Width();
        if (rectFloat.Height() > rectWork.Height())
            rectFloat.bottom = rectFloat.top + rectWork.Height();
        if (rectFloat.right > rectWork.right)
            rectFloat.OffsetRect(rectWork.right - rectFloat.right, 0);
        if (rectFloat.bottom > rectWork.bottom)
            rectFloat.OffsetRect(0, rectWork.bottom - rectFloat.bottom);
        if (rectFloat.left < rectWork.left)
            rectFloat.OffsetRect(rectWork.left - rectFloat.left, 0);
        if (rectFloat.top < rectWork.top)
            rectFloat.OffsetRect(0, rectWork.top - rectFloat.top);
        m_rectFloat = rectFloat;
    }
    if (GetSafeHwnd() != nullptr) {
        if (m_nSide == kFloating)
            Float();
        else
            DockTo(m_nSide);
    }
    return TRUE;
}

BOOL CZUDPAppBarWnd::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(AppBarKey(lpszProfileName, nIndex)))
        return FALSE;
    reg.Write(kAppBarAutoHide, int(m_bAutoHide));
    reg.Write(kAppBarOnTop, int(m_bAlwaysOnTop));
    reg.Write(kAppBarSide, m_nSide);
    reg.Write(kAppBarFloat, m_rectFloat);
    for (int i = 0; i < 4; ++i) {
        CString name;
        name.Format(kAppBarDims, i);
        reg.Write(name, m_nDockedSize[i]);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Geometry and drawing

void CZUDPAppBarWnd::GetSizingBorders(CRect& rect) const
{
    rect.SetRectEmpty();
    const int cx = ::GetSystemMetrics(SM_CXFRAME);
    const int cy = ::GetSystemMetrics(SM_CYFRAME);
    if (IsFloating()) {
        rect.SetRect(cx, cy, cx, cy);
        return;
    }
    switch (m_nSide) {
    case kSideLeft:
        rect.right = cx;
        break;
    case kSideTop:
        rect.bottom = cy;
        break;
    case kSideRight:
        rect.left = cx;
        break;
    case kSideBottom:
        rect.top = cy;
        break;
    default:
        break;
    }
}

void CZUDPAppBarWnd::GetCaptionRect(CRect& rect) const
{
    CRect borders;
    GetSizingBorders(borders);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rect.SetRect(borders.left, borders.top, rectWindow.Width() - borders.right, borders.top + m_nCaptionHeight);
}

CString CZUDPAppBarWnd::GetCaptionText() const
{
    CString text;
    if (m_hWndOwner != nullptr && ::IsWindow(m_hWndOwner)) {
        char buffer[256] = {};
        ::GetWindowTextA(m_hWndOwner, buffer, sizeof(buffer));
        text = buffer;
        return text;
    }
    return "SideBar";
}

void CZUDPAppBarWnd::DrawFrame(CDC* pDC)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    CRect borders;
    GetSizingBorders(borders);
    CZUDPVisualManager::GetActiveManager()->DrawAppBarFrame(pDC, this, rectWindow, borders);
}

void CZUDPAppBarWnd::DrawCaption(CDC* pDC)
{
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    CZUDPVisualManager::GetActiveManager()->DrawAppBarCaption(pDC, this, rectCaption, GetCaptionText());
}

UINT CZUDPAppBarWnd::HitTest(int x, int y, BOOL bCaptionCounts)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CPoint pt(x, y);
    if (!rectWindow.PtInRect(pt))
        return HTNOWHERE;
    CRect borders;
    GetSizingBorders(borders);
    CRect rectClient(rectWindow.left + borders.left, rectWindow.top + borders.top + m_nCaptionHeight,
                     rectWindow.right - borders.right, rectWindow.bottom - borders.bottom);
    if (rectClient.PtInRect(pt))
        return HTCLIENT;
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    rectCaption.OffsetRect(rectWindow.TopLeft());
    if (rectCaption.PtInRect(pt))
        return bCaptionCounts ? HTCAPTION : HTCLIENT;
    const int cxCorner = IsFloating() ? ::GetSystemMetrics(SM_CXCURSOR) / 2 : 0;
    const int cyCorner = IsFloating() ? ::GetSystemMetrics(SM_CYCURSOR) / 2 : 0;
    const BOOL bLeft = x < rectWindow.left + borders.left;
    const BOOL bRight = x >= rectWindow.right - borders.right;
    const BOOL bTop = y < rectWindow.top + borders.top;
    const BOOL bBottom = y >= rectWindow.bottom - borders.bottom;
    const BOOL bNearLeft = x < rectWindow.left + cxCorner;
    const BOOL bNearRight = x >= rectWindow.right - cxCorner;
    const BOOL bNearTop = y < rectWindow.top + cyCorner;
    const BOOL bNearBottom = y >= rectWindow.bottom - cyCorner;
    if ((bTop || bLeft) && bNearLeft && bNearTop && cxCorner > 0)
        return HTTOPLEFT;
    if (bTop && !bNearLeft && !bNearRight)
        return HTTOP;
    if ((bTop || bRight) && bNearRight && bNearTop && cxCorner > 0)
        return HTTOPRIGHT;
    if (bRight && !bNearTop && !bNearBottom)
        return HTRIGHT;
    if ((bBottom || bRight) && bNearRight && bNearBottom && cxCorner > 0)
        return HTBOTTOMRIGHT;
    if (bBottom && !bNearLeft && !bNearRight)
        return HTBOTTOM;
    if ((bBottom || bLeft) && bNearLeft && bNearBottom && cxCorner > 0)
        return HTBOTTOMLEFT;
    if (bLeft && !bNearTop && !bNearBottom)
        return HTLEFT;
    return UINT(Default());
}

CRect CZUDPAppBarWnd::WorkAreaAt(CPoint pt) const
{
    RECT rc = {};
    if (!g_foundationSeams.monitorWorkArea(pt, &rc))
        g_foundationSeams.primaryWorkArea(&rc);
    return CRect(rc);
}

void CZUDPAppBarWnd::GetScreenRect(CRect& rect) const
{
    // The monitor that holds the bar: a bar on a second monitor docks to
    // that monitor's edges.
    if (GetSafeHwnd() != nullptr) {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &mi)) {
            rect = mi.rcMonitor;
            return;
        }
    }
    rect.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

// ---------------------------------------------------------------------------
// The shell

UINT_PTR CZUDPAppBarWnd::Shell(DWORD dwMessage, APPBARDATA& abd)
{
    abd.cbSize = sizeof(APPBARDATA);   // the structure of this build (48 bytes on x64)
    abd.hWnd = m_hWnd;
    return g_foundationSeams.appBarMessage(dwMessage, &abd);
}

BOOL CZUDPAppBarWnd::Register()
{
    APPBARDATA abd = {};
    abd.uCallbackMessage = ZUDM_APPBAR_CALLBACK;
    m_bRegistered = Shell(ABM_NEW, abd) != 0;
    return m_bRegistered;
}

BOOL CZUDPAppBarWnd::Unregister()
{
    APPBARDATA abd = {};
    m_bRegistered = Shell(ABM_REMOVE, abd) == 0;
    return !m_bRegistered;
}

void CZUDPAppBarWnd::QueryPos(CRect& rect)
{
    APPBARDATA abd = {};
    abd.uEdge = UINT(m_nSide);
    abd.rc = rect;
    Shell(ABM_QUERYPOS, abd);
    rect = abd.rc;
}

void CZUDPAppBarWnd::SetPos(CRect& rect)
{
    if (m_bInSetPos)
        return;
    m_bInSetPos = TRUE;
    APPBARDATA abd = {};
    abd.uEdge = UINT(m_nSide);
    abd.rc = rect;
    Shell(ABM_SETPOS, abd);
    rect = abd.rc;
    m_bInSetPos = FALSE;
}

UINT CZUDPAppBarWnd::GetShellState()
{
    APPBARDATA abd = {};
    return UINT(Shell(ABM_GETSTATE, abd));
}

HWND CZUDPAppBarWnd::GetAutoHideBarOf(int nSide)
{
    APPBARDATA abd = {};
    abd.uEdge = UINT(nSide);
    return reinterpret_cast<HWND>(Shell(ABM_GETAUTOHIDEBAR, abd));
}

BOOL CZUDPAppBarWnd::SetShellAutoHideBar(BOOL bOn)
{
    APPBARDATA abd = {};
    abd.uEdge = UINT(m_nSide);
    abd.lParam = bOn;
    return Shell(ABM_SETAUTOHIDEBAR, abd) != 0;
}

// ---------------------------------------------------------------------------
// Placement

CRect CZUDPAppBarWnd::DockedRectOf(int nSide, int nSize) const
{
    CRect rect;
    GetScreenRect(rect);
    switch (nSide) {
    case kSideLeft:
        rect.right = rect.left + nSize;
        break;
    case kSideTop:
        rect.bottom = rect.top + nSize;
        break;
    case kSideRight:
        rect.left = rect.right - nSize;
        break;
    case kSideBottom:
        rect.top = rect.bottom - nSize;
        break;
    default:
        break;
    }
    return rect;
}

void CZUDPAppBarWnd::AdjustToSide(CRect& rect)
{
    if (!m_bRegistered)
        return;
    CRect rectScreen;
    GetScreenRect(rectScreen);
    const int nWidth = rect.Width();
    const int nHeight = rect.Height();
    if (IsLeftOrRight(m_nSide)) {
        rect.top = rectScreen.top;
        rect.bottom = rectScreen.bottom;
    } else {
        rect.left = rectScreen.left;
        rect.right = rectScreen.right;
    }
    QueryPos(rect);
    switch (m_nSide) {
    case kSideLeft:
        rect.right = rect.left + nWidth;
        break;
    case kSideTop:
        rect.bottom = rect.top + nHeight;
        break;
    case kSideRight:
        rect.left = rect.right - nWidth;
        break;
    case kSideBottom:
        rect.top = rect.bottom - nHeight;
        break;
    default:
        break;
    }
}

void CZUDPAppBarWnd::SetDockedPos(int nSide, CRect rect, BOOL bMove, BOOL bNoSetPos)
{
    if (!m_bRegistered)
        return;
    m_nSide = nSide;
    AdjustToSide(rect);
    if (!bNoSetPos)
        SetPos(rect);
    if (bMove)
        SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (!m_bAutoHideRegistered || m_bUpdating) {
        m_rectDocked = rect;
        m_nDockedSize[nSide] = IsLeftOrRight(nSide) ? rect.Width() : rect.Height();
    }
}

BOOL CZUDPAppBarWnd::DockToSide(int nSide, BOOL bMove, BOOL bNoSetPos)
{
    if (nSide < kSideLeft || nSide > kSideBottom)
        return FALSE;
    SetDockedPos(nSide, DockedRectOf(nSide, m_nDockedSize[nSide]), bMove, bNoSetPos);
    m_bPlacedByDocking = TRUE;
    return TRUE;
}

BOOL CZUDPAppBarWnd::SetAutoHideBar(BOOL bOn, BOOL bMove, BOOL bNoSetPos)
{
    if (!m_bRegistered)
        return FALSE;
    if (!bOn) {
        if (GetAutoHideBarOf(m_nSide) == m_hWnd && m_bAutoHideRegistered && SetShellAutoHideBar(FALSE)) {
            m_bAutoHideRegistered = FALSE;
            m_bSlidIn = FALSE;
            DockToSide(m_nSide, bMove, bNoSetPos);
            return TRUE;
        }
        return FALSE;
    }
    if (m_bAutoHide && (m_dwAllowed & kAllowAutoHide) == 0)
        return FALSE;
    const HWND hHolder = GetAutoHideBarOf(m_nSide);
    if ((hHolder != nullptr && hHolder != m_hWnd) || !SetShellAutoHideBar(TRUE))
        return FALSE;
    m_bAutoHideRegistered = TRUE;
    const CRect rectStrip = DockedRectOf(m_nSide, kAutoHideStrip);
    SetDockedPos(m_nSide, rectStrip, bMove, bNoSetPos);
    SetTimer(kAppBarSlideInTimer, kAppBarSlideInDelay, nullptr);
    return TRUE;
}

BOOL CZUDPAppBarWnd::DockTo(int nSide)
{
    if (IsLeftOrRight(nSide)) {
        if ((m_dwAllowed & kAllowLeftRight) == 0)
            return FALSE;
    } else if (nSide == kSideTop || nSide == kSideBottom) {
        if ((m_dwAllowed & kAllowTopBottom) == 0)
            return FALSE;
    } else if (nSide == kFloating) {
        return (m_dwAllowed & kAllowFloat) != 0 && Float();
    } else {
        return FALSE;
    }
    if (!m_bRegistered && !Register())
        return FALSE;
    const BOOL bWasAutoHide = m_bAutoHideRegistered;
    if (m_bAutoHideRegistered)
        SetAutoHideBar(FALSE, FALSE, TRUE);
    const BOOL bToAutoHide = bWasAutoHide || m_bAutoHide;
    DockToSide(nSide, TRUE, bToAutoHide);
    if (bToAutoHide && !SetAutoHideBar(TRUE, TRUE, FALSE))
        DockToSide(nSide, FALSE, FALSE);   // another bar hides at this edge: the full size is kept
    return TRUE;
}

BOOL CZUDPAppBarWnd::Float()
{
    if ((m_dwAllowed & kAllowFloat) == 0)
        return FALSE;
    if (m_bRegistered) {
        SetAutoHideBar(FALSE, FALSE, TRUE);
        Unregister();
        m_bPlacedByDocking = FALSE;
        m_bSlidIn = FALSE;
    }
    m_nSide = kFloating;
    if (GetSafeHwnd() != nullptr && !m_rectFloat.IsRectEmpty())
        SetWindowPos(nullptr, m_rectFloat.left, m_rectFloat.top, m_rectFloat.Width(), m_rectFloat.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

void CZUDPAppBarWnd::SetAutoHide(BOOL bAutoHide)
{
    if ((m_dwAllowed & kAllowAutoHide) == 0)
        return;
    m_bAutoHide = bAutoHide;
    if (m_bRegistered)
        SetAutoHideBar(bAutoHide, !bAutoHide, FALSE);
}

void CZUDPAppBarWnd::SetAlwaysOnTop(BOOL bOnTop)
{
    if ((m_dwAllowed & kAllowAlwaysOnTop) == 0)
        return;
    m_bAlwaysOnTop = bOnTop;
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(bOnTop ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CZUDPAppBarWnd::UpdateDockedPosition()
{
    if (!m_bRegistered || (m_bAutoHideRegistered && m_bSlidIn) || m_nSide < kSideLeft || m_nSide > kSideBottom)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CRect rect = DockedRectOf(m_nSide, IsLeftOrRight(m_nSide) ? rectWindow.Width() : rectWindow.Height());
    if (rect == m_rectDocked)
        return;
    m_bUpdating = TRUE;
    SetDockedPos(m_nSide, rect, TRUE, m_bAutoHideRegistered);
    m_bUpdating = FALSE;
}

void CZUDPAppBarWnd::Slide(const CRect& rectTarget)
{
    if (!m_bRegistered)
        return;
    BOOL bFullDrag = FALSE;
    if (!m_bNoSlide && ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0) && bFullDrag) {
        // A short slide on the clock seam: at most a handful of steps.
        CRect rectNow;
        GetWindowRect(&rectNow);
        const int dx = (rectTarget.left + rectTarget.right) - (rectNow.left + rectNow.right);
        const int dy = (rectTarget.top + rectTarget.bottom) - (rectNow.top + rectNow.bottom);
        CPoint ptStart = rectNow.TopLeft();
        if (rectTarget.Width() > rectNow.Width() || rectTarget.Height() > rectNow.Height()) {
            ptStart = rectTarget.TopLeft() - CSize(dx, dy);
            SetWindowPos(nullptr, ptStart.x, ptStart.y, rectTarget.Width(), rectTarget.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        const DWORD dwStart = g_frameworkSeams.tickCount();
        for (int nStep = 0; nStep < 16; ++nStep) {
            const DWORD dwElapsed = g_frameworkSeams.tickCount() - dwStart;
            if (dwElapsed >= 200)
                break;
            SetWindowPos(nullptr, ptStart.x + int(dwElapsed) * dx / 200, ptStart.y + int(dwElapsed) * dy / 200, 0,
                         0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            UpdateWindow();
        }
    }
    SetWindowPos(nullptr, rectTarget.left, rectTarget.top, rectTarget.Width(), rectTarget.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CZUDPAppBarWnd::SlideIn()
{
    if (!m_bAutoHideRegistered)
        return;
    m_bSlidIn = TRUE;
    Slide(DockedRectOf(m_nSide, kAutoHideStrip));
    KillTimer(kAppBarSlideInTimer);
}

void CZUDPAppBarWnd::SlideOut()
{
    Slide(m_rectDocked);
    m_bSlidIn = FALSE;
    SetTimer(kAppBarSlideInTimer, kAppBarSlideInDelay, nullptr);
}

void CZUDPAppBarWnd::OnAppBarPosChanged()
{
    if (!m_bInSizeMove && !m_bDragging)
        UpdateDockedPosition();
}

void CZUDPAppBarWnd::OnFullScreenApp(BOOL bOpening)
{
    if (bOpening) {
        m_hWndBeforeFullScreen = ::GetWindow(m_hWnd, GW_HWNDPREV);
        ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        return;
    }
    const HWND hAfter = m_bAlwaysOnTop ? HWND_TOPMOST : m_hWndBeforeFullScreen;
    if (hAfter == HWND_TOPMOST || (hAfter != nullptr && ::IsWindow(hAfter)))
        ::SetWindowPos(m_hWnd, hAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    m_hWndBeforeFullScreen = nullptr;
}

void CZUDPAppBarWnd::OnAppBarStateChange(BOOL bAutoHide, BOOL bAlwaysOnTop)
{
    if (bAutoHide != m_bAutoHide)
        SetAutoHide(bAutoHide);
    if (bAlwaysOnTop != m_bAlwaysOnTop)
        SetAlwaysOnTop(bAlwaysOnTop);
}

// ---------------------------------------------------------------------------
// Messages

int CZUDPAppBarWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (Default() == -1)
        return -1;
    if (m_rectFloat.IsRectEmpty())
        m_rectFloat.SetRect(lpCreateStruct->x, lpCreateStruct->y, lpCreateStruct->x + lpCreateStruct->cx,
                            lpCreateStruct->y + lpCreateStruct->cy);
    return 0;
}

void CZUDPAppBarWnd::OnDestroy()
{
    if (m_bRegistered) {
        SetAutoHideBar(FALSE, FALSE, TRUE);
        Unregister();
    }
    Default();
}

LRESULT CZUDPAppBarWnd::OnAppBarCallback(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case ABN_STATECHANGE: {
        const UINT uState = GetShellState();
        OnAppBarStateChange((uState & ABS_AUTOHIDE) != 0, (uState & ABS_ALWAYSONTOP) != 0);
        break;
    }
    case ABN_POSCHANGED:
        OnAppBarPosChanged();
        break;
    case ABN_FULLSCREENAPP:
        OnFullScreenApp(BOOL(lParam));
        break;
    case ABN_WINDOWARRANGE:
        OnWindowArrange(BOOL(lParam));
        break;
    default:
        break;
    }
    return 0;
}

void CZUDPAppBarWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    GetWindowRect(&m_rectDrag);
    m_ptDragStart = point;
    m_bDragging = TRUE;
    if (m_bRegistered)
        m_nSideAtDragStart = m_nSide;
    if (m_bAutoHideRegistered)
        KillTimer(kAppBarSlideInTimer);
    SetCapture();
    ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
    Default();
}

void CZUDPAppBarWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!m_bDragging) {
        if (!m_bInSizeMove && m_bAutoHideRegistered && m_bSlidIn)
            SlideOut();
        Default();
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const CRect rectWork = WorkAreaAt(ptScreen);
    CRect rectInner = rectWork;
    rectInner.DeflateRect(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    const BOOL bCtrl = (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) != 0;
    const BOOL bMayFloat = (m_dwAllowed & kAllowFloat) != 0;
    const BOOL bDockSides = (m_dwAllowed & kAllowLeftRight) != 0;
    const BOOL bDockEnds = (m_dwAllowed & kAllowTopBottom) != 0;
    auto floatingMove = [&]() {
        // The floating rectangle follows the cursor; once it no longer
        // holds the cursor it is put with its corner a caption height
        // above and left of it.
        const CSize size = m_rectFloat.IsRectEmpty() ? m_rectDrag.Size() : m_rectFloat.Size();
        if (m_bPlacedByDocking || !m_rectFloat.PtInRect(ptScreen))
            m_rectFloat = CRect(ptScreen - CSize(m_nCaptionHeight, m_nCaptionHeight), size);
        MoveWindow(&m_rectFloat, TRUE);
        m_bPlacedByDocking = FALSE;
        m_bSlidIn = FALSE;
    };
    if (bMayFloat && (rectInner.PtInRect(ptScreen) || (!bDockSides && !bDockEnds) || bCtrl)) {
        floatingMove();
        return;
    }
    CRect rectScreen;
    GetScreenRect(rectScreen);
    const int w = rectScreen.Width();
    const int h = rectScreen.Height();
    const int px = ptScreen.x - rectScreen.left;
    const int py = ptScreen.y - rectScreen.top;
    const int x = px < w / 2 ? px : w - px;
    const int v = py < h / 2 ? py : h - py;
    int nSide;
    if (h * x < w * v && bDockSides)
        nSide = px < w / 2 ? kSideLeft : kSideRight;
    else if (bDockEnds)
        nSide = py < h / 2 ? kSideTop : kSideBottom;
    else {
        if (bMayFloat)
            floatingMove();
        return;
    }
    if (!m_bRegistered && !Register())
        return;
    if (!m_bPlacedByDocking)
        m_ptDragStart = point;
    m_bPlacedByDocking = TRUE;
    m_nSide = nSide;
    m_rectDrag = DockedRectOf(nSide, m_nDockedSize[nSide]);
    AdjustToSide(m_rectDrag);
    MoveWindow(&m_rectDrag, TRUE);
}

void CZUDPAppBarWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (!m_bDragging) {
        Default();
        return;
    }
    m_bDragging = FALSE;
    ReleaseCapture();
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    if (!m_bPlacedByDocking) {
        Float();
        return;
    }
    if (!m_bRegistered)
        return;
    const int nSide = m_nSide;
    const BOOL bWasAutoHide = m_bAutoHideRegistered;
    if (m_bAutoHideRegistered) {
        m_nSide = m_nSideAtDragStart;
        SetAutoHideBar(FALSE, FALSE, TRUE);
        m_nSide = nSide;
    }
    const BOOL bToAutoHide = bWasAutoHide || m_bAutoHide;
    SetDockedPos(nSide, m_rectDrag, TRUE, bToAutoHide);
    if (bToAutoHide && !SetAutoHideBar(TRUE, TRUE, FALSE))
        SetDockedPos(nSide, m_rectDrag, FALSE, FALSE);
    m_bPlacedByDocking = TRUE;
}

void CZUDPAppBarWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    if (m_bAutoHideRegistered && m_bSlidIn)
        SlideOut();
    Default();
}

void CZUDPAppBarWnd::OnCancelMode()
{
    if (m_bDragging) {
        if (m_bRegistered) {
            m_nSide = m_nSideAtDragStart;
            MoveWindow(&m_rectDocked, TRUE);
        } else {
            MoveWindow(&m_rectFloat, TRUE);
        }
        if (m_bAutoHideRegistered)
            SetTimer(kAppBarSlideInTimer, kAppBarSlideInDelay, nullptr);
        m_bDragging = FALSE;
        ReleaseCapture();
    }
    Default();
}

void CZUDPAppBarWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    (void)pWndOther;
    (void)bMinimized;
    Default();
    if (m_bRegistered) {
        APPBARDATA abd = {};
        Shell(ABM_ACTIVATE, abd);
    }
    if (nState == WA_INACTIVE && m_bAutoHideRegistered)
        SetTimer(kAppBarSlideInTimer, kAppBarSlideInDelay, nullptr);
}

void CZUDPAppBarWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    (void)lpwndpos;
    Default();
    if (m_bRegistered) {
        APPBARDATA abd = {};
        Shell(ABM_WINDOWPOSCHANGED, abd);
    }
}

void CZUDPAppBarWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_bDragging) {
        if (nIDEvent == kAppBarSlideInTimer) {
            POINT pt = {};
            g_frameworkSeams.cursorPos(&pt);
            CRect rectWindow;
            GetWindowRect(&rectWindow);
            if (!rectWindow.PtInRect(pt)) {
                SlideIn();
                KillTimer(kAppBarSlideInTimer);
            }
        } else if (nIDEvent == kAppBarSlideOutTimer) {
            SlideOut();
            KillTimer(kAppBarSlideOutTimer);
        }
    }
    Default();
}

LRESULT CZUDPAppBarWnd::OnEnterSizeMove(WPARAM, LPARAM)
{
    if (m_bRegistered && !m_bDragging) {
        m_bInSizeMove = TRUE;
        GetWindowRect(&m_rectDocked);
    }
    return Default();
}

LRESULT CZUDPAppBarWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (m_bRegistered) {
        m_bInSizeMove = FALSE;
        if (rectWindow != m_rectDocked)
            UpdateDockedPosition();
    } else if (!m_bPlacedByDocking) {
        m_rectFloat = rectWindow;
    }
    return Default();
}

void CZUDPAppBarWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    CRect borders;
    GetSizingBorders(borders);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += borders.left;
    rc.top += borders.top + m_nCaptionHeight;
    rc.right -= borders.right;
    rc.bottom -= borders.bottom;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

void CZUDPAppBarWnd::OnNcPaint()
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    HDC hWindowDC = ::GetWindowDC(m_hWnd);
    if (hWindowDC == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    ::ExcludeClipRect(hWindowDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    CDC dc;
    dc.Attach(hWindowDC);
    DrawFrame(&dc);
    DrawCaption(&dc);
    dc.Detach();
    ::ReleaseDC(m_hWnd, hWindowDC);
}

LRESULT CZUDPAppBarWnd::OnNcHitTest(CPoint point)
{
    UINT nHit = HitTest(point.x, point.y, TRUE);
    const int nButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (nHit == HTCAPTION && (g_frameworkSeams.keyState(nButton) & 0x8000) != 0)
        nHit = HTCLIENT;   // the press goes to the bar's own drag
    if (m_bRegistered) {
        static const UINT inner[4] = {HTRIGHT, HTBOTTOM, HTLEFT, HTTOP};
        if (m_nSide >= kSideLeft && m_nSide <= kSideBottom && nHit != inner[m_nSide])
            nHit = HTCLIENT;
    }
    return nHit;
}
