#pragma once
// "Password Required": asks for the admin password of one controller
// (Identify by TCP).  An optional prompt replaces the "Password:" label and
// an optional path text is shown with a tooltip.
#include "ui/controls/ZUDPDialog.h"
#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"

class CDlgPassword : public CZUDPDialog {
public:
    explicit CDlgPassword(CWnd* parent = nullptr);
    ~CDlgPassword() override;

    CString m_password; // after OK; at most 64 characters
    CString m_prompt;   // empty: the template's "Password:"
    CString m_path;     // empty: the path row is hidden

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CToolTipCtrl& GetToolTip() { return m_toolTip; }

protected:
    CToolTipCtrl m_toolTip;
};
