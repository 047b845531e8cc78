#include "ui/controls/ZUDPButton.h"

#include "framework/win/Controls.h"

#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

IMPLEMENT_DYNCREATE(CZUDPButton, CButton)

BEGIN_MESSAGE_MAP(CZUDPButton, CButton)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPButton::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPButton::OnSetControlAero)
END_MESSAGE_MAP()

CZUDPButton::CZUDPButton() = default;

CZUDPButton::~CZUDPButton() = default;

void CZUDPButton::DrawParentBackground(CDC* pDC, LPRECT lpRect)
{
    g_uiEnvironment.DrawParentBackground(this, pDC, lpRect);
}
