// The menu screens and every dialog the game shows, as the player sees them: whole frames (or the dialog's
// part of one) compared with reference pictures, the pointer and its sparkles drawn over them as the main
// loop draws them; where each dialog's buttons take a click and where they do not; and what a screen lets
// go of once it has been left.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "Scenario.h"
#include "game/GameDialogs.h"
#include "game/GameNotice.h"
#include "game/GameOptions.h"
#include "game/MenuScreen.h"
#include "presentation/Button.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"

namespace {

using scenario::Split;
using scenario::TRow;

class ScreenFramesWorld : public scenario::ScenarioWorld {
  protected:
    // The actions of the scenario table and a few more:
    //   pressrow <music|sound> top|bottom|above|below  a press on a slider's first or last row, or beside
    //   volumes <music> <sound>       the volumes of the settings
    //   stuck <file>                  a file of the player's folder turned into a folder that cannot go
    void Play(const std::string& script) {
        for (const std::string& action : Split(script, ';')) {
            SCOPED_TRACE(action);
            const std::vector<std::string> a = Split(action, ' ');
            if (a[0] == "pressrow") {
                // The left button pressed on a row of a slider (its first or last, or the one outside
                // either), a quarter along, and let go.
                const TSlider& sl =
                    a[1] == "music" ? *OptionsScreen->MusicSlider : *OptionsScreen->SoundSlider;
                const int top = int(std::ceil(sl.y));
                const int bottom = int(std::ceil(sl.y + float(sl.h))) - 1;
                const int y = a[2] == "top"      ? top
                              : a[2] == "above"  ? top - 1
                              : a[2] == "bottom" ? bottom
                                                 : bottom + 1;
                MoveMouse(int(sl.x) + sl.w / 4, y);
                Step();
                Press(1);
                Step();
                Release(1);
                Step();
            } else if (a[0] == "volumes") {
                Game->MusicVolume = std::stoi(a[1]);
                Game->SoundVolume = std::stoi(a[2]);
            } else if (a[0] == "stuck") {
                const auto path = shared.Path() / a[1];
                std::filesystem::remove(path);
                std::filesystem::create_directories(path / "inside");
            } else {
                Act(a);
            }
        }
    }

    // A region of the frame, the pointer and its sparkles drawn over the screen, against "atlas-<name>".
    std::string Shot(const std::string& at) {
        const auto p = Split(at, ',');
        return Said(FrameMatches("atlas-" + p.at(4), std::stoi(p.at(0)), std::stoi(p.at(1)),
                                 std::stoi(p.at(2)), std::stoi(p.at(3)), 2, true));
    }

    std::string See(const std::string& what) {
        if (what.rfind("shot:", 0) == 0) return Shot(what.substr(5));
        if (what == "fading") return std::to_string(Game->GameFade->Active);
        if (what == "fademusic") return std::to_string(Game->FadeMusic);
        if (what == "tune") return Game->MusicFileName + " " + Game->MusicName;
        return Observe(what);
    }
};

class ScreenFramesTest : public ScreenFramesWorld, public ::testing::WithParamInterface<TRow> {};

// The dialogs stand in the middle of the screen; this part of the frame holds each of them whole.
#define DIALOG_PART "150,130,500,340"

const TRow Rows[] = {
    // The menu screens at rest, with a button under the pointer and the pointer's sparkles.
    {"Title", "title", "steps 2", "shot:0,0,800,600,title", "match"},
    {"TitleHoverPlay", "title", "hover title play", "shot:0,0,800,600,title-hover-play", "match"},
    {"TitleHoverExit", "title", "hover title exit", "shot:0,0,800,600,title-hover-exit", "match"},
    {"Help", "title", "click title help; settle", "shot:0,0,800,600,help", "match"},
    {"HelpHoverOk", "title", "click title help; settle; hover screen ok", "shot:0,0,800,600,help-hover-ok",
     "match"},
    {"Options", "title", "click title options; settle", "shot:0,0,800,600,options", "match"},
    {"OptionsHoverOk", "title", "click title options; settle; hover screen ok",
     "shot:0,0,800,600,options-hover-ok", "match"},
    // Leaving: the title goes on glowing while it fades out.
    {"TitleFadingOut", "title", "click title help; steps 60", "shot:0,0,800,600,title-fading-out", "match"},
    // Coming in: the help screen stands still under its fade-in.
    {"HelpFadingIn", "title", "click title help; steps 150", "shot:0,0,800,600,help-fading-in", "match"},
    // Every option turned the other way: each button shows its other picture.
    {"OptionsAllTurned", "title",
     "click title options; settle; click options showtimer; click options highlighter; click options "
     "preventdoublenumbers; click options fullscreen; hover options highlighter",
     "shot:0,0,800,600,options-turned", "match"},
    {"OptionsSlidersMoved", "title",
     "click title options; settle; press slider music; release; press slider "
     "sound; release; steps 60",
     "shot:0,0,800,600,options-sliders-moved", "match"},

    // Every dialog, come to rest.
    {"QuitDialog", "board9", "key esc; steps 200", "shot:" DIALOG_PART ",quit", "match"},
    {"QuitDialogHoverYes", "board9", "key esc; hover dialog Yes", "shot:" DIALOG_PART ",quit-hover-yes",
     "match"},
    {"RestartDialog", "board9", "click main restartpuzzle; steps 200", "shot:" DIALOG_PART ",restart",
     "match"},
    {"NewPuzzleDialog", "board9", "click main newpuzzle; steps 200", "shot:" DIALOG_PART ",newpuzzle",
     "match"},
    {"SaveNameDialog", "board9", "click main savegame; steps 200; chars Keep",
     "shot:" DIALOG_PART ",savename", "match"},
    {"SaveNameDialogHoverCancel", "board9", "click main savegame; hover dialog Cancel",
     "shot:" DIALOG_PART ",savename-hover-cancel", "match"},
    {"CompletionNameDialog", "board4", "solve; steps 200; chars Ann", "shot:" DIALOG_PART ",completion-name",
     "match"},
    {"NotSolvableDialog", "custom", "click custom checkplay; settle; steps 200",
     "shot:" DIALOG_PART ",not-solvable", "match"},
    {"ClearBestTimesDialog", "title", "click title highscore; settle; click screen clear; steps 200",
     "shot:0,0,800,600,clear-best-times", "match"},
    {"DeleteSaveDialog", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click chooser Delete; steps 200",
     "shot:0,0,800,600,delete-save", "match"},
    {"DeleteFailedDialog", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click chooser Delete; stuck Keep.dat; click dialog Yes; steps 200",
     "shot:0,0,800,600,delete-failed", "match"},
    {"DeleteFailedIsTold", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click chooser Delete; stuck Keep.dat; click dialog Yes",
     "dialog", "error"},
    {"DeleteFailedOkBackToTheChooser", "board9",
     "click main savegame; type keep; key esc; click dialog Yes; settle; click play loadgame; select 0; "
     "click chooser Delete; stuck Keep.dat; click dialog Yes; corner error OK",
     "dialog", "chooser"},

    // A screen change: the fade out runs its hundred ticks, the next screen comes, and fades in as long.
    {"FadeOutLastTick", "title", "click title help; steps 98", "screen", "title"},
    {"FadeOutOver", "title", "click title help; steps 99", "screen", "help"},
    {"FadeInLastTick", "title", "click title help; steps 198", "fading", "1"},
    {"FadeInOver", "title", "click title help; steps 199", "fading", "0"},
    // The music fades when the title is left for good, not between the other menu screens.
    {"TitleFadesTheMusic", "title", "steps 1", "fademusic", "1"},
    {"HelpKeepsTheMusic", "title", "click title help; settle", "fademusic", "0"},
    {"OptionsKeepsTheMusic", "title", "click title options; settle", "fademusic", "0"},
    {"TitleStartsTheMusic", "title", "steps 1", "tune", "music.ogg music.ogg"},
    // The "ok" of help and options is the Enter key too.
    {"HelpEnter", "title", "click title help; settle; key enter; settle", "screen", "title"},
    {"OptionsEnter", "title", "click title options; settle; key enter; settle", "screen", "title"},
    {"OptionsOkWritesTheVolume", "title",
     "click title options; settle; press slider music; release; click screen ok; settle",
     "settings:MUSIC VOLUME", "20"},
    // The sliders open on the volumes of the settings.
    {"OptionsSlidersShowTheVolumes", "title", "volumes 30 70; click title options; settle",
     "shot:200,120,400,120,options-volumes", "match"},
    // A slider takes a press on its first and last rows, and not on the rows above and below.
    {"MusicSliderTopRow", "title", "volumes 50 50; click title options; settle; pressrow music top", "music",
     "20"},
    {"MusicSliderBottomRow", "title", "volumes 50 50; click title options; settle; pressrow music bottom",
     "music", "20"},
    {"MusicSliderAbove", "title", "volumes 50 50; click title options; settle; pressrow music above", "music",
     "50"},
    {"MusicSliderBelow", "title", "volumes 50 50; click title options; settle; pressrow music below", "music",
     "50"},
    {"SoundSliderTopRow", "title", "volumes 50 50; click title options; settle; pressrow sound top", "volume",
     "20"},
    {"SoundSliderBottomRow", "title", "volumes 50 50; click title options; settle; pressrow sound bottom",
     "volume", "20"},
    {"SoundSliderAbove", "title", "volumes 50 50; click title options; settle; pressrow sound above",
     "volume", "50"},
    {"SoundSliderBelow", "title", "volumes 50 50; click title options; settle; pressrow sound below",
     "volume", "50"},
    // The sample click of the sound slider comes again only after a quarter of a second.
    {"SoundSliderNoClickBeforeAQuarter", "title",
     "click title options; settle; press slider sound; mark; wait 249; release", "clicks", "0"},
    {"SoundSliderClickAtAQuarter", "title",
     "click title options; settle; press slider sound; mark; wait 250; release", "clicks", "1"},

    // Each dialog button answers from its first and its last pixel, and not from one pixel outside.
    {"QuitYesCorner", "board9", "key esc; corner dialog Yes; settle", "screen", "play"},
    {"QuitYesFarCorner", "board9", "key esc; farcorner dialog Yes; settle", "screen", "play"},
    {"QuitYesBefore", "board9", "key esc; before dialog Yes; steps 5", "dialog", "quit"},
    {"QuitYesAfter", "board9", "key esc; after dialog Yes; steps 5", "dialog", "quit"},
    {"QuitNoCorner", "board9", "key esc; corner dialog No", "dialog", "none"},
    {"QuitNoFarCorner", "board9", "key esc; farcorner dialog No", "dialog", "none"},
    {"QuitNoBefore", "board9", "key esc; before dialog No; steps 5", "dialog", "quit"},
    {"QuitNoAfter", "board9", "key esc; after dialog No; steps 5", "dialog", "quit"},
    {"SaveOkCorner", "board9", "click main savegame; steps 200; chars keep; corner dialog OK",
     "file:Keep.dat", "yes"},
    {"SaveOkFarCorner", "board9", "click main savegame; steps 200; chars keep; farcorner dialog OK",
     "file:Keep.dat", "yes"},
    {"SaveOkBefore", "board9", "click main savegame; steps 200; chars keep; before dialog OK", "dialog",
     "savename"},
    {"SaveOkAfter", "board9", "click main savegame; steps 200; chars keep; after dialog OK", "dialog",
     "savename"},
    {"SaveCancelCorner", "board9", "click main savegame; corner dialog Cancel", "dialog", "none"},
    {"SaveCancelFarCorner", "board9", "click main savegame; farcorner dialog Cancel", "dialog", "none"},
    {"SaveCancelBefore", "board9", "click main savegame; before dialog Cancel", "dialog", "savename"},
    {"SaveCancelAfter", "board9", "click main savegame; after dialog Cancel", "dialog", "savename"},
    {"NameOkCorner", "board4", "solve; steps 200; chars Ann; corner dialog OK", "best:4", "Ann"},
    {"NameOkFarCorner", "board4", "solve; steps 200; chars Ann; farcorner dialog OK", "best:4", "Ann"},
    {"NameOkBefore", "board4", "solve; steps 200; chars Ann; before dialog OK", "dialog", "name"},
    {"NameOkAfter", "board4", "solve; steps 200; chars Ann; after dialog OK", "dialog", "name"},
    {"NotSolvableOkCorner", "custom", "click custom checkplay; settle; corner dialog OK", "dialog", "none"},
    {"NotSolvableOkFarCorner", "custom", "click custom checkplay; settle; farcorner dialog OK", "dialog",
     "none"},
    {"NotSolvableOkBefore", "custom", "click custom checkplay; settle; before dialog OK", "dialog", "ok"},
    {"NotSolvableOkAfter", "custom", "click custom checkplay; settle; after dialog OK", "dialog", "ok"},
    {"ClearYesFarCorner", "title", "click title highscore; settle; click screen clear; farcorner dialog Yes",
     "dialog", "none"},
    {"ClearNoCorner", "title", "click title highscore; settle; click screen clear; corner dialog No",
     "dialog", "none"},
    {"ClearYesBefore", "title", "click title highscore; settle; click screen clear; before dialog Yes",
     "dialog", "clear"},
    {"ClearNoAfter", "title", "click title highscore; settle; click screen clear; after dialog No", "dialog",
     "clear"},

    // The menu screens' own buttons, from their corners and not from beside them.
    {"HelpOkCorner", "title", "click title help; settle; corner screen ok; settle", "screen", "title"},
    {"HelpOkFarCorner", "title", "click title help; settle; farcorner screen ok; settle", "screen", "title"},
    {"HelpOkBefore", "title", "click title help; settle; before screen ok; settle", "screen", "help"},
    {"HelpOkAfter", "title", "click title help; settle; after screen ok; settle", "screen", "help"},
    {"OptionsOkCorner", "title", "click title options; settle; corner screen ok; settle", "screen", "title"},
    {"OptionsOkFarCorner", "title", "click title options; settle; farcorner screen ok; settle", "screen",
     "title"},
    {"OptionsOkBefore", "title", "click title options; settle; before screen ok; settle", "screen",
     "options"},
    {"OptionsOkAfter", "title", "click title options; settle; after screen ok; settle", "screen", "options"},
    {"TitleExitCorner", "title", "corner title exit; settle", "screen", "exit"},
    {"TitlePlayFarCorner", "title", "farcorner title play; settle", "screen", "play"},
    {"TitleOptionsCorner", "title", "corner title options; settle", "screen", "options"},
    {"TitleHighscoreFarCorner", "title", "farcorner title highscore; settle", "screen", "best"},
    {"OptionsTimerCorner", "title", "click title options; settle; corner options showtimer", "timer", "0"},
    {"OptionsPreventFarCorner", "title",
     "click title options; settle; farcorner options preventdoublenumbers", "prevent", "0"},
    {"OptionsHighlighterCorner", "title", "click title options; settle; corner options highlighter",
     "highlighter", "1"},
    {"OptionsFullScreenFarCorner", "title", "click title options; settle; farcorner options fullscreen",
     "fullscreen", "0"},
};

TEST_P(ScreenFramesTest, ShowsWhatThePlayerSees) {
    const TRow& row = GetParam();
    Start(row.start);
    Play(row.script);
    EXPECT_EQ(See(row.state), row.expected) << row.script;
}

INSTANTIATE_TEST_SUITE_P(Rows, ScreenFramesTest, ::testing::ValuesIn(Rows), scenario::RowName);

// A screen that has been left holds none of what it built: its menus, sliders and header are gone.
class ScreenReleaseTest : public ScreenFramesWorld {};

TEST_F(ScreenReleaseTest, ALeftScreenHoldsNothingItBuilt) {
    Start("title");
    struct TTrip {
        const char* into;
        const char* back;
        std::function<std::vector<bool>()> held;
    };
    const TTrip trips[] = {
        {"click title help; settle", "click screen ok; settle",
         [] {
             return std::vector<bool>{bool(HelpScreen->Menu), bool(HelpScreen->Header)};
         }},
        {"click title options; settle; press slider music; release", "click screen ok; settle",
         [] {
             const TOptionsScreen& o = *OptionsScreen;
             return std::vector<bool>{bool(o.Menu), bool(o.Header), bool(o.OptionsMenu), bool(o.MusicSlider),
                                      bool(o.SoundSlider)};
         }},
        {"click title options; settle", "key esc; settle",
         [] {
             const TOptionsScreen& o = *OptionsScreen;
             return std::vector<bool>{bool(o.Menu), bool(o.Header), bool(o.OptionsMenu), bool(o.MusicSlider),
                                      bool(o.SoundSlider)};
         }},
        {"click title help; settle", "key esc; settle",
         [] {
             return std::vector<bool>{bool(HelpScreen->Menu), bool(HelpScreen->Header)};
         }},
    };
    for (const TTrip& trip : trips) {
        SCOPED_TRACE(trip.into);
        Play(trip.into);
        Play(trip.back);
        ASSERT_EQ(Observe("screen"), "title");
        for (bool held : trip.held()) EXPECT_FALSE(held);
    }
    // The title itself, left for the play screen.
    Play("click title play; settle");
    EXPECT_FALSE(TitleScreen->Menu);
    EXPECT_FALSE(TitleScreen->Header);
}

// The pointer's sparkles on the menu screens: every colour channel from 100 to 255, both ways round, and
// drift, spin and size over their whole ranges.
TEST_F(ScreenReleaseTest, MenuSparklesSpanTheirWholeRanges) {
    Start("title");
    TMousePointer& mouse = *Game->Mouse;
    mouse.SparkleLength = 0;
    mouse.ParticleList->Clear();
    for (int i = 0; i < 3000; ++i) MenuParticleEmit();
    int lowest = 255, highest = 0, ways = 0;
    float dx[2] = {1, -1}, spin[2] = {1, 0}, size[2] = {1, 0};
    const auto widen = [](float(&range)[2], float v) {
        range[0] = std::min(range[0], v);
        range[1] = std::max(range[1], v);
    };
    for (const auto& p : mouse.ParticleList->Items()) {
        ASSERT_TRUE(p->Color);
        for (int c : {p->Color->R, p->Color->G, p->Color->B}) {
            lowest = std::min(lowest, c);
            highest = std::max(highest, c);
        }
        ways |= p->DoRotate < 0 ? 1 : 2;
        widen(dx, p->dx);
        widen(spin, p->RotationSpeed);
        widen(size, p->ScaleX);
    }
    EXPECT_EQ(lowest, 100);
    EXPECT_EQ(highest, 255);
    EXPECT_EQ(ways, 3) << "some spin one way, some the other";
    EXPECT_LT(dx[0], -0.045f);
    EXPECT_GT(dx[1], 0.045f);
    EXPECT_LT(spin[0], 0.22f);
    EXPECT_GT(spin[1], 0.48f);
    EXPECT_LT(size[0], 0.22f);
    EXPECT_GT(size[1], 0.48f);
}

// The game's own notice, drawn over the screen it interrupts.
TEST_F(ScreenReleaseTest, TheNoticeLooksLikeItsReference) {
    Start("title");
    Game->GraphicsCreate();
    // The picture of the interrupted screen, for the notice's shadow to fall on.
    Game->CurrentTScreen->Image = ImageBank->Find("titlescreen")->image;
    MoveMouse(600, 480);
    auto offscreen = CreateOffscreenBackend(800, 600);
    ASSERT_TRUE(offscreen);
    SetDrawBackend(offscreen.get());
    int readings = 0;
    TPixmap shot;
    SetClockSource([&] {
        if (++readings == 400) {
            shot = GrabPixmap(0, 0, 800, 600);
            PostEvent({EVENT_KEYDOWN, 13, 0, 0});
        }
        if (readings == 5000) Game->InstantExit = 1;
        board::Now += 5;
        return board::Now;
    });
    RunNoticeDialog("The disk is full.");
    SetClockSource([] { return board::Now; });
    SetDrawBackend(&rec);
    EXPECT_EQ(Game->InstantExit, 0);
    EXPECT_TRUE(golden::MatchesReference(shot, "tests/game/golden", "atlas-notice"));
}

}  // namespace

namespace {

// Whatever the interrupted screen left in the draw state, the notice clears to black and draws the
// screen's picture solid, untinted and opaque behind it.
TEST_F(ScreenReleaseTest, TheNoticeDrawsThePictureBehindItAsItIs) {
    Start("title");
    Game->GraphicsCreate();
    SetDrawBackend(&rec);
    Game->CurrentTScreen->Image = ImageBank->Find("titlescreen")->image;
    SetClsColor(9, 9, 9);
    SetColor(1, 2, 3);
    SetAlpha(0.3f);
    SetBlend(LIGHTBLEND);
    rec.calls.clear();
    int readings = 0;
    SetClockSource([&] {
        if (++readings == 20) PostEvent({EVENT_KEYDOWN, 13, 0, 0});
        if (readings == 5000) Game->InstantExit = 1;
        board::Now += 5;
        return board::Now;
    });
    RunNoticeDialog("The disk is full.");
    SetClockSource([] { return board::Now; });
    const TDrawCommand* cls = rec.Find("Cls").empty() ? nullptr : rec.Find("Cls").front();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->state.clsRed + cls->state.clsGreen + cls->state.clsBlue, 0);
    const TDrawCommand* picture = nullptr;
    for (const TDrawCommand* c : rec.Find("DrawImage"))
        if (!picture && c->image == Game->CurrentTScreen->Image.get()) picture = c;
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->state.blend, SOLIDBLEND);
    EXPECT_EQ((std::vector<int>{picture->state.red, picture->state.green, picture->state.blue}),
              (std::vector<int>{255, 255, 255}));
    EXPECT_FLOAT_EQ(picture->state.alpha, 1.0f);
    Game->CurrentTScreen->Image.reset();
}

}  // namespace

namespace {

// Paused, the screen's logic still runs through the first five seconds after the start (while the game
// settles in), and from then on waits.
using StartUpGraceTest = board::BoardWorld;

TEST_F(StartUpGraceTest, PausedTheLogicRunsOnlyThroughTheFirstFiveSeconds) {
    struct TCounting : TScreen {
        int calls = 0;
        void Logic() override { ++calls; }
    };
    const struct { int paused, elapsed, calls; } rows[] = {{1, 5000, 1}, {1, 5001, 0}, {0, 5001, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.paused << " " << row.elapsed);
        TCounting screen;
        Game->CurrentTScreen = Game->DestinationTScreen = &screen;
        Game->Paused = row.paused;
        GameStartTime = board::Now - row.elapsed;
        EXPECT_EQ(Game->LogicWrapper(), row.calls);
        EXPECT_EQ(screen.calls, row.calls);
        Game->Paused = 0;
        Game->CurrentTScreen = Game->DestinationTScreen = nullptr;
    }
}

}  // namespace

namespace {

// The notice takes no time from before it (its first frame does not catch up on the time the game stood
// still), and leaves none behind: the game goes on timing from the notice's end, with no key or click
// of the notice's left over.
TEST_F(ScreenReleaseTest, TheNoticeTakesNoTimeFromBeforeAndLeavesNoTimeOrKeysBehind) {
    Start("title");
    Game->GraphicsCreate();
    SetDrawBackend(&rec);
    board::Now += 60000;  // the game stood still for a minute before the notice
    Delta = 0.0f;
    double mostTicks = 0;
    float mostDelta = 0;
    int readings = 0;
    SetClockSource([&] {
        mostTicks = std::max(mostTicks, Game->FixedRateLogic->NumTicks);
        mostDelta = std::max(mostDelta, Delta);
        if (++readings == 40) {
            PostEvent({EVENT_KEYDOWN, KEY_A + 23, 0, 0});
            PostEvent({EVENT_MOUSEDOWN, 1, 0, 0});
            PostEvent({EVENT_KEYDOWN, 13, 0, 0});
        }
        if (readings == 5000) Game->InstantExit = 1;
        board::Now += 5;
        return board::Now;
    });
    RunNoticeDialog("The disk is full.");
    SetClockSource([] { return board::Now; });
    EXPECT_EQ(Game->InstantExit, 0);
    EXPECT_LT(mostTicks, 10);
    EXPECT_GT(mostDelta, 0.5f) << "time runs for the notice while it is up";
    EXPECT_DOUBLE_EQ(Game->FixedRateLogic->LastTime, double(board::Now));
    EXPECT_EQ(GameAnyKeyHit(), 0);
    EXPECT_EQ(GameKeyHit(KEY_A + 23), 0);
    EXPECT_EQ(Game->Mouse->GetMh(1), 0);
}

}  // namespace

namespace {

// A notice over a paused game is drawn at the full frame rate, not at the rate of an idle paused game.
TEST_F(ScreenReleaseTest, TheNoticeIsNotPacedAsAnIdleGame) {
    Start("title");
    Game->GraphicsCreate();
    SetDrawBackend(&rec);
    Game->Paused = 1;
    Game->IdleFrame = 1;
    int longest = 0;
    SetDelayHandler([&](int ms) { longest = std::max(longest, ms); });
    int readings = 0;
    SetClockSource([&] {
        if (++readings == 200) PostEvent({EVENT_KEYDOWN, 13, 0, 0});
        if (readings == 5000) Game->InstantExit = 1;
        board::Now += 1;
        return board::Now;
    });
    RunNoticeDialog("The disk is full.");
    SetClockSource([] { return board::Now; });
    SetDelayHandler(nullptr);
    EXPECT_EQ(Game->InstantExit, 0);
    EXPECT_LT(longest, 40);
    Game->Paused = 0;
}

}  // namespace

namespace {

// Only a close of the window (or the fade out to the exit it starts) ends the notice unanswered: a
// screen fading in or out to another screen, or the exit named without a fade, leaves it up, and the
// player answers it as anywhere else (a running fade would hold a menu's input).
TEST_F(ScreenReleaseTest, OnlyTheWayOutEndsTheNoticeUnanswered) {
    Start("title");
    Game->GraphicsCreate();
    SetDrawBackend(&rec);
    struct TRow {
        const char* what;
        int fade;  // -1 none, 0 in, 1 out
        bool toExit;
    };
    for (const TRow& row : {TRow{"fading in", 0, false}, TRow{"fading out to the title", 1, false},
                            TRow{"the exit named without a fade", -1, true}}) {
        SCOPED_TRACE(row.what);
        Game->GameFade->Finish();
        if (row.fade >= 0) Game->GameFade->Init(5000.0f, row.fade, nullptr, 0, 0, nullptr);
        Game->DestinationTScreen = row.toExit ? Game->ExitScreen.get() : TitleScreen.get();
        int readings = 0;
        SetClockSource([&] {
            if (++readings == 60) PostEvent({EVENT_KEYDOWN, 13, 0, 0});
            if (readings == 5000) Game->InstantExit = 1;
            board::Now += 5;
            return board::Now;
        });
        RunNoticeDialog("The disk is full.");
        SetClockSource([] { return board::Now; });
        EXPECT_GE(readings, 60) << "answered, not ended at once";
        EXPECT_EQ(Game->InstantExit, 0);
        // The fade goes on where it stood.
        EXPECT_EQ(Game->GameFade->Active, row.fade >= 0 ? 1 : 0);
        if (row.fade >= 0) {
            EXPECT_EQ(Game->GameFade->Out, row.fade);
        }
        Game->InstantExit = 0;
    }
    // A notice that comes while the way out already runs ends at once, and the way out goes on.
    Game->GameFade->Finish();
    Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
    Game->DestinationTScreen = Game->ExitScreen.get();
    int late = 0;
    SetClockSource([&] {
        if (++late == 5000) Game->InstantExit = 1;
        board::Now += 5;
        return board::Now;
    });
    RunNoticeDialog("The disk is full.");
    SetClockSource([] { return board::Now; });
    EXPECT_LT(late, 60);
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->InstantExit, 0);
    Game->InstantExit = 0;
    // A close of the window during a notice over a fade: the notice ends and the way out goes on.
    Game->GameFade->Finish();
    Game->GameFade->Init(5000.0f, 0, nullptr, 0, 0, nullptr);
    Game->DestinationTScreen = TitleScreen.get();
    int readings = 0;
    SetClockSource([&] {
        if (++readings == 300) {  // the notice has come to rest
            PostEvent({EVENT_MOUSEMOVE, 0, 2, 2});
            PostEvent({EVENT_KEYDOWN, KEY_A + 23, 0, 0});
            PostEvent({EVENT_MOUSEDOWN, 1, 0, 0});
        }
        if (readings == 330) {
            Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
            Game->DestinationTScreen = Game->ExitScreen.get();
        }
        if (readings == 5000) Game->InstantExit = 1;
        board::Now += 5;
        return board::Now;
    });
    RunNoticeDialog("The disk is full.");
    SetClockSource([] { return board::Now; });
    EXPECT_LT(readings, 360);
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Out, 1);
    // Nothing pressed during the notice is left to cut the way out short.
    EXPECT_EQ(GameAnyKeyHit(), 0);
    EXPECT_EQ(Game->Mouse->GetMh(1), 0);
    Game->GameFade->Finish();
    Game->DestinationTScreen = nullptr;
}

}  // namespace

namespace {

// From the moment the game begins loading, the window shows black, not what was in it before.
using GameRunFrameTest = board::BoardWorld;

TEST_F(GameRunFrameTest, TheWindowShowsBlackWhileTheGameLoads) {
    Game->GraphicsCreate();
    SetDrawBackend(nullptr);
    SetClsColor(255, 255, 255);
    Cls();
    static TPixmap shown;
    static int frames = 0;
    frames = 0;
    CaptureNextFrame(
        [](const TPixmap& frame, void*) {
            shown = frame;
            ++frames;
        },
        nullptr);
    GameRun();
    SetDrawBackend(&rec);
    ASSERT_EQ(frames, 1);
    int lit = 0;
    for (int y = 0; y < shown.height; y += 7)
        for (int x = 0; x < shown.width; x += 7) lit += (shown.ReadPixel(x, y) & 0xFFFFFFu) != 0 ? 1 : 0;
    EXPECT_GT(shown.width, 0);
    EXPECT_EQ(lit, 0);
}

}  // namespace

namespace {

// On the first quit the get-started page opens in the browser; a full-screen game first closes its
// screen so the browser is not hidden behind it. A windowed game, or a later quit, leaves the window.
TEST(GetStartedPageTest, AFullScreenGameClosesItsScreenBeforeTheBrowserOpens) {
    testenv::TempDir dir;
    const struct {
        int fullScreen, firstRun;
        bool open;
    } rows[] = {{1, 1, false}, {0, 1, true}, {1, 0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.fullScreen << row.firstRun);
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Create();
        Game->SubPath = dir.Str();
        Game->Ini->FileName = dir.Str() + "settings";
        Game->Driver = 1;
        Game->FullScreen = row.fullScreen;
        Game->GraphicsCreate();
        ASSERT_TRUE(GraphicsOpen());
        OpenGetStartedPage(row.firstRun);
        EXPECT_EQ(GraphicsOpen(), row.open);
        EndGraphics();
        Game.reset();
    }
}

}  // namespace
