// Cutting, padding, number formatting, line splitting and text decoding: edge cases that would garble
// what the player reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StringUtils.h"

TEST(StringUtilsTest, CuttingAndPaddingCountCharactersAndNeverLoop) {
    EXPECT_EQ(Mid("hello", 4, 10), "lo");
    EXPECT_EQ(Mid("hello", 0, 2), "h");
    EXPECT_EQ(SafeMid("hello", 3, -1), "");
    EXPECT_EQ(Mid("Zoë!", 3, 2), "ë!");
    EXPECT_EQ(PadLeft("ab", 5, "xy"), "xyxyab") << "reached or passed";
    EXPECT_EQ(PadLeft("ab", 5, ""), "ab");
    EXPECT_EQ(PadRight("ab", 5, ""), "ab");
    EXPECT_EQ(PadRight("é", 3, "."), "é..") << "length counts characters";
}
TEST(StringUtilsTest, NumbersAsText) {
    EXPECT_EQ(FormatDecimal(-0.05, 2), "-0.05");
    EXPECT_EQ(FormatDecimal(-12.25, 1), "-12.2");
    EXPECT_EQ(FormatDecimal(-0.001, 2), "0.00") << "no minus sign on a zero";
    EXPECT_EQ(ToInt("-17x"), -17);
    EXPECT_EQ(ToInt("loud"), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), ToInt("99999999999999999999")) << "no overflow trap";
    EXPECT_EQ(Time12Hour("00:10:00"), "12:10:00am");
    int minutes = 0, seconds = 0;
    SplitMinutesSeconds(-61000, minutes, seconds);
    EXPECT_EQ(minutes, -1);
    EXPECT_EQ(seconds, -1);
}
TEST(StringUtilsTest, SplitLinesKeepsEmptyLinesAndDropsOnlyTheFinalLf) {
    EXPECT_EQ(SplitLines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(SplitLines("\n"), (std::vector<std::string>{""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("a\rb\r\n"), (std::vector<std::string>{"a\rb"})) << "only a CR before LF is dropped";
}
TEST(StringUtilsTest, DecodeTextHandlesMarksAndBrokenBytes) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFok"), "ok");
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80") << "surrogate pair";
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x3D\xD8", 4)), "\xEF\xBF\xBD") << "lone surrogate";
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE"
                                     "a",
                                     3)),
              "")
        << "odd trailing byte";
    EXPECT_EQ(DecodeText("\xC3"), "\xC3\x83") << "truncated UTF-8 read as Latin-1";
}

TEST(StringUtilsTest, UpperFirstRaisesAnAccentedFirstLetterAndLeavesTheRest) {
    const struct {
        std::string in, out;
    } rows[] = {
        {"élodie", "Élodie"},
        {"bob", "Bob"},
        {"àþ", "Àþ"},
        {"þor", "Þor"},
        {"ÿves", "Ÿves"},
        {"ōsaka", "Ōsaka"},
        {"łódź", "Łódź"},
        {"ňa", "Ňa"},
        {"ŋa", "Ŋa"},
        {"žofie", "Žofie"},
        {"źdź", "Źdź"},
        {"ıa", "Ia"},
        {"÷2", "÷2"},
        {"ßa", "ßa"},
        {"ĸa", "ĸa"},
        {"ŉa", "ŉa"},
        {"Élodie", "Élodie"},
        {"1a", "1a"},
        {"", ""},
        {"€a", "€a"},
        {"\xc3", "\xc3"},
        {"\xc1\xa1", "\xc1\xa1"},
        {"éé", "Éé"},
    };
    for (const auto& row : rows) EXPECT_EQ(UpperFirst(row.in), row.out) << row.in;
    // 31 lower-case letters in Latin-1 and 62 in Latin Extended-A (ĸ, ŉ and ſ have no single upper
    // case); an upper-case letter stays.
    int changed = 0;
    for (char32_t c = 0xC0; c <= 0x17F; ++c) {
        const char32_t up = UpperLetter(c);
        if (up != c) ++changed;
        EXPECT_EQ(UpperLetter(up), up) << std::hex << unsigned(c);
    }
    EXPECT_EQ(changed, 93);
    EXPECT_EQ(UpperLetter(0x101), char32_t(0x100));
    EXPECT_EQ(UpperLetter(0x13A), char32_t(0x139));
    EXPECT_EQ(UpperLetter(0x17E), char32_t(0x17D));
    EXPECT_EQ(UpperLetter(0x100), char32_t(0x100));
}
