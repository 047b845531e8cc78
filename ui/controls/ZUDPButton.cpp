// CZUDPButton's behaviour: style evaluation, mouse and keyboard handling,
// check states and radio groups, images, tooltip and cursor.  Its painting
// is in ZUDPButtonPaint.cpp.
#include "ui/controls/ZUDPButton.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <vector>

BOOL g_buttonThemeEnabled = FALSE;

namespace {

// Whether some button has evaluated its style yet (the first one decides
// the themed-face switch).
BOOL g_buttonStyleEvaluated = FALSE;

// A radio group is a run of siblings from one WS_GROUP control to the
// next; no dialog holds more controls than this.
const int kGroupWalkLimit = 4096;

// A 24-bit DIB section of the size, selected into a memory DC for the
// drawing; the bitmap, or null.
template <class TDraw>
HBITMAP Draw24BitBitmap(CSize size, TDraw draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap == nullptr)
        return nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    draw(hDC);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// Whether any pixel of a 32-bit bitmap carries alpha.  One drawn with GDI
// (every alpha byte 0) has none: drawn by its alpha it would not show.
BOOL HasAlphaChannel(HBITMAP hBitmap, const BITMAP& bitmap)
{
    if (bitmap.bmBitsPixel != 32 || bitmap.bmWidth <= 0 || bitmap.bmHeight == 0)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bitmap.bmWidth;
    info.bmiHeader.biHeight = bitmap.bmHeight < 0 ? -bitmap.bmHeight : bitmap.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(size_t(info.bmiHeader.biWidth) * size_t(info.bmiHeader.biHeight));
    HDC hDC = ::GetDC(nullptr);
    const int lines = ::GetDIBits(hDC, hBitmap, 0, (UINT)info.bmiHeader.biHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDC);
    if (lines <= 0)
        return FALSE;
    for (DWORD pixel : pixels)
        if ((pixel & 0xFF000000) != 0)
            return TRUE;
    return FALSE;
}

BOOL IsPlatformRadio(HWND hWnd)
{
    const DWORD type = (DWORD)::GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    return lstrcmpiA(className, "Button") == 0 && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

} // namespace

IMPLEMENT_DYNCREATE(CZUDPButton, CButton)

BEGIN_MESSAGE_MAP(CZUDPButton, CButton)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_SETFONT, &CZUDPButton::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CZUDPButton::OnGetFont)
    ON_MESSAGE(WM_SETTEXT, &CZUDPButton::OnSetText)
    ON_MESSAGE(BM_GETCHECK, &CZUDPButton::OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, &CZUDPButton::OnSetCheck)
    ON_MESSAGE(BM_SETSTYLE, &CZUDPButton::OnSetStyle)
    ON_MESSAGE(BM_SETIMAGE, &CZUDPButton::OnSetImage)
    ON_MESSAGE(BM_GETIMAGE, &CZUDPButton::OnGetImage)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPButton::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPButton::OnSetControlAero)
    ON_REGISTERED_MESSAGE(ZUDM_UPDATETOOLTIPS, &CZUDPButton::OnUpdateToolTips)
END_MESSAGE_MAP()

CZUDPButton::CZUDPButton() = default;

CZUDPButton::~CZUDPButton()
{
    CleanUp();
    DropCachedIcon();
    if (m_pToolTip != nullptr)
        CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
}

// ---------------------------------------------------------------------------
// Style

void CZUDPButton::EvaluateStyle(DWORD dwStyle)
{
    m_bDefaultButton = m_bCheckBox = m_bThreeState = m_bRadio = m_bAuto = FALSE;
    switch (dwStyle & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
        m_bDefaultButton = TRUE;
        break;
    case BS_CHECKBOX:
        m_bCheckBox = TRUE;
        break;
    case BS_AUTOCHECKBOX:
        m_bCheckBox = m_bAuto = TRUE;
        break;
    case BS_3STATE:
        m_bCheckBox = m_bThreeState = TRUE;
        break;
    case BS_AUTO3STATE:
        m_bCheckBox = m_bThreeState = m_bAuto = TRUE;
        break;
    case BS_RADIOBUTTON:
        m_bRadio = TRUE;
        break;
    case BS_AUTORADIOBUTTON:
        m_bRadio = m_bAuto = TRUE;
        break;
    default:
        break;
    }
    if (m_bCheckBox || m_bRadio) {
        m_bCheckOnRight = (dwStyle & BS_LEFTTEXT) != 0;
        // A push-like one keeps a push button's centred text unless its
        // style names a side.
        if ((dwStyle & BS_CENTER) == BS_CENTER)
            m_nTextAlignment = AlignCenter;
        else if ((dwStyle & BS_RIGHT) != 0)
            m_nTextAlignment = AlignRight;
        else if ((dwStyle & (BS_LEFT | BS_PUSHLIKE)) == BS_PUSHLIKE)
            m_nTextAlignment = AlignCenter;
        else
            m_nTextAlignment = AlignLeft;
    }
    if (!g_buttonStyleEvaluated) {
        g_buttonStyleEvaluated = TRUE;
        if (!g_buttonThemeEnabled && AfxGetResourceHandle() != nullptr)
            g_buttonThemeEnabled = TRUE;
    }
}

// Every kind becomes the owner-drawn type.  OR-ing BS_OWNERDRAW into a
// radio or three-state type would make type 0xF, which the platform takes
// for a default command link (and the dialog manager for its default
// button).
DWORD CZUDPButton::OwnerDrawStyle(DWORD dwStyle)
{
    return (dwStyle & ~(DWORD)BS_TYPEMASK) | BS_OWNERDRAW;
}

UINT CZUDPButton::GetButtonKind() const
{
    if (m_bRadio)
        return m_bAuto ? BS_AUTORADIOBUTTON : BS_RADIOBUTTON;
    if (m_bThreeState)
        return m_bAuto ? BS_AUTO3STATE : BS_3STATE;
    if (m_bCheckBox)
        return m_bAuto ? BS_AUTOCHECKBOX : BS_CHECKBOX;
    return m_bDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

UINT CZUDPButton::ButtonKindOf(HWND hWnd)
{
    if (const CZUDPButton* pButton = dynamic_cast<const CZUDPButton*>(CWnd::FromHandlePermanent(hWnd)))
        return pButton->GetButtonKind();
    return (UINT)::GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_TYPEMASK;
}

BOOL CZUDPButton::PreCreateWindow(CREATESTRUCT& cs)
{
    EvaluateStyle(cs.style);
    cs.style = OwnerDrawStyle(cs.style);
    return CButton::PreCreateWindow(cs);
}

void CZUDPButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    // A window created through Create was set up by PreCreateWindow.
    if (AfxGetThreadState()->m_pWndInit != nullptr)
        return;
    const DWORD dwStyle = GetStyle();
    EvaluateStyle(dwStyle);
    // The platform still answers here: the window is not routed through
    // this object yet.
    const LRESULT check = ::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0);
    m_nChecked = check != BST_UNCHECKED ? 1 : 0;
    m_bIndeterminate = m_bThreeState && check == BST_INDETERMINATE;
    // A dialog gave its controls its font before they were taken over.
    m_hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (LONG_PTR)OwnerDrawStyle(dwStyle));
}

LRESULT CZUDPButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    // The dialog manager or the program moving the default: the kind stays,
    // the window stays owner-drawn.
    const DWORD dwType = (DWORD)wParam & BS_TYPEMASK;
    if (dwType == BS_DEFPUSHBUTTON || dwType == BS_PUSHBUTTON) {
        if (IsPushButton())
            m_bDefaultButton = dwType == BS_DEFPUSHBUTTON;
    } else if (dwType != BS_OWNERDRAW) {
        EvaluateStyle((DWORD)wParam);
    }
    const LRESULT lResult = DefWindowProc(BM_SETSTYLE, OwnerDrawStyle((DWORD)wParam), lParam);
    if (LOWORD(lParam) != 0)
        RepaintNow();
    return lResult;
}

UINT CZUDPButton::OnGetDlgCode()
{
    // Not from the platform: an owner-drawn button with a default-button
    // code would be restyled by the dialog manager.
    UINT code = DLGC_BUTTON;
    if (m_bRadio)
        code |= DLGC_RADIOBUTTON;
    return code;
}

// ---------------------------------------------------------------------------
// Small helpers

void CZUDPButton::NotifyParentClick()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CZUDPButton::RepaintNow()
{
    if (m_hWnd == nullptr)
        return;
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

void CZUDPButton::ReleaseHeldCapture()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
}

UINT CZUDPButton::CurrentItemState() const
{
    UINT uiState = 0;
    if (::GetFocus() == m_hWnd)
        uiState |= ODS_FOCUS;
    if (!IsWindowEnabled())
        uiState |= ODS_DISABLED;
    // Held by the keyboard (Space) the platform button is pushed.
    if ((SendMessage(BM_GETSTATE) & BST_PUSHED) != 0)
        uiState |= ODS_SELECTED;
    return uiState;
}

// ---------------------------------------------------------------------------
// Painting entries

void CZUDPButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    Paint(pDC, CRect(lpDrawItemStruct->rcItem), lpDrawItemStruct->itemState);
}

void CZUDPButton::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    Paint(&dc, rectClient, CurrentItemState());
}

void CZUDPButton::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    Paint(pDC, rectClient, CurrentItemState());
}

BOOL CZUDPButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CZUDPButton::DrawParentBackground(CDC* pDC, LPRECT lpRect)
{
    g_uiEnvironment.DrawParentBackground(this, pDC, lpRect);
}

// ---------------------------------------------------------------------------
// Mouse

void CZUDPButton::OnMouseMove(UINT nFlags, CPoint point)
{
    m_bPointerInside = FALSE;
    const BOOL bLeftDown = (nFlags & MK_LBUTTON) != 0;
    if (bLeftDown || m_nBorderStyle != BorderStyle3D || UsesThemedFace()) {
        CRect rectClient;
        GetClientRect(rectClient);
        BOOL bChanged = FALSE;
        if (rectClient.PtInRect(point)) {
            m_bPointerInside = TRUE;
            if (!m_bHot) {
                m_bHot = TRUE;
                bChanged = TRUE;
            }
            if (bLeftDown && !m_bDown && m_bPressStarted) {
                m_bDown = TRUE;
                bChanged = TRUE;
            }
            // Holding the capture while hovering is how the button learns
            // that the pointer left.
            if (!m_bCaptured) {
                SetCapture();
                m_bCaptured = TRUE;
                RepaintNow();
                Default();
                return;
            }
        } else {
            if (bLeftDown) {
                if (m_bDown) {
                    m_bDown = FALSE;
                    bChanged = TRUE;
                }
            } else if (m_bHot) {
                m_bHot = FALSE;
                bChanged = TRUE;
            }
            if (m_bCaptured && !bLeftDown) {
                ReleaseHeldCapture();
                bChanged = TRUE;
            }
        }
        if (bChanged)
            RepaintNow();
    }
    Default();
}

void CZUDPButton::OnLButtonDown(UINT, CPoint)
{
    if (m_bClickOnPress) {
        NotifyParentClick();
    } else {
        m_bDown = m_bPressStarted = m_bHot = TRUE;
        if (!m_bCaptured) {
            SetCapture();
            m_bCaptured = TRUE;
        }
        RepaintNow();
        if (m_nAutoRepeatInterval > 0)
            SetTimer(kAutoRepeatTimer, (UINT)m_nAutoRepeatInterval);
    }
    Default();
}

void CZUDPButton::ToggleAsClicked()
{
    if (m_bThreeState) {
        // Unchecked, checked, indeterminate, unchecked.
        if (m_bIndeterminate) {
            m_nChecked = 0;
            m_bIndeterminate = FALSE;
        } else if (m_nChecked != 0) {
            m_bIndeterminate = TRUE;
        } else {
            m_nChecked = 1;
        }
    } else if (m_bCheckBox) {
        m_nChecked = m_nChecked != 0 ? 0 : 1;
    } else if (m_bRadio && m_nChecked == 0) {
        m_nChecked = 1;
        UncheckRadioGroup();
    }
}

void CZUDPButton::OnLButtonUp(UINT, CPoint)
{
    const BOOL bClicked = m_bDown && m_bPressStarted && m_bHot;
    m_bDown = m_bPressStarted = m_bHot = FALSE;
    if (bClicked && m_bAuto)
        ToggleAsClicked();

    HWND hWnd = m_hWnd;
    if (m_bDoubleClickPending) {
        m_bDoubleClickPending = FALSE;
        NotifyParentClick();
    }
    // The parent may have destroyed the button in its handler.
    if (!::IsWindow(hWnd))
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Default();
    if (!::IsWindow(hWnd))
        return;
    ReleaseHeldCapture();
    if (m_nAutoRepeatInterval > 0)
        KillTimer(kAutoRepeatTimer);
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr) {
        m_pToolTip->Pop();
        // Set again, the text shows on the next hover.
        char text[256] = {};
        TOOLINFOA ti = {};
        ti.lpszText = text;
        if (m_pToolTip->GetToolInfo(ti, this))
            m_pToolTip->UpdateTipText(text, this);
    }
}

void CZUDPButton::OnLButtonDblClk(UINT, CPoint)
{
    m_bDown = m_bPressStarted = m_bHot = TRUE;
    RepaintNow();
    Default();
    m_bDoubleClickPending = TRUE;
}

void CZUDPButton::OnCancelMode()
{
    // The platform's processing lets the capture go (and so clears the
    // flag): whether the button held it is read first.
    const BOOL bCaptured = m_bCaptured;
    Default();
    if (bCaptured) {
        ReleaseHeldCapture();
        m_bDown = m_bPressStarted = m_bHot = m_bPointerInside = FALSE;
        RepaintNow();
    }
    if (m_nAutoRepeatInterval >= 0)
        KillTimer(kAutoRepeatTimer);
}

void CZUDPButton::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the capture: the button no longer sees where
    // the pointer goes.
    if (AfxSafeHwnd(pWnd) != m_hWnd) {
        m_bCaptured = FALSE;
        if (m_bHot && !m_bPressStarted) {
            m_bHot = FALSE;
            RepaintNow();
        }
    }
    Default();
}

void CZUDPButton::OnKillFocus(CWnd*)
{
    Default();
    ReleaseHeldCapture();
    m_bDown = m_bPressStarted = m_bHot = m_bPointerInside = FALSE;
    RepaintNow();
}

void CZUDPButton::OnEnable(BOOL bEnable)
{
    if (!bEnable) {
        m_bDown = m_bPressStarted = m_bHot = FALSE;
        ReleaseHeldCapture();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Default();
}

void CZUDPButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoRepeatTimer && m_bDown && m_bHot)
        NotifyParentClick();
    Default();
}

BOOL CZUDPButton::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_hCursor != nullptr) {
        CPoint point;
        g_frameworkSeams.cursorPos(&point);
        ScreenToClient(&point);
        CRect rectClient;
        GetClientRect(rectClient);
        if (rectClient.PtInRect(point)) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return (BOOL)Default();
}

void CZUDPButton::OnSize(UINT, int, int)
{
    m_bTooltipCheckPending = m_bAutoTooltip;
    Default();
}

void CZUDPButton::OnDestroy()
{
    if (m_pToolTip != nullptr)
        CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    Default();
}

// ---------------------------------------------------------------------------
// Keyboard

BOOL CZUDPButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr &&
        (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP))
        m_pToolTip->RelayEvent(pMsg);

    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        // Enter presses a push button only: a focused check box or radio
        // leaves Enter to the dialog's default button.
        if (pMsg->wParam == VK_RETURN && IsPushButton() && g_activePopupMenu == nullptr) {
            NotifyParentClick();
            return TRUE;
        }
        if (m_bAuto && GetParent() != nullptr) {
            if (pMsg->wParam == VK_SPACE && (m_bCheckBox || m_bRadio)) {
                const int nBefore = m_nChecked;
                const BOOL bIndeterminateBefore = m_bIndeterminate;
                ToggleAsClicked();
                if (m_nChecked != nBefore || m_bIndeterminate != bIndeterminateBefore)
                    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                NotifyParentClick();
                return TRUE;
            }
            if (m_bRadio) {
                if ((pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP) && MoveInRadioGroup(FALSE))
                    return TRUE;
                if ((pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_DOWN) && MoveInRadioGroup(TRUE))
                    return TRUE;
            }
        }
    }
    return CButton::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Check state and radio groups

LRESULT CZUDPButton::OnGetCheck(WPARAM, LPARAM)
{
    if (m_bThreeState && m_bIndeterminate)
        return BST_INDETERMINATE;
    if (m_bCheckBox || m_bRadio)
        return m_nChecked != 0 ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

LRESULT CZUDPButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    BOOL bChanged = FALSE;
    if (m_bThreeState) {
        const int nChecked = wParam != BST_UNCHECKED ? 1 : 0;
        const BOOL bIndeterminate = wParam == BST_INDETERMINATE;
        bChanged = nChecked != m_nChecked || bIndeterminate != m_bIndeterminate;
        m_nChecked = nChecked;
        m_bIndeterminate = bIndeterminate;
    } else if (m_bCheckBox || m_bRadio) {
        const int nChecked = wParam != 0 ? 1 : 0;
        bChanged = nChecked != m_nChecked;
        m_nChecked = nChecked;
        if (bChanged && m_bRadio && m_nChecked != 0)
            UncheckRadioGroup();
    }
    if (bChanged)
        RepaintNow();
    return 0;
}

// The group is walked by its WS_GROUP bounds among the siblings, whatever
// their enabled state: a radio checked while disabled (by data exchange,
// say) still unchecks the others.  The dialog manager's group walk would
// skip disabled controls.
void CZUDPButton::UncheckRadioGroup()
{
    if (m_hWnd == nullptr || ::GetParent(m_hWnd) == nullptr)
        return;
    HWND hFirst = m_hWnd;
    for (int steps = 0; steps < kGroupWalkLimit; ++steps) {
        if ((::GetWindowLongPtrA(hFirst, GWL_STYLE) & WS_GROUP) != 0)
            break;
        HWND hPrevious = ::GetWindow(hFirst, GW_HWNDPREV);
        if (hPrevious == nullptr)
            break;
        hFirst = hPrevious;
    }
    HWND hWnd = hFirst;
    for (int steps = 0; hWnd != nullptr && steps < kGroupWalkLimit; ++steps) {
        if (hWnd != hFirst && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_GROUP) != 0)
            break;
        HWND hNext = ::GetWindow(hWnd, GW_HWNDNEXT);
        if (hWnd != m_hWnd) {
            CZUDPButton* pButton = dynamic_cast<CZUDPButton*>(CWnd::FromHandlePermanent(hWnd));
            if (pButton != nullptr) {
                if (pButton->m_bRadio && pButton->m_nChecked != 0) {
                    pButton->m_nChecked = 0;
                    pButton->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                }
            } else if (IsPlatformRadio(hWnd) && ::SendMessageA(hWnd, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
                ::SendMessageA(hWnd, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        hWnd = hNext;
    }
}

BOOL CZUDPButton::MoveInRadioGroup(BOOL bForward)
{
    CWnd* pParent = GetParent();
    if (!m_bRadio || pParent == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    for (int steps = 0; steps < kGroupWalkLimit; ++steps) {
        hWnd = ::GetNextDlgGroupItem(pParent->m_hWnd, hWnd, !bForward);
        if (hWnd == nullptr || hWnd == m_hWnd)
            return FALSE;
        CZUDPButton* pButton = dynamic_cast<CZUDPButton*>(CWnd::FromHandlePermanent(hWnd));
        if (pButton == nullptr || !pButton->m_bRadio || !::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd))
            continue;
        if (pButton->m_nChecked != 0)
            return FALSE;
        pButton->SendMessage(BM_SETCHECK, BST_CHECKED);
        pButton->SetFocus();
        CWnd* pButtonParent = pButton->GetParent();
        if (pButtonParent != nullptr)
            pButtonParent->SendMessage(WM_COMMAND, MAKEWPARAM(pButton->GetDlgCtrlID(), BN_CLICKED), (LPARAM)hWnd);
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Font and text

LRESULT CZUDPButton::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    if (LOWORD(lParam) != 0)
        RepaintNow();
    return 0;
}

LRESULT CZUDPButton::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)m_hFont;
}

LRESULT CZUDPButton::OnSetText(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    // A caption that changes while a dialog runs ("Cancel" becoming "OK")
    // shows at once.
    RepaintNow();
    return lResult;
}

CFont* CZUDPButton::SelectFont(CDC* pDC)
{
    // A font the program deleted meanwhile is forgotten.
    if (m_hFont != nullptr && ::GetObjectType(m_hFont) != OBJ_FONT)
        m_hFont = nullptr;
    HGDIOBJ hFont = m_hFont != nullptr ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT);
    return CFont::FromHandle((HFONT)pDC->SelectObject(hFont));
}

// ---------------------------------------------------------------------------
// Images

void CZUDPButton::CleanUp()
{
    m_nGlyph = m_nDisabledGlyph = -1;
    m_sizeImage = CSize(0, 0);
    for (auto& set : m_images)
        for (auto& images : set)
            images.RemoveAllImages();
    DropCachedIcon();
}

void CZUDPButton::DropCachedIcon()
{
    if (m_hCachedIcon != nullptr) {
        ::DestroyIcon(m_hCachedIcon);
        m_hCachedIcon = nullptr;
    }
}

void CZUDPButton::ClearImageSet(BOOL bChecked)
{
    m_nGlyph = -1;
    m_sizeImage = CSize(0, 0);
    for (auto& images : m_images[bChecked ? 1 : 0])
        images.RemoveAllImages();
    DropCachedIcon();
}

void CZUDPButton::AddBitmapImage(CZUDPToolBarImages& images, HBITMAP hBitmap, BOOL bGreyTransparent,
                                 BOOL bAutoDestroy)
{
    BITMAP bitmap = {};
    if (::GetObjectA(hBitmap, sizeof(bitmap), &bitmap) == 0)
        return;
    const int bitsPerPixel = bitmap.bmBitsPixel * bitmap.bmPlanes;
    images.SetImageSize(m_sizeImage);
    HBITMAP hAdded = hBitmap;
    HBITMAP hCopy = nullptr;
    if (bGreyTransparent || (bitsPerPixel > 8 && bitsPerPixel < 32)) {
        images.SetTransparentColor(RGB(0xC0, 0xC0, 0xC0));
    } else if (bitsPerPixel == 32 && CZUDPToolBarImages::OSSupportsAlpha() && HasAlphaChannel(hBitmap, bitmap)) {
        // The caller's bitmap is premultiplied only when it is ours to
        // change.
        if (!bAutoDestroy) {
            hCopy = CZUDPToolBarImages::CloneBitmap(hBitmap);
            if (hCopy != nullptr)
                hAdded = hCopy;
        }
        CZUDPToolBarImages::ApplyAlphaToColors(hAdded);
        images.SetTransparentColor((COLORREF)-1);
    } else if (bitsPerPixel == 32) {
        // A 32-bit bitmap without alpha is keyed like a 24-bit one.
        images.SetTransparentColor(RGB(0xC0, 0xC0, 0xC0));
    } else {
        images.SetTransparentColor(g_uiEnvironment.m_colorButtonFace);
    }
    // A 32-bit bitmap without alpha goes in as 24 bits: the strip would
    // otherwise draw it by its empty alpha.
    if (bitsPerPixel == 32 && images.GetTransparentColor() != (COLORREF)-1) {
        hCopy = Draw24BitBitmap(CSize(bitmap.bmWidth, bitmap.bmHeight), [&](HDC hDC) {
            HDC hSource = ::CreateCompatibleDC(hDC);
            HGDIOBJ hOld = ::SelectObject(hSource, hBitmap);
            ::BitBlt(hDC, 0, 0, bitmap.bmWidth, bitmap.bmHeight, hSource, 0, 0, SRCCOPY);
            ::SelectObject(hSource, hOld);
            ::DeleteDC(hSource);
        });
        if (hCopy != nullptr)
            hAdded = hCopy;
    }
    images.AppendBitmap(hAdded, TRUE);
    if (hCopy != nullptr)
        ::DeleteObject(hCopy);
}

void CZUDPButton::SetImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bGreyTransparent,
                           BOOL bChecked, HBITMAP hBitmapDisabled)
{
    ClearImageSet(bChecked);
    if (hBitmap != nullptr) {
        BITMAP bitmap = {};
        if (::GetObjectA(hBitmap, sizeof(bitmap), &bitmap) != 0) {
            m_sizeImage = CSize(bitmap.bmWidth, bitmap.bmHeight);
            // A missing hot image does not drop the disabled one.
            const HBITMAP states[3] = {hBitmap, hBitmapHot, hBitmapDisabled};
            for (int nState = ImageNormal; nState <= ImageDisabled; ++nState)
                if (states[nState] != nullptr)
                    AddBitmapImage(Images(bChecked, nState), states[nState], bGreyTransparent, bAutoDestroy);
        }
    }
    if (bAutoDestroy) {
        for (HBITMAP hGiven : {hBitmap, hBitmapHot, hBitmapDisabled})
            if (hGiven != nullptr)
                ::DeleteObject(hGiven);
    }
    if (m_hWnd != nullptr)
        Invalidate();
}

void CZUDPButton::AddIconImage(CZUDPToolBarImages& images, HICON hIcon, BOOL bAlpha)
{
    images.SetImageSize(m_sizeImage);
    if (bAlpha) {
        images.SetTransparentColor((COLORREF)-1);
        images.AppendIcon(hIcon, TRUE);
        return;
    }
    // Drawn over the face and keyed on it.
    const COLORREF clrFace = g_uiEnvironment.m_colorButtonFace;
    HBITMAP hBitmap = Draw24BitBitmap(m_sizeImage, [&](HDC hDC) {
        RECT all = {0, 0, m_sizeImage.cx, m_sizeImage.cy};
        ::FillRect(hDC, &all, (HBRUSH)g_uiEnvironment.m_brushButtonFace.GetSafeHandle());
        ::DrawIconEx(hDC, 0, 0, hIcon, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
    });
    if (hBitmap == nullptr)
        return;
    images.SetTransparentColor(clrFace);
    images.AppendBitmap(hBitmap, TRUE);
    ::DeleteObject(hBitmap);
}

void CZUDPButton::SetIcon(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, BOOL bAlpha, BOOL bChecked,
                          HICON hIconDisabled)
{
    ClearImageSet(bChecked);
    ICONINFO info = {};
    if (hIcon != nullptr && ::GetIconInfo(hIcon, &info)) {
        BITMAP bitmap = {};
        if (info.hbmColor != nullptr && ::GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap) != 0)
            m_sizeImage = CSize(bitmap.bmWidth, bitmap.bmHeight);
        else if (info.hbmMask != nullptr && ::GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap) != 0)
            m_sizeImage = CSize(bitmap.bmWidth, bitmap.bmHeight / 2);  // monochrome: mask over image
        // GetIconInfo hands over copies of the icon's bitmaps.
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
        if (m_sizeImage.cx > 0 && m_sizeImage.cy > 0) {
            AddIconImage(Images(bChecked, ImageNormal), hIcon, bAlpha);
            // A missing hot icon does not end the list.
            if (hIconHot != nullptr)
                AddIconImage(Images(bChecked, ImageHot), hIconHot, bAlpha);
            if (hIconDisabled != nullptr)
                AddIconImage(Images(bChecked, ImageDisabled), hIconDisabled, bAlpha);
        } else {
            m_sizeImage = CSize(0, 0);
        }
    }
    if (bAutoDestroy) {
        for (HICON hGiven : {hIcon, hIconHot, hIconDisabled})
            if (hGiven != nullptr)
                ::DestroyIcon(hGiven);
    }
    if (m_hWnd != nullptr)
        Invalidate();
}

namespace {

// A PNG resource of the id, else a bitmap resource; null when neither.
HBITMAP LoadButtonImage(UINT uiId)
{
    if (uiId == 0)
        return nullptr;
    CZUDPLocalResource localResource;
    CZUDPPngImage png;
    if (png.LoadFromResource(uiId))
        return (HBITMAP)png.Detach();
    return (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiId), IMAGE_BITMAP, 0, 0,
                                 LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
}

} // namespace

void CZUDPButton::SetImagesFromResources(UINT uiNormalId, UINT uiHotId, UINT uiDisabledId)
{
    LoadImagesFromResources(uiNormalId, uiHotId, uiDisabledId, FALSE);
}

void CZUDPButton::LoadImagesFromResources(UINT uiNormalId, UINT uiHotId, UINT uiDisabledId, BOOL bChecked)
{
    SetImage(LoadButtonImage(uiNormalId), TRUE, LoadButtonImage(uiHotId), FALSE, bChecked,
             LoadButtonImage(uiDisabledId));
}

void CZUDPButton::SetGlyphImage(int nGlyph, int nColor, int nDisabledGlyph)
{
    CleanUp();
    m_nGlyph = nGlyph;
    m_nGlyphColor = nColor;
    m_nDisabledGlyph = nDisabledGlyph;
    m_sizeImage = GetMenuGlyphSize();
    if (m_hWnd != nullptr)
        Invalidate();
}

LRESULT CZUDPButton::OnSetImage(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IMAGE_BITMAP)
        SetImage((HBITMAP)lParam, FALSE, nullptr, TRUE, FALSE, nullptr);
    else if (wParam == IMAGE_ICON)
        SetIcon((HICON)lParam, FALSE, nullptr, TRUE, FALSE, nullptr);
    return 0;
}

LRESULT CZUDPButton::OnGetImage(WPARAM wParam, LPARAM)
{
    CZUDPToolBarImages& normal = Images(FALSE, ImageNormal);
    if (wParam == IMAGE_BITMAP)
        return (LRESULT)normal.GetImageBitmap();
    if (wParam == IMAGE_ICON) {
        // One icon per image set, kept and destroyed by the button: callers
        // of BM_GETIMAGE do not destroy what they get.
        if (m_hCachedIcon == nullptr && normal.GetCount() > 0)
            m_hCachedIcon = normal.MakeIcon(0);
        return (LRESULT)m_hCachedIcon;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Tooltip and cursor

void CZUDPButton::SetTipText(LPCTSTR lpszText)
{
    if (lpszText != nullptr) {
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr) {
            m_pToolTip->UpdateTipText(lpszText, this);
        } else if (m_hWnd != nullptr && CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_BUTTON)) {
            m_pToolTip->AddTool(this, lpszText);
        }
    }
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->Activate(lpszText != nullptr);
}

LRESULT CZUDPButton::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if (m_pToolTip == nullptr || (wParam & TIPKIND_BUTTON) == 0)
        return 0;
    char text[256] = {};
    TOOLINFOA ti = {};
    ti.lpszText = text;
    if (m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->GetToolInfo(ti, this);
    const CString strText(text);
    if (CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_BUTTON))
        m_pToolTip->AddTool(this, strText);
    return 0;
}

void CZUDPButton::UseHandCursor()
{
    m_hCursor = g_uiEnvironment.GetHandCursor();
}
