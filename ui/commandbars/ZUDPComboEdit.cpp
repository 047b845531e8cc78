#include "ui/commandbars/ZUDPComboEdit.h"

#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

BEGIN_MESSAGE_MAP(CZUDPComboEdit, CZUDPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_CONTEXTMENU()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, &CZUDPComboEdit::OnPrintClient)
    ON_MESSAGE(WM_MOUSELEAVE, &CZUDPComboEdit::OnMouseLeave)
    ON_CONTROL_REFLECT(EN_CHANGE, &CZUDPComboEdit::OnEditChange)
END_MESSAGE_MAP()

namespace {

BOOL KeyHeld(int nVirtKey) { return (g_frameworkSeams.keyState(nVirtKey) & 0x8000) != 0; }

} // namespace

BOOL ShowToolbarEditContextMenu(CWnd* pEdit, UINT uiMenuResId, CPoint ptScreen)
{
    if (pEdit == nullptr || uiMenuResId == 0)
        return FALSE;
    CMenu menu;
    if (!menu.LoadMenu(uiMenuResId))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return FALSE;
    CWnd* pOwner = pEdit->GetParent();
    if (g_contextMenuManager != nullptr) {
        // The manager's popup outlives this function: it takes a copy.
        g_contextMenuManager->ShowPopupMenu(pPopup->GetSafeHmenu(), ptScreen.x, ptScreen.y, pOwner, FALSE, TRUE,
                                            FALSE);
    } else {
        g_frameworkSeams.trackPopupMenu(pPopup->GetSafeHmenu(), TPM_CENTERALIGN, ptScreen.x, ptScreen.y,
                                        pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr, nullptr);
    }
    return TRUE;
}

CZUDPComboEdit::CZUDPComboEdit(CZUDPToolbarComboBoxButton& button) : ownerButton(button) {}

CZUDPComboEdit::~CZUDPComboEdit() = default;

// ---------------------------------------------------------------------------
// Focus and hover

void CZUDPComboEdit::OnSetFocus(CWnd* pOldWnd)
{
    (void)pOldWnd;
    Default();
    ownerButton.SetHotEdit(TRUE);
    ownerButton.NotifyControlEvent(CBN_SETFOCUS);
}

void CZUDPComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    (void)pNewWnd;
    Default();
    if (ownerButton.comboWnd != nullptr && ::IsWindow(ownerButton.comboWnd->GetSafeHwnd())) {
        ownerButton.SetHotEdit(FALSE);
        ownerButton.NotifyControlEvent(CBN_KILLFOCUS);
    }
}

void CZUDPComboEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CZUDPEdit::OnMouseMove(nFlags, point);
    ownerButton.SetHotEdit(TRUE);
    if (!trackingMouse) {
        trackingMouse = TRUE;
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        TrackMouseLeave(&tme);
    }
}

LRESULT CZUDPComboEdit::OnMouseLeave(WPARAM, LPARAM)
{
    trackingMouse = FALSE;
    if (::GetFocus() != m_hWnd)
        ownerButton.SetHotEdit(FALSE);
    return 0;
}

void CZUDPComboEdit::OnEditChange()
{
    if (m_bOnGlass) {
        InvalidateRect(nullptr, FALSE);
        UpdateWindow();
    }
    ownerButton.NotifyControlEvent(CBN_EDITCHANGE);
}

void CZUDPComboEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    if (!ShowToolbarEditContextMenu(this, ownerButton.contextMenuId, point))
        Default();
}

// ---------------------------------------------------------------------------
// Painting

BOOL CZUDPComboEdit::IsPromptShown() const
{
    if (m_hWnd == nullptr || ::GetFocus() == m_hWnd || ownerButton.GetPrompt().IsEmpty())
        return FALSE;
    return ::GetWindowTextLengthA(m_hWnd) == 0;
}

void CZUDPComboEdit::DrawPrompt(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nSaved = pDC->SaveDC();
    pDC->SelectObject(&g_uiEnvironment.m_fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    COLORREF clrText = g_uiEnvironment.m_colorWindowText;
    COLORREF clrBack = g_uiEnvironment.m_colorWindow;
    CBrush& brush = CZUDPVisualManager::GetActiveManager()->GetEditBoxColors(&ownerButton, clrText, clrBack);
    const CString strPrompt = ownerButton.GetPrompt();
    if (ownerButton.onGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rectClient, clrBack, (COLORREF)-1);
        rectClient.DeflateRect(1, 1);
        ownerButton.DrawButtonText(pDC, strPrompt, rectClient, DT_SINGLELINE | DT_VCENTER,
                                   g_uiEnvironment.m_colorGrayText, 0);
    } else {
        pDC->FillRect(&rectClient, &brush);
        rectClient.DeflateRect(1, 1);
        pDC->SetTextColor(g_uiEnvironment.m_colorGrayText);
        pDC->DrawText(strPrompt, &rectClient, DT_SINGLELINE | DT_VCENTER);
    }
    pDC->RestoreDC(nSaved);
}

void CZUDPComboEdit::PaintClient(CDC* pDC)
{
    if (IsPromptShown())
        DrawPrompt(pDC);
    else
        DefWindowProc(WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), PRF_CLIENT);
}

void CZUDPComboEdit::OnPaint()
{
    if (!IsPromptShown()) {
        CZUDPEdit::OnPaint();
        return;
    }
    CPaintDC dc(this);
    DrawPrompt(&dc);
}

LRESULT CZUDPComboEdit::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if (!IsPromptShown())
        return Default();
    (void)lParam;
    DrawPrompt(CDC::FromHandle((HDC)wParam));
    return 0;
}

// ---------------------------------------------------------------------------
// Keys

BOOL CZUDPComboEdit::PreTranslateMessage(MSG* pMsg)
{
    CComboBox* pCombo = ownerButton.comboWnd != nullptr && ::IsWindow(ownerButton.comboWnd->GetSafeHwnd())
                            ? ownerButton.comboWnd
                            : nullptr;
    if (pMsg->message == WM_MOUSEWHEEL && pCombo != nullptr && pCombo->GetDroppedState()) {
        pCombo->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message != WM_KEYDOWN)
        return CZUDPEdit::PreTranslateMessage(pMsg);

    const UINT nKey = (UINT)pMsg->wParam;
    const BOOL bPlain = !KeyHeld(VK_MENU) && !KeyHeld(VK_CONTROL);
    if (bPlain && pCombo != nullptr) {
        const BOOL bDropped = pCombo->GetDroppedState();
        const BOOL bListKey = nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_END || nKey == VK_HOME ||
                              nKey == VK_UP || nKey == VK_DOWN;
        if ((bListKey && bDropped) || nKey == VK_RETURN) {
            SetFocus();
            if (bDropped) {
                pCombo->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
            } else if (CWnd* pOwner = pCombo->GetOwner()) {
                CString strText;
                GetWindowText(strText);
                ownerButton.editText = strText;
                pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(ownerButton.commandId, 0), (LPARAM)pCombo->GetSafeHwnd());
            }
            return TRUE;
        }
    }
    switch (nKey) {
    case VK_TAB:
        if (CWnd* pParent = GetParent()) {
            if (CWnd* pNext = pParent->GetNextDlgTabItem(this, FALSE))
                pNext->SetFocus();
        }
        return TRUE;
    case VK_ESCAPE:
        if (pCombo != nullptr)
            pCombo->ShowDropDown(FALSE);
        if (CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(this))
            pFrame->SetFocus();
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (bPlain && pCombo != nullptr) {
            if (!pCombo->GetDroppedState()) {
                pCombo->ShowDropDown(TRUE);
                if (CWnd* pParent = pCombo->GetParent())
                    pParent->InvalidateRect(&ownerButton.comboRect, TRUE);
            }
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CZUDPEdit::PreTranslateMessage(pMsg);
}
