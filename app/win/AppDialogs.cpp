#include "app/win/AppDialogs.h"

#include "ui/controls/ZUDPMessageBox.h"

namespace {
AppMessageBoxHook g_messageBoxHook = nullptr;
}

void SetAppMessageBoxHook(AppMessageBoxHook hook)
{
    g_messageBoxHook = hook;
}

int AppMessageBox(const char* text, UINT type)
{
    if (g_messageBoxHook)
        return g_messageBoxHook(text, nullptr, type);
    return ThemedMessageBox(text, type);
}

int AppMessageBoxOwned(HWND owner, const char* text, UINT type)
{
    if (g_messageBoxHook)
        return g_messageBoxHook(text, nullptr, type);
    return ThemedMessageBoxEx(owner, text, AfxGetAppName(), type);
}

int AppMessageBoxCaption(HWND owner, const char* text, const char* caption, UINT type)
{
    if (g_messageBoxHook)
        return g_messageBoxHook(text, caption, type);
    return ::MessageBoxA(owner, text, caption, type);
}
