// What the gallery's docking and pane sheets share: a library frame with a
// dock bar on each side, and real toolbars whose buttons show images of a
// small strip drawn here with their captions.
#include "tests/shot/GalleryDockFrame.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameWnd.h"

namespace {

const int kGalleryImageCount = 8;
int g_galleryFirstImage = -1;

// Eight 16 by 15 images (a square, a circle and a bar in a few colours) on
// the library's transparent colour, appended once to the shared strip.
int GalleryFirstImage()
{
    if (g_galleryFirstImage >= 0)
        return g_galleryFirstImage;
    const CSize sizeImage = CZUDPToolBar::GetLibraryImageSize();
    // 24 bits: an image strip without an alpha channel, as a toolbar
    // bitmap of a resource has.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = sizeImage.cx * kGalleryImageCount;
    info.bmiHeader.biHeight = sizeImage.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hStrip = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hStrip == nullptr)
        return 0;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hStrip);
    HBRUSH hBackground = ::CreateSolidBrush(RGB(192, 192, 192));
    const RECT rectAll = {0, 0, sizeImage.cx * kGalleryImageCount, sizeImage.cy};
    ::FillRect(hDC, &rectAll, hBackground);
    ::DeleteObject(hBackground);
    const COLORREF colours[] = {RGB(0, 90, 200), RGB(200, 40, 40), RGB(30, 150, 60), RGB(220, 160, 0)};
    for (int i = 0; i < kGalleryImageCount; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(colours[i % 4]);
        HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
        HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
        const int x = i * sizeImage.cx;
        switch (i / 4 == 0 ? i % 3 : (i + 1) % 3) {
        case 0: ::Rectangle(hDC, x + 2, 2, x + 14, 13); break;
        case 1: ::Ellipse(hDC, x + 1, 1, x + 15, 14); break;
        default: ::RoundRect(hDC, x + 1, 5, x + 15, 11, 3, 3); break;
        }
        ::SelectObject(hDC, hOldPen);
        ::SelectObject(hDC, hOldBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    if (g_sharedToolbarImages.GetCount() == 0) {
        g_sharedToolbarImages.SetImageSize(sizeImage);
        g_sharedToolbarImages.SetTransparentColor(RGB(192, 192, 192));
    }
    const int nLast = g_sharedToolbarImages.AppendBitmap(hStrip);
    ::DeleteObject(hStrip);
    g_galleryFirstImage = nLast >= 0 ? nLast - (kGalleryImageCount - 1) : 0;
    return g_galleryFirstImage;
}

} // namespace

bool MakeGalleryDockFrame(CZUDPFrameWnd& frame, LPCTSTR lpszTitle, const RECT& rect)
{
    if (!frame.Create(nullptr, lpszTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect))
        return false;
    const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    for (DWORD side : sides) {
        CZUDPDockBar* pDockBar = new CZUDPDockBar;  // deletes itself with its window
        if (!pDockBar->Create(side, CRect(), &frame, 0)) {
            delete pDockBar;
            return false;
        }
        frame.RegisterBar(pDockBar);
    }
    frame.RecalcLayout();
    return true;
}

bool MakeGalleryToolBar(CZUDPToolBar& bar, CFrameWnd& frame, UINT nID, LPCTSTR lpszName,
                        const std::vector<LPCTSTR>& captions)
{
    if (!bar.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 10, 10), &frame, nID,
                        ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE))
        return false;
    bar.SetWindowText(lpszName);
    bar.SetDockableSides(CBRS_ALIGN_ANY);
    const int nFirstImage = GalleryFirstImage();
    int i = 0;
    for (LPCTSTR lpszCaption : captions) {
        if (lpszCaption == nullptr) {
            bar.InsertSeparator();
            continue;
        }
        // Locked: the gallery's images are not recorded with the command manager.
        auto* pButton = new CZUDPToolbarButton(nID * 100 + UINT(i), nFirstImage + (int(nID) + i) % kGalleryImageCount,
                                               lpszCaption, FALSE, TRUE);
        pButton->showText = i == 0;
        if (bar.InsertButton(pButton) < 0)
            delete pButton;
        ++i;
    }
    bar.RecalcLayoutNow();
    return true;
}

namespace {

// The menu to photograph while its modal loop runs (one at a time).
struct OpenMenuShot {
    const std::function<void(const std::string&, HWND)>* photograph = nullptr;
    const char* name = nullptr;
    bool done = false;
};
OpenMenuShot* g_openMenuShot = nullptr;

VOID CALLBACK PhotographOpenMenu(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    OpenMenuShot* shot = g_openMenuShot;
    if (shot == nullptr || shot->done)
        return;
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (menu == nullptr || !::IsWindowVisible(menu))
        return;
    shot->done = true;
    ::KillTimer(nullptr, idEvent);
    (*shot->photograph)(shot->name, menu);
    ::EndMenu();
}

} // namespace

bool PhotographMenuWhileOpen(const std::function<void(const std::string&, HWND)>& photograph, const char* name,
                             const std::function<void()>& openMenu)
{
    OpenMenuShot shot;
    shot.photograph = &photograph;
    shot.name = name;
    g_openMenuShot = &shot;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &PhotographOpenMenu);
    openMenu();
    ::KillTimer(nullptr, timer);
    g_openMenuShot = nullptr;
    return shot.done;
}
