// The colour bar: its grid and sizes, the preview cell, choosing a colour
// by mouse messages (in a colour popup, torn off, through the colour
// dialog), command update, the cells' pixels, tooltips and the archive.
#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/win/FrameWnd.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBarColorButton.h"
#include "ui/controls/ZUDPColorMenuButton.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

const UINT kColorCommand = 33001;
const UINT kOtherCommand = 33002;

// n distinct grid colours.
class Colors {
public:
    explicit Colors(int n)
    {
        for (int i = 0; i < n; ++i)
            m_colors.Add(RGB(10 + i * 5, 250 - i * 5, (i * 37) & 0xFF));
    }
    operator const CArray<COLORREF, COLORREF>&() const { return m_colors; }
    COLORREF operator[](int i) const { return m_colors[i]; }

private:
    CArray<COLORREF, COLORREF> m_colors;
};

// A frame that records the commands it receives.
class CCommandFrame : public CFrameWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    bool Create() { return CreateEx(0, AfxRegisterWndClass(0), "colours", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 400), nullptr, 0) != FALSE; }
    std::vector<UINT> commands;
};

// Command targets for command update: an update handler, a command
// handler only, or neither.
class CUpdateFrame : public CCommandFrame {
public:
    BOOL enable = TRUE;
    void OnUpdateColor(CCmdUI* pCmdUI) { pCmdUI->Enable(enable); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CUpdateFrame, CCommandFrame)
    ON_UPDATE_COMMAND_UI(kColorCommand, &CUpdateFrame::OnUpdateColor)
END_MESSAGE_MAP()

class CHandlerFrame : public CCommandFrame {
public:
    void OnColor() {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHandlerFrame, CCommandFrame)
    ON_COMMAND(kColorCommand, &CHandlerFrame::OnColor)
END_MESSAGE_MAP()

// A bar made free (floating or docked) in a frame, sized to its content.
bool CreateFreeBar(CZUDPColorBar& bar, CWnd* pParent)
{
    if (!bar.CreatePaletteBar(pParent, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE900))
        return false;
    const CSize size = bar.CalcSize(FALSE);
    bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.PositionButtons();
    return true;
}

CZUDPToolBarColorButton* Cell(CZUDPColorBar& bar, int iIndex)
{
    return DYNAMIC_DOWNCAST(CZUDPToolBarColorButton, bar.GetButtonAt(iIndex));
}

int FindCell(CZUDPColorBar& bar, bool (*pred)(const CZUDPToolBarColorButton&))
{
    for (int i = 0; i < bar.GetCount(); ++i) {
        if (CZUDPToolBarColorButton* pCell = Cell(bar, i); pCell != nullptr && pred(*pCell))
            return i;
    }
    return -1;
}

int PreviewIndex(CZUDPColorBar& bar) { return FindCell(bar, [](const CZUDPToolBarColorButton& b) { return b.isPreview != FALSE; }); }
int OtherIndex(CZUDPColorBar& bar) { return FindCell(bar, [](const CZUDPToolBarColorButton& b) { return b.isOther != FALSE; }); }
int AutomaticIndex(CZUDPColorBar& bar) { return FindCell(bar, [](const CZUDPToolBarColorButton& b) { return b.isAutomatic != FALSE; }); }

// A click on a button as the mouse makes it: press, release.
void Click(CZUDPColorBar& bar, int iIndex)
{
    const CPoint pt = bar.GetButtonAt(iIndex)->rect.CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// The library's colour dialog, answered by the test.
class FakeColorDialog {
public:
    FakeColorDialog(INT_PTR nAnswer, COLORREF color)
        : m_scope(g_commandBarsSeams.libraryColorDialog, [this](HWND, COLORREF initial, COLORREF* pChosen) {
              initials.push_back(initial);
              if (onOpen)
                  onOpen();
              if (m_answer == IDOK)
                  *pChosen = m_color;
              return m_answer;
          }),
          m_answer(nAnswer), m_color(color)
    {
    }
    std::vector<COLORREF> initials;
    std::function<void()> onOpen;

private:
    ScopedSeam<INT_PTR(HWND, COLORREF, COLORREF*)> m_scope;
    INT_PTR m_answer;
    COLORREF m_color;
};

// Every test starts without remembered colours and leaves none.
class ColorBarTest : public ::testing::Test {
protected:
    void SetUp() override { g_commandColors.RemoveAll(); }
    void TearDown() override { g_commandColors.RemoveAll(); }
};

} // namespace

// Rows and columns of the grid: the column count given, the square-root
// rule, and the docked counts of a free bar.
TEST_F(ColorBarTest, GridDimensions)
{
    struct Row {
        int colours, columns, rowsDockedHorz, columnsDockedVert;
        BOOL dockable, vertical;
        int rows, cols;
    } rows[] = {
        {40, 8, 0, 0, FALSE, FALSE, 5, 8},
        {40, 0, 0, 0, FALSE, FALSE, 6, 7},   // (int)sqrt(40) + 1 = 7 columns
        {40, -1, 0, 0, FALSE, FALSE, 6, 7},
        {1, 0, 0, 0, FALSE, FALSE, 1, 2},
        {40, 8, 2, 0, TRUE, FALSE, 2, 20},   // docked along a horizontal row
        {40, 8, 2, 4, TRUE, TRUE, 10, 4},    // docked along a vertical row
        {40, 8, 0, 3, TRUE, FALSE, 14, 3},   // horizontal without a row count: the vertical count
        {40, 8, 2, 4, FALSE, FALSE, 5, 8},   // a popup bar ignores the docked counts
    };
    for (const Row& row : rows) {
        CZUDPColorBar bar;
        bar.colors.Copy(Colors(row.colours));
        bar.columns = row.columns;
        bar.rowsWhenDockedHorz = row.rowsDockedHorz;
        bar.columnsWhenDockedVert = row.columnsDockedVert;
        bar.dockable = row.dockable;
        int nRows = 0, nColumns = 0;
        bar.GetGridDimensions(row.vertical, nRows, nColumns);
        EXPECT_EQ(row.rows, nRows) << row.colours << " colours, " << row.columns << " columns";
        EXPECT_EQ(row.cols, nColumns) << row.colours << " colours, " << row.columns << " columns";
    }
}

// The size: the grid plus margins, plus a text row for the automatic and
// the other-colour row (a margin when only the other row is there), plus
// the document group when it shows.
TEST_F(ColorBarTest, HeightWithAndWithoutTextRows)
{
    const int cell = 17, text = 24, margin = 4;
    struct Row {
        const char *automatic, *other;
        int documentColours;
        int extra;
    } rows[] = {
        {nullptr, nullptr, 0, 0},
        {"Automatic", nullptr, 0, text},
        {nullptr, "More Colors...", 0, margin + text},
        {"Automatic", "More Colors...", 0, 2 * text},
        {nullptr, nullptr, 9, 2 * cell + margin + text + 4},  // 9 document colours in 8 columns: 2 rows
    };
    for (const Row& row : rows) {
        CList<COLORREF, COLORREF> documentColours;
        for (int i = 0; i < row.documentColours; ++i)
            documentColours.AddTail(RGB(i, i, i));
        CZUDPColorBar bar(Colors(40), (COLORREF)-1, row.automatic, row.other, "Document", documentColours, 8, 0, 0,
                          RGB(0, 0, 0), kColorCommand);
        bar.boxSize = CSize(cell, cell);
        bar.textRowHeight = text;
        const CSize size = bar.CalcSize(FALSE);
        EXPECT_EQ(8 * cell + 2 * margin, size.cx);
        EXPECT_EQ(5 * cell + 2 * margin + row.extra, size.cy)
            << (row.automatic ? "automatic " : "") << (row.other ? "other " : "") << row.documentColours;
    }
}

// The preview cell shows beside the other-colour row for a colour outside
// the grid and goes away for a grid colour; the mark follows the colour.
TEST_F(ColorBarTest, PreviewCellOnlyForColoursOutsideTheGrid)
{
    CCommandFrame frame;
    ASSERT_TRUE(frame.Create());
    const Colors colours(16);
    CZUDPColorBar bar(colours, colours[3], "Automatic", "Other", nullptr, CList<COLORREF, COLORREF>(), 4, 0, 0,
                      RGB(0, 0, 0), kColorCommand);
    ASSERT_TRUE(CreateFreeBar(bar, &frame));
    const int iPreview = PreviewIndex(bar);
    ASSERT_GE(iPreview, 0);
    EXPECT_TRUE(bar.GetButtonAt(iPreview)->rect.IsRectEmpty()) << "a grid colour is chosen";

    bar.SetSelectedColor(RGB(1, 2, 3));
    CZUDPToolBarColorButton* pPreview = Cell(bar, iPreview);
    EXPECT_FALSE(pPreview->rect.IsRectEmpty());
    EXPECT_EQ(RGB(1, 2, 3), pPreview->color);
    const CRect rectOther = bar.GetButtonAt(OtherIndex(bar))->rect;
    EXPECT_GE(pPreview->rect.left, rectOther.right) << "beside the other-colour row";
    EXPECT_FALSE(Cell(bar, AutomaticIndex(bar) + 4)->selected) << "the grid colour lost its mark";

    bar.SetSelectedColor(colours[5]);
    EXPECT_TRUE(Cell(bar, iPreview)->rect.IsRectEmpty());
    EXPECT_TRUE(Cell(bar, AutomaticIndex(bar) + 6)->selected);
    EXPECT_EQ(AutomaticIndex(bar) + 6, bar.GetHotIndex()) << "keys start at the marked cell";

    bar.SetSelectedColor((COLORREF)-1);
    EXPECT_TRUE(Cell(bar, AutomaticIndex(bar))->selected);
    frame.DestroyWindow();
}

// A torn-off (free) bar: a click on a cell marks it, gives the colour to
// every colour menu button of the command, records it and sends the
// command to the owner; the automatic row gives -1.
TEST_F(ColorBarTest, FreeBarChoiceSendsTheCommand)
{
    CCommandFrame frame;
    ASSERT_TRUE(frame.Create());
    CZUDPToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE901));
    CZUDPColorMenuButton* pOnToolbar = new CZUDPColorMenuButton(kColorCommand, "Colour");
    CZUDPColorMenuButton* pOtherCommand = new CZUDPColorMenuButton(kOtherCommand, "Other");
    toolbar.InsertButton(pOnToolbar);
    toolbar.InsertButton(pOtherCommand);

    const Colors colours(8);
    CZUDPColorBar popupBar(colours, (COLORREF)-1, "Automatic", nullptr, nullptr, CList<COLORREF, COLORREF>(), 4, 0, 0,
                           RGB(9, 9, 9), kColorCommand);
    CZUDPColorBar bar(popupBar, kColorCommand);
    ASSERT_TRUE(CreateFreeBar(bar, &frame));
    bar.SetOwner(&frame);

    Click(bar, AutomaticIndex(bar) + 3);
    EXPECT_EQ(colours[2], bar.GetSelectedColor());
    EXPECT_EQ(colours[2], pOnToolbar->GetColor());
    EXPECT_EQ(COLORREF(-1), pOtherCommand->GetColor());
    COLORREF recorded = 0;
    ASSERT_TRUE(g_commandColors.Lookup(kColorCommand, recorded));
    EXPECT_EQ(colours[2], recorded);
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(kColorCommand, frame.commands[0]);

    Click(bar, AutomaticIndex(bar));
    EXPECT_EQ(COLORREF(-1), bar.GetSelectedColor());
    EXPECT_EQ(COLORREF(-1), pOnToolbar->GetColor());
    EXPECT_EQ(2u, frame.commands.size());
    toolbar.DestroyWindow();
    frame.DestroyWindow();
}

// The other-colour row of a free bar: the library's dialog starts on the
// chosen colour (the automatic colour while automatic is chosen); a
// confirmed colour is taken, a cancelled dialog sends nothing.
TEST_F(ColorBarTest, OtherColourThroughTheDialog)
{
    CCommandFrame frame;
    ASSERT_TRUE(frame.Create());
    CZUDPColorBar popupBar(Colors(8), (COLORREF)-1, "Automatic", "Other", nullptr, CList<COLORREF, COLORREF>(), 4, 0,
                           0, RGB(7, 7, 7), kColorCommand);
    CZUDPColorBar bar(popupBar, kColorCommand);
    ASSERT_TRUE(CreateFreeBar(bar, &frame));
    bar.SetOwner(&frame);
    {
        FakeColorDialog dialog(IDCANCEL, 0);
        Click(bar, OtherIndex(bar));
        ASSERT_EQ(1u, dialog.initials.size());
        EXPECT_EQ(RGB(7, 7, 7), dialog.initials[0]);
        EXPECT_TRUE(frame.commands.empty());
        EXPECT_EQ(COLORREF(-1), bar.GetSelectedColor());
    }
    {
        FakeColorDialog dialog(IDOK, RGB(1, 200, 3));
        Click(bar, OtherIndex(bar));
        EXPECT_EQ(RGB(1, 200, 3), bar.GetSelectedColor());
        EXPECT_EQ(std::vector<UINT>{kColorCommand}, frame.commands);
        EXPECT_FALSE(bar.GetButtonAt(PreviewIndex(bar))->rect.IsRectEmpty());
    }
    {
        bar.useSystemColorDialog = TRUE;
        FakeColorDialog library(IDOK, RGB(1, 1, 1));
        int nSystem = 0;
        ScopedSeam system(g_colorChooserSeams.systemColorDialog, [&](HWND, COLORREF initial, COLORREF*) {
            EXPECT_EQ(RGB(1, 200, 3), initial);
            ++nSystem;
            return INT_PTR(IDCANCEL);
        });
        Click(bar, OtherIndex(bar));
        EXPECT_EQ(1, nSystem);
        EXPECT_TRUE(library.initials.empty());
    }
    frame.DestroyWindow();
}

namespace {

// A colour popup that counts its live objects: a popup deletes itself
// with its window, exactly once, whichever way it goes.
class CCountedColorPopup : public CColorPopup {
public:
    template <class... Args>
    explicit CCountedColorPopup(Args&&... args) : CColorPopup(std::forward<Args>(args)...)
    {
        ++s_live;
    }
    ~CCountedColorPopup() override { --s_live; }
    static int s_live;
};
int CCountedColorPopup::s_live = 0;

// A colour menu button whose popups are counted; they are made as the
// button makes its own.
class CCountingColorButton : public CZUDPColorMenuButton {
public:
    using CZUDPColorMenuButton::CZUDPColorMenuButton;
    CZUDPPopupMenu* CreatePopupMenuObject() override
    {
        auto* pPopup = new CCountedColorPopup(
            this, m_Colors, m_Color, m_bIsAutomaticButton ? (LPCTSTR)m_strAutomaticButtonLabel : nullptr,
            m_bIsOtherButton ? (LPCTSTR)m_strOtherButtonLabel : nullptr, nullptr, CList<COLORREF, COLORREF>(),
            m_nColumns, m_nHorzDockRows, m_nVertDockColumns, m_colorAutomatic, commandId);
        pPopup->GetColorBar().useSystemColorDialog = m_bStdColorDlg;
        return pPopup;
    }
};

// A colour popup as a colour menu button opens it: the library's popup
// window with the button as its parent button and the colour bar inside.
struct PopupFixture {
    CCommandFrame frame;
    CZUDPToolBar toolbar;
    CCountingColorButton* pButton = nullptr;
    CZUDPColorMenuButton* pTwin = nullptr;
    CZUDPPopupMenu* pPopup = nullptr;
    CZUDPColorBar* pBar = nullptr;
    HWND hWndPopup = nullptr;
    int savedAnimation = g_menuAnimation;

    bool Make(BOOL bOther)
    {
        if (!frame.Create() || !toolbar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE902))
            return false;
        toolbar.SetOwner(&frame);
        pButton = new CCountingColorButton(kColorCommand, "Colour");
        pButton->m_Colors.Copy(Colors(8));
        pButton->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
        if (bOther)
            pButton->EnableOtherButton("Other", TRUE);
        pButton->SetColumnsNumber(4);
        pTwin = new CZUDPColorMenuButton(kColorCommand, "Colour");
        toolbar.InsertButton(pButton);
        toolbar.InsertButton(pTwin);
        g_menuAnimation = 0;
        return true;
    }
    bool Open(BOOL bOther)
    {
        if (!Make(bOther) || !pButton->OpenPopupMenu(&toolbar))
            return false;
        pPopup = pButton->openPopup;
        CColorPopup* pColorPopup = dynamic_cast<CColorPopup*>(pPopup);
        if (pColorPopup == nullptr)
            return false;
        pBar = &pColorPopup->GetColorBar();
        hWndPopup = pPopup->GetSafeHwnd();
        return true;
    }
    ~PopupFixture()
    {
        if (::IsWindow(hWndPopup))
            ::DestroyWindow(hWndPopup);
        if (toolbar.GetSafeHwnd() != nullptr)
            toolbar.DestroyWindow();
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
        g_menuAnimation = savedAnimation;
        g_customizeMode = FALSE;
    }
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
};

} // namespace

// In a popup opened by a colour menu button: the popup's own placement
// sizes the window for the whole bar (the other-colour row included);
// every button of the command takes the chosen colour and the popup's
// dispatch closes it with the button's command, counted as a use.
TEST_F(ColorBarTest, PopupChoiceColoursTheCommandAndCloses)
{
    PopupFixture popup;
    ASSERT_TRUE(popup.Open(TRUE));
    EXPECT_EQ(popup.pButton, popup.pBar->GetParentColorMenuButton());
    EXPECT_EQ(1, CCountedColorPopup::s_live);

    const int b = popup.pPopup->BorderWidth();
    const int nShadow = popup.pPopup->m_iShadowSize;
    const CSize sizeBar = popup.pBar->CalcSize(FALSE);
    CRect rectWindow;
    popup.pPopup->GetWindowRect(&rectWindow);
    EXPECT_EQ(sizeBar.cx + 2 * b + nShadow, rectWindow.Width());
    EXPECT_EQ(sizeBar.cy + 2 * b + nShadow, rectWindow.Height());
    CRect rectBarClient;
    popup.pBar->GetClientRect(&rectBarClient);
    EXPECT_EQ(sizeBar, rectBarClient.Size());
    const CRect rectOther = popup.pBar->GetButtonAt(OtherIndex(*popup.pBar))->rect;
    EXPECT_FALSE(rectOther.IsRectEmpty());
    EXPECT_LE(rectOther.bottom, rectBarClient.bottom) << "the other-colour row lies inside the window";

    const UINT nUsesBefore = CZUDPToolBar::GetCommandUseCount(kColorCommand);
    const COLORREF chosen = popup.pBar->colors[5];
    Click(*popup.pBar, AutomaticIndex(*popup.pBar) + 6);
    EXPECT_FALSE(::IsWindow(popup.hWndPopup)) << "the popup closed";
    EXPECT_EQ(0, CCountedColorPopup::s_live);
    EXPECT_EQ(nullptr, popup.pButton->openPopup);
    EXPECT_EQ(chosen, popup.pButton->GetColor());
    EXPECT_EQ(chosen, popup.pTwin->GetColor());
    EXPECT_EQ(nUsesBefore + 1, CZUDPToolBar::GetCommandUseCount(kColorCommand));
    popup.Pump();
    EXPECT_EQ(std::vector<UINT>{kColorCommand}, popup.frame.commands);
}

// Every way a colour popup ends deletes it exactly once: refused while
// toolbars are customized, closed from outside, or by Escape.
TEST_F(ColorBarTest, PopupObjectsAreDeletedOnceWhicheverWayTheyEnd)
{
    {
        PopupFixture popup;
        ASSERT_TRUE(popup.Make(FALSE));
        g_customizeMode = TRUE;
        EXPECT_FALSE(popup.pButton->OpenPopupMenu(&popup.toolbar));
        EXPECT_EQ(nullptr, popup.pButton->openPopup);
        EXPECT_EQ(0, CCountedColorPopup::s_live);
    }
    {
        PopupFixture popup;
        ASSERT_TRUE(popup.Open(FALSE));
        ::DestroyWindow(popup.hWndPopup);
        EXPECT_EQ(0, CCountedColorPopup::s_live);
        EXPECT_EQ(nullptr, popup.pButton->openPopup);
    }
    {
        PopupFixture popup;
        ASSERT_TRUE(popup.Open(FALSE));
        popup.pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        EXPECT_FALSE(::IsWindow(popup.hWndPopup));
        EXPECT_EQ(0, CCountedColorPopup::s_live);
        popup.Pump();
        EXPECT_TRUE(popup.frame.commands.empty());
    }
}

// Cancelling the other-colour dialog of a popup closes it without a
// command; a popup that goes away while the dialog is open (taking the
// bar with it) ends the click quietly.
TEST_F(ColorBarTest, PopupOtherColourCancelledOrGone)
{
    {
        PopupFixture popup;
        ASSERT_TRUE(popup.Open(TRUE));
        FakeColorDialog dialog(IDCANCEL, 0);
        Click(*popup.pBar, OtherIndex(*popup.pBar));
        EXPECT_EQ(1u, dialog.initials.size());
        EXPECT_FALSE(::IsWindow(popup.hWndPopup));
        popup.Pump();
        EXPECT_TRUE(popup.frame.commands.empty());
        EXPECT_EQ(COLORREF(-1), popup.pButton->GetColor());
    }
    {
        PopupFixture popup;
        ASSERT_TRUE(popup.Open(TRUE));
        FakeColorDialog dialog(IDOK, RGB(5, 6, 7));
        const HWND hWndPopup = popup.hWndPopup;
        dialog.onOpen = [hWndPopup] { ::DestroyWindow(hWndPopup); };
        Click(*popup.pBar, OtherIndex(*popup.pBar));
        EXPECT_FALSE(::IsWindow(popup.hWndPopup));
        popup.Pump();
        EXPECT_TRUE(popup.frame.commands.empty());
    }
}

// Command update: an update handler decides; without one the bar is
// enabled only when the frame disables handler-less commands and has a
// handler; a disabled bar marks every cell and draws etched frames.
TEST_F(ColorBarTest, CommandUpdateEnablesTheBar)
{
    auto check = [](CCommandFrame& frame, BOOL bDisableIfNoHandler, BOOL bExpected, const char* what) {
        ASSERT_TRUE(frame.Create());
        CZUDPColorBar popupBar(Colors(4), (COLORREF)-1, nullptr, nullptr, nullptr, CList<COLORREF, COLORREF>(), 4, 0,
                               0, RGB(0, 0, 0), kColorCommand);
        CZUDPColorBar bar(popupBar, kColorCommand);
        ASSERT_TRUE(CreateFreeBar(bar, &frame));
        bar.enabled = !bExpected;
        bar.UpdateCmdUI(&frame, bDisableIfNoHandler);
        EXPECT_EQ(bExpected, bar.enabled) << what;
        for (int i = 0; i < bar.GetCount(); ++i)
            EXPECT_EQ(bExpected, !(bar.GetButtonAt(i)->style & TBBS_DISABLED)) << what << " cell " << i;
        bar.DestroyWindow();
        frame.DestroyWindow();
    };
    {
        CUpdateFrame frame;
        check(frame, FALSE, TRUE, "update handler enables");
    }
    {
        CUpdateFrame frame;
        frame.enable = FALSE;
        check(frame, TRUE, FALSE, "update handler disables");
    }
    {
        CHandlerFrame frame;
        check(frame, TRUE, TRUE, "command handler, disable handler-less");
    }
    {
        CHandlerFrame frame;
        check(frame, FALSE, FALSE, "command handler, keep handler-less");
    }
    {
        CCommandFrame frame;
        check(frame, TRUE, FALSE, "no handler");
    }
}

// The cells' pixels: a swatch in its colour framed in the bar-shadow
// colour; a disabled cell only an etched frame; the selected cell drawn
// checked; an automatic row with its square swatch.
TEST_F(ColorBarTest, CellPixels)
{
    uitest::RecordingManagerScope manager;
    manager->draws = false;
    struct Row {
        BOOL disabled, automatic;
    } rows[] = {{FALSE, FALSE}, {TRUE, FALSE}, {FALSE, TRUE}};
    const COLORREF swatch = RGB(200, 30, 90);
    const COLORREF shadow = g_uiEnvironment.m_colorBarShadow;
    for (const Row& row : rows) {
        trovtest::DibCanvas canvas(40, 30);
        canvas.Fill(trovtest::kWhite);
        CZUDPToolBarColorButton button(swatch, row.automatic, FALSE, row.automatic ? "Auto" : nullptr, FALSE);
        if (row.disabled)
            button.style |= TBBS_DISABLED;
        const CRect rect = row.automatic ? CRect(0, 0, 40, 30) : CRect(0, 0, 17, 16);
        button.DrawButton(CDC::FromHandle(canvas.Dc()), rect, nullptr);
        if (row.automatic) {
            // S = (2,2,38,28); the square: (5,5) to (5+20, 25).
            EXPECT_EQ(swatch, canvas.Pixel(14, 14));
            EXPECT_EQ(shadow, canvas.Pixel(5, 14)) << "the swatch's outline";
            EXPECT_EQ(trovtest::kWhite, canvas.Pixel(27, 3));
            continue;
        }
        if (row.disabled) {
            EXPECT_EQ(trovtest::kWhite, canvas.Pixel(8, 8)) << "no swatch";
            EXPECT_EQ(g_uiEnvironment.m_colorBarHighlight, canvas.Pixel(2, 8)) << "etched: raised left edge";
            EXPECT_EQ(shadow, canvas.Pixel(3, 8)) << "etched: sunken left edge";
        } else {
            // S = (2,2,15,14) less one pixel right and bottom: (2,2,14,13).
            EXPECT_EQ(swatch, canvas.Pixel(8, 8));
            EXPECT_EQ(shadow, canvas.Pixel(2, 8));
            EXPECT_EQ(shadow, canvas.Pixel(13, 8));
            EXPECT_EQ(shadow, canvas.Pixel(8, 12));
            EXPECT_EQ(trovtest::kWhite, canvas.Pixel(14, 8)) << "the right edge left out";
        }
    }

    CZUDPToolBarColorButton selected(swatch, FALSE, FALSE, nullptr, TRUE);
    trovtest::DibCanvas canvas(17, 16);
    selected.DrawButton(CDC::FromHandle(canvas.Dc()), CRect(0, 0, 17, 16), nullptr);
    EXPECT_EQ(0u, selected.style & TBBS_CHECKED) << "the style comes back after drawing checked";
}

// Tooltips: a colour without a name is named in hexadecimal, red first;
// a named colour by its name; rows by their caption; none when disabled.
TEST_F(ColorBarTest, TooltipNames)
{
    g_colorNames.SetAt(RGB(0, 0, 255), "Blue");
    struct Row {
        COLORREF color;
        BOOL other;
        const char* caption;
        const char* expected;
    } rows[] = {
        {0x000080FF, FALSE, nullptr, "Hex={FF,80,00}"},
        {RGB(0, 0, 255), FALSE, nullptr, "Blue"},
        {(COLORREF)-1, TRUE, "More Colors...", "More Colors..."},
    };
    for (const Row& row : rows) {
        CZUDPToolBarColorButton button(row.color, FALSE, row.other, row.caption, FALSE);
        TOOLINFOA info = {};
        ASSERT_TRUE(button.FillToolInfo(nullptr, &info));
        EXPECT_STREQ(row.expected, info.lpszText);
        free(info.lpszText);
    }
    CZUDPToolBarColorButton disabled(RGB(1, 2, 3), FALSE, FALSE, nullptr, FALSE);
    disabled.style |= TBBS_DISABLED;
    TOOLINFOA info = {};
    EXPECT_FALSE(disabled.FillToolInfo(nullptr, &info));
    g_colorNames.RemoveAll();
}

namespace {

CString StoreBar(CZUDPColorBar& bar)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        bar.Serialize(ar);
    }
    const ULONGLONG nLength = file.GetLength();
    BYTE* pBytes = file.Detach();
    CString bytes(reinterpret_cast<const char*>(pBytes), int(nLength));
    free(pBytes);
    return bytes;
}

void LoadBar(CZUDPColorBar& bar, const CString& bytes)
{
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>((LPCTSTR)bytes)), UINT(bytes.GetLength()));
    CArchive ar(&file, CArchive::load);
    bar.Serialize(ar);
}

} // namespace

// The archive keeps the grid, labels and options; a stored colour count
// that the remaining bytes cannot hold is refused before anything is
// allocated and leaves the bar as it was.
TEST_F(ColorBarTest, ArchiveRoundTripAndBadCount)
{
    CList<COLORREF, COLORREF> documentColours;
    documentColours.AddTail(RGB(1, 1, 1));
    CZUDPColorBar source(Colors(12), RGB(3, 3, 3), "Automatic", "Other", "Document", documentColours, 6, 2, 3,
                         RGB(9, 8, 7), kColorCommand);
    source.useSystemColorDialog = TRUE;
    const CString bytes = StoreBar(source);

    CZUDPColorBar loaded;
    LoadBar(loaded, bytes);
    EXPECT_EQ(6, loaded.columns);
    EXPECT_EQ(2, loaded.rowsWhenDockedHorz);
    EXPECT_EQ(3, loaded.columnsWhenDockedVert);
    EXPECT_EQ(RGB(9, 8, 7), loaded.automaticColor);
    EXPECT_STREQ("Automatic", loaded.automaticLabel);
    EXPECT_STREQ("Other", loaded.otherLabel);
    EXPECT_STREQ("Document", loaded.documentLabel);
    EXPECT_FALSE(loaded.dockable);
    EXPECT_EQ(kColorCommand, loaded.commandId);
    EXPECT_TRUE(loaded.useSystemColorDialog);
    ASSERT_EQ(12, loaded.colors.GetSize());
    EXPECT_EQ(source.colors[11], loaded.colors[11]);
    EXPECT_EQ(COLORREF(-1), loaded.GetSelectedColor()) << "the chosen colour is not stored";
    EXPECT_TRUE(loaded.documentColors.IsEmpty());

    // The count is the 32-bit value before the 12 colours at the end.
    CString bad = bytes;
    const int nCountAt = bad.GetLength() - 12 * 4 - 4;
    bad.SetAt(nCountAt + 3, char(0x10));  // 0x1000000C colours
    CZUDPColorBar target;
    target.colors.Copy(Colors(3));
    EXPECT_THROW(LoadBar(target, bad), CArchiveException*);
    EXPECT_EQ(3, target.colors.GetSize());
    bad.SetAt(nCountAt + 3, char(0x80));  // negative
    EXPECT_THROW(LoadBar(target, bad), CArchiveException*);
    EXPECT_EQ(3, target.colors.GetSize());
}

// Fitting the cells to a control: square cells that fill the window,
// centred; a window too small for any cell still gets cells of 1 pixel.
TEST_F(ColorBarTest, ControlCellsFitTheWindow)
{
    CCommandFrame frame;
    ASSERT_TRUE(frame.Create());
    struct Row {
        CRect rect;
        int minSide, maxSide;
    } rows[] = {{CRect(10, 10, 110, 110), 15, 25}, {CRect(0, 0, 6, 6), 1, 1}};
    for (const Row& row : rows) {
        CZUDPColorBar bar;
        ASSERT_TRUE(bar.CreateControl(&frame, row.rect, 16516, 4, nullptr));
        EXPECT_EQ(20, bar.colors.GetSize()) << "the stock palette";
        EXPECT_EQ(bar.boxSize.cx, bar.boxSize.cy);
        EXPECT_GE(bar.boxSize.cx, row.minSide);
        EXPECT_LE(bar.boxSize.cx, row.maxSide);
        EXPECT_EQ(16516u, bar.commandId);
        const CSize size = bar.CalcSize(TRUE);
        CRect rectClient;
        bar.GetClientRect(&rectClient);
        if (row.minSide > 1) {
            EXPECT_LE(size.cx, rectClient.Width());
            EXPECT_LE(size.cy, rectClient.Height());
            EXPECT_EQ((rectClient.Width() - size.cx) / 2, bar.contentOffset.x);
        }
        bar.DestroyWindow();
    }
    frame.DestroyWindow();
}

// Palettes exist only on 8-bit displays, of at most the first 100 colours.
TEST_F(ColorBarTest, PalettesOnlyAtEightBits)
{
    const int nDepth = g_uiEnvironment.m_bitsPerPixel;
    CPalette palette;
    g_uiEnvironment.m_bitsPerPixel = 32;
    EXPECT_FALSE(CZUDPColorBar::BuildPaletteFromColors(Colors(10), palette));
    EXPECT_EQ(nullptr, palette.GetSafeHandle());
    g_uiEnvironment.m_bitsPerPixel = 8;
    CArray<COLORREF, COLORREF> many;
    for (int i = 0; i < 150; ++i)
        many.Add(RGB(i, 0, 0));
    EXPECT_TRUE(CZUDPColorBar::BuildPaletteFromColors(many, palette));
    EXPECT_EQ(100, palette.GetEntryCount());
    EXPECT_FALSE(CZUDPColorBar::BuildPaletteFromColors(CArray<COLORREF, COLORREF>(), palette));
    EXPECT_EQ(nullptr, palette.GetSafeHandle());
    g_uiEnvironment.m_bitsPerPixel = nDepth;

    CArray<COLORREF, COLORREF> loaded;
    CZUDPColorBar::LoadColorsFromPalette(nullptr, loaded);
    EXPECT_EQ(20, loaded.GetSize());
    EXPECT_EQ(RGB(0, 0, 0), loaded[0]);
}

namespace {

// A library frame (it keeps torn-off bars) that handles the colour
// command (the torn-off bar is enabled by it) and records its commands.
class CTearOffColorFrame : public CZUDPFrameWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CZUDPFrameWnd::OnCommand(wParam, lParam);
    }
    void OnColor() {}
    std::vector<UINT> commands;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTearOffColorFrame, CZUDPFrameWnd)
    ON_COMMAND(kColorCommand, &CTearOffColorFrame::OnColor)
END_MESSAGE_MAP()

} // namespace

// A colour popup torn off leaves a free colour bar of the button's command
// in the frame's torn-off bars; a choice there sends the command to its
// owner and records the colour for the command.
TEST_F(ColorBarTest, TornOffPopupLeavesAColourBarOfTheCommand)
{
    CTearOffColorFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "colours", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 650, 450)));
    CZUDPToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE903));
    toolbar.SetOwner(&frame);
    auto* pButton = new CZUDPColorMenuButton(kColorCommand, "&Colour");
    pButton->m_Colors.Copy(Colors(8));
    pButton->SetColumnsNumber(4);
    pButton->SetTearOffId(4712);
    toolbar.InsertButton(pButton);
    const int nSavedAnimation = g_menuAnimation;
    g_menuAnimation = 0;
    ASSERT_TRUE(pButton->OpenPopupMenu(&toolbar));
    g_menuAnimation = nSavedAnimation;
    CZUDPPopupMenu* pPopup = pButton->openPopup;
    ASSERT_NE(nullptr, pPopup);
    const HWND hWndPopup = pPopup->m_hWnd;
    const CRect rectCaption = pPopup->m_rectTearOffCaption;
    ASSERT_FALSE(rectCaption.IsRectEmpty());

    // Press on the caption, leave it with the button down, release.
    const CPoint ptOn = rectCaption.CenterPoint();
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptOn.x, ptOn.y));
    frame.PostMessage(WM_LBUTTONUP, 0, 0);
    pPopup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptOn.x, rectCaption.bottom + 8));
    EXPECT_FALSE(::IsWindow(hWndPopup));

    auto* pBar = DYNAMIC_DOWNCAST(CZUDPColorBar, frame.GetFrameImpl().FindTearOffBar(4712));
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(kColorCommand, pBar->commandId);
    EXPECT_TRUE(pBar->dockable);
    EXPECT_NE(nullptr, pBar->GetParentMiniFrame(TRUE)) << "floating";
    CString strTitle;
    pBar->GetWindowText(strTitle);
    EXPECT_STREQ("Colour", strTitle);

    pBar->SetOwner(&frame);
    const COLORREF chosen = pBar->colors[2];
    int iCell = -1;
    for (int i = 0; i < pBar->GetCount() && iCell < 0; ++i) {
        if (Cell(*pBar, i) != nullptr && Cell(*pBar, i)->color == chosen && !Cell(*pBar, i)->isPreview)
            iCell = i;
    }
    ASSERT_GE(iCell, 0);
    Click(*pBar, iCell);
    EXPECT_EQ(std::vector<UINT>{kColorCommand}, frame.commands);
    COLORREF recorded = 0;
    EXPECT_TRUE(g_commandColors.Lookup(kColorCommand, recorded));
    EXPECT_EQ(chosen, recorded);
    EXPECT_EQ(chosen, pButton->GetColor());
    toolbar.DestroyWindow();
    frame.DestroyWindow();
}
