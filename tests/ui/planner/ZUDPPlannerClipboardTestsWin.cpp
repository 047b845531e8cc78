// Copy, cut and paste between two planner controls through the real
// clipboard: placement, texts, refusals and malformed clipboard data.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/win/Clipboard.h"
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointmentStorage.h"

using namespace plannerviewtest;
using plannertest::Date;
using plannertest::Text;

namespace {

// An appointment the planner may not copy.
class CUncopyableAppointment : public CZUDPAppointment {
public:
    BOOL CanCopy() const override { return FALSE; }
};

// Puts raw bytes on the clipboard under the planner format.
void PutPlannerBytes(const std::vector<unsigned char>& bytes)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty())
        std::memcpy(::GlobalLock(block), bytes.data(), bytes.size()), ::GlobalUnlock(block);
    ::SetClipboardData(CZUDPPlannerManagerCtrl::GetClipboardFormat(), block);
    ::CloseClipboard();
}

class PlannerClipboardTest : public PlannerViewTest {
protected:
    void SetUp() override
    {
        Create(600, 400, kMonday, 1);
        ASSERT_TRUE(m_second.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &m_host, 101));
        m_second.GetCurrentView()->OnDeactivate(&m_second);
        m_second.m_pCurrentView = &m_secondDay;
        m_secondDay.OnActivate(&m_second, nullptr);
        m_secondDay.m_dtDateStart = Date(2024, 5, 15);
        m_secondDay.m_dtDateEnd = Date(2024, 5, 15, 23, 59, 59);
        m_secondDay.SetDate(Date(2024, 5, 15));
    }
    void TearDown() override
    {
        m_second.ClearAppointmentSelection(FALSE);
        m_second.ClearQuery();
        m_second.GetStorage()->RemoveAll();
        m_second.DestroyWindow();
    }
    int Count(CZUDPPlannerManagerCtrl& planner)
    {
        CZUDPAppointmentArray all;
        planner.GetStorage()->QueryAll(all);
        return int(all.GetSize());
    }
    CZUDPAppointment* Starting(CZUDPPlannerManagerCtrl& planner, const char* text)
    {
        CZUDPAppointmentArray all;
        planner.GetStorage()->QueryAll(all);
        for (INT_PTR i = 0; i < all.GetSize(); ++i) {
            if (strcmp(all[i]->GetDescription(), text) == 0)
                return all[i];
        }
        return nullptr;
    }

    CZUDPPlannerManagerCtrl m_second;
    CTestDayView m_secondDay;
};

} // namespace

TEST_F(PlannerClipboardTest, CopyInOneControlAndPasteInAnotherPlacesTheEarliestAtThePlace)
{
    CZUDPAppointment* a = Add(Date(2024, 5, 6, 9, 30), Date(2024, 5, 6, 10), "A");
    CZUDPAppointment* b = Add(Date(2024, 5, 6, 11), Date(2024, 5, 6, 12), "B");
    a->GetImages().AddTail(3);
    a->SetResourceID(7);
    m_planner.SelectAppointment(a, TRUE, FALSE);
    m_planner.SelectAppointment(b, TRUE, FALSE);
    ASSERT_TRUE(m_planner.IsEditCopyEnabled());
    ASSERT_TRUE(m_planner.EditCopy());

    CString text;
    ASSERT_TRUE(AfxClipboardGetText(nullptr, text));
    EXPECT_STREQ(text, "A\r\nB");
    ASSERT_TRUE(m_second.IsEditPasteEnabled());
    ASSERT_TRUE(m_second.EditPaste(Date(2024, 5, 15, 14)));
    ASSERT_EQ(Count(m_second), 2);
    CZUDPAppointment* pastedA = Starting(m_second, "A");
    ASSERT_NE(pastedA, nullptr);
    EXPECT_EQ(Text(pastedA->GetStart()), "2024-05-15 14:30");
    EXPECT_EQ(Text(Starting(m_second, "B")->GetStart()), "2024-05-15 16:00");
    // Read back field for field (the images follow the resource id), given
    // the receiving control's resource.
    EXPECT_EQ(pastedA->GetImages().GetCount(), 1);
    EXPECT_EQ(pastedA->GetResourceID(), 0u);
    EXPECT_EQ(Count(m_planner), 2) << "a copy leaves the source";
    EXPECT_EQ(m_second.GetQueriedAppointments().GetSize(), 2);
}

TEST_F(PlannerClipboardTest, AnEmptyDescriptionAddsNoSeparatorAndNothingCopyableLeavesTheClipboard)
{
    CZUDPAppointment* a = Add(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "");
    CZUDPAppointment* b = Add(Date(2024, 5, 6, 11), Date(2024, 5, 6, 12), "B");
    m_planner.SelectAppointment(a, TRUE, FALSE);
    m_planner.SelectAppointment(b, TRUE, FALSE);
    ASSERT_TRUE(m_planner.EditCopy());
    CString text;
    ASSERT_TRUE(AfxClipboardGetText(nullptr, text));
    EXPECT_STREQ(text, "B");

    ASSERT_TRUE(AfxClipboardPutText(nullptr, "kept"));
    m_planner.ClearAppointmentSelection(FALSE);
    auto* uncopyable = new CUncopyableAppointment;
    uncopyable->SetInterval(Date(2024, 5, 6, 13), Date(2024, 5, 6, 14));
    m_planner.GetStorage()->Add(uncopyable);
    Relayout();
    m_planner.SelectAppointment(uncopyable, TRUE, FALSE);
    EXPECT_FALSE(m_planner.EditCopy());
    ASSERT_TRUE(AfxClipboardGetText(nullptr, text));
    EXPECT_STREQ(text, "kept");
    EXPECT_FALSE(::IsClipboardFormatAvailable(CZUDPPlannerManagerCtrl::GetClipboardFormat()));

    // Cut removes only what it wrote: the uncopyable one stays.
    m_planner.SelectAppointment(b, TRUE, FALSE);
    EXPECT_TRUE(m_planner.EditCut());
    EXPECT_EQ(Count(m_planner), 2);
    EXPECT_EQ(Starting(m_planner, "B"), nullptr);
}

TEST_F(PlannerClipboardTest, MalformedClipboardDataPastesNothing)
{
    const std::vector<std::vector<unsigned char>> streams = {
        {},
        { 0, 0, 0, 0 },
        { 0xFF, 0xFF, 0xFF, 0xFF },
        { 0x70, 0x11, 0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00 },   // 70,000 and a cut class
        { 1, 0, 0, 0, 0xFF, 0xFF, 1, 0, 4, 0, 'C', 'Z', 'U', 'D' },
    };
    for (size_t i = 0; i < streams.size(); ++i) {
        SCOPED_TRACE(i);
        PutPlannerBytes(streams[i]);
        EXPECT_FALSE(m_second.EditPaste(Date(2024, 5, 15, 14)));
        EXPECT_EQ(Count(m_second), 0);
        EXPECT_EQ(m_second.GetChangeOperation(), 0);
    }
}

TEST_F(PlannerClipboardTest, ReadOnlyAndSilentControlsRefuseCutAndPaste)
{
    CZUDPAppointment* a = Add(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "A");
    m_planner.SelectAppointment(a, TRUE, FALSE);
    ASSERT_TRUE(m_planner.EditCopy());

    m_second.m_bReadOnly = TRUE;
    EXPECT_FALSE(m_second.IsEditPasteEnabled());
    EXPECT_FALSE(m_second.EditPaste(Date(2024, 5, 15, 14)));
    m_second.m_bReadOnly = FALSE;

    m_second.SetNotifyParent(FALSE);
    EXPECT_FALSE(m_second.EditPaste(Date(2024, 5, 15, 14)));
    m_planner.SetNotifyParent(FALSE);
    EXPECT_FALSE(m_planner.EditCut());
    EXPECT_EQ(Count(m_planner), 1);
    EXPECT_EQ(Count(m_second), 0);
}
