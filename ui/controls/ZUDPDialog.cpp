#include "ui/controls/ZUDPDialog.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNAMIC(CZUDPDialog, CDialog)

BEGIN_MESSAGE_MAP(CZUDPDialog, CDialog)
END_MESSAGE_MAP()

CZUDPDialog::CZUDPDialog() = default;

CZUDPDialog::CZUDPDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

CZUDPDialog::CZUDPDialog(LPCTSTR lpszTemplateName, CWnd* pParent) : CDialog(lpszTemplateName, pParent) {}

CZUDPDialog::~CZUDPDialog() = default;

void CZUDPDialog::SetVisualManagerLook(BOOL bEnable, BOOL bNCArea, const CList<UINT, UINT>* pLstNonSubclassedItems)
{
    m_bVisualManagerStyle = bEnable;
    m_bVisualManagerNCArea = bEnable && bNCArea;
    m_lstNonSubclassedItems.RemoveAll();
    if (pLstNonSubclassedItems != nullptr) {
        for (POSITION pos = pLstNonSubclassedItems->GetHeadPosition(); pos != nullptr;)
            m_lstNonSubclassedItems.AddTail(pLstNonSubclassedItems->GetNext(pos));
    }
    if (m_hWnd != nullptr) {
        TellControlsTheLook();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

void CZUDPDialog::TellControlsTheLook()
{
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
        if (m_lstNonSubclassedItems.Find(nID) != nullptr)
            continue;
        ::SendMessageA(hWndChild, ZUDM_ONSETCONTROLVMMODE, m_bVisualManagerStyle, 0);
    }
}

BOOL CZUDPDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_bVisualManagerStyle)
        TellControlsTheLook();
    return TRUE;
}
