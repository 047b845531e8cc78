#include "ui/foundation/ZUDPKeyHelper.h"

void CZUDPKeyHelper::FormatShortcut(CString& str) const
{
    str.Empty();
    if (m_lpAccel == nullptr)
        return;
    if (m_lpAccel->fVirt & FCONTROL)
        AppendKeyName(str, VK_CONTROL);
    if (m_lpAccel->fVirt & FSHIFT)
        AppendKeyName(str, VK_SHIFT);
    if (m_lpAccel->fVirt & FALT)
        AppendKeyName(str, VK_MENU);
    if (m_lpAccel->fVirt & FVIRTKEY) {
        AppendKeyName(str, m_lpAccel->key, TRUE);
    } else if (m_lpAccel->key != VK_ESCAPE) {
        str += char(LOBYTE(m_lpAccel->key));
    }
}

void CZUDPKeyHelper::AppendKeyName(CString& strKey, UINT uiVirtKey, BOOL bLast) const
{
    CString strName;
    if (uiVirtKey == VK_PAUSE) {
        strName = "Pause";
    } else {
        const UINT nScan = ::MapVirtualKeyExA(uiVirtKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0));
        LONG lParam = LONG((nScan << 16) | 1);
        // Page Up ... Help have keypad twins with the same scan code: the
        // extended bit names the dedicated key.
        if (uiVirtKey >= VK_PRIOR && uiVirtKey <= VK_HELP)
            lParam |= 1L << 24;
        char szName[51] = {};
        if (::GetKeyNameTextA(lParam, szName, 50) > 0) {
            szName[50] = '\0';
            ::CharLowerA(szName);
            // Capitalise the first letter only: "CTRL" -> "Ctrl", "NUM 5" ->
            // "Num 5"; names without letters stay as they are.
            for (char* p = szName; *p != '\0'; ++p) {
                if (::IsDBCSLeadByte(BYTE(*p))) {
                    if (p[1] == '\0')
                        break;
                    ++p;
                    continue;
                }
                if (::IsCharLowerA(*p)) {
                    char one[2] = {*p, '\0'};
                    ::CharUpperA(one);
                    *p = one[0];
                    break;
                }
            }
            strName = szName;
        }
    }
    strKey += strName;
    if (!bLast)
        strKey += '+';
}
