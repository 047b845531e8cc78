#pragma once
// The user's keyboard shortcuts: accelerator tables saved to the registry,
// loaded back and installed in place of the resource tables.  Static
// helpers give the shortcut text of a command and tell whether a key is
// taken; they work without a manager.  At most one manager exists; it
// publishes itself in g_keyboardManager.
//
// Registry: value "Accelerators" in the key "<base>ZUDKeyboard-<resource
// id>" (0 for the frame's table): 6 bytes per entry in table order: flags
// (FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT), a padding byte, the key
// and the command (16 bits each).
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/String.h"
#include "framework/Object.h"

class CZUDPKeyboardManager : public CObject {
public:
    CZUDPKeyboardManager();
    ~CZUDPKeyboardManager() override;

    // Loads the saved tables and installs them: one per multi-document
    // template with a table (its resource id), then the frame's (0; the
    // given frame, else the main window when it is a frame).  TRUE.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    // Saves the same tables; a table without entries is not saved.  TRUE.
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    // Puts back the resource tables of every multi-document template and
    // of the main frame (its default accelerator id); the tables they
    // replace are destroyed.
    void RestoreOriginalAccelerators();

    // Builds a table of the entries and installs it for the template (or,
    // without one, for the frame); the new table is destroyed when it
    // cannot be installed.
    BOOL ReplaceAcceleratorTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                 CFrameWnd* pDefaultFrame = nullptr);
    // Installs the table for the template, and for every frame showing one
    // of its documents that still uses the template's old table; without a
    // template, for the frame (the main frame when none).  The old table
    // is destroyed.  TRUE once installed, also when there was no old
    // table; FALSE without a frame.
    BOOL ReplaceAcceleratorHandle(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pDefaultFrame = nullptr);

    // One saved table: opened read-only; flags outside the accelerator
    // bits are dropped, entries for a blocked command (g_blockedCommands)
    // get command 0, and a value whose size is not a multiple of 6 is not
    // a table.
    static BOOL LoadTableFromRegistry(const CString& strRegPath, UINT uiResId, HACCEL& hAccelTable);
    static BOOL SaveTableToRegistry(const CString& strRegPath, UINT uiResId, HACCEL hAccelTable);

    // The text of the first entry for the command in the frame's table.
    static BOOL GetCommandKeyText(UINT uiCmd, CString& str, CFrameWnd* pWndFrame = nullptr,
                                  BOOL bIsDefaultFrame = FALSE);
    // TRUE when the frame's table has an entry with the key and exactly
    // these flags.
    static BOOL IsKeyAssigned(BYTE fVirt, WORD key, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame = FALSE);
    static BOOL IsPrintableKey(UINT nChar);
    static UINT VirtualKeyToUpperChar(UINT nChar);
    static void FreeAcceleratorCaches();
};

// The process-wide keyboard manager, null while none exists.
extern CZUDPKeyboardManager* g_keyboardManager;
