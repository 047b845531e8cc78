// Windows and message maps: dispatch with typed handlers, the creation
// hook, handle maps, reflection, self-deleting objects and exceptions that
// escape handlers.
#include "framework/win/WinApp.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/DC.h"
#include "framework/win/Menu.h"
#include "framework/win/ImageList.h"
#include "framework/Exceptions.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using trovtest::InitFrameworkForTests;
using trovtest::PumpUntil;

namespace {

const UINT WM_TEST_PLAIN = WM_APP + 1;
const UINT WM_TEST_THROW = WM_APP + 2;
const UINT WM_TEST_ATTACHED = WM_APP + 3;
UINT g_registeredTestMessage = ::RegisterWindowMessageA("TROV_TEST_REGISTERED");

// A window that records what its handlers saw.
class CRecordingWnd : public CWnd {
public:
    std::vector<std::string> log;
    BOOL attachedAtNcCreate = FALSE;
    BOOL attachedAtCreate = FALSE;
    int sizeCx = -1;
    int sizeCy = -1;
    UINT rangeId = 0;
    WPARAM plainWParam = 0;
    LPARAM plainLParam = 0;
    int createResult = 0;

    BOOL CreateHidden(CWnd* pParent = nullptr, DWORD style = WS_POPUP)
    {
        return CreateEx(0, nullptr, "recording", style, 0, 0, 200, 100, pParent != nullptr ? pParent->GetSafeHwnd() : nullptr, nullptr);
    }

protected:
    BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        attachedAtNcCreate = FromHandlePermanent(m_hWnd) == this;
        return CWnd::OnNcCreate(lpcs);
    }
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        attachedAtCreate = FromHandlePermanent(m_hWnd) == this;
        log.push_back("create");
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        return createResult;
    }
    void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        sizeCx = cx;
        sizeCy = cy;
        log.push_back("size");
    }
    LRESULT OnPlain(WPARAM wParam, LPARAM lParam)
    {
        plainWParam = wParam;
        plainLParam = lParam;
        log.push_back("plain");
        return 1234;
    }
    LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        log.push_back("registered");
        return (LRESULT)wParam * 2;
    }
    LRESULT OnThrow(WPARAM, LPARAM)
    {
        log.push_back("throw");
        AfxThrowNotSupportedException();
    }
    void OnCommandRange(UINT nID)
    {
        rangeId = nID;
        log.push_back("range");
    }
    void OnSingleCommand() { log.push_back("single"); }
    void OnUpdateSingle(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnDestroy()
    {
        log.push_back("destroy");
        CWnd::OnDestroy();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TEST_PLAIN, &CRecordingWnd::OnPlain)
    ON_MESSAGE(WM_TEST_THROW, &CRecordingWnd::OnThrow)
    ON_REGISTERED_MESSAGE(g_registeredTestMessage, &CRecordingWnd::OnRegistered)
    ON_COMMAND(500, &CRecordingWnd::OnSingleCommand)
    ON_UPDATE_COMMAND_UI(500, &CRecordingWnd::OnUpdateSingle)
    ON_COMMAND_RANGE(600, 610, &CRecordingWnd::OnCommandRange)
END_MESSAGE_MAP()

// A derived map adds handlers; what it does not list reaches the base map.
class CDerivedRecordingWnd : public CRecordingWnd {
public:
    BOOL derivedSaw = FALSE;

protected:
    LRESULT OnPlainDerived(WPARAM wParam, LPARAM lParam)
    {
        derivedSaw = TRUE;
        return OnPlain(wParam, lParam) + 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedRecordingWnd, CRecordingWnd)
    ON_MESSAGE(WM_TEST_PLAIN, &CDerivedRecordingWnd::OnPlainDerived)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { InitFrameworkForTests(); }
    void TearDown() override { AfxDeleteTempMaps(); }
};

TEST_F(WindowTest, CreationAttachesTheObjectBeforeTheFirstMessages)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_TRUE(wnd.attachedAtNcCreate);
    EXPECT_TRUE(wnd.attachedAtCreate);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ("destroy", wnd.log.back());
}

// Wrappers that may be missing (no parent, no owner, no menu) stand for no
// handle, without calling a member function through a null pointer.
TEST_F(WindowTest, AMissingWrapperStandsForNoHandle)
{
    EXPECT_EQ(nullptr, AfxSafeHwnd(nullptr));
    EXPECT_EQ(nullptr, AfxSafeHandle(static_cast<const CGdiObject*>(nullptr)));
    EXPECT_EQ(nullptr, AfxSafeHandle(static_cast<const CImageList*>(nullptr)));
    EXPECT_EQ(nullptr, AfxSafeHdc(nullptr));
    EXPECT_EQ(nullptr, AfxSafeHmenu(nullptr));

    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_EQ(wnd.m_hWnd, AfxSafeHwnd(&wnd));
    wnd.MoveWindow(30, 40, 100, 50);
    POINT point = {1, 2};
    wnd.MapWindowPoints(nullptr, &point, 1);   // no window: to the screen
    POINT expected = {1, 2};
    ::ClientToScreen(wnd.m_hWnd, &expected);
    EXPECT_EQ(expected.x, point.x);
    EXPECT_EQ(expected.y, point.y);
    EXPECT_FALSE(wnd.IsChild(nullptr));
    {
        CClientDC screen(nullptr);   // no window: the screen's DC
        EXPECT_NE(nullptr, screen.m_hDC);
    }
    wnd.DestroyWindow();
}

TEST_F(WindowTest, CreateFailsCleanlyWhenOnCreateRefuses)
{
    CRecordingWnd wnd;
    wnd.createResult = -1;
    EXPECT_FALSE(wnd.CreateHidden());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST_F(WindowTest, MessagesReachTheirTypedHandlers)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());

    EXPECT_EQ(1234, wnd.SendMessage(WM_TEST_PLAIN, 7, 9));
    EXPECT_EQ(7u, wnd.plainWParam);
    EXPECT_EQ(9, wnd.plainLParam);

    EXPECT_EQ(42, wnd.SendMessage(g_registeredTestMessage, 21, 0));

    wnd.SetWindowPos(nullptr, 0, 0, 150, 80, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    CRect rect;
    wnd.GetClientRect(&rect);
    EXPECT_EQ(rect.Width(), wnd.sizeCx);
    EXPECT_EQ(rect.Height(), wnd.sizeCy);

    // A message without a handler gets the default processing.
    wnd.SetWindowText("caption");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("caption", text);
    wnd.DestroyWindow();
}

TEST_F(WindowTest, CommandsAndRangesAreRoutedById)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(500, 0), 0);
    EXPECT_EQ("single", wnd.log.back());
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(605, 0), 0);
    EXPECT_EQ("range", wnd.log.back());
    EXPECT_EQ(605u, wnd.rangeId);
    size_t before = wnd.log.size();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(611, 0), 0);   // outside every entry
    EXPECT_EQ(before, wnd.log.size());
    wnd.DestroyWindow();
}

TEST_F(WindowTest, UpdateHandlersSetTheStateOfMenuItems)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 500, "Single");
    menu.AppendMenu(MF_STRING, 700, "No handler");
    wnd.SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    EXPECT_TRUE(menu.GetMenuState(500, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(700, MF_BYCOMMAND) & MF_GRAYED);
    wnd.DestroyWindow();
}

TEST_F(WindowTest, DerivedMapsComeBeforeTheirBase)
{
    CDerivedRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_EQ(1235, wnd.SendMessage(WM_TEST_PLAIN, 1, 2));
    EXPECT_TRUE(wnd.derivedSaw);
    // Entries of the base map still work for the derived class.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(500, 0), 0);
    EXPECT_EQ("single", wnd.log.back());
    wnd.DestroyWindow();
}

TEST_F(WindowTest, AnExceptionFromAHandlerStaysInsideTheWindowProcedure)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    LONG before = AfxGetWndProcExceptionCount();
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW));
    EXPECT_EQ("throw", wnd.log.back());
    EXPECT_EQ(before + 1, AfxGetWndProcExceptionCount());
    // The window still works afterwards.
    EXPECT_EQ(1234, wnd.SendMessage(WM_TEST_PLAIN));
    wnd.DestroyWindow();
}

TEST_F(WindowTest, TemporaryObjectsWrapForeignWindowsUntilIdle)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));   // the same temporary until idle
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_STREQ("foreign", text);

    // Idle clean-up deletes the wrapper but leaves the window.
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    // Attaching makes the object permanent; FromHandle then answers it.
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(hWnd, wnd.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_TRUE(::IsWindow(hWnd));   // detaching never destroys
    ::DestroyWindow(hWnd);
}

TEST_F(WindowTest, SubclassingRoutesAForeignWindowThroughTheMapAndBack)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "sub", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    WNDPROC original = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    {
        CRecordingWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_EQ(1234, ::SendMessageA(hWnd, WM_TEST_PLAIN, 0, 0));
        // Unhandled messages reach the original class procedure.
        ::SetWindowTextA(hWnd, "changed");
        char text[32] = {};
        ::GetWindowTextA(hWnd, text, sizeof(text));
        EXPECT_STREQ("changed", text);
        EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(original, (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    ::DestroyWindow(hWnd);
}

class CCountingEdit : public CEdit {
public:
    int chars = 0;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++chars;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(WindowTest, SubclassedUnicodeWindowsKeepEveryCharacter)
{
    HWND hWnd = ::CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CCountingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hWnd));
    EXPECT_TRUE(::IsWindowUnicode(hWnd));
    const wchar_t text[] = L"Stra\u00dfe \u4e2d\u6587 \u0394";
    ::SetWindowTextW(hWnd, text);
    wchar_t back[64] = {};
    ::GetWindowTextW(hWnd, back, 64);
    EXPECT_STREQ(text, back);
    ::SendMessageW(hWnd, WM_CHAR, 0x4E2D, 0);
    EXPECT_EQ(1, edit.chars);
    ::GetWindowTextW(hWnd, back, 64);
    int count = 0;
    for (const wchar_t* p = back; *p != 0; p++)
        count += (*p == 0x4E2D) ? 1 : 0;
    EXPECT_EQ(2, count);   // the typed character arrived whole
    edit.UnsubclassWindow();
    ::DestroyWindow(hWnd);
}

// ---------------------------------------------------------------------------
// Objects that delete themselves, and the end of a window before its object

int g_selfDeletingAlive = 0;

class CSelfDeletingWnd : public CWnd {
public:
    CSelfDeletingWnd() { ++g_selfDeletingAlive; }
    ~CSelfDeletingWnd() override { --g_selfDeletingAlive; }

protected:
    void PostNcDestroy() override { delete this; }
};

TEST_F(WindowTest, AWindowThatDeletesItselfInPostNcDestroyIsSafe)
{
    int before = g_selfDeletingAlive;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = pWnd->m_hWnd;
    EXPECT_EQ(before + 1, g_selfDeletingAlive);
    pWnd->DestroyWindow();
    EXPECT_EQ(before, g_selfDeletingAlive);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST_F(WindowTest, ChildObjectsThatDeleteThemselvesGoWithTheirParent)
{
    int before = g_selfDeletingAlive;
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateHidden());
    for (int i = 0; i < 3; i++) {
        CSelfDeletingWnd* pChild = new CSelfDeletingWnd;
        ASSERT_TRUE(pChild->Create(nullptr, "child", WS_CHILD, CRect(0, 0, 5, 5), &parent, 100 + i));
    }
    EXPECT_EQ(before + 3, g_selfDeletingAlive);
    parent.DestroyWindow();
    EXPECT_EQ(before, g_selfDeletingAlive);
}

TEST_F(WindowTest, AnObjectThatGoesFirstTakesItsWindowWithIt)
{
    HWND hWnd = nullptr;
    {
        CRecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateHidden());
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

// ---------------------------------------------------------------------------
// Reflection: a control handles its own notifications

class CReflectingButton : public CButton {
public:
    int clicks = 0;
    BOOL takeClick = TRUE;

protected:
    BOOL OnClickedReflect()
    {
        ++clicks;
        return takeClick;   // FALSE lets the parent see it too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectingButton::OnClickedReflect)
END_MESSAGE_MAP()

class CReflectingList : public CListCtrl {
public:
    int columnClicks = 0;
    int lastColumn = -1;

protected:
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++columnClicks;
        lastColumn = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CReflectingList::OnColumnClick)
END_MESSAGE_MAP()

class CColorStatic : public CStatic {
public:
    CBrush brush{RGB(1, 2, 3)};

protected:
    HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(200, 0, 0));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    int parentClicks = 0;
    int parentNotifies = 0;
    UINT notifyRangeId = 0;

protected:
    void OnAction() { ++parentClicks; }
    void OnItemChanged(UINT nID, NMHDR*, LRESULT* pResult)
    {
        ++parentNotifies;
        notifyRangeId = nID;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(10, &CParentWnd::OnAction)
    ON_NOTIFY_RANGE(LVN_COLUMNCLICK, 20, 29, &CParentWnd::OnItemChanged)
END_MESSAGE_MAP()

TEST_F(WindowTest, ControlNotificationsAreReflectedToTheControl)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CReflectingButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 10));

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(1, button.clicks);
    EXPECT_EQ(0, parent.parentClicks);   // the control took it

    button.takeClick = FALSE;
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(2, button.clicks);
    EXPECT_EQ(1, parent.parentClicks);   // declined: the parent's map follows

    // A real click of the button (BM_CLICK) takes the same road.
    button.takeClick = TRUE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(3, button.clicks);
    parent.DestroyWindow();
}

TEST_F(WindowTest, NotificationsReachTheControlFirstAndTheParentOtherwise)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CReflectingList reflecting;
    ASSERT_TRUE(reflecting.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &parent, 21));
    CListCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &parent, 22));

    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = reflecting.m_hWnd;
    nm.hdr.idFrom = 21;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iSubItem = 3;
    parent.SendMessage(WM_NOTIFY, 21, (LPARAM)&nm);
    EXPECT_EQ(1, reflecting.columnClicks);
    EXPECT_EQ(3, reflecting.lastColumn);
    EXPECT_EQ(0, parent.parentNotifies);

    nm.hdr.hwndFrom = plain.m_hWnd;
    nm.hdr.idFrom = 22;
    parent.SendMessage(WM_NOTIFY, 22, (LPARAM)&nm);
    EXPECT_EQ(1, parent.parentNotifies);
    EXPECT_EQ(22u, parent.notifyRangeId);
    parent.DestroyWindow();
}

TEST_F(WindowTest, ReflectedCtlColorGivesTheControlsBrush)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CColorStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent));
    HDC hDC = ::GetDC(label.m_hWnd);
    LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)label.m_hWnd);
    EXPECT_EQ((LRESULT)(HBRUSH)label.brush, brush);
    EXPECT_EQ(RGB(200, 0, 0), ::GetTextColor(hDC));
    ::ReleaseDC(label.m_hWnd, hDC);
    parent.DestroyWindow();
}

// An owner-drawn list box measures its items through its object; one whose
// object is not attached yet (a dialog's control before DDX_Control) keeps
// the height it proposed, or gets the height of its parent's font when it
// proposed none.
class CMeasuringListBox : public CListBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override { lpMeasureItemStruct->itemHeight = 31; }
};

TEST_F(WindowTest, OwnerDrawnItemsAreMeasuredByTheControlOrGetADefaultHeight)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CMeasuringListBox measured;
    ASSERT_TRUE(measured.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &parent, 7));
    EXPECT_EQ(31, measured.GetItemHeight(0));

    HWND unattached = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 100,
                                        100, parent.m_hWnd, (HMENU)8, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, unattached);
    EXPECT_GT(::SendMessageA(unattached, LB_GETITEMHEIGHT, 0, 0), 0);
    struct Case {
        UINT proposed;
        UINT expected;
    } cases[] = {{17, 17}, {0, (UINT)parent.DefaultItemHeight()}};
    for (const Case& c : cases) {
        MEASUREITEMSTRUCT mis = {ODT_LISTBOX, 8, 0, 0, c.proposed, 0};
        EXPECT_TRUE(parent.SendMessage(WM_MEASUREITEM, 8, (LPARAM)&mis));
        EXPECT_EQ(c.expected, mis.itemHeight);
    }
    TEXTMETRICA tm = {};
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, old);
    ::ReleaseDC(nullptr, hDC);
    EXPECT_EQ(tm.tmHeight, parent.DefaultItemHeight());
    parent.DestroyWindow();
}

// ---------------------------------------------------------------------------
// GDI wrappers own their handles

// Objects with static lifetime, as the library's global data has: made
// before main and destroyed after every thread object, at exit.
CBrush g_staticBrush(RGB(9, 9, 9));
CFont g_staticFont;

TEST_F(WindowTest, WrappersWithStaticLifetimeAreUsable)
{
    EXPECT_EQ(&g_staticBrush, CGdiObject::FromHandle(g_staticBrush.m_hObject));
    if (g_staticFont.m_hObject == nullptr) {
        ASSERT_TRUE(g_staticFont.CreatePointFont(90, "Tahoma"));
    }
    LOGFONTA logFont = {};
    EXPECT_GT(g_staticFont.GetLogFont(&logFont), 0);
    // Destroyed after main returns; the test program's exit code tells.
}

TEST_F(WindowTest, GdiObjectsOwnTheirHandlesAndTemporariesDoNot)
{
    HGDIOBJ hPen = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        hPen = pen.m_hObject;
        ASSERT_NE(nullptr, hPen);
        EXPECT_EQ(&pen, CGdiObject::FromHandle(hPen));
    }
    EXPECT_EQ(0u, ::GetObjectType(hPen));   // deleted with its object

    HBRUSH hBrush = ::CreateSolidBrush(RGB(4, 5, 6));
    CBrush* pTemp = CBrush::FromHandle(hBrush);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hBrush, (HBRUSH)*pTemp);
    AfxDeleteTempMaps();
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hBrush));   // a temporary never deletes
    ::DeleteObject(hBrush);
}

TEST_F(WindowTest, DeviceContextsSelectAndRestore)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    CClientDC screen(nullptr);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    ASSERT_NE(nullptr, pOld);
    dc.FillSolidRect(CRect(0, 0, 8, 8), RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(3, 3));
    dc.SelectObject(pOld);
}

} // namespace

namespace {

class CForgetfulWnd : public CWnd {
public:
    BOOL sawNcDestroy = FALSE;

protected:
    void OnNcDestroy() { sawNcDestroy = TRUE; }   // never calls CWnd's
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CForgetfulWnd, CWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST(WindowEndTest, AnObjectIsDetachedEvenWhenItsHandlerSkipsTheBase)
{
    InitFrameworkForTests();
    CForgetfulWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "forgetful", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_TRUE(wnd.sawNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

// ---------------------------------------------------------------------------
// The application object: message pump, PreTranslateMessage chain, idle

class CKeyEatingWnd : public CWnd {
public:
    int keys = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) {
            ++keys;
            return TRUE;   // never dispatched
        }
        return FALSE;
    }
};

class CKeyCountingChild : public CWnd {
public:
    int dispatchedKeys = 0;

protected:
    void OnKeyDown(UINT, UINT, UINT) { ++dispatchedKeys; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyCountingChild, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CPumpApp : public CWinApp {
public:
    CPumpApp() : CWinApp("Pump test") {}
    int idleCalls = 0;
    int exitCalls = 0;
    BOOL initResult = TRUE;
    BOOL InitInstance() override { return initResult; }
    BOOL OnIdle(LONG lCount) override
    {
        ++idleCalls;
        CWinApp::OnIdle(lCount);
        ::PostQuitMessage(5);   // one idle pass is enough
        return FALSE;
    }
    int ExitInstance() override
    {
        ++exitCalls;
        return CWinApp::ExitInstance();
    }
};

TEST(ApplicationTest, RunPumpsThroughThePreTranslateChainAndIdles)
{
    InitFrameworkForTests();
    CPumpApp app;
    CKeyEatingWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CKeyCountingChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 10, 10), &main, 1));
    app.m_pMainWnd = &main;
    EXPECT_EQ(&main, AfxGetMainWnd());

    // A foreign window wrapped for the moment: the idle pass deletes it.
    HWND hWndForeign = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr);
    CWnd::FromHandle(hWndForeign);

    // The child's key is offered to the child and then to its parent, which
    // takes it; a key of the main window itself likewise.
    child.PostMessage(WM_KEYDOWN, 'Q', 0);
    main.PostMessage(WM_KEYDOWN, 'R', 0);
    EXPECT_EQ(5, app.Run());
    EXPECT_EQ(2, main.keys);
    EXPECT_EQ(0, child.dispatchedKeys);
    EXPECT_GE(app.idleCalls, 1);
    EXPECT_EQ(1, app.exitCalls);
    EXPECT_TRUE(::IsWindow(hWndForeign));
    ::DestroyWindow(hWndForeign);

    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}

TEST(ApplicationTest, AnApplicationWhoseInitInstanceFailsEndsThroughExitInstance)
{
    InitFrameworkForTests();
    CPumpApp app;
    app.initResult = FALSE;
    AfxWinMain(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    EXPECT_EQ(1, app.exitCalls);
    EXPECT_EQ(0, app.idleCalls);
    EXPECT_STREQ("Pump test", AfxGetAppName());
}

} // namespace
