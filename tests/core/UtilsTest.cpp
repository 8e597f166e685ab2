// Text, number, ini-line, array, geometry and system-folder helpers whose edge cases could hide real faults.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/ArrayUtils.h"
#include "core/FileUtils.h"
#include "core/MathUtils.h"
#include "core/StringUtils.h"
#include "core/SystemUtils.h"
#include "platform/FileSystem.h"
#include "platform/Window.h"
#include "support/TestEnv.h"

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
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE" "a", 3)), "") << "odd trailing byte";
    EXPECT_EQ(DecodeText("\xC3"), "\xC3\x83") << "truncated UTF-8 read as Latin-1";
}

TEST(FileUtilsTest, ReadIniValueMatchesNamesInAnyCaseWithoutWriteAccess) {
    testenv::TempDir dir;
    std::string path = dir.Str() + "s.ini";
    testenv::WriteFile(path, "FULL SCREEN=1\r\nprofile name=Ada=Lovelace\r\n");
    EXPECT_EQ(ReadIniValue(path, "Profile Name"), "Ada=Lovelace");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // no write access needed
    EXPECT_EQ(ReadIniValue(path, "full screen"), "1");
}

TEST(FileUtilsTest, CopyIniWithValueReplacesButNeverAddsNorInjectsLines) {
    testenv::TempDir dir;
    testenv::WriteFile(dir.Path() / "src.ini", "A=1\nprofile name=old\nB=2");
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "dst.ini", "Profile Name", "new"), 1);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "dst.ini"), "A=1\r\nPROFILE NAME=new\r\nB=2\r\n");
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "dst.ini", "Absent", "x"), 1);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "dst.ini"), "A=1\r\nprofile name=old\r\nB=2\r\n");
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "no/dst.ini", "A", "x"), 0);
    EXPECT_EQ(CopyIniWithValue(dir.Str() + "src.ini", dir.Str() + "dst.ini", "A", "x\r\nB=evil"), 1);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "dst.ini"), "A=x  B=evil\r\nprofile name=old\r\nB=2\r\n");
}

TEST(MathUtilsTest, FramesAndPowersNeverDivideByZeroNorLoop) {
    EXPECT_EQ(FrameFromTime(1000, 1000, 10), 9);
    EXPECT_EQ(FrameFromTime(-5, 1000, 10), 0);
    EXPECT_EQ(FrameFromTime(5, 0, 10), 9);
    EXPECT_EQ(FrameFromTime(5, 0, 10, 0), 0);
    EXPECT_EQ(FrameFromTime(5, 100, 0), 0);
    EXPECT_EQ(NextPowerOf2(65), 128);
    EXPECT_EQ(NextPowerOf2(-8), 1);
    EXPECT_EQ(NextPowerOf2(0x7FFFFFFF), 1 << 30) << "terminates at the largest int power";
    // Corners clockwise on screen (y down) put the inside on the positive side of every edge.
    EXPECT_TRUE(PointInQuad(5, 5, 0, 0, 10, 0, 10, 10, 0, 10));
    EXPECT_FALSE(PointInQuad(0, 5, 0, 0, 10, 0, 10, 10, 0, 10)) << "the edge itself is outside";
    EXPECT_FALSE(PointInQuad(5, 5, 0, 0, 0, 10, 10, 10, 10, 0)) << "the other winding has no inside";
}

TEST(ArrayUtilsTest, RangesOutsideTheArrayAreSafe) {
    std::vector<std::string> a = {"a", "b", "c", "d"};
    int index = 3;
    EXPECT_EQ(NextArrayString(a, index), "d");
    EXPECT_EQ(NextArrayString(a, index), "");
    index = -1;
    EXPECT_EQ(NextArrayString(a, index), "");
    std::vector<std::string> target;
    CopyStringArrayRange(a, target, 2, -1);
    EXPECT_EQ(target, (std::vector<std::string>{"", "", "c", "d"}));
    CopyStringArrayRange(a, target, 0, 5);
    EXPECT_EQ(target, (std::vector<std::string>{"a", "b", "c", "d", "", ""}));
    EXPECT_EQ(RemoveArrayRange(a, 3, 10), (std::vector<std::string>{"a", "b", "c"}));
    // ListIndexOf skips nulls and compares identity.
    auto one = std::make_shared<int>(1), two = std::make_shared<int>(1);
    std::vector<std::shared_ptr<int>> list = {one, nullptr, two};
    EXPECT_EQ(ListIndexOf(list, two.get()), 1);
}

TEST(SystemUtilsTest, SpecialFoldersAreTheDesktopsXdgFolders) {
    testenv::TempDir home;
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    std::string oldData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    std::string oldConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Str() + "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Str() + "config").c_str(), 1);
    std::filesystem::create_directories(home.Path() / "config");
    testenv::WriteFile(home.Path() / "config/user-dirs.dirs",
                       "# written by xdg-user-dirs-update\nXDG_MUSIC_DIR=\"$HOME/Tunes\"\nXDG_DESKTOP_DIR=\"relative\"\n");
    EXPECT_EQ(GetSpecialFolderPath(0x23), home.Str() + "data/");
    EXPECT_EQ(GetSpecialFolderPath(0x1A), home.Str() + "config/");
    EXPECT_EQ(GetSpecialFolderPath(0x0D), home.Str() + "Tunes/");
    EXPECT_EQ(GetSpecialFolderPath(0x27), home.Str() + "Pictures/");  // not listed: the usual name
    EXPECT_EQ(GetSpecialFolderPath(0x10), home.Str() + "Desktop/");   // a relative entry is ignored
    EXPECT_EQ(GetSpecialFolderPath(0x28), home.Str());
    EXPECT_EQ(GetSpecialFolderPath(0x99), "");
    setenv("HOME", oldHome.c_str(), 1);
    setenv("XDG_DATA_HOME", oldData.c_str(), 1);
    setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
}

TEST(SystemUtilsTest, FindGraphicsModeWantsExactlyAListedMode) {
    std::vector<TGraphicsMode> modes = GraphicsModes();
    ASSERT_FALSE(modes.empty());  // the dummy driver lists its one display's mode
    const TGraphicsMode& m = modes.front();
    EXPECT_TRUE(FindGraphicsMode(m.width, m.height, m.depth, m.hertz));
    EXPECT_FALSE(FindGraphicsMode(m.width - 1, m.height, m.depth, m.hertz));
    EXPECT_FALSE(FindGraphicsMode(m.width / 2, m.height / 2, m.depth, m.hertz));  // smaller is not that mode
    EXPECT_FALSE(FindGraphicsMode(m.width, m.height, m.depth == 16 ? 32 : 16, m.hertz));
    if (m.hertz != 0) {
        EXPECT_FALSE(FindGraphicsMode(m.width, m.height, m.depth, m.hertz + 1));
    }
    testing::internal::CaptureStdout();
    ListGraphicsModes();
    std::string listed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(listed.substr(0, listed.find('\n')), "Width: " + std::to_string(m.width) + " Height: " +
                                                       std::to_string(m.height) + " Depth: " + std::to_string(m.depth) +
                                                       " Hertz: " + std::to_string(m.hertz));
}

TEST(SystemUtilsTest, MemoryStatusReportsTheMachinesFigures) {
    TMemoryStatus status = GetMemoryStatus();
    EXPECT_EQ(status.dwLength, 32);
    EXPECT_GT(status.dwTotalPhys, 0);
    EXPECT_GE(status.dwTotalPhys, status.dwAvailPhys);
    EXPECT_GT(status.dwMemoryLoad, 0);
    EXPECT_LE(status.dwMemoryLoad, 100);
    EXPECT_GT(status.dwAvailVirtual, 0);
    EXPECT_GE(status.dwTotalVirtual, status.dwAvailVirtual);
    EXPECT_GE(status.dwTotalPageFile, status.dwAvailPageFile);
}
