#include "ui/controls/ZUDPEdit.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNAMIC(CZUDPEdit, CEdit)

BEGIN_MESSAGE_MAP(CZUDPEdit, CEdit)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPEdit::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPEdit::OnSetControlAero)
END_MESSAGE_MAP()

CZUDPEdit::CZUDPEdit() = default;

CZUDPEdit::~CZUDPEdit() = default;

LRESULT CZUDPEdit::OnSetControlVMMode(WPARAM wParam, LPARAM)
{
    m_bVisualManagerStyle = (BOOL)wParam;
    return 0;
}

LRESULT CZUDPEdit::OnSetControlAero(WPARAM wParam, LPARAM)
{
    m_bOnGlass = (BOOL)wParam;
    return 0;
}
