#pragma once
// CCmdTarget, the root of every class that receives window messages and
// commands, and the message maps through which they do.
//
// A class declares DECLARE_MESSAGE_MAP() in its body and lists its handlers
// in one .cpp between BEGIN_MESSAGE_MAP(TheClass, TheBase) and
// END_MESSAGE_MAP().  Each entry macro makes a small dispatch function that
// unpacks the message parameters and calls the handler with its exact
// signature: a handler with the wrong parameters does not compile.  A
// lookup walks the class's entries, then its base's, up to CCmdTarget.
//
//     BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//         ON_WM_SIZE()
//         ON_BN_CLICKED(IDC_GO, &CMyDlg::OnGo)
//         ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST, &CMyDlg::OnColumnClick)
//         ON_MESSAGE(WM_APP + 1, &CMyDlg::OnRefresh)
//     END_MESSAGE_MAP()
#include "framework/win/WinSdk.h"
#include "framework/Object.h"
#include "framework/String.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CDC;
class CScrollBar;
class CPoint;

// The message being dispatched, as a handler's dispatch function sees it.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;          // command, control or notification sender id
    UINT nCode;        // command or notification code
    void* pExtra;      // AFX_NOTIFY* for notifications, CCmdUI* for updates
    LRESULT result;
};

// Dispatch function of one entry: calls the handler; FALSE means the entry
// declined the message (the _EX handlers) and the search goes on.
typedef BOOL (*AFX_PMSGDISPATCH)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;          // window message, WM_COMMAND, WM_NOTIFY or reflected
    UINT nCode;             // control or notification code (low 16 bits compared)
    UINT nID;               // first id of the range
    UINT nLastID;           // last id of the range
    const UINT* pRegistered; // ON_REGISTERED_MESSAGE: the variable holding the message
    AFX_PMSGDISPATCH pfnDispatch;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// WM_NOTIFY handlers receive the header and where to put their result.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Reflected WM_CTLCOLOR* carry this in lParam.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// Codes of OnCmdMsg beside the control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Messages reflected from a parent back to the control that sent them
// arrive as WM_REFLECT_BASE + the original message.
#define WM_REFLECT_BASE 0xBC00
// One map entry stands for all seven WM_CTLCOLOR* messages.
#define WM_CTLCOLOR 0x0019
// Sent by modal loops and the message pump when the queue is empty.
#define WM_KICKIDLE 0x036A
// Sent to the windows of an idle thread so they can update their controls.
#define WM_IDLEUPDATECMDUI 0x0363

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command, an update request or a notification to this
    // object's message map.  nCode: CN_COMMAND or a control code for
    // commands, CN_UPDATE_COMMAND_UI (pExtra the CCmdUI), or
    // MAKELONG(code, WM_NOTIFY) (pExtra the AFX_NOTIFY); reflected ones
    // carry WM_REFLECT_BASE + the message in the high word.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    // Wait cursor of the application; nCode 1 begin, -1 end, 0 restore.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Finds the handler of a window message in this object's map chain and
    // calls it.  TRUE with *pResult set when a handler took the message.
    BOOL DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds a command-style entry (WM_COMMAND, WM_NOTIFY or reflected) in
    // the map chain and calls it.
    BOOL DispatchCommand(UINT nMessage, UINT nID, UINT nCode, void* pExtra);
};

// The wait cursor of the thread: nCode 1 shows it (counted), -1 ends one
// showing (the previous cursor comes back after the last), 0 shows it
// again after something else changed the cursor.
void AfxWaitCursor(int nCode);
int AfxGetWaitCursorCount();

// Shows the wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// Updates the state of one user-interface item (menu item, button) for a
// command: the map's ON_UPDATE_COMMAND_UI handler sets it.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Asks the target for an update handler; without one, the item is
    // disabled when bDisableIfNoHndler says so.  TRUE when a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;              // menu item index
    CMenu* m_pMenu = nullptr;       // the menu of the item, or null
    CMenu* m_pSubMenu = nullptr;    // the item's popup, or null
    CWnd* m_pOther = nullptr;       // the control of the item, or null
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;

    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    void ContinueRouting() { m_bContinueRouting = TRUE; }
};

// ---------------------------------------------------------------------------
// Map declaration and definition

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, nullptr, nullptr } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Internal: the handler as a member pointer of ThisClass with the exact type.
template <class TClass, class TFunction>
using AfxMemberPtr = TFunction TClass::*;
#define AFX_MEMBER(Type, memberFxn) static_cast<AfxMemberPtr<ThisClass, Type>>(memberFxn)
#define AFX_CALL(Type, memberFxn) (static_cast<ThisClass*>(pTarget)->*AFX_MEMBER(Type, memberFxn))
#define AFX_ENTRY(msg, code, id, lastId, body) \
    { (UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), nullptr, \
      [](CCmdTarget* pTarget, AFX_MSGCALL& call) -> BOOL { (void)pTarget; (void)call; body } },

// Helpers that turn message parameters into framework objects; defined in
// Wnd.cpp so this header needs no CWnd/CDC definitions.
CWnd* AfxWndFromHandle(HWND hWnd);
CDC* AfxDCFromHandle(HDC hDC);
CMenu* AfxMenuFromHandle(HMENU hMenu);
CScrollBar* AfxScrollBarFromHandle(HWND hWnd);
#define AFX_POINT(lp) CPoint((int)(short)LOWORD(lp), (int)(short)HIWORD(lp))

// ---------------------------------------------------------------------------
// Generic messages and commands

#define ON_MESSAGE(message, memberFxn) \
    AFX_ENTRY(message, 0, 0, 0, call.result = AFX_CALL(LRESULT(WPARAM, LPARAM), memberFxn)(call.wParam, call.lParam); return TRUE;)
#define ON_MESSAGE_VOID(message, memberFxn) \
    AFX_ENTRY(message, 0, 0, 0, AFX_CALL(void(), memberFxn)(); call.result = 0; return TRUE;)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, &(nMessageVariable), \
      [](CCmdTarget* pTarget, AFX_MSGCALL& call) -> BOOL { \
          call.result = AFX_CALL(LRESULT(WPARAM, LPARAM), memberFxn)(call.wParam, call.lParam); return TRUE; } },

#define ON_COMMAND(id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AFX_CALL(void(), memberFxn)(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, return AFX_CALL(BOOL(UINT), memberFxn)(call.nID);)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AFX_CALL(void(UINT), memberFxn)(call.nID); return TRUE;)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, return AFX_CALL(BOOL(UINT), memberFxn)(call.nID);)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, AFX_CALL(void(CCmdUI*), memberFxn)(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, AFX_CALL(void(CCmdUI*), memberFxn)(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, wNotifyCode, id, id, AFX_CALL(void(), memberFxn)(); return TRUE;)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ENTRY(WM_COMMAND, wNotifyCode, id, idLast, AFX_CALL(void(UINT), memberFxn)(call.nID); return TRUE;)

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, wNotifyCode, id, id, \
        { AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); AFX_CALL(void(NMHDR*, LRESULT*), memberFxn)(n->pNMHDR, n->pResult); } return TRUE;)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, \
        { AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); AFX_CALL(void(UINT, NMHDR*, LRESULT*), memberFxn)(call.nID, n->pNMHDR, n->pResult); } return TRUE;)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, wNotifyCode, id, id, \
        { AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); return AFX_CALL(BOOL(UINT, NMHDR*, LRESULT*), memberFxn)(call.nID, n->pNMHDR, n->pResult); })
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, \
        { AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); return AFX_CALL(BOOL(UINT, NMHDR*, LRESULT*), memberFxn)(call.nID, n->pNMHDR, n->pResult); })

// Reflected notifications: handled by the control that sent them.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0xFFFFFFFF, \
        { AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); AFX_CALL(void(NMHDR*, LRESULT*), memberFxn)(n->pNMHDR, n->pResult); } return TRUE;)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0xFFFFFFFF, \
        { AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); return AFX_CALL(BOOL(NMHDR*, LRESULT*), memberFxn)(n->pNMHDR, n->pResult); })
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0xFFFFFFFF, AFX_CALL(void(), memberFxn)(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0xFFFFFFFF, return AFX_CALL(BOOL(), memberFxn)();)
// A null brush from the handler lets the parent answer as usual.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, \
        { AFX_CTLCOLOR* c = reinterpret_cast<AFX_CTLCOLOR*>(call.lParam); \
          HBRUSH b = AFX_CALL(HBRUSH(CDC*, UINT), &ThisClass::CtlColor)(AfxDCFromHandle(c->hDC), c->nCtlType); \
          call.result = (LRESULT)b; return b != nullptr; })
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, \
        AFX_CALL(void(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, \
        AFX_CALL(void(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, \
        AFX_CALL(void(UINT, UINT), &ThisClass::HScroll)(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE;)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, \
        AFX_CALL(void(UINT, UINT), &ThisClass::VScroll)(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE;)

// Control notifications by control kind.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---------------------------------------------------------------------------
// Window messages, each with its handler's fixed name and signature.

#define AFX_WM_VOID(msg, name) \
    AFX_ENTRY(msg, 0, 0, 0, AFX_CALL(void(), &ThisClass::name)(); call.result = 0; return TRUE;)
#define AFX_WM_MOUSE(msg, name) \
    AFX_ENTRY(msg, 0, 0, 0, AFX_CALL(void(UINT, CPoint), &ThisClass::name)((UINT)call.wParam, AFX_POINT(call.lParam)); call.result = 0; return TRUE;)
#define AFX_WM_NCMOUSE(msg, name) \
    AFX_ENTRY(msg, 0, 0, 0, AFX_CALL(void(UINT, CPoint), &ThisClass::name)((UINT)call.wParam, AFX_POINT(call.lParam)); call.result = 0; return TRUE;)
#define AFX_WM_KEY(msg, name) \
    AFX_ENTRY(msg, 0, 0, 0, AFX_CALL(void(UINT, UINT, UINT), &ThisClass::name)((UINT)call.wParam, LOWORD(call.lParam), HIWORD(call.lParam)); call.result = 0; return TRUE;)

#define ON_WM_CREATE() \
    AFX_ENTRY(WM_CREATE, 0, 0, 0, call.result = AFX_CALL(int(LPCREATESTRUCT), &ThisClass::OnCreate)(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_NCCREATE() \
    AFX_ENTRY(WM_NCCREATE, 0, 0, 0, call.result = AFX_CALL(BOOL(LPCREATESTRUCT), &ThisClass::OnNcCreate)(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_WM_VOID(WM_DESTROY, OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_VOID(WM_NCDESTROY, OnNcDestroy)
#define ON_WM_PAINT() AFX_WM_VOID(WM_PAINT, OnPaint)
#define ON_WM_NCPAINT() AFX_WM_VOID(WM_NCPAINT, OnNcPaint)
#define ON_WM_CLOSE() AFX_WM_VOID(WM_CLOSE, OnClose)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_VOID(WM_SYSCOLORCHANGE, OnSysColorChange)
#define ON_WM_MOUSELEAVE() AFX_WM_VOID(WM_MOUSELEAVE, OnMouseLeave)
#define ON_WM_NCMOUSELEAVE() AFX_WM_VOID(WM_NCMOUSELEAVE, OnNcMouseLeave)
#define ON_WM_CANCELMODE() AFX_WM_VOID(WM_CANCELMODE, OnCancelMode)
#define ON_WM_TIMECHANGE() AFX_WM_VOID(WM_TIMECHANGE, OnTimeChange)
#define ON_WM_ERASEBKGND() \
    AFX_ENTRY(WM_ERASEBKGND, 0, 0, 0, call.result = AFX_CALL(BOOL(CDC*), &ThisClass::OnEraseBkgnd)(AfxDCFromHandle((HDC)call.wParam)); return TRUE;)
#define ON_WM_SIZE() \
    AFX_ENTRY(WM_SIZE, 0, 0, 0, AFX_CALL(void(UINT, int, int), &ThisClass::OnSize)((UINT)call.wParam, (short)LOWORD(call.lParam), (short)HIWORD(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_SIZING() \
    AFX_ENTRY(WM_SIZING, 0, 0, 0, AFX_CALL(void(UINT, LPRECT), &ThisClass::OnSizing)((UINT)call.wParam, reinterpret_cast<LPRECT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_MOVE() \
    AFX_ENTRY(WM_MOVE, 0, 0, 0, AFX_CALL(void(int, int), &ThisClass::OnMove)((short)LOWORD(call.lParam), (short)HIWORD(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_MOVING() \
    AFX_ENTRY(WM_MOVING, 0, 0, 0, AFX_CALL(void(UINT, LPRECT), &ThisClass::OnMoving)((UINT)call.wParam, reinterpret_cast<LPRECT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_TIMER() \
    AFX_ENTRY(WM_TIMER, 0, 0, 0, AFX_CALL(void(UINT_PTR), &ThisClass::OnTimer)((UINT_PTR)call.wParam); call.result = 0; return TRUE;)
#define ON_WM_CONTEXTMENU() \
    AFX_ENTRY(WM_CONTEXTMENU, 0, 0, 0, AFX_CALL(void(CWnd*, CPoint), &ThisClass::OnContextMenu)(AfxWndFromHandle((HWND)call.wParam), AFX_POINT(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_LBUTTONDOWN() AFX_WM_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WM_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WM_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_WM_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_WM_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_WM_MOUSE(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WM_NCMOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_WM_NCMOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCMOUSEMOVE() AFX_WM_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_MOUSEWHEEL() \
    AFX_ENTRY(WM_MOUSEWHEEL, 0, 0, 0, call.result = AFX_CALL(BOOL(UINT, short, CPoint), &ThisClass::OnMouseWheel)(LOWORD(call.wParam), (short)HIWORD(call.wParam), AFX_POINT(call.lParam)); return TRUE;)
#define ON_WM_SETCURSOR() \
    AFX_ENTRY(WM_SETCURSOR, 0, 0, 0, call.result = AFX_CALL(BOOL(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)(AfxWndFromHandle((HWND)call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_MOUSEACTIVATE() \
    AFX_ENTRY(WM_MOUSEACTIVATE, 0, 0, 0, call.result = AFX_CALL(int(CWnd*, UINT, UINT), &ThisClass::OnMouseActivate)(AfxWndFromHandle((HWND)call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_WM_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_WM_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WM_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_WM_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSCHAR() AFX_WM_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() \
    AFX_ENTRY(WM_GETDLGCODE, 0, 0, 0, call.result = AFX_CALL(UINT(), &ThisClass::OnGetDlgCode)(); return TRUE;)
#define ON_WM_SETFOCUS() \
    AFX_ENTRY(WM_SETFOCUS, 0, 0, 0, AFX_CALL(void(CWnd*), &ThisClass::OnSetFocus)(AfxWndFromHandle((HWND)call.wParam)); call.result = 0; return TRUE;)
#define ON_WM_KILLFOCUS() \
    AFX_ENTRY(WM_KILLFOCUS, 0, 0, 0, AFX_CALL(void(CWnd*), &ThisClass::OnKillFocus)(AfxWndFromHandle((HWND)call.wParam)); call.result = 0; return TRUE;)
// One entry for WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC; lParam is an AFX_CTLCOLOR.
#define ON_WM_CTLCOLOR() \
    AFX_ENTRY(WM_CTLCOLOR, 0, 0, 0, \
        { AFX_CTLCOLOR* c = reinterpret_cast<AFX_CTLCOLOR*>(call.lParam); \
          call.result = (LRESULT)AFX_CALL(HBRUSH(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)(AfxDCFromHandle(c->hDC), AfxWndFromHandle(c->hWnd), c->nCtlType); } return TRUE;)
#define ON_WM_HSCROLL() \
    AFX_ENTRY(WM_HSCROLL, 0, 0, 0, AFX_CALL(void(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)(LOWORD(call.wParam), HIWORD(call.wParam), AfxScrollBarFromHandle((HWND)call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_VSCROLL() \
    AFX_ENTRY(WM_VSCROLL, 0, 0, 0, AFX_CALL(void(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)(LOWORD(call.wParam), HIWORD(call.wParam), AfxScrollBarFromHandle((HWND)call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_DROPFILES() \
    AFX_ENTRY(WM_DROPFILES, 0, 0, 0, AFX_CALL(void(HDROP), &ThisClass::OnDropFiles)((HDROP)call.wParam); call.result = 0; return TRUE;)
#define ON_WM_SYSCOMMAND() \
    AFX_ENTRY(WM_SYSCOMMAND, 0, 0, 0, AFX_CALL(void(UINT, LPARAM), &ThisClass::OnSysCommand)((UINT)call.wParam, call.lParam); call.result = 0; return TRUE;)
#define ON_WM_INITMENUPOPUP() \
    AFX_ENTRY(WM_INITMENUPOPUP, 0, 0, 0, AFX_CALL(void(CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup)(AfxMenuFromHandle((HMENU)call.wParam), LOWORD(call.lParam), (BOOL)HIWORD(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_INITMENU() \
    AFX_ENTRY(WM_INITMENU, 0, 0, 0, AFX_CALL(void(CMenu*), &ThisClass::OnInitMenu)(AfxMenuFromHandle((HMENU)call.wParam)); call.result = 0; return TRUE;)
#define ON_WM_MENUSELECT() \
    AFX_ENTRY(WM_MENUSELECT, 0, 0, 0, AFX_CALL(void(UINT, UINT, HMENU), &ThisClass::OnMenuSelect)(LOWORD(call.wParam), HIWORD(call.wParam), (HMENU)call.lParam); call.result = 0; return TRUE;)
#define ON_WM_GETMINMAXINFO() \
    AFX_ENTRY(WM_GETMINMAXINFO, 0, 0, 0, AFX_CALL(void(MINMAXINFO*), &ThisClass::OnGetMinMaxInfo)(reinterpret_cast<MINMAXINFO*>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_MEASUREITEM() \
    AFX_ENTRY(WM_MEASUREITEM, 0, 0, 0, AFX_CALL(void(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)((int)call.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_DRAWITEM() \
    AFX_ENTRY(WM_DRAWITEM, 0, 0, 0, AFX_CALL(void(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)((int)call.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_SHOWWINDOW() \
    AFX_ENTRY(WM_SHOWWINDOW, 0, 0, 0, AFX_CALL(void(BOOL, UINT), &ThisClass::OnShowWindow)((BOOL)call.wParam, (UINT)call.lParam); call.result = 0; return TRUE;)
#define ON_WM_ACTIVATE() \
    AFX_ENTRY(WM_ACTIVATE, 0, 0, 0, AFX_CALL(void(UINT, CWnd*, BOOL), &ThisClass::OnActivate)(LOWORD(call.wParam), AfxWndFromHandle((HWND)call.lParam), (BOOL)HIWORD(call.wParam)); call.result = 0; return TRUE;)
// An MDI child told that it is (or stops being) the active child: wParam
// names the child being deactivated, lParam the one being activated.
#define ON_WM_MDIACTIVATE() \
    AFX_ENTRY(WM_MDIACTIVATE, 0, 0, 0, \
        { CWnd* pSelf = static_cast<CWnd*>(static_cast<ThisClass*>(pTarget)); \
          AFX_CALL(void(BOOL, CWnd*, CWnd*), &ThisClass::OnMDIActivate)( \
              (HWND)call.lParam == pSelf->GetSafeHwnd(), AfxWndFromHandle((HWND)call.lParam), AfxWndFromHandle((HWND)call.wParam)); } \
        call.result = 0; return TRUE;)
#define ON_WM_ACTIVATEAPP() \
    AFX_ENTRY(WM_ACTIVATEAPP, 0, 0, 0, AFX_CALL(void(BOOL, DWORD), &ThisClass::OnActivateApp)((BOOL)call.wParam, (DWORD)call.lParam); call.result = 0; return TRUE;)
#define ON_WM_NCACTIVATE() \
    AFX_ENTRY(WM_NCACTIVATE, 0, 0, 0, call.result = AFX_CALL(BOOL(BOOL), &ThisClass::OnNcActivate)((BOOL)call.wParam); return TRUE;)
#define ON_WM_ENABLE() \
    AFX_ENTRY(WM_ENABLE, 0, 0, 0, AFX_CALL(void(BOOL), &ThisClass::OnEnable)((BOOL)call.wParam); call.result = 0; return TRUE;)
#define ON_WM_CAPTURECHANGED() \
    AFX_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, AFX_CALL(void(CWnd*), &ThisClass::OnCaptureChanged)(AfxWndFromHandle((HWND)call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_ENTRY(WM_WINDOWPOSCHANGING, 0, 0, 0, AFX_CALL(void(WINDOWPOS*), &ThisClass::OnWindowPosChanging)(reinterpret_cast<WINDOWPOS*>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_ENTRY(WM_WINDOWPOSCHANGED, 0, 0, 0, AFX_CALL(void(WINDOWPOS*), &ThisClass::OnWindowPosChanged)(reinterpret_cast<WINDOWPOS*>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_SETTINGCHANGE() \
    AFX_ENTRY(WM_SETTINGCHANGE, 0, 0, 0, AFX_CALL(void(UINT, LPCTSTR), &ThisClass::OnSettingChange)((UINT)call.wParam, reinterpret_cast<LPCTSTR>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_NCHITTEST() \
    AFX_ENTRY(WM_NCHITTEST, 0, 0, 0, call.result = (LRESULT)AFX_CALL(LRESULT(CPoint), &ThisClass::OnNcHitTest)(AFX_POINT(call.lParam)); return TRUE;)
#define ON_WM_NCCALCSIZE() \
    AFX_ENTRY(WM_NCCALCSIZE, 0, 0, 0, AFX_CALL(void(BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize)((BOOL)call.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_PRINTCLIENT() \
    AFX_ENTRY(WM_PRINTCLIENT, 0, 0, 0, AFX_CALL(void(CDC*, UINT), &ThisClass::OnPrintClient)(AfxDCFromHandle((HDC)call.wParam), (UINT)call.lParam); call.result = 0; return TRUE;)
#define ON_WM_STYLECHANGED() \
    AFX_ENTRY(WM_STYLECHANGED, 0, 0, 0, AFX_CALL(void(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanged)((int)call.wParam, reinterpret_cast<LPSTYLESTRUCT>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_STYLECHANGING() \
    AFX_ENTRY(WM_STYLECHANGING, 0, 0, 0, AFX_CALL(void(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanging)((int)call.wParam, reinterpret_cast<LPSTYLESTRUCT>(call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_HELPINFO() \
    AFX_ENTRY(WM_HELP, 0, 0, 0, call.result = AFX_CALL(BOOL(HELPINFO*), &ThisClass::OnHelpInfo)(reinterpret_cast<HELPINFO*>(call.lParam)); return TRUE;)
#define ON_WM_QUERYDRAGICON() \
    AFX_ENTRY(WM_QUERYDRAGICON, 0, 0, 0, call.result = (LRESULT)AFX_CALL(HCURSOR(), &ThisClass::OnQueryDragIcon)(); return TRUE;)
#define ON_WM_PARENTNOTIFY() \
    AFX_ENTRY(WM_PARENTNOTIFY, 0, 0, 0, AFX_CALL(void(UINT, LPARAM), &ThisClass::OnParentNotify)(LOWORD(call.wParam), call.lParam); call.result = 0; return TRUE;)
#define ON_WM_THEMECHANGED() \
    AFX_ENTRY(WM_THEMECHANGED, 0, 0, 0, call.result = AFX_CALL(LRESULT(), &ThisClass::OnThemeChanged)(); return TRUE;)
#define ON_WM_ENTERIDLE() \
    AFX_ENTRY(WM_ENTERIDLE, 0, 0, 0, AFX_CALL(void(UINT, CWnd*), &ThisClass::OnEnterIdle)((UINT)call.wParam, AfxWndFromHandle((HWND)call.lParam)); call.result = 0; return TRUE;)
#define ON_WM_ENTERMENULOOP() \
    AFX_ENTRY(WM_ENTERMENULOOP, 0, 0, 0, AFX_CALL(void(BOOL), &ThisClass::OnEnterMenuLoop)((BOOL)call.wParam); call.result = 0; return TRUE;)
#define ON_WM_EXITMENULOOP() \
    AFX_ENTRY(WM_EXITMENULOOP, 0, 0, 0, AFX_CALL(void(BOOL), &ThisClass::OnExitMenuLoop)((BOOL)call.wParam); call.result = 0; return TRUE;)
// wParam: the action (UIS_SET, UIS_CLEAR, UIS_INITIALIZE) in the low word,
// the UISF_ state bits in the high word.
#define ON_WM_UPDATEUISTATE() \
    AFX_ENTRY(WM_UPDATEUISTATE, 0, 0, 0, AFX_CALL(void(UINT, UINT), &ThisClass::OnUpdateUIState)(LOWORD(call.wParam), HIWORD(call.wParam)); call.result = 0; return TRUE;)
