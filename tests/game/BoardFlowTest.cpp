// The board's whole road through the real screens and the real puzzle engine: from the play screen's
// "play" through the generating overlay to the board, solved by clicks, a best time entered, and back to the
// play screen; a typed-in puzzle checked by the engine and played; a saved game written from the board and
// loaded from the play screen's chooser road.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BoardWorld.h"
#include "Generator.h"
#include "SudokuEngine.h"
#include "game/HighScoreList.h"
#include "game/PlayScreen.h"
#include "game/SaveGame.h"
#include "game/TitleScreen.h"
#include "platform/Keys.h"
#include "presentation/Animation.h"
#include "presentation/Dialog.h"

namespace {

using board::BoardWorld;
using board::Now;

class BoardFlowTest : public BoardWorld {
  protected:
    void SetUp() override {
        BoardWorld::SetUp();
        MenuScreensInit();
        Core.Generate = GeneratePuzzle;
        Core.Solve = SolvePuzzle;
    }

    void TearDown() override {
        SetGeneratePuzzleTestHooks(SudokuGenerator::FreshSeed(), {}, 50);
        if (PlayScreen) PlayScreen->Kill();
        BoardWorld::TearDown();
    }

    // The empty 16 x 16 custom board checked by the real engine, whose clock jumps a whole slice at
    // every read, so that its search calls the game's pump every few hundred branches; `request` is
    // what the player does once the overlay has faded in and the engine runs.
    void CheckWhileThePlayer(const TEvent& request) {
        EnterPlayScreen(16);
        ClickButton(*PlayScreen->MainMenu, "custom");
        Run(300);
        ASSERT_EQ(CustomPuzzleMode, 1);
        Run(400);
        ClickButton(*GameScreen->CustomPuzzleMenu, "checkplay");
        ASSERT_EQ(GenerateScreen->Active, 1);
        while (GenerateScreen->FadeIn->Active) {
            Now += 5;
            Tick();
        }
        auto clock = std::make_shared<std::int64_t>(0);
        SetGeneratePuzzleTestHooks(
            1, [clock] { return *clock += 100; }, 50);
        PostEvent(request);
        GameScreen->Draw();  // the engine runs in this frame
        EXPECT_EQ(GenerateScreen->HasGenerated, 1);
        EXPECT_EQ(GenerateScreen->FadeOut->Active, 1);
        EXPECT_FALSE(GameScreen->OKInput);
        EXPECT_EQ(CustomPuzzleAccepted, 0);
        EXPECT_EQ(CustomPuzzleMode, 1);
    }

    // Logic calls and frames as the main loop runs them, the clock moving 5 ms per logic call.
    void Run(int calls) {
        for (int i = 0; i < calls; ++i) {
            Now += 5;
            Tick();
            if (Game->CurrentTScreen) Game->CurrentTScreen->Draw();
        }
    }

    void EnterPlayScreen(int size) {
        PuzzleWidth = PuzzleHeight = size;
        PuzzleDifficulty = 0;
        Core.SetPuzzleRegion();
        PlayScreen->PreStart();
        Game->GameFade->Finish();
        Game->GameFade->GetDone();
        Tick();
    }
};

TEST_F(BoardFlowTest, GeneratedPuzzleSolvedByClicksEntersTheBestTimes) {
    EnterPlayScreen(4);
    ClickButton(*PlayScreen->MainMenu, "play");
    ASSERT_EQ(GenerateScreen->Active, 1);
    Run(300);
    ASSERT_EQ(Game->CurrentTScreen, GameScreen.get());
    ASSERT_EQ(CellList.Count(), 16);
    Run(400);  // the cells have flown in

    Now += 42000;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            if (Puzzle[x][y] == 0) {
                KeyDown(KEY_0 + Solution[x][y]);
                Tick();
                KeyUp(KEY_0 + Solution[x][y]);
                ClickCell(x, y);
            }
    Tick();
    ASSERT_EQ(PuzzleCompleted, 1);
    ASSERT_TRUE(GameScreen->NameInput);
    Type("Grace");
    ASSERT_GE(HighScores4.Count(), 1u);
    EXPECT_EQ(HighScores4.Entries[0].name, "Grace");
    EXPECT_GE(HighScores4.Entries[0].time, 42000);

    ClickButton(*GameScreen->endLevelMenu->Menu, "backtomenu");
    ASSERT_TRUE(GameScreen->QuitInput);
    KeyDown(KEY_A + ('Y' - 'A'));
    Run(300);
    EXPECT_EQ(Game->CurrentTScreen, PlayScreen.get());
}

TEST_F(BoardFlowTest, TypedInPuzzleIsCheckedByTheEngineAndPlayed) {
    EnterPlayScreen(4);
    ClickButton(*PlayScreen->MainMenu, "custom");
    Run(300);
    ASSERT_EQ(Game->CurrentTScreen, GameScreen.get());
    ASSERT_EQ(CustomPuzzleMode, 1);
    Run(400);

    // The first row and column of a 4 x 4 grid: enough for the engine to solve it.
    const int grid[4][4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};  // [y][x]
    const std::pair<int, int> typed[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {0, 2}, {2, 2}};
    for (auto [x, y] : typed) {
        ChosenNumber = grid[y][x];
        ClickCell(x, y);
        EXPECT_EQ(Puzzle[x][y], grid[y][x]) << x << "," << y;
    }

    ClickButton(*GameScreen->CustomPuzzleMenu, "checkplay");
    ASSERT_EQ(GenerateScreen->Active, 1);
    Run(400);
    EXPECT_FALSE(GameScreen->OKInput);
    EXPECT_EQ(CustomPuzzleMode, 0);
    EXPECT_EQ(Game->CurrentTScreen, GameScreen.get());
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) EXPECT_EQ(Solution[x][y], grid[y][x]);
    EXPECT_EQ(Locked[1][0], 1);
}

// A typed-in puzzle's time goes under the level the engine grades it at, whatever level was last chosen
// for new puzzles; one with several solutions or nothing to fill takes no place at all.
TEST_F(BoardFlowTest, TypedInPuzzlesTakeTheEnginesGradeOrNoPlaceInTheBestTimes) {
    const int grid[4][4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};  // [y][x]
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> holes;  // every other cell is typed; all of them for "several"
        bool several;
        int recorded;  // -1: no name asked, nothing recorded
    };
    const Case cases[] = {
        {"three holes: Very Easy", {{1, 1}, {2, 2}, {3, 3}}, false, 0},
        {"two givens: several solutions", {}, true, -1},
        {"a complete grid", {}, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HighScores4.Create(shared.Str() + "hs4x4", 10, 10);  // empty: any time enters
        EnterPlayScreen(4);
        PuzzleDifficulty = 4;  // "Very Hard" chosen last
        ClickButton(*PlayScreen->MainMenu, "custom");
        Run(700);
        ASSERT_EQ(CustomPuzzleMode, 1);
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y) {
                const bool hole = std::find(c.holes.begin(), c.holes.end(), std::pair{x, y}) != c.holes.end();
                const bool given = c.several ? (x == 0 && y == 0) || (x == 1 && y == 2) : !hole;
                Puzzle[x][y] = given ? static_cast<std::uint8_t>(grid[y][x]) : 0;
            }
        ClickButton(*GameScreen->CustomPuzzleMenu, "checkplay");
        Run(700);
        ASSERT_EQ(CustomPuzzleMode, 0);
        Now += 5000;
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y) Puzzle[x][y] = Solution[x][y];
        Run(2);
        ASSERT_EQ(PuzzleCompleted, 1);
        if (c.recorded < 0) {
            EXPECT_FALSE(GameScreen->NameInput);
            EXPECT_EQ(HighScores4.Count(), 0u);
            continue;
        }
        ASSERT_TRUE(GameScreen->NameInput);
        Type("Lin");
        ASSERT_EQ(HighScores4.Count(), 1u);
        EXPECT_EQ(HighScores4.Entries[0].difficulty, c.recorded);
    }
}

TEST_F(BoardFlowTest, GameSavedOnTheBoardComesBackWithItsTimeAndMarks) {
    NewBoard(6);
    EnterBoardScreen();
    Tick();
    int ex = -1, ey = -1;
    for (int x = 0; x < 6 && ex < 0; ++x)
        for (int y = 0; y < 6 && ex < 0; ++y)
            if (Puzzle[x][y] == 0) ex = x, ey = y;
    ChosenNumber = 4;
    ClickCell(ex, ey, 2);  // a pencil mark
    Now += 90000;
    ClickButton(*GameScreen->MainMenu, "savegame");
    ASSERT_TRUE(GameScreen->SaveGameNameInput);
    Type("six");
    EXPECT_FALSE(GameScreen->SaveGameNameInput);

    const auto board = Puzzle;
    Core.RestartPuzzle();
    Markup = {};
    Now += 5000;
    ASSERT_EQ(SaveGameLoad("Six"), 1);
    EXPECT_EQ(Puzzle, board);
    EXPECT_EQ(Markup[ex][ey][3], 1);
    EXPECT_EQ(StopwatchText(), "01:30");
}

// A quit request while the engine checks a typed-in grid abandons the check; the request stays queued,
// and the main loop then ends the program as it always does.
TEST_F(BoardFlowTest, AQuitRequestAbandonsALongCheckAndEndsTheProgram) {
    CheckWhileThePlayer({EVENT_APPTERMINATE, 0, 0, 0});
    EXPECT_TRUE(EventPending(EVENT_APPTERMINATE));
    Tick();
    EXPECT_EQ(Game->CheckWindow(), -1);
}

// Escape on the overlay abandons the check and closes the overlay; the key does nothing else.
TEST_F(BoardFlowTest, EscapeAbandonsALongCheckAndClosesTheOverlay) {
    CheckWhileThePlayer({EVENT_KEYDOWN, KEY_ESCAPE, 0, 0});
    EXPECT_FALSE(EventPending(EVENT_KEYDOWN, KEY_ESCAPE));
    Run(200);
    EXPECT_EQ(GenerateScreen->Active, 0);
    EXPECT_FALSE(GameScreen->QuitInput);
    EXPECT_FALSE(GameScreen->OKInput);
    EXPECT_EQ(Game->CurrentTScreen, GameScreen.get());
    EXPECT_EQ(CustomPuzzleMode, 1);
}

}  // namespace
