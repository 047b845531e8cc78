#include "ui/controls/ZUDPSpinButtonCtrl.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNCREATE(CZUDPSpinButtonCtrl, CSpinButtonCtrl)

BEGIN_MESSAGE_MAP(CZUDPSpinButtonCtrl, CSpinButtonCtrl)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPSpinButtonCtrl::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPSpinButtonCtrl::OnSetControlAero)
END_MESSAGE_MAP()
