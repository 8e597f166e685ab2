// The board screen as the player meets it: every button of its menus answers a click on its first and last
// pixel and none beside it, the board is drawn as expected in each state a player sees (whole frames against
// references board-<state>.png), and a board entered anew keeps nothing of the one left before.
#include <set>
#include <utility>

#include "Scenario.h"

namespace {

using scenario::RowName;
using scenario::TRow;

class BoardScreenTest : public scenario::ScenarioWorld {
  protected:
    // The scenario actions, and the board's own:
    //   highlighter              the highlighter option on
    //   untilboard               steps until the board is the current screen (its first frame)
    //   away                     the pointer off the board and every menu
    //   escdown / escup          Escape pressed and held / let go
    //   reenter                  the board left and entered again as a screen change does it
    //   solvable                 the engine solves any typed-in puzzle to the known grid
    //   leave                    the board left as a screen change does it (the quit with a dialog open)
    //   almost                   every empty cell but one filled with the solution
    //   fulltable                the best-time table of the board's size full of times no one can beat
    //   slowtable                that table full of ten-minute times
    void Play(const std::string& script) {
        for (const std::string& action : scenario::Split(script, ';')) {
            SCOPED_TRACE(action);
            const auto a = scenario::Split(action, ' ');
            if (a[0] == "highlighter") {
                ShowHighlighter = 1;
            } else if (a[0] == "untilfaded") {
                // Until the board shows after the overlay's fade-out: its first frames.
                for (int i = 0;
                     i < 4000 && !(Game->CurrentTScreen == GameScreen.get() && CustomPuzzleMode == 0); ++i)
                    Step();
            } else if (a[0] == "untilboard") {
                for (int i = 0; i < 4000 && Game->CurrentTScreen != GameScreen.get(); ++i) Step();
            } else if (a[0] == "solvable") {
                Core.Solve = [](int n, const signed char*, signed char* out) {
                    int rw = 3, rh = 3;
                    RegionOf(n, rw, rh);
                    for (int x = 0; x < n; ++x)
                        for (int y = 0; y < n; ++y)
                            out[x * n + y] = static_cast<signed char>(board::SolvedValue(n, rw, rh, x, y));
                    return 1;
                };
            } else if (a[0] == "leave") {
                GameScreen->Kill();
            } else if (a[0] == "reenter") {
                GameScreen->Kill();
                EnterBoardScreen();
                Step();
            } else if (a[0] == "almost") {
                bool first = true;
                for (int x = 0; x < PuzzleWidth; ++x)
                    for (int y = 0; y < PuzzleHeight; ++y)
                        if (Puzzle[x][y] == 0 && !std::exchange(first, false)) Puzzle[x][y] = Solution[x][y];
            } else if (a[0] == "fulltable") {
                for (int i = 0; i < 10; ++i) HighScoreTable(PuzzleWidth)->Insert("Fast", 1, PuzzleDifficulty);
            } else if (a[0] == "slowtable") {
                for (int i = 0; i < 10; ++i)
                    HighScoreTable(PuzzleWidth)->Insert("Slow", 600000, PuzzleDifficulty);
            } else if (a[0] == "escdown") {
                KeyDown(KEY_ESCAPE);
                PostEvent({EVENT_KEYCHAR, KEY_ESCAPE, 0, 0});
                Step();
            } else if (a[0] == "escup") {
                KeyUp(KEY_ESCAPE);
                Step();
            } else if (a[0] == "away") {
                MoveMouse(400, 595);
                Step();
            } else {
                Act(a);
            }
        }
    }

    std::string See(const std::string& what) {
        if (what == "sparkles") return std::to_string(Game->Mouse->ParticleList->Count());
        if (what == "crossfade") return GameScreen->CrossFade ? "yes" : "no";
        if (what == "typingblocked") return std::to_string(Game->BlockKeys);
        if (what == "dialogs") {
            const TGameScreen& g = *GameScreen;
            return std::to_string(int(bool(g.RestartInput)) + int(bool(g.NewInput)) + int(bool(g.QuitInput)) +
                                  int(bool(g.NameInput)) + int(bool(g.SaveGameNameInput)) +
                                  int(bool(g.OKInput)));
        }
        if (what.rfind("hasbutton:", 0) == 0) {
            TMenu* menu = MenuNamed("dialog");
            return menu && menu->FindButton(what.substr(10)) ? "yes" : "no";
        }
        if (what == "besttime") return std::to_string(HighScoreTable(PuzzleWidth)->Entries.front().time);
        // The picture a button shows under the pointer.
        if (what.rfind("hoverimage:", 0) == 0) {
            const auto parts = scenario::Split(what.substr(11), '.');
            const TButton* b = MenuNamed(parts.at(0))->FindButton(parts.at(1));
            return b && b->ImageMouseOver ? b->ImageMouseOver->name : "none";
        }
        if (what == "flying") {
            int away = 0;
            for (const auto& cell : CellList.Items())
                away += int(cell->x) != cell->TargetX || int(cell->y) != cell->TargetY ? 1 : 0;
            return away > 0 ? "yes" : "no";
        }
        if (what == "applause") {
            const auto applause = SoundBank->Find("applause")->sound;
            for (const auto& c : channels)
                if (c->sound == applause) return "played";
            return "silent";
        }
        if (what == "elapsed") return std::to_string(board::Now - PuzzleStartTime);
        if (what == "pointer") return std::to_string(Game->Mouse->Active);
        if (what.rfind("hovered:", 0) == 0) {
            std::string hovered;
            for (const auto& b : *MenuNamed(what.substr(8))) hovered += b->MouseOver != 0 ? b->name : "";
            return "[" + hovered + "]";
        }
        // Steps until the running fade is over.
        if (what == "fadeticks") {
            int n = 0;
            for (; n < 1000 && Game->GameFade->Active; ++n) Step();
            return std::to_string(n);
        }
        // Whether the logo's glow moves over the next ten steps.
        if (what == "glow") {
            const float before = GameScreen->Header->Glow;
            Steps(10);
            return GameScreen->Header->Glow == before ? "still" : "moving";
        }
        if (what == "showing") return std::to_string(GameScreen->ShowingInput);
        if (what == "endshown") return std::to_string(GameScreen->endLevelMenu->Show);
        if (what.rfind("shot:", 0) == 0) return Shot(what.substr(5));
        return Observe(what);
    }

    // The whole board drawn by a real renderer, compared with the reference board-<name>.png.
    std::string Shot(const std::string& name) { return Said(FrameMatches("board-" + name)); }
};

class BoardScreenRows : public BoardScreenTest, public ::testing::WithParamInterface<TRow> {};

TEST_P(BoardScreenRows, LeaveTheStateAPlayerSees) {
    const TRow& row = GetParam();
    Start(row.start);
    Play(row.script);
    EXPECT_EQ(See(row.state), row.expected) << row.script;
}

// Every button from its top-left and its bottom-right pixel; the pixels just beside them do nothing.
const TRow Corners[] = {
    {"MainPause", "board9", "corner main pause", "paused", "1"},
    {"MainPauseFar", "board9", "farcorner main pause", "paused", "1"},
    {"MainPauseOutside", "board9", "outside main pause", "paused", "0"},
    {"MainSave", "board9", "corner main savegame", "dialog", "savename"},
    {"MainSaveFar", "board9", "farcorner main savegame", "dialog", "savename"},
    {"MainSaveOutside", "board9", "outside main savegame", "dialog", "none"},
    {"MainNew", "board9", "corner main newpuzzle", "dialog", "new"},
    {"MainNewFar", "board9", "farcorner main newpuzzle", "dialog", "new"},
    {"MainNewOutside", "board9", "outside main newpuzzle", "dialog", "none"},
    {"MainRestart", "board9", "corner main restartpuzzle", "dialog", "restart"},
    {"MainRestartFar", "board9", "farcorner main restartpuzzle", "dialog", "restart"},
    {"MainRestartOutside", "board9", "outside main restartpuzzle", "dialog", "none"},
    {"MainBack", "board9", "corner main backtomenu", "dialog", "quit"},
    {"MainBackFar", "board9", "farcorner main backtomenu", "dialog", "quit"},
    {"MainBackOutside", "board9", "outside main backtomenu", "dialog", "none"},
    {"MainAfterTheEnd", "board4", "solve; type Ann; corner main restartpuzzle", "dialog", "restart"},
    {"MainAfterTheEndFar", "board4", "solve; type Ann; farcorner main backtomenu", "dialog", "quit"},
    {"MainAfterTheEndOutside", "board4", "solve; type Ann; outside main backtomenu", "dialog", "none"},

    {"AidMistakes", "board9", "corner aids showhidemistakes", "mistakes", "1"},
    {"AidMistakesFar", "board9", "farcorner aids showhidemistakes", "mistakes", "1"},
    {"AidMistakesOutside", "board9", "outside aids showhidemistakes", "mistakes", "0"},
    {"AidLock", "board9", "corner aids lockunlocknumbers", "locked", "0 off"},
    {"AidLockFar", "board9", "farcorner aids lockunlocknumbers", "locked", "0 off"},
    {"AidLockOutside", "board9", "outside aids lockunlocknumbers", "locked", "27 on"},
    {"AidRandom", "board9", "corner aids showrandomcell", "filled", "28"},
    {"AidRandomFar", "board9", "farcorner aids showrandomcell", "filled", "28"},
    {"AidRandomOutside", "board9", "outside aids showrandomcell", "filled", "27"},
    {"AidDesired", "board9", "corner aids showdesiredcell", "armed", "1"},
    {"AidDesiredFar", "board9", "farcorner aids showdesiredcell", "armed", "1"},
    {"AidDesiredOutside", "board9", "outside aids showdesiredcell", "armed", "0"},
    {"AidMarks", "board9", "corner aids showhideautomarkup", "markup", "1"},
    {"AidMarksFar", "board9", "farcorner aids showhideautomarkup", "markup", "1"},
    {"AidMarksOutside", "board9", "outside aids showhideautomarkup", "markup", "0"},
    {"AidSolution", "board9", "corner aids showhidesolution", "solution", "1"},
    {"AidSolutionFar", "board9", "farcorner aids showhidesolution", "solution", "1"},
    {"AidSolutionOutside", "board9", "outside aids showhidesolution", "solution", "0"},

    {"NumberFirst", "board9", "corner numbers 0", "chosen", "0"},
    {"NumberFirstFar", "board9", "farcorner numbers 0", "chosen", "0"},
    {"NumberFirstOutside", "board9", "outside numbers 0", "chosen", "1"},
    {"NumberLast", "board9", "corner numbers 9", "chosen", "9"},
    {"NumberLastFar", "board9", "farcorner numbers 9", "chosen", "9"},
    {"NumberLastOutside", "board9", "outside numbers 9", "chosen", "1"},
    {"SmallNumberFirst", "board16", "corner numbers small0", "chosen", "0"},
    {"SmallNumberFirstFar", "board16", "farcorner numbers small0", "chosen", "0"},
    {"SmallNumberLast", "board16", "corner numbers small16", "chosen", "16"},
    {"SmallNumberLastFar", "board16", "farcorner numbers small16", "chosen", "16"},
    {"SmallNumberLastOutside", "board16", "outside numbers small16", "chosen", "1"},

    {"CustomBack", "custom", "corner custom backtomenu", "dialog", "quit"},
    {"CustomBackFar", "custom", "farcorner custom backtomenu", "dialog", "quit"},
    {"CustomBackOutside", "custom", "outside custom backtomenu", "dialog", "none"},
    {"CustomCheck", "custom", "corner custom checkplay", "overlay", "1"},
    {"CustomCheckFar", "custom", "farcorner custom checkplay", "overlay", "1"},
    {"CustomCheckOutside", "custom", "outside custom checkplay", "overlay", "0"},

    {"EndNext", "board4", "solve; type Ann; corner end nextpuzzle", "overlay", "1"},
    {"EndNextFar", "board4", "solve; type Ann; farcorner end nextpuzzle", "overlay", "1"},
    {"EndNextOutside", "board4", "solve; type Ann; outside end nextpuzzle", "overlay", "0"},
    {"EndRestart", "board4", "solve; type Ann; corner end restartpuzzle", "dialog", "restart"},
    {"EndRestartFar", "board4", "solve; type Ann; farcorner end restartpuzzle", "dialog", "restart"},
    {"EndRestartOutside", "board4", "solve; type Ann; outside end restartpuzzle", "dialog", "none"},
    {"EndBack", "board4", "solve; type Ann; corner end backtomenu", "dialog", "quit"},
    {"EndBackFar", "board4", "solve; type Ann; farcorner end backtomenu", "dialog", "quit"},
    {"EndBackOutside", "board4", "solve; type Ann; outside end backtomenu", "dialog", "none"},
};

INSTANTIATE_TEST_SUITE_P(Corners, BoardScreenRows, ::testing::ValuesIn(Corners), RowName);

// The whole board in each state a player sees. On 9 x 9 the empty cell (1, 0) holds 2; 3 there is a mistake.
const TRow Frames[] = {
    {"Restarted", "board9",
     "click aids showhidemistakes; click aids lockunlocknumbers; click aids showhideautomarkup; click aids "
     "showhidesolution; click main restartpuzzle; click dialog Yes; steps 800; away",
     "shot:restarted", "match"},
    {"CompletedWithoutABestTime", "board4", "fulltable; solve; away; wait 1000", "shot:completed-notime",
     "match"},
    {"Marks", "board9", "key 2; cell 1 0 right; key 5; cell 1 0 right; key 3; cell 2 1 ctrl; away",
     "shot:marks", "match"},
    {"MistakeShown", "board9", "click aids showhidemistakes; key 3; cell 1 0; away", "shot:mistakes",
     "match"},
    {"SolutionShown", "board9", "click aids showhidesolution; away", "shot:solution", "match"},
    {"AutoMarks", "board9", "click aids showhideautomarkup; away", "shot:automarks", "match"},
    {"Highlighter", "board9", "highlighter; point 4 4", "shot:highlighter", "match"},
    {"ChosenNumber", "board9", "click numbers 6; away", "shot:chosen", "match"},
    {"CellAsked", "board9", "click aids showdesiredcell; away", "shot:cellasked", "match"},
    {"Paused", "board9", "wait 61000; key p", "shot:paused", "match"},
    {"Completed", "board4", "wait 42000; solve; type Ann; away; wait 3000", "shot:completed", "match"},
    {"CustomPuzzle", "custom", "key 4; cell 2 2; away", "shot:custom", "match"},
    {"CustomPuzzleSixteen", "play", "click size 16x16; click play custom; settle; away", "shot:custom16",
     "match"},
    {"BackgroundCrossFading", "board9", "away; wait 150000; steps 200", "shot:crossfade", "match"},
};

INSTANTIATE_TEST_SUITE_P(Frames, BoardScreenRows, ::testing::ValuesIn(Frames), RowName);

// A board entered anew keeps nothing of the board left before.
const TRow Fresh[] = {
    // The menus' sparkle trail ends as the board comes.
    {"NoSparklesOnTheBoard", "play", "click play play; untilboard", "sparkles", "0"},
    {"NoBurstsAfterTheNextPuzzle", "board4", "solve; type Ann; wait 3000; click end nextpuzzle; settle",
     "particles", "-1"},
    {"NoEndMenuAfterTheNextPuzzle", "board4", "solve; type Ann; click end nextpuzzle; settle", "endshown",
     "0"},
    {"NoRestartQuestion", "board9", "click main restartpuzzle; reenter", "dialog", "none"},
    {"NoNewPuzzleQuestion", "board9", "click main newpuzzle; reenter", "dialog", "none"},
    {"NoLeaveQuestion", "board9", "key esc; reenter", "dialog", "none"},
    {"NoNameQuestion", "board4", "solve; reenter", "dialog", "none"},
    {"NoSaveNameQuestion", "board9", "click main savegame; reenter", "dialog", "none"},
    {"NoNotSolvableMessage", "custom", "click custom checkplay; settle; reenter", "dialog", "none"},
    {"NoQuestionShowing", "board9", "click main restartpuzzle; reenter", "showing", "0"},
    {"NoCrossFadeLeftOver", "board9",
     "wait 150000; steps 10; key esc; click dialog Yes; settle; click play play; settle", "crossfade", "no"},
};

// What each answer and each click of the board leads to.
const TRow Outcomes[] = {
    {"EndNextAsksNothing", "board4", "solve; type Ann; click end nextpuzzle", "dialogs", "0"},
    {"EndRestartAsksOneQuestion", "board4", "solve; type Ann; click end restartpuzzle", "dialogs", "1"},
    {"EndBackAsksOneQuestion", "board4", "solve; type Ann; click end backtomenu", "dialogs", "1"},
    {"NoBestTimeGoesStraightToTheEndMenu", "board4", "fulltable; solve", "endshown", "1"},
    {"NoBestTimeAsksNothing", "board4", "fulltable; solve", "dialogs", "0"},
    {"TheEasiestPuzzlesHaveBestTimesToo", "play",
     "click difficulty veryeasy; click size 4x4; click play play; settle; solve", "dialog", "name"},
    // A time enters the table ahead of slower ones, as the time the puzzle took.
    {"AFasterTimeAsksForAName", "board4", "slowtable; wait 42000; solve", "dialog", "name"},
    {"AFasterTimeIsKept", "board4", "slowtable; wait 42000; solve; type Ann", "besttime", "42030"},
    // The chosen number's button keeps its chosen look under the pointer, however it was chosen.
    {"ChosenAtTheStartUnderThePointer", "board9", "steps 1", "hoverimage:numbers.1", "1ONMO"},
    {"ChosenByTheWheelUnderThePointer", "board9", "wheel down", "hoverimage:numbers.2", "2ONMO"},
    {"ChosenByAClickUnderThePointer", "board9", "click numbers 6", "hoverimage:numbers.6", "6ONMO"},
    {"NotChosenUnderThePointer", "board9", "click numbers 6", "hoverimage:numbers.1", "1MO"},
    // Escape held from before the board came, its press spent on ending the fade-in, asks nothing.
    {"EscapeHeldIntoTheBoardAsksNothing", "play", "click play play; untilboard; escdown; steps 20", "dialog",
     "none"},
    {"EscapePressedOnTheBoardAsks", "play", "click play play; settle; escdown; steps 20", "dialog", "quit"},
    // A typed-in puzzle the engine solves is played: its cells fly in, and the boards after it are entered
    // as they come.
    {"AcceptedTypedPuzzleIsPlayed", "custom", "solvable; key 1; cell 0 0; click custom checkplay; settle",
     "custommode", "0"},
    {"AcceptedTypedPuzzleFliesIn", "custom", "solvable; key 1; cell 0 0; click custom checkplay; untilfaded",
     "flying", "yes"},
    {"AfterATypedPuzzleALoadKeepsItsNumbers", "custom",
     "solvable; key 1; cell 0 0; click custom checkplay; settle; enter 1 0; click main savegame; type keep; "
     "key "
     "esc; click dialog Yes; settle; click play loadgame; select 0; click chooser Load; settle",
     "cell:1,0", "2"},
    {"ApplauseOnceSolved", "board4", "solve", "applause", "played"},
    {"NoApplauseBefore", "board4", "enter 1 0", "applause", "silent"},
    // The clock of a new puzzle runs from its making, through the fade to it.
    {"AfterATypedPuzzleANewPuzzleKeepsItsClock", "custom",
     "solvable; key 1; cell 0 0; click custom checkplay; settle; click main newpuzzle; click dialog Yes; "
     "settle",
     "elapsed", "1010"},
    {"NoSavingOnceSolved", "board4", "solve; type Ann; click main savegame", "dialogs", "0"},
    {"TheNameCannotBeCancelled", "board4", "solve; steps 200", "hasbutton:Cancel", "no"},
    {"TheSaveNameCanBeCancelled", "board9", "click main savegame; steps 200", "hasbutton:Cancel", "yes"},
    // The pointer goes while the overlay makes or checks a puzzle.
    {"NoPointerWhileANewPuzzleIsMade", "board9", "click main newpuzzle; click dialog Yes", "pointer", "0"},
    {"NoPointerWhileTheNextPuzzleIsMade", "board4", "solve; type Ann; click end nextpuzzle", "pointer", "0"},
    {"NoPointerWhileATypedPuzzleIsChecked", "custom", "click custom checkplay", "pointer", "0"},
    // The board is shown without the pointer's tile while a question is open or once it is solved.
    {"NoHoverUnderAQuestion", "board9", "click main restartpuzzle; point 1 0", "drawncount:cell3", "0"},
    {"NoHoverOnceSolved", "board4", "solve; type Ann; point 1 0", "drawncount:cell3", "0"},
    // Solved by an aid, that aid's button is no longer shown hovered.
    {"NoAidHoveredOnceSolved", "board4", "almost; click aids showrandomcell; steps 1", "hovered:aids", "[]"},
    // Each open dialog is drawn over the board.
    {"RestartQuestionDrawn", "board9", "click main restartpuzzle; steps 200", "drawn:dialog.Yes", "yes"},
    {"NewPuzzleQuestionDrawn", "board9", "click main newpuzzle; steps 200", "drawn:dialog.Yes", "yes"},
    {"LeaveQuestionDrawn", "board9", "key esc; steps 200", "drawn:dialog.Yes", "yes"},
    {"NameQuestionDrawn", "board4", "solve; steps 200", "drawn:dialog.OK", "yes"},
    {"SaveNameQuestionDrawn", "board9", "click main savegame; steps 200", "drawn:dialog.OK", "yes"},
    {"NotSolvableMessageDrawn", "custom", "click custom checkplay; settle; steps 200", "drawn:dialog.OK",
     "yes"},
    // The screen fades in for half a second with the board's own logic halted, and fades out for half a
    // second when left, the board going on meanwhile.
    {"FadeInLength", "play", "click play play; untilboard", "fadeticks", "100"},
    {"NoGlowDuringTheFadeIn", "play", "click play play; untilboard; steps 50", "glow", "still"},
    {"GlowAfterTheFadeIn", "play", "click play play; settle", "glow", "moving"},
    // The rest of the fade-out, then the play screen's fade-in.
    {"FadeOutLength", "board9", "key esc; click dialog Yes", "fadeticks", "199"},
    {"GlowGoesOnDuringTheFadeOut", "board9", "key esc; click dialog Yes; steps 50", "glow", "moving"},
    {"BackgroundComesRound", "board9", "wait 149995; wait 150000; wait 150000; wait 150000", "background",
     "same"},
    {"NoSparklesOnTheBoardLater", "play", "click play play; settle; steps 20", "sparkles", "0"},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, BoardScreenRows, ::testing::ValuesIn(Outcomes), RowName);

// The highlight is cleared once the puzzle is done, and stays so while the name is asked and after it.
const TRow Highlight[] = {
    {"ClearedAtTheEnd", "board4", "highlighter; point 1 1; solve", "highlight", "-1,-1"},
    {"ClearedAfterTheName", "board4", "highlighter; point 1 1; solve; type Ann; point 0 1", "highlight",
     "-1,-1"},
};

INSTANTIATE_TEST_SUITE_P(Highlight, BoardScreenRows, ::testing::ValuesIn(Highlight), RowName);

// A board left with a question open, as the quit does it, closes the question and gives Escape back.
const TRow LeftAsked[] = {
    {"Restart", "board9", "click main restartpuzzle; steps 200; leave", "dialogs", "0"},
    {"NewPuzzle", "board9", "click main newpuzzle; steps 200; leave", "dialogs", "0"},
    {"Leave", "board9", "key esc; steps 200; leave", "dialogs", "0"},
    {"Name", "board4", "solve; steps 200; leave", "dialogs", "0"},
    {"SaveName", "board9", "click main savegame; steps 200; leave", "dialogs", "0"},
    {"NotSolvable", "custom", "click custom checkplay; settle; steps 200; leave", "dialogs", "0"},
    {"KeysBlockedWhileTyping", "board9", "click main savegame; steps 200", "typingblocked", "1"},
    {"KeysFreed", "board9", "click main savegame; steps 200; leave", "typingblocked", "0"},
    {"NoneShowing", "board9", "click main restartpuzzle; steps 200; leave", "showing", "0"},
    {"NoBursts", "board4", "fulltable; solve; leave", "particles", "-1"},
    {"NoCrossFade", "board9", "wait 150000; steps 10; leave", "crossfade", "no"},
};

INSTANTIATE_TEST_SUITE_P(LeftAsked, BoardScreenRows, ::testing::ValuesIn(LeftAsked), RowName);

// ShowingInput tells whether a question is open.
const TRow Showing[] = {
    {"WhileAsked", "board9", "click main restartpuzzle; steps 1", "showing", "1"},
    {"AfterTheAnswer", "board9", "click main restartpuzzle; click dialog No", "showing", "0"},
    {"AfterTheNotSolvableMessage", "custom", "click custom checkplay; settle; click dialog OK", "showing",
     "0"},
};

INSTANTIATE_TEST_SUITE_P(Showing, BoardScreenRows, ::testing::ValuesIn(Showing), RowName);

INSTANTIATE_TEST_SUITE_P(Fresh, BoardScreenRows, ::testing::ValuesIn(Fresh), RowName);

}  // namespace

namespace {

// The screens are made once; a second call keeps them, and the board is known by its name "game".
TEST_F(BoardScreenTest, TheBoardScreensAreMadeOnce) {
    TGameScreen* board = GameScreen.get();
    TGenerateScreen* overlay = GenerateScreen.get();
    BoardScreensInit();
    EXPECT_EQ(GameScreen.get(), board);
    EXPECT_EQ(GenerateScreen.get(), overlay);
    EXPECT_EQ(GameScreen->name, "game");
    GameScreen.reset();
    GenerateScreen.reset();
    BoardScreensInit();
    EXPECT_TRUE(GameScreen);
    EXPECT_TRUE(GenerateScreen);
}

// Each entry shows one of the four backgrounds, each of them in turn, and no other.
TEST_F(BoardScreenTest, EveryEntryShowsOneOfTheFourBackgrounds) {
    Start("board9");
    std::set<int> shown;
    for (int seed = 1; seed <= 40; ++seed) {
        SeedRnd(seed);
        GameScreen->Load();
        const int n = GameScreen->LastImage;
        shown.insert(n);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 4);
        EXPECT_EQ(GameScreen->Image, ImageBank->Find("gamescreen" + std::to_string(n))->image);
    }
    EXPECT_EQ(shown, (std::set<int>{1, 2, 3, 4}));
}

// Only a square board of a size the game knows can be solved.
TEST_F(BoardScreenTest, OnlyAFullSquareBoardIsSolved) {
    Start("board4");
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) Puzzle[x][y] = Solution[x][y];
    const struct {
        int width, height;
        bool solved;
    } rows[] = {{4, 4, true}, {0, 0, false}, {4, 3, false}, {17, 17, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width * 100 + row.height);
        PuzzleWidth = row.width;
        PuzzleHeight = row.height;
        EXPECT_EQ(BoardSolvedByTheRule(), row.solved);
    }
    PuzzleWidth = PuzzleHeight = 4;
    // A full board that keeps the rule but not its one given, a 1 in the first column, is not solved.
    PuzzleStart = {};
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) Puzzle[x][y] = static_cast<std::uint8_t>(Solution[x][y] % 4 + 1);
    ASSERT_NE(Puzzle[0][0], 1);
    ASSERT_TRUE(BoardSolvedByTheRule()) << "without the given";
    PuzzleStart[0][0] = 1;
    EXPECT_FALSE(BoardSolvedByTheRule());
    Puzzle[0][0] = 1;
    EXPECT_FALSE(BoardSolvedByTheRule()) << "now it breaks the rule";
}

}  // namespace

namespace {

// Bursts go off from a quarter of a second on, rarely at once, and somewhere from the 100-pixel margin of the
// screen to the opposite one, both ends included.
TEST_F(BoardScreenTest, BurstsReachEveryEdgeOfTheirRanges) {
    Start("board4");
    Play("fulltable; solve; away");
    ASSERT_EQ(PuzzleCompleted, 1);
    Game->Particles = 2;  // one spark a burst
    ASSERT_TRUE(CompletionParticles);
    int atQuarter = 0;
    for (int i = 0; i < 5000; ++i) {
        LastBurstTime = board::Now - 250;
        Tick();
        atQuarter += LastBurstTime == board::Now ? 1 : 0;
    }
    EXPECT_GT(atQuarter, 0) << "a quarter of a second is within the range";
    EXPECT_LT(atQuarter, 30) << "but only its lower end";
    std::set<int> xs, ys;
    for (int i = 0; i < 4000; ++i) {
        LastBurstTime = board::Now - 1000;
        CompletionParticles->Clear();
        Tick();
        ASSERT_EQ(CompletionParticles->Count(), 1);
        const auto p = CompletionParticles->Items().front();
        xs.insert(int(std::lround(p->x - p->dx)));
        ys.insert(int(std::lround(p->y - p->dy)));
    }
    EXPECT_EQ(*xs.begin(), 100);
    EXPECT_EQ(*xs.rbegin(), ScreenWidth - 100);
    EXPECT_EQ(*ys.begin(), 100);
    EXPECT_EQ(*ys.rbegin(), ScreenHeight - 100);
}

}  // namespace

namespace {

// A new spark is appended at the end of the list.
TEST_F(BoardScreenTest, ANewSparkGoesLast) {
    Start("board9");
    CompletionParticles = std::make_unique<TParticleList>();
    const auto image = ImageBank->Find("particle2");
    const auto first = ParticleBurstCreate(10, 20, image);
    const auto second = ParticleBurstCreate(30, 40, image);
    ASSERT_EQ(CompletionParticles->Count(), 2);
    EXPECT_EQ(CompletionParticles->Items().front(), first);
    EXPECT_EQ(CompletionParticles->Items().back(), second);
}

// The end-of-puzzle menu asked to stand at the screen's corner stands there, not in the middle.
TEST_F(BoardScreenTest, AnEndMenuAskedAtTheCornerStandsThere) {
    Start("board9");
    board::ExpectEndMenuAt(0, 0);
}

}  // namespace
namespace {

// A board left for the play screen holds nothing: no menu, dialog, picture or burst.
TEST_F(BoardScreenTest, ALeftBoardHoldsNothing) {
    Start("play");
    const struct {
        const char* name;
        const char* script;
    } trips[] = {
        {"played", "click play play; settle; key esc; click dialog Yes; settle"},
        // Left from the end menu while the background cross-fades.
        {"solved",
         "click size 4x4; click play play; settle; solve; type Ann; wait 150000; steps 20; "
         "click end backtomenu; click dialog Yes; settle"},
    };
    for (const auto& trip : trips) {
        SCOPED_TRACE(trip.name);
        Play(trip.script);
        ASSERT_EQ(Game->CurrentTScreen, PlayScreen.get());
        const TGameScreen& g = *GameScreen;
        EXPECT_FALSE(g.NumberMenu || g.MainMenu || g.PuzzleMenu || g.CustomPuzzleMenu);
        EXPECT_FALSE(g.endLevelMenu || g.CrossFade || g.Image || g.Header || CompletionParticles);
        EXPECT_EQ(See("dialogs"), "0");
        EXPECT_EQ(g.ShowingInput, 0);
    }
}

}  // namespace

namespace {

// Keys that are no number's leave the chosen number as it is, whichever it is.
TEST_F(BoardScreenTest, KeysOfNoNumberChooseNothing) {
    Start("board16");
    for (int chosen : {5, 7}) {
        ChosenNumber = chosen;
        for (int key : {1, 2, 3, KEY_A + 7}) KeyTap(key);
        EXPECT_EQ(ChosenNumber, chosen);
    }
}

}  // namespace
