// The base tab window's saved state (the archive's bytes, damaged archives,
// applying the saved tabs to re-created ones), its automatic colours and
// its images (image lists, icons and the tab height they give).
#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/File.h"
#include "res/ui/foundation.h"
#include "tests/ui/docking/TabWndTestSupport.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using tabtest::CPaneWnd;
using tabtest::TabWindowFixture;

namespace {

std::string StoreTabs(CZUDPBaseTabWnd& tabs)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        tabs.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG size = file.GetLength();
    BYTE* pData = file.Detach();
    std::string bytes(reinterpret_cast<const char*>(pData), size_t(size));
    free(pData);
    return bytes;
}

// Loads the bytes; answers whether an archive exception ended it.
bool LoadTabs(CZUDPBaseTabWnd& tabs, const std::string& bytes)
{
    std::string copy = bytes;
    CMemFile file(reinterpret_cast<BYTE*>(copy.data()), UINT(copy.size()));
    CArchive ar(&file, CArchive::load);
    try {
        tabs.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

// The archive's own pieces, as the format writes them.
std::string ArchiveInt(int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
std::string ArchiveText(const std::string& text) { return std::string(1, char(text.size())) + text; }

class TabStateTest : public TabWindowFixture {};

TEST_F(TabStateTest, StoringWritesTheTabsByteForByte)
{
    Create(CZUDPTabWnd::TabStyle3D, TabLocationTop);
    AddTabs({"One", "Two", "Three"});
    m_tabs->SetTabTextColor(0, RGB(1, 2, 3));
    m_tabs->SetTabBackColor(2, RGB(200, 100, 50));
    m_tabs->ShowTabAt(2, FALSE);
    m_tabs->ActivateTab(1);

    // The count, each tab (label, visible, control id, detachable, text
    // and background colours), the active index and the location.
    auto tab = [](const char* label, int visible, int id, COLORREF text, COLORREF back) {
        return ArchiveText(label) + ArchiveInt(visible) + ArchiveInt(id) + ArchiveInt(0) + ArchiveInt(int32_t(text)) +
               ArchiveInt(int32_t(back));
    };
    const COLORREF none = (COLORREF)-1;
    const std::string expected = ArchiveInt(3) + tab("One", 1, 100, RGB(1, 2, 3), none) +
                                 tab("Two", 1, 101, none, none) + tab("Three", 0, 102, none, RGB(200, 100, 50)) +
                                 ArchiveInt(1) + ArchiveInt(TabLocationTop);
    EXPECT_EQ(expected, StoreTabs(*m_tabs));

    // Read back into another tab window: the saved tabs, not applied.
    CZUDPTabWnd other;
    EXPECT_FALSE(LoadTabs(other, expected));
    EXPECT_EQ(0, other.GetTabCount());
    ASSERT_EQ(3, other.GetRestoredTabs().GetCount());
    const CZUDPRestoredTabInfo* pThird = other.GetRestoredTabs().GetTail();
    EXPECT_STREQ("Three", pThird->m_strText);
    EXPECT_FALSE(pThird->m_bVisible);
    EXPECT_EQ(102, pThird->m_nControlID);
    EXPECT_EQ(RGB(200, 100, 50), pThird->m_clrBack);
    EXPECT_EQ(1, other.GetRestoredActiveTab());
    EXPECT_EQ(TabLocationTop, other.GetRestoredTabLocation());
}

TEST_F(TabStateTest, ADamagedArchiveChangesNothing)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"One", "Two"});
    const std::string good = StoreTabs(*m_tabs);
    CZUDPTabWnd other;
    ASSERT_FALSE(LoadTabs(other, good));

    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"cut inside the second tab", good.substr(0, good.size() - 20)},
        {"cut before the location", good.substr(0, good.size() - 2)},
        {"a count no archive could hold", ArchiveInt(0x7FFFFFFF) + good.substr(4)},
        {"a negative count", ArchiveInt(-3) + good.substr(4)},
        {"nothing at all", std::string()},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(LoadTabs(other, c.bytes)) << c.what;
        // The tabs read before stay as they were.
        EXPECT_EQ(2, other.GetRestoredTabs().GetCount()) << c.what;
        EXPECT_STREQ("One", other.GetRestoredTabs().GetHead()->m_strText) << c.what;
    }
}

TEST_F(TabStateTest, ApplyingSavedTabsOrdersShowsAndActivatesThem)
{
    // Saved: the tabs in the order c, a, b; b hidden; c with a colour; the
    // third saved place active.
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b", "c"});
    m_tabs->SetTabBackColor(2, RGB(10, 20, 30));
    CArray<int, int> order;
    for (int i : {2, 0, 1})
        order.Add(i);
    ASSERT_TRUE(m_tabs->ReorderTabs(order));
    m_tabs->SetTabLabelText(0, "Cee");
    m_tabs->ShowTabAt(2, FALSE);
    const std::string saved = StoreTabs(*m_tabs);

    struct Case {
        const char* what;
        int activeSaved;   // the saved active index (patched into the bytes)
        BOOL reorder;
        int activePane;    // the pane active afterwards
    } cases[] = {
        {"in the saved order, the saved active tab", 1, TRUE, 0},
        {"a saved active tab that cannot be activated: the first tab", 7, TRUE, 2},
        {"without reordering the order stays the application's", 0, FALSE, 0},
    };
    for (const Case& c : cases) {
        Create(CZUDPTabWnd::TabStyle3D);
        AddTabs({"a", "b", "c"});  // re-created in the application's order
        std::string bytes = saved;
        bytes.replace(bytes.size() - 8, 4, ArchiveInt(c.activeSaved));
        ASSERT_FALSE(LoadTabs(*m_tabs, bytes)) << c.what;
        m_tabs->ApplyRestoredTabs(c.reorder);

        if (c.reorder) {
            EXPECT_EQ(&Pane(2), m_tabs->GetTabWindow(0)) << c.what;
            EXPECT_EQ(&Pane(0), m_tabs->GetTabWindow(1)) << c.what;
            EXPECT_EQ(&Pane(1), m_tabs->GetTabWindow(2)) << c.what;
        } else {
            EXPECT_EQ(&Pane(0), m_tabs->GetTabWindow(0)) << c.what;
        }
        const int iC = m_tabs->FindTabByWindow(Pane(2).GetSafeHwnd());
        const int iB = m_tabs->FindTabByWindow(Pane(1).GetSafeHwnd());
        CString label;
        m_tabs->GetTabLabelText(iC, label);
        EXPECT_STREQ("Cee", label) << c.what;
        EXPECT_EQ(RGB(10, 20, 30), m_tabs->GetTabBackColor(iC)) << c.what;
        EXPECT_FALSE(m_tabs->IsTabVisible(iB)) << c.what;
        EXPECT_EQ(&Pane(c.activePane), m_tabs->GetActiveTabWindow()) << c.what;
        EXPECT_TRUE(Pane(c.activePane).GetStyle() & WS_VISIBLE) << c.what;
    }
}

TEST_F(TabStateTest, ASavedListWithoutVisibleTabsHidesTheTabbedPane)
{
    // The tab window of a tabbed pane, whose saved tabs are all hidden.
    CZUDPTabbedControlBar bar;
    ASSERT_TRUE(
        bar.CreateEx(0, AfxRegisterWndClass(0), "pane", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    {
        CZUDPTabWnd tabs;
        ASSERT_TRUE(tabs.CreateWithStyle(CZUDPTabWnd::TabStyle3D, CRect(0, 0, 200, 100), &bar, 1));
        CPaneWnd pane;
        ASSERT_TRUE(pane.CreatePane(&tabs, 100));
        tabs.AppendTab(&pane, "hidden");
        tabs.ShowTabAt(0, FALSE);
        const std::string saved = StoreTabs(tabs);
        tabs.ShowTabAt(0, TRUE);
        ASSERT_FALSE(LoadTabs(tabs, saved));
        tabs.ApplyRestoredTabs();
        EXPECT_FALSE(tabs.IsTabVisible(0));
        EXPECT_FALSE(bar.IsWindowVisible());
        tabs.DestroyWindow();
    }
    bar.DestroyWindow();
}

TEST_F(TabStateTest, AutomaticColoursFollowThePlaceAndStayWithTheTab)
{
    const int savedDepth = g_uiEnvironment.m_bitsPerPixel;
    for (int depth : {32, 8}) {
        g_uiEnvironment.m_bitsPerPixel = depth;
        Create(CZUDPTabWnd::TabStyle3D);
        for (int i = 0; i < 18; ++i)
            AddTabs({"tab"});
        m_tabs->EnableAutoColor(TRUE);
        CArray<COLORREF, COLORREF> defaults;
        CZUDPBaseTabWnd::GetDefaultAutoColors(depth, defaults);
        ASSERT_EQ(depth > 8 ? 16 : 5, defaults.GetSize());
        EXPECT_EQ(depth > 8 ? RGB(197, 212, 242) : RGB(0, 255, 0), defaults[0]);
        EXPECT_TRUE(m_tabs->HasTabColors());
        for (int i = 0; i < 18; ++i)
            EXPECT_EQ(defaults[i % defaults.GetSize()], m_tabs->GetTabBackColor(i)) << depth << " tab " << i;
        // A moved tab keeps its colour.
        const COLORREF first = m_tabs->GetTabBackColor(0);
        ASSERT_TRUE(m_tabs->MoveTab(0, 5));
        EXPECT_EQ(first, m_tabs->GetTabBackColor(5)) << depth;
    }
    g_uiEnvironment.m_bitsPerPixel = savedDepth;

    // Switching them off clears every background colour, an explicit one
    // too; a list of the application's own replaces the default one.
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b", "c"});
    m_tabs->EnableAutoColor(TRUE);
    m_tabs->SetTabBackColor(1, RGB(7, 7, 7));
    m_tabs->EnableAutoColor(FALSE);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((COLORREF)-1, m_tabs->GetTabBackColor(i)) << i;
    EXPECT_FALSE(m_tabs->HasTabColors());
    CArray<COLORREF, COLORREF> own;
    own.Add(RGB(1, 1, 1));
    own.Add(RGB(2, 2, 2));
    m_tabs->EnableAutoColor(TRUE);
    m_tabs->SetAutoColors(own);
    EXPECT_EQ(RGB(1, 1, 1), m_tabs->GetTabBackColor(2));
    EXPECT_EQ(RGB(2, 2, 2), m_tabs->GetTabBackColor(1));
}

TEST_F(TabStateTest, ImageListsAndIconsGiveTheTabsImagesAndHeight)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b"});
    const int textHeight = tabtest::RegularCharHeight() + 7;
    EXPECT_EQ(textHeight, m_tabs->GetTabHeight());
    EXPECT_FALSE(m_tabs->TabHasImage(0));

    // An icon on a window without images: the small-icon size, the tab
    // height at least the icon's height + 7.
    EXPECT_TRUE(m_tabs->SetTabIconHandle(0, ::LoadIcon(nullptr, IDI_APPLICATION)));
    EXPECT_NE(nullptr, m_tabs->GetTabIconHandle(0));
    EXPECT_TRUE(m_tabs->TabHasImage(0));
    EXPECT_EQ(g_uiEnvironment.m_smallIconHeight, m_tabs->GetImageSize().cy);
    EXPECT_EQ(std::max(textHeight, g_uiEnvironment.m_smallIconHeight + 7), m_tabs->GetTabHeight());
    // An image index replaces (and destroys) the tab's own icon.
    EXPECT_TRUE(m_tabs->SetTabImageIndex(0, 1));
    EXPECT_EQ(nullptr, m_tabs->GetTabIconHandle(0));
    EXPECT_FALSE(m_tabs->TabHasImage(0)) << "an index without an image list";

    // The own list from a bitmap resource (the menu glyph strip).
    m_tabs->ResetImageList();
    EXPECT_FALSE(m_tabs->LoadImageList(17199, 9, RGB(255, 0, 255))) << "a missing bitmap";
    EXPECT_EQ(nullptr, m_tabs->GetImageListHandle());
    ASSERT_TRUE(m_tabs->LoadImageList(IDB_ZUDP_MENU_GLYPHS_HICOLOR, 9, RGB(255, 0, 255)));
    HIMAGELIST hOwn = m_tabs->GetImageListHandle();
    ASSERT_NE(nullptr, hOwn);
    EXPECT_EQ(9, m_tabs->GetImageSize().cx);
    EXPECT_TRUE(m_tabs->TabHasImage(0));

    // A handle that is no image list leaves the own list in place.
    EXPECT_FALSE(m_tabs->SetImageListHandle(reinterpret_cast<HIMAGELIST>(m_host->GetSafeHwnd())));
    EXPECT_FALSE(m_tabs->SetImageListHandle(nullptr));
    EXPECT_EQ(hOwn, m_tabs->GetImageListHandle());

    // An outside list replaces it; its first image gives the size.
    HIMAGELIST hOutside = ImageList_Create(20, 24, ILC_COLOR32, 1, 1);
    ImageList_SetImageCount(hOutside, 2);
    EXPECT_TRUE(m_tabs->SetImageListHandle(hOutside));
    EXPECT_EQ(hOutside, m_tabs->GetImageListHandle());
    EXPECT_EQ(CSize(20, 24), m_tabs->GetImageSize());
    EXPECT_EQ(std::max(textHeight, 24 + 7), m_tabs->GetTabHeight());
    m_tabs->ResetImageList();
    EXPECT_EQ(nullptr, m_tabs->GetImageListHandle());
    ImageList_Destroy(hOutside);

    // The flat tabs take no images.
    Create(CZUDPTabWnd::TabStyleFlat);
    EXPECT_FALSE(m_tabs->LoadImageList(IDB_ZUDP_MENU_GLYPHS_HICOLOR, 9, RGB(255, 0, 255)));
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    EXPECT_FALSE(m_tabs->SetImageListHandle(hList));
    ImageList_Destroy(hList);
}

} // namespace
