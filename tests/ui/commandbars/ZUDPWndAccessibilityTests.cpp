// What a library pane tells accessibility clients: the object WM_GETOBJECT
// hands out while the accessibility switch is on, and its answers for the
// pane itself, for its child elements (numbered from 1) and for arguments
// that name neither.
#include "framework/win/Dialog.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/controls/ZUDPDialog.h"
#include "ui/controls/ZUDPPropertyPage.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A pane with three child elements: each has a name, element 2 also a
// value, a description and the rest; element 2 lies at screen (50, 60).
class CThreeButtonWnd : public CZUDPWnd {
public:
    BOOL UpdateAccessibilityData(long nChildId) override
    {
        if (nChildId < 1 || nChildId > 3)
            return FALSE;
        m_accessibleInfo.m_strName.Format("Button %ld", nChildId);
        m_accessibleInfo.m_nRole = ROLE_SYSTEM_PUSHBUTTON;
        m_accessibleInfo.m_nState = nChildId == 3 ? STATE_SYSTEM_UNAVAILABLE : 0;
        m_accessibleInfo.m_rectLocation = CRect(10 * int(nChildId), 20, 10 * int(nChildId) + 8, 30);
        if (nChildId == 2) {
            m_accessibleInfo.m_strValue = "on";
            m_accessibleInfo.m_strDescription = "second button";
            m_accessibleInfo.m_strHelp = "presses it";
            m_accessibleInfo.m_strKeyboardShortcut = "Alt+2";
            m_accessibleInfo.m_strDefaultAction = "Press";
        }
        return TRUE;
    }
    long AccessibleChildFromPoint(CPoint pt) override { return CRect(40, 50, 60, 70).PtInRect(pt) ? 2 : 0; }
};

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Accessible objects travel through COM.
        m_bOle = SUCCEEDED(::OleInitialize(nullptr));
        m_bSwitch = g_uiEnvironment.m_accessibility;
        g_uiEnvironment.m_accessibility = TRUE;
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(m_pane.CreateEx(0, AfxRegisterWndClass(0), "Standard", WS_CHILD | WS_VISIBLE,
                                    CRect(10, 10, 210, 40), &m_parent, 7));
        m_pAcc = ObjectOf(m_pane);
        ASSERT_NE(nullptr, m_pAcc);
    }
    void TearDown() override
    {
        if (m_pAcc != nullptr)
            m_pAcc->Release();
        m_pane.DestroyWindow();
        m_parent.DestroyWindow();
        g_uiEnvironment.m_accessibility = m_bSwitch;
        if (m_bOle)
            ::OleUninitialize();
    }

    static IAccessible* ObjectOf(CWnd& wnd)
    {
        const LRESULT lResult = wnd.SendMessage(WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT);
        if (lResult <= 0)
            return nullptr;
        IAccessible* pAcc = nullptr;
        ::ObjectFromLresult(lResult, __uuidof(IAccessible), 0, (void**)&pAcc);
        return pAcc;
    }
    static VARIANT Long(long value)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = value;
        return v;
    }
    static VARIANT Short(short value)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_I2;
        v.iVal = value;
        return v;
    }
    static VARIANT Empty()
    {
        VARIANT v;
        ::VariantInit(&v);
        return v;
    }
    static std::string Text(BSTR bstr)
    {
        std::string text;
        for (UINT i = 0; bstr != nullptr && i < ::SysStringLen(bstr); ++i)
            text += char(bstr[i]);
        ::SysFreeString(bstr);
        return text;
    }

    bool m_bOle = false;
    BOOL m_bSwitch = FALSE;
    CWnd m_parent;
    CThreeButtonWnd m_pane;
    IAccessible* m_pAcc = nullptr;
};

// Which child a VARIANT names, as the table rows below use it.
enum Target { kSelf, kChild2, kChild9, kNegative, kOtherZero, kOtherNonZero };

VARIANT Arg(Target target)
{
    VARIANT v;
    ::VariantInit(&v);
    switch (target) {
    case kSelf:
        v.vt = VT_I4, v.lVal = CHILDID_SELF;
        break;
    case kChild2:
        v.vt = VT_I4, v.lVal = 2;
        break;
    case kChild9:
        v.vt = VT_I4, v.lVal = 9;
        break;
    case kNegative:
        v.vt = VT_I4, v.lVal = -4;
        break;
    case kOtherZero:
        break;   // VT_EMPTY
    case kOtherNonZero:
        v.vt = VT_I2, v.iVal = 5;
        break;
    }
    return v;
}

const char* Name(Target target)
{
    static const char* names[] = {"self", "child 2", "child 9", "negative", "other type, zero", "other type, value"};
    return names[target];
}

} // namespace

// The text answers, one table per method: the result and the text.
TEST_F(AccessibilityTest, TextAnswersForSelfChildrenAndOtherArguments)
{
    using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    struct Row {
        const char* method;
        Getter get;
        Target target;
        HRESULT hr;
        const char* text;
    } rows[] = {
        {"name", &IAccessible::get_accName, kSelf, S_OK, "Standard"},
        {"name", &IAccessible::get_accName, kChild2, S_OK, "Button 2"},
        {"name", &IAccessible::get_accName, kChild9, E_INVALIDARG, ""},
        {"name", &IAccessible::get_accName, kNegative, S_OK, ""},
        {"name", &IAccessible::get_accName, kOtherNonZero, S_OK, ""},
        {"value", &IAccessible::get_accValue, kSelf, S_FALSE, ""},
        {"value", &IAccessible::get_accValue, kChild2, S_OK, "on"},
        {"value", &IAccessible::get_accValue, kOtherZero, S_FALSE, ""},
        {"description", &IAccessible::get_accDescription, kSelf, S_OK, "Standard"},
        {"description", &IAccessible::get_accDescription, kChild2, S_OK, "second button"},
        {"description", &IAccessible::get_accDescription, kOtherNonZero, S_FALSE, ""},
        {"help", &IAccessible::get_accHelp, kSelf, S_OK, "ControlPane"},
        {"help", &IAccessible::get_accHelp, kChild2, S_OK, "presses it"},
        {"help", &IAccessible::get_accHelp, kOtherNonZero, E_INVALIDARG, ""},
        {"help", &IAccessible::get_accHelp, kNegative, S_FALSE, ""},
        {"shortcut", &IAccessible::get_accKeyboardShortcut, kSelf, S_OK, ""},
        {"shortcut", &IAccessible::get_accKeyboardShortcut, kChild2, S_OK, "Alt+2"},
        {"shortcut", &IAccessible::get_accKeyboardShortcut, kNegative, S_FALSE, ""},
        {"shortcut", &IAccessible::get_accKeyboardShortcut, kOtherNonZero, E_INVALIDARG, ""},
        {"default action", &IAccessible::get_accDefaultAction, kSelf, S_FALSE, ""},
        {"default action", &IAccessible::get_accDefaultAction, kChild2, S_OK, "Press"},
        {"default action", &IAccessible::get_accDefaultAction, kOtherNonZero, E_INVALIDARG, ""},
    };
    for (const Row& row : rows) {
        BSTR text = nullptr;
        EXPECT_EQ(row.hr, (m_pAcc->*row.get)(Arg(row.target), &text)) << row.method << ", " << Name(row.target);
        EXPECT_EQ(row.text, Text(text)) << row.method << ", " << Name(row.target);
    }

    // A child without the text answers S_FALSE with nothing.
    for (Getter get : {&IAccessible::get_accValue, &IAccessible::get_accDescription, &IAccessible::get_accHelp,
                       &IAccessible::get_accKeyboardShortcut, &IAccessible::get_accDefaultAction}) {
        BSTR text = nullptr;
        EXPECT_EQ(S_FALSE, (m_pAcc->*get)(Long(1), &text));
        EXPECT_EQ(nullptr, text);
    }
    // Every text getter refuses a null output.
    for (Getter get : {&IAccessible::get_accName, &IAccessible::get_accValue, &IAccessible::get_accDescription,
                       &IAccessible::get_accHelp, &IAccessible::get_accKeyboardShortcut,
                       &IAccessible::get_accDefaultAction})
        EXPECT_EQ(E_INVALIDARG, (m_pAcc->*get)(Long(0), nullptr));
}

TEST_F(AccessibilityTest, RoleAndStateAnswers)
{
    struct Row {
        Target target;
        HRESULT hrRole;
        long role;
        HRESULT hrState;
        long state;
    } rows[] = {
        {kSelf, S_OK, ROLE_SYSTEM_TOOLBAR, S_OK, STATE_SYSTEM_DEFAULT},
        {kChild2, S_OK, ROLE_SYSTEM_PUSHBUTTON, S_OK, 0},
        {kChild9, E_INVALIDARG, 0, E_INVALIDARG, 0},
        {kNegative, S_OK, ROLE_SYSTEM_PUSHBUTTON, E_INVALIDARG, 0},
        {kOtherZero, S_OK, ROLE_SYSTEM_PUSHBUTTON, E_INVALIDARG, 0},
        {kOtherNonZero, E_INVALIDARG, 0, E_INVALIDARG, 0},
    };
    for (const Row& row : rows) {
        VARIANT result;
        ::VariantInit(&result);
        EXPECT_EQ(row.hrRole, m_pAcc->get_accRole(Arg(row.target), &result)) << Name(row.target);
        if (row.hrRole == S_OK) {
            EXPECT_EQ(VT_I4, result.vt) << Name(row.target);
            EXPECT_EQ(row.role, result.lVal) << Name(row.target);
        }
        ::VariantInit(&result);
        EXPECT_EQ(row.hrState, m_pAcc->get_accState(Arg(row.target), &result)) << Name(row.target);
        if (row.hrState == S_OK) {
            EXPECT_EQ(row.state, result.lVal) << Name(row.target);
        }
    }
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(S_OK, m_pAcc->get_accState(Long(3), &result));
    EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE, result.lVal);
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accRole(Long(0), nullptr));
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accState(Long(0), nullptr));
}

// Child ids are element indexes + 1: a hit test over an element answers its
// id (any screen point, negative coordinates included), over empty space
// the pane itself; the id then names the element in every other call.
TEST_F(AccessibilityTest, HitTestAnswersChildIdsThatNameTheElement)
{
    VARIANT hit;
    ::VariantInit(&hit);
    ASSERT_EQ(S_OK, m_pAcc->accHitTest(50, 60, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(2, hit.lVal);
    EXPECT_TRUE(m_pane.GetAccessibleInfo().m_nHit);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, m_pAcc->get_accName(hit, &name));
    EXPECT_EQ("Button 2", Text(name));

    for (CPoint pt : {CPoint(0, 0), CPoint(-50, -60), CPoint(5000, 5)}) {
        ::VariantInit(&hit);
        ASSERT_EQ(S_OK, m_pAcc->accHitTest(pt.x, pt.y, &hit));
        EXPECT_EQ(VT_I4, hit.vt);
        EXPECT_EQ(CHILDID_SELF, hit.lVal) << pt.x << "," << pt.y;
        EXPECT_FALSE(m_pane.GetAccessibleInfo().m_nHit);
    }
    EXPECT_EQ(E_INVALIDARG, m_pAcc->accHitTest(50, 60, nullptr));
}

TEST_F(AccessibilityTest, LocationOfSelfAndChild)
{
    long x = -1, y = -1, cx = -1, cy = -1;
    ASSERT_EQ(S_OK, m_pAcc->accLocation(&x, &y, &cx, &cy, Long(0)));
    const CRect rectWindow = [&] {
        CRect r;
        m_pane.GetWindowRect(&r);
        return r;
    }();
    EXPECT_EQ(rectWindow.left, x);
    EXPECT_EQ(rectWindow.top, y);
    EXPECT_EQ(rectWindow.Width(), cx);
    EXPECT_EQ(rectWindow.Height(), cy);

    ASSERT_EQ(S_OK, m_pAcc->accLocation(&x, &y, &cx, &cy, Long(3)));
    EXPECT_EQ(30, x);
    EXPECT_EQ(20, y);
    EXPECT_EQ(8, cx);
    EXPECT_EQ(10, cy);

    // Other arguments leave the outputs alone; a null output is refused.
    x = y = cx = cy = 77;
    for (VARIANT v : {Long(-1), Short(2), Empty()}) {
        EXPECT_EQ(S_OK, m_pAcc->accLocation(&x, &y, &cx, &cy, v));
        EXPECT_EQ(77, x);
        EXPECT_EQ(77, cy);
    }
    EXPECT_EQ(E_INVALIDARG, m_pAcc->accLocation(nullptr, &y, &cx, &cy, Long(0)));
    EXPECT_EQ(E_INVALIDARG, m_pAcc->accLocation(&x, &y, &cx, nullptr, Long(0)));
}

TEST_F(AccessibilityTest, ParentChildrenFocusAndTheRest)
{
    IDispatch* pParent = nullptr;
    EXPECT_EQ(S_OK, m_pAcc->get_accParent(&pParent));
    ASSERT_NE(nullptr, pParent);
    pParent->Release();
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accParent(nullptr));

    long count = -1;
    EXPECT_EQ(S_OK, m_pAcc->get_accChildCount(&count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accChildCount(nullptr));

    IDispatch* pChild = nullptr;
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accChild(Long(0), &pChild));
    EXPECT_EQ(nullptr, pChild);
    EXPECT_EQ(S_OK, m_pAcc->get_accChild(Long(2), &pChild));
    ASSERT_NE(nullptr, pChild);
    pChild->Release();
    pChild = nullptr;
    EXPECT_EQ(S_OK, m_pAcc->get_accChild(Short(2), &pChild)) << "another type is answered as a child";
    if (pChild != nullptr)
        pChild->Release();
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accChild(Long(2), nullptr));

    VARIANT v;
    ::VariantInit(&v);
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, m_pAcc->get_accFocus(&v));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, m_pAcc->get_accSelection(&v));
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accFocus(nullptr));
    EXPECT_EQ(E_INVALIDARG, m_pAcc->get_accSelection(nullptr));

    BSTR file = nullptr;
    long topic = 0;
    EXPECT_EQ(S_FALSE, m_pAcc->get_accHelpTopic(&file, Long(0), &topic));
    EXPECT_EQ(S_FALSE, m_pAcc->accNavigate(NAVDIR_NEXT, Long(0), &v));
    EXPECT_EQ(S_FALSE, m_pAcc->accDoDefaultAction(Long(2)));
    BSTR text = ::SysAllocString(L"x");
    EXPECT_EQ(S_FALSE, m_pAcc->put_accName(Long(2), text));
    EXPECT_EQ(S_FALSE, m_pAcc->put_accValue(Long(2), text));
    ::SysFreeString(text);
}

// A pane without a parent cannot name one.
TEST_F(AccessibilityTest, AWindowWithoutParentHasNoAccessibleParent)
{
    CZUDPWnd top;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    IAccessible* pAcc = ObjectOf(top);
    ASSERT_NE(nullptr, pAcc);
    IDispatch* pParent = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(E_INVALIDARG, pAcc->get_accParent(&pParent));
    pAcc->Release();
    top.DestroyWindow();
}

// The object answers only while its window lives; with the switch off, or
// for a pane that supports no accessibility, there is no object.
TEST_F(AccessibilityTest, NoObjectWithTheSwitchOffAndNoAnswersAfterTheWindowWent)
{
    g_uiEnvironment.m_accessibility = FALSE;
    EXPECT_EQ(0, m_pane.SendMessage(WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT));
    g_uiEnvironment.m_accessibility = TRUE;

    class CSilentWnd : public CZUDPWnd {
    public:
        BOOL SupportsAccessibility() const override { return FALSE; }
    } silent;
    ASSERT_TRUE(silent.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &m_parent, 8));
    EXPECT_EQ(0, silent.SendMessage(WM_GETOBJECT, 0, (LPARAM)OBJID_CLIENT));
    silent.DestroyWindow();

    m_pane.DestroyWindow();
    BSTR name = nullptr;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, m_pAcc->get_accName(Long(0), &name));
    EXPECT_EQ(nullptr, name);
}

// The look messages set the two drawing switches; the visual-manager style
// can also be taken over from a library dialog or property page.
TEST(ZUDPWndTest, LookMessagesAndInheritedStyle)
{
    CZUDPWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(0, wnd.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE));
    EXPECT_TRUE(wnd.IsVisualManagerStyle());
    wnd.SendMessage(ZUDM_ONSETCONTROLVMMODE, 0);
    EXPECT_FALSE(wnd.IsVisualManagerStyle());
    EXPECT_EQ(0, wnd.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE));
    EXPECT_TRUE(wnd.IsOnGlass());

    CZUDPDialog dialog;
    dialog.SetVisualManagerLook(TRUE);
    wnd.InheritVisualManagerStyle(&dialog);
    EXPECT_FALSE(wnd.IsVisualManagerStyle()) << "a dialog without a window changes nothing";

    CDialog plainDialog;
    ASSERT_TRUE(plainDialog.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    wnd.InheritVisualManagerStyle(&plainDialog);
    wnd.InheritVisualManagerStyle(nullptr);
    EXPECT_FALSE(wnd.IsVisualManagerStyle()) << "neither a library dialog nor a page";

    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    wnd.InheritVisualManagerStyle(&dialog);
    EXPECT_EQ(dialog.IsVisualManagerStyle(), wnd.IsVisualManagerStyle());
    dialog.DestroyWindow();
    plainDialog.DestroyWindow();
    wnd.DestroyWindow();
}
