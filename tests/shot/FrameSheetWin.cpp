// The gallery's library frames: a single-document frame with toolbars and
// a caption bar (normal and in message-bar mode), the same frame in
// full-screen mode with its toolbar, and a desktop application bar docked
// at the top and floating.
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPAppBarWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameWnd.h"

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
    const bool bAppBar = ShootAppBars(photograph, pump);
    return bFrame && bAppBar;
}
