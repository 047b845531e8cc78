// The dialog implementation: restyling a dialog's children into the
// library's controls, control colours, glass margins, popup-menu
// cooperation, and the owner-drawn caption with a manager that wants it.
#include "ui/controls/ZUDPDialog.h"
#include "ui/controls/ZUDPDlgImpl.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/controls/ZUDPGroup.h"
#include "ui/controls/ZUDPSpinButtonCtrl.h"

#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/Monitor.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include "tests/common/DialogTemplateWin.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

using trovtest::DialogTemplate;
using trovtest::InitFrameworkForTests;

namespace {

enum : WORD {
    kPush = 1001, kCheck, kRadio, kGroup, kEdit, kStatic, kSpin, kCombo, kExcluded, kList, kMember, kIconStatic
};

// What each child received of the look and glass messages (counted by a
// raw subclass, so wrapped and unwrapped children alike are seen).
struct Received {
    int look = 0;
    WPARAM lastLook = 0;
    int aero = 0;
    WPARAM lastAero = 0;
};
std::map<HWND, Received> g_received;
std::map<HWND, WNDPROC> g_original;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ZUDM_ONSETCONTROLVMMODE) {
        ++g_received[hWnd].look;
        g_received[hWnd].lastLook = wParam;
    } else if (message == ZUDM_ONSETCONTROLAERO) {
        ++g_received[hWnd].aero;
        g_received[hWnd].lastAero = wParam;
    }
    return ::CallWindowProcA(g_original[hWnd], hWnd, message, wParam, lParam);
}

// A modeless dialog with one child of each kind the restyling knows, one
// it does not know (a list box), one excluded id and one member attached
// before the look is applied.
class CFixtureDialog : public CZUDPDialog {
public:
    explicit CFixtureDialog(const CList<UINT, UINT>* pExcluded = nullptr, DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU)
        : m_template(dwStyle, 200, 140, "Fixture")
    {
        m_template.AddControl("Button", "Push", BS_PUSHBUTTON, 5, 5, 40, 14, kPush);
        m_template.AddControl("Button", "Check", BS_AUTOCHECKBOX, 5, 22, 40, 10, kCheck);
        m_template.AddControl("Button", "Radio", BS_AUTORADIOBUTTON, 5, 34, 40, 10, kRadio);
        m_template.AddControl("Button", "Group", BS_GROUPBOX, 50, 5, 60, 40, kGroup);
        m_template.AddControl("Edit", "", ES_AUTOHSCROLL | WS_BORDER, 5, 50, 50, 12, kEdit);
        m_template.AddControl("Static", "Label", SS_LEFT, 60, 50, 40, 10, kStatic);
        m_template.AddControl("msctls_updown32", "", 0, 110, 50, 10, 14, kSpin);
        m_template.AddControl("ComboBox", "", CBS_DROPDOWNLIST, 5, 70, 60, 50, kCombo);
        m_template.AddControl("Button", "Left alone", BS_PUSHBUTTON, 70, 70, 40, 14, kExcluded);
        m_template.AddControl("ListBox", "", LBS_NOTIFY, 5, 90, 50, 30, kList);
        m_template.AddControl("Edit", "", WS_BORDER, 60, 90, 50, 12, kMember);
        m_template.AddControl("Static", "", SS_ICON, 120, 90, 20, 20, kIconStatic);
        SetVisualManagerLook(TRUE, FALSE, pExcluded);
    }
    BOOL Make() { return CreateIndirect(m_template.Get()); }

    CEdit m_member;

protected:
    BOOL OnInitDialog() override
    {
        for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            g_original[h] = (WNDPROC)::SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)&CountingProc);
        m_member.SubclassDlgItem(kMember, this);
        return CZUDPDialog::OnInitDialog();
    }

private:
    DialogTemplate m_template;
};

// The look a wrapped control of this branch keeps (the wrappers answer the
// message themselves, so the counting subclass below them does not see it);
// -1 for a control that is not one of them.
int WrapperLook(HWND hWnd)
{
    CWnd* pObject = CWnd::FromHandlePermanent(hWnd);
    if (auto* p = DYNAMIC_DOWNCAST(CZUDPButton, pObject))
        return p->IsVisualManagerStyle();
    if (auto* p = DYNAMIC_DOWNCAST(CZUDPGroup, pObject))
        return p->IsVisualManagerStyle();
    if (auto* p = DYNAMIC_DOWNCAST(CZUDPEdit, pObject))
        return p->IsVisualManagerStyle();
    if (auto* p = DYNAMIC_DOWNCAST(CZUDPSpinButtonCtrl, pObject))
        return p->IsVisualManagerStyle();
    return -1;
}

class DlgImplTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFrameworkForTests();
        g_received.clear();
        g_original.clear();
    }
    HWND Child(CWnd& dlg, WORD id) { return ::GetDlgItem(dlg.m_hWnd, id); }
    const Received& Got(CWnd& dlg, WORD id) { return g_received[Child(dlg, id)]; }
};

TEST_F(DlgImplTest, ChildrenAreWrappedByWindowClassAndToldTheLook)
{
    CList<UINT, UINT> excluded;
    excluded.AddTail(kExcluded);
    CFixtureDialog dlg(&excluded);   // given before the window exists
    ASSERT_TRUE(dlg.Make());

    struct Case {
        WORD id;
        const char* windowClass;
        const char* wrapper;   // null: not wrapped by class
    };
    const Case cases[] = {
        {kPush, "Button", "CZUDPButton"},        {kCheck, "Button", "CZUDPButton"},
        {kRadio, "Button", "CZUDPButton"},       {kGroup, "Button", "CZUDPGroup"},
        {kEdit, "Edit", "CZUDPEdit"},            {kStatic, "Static", "CZUDPStatic"},
        {kSpin, "msctls_updown32", "CZUDPSpinButtonCtrl"}, {kCombo, "ComboBox", "CZUDPComboBox"},
        {kList, "ListBox", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND hChild = Child(dlg, c.id);
        ASSERT_NE(nullptr, hChild);
        const DWORD style = (DWORD)::GetWindowLongPtrA(hChild, GWL_STYLE);
        const char* wrapper = CZUDPDlgImpl::WrapperClassFor(c.windowClass, style);
        if (c.wrapper == nullptr) {
            EXPECT_EQ(nullptr, wrapper);
        } else {
            ASSERT_NE(nullptr, wrapper);
            EXPECT_STREQ(c.wrapper, wrapper);
        }
        // A wrapper class that is part of the program wraps the child; one
        // that is not (yet) leaves it as it is.
        CRuntimeClass* pClass = wrapper != nullptr ? CRuntimeClass::FromName(wrapper) : nullptr;
        CWnd* pObject = CWnd::FromHandlePermanent(hChild);
        if (pClass != nullptr) {
            ASSERT_NE(nullptr, pObject);
            EXPECT_TRUE(pObject->IsKindOf(pClass));
        } else {
            EXPECT_EQ(nullptr, pObject);
        }
        // Every child is told the look: a wrapper keeps it, others see it.
        const int look = WrapperLook(hChild);
        if (look >= 0) {
            EXPECT_EQ(1, look);
        } else if (pObject == nullptr) {
            EXPECT_EQ(1, g_received[hChild].look);
            EXPECT_EQ(1u, g_received[hChild].lastLook);
        }
    }

    // The excluded id keeps its window class alone and is told nothing.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Child(dlg, kExcluded)));
    EXPECT_EQ(0, Got(dlg, kExcluded).look);
    // A member attached before the look keeps its own object.
    EXPECT_EQ(&dlg.m_member, CWnd::FromHandlePermanent(Child(dlg, kMember)));
    EXPECT_EQ(1, Got(dlg, kMember).look);

    // A second switch wraps nothing more but tells every child again.
    const INT_PTR wrapped = dlg.GetImpl().m_arSubclassedCtrls.GetSize();
    EXPECT_GT(wrapped, 0);
    dlg.SetVisualManagerLook(TRUE, FALSE, &excluded);
    EXPECT_EQ(wrapped, dlg.GetImpl().m_arSubclassedCtrls.GetSize());
    EXPECT_EQ(2, Got(dlg, kList).look);
    // Switching off leaves the wrappers and tells the children 0.
    dlg.SetVisualManagerLook(FALSE, FALSE, &excluded);
    EXPECT_EQ(wrapped, dlg.GetImpl().m_arSubclassedCtrls.GetSize());
    EXPECT_EQ(0, WrapperLook(Child(dlg, kEdit)));
    EXPECT_EQ(0u, Got(dlg, kList).lastLook);
    EXPECT_EQ(0, Got(dlg, kExcluded).look);
    dlg.DestroyWindow();
    EXPECT_EQ(0, dlg.GetImpl().m_arSubclassedCtrls.GetSize());
}

TEST_F(DlgImplTest, StaticsAndButtonsLieTransparentlyOnTheDialogBackground)
{
    CFixtureDialog dlg;
    ASSERT_TRUE(dlg.Make());
    CZUDPDlgImpl& impl = dlg.GetImpl();
    HBRUSH nullBrush = (HBRUSH)::GetStockObject(NULL_BRUSH);
    HBRUSH dialogBrush = (HBRUSH)CZUDPVisualManager::GetActiveManager()->GetDialogBackgroundBrush(&dlg).GetSafeHandle();

    struct Case {
        WORD id;
        UINT type;
        BOOL look;
        HBRUSH brush;
        bool barText;   // the text colour becomes the bar text colour
    };
    const Case cases[] = {
        {kStatic, CTLCOLOR_STATIC, TRUE, nullBrush, true},
        {kIconStatic, CTLCOLOR_STATIC, TRUE, dialogBrush, true},   // both low style bits: opaque
        {kCheck, CTLCOLOR_STATIC, TRUE, dialogBrush, true},
        {kGroup, CTLCOLOR_STATIC, TRUE, dialogBrush, true},
        {kPush, CTLCOLOR_STATIC, TRUE, nullBrush, false},
        {kCheck, CTLCOLOR_STATIC, FALSE, nullBrush, false},
        {kEdit, CTLCOLOR_STATIC, TRUE, nullptr, false},
        {kStatic, CTLCOLOR_EDIT, TRUE, nullptr, false},
    };
    trovtest::DibCanvas canvas(4, 4);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        impl.m_bVisualManagerStyle = c.look;
        const COLORREF marker = RGB(1, 2, 3);
        pDC->SetTextColor(marker);
        pDC->SetBkMode(OPAQUE);
        EXPECT_EQ(c.brush, impl.OnCtlColor(pDC, CWnd::FromHandle(Child(dlg, c.id)), c.type));
        EXPECT_EQ(c.barText ? g_uiEnvironment.m_colorBarText : marker, pDC->GetTextColor());
    }
    dlg.DestroyWindow();
}

// Composition reported on through the optional services.
HRESULT WINAPI CompositionOn(BOOL* enabled)
{
    *enabled = TRUE;
    return S_OK;
}
HRESULT WINAPI ExtendOk(HWND, const MARGINS*) { return S_OK; }

class GlassTest : public DlgImplTest {
protected:
    void SetUp() override
    {
        DlgImplTest::SetUp();
        m_savedComposition = g_uiEnvironment.m_dwmIsCompositionEnabled;
        m_savedExtend = g_uiEnvironment.m_dwmExtendFrameIntoClientArea;
        m_savedOff = g_uiEnvironment.m_compositionOff;
        g_uiEnvironment.m_dwmExtendFrameIntoClientArea = ExtendOk;
    }
    void TearDown() override
    {
        g_uiEnvironment.m_dwmIsCompositionEnabled = m_savedComposition;
        g_uiEnvironment.m_dwmExtendFrameIntoClientArea = m_savedExtend;
        g_uiEnvironment.m_compositionOff = m_savedOff;
    }
    void Composition(bool on)
    {
        g_uiEnvironment.m_dwmIsCompositionEnabled = on ? CompositionOn : nullptr;
        g_uiEnvironment.m_compositionOff = !on;
    }

private:
    decltype(g_uiEnvironment.m_dwmIsCompositionEnabled) m_savedComposition = nullptr;
    decltype(g_uiEnvironment.m_dwmExtendFrameIntoClientArea) m_savedExtend = nullptr;
    BOOL m_savedOff = FALSE;
};

TEST_F(GlassTest, ChildrenInTheGlassStripLieOnGlassOnlyWithComposition)
{
    for (bool composition : {true, false}) {
        SCOPED_TRACE(composition);
        Composition(composition);
        g_received.clear();
        CList<UINT, UINT> excluded;   // keeps the button's own class
        excluded.AddTail(kExcluded);
        CFixtureDialog dlg(&excluded);
        ASSERT_TRUE(dlg.Make());
        // A strip along the bottom that holds the list box and not the
        // button above it (both keep their window class).
        CRect client;
        dlg.GetClientRect(&client);
        CRect rectList;
        ::GetWindowRect(Child(dlg, kList), &rectList);
        dlg.ScreenToClient(&rectList);
        const int bottom = client.bottom - rectList.top + 1;

        EXPECT_TRUE(dlg.GetImpl().SetGlassMargins(0, 0, 0, bottom));
        EXPECT_EQ(1, Got(dlg, kList).aero);
        EXPECT_EQ(composition ? 1u : 0u, Got(dlg, kList).lastAero);
        EXPECT_EQ(1, Got(dlg, kExcluded).aero);
        EXPECT_EQ(0u, Got(dlg, kExcluded).lastAero);

        // Glass shows through black, painted only with composition.
        trovtest::DibCanvas canvas(client.Width(), client.Height());
        dlg.GetImpl().FillGlassMargins(CDC::FromHandle(canvas.Dc()));
        EXPECT_EQ(composition ? RGB(0, 0, 0) : RGB(255, 255, 255), canvas.Pixel(client.Width() / 2, client.bottom - 1));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(client.Width() / 2, client.bottom - bottom - 2));
        dlg.DestroyWindow();
    }
}

// ---------------------------------------------------------------------------
// Popup menus

// A popup window that counts what the dialog sends it: its shadow is the
// right and bottom 6 pixels.
class CFakePopup : public CZUDPPopupMenu {
public:
    BOOL Make(const CRect& rectScreen)
    {
        m_iShadowSize = 6;
        return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "popup", WS_POPUP | WS_VISIBLE, rectScreen, nullptr, 0);
    }
    int m_closes = 0;
    int m_escapes = 0;
    int m_keys = 0;
    // The fixture owns the object (it lives on the test's stack).
    void PostNcDestroy() override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE)
            return 0;   // a plain window of the given rectangle: no items, no layout
        if (message == WM_CLOSE) {
            ++m_closes;
            return 0;   // stays, so the test can go on with it
        }
        if (message == WM_KEYDOWN) {
            ++m_keys;
            if (wParam == VK_ESCAPE)
                ++m_escapes;
            return 0;
        }
        return CZUDPPopupMenu::WindowProc(message, wParam, lParam);
    }
};

class PopupTest : public DlgImplTest {
protected:
    void SetUp() override
    {
        DlgImplTest::SetUp();
        ASSERT_TRUE(m_dlg.Make());
        m_dlg.SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        ASSERT_TRUE(m_popup.Make(CRect(400, 300, 500, 400)));
        m_dlg.SetOpenPopupMenu(&m_popup);
    }
    void TearDown() override
    {
        m_dlg.SetOpenPopupMenu(nullptr);
        if (m_popup.m_hWnd != nullptr)
            m_popup.DestroyWindow();
        if (m_dlg.m_hWnd != nullptr)
            m_dlg.DestroyWindow();
    }
    CFixtureDialog m_dlg;
    CFakePopup m_popup;
};

TEST_F(PopupTest, ClicksCloseThePopupOnItsShadowAndOutsideIt)
{
    CZUDPDlgImpl& impl = m_dlg.GetImpl();
    EXPECT_FALSE(impl.HandlePopupClick(CPoint(450, 350)));   // on the items: the menu's
    EXPECT_EQ(0, m_popup.m_closes);

    // On the shadow: closed, the click is consumed and the dialog has the focus.
    EXPECT_TRUE(impl.HandlePopupClick(CPoint(497, 350)));
    EXPECT_EQ(1, m_popup.m_closes);
    HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == m_dlg.m_hWnd || ::IsChild(m_dlg.m_hWnd, hFocus));
    EXPECT_TRUE(impl.HandlePopupClick(CPoint(450, 398)));
    EXPECT_EQ(2, m_popup.m_closes);

    // Outside: closed, the click goes on to its window.
    EXPECT_FALSE(impl.HandlePopupClick(CPoint(20, 20)));
    EXPECT_EQ(3, m_popup.m_closes);

    // In toolbar customization nothing is closed.
    g_customizeMode = TRUE;
    EXPECT_FALSE(impl.HandlePopupClick(CPoint(20, 20)));
    g_customizeMode = FALSE;
    EXPECT_EQ(3, m_popup.m_closes);
}

TEST_F(PopupTest, KeysGoToThePopupAndAcceleratorsCloseItInsteadOfRunning)
{
    CZUDPDlgImpl& impl = m_dlg.GetImpl();
    MSG key = {m_dlg.m_hWnd, WM_KEYDOWN, VK_DOWN, 0};
    EXPECT_TRUE(impl.PreTranslateMessage(&key));
    EXPECT_EQ(1, m_popup.m_keys);

    const UINT before = CZUDPToolBar::GetCommandUseCount(4242);
    EXPECT_TRUE(impl.OnCommand(MAKEWPARAM(4242, 1), 0));
    EXPECT_EQ(1, m_popup.m_escapes);
    EXPECT_EQ(before + 1, CZUDPToolBar::GetCommandUseCount(4242));
    // A command of a control (not an accelerator) is not looked at.
    EXPECT_FALSE(impl.OnCommand(MAKEWPARAM(4242, BN_CLICKED), 0));
    EXPECT_EQ(before + 1, CZUDPToolBar::GetCommandUseCount(4242));

    // Any context-menu request closes the popup (its wParam is a window).
    MSG context = {m_dlg.m_hWnd, WM_CONTEXTMENU, (WPARAM)m_dlg.m_hWnd, MAKELPARAM(20, 20)};
    EXPECT_TRUE(impl.PreTranslateMessage(&context));
    MSG alt = {m_dlg.m_hWnd, WM_SYSKEYDOWN, VK_MENU, 0};
    EXPECT_TRUE(impl.PreTranslateMessage(&alt));
    EXPECT_EQ(2, m_popup.m_closes);
}

TEST_F(PopupTest, TheMouseHookComesOnceAndGoesWithTheMenuOrTheDialog)
{
    HHOOK hook = CZUDPDlgImpl::GetPopupHook();
    ASSERT_NE(nullptr, hook);
    m_dlg.SetOpenPopupMenu(&m_popup);   // a second open keeps the one hook
    EXPECT_EQ(hook, CZUDPDlgImpl::GetPopupHook());
    m_dlg.SetOpenPopupMenu(nullptr);
    EXPECT_EQ(nullptr, CZUDPDlgImpl::GetPopupHook());
    EXPECT_EQ(nullptr, g_activePopupMenu);

    // A dialog destroyed while its popup is open takes the hook with it.
    m_dlg.SetOpenPopupMenu(&m_popup);
    ASSERT_NE(nullptr, CZUDPDlgImpl::GetPopupHook());
    m_dlg.DestroyWindow();
    EXPECT_EQ(nullptr, CZUDPDlgImpl::GetPopupHook());
}

TEST_F(PopupTest, APopupDestroyedWithoutTellingTheDialogIsIgnored)
{
    m_popup.DestroyWindow();
    CZUDPDlgImpl& impl = m_dlg.GetImpl();
    EXPECT_FALSE(impl.HandlePopupClick(CPoint(20, 20)));
    MSG key = {m_dlg.m_hWnd, WM_KEYDOWN, VK_DOWN, 0};
    EXPECT_FALSE(impl.PreTranslateMessage(&key));
    EXPECT_FALSE(impl.OnCommand(MAKEWPARAM(4243, 1), 0));
}

// ---------------------------------------------------------------------------
// Activation

// A window that says it floats over its owner (answers WM_FLOATSTATUS).
LRESULT CALLBACK FloatingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FLOATSTATUS)
        return (wParam & FS_SYNCACTIVE) ? 1 : 0;
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}
HWND MakeFloatingWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FloatingProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TrovFloatingTestWindow";
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

TEST_F(DlgImplTest, OnlyFloatingWindowsOfThisThreadKeepTheCaptionActive)
{
    CFixtureDialog dlg;
    ASSERT_TRUE(dlg.Make());
    CZUDPDlgImpl& impl = dlg.GetImpl();
    impl.OnActivate(WA_ACTIVE, nullptr);
    EXPECT_TRUE(dlg.m_nFlags & WF_STAYACTIVE);

    // A window of this thread that floats keeps it; one that does not answer
    // takes the activation.
    HWND hFloating = MakeFloatingWindow();
    impl.OnActivate(WA_INACTIVE, CWnd::FromHandle(hFloating));
    EXPECT_TRUE(dlg.m_nFlags & WF_STAYACTIVE);
    CFixtureDialog other;
    ASSERT_TRUE(other.Make());
    impl.OnActivate(WA_INACTIVE, &other);
    EXPECT_FALSE(dlg.m_nFlags & WF_STAYACTIVE);

    // The same floating window made by another thread, which would answer,
    // is not asked (a window of a hung thread or process must not hang the
    // dialog).
    HWND hOtherThread = nullptr;
    HANDLE stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        hOtherThread = MakeFloatingWindow();
        while (::MsgWaitForMultipleObjects(1, &stop, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
        ::DestroyWindow(hOtherThread);
    });
    trovtest::PumpUntil([&] { return hOtherThread != nullptr; }, 2000);
    ASSERT_NE(nullptr, hOtherThread);
    dlg.m_nFlags |= WF_STAYACTIVE;
    impl.OnActivate(WA_INACTIVE, CWnd::FromHandle(hOtherThread));
    EXPECT_FALSE(dlg.m_nFlags & WF_STAYACTIVE);
    ::SetEvent(stop);
    owner.join();
    ::CloseHandle(stop);

    BOOL active = FALSE;
    dlg.m_nFlags |= WF_STAYACTIVE;
    impl.OnNcActivate(active);
    EXPECT_TRUE(active);
    ::DestroyWindow(hFloating);
    other.DestroyWindow();
    dlg.DestroyWindow();
}

TEST_F(DlgImplTest, ABorderlessDialogMaximizesWithinTheWorkAreaLeavingAnAutoHideTaskbarItsEdge)
{
    CFixtureDialog dlg(nullptr, WS_POPUP);
    ASSERT_TRUE(dlg.Make());
    RECT monitor = {};
    RECT work = {};
    CRect rectWindow;
    dlg.GetWindowRect(&rectWindow);
    ASSERT_TRUE(AfxGetMonitorRects(rectWindow.CenterPoint(), &monitor, &work));
    const DWORD savedEdges = g_uiEnvironment.m_autoHideEdges;
    const BOOL savedComputed = g_uiEnvironment.m_autoHideEdgesComputed;
    struct Case {
        DWORD edges;
        int left, top, rightInset, bottomInset;
    };
    const Case cases[] = {{0, 0, 0, 0, 0}, {8, 0, 0, 0, 2}, {1 | 4, 2, 2, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edges);
        g_uiEnvironment.m_autoHideEdges = c.edges;
        g_uiEnvironment.m_autoHideEdgesComputed = TRUE;
        MINMAXINFO info = {};
        dlg.GetImpl().OnGetMinMaxInfo(&info);
        EXPECT_EQ(work.left - monitor.left + c.left, info.ptMaxPosition.x);
        EXPECT_EQ(work.top - monitor.top + c.top, info.ptMaxPosition.y);
        EXPECT_EQ(work.right - work.left - c.left - c.rightInset, info.ptMaxSize.x);
        EXPECT_EQ(work.bottom - work.top - c.top - c.bottomInset, info.ptMaxSize.y);
    }
    g_uiEnvironment.m_autoHideEdges = savedEdges;
    g_uiEnvironment.m_autoHideEdgesComputed = savedComputed;
    // A dialog with a border keeps the system's maximized size.
    CFixtureDialog bordered;
    ASSERT_TRUE(bordered.Make());
    MINMAXINFO untouched = {};
    bordered.GetImpl().OnGetMinMaxInfo(&untouched);
    EXPECT_EQ(0, untouched.ptMaxSize.x);
    bordered.DestroyWindow();
    dlg.DestroyWindow();
}

// A library dialog whose template cannot be loaded.
class CMissingTemplateDialog : public CZUDPDialog {
public:
    CMissingTemplateDialog() : CZUDPDialog(0x7F31u) { m_bIsLocal = TRUE; }
    bool GuardReleased() const { return m_pLocaRes == nullptr; }
};

TEST_F(DlgImplTest, TheResourceGuardEndsWhenTheTemplateCannotBeLoaded)
{
    CMissingTemplateDialog dlg;
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(dlg.GuardReleased());
}

// ---------------------------------------------------------------------------
// The owner-drawn caption

// A manager that wants the custom caption, with caption buttons of 18 by
// 14 pixels.
class CCaptionManager : public CZUDPVisualManager {
    DECLARE_DYNCREATE(CCaptionManager)
public:
    BOOL UsesCustomCaption() override { return TRUE; }
    CSize GetNonClientMargin(CWnd*) override { return CSize(18, 14); }
};
IMPLEMENT_DYNCREATE(CCaptionManager, CZUDPVisualManager)

class CaptionTest : public DlgImplTest {
protected:
    void TearDown() override { CZUDPVisualManager::SetDefaultManager(nullptr); }

    // A dialog in the full look; its buttons' centres in screen coordinates.
    static CPoint Centre(CZUDPDialog& dlg, CZUDPFrameCaptionButton* pButton)
    {
        CRect rectWindow;
        dlg.GetWindowRect(&rectWindow);
        return rectWindow.TopLeft() + pButton->GetRect().CenterPoint();
    }
    static bool SysCommandPosted(HWND hWnd, UINT* pCommand)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            return false;
        *pCommand = (UINT)msg.wParam;
        return true;
    }
};

TEST_F(CaptionTest, ButtonsFollowTheStyleAndAreLaidOutFromTheRight)
{
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CCaptionManager));
    CFixtureDialog dlg(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_CONTEXTHELP);
    dlg.SetVisualManagerLook(TRUE, TRUE);
    ASSERT_TRUE(dlg.Make());
    CZUDPDlgImpl& impl = dlg.GetImpl();
    ASSERT_TRUE(impl.PaintsOwnCaption());
    // The border of a window that had one is removed for the custom frame.
    EXPECT_FALSE(dlg.GetStyle() & WS_BORDER);

    const UINT expected[] = {19, 27, 28};   // close, minimize, help
    ASSERT_EQ(3, impl.GetCaptionButtons().GetCount());
    const CRect caption = impl.CaptionRectInWindow();
    int right = caption.right;
    POSITION pos = impl.GetCaptionButtons().GetHeadPosition();
    for (UINT hit : expected) {
        auto* pButton = static_cast<CZUDPFrameCaptionButton*>(impl.GetCaptionButtons().GetNext(pos));
        EXPECT_EQ(hit, pButton->GetHitCode());
        EXPECT_EQ(right, pButton->GetRect().right);
        EXPECT_EQ(18, pButton->GetRect().Width());
        EXPECT_EQ(std::min(14, caption.Height() - 2), pButton->GetRect().Height());
        right -= 18;
    }
    dlg.DestroyWindow();
}

TEST_F(CaptionTest, AClickBecomesTheSystemCommandOnlyWhenReleasedOverTheButton)
{
    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CCaptionManager));
    CFixtureDialog dlg(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    dlg.SetVisualManagerLook(TRUE, TRUE);
    ASSERT_TRUE(dlg.Make());
    CZUDPDlgImpl& impl = dlg.GetImpl();
    CZUDPFrameCaptionButton* pMinimize = impl.FindCaptionButton(27);
    ASSERT_NE(nullptr, pMinimize);
    trovtest::PumpPending();
    UINT command = 0;
    while (SysCommandPosted(dlg.m_hWnd, &command)) {
    }

    // Press, move off, release: nothing.
    const CPoint over = Centre(dlg, pMinimize);
    impl.OnNcMouseMove(27, over);
    EXPECT_EQ(27u, impl.GetHotCaptionButton());
    impl.OnLButtonDown(CPoint());
    EXPECT_TRUE(pMinimize->m_bPushed);
    impl.OnNcMouseMove(HTCAPTION, over + CPoint(-200, 0));
    EXPECT_EQ(0u, impl.GetHotCaptionButton());
    impl.OnLButtonUp(CPoint());
    EXPECT_FALSE(pMinimize->m_bPushed);
    EXPECT_FALSE(SysCommandPosted(dlg.m_hWnd, &command));

    // Press and release over it: the command is posted.
    impl.OnNcMouseMove(27, over);
    impl.OnLButtonDown(CPoint());
    impl.OnLButtonUp(CPoint());
    ASSERT_TRUE(SysCommandPosted(dlg.m_hWnd, &command));
    EXPECT_EQ((UINT)SC_MINIMIZE, command);
    EXPECT_EQ(0u, impl.GetHotCaptionButton());

    // A greyed close is disabled and never becomes hot.
    ::EnableMenuItem(::GetSystemMenu(dlg.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    impl.SyncCaptionButtonsWithSystemMenu();
    CZUDPFrameCaptionButton* pClose = impl.FindCaptionButton(19);
    ASSERT_NE(nullptr, pClose);
    EXPECT_FALSE(pClose->m_bEnabled);
    impl.OnNcMouseMove(19, Centre(dlg, pClose));
    EXPECT_EQ(0u, impl.GetHotCaptionButton());
    dlg.DestroyWindow();
}

TEST_F(CaptionTest, TheBaseManagerKeepsTheSystemCaption)
{
    CFixtureDialog dlg(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    dlg.SetVisualManagerLook(TRUE, TRUE);
    ASSERT_TRUE(dlg.Make());
    CZUDPDlgImpl& impl = dlg.GetImpl();
    EXPECT_FALSE(impl.PaintsOwnCaption());
    EXPECT_EQ(0, impl.GetCaptionButtons().GetCount());
    EXPECT_TRUE(dlg.GetStyle() & WS_BORDER);
    CRect rectWindow;
    dlg.GetWindowRect(&rectWindow);
    EXPECT_EQ(0u, impl.OnNcHitTest(rectWindow.TopLeft() + CPoint(20, 10)));
    EXPECT_FALSE(impl.OnNcPaint());
    dlg.DestroyWindow();
}

} // namespace
