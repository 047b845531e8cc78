// Automation dates and spans: the date rule (equality within half a second,
// order on the continuous form, validity), calendar fields, arithmetic,
// the archive form and the map hash.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/OleDateTime.h"

namespace {

const double kSecond = 1.0 / 86400.0;

COleDateTime Null()
{
    COleDateTime d;
    d.SetStatus(COleDateTime::null);
    return d;
}

COleDateTime Invalid()
{
    COleDateTime d;
    d.SetStatus(COleDateTime::invalid);
    return d;
}

std::vector<unsigned char> ArchivedDateBytes(LONG status, double value)
{
    std::vector<unsigned char> out(12);
    std::memcpy(out.data(), &status, 4);
    std::memcpy(out.data() + 4, &value, 8);
    return out;
}

COleDateTime ReadDate(std::vector<unsigned char> bytes)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    COleDateTime d;
    ar >> d;
    return d;
}

COleDateTimeSpan ReadSpan(std::vector<unsigned char> bytes)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    COleDateTimeSpan s;
    ar >> s;
    return s;
}

} // namespace

struct DateRelation {
    const char* name;
    COleDateTime a;
    COleDateTime b;
    bool equal;
    bool less;      // a < b
    bool greater;   // a > b
};

TEST(OleDateTime, TheDateRule)
{
    const double d = 45000.25;
    const DateRelation cases[] = {
        { "0.4 s apart are equal", COleDateTime(d), COleDateTime(d + 0.4 * kSecond), true, true, false },
        { "0.6 s apart are not", COleDateTime(d), COleDateTime(d + 0.6 * kSecond), false, true, false },
        { "the same value", COleDateTime(d), COleDateTime(d), true, false, false },
        { "invalid never equals invalid", Invalid(), Invalid(), false, false, false },
        { "invalid never equals a valid date", Invalid(), COleDateTime(0.0), false, false, false },
        { "null equals null", Null(), Null(), true, false, false },
        { "null is no valid date", Null(), COleDateTime(0.0), false, false, false },
        // -1.25 is 29 December 1899 06:00: after -1.0 (29 December 00:00) ...
        { "-1.25 after -1.0", COleDateTime(-1.25), COleDateTime(-1.0), false, false, true },
        // ... and before -0.5 (30 December 12:00).
        { "-1.25 before -0.5", COleDateTime(-1.25), COleDateTime(-0.5), false, true, false },
        { "-0.5 after 0.0", COleDateTime(-0.5), COleDateTime(0.0), false, false, true },
        { "-2.75 before -1.0", COleDateTime(-2.75), COleDateTime(-1.0), false, true, false },
    };
    for (const DateRelation& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.equal, c.a == c.b);
        EXPECT_EQ(!c.equal, c.a != c.b);
        EXPECT_EQ(c.less, c.a < c.b);
        EXPECT_EQ(c.greater, c.a > c.b);
        EXPECT_EQ(c.less || c.equal, c.a <= c.b);
        EXPECT_EQ(c.greater || c.equal, c.a >= c.b);
    }
}

TEST(OleDateTime, ValidityOfValuesAndFields)
{
    EXPECT_EQ(COleDateTime::valid, COleDateTime(0.0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(std::nan("")).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(std::numeric_limits<double>::infinity()).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(1e308).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(2958466.0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(-657435.0).GetStatus());

    struct FieldCase {
        int y, mo, d, h, mi, s;
        bool valid;
        double value;
    } cases[] = {
        { 1899, 12, 30, 0, 0, 0, true, 0.0 },
        { 1899, 12, 29, 6, 0, 0, true, -1.25 },
        { 1899, 12, 30, 12, 0, 0, true, 0.5 },
        { 100, 1, 1, 0, 0, 0, true, -657434.0 },
        { 9999, 12, 31, 0, 0, 0, true, 2958465.0 },
        { 2024, 2, 29, 0, 0, 0, true, 45351.0 },
        { 2023, 2, 29, 0, 0, 0, false, 0 },
        { 1900, 2, 29, 0, 0, 0, false, 0 },
        { 2000, 2, 29, 0, 0, 0, true, 36585.0 },
        { 99, 12, 31, 0, 0, 0, false, 0 },
        { 10000, 1, 1, 0, 0, 0, false, 0 },
        { 2024, 13, 1, 0, 0, 0, false, 0 },
        { 2024, 4, 31, 0, 0, 0, false, 0 },
        { 2024, 1, 1, 24, 0, 0, false, 0 },
        { 2024, 1, 1, 0, 60, 0, false, 0 },
        { 2024, 1, 1, 0, 0, 60, false, 0 },
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":" << c.mi << ":" << c.s);
        COleDateTime date(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(c.valid, date.GetStatus() == COleDateTime::valid);
        if (!c.valid) {
            EXPECT_EQ(-1, date.GetYear());
            EXPECT_EQ(-1, date.GetDayOfWeek());
            continue;
        }
        EXPECT_DOUBLE_EQ(c.value, date.m_dt);
        EXPECT_EQ(c.y, date.GetYear());
        EXPECT_EQ(c.mo, date.GetMonth());
        EXPECT_EQ(c.d, date.GetDay());
        EXPECT_EQ(c.h, date.GetHour());
    }
}

TEST(OleDateTime, FieldsAreRoundedToTheNearestSecond)
{
    COleDateTime morning = COleDateTime(2024, 1, 1, 0, 0, 0) + COleDateTimeSpan(10.0 / 24.0);
    EXPECT_EQ(10, morning.GetHour());
    EXPECT_EQ(0, morning.GetMinute());
    EXPECT_EQ(0, morning.GetSecond());
    // A value just short of midnight reads as the next day.
    COleDateTime late(45292.0 - 0.2 * kSecond);
    EXPECT_EQ(2024, late.GetYear());
    EXPECT_EQ(1, late.GetMonth());
    EXPECT_EQ(1, late.GetDay());
    EXPECT_EQ(0, late.GetHour());
    // Negative values: 29 December 1899 18:00.
    COleDateTime old(-1.75);
    EXPECT_EQ(29, old.GetDay());
    EXPECT_EQ(18, old.GetHour());
    // Weekday (1 Sunday) and day of the year.
    COleDateTime leap(2024, 2, 29, 13, 45, 30);
    EXPECT_EQ(5, leap.GetDayOfWeek());
    EXPECT_EQ(60, leap.GetDayOfYear());
    EXPECT_EQ(366, COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear());
    EXPECT_EQ(7, COleDateTime(0.0).GetDayOfWeek());   // 30 December 1899, a Saturday
    EXPECT_TRUE(leap.Format("%Y-%m-%d %H:%M:%S %I%p %a %j") == "2024-02-29 13:45:30 01PM Thu 060");
    EXPECT_TRUE(Invalid().Format("%H") == "");
    EXPECT_EQ(-1, Null().GetHour());
}

TEST(OleDateTime, DifferencesAndSumsUseTheContinuousForm)
{
    // 30 December 12:00 minus 29 December 06:00.
    COleDateTimeSpan span = COleDateTime(-0.5) - COleDateTime(-1.25);
    EXPECT_EQ(COleDateTimeSpan::valid, span.GetStatus());
    EXPECT_DOUBLE_EQ(1.25, span.GetTotalDays());
    // 30 December 12:00 less 18 hours is 29 December 18:00 (-1.75).
    COleDateTime back = COleDateTime(-0.5) - COleDateTimeSpan(0.75);
    EXPECT_DOUBLE_EQ(-1.75, back.m_dt);
    EXPECT_DOUBLE_EQ(2.0, (COleDateTime(-1.25) + COleDateTimeSpan(2.75)).m_dt);   // 1 January 1900
    // Spans beyond 3615897 days are invalid, so is a difference that large.
    EXPECT_EQ(COleDateTimeSpan::valid, COleDateTimeSpan(3615897.0).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, COleDateTimeSpan(3615897.5).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, COleDateTimeSpan(-3615898.0).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (COleDateTime(2958465.0) - COleDateTime(-657434.0)).GetStatus());
    // Statuses travel: invalid wins over null.
    EXPECT_EQ(COleDateTimeSpan::invalid, (Invalid() - Null()).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::null, (Null() - COleDateTime(1.0)).GetStatus());
    EXPECT_EQ(COleDateTime::null, (Null() + COleDateTimeSpan(1.0)).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, (COleDateTime(2958465.0) + COleDateTimeSpan(2.0)).GetStatus());
    // Span parts.
    COleDateTimeSpan parts(1, 2, 3, 4);
    EXPECT_EQ(1, parts.GetDays());
    EXPECT_EQ(2, parts.GetHours());
    EXPECT_EQ(3, parts.GetMinutes());
    EXPECT_EQ(4, parts.GetSeconds());
    EXPECT_TRUE(parts > COleDateTimeSpan(1.0));
    EXPECT_FALSE(parts < Invalid() - COleDateTime(0.0));
}

TEST(OleDateTime, ArchiveFormAndOutOfRangeValues)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << COleDateTime(1.5) << Null() << COleDateTimeSpan(-0.25);
        ar.Close();
    }
    std::vector<unsigned char> expected = ArchivedDateBytes(0, 1.5);
    std::vector<unsigned char> more = ArchivedDateBytes(2, 0.0);
    expected.insert(expected.end(), more.begin(), more.end());
    more = ArchivedDateBytes(0, -0.25);
    expected.insert(expected.end(), more.begin(), more.end());
    std::vector<unsigned char> written(size_t(file.GetLength()));
    file.SeekToBegin();
    file.Read(written.data(), UINT(written.size()));
    EXPECT_EQ(expected, written);

    EXPECT_TRUE(ReadDate(ArchivedDateBytes(0, 1.5)) == COleDateTime(1.5));
    EXPECT_EQ(COleDateTime::null, ReadDate(ArchivedDateBytes(2, 7.0)).GetStatus());
    // A valid status does not make NaN or 1e308 a date; nor does an
    // unknown status make anything valid.
    EXPECT_EQ(COleDateTime::invalid, ReadDate(ArchivedDateBytes(0, std::nan(""))).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, ReadDate(ArchivedDateBytes(0, 1e308)).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, ReadDate(ArchivedDateBytes(7, 1.0)).GetStatus());
    EXPECT_EQ(-1, ReadDate(ArchivedDateBytes(0, 1e308)).GetYear());
    EXPECT_EQ(COleDateTimeSpan::invalid, ReadSpan(ArchivedDateBytes(0, 4e6)).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, ReadSpan(ArchivedDateBytes(0, std::nan(""))).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::valid, ReadSpan(ArchivedDateBytes(0, 2.5)).GetStatus());
}

TEST(OleDateTime, MapHashIsTheWholeDay)
{
    EXPECT_EQ(45000u, HashKey<const COleDateTime&>(COleDateTime(45000.75)));
    EXPECT_EQ(45001u, HashKey<const COleDateTime&>(COleDateTime(45001.0)));
    // Equal keys on two sides of a day boundary hash apart.
    COleDateTime before(45001.0 - 0.1 * kSecond);
    EXPECT_TRUE(before == COleDateTime(45001.0));
    EXPECT_EQ(45000u, HashKey<const COleDateTime&>(before));
    EXPECT_EQ(0u, HashKey<const COleDateTime&>(ReadDate(ArchivedDateBytes(0, 1e308))));
    EXPECT_EQ(0u, HashKey<const COleDateTime&>(Null()));
}
