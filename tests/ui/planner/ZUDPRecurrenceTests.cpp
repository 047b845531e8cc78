// Recurrence series: the occurrences of a range with changed, deleted and
// moved ones, the midnight rules, old series, and what an occurrence's
// change records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

using namespace plannertest;

namespace {

// A master with a daily (or given) rule whose occurrences run from the
// start time to the finish time (days after their date's midnight).
struct Series {
    CZUDPAppointment master;

    Series(const COleDateTime& first, double startDays, double finishDays, CZUDPRecurrenceBaseRule* rule = nullptr)
    {
        std::unique_ptr<CZUDPRecurrenceBaseRule> owned(rule != nullptr ? rule : new CZUDPRecurrenceRuleDaily);
        owned->SetDateStart(first);
        owned->SetTimeStart(COleDateTimeSpan(startDays));
        owned->SetTimeFinish(COleDateTimeSpan(finishDays));
        auto* series = new CZUDPRecurrence;
        series->SetRule(owned.get());
        master.SetDescription("Standup");
        master.SetRecurrence(series);
        master.SetRecurrenceID(1);
    }
    CZUDPRecurrence& Recurrence() { return *master.GetRecurrence(); }

    // "start-finish description" of each occurrence of the range, in the
    // order the series gives them.
    std::vector<std::string> Query(const COleDateTime& from, const COleDateTime& to)
    {
        CZUDPAppointmentArray result;
        Recurrence().Query(result, from, to);
        std::vector<std::string> out;
        for (INT_PTR i = 0; i < result.GetSize(); ++i) {
            std::unique_ptr<CZUDPAppointment> occurrence(result[i]);
            EXPECT_TRUE(occurrence->IsRecurrenceClone());
            EXPECT_EQ(1u, occurrence->GetRecurrenceID());
            out.push_back(Text(occurrence->GetStart()) + "-" + Text(occurrence->GetFinish()).substr(11) + " " +
                          static_cast<LPCSTR>(occurrence->GetDescription()));
        }
        return out;
    }

    // Changes an occurrence the way the control does and hands its values
    // to the series.
    void Change(const COleDateTime& date, const std::function<void(CZUDPAppointment&)>& edit, BOOL deleted = FALSE)
    {
        std::unique_ptr<CZUDPAppointment> occurrence(Recurrence().CreateOccurrence(date));
        ASSERT_NE(nullptr, occurrence);
        edit(*occurrence);
        CZUDPAppointmentPropertyList props;
        occurrence->GetProperties(props);
        Recurrence().SetException(date, props, deleted);
    }
};

COleDateTime EndOfDay(const COleDateTime& day) { return day + COleDateTimeSpan(0, 23, 59, 59); }

std::vector<DWORD> Ids(const CZUDPAppointmentPropertyList& list)
{
    std::vector<DWORD> ids;
    for (POSITION pos = list.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointmentBaseProperty* p;
        list.GetNextAssoc(pos, id, p);
        ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

class RecurrenceSeries : public PlannerTest {};

TEST_F(RecurrenceSeries, OccurrencesOfARangeWithChangedDeletedAndMovedOnes)
{
    Series s(Date(2024, 1, 1), 10.0 / 24, 11.0 / 24);
    EXPECT_EQ((std::vector<std::string>{ "2024-01-03 10:00-11:00 Standup", "2024-01-04 10:00-11:00 Standup",
                                         "2024-01-05 10:00-11:00 Standup" }),
              s.Query(Date(2024, 1, 3), EndOfDay(Date(2024, 1, 5))));

    s.Change(Date(2024, 1, 4), [](CZUDPAppointment& o) { o.SetDescription("Planning"); });
    s.Change(Date(2024, 1, 5), [](CZUDPAppointment&) {}, TRUE);
    s.Change(Date(2024, 1, 3), [](CZUDPAppointment& o) { o.SetInterval(Date(2024, 1, 10, 9, 0, 0), Date(2024, 1, 10, 9, 30, 0)); });
    s.Change(Date(2024, 1, 8), [](CZUDPAppointment& o) { o.SetInterval(Date(2024, 1, 4, 15, 0, 0), Date(2024, 1, 4, 16, 0, 0)); });
    EXPECT_EQ(4, s.Recurrence().GetExceptionCount());
    // Exceptions first (in the map's order), then the rule's dates.
    std::vector<std::string> got = s.Query(Date(2024, 1, 3), EndOfDay(Date(2024, 1, 5)));
    std::sort(got.begin(), got.end());
    EXPECT_EQ((std::vector<std::string>{ "2024-01-04 10:00-11:00 Planning", "2024-01-04 15:00-16:00 Standup" }), got);
    // The moved-out occurrence shows where it went.
    EXPECT_EQ((std::vector<std::string>{ "2024-01-09 10:00-11:00 Standup", "2024-01-10 09:00-09:30 Standup",
                                         "2024-01-10 10:00-11:00 Standup" }),
              [&] {
                  auto v = s.Query(Date(2024, 1, 9), EndOfDay(Date(2024, 1, 10)));
                  std::sort(v.begin(), v.end());
                  return v;
              }());
    // Deleting twice keeps one deleted record; a deleted occurrence is not
    // made again, nor revived by a change.
    CZUDPAppointmentPropertyList props;
    s.master.GetProperties(props);
    s.Recurrence().SetException(Date(2024, 1, 4), props, TRUE);
    s.Recurrence().SetException(Date(2024, 1, 4), props, TRUE);
    EXPECT_EQ(4, s.Recurrence().GetExceptionCount());
    EXPECT_EQ(nullptr, s.Recurrence().CreateOccurrence(Date(2024, 1, 4)));
    s.Recurrence().SetException(Date(2024, 1, 4), props, FALSE);
    EXPECT_TRUE(s.Recurrence().GetException(Date(2024, 1, 4))->m_bDeleted);
    EXPECT_EQ(0, s.Recurrence().GetException(Date(2024, 1, 4))->m_Properties.GetCount());

    // A new rule discards every exception.
    CZUDPRecurrenceRuleDaily rule;
    rule.SetDateStart(Date(2024, 1, 1));
    s.Recurrence().SetRule(&rule);
    EXPECT_EQ(0, s.Recurrence().GetExceptionCount());
}

TEST_F(RecurrenceSeries, OccurrencesAroundMidnight)
{
    const COleDateTime d = Date(2024, 3, 10);
    const COleDateTime dayBefore = Date(2024, 3, 9);
    // 12:00 to midnight (n = 1): the day before's occurrence ends where the
    // range begins and is not in it.
    Series noon(Date(2024, 3, 1), 0.5, 1.0);
    EXPECT_EQ((std::vector<std::string>{ "2024-03-10 12:00-00:00 Standup" }), noon.Query(d, EndOfDay(d)));
    // As an exception it is.
    noon.Change(dayBefore, [](CZUDPAppointment& o) { o.SetDescription("Late"); });
    auto got = noon.Query(d, EndOfDay(d));
    std::sort(got.begin(), got.end());
    EXPECT_EQ((std::vector<std::string>{ "2024-03-09 12:00-00:00 Late", "2024-03-10 12:00-00:00 Standup" }), got);
    // A zero-length occurrence at midnight is in the range.
    Series instant(Date(2024, 3, 1), 0.0, 0.0);
    EXPECT_EQ((std::vector<std::string>{ "2024-03-10 00:00-00:00 Standup" }), instant.Query(d, EndOfDay(d)));
    // 10:00 to 10:00 the next day (n = 1): the day before's runs into the
    // range.
    Series day(Date(2024, 3, 1), 10.0 / 24, 1.0 + 10.0 / 24);
    EXPECT_EQ((std::vector<std::string>{ "2024-03-09 10:00-10:00 Standup", "2024-03-10 10:00-10:00 Standup" }),
              day.Query(d, EndOfDay(d)));
    // 36 hours (n = 2): two days back take part, the one that ended the
    // evening before too.
    Series longer(Date(2024, 3, 1), 10.0 / 24, 1.0 + 22.0 / 24);
    EXPECT_EQ((std::vector<std::string>{ "2024-03-08 10:00-22:00 Standup", "2024-03-09 10:00-22:00 Standup",
                                         "2024-03-10 10:00-22:00 Standup" }),
              longer.Query(d, EndOfDay(d)));
}

TEST_F(RecurrenceSeries, ASeriesTenYearsOldAndSeriesWithoutRuleOrMaster)
{
    Series old(Date(2014, 1, 1), 8.0 / 24, 9.0 / 24);
    std::vector<std::string> march = old.Query(Date(2024, 3, 1), EndOfDay(Date(2024, 3, 31)));
    ASSERT_EQ(31u, march.size());
    EXPECT_EQ("2024-03-01 08:00-09:00 Standup", march.front());
    EXPECT_EQ("2024-03-31 08:00-09:00 Standup", march.back());
    // A finish time before the start time: the master's finish precedes its
    // start; a month still gives the month's occurrences only (not every
    // one since the first date).
    Series backwards(Date(2014, 1, 1), 20.0 / 24, -1.5);
    EXPECT_EQ(31u, backwards.Query(Date(2024, 3, 1), EndOfDay(Date(2024, 3, 31))).size());
    // The range before the first date.
    EXPECT_TRUE(old.Query(Date(2013, 12, 1), EndOfDay(Date(2013, 12, 31))).empty());

    CZUDPRecurrence orphan;
    CZUDPAppointmentArray result;
    result.Add(nullptr);
    orphan.Query(result, Date(2024, 1, 1), Date(2024, 1, 2));
    EXPECT_EQ(0, result.GetSize());
    EXPECT_EQ(nullptr, orphan.CreateOccurrence(Date(2024, 1, 1)));
    CZUDPAppointmentPropertyList props;
    orphan.SetException(Date(2024, 1, 1), props, TRUE);   // no master: nothing
    EXPECT_EQ(0, orphan.GetExceptionCount());
}

TEST_F(RecurrenceSeries, WhatAChangeRecords)
{
    Series s(Date(2024, 1, 1), 10.0 / 24, 11.0 / 24);
    const COleDateTime date = Date(2024, 1, 4);
    // Saved without a change: nothing.
    s.Change(date, [](CZUDPAppointment&) {});
    EXPECT_FALSE(s.Recurrence().IsException(date));
    // The description only: start, finish and id 2.
    s.Change(date, [](CZUDPAppointment& o) { o.SetDescription("Planning"); });
    auto* record = s.Recurrence().GetException(date);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ("2024-01-04 10:00", Text(record->m_dtStart));
    EXPECT_EQ("2024-01-04 11:00", Text(record->m_dtFinish));
    EXPECT_EQ((std::vector<DWORD>{ 2 }), Ids(record->m_Properties));
    // A move adds ids 0 and 1 ...
    s.Change(date, [](CZUDPAppointment& o) { o.SetInterval(Date(2024, 1, 4, 13, 0, 0), Date(2024, 1, 4, 14, 0, 0)); });
    EXPECT_EQ((std::vector<DWORD>{ 0, 1, 2 }), Ids(record->m_Properties));
    // ... and keeps them, also when the times go back to the rule's.
    s.Change(date, [](CZUDPAppointment& o) {
        o.SetInterval(Date(2024, 1, 4, 10, 0, 0), Date(2024, 1, 4, 11, 0, 0));
        o.SetBackgroundColor(0x0000FF);
    });
    EXPECT_EQ((std::vector<DWORD>{ 0, 1, 2, 3 }), Ids(record->m_Properties));
    EXPECT_EQ("2024-01-04 10:00", Text(record->m_dtStart));
    // Back to the master's text: the record keeps it, it is not removed.
    s.Change(date, [](CZUDPAppointment& o) { o.SetDescription("Standup"); });
    ASSERT_EQ(record, s.Recurrence().GetException(date));
    EXPECT_STREQ("Standup", static_cast<CZUDPAppointmentProperty*>(record->m_Properties.Get(2))->GetString());
    std::unique_ptr<CZUDPAppointment> occurrence(s.Recurrence().CreateOccurrence(date));
    EXPECT_TRUE(occurrence->IsRecurrenceException());
    EXPECT_EQ(COLORREF(0x0000FF), occurrence->GetBackgroundColor());

    // Without a start and a finish nothing is recorded; ids the master
    // has not (from an archive) are passed over.
    CZUDPAppointmentPropertyList partial;
    partial.Add(2, new CZUDPAppointmentProperty("no times"));
    s.Recurrence().SetException(Date(2024, 1, 6), partial, FALSE);
    EXPECT_FALSE(s.Recurrence().IsException(Date(2024, 1, 6)));
    record->m_Properties.Add(50, new CZUDPAppointmentProperty(5));
    s.Change(date, [](CZUDPAppointment& o) { o.SetDescription("Again"); });
    EXPECT_TRUE(record->m_Properties.PropertyExists(50));
}

TEST_F(RecurrenceSeries, ExceptionsAreFoundAcrossADayBoundary)
{
    Series s(Date(2024, 1, 1), 10.0 / 24, 11.0 / 24);
    const COleDateTime midnight = Date(2024, 1, 4);
    // A key computed a little short of midnight: another whole day.
    COleDateTime justBefore(midnight.m_dt - 0.2 / 86400);
    ASSERT_NE(HashOleDate(justBefore), HashOleDate(midnight));
    CZUDPAppointmentPropertyList props;
    s.master.GetProperties(props);
    s.Recurrence().SetException(justBefore, props, TRUE);
    EXPECT_TRUE(s.Recurrence().IsException(midnight));
    EXPECT_EQ((std::vector<std::string>{ "2024-01-05 10:00-11:00 Standup" }),
              s.Query(midnight, EndOfDay(Date(2024, 1, 5))));
    // Recording the same occurrence again finds the record.
    s.Recurrence().SetException(midnight, props, TRUE);
    EXPECT_EQ(1, s.Recurrence().GetExceptionCount());
}
