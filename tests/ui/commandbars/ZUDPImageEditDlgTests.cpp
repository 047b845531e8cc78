// The button image editor on a 16 x 15 bitmap, driven by mouse messages
// and commands: the drawing tools, the colours it draws with, the
// clipboard commands, the tools' command update and the colours offered.
#include "framework/win/FrameworkSeams.h"
#include "res/ui/commandbars.h"
#include "res/ui/foundation.h"
#include "tests/common/DrawingTest.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPToolBarColorButton.h"
#include "ui/commandbars/customize/ZUDPImageEditDlg.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 16, kHeight = 15;

// A bitmap of the screen's depth filled with one colour.
HBITMAP MakeBitmap(int cx, int cy, COLORREF fill)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    HBRUSH hBrush = ::CreateSolidBrush(fill);
    RECT rect = {0, 0, cx, cy};
    ::FillRect(hMem, &rect, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    const COLORREF color = ::GetPixel(hMem, x, y);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return color;
}

void SetPixelOf(HBITMAP hBitmap, int x, int y, COLORREF color)
{
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::SetPixel(hMem, x, y, color);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
}

class ImageEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bitmap.Attach(MakeBitmap(kWidth, kHeight, trovtest::kWhite));
        m_seams.Replace(g_frameworkSeams.messageBox, [this](HWND, const char* text, const char*, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        if (m_dialog != nullptr && m_dialog->GetSafeHwnd() != nullptr)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // The editor made modeless, as it is while modal.
    CZUDPImageEditDlg& Open(int nBitsPerPixel = -1)
    {
        m_dialog = std::make_unique<CZUDPImageEditDlg>(&m_bitmap, nullptr, nBitsPerPixel);
        EXPECT_TRUE(m_dialog->Create(IDD_ZUDP_IMAGE_EDITOR));
        return *m_dialog;
    }
    CImagePaintArea& Area() { return m_dialog->GetPaintArea(); }

    // The client point at the centre of a pixel's cell.
    CPoint CellCentre(int x, int y)
    {
        const CSize cell = Area().GetCellSize();
        return CPoint(1 + x * cell.cx + cell.cx / 2, 1 + y * cell.cy + cell.cy / 2);
    }
    void Mouse(UINT message, CPoint pixel, WPARAM flags)
    {
        const CPoint pt = CellCentre(pixel.x, pixel.y);
        Area().SendMessage(message, flags, MAKELPARAM(pt.x, pt.y));
    }
    // A drag from one pixel to another with the current tool.
    void Drag(CPoint from, CPoint to)
    {
        Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, to, 0);
    }
    void Tool(UINT nID) { m_dialog->SendMessage(WM_COMMAND, nID); }
    COLORREF Pixel(int x, int y) { return PixelOf(m_bitmap, x, y); }
    // The pixels of the bitmap that are not white, as "x,y" texts.
    std::vector<std::string> Drawn()
    {
        std::vector<std::string> drawn;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (Pixel(x, y) != trovtest::kWhite)
                    drawn.push_back(std::to_string(x) + "," + std::to_string(y));
            }
        }
        return drawn;
    }

    CBitmap m_bitmap;
    std::unique_ptr<CZUDPImageEditDlg> m_dialog;
    std::vector<std::string> messages;
    ScopedSeams m_seams;
};

std::vector<std::string> Outline(int left, int top, int right, int bottom)
{
    std::vector<std::string> pixels;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (y == top || y == bottom || x == left || x == right)
                pixels.push_back(std::to_string(x) + "," + std::to_string(y));
        }
    }
    return pixels;
}

} // namespace

// The editor opens on the bitmap: square-ish cells that fit the area, the
// pencil and black to start, the preview centred at the real size.
TEST_F(ImageEditorTest, OpensOnTheBitmap)
{
    Open();
    EXPECT_EQ(&m_bitmap, Area().GetBitmap());
    EXPECT_GT(Area().GetCellSize().cx, 1);
    EXPECT_EQ(CImagePaintArea::kPencil, Area().GetMode());
    EXPECT_EQ(RGB(0, 0, 0), m_dialog->GetColorBar().GetSelectedColor());
    EXPECT_EQ(CSize(kWidth, kHeight), m_dialog->GetPreviewRect().Size());
    EXPECT_EQ(0, Area().GetStyle() & WS_TABSTOP);
    EXPECT_EQ(10, m_dialog->GetToolsBar().GetCount()) << "six tools, a separator, three commands";
}

// The pencil, the line, the rectangle (inclusive of both ends, dragged
// either way), and a click without a move drawing one pixel.
TEST_F(ImageEditorTest, ShapesCoverTheirPixels)
{
    Open();
    Mouse(WM_LBUTTONDOWN, CPoint(3, 4), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, CPoint(4, 4), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(4, 4), 0);
    EXPECT_EQ((std::vector<std::string>{"3,4", "4,4"}), Drawn()) << "pencil";

    Tool(ID_ZUDP_IMAGE_CLEAR);
    m_bitmap.DeleteObject();
    m_bitmap.Attach(MakeBitmap(kWidth, kHeight, trovtest::kWhite));
    Area().SetBitmap(&m_bitmap);

    Tool(ID_ZUDP_IMAGE_LINE);
    EXPECT_EQ(CImagePaintArea::kLine, Area().GetMode());
    Drag(CPoint(1, 1), CPoint(6, 1));
    EXPECT_EQ((std::vector<std::string>{"1,1", "2,1", "3,1", "4,1", "5,1", "6,1"}), Drawn()) << "line";

    struct Row {
        CPoint from, to;
    } drags[] = {{CPoint(2, 2), CPoint(5, 4)}, {CPoint(5, 4), CPoint(2, 2)}};
    for (const Row& row : drags) {
        m_bitmap.DeleteObject();
        m_bitmap.Attach(MakeBitmap(kWidth, kHeight, trovtest::kWhite));
        Area().SetBitmap(&m_bitmap);
        Tool(ID_ZUDP_IMAGE_RECTANGLE);
        Drag(row.from, row.to);
        EXPECT_EQ(Outline(2, 2, 5, 4), Drawn()) << "rectangle from " << row.from.x << "," << row.from.y;
    }

    m_bitmap.DeleteObject();
    m_bitmap.Attach(MakeBitmap(kWidth, kHeight, trovtest::kWhite));
    Area().SetBitmap(&m_bitmap);
    Tool(ID_ZUDP_IMAGE_ELLIPSE);
    Mouse(WM_LBUTTONDOWN, CPoint(7, 7), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(7, 7), 0);
    EXPECT_EQ((std::vector<std::string>{"7,7"}), Drawn()) << "a click draws one pixel";
    Drag(CPoint(1, 1), CPoint(12, 10));
    EXPECT_EQ(trovtest::kWhite, Pixel(6, 5)) << "an ellipse is hollow";
    EXPECT_EQ(trovtest::kWhite, Pixel(1, 1)) << "its corners stay";
    EXPECT_NE(trovtest::kWhite, Pixel(6, 1)) << "the top of the ellipse";
    EXPECT_NE(trovtest::kWhite, Pixel(1, 5)) << "the left of the ellipse";
}

// The fill tool fills the area of the pressed pixel's colour and stops at
// other colours.
TEST_F(ImageEditorTest, FillStopsAtOtherColours)
{
    Open();
    Tool(ID_ZUDP_IMAGE_LINE);
    Drag(CPoint(5, 0), CPoint(5, kHeight - 1));
    Area().SetColor(RGB(255, 0, 0));
    Tool(ID_ZUDP_IMAGE_FILL);
    Mouse(WM_LBUTTONDOWN, CPoint(2, 2), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(2, 2), 0);
    for (int y = 0; y < kHeight; ++y) {
        EXPECT_EQ(RGB(255, 0, 0), Pixel(0, y));
        EXPECT_EQ(RGB(255, 0, 0), Pixel(4, y));
        EXPECT_EQ(RGB(0, 0, 0), Pixel(5, y));
        EXPECT_EQ(trovtest::kWhite, Pixel(6, y));
    }
}

// The pick tool takes the pixel's colour into the colour bar and the
// area, and the pencil comes back.
TEST_F(ImageEditorTest, PickThenPencil)
{
    Open();
    SetPixelOf(m_bitmap, 9, 9, RGB(0, 128, 0));
    Tool(ID_ZUDP_IMAGE_PICK);
    EXPECT_EQ(CImagePaintArea::kPickColor, Area().GetMode());
    Mouse(WM_LBUTTONDOWN, CPoint(9, 9), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(9, 9), 0);
    EXPECT_EQ(CImagePaintArea::kPencil, Area().GetMode());
    EXPECT_EQ(RGB(0, 128, 0), m_dialog->GetColorBar().GetSelectedColor());
    EXPECT_EQ(RGB(0, 128, 0), Area().GetColor());
    Mouse(WM_LBUTTONDOWN, CPoint(1, 1), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(1, 1), 0);
    EXPECT_EQ(RGB(0, 128, 0), Pixel(1, 1));
}

// The classic colours draw as the system's: silver chosen in the colour
// bar draws the button face; grey goes into the bitmap as the shadow
// colour in its plain order (red stays red), and the area shows it grey.
TEST_F(ImageEditorTest, ClassicColoursDrawTheSystemColours)
{
    Open();
    CZUDPColorBar& bar = m_dialog->GetColorBar();
    bar.SetSelectedColor(RGB(192, 192, 192));
    m_dialog->SendMessage(WM_COMMAND, IDC_ZUDP_IMAGE_EDITOR_COLORS);
    EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, Area().GetColor());
    Mouse(WM_LBUTTONDOWN, CPoint(2, 2), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(2, 2), 0);
    EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, Pixel(2, 2));

    const COLORREF shadowSaved = g_uiEnvironment.m_colorButtonShadow;
    g_uiEnvironment.m_colorButtonShadow = RGB(90, 100, 140);
    Area().SetColor(RGB(128, 128, 128));
    Mouse(WM_LBUTTONDOWN, CPoint(3, 3), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, CPoint(3, 3), 0);
    EXPECT_EQ(RGB(90, 100, 140), Pixel(3, 3));

    CRect rectClient;
    Area().GetClientRect(&rectClient);
    trovtest::DibCanvas canvas(rectClient.Width(), rectClient.Height());
    Area().PaintArea(CDC::FromHandle(canvas.Dc()), rectClient);
    const CPoint centre = CellCentre(3, 3);
    EXPECT_EQ(RGB(128, 128, 128), canvas.Pixel(centre.x, centre.y));
    const CPoint white = CellCentre(8, 8);
    EXPECT_EQ(trovtest::kWhite, canvas.Pixel(white.x, white.y));
    g_uiEnvironment.m_colorButtonShadow = shadowSaved;
}

// Copy hands the clipboard a copy of the bitmap as CF_BITMAP; a clipboard
// that refuses it keeps nothing and says so.
TEST_F(ImageEditorTest, CopyGivesTheClipboardABitmap)
{
    Open();
    SetPixelOf(m_bitmap, 4, 5, RGB(10, 20, 30));
    HBITMAP hGiven = nullptr;
    {
        ScopedSeam put(g_commandBarsSeams.clipboardPutBitmap, [&](HWND, HBITMAP hBitmap) {
            hGiven = hBitmap;
            return TRUE;
        });
        Tool(ID_ZUDP_IMAGE_COPY);
    }
    ASSERT_NE(nullptr, hGiven);
    EXPECT_NE((HBITMAP)m_bitmap, hGiven);
    BITMAP bm = {};
    ::GetObjectA(hGiven, sizeof(bm), &bm);
    EXPECT_EQ(kWidth, bm.bmWidth);
    EXPECT_EQ(kHeight, bm.bmHeight);
    EXPECT_EQ(RGB(10, 20, 30), PixelOf(hGiven, 4, 5));
    ::DeleteObject(hGiven);
    EXPECT_TRUE(messages.empty());

    ScopedSeam refuse(g_commandBarsSeams.clipboardPutBitmap, [](HWND, HBITMAP) { return FALSE; });
    Tool(ID_ZUDP_IMAGE_COPY);
    CString expected;
    expected.LoadString(IDS_ZUDP_CANNOT_COPY_BITMAP);
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(std::string((LPCTSTR)expected), messages[0]);
}

// Paste: a smaller picture is centred on the button face with its silver
// pixels showing the face; a larger one keeps its top-left part; an empty
// clipboard leaves the bitmap and says so.
TEST_F(ImageEditorTest, PasteCentresOrCrops)
{
    Open();
    const COLORREF face = g_uiEnvironment.m_colorButtonFace;
    {
        HBITMAP hSmall = MakeBitmap(8, 6, RGB(255, 0, 0));
        SetPixelOf(hSmall, 0, 0, RGB(192, 192, 192));
        ScopedSeam get(g_commandBarsSeams.clipboardGetBitmap, [hSmall](HWND) { return hSmall; });
        Tool(ID_ZUDP_IMAGE_PASTE);
        EXPECT_EQ(face, Pixel(0, 0));
        EXPECT_EQ(face, Pixel(3, 4));
        EXPECT_EQ(face, Pixel(4, 4)) << "silver shows the background";
        EXPECT_EQ(RGB(255, 0, 0), Pixel(5, 4));
        EXPECT_EQ(RGB(255, 0, 0), Pixel(11, 8));
        EXPECT_EQ(face, Pixel(12, 8));
        EXPECT_EQ(face, Pixel(11, 10));
    }
    {
        HBITMAP hLarge = MakeBitmap(30, 30, RGB(0, 0, 255));
        SetPixelOf(hLarge, 0, 0, RGB(0, 255, 0));
        SetPixelOf(hLarge, 20, 20, RGB(0, 255, 0));
        ScopedSeam get(g_commandBarsSeams.clipboardGetBitmap, [hLarge](HWND) { return hLarge; });
        Tool(ID_ZUDP_IMAGE_PASTE);
        EXPECT_EQ(RGB(0, 255, 0), Pixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 255), Pixel(kWidth - 1, kHeight - 1));
    }
    EXPECT_TRUE(messages.empty());
    {
        ScopedSeam get(g_commandBarsSeams.clipboardGetBitmap, [](HWND) { return HBITMAP(nullptr); });
        Tool(ID_ZUDP_IMAGE_PASTE);
        EXPECT_EQ(RGB(0, 255, 0), Pixel(0, 0)) << "unchanged";
        CString expected;
        expected.LoadString(IDS_ZUDP_CANNOT_PASTE_BITMAP);
        ASSERT_EQ(1u, messages.size());
        EXPECT_EQ(std::string((LPCTSTR)expected), messages[0]);
    }
}

// At idle the tools bar shows Paste enabled only while the clipboard
// offers a bitmap, and the current tool checked.
TEST_F(ImageEditorTest, IdleUpdateOfTheTools)
{
    Open();
    CZUDPToolBar& tools = m_dialog->GetToolsBar();
    const int iPaste = tools.FindCommandIndex(ID_ZUDP_IMAGE_PASTE);
    const int iLine = tools.FindCommandIndex(ID_ZUDP_IMAGE_LINE);
    const int iPencil = tools.FindCommandIndex(ID_ZUDP_IMAGE_PENCIL);
    ASSERT_GE(iPaste, 0);
    for (BOOL bHasBitmap : {FALSE, TRUE}) {
        ScopedSeam has(g_commandBarsSeams.clipboardHasBitmap, [bHasBitmap] { return bHasBitmap; });
        m_dialog->SendMessage(WM_KICKIDLE);
        EXPECT_EQ(!bHasBitmap, (tools.GetButtonStyleAt(iPaste) & TBBS_DISABLED) != 0) << bHasBitmap;
    }
    Tool(ID_ZUDP_IMAGE_LINE);
    m_dialog->SendMessage(WM_KICKIDLE);
    EXPECT_NE(0u, tools.GetButtonStyleAt(iLine) & TBBS_CHECKED);
    EXPECT_EQ(0u, tools.GetButtonStyleAt(iPencil) & TBBS_CHECKED);
}

// The colours offered: 16 colours without "Other" for bitmaps of 8 bits
// or fewer; otherwise the stock colours in 5 columns and the other row.
TEST_F(ImageEditorTest, ColoursOfferedByDepth)
{
    struct Row {
        int bitsPerPixel;
        int colours, columns;
        bool other;
    } rows[] = {{8, 16, 4, false}, {4, 16, 4, false}, {24, 20, 5, true}};
    for (const Row& row : rows) {
        Open(row.bitsPerPixel);
        CZUDPColorBar& bar = m_dialog->GetColorBar();
        EXPECT_EQ(row.colours, bar.colors.GetSize()) << row.bitsPerPixel;
        EXPECT_EQ(row.columns, bar.columns) << row.bitsPerPixel;
        EXPECT_EQ(row.other, !bar.otherLabel.IsEmpty()) << row.bitsPerPixel;
        if (row.other) {
            EXPECT_STREQ("Other", bar.otherLabel);
        }
        m_dialog->DestroyWindow();
        m_dialog.reset();
    }
}

// A bitmap too large for cells of one pixel is refused: the area holds no
// bitmap and ignores the mouse, the caller's bitmap stays as it was.
TEST_F(ImageEditorTest, BitmapTooLargeForTheAreaIsRefused)
{
    m_bitmap.DeleteObject();
    m_bitmap.Attach(MakeBitmap(400, 400, trovtest::kWhite));
    Open();
    EXPECT_EQ(nullptr, Area().GetBitmap());
    EXPECT_EQ(CSize(0, 0), Area().GetCellSize());
    Area().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Area().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(trovtest::kWhite, Pixel(0, 0));
    EXPECT_EQ(trovtest::kWhite, Pixel(3, 3));
    EXPECT_FALSE(Area().SetBitmap(&m_bitmap));
}
