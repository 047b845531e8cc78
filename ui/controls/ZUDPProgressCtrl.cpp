#include "ui/controls/ZUDPProgressCtrl.h"

#include "ui/controls/ZUDPControlBackground.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CZUDPProgressCtrl, CProgressCtrl)

BEGIN_MESSAGE_MAP(CZUDPProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPProgressCtrl::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPProgressCtrl::OnSetControlAero)
END_MESSAGE_MAP()

void CZUDPProgressCtrl::GetFrameAndChunk(CRect& rectFrame, CRect& rectChunk) const
{
    GetClientRect(rectFrame);
    rectFrame.DeflateRect(1, 1);
    rectChunk.SetRectEmpty();
    int nLower = 0, nUpper = 0;
    GetRange(nLower, nUpper);
    if (nLower >= nUpper)
        return;
    // In 64 bits, with the position kept inside the range: a range of
    // millions on a wide bar overflows an int.
    const long long span = (long long)nUpper - nLower;
    const long long done = std::min<long long>(std::max<long long>(GetPos(), nLower), nUpper) - nLower;
    rectChunk = rectFrame;
    if ((GetStyle() & PBS_VERTICAL) != 0)
        rectChunk.top = rectFrame.bottom - (int)(rectFrame.Height() * done / span);
    else
        rectChunk.right = rectFrame.left + (int)(rectFrame.Width() * done / span);
    rectChunk.DeflateRect(1, 1);
    if (rectChunk.IsRectEmpty())
        rectChunk.SetRectEmpty();
}

void CZUDPProgressCtrl::DrawProgress(CDC* pDC)
{
    FillControlBackground(this, pDC);
    CRect rectFrame, rectChunk;
    GetFrameAndChunk(rectFrame, rectChunk);
    CZUDPDrawOnGlass onGlass(IsOnGlass());
    CZUDPRibbonProgressBar element;
    CZUDPVisualManager::GetActiveManager()->DrawProgressBar(pDC, &element, rectFrame, rectChunk, FALSE);
}

void CZUDPProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CZUDPMemDC memDC(dc, this);
    DrawProgress(&memDC.GetDC());
}

void CZUDPProgressCtrl::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC != nullptr)
        DrawProgress(pDC);
}

BOOL CZUDPProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CZUDPProgressCtrl::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // The client area stays the whole window: no platform border.
}

void CZUDPProgressCtrl::OnNcPaint()
{
}
