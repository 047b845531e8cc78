#pragma once
// The library's message box and the helpers through which the application
// shows every message box.  ThemedMessageBox captions the box with the
// application's name and returns the id of the button that closed it.
//
// This version shows the system's message box with those parameters; the
// themed box (visual-manager look, library buttons, Ctrl+C copy) arrives
// with CZUDPMessageBox's own implementation.
#include "framework/win/WinSdk.h"

// Owner: the active window; caption: the application's name; language 0.
int ThemedMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
// Fills a MSGBOXPARAMS record (no module, icon name, help id or callback)
// and shows it.  A null owner means the active window or its last active
// popup.
int ThemedMessageBoxEx(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType, WORD wLanguageId = 0);
int ThemedMessageBoxIndirect(const MSGBOXPARAMSA* pMsgBoxParams);
