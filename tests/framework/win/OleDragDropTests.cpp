// OLE drag and drop from the sending side: the wait before the drag, the
// drag loop through the framework's seams, the source's go-on, drop and
// cancel answers and the effect the drag ends with.
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Ole.h"
#include "framework/win/Wnd.h"

#include "tests/common/DragLoopWin.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// A target that accepts one format and answers a fixed effect.
class AcceptingTarget : public COleDropTarget {
public:
    CLIPFORMAT format = CF_TEXT;
    DROPEFFECT answer = DROPEFFECT_MOVE;
    int enters = 0, leaves = 0, drops = 0;
    CPoint lastPoint;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint point) override
    {
        ++enters;
        lastPoint = point;
        return data->IsDataAvailable(format) ? answer : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD, CPoint point) override
    {
        lastPoint = point;
        return data->IsDataAvailable(format) ? answer : DROPEFFECT_NONE;
    }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint point) override
    {
        ++drops;
        lastPoint = point;
        return TRUE;
    }
    void OnDragLeave(CWnd*) override { ++leaves; }
};

HGLOBAL TextBlock(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(block), text, size);
    ::GlobalUnlock(block);
    return block;
}

class OleDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(window.CreateEx(0, nullptr, "drop here", WS_POPUP, 100, 200, 80, 60, nullptr, nullptr));
        ASSERT_TRUE(target.Register(&window));
        source.CacheGlobalData(CF_TEXT, TextBlock("button"));
    }

    // The drag's steps over the registered window; the left button starts
    // it unless a test says otherwise.
    void DragWith(std::vector<trovtest::DragStep> steps)
    {
        dragSteps = std::move(steps);
    }

    CWnd window;
    AcceptingTarget target;
    COleDataSource source;
    std::vector<trovtest::DragStep> dragSteps;
    trovtest::DragRecord record;
    int loops = 0;
    RECT startRect = {};
    SHORT leftButton = SHORT(0x8000);
    SHORT rightButton = 0;
    BOOL leavesStartRect = TRUE;
    int startWaits = 0;
    ScopedSeam<SHORT(int)> keys{g_frameworkSeams.keyState, [this](int key) -> SHORT {
                                    return key == VK_LBUTTON ? leftButton : key == VK_RBUTTON ? rightButton : SHORT(0);
                                }};
    ScopedSeam<BOOL(HWND, const RECT*)> startLoop{g_frameworkSeams.dragStartLoop, [this](HWND, const RECT* rect) {
                                                      ++startWaits;
                                                      startRect = *rect;
                                                      return leavesStartRect;
                                                  }};
    ScopedSeam<HRESULT(IDataObject*, IDropSource*, DWORD, DWORD*)> loop{
        g_frameworkSeams.dragLoop, [this](IDataObject* data, IDropSource* dropSource, DWORD ok, DWORD* effect) {
            ++loops;
            return trovtest::RunDragSteps(data, dropSource, ok, effect, dragSteps, &record);
        }};
};

IDropTarget* Over(COleDropTarget& target) { return target.GetDropTarget(); }

TEST_F(OleDragTest, ReleasingTheButtonOverATargetDropsWithItsEffect)
{
    DragWith({{Over(target), {110, 210}, MK_LBUTTON}, {Over(target), {120, 215}, MK_LBUTTON}, {Over(target), {121, 216}, 0}});
    const CRect start(10, 10, 30, 20);
    EXPECT_EQ(DROPEFFECT_MOVE, source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &start));
    EXPECT_EQ(1, loops);
    EXPECT_EQ(start, CRect(startRect));
    EXPECT_EQ(1, target.enters);
    EXPECT_EQ(1, target.drops);
    EXPECT_EQ(CPoint(21, 16), target.lastPoint); // client coordinates of the drop
    // Once the drag runs, the plain source leaves the cursors to the system.
    ASSERT_EQ(2u, record.feedbackResults.size());
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, record.feedbackResults[0]);
}

// How a drag ends without a drop: every way answers DROPEFFECT_NONE, and
// a target that was entered is left.
TEST_F(OleDragTest, CancelledDragsAnswerNoEffect)
{
    struct Case {
        const char* name;
        std::vector<trovtest::DragStep> steps;
    };
    const Case cases[] = {
        {"Escape", {{nullptr, {0, 0}, MK_LBUTTON}, {nullptr, {110, 210}, MK_LBUTTON, TRUE}}},
        {"the other button", {{nullptr, {110, 210}, MK_LBUTTON}, {nullptr, {110, 210}, MK_LBUTTON | MK_RBUTTON}}},
        {"released over nothing", {{nullptr, {0, 0}, MK_LBUTTON}, {nullptr, {0, 0}, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<trovtest::DragStep> steps = c.steps;
        // Pass over the target first, so that leaving it is seen.
        steps.insert(steps.begin(), {Over(target), {110, 210}, MK_LBUTTON});
        DragWith(steps);
        target.leaves = 0;
        EXPECT_EQ(DROPEFFECT_NONE, source.DoDragDrop());
        EXPECT_EQ(1, target.leaves);
        EXPECT_EQ(0, target.drops);
    }
}

TEST_F(OleDragTest, ATargetWithoutTheFormatRefusesTheDrop)
{
    target.format = CF_BITMAP;
    DragWith({{Over(target), {110, 210}, MK_LBUTTON}, {Over(target), {110, 210}, 0}});
    EXPECT_EQ(DROPEFFECT_NONE, source.DoDragDrop());
    EXPECT_EQ(0, target.drops);
    EXPECT_EQ(DROPEFFECT_NONE, record.feedbackEffects.at(0));
}

// The source acts on the answer (a move removes its own item): an effect
// it did not allow never comes back.
TEST_F(OleDragTest, TheEffectIsLimitedToTheAllowedOnes)
{
    ScopedSeam<HRESULT(IDataObject*, IDropSource*, DWORD, DWORD*)> rogue(
        g_frameworkSeams.dragLoop, [](IDataObject*, IDropSource*, DWORD, DWORD* effect) {
            *effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
            return HRESULT(DRAGDROP_S_DROP);
        });
    EXPECT_EQ(DROPEFFECT_COPY, source.DoDragDrop(DROPEFFECT_COPY));
}

TEST_F(OleDragTest, ADragThatNeverLeavesTheStartRectangleRunsNoLoop)
{
    leavesStartRect = FALSE;
    EXPECT_EQ(DROPEFFECT_NONE, source.DoDragDrop());
    EXPECT_EQ(1, startWaits);
    EXPECT_EQ(0, loops);
}

TEST_F(OleDragTest, WithoutAMouseButtonHeldNoDragBegins)
{
    leftButton = 0;
    EXPECT_EQ(DROPEFFECT_NONE, source.DoDragDrop());
    EXPECT_EQ(0, startWaits);
    EXPECT_EQ(0, loops);
}

// The right button may drag too: then its release drops and the left one
// cancels.
TEST_F(OleDragTest, ARightButtonDragDropsOnTheRightButtonsRelease)
{
    leftButton = 0;
    rightButton = SHORT(0x8000);
    DragWith({{Over(target), {110, 210}, MK_RBUTTON}, {Over(target), {110, 210}, MK_RBUTTON | MK_LBUTTON}});
    EXPECT_EQ(DROPEFFECT_NONE, source.DoDragDrop());
    DragWith({{Over(target), {110, 210}, MK_RBUTTON}, {Over(target), {110, 210}, 0}});
    EXPECT_EQ(DROPEFFECT_MOVE, source.DoDragDrop());
}

// Without a start rectangle the wait is around the cursor, as far as the
// system's drag sensitivity (also with the cursor at the screen's origin);
// a given all-zero rectangle asks for no wait.
TEST_F(OleDragTest, TheStartRectangleDefaultsToTheCursorsSurroundings)
{
    const int dx = ::GetSystemMetrics(SM_CXDRAG) > 0 ? ::GetSystemMetrics(SM_CXDRAG) : 2;
    for (const POINT at : {POINT{300, 400}, POINT{0, 0}}) {
        SCOPED_TRACE(at.x);
        ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [at](POINT* point) {
            *point = at;
            return TRUE;
        });
        startWaits = 0;
        DragWith({{nullptr, {0, 0}, 0}});
        source.DoDragDrop();
        EXPECT_EQ(1, startWaits);
        EXPECT_EQ(CRect(at.x - dx, at.y - dx, at.x + dx, at.y + dx), CRect(startRect));
    }

    const CRect none(0, 0, 0, 0);
    startWaits = 0;
    DragWith({{Over(target), {110, 210}, 0}});
    EXPECT_EQ(DROPEFFECT_MOVE, source.DoDragDrop(DROPEFFECT_MOVE, &none));
    EXPECT_EQ(0, startWaits);
}

// Before the pointer has left the start rectangle the cursor is left
// alone, and releasing the button then cancels rather than drops.
TEST(OleDropSourceTest, BeforeTheDragStartsFeedbackKeepsTheCursorAndReleaseCancels)
{
    COleDropSource source;
    source.m_dwButtonDrop = MK_LBUTTON;
    source.m_dwButtonCancel = MK_RBUTTON;
    EXPECT_EQ(S_OK, source.GiveFeedback(DROPEFFECT_COPY));
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(FALSE, 0));
    source.m_bDragStarted = TRUE;
    EXPECT_EQ(S_OK, source.QueryContinueDrag(FALSE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_DROP, source.QueryContinueDrag(FALSE, 0));
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_FALSE(source.m_bDragStarted);
}

// A source that fails inside the drag loop cancels the drag; nothing
// crosses into the system's loop.
TEST(OleDropSourceTest, AFailingSourceCancelsTheDrag)
{
    class Failing : public COleDropSource {
    public:
        SCODE QueryContinueDrag(BOOL, DWORD) override { throw std::runtime_error("broken"); }
        SCODE GiveFeedback(DROPEFFECT) override { throw std::runtime_error("broken"); }
    } source;
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.GetDropSource()->QueryContinueDrag(FALSE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GetDropSource()->GiveFeedback(DROPEFFECT_COPY));
}

} // namespace
