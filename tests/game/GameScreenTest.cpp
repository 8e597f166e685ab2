// The board screen driven as the running game drives it: input through the event queue, one logic call at
// a time, time from a hand-driven clock. The chosen number, the conflict flash, the stopwatch around pauses,
// the solved flow with and without a best time, Escape, open dialogs, and the generating overlay.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "BoardWorld.h"
#include "core/ErrorReport.h"
#include "game/GameNotice.h"
#include "game/HighScoreList.h"
#include "platform/Events.h"
#include "platform/Keys.h"
#include "presentation/Button.h"
#include "presentation/Dialog.h"
#include "presentation/Fade.h"
#include "presentation/GameImage.h"
#include "presentation/Menu.h"
#include "presentation/Particles.h"
#include "presentation/Sprite.h"

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
};

TEST_F(GameScreenTest, NumberIsChosenByTheLaterKeyAndByAQuickTap) {
    Enter(9);
    KeyDown(KEY_0 + 3);
    KeyDown(KEY_0 + 5);
    Tick();
    EXPECT_EQ(ChosenNumber, 5) << "of two held keys the later one";
    KeyUp(KEY_0 + 3);
    KeyUp(KEY_0 + 5);
    // A quick tap, down and up before the same logic call, still chooses.
    KeyDown(KEY_0 + 4);
    KeyUp(KEY_0 + 4);
    Tick();
    EXPECT_EQ(ChosenNumber, 4);
}

TEST_F(GameScreenTest, ConflictFlashEndsAfterOneSecondOfClockTime) {
    Enter(9);
    int x = -1, y = -1;
    for (int xx = 0; xx < 9 && x < 0; ++xx)
        for (int yy = 0; yy < 9 && x < 0; ++yy)
            if (Puzzle[xx][yy] == 0) x = xx, y = yy;
    ChosenNumber = 0;
    for (int yy = 0; yy < 9 && ChosenNumber == 0; ++yy) ChosenNumber = Puzzle[x][yy];
    TCell* cell = CellAt(x, y);
    MoveMouse(int(cell->x), int(cell->y));
    Press(1);
    Tick();
    ASSERT_EQ(ConflictShown, 1);
    const int start = ConflictTime;
    Release(1);
    Now = start + 999;
    Tick();
    EXPECT_EQ(ConflictShown, 1);
    Now = start + 1000;
    Tick();
    EXPECT_EQ(ConflictShown, 0);
}

TEST_F(GameScreenTest, PausesAndSuspensionsAreLeftOutOfThePuzzleTime) {
    Enter(9);
    const int start = PuzzleStartTime;
    Now += 10000;
    GameScreen->Draw();
    Game->Paused = 1;
    GameScreen->Draw();
    Now += 60000;
    GameScreen->Draw();
    EXPECT_EQ(StopwatchText(), "00:10");  // frozen while paused
    Game->Paused = 0;
    GameScreen->Draw();
    EXPECT_EQ(Now - PuzzleStartTime, Now - start - 60000);
    Now += 5000;
    Game->Suspended = 1;
    GameScreen->Draw();
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

// While playing, the side buttons answer the pointer exactly over their own pixels.
TEST_F(GameScreenTest, SideButtonsAnswerThePointerOverTheirOwnPixels) {
    Enter(9);
    const TButton* pause = GameScreen->MainMenu->FindButton("pause");
    ASSERT_NE(pause, nullptr);
    MoveMouse(int(pause->x) + pause->w / 2, int(pause->y));
    Tick();
    EXPECT_EQ(GameScreen->MainMenu->MouseOverName, "PAUSE");
    MoveMouse(int(pause->x) + pause->w / 2, int(pause->y) + pause->h);
    Tick();
    EXPECT_NE(GameScreen->MainMenu->MouseOverName, "PAUSE");
}

TEST_F(GameScreenTest, SolvingWithABestTimeAsksForANameAndStoresItAtOnce) {
    Enter(9);
    Now += 61000;
    Solve();
    TGameScreen& s = *GameScreen;
    ASSERT_EQ(PuzzleCompleted, 1);
    ASSERT_TRUE(s.NameInput);
    Now += 30000;
    EXPECT_EQ(StopwatchText(), "01:01");  // frozen
    Type("Ada");
    EXPECT_FALSE(s.NameInput);
    TPellixHighScoreList reread;
    reread.Create(shared.Str() + "hs9x9", 10, 10);
    reread.Load();
    ASSERT_GE(reread.Count(), 1u);
    EXPECT_EQ(reread.Entries[0].name, "Ada");
    EXPECT_EQ(reread.Entries[0].time, 61000);
}

TEST_F(GameScreenTest, SolvingWithoutABestTimeCelebratesAndLocksTheBoard) {
    FillBestTimes(HighScores9, "hs9x9");
    Enter(9);
    Now += 5000;
    Solve();
    EXPECT_EQ(PuzzleCompleted, 1);
    EXPECT_FALSE(GameScreen->NameInput);
    EXPECT_EQ(GameScreen->endLevelMenu->Show, 1);
    ASSERT_TRUE(CompletionParticles);
    ChosenNumber = 0;
    ClickCell(0, 0);
    EXPECT_NE(Puzzle[0][0], 0) << "a click on a cell changes nothing now";
    ClickButton(*GameScreen->MainMenu, "savegame");
    EXPECT_FALSE(GameScreen->SaveGameNameInput) << "nothing to save after completion";
    ClickButton(*GameScreen->MainMenu, "newpuzzle");
    EXPECT_TRUE(GameScreen->NewInput) << "the main menu still answers";
}

// While a question is open, the end menu takes no clicks, so it cannot replace the open question.
TEST_F(GameScreenTest, EndMenuWaitsWhileAQuestionIsOpen) {
    FillBestTimes(HighScores9, "hs9x9");
    Enter(9);
    Now += 5000;
    Solve();
    GameScreen->Draw();  // drawn, the end menu keeps all three of its buttons
    ClickButton(*GameScreen->endLevelMenu->Menu, "backtomenu");
    ASSERT_TRUE(GameScreen->QuitInput);
    TDialogYesNo* question = GameScreen->QuitInput.get();
    GameScreen->endLevelMenu->Menu->FindButton("nextpuzzle")->Clicked = 1;
    GameScreen->endLevelMenu->Menu->ClickedName = "NEXTPUZZLE";
    Tick();
    EXPECT_EQ(GameScreen->QuitInput.get(), question);
    EXPECT_EQ(GenerateScreen->Active, 0);
}

TEST_F(GameScreenTest, RestartHidesTheSolutionAndUnticksItsBox) {
    Enter(9);
    const auto tick = [] { return GameScreen->PuzzleMenu->FindButton("showhidesolution")->image->name; };
    const std::string unticked = tick();
    ClickButton(*GameScreen->PuzzleMenu, "showhidesolution");
    ASSERT_EQ(ShowSolution, 1);
    ASSERT_NE(tick(), unticked);
    ClickButton(*GameScreen->MainMenu, "restartpuzzle");
    ASSERT_TRUE(GameScreen->RestartInput);
    PressKey(KEY_A + ('Y' - 'A'));
    EXPECT_EQ(ShowSolution, 0);
    EXPECT_EQ(tick(), unticked);
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
    ClickButton(*GameScreen->MainMenu, "backtomenu");
    PressKey(KEY_A + ('Y' - 'A'));
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Out, 1);
}

// Escape counts while held and by a quick tap; the press that answers the question never asks again, however
// long the key stays down.
TEST_F(GameScreenTest, EscapeActsWhileHeldAndItsAnswerIsNotAskedAgain) {
    Enter(9);
    KeyDown(KEY_ESCAPE);
    Tick();
    ASSERT_TRUE(GameScreen->QuitInput) << "held";
    KeyUp(KEY_ESCAPE);
    KeyDown(KEY_ESCAPE);
    Tick(3);
    EXPECT_FALSE(GameScreen->QuitInput) << "answered \"No\" and not asked again while the key stays down";
    KeyUp(KEY_ESCAPE);
    Tick();
    KeyDown(KEY_ESCAPE);
    KeyUp(KEY_ESCAPE);
    Tick();
    EXPECT_TRUE(GameScreen->QuitInput) << "a quick tap";
}

TEST_F(GameScreenTest, OpenDialogsTakeTheBoardsClicks) {
    Enter(9);
    ClickButton(*GameScreen->MainMenu, "newpuzzle");
    ASSERT_TRUE(GameScreen->NewInput);
    auto [x, y] = FillAllButOne();
    ChosenNumber = Solution[x][y];
    ClickCell(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
    // Nor does the cell under the pointer light up or explain itself beneath the dialog.
    const std::string hint = GameText->FindString("Cell Message Text");
    const auto hintShown = [&] {
        rec.calls.clear();
        GameScreen->Draw();
        for (const TDrawCommand* t : rec.Find("DrawText"))
            if (t->text == hint) return true;
        return false;
    };
    EXPECT_FALSE(hintShown());
    GameScreen->NewInput->Kill();
    GameScreen->NewInput.reset();
    EXPECT_TRUE(hintShown()) << "the same pointer with the dialog closed";
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
    GameScreen->Draw();
    EXPECT_EQ(solved, 1) << "one engine run however often the overlay draws";
    ASSERT_TRUE(GameScreen->OKInput);
    Tick(101);
    PressKey(KEY_ESCAPE);  // confirms the message
    EXPECT_FALSE(GameScreen->OKInput);
    EXPECT_EQ(CustomPuzzleMode, 1);
    EXPECT_EQ(Puzzle[0][0], 5);
}

// An overlay shown again after its engine run (or while it fades out) runs the engine again instead of
// hanging on "generating" with the pointer off.
TEST_F(GameScreenTest, TheOverlaysPictureFadesInAndOut) {
    NewBoard(9);
    GenerateScreenReplace();
    TGenerateScreen& o = *GenerateScreen;
    const auto pictureAlpha = [&] {
        rec.calls.clear();
        o.Draw();
        const auto images = rec.Find("DrawImage");
        return images.empty() ? -1.0f : images.back()->state.alpha;
    };
    o.Show(0);
    for (int i = 0; i < 5; ++i) o.Logic();
    const float early = pictureAlpha();
    EXPECT_GT(early, 0.0f);
    EXPECT_LT(early, 1.0f);
    for (int i = 0; i < 200; ++i) o.Logic();
    EXPECT_FLOAT_EQ(pictureAlpha(), 1.0f);
    o.Hide();
    o.Logic();
    EXPECT_GT(pictureAlpha(), 0.9f) << "hiding starts from the full picture";
    for (int i = 0; i < 5; ++i) o.Logic();
    EXPECT_LT(pictureAlpha(), 1.0f);
}

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
    // The solution with its first two columns swapped obeys the rule but changes givens.
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) Puzzle[x][y] = Solution[x < 2 ? 1 - x : x][y];
    EXPECT_FALSE(BoardSolvedByTheRule());
}

// No system message box can open here (no screen for one), so with the display up the notice waits in
// the game's own OK dialog until the player closes it; the error log, kept for errors, is left alone.
TEST_F(GameScreenTest, ANoticeTheSystemBoxCannotShowWaitsInTheGamesOwnDialog) {
    Game->FullScreen = 0;
    Game->Driver = 1;
    Game->GraphicsCreate();
    LogFolder = shared.Str();
    int frames = 0;
    SetDelayHandler([&frames](int ms) {
        Now += ms;
        if (++frames == 3) {
            PostEvent(TEvent{EVENT_KEYDOWN, KEY_ESCAPE, 0, 0});
            PostEvent(TEvent{EVENT_KEYUP, KEY_ESCAPE, 0, 0});
        }
        if (frames > 500) Game->InstantExit = 1;  // never hang the suite
    });
    rec.calls.clear();
    GameNotice("The saved game is damaged and cannot be loaded.");
    EXPECT_EQ(Game->InstantExit, 0) << "the dialog did not close on Escape";
    EXPECT_GE(frames, 3) << "the notice did not wait for the player";
    bool shown = false;
    for (const TDrawCommand* text : rec.Find("DrawText"))
        shown = shown || text->text.find("damaged") != std::string::npos;
    EXPECT_TRUE(shown);
    EXPECT_FALSE(std::filesystem::exists(shared.Path() / "ErrorLog.txt")) << "a notice is no error";
}

// A new background fades in over the old one for two seconds; after that only the new one is drawn.
TEST_F(GameScreenTest, TheOldBackgroundIsNoLongerDrawnOnceTheCrossFadeIsOver) {
    Enter(9);
    const auto old = GameScreen->Image;
    auto drawsOf = [this](const std::shared_ptr<TImage>& image) {
        rec.calls.clear();
        GameScreen->Draw();
        int n = 0;
        for (const TDrawCommand* c : rec.Find("DrawImage")) n += c->image == image.get() ? 1 : 0;
        return n;
    };
    ASSERT_EQ(drawsOf(old), 1);
    Now += 150000;
    Tick();
    const auto fresh = GameScreen->Image;
    ASSERT_NE(fresh, old);
    EXPECT_EQ(drawsOf(old), 1) << "fading out";
    EXPECT_EQ(drawsOf(fresh), 1) << "fading in";
    Now += 1950;
    Tick(390);  // logic ticks of 5 ms
    EXPECT_EQ(drawsOf(old), 1) << "still fading";
    Now += 100;
    Tick(20);
    EXPECT_EQ(drawsOf(old), 0);
    EXPECT_EQ(drawsOf(fresh), 1);
    EXPECT_EQ(GameScreen->CrossFade, nullptr);
}

// Every key that chooses a number, and keys that choose none (the chosen number stays).
TEST_F(GameScreenTest, EveryNumberKeyChoosesItsNumber) {
    Enter(16);
    std::vector<std::pair<int, int>> rows = {{KEY_DELETE, 0}, {KEY_BACKSPACE, 0}};
    for (int n = 0; n <= 9; ++n) {
        rows.emplace_back(KEY_0 + n, n);
        rows.emplace_back(KEY_NUM0 + n, n);
    }
    for (int n = 10; n <= 16; ++n) rows.emplace_back(KEY_A + n - 10, n);
    for (int none : {1, 2, KEY_A + 7, KEY_0 - 1}) rows.emplace_back(none, -1);
    for (const auto& [key, number] : rows) {
        SCOPED_TRACE(key);
        const int before = number == 5 ? 6 : 5;
        ChosenNumber = before;
        PressKey(key);
        EXPECT_EQ(ChosenNumber, number < 0 ? before : number);
    }
}

TEST_F(GameScreenTest, EnteringKeepsTheMusicAndTheHeaderGlowsFromNothingUpToHalf) {
    NewBoard(9);
    Game->FadeMusic = 1;  // as the fade-out that leads here leaves it
    Game->Mouse->Off();   // as the play screen leaves it while it generates
    Game->Mouse->z = 4;   // the wheel turned before
    ChosenNumber = 5;
    EnterBoardScreen();
    EXPECT_EQ(Game->FadeMusic, 0) << "the music plays on into the board";
    EXPECT_EQ(Game->Mouse->Active, 1);
    EXPECT_EQ(ChosenNumber, 1);
    EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "Escape is the board's own";
    ASSERT_TRUE(GameScreen->Header);
    const TSprite& header = *GameScreen->Header;
    EXPECT_FLOAT_EQ(header.Glow, 0.0f);
    EXPECT_EQ(header.GlowMode, 3);
    EXPECT_FLOAT_EQ(header.GlowSpeed, 0.25f);
    EXPECT_FLOAT_EQ(header.GlowMin, 0.0f);
    EXPECT_FLOAT_EQ(header.GlowMax, 0.5f);
    Tick();
    EXPECT_EQ(ChosenNumber, 1) << "a wheel turned before the board is no step on it";
}

// A burst of n at full particles makes n coloured sparks that fly up and out from the point, spinning
// either way and fading in a second; the particles option scales their number.
TEST_F(GameScreenTest, ABurstMakesItsShareOfSparksEachWithinItsRanges) {
    Enter(9);
    CompletionParticles = std::make_unique<TParticleList>();
    const auto image = ImageBank->Find("particle2");
    const struct {
        int setting, n, made;
    } rows[] = {{100, 50, 50}, {100, 20, 20}, {50, 50, 25}, {80, 10, 8}, {0, 50, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.setting * 1000 + row.n);
        CompletionParticles->Clear();
        Game->Particles = row.setting;
        ParticleBurst(300, 200, image, row.n);
        EXPECT_EQ(CompletionParticles->Count(), row.made);
    }
    Game->Particles = 100;
    CompletionParticles->Clear();
    ParticleBurst(300, 200, image, 200);
    std::set<int> directions;
    for (const auto& p : CompletionParticles->Items()) {
        EXPECT_EQ(std::pair(p->x, p->y), std::pair(300.0f, 200.0f));
        EXPECT_TRUE(p->dx >= -1.5f && p->dx <= 1.5f) << p->dx;
        EXPECT_TRUE(p->dy >= -2.0f && p->dy <= 0.0f) << p->dy;
        EXPECT_FLOAT_EQ(p->ygravity, 0.01f);
        EXPECT_EQ(p->DoLightBlend, 1);
        EXPECT_TRUE(p->RotationSpeed >= 0.5f && p->RotationSpeed <= 3.0f) << p->RotationSpeed;
        EXPECT_TRUE(p->ScaleX >= 0.3f && p->ScaleX <= 1.0f) << p->ScaleX;
        EXPECT_EQ(p->DoScale, 0);
        EXPECT_EQ(p->FadeLength, Game->CalcAnimLength(1000));
        directions.insert(p->DoRotate);
        ASSERT_TRUE(p->Color);
        for (int c : {p->Color->R, p->Color->G, p->Color->B}) EXPECT_TRUE(c >= 100 && c <= 255) << c;
    }
    EXPECT_EQ(directions, (std::set<int>{-1, 1}));
    // Over many sparks each colour channel takes every value from 100 to 255, the ends included.
    CompletionParticles->Clear();
    ParticleBurst(300, 200, image, 3000);
    std::set<int> reds, greens, blues;
    for (const auto& p : CompletionParticles->Items())
        reds.insert(p->Color->R), greens.insert(p->Color->G), blues.insert(p->Color->B);
    for (const std::set<int>* channel : {&reds, &greens, &blues}) {
        ASSERT_FALSE(channel->empty());
        EXPECT_EQ(*channel->begin(), 100);
        EXPECT_EQ(*channel->rbegin(), 255);
    }
    CompletionParticles.reset();
    EXPECT_EQ(ParticleBurstCreate(1, 2, image), nullptr) << "no list, no spark";
}

// Once solved, a burst of fifty sparks goes off after a quarter to three quarters of a second, somewhere at
// least 100 pixels inside the screen.
TEST_F(GameScreenTest, BurstsGoOffAtIntervalsInsideTheScreen) {
    FillBestTimes(HighScores9, "hs9x9");
    Game->Particles = 100;
    Enter(9);
    Solve();
    ASSERT_TRUE(CompletionParticles);
    for (const auto& p : CompletionParticles->Items()) p->Data1 = 1;  // seen
    std::vector<int> burstTimes;
    for (int step = 0; step < 1000; ++step) {  // ten seconds in ticks of 10 ms
        Now += 10;
        Tick();
        std::vector<std::shared_ptr<TParticle>> fresh;
        for (const auto& p : CompletionParticles->Items())
            if (p->Data1 == 0) {
                p->Data1 = 1;
                fresh.push_back(p);
            }
        if (fresh.empty()) continue;
        burstTimes.push_back(Now);
        EXPECT_EQ(fresh.size(), 50u);
        const float x = fresh[0]->x - fresh[0]->dx;
        EXPECT_TRUE(x >= 99.5f && x <= ScreenWidth - 99.5f) << x;
        EXPECT_TRUE(fresh[0]->y >= 97 && fresh[0]->y <= ScreenHeight - 97) << fresh[0]->y;
        for (const auto& p : fresh) EXPECT_NEAR(p->x - p->dx, x, 1e-3f) << "one burst, one place";
    }
    ASSERT_GE(burstTimes.size(), 12u);
    EXPECT_LE(burstTimes.size(), 41u);
    int shortest = 1 << 30, longest = 0;
    for (size_t i = 1; i < burstTimes.size(); ++i) {
        shortest = std::min(shortest, burstTimes[i] - burstTimes[i - 1]);
        longest = std::max(longest, burstTimes[i] - burstTimes[i - 1]);
    }
    EXPECT_GE(shortest, 250);
    EXPECT_LE(longest, 760);
}

// The board's line of text: the reveal hint while armed, the congratulation once solved, and the time at
// the bottom left unless the timer is off or a puzzle is being typed in.
TEST_F(GameScreenTest, TheMessagesAndTheTimeShowWhenTheyShould) {
    const struct {
        int armed, completed, custom, timer;
        bool hint, done, time;
    } rows[] = {
        {0, 0, 0, 1, false, false, true},  {1, 0, 0, 1, true, false, true},   {0, 1, 0, 1, false, true, true},
        {0, 0, 0, 0, false, false, false}, {0, 0, 1, 1, false, false, false}, {1, 1, 0, 0, true, true, false},
    };
    Enter(9);
    Now += 83000;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.armed * 1000 + row.completed * 100 + row.custom * 10 + row.timer);
        ShowDesiredCellArmed = row.armed, PuzzleCompleted = row.completed, CustomPuzzleMode = row.custom;
        ShowTimer = row.timer;
        rec.calls.clear();
        GameScreen->Draw();
        ASSERT_FALSE(rec.calls.empty());
        EXPECT_EQ(rec.calls[0].op, "Cls") << "each frame starts from a cleared screen";
        std::string all;
        const TDrawCommand* time = nullptr;
        for (const TDrawCommand* c : rec.Find("DrawText")) {
            all += c->text + " ";
            if (c->text.find("01:23") != std::string::npos) time = c;
        }
        EXPECT_EQ(all.find("answer") != std::string::npos, row.hint) << all;
        EXPECT_EQ(all.find("solved") != std::string::npos, row.done) << all;
        EXPECT_EQ(time != nullptr, row.time) << all;
        if (time != nullptr) {
            EXPECT_EQ(time->text, "Time: 01:23");
            EXPECT_EQ(std::vector<float>(time->args.begin(), time->args.begin() + 2),
                      (std::vector<float>{25, 490}));
            EXPECT_EQ((std::vector<int>{time->state.red, time->state.green, time->state.blue}),
                      (std::vector<int>{255, 255, 255}));
        }
    }
    ShowDesiredCellArmed = PuzzleCompleted = CustomPuzzleMode = 0;
    ShowTimer = 1;
}

// A number key held down keeps its number chosen, also after the wheel moved away from it.
TEST_F(GameScreenTest, AHeldNumberKeyKeepsItsNumberChosen) {
    Enter(9);
    KeyDown(KEY_0 + 3);
    Tick();
    ASSERT_EQ(ChosenNumber, 3);
    ChosenNumber = 7;
    Tick(2);
    EXPECT_EQ(ChosenNumber, 3);
    KeyUp(KEY_0 + 3);
    Tick();
    ChosenNumber = 7;
    Tick();
    EXPECT_EQ(ChosenNumber, 7) << "let go, it chooses no more";
}

// Which menus the board shows: numbers and aids only while the puzzle is open, the main menu outside
// custom mode, the custom menu only in it.
TEST_F(GameScreenTest, EachMenuIsShownOnlyWhenItCanBeUsed) {
    Enter(9);
    auto shown = [this](const TMenu& menu) {
        std::set<const TImage*> images;
        for (const auto& button : menu)
            if (button->image) images.insert(button->image->image.get());
        for (const TDrawCommand* c : rec.Find("DrawImage"))
            if (images.count(c->image) != 0) return true;
        return false;
    };
    const struct {
        int completed, custom;
        bool numbers, main, aids, customMenu;
    } rows[] = {{0, 0, true, true, true, false},
                {1, 0, false, true, false, false},
                {0, 1, true, false, false, true},
                {1, 1, false, false, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.completed * 10 + row.custom);
        PuzzleCompleted = row.completed, CustomPuzzleMode = row.custom;
        rec.calls.clear();
        GameScreen->Draw();
        EXPECT_EQ(shown(*GameScreen->NumberMenu), row.numbers);
        EXPECT_EQ(shown(*GameScreen->MainMenu), row.main);
        EXPECT_EQ(shown(*GameScreen->PuzzleMenu), row.aids);
        EXPECT_EQ(shown(*GameScreen->CustomPuzzleMenu), row.customMenu);
    }
    PuzzleCompleted = CustomPuzzleMode = 0;
}

// A board left while it asks for a best time's name does not ask again on the next board.
TEST_F(GameScreenTest, TheNameQuestionGoesWithTheBoard) {
    Enter(9);
    Solve();
    ASSERT_TRUE(GameScreen->NameInput);
    GameScreen->Kill();
    Enter(9);
    EXPECT_FALSE(GameScreen->NameInput);
    ChosenNumber = 2;
    ClickCell(1, 0);
    EXPECT_EQ(Puzzle[1][0], 2) << "the new board takes clicks, no question takes them";
}

}  // namespace
