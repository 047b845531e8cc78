// Frame windows as runtime classes, critical sections and the thread's OLE
// state.
#include "framework/win/FrameworkWin.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(FrameWndTest, FramesAreCreatableByNameAndFoundFromTheirChildren)
{
    trovtest::InitFrameworkForTests();
    CObject* pObject = CRuntimeClass::CreateObject("CMiniFrameWnd");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    delete pObject;

    CFrameWnd outer;
    ASSERT_TRUE(outer.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CMiniFrameWnd inner;
    ASSERT_TRUE(inner.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 50, 50), &outer, 1));
    EXPECT_EQ(&outer, inner.GetParentFrame());
    EXPECT_EQ(nullptr, outer.GetParentFrame());
    inner.DestroyWindow();
    outer.DestroyWindow();
}

TEST(SyncTest, SingleLockHoldsTheSectionForItsScope)
{
    CCriticalSection section;
    int counter = 0;
    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        std::thread other([&] {
            CSingleLock inner(&section, TRUE);
            ++counter;
        });
        ::Sleep(20);
        EXPECT_EQ(0, counter);  // the other thread waits for the section
        lock.Unlock();
        EXPECT_FALSE(lock.IsLocked());
        other.join();
    }
    EXPECT_EQ(1, counter);
}

TEST(OleTest, InitialisedPerThread)
{
    EXPECT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleIsInitialized());
    EXPECT_TRUE(AfxOleInit());
    BOOL otherThread = TRUE;
    std::thread([&] { otherThread = AfxOleIsInitialized(); }).join();
    EXPECT_FALSE(otherThread);
}

} // namespace
