#include "ui/controls/ZUDPDialog.h"

#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"

IMPLEMENT_DYNAMIC(CZUDPDialog, CDialog)

BEGIN_MESSAGE_MAP(CZUDPDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_SIZE()
    ON_WM_NCPAINT()
    ON_WM_NCMOUSEMOVE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_DWMCOMPOSITIONCHANGED, &CZUDPDialog::OnDWMCompositionChanged)
    ON_REGISTERED_MESSAGE(ZUDM_CHANGEVISUALMANAGER, &CZUDPDialog::OnChangeVisualManager)
    ON_MESSAGE(WM_SETTEXT, &CZUDPDialog::OnSetText)
END_MESSAGE_MAP()

CZUDPDialog::CZUDPDialog() = default;

CZUDPDialog::CZUDPDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

CZUDPDialog::CZUDPDialog(LPCTSTR lpszTemplateName, CWnd* pParent) : CDialog(lpszTemplateName, pParent) {}

CZUDPDialog::~CZUDPDialog() { delete m_pLocaRes; }

void CZUDPDialog::SetVisualManagerLook(BOOL bEnable, BOOL bNCArea, const CList<UINT, UINT>* pLstNonSubclassedItems)
{
    m_Impl.SetVisualManagerLook(bEnable, bEnable && bNCArea, pLstNonSubclassedItems);
    if (bEnable && bNCArea)
        m_Impl.ApplyFrameLook();
}

INT_PTR CZUDPDialog::DoModal()
{
    if (m_bIsLocal && m_pLocaRes == nullptr)
        m_pLocaRes = new CZUDPLocalResource;
    INT_PTR nResult = CDialog::DoModal();
    // A template that failed to load never reached PreInitDialog: the
    // library's resources stop being current here all the same.
    delete m_pLocaRes;
    m_pLocaRes = nullptr;
    return nResult;
}

void CZUDPDialog::PreInitDialog()
{
    CDialog::PreInitDialog();
    delete m_pLocaRes;
    m_pLocaRes = nullptr;
}

BOOL CZUDPDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Impl.m_bHasBorder = (GetStyle() & WS_BORDER) != 0;
    // The look and glass asked for before the window existed now reach the
    // controls (with the excluded ids given then).
    m_Impl.ReapplyLook();
    m_Impl.ReapplyGlassMargins();
    return TRUE;
}

BOOL CZUDPDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnCommand(wParam, lParam))
        return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CZUDPDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.PreTranslateMessage(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CZUDPDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL)
{
    m_Impl.OnActivate(nState, pWndOther);
    // The dialog manager gives the focus back to the control that had it.
    Default();
}

BOOL CZUDPDialog::OnNcActivate(BOOL bActive)
{
    m_Impl.OnNcActivate(bActive);
    const MSG* pMsg = GetCurrentMessage();
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, pMsg != nullptr ? pMsg->lParam : 0);
}

BOOL CZUDPDialog::OnEraseBkgnd(CDC* pDC) { return m_Impl.EraseBackground(pDC); }

void CZUDPDialog::OnDestroy()
{
    m_Impl.OnDestroy();
    Default();
}

HBRUSH CZUDPDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_Impl.IsVisualManagerStyle()) {
        if (HBRUSH hBrush = m_Impl.OnCtlColor(pDC, pWnd, nCtlColor))
            return hBrush;
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CZUDPDialog::OnSysColorChange()
{
    Default();
    m_Impl.OnSysColorChange();
}

void CZUDPDialog::OnSettingChange(UINT, LPCTSTR)
{
    Default();
    m_Impl.OnSettingChange();
}

void CZUDPDialog::OnSize(UINT nType, int, int)
{
    if (m_Impl.OnSize(nType, m_bWasMaximized))
        Default();
}

void CZUDPDialog::OnNcPaint()
{
    if (!m_Impl.OnNcPaint())
        Default();
}

void CZUDPDialog::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_Impl.OnNcMouseMove(nHitTest, point);
    Default();
}

void CZUDPDialog::OnMouseMove(UINT, CPoint point)
{
    m_Impl.OnMouseMove(point);
    Default();
}

void CZUDPDialog::OnLButtonDown(UINT, CPoint point)
{
    m_Impl.OnLButtonDown(point);
    Default();
}

void CZUDPDialog::OnLButtonUp(UINT, CPoint point)
{
    m_Impl.OnLButtonUp(point);
    Default();
}

LRESULT CZUDPDialog::OnNcHitTest(CPoint point)
{
    UINT nHit = m_Impl.OnNcHitTest(point);
    return nHit != 0 ? (LRESULT)nHit : Default();
}

void CZUDPDialog::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!m_Impl.OnNcCalcSize(bCalcValidRects, lpncsp))
        Default();
}

void CZUDPDialog::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    if (lpwndpos != nullptr && (lpwndpos->flags & SWP_FRAMECHANGED))
        m_Impl.OnWindowPosChanged(lpwndpos);
    Default();
}

void CZUDPDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    m_Impl.OnGetMinMaxInfo(lpMMI);
    Default();
}

LRESULT CZUDPDialog::OnDWMCompositionChanged(WPARAM, LPARAM)
{
    m_Impl.OnCompositionChanged();
    return 0;
}

LRESULT CZUDPDialog::OnChangeVisualManager(WPARAM, LPARAM)
{
    m_Impl.ApplyFrameLook();
    return 0;
}

LRESULT CZUDPDialog::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (lResult)
        m_Impl.OnTextChanged();
    return lResult;
}
