#include "ui/controls/ZUDPListBox.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNAMIC(CZUDPListBox, CListBox)

BEGIN_MESSAGE_MAP(CZUDPListBox, CListBox)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPListBox::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPListBox::OnSetControlAero)
END_MESSAGE_MAP()

CZUDPListBox::CZUDPListBox() = default;

CZUDPListBox::~CZUDPListBox() = default;

LRESULT CZUDPListBox::OnSetControlVMMode(WPARAM wParam, LPARAM)
{
    m_bVisualManagerStyle = (BOOL)wParam;
    return 0;
}

LRESULT CZUDPListBox::OnSetControlAero(WPARAM wParam, LPARAM)
{
    m_bOnGlass = (BOOL)wParam;
    return 0;
}
