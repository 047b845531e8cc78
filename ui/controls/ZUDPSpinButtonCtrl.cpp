#include "ui/controls/ZUDPSpinButtonCtrl.h"

#include "framework/win/DC.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPSpinButtonCtrl, CSpinButtonCtrl)

BEGIN_MESSAGE_MAP(CZUDPSpinButtonCtrl, CSpinButtonCtrl)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPSpinButtonCtrl::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPSpinButtonCtrl::OnSetControlAero)
END_MESSAGE_MAP()

BOOL CZUDPSpinButtonCtrl::IsHorizontal() const { return (GetStyle() & UDS_HORZ) != 0; }

void CZUDPSpinButtonCtrl::GetHalves(CRect& rectFirst, CRect& rectSecond) const
{
    CRect rect;
    GetClientRect(&rect);
    rectFirst = rect;
    rectSecond = rect;
    if (IsHorizontal()) {
        rectFirst.right = rect.left + rect.Width() / 2;
        rectSecond.left = rectFirst.right;
    } else {
        rectFirst.bottom = rect.top + rect.Height() / 2;
        rectSecond.top = rectFirst.bottom;
    }
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPSpinButtonCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CZUDPMemDC memDC(dcPaint, this);
    DrawButtons(&memDC.GetDC());
}

void CZUDPSpinButtonCtrl::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC != nullptr)
        DrawButtons(pDC);
}

BOOL CZUDPSpinButtonCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CZUDPSpinButtonCtrl::DrawButtons(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    const BOOL bOnGlass = g_drawingOnGlass || m_bOnGlass;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();

    // Attached to an edit, the spin button continues the edit's frame.
    const BOOL bHasBuddy = SendMessage(UDM_GETBUDDY) != 0;
    if (bHasBuddy && (m_bVisualManagerStyle || m_bOnGlass || g_drawingOnGlass)
        && (GetStyle() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) != 0) {
        pManager->DrawControlFrame(pDC, rect, this, bOnGlass);
        rect.DeflateRect(1, 1);
    }

    if (bOnGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, g_uiEnvironment.m_colorWindow, (COLORREF)-1);
    } else {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
    }

    int nState = 0;
    if (m_bIsButtonPressedUp)
        nState |= 1;
    if (m_bIsButtonPressedDown)
        nState |= 2;
    if (m_bIsButtonHighlightedUp)
        nState |= 4;
    if (m_bIsButtonHighlightedDown)
        nState |= 8;
    if (!IsWindowEnabled())
        nState |= 16;

    CZUDPDrawOnGlass onGlass(m_bOnGlass || g_drawingOnGlass);
    pManager->DrawSpinButton(pDC, rect, nState, IsHorizontal(), this);
}

void CZUDPSpinButtonCtrl::RedrawSpin()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Mouse

void CZUDPSpinButtonCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect rectFirst, rectSecond;
    GetHalves(rectFirst, rectSecond);
    m_bIsButtonPressedUp = rectFirst.PtInRect(point);
    m_bIsButtonPressedDown = rectSecond.PtInRect(point);
    Default();
}

void CZUDPSpinButtonCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rectFirst, rectSecond;
    GetHalves(rectFirst, rectSecond);
    const BOOL bHotFirst = rectFirst.PtInRect(point);
    const BOOL bHotSecond = rectSecond.PtInRect(point);
    const BOOL bChanged = bHotFirst != m_bIsButtonHighlightedUp || bHotSecond != m_bIsButtonHighlightedDown;
    m_bIsButtonHighlightedUp = bHotFirst;
    m_bIsButtonHighlightedDown = bHotSecond;
    // While held, the pressed half follows the pointer.
    if (nFlags & MK_LBUTTON) {
        m_bIsButtonPressedUp = bHotFirst;
        m_bIsButtonPressedDown = bHotSecond;
    }
    Default();
    if (bChanged)
        RedrawSpin();
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracked = TrackMouseLeave(&tme);
    }
}

void CZUDPSpinButtonCtrl::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (m_bIsButtonPressedUp || m_bIsButtonPressedDown || m_bIsButtonHighlightedUp || m_bIsButtonHighlightedDown) {
        m_bIsButtonHighlightedUp = FALSE;
        m_bIsButtonHighlightedDown = FALSE;
        RedrawSpin();
    }
}

void CZUDPSpinButtonCtrl::ResetStates()
{
    m_bIsButtonPressedUp = FALSE;
    m_bIsButtonPressedDown = FALSE;
    m_bIsButtonHighlightedUp = FALSE;
    m_bIsButtonHighlightedDown = FALSE;
}

void CZUDPSpinButtonCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    ResetStates();
    Default();
}

void CZUDPSpinButtonCtrl::OnCancelMode()
{
    Default();
    ResetStates();
}
