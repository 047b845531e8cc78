// The visual manager's bar surfaces: backgrounds, the one-pixel borders of
// docked bars, grippers, separators and the splitter between panes, in the
// classic look.  Bar colours are made different from the button colours,
// so the rule that picks one set or the other shows in every pixel.
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "framework/win/Dialog.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using foundationtest::Canvas;
using uitest::ClassicDrawing;

namespace {

using trovtest::kWhite;

// Which colour of the global UI data a pixel must have.
enum class Expect { Untouched, BarFace, BarHighlight, BarShadow, BarDarkShadow, ButtonFace, ButtonHighlight, ButtonShadow, Window, Black, Own };

COLORREF ExpectedColor(Expect e)
{
    switch (e) {
    case Expect::Untouched: return kWhite;
    case Expect::BarFace: return g_uiEnvironment.m_colorBarFace;
    case Expect::BarHighlight: return g_uiEnvironment.m_colorBarHighlight;
    case Expect::BarShadow: return g_uiEnvironment.m_colorBarShadow;
    case Expect::BarDarkShadow: return g_uiEnvironment.m_colorBarDarkShadow;
    case Expect::ButtonFace: return g_uiEnvironment.m_colorButtonFace;
    case Expect::ButtonHighlight: return g_uiEnvironment.m_colorButtonHighlight;
    case Expect::ButtonShadow: return g_uiEnvironment.m_colorButtonShadow;
    case Expect::Window: return g_uiEnvironment.m_colorWindow;
    case Expect::Black: return RGB(0, 0, 0);
    case Expect::Own: return RGB(10, 200, 30);
    }
    return CLR_INVALID;
}

// Classic drawing with every system colour distinct and the bar set apart
// from the button set (as a look with coloured bars has them).
class VisualManagerBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_colours.emplace(g_foundationSeams.sysColor,
                          [](int index) { return RGB(3 * index + 1, 5 * index + 2, 7 * index + 3); });
        g_uiEnvironment.UpdateSysColors();
        g_uiEnvironment.m_colorBarFace = RGB(200, 180, 160);
        g_uiEnvironment.m_colorBarHighlight = RGB(250, 240, 230);
        g_uiEnvironment.m_colorBarShadow = RGB(90, 80, 70);
        g_uiEnvironment.m_colorBarDarkShadow = RGB(30, 20, 10);
        g_uiEnvironment.m_brushBarFace.DeleteObject();
        g_uiEnvironment.m_brushBarFace.CreateSolidBrush(g_uiEnvironment.m_colorBarFace);
        m_classic.emplace();
    }
    void TearDown() override
    {
        m_classic.reset();
        m_colours.reset();
        g_uiEnvironment.UpdateSysColors();
        CZUDPVisualManager::SetLook2000Style(FALSE);
    }
    static CZUDPVisualManager* Manager() { return CZUDPVisualManager::GetActiveManager(); }

    std::optional<ScopedSeam<COLORREF(int)>> m_colours;
    std::optional<ClassicDrawing> m_classic;
};

// A bar as a real (hidden) window, so that it can be told its look.
template <class TBar>
struct BarWindow {
    TBar bar;
    explicit BarWindow(BOOL bVisualManagerStyle = FALSE, BOOL bOnGlass = FALSE)
    {
        bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 40, 20), nullptr, 0);
        bar.SendMessage(ZUDM_ONSETCONTROLVMMODE, bVisualManagerStyle);
        bar.SendMessage(ZUDM_ONSETCONTROLAERO, bOnGlass);
    }
    ~BarWindow()
    {
        if (bar.m_hWnd != nullptr)
            bar.DestroyWindow();
    }
};

struct PixelCheck {
    CPoint point;
    Expect colour;
};

} // namespace

// Bar borders: each style bit draws its own edge in the light or dark
// colour and takes one pixel off that side; floating bars get none.
TEST_F(VisualManagerBars, BarBorderPerStyleBitAndFloating)
{
    struct Row {
        const char* name;
        DWORD style;
        BOOL canFloat, floating, inDialog, vmStyle, onGlass;
        CRect rectAfter;
        std::vector<PixelCheck> pixels;
    } rows[] = {
        {"left only", CBRS_BORDER_LEFT, TRUE, FALSE, FALSE, FALSE, FALSE, CRect(1, 0, 20, 10),
         {{{0, 0}, Expect::BarHighlight}, {{0, 8}, Expect::BarHighlight}, {{0, 9}, Expect::Untouched}, {{1, 5}, Expect::Untouched}}},
        {"top only", CBRS_BORDER_TOP, TRUE, FALSE, FALSE, FALSE, FALSE, CRect(0, 1, 20, 10),
         {{{0, 0}, Expect::BarHighlight}, {{18, 0}, Expect::BarHighlight}, {{19, 0}, Expect::Untouched}}},
        {"right only", CBRS_BORDER_RIGHT, TRUE, FALSE, FALSE, FALSE, FALSE, CRect(0, 0, 19, 10),
         {{{19, 0}, Expect::BarShadow}, {{19, 9}, Expect::BarShadow}, {{18, 5}, Expect::Untouched}}},
        {"bottom only", CBRS_BORDER_BOTTOM, TRUE, FALSE, FALSE, FALSE, FALSE, CRect(0, 0, 20, 9),
         {{{0, 9}, Expect::BarShadow}, {{18, 9}, Expect::BarShadow}, {{19, 9}, Expect::Untouched}}},
        {"all four", CBRS_BORDER_ANY, TRUE, FALSE, FALSE, FALSE, FALSE, CRect(1, 1, 19, 9),
         {{{0, 5}, Expect::BarHighlight}, {{19, 5}, Expect::BarShadow}, {{5, 9}, Expect::BarShadow}}},
        {"in a dialog, plain look: button colours", CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT, TRUE, FALSE, TRUE, FALSE, FALSE,
         CRect(1, 0, 19, 10), {{{0, 5}, Expect::ButtonHighlight}, {{19, 5}, Expect::ButtonShadow}}},
        {"in a dialog, manager's look: bar colours", CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT, TRUE, FALSE, TRUE, TRUE, FALSE,
         CRect(1, 0, 19, 10), {{{0, 5}, Expect::BarHighlight}, {{19, 5}, Expect::BarShadow}}},
        {"on glass: black", CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT, TRUE, FALSE, FALSE, FALSE, TRUE, CRect(1, 0, 19, 10),
         {{{0, 5}, Expect::Black}, {{19, 5}, Expect::Black}}},
        {"floating: nothing", CBRS_BORDER_ANY, TRUE, TRUE, FALSE, FALSE, FALSE, CRect(0, 0, 20, 10),
         {{{0, 5}, Expect::Untouched}, {{19, 5}, Expect::Untouched}, {{5, 0}, Expect::Untouched}}},
        {"no border bit: nothing, even when it cannot float", CBRS_ALIGN_TOP, FALSE, FALSE, FALSE, FALSE, FALSE,
         CRect(0, 0, 20, 10), {{{5, 0}, Expect::Untouched}, {{5, 1}, Expect::Untouched}}},
        {"cannot float: etched line along the top", CBRS_BORDER_LEFT, FALSE, FALSE, FALSE, FALSE, FALSE, CRect(1, 0, 20, 10),
         {{{0, 0}, Expect::BarShadow}, {{19, 0}, Expect::BarShadow}, {{19, 1}, Expect::BarHighlight}, {{0, 5}, Expect::BarHighlight}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarWindow<CZUDPToolBar> w(row.vmStyle, row.onGlass);
        w.bar.ReplaceBarStyle(row.style);
        w.bar.SetControlBarStyle(row.canFloat ? ZUDP_CBRS_FLOAT : 0);
        w.bar.m_bFloating = row.floating;
        w.bar.m_bInDialog = row.inDialog;
        Canvas canvas(20, 10);
        const COLORREF clrBk = canvas.Dc().SetBkColor(RGB(1, 2, 3));
        CRect rect(0, 0, 20, 10);
        Manager()->DrawBarBorder(&canvas.Dc(), &w.bar, rect);
        EXPECT_EQ(row.rectAfter, rect);
        EXPECT_EQ(RGB(1, 2, 3), canvas.Dc().GetBkColor()) << "the background colour is restored";
        canvas.Dc().SetBkColor(clrBk);
        for (const PixelCheck& check : row.pixels)
            EXPECT_EQ(ExpectedColor(check.colour), canvas.Pixel(check.point.x, check.point.y))
                << "at " << check.point.x << "," << check.point.y;
    }
}

// Grippers on a 20 x 20 rectangle: two etched lines 4 pixels apart with a
// light corner pixel each, or with the Look2000 option one line without it.
TEST_F(VisualManagerBars, GripperLinesWithAndWithoutLook2000)
{
    struct Row {
        const char* name;
        BOOL horz, look2000, inDialog;
        std::vector<PixelCheck> pixels;
    } rows[] = {
        {"horizontal bar", TRUE, FALSE, FALSE,
         {{{8, 5}, Expect::BarHighlight}, {{10, 5}, Expect::BarShadow}, {{9, 5}, Expect::Untouched},
          {{9, 17}, Expect::BarShadow}, {{8, 17}, Expect::BarHighlight}, {{12, 5}, Expect::BarHighlight},
          {{14, 5}, Expect::BarShadow}, {{12, 17}, Expect::BarHighlight}, {{9, 1}, Expect::Untouched},
          {{9, 18}, Expect::Untouched}}},
        {"horizontal bar, Look2000", TRUE, TRUE, FALSE,
         {{{9, 5}, Expect::BarHighlight}, {{11, 5}, Expect::BarShadow}, {{9, 16}, Expect::BarShadow},
          {{9, 2}, Expect::Untouched}, {{13, 5}, Expect::Untouched}}},
        {"vertical bar", FALSE, FALSE, FALSE,
         {{{5, 8}, Expect::BarHighlight}, {{5, 10}, Expect::BarShadow}, {{17, 8}, Expect::BarHighlight},
          {{17, 9}, Expect::BarShadow}, {{5, 12}, Expect::BarHighlight}, {{5, 14}, Expect::BarShadow},
          {{1, 9}, Expect::Untouched}}},
        {"vertical bar, Look2000", FALSE, TRUE, FALSE,
         {{{5, 9}, Expect::BarHighlight}, {{5, 11}, Expect::BarShadow}, {{16, 9}, Expect::BarShadow},
          {{5, 13}, Expect::Untouched}, {{2, 10}, Expect::Untouched}}},
        {"horizontal bar in a dialog", TRUE, FALSE, TRUE,
         {{{8, 5}, Expect::ButtonHighlight}, {{10, 5}, Expect::ButtonShadow}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CZUDPVisualManager::SetLook2000Style(row.look2000);
        CZUDPToolBar bar;
        bar.m_bInDialog = row.inDialog;
        Canvas canvas(20, 20);
        Manager()->DrawBarGripper(&canvas.Dc(), CRect(0, 0, 20, 20), row.horz, &bar);
        for (const PixelCheck& check : row.pixels)
            EXPECT_EQ(ExpectedColor(check.colour), canvas.Pixel(check.point.x, check.point.y))
                << "at " << check.point.x << "," << check.point.y;
    }
}

// A separator is a 2-pixel etched strip in the middle of its rectangle: x 2
// to 4 of a 7-pixel one; on glass a single dark line.
TEST_F(VisualManagerBars, SeparatorStripInTheMiddle)
{
    struct Row {
        const char* name;
        CRect rect;
        BOOL horz, inDialog, onGlass;
        std::vector<PixelCheck> pixels;
    } rows[] = {
        {"horizontal bar, 7 wide", CRect(0, 0, 7, 10), TRUE, FALSE, FALSE,
         {{{1, 5}, Expect::Untouched}, {{2, 5}, Expect::BarShadow}, {{3, 5}, Expect::BarHighlight},
          {{4, 5}, Expect::Untouched}, {{2, 0}, Expect::BarShadow}, {{3, 9}, Expect::BarHighlight}}},
        {"vertical bar, 7 high", CRect(0, 0, 10, 7), FALSE, FALSE, FALSE,
         {{{5, 1}, Expect::Untouched}, {{5, 2}, Expect::BarShadow}, {{5, 3}, Expect::BarHighlight},
          {{5, 4}, Expect::Untouched}}},
        {"in a dialog", CRect(0, 0, 7, 10), TRUE, TRUE, FALSE,
         {{{2, 5}, Expect::ButtonShadow}, {{3, 5}, Expect::ButtonHighlight}}},
        {"on glass", CRect(0, 0, 7, 10), TRUE, FALSE, TRUE,
         {{{3, 0}, Expect::BarShadow}, {{3, 9}, Expect::BarShadow}, {{2, 5}, Expect::Untouched}, {{4, 5}, Expect::Untouched}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CZUDPToolBar bar;
        bar.m_bInDialog = row.inDialog;
        Canvas canvas(10, 10);
        {
            std::optional<CZUDPDrawOnGlass> glass;
            if (row.onGlass)
                glass.emplace(TRUE);
            Manager()->DrawSeparator(&canvas.Dc(), &bar, row.rect, row.horz);
        }
        for (const PixelCheck& check : row.pixels)
            EXPECT_EQ(ExpectedColor(check.colour), canvas.Pixel(check.point.x, check.point.y))
                << "at " << check.point.x << "," << check.point.y;
        if (row.onGlass) {
            EXPECT_EQ(0xFF, canvas.Alpha(3, 5)) << "the glass line is opaque";
        }
    }
}

// Bar backgrounds by bar class: the clip rectangle (or the client one when
// the clip is empty) in the colour the bar's kind asks for.
TEST_F(VisualManagerBars, BarBackgroundByBarKind)
{
    const CRect client(0, 0, 20, 10), clip(5, 0, 15, 10);
    struct Row {
        const char* name;
        std::function<CZUDPBaseControlBar*()> make;
        CRect clip;
        Expect inside, outside;  // at (10, 5) and (2, 5)
    } rows[] = {
        {"toolbar", [] { return new CZUDPToolBar; }, clip, Expect::BarFace, Expect::Untouched},
        {"toolbar, empty clip: whole client", [] { return new CZUDPToolBar; }, CRect(), Expect::BarFace, Expect::BarFace},
        {"toolbar in a dialog", [] { auto* p = new CZUDPToolBar; p->m_bInDialog = TRUE; return p; }, clip,
         Expect::ButtonFace, Expect::Untouched},
        {"caption bar in message mode, whatever its colour",
         [] { auto* p = new CZUDPCaptionBar; p->m_bMessageBarMode = TRUE; p->m_clrBarBackground = ExpectedColor(Expect::Own); return p; },
         clip, Expect::BarFace, Expect::Untouched},
        {"caption bar with its own colour",
         [] { auto* p = new CZUDPCaptionBar; p->m_clrBarBackground = ExpectedColor(Expect::Own); return p; }, clip,
         Expect::Own, Expect::Untouched},
        {"caption bar without a colour", [] { return new CZUDPCaptionBar; }, clip, Expect::BarShadow, Expect::Untouched},
        {"popup menu bar in the window colour",
         [] { auto* p = new CZUDPPopupMenuBar; p->m_bWindowBackground = TRUE; return p; }, clip, Expect::Window,
         Expect::Untouched},
        {"popup menu bar", [] { return new CZUDPPopupMenuBar; }, clip, Expect::BarFace, Expect::Untouched},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<CZUDPBaseControlBar> bar(row.make());
        Canvas canvas(20, 10);
        Manager()->FillBarBackground(&canvas.Dc(), bar.get(), client, row.clip, FALSE);
        EXPECT_EQ(ExpectedColor(row.inside), canvas.Pixel(10, 5));
        EXPECT_EQ(ExpectedColor(row.outside), canvas.Pixel(2, 5));
    }
    // A bar on glass is black over its whole client area.
    BarWindow<CZUDPToolBar> glass(FALSE, TRUE);
    Canvas canvas(20, 10);
    Manager()->FillBarBackground(&canvas.Dc(), &glass.bar, client, clip, FALSE);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(2, 5));
}

// A control on a bar gets the bar's background; a control elsewhere, or on
// a dialog bar in the manager's look, paints its own.
TEST_F(VisualManagerBars, ControlTakesItsParentBarsBackground)
{
    BarWindow<CZUDPToolBar> toolbar;
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(10, 5, 30, 15), &toolbar.bar, 1));
    Canvas canvas(20, 10);
    EXPECT_TRUE(Manager()->FillBackgroundFromParentBar(&child, &canvas.Dc(), nullptr));
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(5, 5));
    EXPECT_EQ(CPoint(0, 0), canvas.Dc().GetWindowOrg()) << "the origin is restored";

    canvas.Fill(kWhite);
    CRect clip(0, 0, 4, 4);
    EXPECT_TRUE(Manager()->FillBackgroundFromParentBar(&child, &canvas.Dc(), &clip));
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(2, 2));
    EXPECT_EQ(kWhite, canvas.Pixel(10, 5)) << "only the clip rectangle";

    BarWindow<CZUDPDialogBar> dialogBar;
    dialogBar.bar.m_bVisualManagerLook = TRUE;
    CWnd onDialogBar, onPlainWindow;
    onDialogBar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 5, 5), &dialogBar.bar, 1);
    CWnd plain;
    plain.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0);
    onPlainWindow.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 5, 5), &plain, 1);
    canvas.Fill(kWhite);
    EXPECT_FALSE(Manager()->FillBackgroundFromParentBar(&onDialogBar, &canvas.Dc(), nullptr));
    EXPECT_FALSE(Manager()->FillBackgroundFromParentBar(&onPlainWindow, &canvas.Dc(), nullptr));
    EXPECT_EQ(kWhite, canvas.Pixel(2, 2));
    onDialogBar.DestroyWindow();
    onPlainWindow.DestroyWindow();
    plain.DestroyWindow();
    child.DestroyWindow();
}

// The splitter between panes: bar background, and with the edge flag a
// line on the side that faces the client area.
TEST_F(VisualManagerBars, SliderEdgeLineByDockedSide)
{
    struct Row {
        DWORD side;
        CPoint line;
        Expect colour;
    } rows[] = {
        {CBRS_ALIGN_LEFT, {9, 10}, Expect::BarDarkShadow},
        {CBRS_ALIGN_RIGHT, {0, 10}, Expect::BarHighlight},
        {CBRS_ALIGN_TOP, {5, 19}, Expect::BarDarkShadow},
        {CBRS_ALIGN_BOTTOM, {5, 0}, Expect::BarHighlight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.side);
        CZUDPSlider slider(TRUE);
        slider.ReplaceBarStyle(row.side);
        Canvas canvas(10, 20);
        Manager()->DrawSlider(&canvas.Dc(), &slider, CRect(0, 0, 10, 20), TRUE);
        EXPECT_EQ(ExpectedColor(row.colour), canvas.Pixel(row.line.x, row.line.y));
        EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(5, 10));
        canvas.Fill(kWhite);
        Manager()->DrawSlider(&canvas.Dc(), &slider, CRect(0, 0, 10, 20), FALSE);
        EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(row.line.x, row.line.y)) << "no edge without the flag";
    }
}

TEST_F(VisualManagerBars, DialogBackgroundIsTheBarFace)
{
    Canvas canvas(10, 10);
    EXPECT_TRUE(Manager()->FillDialogBackground(&canvas.Dc(), nullptr, CRect(0, 0, 10, 10)));
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(5, 5));
}
