// The calculator bar and its popup: keys by message (characters, virtual
// keys, Ctrl through the key-state seam), the layout of the grid with
// extra keys, and the popup an edit in calculator mode opens: "=" writes
// the result into the edit and closes it, Escape closes it.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPCalculator.h"
#include "ui/controls/ZUDPEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

using namespace toolbartest;

MSG KeyMessage(HWND hWnd, UINT message, WPARAM key) { return MSG{hWnd, message, key, 0, 0, {0, 0}}; }

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.Make(CRect(0, 0, 400, 400)));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    std::string Shown(CZUDPCalculator& calc) { return std::string(calc.GetDisplay()->text); }

    ToolbarStateGuard m_guard;
    CHostWnd m_host;
};

TEST_F(CalculatorTest, KeysByCharacterAndVirtualKey)
{
    CZUDPCalculator calc;
    ASSERT_TRUE(calc.CreateControl(&m_host, CRect(10, 10, 250, 260), 500));
    ASSERT_EQ(27, calc.GetCount()) << "display, backspace and 25 keys";
    const HWND hWnd = calc.GetSafeHwnd();
    auto press = [&](UINT message, WPARAM key) {
        MSG msg = KeyMessage(hWnd, message, key);
        return calc.PreTranslateMessage(&msg);
    };
    for (char ch : std::string("12+3"))
        EXPECT_TRUE(press(WM_CHAR, WPARAM(ch))) << ch;
    EXPECT_TRUE(press(WM_KEYDOWN, VK_RETURN));
    EXPECT_EQ("15", Shown(calc));
    EXPECT_TRUE(press(WM_KEYDOWN, VK_F9));
    EXPECT_EQ("-15", Shown(calc));
    EXPECT_TRUE(press(WM_KEYDOWN, VK_DELETE)) << "CE";
    EXPECT_EQ("0", Shown(calc));
    EXPECT_TRUE(press(WM_CHAR, '7'));
    EXPECT_TRUE(press(WM_KEYDOWN, VK_BACK));
    EXPECT_EQ("0", Shown(calc));
    EXPECT_TRUE(press(WM_CHAR, ','));
    EXPECT_TRUE(press(WM_CHAR, '5'));
    EXPECT_EQ("0.5", Shown(calc));
    EXPECT_TRUE(press(WM_CHAR, 'r')) << "1/x";
    EXPECT_EQ("2", Shown(calc));
    EXPECT_FALSE(calc.ProcessKey('q', FALSE)) << "no key of the calculator";
    EXPECT_EQ("2", Shown(calc));
}

TEST_F(CalculatorTest, MemoryKeysNeedCtrlAsTheMessageSawIt)
{
    CZUDPCalculator calc;
    ASSERT_TRUE(calc.CreateControl(&m_host, CRect(10, 10, 250, 260), 500));
    BOOL bCtrl = FALSE;
    ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState,
                                [&bCtrl](int nKey) -> SHORT { return nKey == VK_CONTROL && bCtrl ? SHORT(0x8000) : 0; });
    const HWND hWnd = calc.GetSafeHwnd();
    auto press = [&](UINT message, WPARAM key) {
        MSG msg = KeyMessage(hWnd, message, key);
        return calc.PreTranslateMessage(&msg);
    };
    press(WM_CHAR, '9');
    EXPECT_FALSE(calc.ProcessKey('P', TRUE)) << "M+ without Ctrl";
    EXPECT_FALSE(calc.GetDisplay()->memoryShown);
    bCtrl = TRUE;
    EXPECT_TRUE(press(WM_KEYDOWN, 'P'));
    EXPECT_TRUE(calc.GetDisplay()->memoryShown);
    bCtrl = FALSE;
    press(WM_KEYDOWN, VK_ESCAPE);  // C: a control is no popup
    EXPECT_EQ("0", Shown(calc));
    bCtrl = TRUE;
    EXPECT_TRUE(press(WM_KEYDOWN, 'R'));
    EXPECT_EQ("9", Shown(calc));
    EXPECT_TRUE(press(WM_KEYDOWN, 'L'));
    EXPECT_FALSE(calc.GetDisplay()->memoryShown);
}

TEST_F(CalculatorTest, ExtraKeysMakeMoreRowsAndReportTheirCommand)
{
    class CCommandCalculator : public CZUDPCalculator {
    public:
        std::vector<UINT> commands;
        void OnUserCommand(UINT uiCmd) override { commands.push_back(uiCmd); }
    } calc;
    ASSERT_TRUE(calc.CreateControl(&m_host, CRect(10, 10, 250, 300), 500));
    CStringList extra;
    extra.AddTail("&Tax");
    extra.AddTail("Net");
    extra.AddTail("&Gross");
    calc.SetExtraCommands(extra);
    EXPECT_EQ(30, calc.GetCount());
    EXPECT_EQ(6, calc.rows);
    // The extra keys make a sixth grid row, below the fifth.
    EXPECT_GT(calc.GetButtonAt(27)->Rect().top, calc.GetButtonAt(26)->Rect().top);
    // The backspace key sits at the right end of the display row.
    EXPECT_EQ(calc.GetButtonAt(1)->Rect().top, calc.GetDisplayRect().top);
    EXPECT_GT(calc.GetButtonAt(1)->Rect().left, calc.GetDisplayRect().right);

    MSG msg = KeyMessage(calc.GetSafeHwnd(), WM_CHAR, 'G');
    EXPECT_TRUE(calc.PreTranslateMessage(&msg));
    EXPECT_EQ(std::vector<UINT>{102}, calc.commands);
}

TEST_F(CalculatorTest, KeysDrawThroughTheManagerInTheirColours)
{
    CZUDPCalculator calc;
    ASSERT_TRUE(calc.CreateControl(&m_host, CRect(0, 0, 250, 260), 500));
    uitest::RecordingManagerScope manager;
    trovtest::DibCanvas canvas(250, 260);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    auto* pSeven = calc.GetButtonAt(7);   // "7"
    // "+": straight strokes, so some pixels are in the key's colour exactly
    // whatever the font's smoothing.
    CZUDPToolbarButton* pPlus = nullptr;
    for (int i = 0; i < calc.GetCount() && pPlus == nullptr; i++) {
        if (calc.GetButtonAt(i)->text == "+")
            pPlus = calc.GetButtonAt(i);
    }
    ASSERT_EQ(CString("7"), pSeven->text);
    ASSERT_NE(nullptr, pPlus);
    pSeven->DrawButton(pDC, pSeven->Rect(), nullptr, TRUE, FALSE, TRUE);
    pPlus->DrawButton(pDC, pPlus->Rect(), nullptr);
    const auto keys = manager->Of("DrawCalculatorButton");
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(2, keys[0].flags.at(0)) << "highlighted";
    EXPECT_EQ(0, keys[1].flags.at(0));
    EXPECT_GT(canvas.CountColor(pSeven->Rect(), RGB(0, 0, 255)), 0) << "digits in blue";
    EXPECT_GT(canvas.CountColor(pPlus->Rect(), RGB(255, 0, 0)), 0) << "operations in red";
    calc.GetDisplay()->DrawButton(pDC, calc.GetDisplayRect(), nullptr);
    EXPECT_EQ(1, manager->Count("DrawCalculatorDisplay"));
}

// An edit in calculator mode in a host window.
class CalculatorPopupTest : public CalculatorTest {
protected:
    void SetUp() override
    {
        CalculatorTest::SetUp();
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 32), &m_host, 300));
        m_edit.SetCalculatorMode();
    }
    CZUDPCalculator* Open()
    {
        m_edit.OnBrowse();
        auto* pPopup = dynamic_cast<CZUDPCalculatorPopup*>(m_edit.m_pCalcPopup);
        return pPopup != nullptr ? &pPopup->GetCalculator() : nullptr;
    }
    bool Closed()
    {
        return trovtest::PumpUntil([this] { return m_edit.m_pCalcPopup == nullptr; }, 2000);
    }
    CZUDPEdit m_edit;
};

TEST_F(CalculatorPopupTest, EqualsWritesTheResultAndCloses)
{
    m_edit.SetWindowText("4,5");
    CZUDPCalculator* pCalc = Open();
    ASSERT_NE(nullptr, pCalc);
    EXPECT_EQ("4.5", Shown(*pCalc)) << "the edit's number, \",\" read as \".\"";
    const HWND hWnd = pCalc->GetSafeHwnd();
    for (char ch : std::string("*2")) {
        MSG msg = KeyMessage(hWnd, WM_CHAR, WPARAM(ch));
        EXPECT_TRUE(pCalc->PreTranslateMessage(&msg));
    }
    MSG enter = KeyMessage(hWnd, WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(pCalc->PreTranslateMessage(&enter));
    CString strText;
    m_edit.GetWindowText(strText);
    EXPECT_EQ("9", strText);
    EXPECT_TRUE(Closed());
}

TEST_F(CalculatorPopupTest, EscapeClosesWithoutWriting)
{
    m_edit.SetWindowText("12");
    CZUDPCalculator* pCalc = Open();
    ASSERT_NE(nullptr, pCalc);
    MSG digit = KeyMessage(pCalc->GetSafeHwnd(), WM_CHAR, '7');
    pCalc->PreTranslateMessage(&digit);
    MSG escape = KeyMessage(pCalc->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(pCalc->PreTranslateMessage(&escape));
    EXPECT_TRUE(Closed());
    CString strText;
    m_edit.GetWindowText(strText);
    EXPECT_EQ("12", strText);
}

TEST_F(CalculatorPopupTest, AnErrorWritesNothingAndKeepsThePopup)
{
    m_edit.SetWindowText("5");
    CZUDPCalculator* pCalc = Open();
    ASSERT_NE(nullptr, pCalc);
    for (char ch : std::string("/0")) {
        MSG msg = KeyMessage(pCalc->GetSafeHwnd(), WM_CHAR, WPARAM(ch));
        pCalc->PreTranslateMessage(&msg);
    }
    MSG enter = KeyMessage(pCalc->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN);
    pCalc->PreTranslateMessage(&enter);
    EXPECT_EQ("Error", Shown(*pCalc));
    EXPECT_FALSE(Closed());
    CString strText;
    m_edit.GetWindowText(strText);
    EXPECT_EQ("5", strText);
    MSG escape = KeyMessage(pCalc->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE);
    pCalc->PreTranslateMessage(&escape);
    EXPECT_TRUE(Closed());
}

// A popup's bar is no horizontal toolbar: the keys must still read
// upright, each label centred on its key.
TEST_F(CalculatorPopupTest, KeyLabelsInThePopupAreUprightAndCentred)
{
    m_edit.SetWindowText("12");
    CZUDPCalculator* pCalc = Open();
    ASSERT_NE(nullptr, pCalc);
    CRect rectClient;
    pCalc->GetClientRect(&rectClient);
    trovtest::DibCanvas canvas(rectClient.Width(), rectClient.Height());
    pCalc->SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    struct Case {
        const char* label;
        COLORREF colour;
    } cases[] = {{"7", RGB(0, 0, 255)}, {"MC", RGB(255, 0, 0)}, {"CE", RGB(255, 0, 0)}};
    for (const Case& c : cases) {
        const CZUDPToolbarButton* pKey = nullptr;
        for (int i = 0; i < pCalc->GetCount() && pKey == nullptr; i++) {
            if (pCalc->GetButtonAt(i)->text == c.label)
                pKey = pCalc->GetButtonAt(i);
        }
        ASSERT_NE(nullptr, pKey) << c.label;
        const CRect rectKey = pKey->Rect();
        CRect bounds(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = rectKey.top; y < rectKey.bottom; y++) {
            for (int x = rectKey.left; x < rectKey.right; x++) {
                if (canvas.Pixel(x, y) == c.colour) {
                    bounds.left = std::min<LONG>(bounds.left, x);
                    bounds.top = std::min<LONG>(bounds.top, y);
                    bounds.right = std::max<LONG>(bounds.right, x + 1);
                    bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
                }
            }
        }
        ASSERT_LT(bounds.left, bounds.right) << c.label << ": no label";
        EXPECT_NEAR(rectKey.CenterPoint().x, bounds.CenterPoint().x, 3) << c.label;
        EXPECT_NEAR(rectKey.CenterPoint().y, bounds.CenterPoint().y, 3) << c.label;
        if (std::string(c.label).size() == 2) {
            EXPECT_GT(bounds.Width(), bounds.Height()) << c.label << ": two letters side by side";
        }
    }
    m_edit.m_pCalcPopup->SendMessage(WM_CLOSE);
    EXPECT_TRUE(Closed());
}

} // namespace
