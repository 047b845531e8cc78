// Menu objects own at most one menu: making or attaching a second one while
// they hold a menu fails and leaves nothing behind.
#include "framework/win/Menu.h"

#include <gtest/gtest.h>

namespace {

WORD Slot(HMENU menu) { return LOWORD((UINT_PTR)menu); }

TEST(MenuTest, MakingAMenuForAnObjectThatHoldsOneMakesNone)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU held = menu.m_hMenu;

    // A freed handle slot is handed out again by the next menu made, unless
    // a menu made in between (and leaked) took it.  The handle table is
    // shared by every program of the session, so a program running beside
    // this one may take the slot now and then; a leak takes it every time.
    bool slotReused = false;
    for (int attempt = 0; attempt < 5 && !slotReused; ++attempt) {
        HMENU probe = ::CreatePopupMenu();
        ASSERT_TRUE(::DestroyMenu(probe));
        EXPECT_FALSE(menu.CreatePopupMenu());
        EXPECT_FALSE(menu.CreateMenu());
        EXPECT_EQ(held, menu.m_hMenu);
        HMENU next = ::CreatePopupMenu();
        slotReused = Slot(probe) == Slot(next);
        ::DestroyMenu(next);
    }
    EXPECT_TRUE(slotReused) << "a menu was made and leaked";

    // A handle offered to Attach stays the caller's.
    HMENU offered = ::CreatePopupMenu();
    EXPECT_FALSE(menu.Attach(offered));
    EXPECT_TRUE(::IsMenu(offered));
    EXPECT_EQ(held, menu.m_hMenu);
    ::DestroyMenu(offered);

    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(::IsMenu(held));
    EXPECT_TRUE(menu.CreateMenu());
}

} // namespace
