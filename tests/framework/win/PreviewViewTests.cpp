// Print preview: a frame puts its menu, accelerators, bars and view aside
// for the preview view and gets them back when it closes; the pages come
// from the printing view on a DC mapped to the page; the page commands stay
// inside the job's range; without a printer nothing changes.
#include "framework/win/DC.h"
#include "framework/win/PreviewView.h"
#include "tests/common/FakePrinterWin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A view that prints a given number of pages: each page is filled with its
// own colour; the job's calls are recorded.
class CPagesView : public CView {
public:
    UINT pages = 3;
    UINT previewPages = 1;
    CString pageDesc;
    std::vector<std::string> calls;
    std::vector<UINT> printed;
    CRect lastDraw;

    static COLORREF PageColor(UINT nPage) { return nPage == 1 ? RGB(255, 0, 0) : nPage == 2 ? RGB(0, 160, 0) : RGB(0, 0, 255); }

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(pages);
        pInfo->m_nNumPreviewPages = previewPages;
        if (!pageDesc.IsEmpty())
            pInfo->m_strPageDesc = pageDesc;
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo* pInfo) override
    {
        calls.push_back(pInfo->m_bPreview ? "begin preview" : "begin");
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { calls.push_back("end"); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        printed.push_back(pInfo->m_nCurPage);
        lastDraw = pInfo->m_rectDraw;
        pDC->FillSolidRect(&pInfo->m_rectDraw, PageColor(pInfo->m_nCurPage));
    }
};

// A frame with a menu, accelerators, a status line (id 0xE801, where the
// frame's messages go), a toolbar-like bar and a view.
struct PreviewFrame {
    CFrameWnd frame;
    CWnd bar;
    CWnd status;
    CPagesView* view = new CPagesView;
    HMENU hMenu = nullptr;
    HACCEL hAccel = nullptr;

    PreviewFrame()
    {
        frame.Create(nullptr, "preview", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400));
        hMenu = ::CreateMenu();
        ::AppendMenuA(hMenu, MF_STRING, 100, "&File");
        ::SetMenu(frame.m_hWnd, hMenu);
        ACCEL accel = {FVIRTKEY | FCONTROL, 'P', 100};
        hAccel = ::CreateAcceleratorTableA(&accel, 1);
        frame.m_hAccelTable = hAccel;
        bar.Create("Static", "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &frame, AFX_IDW_TOOLBAR);
        status.Create("Static", "", WS_CHILD | WS_VISIBLE, CRect(0, 380, 100, 400), &frame, AFX_IDW_STATUS_BAR);
        view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 20, 600, 380), &frame, AFX_IDW_PANE_FIRST);
        frame.SetActiveView(view, FALSE);
        frame.ShowWindow(SW_SHOWNOACTIVATE);
    }
    ~PreviewFrame()
    {
        frame.DestroyWindow();
        delete view;
        ::DestroyAcceleratorTable(hAccel);
    }
    CPreviewView* Preview() const { return dynamic_cast<CPreviewView*>(frame.GetActiveView()); }
    std::string StatusText() const
    {
        CString text;
        status.GetWindowText(text);
        return std::string(text);
    }
};

} // namespace

TEST(PreviewViewTest, WithoutAPrinterTheUserIsToldOnceAndNothingChanges)
{
    trovtest::FakePrinter printer;
    printer.noPrinter = true;
    PreviewFrame f;
    EXPECT_FALSE(f.view->OnFilePrintPreview());
    EXPECT_EQ(1, printer.messageBoxes);
    EXPECT_EQ(f.hMenu, ::GetMenu(f.frame.m_hWnd));
    EXPECT_EQ(f.hAccel, f.frame.m_hAccelTable);
    EXPECT_TRUE(f.bar.IsWindowVisible());
    EXPECT_EQ(f.view->m_hWnd, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(nullptr, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ(f.view, f.frame.GetActiveView());
    EXPECT_TRUE(f.view->calls.empty()) << "no job began";
}

TEST(PreviewViewTest, TheFrameIsPutAsideForThePreviewAndGivenBackOnClose)
{
    trovtest::FakePrinter printer;
    PreviewFrame f;
    ASSERT_TRUE(f.view->OnFilePrintPreview());
    CPreviewView* pPreview = f.Preview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(pPreview->m_hWnd, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(f.view->m_hWnd, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PANE_SAVE));
    EXPECT_FALSE(f.view->IsWindowVisible());
    EXPECT_FALSE(f.bar.IsWindowVisible());
    EXPECT_EQ(nullptr, ::GetMenu(f.frame.m_hWnd));
    EXPECT_EQ(nullptr, f.frame.m_hAccelTable);
    EXPECT_NE(nullptr, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ((std::vector<std::string>{"begin preview"}), f.view->calls);

    // The close command reaches the preview through the frame.
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(f.view, f.frame.GetActiveView());
    EXPECT_EQ(f.view->m_hWnd, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(f.view->IsWindowVisible());
    EXPECT_TRUE(f.bar.IsWindowVisible());
    EXPECT_EQ(f.hMenu, ::GetMenu(f.frame.m_hWnd));
    EXPECT_EQ(f.hAccel, f.frame.m_hAccelTable);
    EXPECT_EQ(nullptr, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ((std::vector<std::string>{"begin preview", "end"}), f.view->calls);
    EXPECT_EQ(std::vector<std::string>{"printer"}, printer.calls) << "a preview prints nothing";
}

// A bar that was hidden before the preview stays hidden after it.
TEST(PreviewViewTest, OnlyBarsThatWereShownComeBack)
{
    trovtest::FakePrinter printer;
    PreviewFrame f;
    f.bar.ShowWindow(SW_HIDE);
    ASSERT_TRUE(f.view->OnFilePrintPreview());
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_FALSE(f.bar.IsWindowVisible());
    EXPECT_TRUE(f.status.IsWindowVisible());
}

// Next, previous and the page count keep the pages shown inside the job,
// and each change shows its page text on the frame's message line.
TEST(PreviewViewTest, PageCommandsStayInsideTheJob)
{
    trovtest::FakePrinter printer;
    PreviewFrame f;
    ASSERT_TRUE(f.view->OnFilePrintPreview());
    CPreviewView* pPreview = f.Preview();
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ("Page 1", f.StatusText());
    struct Step {
        UINT command;
        UINT current;
        UINT shown;
        const char* text;
    } steps[] = {
        {AFX_ID_PREVIEW_PREV, 1, 1, "Page 1"},       {AFX_ID_PREVIEW_NEXT, 2, 1, "Page 2"},
        {AFX_ID_PREVIEW_NEXT, 3, 1, "Page 3"},       {AFX_ID_PREVIEW_NEXT, 3, 1, "Page 3"},
        {AFX_ID_PREVIEW_NUMPAGE, 2, 2, "Pages 2-3"}, {AFX_ID_PREVIEW_NEXT, 2, 2, "Pages 2-3"},
        {AFX_ID_PREVIEW_PREV, 1, 2, "Pages 1-2"},    {AFX_ID_PREVIEW_ZOOMIN, 1, 1, "Page 1"},
        {AFX_ID_PREVIEW_ZOOMIN, 1, 1, "Page 1"},     {AFX_ID_PREVIEW_ZOOMOUT, 1, 1, "Page 1"},
        {AFX_ID_PREVIEW_ZOOMOUT, 1, 2, "Pages 1-2"}, {AFX_ID_PREVIEW_ZOOMOUT, 1, 2, "Pages 1-2"},
        {AFX_ID_PREVIEW_NUMPAGE, 1, 1, "Page 1"},
    };
    for (const Step& step : steps) {
        f.frame.SendMessage(WM_COMMAND, step.command);
        EXPECT_EQ(step.current, pPreview->GetCurrentPage()) << std::hex << step.command;
        EXPECT_EQ(step.shown, pPreview->GetPagesShown()) << std::hex << step.command;
        EXPECT_EQ(step.text, f.StatusText()) << std::hex << step.command;
    }
    // At the first page only the way forward is open.
    struct Update {
        UINT id;
        BOOL enabled;
    } updates[] = {{AFX_ID_PREVIEW_PREV, FALSE}, {AFX_ID_PREVIEW_NEXT, TRUE}, {AFX_ID_PREVIEW_ZOOMOUT, FALSE},
                   {AFX_ID_PREVIEW_ZOOMIN, TRUE}, {AFX_ID_PREVIEW_NUMPAGE, TRUE}};
    class CEnableUI : public CCmdUI {
    public:
        BOOL enabled = -1;
        void Enable(BOOL bOn) override { enabled = bOn; }
    };
    for (const Update& u : updates) {
        CEnableUI ui;
        ui.m_nID = u.id;
        EXPECT_TRUE(f.frame.OnCmdMsg(u.id, int(CN_UPDATE_COMMAND_UI), &ui, nullptr)) << std::hex << u.id;
        EXPECT_EQ(u.enabled, ui.enabled) << std::hex << u.id;
    }
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}

// A one-page job never shows two pages; a description without a line feed
// has no text for two pages.
TEST(PreviewViewTest, OnePageJobsAndShortDescriptions)
{
    trovtest::FakePrinter printer;
    {
        PreviewFrame f;
        f.view->pages = 1;
        f.view->previewPages = 2;
        ASSERT_TRUE(f.view->OnFilePrintPreview());
        EXPECT_EQ(1u, f.Preview()->GetPagesShown());
        f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
        EXPECT_EQ(1u, f.Preview()->GetPagesShown());
        f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    }
    {
        PreviewFrame f;
        f.view->pageDesc = "Sheet %u";
        f.status.SetWindowText("before");
        ASSERT_TRUE(f.view->OnFilePrintPreview());
        EXPECT_EQ("Sheet 1", f.StatusText());
        f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
        EXPECT_EQ(2u, f.Preview()->GetPagesShown());
        EXPECT_EQ("Sheet 1", f.StatusText()) << "nothing shown for two pages";
        f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    }
}

// Each page shown is the printing view's page, drawn into the page's
// rectangle in the printer's units.
TEST(PreviewViewTest, PagesAreDrawnByThePrintingView)
{
    trovtest::FakePrinter printer;
    PreviewFrame f;
    f.view->previewPages = 2;
    ASSERT_TRUE(f.view->OnFilePrintPreview());
    CPreviewView* pPreview = f.Preview();
    ASSERT_EQ(2u, pPreview->GetPagesShown());
    CRect rcClient;
    pPreview->GetClientRect(&rcClient);
    const CRect rc0 = pPreview->GetPageRect(0);
    const CRect rc1 = pPreview->GetPageRect(1);
    ASSERT_FALSE(rc0.IsRectEmpty());
    ASSERT_FALSE(rc1.IsRectEmpty());
    EXPECT_LE(rc0.right, rc1.left);
    EXPECT_TRUE(rc1.right <= rcClient.right && rc1.bottom <= rcClient.bottom) << "inside the window";

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = rcClient.Width();
    bmi.bmiHeader.biHeight = -rcClient.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(dc.m_hDC, hBitmap);
    dc.FillSolidRect(&rcClient, RGB(1, 2, 3));
    f.view->printed.clear();
    pPreview->OnDraw(&dc);
    EXPECT_EQ(CPagesView::PageColor(1), ::GetPixel(dc.m_hDC, (rc0.left + rc0.right) / 2, (rc0.top + rc0.bottom) / 2));
    EXPECT_EQ(CPagesView::PageColor(2), ::GetPixel(dc.m_hDC, (rc1.left + rc1.right) / 2, (rc1.top + rc1.bottom) / 2));
    EXPECT_EQ(CPagesView::PageColor(1), ::GetPixel(dc.m_hDC, rc0.left + 1, rc0.top + 1)) << "the page's corner is drawn";
    EXPECT_EQ(RGB(1, 2, 3), ::GetPixel(dc.m_hDC, rc0.left / 2, rc0.top / 2)) << "nothing outside the pages";
    EXPECT_EQ((std::vector<UINT>{1, 2}), f.view->printed);
    const HDC hScreen = ::GetDC(nullptr);
    EXPECT_EQ(CRect(0, 0, ::GetDeviceCaps(hScreen, HORZRES), ::GetDeviceCaps(hScreen, VERTRES)), f.view->lastDraw);
    ::ReleaseDC(nullptr, hScreen);
    ::SelectObject(dc.m_hDC, old);
    ::DeleteDC(dc.Detach());
    ::DeleteObject(hBitmap);
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}
