// Toolbars filled from toolbar resources: the sizes a resource sets, each
// command's default image in the shared lists, the buttons rebuilt from
// command ids, malformed resources refused, and locked toolbars that keep
// everything to themselves.
#include "tests/ui/commandbars/ToolBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"

#include <gtest/gtest.h>

#include <vector>

using namespace toolbartest;

namespace {

std::vector<UINT> CommandsOf(const CObList& list)
{
    std::vector<UINT> commands;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        commands.push_back(static_cast<CZUDPToolbarButton*>(list.GetNext(pos))->commandId);
    return commands;
}

std::vector<UINT> CommandsOf(const CZUDPToolBar& bar) { return CommandsOf(bar.GetAllButtons()); }

int DefaultImageOf(UINT uiCmd)
{
    int iImage = -1;
    return g_defaultCommandImages.Lookup(uiCmd, iImage) ? iImage : -1;
}

class ToolBarResourceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Make()); }
    void TearDown() override { m_host.DestroyWindow(); }
    ToolbarStateGuard m_state;
    CHostWnd m_host;
};

} // namespace

// Two toolbars loaded one after the other: the first resource sets the
// library's sizes (image + 6), each toolbar's images follow the other's
// in the shared list, every command maps to its own image, a leading
// separator is no button, and the host hears of each new button set.
TEST_F(ToolBarResourceTest, ResourcesSetSizesImagesAndButtons)
{
    CZUDPToolBar first, second;
    ASSERT_TRUE(MakeToolbar(first, m_host));
    ASSERT_TRUE(MakeToolbar(second, m_host));
    ASSERT_TRUE(first.LoadButtonsResource(IDR_TEST_TOOLBAR, IDB_TEST_TOOLBAR_COLD, 0, FALSE, IDB_TEST_TOOLBAR_DISABLED));
    EXPECT_EQ(CSize(22, 21), CZUDPToolBar::GetLibraryButtonSize());
    EXPECT_EQ(CSize(16, 15), CZUDPToolBar::GetLibraryImageSize());
    ASSERT_TRUE(second.LoadButtonsResource(IDR_TEST_TOOLBAR_SECOND));

    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), CommandsOf(first));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_CUT, ID_TEST_PASTE}), CommandsOf(second)) << "no leading separator";
    EXPECT_EQ((std::vector<UINT>{0, ID_TEST_CUT, ID_TEST_PASTE}), CommandsOf(second.GetOriginalItems()))
        << "the original items keep the resource's order";

    const int iFirst = first.GetImagesOffset();
    EXPECT_EQ(g_sharedToolbarImages.GetResourceOffset(IDR_TEST_TOOLBAR), iFirst);
    EXPECT_EQ(iFirst + 3, second.GetImagesOffset()) << "consecutive ranges";
    const struct {
        UINT command;
        int image;
    } images[] = {{ID_TEST_OPEN, iFirst},
                  {ID_TEST_SAVE, iFirst + 1},
                  {ID_TEST_PRINT, iFirst + 2},
                  {ID_TEST_CUT, iFirst + 3},
                  {ID_TEST_PASTE, iFirst + 4}};
    for (const auto& row : images) {
        EXPECT_EQ(row.image, DefaultImageOf(row.command)) << row.command;
        const CZUDPToolBar& bar = row.command >= ID_TEST_CUT ? second : first;
        EXPECT_EQ(row.image, bar.GetButtonAt(bar.FindCommandIndex(row.command))->imageIndex) << row.command;
    }
    EXPECT_LE(iFirst + 3, g_sharedColdImages.GetCount());
    EXPECT_LE(iFirst + 3, g_sharedDisabledImages.GetCount());

    const auto resets = m_host.Of(ZUDTOOLBAR_RESETTOOLBAR);
    ASSERT_EQ(2u, resets.size());
    EXPECT_EQ(WPARAM(IDR_TEST_TOOLBAR), resets[0].wParam);
    EXPECT_EQ(WPARAM(IDR_TEST_TOOLBAR_SECOND), resets[1].wParam);
    EXPECT_EQ(UINT(IDR_TEST_TOOLBAR), first.GetResourceID());
    EXPECT_TRUE(first.HasSourceResource());
}

// Buttons made from ids outside a resource: only commands that a loaded
// resource gave an image get a button; the reset items are copies of
// exactly the buttons then on the bar; the overflow button stays last.
TEST_F(ToolBarResourceTest, ReplaceButtonsKeepsKnownCommandsAndTheOverflowButton)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host));
    ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR));
    bar.SetOverflowButton(TRUE, 900, "Customize");
    m_host.received.clear();

    const UINT ids[] = {ID_TEST_PRINT, 0, 4242, ID_TEST_OPEN};
    ASSERT_TRUE(bar.ReplaceButtons(ids, 4, FALSE));
    ASSERT_EQ(4, bar.GetCount());
    const std::vector<UINT> commands = CommandsOf(bar);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT, 0, ID_TEST_OPEN}), std::vector<UINT>(commands.begin(), commands.end() - 1))
        << "4242 has no image";
    EXPECT_EQ(DefaultImageOf(ID_TEST_PRINT), bar.GetButtonAt(0)->imageIndex);
    ASSERT_NE(nullptr, bar.GetOverflowButton());
    EXPECT_EQ(bar.GetOverflowButton(), bar.GetButtonAt(3));
    EXPECT_EQ(900, bar.GetOverflowButton()->customizeCommandId);

    EXPECT_EQ(CommandsOf(bar), CommandsOf(bar.GetResetItems()));
    for (POSITION pos = bar.GetResetItems().GetHeadPosition(); pos != nullptr;)
        EXPECT_EQ(-1, bar.IndexOfButton(static_cast<CZUDPToolbarButton*>(bar.GetResetItems().GetNext(pos))))
            << "copies, not the bar's own buttons";
    ASSERT_EQ(1u, m_host.Of(ZUDTOOLBAR_RESETTOOLBAR).size());
    EXPECT_EQ(WPARAM(IDR_TEST_TOOLBAR), m_host.Of(ZUDTOOLBAR_RESETTOOLBAR)[0].wParam);

    ASSERT_TRUE(bar.ReplaceButtons(nullptr, 0, FALSE));
    EXPECT_EQ(0, bar.GetCount()) << "no ids: no buttons at all";
    EXPECT_EQ(nullptr, bar.GetOverflowButton());
}

// A toolbar that loads another resource loads that resource's images too
// (its commands would otherwise point into the first resource's images);
// loading the same resource again adds no images.
TEST_F(ToolBarResourceTest, AnotherResourceBringsItsOwnImages)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host));
    ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR));
    const int nImages = g_sharedToolbarImages.GetCount();
    ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR));
    EXPECT_EQ(nImages, g_sharedToolbarImages.GetCount());

    ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR_SECOND));
    const int iSecond = g_sharedToolbarImages.GetResourceOffset(IDR_TEST_TOOLBAR_SECOND);
    ASSERT_GE(iSecond, 0) << "the second resource's images were loaded";
    EXPECT_EQ(iSecond, bar.GetImagesOffset());
    EXPECT_EQ(iSecond, bar.GetButtonAt(0)->imageIndex);
    EXPECT_EQ(iSecond + 1, bar.GetButtonAt(1)->imageIndex);
}

// A resource is input: a wrong version, an item count beyond its size, a
// missing resource or missing images are refused, and the buttons the bar
// had stay.
TEST_F(ToolBarResourceTest, MalformedResourcesChangeNothing)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host));
    bar.InsertButton(NewButton(7, 0));
    const CSize sizeBefore = CZUDPToolBar::GetLibraryButtonSize();
    const struct {
        UINT id;
        const char* what;
    } cases[] = {{IDR_TEST_TOOLBAR_BAD_VERSION, "version 2"},
                 {IDR_TEST_TOOLBAR_SHORT, "more items than bytes"},
                 {999, "no such resource"},
                 {IDR_TEST_TOOLBAR_NO_IMAGES, "no images"}};
    for (const auto& c : cases) {
        EXPECT_FALSE(bar.LoadButtonsResource(c.id)) << c.what;
        EXPECT_EQ((std::vector<UINT>{7}), CommandsOf(bar)) << c.what;
        EXPECT_EQ(0u, bar.GetResourceID()) << c.what;
        if (c.id != IDR_TEST_TOOLBAR_NO_IMAGES) {
            EXPECT_EQ(sizeBefore, CZUDPToolBar::GetLibraryButtonSize()) << c.what;
        }
    }
}

// A locked toolbar keeps its images and sizes to itself, scaled with the
// UI: 16x15 images give 22x21 buttons, 33x32 at scale 1.5.  The shared
// lists, the library sizes and the default images stay as they were.
TEST_F(ToolBarResourceTest, LockedToolbarKeepsItsOwnImagesAndSizes)
{
    const struct {
        double scale;
        CSize button;
    } cases[] = {{1.0, CSize(22, 21)}, {1.5, CSize(33, 32)}};
    for (const auto& c : cases) {
        g_uiEnvironment.m_dpiScaling = TRUE;
        g_uiEnvironment.m_dpiScale = c.scale;
        const int nShared = g_sharedToolbarImages.GetCount();
        const int nSharedCold = g_sharedColdImages.GetCount();
        const CSize sizeLibrary = CZUDPToolBar::GetLibraryButtonSize();
        g_defaultCommandImages.RemoveKey(ID_TEST_CUT);

        CZUDPToolBar bar;
        ASSERT_TRUE(MakeToolbar(bar, m_host));
        ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR_SECOND, IDB_TEST_TOOLBAR_COLD, 0, TRUE));
        EXPECT_TRUE(bar.IsLocked());
        EXPECT_EQ(c.button, bar.m_sizeButtonLocked) << c.scale;
        EXPECT_EQ(CSize(16, 15), bar.m_sizeImageLocked) << c.scale;
        EXPECT_EQ(2, bar.m_ImagesLocked.GetCount());
        EXPECT_EQ(3, bar.m_ColdImagesLocked.GetCount());
        EXPECT_EQ(0, bar.GetButtonAt(0)->imageIndex) << "indexes into its own list";
        EXPECT_TRUE(bar.GetButtonAt(0)->locked);

        EXPECT_EQ(nShared, g_sharedToolbarImages.GetCount());
        EXPECT_EQ(nSharedCold, g_sharedColdImages.GetCount());
        EXPECT_EQ(sizeLibrary, CZUDPToolBar::GetLibraryButtonSize());
        EXPECT_EQ(-1, DefaultImageOf(ID_TEST_CUT));
        bar.DestroyWindow();
    }
}

// An unlocked resource at scale 1.5 sets 33x32 library buttons.
TEST_F(ToolBarResourceTest, LibraryButtonSizeFollowsTheScale)
{
    g_uiEnvironment.m_dpiScaling = TRUE;
    g_uiEnvironment.m_dpiScale = 1.5;
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_host));
    ASSERT_TRUE(bar.LoadButtonsResource(IDR_TEST_TOOLBAR));
    EXPECT_EQ(CSize(33, 32), CZUDPToolBar::GetLibraryButtonSize());
    EXPECT_EQ(CSize(16, 15), CZUDPToolBar::GetLibraryImageSize());
}
