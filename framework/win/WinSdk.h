#pragma once
// The Win32 headers the framework's window part uses, in the order they
// need: winsock2.h before windows.h (or windows.h would pull the old
// winsock.h), then the common controls, shell and common dialogs.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <oleacc.h>

#include "framework/Types.h"
