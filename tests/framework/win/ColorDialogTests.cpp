// The system's colour dialog as the framework runs it (a hook closes it as
// the user would), and logical palettes selected into a DC.
#include "framework/win/ColorDialog.h"
#include "framework/win/DC.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

namespace {

// Ends the dialog with the button chosen by the test as soon as it opens.
WORD g_closeWith = IDOK;
UINT_PTR CALLBACK CloseOnOpen(HWND hDlg, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(g_closeWith, BN_CLICKED), 0);
    return 0;
}

TEST(ColorDialogTest, StartsOnTheColourOnlyWhenOneIsGiven)
{
    CColorDialog plain;
    EXPECT_EQ(sizeof(CHOOSECOLORA), size_t(plain.m_cc.lStructSize));
    EXPECT_EQ(0u, plain.m_cc.Flags & CC_RGBINIT);
    EXPECT_NE(nullptr, plain.m_cc.lpCustColors);

    CColorDialog red(RGB(255, 0, 0), CC_FULLOPEN);
    EXPECT_EQ(DWORD(CC_RGBINIT | CC_FULLOPEN), red.m_cc.Flags);
    EXPECT_EQ(RGB(255, 0, 0), red.GetColor());
    EXPECT_EQ(CColorDialog::GetSavedCustomColors(), red.m_cc.lpCustColors);
}

TEST(ColorDialogTest, AnswersTheButtonThatClosedItAndTheColour)
{
    trovtest::InitFrameworkForTests();
    struct Case {
        WORD button;
        INT_PTR expected;
    } const cases[] = {{IDOK, IDOK}, {IDCANCEL, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        g_closeWith = c.button;
        CColorDialog dialog(RGB(32, 64, 128), CC_FULLOPEN);
        dialog.m_cc.Flags |= CC_ENABLEHOOK;
        dialog.m_cc.lpfnHook = CloseOnOpen;
        EXPECT_EQ(c.expected, dialog.DoModal());
        if (c.expected == IDOK) {
            EXPECT_EQ(RGB(32, 64, 128), dialog.GetColor());
        }
    }
}

TEST(PaletteTest, FindsNearestEntriesAndIsSelectedIntoADc)
{
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } logPalette = {{0x300, 3, {{0, 0, 0, 0}}}, {{255, 0, 0, 0}, {255, 255, 255, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&logPalette.header));
    EXPECT_EQ(3, palette.GetEntryCount());
    EXPECT_EQ(1u, palette.GetNearestPaletteIndex(RGB(200, 30, 10)));
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(230, 230, 240)));
    PALETTEENTRY entry = {};
    EXPECT_EQ(1u, palette.GetPaletteEntries(1, 1, &entry));
    EXPECT_EQ(255, entry.peRed);

    CPalette none;
    EXPECT_EQ(0, none.GetEntryCount());
    EXPECT_EQ(CLR_INVALID, none.GetNearestPaletteIndex(RGB(1, 2, 3)));

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPalette* previous = dc.SelectPalette(&palette, FALSE);
    ASSERT_NE(nullptr, previous);
    dc.RealizePalette();
    EXPECT_EQ(palette.m_hObject, ::GetCurrentObject(dc, OBJ_PAL));
    dc.SelectPalette(previous, FALSE);
    EXPECT_EQ(previous->m_hObject, ::GetCurrentObject(dc, OBJ_PAL));
}

} // namespace
