#include "ui/controls/ZUDPGroup.h"

#include "ui/controls/ZUDPControlBackground.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPGroup, CButton)

BEGIN_MESSAGE_MAP(CZUDPGroup, CButton)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
    ON_WM_UPDATEUISTATE()
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPGroup::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPGroup::OnSetControlAero)
END_MESSAGE_MAP()

void CZUDPGroup::DrawGroup(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    CString strText;
    GetWindowText(strText);
    CFont* pOldFont = CFont::FromHandle((HFONT)pDC->SelectObject(::GetStockObject(DEFAULT_GUI_FONT)));
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(g_uiEnvironment.m_colorBarText);
    CZUDPVisualManager::GetActiveManager()->DrawGroupBox(pDC, this, rectClient, strText);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldBkMode);
    pDC->SelectObject(pOldFont);
}

void CZUDPGroup::OnPaint()
{
    CPaintDC dc(this);
    if (IsOnGlass()) {
        // On glass every pixel is painted: the parent's background first.
        CZUDPMemDC memDC(dc, this);
        FillControlBackground(this, &memDC.GetDC());
        DrawGroup(&memDC.GetDC());
        return;
    }
    DrawGroup(&dc);
}

void CZUDPGroup::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC == nullptr)
        return;
    if (IsOnGlass())
        FillControlBackground(this, pDC);
    DrawGroup(pDC);
}

BOOL CZUDPGroup::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CZUDPGroup::OnEnable(BOOL)
{
    Default();
    RedrawParentUnder(this);
}

void CZUDPGroup::OnUpdateUIState(UINT, UINT)
{
    // Not passed on: the platform group box would paint itself over the
    // library's.
}
