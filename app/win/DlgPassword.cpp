#include "app/win/DlgPassword.h"

#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"

#include "res/resource.h"

CDlgPassword::CDlgPassword(CWnd* parent) : CZUDPDialog(IDD_PASSWORD, parent)
{
    SetVisualManagerLook(TRUE, FALSE);
}

CDlgPassword::~CDlgPassword() = default;

void CDlgPassword::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PASSWORD, m_password);
}

BOOL CDlgPassword::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    ((CEdit*)GetDlgItem(IDC_PASSWORD))->LimitText(64);
    if (!m_prompt.IsEmpty())
        SetDlgItemText(IDC_PASSWORD_PROMPT, m_prompt);
    if (!m_path.IsEmpty()) {
        if (m_toolTip.Create(this)) {
            m_toolTip.AddTool(GetDlgItem(IDC_PATH), m_path);
            m_toolTip.Activate(TRUE);
        }
        SetDlgItemText(IDC_PATH, m_path);
    } else {
        GetDlgItem(IDC_PATH_LABEL)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_PATH)->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

BOOL CDlgPassword::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CZUDPDialog::PreTranslateMessage(pMsg);
}

void CDlgPassword::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The edit holds at most 64 characters; a longer text set from outside
    // is cut there as well.
    if (m_password.GetLength() > 64)
        m_password = m_password.Left(64);
    EndDialog(IDOK);
}
