#pragma once
// The install dialog ("Remote System"): the target address, the data set
// to install, the install type ("New Install", or "Update" which keeps the
// values), the application's version and the admin password.
#include <vector>

#include "ui/controls/ZUDPDialog.h"
#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"

class CDlgInstallApp : public CZUDPDialog {
public:
    explicit CDlgInstallApp(CWnd* parent = nullptr);
    ~CDlgInstallApp() override;

    // Filled by the caller before the dialog runs, read after OK.
    CString m_address;                   // "%d.%d.%d.%d" or "<multiple>"
    std::vector<CString> m_dataSetNames; // offered in order; names beginning with '!' are not
    CString m_currentDataSet;            // the machines' current data set
    CString m_dataSet;                   // preselected; after OK the chosen one (empty: none)
    BOOL m_updateAllowed = FALSE;
    BOOL m_update = FALSE;               // after OK: "Update" was chosen
    CString m_appVersion;                // shown in place of "App Version:"
    BOOL m_addressLocked = FALSE;
    CString m_password;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CComboBox& GetDataSetList() { return m_dataSetList; }
    CComboBox& GetInstallTypeList() { return m_installTypeList; }

protected:
    void FillInstallTypes();
    void OnDataSetChange();

    CComboBox m_dataSetList;
    CComboBox m_installTypeList;

    DECLARE_MESSAGE_MAP()
};
