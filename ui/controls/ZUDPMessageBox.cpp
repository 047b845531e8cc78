#include "ui/controls/ZUDPMessageBox.h"

#include "framework/win/WinApp.h"

int ThemedMessageBox(LPCTSTR lpszText, UINT nType)
{
    return ThemedMessageBoxEx(::GetActiveWindow(), lpszText, AfxGetAppName(), nType, 0);
}

int ThemedMessageBoxEx(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType, WORD wLanguageId)
{
    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = hWnd;
    params.hInstance = nullptr;
    params.lpszText = lpszText;
    params.lpszCaption = lpszCaption;
    params.dwStyle = uType;
    params.dwLanguageId = wLanguageId;
    return ThemedMessageBoxIndirect(&params);
}

int ThemedMessageBoxIndirect(const MSGBOXPARAMSA* pMsgBoxParams)
{
    MSGBOXPARAMSA params = *pMsgBoxParams;
    if (params.hwndOwner == nullptr) {
        HWND hWndActive = ::GetActiveWindow();
        if (hWndActive != nullptr) {
            HWND hWndPopup = ::GetLastActivePopup(hWndActive);
            params.hwndOwner = hWndPopup != nullptr ? hWndPopup : hWndActive;
        }
    }
    // A missing caption is "Error", a missing text empty, as the themed box
    // will have them.
    if (params.lpszCaption == nullptr)
        params.lpszCaption = "Error";
    if (params.lpszText == nullptr)
        params.lpszText = "";
    return ::MessageBoxIndirectA(&params);
}
