// The board screen driven as the running game drives it: input through the event queue, one logic call at
// a time, time from a hand-driven clock. Menus and the chosen number, clicks to the cells, the conflict
// flash, the stopwatch around pauses, the solved flow with and without a best time, the end-of-puzzle menu,
// Escape, saving, the background change, and the generating overlay for new and typed-in puzzles.
#include <gtest/gtest.h>

#include <filesystem>

#include "BoardWorld.h"
#include "game/HighScoreList.h"
#include "platform/Keys.h"
#include "presentation/Animation.h"
#include "presentation/Dialog.h"
#include "presentation/Fade.h"
#include "presentation/Menu.h"
#include "presentation/Particles.h"

namespace {

using board::BoardWorld;
using board::Now;

class GameScreenTest : public BoardWorld {
  protected:
    void Enter(int n) {
        NewBoard(n);
        EnterBoardScreen();
        Tick();
    }

    // A click on a menu button's centre, pressed and released over two logic calls.
    void ClickButton(TMenu& menu, const std::string& name) {
        TButton* button = menu.FindButton(name);
        ASSERT_NE(button, nullptr) << name;
        MoveMouse(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
        Tick();
        Press(1);
        Tick();
        Release(1);
        Tick();
    }

    // The entry takes one typed character per logic call.
    void Type(const std::string& text) {
        for (char c : text) {
            PostEvent({EVENT_KEYCHAR, c, 0, 0});
            Tick();
        }
        PostEvent({EVENT_KEYCHAR, 13, 0, 0});
        Tick();
    }

    void PressKey(int key) {
        KeyDown(key);
        Tick();
        KeyUp(key);
        Tick();
    }

    // Everything but one empty cell filled with the solution; that cell is returned.
    std::pair<int, int> FillAllButOne() {
        std::pair<int, int> last{-1, -1};
        for (int x = 0; x < PuzzleWidth; ++x)
            for (int y = 0; y < PuzzleHeight; ++y)
                if (Puzzle[x][y] == 0) {
                    if (last.first < 0)
                        last = {x, y};
                    else
                        Puzzle[x][y] = Solution[x][y];
                }
        return last;
    }

    void Solve() {
        auto [x, y] = FillAllButOne();
        ChosenNumber = Solution[x][y];
        ClickCell(x, y);
    }

    // A table no time can enter.
    void FillBestTimes(TPellixHighScoreList& table, const std::string& file) {
        table.Create(shared.Str() + file, 10, 10);
        for (int i = 0; i < 10; ++i) table.Add("Fast", 1, 0);
    }

    std::string ImageOf(TMenu& menu, const std::string& name) {
        TButton* button = menu.FindButton(name);
        return button && button->image ? button->image->name : "";
    }
};

TEST_F(GameScreenTest, EnteringBuildsTheMenusForTheBoardSize) {
    Enter(9);
    TGameScreen& s = *GameScreen;
    EXPECT_EQ(Game->CurrentTScreen, &s);
    EXPECT_EQ(s.NumberMenu->Count(), 10);
    EXPECT_EQ(ImageOf(*s.NumberMenu, "1"), "1ON");
    EXPECT_EQ(ImageOf(*s.NumberMenu, "2"), "2");
    EXPECT_EQ(s.MainMenu->Count(), 5);
    EXPECT_EQ(s.PuzzleMenu->Count(), 6);
    EXPECT_EQ(ImageOf(*s.PuzzleMenu, "lockunlocknumbers"), "LOCKUNLOCKNUMBERSON");
    EXPECT_EQ(ImageOf(*s.PuzzleMenu, "showhidesolution"), "SHOWHIDESOLUTION");
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    PressKey(KEY_A);
    EXPECT_EQ(ChosenNumber, 0) << "a letter on a small board chooses the eraser";
    for (const auto& b : s.NumberMenu->Items) EXPECT_EQ(b->image->name.find("ON"), std::string::npos);

    GameScreen->Kill();
    Enter(16);
    EXPECT_EQ(GameScreen->ChosenNumberString, "small");
    ASSERT_EQ(GameScreen->NumberMenu->Count(), 17);
    for (const auto& b : GameScreen->NumberMenu->Items) {
        EXPECT_GE(b->y, 0);
        EXPECT_LE(b->y + float(b->h), 600);
        EXPECT_GE(b->x, 722);  // right of the board
    }
    PressKey(KEY_A + ('G' - 'A'));
    EXPECT_EQ(ChosenNumber, 16);
    EXPECT_EQ(ImageOf(*GameScreen->NumberMenu, "small16"), "SMALL16ON");
}

TEST_F(GameScreenTest, NumberIsChosenByKeysWheelAndButtons) {
    Enter(9);
    KeyDown(KEY_0 + 3);
    KeyDown(KEY_0 + 5);
    Tick();
    EXPECT_EQ(ChosenNumber, 5) << "of two held keys the later one";
    EXPECT_EQ(ImageOf(*GameScreen->NumberMenu, "5"), "5ON");
    EXPECT_EQ(ImageOf(*GameScreen->NumberMenu, "3"), "3");
    KeyUp(KEY_0 + 3);
    KeyUp(KEY_0 + 5);
    PressKey(KEY_DELETE);
    EXPECT_EQ(ChosenNumber, 0);
    PressKey(KEY_NUM0 + 7);
    EXPECT_EQ(ChosenNumber, 7);
    // A quick tap, down and up before the same logic call, still chooses.
    KeyDown(KEY_0 + 4);
    KeyUp(KEY_0 + 4);
    Tick();
    EXPECT_EQ(ChosenNumber, 4);
    ClickButton(*GameScreen->NumberMenu, "1");
    EXPECT_EQ(ChosenNumber, 1);
    // The wheel steps through the numbers and wraps both ways.
    for (auto [steps, expected] : {std::pair{-1, 2}, {1, 1}, {1, 0}, {1, 9}, {-1, 0}}) {
        Wheel(steps);
        Tick();
        EXPECT_EQ(ChosenNumber, expected);
    }
}

TEST_F(GameScreenTest, ConflictFlashEndsAfterOneSecondOfClockTime) {
    Enter(9);
    int x = -1, y = -1;
    for (int xx = 0; xx < 9 && x < 0; ++xx)
        for (int yy = 0; yy < 9 && x < 0; ++yy)
            if (Puzzle[xx][yy] == 0) x = xx, y = yy;
    ChosenNumber = 0;
    for (int yy = 0; yy < 9 && ChosenNumber == 0; ++yy) ChosenNumber = Puzzle[x][yy];
    const int chosen = ChosenNumber;
    TCell* cell = CellAt(x, y);
    MoveMouse(int(cell->x), int(cell->y));
    Press(1);
    Tick();
    EXPECT_EQ(ChosenNumber, chosen);
    ASSERT_EQ(ConflictShown, 1);
    const int start = ConflictTime;
    Release(1);
    Now = start + 999;
    Tick();
    EXPECT_EQ(ConflictShown, 1);
    Now = start + 1000;
    Tick();
    EXPECT_EQ(ConflictShown, 0);
    EXPECT_EQ(ConflictX, 0);
    EXPECT_EQ(ConflictY, 0);
}

TEST_F(GameScreenTest, AidButtonsSwitchTheBoardAndTheirImagesFollow) {
    Enter(9);
    TGameScreen& s = *GameScreen;
    ClickButton(*s.PuzzleMenu, "showhidemistakes");
    EXPECT_EQ(ShowMistakes, 1);
    EXPECT_EQ(ImageOf(*s.PuzzleMenu, "showhidemistakes"), "SHOWHIDEMISTAKESON");
    ClickButton(*s.PuzzleMenu, "showhideautomarkup");
    EXPECT_EQ(ShowMarkup, 1);
    ClickButton(*s.PuzzleMenu, "lockunlocknumbers");
    EXPECT_EQ(NumbersLocked, 0);
    EXPECT_EQ(ImageOf(*s.PuzzleMenu, "lockunlocknumbers"), "LOCKUNLOCKNUMBERS");
    ClickButton(*s.PuzzleMenu, "showdesiredcell");
    EXPECT_EQ(ShowDesiredCellArmed, 1);
    int empty = 0;
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) empty += Puzzle[x][y] == 0;
    ClickButton(*s.PuzzleMenu, "showrandomcell");
    int after = 0;
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y) after += Puzzle[x][y] == 0;
    EXPECT_EQ(after, empty - 1);
}

TEST_F(GameScreenTest, PausesAndSuspensionsAreLeftOutOfThePuzzleTime) {
    Enter(9);
    const int start = PuzzleStartTime;
    Now += 10000;
    GameScreen->Draw();
    Game->Paused = 1;
    GameScreen->Draw();
    EXPECT_EQ(PuzzleEndTime, Now);
    Now += 60000;
    GameScreen->Draw();
    EXPECT_EQ(StopwatchText(), "00:10");  // frozen while paused
    Game->Paused = 0;
    GameScreen->Draw();
    EXPECT_EQ(PuzzleEndTime, 0);
    EXPECT_EQ(Now - PuzzleStartTime, Now - start - 60000);
    Now += 5000;
    Game->Suspended = 1;
    GameScreen->Draw();
    EXPECT_EQ(GameScreen->DidPauseOrSuspend, 1);
    Now += 30000;
    Game->Suspended = 0;
    GameScreen->Draw();
    EXPECT_EQ(StopwatchText(), "00:15");
}

// The framework's pause keeps the player's music setting: resuming must not switch music on that was off.
TEST_F(GameScreenTest, PauseButtonPausesAndKeepsMusicOffWhenResumed) {
    Enter(9);
    Game->Music = 0;
    ClickButton(*GameScreen->MainMenu, "pause");
    ASSERT_EQ(Game->Paused, 1);
    Game->TogglePause();
    EXPECT_EQ(Game->Paused, 0);
    EXPECT_EQ(Game->Music, 0);
}

TEST_F(GameScreenTest, SolvingWithABestTimeAsksForANameAndStoresItAtOnce) {
    Enter(9);
    Now += 61000;
    Solve();
    TGameScreen& s = *GameScreen;
    ASSERT_EQ(PuzzleCompleted, 1);
    EXPECT_EQ(PuzzleEndTime, Now);
    EXPECT_EQ(HighlightX, -1);
    ASSERT_TRUE(s.NameInput);
    EXPECT_EQ(s.endLevelMenu->Show, 0);
    Now += 30000;
    EXPECT_EQ(StopwatchText(), "01:01");  // frozen
    Type("Ada");
    EXPECT_FALSE(s.NameInput);
    ASSERT_GE(HighScores9.Count(), 1u);
    EXPECT_EQ(HighScores9.Entries[0].name, "Ada");
    EXPECT_EQ(HighScores9.Entries[0].time, 61000);
    EXPECT_EQ(HighScores9.Entries[0].difficulty, 2);
    TPellixHighScoreList reread;
    reread.Create(shared.Str() + "hs9x9", 10, 10);
    reread.Load();
    ASSERT_GE(reread.Count(), 1u);
    EXPECT_EQ(reread.Entries[0].name, "Ada");
    EXPECT_EQ(s.endLevelMenu->Show, 1);
}

TEST_F(GameScreenTest, SolvingWithoutABestTimeCelebratesAndLocksTheBoard) {
    FillBestTimes(HighScores9, "hs9x9");
    Enter(9);
    Now += 5000;
    Solve();
    EXPECT_EQ(PuzzleCompleted, 1);
    EXPECT_FALSE(GameScreen->NameInput);
    EXPECT_EQ(GameScreen->endLevelMenu->Show, 1);
    EXPECT_EQ(HighScores9.Entries[9].name, "Fast");
    ASSERT_TRUE(CompletionParticles);
    EXPECT_EQ(CompletionParticles->Count(), Game->Particles * 50 / 100);  // the first burst at once
    Now += 800;
    Tick();
    EXPECT_EQ(CompletionParticles->Count(), 2 * Game->Particles * 50 / 100);
    ChosenNumber = 0;
    ClickCell(0, 0);
    EXPECT_NE(Puzzle[0][0], 0) << "a click on a cell changes nothing now";
    ClickButton(*GameScreen->MainMenu, "savegame");
    EXPECT_FALSE(GameScreen->SaveGameNameInput) << "nothing to save after completion";
}

TEST_F(GameScreenTest, RestartFromTheEndMenuRestartsTimerAndFliesTheCellsIn) {
    FillBestTimes(HighScores9, "hs9x9");
    Enter(9);
    Now += 5000;
    Solve();
    ASSERT_EQ(GameScreen->endLevelMenu->Show, 1);
    ClickButton(*GameScreen->endLevelMenu->Menu, "restartpuzzle");
    ASSERT_TRUE(GameScreen->RestartInput);
    Now += 1234;
    PressKey(KEY_A + ('Y' - 'A'));
    EXPECT_FALSE(GameScreen->RestartInput);
    EXPECT_EQ(PuzzleCompleted, 0);
    EXPECT_EQ(PuzzleStartTime, Now);
    EXPECT_EQ(PuzzleEndTime, 0);
    EXPECT_EQ(Puzzle, PuzzleStart);
    int flying = 0;
    for (const auto& cell : CellList.Items()) flying += cell->y < float(cell->TargetY);
    EXPECT_GT(flying, 0);
}

// While a question is open, the end menu takes no clicks, so it cannot replace the open question.
TEST_F(GameScreenTest, EndMenuWaitsWhileAQuestionIsOpen) {
    FillBestTimes(HighScores9, "hs9x9");
    Enter(9);
    Now += 5000;
    Solve();
    ClickButton(*GameScreen->endLevelMenu->Menu, "backtomenu");
    ASSERT_TRUE(GameScreen->QuitInput);
    TDialogYesNo* question = GameScreen->QuitInput.get();
    GameScreen->endLevelMenu->Menu->FindButton("nextpuzzle")->Clicked = 1;
    GameScreen->endLevelMenu->Menu->ClickedName = "NEXTPUZZLE";
    Tick();
    EXPECT_EQ(GameScreen->QuitInput.get(), question);
    EXPECT_EQ(GenerateScreen->Active, 0);
}

TEST_F(GameScreenTest, EscapeAsksToLeaveOnlyWhenNoDialogIsOpenAndYesFadesOut) {
    NewBoard(9);
    GameScreen->PreStart();
    ASSERT_EQ(Game->GameFade->Active, 1);
    KeyDown(KEY_ESCAPE);
    Game->DoPeekEvent();
    Game->ReadKeys();
    GameScreen->Logic();
    EXPECT_EQ(Game->GameFade->Active, 0);
    EXPECT_FALSE(GameScreen->QuitInput) << "Escape that ends the fade-in is spent on the fade";
    KeyUp(KEY_ESCAPE);
    Tick();
    PressKey(KEY_ESCAPE);
    ASSERT_TRUE(GameScreen->QuitInput);
    PressKey(KEY_ESCAPE);  // answers "No"
    EXPECT_FALSE(GameScreen->QuitInput);
    EXPECT_EQ(Game->GameFade->Active, 0);
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    ClickButton(*GameScreen->MainMenu, "backtomenu");
    ASSERT_TRUE(GameScreen->QuitInput);
    PressKey(KEY_A + ('Y' - 'A'));
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Out, 1);
}

TEST_F(GameScreenTest, SaveNameTypedWritesTheSaveGameAndOpenDialogsTakeTheBoardsClicks) {
    Enter(9);
    ClickButton(*GameScreen->MainMenu, "savegame");
    ASSERT_TRUE(GameScreen->SaveGameNameInput);
    Type("evening");
    EXPECT_FALSE(GameScreen->SaveGameNameInput);
    EXPECT_EQ(GameScreen->ShowingInput, 0);
    EXPECT_TRUE(std::filesystem::exists(shared.Path() / "Evening.dat"));
    ClickButton(*GameScreen->MainMenu, "newpuzzle");
    ASSERT_TRUE(GameScreen->NewInput);
    auto [x, y] = FillAllButOne();
    ChosenNumber = Solution[x][y];
    ClickCell(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
}

TEST_F(GameScreenTest, BackgroundChangesEveryHundredAndFiftySecondsWithACrossFade) {
    Enter(9);
    TGameScreen& s = *GameScreen;
    const int first = s.LastImage;
    Now += 149999;
    Tick();
    EXPECT_EQ(s.LastImage, first);
    EXPECT_FALSE(s.CrossFade);
    Now += 1;
    Tick();
    EXPECT_EQ(s.LastImage, first % 4 + 1);
    ASSERT_TRUE(s.CrossFade);
    EXPECT_EQ(s.CrossFade->X1, 400);
    Tick(398);  // 2000 ms are 400 logic ticks, the first being the tick of the change
    EXPECT_TRUE(s.CrossFade);
    Tick(1);
    EXPECT_FALSE(s.CrossFade);
    for (int i = 0; i < 3; ++i) {
        Now += 150000;
        Tick();
    }
    EXPECT_EQ(s.LastImage, first);  // 1, 2, 3, 4, 1 ...
}

TEST_F(GameScreenTest, NewPuzzleRunsTheEngineOnceAfterTheOverlayFadedIn) {
    Enter(9);
    ClickButton(*GameScreen->MainMenu, "newpuzzle");
    PressKey(KEY_A + ('Y' - 'A'));
    ASSERT_EQ(GenerateScreen->Active, 1);
    EXPECT_EQ(Game->Mouse->Active, 0);
    generated = 0;
    GameScreen->Draw();
    EXPECT_EQ(generated, 0);  // still fading in
    // Clicks and keys during the overlay change nothing.
    auto [x, y] = FillAllButOne();
    ChosenNumber = Solution[x][y];
    ClickCell(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
    Tick(100);
    GameScreen->Draw();
    EXPECT_EQ(generated, 1);
    EXPECT_EQ(GenerateScreen->HasGenerated, 1);
    EXPECT_EQ(Game->DestinationTScreen, GameScreen.get());
    EXPECT_EQ(Game->Mouse->Active, 1);
    EXPECT_EQ(CustomPuzzleMode, 0);
    GameScreen->Draw();
    EXPECT_EQ(generated, 1);
    // The change of screen loads the board screen afresh with a new overlay.
    TGenerateScreen* overlay = GenerateScreen.get();
    Tick(200);
    EXPECT_NE(GenerateScreen.get(), overlay);
    EXPECT_EQ(GenerateScreen->Active, 0);
    EXPECT_EQ(Game->CurrentTScreen, GameScreen.get());
}

TEST_F(GameScreenTest, UnsolvableTypedPuzzleShowsTheMessageAndKeepsTheNumbers) {
    CustomPuzzleMode = 1;
    PuzzleWidth = PuzzleHeight = 9;
    Core.SetPuzzleRegion();
    Core.CustomPuzzle();
    EnterBoardScreen();
    Tick();
    Puzzle[0][0] = 5;
    ClickButton(*GameScreen->CustomPuzzleMenu, "checkplay");
    ASSERT_EQ(GenerateScreen->Active, 1);
    Tick(100);
    GameScreen->Draw();
    EXPECT_EQ(solved, 1);
    ASSERT_TRUE(GameScreen->OKInput);
    EXPECT_TRUE(GenerateScreen->FadeOut->Active);
    GameScreen->Draw();
    EXPECT_EQ(solved, 1);
    Tick(101);
    EXPECT_EQ(GenerateScreen->Active, 0);
    TGenerateScreen* overlay = GenerateScreen.get();
    PressKey(KEY_ESCAPE);  // confirms the message
    EXPECT_FALSE(GameScreen->OKInput);
    EXPECT_NE(GenerateScreen.get(), overlay);
    EXPECT_EQ(CustomPuzzleMode, 1);
    EXPECT_EQ(Puzzle[0][0], 5);
}

TEST_F(GameScreenTest, AcceptedTypedPuzzleBecomesAGame) {
    CustomPuzzleMode = 1;
    PuzzleWidth = PuzzleHeight = 4;
    Core.SetPuzzleRegion();
    Core.CustomPuzzle();
    EnterBoardScreen();
    Tick();
    Core.Solve = [](int n, const signed char* cells, signed char* out) {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                out[x * n + y] = static_cast<signed char>(board::SolvedValue(n, 2, 2, x, y));
        (void)cells;
        return 1;
    };
    Puzzle[0][0] = static_cast<std::uint8_t>(board::SolvedValue(4, 2, 2, 0, 0));
    ClickButton(*GameScreen->CustomPuzzleMenu, "checkplay");
    Tick(100);
    GameScreen->Draw();
    EXPECT_FALSE(GameScreen->OKInput);
    EXPECT_EQ(Game->DestinationTScreen, GameScreen.get());
    Tick(200);
    EXPECT_EQ(CustomPuzzleMode, 0);
    EXPECT_EQ(CustomPuzzleAccepted, 0);
    EXPECT_EQ(PuzzleStart[0][0], Puzzle[0][0]);
    EXPECT_EQ(Locked[0][0], 1);
    EXPECT_EQ(Solution[3][3], board::SolvedValue(4, 2, 2, 3, 3));
    EXPECT_EQ(CellList.Count(), 16);
}

TEST_F(GameScreenTest, OverlayHiddenHalfWayFadesBackAndFlushesInputTypedWhileItShows) {
    GenerateScreenReplace();
    TGenerateScreen& o = *GenerateScreen;
    Game->Mouse->Off();
    o.Show(0);
    EXPECT_EQ(o.Active, 1);
    EXPECT_EQ(o.MouseState, 0);
    Tick(0);
    for (int i = 0; i < 50; ++i) o.Logic();  // 250 of 500 ms
    o.Hide();
    EXPECT_EQ(o.FadeIn->Active, 0);
    EXPECT_EQ(o.FadeOut->Active, 1);
    EXPECT_NEAR(o.FadeOut->Counter, 50.0f, 0.01f);
    for (int i = 0; i < 51 && o.Active; ++i) o.Logic();
    EXPECT_EQ(o.Active, 0);
    EXPECT_EQ(Game->Mouse->Active, 0);
    KeyDown(KEY_0 + 5);
    Game->DoPeekEvent();
    o.Show(1);
    EXPECT_EQ(GameKeyDown(KEY_0 + 5), 0);
}

// An overlay shown again after its engine run (or while it fades out) runs the engine again instead of
// hanging on "generating" with the pointer off.
TEST_F(GameScreenTest, OverlayShownAgainRunsTheEngineAgain) {
    NewBoard(9);
    GenerateScreenReplace();
    TGenerateScreen& o = *GenerateScreen;
    o.Show(0);
    for (int i = 0; i < 101; ++i) o.Logic();
    o.Draw();
    ASSERT_EQ(generated, 2);  // the board's own puzzle, then this showing
    o.Hide();
    o.Logic();
    o.Show(0);
    EXPECT_EQ(o.FadeOut->Active, 0);
    for (int i = 0; i < 200; ++i) o.Logic();
    EXPECT_EQ(o.Active, 1);
    o.Draw();
    EXPECT_EQ(generated, 3);
    TGameScreen unstarted;
    EXPECT_NO_THROW(unstarted.Logic()) << "logic before the screen was started does nothing";
}

// A typed-in puzzle with several solutions: a full board that keeps the givens and breaks no rule finishes
// the puzzle even where it differs from the one solution the engine kept.
TEST_F(GameScreenTest, AnyRuleAbidingSolutionOfATypedPuzzleFinishesItButChangedGivensDoNot) {
    NewBoard(4);
    FillBestTimes(HighScores4, "hs4x4");
    // Givens: only the first row. Both grids below keep it and obey the rule.
    const int kept[4][4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};   // [y][x]
    const int other[4][4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {4, 3, 2, 1}, {2, 1, 4, 3}};  // rows 2 and 3 swapped
    PuzzleStart = {};
    for (int x = 0; x < 4; ++x) {
        PuzzleStart[x][0] = static_cast<std::uint8_t>(kept[0][x]);
        for (int y = 0; y < 4; ++y) Solution[x][y] = static_cast<std::uint8_t>(kept[y][x]);
    }
    Core.RestartPuzzle();
    EnterBoardScreen();
    Tick();
    for (int x = 0; x < 4; ++x)
        for (int y = 1; y < 3; ++y) Puzzle[x][y] = static_cast<std::uint8_t>(other[y][x]);
    Tick();
    EXPECT_EQ(PuzzleCompleted, 0);  // not full yet
    for (int x = 0; x < 4; ++x) Puzzle[x][3] = static_cast<std::uint8_t>(other[3][x]);
    Puzzle[0][3] = 1;  // breaks the rule
    Tick();
    EXPECT_EQ(PuzzleCompleted, 0);
    Puzzle[0][3] = static_cast<std::uint8_t>(other[3][0]);
    Tick();
    EXPECT_EQ(PuzzleCompleted, 1);
    EXPECT_EQ(Solution, Puzzle);
    EXPECT_NE(PuzzleEndTime, 0);
    // The solution with its first two columns swapped obeys the rule but changes givens.
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) Puzzle[x][y] = Solution[x < 2 ? 1 - x : x][y];
    EXPECT_FALSE(BoardSolvedByTheRule());
}

}  // namespace
