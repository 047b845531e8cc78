// Toolbar painting, into a DIB through the bar's paint routine: the image
// list each button state draws from (told apart by the colours of the test
// strips), separators, the customization frame and insertion mark, the
// transparent style, and a paint whose image pass cannot begin.
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/commandbars/ToolBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"

#include <gtest/gtest.h>

using namespace toolbartest;

namespace {

// The colours of the test strips' images (see images/make-images.py).
const COLORREF kNormalImage[] = {RGB(220, 20, 20), RGB(20, 180, 20), RGB(20, 20, 220)};
const COLORREF kColdImage[] = {RGB(110, 10, 10), RGB(10, 90, 10), RGB(10, 10, 110)};
const COLORREF kDisabledImage[] = {RGB(230, 170, 0), RGB(0, 150, 150), RGB(150, 0, 150)};
const int kImageTolerance = 6;

void PaintBarInto(CZUDPToolBar& bar, trovtest::DibCanvas& canvas)
{
    CDC dc;
    dc.Attach(canvas.Dc());
    bar.PaintBar(&dc);
    dc.Detach();
}

class ToolBarPaintTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Make(CRect(0, 0, 400, 100))); }
    void TearDown() override { m_host.DestroyWindow(); }

    // A locked bar (its own images: indexes 0..2 whatever the shared lists
    // hold) with Open, Save, a separator and Print, laid out.
    void MakeImageBar(CZUDPToolBar& bar, BOOL bDisabledImages)
    {
        ASSERT_TRUE(MakeToolbar(bar, m_host, CSize(200, 30)));
        ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR, IDB_TEST_TOOLBAR_COLD, 0, TRUE,
                                            bDisabledImages ? IDB_TEST_TOOLBAR_DISABLED : 0));
        bar.PositionButtons();
    }
    COLORREF CentreOf(const trovtest::DibCanvas& canvas, const CZUDPToolBar& bar, int i) const
    {
        const CPoint pt = bar.GetButtonAt(i)->rect.CenterPoint();
        return canvas.Pixel(pt.x, pt.y);
    }

    ToolbarStateGuard m_state;
    CHostWnd m_host;
};

} // namespace

// Which image list a button draws from: the hot button and a pressed one
// (also while the mouse is off it) from the normal list, other enabled
// buttons from the cold list, a disabled one from the disabled list and
// not greyed again; without a disabled list from the normal list, greyed.
TEST_F(ToolBarPaintTest, ImageListPerButtonState)
{
    CZUDPToolBar bar;
    MakeImageBar(bar, TRUE);
    trovtest::DibCanvas canvas(200, 30);
    const CPoint ptOpen = bar.GetButtonAt(0)->rect.CenterPoint();
    const CPoint ptSave = bar.GetButtonAt(1)->rect.CenterPoint();
    bar.ChangeButtonStyle(3, TBBS_DISABLED);

    PaintBarInto(bar, canvas);
    EXPECT_TRUE(trovtest::ColorNear(kColdImage[0], CentreOf(canvas, bar, 0), kImageTolerance))
        << trovtest::ColorText(CentreOf(canvas, bar, 0));
    EXPECT_TRUE(trovtest::ColorNear(kColdImage[1], CentreOf(canvas, bar, 1), kImageTolerance));
    EXPECT_TRUE(trovtest::ColorNear(kDisabledImage[2], CentreOf(canvas, bar, 3), kImageTolerance))
        << "the disabled list, not greyed: " << trovtest::ColorText(CentreOf(canvas, bar, 3));

    bar.SendMessage(WM_MOUSEMOVE, 0, PointParam(ptSave));
    ASSERT_EQ(1, bar.GetHotIndex());
    PaintBarInto(bar, canvas);
    EXPECT_TRUE(trovtest::ColorNear(kNormalImage[1], CentreOf(canvas, bar, 1), kImageTolerance)) << "hot";
    EXPECT_TRUE(trovtest::ColorNear(kColdImage[0], CentreOf(canvas, bar, 0), kImageTolerance));

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ptSave));
    ASSERT_EQ(1, bar.GetPressedIndex());
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(ptOpen));
    PaintBarInto(bar, canvas);
    EXPECT_TRUE(trovtest::ColorNear(kNormalImage[1], CentreOf(canvas, bar, 1), kImageTolerance))
        << "pressed, mouse off it";
    EXPECT_TRUE(trovtest::ColorNear(kColdImage[0], CentreOf(canvas, bar, 0), kImageTolerance))
        << "no other button is hot while one is pressed";
    bar.SendMessage(WM_CANCELMODE);

    // The same bar without a disabled list: the normal image, greyed.
    CZUDPToolBar plain;
    MakeImageBar(plain, FALSE);
    plain.ChangeButtonStyle(3, TBBS_DISABLED);
    PaintBarInto(plain, canvas);
    const COLORREF clrGreyed = CentreOf(canvas, plain, 3);
    EXPECT_FALSE(trovtest::ColorNear(kNormalImage[2], clrGreyed, 30)) << trovtest::ColorText(clrGreyed);
    EXPECT_FALSE(trovtest::ColorNear(kColdImage[2], clrGreyed, 30)) << trovtest::ColorText(clrGreyed);
    EXPECT_FALSE(trovtest::ColorNear(kDisabledImage[2], clrGreyed, 30)) << trovtest::ColorText(clrGreyed);
    // Drawn with greying switched off: the (cold) image as it is.
    plain.m_bGrayDisabledButtons = FALSE;
    PaintBarInto(plain, canvas);
    EXPECT_TRUE(trovtest::ColorNear(kColdImage[2], CentreOf(canvas, plain, 3), kImageTolerance));
}

// A button with a user image draws no image while no user image list is
// installed (such buttons come back from saved state); with one it draws
// from it.
TEST_F(ToolBarPaintTest, UserImageButtonWithoutUserImages)
{
    CZUDPToolBar bar;
    MakeImageBar(bar, FALSE);
    CZUDPToolbarButton* pUser = bar.GetButtonAt(0);
    pUser->usesUserImage = TRUE;
    pUser->userImageIndex = 1;
    g_sharedUserImages = nullptr;
    uitest::RecordingManagerScope manager;
    manager->instead["FillBarBackground"] = uitest::CRecordingVisualManager::FillWith(trovtest::kMagenta);
    manager->instead["FillButtonInterior"] = uitest::CRecordingVisualManager::FillWith(trovtest::kMagenta);
    trovtest::DibCanvas canvas(200, 30);
    PaintBarInto(bar, canvas);
    EXPECT_TRUE(trovtest::ColorAt(canvas, pUser->rect.CenterPoint().x, pUser->rect.CenterPoint().y,
                                  trovtest::kMagenta));

    CZUDPToolBar source;
    MakeImageBar(source, FALSE);
    g_sharedUserImages = &source.m_ImagesLocked;
    PaintBarInto(bar, canvas);
    EXPECT_TRUE(trovtest::ColorNear(kNormalImage[1], CentreOf(canvas, bar, 0), kImageTolerance))
        << trovtest::ColorText(CentreOf(canvas, bar, 0));
}

// Separators go to the visual manager with the bar's orientation; one that
// ends a row of a horizontal bar is drawn as a horizontal line across the
// bar in the 5-pixel gap below its row.
TEST_F(ToolBarPaintTest, SeparatorsAndRowEndingSeparators)
{
    // (A new visual manager lays the bars out again: it comes first.)
    uitest::RecordingManagerScope manager;
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host, CSize(200, 60)));
    for (UINT id : {1u, 0u, 2u, 0u, 3u})
        bar.InsertButton(id == 0 ? NewButton(0, -1, nullptr, TBBS_SEPARATOR) : NewButton(id, 0));
    bar.GetButtonAt(3)->wrapAfter = TRUE;
    bar.PositionButtons();
    trovtest::DibCanvas canvas(200, 60);
    PaintBarInto(bar, canvas);

    const auto separators = manager->Of("DrawSeparator");
    ASSERT_EQ(2u, separators.size());
    EXPECT_EQ(bar.GetButtonAt(1)->rect, separators[0].rect);
    EXPECT_EQ(TRUE, separators[0].flags.at(0)) << "horizontal bar";
    CRect client;
    bar.GetClientRect(&client);
    const CRect& rowEnd = bar.GetButtonAt(3)->rect;
    EXPECT_EQ(CRect(client.left, rowEnd.bottom, client.right, rowEnd.bottom + 5), separators[1].rect);
    EXPECT_EQ(FALSE, separators[1].flags.at(0)) << "a horizontal line";
    EXPECT_EQ(&bar, separators[1].element);
}

// In customization mode nothing is highlighted and disabled buttons look
// enabled; the selected button carries a two-pixel frame in the button-text
// colour, and the insertion mark is a two-pixel bar with end caps.
TEST_F(ToolBarPaintTest, CustomizationFrameAndInsertionMark)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host, CSize(200, 30)));
    for (UINT id : {1u, 2u, 3u})
        bar.InsertButton(NewButton(id, 0));
    bar.ChangeButtonStyle(2, TBBS_DISABLED);
    bar.PositionButtons();
    bar.SendMessage(WM_MOUSEMOVE, 0, PointParam(bar.GetButtonAt(0)->rect.CenterPoint()));
    ASSERT_EQ(0, bar.GetHotIndex());

    uitest::RecordingManagerScope manager;
    manager->instead["FillBarBackground"] = uitest::CRecordingVisualManager::FillWith(trovtest::kWhite);
    manager->instead["FillButtonInterior"] = uitest::CRecordingVisualManager::FillWith(trovtest::kWhite);
    manager->instead["DrawButtonBorder"] = uitest::CRecordingVisualManager::FillWith(trovtest::kWhite);
    g_customizeMode = TRUE;
    g_customizeSelectedBar = &bar;
    bar.SetSelectedIndex(1);
    const CRect rectMark(60, 2, 66, 18);
    bar.SetInsertionMark(2, rectMark);
    trovtest::DibCanvas canvas(200, 30);
    PaintBarInto(bar, canvas);

    for (const auto& call : manager->Of("FillButtonInterior"))
        EXPECT_EQ(0, call.flags.at(0)) << "nothing highlighted";
    EXPECT_EQ(0, manager->Count("DrawButtonBorder"));

    const COLORREF clrText = g_uiEnvironment.m_colorButtonText;
    const CRect& sel = bar.GetButtonAt(1)->rect;
    const int yMid = sel.CenterPoint().y;
    for (int x : {int(sel.left), int(sel.left) + 1, int(sel.right) - 1, int(sel.right) - 2})
        EXPECT_TRUE(trovtest::ColorAt(canvas, x, yMid, clrText)) << "frame column " << x;
    EXPECT_FALSE(trovtest::ColorNear(clrText, canvas.Pixel(sel.left + 2, yMid), 0)) << "two pixels, no more";

    const int xBar = int(rectMark.left) + rectMark.Width() / 2;
    for (int x : {xBar - 1, xBar})
        EXPECT_TRUE(trovtest::ColorAt(canvas, x, rectMark.CenterPoint().y, clrText)) << "bar column " << x;
    EXPECT_TRUE(trovtest::ColorAt(canvas, rectMark.left, rectMark.top, clrText)) << "top cap";
    EXPECT_TRUE(trovtest::ColorAt(canvas, rectMark.left + 1, rectMark.top + 1, clrText)) << "top cap, second line";
    EXPECT_TRUE(trovtest::ColorAt(canvas, rectMark.left, rectMark.bottom - 1, clrText)) << "bottom cap";
    EXPECT_FALSE(trovtest::ColorNear(clrText, canvas.Pixel(rectMark.left, rectMark.CenterPoint().y), 0));
}

// A bar with the transparent style shows its parent's background instead
// of filling its own.
TEST_F(ToolBarPaintTest, TransparentStyleShowsTheParentBackground)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host, CSize(200, 30)));
    bar.InsertButton(NewButton(1, 0));
    uitest::RecordingManagerScope manager;
    trovtest::DibCanvas canvas(200, 30);
    PaintBarInto(bar, canvas);
    EXPECT_EQ(1, manager->Count("FillBarBackground"));
    manager->Clear();
    bar.ModifyStyle(0, TBSTYLE_TRANSPARENT);
    PaintBarInto(bar, canvas);
    EXPECT_EQ(0, manager->Count("FillBarBackground"));
}

// When the normal images cannot be drawn (their bitmap is held elsewhere)
// only the background is painted, and the paint still ends properly: the
// off-screen surface reaches the target and the glass state is restored.
TEST_F(ToolBarPaintTest, FailedImagePassStillEndsThePaint)
{
    CZUDPToolBar bar;
    MakeImageBar(bar, FALSE);
    bar.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE);
    uitest::RecordingManagerScope manager;
    manager->instead["FillBarBackground"] = uitest::CRecordingVisualManager::FillWith(trovtest::kMagenta);

    HDC hHolder = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hHolder, bar.m_ImagesLocked.GetImageBitmap());
    ASSERT_NE(nullptr, hOld) << "the bitmap is held by another DC";
    trovtest::DibCanvas canvas(200, 30);
    ASSERT_FALSE(g_drawingOnGlass);
    PaintBarInto(bar, canvas);
    ::SelectObject(hHolder, hOld);
    ::DeleteDC(hHolder);

    EXPECT_FALSE(g_drawingOnGlass);
    const auto fills = manager->Of("FillBarBackground");
    ASSERT_EQ(1u, fills.size());
    EXPECT_TRUE(fills[0].glass) << "painted on glass";
    EXPECT_EQ(0, manager->Count("FillButtonInterior")) << "no buttons";
    const CPoint pt = bar.GetButtonAt(0)->rect.CenterPoint();
    EXPECT_TRUE(trovtest::ColorAt(canvas, pt.x, pt.y, trovtest::kMagenta)) << "the background reached the target";
}
