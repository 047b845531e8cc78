#include "app/win/DlgTextEntry.h"

#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"

#include "app/AddressCheck.h"
#include "app/win/AppDialogs.h"
#include "res/resource.h"
#include "support/Utilities.h"
#include "ui/foundation/ZUDPMessages.h"

BEGIN_MESSAGE_MAP(CDlgTextEntry, CZUDPDialog)
    ON_EN_CHANGE(IDC_ENTRY, &CDlgTextEntry::OnEntryChange)
END_MESSAGE_MAP()

CString FormatBadAddressMessage(const char* fieldName, const char* text)
{
    CString message;
    if (text == nullptr || *text == '\0')
        message.Format("Enter the %s: four numbers from 0 to 255 separated by dots (for example 192.168.1.10).",
                       fieldName);
    else
        message.Format("\"%s\" is not a valid %s. Enter four numbers from 0 to 255 separated by dots "
                       "(for example 192.168.1.10).",
                       text, fieldName);
    return message;
}

CDlgTextEntry::CDlgTextEntry(const char* title, const char* label, int maxLength, CWnd* parent)
    : CZUDPDialog(IDD_TEXT_ENTRY, parent), m_title(title ? title : ""), m_label(label ? label : ""),
      m_maxLength(maxLength)
{
    SetVisualManagerLook(TRUE, FALSE);
}

CDlgTextEntry::~CDlgTextEntry() = default;

void CDlgTextEntry::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ADMIN_PASSWORD, m_password);
}

BOOL CDlgTextEntry::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    m_entryFont.CreateFont(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");

    static const int hidden[] = {IDC_VALUE_LABEL, IDC_VALUE_SPIN, IDC_VALUE, IDC_APP_PASSWORD_LABEL,
                                 IDC_APP_PASSWORD, IDC_DATASET_LABEL, IDC_DATASET, IDC_ADDRESS};
    for (int id : hidden) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    }
    if (!m_showPassword) {
        GetDlgItem(IDC_ADMIN_PASSWORD_LABEL)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_ADMIN_PASSWORD)->ShowWindow(SW_HIDE);
    }
    // The password never holds more than the controller takes.
    ((CEdit*)GetDlgItem(IDC_ADMIN_PASSWORD))->LimitText(64);

    BOOL result = TRUE;
    if (!m_label.IsEmpty()) {
        SetDlgItemText(IDC_NAME_LABEL, m_label);
        CWnd* place = GetDlgItem(IDC_ADDRESS);
        CRect rect;
        place->GetWindowRect(&rect);
        ScreenToClient(&rect);
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
        if (m_entry.Create(style, rect, this, IDC_ENTRY, &m_entryFont, m_maxLength > 0 ? m_maxLength : 0)) {
            // In the tab order where the template's edit stands.
            m_entry.SetWindowPos(place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            // Made after the dialog's controls were given the look: told now.
            m_entry.SendMessage(ZUDM_ONSETCONTROLVMMODE, IsVisualManagerStyle());
            m_entry.SetTextUtf8(m_text);
            if (m_readOnly)
                m_entry.SetReadOnly(TRUE);
            if (m_locked) {
                m_entry.EnableWindow(FALSE);
            } else {
                m_entry.SetFocus();
                result = FALSE;
            }
        }
    } else {
        GetDlgItem(IDC_NAME_LABEL)->ShowWindow(SW_HIDE);
    }

    SetWindowText(m_title);
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    return result;
}

void CDlgTextEntry::OnEntryChange()
{
    m_text = m_entry.GetTextUtf8();
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    m_entry.SetError(FALSE);
}

bool CDlgTextEntry::CheckEntry(const CString& text)
{
    if (m_locked || m_readOnly || m_entry.GetSafeHwnd() == nullptr)
        return true;
    switch (m_entryKind) {
    case kEntryAddress:
        if (!ParseTypedAddress(text, nullptr)) {
            AppMessageBox(FormatBadAddressMessage("IP address", text), MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    case kEntryName:
        if (text.IsEmpty()) {
            AppMessageBox("Enter a name.", MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if (HasInvalidNameChars(text)) {
            CString message;
            message.Format("\"%s\" is not a valid name. A name may hold only letters, digits, blanks, '-' and '_'.",
                           (LPCTSTR)text);
            AppMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    case kEntryText:
        break;
    }
    return true;
}

void CDlgTextEntry::OnOK()
{
    CString text = m_text;
    if (m_entry.GetSafeHwnd() != nullptr)
        text = m_entry.GetTextUtf8();
    if (!CheckEntry(text)) {
        if (m_entry.GetSafeHwnd() != nullptr) {
            m_entry.SetError(TRUE);
            m_entry.SetFocus();
            m_entry.SetSel(0, -1);
        }
        return;
    }
    m_text = text;
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}
