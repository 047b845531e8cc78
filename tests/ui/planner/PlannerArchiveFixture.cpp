#include "tests/ui/planner/PlannerArchiveFixture.h"

#include "ui/planner/AppointmentStream.h"

#include "framework/Archive.h"
#include "framework/File.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

namespace plannertest {

namespace {

// A master taking the rule, and a changed occurrence of a date.
std::unique_ptr<CZUDPAppointment> MasterOf(CZUDPRecurrenceBaseRule& rule, const char* text, DWORD id,
                                           const COleDateTime& changedDate)
{
    std::unique_ptr<CZUDPAppointment> master(new CZUDPAppointment);
    master->SetDescription(text);
    auto* series = new CZUDPRecurrence;
    series->SetRule(&rule);
    master->SetRecurrence(series);
    master->SetRecurrenceID(id);
    std::unique_ptr<CZUDPAppointment> changed(series->CreateOccurrence(changedDate));
    if (changed != nullptr) {
        changed->SetDescription("Changed");
        changed->SetBackgroundColor(0x00FF8000);
        CZUDPAppointmentPropertyList props;
        changed->GetProperties(props);
        series->SetException(changedDate, props, FALSE);
    }
    return master;
}

} // namespace

std::unique_ptr<CZUDPAppointment> MakePlainAppointment()
{
    std::unique_ptr<CZUDPAppointment> app(new CZUDPAppointment);
    app->SetInterval(COleDateTime(2024, 5, 6, 9, 0, 0), COleDateTime(2024, 5, 6, 10, 30, 0));
    app->SetDescription("Review");
    app->SetBackgroundColor(0x00112233);
    app->GetImages().AddTail(4);
    app->GetImages().AddTail(1);
    app->SetResourceID(7);
    return app;
}

std::unique_ptr<CZUDPAppointment> MakeWeeklyMaster()
{
    CZUDPRecurrenceRuleWeekly rule;
    rule.SetDateStart(COleDateTime(2024, 1, 1, 0, 0, 0));
    rule.SetTimeStart(COleDateTimeSpan(9.0 / 24));
    rule.SetTimeFinish(COleDateTimeSpan(10.0 / 24));
    rule.SetDays(CZUDPRecurrenceRuleWeekly::Monday | CZUDPRecurrenceRuleWeekly::Wednesday);
    rule.SetID(ZUDP_RECURRENCE_RULE_WEEKLY);
    std::unique_ptr<CZUDPAppointment> master(new CZUDPAppointment);
    master->SetDescription("Weekly");
    master->SetResourceID(4);
    auto* series = new CZUDPRecurrence;
    series->SetRule(&rule);
    master->SetRecurrence(series);
    master->SetRecurrenceID(3);
    std::unique_ptr<CZUDPAppointment> changed(series->CreateOccurrence(COleDateTime(2024, 1, 3, 0, 0, 0)));
    changed->SetDescription("Changed");
    CZUDPAppointmentPropertyList props;
    changed->GetProperties(props);
    series->SetException(COleDateTime(2024, 1, 3, 0, 0, 0), props, FALSE);
    series->SetException(COleDateTime(2024, 1, 8, 0, 0, 0), props, TRUE);
    return master;
}

std::unique_ptr<CZUDPAppointment> MakeOccurrence(const CZUDPAppointment& master)
{
    std::unique_ptr<CZUDPAppointment> occurrence(master.GetRecurrence()->CreateOccurrence(COleDateTime(2024, 1, 10, 0, 0, 0)));
    occurrence->SetRecurrenceException(TRUE);
    return occurrence;
}

std::vector<std::unique_ptr<CZUDPAppointment>> MakeOtherMasters()
{
    std::vector<std::unique_ptr<CZUDPAppointment>> masters;
    CZUDPRecurrenceRuleDaily daily;
    daily.SetDateStart(COleDateTime(2024, 1, 1, 0, 0, 0));
    daily.SetTimeStart(COleDateTimeSpan(22.0 / 24));
    daily.SetTimeFinish(COleDateTimeSpan(26.0 / 24));
    daily.SetDayInterval(2);
    daily.SetEndKind(ZUDP_RECURRENCE_END_BY_DATE);
    daily.SetDateEnd(COleDateTime(2024, 3, 1, 0, 0, 0));
    masters.push_back(MasterOf(daily, "Daily", 5, COleDateTime(2024, 1, 5, 0, 0, 0)));
    CZUDPRecurrenceRuleMonthly monthly;
    monthly.SetDateStart(COleDateTime(2024, 1, 31, 0, 0, 0));
    monthly.SetDayKind(1);
    monthly.SetNth(4);
    monthly.SetNthDayKind(1);
    monthly.SetEndKind(ZUDP_RECURRENCE_END_AFTER_COUNT);
    monthly.SetOccurrenceCount(3);
    masters.push_back(MasterOf(monthly, "Monthly", 6, COleDateTime(2024, 2, 29, 0, 0, 0)));
    CZUDPRecurrenceRuleYearly yearly;
    yearly.SetDateStart(COleDateTime(2024, 2, 29, 0, 0, 0));
    yearly.SetMonth(2);
    yearly.SetDay(29);
    yearly.SetTimeFinish(COleDateTimeSpan(1.0));
    masters.push_back(MasterOf(yearly, "Yearly", 7, COleDateTime(2025, 2, 28, 0, 0, 0)));
    masters.back()->SetAllDay(TRUE);
    return masters;
}

std::vector<NamedArchive> PlannerArchiveSeeds()
{
    auto archive = [](const CObject* object) {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << object;
            ar.Close();
        }
        std::vector<unsigned char> bytes(size_t(file.GetLength()));
        file.SeekToBegin();
        file.Read(bytes.data(), UINT(bytes.size()));
        return bytes;
    };
    std::vector<NamedArchive> seeds;
    seeds.push_back({ "plain", archive(MakePlainAppointment().get()) });
    auto master = MakeWeeklyMaster();
    seeds.push_back({ "weekly-master", archive(master.get()) });
    seeds.push_back({ "occurrence", archive(MakeOccurrence(*master).get()) });
    const char* const otherNames[] = { "daily-master", "monthly-master", "yearly-master" };
    auto others = MakeOtherMasters();
    for (size_t i = 0; i < others.size(); ++i)
        seeds.push_back({ otherNames[i], archive(others[i].get()) });
    return seeds;
}

std::vector<NamedArchive> PlannerStreamSeeds()
{
    auto stream = [](const std::vector<const CZUDPAppointment*>& apps) {
        CZUDPAppointmentArray array;
        for (const CZUDPAppointment* app : apps)
            array.Add(const_cast<CZUDPAppointment*>(app));
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            AppointmentStream::Write(ar, array);
            ar.Close();
        }
        std::vector<unsigned char> bytes(size_t(file.GetLength()));
        file.SeekToBegin();
        file.Read(bytes.data(), UINT(bytes.size()));
        return bytes;
    };
    auto plain = MakePlainAppointment();
    std::unique_ptr<CZUDPAppointment> morning(new CZUDPAppointment);
    morning->SetInterval(COleDateTime(2024, 5, 6, 9, 30, 0), COleDateTime(2024, 5, 6, 10, 0, 0));
    morning->SetDescription("A");
    std::unique_ptr<CZUDPAppointment> late(new CZUDPAppointment);
    late->SetInterval(COleDateTime(2024, 5, 6, 11, 0, 0), COleDateTime(2024, 5, 6, 12, 0, 0));
    late->SetDescription("B");
    auto master = MakeWeeklyMaster();
    auto occurrence = MakeOccurrence(*master);
    auto others = MakeOtherMasters();
    std::vector<const CZUDPAppointment*> mixed{ plain.get(), master.get(), occurrence.get(), morning.get() };
    for (auto& other : others)
        mixed.push_back(other.get());
    std::vector<NamedArchive> seeds;
    seeds.push_back({ "stream-plain", stream({ plain.get() }) });
    seeds.push_back({ "stream-two", stream({ morning.get(), late.get() }) });
    seeds.push_back({ "stream-series", stream({ master.get(), occurrence.get() }) });
    seeds.push_back({ "stream-mixed", stream(mixed) });
    return seeds;
}

} // namespace plannertest
