// Natively there is no string table.
#include "framework/String.h"

BOOL CString::LoadString(UINT)
{
    return FALSE;
}
