// Gallery pictures of the colour bar and the button customization
// dialogs: a colour popup (automatic row, grid, document colours, other
// row with the preview of a colour outside the grid), a torn-off colour bar
// docked in a frame and another floating, the button appearance dialog,
// and the image editor with a drawing.
#include <windows.h>

#include <memory>

#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"
#include "ui/controls/ZUDPColorMenuButton.h"
#include "framework/win/DC.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/customize/ButtonAppearanceDlg.h"
#include "ui/commandbars/customize/ZUDPImageEditDlg.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPToolBarImages.h"

namespace {

const UINT kGalleryColorCommand = 33501;

// Forty colours: eight hues in five lightnesses.
void GalleryColours(CArray<COLORREF, COLORREF>& colours)
{
    static const COLORREF kHues[8] = {RGB(192, 0, 0),  RGB(230, 120, 0), RGB(220, 200, 0), RGB(0, 150, 0),
                                      RGB(0, 150, 150), RGB(0, 60, 200),  RGB(110, 0, 170), RGB(128, 128, 128)};
    for (int shade = 0; shade < 5; ++shade) {
        for (COLORREF hue : kHues) {
            const int r = GetRValue(hue), g = GetGValue(hue), b = GetBValue(hue);
            const int k = 40 * (shade - 2);
            auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
            colours.Add(RGB(clamp(r + k), clamp(g + k), clamp(b + k)));
        }
    }
}

// The colours a document offers in the popups of the sheet.
void GalleryDocumentColours(CList<COLORREF, COLORREF>& colours)
{
    colours.AddTail(RGB(12, 34, 56));
    colours.AddTail(RGB(250, 200, 180));
    colours.AddTail(RGB(90, 160, 60));
}

std::unique_ptr<CZUDPColorBar> GalleryPopupBar()
{
    CArray<COLORREF, COLORREF> colours;
    GalleryColours(colours);
    CList<COLORREF, COLORREF> documentColours;
    GalleryDocumentColours(documentColours);
    return std::make_unique<CZUDPColorBar>(colours, RGB(100, 149, 237), "Automatic", "More Colors...",
                                           "Document's Colors", documentColours, 8, 0, 0, RGB(0, 0, 0),
                                           kGalleryColorCommand);
}

// A user image strip of four pictures for the appearance dialog.
void GalleryUserImages(CZUDPToolBarImages& images)
{
    images.SetImageSize(CSize(16, 15));
    // 24 bits: a strip without an alpha channel, as a bitmap file has.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = 15;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    const RECT all = {0, 0, 64, 15};
    HBRUSH hSilver = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FillRect(hMem, &all, hSilver);
    ::DeleteObject(hSilver);
    static const COLORREF kColours[4] = {RGB(200, 0, 0), RGB(0, 140, 0), RGB(0, 0, 200), RGB(200, 160, 0)};
    for (int i = 0; i < 4; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(kColours[i]);
        HGDIOBJ hOldBrush = ::SelectObject(hMem, hBrush);
        if (i % 2 == 0)
            ::Ellipse(hMem, i * 16 + 2, 1, i * 16 + 14, 13);
        else
            ::Rectangle(hMem, i * 16 + 2, 2, i * 16 + 14, 13);
        ::SelectObject(hMem, hOldBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    images.AppendBitmap(hBitmap, TRUE);
    ::DeleteObject(hBitmap);
}

} // namespace

bool ShootColorBarSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    bool ok = true;

    // A colour popup as a colour menu button opens it: the library's popup
    // window laying out its colour bar.
    {
        CZUDPFrameWnd owner;
        CArray<COLORREF, COLORREF> colours;
        GalleryColours(colours);
        CList<COLORREF, COLORREF> documentColours;
        GalleryDocumentColours(documentColours);
        // The popup deletes itself with its window.
        CColorPopup* pPopup = nullptr;
        if (MakeGalleryDockFrame(owner, "Colour popup owner", CRect(20, 20, 120, 80))) {
            pPopup = new CColorPopup(nullptr, colours, RGB(100, 149, 237), "Automatic", "More Colors...",
                                     "Document's Colors", documentColours, 8, 0, 0, RGB(0, 0, 0),
                                     kGalleryColorCommand);
            if (!pPopup->CreatePopup(&owner, 160, 60, nullptr, FALSE, TRUE))
                pPopup = nullptr; // a refused window took its object with it
        }
        if (pPopup != nullptr) {
            const HWND hPopup = pPopup->m_hWnd;
            pump(150);
            photograph("colour-popup", hPopup);
            // The same with the pointer over a cell.
            CZUDPColorBar& bar = pPopup->GetColorBar();
            const CRect rectCell = bar.GetButtonAt(12)->rect;
            // The pointer really goes there: the bar tracks its leaving, and
            // a pointer elsewhere would take the highlight away at once.
            CPoint ptScreen = rectCell.CenterPoint();
            bar.ClientToScreen(&ptScreen);
            ::SetCursorPos(ptScreen.x, ptScreen.y);
            bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rectCell.CenterPoint().x, rectCell.CenterPoint().y));
            pump(100);
            photograph("colour-popup-hot-cell", hPopup);
            if (::IsWindow(hPopup))
                ::DestroyWindow(hPopup);
        } else {
            ok = false;
        }
        if (owner.m_hWnd != nullptr)
            owner.DestroyWindow();
    }

    // Torn-off copies: one docked at the top of a frame, one floating.
    {
        CZUDPFrameWnd frame;
        if (MakeGalleryDockFrame(frame, "Colour bars", CRect(40, 40, 480, 300))) {
            std::unique_ptr<CZUDPColorBar> source = GalleryPopupBar();
            CZUDPColorBar docked(*source, kGalleryColorCommand);
            docked.rowsWhenDockedHorz = 2;
            if (docked.CreatePaletteBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER |
                                                    CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE,
                                        0xE950)) {
                docked.SetWindowText("Colours");
                docked.ReplaceBarStyle(docked.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
                docked.SetDockableSides(CBRS_ALIGN_ANY);
                frame.DockBarAtSite(&docked, AFX_IDW_DOCKBAR_TOP, nullptr);
                frame.RecalcLayout();
                frame.ShowWindow(SW_SHOWNA);
                pump(200);
                photograph("colour-bar-torn-off-docked", frame.m_hWnd);
                docked.DestroyWindow();
            } else {
                ok = false;
            }
            frame.DestroyWindow();
        } else {
            ok = false;
        }
    }

    // The button appearance dialog with user images, one of them chosen.
    {
        CZUDPToolBarImages images;
        GalleryUserImages(images);
        CZUDPToolbarButton button(kGalleryColorCommand, -1, "Colour\tCtrl+K", TRUE);
        button.usesUserImage = TRUE;
        button.userImageIndex = 2;
        button.showText = TRUE;
        button.showImage = TRUE;
        CButtonAppearanceDlg dialog(&button, &images);
        if (dialog.Create(IDD_ZUDP_BUTTON_APPEARANCE)) {
            dialog.SetWindowPos(nullptr, 80, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            dialog.ShowWindow(SW_SHOWNA);
            pump(150);
            photograph("button-appearance", dialog.m_hWnd);
            dialog.DestroyWindow();
        } else {
            ok = false;
        }
    }

    // The image editor with a drawing.
    {
        HDC hScreen = ::GetDC(nullptr);
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(hScreen, 16, 15));
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HGDIOBJ hOld = ::SelectObject(hMem, (HBITMAP)bitmap);
        const RECT all = {0, 0, 16, 15};
        ::FillRect(hMem, &all, ::GetSysColorBrush(COLOR_BTNFACE));
        HBRUSH hRed = ::CreateSolidBrush(RGB(220, 30, 30));
        HGDIOBJ hOldBrush = ::SelectObject(hMem, hRed);
        ::Ellipse(hMem, 2, 2, 11, 11);
        ::SelectObject(hMem, hOldBrush);
        ::DeleteObject(hRed);
        HPEN hBlue = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 200));
        HGDIOBJ hOldPen = ::SelectObject(hMem, hBlue);
        ::MoveToEx(hMem, 1, 13, nullptr);
        ::LineTo(hMem, 15, 4);
        ::SelectObject(hMem, hOldPen);
        ::DeleteObject(hBlue);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        ::ReleaseDC(nullptr, hScreen);

        CZUDPImageEditDlg editor(&bitmap);
        if (editor.Create(IDD_ZUDP_IMAGE_EDITOR)) {
            editor.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            editor.ShowWindow(SW_SHOWNA);
            editor.SendMessage(WM_KICKIDLE);
            pump(150);
            photograph("image-editor", editor.m_hWnd);
            editor.DestroyWindow();
        } else {
            ok = false;
        }
    }
    return ok;
}
