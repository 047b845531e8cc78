#pragma once
// Clipboard helpers: a bitmap handed to the clipboard, and a copy of the
// bitmap it holds.
#include "framework/win/WinSdk.h"

// Opens the clipboard for the window (or the task when null), empties it
// and hands it the bitmap as CF_BITMAP.  On success the clipboard owns the
// bitmap; on failure the caller still does.
BOOL AfxClipboardPutBitmap(HWND hWndOwner, HBITMAP hBitmap);
// A copy of the clipboard's CF_BITMAP (the caller owns it), or null.
HBITMAP AfxClipboardGetBitmapCopy(HWND hWndOwner);
