// Window classes registered by the framework for windows made with CWnd::Create.
#include "framework/win/Wnd.h"

#include "framework/Exceptions.h"
#include "framework/win/WinApp.h"

#include <cstring>
#include <memory>
#include <vector>


LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per combination, named after it; the names live as long as
    // the program (a window class is registered once).
    static std::vector<std::unique_ptr<char[]>> names;
    char name[96];
    wsprintfA(name, "TrovWnd:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
              (void*)hbrBackground, (void*)hIcon);
    for (const auto& known : names) {
        if (::lstrcmpA(known.get(), name) == 0)
            return known.get();
    }
    WNDCLASSA wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.hIcon = hIcon;
    wndcls.lpszClassName = name;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    size_t len = ::strlen(name) + 1;
    std::unique_ptr<char[]> stored(new char[len]);
    ::memcpy(stored.get(), name, len);
    names.push_back(std::move(stored));
    return names.back().get();
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;   // registered before
    return ::RegisterClassA(lpWndClass) != 0;
}
