// Calendar arithmetic. Day numbers use the Gregorian Julian-day formulas with floor division,
// so every century rule holds; months and years are added on a month count and the day is
// clamped to the new month's length.
#include "core/DateTime.h"

#include <algorithm>
#include <iostream>

#include "core/StringUtils.h"
#include "platform/System.h"

int DateLanguage = lngEnglish;

const char* const ShortMonthNames[2][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Janv", "F vr", "Mars", "Avr", "Mai", "Juin", "Juil", "Ao t", "Sept", "Oct", "Nov", "D c"}};
const char* const LongMonthNames[2][12] = {{"January", "February", "March", "April", "May", "June", "July",
                                            "August", "September", "October", "November", "December"},
                                           {"Janvier", "F vrier", "Mars", "Avril", "Mai", "Juin", "Juillet",
                                            "Ao t", "Septembre", "Octobre", "Novembre", "D cembre"}};
const char* const ShortDayNames[2][7] = {{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
                                         {"Dim", "Lun", "Mar", "Mer", "Jeu", "Ven", "Sam"}};
const char* const LongDayNames[2][7] = {
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"}};

namespace {

long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
long long FloorMod(long long a, long long b) {
    return a - FloorDiv(a, b) * b;
}

int Language() {
    return DateLanguage == lngFrench ? lngFrench : lngEnglish;
}

int SecondsOfDay(const TDateTime& d) {
    return d.Hour * 3600 + d.Minute * 60 + d.Second;
}

// Adds amount to a time field of unit size, carrying whole units into the next larger interval.
TDateTime AddWithCarry(TDateTime result, int TDateTime::*field, long long amount, int unit,
                       const char* larger) {
    long long total = result.*field + amount;
    result.*field = static_cast<int>(FloorMod(total, unit));
    long long carry = FloorDiv(total, unit);
    return carry == 0 ? result : TDateTime::Add(larger, static_cast<int>(carry), result);
}

std::string MonthFromTable(const std::string& key, const char* const table[12]) {
    std::string::size_type at = std::string(MonthList).find(key);
    if (key.size() != 3 || at == std::string::npos || at % 3 != 0) return "";
    return table[at / 3];
}

constexpr const char* kFrenchMonths[12] = {"Janv", "F vr", "Mars", "Avr", "Mai", "Juin",
                                           "Juil", "Ao t", "Sept", "Oct", "Nov", "D c"};
constexpr const char* kGermanMonths[12] = {"Jan",  "Feb", "M rz", "April", "Mai", "Juni",
                                           "Juli", "Aug", "Sept", "Okt",   "Nov", "Dez"};
constexpr const char* kSpanishMonths[12] = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                            "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};

std::string TranslateDate(const std::string& date, std::string (*month)(const std::string&)) {
    return Mid(date, 1, 3) + month(Upper(Mid(date, 4, 3))) + Mid(date, 7, 5);
}

}  // namespace

void TDateTime::Set_DateSerial(int y, int m, int d) {
    Year = y;
    Month = m;
    Day = d;
}

void TDateTime::Set_TimeSerial(int h, int n, int s) {
    Hour = h;
    Minute = n;
    Second = s;
}

void TDateTime::Set_DateTimeSerial(int y, int m, int d, int h, int n, int s) {
    Set_TimeSerial(h, n, s);
    Set_DateSerial(y, m, d);
}

void TDateTime::Set_DateFromText(const std::string& date) {
    Day = ToInt(Mid(date, 1, 2));
    int at = static_cast<int>(std::string(MonthList).find(Upper(Mid(date, 4, 3))));
    // Not found counts as position 0, which the formula turns into January.
    Month = ((at < 0 ? 0 : at + 1) - 1) / 3 + 1;
    int length = static_cast<int>(date.size());
    Year = ToInt(Mid(date, length - 3, 4));
}

void TDateTime::Set_TimeFromText(const std::string& time) {
    Hour = ToInt(Mid(time, 1, 2));
    Minute = ToInt(Mid(time, 4, 2));
    Second = ToInt(Mid(time, 7, 2));
}

void TDateTime::Set_DateCurrent() {
    Set_DateFromText(CurrentDate());
}
void TDateTime::Set_TimeCurrent() {
    Set_TimeFromText(CurrentTime());
}

void TDateTime::Set_DateTimeCurrent() {
    Set_DateCurrent();
    Set_TimeCurrent();
}

int TDateTime::compare(const TDateTime& other) const {
    int days = Conv_Date2Julian(*this) - Conv_Date2Julian(other);
    return days != 0 ? days : SecondsOfDay(*this) - SecondsOfDay(other);
}

int TDateTime::Conv_Date2Julian(const TDateTime& date) {
    long long y = date.Year, m = date.Month, d = date.Day;
    long long a = FloorDiv(14 - m, 12);
    long long yy = y + 4800 - a;
    long long mm = m + 12 * a - 3;
    return static_cast<int>(d + FloorDiv(153 * mm + 2, 5) + 365 * yy + FloorDiv(yy, 4) - FloorDiv(yy, 100) +
                            FloorDiv(yy, 400) - 32045);
}

void TDateTime::Conv_Julian2Date(int j, TDateTime& date) {
    long long a = static_cast<long long>(j) + 32044;
    long long b = FloorDiv(4 * a + 3, 146097);
    long long c = a - FloorDiv(146097 * b, 4);
    long long d = FloorDiv(4 * c + 3, 1461);
    long long e = c - FloorDiv(1461 * d, 4);
    long long m = FloorDiv(5 * e + 2, 153);
    date.Day = static_cast<int>(e - FloorDiv(153 * m + 2, 5) + 1);
    date.Month = static_cast<int>(m + 3 - 12 * FloorDiv(m, 10));
    date.Year = static_cast<int>(100 * b + d - 4800 + FloorDiv(m, 10));
}

int TDateTime::WeekDay(const TDateTime& date) {
    long long m = date.Month, y = date.Year;
    if (m < 3) {
        m += 12;
        y -= 1;
    }
    long long sum =
        date.Day + FloorDiv(13 * m - 27, 5) + y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400);
    return static_cast<int>(FloorMod(sum, 7));
}

int TDateTime::DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

TDateTime TDateTime::Add(const std::string& interval, int amount, const TDateTime& date) {
    TDateTime result = date;
    if (interval == "Y" || interval == "M") {
        long long months = static_cast<long long>(result.Year) * 12 + (result.Month - 1) +
                           (interval == "Y" ? 12LL * amount : amount);
        result.Year = static_cast<int>(FloorDiv(months, 12));
        result.Month = static_cast<int>(FloorMod(months, 12)) + 1;
        result.Day = std::min(result.Day, DaysInMonth(result.Year, result.Month));
    } else if (interval == "D") {
        Conv_Julian2Date(Conv_Date2Julian(result) + amount, result);
    } else if (interval == "H") {
        return AddWithCarry(result, &TDateTime::Hour, amount, 24, "D");
    } else if (interval == "N") {
        return AddWithCarry(result, &TDateTime::Minute, amount, 60, "H");
    } else if (interval == "S") {
        return AddWithCarry(result, &TDateTime::Second, amount, 60, "N");
    }
    return result;
}

int TDateTime::Diff(const std::string& interval, const TDateTime& from, const TDateTime& to) {
    int days = Conv_Date2Julian(to) - Conv_Date2Julian(from);
    if (interval == "Y") return to.Year - from.Year;
    if (interval == "M") return (to.Year - from.Year) * 12 + (to.Month - from.Month);
    if (interval == "D") return days;
    if (interval == "H") return days * 24 + (to.Hour - from.Hour);
    if (interval == "N") return days * 1440 + (to.Hour * 60 + to.Minute) - (from.Hour * 60 + from.Minute);
    if (interval == "S") return days * 86400 + SecondsOfDay(to) - SecondsOfDay(from);
    return 0;
}

std::string TDateTime::Get_String_Parser_Formater(int n, int width) {
    std::string text = std::to_string(n);
    if (static_cast<int>(text.size()) > width) return text.substr(text.size() - width);
    return PadZeros(text, width);
}

std::string TDateTime::Get_String_Parser(const TDateTime& date, char c, int count) {
    auto number = [count](int n) {
        if (count == 1) return std::to_string(n);
        if (count == 2) return Get_String_Parser_Formater(n, 2);
        return std::string();
    };
    int language = Language();
    switch (c) {
        case 'Y':
            return count == 2 || count == 4 ? Get_String_Parser_Formater(date.Year, count) : "";
        case 'M':
            if (count == 3 || count == 4) {
                if (date.Month < 1 || date.Month > 12) return "";
                return (count == 3 ? ShortMonthNames : LongMonthNames)[language][date.Month - 1];
            }
            return number(date.Month);
        case 'D':
            if (count == 3 || count == 4)
                return (count == 3 ? ShortDayNames : LongDayNames)[language][WeekDay(date)];
            return number(date.Day);
        case 'H':
            return number(date.Hour);
        case 'N':
            return number(date.Minute);
        case 'S':
            return number(date.Second);
        default:
            return std::string(static_cast<std::size_t>(count), c);
    }
}

std::string TDateTime::Get_String(const TDateTime& date, const std::string& format) {
    std::string text;
    std::size_t i = 0;
    while (i < format.size()) {
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == format[i]) ++run;
        text += Get_String_Parser(date, format[i], static_cast<int>(run));
        i += run;
    }
    return text;
}

std::string TDateTime::Debug_PrintDate() const {
    std::string text = std::to_string(Year) + "/" + std::to_string(Month) + "/" + std::to_string(Day) + "  " +
                       std::to_string(Hour) + ":" + std::to_string(Minute) + ":" + std::to_string(Second);
    std::cout << text << '\n';
    return text;
}

std::string FrenchMonth(const std::string& key) {
    return MonthFromTable(key, kFrenchMonths);
}
std::string GermanMonth(const std::string& key) {
    return MonthFromTable(key, kGermanMonths);
}
std::string SpanishMonth(const std::string& key) {
    return MonthFromTable(key, kSpanishMonths);
}

std::string DateToFrench(const std::string& date) {
    return TranslateDate(date, FrenchMonth);
}
std::string DateToGerman(const std::string& date) {
    return TranslateDate(date, GermanMonth);
}
std::string DateToSpanish(const std::string& date) {
    return TranslateDate(date, SpanishMonth);
}
