// The command manager: which image a command has (standard or user, never
// both), what menus show for it, and the menu settings in the registry,
// byte for byte.
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/commandbars/ZUDPCommandManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Words(std::initializer_list<WORD> words)
{
    std::vector<BYTE> bytes;
    for (WORD w : words) {
        bytes.push_back(BYTE(w));
        bytes.push_back(BYTE(w >> 8));
    }
    return bytes;
}

void AppendDword(std::vector<BYTE>& bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(BYTE(value >> (8 * i)));
}

} // namespace

TEST(CommandManagerTest, AssignmentsKeepOneImagePerCommand)
{
    CZUDPCommandManager manager;
    struct Step {
        const char* what;
        UINT command;
        int image;
        BOOL user;
        int standardAfter;
        int userAfter;
    } steps[] = {
        {"standard image", 100, 3, FALSE, 3, -1},
        {"a user image for a command with a standard one is refused", 100, 7, TRUE, 3, -1},
        {"standard image again: replaced", 100, 4, FALSE, 4, -1},
        {"user image", 200, 1, TRUE, -1, 1},
        {"a standard image for a command with a user one is refused", 200, 9, FALSE, -1, 1},
        {"user image again: replaced", 200, 2, TRUE, -1, 2},
        {"command 0 gets none", 0, 5, FALSE, -1, -1},
        {"command -1 gets none", (UINT)-1, 5, TRUE, -1, -1},
    };
    for (const Step& step : steps) {
        manager.AssignCommandImage(step.command, step.image, step.user);
        EXPECT_EQ(step.standardAfter, manager.LookupCommandImage(step.command, FALSE)) << step.what;
        EXPECT_EQ(step.userAfter, manager.LookupCommandImage(step.command, TRUE)) << step.what;
    }
    manager.ClearUserCommandImage(200);
    EXPECT_EQ(-1, manager.LookupCommandImage(200, TRUE));
    manager.AssignCommandImage(200, 8, FALSE);
    EXPECT_EQ(8, manager.LookupCommandImage(200, FALSE)) << "free for a standard image now";
    manager.ResetAllImages();
    EXPECT_EQ(-1, manager.LookupCommandImage(100, FALSE));
    EXPECT_EQ(-1, manager.LookupCommandImage(200, FALSE));

    // The global lookup asks the one manager of the process.
    EXPECT_EQ(&g_commandManager, GetCommandManager());
    g_commandManager.AssignCommandImage(31001, 6, FALSE);
    EXPECT_EQ(6, FindCommandImage(31001, FALSE));
    g_commandManager.ResetAllImages();
}

TEST(CommandManagerTest, MenuImagesOnAndOff)
{
    CZUDPCommandManager manager;
    manager.SetMenuItemImage(10, TRUE, 4);
    EXPECT_EQ(4, manager.GetMenuUserImage(10));
    EXPECT_FALSE(manager.IsMenuItemWithoutImage(10));

    // Off twice: one entry, and no menu user image.
    manager.SetMenuItemImage(10, FALSE);
    manager.SetMenuItemImage(10, FALSE);
    EXPECT_TRUE(manager.IsMenuItemWithoutImage(10));
    EXPECT_EQ(1u, manager.GetCommandsWithoutImages().size());
    EXPECT_EQ(-1, manager.GetMenuUserImage(10));

    // On with a negative index: shown, without a user image of its own.
    manager.SetMenuItemImage(10, TRUE, 2);
    manager.SetMenuItemImage(10, TRUE, -1);
    EXPECT_FALSE(manager.IsMenuItemWithoutImage(10));
    EXPECT_EQ(-1, manager.GetMenuUserImage(10));
}

namespace {

class CommandManagerRegistryTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        RegistryTestKey::SetUp();
        m_profile = Path() + "\\";
    }
    CString m_profile;
};

} // namespace

// "CommandsWithoutImages": a 16-bit count and the ids; "MenuUserImages": the
// count and (id, index) pairs; both REG_BINARY below "ZUDCommandManager".
TEST_F(CommandManagerRegistryTest, SaveWritesBothValuesByteForByte)
{
    CZUDPCommandManager manager;
    manager.SetMenuItemImage(0x1234, FALSE);
    manager.SetMenuItemImage(0x10005, FALSE);
    manager.SetMenuItemImage(7, TRUE, 3);
    ASSERT_TRUE(manager.SaveToRegistry(m_profile));
    DWORD type = 0;
    std::vector<BYTE> expected = Words({2});
    AppendDword(expected, 0x1234);
    AppendDword(expected, 0x10005);
    EXPECT_EQ(expected, ReadRaw("ZUDCommandManager", "CommandsWithoutImages", &type));
    EXPECT_EQ(DWORD(REG_BINARY), type);
    expected = Words({1});
    AppendDword(expected, 7);
    AppendDword(expected, 3);
    EXPECT_EQ(expected, ReadRaw("ZUDCommandManager", "MenuUserImages", &type));

    EXPECT_FALSE(manager.SaveToRegistry(m_profile + CString('k', 300) + "\\"));
}

// 70,000 commands take the long count form (0xFFFF, then 32 bits): the
// stored list loads in its order with every menu user image, and saves
// back to the same bytes.
TEST_F(CommandManagerRegistryTest, ARoundTripOfSeventyThousandCommands)
{
    const DWORD nCommands = 70000;
    std::vector<BYTE> list = Words({0xFFFF});
    AppendDword(list, nCommands);
    for (DWORD i = 0; i < nCommands; ++i)
        AppendDword(list, nCommands * 2 - i);
    std::vector<BYTE> map = Words({300});
    for (DWORD i = 1; i <= 300; ++i) {
        AppendDword(map, 500000 + i);
        AppendDword(map, i);
    }
    WriteRaw("ZUDCommandManager", "CommandsWithoutImages", REG_BINARY, list);
    WriteRaw("ZUDCommandManager", "MenuUserImages", REG_BINARY, map);

    CZUDPCommandManager manager;
    ASSERT_TRUE(manager.LoadFromRegistry(m_profile));
    ASSERT_EQ(size_t(nCommands), manager.GetCommandsWithoutImages().size());
    for (DWORD i = 0; i < nCommands; ++i)
        ASSERT_EQ(nCommands * 2 - i, manager.GetCommandsWithoutImages()[i]) << "position " << i;
    for (DWORD i = 1; i <= 300; ++i)
        ASSERT_EQ(int(i), manager.GetMenuUserImage(500000 + i));

    ::RegDeleteTreeA(HKEY_CURRENT_USER, Path());
    ASSERT_TRUE(manager.SaveToRegistry(m_profile));
    EXPECT_EQ(list, ReadRaw("ZUDCommandManager", "CommandsWithoutImages"));
    EXPECT_EQ(map.size(), ReadRaw("ZUDCommandManager", "MenuUserImages").size());
    CZUDPCommandManager reloaded;
    ASSERT_TRUE(reloaded.LoadFromRegistry(m_profile));
    for (DWORD i = 1; i <= 300; ++i)
        ASSERT_EQ(int(i), reloaded.GetMenuUserImage(500000 + i));
}

// A load changes nothing unless both values are read whole: a missing key,
// a missing value, counts beyond the bytes, short values.
TEST_F(CommandManagerRegistryTest, ADamagedOrMissingStateChangesNothing)
{
    CZUDPCommandManager manager;
    manager.SetMenuItemImage(42, FALSE);
    manager.SetMenuItemImage(43, TRUE, 5);
    EXPECT_FALSE(manager.LoadFromRegistry(m_profile));

    std::vector<BYTE> goodList = Words({1});
    AppendDword(goodList, 77);
    std::vector<BYTE> goodMap = Words({1});
    AppendDword(goodMap, 78);
    AppendDword(goodMap, 9);
    std::vector<BYTE> hugeCount = Words({0xFFFF});
    AppendDword(hugeCount, 0x40000000);
    AppendDword(hugeCount, 77);
    struct Row {
        const char* name;
        std::vector<BYTE> list;
        std::vector<BYTE> map;
        bool writeMap;
    } rows[] = {
        {"no menu user images", goodList, {}, false},
        {"a list count beyond its bytes", Words({3, 77, 0}), goodMap, true},
        {"a huge long count", hugeCount, goodMap, true},
        {"a cut map entry", goodList, Words({1, 78, 0}), true},
        {"an empty list value", {}, goodMap, true},
    };
    for (const Row& row : rows) {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, Path());
        WriteRaw("ZUDCommandManager", "CommandsWithoutImages", REG_BINARY, row.list);
        if (row.writeMap)
            WriteRaw("ZUDCommandManager", "MenuUserImages", REG_BINARY, row.map);
        EXPECT_FALSE(manager.LoadFromRegistry(m_profile)) << row.name;
        EXPECT_TRUE(manager.IsMenuItemWithoutImage(42)) << row.name;
        EXPECT_FALSE(manager.IsMenuItemWithoutImage(77)) << row.name;
        EXPECT_EQ(1u, manager.GetCommandsWithoutImages().size()) << row.name;
        EXPECT_EQ(5, manager.GetMenuUserImage(43)) << row.name;
        EXPECT_EQ(-1, manager.GetMenuUserImage(78)) << row.name;
    }

    // Both sound: the list is replaced (a command stored twice counts
    // once), the menu user images are added.
    goodList = Words({3});
    for (DWORD id : {77u, 80u, 77u})
        AppendDword(goodList, id);
    WriteRaw("ZUDCommandManager", "CommandsWithoutImages", REG_BINARY, goodList);
    WriteRaw("ZUDCommandManager", "MenuUserImages", REG_BINARY, goodMap);
    ASSERT_TRUE(manager.LoadFromRegistry(m_profile));
    EXPECT_FALSE(manager.IsMenuItemWithoutImage(42));
    EXPECT_EQ(std::vector<UINT>({77, 80}), manager.GetCommandsWithoutImages());
    manager.SetMenuItemImage(77, TRUE);
    EXPECT_FALSE(manager.IsMenuItemWithoutImage(77));
    EXPECT_EQ(5, manager.GetMenuUserImage(43));
    EXPECT_EQ(9, manager.GetMenuUserImage(78));
}
