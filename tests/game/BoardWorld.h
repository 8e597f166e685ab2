// Shared set-up of the board tests: the whole program state a board needs, headless. An application object
// reading the built data (images, menus, sounds, texts, the archive's pictures and fonts), the best-time
// tables and save games in a throw-away folder, a hand-driven clock, stand-in engine calls that hand out one
// known puzzle, a recording draw backend, and helpers that inject the player's input through the event
// queue, as the running game receives it. The board model's own tests start from CoreWorld, the core alone on
// the same clock.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "core/ErrorReport.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/GameText.h"
#include "core/Input.h"
#include "core/PakFileManager.h"
#include "core/SoundBank.h"
#include "core/Startup.h"
#include "game/Cells.h"
#include "game/Core.h"
#include "game/GameRun.h"
#include "game/GameScreen.h"
#include "game/GenerateScreen.h"
#include "game/TolvaneGame.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Events.h"
#include "platform/ImageFont.h"
#include "platform/Window.h"
#include "presentation/GameFade.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"
#include "support/TestEnv.h"

namespace board {

inline int Now = 0;

// A solved grid of size n (rows and columns shifted by the region shape), value at column x, row y.
inline int SolvedValue(int n, int regionW, int regionH, int x, int y) {
    return (y * regionW + y / regionH + x) % n + 1;
}

// The engine's grid layout: the cell (x, y) at index x * n + y. Every third cell of the solution is given.
inline void FillKnownPuzzle(int n, int regionW, int regionH, signed char* puzzle, signed char* solution) {
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int v = SolvedValue(n, regionW, regionH, x, y);
            solution[x * n + y] = static_cast<signed char>(v);
            puzzle[x * n + y] = static_cast<signed char>((x + 2 * y) % 3 == 0 ? v : 0);
        }
}

// An end-of-puzzle menu asked to stand at (x, y) stands there, and so does the top-left corner of its
// buttons.
inline void ExpectEndMenuAt(int x, int y) {
    QDEndLevelMenu menu;
    menu.Init(x, y);
    EXPECT_EQ(std::pair(menu.X, menu.Y), std::pair(x, y));
    float left = 1e9f, top = 1e9f;
    for (const auto& button : *menu.Menu) left = std::min(left, button->x), top = std::min(top, button->y);
    EXPECT_FLOAT_EQ(left, float(x));
    EXPECT_FLOAT_EQ(top, float(y));
}

inline std::string DataFolder(const std::string& sub) {
    return (testenv::BinDir() / "data" / sub).string() + "/";
}

// The board model alone, without screens or data: a fresh core on the hand-driven clock that pumps no events.
class CoreWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        Now = 100000;
        SetClockSource([] { return Now; });
        Core = TCore();
        Core.PumpEvents = [] {};
    }
    void TearDown() override { SetClockSource({}); }

    // Oracle: v may stand at (x, y) of the n x n board when no cell sharing its column, row or region holds
    // v, the cell itself included.
    static bool OracleAllowed(int v, int x, int y, int n) {
        for (int i = 0; i < n; ++i)
            if (Puzzle[x][i] == v || Puzzle[i][y] == v) return false;
        for (int cx = 0; cx < n; ++cx)
            for (int cy = 0; cy < n; ++cy)
                if (cx / RegionWidth == x / RegionWidth && cy / RegionHeight == y / RegionHeight &&
                    Puzzle[cx][cy] == v)
                    return false;
        return true;
    }
};

class BoardWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        Now = 1000000;
        SetClockSource([] { return Now; });
        Game = std::make_unique<TTolvaneGame>();
        Game->FixedRateLogic->CalcMS();
        Game->FullScreen = 1;  // windowed mode would read the system cursor while drawing the pointer
        Game->SubPath = shared.Str();
        Game->SetImagePath(DataFolder("graphics"));
        Game->SetMenuPath(DataFolder("menus"));
        Game->SetSoundPath(DataFolder("sound"));
        Game->SetTextPath(DataFolder("text"));
        Game->SetProfilePath(shared.Str());
        Game->Sound = 0;
        Delta = 1.0f;
        ImageBank = std::make_unique<TImageBank>();
        ImageBank->SetPath(Game->ImagePath);
        SoundBank = std::make_unique<TSoundBank>();
        SoundBank->SetPath(Game->SoundPath);
        GameText = TGameText::Create("gametext.txt");
        PakManager = TPakFileManager::Create(DataFolder("resources"), ".pak");
        ASSERT_TRUE(PakManager);
        for (auto [font, size] : {std::pair{&FontCalibri10, 10},
                                  {&FontCalibri11, 11},
                                  {&FontCalibri12, 12},
                                  {&FontCalibri14, 14},
                                  {&FontCalibri16, 16},
                                  {&FontCalibri18, 18},
                                  {&FontCalibri20, 20},
                                  {&FontCalibri25, 25},
                                  {&FontCalibri34, 34}})
            *font = PakManager->GetImageFont("calibri.ttf", size, 4);
        ResetDrawStateDefaults();
        SetDrawBackend(&rec);
        GameRunStartTitle = nullptr;
        GameRun();
        Game->SuspendedEvent = 0;
        FlushEvents();
        GameFlushKeys();

        Core = TCore();
        Core.PumpEvents = [] {};
        Core.Generate = [this](int size, int, signed char* puzzle, signed char* solution) {
            ++generated;
            int rw = 3, rh = 3;
            RegionOf(size, rw, rh);
            FillKnownPuzzle(size, rw, rh, puzzle, solution);
            return 1;
        };
        Core.Solve = [this](int, const signed char*, signed char*) {
            ++solved;
            return 0;
        };
        ResetBoardFlags();
        Core.Start();
        BoardScreensInit();
    }

    void TearDown() override {
        SetInGameNotice(nullptr);
        SetDelayHandler(nullptr);
        EndGraphics();
        if (GameScreen) GameScreen->Kill();
        GameScreen = std::make_unique<TGameScreen>();
        GenerateScreen = std::make_unique<TGenerateScreen>();
        CompletionParticles.reset();
        LastBurstTime = 0;
        CellList.Clear();
        Core = TCore();
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
        PakManager.reset();
        ImageBank.reset();
        SoundBank.reset();
        GameText.reset();
        for (auto* font : {&FontCalibri10, &FontCalibri11, &FontCalibri12, &FontCalibri14, &FontCalibri16,
                           &FontCalibri18, &FontCalibri20, &FontCalibri25, &FontCalibri34})
            font->reset();
        Game.reset();
        FlushEvents();
        GameFlushKeys();
        SetClockSource({});
    }

    static void RegionOf(int n, int& rw, int& rh) {
        rw = n == 4 ? 2 : n == 6 ? 3 : n == 12 ? 4 : n == 16 ? 4 : 3;
        rh = n == 4 ? 2 : n == 6 ? 2 : n == 12 ? 3 : n == 16 ? 4 : 3;
    }

    static void ResetBoardFlags() {
        Puzzle = PuzzleStart = Locked = Solution = {};
        Markup = {};
        ShowMarkup = ShowSolution = ShowMistakes = ShowDesiredCellArmed = PuzzleCompleted = 0;
        CustomPuzzleMode = CustomPuzzleAccepted = 0;
        ConflictShown = ConflictTime = ConflictX = ConflictY = 0;
        HighlightX = HighlightY = -1;
        NumbersLocked = 1;
        ChosenNumber = 1;
        PreventDoubleNumbers = 1;
        ShowTimer = 1;
        ShowHighlighter = 0;
        PuzzleStartTime = PuzzleEndTime = 0;
    }

    // A known puzzle of size n on the board, cells at rest, stopwatch started.
    void NewBoard(int n, int flyIn = 0) {
        PuzzleWidth = PuzzleHeight = n;
        Core.SetPuzzleRegion();
        Core.CreatePuzzle(n, n, 2);
        Core.CreateCells(flyIn);
        Core.RestartPuzzle();
    }

    // The board screen entered as the play screen enters it, with its fade-in already over.
    void EnterBoardScreen() {
        GameScreen->PreStart();
        Game->GameFade->Finish();
        Game->GameFade->GetDone();
    }

    // What is drawn from now on goes to a real renderer's 800 x 600 frame, to be compared with references.
    void DrawOffscreen() {
        offscreenBackend = CreateOffscreenBackend(800, 600);
        ASSERT_TRUE(offscreenBackend);
        SetDrawBackend(offscreenBackend.get());
        ResetDrawStateDefaults(800, 600);
    }

    // Every logic call of the running game, in its order: events, keys, clicks, the screen's logic.
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            Game->DoPeekEvent();
            Game->GameFade->Manage();
            Game->ScreenChange();
            if (Game->CurrentTScreen) Game->CurrentTScreen->Logic();
        }
    }

    TCell* CellAt(int x, int y) {
        for (const auto& cell : CellList.Items())
            if (cell->ArrayLocationX == x && cell->ArrayLocationY == y) return cell.get();
        return nullptr;
    }

    static void MoveMouse(int x, int y) { PostEvent({EVENT_MOUSEMOVE, 0, x, y}); }
    static void Press(int button) { PostEvent({EVENT_MOUSEDOWN, button, 0, 0}); }
    static void Release(int button) { PostEvent({EVENT_MOUSEUP, button, 0, 0}); }
    static void KeyDown(int key) { PostEvent({EVENT_KEYDOWN, key, 0, 0}); }
    static void KeyUp(int key) { PostEvent({EVENT_KEYUP, key, 0, 0}); }

    // A full click on the cell's centre with that button, delivered before one logic call.
    void ClickCell(int x, int y, int button = 1) {
        TCell* cell = CellAt(x, y);
        ASSERT_NE(cell, nullptr);
        MoveMouse(int(cell->x), int(cell->y));
        Press(button);
        Tick();
        Release(button);
        Tick();
    }

    // One press and release of a button on the cell, with the cells managed once per logic call; a control
    // key (when not 0) held over the click.
    void ManagedClick(int x, int y, int button, int controlKey) {
        TCell* cell = CellAt(x, y);
        ASSERT_NE(cell, nullptr);
        if (controlKey) KeyDown(controlKey);
        MoveMouse(int(cell->x), int(cell->y));
        Press(button);
        Game->DoPeekEvent();
        CellList.Manage();
        Release(button);
        if (controlKey) KeyUp(controlKey);
        Game->DoPeekEvent();
        CellList.Manage();
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

    // Text typed into the open entry, one character per logic call, then Enter.
    void Type(const std::string& text) {
        for (char c : text) {
            PostEvent({EVENT_KEYCHAR, c, 0, 0});
            Tick();
        }
        PostEvent({EVENT_KEYCHAR, 13, 0, 0});
        Tick();
    }

    testenv::TempDir shared;
    TRecordingBackend rec;
    std::unique_ptr<TDrawBackend> offscreenBackend;
    int generated = 0;
    int solved = 0;
};

}  // namespace board
