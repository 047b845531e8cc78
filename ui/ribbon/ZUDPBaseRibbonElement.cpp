#include "ui/ribbon/ZUDPBaseRibbonElement.h"

#include "framework/win/DC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

IMPLEMENT_DYNAMIC(CZUDPBaseRibbonElement, CObject)
IMPLEMENT_DYNCREATE(CZUDPRibbonButton, CZUDPBaseRibbonElement)
IMPLEMENT_DYNCREATE(CZUDPRibbonEdit, CZUDPRibbonButton)
IMPLEMENT_DYNCREATE(CZUDPRibbonProgressBar, CZUDPBaseRibbonElement)

CZUDPRibbonButton::CZUDPRibbonButton(UINT nID, LPCTSTR lpszText, int nSmallImageIndex, int nLargeImageIndex)
    : m_nID(nID), m_nSmallImageIndex(nSmallImageIndex), m_nLargeImageIndex(nLargeImageIndex)
{
    m_strText = lpszText != nullptr ? lpszText : "";
}

CSize CZUDPRibbonButton::GetImageSize(int nForm) const
{
    if (m_hIcon == nullptr)
        return CSize(0, 0);
    int nSide = int((nForm == kLargeImage ? 32 : 16) * g_uiEnvironment.GetDpiScale());
    return CSize(nSide, nSide);
}

void CZUDPRibbonButton::DrawImage(CDC* pDC, int nForm, const CRect& rectImage)
{
    if (pDC == nullptr || m_hIcon == nullptr)
        return;
    CSize size = GetImageSize(nForm);
    int x = rectImage.left + (rectImage.Width() - size.cx) / 2;
    int y = rectImage.top + (rectImage.Height() - size.cy) / 2;
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

int CZUDPRibbonButton::DrawBottomText(CDC* pDC, BOOL bCalcOnly)
{
    (void)pDC;
    (void)bCalcOnly;
    return 0;
}
IMPLEMENT_DYNCREATE(CZUDPRibbonLabel, CZUDPRibbonButton)
IMPLEMENT_DYNCREATE(CZUDPRibbonPaletteButton, CZUDPRibbonButton)
IMPLEMENT_DYNCREATE(CZUDPRibbonSeparator, CZUDPBaseRibbonElement)
