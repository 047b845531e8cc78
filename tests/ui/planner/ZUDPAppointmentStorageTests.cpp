// The single and the multi-resource storage: filing, queries, updates,
// recurrence masters and occurrences, resources.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

using namespace plannertest;

namespace {

std::vector<std::string> Descriptions(const CZUDPAppointmentArray& apps)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i)
        out.push_back(static_cast<LPCSTR>(apps[i]->GetDescription()));
    return out;
}

// Queries, and deletes what the query made (the occurrences of series).
std::vector<std::string> Query(CZUDPAppointmentBaseStorage& storage, const COleDateTime& from, const COleDateTime& to)
{
    CZUDPAppointmentArray stored;
    storage.QueryAll(stored);
    std::set<CZUDPAppointment*> kept(stored.GetData(), stored.GetData() + stored.GetSize());
    CZUDPAppointmentArray result;
    storage.Query(result, from, to);
    std::vector<std::string> out = Descriptions(result);
    for (INT_PTR i = 0; i < result.GetSize(); ++i) {
        if (kept.count(result[i]) == 0)
            delete result[i];
    }
    return out;
}

CZUDPAppointment* New(const COleDateTime& s, const COleDateTime& f, const char* text, DWORD resource = 0)
{
    return Appointment(s, f, text, resource).release();
}

// A master with a daily rule from the first date, 10:00 to 11:00.
CZUDPAppointment* NewMaster(const COleDateTime& first, DWORD id, const char* text = "series")
{
    auto* master = new CZUDPAppointment;
    master->SetDescription(text);
    CZUDPRecurrenceRuleDaily rule;
    rule.SetDateStart(first);
    rule.SetTimeStart(COleDateTimeSpan(10.0 / 24));
    rule.SetTimeFinish(COleDateTimeSpan(11.0 / 24));
    auto* series = new CZUDPRecurrence;
    series->SetRule(&rule);
    master->SetRecurrence(series);
    master->SetRecurrenceID(id);
    return master;
}

} // namespace

class AppointmentStorage : public PlannerTest {};

TEST_F(AppointmentStorage, DayListsKeepTheOrderOfEqualTimes)
{
    CZUDPAppointmentStorage storage;
    const COleDateTime mon = Date(2024, 5, 6);
    storage.Add(New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "A"));
    storage.Add(New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "B"));
    storage.Add(New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 11, 0, 0), "C"));
    storage.Add(New(Date(2024, 5, 6, 8, 30, 0), Date(2024, 5, 6, 9, 0, 0), "D"));
    storage.Add(New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "E"));
    CZUDPAppointmentArray all;
    storage.QueryAll(all);
    EXPECT_EQ((std::vector<std::string>{ "D", "A", "B", "E", "C" }), Descriptions(all));
    // A query sorts: earlier first, longer first.
    std::vector<std::string> day = Query(storage, mon, mon);
    EXPECT_EQ("D", day[0]);
    EXPECT_EQ("C", day[1]);
    EXPECT_FALSE(storage.IsEmpty());
    EXPECT_FALSE(storage.Add(nullptr));
}

TEST_F(AppointmentStorage, QueriesByDays)
{
    CZUDPAppointmentStorage storage;
    storage.Add(New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "one-day"));
    storage.Add(New(Date(2024, 5, 6, 22, 0, 0), Date(2024, 5, 7), "late"));
    CZUDPAppointment* allDay = New(Date(2024, 5, 6), Date(2024, 5, 7), "all-day");
    allDay->SetAllDay(TRUE);
    storage.Add(allDay);
    storage.Add(New(Date(2024, 5, 5, 10, 0, 0), Date(2024, 5, 8, 12, 0, 0), "long"));
    storage.Add(New(Date(2024, 5, 7, 14, 0, 0), Date(2024, 5, 7, 15, 0, 0), "tuesday"));
    struct Case {
        const char* name;
        COleDateTime from;
        COleDateTime to;
        std::vector<std::string> expected;
    } cases[] = {
        { "Monday", Date(2024, 5, 6), Date(2024, 5, 6), { "long", "all-day", "one-day", "late" } },
        // 22:00 to midnight is Monday's only; the all-day one is Tuesday's
        // too.
        { "Tuesday", Date(2024, 5, 7), Date(2024, 5, 7), { "long", "all-day", "tuesday" } },
        { "Wednesday", Date(2024, 5, 8), Date(2024, 5, 8, 23, 59, 59), { "long" } },
        { "Thursday", Date(2024, 5, 9), Date(2024, 5, 9), {} },
        { "Monday to Wednesday", Date(2024, 5, 6), Date(2024, 5, 8), { "long", "all-day", "one-day", "late", "tuesday" } },
        { "to half a day before from", Date(2024, 5, 7), Date(2024, 5, 6, 12, 0, 0), { "long", "all-day", "tuesday" } },
        { "to a day before from", Date(2024, 5, 8), Date(2024, 5, 7), { "long" } },
        { "an invalid from", Invalid(), Date(2024, 5, 7), {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Query(storage, c.from, c.to));
    }
}

TEST_F(AppointmentStorage, LongAppointmentsOfEveryResourceAreFound)
{
    // Display order puts resource 1 first: its long appointment starting
    // on Wednesday comes before resource 2's that began on Sunday.
    CZUDPAppointmentStorage storage;
    storage.Add(New(Date(2024, 5, 8, 10, 0, 0), Date(2024, 5, 10), "one", 1));
    storage.Add(New(Date(2024, 5, 5, 10, 0, 0), Date(2024, 5, 8), "two", 2));
    EXPECT_EQ((std::vector<std::string>{ "two" }), Query(storage, Date(2024, 5, 7), Date(2024, 5, 7)));
}

TEST_F(AppointmentStorage, UpdatesRefileAndRemovalsNeedTheFiledStart)
{
    CZUDPAppointmentStorage storage;
    CZUDPAppointment* app = New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "moved");
    storage.Add(app);
    app->SetInterval(Date(2024, 5, 8, 9, 0, 0), Date(2024, 5, 8, 10, 0, 0));
    EXPECT_FALSE(storage.Remove(app));   // no longer under its start: still filed under Monday
    EXPECT_TRUE(storage.Update(app, Date(2024, 5, 6, 9, 0, 0)));
    EXPECT_TRUE(Query(storage, Date(2024, 5, 6), Date(2024, 5, 6)).empty());
    EXPECT_EQ((std::vector<std::string>{ "moved" }), Query(storage, Date(2024, 5, 8), Date(2024, 5, 8)));

    // Not in the storage: refused with its dates kept, or added by force.
    std::unique_ptr<CZUDPAppointment> outside(New(Date(2024, 5, 9, 9, 0, 0), Date(2024, 5, 9, 10, 0, 0), "outside"));
    EXPECT_FALSE(storage.Update(outside.get(), Date(2024, 5, 1, 9, 0, 0), FALSE));
    EXPECT_EQ("2024-05-09 09:00", Text(outside->GetStart()));
    EXPECT_TRUE(storage.Update(outside.get(), Date(2024, 5, 1, 9, 0, 0), TRUE));
    EXPECT_EQ((std::vector<std::string>{ "outside" }), Query(storage, Date(2024, 5, 9), Date(2024, 5, 9)));
    outside.release();   // the storage owns it now

    // Without auto-delete the storage leaves removed appointments alone.
    storage.m_bAutoDelete = FALSE;
    std::unique_ptr<CZUDPAppointment> kept(New(Date(2024, 5, 10, 9, 0, 0), Date(2024, 5, 10, 10, 0, 0), "kept"));
    storage.Add(kept.get());
    EXPECT_TRUE(storage.Remove(kept.get()));
    storage.m_bAutoDelete = TRUE;
    EXPECT_TRUE(storage.RemoveAll());
    EXPECT_TRUE(storage.IsEmpty());
}

TEST_F(AppointmentStorage, MastersAndTheirIds)
{
    CZUDPAppointmentStorage storage;
    CZUDPAppointment* five = NewMaster(Date(2024, 1, 1), 5);
    CZUDPAppointment* three = NewMaster(Date(2024, 1, 1), 3);
    CZUDPAppointment* fresh = NewMaster(Date(2024, 1, 1), 0);
    CZUDPAppointment* clash = NewMaster(Date(2024, 1, 1), 3);
    storage.Add(five);
    storage.Add(three);
    storage.Add(fresh);
    storage.Add(clash);   // another master with id 3: a new id, the first stays
    EXPECT_EQ(five, storage.GetRecurrence(5));
    EXPECT_EQ(three, storage.GetRecurrence(3));
    EXPECT_EQ(6u, fresh->GetRecurrenceID());
    EXPECT_EQ(7u, clash->GetRecurrenceID());
    EXPECT_TRUE(storage.IsEmpty());   // masters do not count
    EXPECT_EQ(4u, Query(storage, Date(2024, 1, 3), Date(2024, 1, 3)).size());
    CZUDPAppointmentArray all;
    storage.QueryAll(all);
    EXPECT_EQ(4, all.GetSize());
    EXPECT_TRUE(storage.Remove(three));
    EXPECT_EQ(nullptr, storage.GetRecurrence(3));
}

TEST_F(AppointmentStorage, OccurrencesBecomeExceptionsOfTheirSeries)
{
    CZUDPAppointmentStorage storage;
    CZUDPAppointment* master = NewMaster(Date(2024, 1, 1), 0);
    storage.Add(master);
    CZUDPRecurrence* series = master->GetRecurrence();

    // Updated: the change is recorded; the occurrence stays with its owner.
    std::unique_ptr<CZUDPAppointment> occurrence(series->CreateOccurrence(Date(2024, 1, 3)));
    occurrence->SetDescription("changed");
    EXPECT_TRUE(storage.Update(occurrence.get(), occurrence->GetStart()));
    EXPECT_TRUE(series->IsException(Date(2024, 1, 3)));
    // Removed: recorded as deleted, the object deleted.
    EXPECT_TRUE(storage.Remove(occurrence.release()));
    EXPECT_TRUE(series->GetException(Date(2024, 1, 3))->m_bDeleted);
    // Added: recorded, the object deleted.
    CZUDPAppointment* added = series->CreateOccurrence(Date(2024, 1, 4));
    added->SetDescription("added");
    EXPECT_TRUE(storage.Add(added));
    // (The range ends at the end of its last day, as the views ask: an
    // exception occurrence counts by its own times.)
    EXPECT_EQ((std::vector<std::string>{ "added" }), Query(storage, Date(2024, 1, 4), Date(2024, 1, 4, 23, 59, 59)));
    EXPECT_TRUE(Query(storage, Date(2024, 1, 3), Date(2024, 1, 3, 23, 59, 59)).empty());
}

TEST_F(AppointmentStorage, OrphanOccurrencesAreFiledAndRemovedLikePlainOnes)
{
    CZUDPAppointmentStorage storage;
    std::unique_ptr<CZUDPAppointment> gone(NewMaster(Date(2024, 1, 1), 9));
    CZUDPAppointment* orphan = CZUDPAppointment::CreateRecurrenceClone(gone.get(), Date(2024, 1, 5));
    gone.reset();
    ASSERT_NE(nullptr, orphan);
    orphan->SetDescription("orphan");
    EXPECT_TRUE(storage.Add(orphan));
    EXPECT_FALSE(storage.IsEmpty());
    EXPECT_EQ((std::vector<std::string>{ "orphan" }), Query(storage, Date(2024, 1, 5), Date(2024, 1, 5)));
    // Moved and re-filed.
    COleDateTime old = orphan->GetStart();
    orphan->SetInterval(Date(2024, 1, 6, 10, 0, 0), Date(2024, 1, 6, 11, 0, 0));
    EXPECT_TRUE(storage.Update(orphan, old));
    EXPECT_EQ((std::vector<std::string>{ "orphan" }), Query(storage, Date(2024, 1, 6), Date(2024, 1, 6)));
    EXPECT_TRUE(Query(storage, Date(2024, 1, 5), Date(2024, 1, 5)).empty());
    // A master under its id arrives later; the filed orphan still leaves
    // the index when it is removed (and is deleted: no query returns it).
    storage.Add(NewMaster(Date(2024, 2, 1), 9));
    EXPECT_TRUE(storage.Remove(orphan));
    EXPECT_TRUE(Query(storage, Date(2024, 1, 6), Date(2024, 1, 6)).empty());
    EXPECT_TRUE(storage.IsEmpty());

    // An orphan that was never filed: Update refuses unless forced.
    std::unique_ptr<CZUDPAppointment> other(NewMaster(Date(2024, 1, 1), 12));
    std::unique_ptr<CZUDPAppointment> loose(CZUDPAppointment::CreateRecurrenceClone(other.get(), Date(2024, 1, 2)));
    EXPECT_FALSE(storage.Update(loose.get(), loose->GetStart()));
    EXPECT_TRUE(storage.Update(loose.get(), loose->GetStart(), TRUE));
    loose.release();
}

TEST(MultiResourceStorage, Resources)
{
    CZUDPAppointmentMultiStorage multi;
    auto* seven = new CZUDPAppointmentStorage;
    auto* three = new CZUDPAppointmentStorage;
    CZUDPAppointmentStorage unowned;
    EXPECT_FALSE(multi.AddResource(0, &unowned, nullptr, FALSE));
    EXPECT_FALSE(multi.AddResource(7, nullptr, nullptr, TRUE));
    EXPECT_TRUE(multi.AddResource(7, seven, nullptr, TRUE));
    EXPECT_FALSE(multi.AddResource(7, &unowned, nullptr, FALSE));   // the first entry stays
    EXPECT_TRUE(multi.AddResource(3, three, new CZUDPAppointmentPropertyList, TRUE));
    EXPECT_EQ(seven, multi.GetResourceStorage(7));
    CArray<DWORD, DWORD> ids;
    multi.GetResourceIDs(ids);
    ASSERT_EQ(2, ids.GetSize());
    EXPECT_EQ(3u, ids[0]);
    EXPECT_EQ(7u, ids[1]);
    EXPECT_EQ(7u, multi.GetCurrentResourceID());
    EXPECT_EQ(2, multi.GetResourceCount());
    EXPECT_NE(nullptr, multi.GetResourceInfo(3));
    EXPECT_EQ(nullptr, multi.GetResourceInfo(0));

    EXPECT_FALSE(multi.SetCurrentResourceID(42));
    EXPECT_EQ(7u, multi.GetCurrentResourceID());
    EXPECT_TRUE(multi.SetCurrentResourceID(3));
    // Resource 0 files under the current one and is stamped with it.
    CZUDPAppointment* mine = New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "three");
    EXPECT_TRUE(multi.Add(mine));
    EXPECT_EQ(3u, mine->GetResourceID());
    std::unique_ptr<CZUDPAppointment> nowhere(New(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), "nine", 9));
    EXPECT_FALSE(multi.Add(nowhere.get()));
    EXPECT_TRUE(multi.Add(New(Date(2024, 5, 6, 11, 0, 0), Date(2024, 5, 6, 12, 0, 0), "seven", 7)));

    // Queries: the current resource's, or every resource's appended.
    EXPECT_EQ((std::vector<std::string>{ "three" }), Query(multi, Date(2024, 5, 6), Date(2024, 5, 6)));
    EXPECT_TRUE(multi.SetCurrentResourceID(0));
    std::vector<std::string> every = Query(multi, Date(2024, 5, 6), Date(2024, 5, 6));
    std::sort(every.begin(), every.end());
    EXPECT_EQ((std::vector<std::string>{ "seven", "three" }), every);
    CZUDPAppointmentArray all;
    multi.QueryAll(all);
    EXPECT_EQ(2, all.GetSize());
    // Updates and removals reach the appointment's resource whatever is
    // current.
    COleDateTime old = mine->GetStart();
    mine->SetInterval(Date(2024, 5, 7, 9, 0, 0), Date(2024, 5, 7, 10, 0, 0));
    EXPECT_TRUE(multi.Update(mine, old));
    EXPECT_EQ((std::vector<std::string>{ "three" }), Query(*three, Date(2024, 5, 7), Date(2024, 5, 7)));
    EXPECT_EQ(nullptr, multi.GetRecurrence(1));   // no current resource

    // Without a current resource: not empty while a resource exists.
    CZUDPAppointmentMultiStorage emptyOnes;
    EXPECT_TRUE(emptyOnes.IsEmpty());
    emptyOnes.AddResource(1, new CZUDPAppointmentStorage, nullptr, TRUE);
    emptyOnes.SetCurrentResourceID(0);
    EXPECT_FALSE(emptyOnes.IsEmpty());
    EXPECT_TRUE(emptyOnes.SetCurrentResourceID(1));
    EXPECT_TRUE(emptyOnes.IsEmpty());

    // Removing the current resource deletes its storage (and what it holds)
    // and makes all resources current.
    EXPECT_TRUE(multi.SetCurrentResourceID(3));
    EXPECT_TRUE(multi.RemoveResource(3));
    EXPECT_EQ(0u, multi.GetCurrentResourceID());
    EXPECT_FALSE(multi.RemoveResource(3));
    EXPECT_EQ(nullptr, multi.GetResourceStorage(3));
    EXPECT_TRUE(multi.RemoveAll());
    EXPECT_TRUE(seven->IsEmpty());
}
