// The play screen, its generating overlay and the best-time screen as a player meets them: every button hit
// from its corner pixels and missed one pixel outside them, with the whole state each click leaves; what a
// screen gives back when it is left; whole frames of every choice compared with reference pictures.
#include "Scenario.h"
#include "core/StringUtils.h"
#include "presentation/Animation.h"
#include "presentation/SlideLine.h"

namespace {

// A button's place on the 800 x 600 screen and what a hit on it leaves: screen, open dialog, size and the
// size button shown chosen, difficulty and the difficulty button shown chosen, overlay, typed-in puzzle,
// shown best-time table.
struct TCornerRow {
    const char* name;
    const char* prep;  // from the title screen
    const char* menu;
    const char* button;
    int x, y, w, h;
    const char* hit;
};

inline void PrintTo(const TCornerRow& row, std::ostream* out) {
    *out << row.name;
}

constexpr const char* ToPlay = "click title play; settle";
constexpr const char* ToPlaySmall = "click title play; settle; click size 4x4; click difficulty veryeasy";
constexpr const char* ToPlayLarge = "click title play; settle; click size 16x16; click difficulty veryhard";
constexpr const char* ToBest = "click title highscore; settle";
constexpr const char* ToBestFour = "click title highscore; settle; click tabs 4x4";

const TCornerRow CornerRows[] = {
    {"Play", ToPlay, "play", "play", 97, 500, 140, 46, "board none 9/- 2/- 0 0 -"},
    {"Custom", ToPlay, "play", "custom", 252, 500, 140, 46, "board none 9/- 2/- 0 1 -"},
    {"Load", ToPlay, "play", "loadgame", 407, 500, 140, 46, "play chooser 9/9x9 2/medium 0 0 -"},
    {"Back", ToPlay, "play", "back", 562, 500, 140, 46, "title none 9/- 2/- 0 0 -"},
    {"Size4", ToPlayLarge, "size", "4x4", 165, 230, 110, 44, "play none 4/4x4 4/veryhard 0 0 -"},
    {"Size6", ToPlaySmall, "size", "6x6", 165, 274, 110, 44, "play none 6/6x6 0/veryeasy 0 0 -"},
    {"Size9", ToPlaySmall, "size", "9x9", 165, 318, 110, 44, "play none 9/9x9 0/veryeasy 0 0 -"},
    {"Size12", ToPlaySmall, "size", "12x12", 165, 362, 110, 44, "play none 12/12x12 0/veryeasy 0 0 -"},
    {"Size16", ToPlaySmall, "size", "16x16", 165, 406, 110, 44, "play none 16/16x16 0/veryeasy 0 0 -"},
    {"VeryEasy", ToPlayLarge, "difficulty", "veryeasy", 465, 230, 190, 44,
     "play none 16/16x16 0/veryeasy 0 0 -"},
    {"Easy", ToPlaySmall, "difficulty", "easy", 465, 274, 190, 44, "play none 4/4x4 1/easy 0 0 -"},
    {"Medium", ToPlaySmall, "difficulty", "medium", 465, 318, 190, 44, "play none 4/4x4 2/medium 0 0 -"},
    {"Hard", ToPlaySmall, "difficulty", "hard", 465, 362, 190, 44, "play none 4/4x4 3/hard 0 0 -"},
    {"VeryHard", ToPlaySmall, "difficulty", "veryhard", 465, 406, 190, 44,
     "play none 4/4x4 4/veryhard 0 0 -"},
    {"Tab4", ToBest, "tabs", "4x4", 95, 115, 110, 40, "best none 9/- 2/- 0 0 4"},
    {"Tab6", ToBestFour, "tabs", "6x6", 220, 115, 110, 40, "best none 9/- 2/- 0 0 6"},
    {"Tab9", ToBest, "tabs", "9x9", 345, 115, 110, 40, "best none 9/- 2/- 0 0 9"},
    {"Tab12", ToBest, "tabs", "12x12", 470, 115, 110, 40, "best none 9/- 2/- 0 0 12"},
    {"Tab16", ToBest, "tabs", "16x16", 595, 115, 110, 40, "best none 9/- 2/- 0 0 16"},
    {"BestOk", ToBest, "screen", "ok", 252, 537, 140, 46, "title none 9/- 2/- 0 0 -"},
    {"BestClear", ToBest, "screen", "clear", 407, 537, 140, 46, "best clear 9/- 2/- 0 0 6"},
};

class PlayScreensWorld : public scenario::ScenarioWorld {
  protected:
    // The button of the menu shown in its chosen ("On") images; "-" for a menu that is not there.
    static std::string ShownOn(const TMenu* menu) {
        if (!menu) return "-";
        std::string shown = "none";
        for (const auto& b : *menu)
            if (b->image && Upper(b->image->name).ends_with("ON")) shown = Lower(b->name);
        return shown;
    }

    std::string State() {
        const bool best = Game->CurrentTScreen == HighScoreScreen.get();
        return ScreenName(Game->CurrentTScreen) + " " + DialogName() + " " + std::to_string(PuzzleWidth) +
               "/" + ShownOn(PlayScreen->SizeMenu.get()) + " " + std::to_string(PuzzleDifficulty) + "/" +
               ShownOn(PlayScreen->DifficultyMenu.get()) + " " + Observe("overlay") + " " +
               std::to_string(CustomPuzzleMode) + " " + (best ? Observe("table") : "-");
    }

    void PointerAway() {
        MoveMouse(0, 0);
        Step();
    }

    // The pointer held over a point for a while, so a button under it has grown to its full size.
    void Hover(int x, int y) {
        MoveMouse(x, y);
        Steps(60);
    }

    // The whole current screen (or a part of it) drawn by a real renderer, compared with
    // tests/game/golden/screens-<name>.png.
    ::testing::AssertionResult Shot(const std::string& name, int x = 0, int y = 0, int w = 800, int h = 600) {
        return FrameMatches("screens-" + name, x, y, w, h);
    }
};

class ButtonCornerTest : public PlayScreensWorld, public ::testing::WithParamInterface<TCornerRow> {
  protected:
    // One pixel outside leaves everything as it was; the pixel inside gives the button's state.
    void HitAndMiss(int inX, int inY, int outX, int outY) {
        const TCornerRow& row = GetParam();
        Start("title");
        Run(row.prep);
        Run("settle");
        const std::string before = State();
        ClickAt(outX, outY);
        Settle();
        EXPECT_EQ(State(), before) << "one pixel outside " << row.button;
        ClickAt(inX, inY);
        Settle();
        EXPECT_EQ(State(), row.hit) << row.button;
    }
};

TEST_P(ButtonCornerTest, TopLeftPixelHitsAndThePixelBeforeItMisses) {
    const TCornerRow& row = GetParam();
    HitAndMiss(row.x, row.y, row.x - 1, row.y - 1);
}

TEST_P(ButtonCornerTest, BottomRightPixelHitsAndThePixelAfterItMisses) {
    const TCornerRow& row = GetParam();
    HitAndMiss(row.x + row.w - 1, row.y + row.h - 1, row.x + row.w, row.y + row.h);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ButtonCornerTest, ::testing::ValuesIn(CornerRows), scenario::RowName);

class PlayScreensTest : public PlayScreensWorld {};

// Every size with the difficulty of the same rank: each button of both sets drawn chosen once.
TEST_F(PlayScreensTest, PlayScreenLooksLikeItsReferenceInEveryChoice) {
    Start("play");
    const char* sizes[] = {"4x4", "6x6", "9x9", "12x12", "16x16"};
    const char* levels[] = {"veryeasy", "easy", "medium", "hard", "veryhard"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(sizes[i]);
        Run(std::string("click size ") + sizes[i] + "; click difficulty " + levels[i]);
        PointerAway();
        Steps(100);
        EXPECT_TRUE(Shot(std::string("play-") + sizes[i] + "-" + levels[i]));
    }
}

// Every tab with its rows at rest, and the 9 x 9 rows caught sliding in and in their colour as they settle.
TEST_F(PlayScreensTest, BestTimeScreenLooksLikeItsReferenceOnEveryTab) {
    HighScoreTable(4)->Insert("Dee", 1000, 1);
    HighScoreTable(6)->Insert("Ann", 83000, 2);
    HighScoreTable(9)->Insert("Bob", 754000, 4);
    HighScoreTable(9)->Insert("Maximiliana Wolkenstein-Bartholdy", 3599000, 0);
    HighScoreTable(12)->Insert("Cleo", 1234000, 3);
    HighScoreTable(16)->Insert("Eve", 2345000, 4);
    Start("title");
    Run(ToBest);
    for (const char* tab : {"4x4", "6x6", "9x9", "12x12", "16x16"}) {
        SCOPED_TRACE(tab);
        Run(std::string("click tabs ") + tab);
        PointerAway();
        Steps(300);
        EXPECT_TRUE(Shot(std::string("best-") + tab));
    }
    Run("click tabs 9x9");
    PointerAway();
    Steps(40);
    EXPECT_TRUE(Shot("best-9x9-sliding"));
    Steps(100);
    EXPECT_TRUE(Shot("best-9x9-settling"));
}

// The overlay over the play screen while it fades in ("generating"), and over the board while it fades in
// ("solving") and out again after a typed-in puzzle was found unsolvable.
TEST_F(PlayScreensTest, GeneratingOverlayLooksLikeItsReferenceAsItFades) {
    Start("play");
    Run("click play play");
    ASSERT_EQ(Observe("overlay"), "1");
    EXPECT_TRUE(Shot("generate-in-0"));
    Steps(25);
    EXPECT_TRUE(Shot("generate-in-25"));
    Steps(45);
    EXPECT_TRUE(Shot("generate-in-70"));
    // Made: the picture stays whole while the board fades in.
    for (int i = 0; i < 100 && GenerateScreen->HasGenerated == 0; ++i) Step();
    Steps(1);
    EXPECT_TRUE(Shot("generate-made"));
}

// The stopwatch of a made puzzle starts when the puzzle is there, not when the game or the last puzzle did.
TEST_F(PlayScreensTest, TheStopwatchStartsWithTheMadePuzzle) {
    Start("play");
    Run("wait 60000; click play play; settle");
    EXPECT_EQ(Observe("stopwatch"), "00:01") << "the fades since the puzzle was made";
}

TEST_F(PlayScreensTest, SolvingOverlayLooksLikeItsReferenceAsItFadesInAndOut) {
    Start("custom");
    Run("click custom checkplay");
    ASSERT_EQ(Observe("overlay"), "1");
    Steps(50);
    EXPECT_TRUE(Shot("solving-in-50"));
    for (int i = 0; i < 200 && GenerateScreen->HasGenerated == 0; ++i) Step();
    ASSERT_EQ(GenerateScreen->FadeIn->Active, 0);
    Steps(30);
    EXPECT_TRUE(Shot("solving-out-30"));
    Steps(40);
    EXPECT_TRUE(Shot("solving-out-70"));
}

// A screen that has been left holds none of its widgets, pictures or questions: the next visit makes its
// own, and nothing stays alive between the visits.
TEST_F(PlayScreensTest, LeftScreensHoldNothing) {
    const struct {
        const char* script;
        bool playScreen;
    } rows[] = {
        {"click title play; settle; click play back; settle", true},
        {"click title play; settle; click play custom; settle", true},
        {"click title play; settle; click play play; settle", true},
        {"click title play; settle; click play loadgame; click chooser Cancel; click play back; settle",
         true},
        {"click title highscore; settle; click screen ok; settle", false},
        {"click title highscore; settle; click tabs 16x16; click screen clear; click dialog No; click screen "
         "ok; "
         "settle",
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        Start("title");
        Run(row.script);
        ASSERT_NE(Game->CurrentTScreen, PlayScreen.get());
        ASSERT_NE(Game->CurrentTScreen, HighScoreScreen.get());
        if (row.playScreen) {
            const TPlayScreen& s = *PlayScreen;
            EXPECT_FALSE(s.SizeMenu);
            EXPECT_FALSE(s.DifficultyMenu);
            EXPECT_FALSE(s.MainMenu);
            EXPECT_FALSE(s.SizeLabel);
            EXPECT_FALSE(s.DifficultyLabel);
            EXPECT_FALSE(s.SaveGameManager);
            EXPECT_FALSE(s.Image);
            EXPECT_FALSE(s.Header);
            EXPECT_FALSE(s.Menu);
        } else {
            const THighScoreScreen& s = *HighScoreScreen;
            EXPECT_FALSE(s.SizeMenu);
            EXPECT_FALSE(s.SlideLines);
            EXPECT_FALSE(s.ClearHighscore);
            EXPECT_FALSE(s.Image);
            EXPECT_FALSE(s.Header);
            EXPECT_FALSE(s.Menu);
        }
    }
}

// Left with its question open (the game quitting), a screen drops the question and gives Escape back.
TEST_F(PlayScreensTest, AScreenLeftWithItsQuestionOpenDropsItAndGivesEscapeBack) {
    Start("play");
    Run("click play loadgame; steps 200");
    ASSERT_EQ(DialogName(), "chooser");
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    PlayScreen->Kill();
    EXPECT_FALSE(PlayScreen->SaveGameManager);
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);

    Game->CurrentTScreen = nullptr;
    Start("title");
    Run("click title highscore; settle; click screen clear; steps 200");
    ASSERT_EQ(DialogName(), "clear");
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    HighScoreScreen->Kill();
    EXPECT_FALSE(HighScoreScreen->ClearHighscore);
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
}

// Killed, the overlay holds no sound, channel or fade and does nothing; shown again it loads them anew and
// runs as before.
TEST_F(PlayScreensTest, AKilledOverlayHoldsNothingAndLoadsAgainWhenShown) {
    Start("play");
    Run("click play play");
    TGenerateScreen& overlay = *GenerateScreen;
    overlay.Kill();
    EXPECT_FALSE(overlay.ActivateSound);
    EXPECT_FALSE(overlay.DeactivateSound);
    EXPECT_FALSE(overlay.Channel);
    EXPECT_FALSE(overlay.FadeIn);
    EXPECT_FALSE(overlay.FadeOut);
    // Hidden, stepped or drawn while it has no fades, it does nothing.
    overlay.Hide();
    overlay.Logic();
    overlay.Draw();
    EXPECT_EQ(overlay.HasGenerated, 0);
    Run("mark");
    overlay.Show(1);
    EXPECT_EQ(Observe("clicks"), "1");
    EXPECT_TRUE(overlay.Channel);
    Settle();
    EXPECT_EQ(Observe("screen"), "board");
}

// A button under the pointer in its mouse-over look: a chosen size or difficulty in its chosen look both as
// the screen opens and after a click, a main button grown to its full size.
TEST_F(PlayScreensTest, PlayScreenButtonsUnderThePointerLookLikeTheirReference) {
    Start("play");
    const struct {
        const char* script;
        int x, y;
        const char* name;
    } rows[] = {
        {"", 220, 340, "size-chosen"},
        {"", 560, 340, "difficulty-chosen"},
        {"click size 4x4", 220, 252, "size-clicked"},
        {"click difficulty veryeasy", 560, 252, "difficulty-clicked"},
        {"", 632, 523, "back"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Run(row.script);
        Hover(row.x, row.y);
        EXPECT_TRUE(Shot(std::string("play-hover-") + row.name, 80, 220, 640, 340));
    }
}

TEST_F(PlayScreensTest, BestTimeButtonsUnderThePointerAndItsQuestionLookLikeTheirReference) {
    Start("title");
    Run(ToBest);
    const struct {
        int x, y;
        const char* name;
    } rows[] = {{150, 135, "tab"}, {322, 560, "ok"}, {477, 560, "clear"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Hover(row.x, row.y);
        EXPECT_TRUE(Shot(std::string("best-hover-") + row.name, 80, 100, 640, 500));
    }
    Run("click screen clear; steps 200");
    PointerAway();
    EXPECT_TRUE(Shot("best-clear-question"));
}

// The question answered "Yes" shows the fresh table at once; closed with Escape it leaves the player on the
// screen, and only the next Escape leaves it.
TEST_F(PlayScreensTest, BestTimeQuestionAnsweredOrClosedWithEscape) {
    HighScoreTable(6)->Insert("Zed", 1000, 1);
    Start("title");
    Run(ToBest);
    Run("click screen clear; click dialog Yes; steps 2");
    ASSERT_FALSE(HighScoreScreen->SlideLines->Lines.empty());
    const auto first = std::static_pointer_cast<TPellixHighScore>(
        HighScoreScreen->SlideLines->Lines.front()->AttachedObject);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->name, HighScoreTable(6)->Entries.front().name);
    EXPECT_NE(first->name, "Zed");

    Run("click screen clear; steps 200; key esc; settle");
    EXPECT_EQ(State(), "best none 9/- 2/- 0 0 6");
    Run("key esc; settle");
    EXPECT_EQ(Observe("screen"), "title");
}

TEST_F(PlayScreensTest, EnterOnTheBestTimeScreenLeavesForTheTitle) {
    Start("title");
    Run(ToBest);
    Run("key enter; settle");
    EXPECT_EQ(Observe("screen"), "title");
}

// The pointer hides while a puzzle is made and comes back on the board; a typed-in puzzle left for the play
// screen does not make the next generated one a typed-in one.
TEST_F(PlayScreensTest, GeneratingHidesThePointerAndIsNeverTypedIn) {
    Start("custom");
    Run("click custom backtomenu; click dialog Yes; settle");
    ASSERT_EQ(Observe("screen"), "play");
    EXPECT_EQ(Observe("custommode"), "0");
    Run("click play play");
    EXPECT_EQ(Game->Mouse->Active, 0);
    Run("settle");
    EXPECT_EQ(State(), "board none 9/- 2/- 0 0 -");
    EXPECT_EQ(Game->Mouse->Active, 1);
}

// Shown again while it fades out, the overlay fades in afresh and runs the engine once more.
TEST_F(PlayScreensTest, OverlayShownAgainWhileFadingOutRunsAgain) {
    Start("play");
    TGenerateScreen& overlay = *GenerateScreen;
    overlay.Show(0);
    for (int i = 0; i < 10; ++i) overlay.Logic();
    overlay.Hide();
    for (int i = 0; i < 5; ++i) overlay.Logic();
    ASSERT_EQ(overlay.Active, 1);
    const int before = generated;
    overlay.Show(0);
    for (int i = 0; i < 120 && overlay.HasGenerated == 0; ++i) overlay.Logic(), overlay.Draw();
    EXPECT_EQ(generated, before + 1);
}

// A puzzle made, the board fades in over the whole default fade: a tick shorter shows as a jump.
TEST_F(PlayScreensTest, TheMadePuzzleFadesIntoTheBoardOverAWholeFade) {
    Start("play");
    Run("click play play");
    for (int i = 0; i < 400 && GenerateScreen->HasGenerated == 0; ++i) Step();
    ASSERT_EQ(Game->GameFade->Active, 1);
    int steps = 0;
    for (; steps < 400 && Game->CurrentTScreen != GameScreen.get(); ++steps) Step();
    EXPECT_EQ(steps, DefaultFadeLength / 5);
}

// The overlay darkens with black, alpha blended over whatever blend its owner's frame ended in.
TEST_F(PlayScreensTest, OverlayDarkensWithAlphaBlendingWhateverTheOwnerLeft) {
    Start("play");
    Run("click play play; steps 20");
    for (int blend : {SOLIDBLEND, LIGHTBLEND, SHADEBLEND}) {
        rec.calls.clear();
        SetBlend(blend);
        GenerateScreen->Draw();
        const auto rects = rec.Find("DrawRect");
        ASSERT_FALSE(rects.empty());
        EXPECT_EQ(rects.front()->state.blend, ALPHABLEND);
        EXPECT_EQ(rects.front()->state.red + rects.front()->state.green + rects.front()->state.blue, 0)
            << "darkened with black";
    }
}

// A key pressed while a typed-in puzzle is checked does not answer the message that it cannot be solved.
TEST_F(PlayScreensTest, AKeyPressedDuringTheCheckDoesNotAnswerItsMessage) {
    Start("custom");
    Run("click custom checkplay; steps 20; key enter; key space; settle; steps 100");
    EXPECT_EQ(DialogName(), "ok");
}

// A saved game that cannot be deleted stays listed and the player is told.
TEST_F(PlayScreensTest, ASaveThatCannotBeDeletedIsReported) {
    Start("board9");
    Run("click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
        "click chooser Delete");
    std::filesystem::remove(shared.Path() / "Keep.dat");
    std::filesystem::create_directory(shared.Path() / "Keep.dat");
    testenv::WriteFile(shared.Path() / "Keep.dat" / "inside", "x");
    Run("click dialog Yes");
    EXPECT_EQ(DialogName(), "error");
}

// A loaded game starts with the aids the last board had turned on put away.
TEST_F(PlayScreensTest, ALoadedGameStartsWithTheAidsPutAway) {
    Start("board9");
    Run("click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
        "click chooser Cancel; click play back; settle; toboard; click aids showhidemistakes; "
        "click aids showhidesolution");
    // Both aids are on when the board is left, so the load is what puts them away.
    ASSERT_EQ(Observe("mistakes"), "1");
    ASSERT_EQ(Observe("solution"), "1");
    Run("key esc; click dialog Yes; settle; click play loadgame; select 0; click chooser Load; settle");
    ASSERT_EQ(Observe("screen"), "board");
    EXPECT_EQ(Observe("mistakes"), "0");
    EXPECT_EQ(Observe("solution"), "0");
}

// A row glows from the moment it arrives (0.6 s after its tab is chosen, the first row without delay) for
// half a second, and is white from then on.
TEST_F(PlayScreensTest, ABestTimeRowGlowsForHalfASecondAfterItArrives) {
    Start("title");
    Run(ToBest);
    Run("click tabs 9x9");
    const TSlideLine& first = *HighScoreScreen->SlideLines->Lines.front();
    const auto glowing = [&] { return first.Active != 0 && first.CurrentPhase == 2; };
    int steps = 0;
    for (; steps < 1000 && !glowing(); ++steps) Step();
    const int arrived = steps;
    for (; steps < 1000 && glowing(); ++steps) Step();
    EXPECT_EQ(steps - arrived, 100) << "steps of 5 ms";
}

// A game loaded after another size was chosen has the regions of its own size: the pointed cell lights its
// row, column and 3 x 3 region, 21 cells.
TEST_F(PlayScreensTest, ALoadedGameHasTheRegionsOfItsOwnSize) {
    Start("board9");
    Run("click main savegame; type keep; key esc; click dialog Yes; settle; click size 4x4");
    ASSERT_EQ(Observe("size"), "4") << "the regions of another size are in place before the load";
    Run("click play loadgame; select 0; click chooser Load; settle");
    ASSERT_EQ(Observe("screen"), "board");
    ShowHighlighter = 1;
    Run("point 1 0");
    EXPECT_EQ(Observe("drawncount:cell3"), "21");
}

}  // namespace
