// The framework's window procedure, the creation hook, handle maps and the
// CWnd wrappers that need more than one call.
#include "framework/win/Wnd.h"
#include "framework/win/FrameworkSeams.h"

#include "framework/win/DC.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "framework/win/Controls.h"
#include "framework/Exceptions.h"

#include <atomic>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

std::atomic<LONG> g_wndProcExceptions{0};

void SetWndHandle(CWnd* pWnd, HWND hWnd) { pWnd->m_hWnd = hWnd; }

CHandleMap<HWND, CWnd>& WndMap() { return AfxThreadHandleMap<HWND, CWnd>(&SetWndHandle); }

// Sets the thread's current message for the length of one dispatch.
class CurrentMessageScope {
public:
    CurrentMessageScope(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
        : m_state(AfxGetThreadState()), m_saved(m_state->m_lastSentMsg)
    {
        m_state->m_lastSentMsg.hwnd = hWnd;
        m_state->m_lastSentMsg.message = nMsg;
        m_state->m_lastSentMsg.wParam = wParam;
        m_state->m_lastSentMsg.lParam = lParam;
    }
    ~CurrentMessageScope() { m_state->m_lastSentMsg = m_saved; }

private:
    AFX_THREAD_STATE* m_state;
    MSG m_saved;
};

// A window keeps the character set of its procedure: a Unicode window
// (the application's UTF-16 edits) is subclassed with the Unicode form of
// the framework's procedure, so its texts reach the class procedure
// without a detour through the 8-bit code page.
WNDPROC GetWndProc(HWND hWnd)
{
    return (WNDPROC)(::IsWindowUnicode(hWnd) ? ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                             : ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

WNDPROC SetWndProc(HWND hWnd, WNDPROC proc, bool unicode)
{
    return (WNDPROC)(unicode ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)proc)
                             : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)proc));
}

bool IsFrameworkProc(WNDPROC proc) { return proc == &AfxWndProc || proc == &AfxWndProcW; }

// Puts the framework's procedure in front of the window's own; the old one
// (in the same character set) is the object's super procedure.
void HookWindowProc(CWnd* pWnd, HWND hWnd)
{
    bool unicode = ::IsWindowUnicode(hWnd) != FALSE;
    WNDPROC oldProc = SetWndProc(hWnd, unicode ? &AfxWndProcW : &AfxWndProc, unicode);
    if (!IsFrameworkProc(oldProc))
        *pWnd->GetSuperWndProcAddr() = oldProc;
}

} // namespace

CWnd* AfxLookupTempWnd(HWND hWnd) { return WndMap().LookupTemporary(hWnd); }

LONG AfxGetWndProcExceptionCount() { return g_wndProcExceptions.load(); }

void AfxCallbackFailed()
{
    ++g_wndProcExceptions;
    ::OutputDebugStringA("trovconf: a callback raised an exception; it was abandoned\n");
}

CWnd* AfxWndFromHandle(HWND hWnd) { return CWnd::FromHandle(hWnd); }
CDC* AfxDCFromHandle(HDC hDC) { return CDC::FromHandle(hDC); }
CMenu* AfxMenuFromHandle(HMENU hMenu) { return CMenu::FromHandle(hMenu); }
CScrollBar* AfxScrollBarFromHandle(HWND hWnd) { return hWnd == nullptr ? nullptr : static_cast<CScrollBar*>(CWnd::FromHandle(hWnd)); }

// ---------------------------------------------------------------------------
// Window procedure

namespace {

// Records a handler's escaped exception: the window procedure goes on as
// if the handler had returned the safe answer for its message.
LRESULT HandlerFailed(HWND hWnd, UINT nMsg)
{
    ++g_wndProcExceptions;
    ::OutputDebugStringA("trovconf: a message handler raised an exception; the message was abandoned\n");
    switch (nMsg) {
    case WM_CREATE:
        return -1;   // creation fails
    case WM_NCCREATE:
        return FALSE;
    case WM_PAINT:
        ::ValidateRect(hWnd, nullptr);   // or it is repainted forever
        return 0;
    default:
        return 0;
    }
}

LRESULT CallWindowObject(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CurrentMessageScope scope(hWnd, nMsg, wParam, lParam);
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        e->Delete();
        lResult = HandlerFailed(hWnd, nMsg);
    } catch (...) {
        lResult = HandlerFailed(hWnd, nMsg);
    }
    if (nMsg == WM_NCDESTROY) {
        // A handler of WM_NCDESTROY that did not pass it on to CWnd still
        // gets the object detached from the dead window (without a second
        // default processing of the message).
        if (CWnd::FromHandlePermanent(hWnd) == pWnd)
            pWnd->NcDestroyCleanup(FALSE);
    }
    return lResult;
}

} // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return CallWindowObject(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK AfxWndProcW(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return CallWindowObject(pWnd, hWnd, nMsg, wParam, lParam);
}

// The creation hook: attaches the object being created to its window before
// the window's first message and puts the framework's procedure in front of
// the class procedure.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code != HCBT_CREATEWND || state->m_pWndInit == nullptr)
        return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);

    HWND hWnd = (HWND)wParam;
    CWnd* pWndInit = state->m_pWndInit;
    pWndInit->Attach(hWnd);
    // PreSubclassWindow still sees the window being created through the
    // framework (m_pWndInit set), so it can leave its set-up to WM_CREATE.
    AfxCallbackGuard(0, [&] {
        pWndInit->PreSubclassWindow();
        return 0;
    });
    state->m_pWndInit = nullptr;   // only the first window of this creation
    HookWindowProc(pWndInit, hWnd);
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pWndInit == pWnd)
        return;
    if (state->m_hHookOldCbtFilter == nullptr)
        state->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, &AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    state->m_pWndInit = pWnd;
}

BOOL CWnd::UnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hHookOldCbtFilter != nullptr) {
        ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
        state->m_hHookOldCbtFilter = nullptr;
    }
    if (state->m_pWndInit != nullptr) {
        state->m_pWndInit = nullptr;
        return FALSE;   // the hook never saw the window
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Construction, handle maps

CWnd::CWnd() = default;

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && WndMap().LookupPermanent(m_hWnd) == this) {
        // The object goes before its window: the window goes with it, and
        // must not call back into a half-destroyed object.
        HWND hWnd = m_hWnd;
        Detach();
        if (m_pfnSuper != nullptr && ::IsWindow(hWnd) && IsFrameworkProc(GetWndProc(hWnd)))
            SetWndProc(hWnd, m_pfnSuper, ::IsWindowUnicode(hWnd) != FALSE);
        ::DestroyWindow(hWnd);
    }
}

HWND CWnd::GetSafeHwnd() const { return m_hWnd; }

CWnd* CWnd::FromHandle(HWND hWnd) { return WndMap().FromHandle(hWnd); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd == nullptr ? nullptr : WndMap().LookupPermanent(hWnd); }

void CWnd::DeleteTempMap() { WndMap().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    WndMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && WndMap().LookupPermanent(hWnd) == this)
        WndMap().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

WNDPROC* CWnd::GetSuperWndProcAddr() { return &m_pfnSuper; }

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    HookWindowProc(this, hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(AfxSafeHwnd(pParent), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        SetWndProc(m_hWnd, m_pfnSuper, ::IsWindowUnicode(m_hWnd) != FALSE);
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

// ---------------------------------------------------------------------------
// Creation

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        // A plain child or popup of the framework's own class.
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    }
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxSafeHwnd(pParentWnd),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxSafeHwnd(pParentWnd),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;   // one window per object
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    HookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    BOOL hooked = UnhookWindowCreate();
    if (hWnd == nullptr) {
        // WM_CREATE failed (the window is gone and, if it was attached, its
        // WM_NCDESTROY detached the object) or the class does not exist.
        if (!hooked)
            PostNcDestroy();
        return FALSE;
    }
    if (m_hWnd != hWnd) {
        // Created without our hook seeing it (another hook swallowed it).
        SubclassWindow(hWnd);
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// The end of a window: detaches the object, puts back the class procedure
// and lets the object clean up (or delete itself) in PostNcDestroy.
void CWnd::OnNcDestroy() { NcDestroyCleanup(TRUE); }

void CWnd::NcDestroyCleanup(BOOL bCallDefault)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this)
        pThread->m_pMainWnd = nullptr;
    HWND hWnd = m_hWnd;
    WNDPROC ourProc = GetWndProc(hWnd);
    if (bCallDefault)
        Default();
    if (GetWndProc(hWnd) == ourProc && m_pfnSuper != nullptr)
        SetWndProc(hWnd, m_pfnSuper, ::IsWindowUnicode(hWnd) != FALSE);
    Detach();
    PostNcDestroy();
}

// ---------------------------------------------------------------------------
// Dispatch

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (::IsWindowUnicode(m_hWnd)) {
        if (m_pfnSuper != nullptr)
            return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &AfxGetThreadState()->m_lastSentMsg; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR != nullptr && pNMHDR->hwndFrom != nullptr && OnNotify(wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR ctl = {(HWND)lParam, (HDC)wParam, message - WM_CTLCOLORMSGBOX};
        if (DispatchMapMessage(WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
    if (DispatchMapMessage(message, wParam, lParam, &lResult)) {
        *pResult = lResult;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl != nullptr) {
        // The control may handle its own notification (ON_CONTROL_REFLECT).
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    } else if (nCode != 0 && nCode != 1) {
        return FALSE;   // neither a menu command nor an accelerator
    } else {
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;   // the control took its own notification
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == nullptr)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (pResult == nullptr)
        pResult = &lResult;
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return DispatchMapMessage(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pResult, pNMHDR};
        return OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl = {(HWND)lParam, (HDC)wParam, message - WM_CTLCOLORMSGBOX};
            return DispatchMapMessage(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// Default handlers that reflect to the control first.
HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(AfxSafeHwnd(pScrollBar)))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(AfxSafeHwnd(pScrollBar)))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        HWND hWndChild = ::GetDlgItem(m_hWnd, (int)lpMeasureItemStruct->CtlID);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild))
            return;
        // The control's object is not attached yet (a dialog's control
        // before its DDX_Control) or there is none: the control keeps the
        // height it proposed, or gets the height of this window's font when
        // it proposed none.  The control's window is still being made and
        // is not asked.
        if (lpMeasureItemStruct->itemHeight == 0)
            lpMeasureItemStruct->itemHeight = (UINT)DefaultItemHeight();
        return;
    }
    Default();
}

int CWnd::DefaultItemHeight() const
{
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == nullptr)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    int nHeight = 0;
    if (HDC hDC = ::GetDC(nullptr)) {
        HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        TEXTMETRICA tm = {};
        if (::GetTextMetricsA(hDC, &tm))
            nHeight = tm.tmHeight;
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(nullptr, hDC);
    }
    return nHeight > 0 ? nHeight : 16;
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

LRESULT CWnd::OnReflectableItemMessage(WPARAM, LPARAM lParam)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    HWND hWndChild = nullptr;
    switch (msg.message) {
    case WM_DELETEITEM:
        hWndChild = reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_COMPAREITEM:
        hWndChild = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        hWndChild = (HWND)lParam;   // WM_VKEYTOITEM, WM_CHARTOITEM
        break;
    }
    LRESULT lResult = 0;
    if (hWndChild != nullptr && ReflectLastMsg(hWndChild, &lResult))
        return lResult;
    return Default();
}

// Menus that a window opens ask the window's message map for the state of
// their commands (ON_UPDATE_COMMAND_UI); commands without an update handler
// keep the state the menu gave them.
void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pPopupMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            continue;   // separator or submenu
        state.DoUpdate(this, FALSE);
    }
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_DELETEITEM, &CWnd::OnReflectableItemMessage)
    ON_MESSAGE(WM_COMPAREITEM, &CWnd::OnReflectableItemMessage)
    ON_MESSAGE(WM_VKEYTOITEM, &CWnd::OnReflectableItemMessage)
    ON_MESSAGE(WM_CHARTOITEM, &CWnd::OnReflectableItemMessage)
    ON_MESSAGE(WM_GETOBJECT, &CWnd::OnGetObject)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// Modal loop

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;
    CMessageLoopScope loop;

    for (;;) {
        if (!ContinueModal())
            break;
        // Idle: the queue is empty.
        while (bIdle && !::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) {
                bIdle = FALSE;
            }
            AfxDeleteTempMapsAtIdle();
            if (!ContinueModal())
                goto ExitModal;
        }
        // Pump until the queue is empty again.
        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 /* WM_SYSTIMER */ || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (pMsg->message != WM_PAINT && pMsg->message != 0x118) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);   // wake the loop
    }
}

// ---------------------------------------------------------------------------
// Wrappers

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != nullptr) {
        int nLen = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
        rString.ReleaseBuffer();
    }
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)AfxSafeHandle(pFont), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* pWnd = FromHandlePermanent(hWndChild);
            if (pWnd != nullptr)
                ::SendMessageA(hWndChild, message, wParam, lParam);
        } else {
            ::SendMessageA(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr) {
            CWnd child(hWndChild);
            child.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            child.m_hWnd = nullptr;
        }
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == nullptr)
        return;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const int nId = ::GetDlgCtrlID(hWndChild);
        if (nId == 0 || nId == 0xFFFF || nId == -1)
            continue;
        CCmdUI state;
        state.m_nID = (UINT)nId;
        state.m_pOther = CWnd::FromHandle(hWndChild);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        CRect::SwapLeftRight(lpRect);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        CRect::SwapLeftRight(lpRect);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = AfxSafeHwnd(pAlternateOwner);
    if (hWndCenter == nullptr)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        if (hWndCenter != nullptr && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
            hWndCenter = nullptr;
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfoA(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter == nullptr)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (LPPOINT)&rcCenter, 2);
    }
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, GWL_STYLE, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, GWL_EXSTYLE, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, (HRGN)AfxSafeHandle(pRgn), bErase); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate == nullptr ? nullptr : (HRGN)AfxSafeHandle(prgnUpdate), flags);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, AfxSafeHdc(pDC)); }

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner != nullptr)
        return FromHandle(m_hWndOwner);
    return GetParent();
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLongPtrA(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    HWND hWndChild = ::GetDlgItem(m_hWnd, nID);
    if (hWndChild != nullptr) {
        if (::GetTopWindow(hWndChild) != nullptr) {
            CWnd wndChild(hWndChild);
            CWnd* pWnd = wndChild.GetDescendantWindow(nID, bOnlyPerm);
            wndChild.m_hWnd = nullptr;
            if (pWnd != nullptr)
                return pWnd;
        }
        return bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
    }
    for (hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        CWnd wndChild(hWndChild);
        CWnd* pWnd = wndChild.GetDescendantWindow(nID, bOnlyPerm);
        wndChild.m_hWnd = nullptr;
        if (pWnd != nullptr)
            return pWnd;
    }
    return nullptr;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = AfxSafeHwnd(pParent);
    if (hWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = AfxSafeHwnd(pMain);
    }
    // The owner of a dialog is a top-level window.
    while (hWnd != nullptr && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    if (hWndTop != nullptr)
        hWnd = ::GetLastActivePopup(hWndTop);
    if (pWndTop != nullptr)
        *pWndTop = hWndTop;
    return FromHandle(hWnd);
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, AfxSafeHmenu(pMenu)); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return g_frameworkSeams.setTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return g_frameworkSeams.killTimer(m_hWnd, nIDEvent); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr)
        lpszCaption = AfxGetAppName();
    return g_frameworkSeams.messageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
    if (nAdjustType == adjustOutside) {
        DWORD dwStyle = GetStyle();
        if (dwStyle & WS_VSCROLL)
            lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
        if (dwStyle & WS_HSCROLL)
            lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    }
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST)
        && (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return IsDialogMessage(lpMsg);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return -1;
    const INT_PTR nHit = ::GetDlgCtrlID(hWndChild);
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return nHit;
}

// ---------------------------------------------------------------------------
// Layout of bars

namespace {

// Moves a child to a rectangle (parent client coordinates) in the batch,
// or at once without one; nothing when it is there already.
void RepositionChild(AFX_SIZEPARENTPARAMS& layout, HWND hWnd, const RECT& rect)
{
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, &rect))
        return;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (layout.hDWP != nullptr) {
        HDWP hNext = ::DeferWindowPos(layout.hDWP, hWnd, nullptr, rect.left, rect.top, cx, cy, flags);
        if (hNext != nullptr) {
            layout.hDWP = hNext;
            return;
        }
        layout.hDWP = nullptr;   // the batch is gone: the rest moves at once
    }
    ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, cx, cy, flags);
}

} // namespace

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const BOOL bQuery = (nFlag & ~reposNoPosLeftOver) == reposQuery;
    if (!bQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (bQuery) {
        if (lpRectParam != nullptr) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != nullptr && !(nFlag & reposNoPosLeftOver)) {
        if ((nFlag & ~reposNoPosLeftOver) == reposExtra && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        CWnd* pLeftOver = FromHandle(hWndLeftOver);
        pLeftOver->CalcWindowRect(&layout.rect);
        RepositionChild(layout, hWndLeftOver, layout.rect);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}
