// Non-fatal notices: where they go, and the display they leave behind.
#include <gtest/gtest.h>

#include <string>

#include "core/Game.h"
#include "core/IniFile.h"
#include "game/GameNotice.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Window.h"
#include "support/TestEnv.h"

namespace {

class GameNoticeTest : public ::testing::Test {
  protected:
    testenv::TempDir dir;

    void SetUp() override {
        SetClockSource([] { return 1000; });
        FlushEvents();
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Create();
        Game->SubPath = dir.Str();
        Game->Ini->FileName = dir.Str() + "SudokuNumora";
        Game->Driver = 1;
    }
    void TearDown() override {
        SetGameNoticeHandler({});
        EndGraphics();
        Game.reset();
        SetClockSource(nullptr);
    }
};

TEST_F(GameNoticeTest, AFullScreenGameIsFullScreenAgainOnceTheNoticeIsRead) {
    Game->FullScreen = 1;
    Game->GraphicsCreate();
    ASSERT_TRUE(GraphicsIsFullScreen());
    GameNotice("The saved game is damaged and cannot be loaded");
    EXPECT_TRUE(GraphicsIsFullScreen());
    EXPECT_EQ(Game->FullScreen, 1);
}

}  // namespace
