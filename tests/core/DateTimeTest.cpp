// Calendar arithmetic around month ends, leap days and century years, and the formatting.
#include <gtest/gtest.h>

#include "core/DateTime.h"

namespace {

TDateTime Date(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    TDateTime date;
    date.Set_DateTimeSerial(y, m, d, h, n, s);
    return date;
}

void ExpectDate(const TDateTime& date, int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    EXPECT_EQ(date.Year, y);
    EXPECT_EQ(date.Month, m);
    EXPECT_EQ(date.Day, d);
    EXPECT_EQ(date.Hour, h);
    EXPECT_EQ(date.Minute, n);
    EXPECT_EQ(date.Second, s);
}

}  // namespace

TEST(DateTimeTest, AddingCarriesAndClampsAcrossMonthYearAndCenturyEnds) {
    TDateTime nov = Date(2026, 11, 15);
    ExpectDate(TDateTime::Add("M", 26, nov), 2029, 1, 15);
    ExpectDate(nov, 2026, 11, 15);  // the argument is unchanged
    // The day is clamped to the month.
    ExpectDate(TDateTime::Add("M", 1, Date(2100, 1, 31)), 2100, 2, 28);
    ExpectDate(TDateTime::Add("M", 1, Date(2000, 1, 31)), 2000, 2, 29);
    ExpectDate(TDateTime::Add("Y", 1, Date(2024, 2, 29)), 2025, 2, 28);
    ExpectDate(TDateTime::Add("D", -1, Date(2100, 3, 1)), 2100, 2, 28);
    ExpectDate(TDateTime::Add("D", 36524, Date(1900, 1, 1)), 2000, 1, 1);  // 1900 is no leap year
    TDateTime eve = Date(2026, 12, 31, 23, 30, 0);
    ExpectDate(TDateTime::Add("N", 45, eve), 2027, 1, 1, 0, 15, 0);
    ExpectDate(TDateTime::Add("S", 59, Date(2026, 5, 1, 10, 59, 59)), 2026, 5, 1, 11, 0, 58);
    ExpectDate(TDateTime::Add("S", -60, Date(2026, 5, 1, 12, 0, 0)), 2026, 5, 1, 11, 59,
               0);  // a whole unit back
    ExpectDate(TDateTime::Add("X", 5, eve), 2026, 12, 31, 23, 30, 0);
}

TEST(DateTimeTest, DayNumbersRoundTripOverFourCenturies) {
    TDateTime date = Date(1800, 1, 1);
    int j = TDateTime::Conv_Date2Julian(date);
    EXPECT_EQ(TDateTime::Conv_Date2Julian(Date(2000, 1, 1)), 2451545);
    for (int k = 0; k < 146097 * 1 + 400; k += 13) {
        TDateTime back;
        TDateTime::Conv_Julian2Date(j + k, back);
        ASSERT_EQ(TDateTime::Conv_Date2Julian(back), j + k);
        ASSERT_GE(back.Day, 1);
        ASSERT_LE(back.Day, TDateTime::DaysInMonth(back.Year, back.Month));
    }
}

TEST(DateTimeTest, WeekDaysDifferencesOrderingAndTexts) {
    EXPECT_EQ(TDateTime::WeekDay(Date(1900, 1, 1)), 1);
    EXPECT_EQ(TDateTime::WeekDay(Date(2100, 3, 1)), 1);
    TDateTime a = Date(2026, 3, 1, 12, 0, 0);
    TDateTime b = Date(2026, 2, 27, 11, 30, 15);
    EXPECT_EQ(TDateTime::Diff("D", a, b), -2);
    EXPECT_EQ(TDateTime::Diff("M", Date(2025, 11, 30), Date(2026, 2, 1)), 3);
    EXPECT_EQ(TDateTime::Diff("S", b, a), 2 * 86400 + 29 * 60 + 45);
    EXPECT_EQ(TDateTime::Diff("D", Date(2100, 2, 28), Date(2100, 3, 1)), 1);

    EXPECT_TRUE(b < Date(2026, 3, 1, 11, 59, 59) && Date(2026, 3, 1, 11, 59, 59) < a);
    TDateTime date = Date(2026, 3, 5, 7, 4, 9);
    EXPECT_EQ(TDateTime::Get_String(date, "DDDD D MMMM YYYY"), "Thursday 5 March 2026");
    EXPECT_EQ(TDateTime::Get_String(date, "H:N:S"), "7:4:9");
    EXPECT_EQ(TDateTime::Get_String(date, "YYY-MMMMM|"), "-|");
    TDateTime parsed;
    parsed.Set_DateFromText("06 Dec 2026");
    parsed.Set_TimeFromText("21:47:10");
    ExpectDate(parsed, 2026, 12, 6, 21, 47, 10);
    parsed.Set_DateFromText("01 Xyz 1999");
    EXPECT_EQ(parsed.Month, 1) << "an unknown month falls back to January";
}
