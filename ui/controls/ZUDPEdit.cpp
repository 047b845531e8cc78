#include "ui/controls/ZUDPEdit.h"

#include "framework/win/Controls.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNCREATE(CZUDPEdit, CEdit)

BEGIN_MESSAGE_MAP(CZUDPEdit, CEdit)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPEdit::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPEdit::OnSetControlAero)
END_MESSAGE_MAP()

CZUDPEdit::CZUDPEdit() = default;

CZUDPEdit::~CZUDPEdit() = default;
