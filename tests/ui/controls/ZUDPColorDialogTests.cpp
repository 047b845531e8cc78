// The colour dialog: the swatch it opens with, Ctrl+C, the eyedropper
// driven by posted messages with the screen read through the seam, and the
// hand-over to the system's dialog on screens of few colours.
#include "ui/controls/ZUDPColorDialog.h"
#include "res/ui/controls.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "framework/win/Clipboard.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

using trovtest::DibCanvas;

namespace {

// The screen's colour depth for one test.
class ScopedDepth {
public:
    explicit ScopedDepth(int bitsPerPixel) : m_saved(g_uiEnvironment.m_bitsPerPixel)
    {
        g_uiEnvironment.m_bitsPerPixel = bitsPerPixel;
    }
    ~ScopedDepth() { g_uiEnvironment.m_bitsPerPixel = m_saved; }

private:
    int m_saved;
};

class ZUDPColorDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        trovtest::PumpPending();
        // A pick that finds nothing more to do fails instead of waiting.
        m_seams.Replace(g_colorChooserSeams.waitMessage, [] {
            ADD_FAILURE() << "the eyedropper waited for input";
            ::PostMessageA(::GetCapture(), WM_KEYDOWN, VK_ESCAPE, 0);
            return TRUE;
        });
        m_seams.Replace(g_colorChooserSeams.systemColorDialog, [](HWND, COLORREF, COLORREF*) -> INT_PTR {
            ADD_FAILURE() << "the system's dialog was opened";
            return IDCANCEL;
        });
    }
    void TearDown() override
    {
        if (m_dialog != nullptr && m_dialog->GetSafeHwnd() != nullptr)
            m_dialog->DestroyWindow();
        delete m_dialog;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
    }

    // The dialog made modeless and shown, as it is while modal.
    CZUDPColorDialog& Open(COLORREF colour)
    {
        m_dialog = new CZUDPColorDialog(colour);
        EXPECT_TRUE(m_dialog->Create(IDD_ZUDP_COLORS));
        m_dialog->ShowWindow(SW_SHOWNA);
        return *m_dialog;
    }

    CZUDPColorPickerCtrl& Swatch()
    {
        return *static_cast<CZUDPColorPickerCtrl*>(m_dialog->GetDlgItem(IDC_ZUDP_COLORS_COLOR));
    }

    CZUDPColorDialog* m_dialog = nullptr;
    ScopedSeams m_seams;
};

TEST_F(ZUDPColorDialogTest, OpensWithItsColourInBothHalvesOfTheSwatch)
{
    CZUDPColorDialog& dialog = Open(RGB(255, 0, 0));
    CZUDPColorPickerCtrl& swatch = Swatch();
    EXPECT_EQ(CZUDPColorPickerCtrl::PICKER_SWATCH, swatch.GetPickerType());
    EXPECT_EQ(RGB(255, 0, 0), swatch.GetColor());
    EXPECT_EQ(RGB(255, 0, 0), swatch.GetOriginalColor());
    CRect client;
    swatch.GetClientRect(client);
    DibCanvas canvas(client.Width(), client.Height());
    swatch.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, 1, client.Width() - 1, client.Height() / 2)));
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, client.Height() / 2, client.Width() - 1, client.Height() - 1)));

    // A new colour shows above, the colour it opened with stays below.
    dialog.SetNewColor(RGB(0, 0, 255));
    swatch.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(RGB(0, 0, 255), canvas.DominantColor(CRect(1, 1, client.Width() - 1, client.Height() / 2)));
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, client.Height() / 2, client.Width() - 1, client.Height() - 1)));
    EXPECT_EQ(RGB(0, 0, 255), dialog.GetColor());
}

TEST_F(ZUDPColorDialogTest, CtrlCCopiesTheNewColourAsText)
{
    CZUDPColorDialog& dialog = Open(RGB(1, 1, 1));
    dialog.SetNewColor(RGB(32, 64, 128));
    bool ctrl = false;
    ScopedSeam keys(g_frameworkSeams.keyState, [&](int key) -> SHORT {
        return key == VK_CONTROL && ctrl ? SHORT(0x8000) : 0;
    });
    struct Case {
        const char* name;
        bool ctrl;
        WPARAM key;
        const char* expected;
    } const cases[] = {{"C alone", false, 'C', "untouched"},
                       {"Ctrl+C", true, 'C', "RGB (32, 64, 128)"},
                       {"Ctrl+Insert", true, VK_INSERT, "RGB (32, 64, 128)"},
                       {"Ctrl+V", true, 'V', "untouched"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(AfxClipboardPutText(nullptr, "untouched"));
        ctrl = c.ctrl;
        MSG msg = {dialog.m_hWnd, WM_KEYDOWN, c.key, 0, 0, {}};
        dialog.PreTranslateMessage(&msg);
        CString text;
        ASSERT_TRUE(AfxClipboardGetText(nullptr, text));
        EXPECT_STREQ(c.expected, text);
    }
}

// The pointer moves over the screen while picking; Esc puts back the
// colour from before the pick, Enter and a click keep the last sample.
TEST_F(ZUDPColorDialogTest, EyedropperKeepsOrRestoresTheSampledColour)
{
    CZUDPColorDialog& dialog = Open(RGB(10, 20, 30));
    POINT sampledAt = {-1, -1};
    m_seams.Replace(g_colorChooserSeams.screenPixel, [&](POINT point) {
        sampledAt = point;
        return RGB(200, 100, 50);
    });
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        COLORREF expected;
    } const cases[] = {{"Esc", WM_KEYDOWN, VK_ESCAPE, RGB(10, 20, 30)},
                       {"Enter", WM_KEYDOWN, VK_RETURN, RGB(200, 100, 50)},
                       {"a click", WM_LBUTTONDOWN, MK_LBUTTON, RGB(200, 100, 50)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.SetNewColor(RGB(10, 20, 30));
        ::PostMessageA(dialog.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(15, 25));
        ::PostMessageA(dialog.m_hWnd, c.message, c.wParam, MAKELPARAM(15, 25));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_COLORS_SELECT, BN_CLICKED), 0);
        EXPECT_FALSE(dialog.IsPicking());
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_EQ(c.expected, dialog.GetColor());
        EXPECT_EQ(c.expected, Swatch().GetColor());
        CPoint screen(15, 25);
        dialog.ClientToScreen(&screen);
        EXPECT_EQ(screen.x, sampledAt.x);
        EXPECT_EQ(screen.y, sampledAt.y);
    }
}

TEST_F(ZUDPColorDialogTest, ScreensOfFewColoursUseTheSystemDialog)
{
    ScopedDepth depth(4);
    struct Case {
        INT_PTR answer;
        COLORREF expected;
    } const cases[] = {{IDOK, RGB(1, 2, 3)}, {IDCANCEL, RGB(90, 80, 70)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        COLORREF offered = CLR_INVALID;
        ScopedSeam system(g_colorChooserSeams.systemColorDialog, [&](HWND, COLORREF start, COLORREF* chosen) {
            offered = start;
            *chosen = RGB(1, 2, 3);
            return c.answer;
        });
        CZUDPColorDialog dialog(RGB(90, 80, 70));
        EXPECT_EQ(c.answer, dialog.DoModal());
        EXPECT_EQ(RGB(90, 80, 70), offered);
        EXPECT_EQ(c.expected, dialog.GetColor());
    }
}

// On 8-bit screens the swatch paints through the palette, but the colour
// the dialog answers (and copies) stays the RGB value.
TEST_F(ZUDPColorDialogTest, EightBitScreensKeepAnRgbResult)
{
    ScopedDepth depth(8);
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[1];
    } logPalette = {{0x300, 2, {{0, 0, 0, 0}}}, {{255, 0, 0, 0}}};
    HPALETTE palette = ::CreatePalette(&logPalette.header);
    ASSERT_NE(nullptr, palette);
    m_dialog = new CZUDPColorDialog(RGB(0, 0, 0), 0, nullptr, palette);
    ASSERT_TRUE(m_dialog->Create(IDD_ZUDP_COLORS));
    m_dialog->SetNewColor(RGB(200, 10, 10));
    EXPECT_EQ(RGB(200, 10, 10), m_dialog->GetColor());
    EXPECT_STREQ("RGB (200, 10, 10)", CZUDPColorDialog::ColorText(m_dialog->GetColor()));
    EXPECT_EQ(palette, (HPALETTE)Swatch().GetPalette()->GetSafeHandle());
    m_dialog->DestroyWindow();
    delete m_dialog;
    m_dialog = nullptr;
    // The caller's palette stays the caller's.
    EXPECT_EQ(OBJ_PAL, DWORD(::GetObjectType(palette)));
    ::DeleteObject(palette);
}

// A palette of the system palette holds only what the system returned; a
// screen without a palette gives none.
TEST_F(ZUDPColorDialogTest, SystemPaletteHoldsOnlyTheEntriesTheSystemGave)
{
    CZUDPColorDialog& dialog = Open(RGB(1, 2, 3));
    HDC screen = ::GetDC(nullptr);
    PALETTEENTRY entries[256] = {};
    UINT count = ::GetSystemPaletteEntries(screen, 0, 256, entries);
    ::ReleaseDC(nullptr, screen);
    if (count == 0) {
        EXPECT_EQ(nullptr, dialog.GetPalette());
    } else {
        ASSERT_NE(nullptr, dialog.GetPalette());
        EXPECT_EQ(int(count), dialog.GetPalette()->GetEntryCount());
    }
    EXPECT_EQ(dialog.GetPalette(), Swatch().GetPalette());
}

} // namespace
