// The game's wiring into the core: the application object of its own class, and its steps of the
// orderly end in their order, run only once the options were loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScreenGlobals.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Startup.h"
#include "game/Core.h"
#include "game/GameOptions.h"
#include "game/GameRun.h"
#include "game/GameScreen.h"
#include "game/GenerateScreen.h"
#include "game/HelpScreen.h"
#include "game/HighScoreScreen.h"
#include "game/OptionsScreen.h"
#include "game/PlayScreen.h"
#include "game/TitleScreen.h"
#include "game/TolvaneGame.h"
#include "platform/System.h"
#include "presentation/ImageBank.h"
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

// The start-up steps the game hands the core: its screens and image bank, the bank's data folder, the
// options from the player's shared folder and the default grid.
TEST_F(GameStartupTest, TheStartUpStepsMakeTheScreensAndReadTheOptions) {
    TStartupHooks& hooks = StartupHooks();
    hooks.CreateScreens();
    EXPECT_TRUE(ImageBank);
    EXPECT_TRUE(TitleScreen && HighScoreScreen && GameScreen && GenerateScreen);
    Game->ImagePath = dir.Str() + "pictures/";
    hooks.DataPathsSet();
    EXPECT_EQ(ImageBank->Path, dir.Str() + "pictures/");

    testenv::WriteFile(dir.Path() / "config.ini", "SHOWTIMER=0\r\nFIRSTRUN=0\r\n");
    Game->SubPath = dir.Str();
    ShowTimer = 1;
    hooks.LoadOptions();
    EXPECT_EQ(ShowTimer, 0);
    EXPECT_EQ(FirstRun, 0);
    EXPECT_EQ(GameIni.FileName, dir.Str() + "config");
    ShowTimer = 1;

    PuzzleWidth = PuzzleHeight = 4;
    PuzzleDifficulty = 3;
    hooks.Start();
    EXPECT_EQ(PuzzleWidth, 9);
    EXPECT_EQ(PuzzleHeight, 9);
    EXPECT_EQ(PuzzleDifficulty, 0);
    EXPECT_EQ(RegionWidth, 3);
    EXPECT_EQ(RegionHeight, 3);

    ReleaseScreens();
    ImageBank.reset();
}

}  // namespace
