// Small text helpers used across the program: case, separators, padding, number formatting,
// line splitting and decoding of text files. Strings are UTF-8; Upper and Lower touch ASCII letters
// only (keys and file names), so multi-byte characters pass through unchanged.
// Used throughout the core, the presentation layer and the game.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

std::string Upper(const std::string& s);
std::string Lower(const std::string& s);
// The upper-case letter of a lower-case one of ASCII, Latin-1 and Latin Extended-A (a name's letters);
// any other code point unchanged.
char32_t UpperLetter(char32_t c);
// s with its first character through UpperLetter, whatever its length in bytes; the rest unchanged.
std::string UpperFirst(const std::string& s);
// The UTF-8 bytes of one code point.
std::string EncodeUtf8(char32_t c);
// Byte length of s without its last UTF-8 character (continuation bytes belong to it); 0 for "".
std::size_t WithoutLastChar(const std::string& s);
// Blanks, tabs, CR and LF removed from both ends.
std::string Trim(const std::string& s);

// s enclosed in two double-quote characters.
std::string Quote(const std::string& s);
// path + "/" unless it already ends in "/" or a backslash.
std::string AddTrailingSlash(const std::string& path);

// Text before the first sep (all of s when absent) and after it ("" when absent).
std::string BeforeSeparator(const std::string& s, const std::string& sep);
std::string AfterSeparator(const std::string& s, const std::string& sep);
std::string BeforeComma(const std::string& s);
std::string IniLineName(const std::string& s);
std::string IniLineValue(const std::string& s);
// Returns the text before the first sep and leaves s holding the text after it; with no sep
// returns all of s and leaves s empty.
std::string SplitFirst(std::string& s, const std::string& sep);

// Mid with 1-based pos: up to count characters from pos; "" when count < 0. Out-of-range
// positions are clipped as the platform's Mid clips them.
std::string Mid(const std::string& s, int pos, int count);
std::string SafeMid(const std::string& s, int pos, int count);

// Prepend or append pad until the length is reached or passed; an empty pad leaves s unchanged.
std::string PadLeft(const std::string& s, int length, const std::string& pad);
std::string PadRight(const std::string& s, int length, const std::string& pad);
std::string PadZeros(const std::string& s, int length);

// "+7", "0", "-3".
std::string SignedNumber(int n);
// value rounded to places decimals: "0.05", "12.50", "-0.05".
std::string FormatDecimal(double value, int places);
// "13:05:00" -> "1:05:00pm", "00:10:00" -> "12:10:00am".
std::string Time12Hour(const std::string& time);
void SplitMinutesSeconds(int milliseconds, int& minutes, int& seconds);

// The platform's string-to-integer conversion: optional blanks and sign, then digits; text that
// is no number reads as 0.
int ToInt(const std::string& s);

// Lines split at LF, a CR before the LF dropped; a final line without LF kept, nothing after a
// final LF, empty lines kept.
std::vector<std::string> SplitLines(const std::string& text);

// Decodes a text file's bytes to UTF-8: a UTF-8 byte-order mark is stripped, a UTF-16 (LE or BE)
// mark selects UTF-16; without a mark, valid UTF-8 stays as it is and anything else is read as
// 8-bit characters (Latin-1).
std::string DecodeText(const std::string& bytes);
