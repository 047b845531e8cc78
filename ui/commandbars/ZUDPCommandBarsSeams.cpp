#include "ui/commandbars/ZUDPCommandBarsSeams.h"

#include "framework/win/Clipboard.h"
#include "framework/win/Wnd.h"
#include "ui/commandbars/customize/ButtonAppearanceDlg.h"
#include "ui/controls/ZUDPColorDialog.h"

#include <algorithm>

namespace {

int CALLBACK CollectFont(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD dwFontType, LPARAM lParam)
{
    auto* pFonts = reinterpret_cast<std::vector<CZUDPFontDesc>*>(lParam);
    const ENUMLOGFONTEXA* pInfo = reinterpret_cast<const ENUMLOGFONTEXA*>(pLogFont);
    // The record's texts are fixed arrays: read them within their size.
    char szScript[LF_FACESIZE + 1] = "";
    ::lstrcpynA(szScript, reinterpret_cast<const char*>(pInfo->elfScript), LF_FACESIZE);
    char szFace[LF_FACESIZE + 1] = "";
    ::lstrcpynA(szFace, pLogFont->lfFaceName, LF_FACESIZE);
    pFonts->emplace_back(szFace, szScript, pLogFont->lfCharSet, pLogFont->lfPitchAndFamily, (int)dwFontType);
    return 1;
}

void EnumerateDCFonts(HDC hDC, BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)
{
    LOGFONTA lf = {};
    lf.lfCharSet = nCharSet;
    ::EnumFontFamiliesExA(hDC, &lf, (FONTENUMPROCA)CollectFont, (LPARAM)&fonts, 0);
}

void RealInstalledFonts(BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)
{
    HDC hDC = ::GetDC(nullptr);
    if (hDC == nullptr)
        return;
    EnumerateDCFonts(hDC, nCharSet, fonts);
    ::ReleaseDC(nullptr, hDC);
}

void RealPrinterFonts(BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)
{
    // The default printer's DC, as the application's printer defaults give
    // it: no dialog is shown.
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!::PrintDlgA(&pd))
        return;
    if (pd.hDC != nullptr) {
        EnumerateDCFonts(pd.hDC, nCharSet, fonts);
        ::DeleteDC(pd.hDC);
    }
    if (pd.hDevMode != nullptr)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames != nullptr)
        ::GlobalFree(pd.hDevNames);
}

BOOL RealDbcsEnabled() { return ::GetSystemMetrics(SM_DBCSENABLED) != 0; }

// Inverts a frame of the given width round a rectangle on the desktop with
// the halftone brush.
void InvertFrame(HDC hDC, const RECT& rect, int nWidth)
{
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0 || nWidth <= 0)
        return;
    ::PatBlt(hDC, rect.left, rect.top, cx, nWidth, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.bottom - nWidth, cx, nWidth, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + nWidth, nWidth, cy - 2 * nWidth, PATINVERT);
    ::PatBlt(hDC, rect.right - nWidth, rect.top + nWidth, nWidth, cy - 2 * nWidth, PATINVERT);
}

void RealDrawDragOutline(const RECT* pRectNew, int nWidth, const RECT* pRectOld, int nOldWidth)
{
    HWND hDesktop = ::GetDesktopWindow();
    HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hDC == nullptr)
        return;
    static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kHalftone);
    HBRUSH hBrush = hPattern != nullptr ? ::CreatePatternBrush(hPattern) : nullptr;
    HGDIOBJ hOldBrush = hBrush != nullptr ? ::SelectObject(hDC, hBrush) : nullptr;
    if (pRectOld != nullptr)
        InvertFrame(hDC, *pRectOld, nOldWidth);
    if (pRectNew != nullptr)
        InvertFrame(hDC, *pRectNew, nWidth);
    if (hOldBrush != nullptr)
        ::SelectObject(hDC, hOldBrush);
    if (hBrush != nullptr)
        ::DeleteObject(hBrush);
    if (hPattern != nullptr)
        ::DeleteObject(hPattern);
    ::ReleaseDC(hDesktop, hDC);
}

HHOOK RealSetMouseHook(HOOKPROC pfnProc) { return ::SetWindowsHookExA(WH_MOUSE, pfnProc, nullptr, ::GetCurrentThreadId()); }

void RealRemoveMouseHook(HHOOK hHook) { ::UnhookWindowsHookEx(hHook); }

INT_PTR RealLibraryColorDialog(HWND hWndOwner, COLORREF colorInitial, COLORREF* pChosen)
{
    CZUDPColorDialog dialog(colorInitial, 0, CWnd::FromHandle(hWndOwner));
    const INT_PTR nResult = dialog.DoModal();
    if (nResult == IDOK && pChosen != nullptr)
        *pChosen = dialog.GetColor();
    return nResult;
}

BOOL RealClipboardHasBitmap() { return ::IsClipboardFormatAvailable(CF_BITMAP); }

BOOL RealClipboardPutBitmap(HWND hWndOwner, HBITMAP hBitmap) { return AfxClipboardPutBitmap(hWndOwner, hBitmap); }

HBITMAP RealClipboardGetBitmap(HWND hWndOwner) { return AfxClipboardGetBitmapCopy(hWndOwner); }

BOOL RealMenuShowDelayText(CString& strValue)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szValue[64] = "";
    DWORD dwType = 0;
    DWORD dwSize = sizeof(szValue) - 1;
    const LONG lResult = ::RegQueryValueExA(hKey, "MenuShowDelay", nullptr, &dwType, (LPBYTE)szValue, &dwSize);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return FALSE;
    // The stored text need not end in a terminator.
    szValue[std::min<DWORD>(dwSize, sizeof(szValue) - 1)] = '\0';
    strValue = szValue;
    return TRUE;
}

BOOL RealCaptureScreen(HDC hdcDest, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc)
{
    return ::BitBlt(hdcDest, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);
}

INT_PTR RealButtonAppearanceDialog(CZUDPToolbarButton* pButton, CZUDPToolBarImages* pUserImages, CWnd* pParent,
                                   int iStartImage, BOOL bMenuMode)
{
    CButtonAppearanceDlg dlg(pButton, pUserImages, pParent, iStartImage, bMenuMode);
    return dlg.DoModal();
}

} // namespace

CommandBarsSeams::CommandBarsSeams()
    : installedFonts(RealInstalledFonts), printerFonts(RealPrinterFonts), dbcsEnabled(RealDbcsEnabled),
      drawDragOutline(RealDrawDragOutline), setMouseHook(RealSetMouseHook),
      removeMouseHook(RealRemoveMouseHook), libraryColorDialog(RealLibraryColorDialog),
      clipboardHasBitmap(RealClipboardHasBitmap), clipboardPutBitmap(RealClipboardPutBitmap),
      clipboardGetBitmap(RealClipboardGetBitmap), menuShowDelayText(RealMenuShowDelayText),
      captureScreen(RealCaptureScreen), buttonAppearanceDialog(RealButtonAppearanceDialog)
{
}

CommandBarsSeams g_commandBarsSeams;
