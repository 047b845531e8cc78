// CTime and CTimeSpan.
#include <gtest/gtest.h>

#include <ctime>

#include "framework/Exceptions.h"
#include "framework/Time.h"

TEST(Time, PartsRoundTripInLocalTime)
{
    CTime t(2024, 2, 29, 13, 45, 30);
    EXPECT_EQ(2024, t.GetYear());
    EXPECT_EQ(2, t.GetMonth());
    EXPECT_EQ(29, t.GetDay());
    EXPECT_EQ(13, t.GetHour());
    EXPECT_EQ(45, t.GetMinute());
    EXPECT_EQ(30, t.GetSecond());
    EXPECT_EQ(5, t.GetDayOfWeek());   // a Thursday
    EXPECT_TRUE(t.Format("%Y-%m-%d %H:%M:%S") == "2024-02-29 13:45:30");
    EXPECT_TRUE(t.Format("%%d %q %") == "%d %q %");   // unknown codes stay as they are
    EXPECT_TRUE(t.Format("%#d/%j") == "29/060");
    EXPECT_TRUE(t.Format("") == "");
    struct tm parts;
    ASSERT_NE(nullptr, t.GetLocalTm(&parts));
    EXPECT_EQ(124, parts.tm_year);
}

TEST(Time, SecondsAndSpans)
{
    CTime epoch(0);
    EXPECT_TRUE(epoch.FormatGmt("%Y%m%d %H%M%S") == "19700101 000000");
    CTime later = epoch + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ(93784, later.GetTime());
    CTimeSpan span = later - epoch;
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
    EXPECT_EQ(26, span.GetTotalHours());
    EXPECT_TRUE(later > epoch);
    EXPECT_TRUE(later - span == epoch);
    LONGLONG now = LONGLONG(std::time(nullptr));
    LONGLONG current = CTime::GetCurrentTime().GetTime();
    EXPECT_LE(now, current);
    EXPECT_LE(current, now + 5);
}

TEST(Time, InvalidPartsThrow)
{
    int cases[][6] = {
        { 1899, 1, 1, 0, 0, 0 }, { 2020, 0, 1, 0, 0, 0 }, { 2020, 13, 1, 0, 0, 0 }, { 2020, 1, 0, 0, 0, 0 },
        { 2020, 1, 32, 0, 0, 0 }, { 2020, 1, 1, 24, 0, 0 }, { 2020, 1, 1, 0, 60, 0 }, { 2020, 1, 1, 0, 0, 60 },
    };
    for (auto& c : cases) {
        try {
            CTime t(c[0], c[1], c[2], c[3], c[4], c[5]);
            ADD_FAILURE() << c[0] << "-" << c[1] << "-" << c[2];
        } catch (CInvalidArgException* e) {
            e->Delete();
        }
    }
}
