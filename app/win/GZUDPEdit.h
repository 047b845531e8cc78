#pragma once
// The application's edit control: a UTF-16 "Edit" window whose text the
// program reads and writes as UTF-8, with error and read-only backgrounds
// and the usual Ctrl shortcuts.  The main window's log pane is one.
#include "ui/controls/ZUDPEdit.h"
#include "framework/win/Wnd.h"
#include "framework/win/DC.h"

class CGZUDPEdit : public CZUDPEdit {
    DECLARE_DYNAMIC(CGZUDPEdit)
public:
    CGZUDPEdit();
    ~CGZUDPEdit() override;

    // A UTF-16 "Edit" window at the rectangle (inclusive: width right -
    // left + 1), subclassed by this object; 0 on failure.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CFont* font = nullptr, int limit = 0);
    // Subclasses an existing UTF-16 edit window.
    BOOL AttachEdit(HWND window);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The text as UTF-8; count (when given) receives the number of bytes
    // including the terminator.
    CString GetTextUtf8(int* count = nullptr) const;
    void SetTextUtf8(const char* text);
    void SetError(BOOL error);
    BOOL GetError() const { return m_error; }
    // Removes the selection, or the character after the caret.
    void DeleteSelection();
    // Appends the UTF-8 text at the end, then "\r\n" newlines times.  At
    // the text limit the oldest lines make room: the newest are kept.
    LRESULT AppendLine(const char* text, int newlines);

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

protected:
    // Removes whole lines from the top: at least needed characters.
    void DropOldestLines(int needed, int limit);

    BOOL m_error = FALSE;
    CBrush m_errorBrush;
    CBrush m_normalBrush;
    CBrush m_readOnlyBrush;

    DECLARE_MESSAGE_MAP()
};
