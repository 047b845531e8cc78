#pragma once
// The library's message box and the helpers through which the application
// shows every message box.  CZUDPMessageBox is a themed dialog built from a
// template in memory: the system icons, push buttons of the library whose
// captions come from the system's own string table in the requested
// language (built-in captions where the system has none), a layout in
// dialog units of the system font, and Ctrl+C copying in the system's
// text format.  ThemedMessageBox captions the box with the application's
// name and returns the id of the button that closed it.
#include "framework/win/WinSdk.h"
#include "framework/Array.h"
#include "framework/win/GdiObject.h"
#include "ui/controls/ZUDPDialog.h"

// Owner: the active window; caption: the application's name; language 0.
int ThemedMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
// Fills a MSGBOXPARAMS record (no module, icon name, help id or callback)
// and shows it.  A null owner means the active window or its last active
// popup.
int ThemedMessageBoxEx(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType, WORD wLanguageId = 0);
int ThemedMessageBoxIndirect(const MSGBOXPARAMSA* pMsgBoxParams);

// A string of a module's string table in a language (falling back to
// language 0), at most nCapacity - 1 characters, in the 8-bit code page;
// empty when the module has no such string.  The walk stays inside the
// string-table resource.
CString LoadStringForLanguage(HINSTANCE hModule, UINT nID, int nCapacity, WORD wLanguage);

class CZUDPMessageBox : public CZUDPDialog {
    DECLARE_DYNAMIC(CZUDPMessageBox)
public:
    explicit CZUDPMessageBox(const MSGBOXPARAMSA* pParams);
    ~CZUDPMessageBox() override;

    // Draws the message text (a derived box may draw it otherwise).
    virtual void DrawMessageText(CDC* pDC);

    // The text Ctrl+C puts on the clipboard: caption, text and the button
    // captions between lines of dashes.
    CString GetCopyText() const;

    const CString& GetCaption() const { return m_strCaption; }
    const CString& GetText() const { return m_strMessageText; }
    int GetButtonCount() const { return int(m_arButtons.GetSize()); }
    CWnd* GetButton(int nIndex) const { return m_arButtons[nIndex]; }
    int GetDefaultButtonIndex() const { return m_nDefaultButtonIndex; }
    BOOL IsCancelAllowed() const { return m_bHasCancelButton; }
    const CRect& GetTextRect() const { return m_rectText; }
    const CRect& GetIconRect() const { return m_rectIcon; }
    HICON GetIcon() const { return m_hMessageIcon; }

    // The built-in caption of a standard button id (null for other ids).
    static LPCSTR GetBuiltInCaption(UINT nID);

    INT_PTR DoModal() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void PreInitDialog() override;
    void OnPaint();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnButton(UINT nID);

    CString LoadText(LPCSTR lpszTextOrId, LPCSTR lpszDefault) const;
    void Initialize();
    void AddButton(UINT nID, HINSTANCE hUser32);
    void PlaceButtonRow(int nSpanLeft, int nSpanRight, int y);
    // The box's type (style & 0xF); types without a button set are shown
    // as MB_OK, so that every box can be closed.
    UINT GetType() const;

    MSGBOXPARAMSA m_Params;
    HGLOBAL m_hDialogTemplateMem = nullptr;
    HICON m_hMessageIcon = nullptr;
    CString m_strCaption;
    CString m_strMessageText;
    CFont m_fntText;
    int m_nDefaultButtonIndex = -1;
    CArray<CWnd*, CWnd*> m_arButtons;
    BOOL m_bHasCancelButton = FALSE;
    UINT m_dwDrawTextFlags = 0;
    CRect m_rectIcon;
    CRect m_rectText;
    int m_nButtonX = 0;
    BOOL m_bRightToLeft = FALSE;
    // Layout, in dialog units until PreInitDialog converts it to pixels.
    CRect m_rectMargins{7, 7, 5, 7};
    int m_nIconGap = 12;
    CSize m_szButton{52, 14};
    int m_nRowGap = 11;
    int m_nButtonGap = 4;

    DECLARE_MESSAGE_MAP()
};
