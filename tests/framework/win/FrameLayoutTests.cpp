// Frames lay out their bars and view, show command prompts in their status
// bar, and child windows are made from dialog templates with their
// dialog-init data; window moves gather in batches.
#include "framework/win/DeferWindowPos.h"
#include "framework/win/Dialog.h"
#include "framework/win/FrameWnd.h"
#include "tests/common/DialogTemplateWin.h"
#include "tests/framework/win/TestResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A bar that takes a band of its thickness at the top of what is free.
class CTopBandBar : public CWnd {
public:
    int m_nThickness = 20;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_SIZEPARENT)
            return CWnd::WindowProc(message, wParam, lParam);
        AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nThickness);
        pLayout->rect.top += m_nThickness;
        pLayout->sizeTotal.cy += m_nThickness;
        if (pLayout->hDWP != nullptr)
            pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                             rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
};

class CCountingFrame : public CFrameWnd {
public:
    int m_nNotified = 0;

protected:
    void OnRecalcLayoutNotify() override { ++m_nNotified; }
    void RepositionChildren() override
    {
        // A layout asked for while one runs is dropped (or this would
        // never end).
        RecalcLayout(TRUE);
        CFrameWnd::RepositionChildren();
    }
};

CRect ChildRect(const CWnd& child, const CWnd& parent)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

} // namespace

TEST(FrameLayoutTest, BarsTakeTheirShareAndTheViewGetsTheRest)
{
    CCountingFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CTopBandBar bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 0xE800));
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame,
                              AFX_IDW_PANE_FIRST));
    CRect rectClient;
    frame.GetClientRect(&rectClient);

    frame.m_nNotified = 0;
    frame.RecalcLayout(TRUE);
    EXPECT_EQ(CRect(0, 0, rectClient.right, 20), ChildRect(bar, frame));
    EXPECT_EQ(CRect(0, 20, rectClient.right, rectClient.bottom), ChildRect(view, frame));
    EXPECT_EQ(1, frame.m_nNotified);
    frame.RecalcLayout(FALSE);
    EXPECT_EQ(1, frame.m_nNotified) << "no notification asked";

    // The view keeps the frame's borders free; a new size lays out again.
    frame.m_rectBorder = CRect(5, 6, 7, 8);
    bar.m_nThickness = 30;
    frame.SetWindowPos(nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame.GetClientRect(&rectClient);
    EXPECT_EQ(CRect(5, 36, rectClient.right - 7, rectClient.bottom - 8), ChildRect(view, frame));

    // A query measures without moving anything.
    bar.m_nThickness = 50;
    CRect rectFree;
    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectFree);
    EXPECT_EQ(CRect(0, 50, rectClient.right, rectClient.bottom), rectFree);
    EXPECT_EQ(30, ChildRect(bar, frame).Height());
    frame.DestroyWindow();
}

// The status bar shows a command's prompt: its string up to the first
// line break, or a text given as it is; the answer is the id shown before.
TEST(FrameLayoutTest, MessageStringsGoToTheStatusBar)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CString prompt;
    frame.GetMessageString(IDS_TEST_PROMPT, prompt);
    EXPECT_STREQ("Saves the document", prompt);
    frame.GetMessageString(IDS_TEST_TEXT, prompt);
    EXPECT_STREQ("Loaded from the string table", prompt);
    frame.GetMessageString(12345, prompt);
    EXPECT_STREQ("", prompt);

    CWnd statusBar;
    ASSERT_TRUE(statusBar.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 100, 20), &frame, AFX_IDW_STATUS_BAR));
    EXPECT_EQ(0, frame.SendMessage(WM_SETMESSAGESTRING, IDS_TEST_PROMPT));
    CString text;
    statusBar.GetWindowText(text);
    EXPECT_STREQ("Saves the document", text);
    EXPECT_EQ(LRESULT(IDS_TEST_PROMPT), frame.SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM) "Ready"));
    statusBar.GetWindowText(text);
    EXPECT_STREQ("Ready", text);
    frame.DestroyWindow();
}

namespace {

// One dialog-init record.
void AppendRecord(std::vector<BYTE>& data, WORD nID, WORD nMessage, const std::string& text, int nLengthDelta = 0)
{
    const DWORD dwLength = DWORD(int(text.size()) + 1 + nLengthDelta);
    data.push_back(BYTE(nID));
    data.push_back(BYTE(nID >> 8));
    data.push_back(BYTE(nMessage));
    data.push_back(BYTE(nMessage >> 8));
    for (int i = 0; i < 4; ++i)
        data.push_back(BYTE(dwLength >> (8 * i)));
    data.insert(data.end(), text.begin(), text.end());
    data.push_back(0);
}

} // namespace

// A child window made from a template in memory, and the dialog-init data
// that fills its list and combo boxes: the old and the current message
// codes; damaged data is refused within the size given.
TEST(DialogTemplateChildTest, ChildFromATemplateTakesItsDialogInitData)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    trovtest::DialogTemplate dlg(DS_CONTROL | WS_CHILD, 150, 60);
    dlg.AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 2, 2, 80, 60, 101);
    dlg.AddControl("LISTBOX", "", WS_VSCROLL, 2, 20, 80, 30, 102);
    CWnd child;
    ASSERT_TRUE(child.CreateDlgIndirect(dlg.Get(), &host, nullptr));
    EXPECT_EQ(host.m_hWnd, ::GetParent(child.m_hWnd));
    EXPECT_EQ(&child, CWnd::FromHandlePermanent(child.m_hWnd));
    EXPECT_FALSE(child.CreateDlgIndirect(dlg.Get(), &host, nullptr)) << "one window per object";

    std::vector<BYTE> data;
    AppendRecord(data, 101, 0x0403, "Old combo code");
    AppendRecord(data, 101, CB_ADDSTRING, "New combo code");
    AppendRecord(data, 102, 0x0401, "Old list code");
    AppendRecord(data, 102, 0x7777, "Unknown message, skipped");
    data.push_back(0);
    data.push_back(0);
    EXPECT_TRUE(child.ExecuteDlgInit(data.data(), DWORD(data.size())));
    EXPECT_EQ(2, child.SendDlgItemMessage(101, CB_GETCOUNT));
    EXPECT_EQ(1, child.SendDlgItemMessage(102, LB_GETCOUNT));

    struct Bad {
        const char* name;
        std::vector<BYTE> data;
    };
    std::vector<Bad> bads;
    {
        std::vector<BYTE> d;
        AppendRecord(d, 101, CB_ADDSTRING, "no end marker");
        bads.push_back({"no terminating zero", d});
    }
    {
        std::vector<BYTE> d;
        AppendRecord(d, 101, CB_ADDSTRING, "length past the end", 50);
        d.push_back(0);
        d.push_back(0);
        bads.push_back({"a length beyond the data", d});
    }
    {
        std::vector<BYTE> d;
        AppendRecord(d, 101, CB_ADDSTRING, "text", -1);   // the zero falls outside
        d.push_back(0);
        d.push_back(0);
        d.push_back(0);
        bads.push_back({"a text without its zero", d});
    }
    bads.push_back({"a header cut short", {101, 0, 0x43, 1}});
    for (const Bad& bad : bads)
        EXPECT_FALSE(child.ExecuteDlgInit(const_cast<BYTE*>(bad.data.data()), DWORD(bad.data.size()))) << bad.name;

    // A record for a control the template does not have is passed over.
    std::vector<BYTE> stale;
    AppendRecord(stale, 999, CB_ADDSTRING, "no such control");
    stale.push_back(0);
    stale.push_back(0);
    EXPECT_TRUE(child.ExecuteDlgInit(stale.data(), DWORD(stale.size())));
    EXPECT_TRUE(child.ExecuteDlgInit(nullptr, 0));
    EXPECT_TRUE(child.ExecuteDlgInit(MAKEINTRESOURCEA(4321))) << "a template without dialog-init data";

    // Keyboard input for the child goes through the dialog manager; other
    // messages do not.
    MSG msg = {};
    msg.hwnd = child.GetDlgItem(102)->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_DOWN;
    EXPECT_TRUE(child.PreTranslateInput(&msg));
    msg.message = WM_TIMER;
    EXPECT_FALSE(child.PreTranslateInput(&msg));
    host.DestroyWindow();
}

// Moves in a batch appear together when it ends; a failed batch moves at
// once.
TEST(DeferWindowPosTest, MovesAppearWhenTheBatchEnds)
{
    CWnd host, first, second;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(first.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &host, 1));
    ASSERT_TRUE(second.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &host, 2));
    {
        CDeferWindowPos batch(2);
        ASSERT_NE(nullptr, batch.GetHandle());
        EXPECT_TRUE(batch.Defer(first.m_hWnd, nullptr, 20, 30, 40, 50, SWP_NOZORDER));
        EXPECT_TRUE(batch.Defer(second.m_hWnd, nullptr, 60, 70, 10, 10, SWP_NOZORDER));
        EXPECT_EQ(CRect(0, 0, 10, 10), ChildRect(first, host));
    }
    EXPECT_EQ(CRect(20, 30, 60, 80), ChildRect(first, host));
    EXPECT_EQ(CRect(60, 70, 70, 80), ChildRect(second, host));

    CDeferWindowPos ended;
    EXPECT_TRUE(ended.End());
    EXPECT_EQ(nullptr, ended.GetHandle());
    EXPECT_TRUE(ended.Defer(first.m_hWnd, nullptr, 1, 2, 3, 4, SWP_NOZORDER)) << "made at once";
    EXPECT_EQ(CRect(1, 2, 4, 6), ChildRect(first, host));
    host.DestroyWindow();
}
