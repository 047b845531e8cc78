#pragma once
// The message boxes of the machine manager go through here (the
// messageBox seam, app/win/AppSeams.h), so that tests can answer them
// instead of a user.
#include "framework/win/FrameworkWin.h"

// The library's message box captioned with the application's name.
int AppMessageBox(const char* text, UINT type = MB_OK);
// The same, owned by the given window (a window of the program that is on
// the screen, so that the box never appears on its own).
int AppMessageBoxOwned(HWND owner, const char* text, UINT type = MB_OK);
// A message box with its own caption, owned by a window (or none).
int AppMessageBoxCaption(HWND owner, const char* text, const char* caption, UINT type);

