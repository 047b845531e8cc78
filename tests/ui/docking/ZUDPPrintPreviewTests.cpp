// The library's print preview: its toolbar in the preview's tool area
// (registered with the frame's dock manager, the two-page button taken off,
// the page-count button showing the other count), the page text in the
// library status bar or on the frame's message line, the frame's bars
// hidden and shown by its dock manager, and closing the frame during the
// preview.
#include "framework/win/PreviewView.h"
#include "res/ui/docking.h"
#include "tests/common/FakePrinterWin.h"
#include "tests/common/MessagePumpWin.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPPrintPreviewView.h"
#include "ui/docking/ZUDPStatusBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CThreePagesView : public CView {
public:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(3);
        return DoPreparePrinting(pInfo);
    }
};

// A library frame that counts its full layouts.
class CLayoutCountingFrame : public CZUDPFrameWnd {
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++layouts;
        CZUDPFrameWnd::RecalcLayout(bNotify);
    }
    int layouts = 0;
};

// A library frame with a docked toolbar, a view and, when asked, a library
// status bar with a message pane.
struct LibraryPreviewFrame {
    CLayoutCountingFrame frame;
    CZUDPToolBar* toolbar = new CZUDPToolBar;
    CZUDPStatusBar* status = nullptr;
    CThreePagesView* view = new CThreePagesView;

    explicit LibraryPreviewFrame(bool withStatusBar)
    {
        frame.Create(nullptr, "preview", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480));
        toolbar->CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE820);
        frame.RegisterBar(toolbar);
        if (withStatusBar) {
            status = new CZUDPStatusBar;
            status->CWnd::CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame,
                                   AFX_IDW_STATUS_BAR);
            const UINT ids[] = {0, 0x7001};
            status->SetIndicators(ids, 2);
        }
        view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, AFX_IDW_PANE_FIRST);
        frame.SetActiveView(view, FALSE);
        frame.ShowWindow(SW_SHOWNOACTIVATE);
        frame.RecalcLayout();
    }
    ~LibraryPreviewFrame()
    {
        if (::IsWindow(frame.m_hWnd))
            frame.DestroyWindow();
        delete toolbar;
        delete status;
        delete view;
    }
    CZUDPPrintPreviewView* Preview() const { return dynamic_cast<CZUDPPrintPreviewView*>(frame.GetActiveView()); }
    BOOL StartPreview() { return view->OnFilePrintPreview(RUNTIME_CLASS(CZUDPPrintPreviewView)); }
};

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

} // namespace

class PrintPreviewViewTest : public ::testing::Test {
protected:
    void SetUp() override { trovtest::InitFrameworkForTests(); }
    trovtest::FakePrinter printer;
};

// The preview's toolbar sits in the tool area above the pages, belongs to
// the view, is known to the frame's dock manager and holds the preview's
// commands less the two-page button; the frame's own bars are hidden.
TEST_F(PrintPreviewViewTest, TheToolbarFillsTheToolAreaAboveThePages)
{
    LibraryPreviewFrame f(false);
    ASSERT_TRUE(f.toolbar->IsWindowVisible());
    ASSERT_TRUE(f.StartPreview());
    CZUDPPrintPreviewView* pView = f.Preview();
    ASSERT_NE(nullptr, pView);
    CZUDPPrintPreviewToolBar& bar = pView->m_wndToolBar;
    ASSERT_TRUE(::IsWindow(bar.m_hWnd));
    ASSERT_NE(nullptr, pView->m_pToolBar);
    EXPECT_EQ(pView->m_pToolBar->m_hWnd, ::GetParent(bar.m_hWnd));
    EXPECT_EQ(pView->m_hWnd, bar.GetOwner()->GetSafeHwnd());
    EXPECT_FALSE(bar.IsShownInBarsMenu());
    EXPECT_EQ(&bar, f.frame.GetDockManager()->LocateBarById(AFX_IDW_TOOLBAR));

    EXPECT_LT(bar.FindCommandIndex(ID_ZUDP_PREVIEW_TWO_PAGES), 0);
    for (UINT id : {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV, AFX_ID_PREVIEW_NUMPAGE,
                    AFX_ID_PREVIEW_ZOOMIN, AFX_ID_PREVIEW_ZOOMOUT, AFX_ID_PREVIEW_CLOSE})
        EXPECT_GE(bar.FindCommandIndex(id), 0) << std::hex << id;
    EXPECT_EQ(pView->m_iPagesBtnIndex, bar.FindCommandIndex(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_GE(pView->m_iOnePageImageIndex, 0);
    EXPECT_GE(pView->m_iTwoPageImageIndex, 0);
    EXPECT_NE(pView->m_iOnePageImageIndex, pView->m_iTwoPageImageIndex);
    CZUDPToolbarButton* pClose = bar.GetButtonAt(bar.FindCommandIndex(AFX_ID_PREVIEW_CLOSE));
    CZUDPToolbarButton* pPrint = bar.GetButtonAt(bar.FindCommandIndex(AFX_ID_PREVIEW_PRINT));
    ASSERT_TRUE(pClose != nullptr && pPrint != nullptr);
    EXPECT_TRUE(pClose->showText && !pClose->showImage);
    EXPECT_TRUE(pPrint->showText && pPrint->showImage);

    const CRect rcTool = ChildRect(f.frame, *pView->m_pToolBar);
    const CRect rcView = ChildRect(f.frame, *pView);
    EXPECT_GT(rcTool.Height(), 0);
    EXPECT_EQ(pView->m_nSimpleHeight, rcTool.Height());
    EXPECT_EQ(rcTool.bottom, rcView.top) << "the pages begin below the toolbar";
    EXPECT_TRUE(bar.IsWindowVisible());
    const CRect rcBar = ChildRect(*pView->m_pToolBar, bar);
    EXPECT_EQ(0, rcBar.left);
    EXPECT_EQ(0, rcBar.top);
    EXPECT_EQ(rcTool.Width(), rcBar.Width());
    EXPECT_EQ(rcTool.Height(), rcBar.Height());
    EXPECT_FALSE(f.toolbar->IsWindowVisible()) << "the frame's bars hide";
    EXPECT_EQ(&f.frame, f.frame.m_pPrintPreviewFrame);

    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(f.view, f.frame.GetActiveView());
    EXPECT_TRUE(f.toolbar->IsWindowVisible()) << "and come back";
    EXPECT_EQ(nullptr, f.frame.GetDockManager()->LocateBarById(AFX_IDW_TOOLBAR)) << "the preview's bar left";
    EXPECT_EQ(nullptr, f.frame.m_pPrintPreviewFrame);
}

// The page text goes to the library status bar's message pane, or to the
// frame's message line without one; the pane is cleared when the preview
// begins and ends.
TEST_F(PrintPreviewViewTest, PageTextGoesToTheStatusBarOrTheMessageLine)
{
    {
        LibraryPreviewFrame f(true);
        f.status->SetPaneText(CZUDPStatusBar::kMessagePane, "Ready");
        ASSERT_TRUE(f.StartPreview());
        EXPECT_EQ(f.status, f.Preview()->m_pWndStatusBar);
        EXPECT_STREQ("Page 1", f.status->GetPaneText(CZUDPStatusBar::kMessagePane));
        f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
        EXPECT_STREQ("Pages 1-2", f.status->GetPaneText(CZUDPStatusBar::kMessagePane));
        f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        EXPECT_STREQ("", f.status->GetPaneText(CZUDPStatusBar::kMessagePane));
    }
    {
        // Without a library status bar the frame hears WM_SETMESSAGESTRING.
        class CMessageFrame : public CLayoutCountingFrame {
        public:
            std::vector<std::string> messages;

        protected:
            LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
            {
                if (message == WM_SETMESSAGESTRING && lParam != 0)
                    messages.push_back(reinterpret_cast<const char*>(lParam));
                return CLayoutCountingFrame::WindowProc(message, wParam, lParam);
            }
        };
        CMessageFrame frame;
        frame.Create(nullptr, "preview", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480));
        CThreePagesView view;
        view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, AFX_IDW_PANE_FIRST);
        frame.SetActiveView(&view, FALSE);
        ASSERT_TRUE(view.OnFilePrintPreview(RUNTIME_CLASS(CZUDPPrintPreviewView)));
        frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
        EXPECT_EQ((std::vector<std::string>{"Page 1", "Page 2"}), frame.messages);
        frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        frame.DestroyWindow();
    }
}

// The page-count button offers the other count: two pages while one is
// shown, one while two are.
TEST_F(PrintPreviewViewTest, ThePageCountButtonShowsTheOtherCount)
{
    LibraryPreviewFrame f(false);
    ASSERT_TRUE(f.StartPreview());
    CZUDPPrintPreviewView* pView = f.Preview();
    CZUDPToolBar& bar = pView->m_wndToolBar;
    auto imageAfterUpdate = [&] {
        CCmdUI ui;
        ui.m_nID = AFX_ID_PREVIEW_NUMPAGE;
        pView->OnCmdMsg(AFX_ID_PREVIEW_NUMPAGE, int(CN_UPDATE_COMMAND_UI), &ui, nullptr);
        return bar.GetButtonAt(pView->m_iPagesBtnIndex)->GetActiveImage();
    };
    EXPECT_EQ(pView->m_iTwoPageImageIndex, imageAfterUpdate());
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(pView->m_iOnePageImageIndex, imageAfterUpdate());
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(pView->m_iTwoPageImageIndex, imageAfterUpdate());
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}

// A resize of the pages that keeps the toolbar's size lays nothing out;
// a new frame width does.
TEST_F(PrintPreviewViewTest, OnlyANewToolbarSizeLaysTheFrameOut)
{
    LibraryPreviewFrame f(false);
    ASSERT_TRUE(f.StartPreview());
    CZUDPPrintPreviewView* pView = f.Preview();
    CRect rc;
    pView->GetClientRect(&rc);
    int layouts = f.frame.layouts;
    pView->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
    EXPECT_EQ(layouts, f.frame.layouts);
    f.frame.SetWindowPos(nullptr, 0, 0, 500, 480, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_GT(f.frame.layouts, layouts);
    CRect rcFrame;
    f.frame.GetClientRect(&rcFrame);
    EXPECT_EQ(rcFrame.Width(), pView->m_nSimpleWidth);
    f.frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}

// Closing the frame during the preview ends the preview; the frame stays.
TEST_F(PrintPreviewViewTest, ClosingTheFrameEndsThePreviewFirst)
{
    LibraryPreviewFrame f(false);
    ASSERT_TRUE(f.StartPreview());
    f.frame.SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(f.frame.m_hWnd));
    EXPECT_EQ(f.view, f.frame.GetActiveView());
    EXPECT_EQ(nullptr, ::GetDlgItem(f.frame.m_hWnd, AFX_IDW_PREVIEW_BAR));
    EXPECT_FALSE(f.frame.GetDockManager()->IsPrintPreviewValid());
}
