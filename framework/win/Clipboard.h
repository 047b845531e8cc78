#pragma once
// Clipboard helpers: a bitmap or a text handed to the clipboard, and a
// copy of the bitmap or text it holds.
#include "framework/win/WinSdk.h"
#include "framework/String.h"

// Opens the clipboard for the window (or the task when null), empties it
// and hands it the bitmap as CF_BITMAP.  On success the clipboard owns the
// bitmap; on failure the caller still does.
BOOL AfxClipboardPutBitmap(HWND hWndOwner, HBITMAP hBitmap);
// A copy of the clipboard's CF_BITMAP (the caller owns it), or null.
HBITMAP AfxClipboardGetBitmapCopy(HWND hWndOwner);

// Opens the clipboard for the window (or the task when null), empties it
// and hands it the text as CF_TEXT; FALSE when the clipboard cannot be
// opened or the text cannot be handed over.
BOOL AfxClipboardPutText(HWND hWndOwner, LPCTSTR lpszText);
// The clipboard's CF_TEXT, up to its first terminator and never past the
// end of the memory holding it; FALSE when there is none.
BOOL AfxClipboardGetText(HWND hWndOwner, CString& text);
