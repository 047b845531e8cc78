// A toolbar's saved state: its archive and registry values byte for byte,
// what a load restores (and what a damaged or older archive does), the
// merge of resource changes, the reset prompt, and the library-wide
// toolbar options.  Everything is written below a test company key of
// its own, removed when each test ends.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/FrameworkSeams.h"
#include "res/ui/commandbars.h"
#include "tests/ui/commandbars/ToolBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace toolbartest;

namespace {

using StateBytes = std::vector<BYTE>;

const char kCompanyKey[] = "Software\\TROVconf Toolbar State Tests";
const char kProfile[] = "Software\\TROVconf Toolbar State Tests\\Bars\\";

// A workspace whose stored-state version and resource comparison a test
// chooses.
class CStateWorkspace : public CZUDPWorkspace {
public:
    explicit CStateWorkspace(BOOL bSmartUpdate = FALSE) : CZUDPWorkspace(bSmartUpdate) {}
    void SetStoredVersion(int nMajor, int nMinor)
    {
        m_iSavedVersionMajor = nMajor;
        m_iSavedVersionMinor = nMinor;
    }
};

StateBytes ArchiveOf(CZUDPToolBar& bar)
{
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        bar.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = UINT(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
    return StateBytes(pBytes.get(), pBytes.get() + nBytes);
}

std::string KeyOf(const char* name) { return std::string(kProfile) + name; }

// A value as stored: its type and bytes; type 0 when it is missing.
struct StoredValue {
    DWORD type = 0;
    StateBytes bytes;
};

StoredValue ReadValue(const std::string& key, const char* name)
{
    StoredValue value;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (::RegQueryValueExA(hKey, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        ::RegQueryValueExA(hKey, name, nullptr, &value.type, value.bytes.data(), &size);
    } else {
        value.type = 0;
    }
    ::RegCloseKey(hKey);
    return value;
}

void WriteValue(const std::string& key, const char* name, DWORD type, const StateBytes& bytes)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                nullptr, &hKey, nullptr));
    ::RegSetValueExA(hKey, name, 0, type, bytes.data(), DWORD(bytes.size()));
    ::RegCloseKey(hKey);
}

void DeleteValue(const std::string& key, const char* name)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
        ::RegDeleteValueA(hKey, name);
        ::RegCloseKey(hKey);
    }
}

StateBytes StateDword(DWORD value)
{
    StateBytes bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(BYTE(value >> (8 * i)));
    return bytes;
}

StateBytes Append(StateBytes a, const StateBytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<UINT> StoredCommandsOf(const CZUDPToolBar& bar)
{
    std::vector<UINT> commands;
    for (int i = 0; i < bar.GetCount(); ++i) {
        if (bar.GetButtonAt(i) != bar.GetOverflowButton())
            commands.push_back(bar.GetCommandAt(i));
    }
    return commands;
}

class ToolBarStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kCompanyKey);
        ASSERT_TRUE(m_host.Make());
        ASSERT_TRUE(MakeToolbar(m_bar, m_host));
        ASSERT_TRUE(m_bar.LoadButtonsResource(IDR_TEST_TOOLBAR));
        m_bar.SetOverflowButton(TRUE, 900, "Customize");
        m_bar.SetWindowText("Standard");
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_host.DestroyWindow();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kCompanyKey);
    }
    ToolbarStateGuard m_state;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
};

} // namespace

// The archive: the base bar's side and visibility, the storable buttons
// (never the overflow button) as objects with their classes, then the
// text-labels flag, the name and the MRU width.  The registry keeps the
// same bytes under "ZUDToolBar-<id>" (or "-<id><index in hex>"), with the
// name and the reset items beside them.
TEST_F(ToolBarStateTest, StateIsStoredByteForByteUnderTheBarsKey)
{
    auto* pMenu = new CZUDPToolbarMenuButton(ID_TEST_CUT, nullptr, -1, "&Edit");
    pMenu->subItems.AddTail(new CZUDPToolbarMenuButton(ID_TEST_PASTE, nullptr, -1, "&Paste"));
    ASSERT_EQ(2, m_bar.InsertButton(pMenu, 2));
    m_bar.ShowTextLabels(TRUE);
    m_bar.SetMRUWidth(0x1234);

    const StateBytes bytes = ArchiveOf(m_bar);
    ASSERT_GT(bytes.size(), 16u);
    EXPECT_EQ(StateDword(CBRS_ALIGN_TOP), StateBytes(bytes.begin(), bytes.begin() + 4)) << "the side";
    EXPECT_EQ((StateBytes{5, 0}), StateBytes(bytes.begin() + 8, bytes.begin() + 10))
        << "after the visibility, five buttons: open, save, the menu, the separator, print";
    const StateBytes tail(bytes.end() - 17, bytes.end());
    EXPECT_EQ(Append(Append(StateDword(1), StateBytes{8, 'S', 't', 'a', 'n', 'd', 'a', 'r', 'd'}), StateDword(0x1234)), tail);

    struct Case {
        int index;
        UINT id;
        const char* key;
    } cases[] = {{-1, (UINT)-1, "ZUDToolBar-100"}, {7, (UINT)-1, "ZUDToolBar-7"}, {-1, 0x1A, "ZUDToolBar-1001a"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_TRUE(m_bar.SaveBarState(kProfile, c.index, c.id));
        const StoredValue buttons = ReadValue(KeyOf(c.key), "Buttons");
        EXPECT_EQ(DWORD(REG_BINARY), buttons.type);
        EXPECT_EQ(bytes, buttons.bytes);
        const StoredValue name = ReadValue(KeyOf(c.key), "Name");
        EXPECT_EQ(DWORD(REG_SZ), name.type);
        EXPECT_EQ((StateBytes{'S', 't', 'a', 'n', 'd', 'a', 'r', 'd', 0}), name.bytes);
        EXPECT_EQ(DWORD(REG_BINARY), ReadValue(KeyOf(c.key), "OrigResetItems").type);
        EXPECT_EQ(0u, ReadValue(KeyOf(c.key), "OriginalItems").type) << "only when resources are compared";
    }
}

// What a load brings back: the buttons with their classes, images, texts
// and sub-items, the text labels, the name and the MRU width; the overflow
// button stays last.
TEST_F(ToolBarStateTest, LoadRestoresWhatWasSaved)
{
    auto* pMenu = new CZUDPToolbarMenuButton(ID_TEST_CUT, nullptr, -1, "&Edit");
    pMenu->subItems.AddTail(new CZUDPToolbarMenuButton(ID_TEST_PASTE, nullptr, -1, "&Paste"));
    m_bar.InsertButton(pMenu, 1);
    m_bar.GetButtonAt(0)->text = "Open it";
    m_bar.GetButtonAt(0)->showText = TRUE;
    m_bar.GetButtonAt(0)->style |= TBBS_CHECKED;
    m_bar.ShowTextLabels(TRUE);
    m_bar.SetMRUWidth(321);
    const int iOpenImage = m_bar.GetButtonAt(0)->imageIndex;
    ASSERT_TRUE(m_bar.SaveBarState(kProfile));

    m_bar.DeleteAllButtons();
    m_bar.SetOverflowButton(TRUE, 900, "Customize");
    m_bar.ShowTextLabels(FALSE);
    m_bar.SetWindowText("Changed");
    m_bar.SetMRUWidth(5);

    ASSERT_TRUE(m_bar.LoadBarState(kProfile));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_CUT, ID_TEST_SAVE, 0, ID_TEST_PRINT}), StoredCommandsOf(m_bar));
    const CZUDPToolbarButton* pOpen = m_bar.GetButtonAt(0);
    EXPECT_EQ(CString("Open it"), pOpen->text);
    EXPECT_TRUE(pOpen->showText);
    EXPECT_EQ(iOpenImage, pOpen->imageIndex);
    EXPECT_EQ(0u, pOpen->style & TBBS_CHECKED) << "pressed and checked states are not restored";
    const auto* pLoadedMenu = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, m_bar.GetButtonAt(1));
    ASSERT_NE(nullptr, pLoadedMenu);
    ASSERT_EQ(1, int(pLoadedMenu->subItems.GetCount()));
    EXPECT_EQ(UINT(ID_TEST_PASTE), static_cast<CZUDPToolbarButton*>(pLoadedMenu->subItems.GetHead())->commandId);
    EXPECT_TRUE(m_bar.GetButtonAt(3)->IsSeparator());
    ASSERT_NE(nullptr, m_bar.GetOverflowButton());
    EXPECT_EQ(m_bar.GetOverflowButton(), m_bar.GetButtonAt(m_bar.GetCount() - 1));
    EXPECT_EQ(900, m_bar.GetOverflowButton()->customizeCommandId);
    EXPECT_TRUE(m_bar.AreTextLabels());
    CString strName;
    m_bar.GetWindowText(strName);
    EXPECT_EQ(CString("Standard"), strName);
    EXPECT_EQ(321, m_bar.GetMRUWidth());
}

// A command put on the blocked list since the save does not come back.
TEST_F(ToolBarStateTest, BlockedCommandIsDroppedOnLoad)
{
    ASSERT_TRUE(m_bar.SaveBarState(kProfile));
    g_blockedCommands.AddTail(ID_TEST_SAVE);
    ASSERT_TRUE(m_bar.LoadBarState(kProfile));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), StoredCommandsOf(m_bar));
}

// A missing key or "Buttons" value, or a damaged archive, loads nothing:
// the bar keeps its buttons and its overflow button.
TEST_F(ToolBarStateTest, DamagedOrMissingStateKeepsTheButtons)
{
    EXPECT_FALSE(m_bar.LoadBarState(kProfile)) << "no key";
    ASSERT_TRUE(m_bar.SaveBarState(kProfile));
    const StateBytes good = ReadValue(KeyOf("ZUDToolBar-100"), "Buttons").bytes;
    ASSERT_GT(good.size(), 20u);

    // A serializable class that is no button, in the first object record.
    StateBytes foreign = Append(Append(StateDword(CBRS_ALIGN_TOP), StateDword(1)), StateBytes{1, 0, 0xFF, 0xFF, 1, 0, 13, 0});
    for (char c : std::string("CZUDPRegistry"))
        foreign.push_back(BYTE(c));
    StateBytes hugeCount = Append(Append(StateDword(CBRS_ALIGN_TOP), StateDword(1)), StateBytes{0xFE, 0xFF});
    struct Case {
        const char* name;
        StateBytes bytes;
    } cases[] = {{"cut in the middle", StateBytes(good.begin(), good.begin() + good.size() / 2)},
                 {"count past the data", hugeCount},
                 {"not a button", foreign},
                 {"empty", StateBytes{}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_bar.RemoveButton(1);
        const std::vector<UINT> before = StoredCommandsOf(m_bar);
        WriteValue(KeyOf("ZUDToolBar-100"), "Buttons", REG_BINARY, c.bytes);
        EXPECT_FALSE(m_bar.LoadBarState(kProfile));
        EXPECT_EQ(before, StoredCommandsOf(m_bar));
        EXPECT_NE(nullptr, m_bar.GetOverflowButton());
        ASSERT_TRUE(m_bar.ReloadFromResource());
    }
    DeleteValue(KeyOf("ZUDToolBar-100"), "Buttons");
    EXPECT_FALSE(m_bar.LoadBarState(kProfile)) << "no buttons value";
}

// State stored by a library before 6.2 ends without the MRU width: read
// without it only for such state.  The current format always has it.
TEST_F(ToolBarStateTest, MRUWidthIsReadOnlyFromStateThatHasIt)
{
    CZUDPToolBar empty;
    ASSERT_TRUE(MakeToolbar(empty, m_host));
    empty.SetOverflowButton(TRUE, 900, "Customize");
    empty.SetMRUWidth(77);
    ASSERT_TRUE(empty.SaveBarState(kProfile));
    const StateBytes current = ReadValue(KeyOf("ZUDToolBar-100"), "Buttons").bytes;
    const StateBytes older(current.begin(), current.end() - 4);
    // Only the archive's width counts here, not the docking state's.
    for (const char* key : {"ZUDPControlBar-100", "ZUDPControlBar-0"})
        DeleteValue(KeyOf(key), "MRUWidth");

    CStateWorkspace workspace;
    struct Case {
        const char* name;
        int major, minor;
        const StateBytes& bytes;
        BOOL loads;
        int mruWidth;
    } cases[] = {{"6.1 state without the width", 6, 1, older, TRUE, 5},
                 {"6.2 state with the width", 6, 2, current, TRUE, 77},
                 {"this library's state", 11, 0, current, TRUE, 77},
                 {"nothing loaded before", -1, -1, current, TRUE, 77},
                 {"this library's state cut short", 11, 0, older, FALSE, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        workspace.SetStoredVersion(c.major, c.minor);
        WriteValue(KeyOf("ZUDToolBar-100"), "Buttons", REG_BINARY, c.bytes);
        empty.SetMRUWidth(5);
        EXPECT_EQ(c.loads, empty.LoadBarState(kProfile));
        EXPECT_EQ(c.mruWidth, empty.GetMRUWidth());
    }
    // Archives that stay in the process are always of this library.
    workspace.SetStoredVersion(6, 1);
    empty.SetMRUWidth(99);
    const StateBytes inProcess = ArchiveOf(empty);
    EXPECT_EQ(current.size(), inProcess.size());
    empty.SetMRUWidth(5);
    CMemFile file(const_cast<BYTE*>(inProcess.data()), UINT(inProcess.size()));
    CArchive ar(&file, CArchive::load);
    empty.Serialize(ar);
    EXPECT_EQ(99, empty.GetMRUWidth());
    empty.DestroyWindow();
}

// With resource comparison on, the original items go beside the buttons;
// a command the resource lost leaves the restored bar, one it gained comes
// in at its resource position, and the bar reports the change.  An
// unchanged resource reports none.
TEST_F(ToolBarStateTest, ResourceChangesAreMergedIntoTheRestoredBar)
{
    CStateWorkspace workspace(TRUE);
    ASSERT_TRUE(m_bar.SaveBarState(kProfile));
    EXPECT_EQ(DWORD(REG_BINARY), ReadValue(KeyOf("ZUDToolBar-100"), "OriginalItems").type);
    ASSERT_TRUE(m_bar.LoadBarState(kProfile));
    EXPECT_FALSE(m_bar.IsResourceChanged());

    // The state of an older resource: open, cut, separator, print.
    m_bar.RemoveButton(1);
    ASSERT_EQ(1, m_bar.InsertButton(NewButton(ID_TEST_CUT), 1));
    ASSERT_TRUE(m_bar.SaveBarState(kProfile));
    {
        CObList older;
        for (UINT uiCmd : {UINT(ID_TEST_OPEN), UINT(ID_TEST_CUT), 0u, UINT(ID_TEST_PRINT)}) {
            auto* pItem = new CZUDPToolbarButton;
            pItem->commandId = uiCmd;
            if (uiCmd == 0)
                pItem->style = TBBS_SEPARATOR;
            older.AddTail(pItem);
        }
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(KeyOf("ZUDToolBar-100").c_str()));
        ASSERT_TRUE(reg.Write("OriginalItems", older));
        while (!older.IsEmpty())
            delete older.RemoveHead();
    }
    ASSERT_TRUE(m_bar.ReloadFromResource());
    ASSERT_TRUE(m_bar.LoadBarState(kProfile));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), StoredCommandsOf(m_bar));
    EXPECT_TRUE(m_bar.IsResourceChanged());
}

// The reset prompt names the bar ("<Untitled>" without a name); OK
// reloads the resource, Cancel changes nothing.  The window procedure
// takes the message as well as the message filter.
TEST_F(ToolBarStateTest, ResetPromptNamesTheBarAndResetsOnlyOnOK)
{
    std::vector<std::string> prompts;
    int answer = IDCANCEL;
    ScopedSeam<int(HWND, const char*, const char*, UINT)> box(
        g_frameworkSeams.messageBox, [&](HWND, const char* text, const char*, UINT type) {
            prompts.push_back(text);
            EXPECT_EQ(UINT(MB_OKCANCEL | MB_ICONWARNING), type);
            return answer;
        });
    m_bar.RemoveButton(0);
    m_bar.SetWindowText("  Standard ");
    m_bar.SendMessage(ZUDTOOLBAR_RESETRPROMPT);
    ASSERT_EQ(1u, prompts.size());
    EXPECT_EQ("All your changes will be lost! Do you really want to reset the toolbar 'Standard'?", prompts[0]);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE, 0, ID_TEST_PRINT}), StoredCommandsOf(m_bar)) << "cancelled";

    answer = IDOK;
    m_bar.SetWindowText("");
    MSG msg = {m_bar.m_hWnd, ZUDTOOLBAR_RESETRPROMPT, 0, 0};
    EXPECT_TRUE(m_bar.PreTranslateMessage(&msg));
    ASSERT_EQ(2u, prompts.size());
    EXPECT_EQ("All your changes will be lost! Do you really want to reset the toolbar '<Untitled>'?", prompts[1]);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), StoredCommandsOf(m_bar));
    EXPECT_NE(nullptr, m_bar.GetOverflowButton());
}

// ---------------------------------------------------------------------------
// Library-wide options

namespace {

// The options a test changes, put back when it ends.
class ToolbarOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kCompanyKey); }
    void TearDown() override
    {
        g_menuAnimation = m_animation;
        g_personalizedMenus = m_personalized;
        g_menuShadows = m_shadows;
        g_showAllMenusAfterDelay = m_showAll;
        CZUDPVisualManager::SetLook2000Style(m_look2000);
        g_commandUsage.ClearCounts();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kCompanyKey);
    }
    std::string OptionsKey() const { return KeyOf("ZUDToolbarParameters"); }

    ToolbarStateGuard m_state;
    int m_animation = g_menuAnimation;
    BOOL m_personalized = g_personalizedMenus;
    BOOL m_shadows = g_menuShadows;
    BOOL m_showAll = g_showAllMenusAfterDelay;
    BOOL m_look2000 = CZUDPVisualManager::IsLook2000();
};

StateBytes UsageArchive()
{
    CMemFile file(64);
    {
        CArchive ar(&file, CArchive::store);
        g_commandUsage.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = UINT(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
    return StateBytes(pBytes.get(), pBytes.get() + nBytes);
}

} // namespace

// Every option under its name, as a double word (the usage counts as
// their archive); a load brings them all back.
TEST_F(ToolbarOptionsTest, OptionsAreStoredAndLoadedByName)
{
    g_showTooltips = FALSE;
    g_showShortcutKeys = TRUE;
    g_largeIcons = TRUE;
    g_menuAnimation = 2;
    g_personalizedMenus = FALSE;
    g_menuShadows = TRUE;
    g_showAllMenusAfterDelay = FALSE;
    CZUDPVisualManager::SetLook2000Style(TRUE);
    g_commandUsage.ClearCounts();
    g_commandUsage.AddCommand(4321);
    ASSERT_TRUE(CZUDPToolBar::SaveGlobalOptions(kProfile));

    struct Case {
        const char* name;
        DWORD value;
    } cases[] = {{"Tooltips", 0},          {"ShortcutKeys", 1},      {"LargeIcons", 1},
                 {"MenuAnimation", 2},     {"RecentlyUsedMenus", 0}, {"MenuShadows", 1},
                 {"ShowAllMenusAfterDelay", 0}, {"Look2000", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StoredValue value = ReadValue(OptionsKey(), c.name);
        EXPECT_EQ(DWORD(REG_DWORD), value.type);
        EXPECT_EQ(StateDword(c.value), value.bytes);
    }
    const StoredValue usage = ReadValue(OptionsKey(), "CommandsUsage");
    EXPECT_EQ(DWORD(REG_BINARY), usage.type);
    EXPECT_EQ(UsageArchive(), usage.bytes);

    g_showTooltips = TRUE;
    g_largeIcons = FALSE;
    g_menuAnimation = 0;
    g_personalizedMenus = TRUE;
    g_showAllMenusAfterDelay = TRUE;
    CZUDPVisualManager::SetLook2000Style(FALSE);
    g_commandUsage.ClearCounts();
    ASSERT_TRUE(CZUDPToolBar::LoadGlobalOptions(kProfile));
    EXPECT_FALSE(g_showTooltips);
    EXPECT_TRUE(g_largeIcons);
    EXPECT_EQ(2, g_menuAnimation);
    EXPECT_FALSE(g_personalizedMenus);
    EXPECT_FALSE(g_showAllMenusAfterDelay);
    EXPECT_TRUE(CZUDPVisualManager::IsLook2000());
    EXPECT_EQ(1u, g_commandUsage.GetCount(4321));

    g_largeIcons = FALSE;
    EXPECT_TRUE(CZUDPToolBar::LoadLargeIconsOption(kProfile));
    EXPECT_TRUE(g_largeIcons);
}

// A stored animation this library does not know is no animation; a key
// without "Tooltips" reads nothing but still resets the animation and the
// look; no key at all changes nothing.
TEST_F(ToolbarOptionsTest, UnknownAnimationAndMissingValues)
{
    ASSERT_TRUE(CZUDPToolBar::SaveGlobalOptions(kProfile));
    struct Case {
        DWORD stored;
        int loaded;
    } cases[] = {{0, 0}, {1, 1}, {3, 3}, {999, 999}, {4, 0}, {998, 0}, {1000, 0}, {0xFFFFFFFF, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteValue(OptionsKey(), "MenuAnimation", REG_DWORD, StateDword(c.stored));
        g_menuAnimation = 2;
        EXPECT_TRUE(CZUDPToolBar::LoadGlobalOptions(kProfile));
        EXPECT_EQ(c.loaded, g_menuAnimation);
    }

    DeleteValue(OptionsKey(), "Tooltips");
    g_menuAnimation = 2;
    CZUDPVisualManager::SetLook2000Style(TRUE);
    g_showTooltips = FALSE;
    EXPECT_FALSE(CZUDPToolBar::LoadGlobalOptions(kProfile));
    EXPECT_EQ(0, g_menuAnimation);
    EXPECT_FALSE(CZUDPVisualManager::IsLook2000());
    EXPECT_FALSE(g_showTooltips) << "nothing read";

    ::RegDeleteTreeA(HKEY_CURRENT_USER, kCompanyKey);
    g_menuAnimation = 2;
    EXPECT_FALSE(CZUDPToolBar::LoadGlobalOptions(kProfile));
    EXPECT_EQ(2, g_menuAnimation) << "no key: nothing changes";
    EXPECT_FALSE(CZUDPToolBar::LoadLargeIconsOption(kProfile));
}
