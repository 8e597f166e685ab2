// System conveniences: the desktop's special folders, exact graphics modes and the machine's memory.
#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/SystemUtils.h"
#include "platform/ImageCodec.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "support/TestEnv.h"

TEST(SystemUtilsTest, SpecialFoldersAreTheDesktopsXdgFolders) {
    testenv::TempDir home;
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    std::string oldData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    std::string oldConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Str() + "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Str() + "config").c_str(), 1);
    std::filesystem::create_directories(home.Path() / "config");
    testenv::WriteFile(
        home.Path() / "config/user-dirs.dirs",
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
    EXPECT_EQ(listed.substr(0, listed.find('\n')),
              "Width: " + std::to_string(m.width) + " Height: " + std::to_string(m.height) +
                  " Depth: " + std::to_string(m.depth) + " Hertz: " + std::to_string(m.hertz));
}

TEST(SystemUtilsTest, AWindowIconComesOnlyFromAReadablePicture) {
    testenv::TempDir dir;
    EXPECT_FALSE(SetWindowIconFromFile(dir.Str() + "missing.png", 0));
    testenv::WriteFile(dir.Path() / "broken.png", "not a picture");
    EXPECT_FALSE(SetWindowIconFromFile(dir.Str() + "broken.png", 0));
    // A readable one is taken, so the refusals above are the pictures' doing.
    const std::vector<uint8_t> png = EncodePNG(TPixmap(16, 16, 0xFF2060C0u));
    testenv::WriteFile(dir.Path() / "icon.png", std::string(png.begin(), png.end()));
    EXPECT_TRUE(SetWindowIconFromFile(dir.Str() + "icon.png", 0));
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

TEST(SystemUtilsTest, TheVersionRecordComesFromUnameAsTheVersionNameDoes) {
    utsname name{};
    ASSERT_EQ(uname(&name), 0);
    EXPECT_EQ(GetOSVersionName(), std::string(name.sysname) + " " + name.release);
    TOSVersionInfoEx info;
    info.wServicePackMajor = 7;  // the record is filled afresh
    ASSERT_TRUE(GetOSVersionInfo(info));
    EXPECT_EQ(info.dwOSVersionInfoSize, 156);
    EXPECT_EQ(info.dwPlatformId, OSPlatformUnix);
    EXPECT_EQ(OSVersionInfoText(info), GetOSVersionName());
    EXPECT_EQ(info.wServicePackMajor, 0);
    EXPECT_GT(info.dwVerMajor, 0);
    // The release begins with the three numbers ("6.1.0-13-amd64").
    const std::string numbers = std::to_string(info.dwVerMajor) + "." + std::to_string(info.dwVerMinor) +
                                "." + std::to_string(info.dwBuildNumber);
    EXPECT_EQ(std::string(name.release).rfind(numbers, 0), 0u) << numbers << " of " << name.release;
}
