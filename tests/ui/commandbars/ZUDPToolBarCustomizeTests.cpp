// Toolbars in customization mode, driven by messages and the drag-loop
// seam: buttons dragged between bars, off every bar and back, copied with
// Ctrl, groups started and ended by small drags, drops at the end of a bar
// with an overflow button, the insertion mark, the resize of a button with
// a control, the button context menu's commands, and the Alt+drag that
// leaves customization mode off.
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "framework/win/Ole.h"
#include "res/ui/commandbars.h"
#include "tests/common/DragLoopWin.h"
#include "tests/ui/commandbars/ToolBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPCustomizeMenuButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarDropSource.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace toolbartest;

// A button that refuses to be dropped on any bar (the source must keep
// it).
class CDropRefusingButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CDropRefusingButton)
public:
    CDropRefusingButton() = default;
    BOOL OnBeforeDrop(CZUDPToolBar* pTarget) override
    {
        (void)pTarget;
        return FALSE;
    }
};
IMPLEMENT_SERIAL(CDropRefusingButton, CZUDPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

// A button with an embedded control: only its width matters here.
class CWidthButton : public CZUDPToolbarButton {
public:
    CWidthButton() : CZUDPToolbarButton(ID_TEST_PRINT, -1, "Width") { locked = FALSE; }
    BOOL HasEmbeddedControl() const override { return TRUE; }
    void SetWidth(int nWidth) override { width = nWidth; }
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override
    {
        (void)pDC;
        (void)bHorz;
        return CSize(width, sizeDefault.cy);
    }
    int width = 60;
};


std::vector<UINT> BarCommands(const CZUDPToolBar& bar)
{
    std::vector<UINT> commands;
    for (int i = 0; i < bar.GetCount(); ++i) {
        if (bar.GetButtonAt(i) != bar.GetOverflowButton())
            commands.push_back(bar.GetCommandAt(i));
    }
    return commands;
}

class ToolBarCustomizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(m_hostA.Make(CRect(0, 0, 400, 60)));
        ASSERT_TRUE(m_hostB.Make(CRect(0, 200, 400, 260)));
        ASSERT_TRUE(MakeToolbar(m_barA, m_hostA));
        ASSERT_TRUE(MakeToolbar(m_barB, m_hostB));
        // A: open, save, separator, print and the overflow button; B: cut
        // and paste.
        for (UINT id : {UINT(ID_TEST_OPEN), UINT(ID_TEST_SAVE), 0u, UINT(ID_TEST_PRINT)}) {
            if (id == 0)
                m_barA.InsertSeparator(-1);
            else
                m_barA.InsertButton(NewButton(id, 0));
        }
        m_barA.SetOverflowButton(TRUE, 900, "Customize");
        m_barB.InsertButton(NewButton(ID_TEST_CUT, 0));
        m_barB.InsertButton(NewButton(ID_TEST_PASTE, 0));
        for (CZUDPToolBar* pBar : {&m_barA, &m_barB}) {
            for (int i = 0; i < pBar->GetCount(); ++i)
                pBar->GetButtonAt(i)->locked = FALSE;
            pBar->PositionButtons();
        }
        CZUDPToolBar::SetCustomizeMode(TRUE);
    }
    void TearDown() override
    {
        CZUDPToolBar::SetCustomizeMode(FALSE);
        g_altCustomization = FALSE;
        m_barA.DestroyWindow();
        m_barB.DestroyWindow();
        m_hostA.DestroyWindow();
        m_hostB.DestroyWindow();
    }

    static CPoint Screen(CZUDPToolBar& bar, CPoint pt)
    {
        bar.ClientToScreen(&pt);
        return pt;
    }
    static CPoint Centre(CZUDPToolBar& bar, int i) { return bar.GetButtonAt(i)->rect.CenterPoint(); }
    static IDropTarget* Target(CZUDPToolBar& bar) { return bar.m_DropTarget.GetDropTarget(); }

    // Presses the button at the client point of the bar (with the key
    // flags) and runs the drag steps; the cursor rests where the last step
    // left it.
    void Drag(CZUDPToolBar& bar, CPoint ptPress, std::vector<trovtest::DragStep> steps, WPARAM flags = MK_LBUTTON,
              BOOL bAlt = FALSE)
    {
        CPoint ptCursor = steps.empty() ? Screen(bar, ptPress) : CPoint(steps.back().screenPoint);
        ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState, [&](int key) -> SHORT {
            if (key == VK_LBUTTON || (key == VK_MENU && bAlt) || (key == VK_CONTROL && (flags & MK_CONTROL)))
                return SHORT(0x8000);
            return 0;
        });
        ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [&](POINT* pt) {
            *pt = ptCursor;
            return TRUE;
        });
        ScopedSeam<BOOL(HWND, const RECT*)> wait(g_frameworkSeams.dragStartLoop, [](HWND, const RECT*) { return TRUE; });
        ScopedSeam<HRESULT(IDataObject*, IDropSource*, DWORD, DWORD*)> loop(
            g_frameworkSeams.dragLoop, [&](IDataObject* pData, IDropSource* pSource, DWORD ok, DWORD* pEffect) {
                return trovtest::RunDragSteps(pData, pSource, ok, pEffect, steps);
            });
        bar.SendMessage(WM_LBUTTONDOWN, flags, PointParam(ptPress));
    }

    // A drag of the bar's button i that ends with a release at a client
    // point of the target bar (its drop target under the pointer).
    void DragTo(CZUDPToolBar& from, int i, CZUDPToolBar& to, CPoint ptDrop, DWORD keys = 0)
    {
        const CPoint ptStart = Centre(from, i);
        Drag(from, ptStart,
             {{Target(from), Screen(from, ptStart + CPoint(1, 0)), MK_LBUTTON | keys},
              {Target(to), Screen(to, ptDrop), MK_LBUTTON | keys},
              {Target(to), Screen(to, ptDrop), keys}},
             MK_LBUTTON | keys);
    }

    ToolbarStateGuard m_state;
    CHostWnd m_hostA, m_hostB;
    CZUDPToolBar m_barA, m_barB;
};

} // namespace

// The mode switches every bar once: a second switch answers FALSE;
// leaving forgets the selection.
TEST_F(ToolBarCustomizeTest, ModeSwitchesOnceAndLeavingClearsTheSelection)
{
    EXPECT_FALSE(CZUDPToolBar::SetCustomizeMode(TRUE));
    m_barA.SelectCustomizeButton(1);
    EXPECT_EQ(&m_barA, g_customizeSelectedBar);
    m_barB.SelectCustomizeButton(0);
    EXPECT_EQ(&m_barB, g_customizeSelectedBar);
    EXPECT_EQ(-1, m_barA.GetSelectedIndex()) << "one selection in the library";
    EXPECT_TRUE(CZUDPToolBar::SetCustomizeMode(FALSE));
    EXPECT_FALSE(g_customizeMode);
    EXPECT_EQ(nullptr, g_customizeSelectedBar);
    EXPECT_EQ(-1, m_barB.GetSelectedIndex());
}

// Off every bar the button is deleted; Escape during the drag keeps it.
TEST_F(ToolBarCustomizeTest, DroppedOffEveryBarDeletesEscapeKeeps)
{
    const CPoint ptSave = Centre(m_barA, 1);
    const CPoint ptNowhere(900, 700);
    Drag(m_barA, ptSave,
         {{Target(m_barA), Screen(m_barA, ptSave + CPoint(1, 0)), MK_LBUTTON},
          {nullptr, ptNowhere, MK_LBUTTON},
          {nullptr, ptNowhere, MK_LBUTTON, TRUE}});
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA))
        << "Escape keeps the button";

    Drag(m_barA, ptSave,
         {{Target(m_barA), Screen(m_barA, ptSave + CPoint(1, 0)), MK_LBUTTON},
          {nullptr, ptNowhere, MK_LBUTTON},
          {nullptr, ptNowhere, 0}});
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), BarCommands(m_barA));
    EXPECT_NE(nullptr, m_barA.GetOverflowButton());
}

// A move takes the button from its bar to the other; Ctrl copies it and
// the source keeps its own.
TEST_F(ToolBarCustomizeTest, MoveAndCopyBetweenBars)
{
    const CPoint ptPaste = m_barB.GetButtonAt(1)->rect.TopLeft() + CPoint(2, 4);
    DragTo(m_barA, 1, m_barB, ptPaste);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_CUT, ID_TEST_SAVE, ID_TEST_PASTE}), BarCommands(m_barB));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), BarCommands(m_barA));

    m_barB.PositionButtons();
    m_barA.PositionButtons();
    DragTo(m_barA, 0, m_barB, m_barB.GetButtonAt(0)->rect.TopLeft() + CPoint(1, 4), MK_CONTROL);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_CUT, ID_TEST_SAVE, ID_TEST_PASTE}), BarCommands(m_barB));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), BarCommands(m_barA)) << "copied";
}

// Dropped at its own place after a drag of at least 6 pixels along the
// bar, a button starts a group (forwards) or joins the previous one
// (backwards); less than 6 pixels changes nothing.
TEST_F(ToolBarCustomizeTest, SmallDragsAtTheOwnPlaceMakeAndRemoveGroups)
{
    auto dragSave = [&](CPoint ptFrom, CPoint ptTo) {
        Drag(m_barA, ptFrom,
             {{Target(m_barA), Screen(m_barA, ptFrom + CPoint(1, 0)), MK_LBUTTON},
              {Target(m_barA), Screen(m_barA, ptTo), MK_LBUTTON},
              {Target(m_barA), Screen(m_barA, ptTo), 0}});
        m_barA.PositionButtons();
    };
    // Save pressed at its left edge, dropped on the left half of the
    // separator after it: its own place, a button's width to the right.
    const CRect rectSave = m_barA.GetButtonAt(1)->rect;
    const CRect rectSeparator = m_barA.GetButtonAt(2)->rect;
    ASSERT_GE(rectSeparator.left - rectSave.left, 6);
    dragSave(CPoint(rectSave.left + 1, rectSave.CenterPoint().y),
             CPoint(rectSeparator.left + 1, rectSave.CenterPoint().y));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA))
        << "a new group starts at Save";

    // Pressed at its right edge, dropped on the right half of the
    // separator before it: Save joins Open's group again.
    const CRect rectSaveNow = m_barA.GetButtonAt(2)->rect;
    const CRect rectBefore = m_barA.GetButtonAt(1)->rect;
    dragSave(CPoint(rectSaveNow.right - 1, rectSaveNow.CenterPoint().y),
             CPoint(rectBefore.right - 1, rectSaveNow.CenterPoint().y));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA));

    // Less than 6 pixels along the bar changes nothing.
    CZUDPToolbarButton* pSave = m_barA.GetButtonAt(1);
    m_barA.MoveButtonGroup(pSave, CPoint(10, 5), CPoint(15, 5));
    m_barA.MoveButtonGroup(pSave, CPoint(15, 5), CPoint(10, 30));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA));
}

// Past the last button of a bar with an overflow button the drop goes in
// before the overflow button, which stays last.
TEST_F(ToolBarCustomizeTest, DropAtTheEndLandsBeforeTheOverflowButton)
{
    const CRect rectPrint = m_barA.GetButtonAt(3)->rect;
    DragTo(m_barB, 0, m_barA, CPoint(rectPrint.right + 2, rectPrint.CenterPoint().y));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarCommands(m_barA));
    EXPECT_EQ(m_barA.GetOverflowButton(), m_barA.GetButtonAt(m_barA.GetCount() - 1));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PASTE}), BarCommands(m_barB));
}

// A button that refuses the bar it is dropped on stays where it was: the
// target answers no effect.
TEST_F(ToolBarCustomizeTest, RefusedDropKeepsTheSourceButton)
{
    auto* pHome = new CDropRefusingButton;
    pHome->commandId = ID_TEST_PASTE;
    pHome->imageIndex = 0;
    m_barA.InsertButton(pHome, 0);
    m_barA.PositionButtons();
    DragTo(m_barA, 0, m_barB, m_barB.GetButtonAt(0)->rect.TopLeft() + CPoint(1, 4));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PASTE, ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_CUT, ID_TEST_PASTE}), BarCommands(m_barB));
}

// The insertion mark is 6 pixels wide at the nearer edge of the button
// under the point, and never leaves the client area.
TEST_F(ToolBarCustomizeTest, InsertionMarkIsSixPixelsInsideTheClientArea)
{
    CRect rectClient;
    m_barA.GetClientRect(&rectClient);
    const CRect rectOpen = m_barA.GetButtonAt(0)->rect;
    const CRect rectSave = m_barA.GetButtonAt(1)->rect;
    struct Case {
        const char* name;
        CPoint point;
        int index;
        int edge;
    } cases[] = {{"left half of Open", CPoint(rectOpen.left + 1, rectOpen.top + 2), 0, rectOpen.left},
                 {"right half of Open", CPoint(rectOpen.right - 1, rectOpen.top + 2), 1, rectOpen.right},
                 {"left half of Save", CPoint(rectSave.left + 2, rectSave.top + 2), 1, rectSave.left},
                 {"above the bar", CPoint(rectSave.left + 2, -20), 1, rectSave.left}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect rectMark;
        EXPECT_EQ(c.index, m_barA.FindDropIndex(c.point, rectMark));
        EXPECT_EQ(6, rectMark.Width());
        EXPECT_GE(rectMark.left, rectClient.left);
        EXPECT_LE(rectMark.right, rectClient.right);
        EXPECT_EQ(std::max(int(rectClient.left), c.edge - 3), rectMark.left);
    }
    CRect rectMark;
    m_barB.DeleteAllButtons();
    EXPECT_EQ(0, m_barB.FindDropIndex(CPoint(5, 5), rectMark)) << "an empty bar takes the drop first";
    EXPECT_EQ(rectClient.Height(), rectMark.Height());
}

// A press within 6 pixels of the right edge of a button with a control
// resizes it; a release less than 5 pixels from its left edge, or within 6
// pixels of the old right edge, keeps the width.
TEST_F(ToolBarCustomizeTest, ResizingAButtonWithAControl)
{
    auto* pWidth = new CWidthButton;
    m_barA.InsertButton(pWidth, 0);
    m_barA.PositionButtons();
    const CRect rect = pWidth->rect;
    ASSERT_EQ(60, rect.Width());
    struct Case {
        const char* name;
        int releaseX;
        int width;
    } cases[] = {{"under 5 pixels", rect.left + 3, 60},
                 {"near the old edge", rect.right + 5, 60},
                 {"narrower", rect.left + 30, 30},
                 {"wider", rect.left + 90, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pWidth->width = 60;
        m_barA.PositionButtons();
        const CPoint ptPress(pWidth->rect.right - 2, pWidth->rect.CenterPoint().y);
        m_barA.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ptPress));
        EXPECT_TRUE(m_barA.IsResizingButton());
        m_barA.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(CPoint(c.releaseX, ptPress.y)));
        m_barA.SendMessage(WM_LBUTTONUP, 0, PointParam(CPoint(c.releaseX, ptPress.y)));
        EXPECT_FALSE(m_barA.IsResizingButton());
        EXPECT_EQ(c.width, pWidth->width);
    }
    // Escape abandons a resize.
    m_barA.PositionButtons();
    const CPoint ptPress(pWidth->rect.right - 2, pWidth->rect.CenterPoint().y);
    m_barA.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ptPress));
    MSG msg = {m_barA.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(m_barA.PreTranslateMessage(&msg));
    EXPECT_FALSE(m_barA.IsResizingButton());
}

// The context menu on a button: which entries it offers, and what each
// command does to the selected button.
TEST_F(ToolBarCustomizeTest, ContextMenuEntriesAndCommands)
{
    struct Seen {
        UINT startGroup = 0, image = 0, text = 0, both = 0, reset = 0;
        POINT at = {};
    } seen;
    UINT answer = 0;
    ScopedSeam<BOOL(HMENU, UINT, int, int, HWND, const RECT*)> track(
        g_frameworkSeams.trackPopupMenu, [&](HMENU hMenu, UINT, int x, int y, HWND, const RECT*) -> BOOL {
            seen.startGroup = ::GetMenuState(hMenu, ID_ZUDP_BUTTON_START_GROUP, MF_BYCOMMAND);
            seen.image = ::GetMenuState(hMenu, ID_ZUDP_BUTTON_IMAGE, MF_BYCOMMAND);
            seen.text = ::GetMenuState(hMenu, ID_ZUDP_BUTTON_TEXT, MF_BYCOMMAND);
            seen.both = ::GetMenuState(hMenu, ID_ZUDP_BUTTON_IMAGE_TEXT, MF_BYCOMMAND);
            seen.reset = ::GetMenuState(hMenu, ID_ZUDP_BUTTON_RESET, MF_BYCOMMAND);
            seen.at = {x, y};
            return BOOL(answer);
        });
    auto menuOn = [&](int i, UINT uiCmd) {
        answer = uiCmd;
        m_barA.PositionButtons();
        m_barA.SendMessage(WM_CONTEXTMENU, WPARAM(m_barA.m_hWnd), PointParam(Screen(m_barA, Centre(m_barA, i))));
    };

    menuOn(0, 0);
    EXPECT_EQ(0, m_barA.GetSelectedIndex());
    EXPECT_TRUE(seen.startGroup & MF_GRAYED) << "the first button starts no group";
    EXPECT_TRUE(seen.image & MF_CHECKED) << "image only";

    menuOn(1, ID_ZUDP_BUTTON_START_GROUP);
    EXPECT_FALSE(seen.startGroup & (MF_GRAYED | MF_CHECKED));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA));
    EXPECT_EQ(2, m_barA.GetSelectedIndex()) << "Save keeps the selection";
    menuOn(2, ID_ZUDP_BUTTON_START_GROUP);
    EXPECT_TRUE(seen.startGroup & MF_CHECKED);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA));

    // Text from the command's string ("Save"); image and text.
    menuOn(1, ID_ZUDP_BUTTON_TEXT);
    EXPECT_TRUE(m_barA.GetButtonAt(1)->showText);
    EXPECT_FALSE(m_barA.GetButtonAt(1)->showImage);
    menuOn(1, ID_ZUDP_BUTTON_IMAGE_TEXT);
    EXPECT_TRUE(seen.text & MF_CHECKED);
    EXPECT_TRUE(m_barA.GetButtonAt(1)->showText);
    EXPECT_TRUE(m_barA.GetButtonAt(1)->showImage);

    // A command without a string cannot show text: the image stays.
    m_barA.InsertButton(NewButton(4242, 0), 0);
    m_barA.GetButtonAt(0)->locked = FALSE;
    menuOn(0, ID_ZUDP_BUTTON_TEXT);
    EXPECT_FALSE(m_barA.GetButtonAt(0)->showText);
    EXPECT_TRUE(m_barA.GetButtonAt(0)->showImage);

    // A locked button cannot be reset; delete takes the button away.
    m_barA.GetButtonAt(0)->locked = TRUE;
    menuOn(0, ID_ZUDP_BUTTON_DELETE);
    EXPECT_TRUE(seen.reset & MF_GRAYED);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarCommands(m_barA));
    EXPECT_EQ(-1, m_barA.GetSelectedIndex());

    // From the keyboard: the selected button, at the bar's corner + 5.
    m_barA.SelectCustomizeButton(1);
    answer = 0;
    m_barA.SendMessage(WM_CONTEXTMENU, WPARAM(m_barA.m_hWnd), MAKELPARAM(-1, -1));
    CRect rectWindow;
    m_barA.GetWindowRect(&rectWindow);
    EXPECT_EQ(rectWindow.left + 5, seen.at.x);
    EXPECT_EQ(rectWindow.top + 5, seen.at.y);
}

// Image only on a button without an image asks for one; cancelling the
// dialog puts the button back as it was.
TEST_F(ToolBarCustomizeTest, ImageCommandWithoutImageAsksAndCancelRestores)
{
    int dialogs = 0;
    ScopedSeam<INT_PTR(CZUDPToolbarButton*, CZUDPToolBarImages*, CWnd*, int, BOOL)> dialog(
        g_commandBarsSeams.buttonAppearanceDialog, [&](CZUDPToolbarButton*, CZUDPToolBarImages*, CWnd*, int, BOOL) {
            ++dialogs;
            return INT_PTR(IDCANCEL);
        });
    ScopedSeam<BOOL(HMENU, UINT, int, int, HWND, const RECT*)> track(
        g_frameworkSeams.trackPopupMenu,
        [](HMENU, UINT, int, int, HWND, const RECT*) -> BOOL { return ID_ZUDP_BUTTON_IMAGE; });
    CZUDPToolbarButton* pText = NewButton(ID_TEST_CUT, -1, "Cut");
    pText->showText = TRUE;
    pText->showImage = FALSE;
    pText->locked = FALSE;
    m_barA.InsertButton(pText, 0);
    m_barA.PositionButtons();
    m_barA.SendMessage(WM_CONTEXTMENU, WPARAM(m_barA.m_hWnd), PointParam(Screen(m_barA, Centre(m_barA, 0))));
    EXPECT_EQ(1, dialogs);
    EXPECT_TRUE(pText->showText);
    EXPECT_FALSE(pText->showImage);
}

// With Alt customization on, an Alt+drag outside customization mode moves
// the button and leaves the mode off afterwards.
TEST_F(ToolBarCustomizeTest, AltDragMovesAndLeavesTheModeOff)
{
    CZUDPToolBar::SetCustomizeMode(FALSE);
    g_altCustomization = TRUE;
    const CPoint ptSave = Centre(m_barA, 1);
    const CPoint ptDrop = m_barB.GetButtonAt(1)->rect.TopLeft() + CPoint(2, 4);
    Drag(m_barA, ptSave,
         {{Target(m_barA), Screen(m_barA, ptSave + CPoint(1, 0)), MK_LBUTTON},
          {Target(m_barB), Screen(m_barB, ptDrop), MK_LBUTTON},
          {Target(m_barB), Screen(m_barB, ptDrop), 0}},
         MK_LBUTTON, TRUE);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_CUT, ID_TEST_SAVE, ID_TEST_PASTE}), BarCommands(m_barB));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), BarCommands(m_barA));
    EXPECT_FALSE(g_customizeMode);
    EXPECT_FALSE(g_quickCustomize);
    EXPECT_EQ(nullptr, g_customizeSelectedBar);

    // Without Alt (or with the option off) a press is a plain click.
    g_altCustomization = FALSE;
    Drag(m_barA, Centre(m_barA, 0), {}, MK_LBUTTON, TRUE);
    m_barA.SendMessage(WM_LBUTTONUP, 0, PointParam(Centre(m_barA, 0)));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN}), m_hostA.Commands());
}

// ---------------------------------------------------------------------------
// The overflow button's menu

namespace {

class OverflowMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make());
        ASSERT_TRUE(MakeToolbar(m_bar, m_host));
        for (UINT id : {UINT(ID_TEST_OPEN), UINT(ID_TEST_SAVE), UINT(ID_TEST_PRINT)})
            m_bar.InsertButton(NewButton(id, 0));
        m_bar.InsertSeparator(1);
        m_bar.InsertSeparator(3);
        m_bar.InsertSeparator(5);
        // open, separator, save, separator, print, separator: all hidden.
        m_bar.SetOverflowButton(TRUE, 900, "Customize", FALSE);
        m_pOverflow = m_bar.GetOverflowButton();
        ASSERT_NE(nullptr, m_pOverflow);
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_host.DestroyWindow();
    }
    void Hide(std::initializer_list<int> positions)
    {
        m_pOverflow->hiddenButtons.RemoveAll();
        for (int i : positions)
            m_pOverflow->hiddenButtons.AddTail(m_bar.GetButtonAt(i));
    }
    static std::vector<UINT> ItemsOf(CZUDPPopupMenu& popup)
    {
        std::vector<UINT> items;
        for (int i = 0; i < popup.CountItems(); ++i)
            items.push_back(popup.ItemAt(i)->IsSeparator() ? 0 : popup.ItemAt(i)->commandId);
        return items;
    }
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    ToolbarStateGuard m_state;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
    CCustomizeButton* m_pOverflow = nullptr;
};

} // namespace

// Hidden separator, button, separator, button, separator: the menu has the
// two buttons with one separator between them, then the customize item
// behind a separator; a chosen row runs the hidden button it was made
// from, not the one at its position plus one.
TEST_F(OverflowMenuTest, HiddenButtonsBecomeRowsThatRunTheirOwnButton)
{
    Hide({1, 2, 3, 4, 5});
    std::unique_ptr<CZUDPPopupMenu> pPopup(m_pOverflow->CreatePopupMenuObject());
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE, 0, ID_TEST_PRINT, 0, 900}), ItemsOf(*pPopup));

    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    EXPECT_TRUE(m_pOverflow->InvokeHiddenButton(pBar, pPopup->ItemAt(2)));
    Pump();
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT}), m_host.Commands());
    EXPECT_FALSE(m_pOverflow->InvokeHiddenButton(pBar, pPopup->ItemAt(1))) << "a separator row";
    EXPECT_FALSE(m_pOverflow->InvokeHiddenButton(pBar, pPopup->ItemAt(4))) << "the customize row";

    // A button removed while the menu is open is not run.
    m_bar.RemoveButton(m_bar.FindCommandIndex(ID_TEST_SAVE));
    EXPECT_FALSE(m_pOverflow->InvokeHiddenButton(pBar, pPopup->ItemAt(0)));
    Pump();
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT}), m_host.Commands());
}

// Without hidden buttons the customize item has no separator before it;
// a bar that offers "Add or Remove Buttons" puts the customize command in
// that submenu; customization opens nothing.
TEST_F(OverflowMenuTest, CustomizeItemsAndCustomizationMode)
{
    Hide({});
    std::unique_ptr<CZUDPPopupMenu> pPlain(m_pOverflow->CreatePopupMenuObject());
    ASSERT_NE(nullptr, pPlain);
    EXPECT_EQ((std::vector<UINT>{900}), ItemsOf(*pPlain));

    m_bar.SetOverflowButton(TRUE, 900, "Customize", TRUE);
    std::unique_ptr<CZUDPPopupMenu> pAddRemove(m_pOverflow->CreatePopupMenuObject());
    ASSERT_NE(nullptr, pAddRemove);
    ASSERT_EQ(1, pAddRemove->CountItems());
    const auto* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pAddRemove->ItemAt(0));
    ASSERT_NE(nullptr, pItem);
    EXPECT_EQ(CString("&Add or Remove Buttons"), pItem->text);
    ASSERT_EQ(2, int(pItem->subItems.GetCount())) << "the bar's entry and the customize command";
    const auto* pEntry = static_cast<CZUDPToolbarMenuButton*>(pItem->subItems.GetHead());
    EXPECT_EQ(CString("Toolbar"), pEntry->text);
    ASSERT_EQ(1, int(pEntry->subItems.GetCount()));
    EXPECT_EQ(CString("100"), static_cast<CZUDPToolbarButton*>(pEntry->subItems.GetHead())->text)
        << "the placeholder names the bar's id";
    EXPECT_EQ(1, pAddRemove->m_iCustomizeMenuKind);
    EXPECT_EQ(&m_bar, g_customizeButtonToolbar);

    g_customizeMode = TRUE;
    EXPECT_EQ(nullptr, m_pOverflow->CreatePopupMenuObject());
    g_customizeMode = FALSE;

    m_bar.DestroyWindow();
    EXPECT_EQ(nullptr, g_customizeButtonToolbar) << "a destroyed bar is forgotten";
}
