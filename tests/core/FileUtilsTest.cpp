// Reading and rewriting one value of an ini file without adding, losing or injecting lines; the
// executable's own path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/FileUtils.h"
#include "support/TestEnv.h"

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

TEST(FileUtilsTest, AppFileIsTheRunningExecutableWithADebugNameMapped) {
    EXPECT_EQ(AppFileNoDebug(), std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(AppFileNoDebug("/opt/Numora_debug.exe"), "/opt/Numora.exe");
    EXPECT_EQ(AppFileNoDebug("/opt/Numora.exe"), "/opt/Numora.exe");
    EXPECT_EQ(AppFileNoDebug("debug.exe"), "debug.exe") << "too short to lose ten characters";
}
