// The planner stream that copies, pastes and drags carry: its bytes, the
// placement of what is read, and malformed streams from other programs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/planner/PlannerArchiveFixture.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/AppointmentStream.h"
#include "ui/planner/ZUDPRecurrence.h"

using namespace plannertest;

// An appointment that counts its live objects, so that a test sees every
// object a failed read made was deleted (the Windows build has no leak
// checker), and that can refuse to be copied.
class CStreamCountedAppointment : public CZUDPAppointment {
    DECLARE_SERIAL(CStreamCountedAppointment)
public:
    CStreamCountedAppointment() { ++s_live; }
    ~CStreamCountedAppointment() override { --s_live; }
    BOOL CanCopy() const override { return m_copyable; }
    BOOL m_copyable = TRUE;
    static int s_live;
};
int CStreamCountedAppointment::s_live = 0;
IMPLEMENT_SERIAL(CStreamCountedAppointment, CZUDPAppointment, 1)

namespace {

CStreamCountedAppointment* Counted(const COleDateTime& start, const COleDateTime& finish, const char* text)
{
    auto* app = new CStreamCountedAppointment;
    app->SetInterval(start, finish);
    app->SetDescription(text);
    return app;
}

Bytes StreamOf(const CZUDPAppointmentArray& apps, int* pWritten = nullptr)
{
    return Store([&](CArchive& ar) {
        int n = AppointmentStream::Write(ar, apps);
        if (pWritten != nullptr)
            *pWritten = n;
    });
}

BOOL ReadStream(const Bytes& bytes, CZUDPAppointmentArray& apps)
{
    BOOL ok = FALSE;
    Load(bytes, [&](CArchive& ar) { ok = AppointmentStream::Read(ar, apps); });
    return ok;
}

class AppointmentStreamTest : public PlannerTest {
protected:
    void TearDown() override
    {
        AppointmentStream::DeleteAll(m_apps);
        EXPECT_EQ(CStreamCountedAppointment::s_live, 0) << "an appointment object was left alive";
    }
    CZUDPAppointmentArray m_apps;
};

} // namespace

TEST_F(AppointmentStreamTest, OnePlainAppointmentIsItsCountThenTheObject)
{
    auto app = MakePlainAppointment();
    CZUDPAppointmentArray apps;
    apps.Add(app.get());
    int written = 0;
    Bytes bytes = StreamOf(apps, &written);
    EXPECT_EQ(written, 1);

    Bytes object = Store([&](CArchive& ar) { ar.WriteObject(app.get()); });
    Bytes expected = ByteWriter().U32(1).Append(object).bytes;
    EXPECT_EQ(bytes, expected);
    // The object starts with the class's first-use form.
    Bytes head = ByteWriter().U32(1).NewClass("CZUDPAppointment", 1).bytes;
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + long(head.size())), head);
}

TEST_F(AppointmentStreamTest, WritesOnlyCopyableAppointmentsAndNothingWhenNoneIs)
{
    auto* a = Counted(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "A");
    auto* b = Counted(Date(2024, 5, 6, 11), Date(2024, 5, 6, 12), "B");
    b->m_copyable = FALSE;
    m_apps.Add(a);
    m_apps.Add(nullptr);
    m_apps.Add(b);
    CZUDPAppointmentArray written;
    Bytes bytes = Store([&](CArchive& ar) { EXPECT_EQ(AppointmentStream::Write(ar, m_apps, &written), 1); });
    ASSERT_EQ(written.GetSize(), 1);
    EXPECT_EQ(written[0], a);
    CZUDPAppointmentArray read;
    ASSERT_TRUE(ReadStream(bytes, read));
    ASSERT_EQ(read.GetSize(), 1);
    EXPECT_STREQ(read[0]->GetDescription(), "A");
    AppointmentStream::DeleteAll(read);

    a->m_copyable = FALSE;
    Bytes none = Store([&](CArchive& ar) { EXPECT_EQ(AppointmentStream::Write(ar, m_apps, &written), 0); });
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(written.GetSize(), 0);
}

TEST_F(AppointmentStreamTest, ReadAppointmentsLandAtThePlaceKeepingTheirDistances)
{
    struct Case {
        const char* name;
        int viewType;
        COleDateTime place;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        // The earliest start cut to its hour (09:00) lands on 14:00.
        { "day view, later day", 0, Date(2024, 5, 15, 14), "2024-05-15 14:30", "2024-05-15 16:00" },
        { "work week, earlier place", 1, Date(2024, 5, 1, 8), "2024-05-01 08:30", "2024-05-01 10:00" },
        { "multi-resource", 4, Date(2024, 5, 6, 9), "2024-05-06 09:30", "2024-05-06 11:00" },
        // Cut to the day: the times stay, the day moves.
        { "month view", 3, Date(2024, 5, 20), "2024-05-20 09:30", "2024-05-20 11:00" },
        { "week view, backwards", 2, Date(2024, 4, 29), "2024-04-29 09:30", "2024-04-29 11:00" },
        { "no place", 0, COleDateTime(0.0), "2024-05-06 09:30", "2024-05-06 11:00" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPAppointmentArray apps;
        // The later one first: the earliest is found, not taken as first.
        apps.Add(Counted(Date(2024, 5, 6, 11), Date(2024, 5, 6, 12), "B"));
        apps.Add(Counted(Date(2024, 5, 6, 9, 30), Date(2024, 5, 6, 10), "A"));
        Bytes bytes = StreamOf(apps);
        AppointmentStream::DeleteAll(apps);

        ASSERT_TRUE(ReadStream(bytes, m_apps));
        ASSERT_EQ(m_apps.GetSize(), 2);
        AppointmentStream::Place(m_apps, c.viewType, c.place);
        EXPECT_EQ(Text(m_apps[1]->GetStart()), c.first);
        EXPECT_EQ(Text(m_apps[0]->GetStart()), c.second);
        EXPECT_EQ(Text(m_apps[1]->GetFinish() - (m_apps[1]->GetStart() - Date(2024, 5, 6, 9, 30))),
                  "2024-05-06 10:00") << "the length is kept";
        AppointmentStream::DeleteAll(m_apps);
    }
}

// A series master gets a fresh recurrence id when it is read, so a second
// write differs there; what it holds comes back.
TEST_F(AppointmentStreamTest, EverySeedStreamReadsBackWhatWasWritten)
{
    auto master = MakeWeeklyMaster();
    auto occurrence = MakeOccurrence(*master);
    const std::vector<NamedArchive> seeds = PlannerStreamSeeds();
    ASSERT_EQ(seeds[2].name, "stream-series");
    for (const NamedArchive& seed : seeds) {
        SCOPED_TRACE(seed.name);
        ASSERT_TRUE(ReadStream(seed.bytes, m_apps));
        CZUDPAppointmentArray again;
        ASSERT_TRUE(ReadStream(StreamOf(m_apps), again));
        ASSERT_EQ(again.GetSize(), m_apps.GetSize());
        for (INT_PTR i = 0; i < again.GetSize(); ++i) {
            EXPECT_STREQ(again[i]->GetDescription(), m_apps[i]->GetDescription());
            EXPECT_EQ(Text(again[i]->GetStart()), Text(m_apps[i]->GetStart()));
            EXPECT_EQ(again[i]->IsRecurrenceClone(), m_apps[i]->IsRecurrenceClone());
        }
        AppointmentStream::DeleteAll(again);
        if (seed.name == "stream-series") {
            ASSERT_EQ(m_apps.GetSize(), 2);
            EXPECT_TRUE(m_apps[0]->IsRecurrence() && !m_apps[0]->IsRecurrenceClone());
            EXPECT_NE(m_apps[0]->GetRecurrence(), nullptr);
            EXPECT_TRUE(m_apps[1]->IsRecurrenceClone());
            EXPECT_EQ(Text(m_apps[1]->GetStart()), Text(occurrence->GetStart()));
        }
        AppointmentStream::DeleteAll(m_apps);
    }
}

TEST_F(AppointmentStreamTest, MalformedStreamsAnswerFalseAndLeaveNothingAlive)
{
    CZUDPAppointmentArray two;
    two.Add(Counted(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "first"));
    two.Add(Counted(Date(2024, 5, 6, 11), Date(2024, 5, 6, 12), "second"));
    const Bytes good = StreamOf(two);
    Bytes firstObject = Store([&](CArchive& ar) { ar.WriteObject(two[0]); });
    AppointmentStream::DeleteAll(two);

    // A plain appointment without images ends in its image count (a WORD).
    auto plain = Appointment(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "x");
    Bytes plainObject = Store([&](CArchive& ar) { ar.WriteObject(plain.get()); });
    Bytes manyImages = ByteWriter().U32(1).Append(plainObject).bytes;
    manyImages[manyImages.size() - 2] = 0xFE;
    manyImages[manyImages.size() - 1] = 0xFF;

    CZUDPRecurrence series;
    Bytes seriesObject = Store([&](CArchive& ar) { ar.WriteObject(&series); });

    Bytes unknown = ByteWriter().U32(1).NewClass("CNoSuchAppointment", 1).bytes;
    unknown.resize(unknown.size() + 64, 0);

    struct Case {
        const char* name;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        { "empty", {} },
        { "count 0", ByteWriter().U32(0).bytes },
        { "count -1", ByteWriter().U32(0xFFFFFFFFu).Append(firstObject).bytes },
        { "count 70000 with one object", ByteWriter().U32(70000).Append(firstObject).bytes },
        { "truncated second object", Bytes(good.begin(), good.end() - 7) },
        { "truncated count", Bytes(good.begin(), good.begin() + 3) },
        { "unknown class", unknown },
        { "a series where an appointment belongs", ByteWriter().U32(1).Append(seriesObject).bytes },
        // Class index 1, object index 2: the second entry names the first.
        { "reference back to the first object", ByteWriter().U32(2).Append(firstObject).U16(2).bytes },
        { "image count beyond the bytes left", manyImages },
        { "only a null object", ByteWriter().U32(1).U16(0).bytes },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_apps.Add(Counted(Date(2024, 1, 1), Date(2024, 1, 2), "stale"));   // emptied by the read
        EXPECT_FALSE(ReadStream(c.bytes, m_apps));
        EXPECT_EQ(m_apps.GetSize(), 0);
        EXPECT_EQ(CStreamCountedAppointment::s_live, 0);
    }
}
