// The toolbar's combo-box button: its item model with and without a
// window, copies of one command kept in step, the flat look's drawing, its
// archive, and the flat edit's keys and prompt.
#include "framework/Archive.h"
#include "framework/File.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPComboEdit.h"
#include "ui/commandbars/ZUDPHelpComboBoxButton.h"
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace toolbartest;

const UINT kComboCommand = 0x7100;

std::vector<BYTE> StoreComboArchive(CObject& object)
{
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = UINT(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
    return std::vector<BYTE>(pBytes.get(), pBytes.get() + nBytes);
}

BOOL LoadComboArchive(std::vector<BYTE> bytes, CObject& object)
{
    try {
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load);
        object.Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// A workspace whose stored-state version a test chooses.
class CComboVersionWorkspace : public CZUDPWorkspace {
public:
    void SetStoredVersion(int nMajor, int nMinor)
    {
        m_iSavedVersionMajor = nMajor;
        m_iSavedVersionMinor = nMinor;
    }
};

// Two toolbars in one host, each able to take combo buttons.
class ComboButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.Make(CRect(0, 0, 600, 200)));
        ASSERT_TRUE(MakeToolbar(m_bar, m_host, CSize(500, 40)));
        ASSERT_TRUE(MakeToolbar(m_second, m_host, CSize(500, 40)));
        m_second.SetWindowPos(nullptr, 0, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_second.DestroyWindow();
        m_host.DestroyWindow();
    }
    // A combo of the command on the bar, with the items given.
    CZUDPToolbarComboBoxButton* AddCombo(CZUDPToolBar& bar, DWORD dwStyle, std::initializer_list<const char*> items)
    {
        auto* pButton = new CZUDPToolbarComboBoxButton(kComboCommand, -1, dwStyle, 120);
        for (const char* item : items)
            pButton->AddItem(item, 0);
        bar.InsertButton(pButton);
        bar.PositionButtons();
        return pButton;
    }
    size_t PostedCommands(WORD code)
    {
        trovtest::PumpUntil([] { return false; }, 50);
        size_t n = 0;
        for (const auto& m : m_host.Of(WM_COMMAND))
            n += LOWORD(m.wParam) == kComboCommand && HIWORD(m.wParam) == code;
        return n;
    }

    ToolbarStateGuard m_guard;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
    CZUDPToolBar m_second;
};

TEST(ComboButtonModelTest, ItemsWithoutAWindow)
{
    CZUDPToolbarComboBoxButton combo(kComboCommand, -1, CBS_DROPDOWNLIST, 0);
    EXPECT_EQ(150, combo.GetWidth());
    EXPECT_EQ(DWORD(CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE | WS_VSCROLL), combo.comboStyle);
    EXPECT_EQ(0, combo.AddItem("Red", 11));
    EXPECT_EQ("Red", combo.GetText()) << "the first item becomes the edit text";
    EXPECT_EQ(1, combo.AddItem("Green", 12));
    // An item equal ignoring case is not added again; the answer is count - 1.
    EXPECT_EQ(1, combo.AddItem("red", 99));
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(0, combo.FindItem("RED"));
    EXPECT_EQ(DWORD_PTR(11), combo.GetItemData(0));
    EXPECT_EQ(nullptr, combo.GetItemText(-1)) << "nothing selected yet";

    EXPECT_FALSE(combo.SelectItem(5)) << "past the items";
    EXPECT_EQ(-1, combo.GetSelIndex());
    EXPECT_TRUE(combo.SelectItem(1));
    EXPECT_STREQ("Green", combo.GetItemText(-1));
    EXPECT_EQ(DWORD_PTR(12), combo.GetItemData(-1));
    EXPECT_TRUE(combo.SelectItem(-7));
    EXPECT_EQ(-1, combo.GetSelIndex()) << "every negative index means none";
}

TEST(ComboButtonModelTest, SortedItemsGoInOrder)
{
    CZUDPToolbarComboBoxButton combo(kComboCommand, -1, CBS_DROPDOWNLIST, 0);
    struct Case {
        const char* text;
        int answer;
    } cases[] = {{"m", 0}, {"c", 0}, {"x", 2}, {"f", 1}, {"C", 3}, {"c", 3}};
    // "C" sorts before "c" byte-wise but is the same item ignoring case.
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, combo.AddSortedItem(c.text, 0)) << c.text;
    const char* order[] = {"c", "f", "m", "x"};
    ASSERT_EQ(4, combo.GetCount());
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(order[i], combo.GetItemText(i));
}

// Sorted adding keeps lookup aids beside the lists; every other change of
// the lists must leave it answering as if it walked them.
TEST(ComboButtonModelTest, SortedAddingAgreesWithTheListAfterOtherChanges)
{
    CZUDPToolbarComboBoxButton combo(kComboCommand, -1, CBS_DROPDOWNLIST, 0);
    auto texts = [&combo] {
        std::vector<std::string> result;
        for (int i = 0; i < combo.GetCount(); i++)
            result.push_back(combo.GetItemText(i));
        return result;
    };

    // A long fill in scrambled order ends sorted, each text with its data.
    std::vector<std::string> expected;
    for (int i = 0; i < 300; i++) {
        char text[16];
        std::snprintf(text, sizeof text, "k%03d", (i * 97) % 300);
        combo.AddSortedItem(text, DWORD_PTR((i * 97) % 300 + 1000));
        expected.push_back(text);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, texts());
    for (int i = 0; i < combo.GetCount(); i++)
        EXPECT_EQ(DWORD_PTR(1000 + i), combo.GetItemData(i)) << i;
    EXPECT_EQ(combo.GetCount() - 1, combo.AddSortedItem("K150")) << "a duplicate ignoring case";
    EXPECT_EQ(300, combo.GetCount());

    // Items appended out of order: the next sorted item goes before the
    // first item after it, counted from the head.
    combo.RemoveAllItems();
    combo.AddSortedItem("b");
    combo.AddSortedItem("d");
    combo.AddItem("a");
    EXPECT_EQ(1, combo.AddSortedItem("c")) << "before \"d\", the first item after it";
    EXPECT_EQ((std::vector<std::string>{"b", "c", "d", "a"}), texts());
    EXPECT_EQ(3, combo.AddSortedItem("A")) << "the appended item counts as a duplicate";

    // Items taken from another button replace what the button had.
    CZUDPToolbarComboBoxButton other(kComboCommand, -1, CBS_DROPDOWNLIST, 0);
    other.AddSortedItem("q");
    other.AddSortedItem("s");
    combo.CopyFrom(other);
    EXPECT_EQ(1, combo.AddSortedItem("r"));
    EXPECT_EQ(0, combo.AddSortedItem("B")) << "\"b\" went with the old items";
    EXPECT_EQ((std::vector<std::string>{"B", "q", "r", "s"}), texts());
}

TEST_F(ComboButtonTest, TheWindowTakesTheModelAndAnswersForIt)
{
    auto* pCombo = AddCombo(m_bar, CBS_DROPDOWNLIST, {"Red", "Green", "Blue"});
    ASSERT_NE(nullptr, pCombo->comboWnd);
    EXPECT_EQ(3, pCombo->comboWnd->GetCount());
    EXPECT_EQ(2, pCombo->AddItem("red", 7)) << "count - 1";
    EXPECT_EQ(0, pCombo->comboWnd->GetCurSel()) << "the window selects the matching item";
    EXPECT_EQ(DWORD_PTR(7), pCombo->GetItemData(0)) << "the window answers for the data";

    EXPECT_FALSE(pCombo->SelectItem(5));
    EXPECT_EQ(0, pCombo->comboWnd->GetCurSel());
    EXPECT_TRUE(pCombo->SelectItem(2));
    EXPECT_EQ("Blue", pCombo->GetText());
    pCombo->SelectItem(-7);
    EXPECT_EQ(-1, pCombo->GetSelIndex());
    EXPECT_TRUE(pCombo->GetText().IsEmpty());
}

TEST_F(ComboButtonTest, ASelectionInOneCopySelectsItInAllWithOneCommand)
{
    auto* pFirst = AddCombo(m_bar, CBS_DROPDOWNLIST, {"Red", "Green", "Blue"});
    auto* pSecond = AddCombo(m_second, CBS_DROPDOWNLIST, {"Red", "Green", "Blue"});
    ASSERT_NE(nullptr, pFirst->comboWnd);
    ASSERT_NE(nullptr, pSecond->comboWnd);
    // The user picks "Blue" in the first copy: its list reports CBN_SELENDOK
    // to the bar.
    pFirst->comboWnd->SetCurSel(2);
    m_bar.SendMessage(WM_COMMAND, MAKEWPARAM(kComboCommand, CBN_SELENDOK), (LPARAM)pFirst->comboWnd->GetSafeHwnd());
    EXPECT_EQ(2, pSecond->comboWnd->GetCurSel());
    EXPECT_EQ("Blue", pSecond->GetText());
    EXPECT_EQ(2, pSecond->GetSelIndex());
    EXPECT_EQ(1u, PostedCommands(CBN_SELENDOK)) << "the copies report no selection of their own";
}

TEST_F(ComboButtonTest, TypedTextReachesEveryCopy)
{
    auto* pFirst = AddCombo(m_bar, CBS_DROPDOWN, {"alpha"});
    auto* pSecond = AddCombo(m_second, CBS_DROPDOWN, {"alpha"});
    ASSERT_TRUE(CZUDPToolbarComboBoxButton::IsFlatLook());
    ASSERT_NE(nullptr, pFirst->editWnd);
    ASSERT_NE(nullptr, pSecond->editWnd);
    pFirst->editWnd->SetWindowText("typed");   // EN_CHANGE, as typing makes it
    EXPECT_EQ("typed", pFirst->GetText());
    EXPECT_EQ("typed", pSecond->GetText());
    CString strShown;
    pSecond->editWnd->GetWindowText(strShown);
    EXPECT_EQ("typed", strShown);
    pSecond->comboWnd->GetWindowText(strShown);
    EXPECT_EQ("typed", strShown);
}

TEST_F(ComboButtonTest, AVerticalBarHidesTheWindows)
{
    auto* pCombo = AddCombo(m_bar, CBS_DROPDOWN, {"alpha"});
    ASSERT_NE(nullptr, pCombo->editWnd);
    CClientDC dc(&m_bar);
    pCombo->CalcSize(&dc, CSize(23, 22), TRUE);
    EXPECT_TRUE(pCombo->editWnd->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pCombo->comboWnd->GetStyle() & WS_VISIBLE) << "the flat look never shows the combo";
    const CSize size = pCombo->CalcSize(&dc, CSize(23, 22), FALSE);
    EXPECT_FALSE(pCombo->IsControlVisible());
    EXPECT_LT(size.cx, 120) << "measured as an image button";
}

TEST_F(ComboButtonTest, ArchiveStoresWhatTheWindowHolds)
{
    auto* pCombo = AddCombo(m_bar, CBS_DROPDOWNLIST, {"one", "two"});
    pCombo->contextMenuId = 0x4321;
    // Added to the window directly, not through the button.
    const int iDirect = pCombo->comboWnd->AddString("three");
    pCombo->comboWnd->SetItemData(iDirect, 0x1234);
    pCombo->SelectItem(1);
    // A copy takes only the model's items.
    CZUDPToolbarComboBoxButton copy;
    copy.CopyFrom(*pCombo);
    EXPECT_EQ(2, copy.GetCount());

    CZUDPToolbarComboBoxButton loaded;
    ASSERT_TRUE(LoadComboArchive(StoreComboArchive(*pCombo), loaded));
    ASSERT_EQ(3, loaded.GetCount());
    EXPECT_STREQ("three", loaded.GetItemText(2));
    EXPECT_EQ(DWORD_PTR(0x1234), loaded.GetItemData(2));
    EXPECT_EQ(1, loaded.GetSelIndex());
    EXPECT_EQ(UINT(0x4321), loaded.contextMenuId);
    EXPECT_EQ(120, loaded.GetWidth());
}

TEST(ComboButtonArchiveTest, TheContextMenuIdIsAlwaysWrittenAndReadByVersion)
{
    CZUDPToolbarComboBoxButton combo(kComboCommand, -1, CBS_DROPDOWN, 90);
    combo.contextMenuId = 77;
    combo.AddItem("x", 0xFFFFFFFF);
    const std::vector<BYTE> bytes = StoreComboArchive(combo);

    // No workspace, or one that has loaded nothing: the current format.
    {
        CZUDPToolbarComboBoxButton loaded;
        ASSERT_TRUE(LoadComboArchive(bytes, loaded));
        EXPECT_EQ(UINT(77), loaded.contextMenuId);
        EXPECT_EQ(DWORD_PTR(0xFFFFFFFF), loaded.GetItemData(0)) << "32 bits of data per item";
    }
    CComboVersionWorkspace workspace;
    {
        CZUDPToolbarComboBoxButton loaded;
        ASSERT_TRUE(LoadComboArchive(bytes, loaded));
        EXPECT_EQ(UINT(77), loaded.contextMenuId);
    }
    // State an older library stored carries no id: the loader reads none.
    // The id sits after the drop-down height, before the one-item list
    // (count, "x") and its data.
    // Such state lacks the button's visible flag too (before the width).
    std::vector<BYTE> older = bytes;
    const size_t nIdAt = bytes.size() - 4 /* data */ - 2 /* "x" */ - 2 /* count */ - 4 /* id */;
    const size_t nVisibleAt = nIdAt - 4 /* height */ - 2 /* "x" */ - 4 /* selection */ - 4 /* style */ -
                              4 /* width */ - 4 /* visible */;
    older.erase(older.begin() + std::ptrdiff_t(nIdAt), older.begin() + std::ptrdiff_t(nIdAt) + 4);
    older.erase(older.begin() + std::ptrdiff_t(nVisibleAt), older.begin() + std::ptrdiff_t(nVisibleAt) + 4);
    workspace.SetStoredVersion(6, 40);  // 0x60400
    CZUDPToolbarComboBoxButton loaded;
    ASSERT_TRUE(LoadComboArchive(older, loaded));
    EXPECT_EQ(UINT(0), loaded.contextMenuId);
    ASSERT_EQ(1, loaded.GetCount());
    EXPECT_STREQ("x", loaded.GetItemText(0));
}

TEST(ComboButtonArchiveTest, ABadStoredSelectionSelectsNothing)
{
    CZUDPToolbarComboBoxButton combo(kComboCommand, -1, CBS_DROPDOWNLIST, 90);
    combo.AddItem("a", 0);
    combo.selIndex = 40;
    CZUDPToolbarComboBoxButton loaded;
    ASSERT_TRUE(LoadComboArchive(StoreComboArchive(combo), loaded));
    EXPECT_EQ(-1, loaded.GetSelIndex());
    EXPECT_EQ(nullptr, loaded.GetItemText(-1));
}

TEST(ComboButtonArchiveTest, ATruncatedArchiveThrowsAndLoadsNoItems)
{
    CZUDPToolbarComboBoxButton combo(kComboCommand, -1, CBS_DROPDOWNLIST, 90);
    for (const char* item : {"a", "b", "c"})
        combo.AddItem(item, 0);
    std::vector<BYTE> bytes = StoreComboArchive(combo);
    bytes.resize(bytes.size() - 6);
    CZUDPToolbarComboBoxButton loaded;
    EXPECT_FALSE(LoadComboArchive(bytes, loaded));
}

TEST_F(ComboButtonTest, FlatLookDrawsItsPartsThroughTheManager)
{
    auto* pCombo = AddCombo(m_bar, CBS_DROPDOWNLIST, {"Red"});
    pCombo->SelectItem(0);
    uitest::RecordingManagerScope manager;
    trovtest::DibCanvas canvas(500, 40);
    CDC* pDC = CDC::FromHandle(canvas.Dc());

    struct Case {
        const char* what;
        BOOL highlight, hotEdit, disabled;
        int expectHighlighted, expectDisabled;
    } cases[] = {
        {"normal", FALSE, FALSE, FALSE, FALSE, FALSE},
        {"hot button", TRUE, FALSE, FALSE, TRUE, FALSE},
        {"hot edit", FALSE, TRUE, FALSE, TRUE, FALSE},
        {"disabled", FALSE, FALSE, TRUE, FALSE, TRUE},
    };
    for (const Case& c : cases) {
        manager->Clear();
        pCombo->hotEdit = c.hotEdit;
        pCombo->style = c.disabled ? TBBS_DISABLED : 0;
        pCombo->DrawButton(pDC, pCombo->Rect(), nullptr, TRUE, FALSE, c.highlight);
        for (const char* op : {"DrawComboBorder", "FillComboEditArea", "DrawComboDropButton"}) {
            const auto calls = manager->Of(op);
            ASSERT_EQ(1u, calls.size()) << c.what << " " << op;
            EXPECT_EQ(c.expectDisabled, calls[0].flags.at(0)) << c.what << " " << op;
            EXPECT_EQ(FALSE, calls[0].flags.at(1)) << c.what << " " << op;
            EXPECT_EQ(c.expectHighlighted, calls[0].flags.at(2)) << c.what << " " << op;
            EXPECT_EQ(pCombo, calls[0].element);
        }
        EXPECT_EQ(pCombo->GetComboRect(), manager->Of("DrawComboBorder")[0].rect);
        CRect rectEdit = pCombo->GetComboRect();
        rectEdit.DeflateRect(2, 2);
        EXPECT_EQ(rectEdit, manager->Of("FillComboEditArea")[0].rect);
        EXPECT_EQ(pCombo->GetDropButtonRect(), manager->Of("DrawComboDropButton")[0].rect);
    }
    pCombo->style = 0;
    pCombo->hotEdit = FALSE;
}

// A combo whose window records what it is asked to draw.
class CRecordingCombo : public CComboBox {
public:
    std::vector<DRAWITEMSTRUCT> drawn;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { drawn.push_back(*lpDIS); }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override { lpMIS->itemHeight = 16; }
};

class COwnerDrawnComboButton : public CZUDPToolbarComboBoxButton {
public:
    COwnerDrawnComboButton() : CZUDPToolbarComboBoxButton(kComboCommand, -1, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 120) {}
    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override
    {
        auto* pCombo = new CRecordingCombo;
        if (!pCombo->Create(comboStyle, rect, pWndParent, commandId)) {
            delete pCombo;
            return nullptr;
        }
        return pCombo;
    }
};

TEST_F(ComboButtonTest, AnOwnerDrawnComboDrawsItsTextItself)
{
    auto* pCombo = new COwnerDrawnComboButton;
    pCombo->AddItem("Bold", 0x55);
    m_bar.InsertButton(pCombo);
    m_bar.PositionButtons();
    ASSERT_TRUE(pCombo->SelectItem(0));
    auto* pWindow = static_cast<CRecordingCombo*>(pCombo->comboWnd);
    pWindow->drawn.clear();
    trovtest::DibCanvas canvas(500, 40);
    pCombo->DrawButton(CDC::FromHandle(canvas.Dc()), pCombo->Rect(), nullptr, TRUE, FALSE, FALSE);
    ASSERT_EQ(1u, pWindow->drawn.size());
    const DRAWITEMSTRUCT& dis = pWindow->drawn[0];
    EXPECT_EQ(UINT(ODT_COMBOBOX), dis.CtlType);
    EXPECT_EQ(kComboCommand, dis.CtlID);
    EXPECT_EQ(0u, dis.itemID);
    EXPECT_EQ(UINT(ODS_COMBOBOXEDIT), dis.itemState);
    EXPECT_EQ(ULONG_PTR(0x55), dis.itemData);
    EXPECT_EQ(canvas.Dc(), dis.hDC);
}

TEST_F(ComboButtonTest, FlatEditKeys)
{
    auto* pCombo = AddCombo(m_bar, CBS_DROPDOWN, {"one", "two"});
    ASSERT_NE(nullptr, pCombo->editWnd);
    auto* pEdit = static_cast<CZUDPComboEdit*>(pCombo->editWnd);
    auto key = [&](UINT nKey) {
        MSG msg = {pEdit->GetSafeHwnd(), WM_KEYDOWN, nKey, 0, 0, {0, 0}};
        return pEdit->PreTranslateMessage(&msg);
    };

    // Enter with the list closed: the typed text becomes the button's, then
    // the command goes to the owner with code 0.
    pEdit->SetWindowText("typed here");
    m_host.received.clear();
    EXPECT_TRUE(key(VK_RETURN));
    EXPECT_EQ("typed here", pCombo->GetText());
    EXPECT_EQ(1u, PostedCommands(0));

    // Down opens the list; a second Down is the list's own business.
    EXPECT_TRUE(key(VK_DOWN));
    EXPECT_TRUE(pCombo->comboWnd->GetDroppedState());
    EXPECT_TRUE(key(VK_DOWN));
    EXPECT_TRUE(pCombo->comboWnd->GetDroppedState());
    // Escape closes it.
    EXPECT_TRUE(key(VK_ESCAPE));
    EXPECT_FALSE(pCombo->comboWnd->GetDroppedState());
    // Other keys are the edit's.
    EXPECT_FALSE(key('A'));
}

TEST_F(ComboButtonTest, AHelpComboShowsItsPromptInGreyWhenEmptyAndUnfocused)
{
    auto* pHelp = new CZUDPHelpComboBoxButton(kComboCommand, 160, "Type a question");
    EXPECT_FALSE(pHelp->IsCustomizable());
    m_bar.InsertButton(pHelp);
    m_bar.PositionButtons();
    ASSERT_NE(nullptr, pHelp->editWnd);
    auto* pEdit = static_cast<CZUDPComboEdit*>(pHelp->editWnd);
    m_host.SetFocus();
    ASSERT_TRUE(pEdit->IsPromptShown());

    CRect rectClient;
    pEdit->GetClientRect(&rectClient);
    trovtest::DibCanvas canvas(rectClient.Width(), rectClient.Height());
    pEdit->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(g_uiEnvironment.m_colorWindow, canvas.Pixel(0, 0)) << "the edit's background";
    EXPECT_GT(canvas.CountColor(canvas.Rect(), g_uiEnvironment.m_colorGrayText), 0) << "grey prompt text";

    // Text typed into it hides the prompt.
    pEdit->SetWindowText("why");
    EXPECT_FALSE(pEdit->IsPromptShown());
    canvas.Fill(RGB(0, 255, 0));
    pEdit->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(0, canvas.CountColor(canvas.Rect(), g_uiEnvironment.m_colorGrayText));
}

} // namespace
