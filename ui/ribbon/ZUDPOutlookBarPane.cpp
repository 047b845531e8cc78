#include "ui/ribbon/ZUDPOutlookBarPane.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

IMPLEMENT_SERIAL(CZUDPOutlookButton, CZUDPToolbarButton, 1)
IMPLEMENT_SERIAL(CZUDPOutlookBarPane, CZUDPToolBar, 1)

void CZUDPOutlookBarPane::DrawBackground(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    pDC->FillSolidRect(&rect, m_clrBackground != (COLORREF)-1 ? m_clrBackground : g_uiEnvironment.m_colorBarShadow);
}

BOOL CZUDPOutlookBarPane::OnButtonClick(CZUDPOutlookButton* pButton)
{
    (void)pButton;
    return FALSE;
}
