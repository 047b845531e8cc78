#pragma once
// The seams of the command bars: what the toolbars, menus and font lists
// ask of the system that tests cannot choose headless.  Tests replace an
// entry for a scope (framework/Seam.h).
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"
#include "framework/String.h"
#include "ui/commandbars/ZUDPFontDesc.h"

#include <vector>

class CWnd;
class CZUDPToolbarButton;
class CZUDPToolBarImages;

struct CommandBarsSeams {
    // Every font the system reports for a character set (DEFAULT_CHARSET:
    // all), one entry per report, before the font lists filter them: its
    // face, script, character set, pitch and family, and font type.
    Seam<void(BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)> installedFonts;
    // The same for the application's default printer (a printer DC made
    // from the printer defaults, without asking the user): appends its
    // fonts; nothing when there is no default printer.
    Seam<void(BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)> printerFonts;
    // Whether the system has double-byte character support
    // (SM_DBCSENABLED): vertical faces are then left out of font lists.
    Seam<BOOL()> dbcsEnabled;
    // The outline an outline drag shows on the screen while a bar or a
    // floating frame is dragged: drawn inverted on the desktop, so drawing
    // a rectangle again removes it.  Draws the new rectangle (none: null)
    // with its width and removes the previous one (none: null) drawn with
    // its own width.  (Bars and floating frames are dragged by the mouse
    // messages they capture, not in a loop of their own: tests drive a
    // drag by sending those messages, and see its outline here.)
    Seam<void(const RECT* pRectNew, int nWidth, const RECT* pRectOld, int nOldWidth)> drawDragOutline;
    // The thread's mouse hook of context-help mode (WH_MOUSE): installs
    // the procedure (the handle, null on failure) and removes it again.
    // Tests keep the procedure and call it with the messages they choose.
    Seam<HHOOK(HOOKPROC pfnProc)> setMouseHook;
    Seam<void(HHOOK hHook)> removeMouseHook;
    // The library's colour dialog over the owner, started on the colour:
    // IDOK with the chosen colour in *pChosen, or IDCANCEL.  (The system's
    // colour dialog is the colour chooser's seam, ZUDPColorSeams.h.)
    Seam<INT_PTR(HWND hWndOwner, COLORREF colorInitial, COLORREF* pChosen)> libraryColorDialog;
    // The clipboard, as the button image editor uses it: whether it offers
    // CF_BITMAP; hands it a bitmap (emptying it first; on success the
    // clipboard owns the bitmap); a copy of its CF_BITMAP (the caller owns
    // it), null when there is none or it cannot be read.
    Seam<BOOL()> clipboardHasBitmap;
    Seam<BOOL(HWND hWndOwner, HBITMAP hBitmap)> clipboardPutBitmap;
    Seam<HBITMAP(HWND hWndOwner)> clipboardGetBitmap;

    // The user's submenu delay: the text of the string value "MenuShowDelay"
    // of HKCU "Control Panel\\Desktop", read only; FALSE when it is missing
    // or unreadable.  (Tests must not read keys outside their own.)
    Seam<BOOL(CString& strValue)> menuShowDelayText;
    // The screen under a popup about to open, copied into a DC: the opening
    // animation and the shadow strips are composed over it.  Copies the
    // cx x cy area at (xSrc, ySrc) of the source DC (the screen or the
    // popup's paint DC) to (0, 0) of the destination.
    Seam<BOOL(HDC hdcDest, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc)> captureScreen;
    // The modal button-appearance dialog over a button (customization's
    // context menu and drops of buttons without image or text): IDOK when
    // the user changed the button, else IDCANCEL.
    Seam<INT_PTR(CZUDPToolbarButton* pButton, CZUDPToolBarImages* pUserImages, CWnd* pParent, int iStartImage,
                 BOOL bMenuMode)>
        buttonAppearanceDialog;

    CommandBarsSeams();
};

extern CommandBarsSeams g_commandBarsSeams;
