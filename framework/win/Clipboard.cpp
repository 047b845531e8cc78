#include "framework/win/Clipboard.h"

BOOL AfxClipboardPutBitmap(HWND hWndOwner, HBITMAP hBitmap)
{
    if (hBitmap == nullptr || !::OpenClipboard(hWndOwner))
        return FALSE;
    BOOL ok = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, hBitmap) != nullptr;
    ::CloseClipboard();
    return ok;
}

HBITMAP AfxClipboardGetBitmapCopy(HWND hWndOwner)
{
    if (!::OpenClipboard(hWndOwner))
        return nullptr;
    HBITMAP copy = nullptr;
    HANDLE data = ::GetClipboardData(CF_BITMAP);
    if (data != nullptr)
        copy = static_cast<HBITMAP>(::CopyImage(data, IMAGE_BITMAP, 0, 0, 0));
    ::CloseClipboard();
    return copy;
}
