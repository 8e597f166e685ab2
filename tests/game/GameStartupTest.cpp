// The game's wiring into the core: the application object of its own class, and its steps of the
// orderly end in their order, run only once the options were loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Startup.h"
#include "game/GameOptions.h"
#include "game/TolvaneGame.h"
#include "platform/System.h"
#include "support/TestEnv.h"

namespace {

struct Ended {
    int code;
};

class GameStartupTest : public ::testing::Test {
  protected:
    testenv::TempDir dir;
    std::vector<std::string> steps;

    void SetUp() override {
        Game = StartupHooks().MakeGame();
        SetEndHandler([](int code) { throw Ended{code}; });
        SetGameQuitTrace([this](const std::string& step) { steps.push_back(step); });
        GameIni.FileName = dir.Str() + "config";
        FirstRun = 1;
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        SetGameQuitTrace(nullptr);
        GameOptionsLoaded = 0;
        Game.reset();
    }

    int Quit() {
        try {
            GameQuit();
        } catch (const Ended& e) {
            return e.code;
        }
        return -1;
    }
};

TEST_F(GameStartupTest, TheGameMakesItsOwnApplicationObject) {
    EXPECT_NE(dynamic_cast<TTolvaneGame*>(Game.get()), nullptr);
}

TEST_F(GameStartupTest, TheGameQuitsInOrderAndKeepsTheFirstRunSeen) {
    GameOptionsLoaded = 1;
    EXPECT_EQ(Quit(), 0);
    const std::vector<std::string> expected = {
        "MakeGoodExit", "Kill", "ShowMouse", "OpenGetStartedPage", "FirstRun", "OptionsSave", "End"};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(FirstRun, 0);
    EXPECT_NE(testenv::ReadFile(dir.Path() / "config.ini").find("FIRSTRUN=0"), std::string::npos);
}

TEST_F(GameStartupTest, BeforeTheOptionsAreLoadedTheGameAddsNoStep) {
    GameOptionsLoaded = 0;
    EXPECT_EQ(Quit(), 0);
    const std::vector<std::string> expected = {"MakeGoodExit", "Kill", "ShowMouse", "End"};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(FirstRun, 1);
}

}  // namespace
