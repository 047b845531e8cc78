// Dragged toolbar buttons: the drop source's cursors and end state, each
// toolbar's drop target with its refusals; and the command usage counts
// behind personalized menus, with their archive.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Ole.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarDropSource.h"

#include "tests/common/DragLoopWin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Command usage counts

// A scope with customization off and a known core-command list.
class UsageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedCustomize = g_customizeMode;
        g_customizeMode = FALSE;
        savedCore.AddTail(&g_coreCommands);
        g_coreCommands.RemoveAll();
        CZUDPToolBar::AddCoreCommand(900);
    }
    void TearDown() override
    {
        g_customizeMode = savedCustomize;
        g_coreCommands.RemoveAll();
        g_coreCommands.AddTail(&savedCore);
    }
    BOOL savedCustomize = FALSE;
    CList<UINT, UINT> savedCore;
};

std::vector<BYTE> Stored(CCmdUsageCount& usage)
{
    CMemFile file(64);
    {
        CArchive ar(&file, CArchive::store);
        usage.Serialize(ar);
        ar.Close();
    }
    const size_t n = size_t(file.GetLength());
    BYTE* pBytes = file.Detach();
    std::vector<BYTE> bytes(pBytes, pBytes + n);
    std::free(pBytes);
    return bytes;
}

void Load(CCmdUsageCount& usage, const std::vector<BYTE>& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    usage.Serialize(ar);
}

void Use(CCmdUsageCount& usage, UINT uiCmd, int times)
{
    for (int i = 0; i < times; ++i)
        usage.AddCommand(uiCmd);
}

// A command is used often when it takes more than 5 % of all uses, in
// whole percent (1 of 19 is 5 %).
TEST_F(UsageTest, OftenUsedMeansMoreThanFivePercent)
{
    struct Case {
        int uses, others;
        BOOL often;
    };
    const Case cases[] = {{5, 95, FALSE}, {6, 94, TRUE}, {1, 18, FALSE}, {1, 15, TRUE}, {0, 10, FALSE}, {1, 0, TRUE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.uses << " of " << c.uses + c.others);
        CCmdUsageCount usage;
        Use(usage, 100, c.uses);
        Use(usage, 200, c.others);
        EXPECT_EQ(c.often, usage.IsOftenUsed(100));
        EXPECT_EQ(UINT(c.uses), usage.GetCount(100));
        EXPECT_EQ(UINT(c.uses + c.others), usage.GetTotal());
    }
    CCmdUsageCount empty;
    EXPECT_FALSE(empty.IsOftenUsed(100));
    EXPECT_TRUE(empty.HasEnoughData());
}

TEST_F(UsageTest, CommandsThatAreNeverCounted)
{
    CCmdUsageCount usage;
    for (UINT uiCmd : {0u, UINT(-1), 900u, 0xE110u, 0xE215u, 0xF060u, 0xFF00u, 0xFFFFu})
        usage.AddCommand(uiCmd);
    g_customizeMode = TRUE;
    usage.AddCommand(100); // run while customizing
    EXPECT_EQ(0u, usage.GetTotal());
    EXPECT_EQ(0u, usage.GetCount(100));
}

// The library's hiding decision: with an empty statistic every command that
// may be hidden is rarely used; core commands and the navigation commands
// never are; with no core commands nothing is hidden.
TEST_F(UsageTest, RarelyUsedFollowsTheLibraryWideCounts)
{
    g_commandUsage.ClearCounts();
    EXPECT_TRUE(IsRarelyUsedCommand(100));
    EXPECT_FALSE(IsRarelyUsedCommand(900));
    EXPECT_FALSE(IsRarelyUsedCommand(17020));
    CZUDPToolBar::CountCommandUse(100);
    EXPECT_EQ(1u, CZUDPToolBar::GetCommandUseCount(100));
    EXPECT_FALSE(IsRarelyUsedCommand(100));
    EXPECT_TRUE(IsRarelyUsedCommand(101));
    g_coreCommands.RemoveAll();
    EXPECT_FALSE(IsRarelyUsedCommand(101));
    g_commandUsage.ClearCounts();
}

// The share is worked out in 64 bits: counts beyond 43 million uses would
// wrap count x 100 in 32 bits.
TEST_F(UsageTest, SharesOfLargeCountsDoNotWrap)
{
    // 60 million of 100 million uses (60 %); 45 million of 1000 million
    // (4.5 %).
    const std::vector<BYTE> often = {0x00, 0xE1, 0xF5, 0x05, 0x01, 0x00, 0x64, 0x00, 0x00, 0x00,
                                     0x00, 0x87, 0x93, 0x03};
    const std::vector<BYTE> rare = {0x00, 0xCA, 0x9A, 0x3B, 0x01, 0x00, 0x64, 0x00, 0x00, 0x00,
                                    0x40, 0xA5, 0xAE, 0x02};
    CCmdUsageCount usage;
    Load(usage, often);
    EXPECT_EQ(60000000u, usage.GetCount(100));
    EXPECT_TRUE(usage.IsOftenUsed(100));
    Load(usage, rare);
    EXPECT_EQ(45000000u, usage.GetCount(100));
    EXPECT_FALSE(usage.IsOftenUsed(100));
}

// The archive: total, element count, then command and count per element
// in the map's order (by hash bucket: 200 before 100 and 117, which share
// a bucket, newest first).
TEST_F(UsageTest, ArchiveIsByteForByteAndComesBackTheSame)
{
    CCmdUsageCount usage;
    Use(usage, 100, 3);
    Use(usage, 200, 1);
    Use(usage, 117, 2);
    const std::vector<BYTE> expected = {
        0x06, 0x00, 0x00, 0x00, // total
        0x03, 0x00,             // elements
        0xC8, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, // 200: 1
        0x75, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, // 117: 2
        0x64, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, // 100: 3
    };
    EXPECT_EQ(expected, Stored(usage));

    CCmdUsageCount loaded;
    Use(loaded, 300, 4); // replaced by the load
    Load(loaded, expected);
    EXPECT_EQ(expected, Stored(loaded));
    EXPECT_EQ(0u, loaded.GetCount(300));
    EXPECT_EQ(2u, loaded.GetCount(117));
}

// A count larger than the bytes that follow, or bytes cut short, is
// refused before anything is allocated or changed.
TEST_F(UsageTest, ADamagedArchiveChangesNothing)
{
    const std::vector<std::vector<BYTE>> damaged = {
        {0x06, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, // 2^31 elements
        {0x06, 0x00, 0x00, 0x00, 0x02, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x75},
        {0x06, 0x00},
    };
    for (const std::vector<BYTE>& bytes : damaged) {
        SCOPED_TRACE(bytes.size());
        CCmdUsageCount usage;
        Use(usage, 100, 2);
        const std::vector<BYTE> before = Stored(usage);
        bool thrown = false;
        try {
            Load(usage, bytes);
        } catch (CException* e) {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown);
        EXPECT_EQ(before, Stored(usage));
    }
}

// ---------------------------------------------------------------------------
// The drop source and the toolbars' drop targets

// A toolbar whose tracking answers a chosen effect and records the calls
// its drop target passes on.
class TrackingToolBar : public CZUDPToolBar {
public:
    DROPEFFECT answer = DROPEFFECT_MOVE;
    BOOL dropResult = TRUE;
    int enters = 0, overs = 0, drops = 0, leaves = 0;
    DROPEFFECT droppedWith = DROPEFFECT_NONE;

    DROPEFFECT TrackDragEnter(COleDataObject*, DWORD, CPoint) override
    {
        ++enters;
        return answer;
    }
    DROPEFFECT TrackDragOver(COleDataObject*, DWORD, CPoint) override
    {
        ++overs;
        return answer;
    }
    BOOL DropButton(COleDataObject*, DROPEFFECT dropEffect, CPoint) override
    {
        ++drops;
        droppedWith = dropEffect;
        return dropResult;
    }
    void RemoveInsertMark() override
    {
        ++leaves;
        CZUDPToolBar::RemoveInsertMark();
    }
};

HCURSOR LibraryCursor(UINT nId) { return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nId)); }

class ToolbarDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        savedCustomize = g_customizeMode;
        g_customizeMode = TRUE;
        ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(100, 100, 300, 130), nullptr, 0));
        CZUDPToolbarButton button(0, -1, "Open");
        button.commandId = 5;
        ASSERT_TRUE(button.ExportDragData(buttonData));
        HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 4);
        std::memcpy(::GlobalLock(text), "abc", 4);
        ::GlobalUnlock(text);
        textData.CacheGlobalData(CF_TEXT, text);
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        g_customizeMode = savedCustomize;
    }

    DROPEFFECT Drag(COleDataSource& data, std::vector<trovtest::DragStep> steps)
    {
        ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState,
                                    [](int key) -> SHORT { return key == VK_LBUTTON ? SHORT(0x8000) : SHORT(0); });
        ScopedSeam<BOOL(HWND, const RECT*)> wait(g_frameworkSeams.dragStartLoop, [](HWND, const RECT*) { return TRUE; });
        ScopedSeam<HRESULT(IDataObject*, IDropSource*, DWORD, DWORD*)> loop(
            g_frameworkSeams.dragLoop, [&](IDataObject* pData, IDropSource* pSource, DWORD ok, DWORD* pEffect) {
                return trovtest::RunDragSteps(pData, pSource, ok, pEffect, steps, &record);
            });
        g_toolbarDropSource.m_bDragBegan = FALSE;
        const CRect start(10, 10, 20, 20);
        return data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &start, &g_toolbarDropSource);
    }
    IDropTarget* Target() { return bar.m_DropTarget.GetDropTarget(); }

    BOOL savedCustomize = FALSE;
    TrackingToolBar bar;
    COleDataSource buttonData, textData;
    trovtest::DragRecord record;
};

TEST_F(ToolbarDragTest, EveryToolbarRegistersItsDropTarget)
{
    EXPECT_TRUE(bar.m_DropTarget.IsRegistered());
    EXPECT_EQ(&bar, bar.m_DropTarget.m_pOwner);

    TrackingToolBar without;
    without.m_bNoDropTarget = TRUE;
    ASSERT_TRUE(without.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 50, 20), nullptr, 0));
    EXPECT_FALSE(without.m_DropTarget.IsRegistered());
    without.DestroyWindow();

    bar.DestroyWindow();
    EXPECT_FALSE(bar.m_DropTarget.IsRegistered());
}

// The cursor follows the effect the toolbar under the pointer reports:
// copy, move, and delete where nothing takes the button.
TEST_F(ToolbarDragTest, TheCursorFollowsTheEffect)
{
    struct Case {
        DROPEFFECT effect;
        UINT cursor;
    };
    const Case cases[] = {{DROPEFFECT_COPY, IDC_ZUDP_DRAG_COPY},
                          {DROPEFFECT_MOVE, IDC_ZUDP_DRAG_MOVE},
                          {DROPEFFECT_NONE, IDC_ZUDP_DRAG_DELETE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        bar.answer = c.effect;
        record = {};
        Drag(buttonData, {{Target(), {150, 110}, MK_LBUTTON}, {Target(), {160, 110}, MK_LBUTTON}, {nullptr, {0, 0}, MK_LBUTTON, TRUE}});
        ASSERT_EQ(2u, record.feedbackResults.size());
        EXPECT_EQ(S_OK, record.feedbackResults[1]);
        ASSERT_NE(nullptr, LibraryCursor(c.cursor));
        // The last step's feedback shows the cursor of the toolbar's effect.
        g_toolbarDropSource.GiveFeedback(record.feedbackEffects[1]);
        EXPECT_EQ(LibraryCursor(c.cursor), ::GetCursor());
    }
    EXPECT_TRUE(g_toolbarDropSource.m_bDragBegan);
    EXPECT_TRUE(g_toolbarDropSource.m_bEscapePressed);
}

// Leaving every toolbar shows the delete cursor at once, before the next
// feedback; the last key state stays for the toolbar that started the drag.
TEST_F(ToolbarDragTest, LeavingTheToolbarsShowsTheDeleteCursor)
{
    bar.answer = DROPEFFECT_MOVE;
    g_toolbarDropSource.m_bDeleteOnDrop = FALSE;
    Drag(buttonData, {{Target(), {150, 110}, MK_LBUTTON}, {nullptr, {10, 10}, MK_LBUTTON | MK_CONTROL}, {nullptr, {10, 10}, MK_CONTROL}});
    EXPECT_EQ(1, bar.leaves);
    EXPECT_TRUE(g_toolbarDropSource.m_bDeleteOnDrop);
    g_toolbarDropSource.QueryContinueDrag(FALSE, MK_LBUTTON);
    EXPECT_EQ(LibraryCursor(IDC_ZUDP_DRAG_DELETE), ::GetCursor());
    EXPECT_EQ(DWORD(MK_LBUTTON), g_toolbarDropSource.m_dwKeyState);
}

TEST_F(ToolbarDragTest, ADropOnAToolbarAnswersItsEffectWhenItTakesTheButton)
{
    bar.answer = DROPEFFECT_COPY;
    EXPECT_EQ(DROPEFFECT_COPY, Drag(buttonData, {{Target(), {150, 110}, MK_LBUTTON}, {Target(), {150, 110}, 0}}));
    EXPECT_EQ(1, bar.drops);
    EXPECT_EQ(DROPEFFECT_COPY, bar.droppedWith);

    bar.dropResult = FALSE; // the source keeps its button
    EXPECT_EQ(DROPEFFECT_NONE, Drag(buttonData, {{Target(), {150, 110}, MK_LBUTTON}, {Target(), {150, 110}, 0}}));
}

// Outside customization, or for data that carries no button, the target
// refuses without asking its toolbar.
TEST_F(ToolbarDragTest, TheDropTargetRefusesOutsideCustomizationAndForOtherData)
{
    struct Case {
        const char* name;
        BOOL customizing;
        bool buttonFormat;
    };
    const Case cases[] = {{"not customizing", FALSE, true}, {"no button", TRUE, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_customizeMode = c.customizing;
        bar.enters = bar.overs = bar.drops = 0;
        record = {};
        EXPECT_EQ(DROPEFFECT_NONE, Drag(c.buttonFormat ? buttonData : textData,
                                        {{Target(), {150, 110}, MK_LBUTTON}, {Target(), {152, 110}, MK_LBUTTON},
                                         {Target(), {152, 110}, 0}}));
        EXPECT_EQ(0, bar.enters + bar.overs + bar.drops);
        EXPECT_EQ(DROPEFFECT_NONE, record.feedbackEffects.at(0));
    }
}

} // namespace
