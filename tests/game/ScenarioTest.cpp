// Rows of the scenario table (see Scenario.h for the actions and the named states).
#include "Scenario.h"

namespace {

using scenario::TRow;

class ScenarioTest : public scenario::ScenarioWorld, public ::testing::WithParamInterface<TRow> {};

// The known puzzles: every third cell given ((x + 2y) % 3 == 0), 27 of 81 on 9 x 9, 6 of 16 on 4 x 4. On
// 9 x 9 the empty cell (1, 0) holds 2, and 1 is given in its row.
const TRow Rows[] = {
    // The title screen's menu; Escape there quits, elsewhere it leads back to the title.
    {"TitlePlay", "title", "click title play; settle", "screen", "play"},
    {"TitleHelp", "title", "click title help; settle", "screen", "help"},
    {"TitleOptions", "title", "click title options; settle", "screen", "options"},
    {"TitleBestTimes", "title", "click title highscore; settle", "screen", "best"},
    {"TitleExit", "title", "click title exit; settle", "screen", "exit"},
    {"TitleButtonFromItsCorner", "title", "corner title help; settle", "screen", "help"},
    {"TitleButtonFromItsFarCorner", "title", "farcorner title help; settle", "screen", "help"},
    {"TitleEnterPlays", "title", "key enter; settle", "screen", "play"},
    {"TitleEscapeQuits", "title", "key esc; settle", "screen", "exit"},
    {"EscapeEndsAFadeAtOnce", "title", "click title help; key esc", "screen", "help"},
    {"HelpOk", "title", "click title help; settle; click screen ok; settle", "screen", "title"},
    {"HelpEscape", "title", "click title help; settle; key esc; settle", "screen", "title"},
    {"HelpOkDrawn", "title", "click title help; settle; steps 1", "drawn:screen.ok", "yes"},
    {"AltEnterSwitchesTheWindow", "title", "key altenter", "fullscreen", "0"},
    {"AltEnterIsKept", "title", "key altenter", "settings:FULL SCREEN", "0"},

    // The play screen's menus.
    {"PlayGenerates", "play", "click play play; settle", "generated", "1"},
    {"PlayGeneratesTheChosenSize", "play", "click size 16x16; click play play; settle", "filled", "86"},
    {"PlayCustomEntersAnEmptyBoard", "play", "click play custom; settle", "filled", "0"},
    {"PlayCustomIsTypedIn", "play", "click play custom; settle", "custommode", "1"},
    {"PlayLoadOpensTheChooser", "play", "click play loadgame", "dialog", "chooser"},
    {"PlayBack", "play", "click play back; settle", "screen", "title"},
    {"PlayEscape", "play", "key esc; settle", "screen", "title"},
    {"PlaySizeSmallest", "play", "click size 4x4", "size", "4"},
    {"PlaySizeLargest", "play", "click size 16x16", "size", "16"},
    {"PlayDifficultyLowest", "play", "click difficulty veryeasy", "difficulty", "0"},
    {"PlayDifficultyHighest", "play", "click difficulty veryhard", "difficulty", "4"},

    // The options screen: each option turns at once, is written on "ok" and changes play.
    {"OptionsTimer", "title", "click title options; settle; click options showtimer", "timer", "0"},
    {"OptionsHighlighter", "title", "click title options; settle; click options highlighter", "highlighter",
     "1"},
    {"OptionsPrevent", "title", "click title options; settle; click options preventdoublenumbers", "prevent",
     "0"},
    {"OptionsFullScreen", "title", "click title options; settle; click options fullscreen", "fullscreen",
     "0"},
    {"OptionsOkWrites", "title",
     "click title options; settle; click options showtimer; click screen ok; settle", "config:SHOWTIMER",
     "0"},
    {"OptionsOkLeaves", "title", "click title options; settle; click screen ok; settle", "screen", "title"},
    {"OptionsEscapeKeepsTheFile", "title",
     "click title options; settle; click options showtimer; key esc; settle", "config:SHOWTIMER", "1"},
    {"OptionsOkDrawn", "title", "click title options; settle; steps 1", "drawn:screen.ok", "yes"},
    {"MusicSliderSetsTheVolume", "title", "click title options; settle; press slider music; release", "music",
     "20"},
    {"SoundSliderSetsTheVolume", "title", "click title options; settle; press slider sound; release",
     "volume", "20"},
    // Held on the slider for a second after the first sample click: three more, not one per tick.
    {"SoundSliderClicksFourTimesASecond", "title",
     "click title options; settle; press slider sound; mark; steps 199; release", "clicks", "3"},
    {"TimerOffIsNotShown", "title",
     "click title options; settle; click options showtimer; click screen ok; settle; toboard", "timershown",
     "no"},
    {"TimerOnIsShown", "title", "toboard", "timershown", "yes"},
    {"HighlighterFollowsThePointer", "title",
     "click title options; settle; click options highlighter; click screen ok; settle; toboard; point 1 0",
     "highlight", "1,0"},
    {"NoHighlighterNoHighlight", "title", "toboard; point 1 0", "highlight", "-1,-1"},
    // The pointed cell's row, column and region: 21 cells of 9 x 9.
    {"HighlightedCellsAreDrawnLit", "title",
     "click title options; settle; click options highlighter; click screen ok; settle; toboard; point 1 0",
     "drawncount:cell3", "21"},
    // Only the cell under the pointer.
    {"NoHighlighterOnlyThePointedCellLit", "title", "toboard; point 1 0", "drawncount:cell3", "1"},
    {"PreventRefusesADouble", "title", "toboard; key 1; cell 1 0", "cell:1,0", "0"},
    {"PreventOffAllowsADouble", "title",
     "click title options; settle; click options preventdoublenumbers; click screen ok; settle; toboard; key "
     "1; "
     "cell 1 0",
     "cell:1,0", "1"},

    // The best-time screen: the table it opens on, its tabs, "ok" and "clear".
    {"BestTimesOpenOnSixBySix", "board4",
     "solve; type Ann; key esc; click dialog Yes; settle; click play back; "
     "settle; click title highscore; settle",
     "table", "6"},
    {"BestTimesTabSmallest", "title", "click title highscore; settle; click tabs 4x4", "table", "4"},
    {"BestTimesTabLargest", "title", "click title highscore; settle; click tabs 16x16", "table", "16"},
    {"BestTimesOk", "title", "click title highscore; settle; click screen ok; settle", "screen", "title"},
    {"BestTimesEscape", "title", "click title highscore; settle; key esc; settle", "screen", "title"},
    {"BestTimesClearAsks", "title", "click title highscore; settle; click screen clear", "dialog", "clear"},
    {"BestTimesClearYes", "board4",
     "solve; type Ann; key esc; click dialog Yes; settle; click play back; settle; click title highscore; "
     "settle; click tabs 4x4; click screen clear; click dialog Yes",
     "best:4", "Ada"},
    {"BestTimesClearNo", "board4",
     "solve; type Ann; key esc; click dialog Yes; settle; click play back; settle; click title highscore; "
     "settle; click tabs 4x4; click screen clear; click dialog No",
     "best:4", "Ann"},

    // The controls on the board.
    {"LeftClickWritesTheChosenNumber", "board9", "key 2; cell 1 0", "cell:1,0", "2"},
    {"ZeroEmptiesACell", "board9", "enter 1 0; key 0; cell 1 0", "cell:1,0", "0"},
    {"RightClickSetsAMark", "board9", "key 2; cell 1 0 right", "mark:1,0,2", "1"},
    {"RightClickAgainClearsIt", "board9", "key 2; cell 1 0 right; cell 1 0 right", "mark:1,0,2", "0"},
    {"CtrlClickSetsAMark", "board9", "key 2; cell 1 0 ctrl", "mark:1,0,2", "1"},
    {"DigitKey", "board9", "key 7", "chosen", "7"},
    {"KeypadDigit", "board9", "key kp9", "chosen", "9"},
    {"KeypadZero", "board9", "key kp0", "chosen", "0"},
    {"DeleteChoosesEmpty", "board9", "key del", "chosen", "0"},
    {"BackspaceChoosesEmpty", "board9", "key back", "chosen", "0"},
    {"LetterAChoosesTen", "board16", "key a", "chosen", "10"},
    {"LetterGChoosesSixteen", "board16", "key g", "chosen", "16"},
    {"NumberButton", "board9", "click numbers 6", "chosen", "6"},
    {"NumberButtonShownChosen", "board9", "click numbers 6", "shownchosen", "6"},
    {"WheelDownStepsUp", "board9", "wheel down", "chosen", "2"},
    {"WheelUpStepsDown", "board9", "wheel up", "chosen", "0"},
    {"WheelUpPastEmptyGoesToTheLargest", "board9", "wheel up; wheel up", "chosen", "9"},
    {"WheelDownPastTheLargestGoesToEmpty", "board16", "key g; wheel down", "chosen", "0"},
    {"WheelShownChosen", "board9", "wheel down", "shownchosen", "2"},
    {"PKeyPauses", "board9", "key p", "paused", "1"},
    {"PKeyResumes", "board9", "key p; key p", "paused", "0"},
    {"ClickResumes", "board9", "key p; tap", "paused", "0"},
    {"EscapeResumesWithoutAsking", "board9", "key p; key esc", "dialog", "none"},
    {"EscapeResumes", "board9", "key p; key esc", "paused", "0"},
    {"EscapeAsksToLeave", "board9", "key esc", "dialog", "quit"},
    {"EscapeYesLeavesForThePlayScreen", "board9", "key esc; click dialog Yes; settle", "screen", "play"},
    {"EscapeNoStays", "board9", "key esc; click dialog No; settle", "screen", "board"},

    // The board's main menu.
    {"PauseButton", "board9", "click main pause", "paused", "1"},
    {"SaveAsks", "board9", "click main savegame", "dialog", "savename"},
    {"SaveWrites", "board9", "click main savegame; type keep", "file:Keep.dat", "yes"},
    {"SaveCancelled", "board9", "click main savegame; click dialog Cancel", "file:Keep.dat", "no"},
    {"NewPuzzleAsks", "board9", "click main newpuzzle", "dialog", "new"},
    {"NewPuzzleYes", "board9", "click main newpuzzle; click dialog Yes; settle", "generated", "2"},
    {"NewPuzzleNo", "board9", "click main newpuzzle; click dialog No; settle", "generated", "1"},
    {"RestartAsks", "board9", "click main restartpuzzle", "dialog", "restart"},
    {"RestartYesEmptiesTheTypedCells", "board9", "enter 1 0; click main restartpuzzle; click dialog Yes",
     "filled", "27"},
    {"RestartNoKeepsThem", "board9", "enter 1 0; click main restartpuzzle; click dialog No", "filled", "28"},
    {"BackAsks", "board9", "click main backtomenu", "dialog", "quit"},
    {"BackYes", "board9", "click main backtomenu; click dialog Yes; settle", "screen", "play"},
    {"MainButtonFromItsCornerAfterTheEnd", "board4", "solve; type Ann; corner main newpuzzle", "dialog",
     "new"},

    // The aids, and the state restart and lock leave behind.
    {"MistakesShown", "board9", "click aids showhidemistakes", "mistakes", "1"},
    {"MistakesHiddenAgain", "board9", "click aids showhidemistakes; click aids showhidemistakes", "mistakes",
     "0"},
    {"SolutionShown", "board9", "click aids showhidesolution", "solution", "1"},
    {"AutoMarksShown", "board9", "click aids showhideautomarkup", "mark:1,0,2", "1"},
    {"AutoMarksLeaveOutGivens", "board9", "click aids showhideautomarkup", "mark:1,0,1", "0"},
    {"AutoMarksHiddenAgain", "board9", "click aids showhideautomarkup; click aids showhideautomarkup",
     "mark:1,0,2", "0"},
    {"RandomCellRevealsOne", "board9", "click aids showrandomcell", "filled", "28"},
    {"DesiredCellArms", "board9", "click aids showdesiredcell", "armed", "1"},
    {"DesiredCellRevealsTheClickedCell", "board9", "click aids showdesiredcell; cell 1 0", "cell:1,0", "2"},
    {"LockedAtStartAreTheGivens", "board9", "enter 1 0", "locked", "27 on"},
    {"UnlockFreesEveryCell", "board9", "enter 1 0; click aids lockunlocknumbers", "locked", "0 off"},
    {"LockAgainTakesTheTypedNumbers", "board9",
     "enter 1 0; click aids lockunlocknumbers; click aids lockunlocknumbers", "locked", "28 on"},
    {"RestartLocksOnlyTheGivens", "board9",
     "enter 1 0; click aids lockunlocknumbers; click main restartpuzzle; click dialog Yes", "locked",
     "27 on"},
    {"RestartHidesTheSolution", "board9",
     "click aids showhidesolution; click main restartpuzzle; click dialog Yes", "solution", "0"},
    {"LockedCellIgnoresAClick", "board9", "key 5; cell 0 0", "cell:0,0", "1"},

    // The stopwatch across pause, dialogs and saves.
    {"StopwatchRuns", "board9", "wait 75000", "stopwatch", "01:15"},
    {"StopwatchStopsWhilePaused", "board9", "wait 10000; key p; wait 60000; key p; wait 5000", "stopwatch",
     "00:15"},
    {"StopwatchStopsWhilePausedByTheButton", "board9",
     "wait 10000; click main pause; wait 60000; tap; wait 5000", "stopwatch", "00:15"},
    {"StopwatchRunsDuringAQuestion", "board9",
     "wait 10000; click main restartpuzzle; wait 60000; key n; wait 5000", "stopwatch", "01:15"},
    {"StopwatchGoesOnAfterASave", "board9", "wait 90000; click main savegame; type keep; wait 5000",
     "stopwatch", "01:35"},
    {"StopwatchComesBackWithALoad", "board9",
     "wait 90000; click main savegame; type keep; key esc; click dialog Yes; settle; wait 600000; click play "
     "loadgame; select 0; click chooser Load; settle",
     "stopwatch", "01:31"},
    {"StopwatchStopsAtTheEnd", "board4", "wait 42000; solve; wait 60000", "stopwatch", "00:42"},

    // Completion, its bursts and the end-of-puzzle menu.
    {"SolvedAsksForAName", "board4", "solve", "dialog", "name"},
    {"NameEntersTheBestTimes", "board4", "solve; type Grace", "best:4", "Grace"},
    {"BurstsUseTheParticleAmount", "board4", "particles 100; solve", "particles", "50"},
    {"BurstsScaleWithTheParticleAmount", "board4", "particles 40; solve", "particles", "20"},
    {"NoParticlesNoBurst", "board4", "particles 0; solve", "particles", "0"},
    {"EndMenuNextPuzzle", "board4", "solve; type Ann; click end nextpuzzle; settle", "generated", "2"},
    {"EndMenuNextPuzzleIsPlayable", "board4", "solve; type Ann; click end nextpuzzle; settle", "completed",
     "0"},
    {"EndMenuRestartAsks", "board4", "solve; type Ann; click end restartpuzzle", "dialog", "restart"},
    {"EndMenuRestartYes", "board4", "solve; type Ann; click end restartpuzzle; click dialog Yes", "filled",
     "6"},
    {"EndMenuBackAsks", "board4", "solve; type Ann; click end backtomenu", "dialog", "quit"},
    {"EndMenuBackYes", "board4", "solve; type Ann; click end backtomenu; click dialog Yes; settle", "screen",
     "play"},

    // The custom-puzzle menu.
    {"CustomBackAsks", "custom", "click custom backtomenu", "dialog", "quit"},
    {"CustomBackYes", "custom", "click custom backtomenu; click dialog Yes; settle", "screen", "play"},
    {"CustomCheckUnsolvable", "custom", "click custom checkplay; settle", "dialog", "ok"},
    {"CustomCheckUnsolvableOkGoesOnTyping", "custom", "click custom checkplay; settle; click dialog OK",
     "custommode", "1"},

    // The save-game chooser.
    {"ChooserLoad", "board9",
     "enter 1 0; click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; "
     "select 0; "
     "click chooser Load; settle",
     "cell:1,0", "2"},
    // A 9 x 9 game loaded after a 4 x 4 board: the board is laid out afresh in the loaded size.
    {"ChooserLoadLaysOutTheLoadedSize", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click size 4x4; click play play; "
     "settle; key esc; click dialog Yes; settle; click play loadgame; select 0; click chooser Load; settle",
     "cells", "81"},
    {"ChooserCancel", "play", "click play loadgame; click chooser Cancel", "dialog", "none"},
    {"ChooserEscape", "play", "click play loadgame; steps 200; key esc", "dialog", "none"},
    {"ChooserDeleteAsks", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click "
     "chooser Delete",
     "dialog", "delete"},
    {"ChooserDeleteYes", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click "
     "chooser Delete; click dialog Yes",
     "file:Keep.dat", "no"},
    {"ChooserDeleteOfAFileAlreadyGoneIsNoError", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click "
     "chooser Delete; rm Keep.dat; click dialog Yes",
     "dialog", "chooser"},
    {"ChooserDeleteNo", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click "
     "chooser Delete; click dialog No",
     "file:Keep.dat", "yes"},

    // Frames: the cells are hidden while the game is paused, and back when it goes on.
    {"PausedBoardHidesItsCells", "board9", "key p", "frame:310,120,310,310,paused-board", "match"},
    {"ResumedBoardShowsItsCells", "board9", "key p; key p", "frame:310,120,310,310,board-cells", "match"},

    // The options screen's sliders and their labels.
    {"OptionsScreenSliders", "title", "click title options; settle", "frame:200,120,400,120,options-sliders",
     "match"},

    // The board's background changes every two and a half minutes.
    {"BackgroundKeptJustBeforeTheInterval", "board9", "wait 149990", "background", "same"},
    {"BackgroundChangesAtTheInterval", "board9", "wait 149995", "background", "next"},
    {"BackgroundChangesAgain", "board9", "wait 149995; wait 150000", "background", "other"},
};

TEST_P(ScenarioTest, LeavesTheStateAPlayerSees) {
    const TRow& row = GetParam();
    Start(row.start);
    Run(row.script);
    EXPECT_EQ(Observe(row.state), row.expected) << row.script;
}

INSTANTIATE_TEST_SUITE_P(Rows, ScenarioTest, ::testing::ValuesIn(Rows), scenario::RowName);

// Round trips through a screen or a dialog, drawn by a real renderer: the first trip loads what stays cached,
// and no later one may leave more live textures than the first left.
class TextureScenarioTest : public ScenarioTest {};

const TRow RoundTrips[] = {
    {"Help", "title", "click title help; settle; click screen ok; settle", "", ""},
    {"Options", "title", "click title options; settle; click screen ok; settle", "", ""},
    {"BestTimes", "title", "click title highscore; settle; click tabs 16x16; click screen ok; settle", "",
     ""},
    {"Play", "title", "click title play; settle; click play back; settle", "", ""},
    {"Chooser", "play", "click play loadgame; click chooser Cancel", "", ""},
    {"Board", "title", "toboard; key esc; click dialog Yes; settle; click play back; settle", "", ""},
    {"BoardDialogs", "board9",
     "click main restartpuzzle; click dialog No; click main savegame; click dialog Cancel; click main "
     "newpuzzle; "
     "click dialog No; key p; key p",
     "", ""},
    {"Completion", "board4", "solve; type Ann; wait 3000; click end restartpuzzle; click dialog Yes", "", ""},
};

TEST_P(TextureScenarioTest, LeavesNoTexturesBehind) {
    const TRow& row = GetParam();
    auto offscreen = CreateOffscreenBackend(800, 600);
    ASSERT_TRUE(offscreen);
    SetDrawBackend(offscreen.get());
    Start(row.start);
    // The same random choices (the board's background among them) on every trip.
    const auto trip = [&] {
        SeedRnd(7);
        Run(row.script);
        return LiveTextureCount();
    };
    // The board picks one of its four backgrounds at random, and the picture bank keeps what it loaded.
    for (int n = 1; n <= 4; ++n)
        DrawImage(ImageBank->Find("gamescreen" + std::to_string(n))->image.get(), 0, 0);
    const int afterFirst = trip();
    trip();
    EXPECT_LE(trip(), afterFirst);
    SetDrawBackend(&rec);
}

INSTANTIATE_TEST_SUITE_P(RoundTrips, TextureScenarioTest, ::testing::ValuesIn(RoundTrips), scenario::RowName);

}  // namespace
