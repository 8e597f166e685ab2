// Text, number, ini-line, array and geometry helpers whose edge cases could hide real faults.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "core/ArrayUtils.h"
#include "core/FileUtils.h"
#include "core/MathUtils.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"
#include "support/TestEnv.h"

TEST(StringUtilsTest, SeparatorsAndSlashes) {
    EXPECT_EQ(AddTrailingSlash("a/b"), "a/b/");
    EXPECT_EQ(AddTrailingSlash("a/b/"), "a/b/");
    EXPECT_EQ(AddTrailingSlash("a\\"), "a\\");
    EXPECT_EQ(AddTrailingSlash(""), "/");
    EXPECT_EQ(BeforeSeparator("no sep", ","), "no sep");
    EXPECT_EQ(AfterSeparator("no sep", ","), "");
    EXPECT_EQ(IniLineName("X=a=b"), "X");
    EXPECT_EQ(IniLineValue("X=a=b"), "a=b");
    std::string rest = "one,two,three";
    EXPECT_EQ(SplitFirst(rest, ","), "one");
    EXPECT_EQ(rest, "two,three");
    rest = "single";
    EXPECT_EQ(SplitFirst(rest, ","), "single");
    EXPECT_EQ(rest, "");
}

TEST(StringUtilsTest, MidCountsCharactersAndClips) {
    EXPECT_EQ(Mid("hello", 2, 3), "ell");
    EXPECT_EQ(Mid("hello", 4, 10), "lo");
    EXPECT_EQ(Mid("hello", 0, 2), "h");
    EXPECT_EQ(Mid("hello", 3, -1), "llo");
    EXPECT_EQ(SafeMid("hello", 3, -1), "");
    EXPECT_EQ(Mid("Zoë!", 3, 2), "ë!");
}

TEST(StringUtilsTest, PaddingStopsAtTheLengthAndIgnoresAnEmptyPad) {
    EXPECT_EQ(PadZeros("123", 2), "123");
    EXPECT_EQ(PadZeros("7", 3), "007");
    EXPECT_EQ(PadLeft("ab", 5, "xy"), "xyxyab") << "reached or passed";
    EXPECT_EQ(PadRight("ab", 3, "-"), "ab-");
    EXPECT_EQ(PadLeft("ab", 5, ""), "ab");
    EXPECT_EQ(PadRight("ab", 5, ""), "ab");
    EXPECT_EQ(PadRight("é", 3, "."), "é..") << "length counts characters";
}

TEST(StringUtilsTest, NumbersAsText) {
    EXPECT_EQ(SignedNumber(0), "0");
    EXPECT_EQ(SignedNumber(7), "+7");
    EXPECT_EQ(SignedNumber(-3), "-3");
    EXPECT_EQ(FormatDecimal(0.05, 2), "0.05");
    EXPECT_EQ(FormatDecimal(0.004, 2), "0.00");
    EXPECT_EQ(FormatDecimal(12.5, 2), "12.50");
    EXPECT_EQ(FormatDecimal(3.7, 0), "4");
    EXPECT_EQ(FormatDecimal(-0.05, 2), "-0.05");
    EXPECT_EQ(FormatDecimal(-12.25, 1), "-12.2");
    EXPECT_EQ(FormatDecimal(-0.001, 2), "0.00") << "no minus sign on a zero";
    EXPECT_EQ(ToInt("  42"), 42);
    EXPECT_EQ(ToInt("-17x"), -17);
    EXPECT_EQ(ToInt("loud"), 0);
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), ToInt("99999999999999999999")) << "no overflow trap";
}

TEST(StringUtilsTest, TwelveHourTimes) {
    EXPECT_EQ(Time12Hour("13:05:00"), "1:05:00pm");
    EXPECT_EQ(Time12Hour("00:10:00"), "12:10:00am");
    EXPECT_EQ(Time12Hour("12:30:00"), "12:30:00pm");
    EXPECT_EQ(Time12Hour("09:00:00"), "9:00:00am");
    int minutes = 0, seconds = 0;
    SplitMinutesSeconds(125999, minutes, seconds);
    EXPECT_EQ(minutes, 2);
    EXPECT_EQ(seconds, 5);
    SplitMinutesSeconds(-61000, minutes, seconds);
    EXPECT_EQ(minutes, -1);
    EXPECT_EQ(seconds, -1);
}

TEST(StringUtilsTest, SplitLinesKeepsEmptyLinesAndDropsOnlyTheFinalLf) {
    EXPECT_EQ(SplitLines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(SplitLines("a\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitLines("\n"), (std::vector<std::string>{""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("a\rb\r\n"), (std::vector<std::string>{"a\rb"})) << "only a CR before LF is dropped";
}

TEST(StringUtilsTest, DecodeTextHandlesMarksAndBrokenBytes) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFok"), "ok");
    EXPECT_EQ(DecodeText("\xFF\xFE"), "");
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80") << "surrogate pair";
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x3D\xD8", 4)), "\xEF\xBF\xBD") << "lone surrogate";
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE" "a", 3)), "") << "odd trailing byte";
    EXPECT_EQ(DecodeText("\xC3"), "\xC3\x83") << "truncated UTF-8 read as Latin-1";
    EXPECT_EQ(Upper("straße"), "STRAßE");
}

TEST(FileUtilsTest, ReadIniValueMatchesNamesInAnyCaseWithoutWriteAccess) {
    testenv::TempDir dir;
    std::string path = dir.Str() + "s.ini";
    testenv::WriteFile(path, "FULL SCREEN=1\r\nprofile name=Ada=Lovelace\r\n");
    EXPECT_EQ(ReadIniValue(path, "Profile Name"), "Ada=Lovelace");
    EXPECT_EQ(ReadIniValue(path, "Missing"), "");
    EXPECT_EQ(ReadIniValue(dir.Str() + "none.ini", "x"), "");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // no write access needed
    EXPECT_EQ(ReadIniValue(path, "full screen"), "1");
}

TEST(FileUtilsTest, CopyIniWithValueReplacesButNeverAdds) {
    testenv::TempDir dir;
    testenv::WriteFile(dir.Path() / "src.ini", "A=1\nprofile name=old\nB=2");
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "dst.ini", "Profile Name", "new"), 1);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "dst.ini"), "A=1\r\nPROFILE NAME=new\r\nB=2\r\n");
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "dst.ini", "Absent", "x"), 1);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "dst.ini"), "A=1\r\nprofile name=old\r\nB=2\r\n");
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "none.ini", dir.Str() + "dst.ini", "A", "x"), 0);
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "no/dst.ini", "A", "x"), 0);
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "dst.ini", "A", "x\r\nB=evil"), 1);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "dst.ini"), "A=x  B=evil\r\nprofile name=old\r\nB=2\r\n");
}

TEST(FileUtilsTest, IniLinesToStreams) {
    std::ostringstream out;
    WriteIniString(out, "Name", "v");
    WriteIniInt(out, "count", -4);
    EXPECT_EQ(out.str(), "NAME=v\r\nCOUNT=-4\r\n");
}

TEST(FileUtilsTest, SectionReaders) {
    std::vector<std::string> lines = {"[A]", "x", "", "y", "[B]", "z"};
    std::size_t index = 1;
    EXPECT_EQ(ReadSectionLines(lines, index), (std::vector<std::string>{"x", "", "y"}));
    EXPECT_EQ(index, 4u);
    index = 5;
    EXPECT_EQ(ReadSectionLines(lines, index), (std::vector<std::string>{"z"}));
    EXPECT_EQ(index, 6u);
    EXPECT_TRUE(ReadSectionLines(lines, index).empty());

    std::istringstream stream("one\r\ntwo\n[NEXT]\nthree\nlast");
    std::string line;
    EXPECT_EQ(ReadStreamSection(stream, line), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(line, "[NEXT]");
    EXPECT_EQ(ReadStreamSection(stream, line), (std::vector<std::string>{"three", "last"}));
    EXPECT_EQ(line, "last");
    EXPECT_TRUE(ReadStreamSection(stream, line).empty());
    EXPECT_EQ(line, "");

    std::istringstream pair("first\r\nsecond\r\n");
    std::string second;
    EXPECT_EQ(ReadLinePair(pair, second), "first");
    EXPECT_EQ(second, "second");
}

TEST(FileUtilsTest, AppFileNoDebug) {
    EXPECT_EQ(AppFileNoDebug("C:/Games/Numora.debug.exe"), "C:/Games/Numora.exe");
    EXPECT_EQ(AppFileNoDebug("/opt/numora/SudokuNumora"), "/opt/numora/SudokuNumora");
    EXPECT_EQ(AppFileNoDebug("x"), "x");
}

TEST(MathUtilsTest, FrameFromTimeClampsAndNeverDividesByZero) {
    EXPECT_EQ(FrameFromTime(0, 1000, 10), 0);
    EXPECT_EQ(FrameFromTime(550, 1000, 10), 5);
    EXPECT_EQ(FrameFromTime(1000, 1000, 10), 9);
    EXPECT_EQ(FrameFromTime(-5, 1000, 10), 0);
    EXPECT_EQ(FrameFromTime(250, 1000, 10, 0), 7);
    EXPECT_EQ(FrameFromTime(5, 0, 10), 9);
    EXPECT_EQ(FrameFromTime(5, 0, 10, 0), 0);
    EXPECT_EQ(FrameFromTime(5, 100, 0), 0);
    EXPECT_FLOAT_EQ(FrameMillisecs(50), 20.0f);
}

TEST(MathUtilsTest, PowersRangesEasingAndMusicalRatios) {
    EXPECT_EQ(NextPowerOf2(0), 1);
    EXPECT_EQ(NextPowerOf2(1), 1);
    EXPECT_EQ(NextPowerOf2(64), 64);
    EXPECT_EQ(NextPowerOf2(65), 128);
    EXPECT_EQ(NextPowerOf2(-8), 1);
    EXPECT_EQ(NextPowerOf2(0x7FFFFFFF), 1 << 30) << "terminates at the largest int power";
    int v = 130;
    ClampPercent(v);
    EXPECT_EQ(v, 100);
    v = -1;
    ClampPercent(v);
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(WithinRange(0, 0));
    EXPECT_TRUE(WithinRange(-2.5f, 3));
    EXPECT_FALSE(WithinRange(3, 3));
    EXPECT_FLOAT_EQ(SineEase(0), 0.0f);
    EXPECT_FLOAT_EQ(SineEase(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(SineEase(1), 1.0f);
    EXPECT_FLOAT_EQ(PanFromX(400), 0.0f);
    EXPECT_FLOAT_EQ(PanFromX(0), -0.5f);
    EXPECT_FLOAT_EQ(SemitoneRatio(12), 2.0f);
    EXPECT_FLOAT_EQ(ScaleStepRatio(0), 1.0f);
    EXPECT_FLOAT_EQ(ScaleStepRatio(1), SemitoneRatio(2));
    EXPECT_FLOAT_EQ(ScaleStepRatio(3), SemitoneRatio(5));
    EXPECT_FLOAT_EQ(ScaleStepRatio(7), SemitoneRatio(12));
    EXPECT_FLOAT_EQ(ScaleStepRatio(8), SemitoneRatio(14));
}

TEST(MathUtilsTest, Geometry) {
    float x = 0, y = 0;
    BezierPoint(0, 0, 10, 0, 0, 10, 10, 10, 0.5f, x, y);
    EXPECT_FLOAT_EQ(x, 5.0f);
    EXPECT_FLOAT_EQ(y, 7.5f);
    BezierPoint(1, 2, 9, 8, 0, 0, 0, 0, 1.0f, x, y);
    EXPECT_FLOAT_EQ(x, 9.0f);
    EXPECT_FALSE(RectsOverlap(0, 0, 10, 10, 10, 0, 10, 10)) << "a shared edge is no overlap";
    EXPECT_TRUE(RectsOverlap(0, 0, 10, 10, 9, 9, 10, 10));
    // Corners clockwise on screen (y down) put the inside on the positive side of every edge.
    EXPECT_TRUE(PointInQuad(5, 5, 0, 0, 10, 0, 10, 10, 0, 10));
    EXPECT_FALSE(PointInQuad(15, 5, 0, 0, 10, 0, 10, 10, 0, 10));
    EXPECT_FALSE(PointInQuad(0, 5, 0, 0, 10, 0, 10, 10, 0, 10)) << "the edge itself is outside";
    EXPECT_FALSE(PointInQuad(5, 5, 0, 0, 0, 10, 10, 10, 10, 0)) << "the other winding has no inside";
}

TEST(ArrayUtilsTest, WalkingCopyingRemoving) {
    std::vector<std::string> a = {"a", "b", "c", "d"};
    int index = 3;
    EXPECT_EQ(NextArrayString(a, index), "d");
    EXPECT_EQ(NextArrayString(a, index), "");
    EXPECT_EQ(index, 5);
    index = -1;
    EXPECT_EQ(NextArrayString(a, index), "");

    std::vector<std::string> target;
    CopyStringArrayRange(a, target, 1, 2);
    EXPECT_EQ(target, (std::vector<std::string>{"", "b", "c"}));
    CopyStringArrayRange(a, target, 2, -1);
    EXPECT_EQ(target, (std::vector<std::string>{"", "", "c", "d"}));
    CopyStringArrayRange(a, target, 0, 5);
    EXPECT_EQ(target, (std::vector<std::string>{"a", "b", "c", "d", "", ""}));

    EXPECT_EQ(RemoveArrayRange(a, 1, 2), (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(RemoveArrayRange(a, 3, 10), (std::vector<std::string>{"a", "b", "c"}));
    SortArray(a, false);
    EXPECT_EQ(a.front(), "d");
    EXPECT_EQ(ListIndexOfString(a, "b"), 2);
    EXPECT_EQ(ListIndexOfString(a, "z"), -1);
    // ListIndexOf skips nulls and compares identity.
    auto one = std::make_shared<int>(1), two = std::make_shared<int>(1);
    std::vector<std::shared_ptr<int>> list = {one, nullptr, two};
    EXPECT_EQ(ListIndexOf(list, two.get()), 1);
    int other = 1;
    EXPECT_EQ(ListIndexOf(list, &other), -1);
}
