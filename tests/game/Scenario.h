// What a player sees after each thing a player does, driven through the real screens by the real main-loop
// step (pointer, events, keys, fade, screen change, logic, then the frame) on a hand-driven clock.
//
// Each row of the table is one short scenario: where it starts, a script of actions and the named state it
// must leave (a value, a file, or a region of the frame compared with a reference picture). Script actions,
// separated by ';':
//   click <menu> <button>   a click on a named button (menus: see MenuNamed)
//   corner <menu> <button>  a click on the button's top-left pixel
//   farcorner <menu> <button>  a click on the button's bottom-right pixel
//   before <menu> <button>  a click one pixel left of and above the button's top-left pixel
//   after <menu> <button>   a click one pixel right of and below its bottom-right pixel
//   outside <menu> <button> both: the click before it and the click after it
//   hover <menu> <button>   the pointer moved onto the button's middle and held there a while
//   key <name>              a key pressed and let go: a digit, a letter, esc, enter, del, back, kp<digit>,
//                           altenter
//   wheel up|down           one step of the mouse wheel
//   wait <ms>               the clock moves on, then one step
//   steps <n>               n steps of 5 ms
//   settle                  steps until no fade or overlay runs any more
//   type <text>             characters typed into the open entry, then Enter
//   chars <text>            the same characters without the Enter
//   cell <x> <y> [right|ctrl]   a click on a cell, left by default
//   enter <x> <y>           the cell's solution chosen by its key, then the cell clicked
//   solve                   every empty cell but one filled with the solution, the last one entered
//   point <x> <y>           the pointer moved over a cell
//   tap                     a left click where the pointer is
//   press slider <music|sound> / release   the left button held down on a slider, and let go
//   select <row>            a row of the save-game chooser selected
//   rm <file>               a file of the player's folder removed behind the game's back
//   mark                    the sounds played so far are set aside (the state "clicks" counts from here)
//   particles <percent>     the particle amount of the settings
//   toboard                 from the title: play, then play again (a generated puzzle)
// The named states are listed in Observe.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BoardWorld.h"
#include "ScreenGlobals.h"
#include "core/FakeAudio.h"
#include "game/GameOptions.h"
#include "game/HelpScreen.h"
#include "game/HighScoreList.h"
#include "game/HighScoreScreen.h"
#include "game/OptionsScreen.h"
#include "game/PlayScreen.h"
#include "game/SaveGameManager.h"
#include "game/TitleScreen.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "presentation/Dialog.h"
#include "presentation/Particles.h"
#include "presentation/Slider.h"
#include "support/Golden.h"

namespace scenario {

using board::BoardWorld;
using board::Now;

struct TRow {
    const char* name;
    const char* start;  // title, play, custom, board4, board9, board16
    const char* script;
    const char* state;
    const char* expected;
};

inline void PrintTo(const TRow& row, std::ostream* out) {
    *out << row.name;
}

// Each row of a table, whatever its kind, names its test.
inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };

inline std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, by);) {
        const auto from = part.find_first_not_of(' ');
        if (from == std::string::npos) continue;
        parts.push_back(part.substr(from, part.find_last_not_of(' ') - from + 1));
    }
    return parts;
}

class ScenarioWorld : public BoardWorld {
  protected:
    void SetUp() override {
        SetAudioDriverInstance(std::make_unique<FakeDriver>(&channels));
        BoardWorld::SetUp();
        Game->MusicPath = board::DataFolder("music");
        Game->Ini->FileName = shared.Str() + "settings";
        Game->Sound = 1;
        // As the game's start-up sets them: the framework's own letter keys would take the board's A to G.
        Game->IgnoreDebugKey = 1;
        Game->IgnoreFrameworkKeys = 1;
        OptionsStartUp(shared.Str());
        MenuScreensInit();
        PuzzleWidth = PuzzleHeight = 9;
        PuzzleDifficulty = 2;
        Core.SetPuzzleRegion();
    }

    void TearDown() override {
        KillMenuScreens();
        Game->Paused = 0;
        BoardWorld::TearDown();
        TitleScreen.reset();
        PlayScreen.reset();
        OptionsScreen.reset();
        HelpScreen.reset();
        HighScoreScreen.reset();
        SetAudioDriverInstance(nullptr);
    }

    // One pass of the main loop: the logic step as the running game makes it, then the frame.
    void Step() {
        Now += 5;
        rec.calls.clear();
        if (Game->LogicWrapper() == -1) return;
        if (Game->CurrentTScreen && Game->CurrentTScreen != Game->ExitScreen.get())
            Game->CurrentTScreen->Draw();
    }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) Step();
    }
    bool Busy() const { return Game->GameFade->Active || (GenerateScreen && GenerateScreen->Active); }
    void Settle() {
        for (int i = 0; i < 4000 && Busy() && !Game->InstantExit; ++i) Step();
        Steps(2);
    }

    void Start(const std::string& where) {
        SeedRnd(1);  // the board's background among the random choices: frames compare with references
        if (where == "title" || where == "play" || where == "custom") {
            StartTitleScreen();
            Game->GameFade->Finish();
            Game->GameFade->GetDone();
            Step();
            if (where != "title") Run("click title play; settle");
            if (where == "custom") Run("click play custom; settle");
        } else {
            NewBoard(std::stoi(where.substr(5)));
            EnterBoardScreen();
            Step();
        }
        firstBackground = GameScreen->LastImage;
    }

    void Run(const std::string& script) {
        for (const std::string& action : Split(script, ';')) {
            SCOPED_TRACE(action);
            Act(Split(action, ' '));
        }
    }

    static int KeyNamed(const std::string& name) {
        static const std::map<std::string, int> named = {{"esc", KEY_ESCAPE},    {"enter", KEY_ENTER},
                                                         {"del", KEY_DELETE},    {"back", KEY_BACKSPACE},
                                                         {"ctrl", KEY_LCONTROL}, {"alt", KEY_LALT}};
        if (named.count(name)) return named.at(name);
        if (name.size() == 3 && name.rfind("kp", 0) == 0) return KEY_NUM0 + (name[2] - '0');
        const char c = char(std::toupper(name[0]));
        return c >= '0' && c <= '9' ? KEY_0 + (c - '0') : KEY_A + (c - 'A');
    }
    // The key that chooses number v.
    static std::string KeyOf(int v) {
        return v < 10 ? std::to_string(v) : std::string(1, char('A' + v - 10));
    }

    TMenu* MenuNamed(const std::string& name) {
        if (name == "title") return TitleScreen->Menu.get();
        if (name == "play") return PlayScreen->MainMenu.get();
        if (name == "size") return PlayScreen->SizeMenu.get();
        if (name == "difficulty") return PlayScreen->DifficultyMenu.get();
        if (name == "options") return OptionsScreen->OptionsMenu.get();
        if (name == "screen")
            return Game->CurrentTScreen->Menu.get();  // the "ok" of help, options, best times
        if (name == "tabs") return HighScoreScreen->SizeMenu.get();
        if (name == "main") return GameScreen->MainMenu.get();
        if (name == "aids") return GameScreen->PuzzleMenu.get();
        if (name == "numbers") return GameScreen->NumberMenu.get();
        if (name == "custom") return GameScreen->CustomPuzzleMenu.get();
        if (name == "end") return GameScreen->endLevelMenu->Menu.get();
        if (name == "chooser") return PlayScreen->SaveGameManager->Menu.get();
        if (name == "error") {  // the chooser's message that a file could not be deleted
            const TSaveGameManager* m = PlayScreen ? PlayScreen->SaveGameManager.get() : nullptr;
            return m && m->DialogOK ? m->DialogOK->Menu.get() : nullptr;
        }
        if (name == "dialog") {
            TDialog* open = OpenDialog();
            return open ? open->Menu.get() : nullptr;
        }
        return nullptr;
    }

    TDialog* OpenDialog() const {
        if (Game->CurrentTScreen == GameScreen.get()) {
            const TGameScreen& g = *GameScreen;
            for (TDialog* d :
                 {static_cast<TDialog*>(g.RestartInput.get()), static_cast<TDialog*>(g.NewInput.get()),
                  static_cast<TDialog*>(g.QuitInput.get()), static_cast<TDialog*>(g.NameInput.get()),
                  static_cast<TDialog*>(g.SaveGameNameInput.get()), static_cast<TDialog*>(g.OKInput.get())})
                if (d) return d;
        }
        if (Game->CurrentTScreen == HighScoreScreen.get() && HighScoreScreen->ClearHighscore)
            return HighScoreScreen->ClearHighscore.get();
        if (Game->CurrentTScreen == PlayScreen.get() && PlayScreen->SaveGameManager)
            return PlayScreen->SaveGameManager->DialogYesNo
                       ? static_cast<TDialog*>(PlayScreen->SaveGameManager->DialogYesNo.get())
                       : PlayScreen->SaveGameManager.get();
        return nullptr;
    }

    void ClickAt(int x, int y, int button = 1) {
        MoveMouse(x, y);
        Step();
        Press(button);
        Step();
        Release(button);
        Step();
    }

    // As the platform delivers a key: Enter, Backspace and Escape also come as a character.
    void KeyTap(int key) {
        KeyDown(key);
        if (key == KEY_ENTER || key == KEY_BACKSPACE || key == KEY_ESCAPE)
            PostEvent({EVENT_KEYCHAR, key, 0, 0});
        Step();
        KeyUp(key);
        Step();
    }

    void Act(const std::vector<std::string>& a) {
        const std::string& verb = a[0];
        if (verb == "click" || verb == "corner" || verb == "farcorner" || verb == "before" ||
            verb == "after" || verb == "outside" || verb == "hover") {
            // Dialogs slide in; their buttons are clicked once they have come to rest.
            if (a[1] == "dialog" || a[1] == "chooser" || a[1] == "error") Steps(200);
            TMenu* menu = MenuNamed(a[1]);
            ASSERT_NE(menu, nullptr) << a[1];
            TButton* button = menu->FindButton(a[2]);
            ASSERT_NE(button, nullptr) << a[2];
            // The button's first pixel and the first one past it on either axis.
            const int left = int(std::ceil(button->x)), top = int(std::ceil(button->y));
            const int right = int(std::ceil(button->x + float(button->w)));
            const int bottom = int(std::ceil(button->y + float(button->h)));
            if (verb == "corner") {
                ClickAt(left, top);
            } else if (verb == "farcorner") {
                ClickAt(right - 1, bottom - 1);
            } else if (verb == "before" || verb == "after" || verb == "outside") {
                if (verb != "after") ClickAt(left - 1, top - 1);
                if (verb != "before") ClickAt(right, bottom);
            } else if (verb == "hover") {
                MoveMouse(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
                Steps(150);
            } else {
                ClickAt(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
            }
        } else if (verb == "key" && a[1] == "altenter") {
            KeyDown(KEY_LALT);
            KeyTap(KEY_ENTER);
            KeyUp(KEY_LALT);
            Step();
        } else if (verb == "key") {
            KeyTap(KeyNamed(a[1]));
        } else if (verb == "wheel") {
            PostEvent({EVENT_MOUSEWHEEL, a[1] == "down" ? -1 : 1, 0, 0});
            Step();
        } else if (verb == "wait") {
            Now += std::stoi(a[1]) - 5;
            Step();
        } else if (verb == "steps") {
            Steps(std::stoi(a[1]));
        } else if (verb == "settle") {
            Settle();
        } else if (verb == "type" || verb == "chars") {
            for (char c : a[1]) {
                PostEvent({EVENT_KEYCHAR, c, 0, 0});
                Step();
            }
            if (verb == "type") KeyTap(KEY_ENTER);
        } else if (verb == "cell" || verb == "point") {
            TCell* cell = CellAt(std::stoi(a[1]), std::stoi(a[2]));
            ASSERT_NE(cell, nullptr);
            if (verb == "point") {
                MoveMouse(int(cell->x), int(cell->y));
                Step();
                return;
            }
            const std::string how = a.size() > 3 ? a[3] : "left";
            if (how == "ctrl") KeyDown(KEY_LCONTROL);
            ClickAt(int(cell->x), int(cell->y), how == "right" ? 2 : 1);
            if (how == "ctrl") KeyUp(KEY_LCONTROL);
        } else if (verb == "enter") {
            const int x = std::stoi(a[1]), y = std::stoi(a[2]);
            Act({"key", KeyOf(Solution[x][y])});
            Act({"cell", a[1], a[2]});
        } else if (verb == "solve") {
            int lx = -1, ly = -1;
            for (int x = 0; x < PuzzleWidth; ++x)
                for (int y = 0; y < PuzzleHeight; ++y)
                    if (Puzzle[x][y] == 0) {
                        if (lx >= 0) Puzzle[x][y] = Solution[x][y];
                        if (lx < 0) lx = x, ly = y;
                    }
            Act({"enter", std::to_string(lx), std::to_string(ly)});
        } else if (verb == "tap") {
            Press(1);
            Step();
            Release(1);
            Step();
        } else if (verb == "press") {
            TSlider& s = a[2] == "music" ? *OptionsScreen->MusicSlider : *OptionsScreen->SoundSlider;
            MoveMouse(int(s.x) + s.w / 4, int(s.y) + s.h / 2);
            Step();
            Press(1);
            Step();
        } else if (verb == "release") {
            Release(1);
            Step();
        } else if (verb == "select") {
            PlayScreen->SaveGameManager->ListBox->SetIndex(std::stoi(a[1]));
        } else if (verb == "rm") {
            std::filesystem::remove(shared.Path() / a[1]);
        } else if (verb == "mark") {
            clicksBefore = Clicks();
        } else if (verb == "particles") {
            Game->Particles = std::stoi(a[1]);
        } else if (verb == "toboard") {
            Run("click title play; settle; click play play; settle");
        } else {
            FAIL() << "unknown action " << verb;
        }
    }

    std::string ScreenName(const TScreen* s) const {
        if (s == nullptr) return "none";
        if (s == TitleScreen.get()) return "title";
        if (s == PlayScreen.get()) return "play";
        if (s == OptionsScreen.get()) return "options";
        if (s == HelpScreen.get()) return "help";
        if (s == HighScoreScreen.get()) return "best";
        if (s == GameScreen.get()) return "board";
        if (s == Game->ExitScreen.get()) return "exit";
        return "other";
    }

    std::string DialogName() const {
        if (Game->CurrentTScreen == GameScreen.get()) {
            const TGameScreen& g = *GameScreen;
            if (g.RestartInput) return "restart";
            if (g.NewInput) return "new";
            if (g.QuitInput) return "quit";
            if (g.NameInput) return "name";
            if (g.SaveGameNameInput) return "savename";
            if (g.OKInput) return "ok";
        }
        if (HighScoreScreen && HighScoreScreen->ClearHighscore) return "clear";
        if (PlayScreen && PlayScreen->SaveGameManager)
            return PlayScreen->SaveGameManager->DialogYesNo ? "delete"
                   : PlayScreen->SaveGameManager->DialogOK  ? "error"
                                                            : "chooser";
        return "none";
    }

    static int CountOf(const TByteGrid& grid) {
        int n = 0;
        for (int x = 0; x < PuzzleWidth; ++x)
            for (int y = 0; y < PuzzleHeight; ++y) n += grid[x][y] != 0 ? 1 : 0;
        return n;
    }

    static std::string IniValue(const std::string& file, const std::string& key) {
        std::stringstream in(testenv::ReadFile(file));
        for (std::string line; std::getline(in, line);)
            if (line.rfind(key + "=", 0) == 0)
                return line.substr(key.size() + 1, line.find_last_not_of('\r') - key.size());
        return "missing";
    }

    // The number button shown chosen (in its "On" images).
    std::string ShownChosen() const {
        std::string shown = "none";
        for (const auto& b : *GameScreen->NumberMenu)
            if (b->image && b->image->name.size() > 2 && b->image->name.ends_with("ON"))
                shown = b->name.substr(GameScreen->ChosenNumberString.size());
        return shown;
    }

    bool Drawn(const std::string& menuName, const std::string& buttonName) {
        TMenu* menu = MenuNamed(menuName);
        TButton* b = menu ? menu->FindButton(buttonName) : nullptr;
        if (!b) return false;
        for (const auto& c : rec.calls)
            if (c.image && ((b->image && c.image == b->image->image.get()) ||
                            (b->ImageMouseOver && c.image == b->ImageMouseOver->image.get())))
                return true;
        return false;
    }

    bool TextDrawn(const std::string& piece) const {
        for (const auto& c : rec.calls)
            if (c.op == "DrawText" && c.text.find(piece) != std::string::npos) return true;
        return false;
    }

    // The current screen drawn by a real renderer (the pointer over it when asked; several frames, so the
    // last starts from the draw state the one before left, as in the running game), a region of it compared
    // with tests/game/golden/<reference>.png.
    ::testing::AssertionResult FrameMatches(const std::string& reference, int x = 0, int y = 0, int w = 800,
                                            int h = 600, int frames = 1, bool pointer = false) {
        auto offscreen = CreateOffscreenBackend(800, 600);
        SetDrawBackend(offscreen.get());
        for (int frame = 0; frame < frames; ++frame) {
            SetClsColor(0, 0, 0);
            Cls();
            Game->CurrentTScreen->Draw();
            if (pointer) Game->Mouse->Draw();
        }
        const TPixmap shot = GrabPixmap(x, y, w, h);
        SetDrawBackend(&rec);
        return golden::MatchesReference(shot, "tests/game/golden", reference);
    }
    // A comparison as a named state says it.
    static std::string Said(const ::testing::AssertionResult& result) {
        return result ? "match" : result.message();
    }

    std::string Frame(const std::vector<std::string>& at) {
        return Said(FrameMatches("scenario-" + at.at(4), std::stoi(at.at(0)), std::stoi(at.at(1)),
                                 std::stoi(at.at(2)), std::stoi(at.at(3))));
    }

    int Clicks() const {
        int cues = 0;
        for (const auto& c : channels) cues += c->cues;
        return cues;
    }

    std::string Observe(const std::string& what) {
        const auto [name, arg] = [&] {
            const auto colon = what.find(':');
            return colon == std::string::npos ? std::pair{what, std::string()}
                                              : std::pair{what.substr(0, colon), what.substr(colon + 1)};
        }();
        const auto yes = [](bool b) { return std::string(b ? "yes" : "no"); };
        const auto num = [](int v) { return std::to_string(v); };
        const auto xy = [&](int i) { return std::stoi(Split(arg, ',').at(size_t(i))); };
        if (name == "screen") return ScreenName(Game->CurrentTScreen);
        if (name == "dialog") return DialogName();
        if (name == "chosen") return num(ChosenNumber);
        if (name == "shownchosen") return ShownChosen();
        if (name == "locked") return num(CountOf(Locked)) + (NumbersLocked ? " on" : " off");
        if (name == "filled") return num(CountOf(Puzzle));
        if (name == "cells") return num(CellList.Count());
        if (name == "cell") return num(Puzzle[size_t(xy(0))][size_t(xy(1))]);
        if (name == "mark") return num(Markup[size_t(xy(0))][size_t(xy(1))][size_t(xy(2) - 1)]);
        if (name == "stopwatch") return StopwatchText();
        if (name == "paused") return num(Game->Paused);
        if (name == "overlay") return num(GenerateScreen ? GenerateScreen->Active : 0);
        if (name == "generated") return num(generated);
        if (name == "completed") return num(PuzzleCompleted);
        if (name == "custommode") return num(CustomPuzzleMode);
        if (name == "size") return num(PuzzleWidth);
        if (name == "difficulty") return num(PuzzleDifficulty);
        if (name == "table") {
            for (int n : {4, 6, 9, 12, 16})
                if (HighScoreScreen->HighScoreList == HighScoreTable(n)) return num(n);
            return "none";
        }
        if (name == "best") return HighScoreTable(std::stoi(arg))->Entries.front().name;
        if (name == "config") return IniValue(shared.Str() + "config.ini", arg);
        if (name == "settings") return IniValue(shared.Str() + "settings.ini", arg);
        if (name == "file") return yes(FileType(shared.Str() + arg) == FILETYPE_FILE);
        if (name == "fullscreen") return num(Game->FullScreen);
        if (name == "timer") return num(ShowTimer);
        if (name == "timershown") return yes(TextDrawn(":"));
        if (name == "highlighter") return num(ShowHighlighter);
        if (name == "highlight") return num(HighlightX) + "," + num(HighlightY);
        if (name == "prevent") return num(PreventDoubleNumbers);
        if (name == "mistakes") return num(ShowMistakes);
        if (name == "solution") return num(ShowSolution);
        if (name == "markup") return num(ShowMarkup);
        if (name == "armed") return num(ShowDesiredCellArmed);
        if (name == "particles") return num(CompletionParticles ? CompletionParticles->Count() : -1);
        if (name == "clicks") return num(Clicks() - clicksBefore);
        if (name == "music") return num(Game->MusicVolume);
        if (name == "volume") return num(Game->SoundVolume);
        if (name == "drawn") {
            const auto parts = Split(arg, '.');
            return yes(Drawn(parts.at(0), parts.at(1)));
        }
        if (name == "frame") return Frame(Split(arg, ','));
        if (name == "drawncount") {
            const auto image = ImageBank->FindTImage(arg);
            int n = 0;
            for (const auto& c : rec.calls) n += image && c.image == image.get() ? 1 : 0;
            return num(n);
        }
        if (name == "background") {
            const int now = GameScreen->LastImage;
            return now == firstBackground ? "same" : now == firstBackground % 4 + 1 ? "next" : "other";
        }
        return "unknown state " + what;
    }

    std::vector<std::shared_ptr<FakeChannel>> channels;
    int firstBackground = 0;
    int clicksBefore = 0;
};

}  // namespace scenario
