// CString::LoadString from the string table of the resource module.
#include "framework/String.h"

#include <windows.h>

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE module = static_cast<HINSTANCE>(g_hStringResourceModule);
    if (module == nullptr)
        module = ::GetModuleHandleA(nullptr);
    // A string table entry holds at most 4095 characters.
    char buffer[4096];
    int n = ::LoadStringA(module, nID, buffer, int(sizeof buffer));
    if (n <= 0)
        return FALSE;
    SetString(buffer, n);
    return TRUE;
}
