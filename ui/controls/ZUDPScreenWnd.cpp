#include "ui/controls/ZUDPScreenWnd.h"

#include "ui/controls/ZUDPColorSeams.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CZUDPScreenWnd, CWnd)

BEGIN_MESSAGE_MAP(CZUDPScreenWnd, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CZUDPScreenWnd::CreateOverDesktop(HCURSOR hCursor)
{
    // Saved bits make the desktop come back without repainting when the
    // window goes; the class background (the button face) is never drawn.
    LPCTSTR className = AfxRegisterWndClass(CS_SAVEBITS, hCursor, (HBRUSH)(INT_PTR)(COLOR_BTNFACE + 1), nullptr);
    if (className == nullptr)
        return FALSE;
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    return CreateEx(WS_EX_TOOLWINDOW, className, "", WS_POPUP | WS_VISIBLE, desktop.left, desktop.top,
                    desktop.Width(), desktop.Height(), nullptr, nullptr);
}

void CZUDPScreenWnd::Forward(UINT message, UINT nFlags, CPoint point)
{
    HWND hDialog = AfxSafeHwnd(m_pDialog);
    if (hDialog == nullptr || !::IsWindow(hDialog))
        return;
    ::MapWindowPoints(m_hWnd, hDialog, &point, 1);
    ::SendMessageA(hDialog, message, nFlags, MAKELPARAM(point.x, point.y));
}

void CZUDPScreenWnd::OnMouseMove(UINT nFlags, CPoint point) { Forward(WM_MOUSEMOVE, nFlags, point); }

void CZUDPScreenWnd::OnLButtonDown(UINT nFlags, CPoint point) { Forward(WM_LBUTTONDOWN, nFlags, point); }

BOOL CZUDPScreenWnd::OnEraseBkgnd(CDC*) { return TRUE; }

// ---------------------------------------------------------------------------

CZUDPEyedropperLoop::EndReason CZUDPEyedropperLoop::Run(HWND hOwner, const BOOL* pbPicking)
{
    LONG idleCount = 0;
    BOOL idle = TRUE;
    while (pbPicking != nullptr && *pbPicking) {
        if (!::IsWindow(hOwner))
            return PICK_DESTROYED;
        if (::GetCapture() != hOwner)
            return PICK_CAPTURE_LOST;

        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            CWinThread* pThread = AfxGetThread();
            if (idle && pThread != nullptr && pThread->OnIdle(idleCount++))
                continue;
            idle = FALSE;
            g_colorChooserSeams.waitMessage();
            continue;
        }
        switch (msg.message) {
        case WM_QUIT:
            // The application's own loop must still see it.
            ::PostQuitMessage(int(msg.wParam));
            return PICK_QUIT;
        case WM_KEYDOWN:
            if (msg.wParam == VK_RETURN)
                return PICK_KEPT;
            if (msg.wParam == VK_ESCAPE)
                return PICK_RESTORE;
            continue;  // no other key means anything while picking
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return PICK_CANCELLED;
        default:
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        idle = TRUE;
        idleCount = 0;
    }
    if (!::IsWindow(hOwner))
        return PICK_DESTROYED;
    return PICK_ENDED;
}

COLORREF SampleScreenColor(HWND hWnd, CPoint clientPoint)
{
    if (hWnd == nullptr || !::ClientToScreen(hWnd, &clientPoint))
        return CLR_INVALID;
    return g_colorChooserSeams.screenPixel(clientPoint);
}
