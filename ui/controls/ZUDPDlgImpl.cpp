// The dialog implementation: look, control colours, glass, popup-menu
// cooperation, activation and the maximized size.  The owner-drawn caption
// is in ZUDPDlgImplCaption.cpp.
#include "ui/controls/ZUDPDlgImpl.h"

#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Monitor.h"
#include "framework/win/WinApp.h"

#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <cstring>

namespace {

// The popup hook of the UI thread and the implementation over whose owner
// the open popup menu was opened (one UI thread).
HHOOK s_hookMouse = nullptr;
CZUDPDlgImpl* s_pMenuDlgImpl = nullptr;

// The library popup menu open now, when its window still exists (a popup
// destroyed without telling its dialog is ignored).
CZUDPPopupMenu* OpenPopup()
{
    CZUDPPopupMenu* pPopup = g_activePopupMenu;
    if (pPopup == nullptr || pPopup->m_hWnd == nullptr || !::IsWindow(pPopup->m_hWnd))
        return nullptr;
    return pPopup;
}

BOOL IsWindowOfClass(HWND hWnd, LPCSTR lpszClass)
{
    char className[256] = {};
    ::GetClassNameA(hWnd, className, 255);
    return std::strcmp(className, lpszClass) == 0;
}

// Which themed control wraps a child of a window class (names compared
// exactly, with case).
struct WrapperRule {
    const char* windowClass;
    int buttonKind;   // -1 any style; 1 group boxes only; 0 every other button
    const char* wrapperClass;
};
const WrapperRule kWrapperRules[] = {
    {"Static", -1, "CZUDPStatic"},
    {"Button", 1, "CZUDPGroup"},
    {"Button", 0, "CZUDPButton"},
    {"msctls_progress32", -1, "CZUDPProgressCtrl"},
    {"msctls_trackbar32", -1, "CZUDPSliderCtrl"},
    {"Edit", -1, "CZUDPEdit"},
    {"ComboBox", -1, "CZUDPComboBox"},
    {"ScrollBar", -1, "CZUDPScrollBar"},
    {"msctls_updown32", -1, "CZUDPSpinButtonCtrl"},
};

} // namespace

CZUDPDlgImpl::CZUDPDlgImpl(CWnd& owner) : m_pOwner(&owner) {}

CZUDPDlgImpl::~CZUDPDlgImpl()
{
    while (!m_lstCaptionSysButtons.IsEmpty())
        delete m_lstCaptionSysButtons.RemoveHead();
    // Wrapped controls whose owner never got WM_DESTROY (a window that was
    // never made) are freed with the implementation.
    for (INT_PTR i = 0; i < m_arSubclassedCtrls.GetSize(); ++i)
        delete m_arSubclassedCtrls[i];
    m_arSubclassedCtrls.RemoveAll();
    if (s_pMenuDlgImpl == this) {
        s_pMenuDlgImpl = nullptr;
        if (s_hookMouse != nullptr) {
            ::UnhookWindowsHookEx(s_hookMouse);
            s_hookMouse = nullptr;
        }
    }
}

// ---------------------------------------------------------------------------
// Look

LPCSTR CZUDPDlgImpl::WrapperClassFor(LPCSTR lpszWindowClass, DWORD dwStyle)
{
    if (lpszWindowClass == nullptr)
        return nullptr;
    const BOOL bGroupBox = (dwStyle & 0xF) == BS_GROUPBOX;
    for (const WrapperRule& rule : kWrapperRules) {
        if (std::strcmp(rule.windowClass, lpszWindowClass) != 0)
            continue;
        if (rule.buttonKind == 1 && !bGroupBox)
            continue;
        if (rule.buttonKind == 0 && bGroupBox)
            continue;
        return rule.wrapperClass;
    }
    return nullptr;
}

BOOL CZUDPDlgImpl::IsExcluded(UINT nID) const { return m_lstExcluded.Find(nID) != nullptr; }

void CZUDPDlgImpl::WrapChild(HWND hWndChild)
{
    char className[256] = {};
    ::GetClassNameA(hWndChild, className, 255);
    LPCSTR wrapper = WrapperClassFor(className, (DWORD)::GetWindowLongPtrA(hWndChild, GWL_STYLE));
    if (wrapper == nullptr)
        return;
    // A wrapper class that is not part of the program leaves the child as
    // it is.
    CRuntimeClass* pClass = CRuntimeClass::FromName(wrapper);
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return;
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        return;
    CWnd* pWrapper = static_cast<CWnd*>(pObject);
    if (!pWrapper->SubclassWindow(hWndChild)) {
        delete pWrapper;
        return;
    }
    m_arSubclassedCtrls.Add(pWrapper);
}

void CZUDPDlgImpl::SetVisualManagerLook(BOOL bEnable, BOOL bNCArea, const CList<UINT, UINT>* pExcluded)
{
    m_bVisualManagerStyle = bEnable;
    m_bVisualManagerNCArea = bEnable && bNCArea;
    if (pExcluded != &m_lstExcluded) {
        m_lstExcluded.RemoveAll();
        if (pExcluded != nullptr) {
            for (POSITION pos = pExcluded->GetHeadPosition(); pos != nullptr;)
                m_lstExcluded.AddTail(pExcluded->GetNext(pos));
        }
    }
    if (!HasOwnerWindow())
        return;

    for (HWND hWndChild = ::GetWindow(m_pOwner->m_hWnd, GW_CHILD); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (IsExcluded((UINT)::GetDlgCtrlID(hWndChild)))
            continue;
        // A child that has its object already (a member attached by data
        // exchange, a wrapper of an earlier switch) keeps it; the library's
        // controls, buttons among them, take the look from the message.
        if (bEnable && CWnd::FromHandlePermanent(hWndChild) == nullptr)
            WrapChild(hWndChild);
        ::SendMessageA(hWndChild, ZUDM_ONSETCONTROLVMMODE, bEnable ? 1 : 0, 0);
    }

    ApplyFrameLook();
    if (m_pOwner->IsWindowVisible())
        RedrawOwner(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CZUDPDlgImpl::ReapplyLook()
{
    if (m_bVisualManagerStyle)
        SetVisualManagerLook(TRUE, m_bVisualManagerNCArea, &m_lstExcluded);
}

void CZUDPDlgImpl::RedrawOwner(UINT nFlags)
{
    if (HasOwnerWindow())
        ::RedrawWindow(m_pOwner->m_hWnd, nullptr, nullptr, nFlags);
}

HBRUSH CZUDPDlgImpl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC || pDC == nullptr || pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return nullptr;
    const DWORD dwStyle = pWnd->GetStyle();
    if (IsWindowOfClass(pWnd->m_hWnd, "Static")) {
        pDC->SetBkMode(TRANSPARENT);
        if (m_bVisualManagerStyle)
            pDC->SetTextColor(g_uiEnvironment.m_colorBarText);
        // A static of the two lowest type bits (an icon, a frame of the
        // first kinds) keeps an opaque background.
        if (m_bTransparentStaticCtrls && (dwStyle & 0x3) != 0x3)
            return (HBRUSH)::GetStockObject(NULL_BRUSH);
        return (HBRUSH)CZUDPVisualManager::GetActiveManager()->GetDialogBackgroundBrush(m_pOwner).GetSafeHandle();
    }
    if (IsWindowOfClass(pWnd->m_hWnd, "Button")) {
        // The library's button keeps its kind apart from its type bits.
        const UINT nKind = CZUDPButton::ButtonKindOf(pWnd->m_hWnd);
        if ((nKind & 0x7) != 0 && m_bVisualManagerStyle) {
            pDC->SetTextColor(g_uiEnvironment.m_colorBarText);
            pDC->SetBkMode(TRANSPARENT);
            return (HBRUSH)CZUDPVisualManager::GetActiveManager()->GetDialogBackgroundBrush(m_pOwner).GetSafeHandle();
        }
        if ((nKind & 0x2) == 0)
            pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Glass

BOOL CZUDPDlgImpl::IsOnGlass(HWND hWndChild, const CRect& rectClient) const
{
    CRect rectChild;
    ::GetWindowRect(hWndChild, &rectChild);
    m_pOwner->ScreenToClient(&rectChild);
    CRect strips[4] = {
        CRect(rectClient.left, rectClient.top, rectClient.left + m_nGlassLeft, rectClient.bottom),
        CRect(rectClient.right - m_nGlassRight, rectClient.top, rectClient.right, rectClient.bottom),
        CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + m_nGlassTop),
        CRect(rectClient.left, rectClient.bottom - m_nGlassBottom, rectClient.right, rectClient.bottom),
    };
    const int margins[4] = {m_nGlassLeft, m_nGlassRight, m_nGlassTop, m_nGlassBottom};
    for (int i = 0; i < 4; ++i) {
        CRect overlap;
        if (margins[i] != 0 && overlap.IntersectRect(&rectChild, &strips[i]))
            return TRUE;
    }
    return FALSE;
}

BOOL CZUDPDlgImpl::SetGlassMargins(int nLeft, int nRight, int nTop, int nBottom)
{
    m_nGlassLeft = nLeft;
    m_nGlassRight = nRight;
    m_nGlassTop = nTop;
    m_nGlassBottom = nBottom;
    if (HasGlassMargins() && !m_bVisualManagerStyle)
        SetVisualManagerLook(TRUE, FALSE, &m_lstExcluded);
    if (!HasOwnerWindow())
        return TRUE;

    MARGINS margins = {nLeft, nRight, nTop, nBottom};
    const BOOL bResult = g_uiEnvironment.ExtendFrameIntoClient(m_pOwner->m_hWnd, margins);
    const BOOL bComposition = g_uiEnvironment.IsDwmCompositionEnabled();

    CRect rectClient;
    m_pOwner->GetClientRect(&rectClient);
    for (HWND hWndChild = ::GetWindow(m_pOwner->m_hWnd, GW_CHILD); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const BOOL bOnGlass = bComposition && HasGlassMargins() && IsOnGlass(hWndChild, rectClient);
        ::SendMessageA(hWndChild, ZUDM_ONSETCONTROLAERO, bOnGlass ? 1 : 0, 0);
    }
    if (m_pOwner->IsWindowVisible())
        RedrawOwner(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return bResult;
}

void CZUDPDlgImpl::ReapplyGlassMargins()
{
    if (HasGlassMargins())
        SetGlassMargins(m_nGlassLeft, m_nGlassRight, m_nGlassTop, m_nGlassBottom);
}

void CZUDPDlgImpl::FillGlassMargins(CDC* pDC)
{
    if (pDC == nullptr || !HasGlassMargins() || !HasOwnerWindow() || !g_uiEnvironment.IsDwmCompositionEnabled())
        return;
    CRect rectClient;
    m_pOwner->GetClientRect(&rectClient);
    const CRect strips[4] = {
        CRect(rectClient.left, rectClient.top, rectClient.left + m_nGlassLeft, rectClient.bottom),
        CRect(rectClient.right - m_nGlassRight, rectClient.top, rectClient.right, rectClient.bottom),
        CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + m_nGlassTop),
        CRect(rectClient.left, rectClient.bottom - m_nGlassBottom, rectClient.right, rectClient.bottom),
    };
    // Glass shows through black.
    for (const CRect& strip : strips) {
        if (!strip.IsRectEmpty())
            pDC->FillSolidRect(&strip, RGB(0, 0, 0));
    }
}

void CZUDPDlgImpl::OnCompositionChanged()
{
    if (!HasGlassMargins() || !HasOwnerWindow())
        return;
    SetGlassMargins(m_nGlassLeft, m_nGlassRight, m_nGlassTop, m_nGlassBottom);
    ApplyFrameLook();
    RedrawOwner(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CZUDPDlgImpl::OnDestroy()
{
    for (INT_PTR i = 0; i < m_arSubclassedCtrls.GetSize(); ++i)
        delete m_arSubclassedCtrls[i];
    m_arSubclassedCtrls.RemoveAll();
    // An owner destroyed while its popup menu is open takes the thread's
    // mouse hook with it.
    if (s_pMenuDlgImpl != nullptr && s_pMenuDlgImpl->m_pOwner == m_pOwner) {
        s_pMenuDlgImpl = nullptr;
        if (s_hookMouse != nullptr) {
            ::UnhookWindowsHookEx(s_hookMouse);
            s_hookMouse = nullptr;
        }
    }
}

// ---------------------------------------------------------------------------
// Popup menus

HHOOK CZUDPDlgImpl::GetPopupHook() { return s_hookMouse; }

void CZUDPDlgImpl::SetOpenPopupMenu(CZUDPPopupMenu* pMenu)
{
    if (pMenu != nullptr) {
        g_activePopupMenu = pMenu;
        if (s_hookMouse == nullptr)
            s_hookMouse = ::SetWindowsHookExA(WH_MOUSE, &CZUDPDlgImpl::PopupMouseHook, nullptr, ::GetCurrentThreadId());
        s_pMenuDlgImpl = this;
    } else {
        g_activePopupMenu = nullptr;
        if (s_hookMouse != nullptr) {
            ::UnhookWindowsHookEx(s_hookMouse);
            s_hookMouse = nullptr;
        }
        s_pMenuDlgImpl = nullptr;
    }
}

LRESULT CALLBACK CZUDPDlgImpl::PopupMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AfxCallbackGuard(0, [&] {
        if (nCode < 0 || s_pMenuDlgImpl == nullptr || !s_pMenuDlgImpl->HasOwnerWindow())
            return 0;
        switch (wParam) {
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            CPoint ptCursor;
            g_frameworkSeams.cursorPos(&ptCursor);
            CRect rectOwner;
            s_pMenuDlgImpl->m_pOwner->GetWindowRect(&rectOwner);
            if (!rectOwner.PtInRect(ptCursor))
                s_pMenuDlgImpl->HandlePopupClick(ptCursor);
            break;
        }
        default:
            break;
        }
        return 0;
    });
    return ::CallNextHookEx(s_hookMouse, nCode, wParam, lParam);
}

void CZUDPDlgImpl::CloseActivePopup(BOOL bFocusOwner)
{
    CZUDPPopupMenu* pPopup = OpenPopup();
    if (pPopup != nullptr)
        pPopup->SendMessage(WM_CLOSE);
    if (bFocusOwner && HasOwnerWindow())
        m_pOwner->SetFocus();
}

BOOL CZUDPDlgImpl::HandlePopupClick(CPoint ptScreen)
{
    if (g_customizeMode)
        return FALSE;
    CZUDPPopupMenu* pPopup = OpenPopup();
    if (pPopup == nullptr)
        return FALSE;

    switch (pPopup->HitTestArea(ptScreen)) {
    case CZUDPPopupMenu::kShadowRight:
    case CZUDPPopupMenu::kShadowBottom:
        CloseActivePopup(TRUE);
        return TRUE;
    case CZUDPPopupMenu::kOutside:
        break;
    default:
        return FALSE;   // the menu handles clicks on itself
    }

    CZUDPToolbarMenuButton* pParentButton = pPopup->m_pParentBtn;
    CWnd* pButtonWnd = pParentButton != nullptr ? pParentButton->GetParentWnd() : nullptr;
    if (pButtonWnd != nullptr && pButtonWnd->m_hWnd != nullptr && ::IsWindow(pButtonWnd->m_hWnd)) {
        CPoint ptClient = ptScreen;
        pButtonWnd->ScreenToClient(&ptClient);
        CZUDPPopupMenuBar* pParentBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pButtonWnd);
        if (pParentButton->Rect().PtInRect(ptClient)) {
            // A click on the button that opened the popup: the button (or
            // its menu) decides.
            if (pParentBar == nullptr && !pPopup->IsSendingCommand())
                pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (pParentBar != nullptr) {
            pParentBar->ScheduleSubMenuOpen(nullptr);
            CZUDPPopupMenu* pParentPopup = DYNAMIC_DOWNCAST(CZUDPPopupMenu, pParentBar->GetParent());
            if (pParentPopup != nullptr) {
                switch (pParentPopup->HitTestArea(ptScreen)) {
                case CZUDPPopupMenu::kShadowRight:
                case CZUDPPopupMenu::kShadowBottom:
                    pParentPopup->SendMessage(WM_CLOSE);
                    if (HasOwnerWindow())
                        m_pOwner->SetFocus();
                    return TRUE;
                case CZUDPPopupMenu::kOutside:
                    break;
                default:
                    return FALSE;
                }
            }
        }
    }

    if (pPopup->IsSendingCommand())
        return FALSE;
    pPopup->SendMessage(WM_CLOSE);
    if (DYNAMIC_DOWNCAST(CZUDPToolBar, CWnd::FromHandlePermanent(::GetFocus())) != nullptr && HasOwnerWindow())
        m_pOwner->SetFocus();
    return FALSE;
}

BOOL CZUDPDlgImpl::HandlePopupMouseMove(CPoint ptScreen)
{
    if (g_customizeMode)
        return FALSE;
    CZUDPPopupMenu* pPopup = OpenPopup();
    if (pPopup == nullptr)
        return FALSE;
    CRect rectPopup;
    pPopup->GetWindowRect(&rectPopup);
    if (rectPopup.PtInRect(ptScreen))
        return FALSE;
    return pPopup->GetMenuBar()->FindAncestorBarAt(ptScreen) == nullptr;
}

BOOL CZUDPDlgImpl::PreTranslateMessage(MSG* pMsg)
{
    CZUDPPopupMenu* pPopup = OpenPopup();
    switch (pMsg->message) {
    case WM_CONTEXTMENU:
        // (Its wParam is a window: any context menu request closes the
        // open popup.)
        if (pPopup != nullptr) {
            pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        return FALSE;
    case WM_SYSKEYDOWN:
        if (pPopup != nullptr && pMsg->wParam == VK_MENU) {
            pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        return FALSE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
        CPoint ptScreen((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        if (HandlePopupClick(ptScreen))
            return TRUE;
        if (pMsg->message == WM_NCRBUTTONUP && HasOwnerWindow() && pMsg->hwnd == m_pOwner->m_hWnd && PaintsOwnCaption()) {
            UINT nHit = (UINT)m_pOwner->SendMessage(WM_NCHITTEST, 0, pMsg->lParam);
            if (nHit == HTCAPTION || nHit == HTSYSMENU) {
                HMENU hSysMenu = ::GetSystemMenu(m_pOwner->m_hWnd, FALSE);
                if (hSysMenu != nullptr) {
                    UINT nCmd = (UINT)g_frameworkSeams.trackPopupMenu(hSysMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                                      ptScreen.x, ptScreen.y, m_pOwner->m_hWnd, nullptr);
                    if (nCmd != 0) {
                        m_pOwner->SendMessage(WM_SYSCOMMAND, nCmd);
                        return TRUE;
                    }
                }
            }
        }
        return FALSE;
    }
    case WM_KEYDOWN:
        if (pPopup != nullptr) {
            pPopup->SendMessage(WM_KEYDOWN, pMsg->wParam, 0);
            return TRUE;
        }
        return FALSE;
    case WM_SYSKEYUP:
        return pPopup != nullptr;
    case WM_MOUSEMOVE: {
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        return HandlePopupMouseMove(pt);
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        if (!::IsWindow(pMsg->hwnd))
            return TRUE;
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        // (The click may destroy the message's window.)
        return HandlePopupClick(pt) || !::IsWindow(pMsg->hwnd);
    }
    case WM_MOUSEWHEEL:
        if (pPopup != nullptr && pPopup->m_bScrollable)
            pPopup->SendMessage(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CZUDPDlgImpl::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != 1)
        return FALSE;   // only accelerators
    const UINT nID = LOWORD(wParam);
    CZUDPToolBar::CountCommandUse(nID);
    if (CZUDPPopupMenu* pPopup = OpenPopup()) {
        // No accelerator runs while a menu is open: it closes the menu.
        pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        return TRUE;
    }
    return g_userToolsManager != nullptr && g_userToolsManager->RunTool(nID);
}

// ---------------------------------------------------------------------------
// Activation and size

void CZUDPDlgImpl::OnActivate(UINT nState, CWnd* pWndOther)
{
    if (m_pOwner == nullptr)
        return;
    m_pOwner->m_nFlags &= ~WF_STAYACTIVE;
    HWND hWndOther = AfxSafeHwnd(pWndOther);
    if (nState != WA_INACTIVE)
        hWndOther = m_pOwner->m_hWnd;
    if (hWndOther != nullptr) {
        // Only windows of this thread are asked whether they float over
        // the owner: a window of another process could hang the dialog.
        BOOL bStay = hWndOther == m_pOwner->m_hWnd;
        if (!bStay && ::GetWindowThreadProcessId(hWndOther, nullptr) == ::GetCurrentThreadId())
            bStay = ::SendMessageA(hWndOther, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
        if (bStay)
            m_pOwner->m_nFlags |= WF_STAYACTIVE;
    } else if (HasOwnerWindow()) {
        m_pOwner->SendMessage(WM_NCPAINT, 1);
    }
}

void CZUDPDlgImpl::OnNcActivate(BOOL& bActive)
{
    if (m_pOwner == nullptr)
        return;
    if (m_pOwner->m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (HasOwnerWindow() && !m_pOwner->IsWindowEnabled())
        bActive = FALSE;
    if (PaintsOwnCaption()) {
        CDC* pDC = m_pOwner->GetWindowDC();
        CZUDPVisualManager::GetActiveManager()->DrawCustomFrameNonClient(m_pOwner, pDC);
        m_pOwner->ReleaseDC(pDC);
        RedrawOwner(RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_FRAME);
    }
}

void CZUDPDlgImpl::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (lpMMI == nullptr || !HasOwnerWindow() || (m_pOwner->GetStyle() & WS_BORDER))
        return;
    CRect rect;
    m_pOwner->GetWindowRect(&rect);
    if (m_pOwner->IsIconic()) {
        WINDOWPLACEMENT placement = {};
        m_pOwner->GetWindowPlacement(&placement);
        rect = placement.rcNormalPosition;
    }
    CRect rectMonitor;
    CRect rectWork;
    if (AfxGetMonitorRects(rect.CenterPoint(), &rectMonitor, &rectWork)) {
        rectWork.OffsetRect(-rectMonitor.left, -rectMonitor.top);
    } else {
        AfxGetPrimaryWorkArea(&rectWork);
    }
    if (!g_uiEnvironment.m_autoHideEdgesComputed) {
        g_uiEnvironment.UpdateAutoHideTaskbarEdges();
        g_uiEnvironment.m_autoHideEdgesComputed = TRUE;
    }
    // A hidden taskbar must still be reachable along its edge.
    const DWORD edges = g_uiEnvironment.m_autoHideEdges;
    if (edges & 1)
        rectWork.left += 2;
    if (edges & 2)
        rectWork.right -= 2;
    if (edges & 4)
        rectWork.top += 2;
    if (edges & 8)
        rectWork.bottom -= 2;
    lpMMI->ptMaxPosition = CPoint(rectWork.left, rectWork.top);
    lpMMI->ptMaxSize = CPoint(rectWork.Width(), rectWork.Height());
}

// ---------------------------------------------------------------------------
// What the owners share

BOOL CZUDPDlgImpl::EraseBackground(CDC* pDC)
{
    BOOL bResult;
    if (m_bVisualManagerStyle) {
        CRect rectClient;
        m_pOwner->GetClientRect(&rectClient);
        if (!CZUDPVisualManager::GetActiveManager()->FillDialogBackground(pDC, m_pOwner, rectClient))
            m_pOwner->Default();
        bResult = TRUE;
    } else {
        bResult = (BOOL)m_pOwner->Default();
    }
    FillGlassMargins(pDC);
    return bResult;
}

BOOL CZUDPDlgImpl::OnSize(UINT nType, BOOL& bWasMaximized)
{
    if (PaintsOwnCaption()) {
        CRect rectWindow;
        m_pOwner->GetWindowRect(&rectWindow);
        WINDOWPOS pos = {};
        pos.hwnd = m_pOwner->m_hWnd;
        pos.x = rectWindow.left;
        pos.y = rectWindow.top;
        pos.cx = rectWindow.Width();
        pos.cy = rectWindow.Height();
        pos.flags = SWP_FRAMECHANGED;
        OnWindowPosChanged(&pos);
    }
    LayoutCaptionButtons();
    if (nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED || bWasMaximized) {
        bWasMaximized = nType == SIZE_MAXIMIZED;
        return TRUE;
    }
    return FALSE;
}

void CZUDPDlgImpl::OnTextChanged()
{
    if (m_bVisualManagerStyle && m_bVisualManagerNCArea)
        RedrawOwner(RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void CZUDPDlgImpl::OnSysColorChange()
{
    if (HasOwnerWindow() && AfxGetMainWnd() != nullptr && AfxGetMainWnd()->m_hWnd == m_pOwner->m_hWnd)
        g_uiEnvironment.UpdateSysColors();
}

void CZUDPDlgImpl::OnSettingChange()
{
    if (HasOwnerWindow() && AfxGetMainWnd() != nullptr && AfxGetMainWnd()->m_hWnd == m_pOwner->m_hWnd)
        g_uiEnvironment.ReadSystemSettings();
}
