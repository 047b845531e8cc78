// The appointment's data: intervals, all-day, durations, time texts,
// tooltips and the display order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentProperty.h"

using namespace plannertest;

class AppointmentData : public PlannerTest {};

TEST_F(AppointmentData, IntervalKeepsEqualDatesAndAllDayCutsToMidnight)
{
    CZUDPAppointment app;
    app.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0));
    EXPECT_STREQ("09:00", app.GetStartTimeText());
    // 0.3 seconds later is the same start: nothing is stored.
    COleDateTime later = Seconds(Date(2024, 5, 6, 9, 0, 0), 0.3);
    app.SetInterval(later, Date(2024, 5, 6, 10, 0, 0));
    EXPECT_EQ(Date(2024, 5, 6, 9, 0, 0).m_dt, app.GetStart().m_dt);
    // 0.6 seconds later is not.
    app.SetInterval(Seconds(Date(2024, 5, 6, 9, 0, 0), 0.6), Date(2024, 5, 6, 10, 0, 0));
    EXPECT_NE(Date(2024, 5, 6, 9, 0, 0).m_dt, app.GetStart().m_dt);

    // All-day 10:30-15:00 of one day: that day at 00:00 twice, one day long.
    app.SetAllDay(TRUE);
    app.SetInterval(Date(2024, 5, 6, 10, 30, 0), Date(2024, 5, 6, 15, 0, 0));
    EXPECT_TRUE(app.GetStart() == Date(2024, 5, 6));
    EXPECT_TRUE(app.GetFinish() == Date(2024, 5, 6));
    EXPECT_DOUBLE_EQ(1.0, app.GetDuration().GetTotalDays());
    EXPECT_FALSE(app.IsLong());
    // Switching all-day off leaves the dates.
    app.SetAllDay(FALSE);
    EXPECT_TRUE(app.GetStart() == Date(2024, 5, 6));
    EXPECT_DOUBLE_EQ(0.0, app.GetDuration().GetTotalDays());

    // Long: a day or more, within half a second.
    app.SetInterval(Date(2024, 5, 6, 10, 0, 0), Seconds(Date(2024, 5, 7, 10, 0, 0), -0.4));
    EXPECT_TRUE(app.IsLong());
    CZUDPAppointment shorter;   // (0.2 s from the finish above would count as the same date)
    shorter.SetInterval(Date(2024, 5, 6, 10, 0, 0), Seconds(Date(2024, 5, 7, 10, 0, 0), -0.6));
    EXPECT_FALSE(shorter.IsLong());

    // A duration that cannot be a span keeps its status with value 0.
    app.SetInterval(Invalid(), Date(2024, 5, 6));
    EXPECT_EQ(COleDateTimeSpan::invalid, app.GetDuration().GetStatus());
    EXPECT_EQ(0.0, app.GetDuration().GetTotalDays());
}

TEST_F(AppointmentData, TimeTextsFollowEveryDateChange)
{
    ScopedPlannerLocale twelveHour({ { LOCALE_ITIME, "0" }, { LOCALE_ITLZERO, "0" }, { LOCALE_STIME, ":" },
                                     { LOCALE_S1159, "AM" }, { LOCALE_S2359, "PM" }, { LOCALE_ITIMEMARKPOSN, "0" } });
    CZUDPAppointment app;
    app.SetInterval(Date(2024, 5, 6, 9, 15, 0), Date(2024, 5, 6, 14, 0, 0));
    // 12-hour markers are lower case.
    EXPECT_STREQ("9:15am", app.GetStartTimeText());
    EXPECT_STREQ("2:00pm", app.GetFinishTimeText());

    // Through properties ...
    CZUDPAppointmentPropertyList props;
    props.Add(ZUDP_APPOINTMENT_PROPERTY_START, new CZUDPAppointmentProperty(Date(2024, 5, 6, 11, 0, 0)));
    app.SetProperties(props);
    EXPECT_STREQ("11:00am", app.GetStartTimeText());
    // ... all-day ...
    app.SetAllDay(TRUE);
    EXPECT_STREQ("12:00am", app.GetStartTimeText());
    app.SetAllDay(FALSE);
    // ... and the archive.
    app.SetInterval(Date(2024, 5, 6, 16, 45, 0), Date(2024, 5, 6, 17, 0, 0));
    Bytes bytes = Store([&](CArchive& ar) { ar << &app; });
    Load(bytes, [](CArchive& ar) {
        CZUDPAppointment* read = nullptr;
        ar >> read;
        std::unique_ptr<CZUDPAppointment> owner(read);
        ASSERT_NE(nullptr, read);
        EXPECT_STREQ("4:45pm", read->GetStartTimeText());
    });
    // A date that cannot be formed has no text.
    app.SetInterval(Invalid(), Date(2024, 5, 6, 17, 0, 0));
    EXPECT_STREQ("", app.GetStartTimeText());
}

TEST_F(AppointmentData, ToolTips)
{
    CZUDPAppointment app;
    app.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 9, 0, 0));
    EXPECT_STREQ("09:00", app.GetToolTipText());   // no finish when equal
    app.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 30, 0));
    app.SetDescription("Review");
    EXPECT_STREQ("09:00-10:30\r\nReview", app.GetToolTipText());
    CString longText;
    for (int i = 0; i < 300; ++i)
        longText += char('a' + i % 26);
    app.SetDescription(longText);
    CString tip = app.GetToolTipText();
    EXPECT_EQ(13 + 256, tip.GetLength());
    EXPECT_STREQ(static_cast<LPCSTR>(longText.Left(256)), static_cast<LPCSTR>(tip.Mid(13)));
    // All-day: the description only.
    app.SetDescription("Holiday");
    app.SetAllDay(TRUE);
    EXPECT_STREQ("Holiday", app.GetToolTipText());
    app.SetDescription("");
    EXPECT_STREQ("", app.GetToolTipText());
    EXPECT_STREQ("", app.GetClipboardText());
}

struct OrderCase {
    const char* name;
    std::function<std::unique_ptr<CZUDPAppointment>()> a;
    std::function<std::unique_ptr<CZUDPAppointment>()> b;
    int sign;   // of CompareAppointments(a, b)
};

TEST_F(AppointmentData, DisplayOrder)
{
    auto make = [](COleDateTime s, COleDateTime f, const char* text = "", DWORD resource = 0, BOOL allDay = FALSE) {
        return [=] {
            auto app = Appointment(s, f, text, resource);
            app->SetAllDay(allDay);
            return app;
        };
    };
    COleDateTime mon9 = Date(2024, 5, 6, 9, 0, 0);
    COleDateTime mon10 = Date(2024, 5, 6, 10, 0, 0);
    const OrderCase cases[] = {
        { "resource 1 before 2 whatever the dates", make(Date(2024, 6, 1), Date(2024, 6, 1), "", 1),
          make(Date(2024, 1, 1), Date(2024, 1, 1), "", 2), -1 },
        { "long before short on the same day", make(Date(2024, 5, 6, 11, 0, 0), Date(2024, 5, 8), "z"),
          make(mon9, mon10, "a"), -1 },
        { "all-day before short on the same day", make(Date(2024, 5, 6, 12, 0, 0), Date(2024, 5, 6, 12, 0, 0), "", 0, TRUE),
          make(mon9, mon10), -1 },
        { "long after short of an earlier day", make(Date(2024, 5, 6, 11, 0, 0), Date(2024, 5, 9)),
          make(Date(2024, 5, 5, 9, 0, 0), Date(2024, 5, 5, 10, 0, 0)), 1 },
        { "earlier start", make(mon9, mon10), make(Date(2024, 5, 6, 9, 30, 0), mon10), -1 },
        { "longer first", make(mon9, Date(2024, 5, 6, 9, 30, 0)), make(mon9, mon10), 1 },
        { "Apple before apple", make(mon9, mon10, "Apple"), make(mon9, mon10, "apple"), -1 },
        { "apple before Banana", make(mon9, mon10, "apple"), make(mon9, mon10, "Banana"), -1 },
        { "empty before a", make(mon9, mon10, ""), make(mon9, mon10, "a"), -1 },
        { "equal", make(mon9, mon10, "x"), make(mon9, mon10, "x"), 0 },
        { "invalid start after valid", make(Invalid(), mon10), make(mon9, mon10), 1 },
        { "null start after valid", make(Null(), mon10), make(Date(2099, 1, 1), Date(2099, 1, 1)), 1 },
        { "invalid after null", make(Invalid(), mon10), make(Null(), mon10), 1 },
        { "invalid duration after valid", make(mon9, Invalid()), make(mon9, mon10), 1 },
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto a = c.a();
        auto b = c.b();
        int ab = CompareAppointments(a.get(), b.get());
        int ba = CompareAppointments(b.get(), a.get());
        EXPECT_EQ(c.sign, ab < 0 ? -1 : ab > 0 ? 1 : 0);
        EXPECT_EQ(-c.sign, ba < 0 ? -1 : ba > 0 ? 1 : 0);
        EXPECT_EQ(0, CompareAppointments(a.get(), a.get()));
    }
}

TEST_F(AppointmentData, SortingShuffledAppointmentsWithBadDatesStaysInsideTheArray)
{
    std::mt19937 random(44);
    std::vector<std::unique_ptr<CZUDPAppointment>> owned;
    for (int i = 0; i < 1000; ++i) {
        COleDateTime start = Date(2024, 5, 1) + COleDateTimeSpan(double(random() % 20) + double(random() % 48) / 48.0);
        COleDateTime finish = start + COleDateTimeSpan(double(random() % 72) / 24.0);
        if (i % 17 == 0)
            start = Invalid();
        if (i % 23 == 0)
            finish = Null();
        if (i % 29 == 0)
            start = Null();
        const char* texts[] = { "", "a", "A", "b", "Apple", "apple" };
        owned.push_back(Appointment(start, finish, texts[random() % 6], DWORD(random() % 3)));
        owned.back()->SetAllDay(i % 13 == 0);
    }
    std::vector<CZUDPAppointment*> apps;
    for (auto& app : owned)
        apps.push_back(app.get());
    std::shuffle(apps.begin(), apps.end(), random);
    SortAppointments(apps.data(), INT_PTR(apps.size()));
    for (size_t i = 1; i < apps.size(); ++i)
        ASSERT_LE(CompareAppointments(apps[i - 1], apps[i]), 0) << i;
    std::vector<CZUDPAppointment*> sorted(apps);
    std::sort(sorted.begin(), sorted.end());
    std::vector<CZUDPAppointment*> all;
    for (auto& app : owned)
        all.push_back(app.get());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, sorted);   // a permutation: nothing lost or doubled
}
