#pragma once
// CWnd: a C++ object attached to a window.  The framework's window
// procedure finds the object of a window in the thread's permanent handle
// map and routes every message through CWnd::WindowProc to the object's
// message map; what no handler takes goes to the window's original
// procedure (DefWindowProc).  Windows created through CWnd::Create/CreateEx
// are attached while they are created (a CBT hook attaches the object
// before WM_NCCREATE), so the object sees every message of its window.
#include "framework/win/CmdTarget.h"
#include "framework/win/HandleMap.h"
#include "framework/Rect.h"
#include "framework/Exceptions.h"
#include "framework/win/ThreadState.h"

class CFont;
class CRgn;
class CMenu;
class CDC;
class CDataExchange;
class CWinThread;
class CWnd;

// The handle of an object that may be missing: none for a null pointer.
HWND AfxSafeHwnd(const CWnd* pWnd);
struct CCreateContext;

// The temporary object that wraps a window handle, if one lives now.
CWnd* AfxLookupTempWnd(HWND hWnd);

// The framework's window procedure (every CWnd-created window runs it);
// Unicode windows run its Unicode form, so their texts keep every
// character on the way to the class procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AfxWndProcW(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// m_nFlags bits
#define WF_MODALLOOP 0x0004      // a modal loop of this window runs
#define WF_CONTINUEMODAL 0x0008  // the modal loop goes on
#define WF_STAYACTIVE 0x0020     // the caption stays active while a floating window of it is active
// Asked of a window that may float over another: with FS_SYNCACTIVE a
// non-zero answer says it keeps its owner's caption active.
#define WM_FLOATSTATUS 0x036D
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40
// CalcWindowRect kinds: the client rectangle grows by the frame only
// (adjustBorder) or also by the scroll bars (adjustOutside).
#define adjustBorder 0
#define adjustOutside 1
// RunModalLoop flags
#define MLF_NOIDLEMSG 0x0001     // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002    // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004    // the window is shown when the queue first empties

// Layout of a frame's bars.  RepositionBars sends WM_SIZEPARENT to every
// child in an id range: each bar takes its share from the edge of the
// rectangle in AFX_SIZEPARENTPARAMS (and moves itself in the batch hDWP);
// the child with the left-over id gets what remains.
#define WM_SIZEPARENT 0x0361
// A frame shows a message in its status bar: wParam a string id (the text
// before its first '\n'), or lParam the text itself; the answer is the
// id shown before.
#define WM_SETMESSAGESTRING 0x0362
// Context help: the help id of the point in lParam (0: none).
#define WM_HELPHITTEST 0x0366
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_CONTROL 0x00050000UL
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;       // the batch the bars move in (null: move at once)
    RECT rect;       // what is still free, parent client coordinates
    SIZE sizeTotal;  // what the bars took so far
    BOOL bStretch;   // bars take the whole length of their side
};
// RepositionBars flags
#define reposDefault 0
#define reposQuery 1          // measure only: lpRectParam gets the free rectangle
#define reposExtra 2          // lpRectParam holds borders taken from the free rectangle
#define reposNoPosLeftOver 0x8000
// Standard child ids of a frame.
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_PANE_FIRST 0xE900

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd);
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // Z-order places for SetWindowPos(&CWnd::wndTopMost, ...).
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    // The handle, or null when called on a null object (a common idiom with
    // pointers that may be null); defined out of line where the compiler
    // keeps the null test.
    // The handle; through a pointer that may be null ask AfxSafeHwnd.
    HWND GetSafeHwnd() const;

    // Handle maps
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation and destruction
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Message handling
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    virtual WNDPROC* GetSuperWndProcAddr();
    // The end of the object's window (WM_NCDESTROY): main-window pointer,
    // class procedure back, detach, PostNcDestroy.  The framework calls it.
    void NcDestroyCleanup(BOOL bCallDefault);
    // Offers a message to PreTranslateMessage of the window it is for and of
    // its parents up to hWndStop (included); TRUE when one took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Modal loop (dialogs)
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Dialog data
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Windows made from a dialog template (a modeless dialog, or a bar or
    // form that lays its controls out from one): the window runs through
    // the dialog manager, its object attached from the first message.
    // FALSE when the template is missing or the window cannot be made.
    BOOL CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
    virtual BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // Sends the dialog-init data of a template (the RT_DLGINIT resource of
    // the same name, or a block in memory) to the window's controls: the
    // list-box and combo-box strings.  TRUE when there is none; FALSE when
    // the data is damaged or a control refuses a string (a record for a
    // control the window lacks is passed over).  Records: WORD
    // control id, WORD message, DWORD length, the bytes (a text with its
    // terminating zero); a zero id ends the list.  A block of known size
    // is read within it.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource, DWORD nSize = 0xFFFFFFFF);
    // Keyboard and mouse input for this window or a child goes through the
    // dialog manager (Tab, Enter, mnemonics); TRUE when it took the message.
    BOOL PreTranslateInput(LPMSG lpMsg);
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessageA(m_hWnd, lpMsg); }
    // The command or control under a client point, for tooltips and
    // context help: here the id of the child window there (-1: none); pTI
    // (may be null) is filled for that child.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;

    // Layout of bars (see WM_SIZEPARENT above).
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // Accessibility.  A window with active accessibility answers
    // WM_GETOBJECT for its client area with an accessible object whose
    // IAccessible calls come to the operations below (on the window's
    // thread; a call that arrives after the window is gone fails).  The
    // base operations answer what the system's standard object of the
    // window answers.
    void EnableActiveAccessibility() { m_bEnableActiveAccessibility = TRUE; }
    BOOL IsActiveAccessibilityEnabled() const { return m_bEnableActiveAccessibility; }
    // The system's standard accessible object of the window's client area
    // (the caller releases it), or null.
    IAccessible* CreateStandardAccessible() const;
    virtual HRESULT get_accParent(IDispatch** ppdispParent);
    virtual HRESULT get_accChildCount(long* pcountChildren);
    virtual HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT get_accName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT get_accValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT get_accState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT get_accHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT get_accFocus(VARIANT* pvarChild);
    virtual HRESULT get_accSelection(VARIANT* pvarChildren);
    virtual HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT accSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT accDoDefaultAction(VARIANT varChild);
    virtual HRESULT put_accName(VARIANT varChild, BSTR szName);
    virtual HRESULT put_accValue(VARIANT varChild, BSTR szValue);

    // Text
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Dialog items
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return (int)::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    { return FromHandle(::GetNextDlgTabItem(m_hWnd, AfxSafeHwnd(pWndCtl), bPrevious)); }
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    { return FromHandle(::GetNextDlgGroupItem(m_hWnd, AfxSafeHwnd(pWndCtl), bPrevious)); }

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    // Updates every child control with an id (not IDC_STATIC, -1) from
    // the target's command-update handlers, as the toolbar does for its
    // buttons; a control without a handler is disabled when the flag
    // says so.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Size and position
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    { return ::SetWindowPos(m_hWnd, InsertAfterHandle(pWndInsertAfter), x, y, cx, cy, nFlags); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, AfxSafeHwnd(pwndTo), (LPPOINT)lpRect, 2); }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const { ::MapWindowPoints(m_hWnd, AfxSafeHwnd(pwndTo), lpPoint, nCount); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { lpwndpl->length = sizeof(WINDOWPLACEMENT); return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    // Grows a client rectangle to the window rectangle for the window's
    // styles (adjustOutside also adds the scroll bars it shows).
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
    int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

    // State
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)::SendMessageA(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessageA(m_hWnd, WM_GETICON, bBigIcon, 0); }

    // Painting
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    // Only one window of the desktop can be locked at a time: FALSE when
    // another is (or this one has no window).
    BOOL LockWindowUpdate() { return m_hWnd != nullptr && ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }

    // Relations
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, AfxSafeHwnd(pWndNewParent))); }
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = AfxSafeHwnd(pOwnerWnd); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetParentOwner() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    // (The Windows headers define GetNextWindow as a macro; the member is
    // spelt so that the macro does not reach it.)
    CWnd* (GetNextWindow)(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
    CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, AfxSafeHwnd(pWnd)); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    static CWnd* GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);

    // Focus, activation, capture
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }

    // Timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Menus
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

    // Scrolling
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr)
    { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }

    // Shell and misc
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);
    BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }

    UINT m_nFlags = 0;
    int m_nModalResult = -1;
    BOOL m_bEnableActiveAccessibility = FALSE;
    HWND m_hWndOwner = nullptr;   // owner set with SetOwner (child windows)
    WNDPROC m_pfnSuper = nullptr; // the window's procedure before ours

protected:
    static HWND InsertAfterHandle(const CWnd* pWnd) { return pWnd == nullptr ? nullptr : pWnd->m_hWnd; }
    // Installed by CreateEx/CDialog around the creation of a window so the
    // object is attached at its first message.
    static void HookWindowCreate(CWnd* pWnd);
    static BOOL UnhookWindowCreate();
    friend LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam);
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    // WM_GETOBJECT: the window's accessible object for OBJID_CLIENT while
    // active accessibility is on; otherwise the default answer.
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

public:
    // Default handlers: each passes the message on to the window's original
    // procedure (several reflect it to the child control first).
    int OnCreate(LPCREATESTRUCT) { return (int)Default(); }
    BOOL OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
    void OnDestroy() { Default(); }
    void OnNcDestroy();
    void OnPaint() { Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnSizing(UINT, LPRECT) { Default(); }
    void OnMove(int, int) { Default(); }
    void OnMoving(UINT, LPRECT) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnClose() { Default(); }
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnRButtonDblClk(UINT, CPoint) { Default(); }
    void OnMButtonDown(UINT, CPoint) { Default(); }
    void OnMButtonUp(UINT, CPoint) { Default(); }
    void OnMButtonDblClk(UINT, CPoint) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnMouseHover(UINT, CPoint) { Default(); }
    void OnMouseLeave() { Default(); }
    void OnNcMouseLeave() { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnNcLButtonUp(UINT, CPoint) { Default(); }
    void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    void OnNcRButtonDown(UINT, CPoint) { Default(); }
    void OnNcMouseMove(UINT, CPoint) { Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
    int OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnSysChar(UINT, UINT, UINT) { Default(); }
    UINT OnGetDlgCode() { return (UINT)Default(); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnHScroll(UINT, UINT, CScrollBar* pScrollBar);
    void OnVScroll(UINT, UINT, CScrollBar* pScrollBar);
    void OnDropFiles(HDROP) { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnInitMenu(CMenu*) { Default(); }
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    // Reflected to the control's object; a control without one keeps its
    // proposed height (DefaultItemHeight when it proposed none).
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The height of an owner-drawn item in this window's font.
    int DefaultItemHeight() const;
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnShowWindow(BOOL, UINT) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    void OnActivateApp(BOOL, DWORD) { Default(); }
    void OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
    BOOL OnNcActivate(BOOL) { return (BOOL)Default(); }
    void OnEnable(BOOL) { Default(); }
    void OnCancelMode() { Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnSettingChange(UINT, LPCTSTR) { Default(); }
    void OnSysColorChange() { Default(); }
    void OnTimeChange() { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    void OnPrintClient(CDC*, UINT) { Default(); }
    void OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
    void OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
    BOOL OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
    HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }
    void OnParentNotify(UINT, LPARAM) { Default(); }
    LRESULT OnThemeChanged() { return Default(); }
    void OnEnterIdle(UINT, CWnd*) { Default(); }
    void OnEnterMenuLoop(BOOL) { Default(); }
    void OnExitMenuLoop(BOOL) { Default(); }
    void OnUpdateUIState(UINT, UINT) { Default(); }

private:
    LRESULT OnReflectableItemMessage(WPARAM wParam, LPARAM lParam);
};

inline HWND AfxSafeHwnd(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->m_hWnd : nullptr; }

// Global helpers of the window part.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
void AfxSetInstanceHandle(HINSTANCE hInst);
// Registers (once) a window class of the framework with the given style,
// cursor, background and icon and returns its name (a static buffer that
// lives as long as the program).
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
// Registers a class whose window procedure is the framework's; TRUE when it
// exists afterwards.
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
// What a handler that let an exception escape leaves behind: a line on the
// debugger output and a count tests can read.
LONG AfxGetWndProcExceptionCount();

// Records an exception that a C callback (a sort comparison, an enumeration,
// a hook, a timer procedure) let escape, the way the window procedure
// records a handler's: counted and reported, the callback abandoned.
void AfxCallbackFailed();

// Runs the framework code of a C callback; an exception stops here (the
// system's code between must never be unwound) and the callback answers
// failed.
template <typename R, typename F>
R AfxCallbackGuard(R failed, F&& body) noexcept
{
    try {
        return body();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    AfxCallbackFailed();
    return failed;
}
