// The OLE frames as shells, driven by messages: the active in-place frame
// across activations, and the container's frame object that the in-place
// frame replaces once with the library's own.
#include "tests/common/MessagePumpWin.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An in-place frame whose server document counts the border
// renegotiations it is asked for.
class CTestInPlaceFrame : public CZUDPOleIPFrameWnd {
public:
    BOOL RenegotiateBorderSpace(CFrameWnd* pContainerFrame, LPCRECT lpRectBorder, BOOL bForce) override
    {
        (void)lpRectBorder;
        lastContainer = pContainerFrame;
        forced = bForce;
        ++renegotiations;
        return TRUE;
    }
    int renegotiations = 0;
    CFrameWnd* lastContainer = nullptr;
    BOOL forced = FALSE;
};

// In-place frames are children of the container's window.
BOOL MakeOleFrame(CFrameWnd& frame, const char* title, CWnd* pParent = nullptr)
{
    return frame.Create(nullptr, title, pParent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_CAPTION,
                        CRect(10, 10, 210, 110), pParent);
}

void ActivateFrame(CWnd& frame, BOOL bActive) { frame.SendMessage(WM_ACTIVATE, bActive ? WA_ACTIVE : WA_INACTIVE); }

} // namespace

class OleFramesTest : public ::testing::Test {
protected:
    void SetUp() override { trovtest::InitFrameworkForTests(); }
    void TearDown() override { g_activeInPlaceFrame = nullptr; }
};

// Two in-place frames activated one after the other: deactivated in the
// same order none stays active; in reverse order the first is active again
// until it goes too.
TEST_F(OleFramesTest, ActiveInPlaceFrameAcrossTwoActivations)
{
    CFrameWnd container;
    ASSERT_TRUE(MakeOleFrame(container, "container"));
    for (bool reverse : {false, true}) {
        CZUDPOleIPFrameWnd a;
        CZUDPOleDocIPFrameWnd b;
        ASSERT_TRUE(MakeOleFrame(a, "a", &container));
        ASSERT_TRUE(MakeOleFrame(b, "b", &container));
        ActivateFrame(a, TRUE);
        EXPECT_EQ(&a, g_activeInPlaceFrame);
        ActivateFrame(b, TRUE);
        EXPECT_EQ(&b, g_activeInPlaceFrame);
        EXPECT_EQ(a.m_hWnd, b.m_hwndPrevInPlaceFrame);
        if (!reverse) {
            ActivateFrame(a, FALSE);
            EXPECT_EQ(&b, g_activeInPlaceFrame) << "same order";
            ActivateFrame(b, FALSE);
            EXPECT_EQ(nullptr, g_activeInPlaceFrame) << "same order";
        } else {
            ActivateFrame(b, FALSE);
            EXPECT_EQ(&a, g_activeInPlaceFrame) << "reverse order";
            a.DestroyWindow();
            EXPECT_EQ(nullptr, g_activeInPlaceFrame) << "reverse order";
        }
        if (a.m_hWnd != nullptr)
            a.DestroyWindow();
        b.DestroyWindow();
    }
    container.DestroyWindow();
}

// The container's frame object becomes a library container frame once; a
// second call keeps it.  Its dock layout renegotiates the container's
// borders through the in-place frame.
TEST_F(OleFramesTest, ControlBarsMakeOneContainerFrame)
{
    CTestInPlaceFrame inPlace;
    ASSERT_TRUE(MakeOleFrame(inPlace, "server"));
    auto* pContainerObject = new CFrameWnd;
    ASSERT_TRUE(MakeOleFrame(*pContainerObject, "container"));
    const HWND hContainer = pContainerObject->m_hWnd;
    inPlace.m_pMainFrame = pContainerObject;

    ASSERT_TRUE(inPlace.OnCreateControlBars(inPlace.m_pMainFrame, nullptr));
    CFrameWnd* pLibrary = inPlace.m_pMainFrame;
    ASSERT_NE(nullptr, pLibrary);
    EXPECT_TRUE(pLibrary->IsKindOf(RUNTIME_CLASS(CZUDPOleCntrFrameWnd)));
    EXPECT_EQ(hContainer, pLibrary->m_hWnd);
    EXPECT_EQ(pLibrary, CWnd::FromHandlePermanent(hContainer));
    EXPECT_EQ(pLibrary, DockManagerOfFrame(pLibrary)->GetFrame());

    ASSERT_TRUE(inPlace.OnCreateControlBars(inPlace.m_pMainFrame, nullptr));
    EXPECT_EQ(pLibrary, inPlace.m_pMainFrame) << "kept";

    auto* pContainer = static_cast<CZUDPOleCntrFrameWnd*>(pLibrary);
    const int before = inPlace.renegotiations;
    pContainer->RecalcLayout(TRUE);
    EXPECT_EQ(before + 1, inPlace.renegotiations);
    EXPECT_EQ(pContainer, inPlace.lastContainer);
    EXPECT_TRUE(inPlace.forced);

    pContainer->DestroyWindow();
    delete pContainer;
    inPlace.DestroyWindow();
}
