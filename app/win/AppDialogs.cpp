#include "app/win/AppDialogs.h"

#include "app/win/AppSeams.h"

int AppMessageBox(const char* text, UINT type) { return g_appSeams.messageBox(nullptr, text, nullptr, type); }

int AppMessageBoxOwned(HWND owner, const char* text, UINT type)
{
    return g_appSeams.messageBox(owner, text, nullptr, type);
}

int AppMessageBoxCaption(HWND owner, const char* text, const char* caption, UINT type)
{
    return g_appSeams.messageBox(owner, text, caption, type);
}
