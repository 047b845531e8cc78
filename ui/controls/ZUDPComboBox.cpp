#include "ui/controls/ZUDPComboBox.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CZUDPComboBox, CComboBox)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_NCPAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CANCELMODE()
    ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, &CZUDPComboBox::OnDropDown)
    ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, &CZUDPComboBox::OnCloseUp)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPComboBox::OnSetControlVMModeAndEdit)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPComboBox::OnSetControlAero)
END_MESSAGE_MAP()

CZUDPComboBox::CZUDPComboBox() = default;

CZUDPComboBox::~CZUDPComboBox()
{
    // The edit window belongs to the combo box: it goes with the combo's
    // window, not with this member.
    if (m_wndEdit.GetSafeHwnd() != nullptr)
        m_wndEdit.UnsubclassWindow();
}

BOOL CZUDPComboBox::UsesLibraryPainting() const
{
    return (GetStyle() & 0x3) != CBS_SIMPLE && (m_bVisualManagerStyle || m_bOnGlass);
}

void CZUDPComboBox::RedrawCombo()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void CZUDPComboBox::ReleaseHotCapture()
{
    if (m_bTracked && ::GetCapture() == m_hWnd)
        ReleaseCapture();
    m_bTracked = FALSE;
}

CRect CZUDPComboBox::ComputeDropButtonRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.left = rect.right - ::GetSystemMetrics(SM_CXVSCROLL) - 4;
    rect.DeflateRect(2, 2);
    return rect;
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPComboBox::OnPaint()
{
    if (!UsesLibraryPainting()) {
        Default();
        return;
    }
    CPaintDC dcPaint(this);
    CZUDPMemDC memDC(dcPaint, this, m_bVisualManagerStyle ? 255 : 0);
    PaintCombo(&memDC.GetDC());
}

void CZUDPComboBox::OnPrintClient(CDC* pDC, UINT)
{
    if (!UsesLibraryPainting() || pDC == nullptr) {
        Default();
        return;
    }
    PaintCombo(pDC);
}

void CZUDPComboBox::OnNcPaint() {}

void CZUDPComboBox::PaintCombo(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rectClient, g_uiEnvironment.m_colorWindow, (COLORREF)-1);
    }
    // The platform's own content (selected text, or the edit's background).
    DefWindowProc(WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), PRF_CLIENT);

    m_rectBtn = ComputeDropButtonRect();
    {
        CZUDPDrawOnGlass onGlass(m_bVisualManagerStyle);
        CZUDPToolbarComboBoxButton element;
        CZUDPVisualManager::GetActiveManager()->DrawComboDropButton(pDC, m_rectBtn, !IsWindowEnabled(),
                                                                    m_bIsDroppedDown, m_bIsButtonHighlighted,
                                                                    &element);
    }

    CZUDPDrawManager dm(*pDC);
    dm.DrawBox(rectClient, (COLORREF)-1, g_uiEnvironment.m_colorBarShadow);
    rectClient.DeflateRect(1, 1);
    dm.DrawBox(rectClient, (COLORREF)-1, g_uiEnvironment.m_colorWindow);
}

// ---------------------------------------------------------------------------
// Hot tracking of the drop button

void CZUDPComboBox::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) == 0) {
        const BOOL bHot = m_rectBtn.PtInRect(point);
        if (bHot != m_bIsButtonHighlighted) {
            m_bIsButtonHighlighted = bHot;
            if (bHot) {
                SetCapture();
                m_bTracked = TRUE;
            } else {
                ReleaseHotCapture();
            }
            RedrawCombo();
        }
    }
    Default();
}

void CZUDPComboBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTracked) {
        ReleaseHotCapture();
        m_bIsButtonHighlighted = FALSE;
        RedrawCombo();
    }
    Default();
}

void CZUDPComboBox::OnCancelMode()
{
    Default();
    if (m_bTracked) {
        ReleaseHotCapture();
        m_bIsButtonHighlighted = FALSE;
        RedrawCombo();
    }
}

BOOL CZUDPComboBox::OnDropDown()
{
    ReleaseHotCapture();
    m_bIsDroppedDown = TRUE;
    m_bIsButtonHighlighted = FALSE;
    RedrawCombo();
    return FALSE;   // the parent hears of it too
}

BOOL CZUDPComboBox::OnCloseUp()
{
    m_bIsDroppedDown = FALSE;
    m_bIsButtonHighlighted = FALSE;
    RedrawCombo();
    return FALSE;
}

// ---------------------------------------------------------------------------
// Look

LRESULT CZUDPComboBox::OnSetControlVMModeAndEdit(WPARAM wParam, LPARAM lParam)
{
    OnSetControlVMMode(wParam, lParam);
    // A drop-down combo's edit part takes the library's edit once the look
    // is on; a drop-down list has no edit part.
    if (m_bVisualManagerStyle && (GetStyle() & CBS_DROPDOWN) != 0 && m_wndEdit.GetSafeHwnd() == nullptr) {
        HWND hWndEdit = GetEditChild();
        if (hWndEdit != nullptr && CWnd::FromHandlePermanent(hWndEdit) == nullptr && m_wndEdit.SubclassWindow(hWndEdit))
            m_wndEdit.SendMessage(ZUDM_ONSETCONTROLAERO, (WPARAM)m_bOnGlass);
    }
    return 0;
}
