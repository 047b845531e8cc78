// The gallery's library frames: a single-document frame with toolbars and
// a caption bar (normal and in message-bar mode), the same frame in
// full-screen mode with its toolbar, the frame showing a print preview
// with its toolbar (one page and two), and a desktop application bar
// docked at the top and floating.
#include "framework/win/DC.h"
#include "framework/win/PreviewView.h"
#include "tests/common/FakePrinterWin.h"
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPAppBarWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPPrintPreviewView.h"

#include <memory>
#include <vector>

namespace {

bool ShootCaptionBarFrame(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Machines - TROVconf", CRect(40, 40, 600, 380)))
        return false;
    static const LPCTSTR kCaptions[] = {"Open", "Save", nullptr, "Cut", "Copy", "Paste"};
    std::vector<std::unique_ptr<CZUDPToolBar>> bars;
    const char* names[] = {"Standard", "Machines"};
    for (int i = 0; i < 2; ++i) {
        bars.push_back(std::make_unique<CZUDPToolBar>());
        const std::vector<LPCTSTR> captions(kCaptions, kCaptions + (i == 0 ? 6 : 4));
        if (!MakeGalleryToolBar(*bars.back(), frame, UINT(81 + i), names[i], captions))
            return false;
        frame.DockBarAtSite(bars.back().get(), AFX_IDW_DOCKBAR_TOP, nullptr);
    }
    CZUDPCaptionBar captionBar;
    if (!captionBar.Create(WS_VISIBLE | CBRS_TOP, &frame, 0xE805))
        return false;
    captionBar.SetIcon(::LoadIcon(nullptr, IDI_INFORMATION));
    captionBar.SetText("");
    captionBar.AppendTextPart("3 machines ", CZUDPCaptionBar::kPartBold);
    captionBar.AppendTextPart("did not answer the last broadcast. ", CZUDPCaptionBar::kPartPlain);
    captionBar.AppendTextPart("Show them", CZUDPCaptionBar::kPartHyperlink);
    captionBar.SetButton("Broadcast again", 0x8401, CZUDPCaptionBar::kAlignRight, TRUE);
    frame.RegisterBar(&captionBar);
    frame.RecalcLayout();
    pump(300);
    photograph("frame-sdi-caption-bar", frame.m_hWnd);

    captionBar.SetMessageBarMode(TRUE);
    captionBar.SetButton("Details", 0x8402, CZUDPCaptionBar::kAlignLeft, FALSE);
    frame.RecalcLayout();
    pump(300);
    photograph("frame-sdi-message-bar", frame.m_hWnd);

    CZUDPFullScreenImpl& full = frame.GetFrameImpl().m_FullScreen;
    if (!full.EnterFullScreen(&frame))
        return false;
    pump(400);
    photograph("frame-full-screen", frame.m_hWnd);
    if (full.GetToolbar() != nullptr)
        photograph("frame-full-screen-toolbar", full.GetToolbar()->m_hWnd);
    full.LeaveFullScreen(&frame);
    pump(100);
    frame.DestroyWindow();
    return true;
}

// A view whose pages are a machine report: a heading, a table of machines
// with a frame around it, and the page number at the foot.
class CGalleryReportView : public CView {
public:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(3);
        return DoPreparePrinting(pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        const CRect page = pInfo->m_rectDraw;
        const int margin = page.Width() / 12;
        const int line = page.Height() / 40;
        HFONT hHeading = ::CreateFontA(-line * 2, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HFONT hText = ::CreateFontA(-line * 3 / 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ old = ::SelectObject(pDC->m_hDC, hHeading);
        ::SetBkMode(pDC->m_hDC, TRANSPARENT);
        ::TextOutA(pDC->m_hDC, page.left + margin, page.top + margin, "Machine report", 14);
        ::SelectObject(pDC->m_hDC, hText);
        const int top = page.top + margin + line * 3;
        const int rows = 14;
        CRect table(page.left + margin, top, page.right - margin, top + rows * line);
        pDC->FillSolidRect(CRect(table.left, table.top, table.right, table.top + line), RGB(210, 220, 240));
        ::FrameRect(pDC->m_hDC, &table, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        static const char* kColumns[] = {"Machine", "Address", "Firmware", "State"};
        for (int c = 0; c < 4; ++c)
            ::TextOutA(pDC->m_hDC, table.left + c * table.Width() / 4 + line / 2, table.top + line / 8, kColumns[c],
                       (int)strlen(kColumns[c]));
        for (int r = 1; r < rows; ++r) {
            char text[64];
            const int n = int(pInfo->m_nCurPage - 1) * (rows - 1) + r;
            wsprintfA(text, "Press %02d", n);
            ::TextOutA(pDC->m_hDC, table.left + line / 2, table.top + r * line + line / 8, text, lstrlenA(text));
            wsprintfA(text, "127.0.0.%d", 10 + n);
            ::TextOutA(pDC->m_hDC, table.left + table.Width() / 4 + line / 2, table.top + r * line + line / 8, text,
                       lstrlenA(text));
            ::TextOutA(pDC->m_hDC, table.left + table.Width() / 2 + line / 2, table.top + r * line + line / 8,
                       "4.2.1", 5);
            const char* state = n % 5 == 0 ? "No answer" : "Running";
            ::TextOutA(pDC->m_hDC, table.left + table.Width() * 3 / 4 + line / 2, table.top + r * line + line / 8,
                       state, lstrlenA(state));
        }
        char foot[32];
        wsprintfA(foot, "Page %u of 3", pInfo->m_nCurPage);
        ::TextOutA(pDC->m_hDC, page.left + margin, page.bottom - margin, foot, lstrlenA(foot));
        ::SelectObject(pDC->m_hDC, old);
        ::DeleteObject(hHeading);
        ::DeleteObject(hText);
    }
};

bool ShootPrintPreview(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    trovtest::FakePrinter printer;
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Machines - TROVconf", CRect(40, 40, 680, 520)))
        return false;
    CZUDPToolBar bar;
    static const LPCTSTR kCaptions[] = {"Open", "Save", nullptr, "Print"};
    if (!MakeGalleryToolBar(bar, frame, 81, "Standard", std::vector<LPCTSTR>(kCaptions, kCaptions + 4)))
        return false;
    frame.DockBarAtSite(&bar, AFX_IDW_DOCKBAR_TOP, nullptr);
    CGalleryReportView view;
    if (!view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, AFX_IDW_PANE_FIRST))
        return false;
    frame.SetActiveView(&view, FALSE);
    frame.RecalcLayout();
    if (!view.OnFilePrintPreview(RUNTIME_CLASS(CZUDPPrintPreviewView)))
        return false;
    pump(300);
    photograph("frame-print-preview", frame.m_hWnd);
    frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    pump(300);
    photograph("frame-print-preview-two-pages", frame.m_hWnd);
    frame.SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    pump(100);
    frame.DestroyWindow();
    return true;
}

bool ShootAppBars(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPAppBarWnd bar;
    if (!bar.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                            (HBRUSH)(COLOR_BTNFACE + 1)),
                      "Side bar", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 300, 300, 260, 180, nullptr, nullptr))
        return false;
    bar.SetNoSlideAnimation(TRUE);
    bar.SetFloatRect(CRect(300, 300, 560, 480));
    if (!bar.DockTo(CZUDPAppBarWnd::kSideTop))
        return false;
    pump(300);
    photograph("appbar-docked-top", bar.m_hWnd);
    bar.Float();
    pump(300);
    photograph("appbar-floating", bar.m_hWnd);
    bar.DestroyWindow();
    return true;
}

} // namespace

bool ShootFrameSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    const bool bFrame = ShootCaptionBarFrame(photograph, pump);
    const bool bPreview = ShootPrintPreview(photograph, pump);
    const bool bAppBar = ShootAppBars(photograph, pump);
    return bFrame && bPreview && bAppBar;
}
