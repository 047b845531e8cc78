#pragma once
// A user-defined external tool: a label, the program, its arguments and
// initial directory, bound to one command id of the user-tools manager's
// range.  This version holds the fields, their archive form and the
// launch, and the drawing of its icon (the library's default tool icon
// until the tools page gives tools icons of their own).
#include "framework/Archive.h"
#include "framework/String.h"
#include "framework/Object.h"
#include "framework/Rect.h"

class CDC;

class CZUDPUserTool : public CObject {
    DECLARE_SERIAL(CZUDPUserTool)
public:
    CZUDPUserTool() = default;
    ~CZUDPUserTool() override = default;

    // Label, command, arguments, initial directory (archive strings), then
    // the command id (32 bits).
    void Serialize(CArchive& ar) override;
    // Starts the command through the shell with the arguments and initial
    // directory, owned by the main window; FALSE without a command or when
    // the shell could not start it.
    virtual BOOL Invoke();
    // Draws the tool's icon at its own size, centred in the rectangle
    // (toolbar and menu buttons of the tool draw it instead of an image).
    void DrawToolIcon(CDC* pDC, const CRect& rect) const;

    void SetCommand(LPCTSTR lpszCmd) { m_strCommand = lpszCmd != nullptr ? lpszCmd : ""; }
    const CString& GetCommand() const { return m_strCommand; }

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    UINT m_uiCmdId = 0;
    HICON m_hIcon = nullptr;       // the tool's own icon, null: the library's default

protected:
    CString m_strCommand;
};
