#pragma once
// The display text of one accelerator-table entry ("Ctrl+Shift+S",
// "Alt+Up") as menus, tooltips, the keyboard manager and the customization
// pages show it.  Key names come from the active keyboard layout, so the
// text follows the user's language; only Pause has a fixed name.
#include "framework/String.h"
#include "framework/Object.h"

class CZUDPKeyHelper : public CObject {
public:
    // The entry stays the caller's; null describes nothing.
    explicit CZUDPKeyHelper(LPACCEL lpAccel = nullptr) : m_lpAccel(lpAccel) {}
    ~CZUDPKeyHelper() override = default;

    // The entry's text: modifiers always in the order Ctrl, Shift, Alt,
    // then the key (a virtual key by name, else the character; Esc as a
    // character gives nothing).  Empty without an entry.
    void FormatShortcut(CString& str) const;

    // Appends the display name of a virtual key ("Ctrl", "Num 5", "Up"),
    // then "+" unless bLast.  A key the layout cannot name adds no name.
    void AppendKeyName(CString& strKey, UINT uiVirtKey, BOOL bLast = FALSE) const;

private:
    LPACCEL m_lpAccel;
};
