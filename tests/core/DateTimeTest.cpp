// Calendar arithmetic around month ends, leap days and century years, and the formatting.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

// Each case: interval, amount, start, expected result.
TEST(DateTimeTest, AddingCarriesAndClampsAcrossMonthYearAndCenturyEnds) {
    struct Case {
        const char* interval;
        int amount;
        TDateTime from, to;
    };
    const TDateTime nov = Date(2026, 11, 15), eve = Date(2026, 12, 31, 23, 30, 0);
    const Case cases[] = {
        {"M", 1, nov, Date(2026, 12, 15)},
        {"M", 2, nov, Date(2027, 1, 15)},
        {"M", 12, nov, Date(2027, 11, 15)},
        {"M", 26, nov, Date(2029, 1, 15)},
        {"M", 1, Date(2026, 1, 31), Date(2026, 2, 28)},  // the day is clamped to the month
        {"M", 1, Date(2024, 1, 31), Date(2024, 2, 29)},
        {"M", 1, Date(2100, 1, 31), Date(2100, 2, 28)},
        {"M", 1, Date(2000, 1, 31), Date(2000, 2, 29)},
        {"M", 3, Date(2026, 12, 31), Date(2027, 3, 31)},
        {"Y", 1, Date(2024, 2, 29), Date(2025, 2, 28)},
        {"D", 1, Date(2026, 12, 31), Date(2027, 1, 1)},
        {"D", 1, Date(1900, 2, 28), Date(1900, 3, 1)},
        {"D", 1, Date(2000, 2, 28), Date(2000, 2, 29)},
        {"D", 1, Date(2100, 2, 28), Date(2100, 3, 1)},
        {"D", -1, Date(2100, 3, 1), Date(2100, 2, 28)},
        {"D", 36524, Date(1900, 1, 1), Date(2000, 1, 1)},  // 1900 is no leap year
        {"S", 3600, eve, Date(2027, 1, 1, 0, 30, 0)},
        {"N", 45, eve, Date(2027, 1, 1, 0, 15, 0)},
        {"H", 49, eve, Date(2027, 1, 3, 0, 30, 0)},
        {"S", 59, Date(2026, 5, 1, 10, 59, 59), Date(2026, 5, 1, 11, 0, 58)},
        {"X", 5, eve, eve},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.interval << " " << c.amount << " from "
                                        << TDateTime::Get_String(c.from, "YYYY-MM-DD HH:NN:SS"));
        const TDateTime to = c.to;
        ExpectDate(TDateTime::Add(c.interval, c.amount, c.from), to.Year, to.Month, to.Day, to.Hour, to.Minute,
                   to.Second);
    }
    ExpectDate(nov, 2026, 11, 15);  // the argument is unchanged
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

TEST(DateTimeTest, WeekDaysAcrossCenturies) {
    EXPECT_EQ(TDateTime::WeekDay(Date(2000, 1, 1)), 6);
    EXPECT_EQ(TDateTime::WeekDay(Date(1900, 1, 1)), 1);
    EXPECT_EQ(TDateTime::WeekDay(Date(2100, 3, 1)), 1);
    EXPECT_EQ(TDateTime::WeekDay(Date(2026, 12, 6)), 0);
}

TEST(DateTimeTest, DifferencesAndOrdering) {
    TDateTime a = Date(2026, 3, 1, 12, 0, 0);
    TDateTime b = Date(2026, 2, 27, 11, 30, 15);
    EXPECT_EQ(TDateTime::Diff("D", a, b), -2);
    EXPECT_EQ(TDateTime::Diff("D", b, a), 2);
    EXPECT_EQ(TDateTime::Diff("M", Date(2025, 11, 30), Date(2026, 2, 1)), 3);
    EXPECT_EQ(TDateTime::Diff("Y", Date(1999, 12, 31), Date(2000, 1, 1)), 1);
    EXPECT_EQ(TDateTime::Diff("H", b, a), 48 + 1);
    EXPECT_EQ(TDateTime::Diff("N", b, a), 2 * 1440 + 30);
    EXPECT_EQ(TDateTime::Diff("S", b, a), 2 * 86400 + 29 * 60 + 45);
    EXPECT_EQ(TDateTime::Diff("Q", a, b), 0);
    EXPECT_EQ(TDateTime::Diff("D", Date(2100, 2, 28), Date(2100, 3, 1)), 1);

    std::vector<TDateTime> dates = {a, b, Date(2026, 3, 1, 11, 59, 59)};
    std::sort(dates.begin(), dates.end());
    EXPECT_EQ(dates[0].Day, 27);
    EXPECT_EQ(dates[1].Hour, 11);
    EXPECT_EQ(dates[2].Hour, 12);
    EXPECT_EQ(a.compare(a), 0);
}

TEST(DateTimeTest, FormattingRuns) {
    TDateTime date = Date(2026, 3, 5, 7, 4, 9);
    EXPECT_EQ(TDateTime::Get_String(date, "DD/MM/YYYY"), "05/03/2026");
    EXPECT_EQ(TDateTime::Get_String(date, "D.M.YY"), "5.3.26");
    EXPECT_EQ(TDateTime::Get_String(date, "DDDD D MMMM YYYY"), "Thursday 5 March 2026");
    EXPECT_EQ(TDateTime::Get_String(date, "DDD MMM"), "Thu Mar");
    EXPECT_EQ(TDateTime::Get_String(date, "HH:NN:SS"), "07:04:09");
    EXPECT_EQ(TDateTime::Get_String(date, "H:N:S"), "7:4:9");
    EXPECT_EQ(TDateTime::Get_String(date, "YYY-MMMMM|"), "-|");
    EXPECT_EQ(TDateTime::Get_String(Date(5, 1, 1), "YYYY"), "0005");
    EXPECT_EQ(TDateTime::Get_String_Parser_Formater(12345, 2), "45");
}

TEST(DateTimeTest, PlatformTextsAreParsed) {
    TDateTime date;
    date.Set_DateFromText("06 Dec 2026");
    date.Set_TimeFromText("21:47:10");
    ExpectDate(date, 2026, 12, 6, 21, 47, 10);
    date.Set_DateFromText("01 jan 1999");
    EXPECT_EQ(date.Month, 1);
    date.Set_DateFromText("01 Xyz 1999");
    EXPECT_EQ(date.Month, 1) << "an unknown month falls back to January";
    date.Set_DateCurrent();
    EXPECT_GE(date.Year, 2000);
    EXPECT_GE(date.Month, 1);
    EXPECT_LE(date.Month, 12);
}

TEST(DateTimeTest, MonthTranslations) {
    EXPECT_EQ(DateToFrench("06 Dec 2026"), "06 D c 2026");
    EXPECT_EQ(DateToGerman("06 Mar 2026"), "06 M rz 2026");
    EXPECT_EQ(DateToSpanish("06 Jan 2026"), "06 Ene 2026");
    EXPECT_EQ(FrenchMonth("AUG"), "Ao t");
    EXPECT_EQ(GermanMonth("ANF"), "") << "a key spanning two months is no month";
    EXPECT_EQ(SpanishMonth("dec"), "");
}
