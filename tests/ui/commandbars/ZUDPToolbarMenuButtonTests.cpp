// The toolbar menu button: its sub-items made from and turned back into
// menu handles, its archive, the click that opens its popup and where the
// popup is anchored, its drawing as a menu row; and the show-all item of
// shortened menus.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

// Test doubles with runtime classes of their own (archives create them by
// name, so they live outside the anonymous namespace).
// A popup that records how it was asked to open and opens no window.
class RecordedPopup : public CZUDPPopupMenu {
public:
    static std::vector<RecordedPopup*>& Opened()
    {
        static std::vector<RecordedPopup*> opened;
        return opened;
    }
    BOOL CreatePopup(CWnd* pWndOwner, int x, int y, HMENU hMenu, BOOL, BOOL) override
    {
        owner = pWndOwner;
        point = CPoint(x, y);
        itemCount = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : -1;
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        Opened().push_back(this);
        return opens;
    }
    CWnd* owner = nullptr;
    CPoint point;
    int itemCount = -1;
    BOOL opens = TRUE;
};

// A menu button whose popups are recorded.
class RecordingMenuButton : public CZUDPToolbarMenuButton {
    DECLARE_SERIAL(RecordingMenuButton)
public:
    RecordingMenuButton() = default;
    // Made in the body: the items a menu gives are of the class of the
    // button that builds them, which only the body knows.
    RecordingMenuButton(UINT uiID, HMENU hMenu, LPCTSTR lpszText) { Initialize(uiID, hMenu, -1, lpszText); }
    CZUDPPopupMenu* CreatePopupMenuObject() override { return new RecordedPopup; }
    // The popup it opened, taken away from it (the test deletes it).
    std::unique_ptr<RecordedPopup> TakePopup()
    {
        RecordedPopup* pPopup = static_cast<RecordedPopup*>(openPopup);
        openPopup = nullptr;
        if (pPopup != nullptr)
            pPopup->m_pParentBtn = nullptr;
        return std::unique_ptr<RecordedPopup>(pPopup);
    }
};
IMPLEMENT_SERIAL(RecordingMenuButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

// A menu button whose archive holds one item of a chosen class, as a
// registry value or a drag from another program may.
class ForgedMenuButton : public CZUDPToolbarMenuButton {
    DECLARE_SERIAL(ForgedMenuButton)
public:
    bool itemIsMenuButton = false;
    void Serialize(CArchive& ar) override
    {
        if (!ar.IsStoring()) {
            CZUDPToolbarMenuButton::Serialize(ar);
            return;
        }
        CZUDPToolbarButton::Serialize(ar);
        ar << tearOffId << lockedItems << reservedFlag;
        ar.WriteCount(1);
        CZUDPToolbarButton plain(5, -1, "Item");
        CZUDPToolbarMenuButton menuItem(5, nullptr, -1, "Item");
        if (itemIsMenuButton)
            ar.WriteObject(&menuItem);
        else
            ar.WriteObject(&plain);
    }
};
IMPLEMENT_SERIAL(ForgedMenuButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

namespace {

// File (Open, default; separator; Recent (submenu with tear-off tag): a,
// b; Print, column break; Exit, greyed).
HMENU FileMenu(UINT uiTearOffId = 0)
{
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenuA(hRecent, MF_STRING, 201, "a.lmx");
    ::AppendMenuA(hRecent, MF_STRING | MF_DISABLED, 202, "b.lmx");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 101, "&Open...\tCtrl+O");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    CString strRecent = "&Recent";
    if (uiTearOffId != 0)
        CZUDPTearOffBarManager::TagMenuText(uiTearOffId, strRecent);
    ::AppendMenuA(hMenu, MF_POPUP, UINT_PTR(hRecent), strRecent);
    ::AppendMenuA(hMenu, MF_STRING | MF_MENUBREAK, 102, "&Print");
    ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, 103, "E&xit");
    ::SetMenuDefaultItem(hMenu, 101, FALSE);
    return hMenu;
}

CZUDPToolbarMenuButton* Item(const CZUDPToolbarMenuButton& button, int nIndex)
{
    POSITION pos = button.subItems.FindIndex(nIndex);
    return pos != nullptr ? static_cast<CZUDPToolbarMenuButton*>(button.subItems.GetAt(pos)) : nullptr;
}

CString MenuText(HMENU hMenu, int nPos)
{
    char szText[256] = "";
    ::GetMenuStringA(hMenu, UINT(nPos), szText, sizeof(szText), MF_BYPOSITION);
    return szText;
}

TEST(MenuButtonItemsTest, SubItemsComeFromAMenuAndGoBackToOne)
{
    HMENU hMenu = FileMenu();
    RecordingMenuButton button(0, hMenu, "&File");
    ::DestroyMenu(hMenu);

    struct Row {
        UINT command;
        const char* text;
        UINT style;
        BOOL isDefault;
        int subItems;
    };
    const Row rows[] = {
        {101, "&Open...\tCtrl+O", 0, TRUE, 0},        {0, "", 0, FALSE, 0},
        {UINT(-1), "&Recent", 0, FALSE, 2},             {102, "&Print", ZUDP_TBBS_MENUBREAK, FALSE, 0},
        {103, "E&xit", TBBS_DISABLED, FALSE, 0},
    };
    ASSERT_EQ(5, button.subItems.GetCount());
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        CZUDPToolbarMenuButton* pItem = Item(button, i);
        EXPECT_EQ(RUNTIME_CLASS(RecordingMenuButton), pItem->GetRuntimeClass());
        EXPECT_EQ(rows[i].command, pItem->commandId);
        EXPECT_STREQ(rows[i].text, pItem->text);
        if (rows[i].command != 0) { // the system reports separators disabled
            EXPECT_EQ(rows[i].style, pItem->style);
        }
        EXPECT_EQ(rows[i].isDefault, pItem->isDefaultItem);
        EXPECT_EQ(rows[i].subItems, pItem->subItems.GetCount());
    }
    EXPECT_EQ(UINT(TBBS_DISABLED), Item(*Item(button, 2), 1)->style);

    // Back to a menu: the same items, states and default.
    HMENU hBuilt = button.BuildMenuHandle();
    ASSERT_NE(nullptr, hBuilt);
    ASSERT_EQ(5, ::GetMenuItemCount(hBuilt));
    EXPECT_EQ(101u, ::GetMenuItemID(hBuilt, 0));
    EXPECT_STREQ("&Open...\tCtrl+O", MenuText(hBuilt, 0));
    EXPECT_TRUE(::GetMenuState(hBuilt, 1, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU hRecent = ::GetSubMenu(hBuilt, 2);
    ASSERT_NE(nullptr, hRecent);
    EXPECT_STREQ("&Recent", MenuText(hBuilt, 2));
    EXPECT_EQ(202u, ::GetMenuItemID(hRecent, 1));
    EXPECT_TRUE(::GetMenuState(hRecent, 1, MF_BYPOSITION) & MF_DISABLED);
    EXPECT_TRUE(::GetMenuState(hBuilt, 3, MF_BYPOSITION) & MF_MENUBREAK);
    EXPECT_TRUE(::GetMenuState(hBuilt, 4, MF_BYPOSITION) & MF_DISABLED);
    EXPECT_EQ(101u, ::GetMenuDefaultItem(hBuilt, FALSE, 0));
    ::DestroyMenu(hBuilt);

    // A button with a command of its own and no items has no menu, unless
    // it only opens one.
    CZUDPToolbarMenuButton plain(7, nullptr, -1, "Plain");
    EXPECT_EQ(nullptr, plain.BuildMenuHandle());
    plain.menuOnly = TRUE;
    HMENU hEmpty = plain.BuildMenuHandle();
    ASSERT_NE(nullptr, hEmpty);
    EXPECT_EQ(0, ::GetMenuItemCount(hEmpty));
    ::DestroyMenu(hEmpty);

    // A long caption comes whole.
    const CString strLong(CString('x', 300) + "\tCtrl+L");
    HMENU hLong = ::CreatePopupMenu();
    ::AppendMenuA(hLong, MF_STRING, 9, strLong);
    button.CreateFromMenu(hLong);
    ::DestroyMenu(hLong);
    ASSERT_EQ(1, button.subItems.GetCount());
    EXPECT_STREQ(strLong, Item(button, 0)->text);

    // A handle that is no menu leaves the button without items.
    button.CreateFromMenu(reinterpret_cast<HMENU>(0x1234));
    EXPECT_TRUE(button.subItems.IsEmpty());
}

// Tear-off tags: taken off the text into the item's id (counted with the
// manager), put back on the way out, and released with the item.
TEST(MenuButtonItemsTest, TearOffTagsBecomeIdsAndGoBackIntoTheText)
{
    CZUDPTearOffBarManager manager;
    ASSERT_TRUE(manager.Build(40000, 40010));
    CZUDPTearOffBarManager* pSaved = g_tearOffManager;
    g_tearOffManager = &manager;
    {
        HMENU hMenu = FileMenu(40003);
        CZUDPToolbarMenuButton button(0, hMenu, -1, "&File");
        ::DestroyMenu(hMenu);
        CZUDPToolbarMenuButton* pRecent = Item(button, 2);
        EXPECT_EQ(40003u, pRecent->tearOffId);
        EXPECT_TRUE(pRecent->IsTearOff());
        EXPECT_STREQ("&Recent", pRecent->text);
        EXPECT_EQ(1, manager.GetIdUseCount(40003));

        HMENU hBuilt = button.BuildMenuHandle();
        CString strTagged = "&Recent";
        CZUDPTearOffBarManager::TagMenuText(40003, strTagged);
        EXPECT_STREQ(strTagged, MenuText(hBuilt, 2));
        EXPECT_TRUE(::GetMenuState(hBuilt, 2, MF_BYPOSITION) & MF_MENUBARBREAK);
        ::DestroyMenu(hBuilt);

        CZUDPToolbarMenuButton copy;
        copy.CopyFrom(button);
        EXPECT_EQ(2, manager.GetIdUseCount(40003));
        Item(copy, 2)->SetTearOffId(40004);
        EXPECT_EQ(1, manager.GetIdUseCount(40003));
        EXPECT_EQ(1, manager.GetIdUseCount(40004));
    }
    EXPECT_EQ(0, manager.GetIdUseCount(40003));
    EXPECT_EQ(0, manager.GetIdUseCount(40004));
    g_tearOffManager = pSaved;
}

std::vector<BYTE> Stored(CObject& object)
{
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(&object);
        ar.Close();
    }
    const size_t n = size_t(file.GetLength());
    BYTE* pBytes = file.Detach();
    std::vector<BYTE> bytes(pBytes, pBytes + n);
    std::free(pBytes);
    return bytes;
}

// Reads an object back; null when the archive was refused.
CObject* Loaded(const std::vector<BYTE>& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try {
        return ar.ReadObject(RUNTIME_CLASS(CZUDPToolbarMenuButton));
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

TEST(MenuButtonArchiveTest, TheButtonComesBackWithItsItems)
{
    HMENU hMenu = FileMenu();
    RecordingMenuButton button(0, hMenu, "&File");
    ::DestroyMenu(hMenu);
    button.lockedItems = TRUE;
    button.reservedFlag = FALSE;
    std::unique_ptr<CObject> pLoaded(Loaded(Stored(button)));
    CZUDPToolbarMenuButton* pButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pLoaded.get());
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(RUNTIME_CLASS(RecordingMenuButton), pButton->GetRuntimeClass());
    EXPECT_TRUE(pButton->lockedItems);
    EXPECT_FALSE(pButton->reservedFlag);
    EXPECT_TRUE(pButton->IsSameCommand(button));
    EXPECT_STREQ("b.lmx", Item(*Item(*pButton, 2), 1)->text);

    // Stored again, a menu of titles and separators gives the same bytes
    // (items with commands take their images from the command manager as
    // they load, so their image fields may differ).
    CZUDPToolbarMenuButton titles(0, nullptr, -1, "&View");
    titles.tearOffId = 0;
    CZUDPToolbarMenuButton* pPanes = new CZUDPToolbarMenuButton(UINT(-1), nullptr, -1, "&Panes");
    pPanes->subItems.AddTail(new CZUDPToolbarMenuButton(0, nullptr, -1, nullptr));
    titles.subItems.AddTail(new CZUDPToolbarMenuButton(0, nullptr, -1, nullptr));
    titles.subItems.AddTail(pPanes);
    titles.lockedItems = TRUE;
    const std::vector<BYTE> before = Stored(titles);
    std::unique_ptr<CObject> pTitles(Loaded(before));
    ASSERT_NE(nullptr, pTitles);
    EXPECT_EQ(before, Stored(*pTitles));
}

// Archives come from the registry and from drags: a sub-item must be a
// menu button, and sub-item lists nest at most 32 deep.
TEST(MenuButtonArchiveTest, ForeignItemsAndDeepNestingAreRefused)
{
    // A plain button where a menu item belongs.
    ForgedMenuButton forged;
    forged.text = "&File";
    EXPECT_EQ(nullptr, Loaded(Stored(forged)));
    forged.itemIsMenuButton = true;
    std::unique_ptr<CObject> pGood(Loaded(Stored(forged)));
    ASSERT_NE(nullptr, pGood) << "the same archive with a menu item loads";
    EXPECT_EQ(1, static_cast<CZUDPToolbarMenuButton*>(pGood.get())->subItems.GetCount());

    // 32 levels load, 33 do not.
    for (int nDepth : {32, 33}) {
        SCOPED_TRACE(nDepth);
        CZUDPToolbarMenuButton root(UINT(-1), nullptr, -1, "root");
        CZUDPToolbarMenuButton* pLevel = &root;
        for (int i = 1; i < nDepth; ++i) {
            CZUDPToolbarMenuButton* pChild = new CZUDPToolbarMenuButton(UINT(-1), nullptr, -1, "level");
            pLevel->subItems.AddTail(pChild);
            pLevel = pChild;
        }
        std::unique_ptr<CObject> pLoaded(Loaded(Stored(root)));
        EXPECT_EQ(nDepth <= CZUDPToolbarMenuButton::kMaxArchiveDepth, pLoaded != nullptr);
    }
}

// A window for buttons to live on, at a known screen place.
class MenuButtonClickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RecordedPopup::Opened().clear();
        ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(100, 50, 400, 80), nullptr, 0));
    }
    void TearDown() override { bar.DestroyWindow(); }

    // Clicks with the cursor at a client point of the bar.
    BOOL ClickAt(CZUDPToolbarMenuButton& button, CPoint ptClient, CWnd* pWnd, BOOL bDelay = FALSE)
    {
        CPoint ptScreen = ptClient;
        pWnd->ClientToScreen(&ptScreen);
        ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [ptScreen](POINT* p) {
            *p = ptScreen;
            return TRUE;
        });
        return button.OnClick(pWnd, bDelay);
    }

    CZUDPToolBar bar;
};

// A button with a command and a menu: a click beside the arrow runs the
// command (the bar sends it), a click on the arrow opens the menu.
TEST_F(MenuButtonClickTest, TheArrowOpensTheMenuAndTheRestRunsTheCommand)
{
    HMENU hMenu = FileMenu();
    RecordingMenuButton button(300, hMenu, "&Open");
    ::DestroyMenu(hMenu);
    button.OnParentChanged(&bar);
    button.SetRect(CRect(10, 2, 50, 24));
    button.arrowRect = CRect(40, 2, 50, 24);
    ASSERT_TRUE(button.showMenuArrow);

    EXPECT_FALSE(ClickAt(button, CPoint(20, 10), &bar));
    EXPECT_FALSE(button.IsDroppedDown());
    EXPECT_TRUE(RecordedPopup::Opened().empty());

    EXPECT_TRUE(ClickAt(button, CPoint(45, 10), &bar));
    EXPECT_TRUE(button.clickedInArrow);
    ASSERT_TRUE(button.IsDroppedDown());
    std::unique_ptr<RecordedPopup> pPopup = button.TakePopup();
    EXPECT_EQ(5, pPopup->itemCount);
}

// Without a command of its own the button opens its menu on any click;
// a second click closes it again.
TEST_F(MenuButtonClickTest, AMenuWithoutCommandOpensOnAnyClick)
{
    HMENU hMenu = FileMenu();
    RecordingMenuButton button(0, hMenu, "&File");
    ::DestroyMenu(hMenu);
    button.OnParentChanged(&bar);
    button.SetRect(CRect(10, 2, 50, 24));
    button.arrowRect = CRect(40, 2, 50, 24);

    EXPECT_TRUE(ClickAt(button, CPoint(20, 10), &bar));
    ASSERT_TRUE(button.IsDroppedDown());
    RecordedPopup* pPopup = static_cast<RecordedPopup*>(button.openPopup);
    EXPECT_EQ(&button, pPopup->m_pParentBtn);
    std::unique_ptr<RecordedPopup> pOwned = button.TakePopup();

    // A popup that cannot be made leaves the button closed.
    RecordingMenuButton failing(7, nullptr, "&Empty");
    EXPECT_FALSE(failing.OpenPopupMenu(&bar)) << "no items, no menu";
    EXPECT_FALSE(failing.IsDroppedDown());
}

// Where the popup opens, and which way: below a toolbar button, at its
// right edge when asked, right of a menu row, left of it on a right-to-left
// menu.
TEST_F(MenuButtonClickTest, PopupsAnchorBesideTheirButton)
{
    HMENU hMenu = FileMenu();
    RecordingMenuButton button(0, hMenu, "&File");
    ::DestroyMenu(hMenu);
    const CRect rectButton(10, 2, 50, 24);
    button.SetRect(rectButton);
    CRect rectScreen = rectButton;
    bar.ClientToScreen(&rectScreen);

    struct Case {
        const char* name;
        BOOL atRightEdge;
        CPoint expected;
        int direction;
    };
    const Case onToolbar[] = {
        {"below", FALSE, CPoint(rectScreen.left, rectScreen.bottom - 1), CZUDPPopupMenu::kBelowButton},
        {"at the right edge", TRUE, CPoint(rectScreen.right - 1, rectScreen.top), CZUDPPopupMenu::kBelowButton},
    };
    for (const Case& c : onToolbar) {
        SCOPED_TRACE(c.name);
        button.popupAtRightEdge = c.atRightEdge;
        ASSERT_TRUE(button.OpenPopupMenu(&bar));
        std::unique_ptr<RecordedPopup> pPopup = button.TakePopup();
        EXPECT_EQ(c.expected, pPopup->point);
        EXPECT_EQ(c.direction, pPopup->m_iDirection);
        EXPECT_EQ(&bar, pPopup->owner);
    }
    button.popupAtRightEdge = FALSE;

    for (DWORD dwExStyle : {0ul, DWORD(WS_EX_LAYOUTRTL)}) {
        SCOPED_TRACE(dwExStyle);
        CZUDPPopupMenuBar menuBar;
        ASSERT_TRUE(menuBar.CreateEx(dwExStyle, AfxRegisterWndClass(0), "", WS_POPUP, CRect(200, 100, 320, 300),
                                     nullptr, 0));
        CRect rectRow(0, 40, 120, 60);
        button.SetRect(rectRow);
        menuBar.ClientToScreen(&rectRow);
        CRect rectBar;
        menuBar.GetWindowRect(&rectBar);
        ASSERT_TRUE(button.OpenPopupMenu(&menuBar));
        std::unique_ptr<RecordedPopup> pPopup = button.TakePopup();
        const int nOffset = CZUDPVisualManager::GetActiveManager()->GetMenuPopupOffset();
        if (dwExStyle == 0) {
            EXPECT_EQ(CPoint(rectBar.right + nOffset, rectRow.top - 2), pPopup->point);
            EXPECT_EQ(int(CZUDPPopupMenu::kRightOfButton), pPopup->m_iDirection);
        } else {
            EXPECT_EQ(CPoint(rectBar.left - nOffset, rectRow.top - 2), pPopup->point);
            EXPECT_EQ(int(CZUDPPopupMenu::kLeftOfButton), pPopup->m_iDirection);
        }
        menuBar.DestroyWindow();
    }
}

// Pressed on its arrow, a command button with a menu looks pressed only
// there: the command part gets a raised frame, the arrow a sunken one;
// pressed elsewhere (or open) the whole button is framed pressed.
TEST(MenuButtonDrawingTest, OnlyTheArrowLooksPressedWhenClickedThere)
{
    uitest::RecordingManagerScope manager;
    trovtest::DibCanvas canvas(80, 30);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    HMENU hMenu = FileMenu();
    CZUDPToolbarMenuButton button(300, hMenu, -1, "Open");
    ::DestroyMenu(hMenu);
    button.showMenuArrow = TRUE;
    button.showText = TRUE;
    button.style = TBBS_PRESSED;
    const CRect rectButton(0, 0, 60, 24);
    button.SetRect(rectButton);

    button.clickedInArrow = TRUE;
    button.DrawButton(pDC, rectButton, nullptr, TRUE, FALSE, TRUE);
    const auto borders = manager->Of("DrawButtonBorder");
    ASSERT_EQ(2u, borders.size());
    EXPECT_EQ(ZUDP_BUTTON_HIGHLIGHTED, borders[0].flags.at(0));
    EXPECT_EQ(ZUDP_BUTTON_PUSHED, borders[1].flags.at(0));
    EXPECT_EQ(button.arrowRect, borders[1].rect);
    EXPECT_LE(borders[0].rect.right, button.arrowRect.left + 1) << "the command part ends at the arrow";
    EXPECT_EQ(0, manager->Count("DrawMenuButtonBorder"));
    EXPECT_EQ(UINT(TBBS_PRESSED), button.style) << "the style is as it was";

    manager->Clear();
    button.clickedInArrow = FALSE;
    button.DrawButton(pDC, rectButton, nullptr, TRUE, FALSE, TRUE);
    const auto whole = manager->Of("DrawMenuButtonBorder");
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(rectButton, whole.back().rect);
    EXPECT_EQ(ZUDP_BUTTON_PUSHED, whole.back().flags.at(0));
}

// Menu rows: a checked row without an image shows the radio bullet of a
// radio item; a caption's shortcut after its tab ends the glyph width and
// 3 pixels before the row's right edge.
TEST(MenuButtonRowTest, CheckMarksAndShortcuts)
{
    uitest::RecordingManagerScope manager;
    trovtest::DibCanvas canvas(300, 24);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    CZUDPToolbarMenuButton row(500, nullptr, -1, "&Zoom\tCtrl+Z");
    row.inPopupMenu = TRUE;
    row.style = TBBS_CHECKED;
    row.radioCheck = TRUE;
    const CRect rectRow(0, 0, 300, 24);
    row.SetRect(rectRow);
    pDC->SelectObject(&g_uiEnvironment.m_fontRegular);
    row.DrawMenuItem(pDC, rectRow, nullptr, FALSE, FALSE, FALSE, FALSE);
    const auto marks = manager->Of("DrawSubmenuArrow");
    ASSERT_EQ(1u, marks.size());
    EXPECT_EQ(1, marks[0].flags.at(1)) << "a radio bullet";

    // The shortcut's right edge: the last column with text colour.
    const COLORREF clrText = CZUDPVisualManager::GetActiveManager()->GetMenuItemTextColor(&row, FALSE, FALSE);
    const int nEnd = rectRow.right - (GetMenuGlyphSize().cx + 3);
    const RECT rightPart = {nEnd - 40, 0, 300, 24};
    const RECT drawn = canvas.BoundsOfOther(rightPart, canvas.Pixel(299, 1), 40);
    EXPECT_LE(drawn.right, nEnd);
    EXPECT_GE(drawn.right, nEnd - 2);
    EXPECT_GT(canvas.CountColor(rightPart, clrText, 60), 0);
}

// ---------------------------------------------------------------------------
// The show-all item

class SchedulingMenuBar : public CZUDPPopupMenuBar {
public:
    void ScheduleSubMenuOpen(CZUDPToolbarMenuButton* pButton, int nDelayFactor) override
    {
        scheduled.push_back({pButton, nDelayFactor});
    }
    std::vector<std::pair<CZUDPToolbarMenuButton*, int>> scheduled;
};

TEST(ShowAllButtonTest, TooltipNamesCtrlDownAsTheLayoutDoes)
{
    char szCtrl[32] = "", szDown[32] = "";
    ::GetKeyNameTextA(LONG(::MapVirtualKeyA(VK_CONTROL, MAPVK_VK_TO_VSC)) << 16, szCtrl, sizeof(szCtrl));
    ::GetKeyNameTextA((LONG(::MapVirtualKeyA(VK_DOWN, MAPVK_VK_TO_VSC)) << 16) | (1 << 24), szDown, sizeof(szDown));
    const CString strExpected = CString("Expand (") + szCtrl + "+" + szDown + ")";
    EXPECT_STREQ("Expand (Ctrl+Down)", strExpected) << "Wine's key names";

    CZUDPShowAllButton button;
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uId = 99;
    ASSERT_TRUE(button.FillToolInfo(nullptr, &info));
    EXPECT_STREQ(strExpected, info.lpszText);
    EXPECT_EQ(0u, info.uId);
    std::free(info.lpszText);
    EXPECT_FALSE(button.FillToolInfo(nullptr, nullptr));
}

// On an ordinary toolbar the item does nothing; on a menu, resting on it
// expands the menu only with the library's delay option, and a click
// always does.
TEST(ShowAllButtonTest, ClicksAndHoveringOnlyActOnAMenu)
{
    CZUDPToolBar toolbar;
    CZUDPShowAllButton onToolbar;
    EXPECT_FALSE(onToolbar.OnClick(&toolbar, FALSE));
    EXPECT_FALSE(onToolbar.OnClick(&toolbar, TRUE));

    SchedulingMenuBar menuBar;
    CZUDPShowAllButton item;
    const BOOL bSaved = g_showAllMenusAfterDelay;
    g_showAllMenusAfterDelay = FALSE;
    EXPECT_TRUE(item.OnClick(&menuBar, TRUE));
    EXPECT_TRUE(menuBar.scheduled.empty());
    g_showAllMenusAfterDelay = TRUE;
    EXPECT_TRUE(item.OnClick(&menuBar, TRUE));
    ASSERT_EQ(1u, menuBar.scheduled.size());
    EXPECT_EQ(&item, menuBar.scheduled[0].first);
    EXPECT_EQ(2, menuBar.scheduled[0].second);
    g_showAllMenusAfterDelay = bSaved;
    // A click without a popup around the bar has nothing to expand.
    EXPECT_FALSE(item.OnClick(&menuBar, FALSE));
}

TEST(ShowAllButtonTest, SizeAndDrawing)
{
    uitest::RecordingManagerScope manager;
    CZUDPShowAllButton button;
    trovtest::DibCanvas canvas(60, 20);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    const CSize size = button.CalcSize(pDC, CSize(23, 22), TRUE);
    EXPECT_EQ(50, size.cx);
    EXPECT_EQ(manager->GetShowAllButtonHeight(&button, pDC), size.cy);
    button.DrawButton(pDC, CRect(0, 0, 50, 16), nullptr, TRUE, FALSE, TRUE);
    const auto arrows = manager->Of("DrawShowAllButtonArrow");
    ASSERT_EQ(1u, arrows.size());
    EXPECT_EQ(CRect(1, 1, 49, 15), arrows[0].rect);
}

} // namespace
