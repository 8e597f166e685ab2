// Game options: keys in any case, unknown keys dropped, saved values read back, the atomic write, and the
// get-started page opened by the first orderly quit only (through a stand-in xdg-open).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "core/Game.h"
#include "core/Startup.h"
#include "game/Core.h"
#include "game/GameOptions.h"
#include "game/TolvaneGame.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "support/TestEnv.h"

namespace {

void ResetOptions() {
    PreventDoubleNumbers = 1;
    ShowTimer = 1;
    ShowHighlighter = 0;
    FirstRun = 1;
}

class GameOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetOptions(); }
    void TearDown() override { ResetOptions(); }

    std::string ConfigPath() const { return dir.Str() + "config.ini"; }

    testenv::TempDir dir;
};

TEST_F(GameOptionsTest, KeysAreReadInAnyCaseAndUnknownOnesDropped) {
    testenv::WriteFile(ConfigPath(), "showtimer=0\nShowHighLighter=1\r\nfIrStRuN=0\r\nVolume=7\r\n");
    OptionsStartUp(dir.Str());
    EXPECT_EQ(ShowTimer, 0);
    EXPECT_EQ(ShowHighlighter, 1);
    EXPECT_EQ(FirstRun, 0);
    EXPECT_EQ(PreventDoubleNumbers, 1);
    EXPECT_EQ(testenv::ReadFile(ConfigPath()),
              "PREVENTDOUBLENUMBERS=1\r\nSHOWTIMER=0\r\nSHOWHIGHLIGHTER=1\r\nFIRSTRUN=0\r\n");
    PreventDoubleNumbers = 0;
    OptionsSave();
    ResetOptions();
    OptionsStartUp(dir.Str());
    EXPECT_EQ(PreventDoubleNumbers, 0);
    EXPECT_EQ(ShowHighlighter, 1);
}

TEST_F(GameOptionsTest, AFailedSaveKeepsTheOldFile) {
    OptionsStartUp(dir.Str());
    const std::string old = testenv::ReadFile(ConfigPath());
    SetAtomicWriteFault(AtomicWriteFault::AfterPartialWrite, true);
    ShowTimer = 0;
    EXPECT_NO_THROW(OptionsSave());
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(testenv::ReadFile(ConfigPath()), old);
    EXPECT_EQ(ShowTimer, 0);
}

// Counts the lines of the stand-in browser's log once `expected` of them have appeared (or a few seconds
// have passed: the browser is started without waiting for it).
int WaitForLines(const std::filesystem::path& log, int expected) {
    int lines = 0;
    for (int attempt = 0; attempt < 500; ++attempt) {
        const std::string text = testenv::ReadFile(log);
        lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        if (lines >= expected) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return lines;
}

struct Ended {};

// One run: the options read at start-up, then the program's orderly quit with its end caught.
void RunAndQuit(const std::string& sharedFolder) {
    ResetOptions();
    Game = std::make_unique<TTolvaneGame>();
    Game->SubPath = sharedFolder;
    OptionsStartUp(sharedFolder);
    GameOptionsLoaded = 1;
    SetEndHandler([](int) { throw Ended{}; });
    EXPECT_THROW(GameQuit(), Ended);
    SetEndHandler({});
    GameOptionsLoaded = 0;
    Game.reset();
}

TEST_F(GameOptionsTest, TheGetStartedPageOpensOnTheFirstQuitOnly) {
    testenv::TempDir bin;
    const auto log = bin.Path() / "opened.log";
    testenv::WriteFile(bin.Path() / "xdg-open", "#!/bin/sh\necho \"$1\" >> '" + log.string() + "'\n");
    std::filesystem::permissions(bin.Path() / "xdg-open", std::filesystem::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const std::string oldDriver = std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "";
    setenv("PATH", (bin.Str() + ":" + oldPath).c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);  // a desktop session, so the browser is started at all

    for (int run = 0; run < 3; ++run) RunAndQuit(dir.Str());
    // A marker opened last: once it is in the log, a page opened by a later run would be there as well.
    OpenURL("marker");

    setenv("PATH", oldPath.c_str(), 1);
    setenv("SDL_VIDEODRIVER", oldDriver.c_str(), 1);
    EXPECT_EQ(WaitForLines(log, 2), 2);
    const std::string text = testenv::ReadFile(log);
    EXPECT_EQ(text, std::string(GetStartedURL) + "\nmarker\n");
    EXPECT_EQ(FirstRun, 0);
    EXPECT_NE(testenv::ReadFile(ConfigPath()).find("FIRSTRUN=0"), std::string::npos);
}

}  // namespace
