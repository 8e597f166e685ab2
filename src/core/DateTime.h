// TDateTime: the calendar date and time of the framework, with arithmetic, differences and
// formatting, plus the month and weekday name tables and the month-name translations of the
// platform's date text ("06 Dec 2026").
//
// Day numbers follow the proleptic Gregorian calendar (the usual Julian day numbers), so
// arithmetic stays right across century years such as 1900 and 2100.
//
// Part of the framework's utility library; nothing in this game uses it (its tests do).
#pragma once

#include <string>

inline constexpr const char* MonthList = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
inline constexpr int lngEnglish = 0;
inline constexpr int lngFrench = 1;

// Language of the name tables; English, and nothing changes it.
extern int DateLanguage;

// Name tables, index 0 = January or Sunday; [language][index].
extern const char* const ShortMonthNames[2][12];
extern const char* const LongMonthNames[2][12];
extern const char* const ShortDayNames[2][7];
extern const char* const LongDayNames[2][7];

class TDateTime {
  public:
    int Year = 0;
    int Month = 0;   // 1-12
    int Day = 0;     // 1-31
    int Hour = 0;    // 0-23
    int Minute = 0;  // 0-59
    int Second = 0;  // 0-59

    static TDateTime Create() { return {}; }

    void Set_DateSerial(int y, int m, int d);
    void Set_TimeSerial(int h, int n, int s);
    void Set_DateTimeSerial(int y, int m, int d, int h, int n, int s);
    // From the platform's CurrentDate() ("06 Dec 2026") and CurrentTime() ("21:47:10") texts.
    void Set_DateCurrent();
    void Set_TimeCurrent();
    void Set_DateTimeCurrent();
    // The same from given texts of those shapes.
    void Set_DateFromText(const std::string& date);
    void Set_TimeFromText(const std::string& time);

    void Copy(TDateTime& target) const { target = *this; }

    // Day difference to other; when equal, the difference of the seconds of the day.
    int compare(const TDateTime& other) const;
    bool operator<(const TDateTime& other) const { return compare(other) < 0; }

    // Day number of the date (Gregorian), and the date of a day number written into date.
    static int Conv_Date2Julian(const TDateTime& date);
    static void Conv_Julian2Date(int j, TDateTime& date);
    // 0 = Sunday ... 6 = Saturday.
    static int WeekDay(const TDateTime& date);
    static int DaysInMonth(int year, int month);

    // A new date, interval "Y", "M", "D", "H", "N" (minutes) or "S" later by amount; any other
    // interval gives the date unchanged. Months and years keep the day within the month's length
    // (31 January + 1 month is 28 or 29 February).
    static TDateTime Add(const std::string& interval, int amount, const TDateTime& date);
    // to - from in whole units of the interval ("Y", "M", "D", "H", "N", "S"); 0 for any other.
    static int Diff(const std::string& interval, const TDateTime& from, const TDateTime& to);

    // Formatted text: runs of Y (2 or 4), M (1-4), D (1-4), H, N, S (1 or 2) are replaced, other
    // runs kept as they are; "DD/MM/YYYY" gives "05/03/2026".
    static std::string Get_String(const TDateTime& date, const std::string& format);
    static std::string Get_String_Parser(const TDateTime& date, char c, int count);
    static std::string Get_String_Parser_Formater(int n, int width);

    // "Year/Month/Day  Hour:Minute:Second" without leading zeros, printed and returned.
    std::string Debug_PrintDate() const;
};

// Month names for the platform's date text; the key is the upper-cased English abbreviation.
std::string FrenchMonth(const std::string& key);
std::string GermanMonth(const std::string& key);
std::string SpanishMonth(const std::string& key);
// The platform's date text with its month abbreviation translated.
std::string DateToFrench(const std::string& date);
std::string DateToGerman(const std::string& date);
std::string DateToSpanish(const std::string& date);
