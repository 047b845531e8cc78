#include "app/win/DlgInstallApp.h"

#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"

#include "app/AddressCheck.h"
#include "app/win/AppDialogs.h"
#include "app/win/DlgTextEntry.h"
#include "res/resource.h"
#include "support/Utilities.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CDlgInstallApp, CZUDPDialog)
    ON_CBN_SELCHANGE(IDC_DATASET, &CDlgInstallApp::OnDataSetChange)
END_MESSAGE_MAP()

namespace {

// Whether text begins with prefix, without regard to ASCII letter case.
bool BeginsWithNoCase(const char* text, const char* prefix)
{
    size_t length = strlen(prefix);
    if (strlen(text) < length)
        return false;
    CString head(text, (int)length);
    return CompareNoCase(head, prefix) == 0;
}

CString SelectedText(CComboBox& list)
{
    CString text;
    int index = list.GetCurSel();
    if (index != CB_ERR)
        list.GetLBText(index, text);
    return text;
}

} // namespace

CDlgInstallApp::CDlgInstallApp(CWnd* parent) : CZUDPDialog(IDD_INSTALL_APP, parent)
{
    SetVisualManagerLook(TRUE, FALSE);
}

CDlgInstallApp::~CDlgInstallApp() = default;

void CDlgInstallApp::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATASET, m_dataSetList);
    DDX_Control(pDX, IDC_INSTALL_TYPE, m_installTypeList);
    DDX_Text(pDX, IDC_ADDRESS, m_address);
    DDX_Text(pDX, IDC_ADMIN_PASSWORD, m_password);
}

BOOL CDlgInstallApp::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    CEdit* address = (CEdit*)GetDlgItem(IDC_ADDRESS);
    address->LimitText(64);
    ((CEdit*)GetDlgItem(IDC_ADMIN_PASSWORD))->LimitText(64);
    SetDlgItemText(IDC_APP_VERSION, m_appVersion);

    for (const CString& name : m_dataSetNames) {
        if (!name.IsEmpty() && name[0] == '!')
            continue;
        m_dataSetList.AddString(name);
    }
    int count = m_dataSetList.GetCount();
    if (count > 0) {
        int selected = 0;
        for (int i = 0; i < count; ++i) {
            CString text;
            m_dataSetList.GetLBText(i, text);
            if (BeginsWithNoCase(text, m_dataSet)) {
                selected = i;
                break;
            }
        }
        m_dataSetList.SetCurSel(selected);
        if (count == 1)
            m_dataSetList.EnableWindow(FALSE);
    } else {
        GetDlgItem(IDC_DATASET_LABEL)->ShowWindow(SW_HIDE);
        m_dataSetList.ShowWindow(SW_HIDE);
    }

    FillInstallTypes();
    if (m_addressLocked) {
        address->EnableWindow(FALSE);
        return TRUE;
    }
    address->SetFocus();
    return FALSE;
}

void CDlgInstallApp::FillInstallTypes()
{
    m_installTypeList.ResetContent();
    m_installTypeList.AddString("New Install");
    if (m_updateAllowed && SelectedText(m_dataSetList) == m_currentDataSet)
        m_installTypeList.AddString("Update");
    m_installTypeList.SetCurSel(0);
}

void CDlgInstallApp::OnDataSetChange()
{
    FillInstallTypes();
}

void CDlgInstallApp::OnOK()
{
    if (!m_addressLocked) {
        CString address;
        GetDlgItemText(IDC_ADDRESS, address);
        if (!ParseTypedAddress(address, nullptr)) {
            AppMessageBox(FormatBadAddressMessage("IP address", address), MB_OK | MB_ICONEXCLAMATION);
            CEdit* edit = (CEdit*)GetDlgItem(IDC_ADDRESS);
            edit->SetFocus();
            edit->SetSel(0, -1);
            return;
        }
    }
    m_dataSet = SelectedText(m_dataSetList);
    m_update = m_installTypeList.GetCurSel() == 1;
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}
