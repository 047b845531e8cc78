#pragma once
// A user-defined external tool: a label, the program, its arguments and
// initial directory, bound to one command id of the user-tools manager's
// range.  It archives itself, launches the program through the shell, and
// shows the program's small icon (or the library's default tool icon) on
// the toolbar and menu buttons of its command.
#include "framework/Archive.h"
#include "framework/String.h"
#include "framework/Object.h"
#include "framework/Rect.h"

class CDC;

class CZUDPUserTool : public CObject {
    DECLARE_SERIAL(CZUDPUserTool)
public:
    CZUDPUserTool() = default;
    ~CZUDPUserTool() override;

    // Label, command, arguments, initial directory (archive strings), then
    // the command id (32 bits).  A loaded command goes through SetCommand,
    // so the tool gets its icon.
    void Serialize(CArchive& ar) override;
    // Starts the command through the shell with the arguments and initial
    // directory, owned by the main window; FALSE without a command or when
    // the shell could not start it.
    virtual BOOL Invoke();
    // The program's small icon from the shell (a command without a path is
    // looked up along the search path first); the default icon when the
    // program cannot be found or has none.
    virtual HICON LoadToolIcon();
    // The library's default tool icon: one icon for the process, loaded
    // shared at the small-icon size on first need.
    virtual HICON LoadDefaultIcon();
    // Destroys the tool's own icon (never the shared default one).
    virtual void DeleteIcon();

    // Draws the tool's icon at its own size, centred in the rectangle
    // (toolbar and menu buttons of the tool draw it instead of an image).
    void DrawToolIcon(CDC* pDC, const CRect& rect) const;
    // The icon on the button face, centred in a small-icon sized bitmap,
    // on the clipboard; a failure is told to the user and gives FALSE.
    BOOL CopyIconToClipboard();

    // A different command is stored and the icon reloaded; the same text
    // keeps the icon there is.
    void SetCommand(LPCTSTR lpszCmd);
    const CString& GetCommand() const { return m_strCommand; }
    HICON GetIcon() const { return m_hIcon; }

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    UINT m_uiCmdId = 0;
    HICON m_hIcon = nullptr;       // the tool's icon; null until it has a command

protected:
    CString m_strCommand;
};
