// The library's edit: its browse button (states, the press, the keys), the
// browse actions of each mode through their seams, the calculator's
// character filter and popup, and its non-client drawing.
#include "ui/controls/ZUDPEdit.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/TempDir.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/controls/ZUDPControlsSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using trovtest::DibCanvas;

namespace {

// An edit that counts its browse actions instead of running them (custom
// mode), or runs them (the other modes).
class CCountingEdit : public CZUDPEdit {
public:
    int browses = 0;
    void OnBrowse() override
    {
        ++browses;
        CZUDPEdit::OnBrowse();
    }
};

// The host hears the edit's text notices.
class CEditNoticeHost : public controltest::CHostWnd {
public:
    std::vector<UINT> notices;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 7 && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_UPDATE))
            notices.push_back(HIWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

// A calculator popup of the test's own: a plain popup window that closes
// on WM_CLOSE as the real one does and tells its edit.
class CFakeCalculatorPopup : public CZUDPPopupMenu {
public:
    CZUDPEdit* owner = nullptr;
    CPoint openedAt = CPoint(-1, -1);
    BOOL closed = FALSE;

    BOOL CreatePopup(CWnd* pWndOwner, int x, int y, HMENU, BOOL, BOOL) override
    {
        openedAt = CPoint(x, y);
        return CWnd::CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "calculator", WS_POPUP, x, y, 120, 150,
                              AfxSafeHwnd(pWndOwner), nullptr);
    }
    // The test keeps and deletes its popups itself, to read them after
    // they closed.
    void PostNcDestroy() override {}

protected:
    void OnClose()
    {
        closed = TRUE;
        CWnd::DestroyWindow();
        owner->OnCalculatorClosed();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFakeCalculatorPopup, CZUDPPopupMenu)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

struct CalculatorOpening {
    double value = -1;
    UINT command = 99;
    std::vector<std::string> extra;
    CFakeCalculatorPopup* popup = nullptr;
};
std::vector<CalculatorOpening> g_openings;

CZUDPPopupMenu* MakeFakeCalculator(double value, UINT command, CZUDPEdit* owner, const CStringList* extra)
{
    CalculatorOpening opening;
    opening.value = value;
    opening.command = command;
    if (extra != nullptr)
        for (POSITION pos = extra->GetHeadPosition(); pos != nullptr;)
            opening.extra.push_back((LPCTSTR)extra->GetNext(pos));
    opening.popup = new CFakeCalculatorPopup;
    opening.popup->owner = owner;
    g_openings.push_back(opening);
    return opening.popup;
}

class ZUDPEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
        m_host.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                    CRect(10, 10, 210, 34), &m_host, 7));
        m_seams.Replace(g_frameworkSeams.messageBox, [this](HWND, const char* text, const char*, UINT type) {
            m_boxes.push_back(text != nullptr ? text : "");
            m_boxTypes.push_back(type);
            return IDOK;
        });
        m_seams.Replace(g_controlsSeams.openFileDialog,
                        [this](CWnd*, LPCTSTR ext, LPCTSTR name, LPCTSTR filter, LPCTSTR folder, CString& path) {
                            m_dialogs.push_back({ext ? ext : "", name ? name : "", filter ? filter : "",
                                                 folder ? folder : ""});
                            path = m_chosen;
                            return m_chosen.IsEmpty() ? FALSE : TRUE;
                        });
        m_seams.Replace(g_controlsSeams.pickFolder, [this](CWnd*, LPCTSTR initial, CString& folder) {
            m_pickedFrom.push_back(initial ? initial : "");
            folder = m_chosen;
            return m_chosen.IsEmpty() ? FALSE : TRUE;
        });
    }
    void TearDown() override
    {
        CZUDPEdit::SetCalculatorPopupFactory(nullptr);
        for (const CalculatorOpening& opening : g_openings) {
            if (opening.popup->GetSafeHwnd() != nullptr)
                opening.popup->CWnd::DestroyWindow();
            delete opening.popup;
        }
        g_openings.clear();
        m_edit.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    // The middle of the browse button, in the edit's client and screen
    // coordinates.
    CPoint ButtonClient() { return m_edit.GetBrowseButtonRect().CenterPoint(); }
    CPoint ButtonScreen()
    {
        CPoint pt = ButtonClient();
        m_edit.ClientToScreen(&pt);
        return pt;
    }
    static LPARAM At(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

    BOOL PreTranslate(UINT message, WPARAM wParam)
    {
        MSG msg = {m_edit.m_hWnd, message, wParam, 0, 0, {0, 0}};
        return m_edit.PreTranslateMessage(&msg);
    }

    struct FileDialogCall {
        std::string ext, name, filter, folder;
    };

    ScopedSeams m_seams;
    std::vector<std::string> m_boxes;
    std::vector<UINT> m_boxTypes;
    std::vector<FileDialogCall> m_dialogs;
    std::vector<std::string> m_pickedFrom;
    CString m_chosen;
    CEditNoticeHost m_host;
    CCountingEdit m_edit;
};

TEST_F(ZUDPEditTest, TheCalculatorLetsOnlyNumbersBeTyped)
{
    struct Case {
        const char* text;
        int caret;
        UINT ch;
        BOOL allowed;
    } cases[] = {
        {"", 0, '5', TRUE},
        {"12", 2, 'a', FALSE},
        {"12", 2, ' ', FALSE},
        {"12", 2, 0xE9, FALSE},   // an accented letter of the code page
        {"12", 2, '.', TRUE},
        {"12", 2, ',', TRUE},
        {"1.5", 3, ',', FALSE},
        {"1,5", 3, '.', FALSE},
        {"1.5", 3, '7', TRUE},
        {"12", 0, '-', TRUE},
        {"12", 2, '-', FALSE},
        {"-12", 0, '-', FALSE},
        {"12", 2, VK_BACK, TRUE},
        {"12", 2, 0x01, TRUE},   // Ctrl+A and the other control characters
    };
    m_edit.SetCalculatorMode();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" + " + std::to_string(c.ch));
        m_edit.SetWindowText(c.text);
        m_edit.SetSel(c.caret, c.caret);
        EXPECT_EQ(c.allowed, m_edit.IsCalculatorChar(c.ch));
        // A rejected character never reaches the edit.
        EXPECT_EQ(!c.allowed, PreTranslate(WM_CHAR, c.ch));
    }
    // Outside calculator mode every character goes through.
    m_edit.EnableBrowseButton(FALSE);
    EXPECT_FALSE(PreTranslate(WM_CHAR, 'a'));
}

TEST_F(ZUDPEditTest, TheBrowseButtonTracksHotPressedAndReleased)
{
    m_edit.EnableBrowseButton(TRUE, "...");
    ASSERT_FALSE(m_edit.GetBrowseButtonRect().IsRectEmpty());
    CRect text;
    m_edit.GetClientRect(&text);
    const CPoint inText = text.CenterPoint();

    // Over the button: hot, with the capture to see the pointer leave.
    m_edit.SendMessage(WM_NCMOUSEMOVE, HTBORDER, At(ButtonScreen()));
    EXPECT_TRUE(m_edit.IsButtonHot());
    EXPECT_EQ(m_edit.m_hWnd, ::GetCapture());
    m_edit.SendMessage(WM_MOUSEMOVE, 0, At(inText));
    EXPECT_FALSE(m_edit.IsButtonHot());
    EXPECT_EQ(nullptr, ::GetCapture());

    struct Case {
        const char* name;
        bool releaseOnButton;
        int browses;
    } cases[] = {{"released on the button", true, 1}, {"released elsewhere", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_edit.browses = 0;
        m_edit.SendMessage(WM_NCMOUSEMOVE, HTBORDER, At(ButtonScreen()));
        m_edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(ButtonClient()));
        EXPECT_TRUE(m_edit.IsButtonPressed());
        EXPECT_TRUE(m_edit.IsButtonTracking());
        EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
        // The pressed look follows the pointer while the button is held.
        m_edit.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(inText));
        EXPECT_FALSE(m_edit.IsButtonPressed());
        EXPECT_TRUE(m_edit.IsButtonTracking());
        m_edit.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(ButtonClient()));
        EXPECT_TRUE(m_edit.IsButtonPressed());
        m_edit.SendMessage(WM_LBUTTONUP, 0, At(c.releaseOnButton ? ButtonClient() : inText));
        EXPECT_EQ(c.browses, m_edit.browses);
        EXPECT_FALSE(m_edit.IsButtonPressed());
        EXPECT_FALSE(m_edit.IsButtonTracking());
        EXPECT_FALSE(m_edit.IsButtonHot());
        EXPECT_EQ(nullptr, ::GetCapture());
    }

    // Cancel mode ends a press without browsing.
    m_edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(ButtonClient()));
    m_edit.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(m_edit.IsButtonTracking());
    EXPECT_EQ(nullptr, ::GetCapture());
}

// Over the button the edit answers a hit code that the default processing
// ignores: a press that comes before any move starts the button's press
// instead of dragging the edit around its window.
TEST_F(ZUDPEditTest, APressWithoutAMoveFirstPressesTheButtonAndMovesNothing)
{
    m_edit.EnableBrowseButton(TRUE, "...");
    const LRESULT hit = m_edit.SendMessage(WM_NCHITTEST, 0, At(ButtonScreen()));
    EXPECT_NE(HTCAPTION, hit);
    EXPECT_NE(HTCLIENT, hit);
    CRect before;
    m_edit.GetWindowRect(&before);
    m_edit.SendMessage(WM_NCLBUTTONDOWN, (WPARAM)hit, At(ButtonScreen()));
    EXPECT_TRUE(m_edit.IsButtonTracking());
    EXPECT_TRUE(m_edit.IsButtonPressed());
    m_edit.SendMessage(WM_LBUTTONUP, 0, At(ButtonClient()));
    EXPECT_EQ(1, m_edit.browses);
    CRect after;
    m_edit.GetWindowRect(&after);
    EXPECT_EQ(before, after);

    // Elsewhere the platform answers as usual.
    CRect client;
    m_edit.GetClientRect(&client);
    CPoint inText = client.CenterPoint();
    m_edit.ClientToScreen(&inText);
    EXPECT_EQ(HTCLIENT, m_edit.SendMessage(WM_NCHITTEST, 0, At(inText)));
}

TEST_F(ZUDPEditTest, AltDownAndAltRightRunTheBrowseAction)
{
    EXPECT_FALSE(PreTranslate(WM_SYSKEYDOWN, VK_DOWN)) << "no browse mode: the key goes on";
    m_edit.EnableBrowseButton(TRUE, "...");
    EXPECT_TRUE(PreTranslate(WM_SYSKEYDOWN, VK_DOWN));
    EXPECT_TRUE(PreTranslate(WM_SYSKEYDOWN, VK_RIGHT));
    EXPECT_FALSE(PreTranslate(WM_SYSKEYDOWN, VK_UP));
    EXPECT_FALSE(PreTranslate(WM_KEYDOWN, VK_DOWN));
    EXPECT_EQ(2, m_edit.browses);
}

TEST_F(ZUDPEditTest, TheButtonTakesItsWidthFromTheClientArea)
{
    CRect plain;
    m_edit.GetClientRect(&plain);
    m_edit.SetFileMode();
    CRect withButton;
    m_edit.GetClientRect(&withButton);
    EXPECT_EQ(plain.Width() - m_edit.GetBrowseButtonWidth(), withButton.Width());
    EXPECT_EQ(std::max(20, 16 + 8), m_edit.GetBrowseButtonWidth());
    EXPECT_EQ(withButton.right, m_edit.GetBrowseButtonRect().left);
    m_edit.EnableBrowseButton(FALSE);
    CRect without;
    m_edit.GetClientRect(&without);
    EXPECT_EQ(plain.Width(), without.Width());
    EXPECT_TRUE(m_edit.GetBrowseButtonRect().IsRectEmpty());
}

// ---------------------------------------------------------------------------
// File and folder modes

TEST_F(ZUDPEditTest, AFileNameWithAWildcardWarnsAndOpensNoDialog)
{
    m_edit.SetFileMode("txt", "Text|*.txt||");
    m_edit.SetWindowText("C:\\data\\report?.txt");
    m_chosen = "C:\\data\\other.txt";
    m_edit.OnBrowse();
    // The balloon cannot show here (the platform answers 0), so the box
    // does, with the name and the warning.
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("C:\\data\\report?.txt\r\nIncorrect filename.", m_boxes[0]);
    EXPECT_TRUE(m_boxTypes[0] & MB_ICONEXCLAMATION);
    EXPECT_TRUE(m_dialogs.empty());
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_STREQ("C:\\data\\report?.txt", text);
}

TEST_F(ZUDPEditTest, TheFileDialogStartsFromTheTextsFolderAndName)
{
    trovtest::TempDir temp;
    struct Case {
        std::string text, folder, name;
    } cases[] = {
        {"C:\\data\\report.txt", "C:\\data", "report.txt"},
        {"report.txt", "", "report.txt"},
        {"\\report.txt", "", "\\report.txt"},   // the only backslash is the first character
        {temp.Path(), temp.Path(), ""},          // an existing folder
        {"", "", ""},
    };
    m_edit.SetFileMode("txt", "Text|*.txt||");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        m_dialogs.clear();
        m_edit.SetWindowText(c.text.c_str());
        m_edit.OnBrowse();
        ASSERT_EQ(1u, m_dialogs.size());
        EXPECT_EQ(c.folder, m_dialogs[0].folder);
        EXPECT_EQ(c.name, m_dialogs[0].name);
        EXPECT_EQ("txt", m_dialogs[0].ext);
        EXPECT_EQ("Text|*.txt||", m_dialogs[0].filter);
    }
}

TEST_F(ZUDPEditTest, ChoosingTheSameFileChangesNothingAndAnotherOneIsAnnounced)
{
    m_edit.SetFileMode();
    m_edit.SetWindowText("C:\\data\\report.txt");
    m_edit.SetModify(FALSE);
    trovtest::PumpPending();
    m_host.notices.clear();

    m_chosen = "C:\\data\\report.txt";
    m_edit.OnBrowse();
    trovtest::PumpPending();
    EXPECT_TRUE(m_host.notices.empty());
    EXPECT_FALSE(m_edit.GetModify());

    m_chosen = "C:\\data\\summary.txt";
    m_edit.OnBrowse();
    trovtest::PumpPending();
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_STREQ("C:\\data\\summary.txt", text);
    EXPECT_TRUE(m_edit.GetModify());
    // The platform's own EN_CHANGE of SetWindowText comes first, then the
    // posted pair.
    ASSERT_GE(m_host.notices.size(), 2u);
    EXPECT_EQ((std::vector<UINT>{EN_CHANGE, EN_UPDATE}),
              std::vector<UINT>(m_host.notices.end() - 2, m_host.notices.end()));
    EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
}

TEST_F(ZUDPEditTest, FolderModeAsksThePickerFromTheText)
{
    m_edit.SetFolderMode();
    m_edit.SetWindowText("C:\\data");
    m_chosen = "";   // cancelled
    m_edit.OnBrowse();
    ASSERT_EQ(1u, m_pickedFrom.size());
    EXPECT_EQ("C:\\data", m_pickedFrom[0]);
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_STREQ("C:\\data", text);

    m_chosen = "C:\\archive";
    m_edit.OnBrowse();
    trovtest::PumpPending();
    m_edit.GetWindowText(text);
    EXPECT_STREQ("C:\\archive", text);
    EXPECT_TRUE(m_edit.GetModify());
    ASSERT_GE(m_host.notices.size(), 2u);
    EXPECT_EQ(EN_UPDATE, m_host.notices.back());
}

// ---------------------------------------------------------------------------
// Calculator

TEST_F(ZUDPEditTest, WithoutACalculatorTheButtonShowsAndTheActionKeepsTheFocus)
{
    m_edit.SetCalculatorMode();
    EXPECT_FALSE(m_edit.GetBrowseButtonRect().IsRectEmpty());
    m_host.SetFocus();
    m_edit.OnBrowse();
    EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
    EXPECT_EQ(nullptr, m_edit.m_pCalcPopup);
}

TEST_F(ZUDPEditTest, TheCalculatorOpensWithTheTextsValueAndTheButtonClosesIt)
{
    CZUDPEdit::SetCalculatorPopupFactory(MakeFakeCalculator);
    CStringList extra;
    extra.AddTail("sqrt");
    m_edit.SetCalculatorMode(&extra);
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"", 0.0}, {"12,5", 12.5}, {"-3.25", -3.25}, {"abc", 0.0}, {"7x", 7.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g_openings.clear();
        m_edit.SetWindowText(c.text);
        m_edit.OnBrowse();
        ASSERT_EQ(1u, g_openings.size());
        EXPECT_DOUBLE_EQ(c.value, g_openings[0].value);
        EXPECT_EQ(0u, g_openings[0].command);
        EXPECT_EQ((std::vector<std::string>{"sqrt"}), g_openings[0].extra);
        CFakeCalculatorPopup* popup = g_openings[0].popup;
        ASSERT_EQ(popup, m_edit.m_pCalcPopup);
        CRect window;
        m_edit.GetWindowRect(&window);
        EXPECT_EQ(CPoint(window.left, window.bottom), popup->openedAt);

        // The button again closes the open calculator.
        m_edit.OnBrowse();
        EXPECT_TRUE(popup->closed);
        EXPECT_EQ(nullptr, m_edit.m_pCalcPopup);
        EXPECT_EQ(1u, g_openings.size());
        delete popup;
        g_openings.clear();
    }
}

// ---------------------------------------------------------------------------
// Drawing

TEST_F(ZUDPEditTest, TheLookBorderComesFromTheManagerExceptWithScrollBars)
{
    uitest::RecordingManagerScope manager;
    struct Case {
        const char* name;
        DWORD style;
        BOOL look;
        bool managerBorder;
    } cases[] = {
        {"plain, no look", WS_BORDER | ES_AUTOHSCROLL, FALSE, false},
        {"plain, look", WS_BORDER | ES_AUTOHSCROLL, TRUE, true},
        {"vertical scroll bar, look", WS_BORDER | ES_MULTILINE | WS_VSCROLL, TRUE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPEdit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | c.style, CRect(10, 50, 210, 90), &m_host, 8));
        edit.SendMessage(ZUDM_ONSETCONTROLVMMODE, c.look);
        edit.SetFolderMode();
        manager->Clear();
        edit.SendMessage(WM_NCPAINT, 1);
        EXPECT_EQ(c.managerBorder, !manager->Of("DrawWindowBorder").empty());
        // The browse button shows in every case.
        auto buttons = manager->Of("DrawEditBrowseButton");
        ASSERT_EQ(1u, buttons.size());
        EXPECT_EQ(0, buttons[0].flags.at(0));
        edit.DestroyWindow();
    }
}

TEST_F(ZUDPEditTest, TheButtonImageMovesWhenPressed)
{
    m_edit.SetCalculatorMode();
    const CRect rect(0, 0, m_edit.GetBrowseButtonWidth(), 26);
    auto imageBounds = [&](BOOL pressed, BOOL hot) {
        DibCanvas canvas(rect.Width(), rect.Height());
        m_edit.DrawBrowseButton(CDC::FromHandle(canvas.Dc()), rect, pressed, hot);
        CRect inside = rect;
        inside.DeflateRect(3, 3);
        return CRect(canvas.BoundsOfOther(inside, g_uiEnvironment.m_colorButtonFace));
    };
    const CRect normal = imageBounds(FALSE, FALSE);
    ASSERT_FALSE(normal.IsRectEmpty()) << "no image was drawn";
    EXPECT_LE(normal.Width(), 16);
    EXPECT_EQ(normal, imageBounds(FALSE, TRUE));
    CRect pressed = imageBounds(TRUE, FALSE);
    pressed.OffsetRect(-1, -1);
    EXPECT_EQ(normal, pressed);
}

} // namespace
