#include "framework/win/Clipboard.h"

#include <cstring>

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

BOOL AfxClipboardPutText(HWND hWndOwner, LPCTSTR lpszText)
{
    if (lpszText == nullptr)
        return FALSE;
    size_t size = std::strlen(lpszText) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (block == nullptr)
        return FALSE;
    void* data = ::GlobalLock(block);
    if (data == nullptr) {
        ::GlobalFree(block);
        return FALSE;
    }
    std::memcpy(data, lpszText, size);
    ::GlobalUnlock(block);
    if (!::OpenClipboard(hWndOwner)) {
        ::GlobalFree(block);
        return FALSE;
    }
    // Once handed over, the block belongs to the clipboard.
    BOOL ok = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, block) != nullptr;
    ::CloseClipboard();
    if (!ok)
        ::GlobalFree(block);
    return ok;
}

BOOL AfxClipboardGetText(HWND hWndOwner, CString& text)
{
    text.Empty();
    if (!::OpenClipboard(hWndOwner))
        return FALSE;
    BOOL ok = FALSE;
    HANDLE data = ::GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        SIZE_T size = ::GlobalSize(data);
        const char* chars = static_cast<const char*>(::GlobalLock(data));
        if (chars != nullptr) {
            size_t length = 0;
            while (length < size && chars[length] != '\0')
                length++;
            text = CString(chars, int(length));
            ::GlobalUnlock(data);
            ok = TRUE;
        }
    }
    ::CloseClipboard();
    return ok;
}
