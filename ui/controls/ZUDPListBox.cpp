#include "ui/controls/ZUDPListBox.h"

#include "framework/win/Controls.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNCREATE(CZUDPListBox, CListBox)

BEGIN_MESSAGE_MAP(CZUDPListBox, CListBox)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPListBox::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPListBox::OnSetControlAero)
END_MESSAGE_MAP()

CZUDPListBox::CZUDPListBox() = default;

CZUDPListBox::~CZUDPListBox() = default;
