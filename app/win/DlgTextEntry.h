#pragma once
// The text-entry dialog: a labelled entry with an optional admin password
// row.  The program uses it as the "Remote System" address dialog
// (CDlgRemoteMachine); the template's other rows (value with spin, list of
// names, data-set choice, application password, "Duplicate") stay hidden.
#include "ui/controls/ZUDPDialog.h"
#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"
#include "app/win/GZUDPEdit.h"

class CDlgTextEntry : public CZUDPDialog {
public:
    // What the entry must hold for OK to be accepted.
    enum EntryKind {
        kEntryText,    // any text up to the maximum length
        kEntryAddress, // four numbers from 0 to 255 ("%d.%d.%d.%d")
        kEntryName,    // letters, digits, blanks, '-' and '_', not empty
    };

    CDlgTextEntry(const char* title, const char* label, int maxLength, CWnd* parent = nullptr);
    ~CDlgTextEntry() override;

    // Set by the caller before the dialog runs.
    CString m_title;
    CString m_label;
    int m_maxLength = 64;
    CString m_text;              // initial entry; after OK the typed text
    BOOL m_showPassword = FALSE; // the admin password row is shown
    BOOL m_locked = FALSE;       // the entry is disabled
    BOOL m_readOnly = FALSE;     // the entry shows its text but cannot be edited
    EntryKind m_entryKind = kEntryText;
    // After OK: the typed admin password.
    CString m_password;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The entry made in place of the template's edit (none without a
    // label); its text is UTF-8, and its error colour marks a refused entry.
    CGZUDPEdit& GetEntry() { return m_entry; }

protected:
    // Checks the typed entry; false after telling the user why.
    virtual bool CheckEntry(const CString& text);
    void OnEntryChange();

    CFont m_entryFont;
    CGZUDPEdit m_entry;

    DECLARE_MESSAGE_MAP()
};

// The message shown when an address field does not hold an address.
CString FormatBadAddressMessage(const char* fieldName, const char* text);
