#pragma once
// The framework's seams: what the window layer asks of the system that
// tests cannot produce headless.  Product code calls these instead of the
// system functions; tests replace an entry for a scope with ScopedSeam
// (framework/Seam.h).  Each library subsystem and the application keep
// their own seams in one header of their own, in this shape.
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"

// The drag loop's interfaces (<ole2.h>), named only.
struct IDataObject;
struct IDropSource;
class CPrintInfo;

struct FrameworkSeams {
    // Milliseconds since start-up, wrapping like the system's tick count.
    Seam<DWORD()> tickCount;
    // The cursor position in screen coordinates.
    Seam<BOOL(POINT*)> cursorPos;
    // Moves the cursor to a screen point (a dragged tab keeps the cursor
    // over itself).
    Seam<BOOL(int, int)> setCursorPos;
    // Key state as of the message being handled (GetKeyState: handlers never
    // ask for the key now).
    Seam<SHORT(int)> keyState;
    // Key state now (GetAsyncKeyState): what painting in the middle of a
    // drag asks, where no message tells the keys.
    Seam<SHORT(int)> asyncKeyState;
    // Timers: tests drive timers by sending WM_TIMER, and may record what the
    // code asked for.
    Seam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> setTimer;
    Seam<BOOL(HWND, UINT_PTR)> killTimer;
    // A popup menu tracked modally; answers the chosen command (TPM_RETURNCMD)
    // or whatever TrackPopupMenu answers.
    Seam<BOOL(HMENU, UINT, int, int, HWND, const RECT*)> trackPopupMenu;
    // A system message box.
    Seam<int(HWND, const char*, const char*, UINT)> messageBox;
    // The shell: open a document or address.
    Seam<HINSTANCE(HWND, const char*, const char*, const char*, const char*, int)> shellExecute;
    // Sounds by alias or file name (PlaySound).
    Seam<BOOL(const char*, HMODULE, DWORD)> playSound;
    // Help requests: the help file, the command and its data.
    Seam<BOOL(HWND, const char*, UINT, ULONG_PTR)> winHelp;
    // The screen's colour depth in bits per pixel.
    Seam<int()> colorDepth;
    // The screen's logical pixels per inch (96 at 100 %).
    Seam<int()> screenDpi;
    // Whether desktop composition is on.
    Seam<bool()> compositionEnabled;
    // The wait before an OLE drag: with the mouse captured for the window,
    // TRUE once the pointer leaves the rectangle (screen coordinates) or
    // the drag delay passes with the button held; FALSE when the button is
    // released or Escape pressed first.
    Seam<BOOL(HWND hWnd, const RECT* pRectStartDrag)> dragStartLoop;
    // The OLE drag loop (DoDragDrop): follows the mouse, asks the source
    // whether to go on and for its cursors, and the targets under the
    // pointer for their effects; answers DRAGDROP_S_DROP with the effect
    // of the drop, or DRAGDROP_S_CANCEL.
    Seam<HRESULT(IDataObject* pDataObject, IDropSource* pDropSource, DWORD dwOkEffects, DWORD* pdwEffect)> dragLoop;
    // Printing.  The printer of a job: the print dialog, or the default
    // printer without asking for a preview or a direct job (the info's
    // flags); answers the printer's device context, which the caller
    // deletes, or null when the user cancelled or there is no printer.
    Seam<HDC(CPrintInfo* pInfo)> printerDC;
    // The job on the printer's DC (StartDoc/StartPage/EndPage/EndDoc/
    // AbortDoc), each answering what the system call answers.
    Seam<int(HDC, const DOCINFOA*)> startDoc;
    Seam<int(HDC)> startPage;
    Seam<int(HDC)> endPage;
    Seam<int(HDC)> endDoc;
    Seam<int(HDC)> abortDoc;
    // A capability of a printer's DC (GetDeviceCaps: its resolution and
    // page size), which a page drawn for tests into a bitmap answers as the
    // printer it stands for.
    Seam<int(HDC, int)> printerCaps;

    FrameworkSeams();
};

extern FrameworkSeams g_frameworkSeams;
