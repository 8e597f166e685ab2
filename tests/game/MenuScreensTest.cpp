// The menu screens driven headless against the built game data: injected clicks and keys, screen
// changes (destination and fade-out), the options written to "config.ini", clearing a best-time table,
// the save-game chooser's list, deletion and loading, and a rendered frame of the title screen compared
// with a reference picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ScreenGlobals.h"
#include "core/Game.h"
#include "core/GameText.h"
#include "core/Input.h"
#include "core/PakFileManager.h"
#include "core/SoundBank.h"
#include "core/Startup.h"
#include "core/StringUtils.h"
#include "game/Core.h"
#include "game/GameDialogs.h"
#include "game/GameNotice.h"
#include "game/GameOptions.h"
#include "game/GameRun.h"
#include "game/GameScreen.h"
#include "game/GenerateScreen.h"
#include "game/HelpScreen.h"
#include "game/HighScoreList.h"
#include "game/HighScoreScreen.h"
#include "game/OptionsScreen.h"
#include "game/PlayScreen.h"
#include "game/SaveGameManager.h"
#include "game/TitleScreen.h"
#include "game/TolvaneGame.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/ImageCodec.h"
#include "platform/Random.h"
#include "presentation/Button.h"
#include "presentation/Color.h"
#include "presentation/Dialog.h"
#include "presentation/Font.h"
#include "presentation/GameFade.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"
#include "presentation/Shapes.h"
#include "support/Golden.h"
#include "support/TestEnv.h"

namespace {

constexpr int KeyEnter = 13, KeyEscape = 27, KeyY = 89;

std::string DataFolder(const std::string& sub) {
    return (testenv::BinDir() / "data" / sub).string() + "/";
}

class MenuScreensTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Game = std::make_unique<TTolvaneGame>();
        Game->SubPath = shared.Str();
        Game->DataPrefix = testenv::BinDir().string() + "/";
        Game->ImagePath = DataFolder("graphics");
        Game->SoundPath = DataFolder("sound");
        Game->MenuPath = DataFolder("menus");
        Game->MusicPath = DataFolder("music");
        Game->TextPath = DataFolder("text");
        Game->ProfilePath = profiles.Str();
        Game->Ini->FileName = shared.Str() + "settings";
        Game->FullScreen = 0;
        if (!Game->GameFade) Game->GameFade = std::make_shared<TGameFade>();
        Game->ChannelsCreate(16);
        ImageBank = std::make_unique<TImageBank>();
        ImageBank->SetPath(Game->ImagePath);
        SoundBank = std::make_unique<TSoundBank>();
        SoundBank->SetPath(Game->SoundPath);
        PakManager = TPakFileManager::Create(DataFolder("resources"), ".pak");
        ASSERT_TRUE(PakManager);
        GameText = TGameText::Create("gametext.txt");
        for (auto [font, size] : {std::pair{&FontCalibri18, 18},
                                  {&FontCalibri20, 20},
                                  {&FontCalibri25, 25},
                                  {&FontCalibri34, 34}})
            *font = PakManager->GetImageFont("calibri.ttf", size, 4);
        OptionsStartUp(shared.Str());
        Core.Start();
        PuzzleWidth = PuzzleHeight = 9;
        PuzzleDifficulty = 2;
        Core.SetPuzzleRegion();

        offscreen = CreateOffscreenBackend(800, 600);
        ASSERT_TRUE(offscreen);
        SetDrawBackend(offscreen.get());
        ResetDrawStateDefaults();

        BoardScreensInit();
        MenuScreensInit();
        GameRun();
        Delta = 1.0f;
        GameFlushKeys();
        Settle();
    }

    void TearDown() override {
        SetClockSource(nullptr);
        SetGameNoticeHandler(nullptr);
        KillMenuScreens();
        ReleaseScreens();
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
        GameFlushKeys();
        PakManager.reset();
        ImageBank.reset();
        SoundBank.reset();
        Game.reset();
    }

    // One logic call as the main loop makes it: the fade step, the screen change, the screen's logic.
    static void Tick() {
        if (Game->GameFade->Active) Game->GameFade->Manage();
        Game->ScreenChange();
        Game->CurrentTScreen->Logic();
    }
    // Runs until the running fade (and the screen change after it) is over.
    static void Settle() {
        for (int i = 0; i < 1000 && Game->GameFade->Active; ++i) Tick();
        Tick();
    }
    static void ClickAt(int x, int y) {
        Game->Mouse->x = x;
        Game->Mouse->y = y;
        Game->Mouse->ButtonDown(1);
        Tick();
        Game->Mouse->ButtonUp(1);
    }
    static void ClickButton(TMenu& menu, const std::string& name) {
        TButton* button = menu.FindButton(name);
        ASSERT_NE(button, nullptr) << name;
        ClickAt(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
    }
    static void Press(int key) {
        KeyBufferKeyDown(key);
        Tick();
        KeyBufferKeyUp(key);
        GameFlushKeys();
    }
    static void ExpectChangeTo(TScreen* destination) {
        EXPECT_EQ(Game->DestinationTScreen, destination);
        EXPECT_TRUE(Game->GameFade->Active);
        EXPECT_EQ(Game->GameFade->Out, 1);
    }
    void GoTo(const std::string& titleButton, TScreen* screen) {
        ASSERT_EQ(Game->CurrentTScreen, TitleScreen.get());
        ClickButton(*TitleScreen->Menu, titleButton);
        ExpectChangeTo(screen);
        Settle();
        ASSERT_EQ(Game->CurrentTScreen, screen);
    }
    void WriteSave(const std::string& name, const std::string& text) {
        testenv::WriteFile(profiles.Path() / (name + ".dat"), text);
    }

    testenv::TempDir shared;
    testenv::TempDir profiles;
    std::unique_ptr<TDrawBackend> offscreen;
};

TEST_F(MenuScreensTest, StartsOnTheTitleAndItsButtonsLeadToTheirScreensAndBack) {
    EXPECT_EQ(Game->CurrentTScreen, TitleScreen.get());
    Game->MusicFileName = "kept";  // the title music starts only on the first entry
    GoTo("help", HelpScreen.get());
    ClickButton(*HelpScreen->Menu, "ok");
    ExpectChangeTo(TitleScreen.get());
    Settle();
    EXPECT_EQ(Game->MusicFileName, "kept");
    GoTo("play", PlayScreen.get());
    ClickButton(*PlayScreen->MainMenu, "back");
    Settle();
    EXPECT_EQ(Game->CurrentTScreen, TitleScreen.get());
    TitleScreen->SetEscDestination();
    EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen.get());
}

TEST_F(MenuScreensTest, EnterOnThePlayScreenGeneratesAndDoesNotAlsoStartACustomPuzzle) {
    GoTo("play", PlayScreen.get());
    Press(KeyEnter);
    EXPECT_EQ(GenerateScreen->Active, 1);
    EXPECT_EQ(CustomPuzzleMode, 0);
    EXPECT_EQ(Game->DestinationTScreen, PlayScreen.get());  // no change started by the play screen itself
}

// The play screen shows the current size and level chosen; its labels glow and its menus stand in place.
TEST_F(MenuScreensTest, PlayScreenLooksLikeItsReference) {
    PuzzleWidth = PuzzleHeight = 12;
    PuzzleDifficulty = 4;
    SetClockSource([] { return 1000000; });
    GoTo("play", PlayScreen.get());
    EXPECT_EQ(PlayScreen->ChosenSize, "12x12");
    EXPECT_EQ(PlayScreen->ChosenDifficulty, "veryhard");
    Game->Mouse->x = Game->Mouse->y = 0;
    for (int i = 0; i < 300; ++i) Tick();
    SetClsColor(0, 0, 0);
    Cls();
    PlayScreen->Draw();
    EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "playscreen"));
}

TEST_F(MenuScreensTest, PlayScreenButtonNamesOfEverySizeAndLevel) {
    const std::pair<int, const char*> sizes[] = {{4, "4x4"},    {6, "6x6"}, {9, "9x9"}, {12, "12x12"},
                                                 {16, "16x16"}, {5, "9x9"}, {0, "9x9"}};
    for (const auto& [width, name] : sizes) EXPECT_EQ(SizeButtonName(width), name) << width;
    const std::pair<int, const char*> levels[] = {{0, "veryeasy"}, {1, "easy"},   {2, "medium"}, {3, "hard"},
                                                  {4, "veryhard"}, {5, "medium"}, {-1, "medium"}};
    for (const auto& [level, name] : levels) EXPECT_EQ(DifficultyButtonName(level), name) << level;
}

// Size and level buttons choose at once, and the screen is entered outside custom mode.
TEST_F(MenuScreensTest, PlayScreenSizeAndLevelButtonsChooseAtOnce) {
    CustomPuzzleMode = CustomPuzzleAccepted = 1;
    GoTo("play", PlayScreen.get());
    EXPECT_EQ(CustomPuzzleMode, 0);
    EXPECT_EQ(CustomPuzzleAccepted, 0);
    EXPECT_EQ(Game->FadeMusic, 0) << "the title's music plays on";
    for (const auto& [menu, chosen] :
         {std::pair{PlayScreen->SizeMenu.get(), "9x9"}, {PlayScreen->DifficultyMenu.get(), "medium"}}) {
        TButton* button = menu->FindButton(chosen);
        ASSERT_NE(button, nullptr) << chosen;
        EXPECT_EQ(button->image->name, Upper(chosen) + "ON");
        EXPECT_EQ(button->ImageMouseOver->name, Upper(chosen) + "MO") << "no lit hover picture of its own";
    }
    const struct {
        const char* button;
        int width, level;
    } rows[] = {{"4x4", 4, 2}, {"16x16", 16, 2}, {"veryeasy", 16, 0}, {"hard", 16, 3}, {"6x6", 6, 3}};
    for (const auto& row : rows) {
        ClickButton(PlayScreen->SizeMenu->FindButton(row.button) != nullptr ? *PlayScreen->SizeMenu
                                                                            : *PlayScreen->DifficultyMenu,
                    row.button);
        Tick();
        EXPECT_EQ(std::pair(PuzzleWidth, PuzzleHeight), std::pair(row.width, row.width)) << row.button;
        EXPECT_EQ(PuzzleDifficulty, row.level) << row.button;
        EXPECT_EQ(std::pair(RegionWidth, RegionHeight), RegionShape(row.width)) << row.button;
    }
    EXPECT_EQ(PlayScreen->ChosenSize, "6x6");
    EXPECT_EQ(PlayScreen->ChosenDifficulty, "hard");
    // The chosen button shows its "On" picture, and under the pointer the same hover picture as the rest.
    const std::tuple<TMenu*, const char*, const char*> shown[] = {
        {PlayScreen->SizeMenu.get(), "6x6", "4x4"}, {PlayScreen->DifficultyMenu.get(), "hard", "easy"}};
    for (const auto& [menu, chosen, other] : shown) {
        for (const auto& [name, image] : {std::pair{chosen, Upper(chosen) + "ON"}, {other, Upper(other)}}) {
            TButton* button = menu->FindButton(name);
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->image->name, image);
            EXPECT_EQ(button->ImageMouseOver->name, Upper(name) + "MO");
        }
    }
}

// While the save chooser is open the play screen's own buttons do nothing.
TEST_F(MenuScreensTest, PlayScreenButtonsWaitWhileTheChooserIsOpen) {
    GoTo("play", PlayScreen.get());
    ClickButton(*PlayScreen->MainMenu, "loadgame");
    ASSERT_TRUE(PlayScreen->SaveGameManager);
    for (const char* name : {"back", "play", "custom"}) {
        ClickButton(*PlayScreen->MainMenu, name);
        Tick();
    }
    EXPECT_EQ(Game->DestinationTScreen, PlayScreen.get());
    EXPECT_EQ(GenerateScreen->Active, 0);
    EXPECT_EQ(CustomPuzzleMode, 0);
    PlayScreen->SaveGameManager->Kill();
    PlayScreen->SaveGameManager.reset();
    ClickButton(*PlayScreen->MainMenu, "back");
    ExpectChangeTo(TitleScreen.get());
}

TEST_F(MenuScreensTest, OptionsToggleAtOnceAndAreWrittenOnOkButNotOnEscape) {
    const std::string before = testenv::ReadFile(shared.Path() / "config.ini");
    const int highlighter = ShowHighlighter;
    GoTo("options", OptionsScreen.get());
    ClickButton(*OptionsScreen->OptionsMenu, "highlighter");
    EXPECT_NE(ShowHighlighter, highlighter);
    OptionsScreen->SetEscDestination();
    Game->GameFade->Init(float(DefaultFadeLength), 1, nullptr, 1, 0, nullptr);
    Settle();
    EXPECT_EQ(Game->CurrentTScreen, TitleScreen.get());
    EXPECT_EQ(testenv::ReadFile(shared.Path() / "config.ini"), before);
    const int timer = ShowTimer;
    GoTo("options", OptionsScreen.get());
    ClickButton(*OptionsScreen->OptionsMenu, "showtimer");
    EXPECT_EQ(ShowTimer, timer == 0 ? 1 : 0);
    ClickButton(*OptionsScreen->Menu, "ok");
    ExpectChangeTo(TitleScreen.get());
    const std::string config = testenv::ReadFile(shared.Path() / "config.ini");
    EXPECT_NE(config.find("SHOWTIMER=" + std::to_string(ShowTimer)), std::string::npos) << config;
    EXPECT_EQ(FileType(shared.Str() + "settings.ini"), FILETYPE_FILE);
}

TEST_F(MenuScreensTest, FullScreenTickFollowsASwitchMadeWithAltEnterOnTheOptionsScreen) {
    GoTo("options", OptionsScreen.get());
    const auto shown = [] { return OptionsScreen->OptionsMenu->FindButton("fullscreen")->image->name; };
    EXPECT_EQ(shown(), "FULLSCREEN");
    Game->FullScreen = 1;  // as Alt+Enter leaves it, without the button being clicked
    Tick();
    EXPECT_EQ(shown(), "FULLSCREENON");
}

TEST_F(MenuScreensTest, ClearingResetsOnlyTheShownTableAndWritesIt) {
    HighScores9.Insert("Zed", 1000, 2);
    HighScores9.Save();
    HighScores4.Insert("Ann", 1000, 1);
    GoTo("highscore", HighScoreScreen.get());
    ClickButton(*HighScoreScreen->SizeMenu, "9x9");
    ClickButton(*HighScoreScreen->Menu, "clear");
    ASSERT_TRUE(HighScoreScreen->ClearHighscore);
    Tick();
    Press(KeyY);
    EXPECT_FALSE(HighScoreScreen->ClearHighscore);
    for (const auto& e : HighScores9.Entries) EXPECT_NE(e.name, "Zed");
    EXPECT_EQ(testenv::ReadFile(shared.Path() / "hs9x9.dat"), HighScoreEncode(HighScores9.Entries));
    EXPECT_EQ(HighScores4.Entries.front().name, "Ann");
    // The Escape handling comes back once the answering key is let go.
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    Tick();
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
}

TEST_F(MenuScreensTest, BestTimeHeadingsAndRowsShareTheLargeFont) {
    GoTo("highscore", HighScoreScreen.get());
    TRecordingBackend rec;
    SetDrawBackend(&rec);
    HighScoreScreen->Draw();
    SetDrawBackend(offscreen.get());
    const auto texts = rec.Find("DrawText");
    const size_t rows = HighScores6.Entries.size();
    ASSERT_EQ(texts.size(), 2 * (3 + 3 * rows)) << "headings and three columns a row, each with its shadow";
    for (const TDrawCommand* c : texts) EXPECT_EQ(c->state.font, FontCalibri34) << c->text;
}

// The longest name the name box takes, in the widest letter, ends left of every row's difficulty text,
// shadows included; a short name is drawn whole.
TEST_F(MenuScreensTest, LongBestTimeNamesEndLeftOfTheDifficultyColumn) {
    const std::string longest(13, 'W');
    for (int level = 0; level < 5; ++level) HighScores6.Insert(longest, 1000 + level, level);
    HighScores6.Insert("Ann", 2000, 4);
    GoTo("highscore", HighScoreScreen.get());
    for (int i = 0; i < 1500; ++i) Tick();  // the rows come to rest
    TRecordingBackend rec;
    SetDrawBackend(&rec);
    HighScoreScreen->Draw();
    SetDrawBackend(offscreen.get());
    // Each text command's drawn extent, by the row it stands in (rows 25 apart, shadows a few pixels off).
    constexpr int RowHeight = 25;
    struct Extent {
        float left = 1e9f, right = -1e9f;
    };
    std::map<int, std::vector<std::pair<std::string, Extent>>> rows;
    for (const TDrawCommand* c : rec.Find("DrawText")) {
        Extent e;
        for (const TVertex& v : c->vertices) {
            e.left = std::min(e.left, v.x);
            e.right = std::max(e.right, v.x);
        }
        if (!c->vertices.empty()) rows[int(c->args.at(1) + 10) / RowHeight].emplace_back(c->text, e);
    }
    int longRows = 0;
    for (const auto& [row, texts] : rows) {
        float nameRight = -1e9f, difficultyLeft = 1e9f;
        bool hasLong = false;
        for (const auto& [text, e] : texts) {
            if (text.rfind("WW", 0) == 0) {
                hasLong = true;
                nameRight = std::max(nameRight, e.right);
                EXPECT_NE(text, longest) << "drawn cut";
            }
            for (int level = 0; level < 5; ++level)
                if (text == DifficultyName(level)) difficultyLeft = std::min(difficultyLeft, e.left);
        }
        if (!hasLong) continue;
        ++longRows;
        EXPECT_LT(nameRight, difficultyLeft) << "row " << row;
    }
    EXPECT_EQ(longRows, 5);
    SetImageFont(FontCalibri34);
    EXPECT_GT(TextWidth("\u2026"), 5.0f) << "the font draws the ellipsis";
    EXPECT_EQ(rec.Find("DrawText").size(), 2 * (3 + 3 * HighScores6.Entries.size()));
    bool annWhole = false;
    for (const TDrawCommand* c : rec.Find("DrawText")) annWhole = annWhole || c->text == "Ann";
    EXPECT_TRUE(annWhole);
}

TEST_F(MenuScreensTest, ChooserListsOnlySaveFilesAndKeepsItsSelectionInside) {
    for (int i = 0; i < 10; ++i) WriteSave("game" + std::to_string(10 + i), "x");
    testenv::WriteFile(profiles.Path() / "notes.txt", "x");
    std::filesystem::create_directory(profiles.Path() / "folder.dat");
    GoTo("play", PlayScreen.get());
    ClickButton(*PlayScreen->MainMenu, "loadgame");
    ASSERT_TRUE(PlayScreen->SaveGameManager);
    TSaveGameManager& m = *PlayScreen->SaveGameManager;
    QDListBox& list = *m.ListBox;
    ASSERT_EQ(list.Count(), 10);
    EXPECT_EQ(list.Strings.front(), "game10");
    for (int i = 0; i < 3; ++i) ClickButton(*m.MenuArrowDown, "Down");
    EXPECT_EQ(list.StartList, 2) << "scrolling stops at the last row";
    list.SetIndex(17);
    EXPECT_EQ(list.Index, -1) << "a selection outside the list selects nothing";

    ClickButton(*m.Menu, "Load");  // nothing selected: stays open
    ASSERT_TRUE(PlayScreen->SaveGameManager);
    EXPECT_EQ(m.Active, 1);

    Press(KeyEscape);  // Escape cancels like "Cancel"
    EXPECT_FALSE(PlayScreen->SaveGameManager);
    ClickButton(*PlayScreen->MainMenu, "loadgame");
    ASSERT_TRUE(PlayScreen->SaveGameManager);
    ClickButton(*PlayScreen->SaveGameManager->Menu, "Cancel");
    EXPECT_FALSE(PlayScreen->SaveGameManager);
    EXPECT_EQ(Game->CurrentTScreen, PlayScreen.get());
    EXPECT_EQ(Game->DestinationTScreen, PlayScreen.get());
}

TEST_F(MenuScreensTest, HelpScreenLooksLikeItsReference) {
    SetClockSource([] { return 1000000; });
    GoTo("help", HelpScreen.get());
    Game->Mouse->x = Game->Mouse->y = 0;
    for (int i = 0; i < 300; ++i) Tick();
    SetClsColor(0, 0, 0);
    Cls();
    HelpScreen->Draw();
    EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "help"));
}

TEST_F(MenuScreensTest, SaveGameChooserLooksLikeItsReference) {
    for (const char* name : {"alpha", "beta", "gamma"}) WriteSave(name, "x");
    SetClockSource([] { return 1000000; });
    SeedRnd(5);  // the dialog slides in from a random edge
    GoTo("play", PlayScreen.get());
    ClickButton(*PlayScreen->MainMenu, "loadgame");
    ASSERT_TRUE(PlayScreen->SaveGameManager);
    PlayScreen->SaveGameManager->ListBox->SetIndex(1);
    Game->Mouse->x = Game->Mouse->y = 0;
    for (int i = 0; i < 300; ++i) Tick();  // the dialog has slid in and the buttons' glow died down
    SetClsColor(0, 0, 0);
    Cls();
    PlayScreen->Draw();
    EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "savegames"));
}

TEST_F(MenuScreensTest, ChooserRowsSelectEmptyRowsDoNotAndDeleteAsksFirst) {
    WriteSave("alpha", "x");
    WriteSave("beta", "x");
    GoTo("play", PlayScreen.get());
    ClickButton(*PlayScreen->MainMenu, "loadgame");
    TSaveGameManager& m = *PlayScreen->SaveGameManager;
    QDListBox& list = *m.ListBox;
    const auto row = [&](int r) { return int(list.Box->Y) + r * list.LineHeight + list.LineHeight / 2; };
    const int x = int(list.Box->X) + 20;
    ClickAt(x, row(1));
    ClickAt(x, row(0));  // two rows clicked quickly only move the selection
    ASSERT_TRUE(PlayScreen->SaveGameManager);
    for (int i = 0; i < 200; ++i) Tick();  // past the double-click window
    ClickAt(x, row(5));                    // below the last name
    EXPECT_EQ(list.Value, "alpha");
    ClickButton(*m.Menu, "Delete");
    ASSERT_TRUE(m.DialogYesNo);
    Press(KeyY);
    EXPECT_FALSE(m.DialogYesNo);
    EXPECT_EQ(FileType(profiles.Str() + "alpha.dat"), FILETYPE_NONE);
    EXPECT_EQ(FileType(profiles.Str() + "beta.dat"), FILETYPE_FILE);
    EXPECT_EQ(m.ListBox->Strings, std::vector<std::string>{"beta"});
    ClickButton(*m.Menu, "Delete");  // nothing selected: no question
    EXPECT_FALSE(m.DialogYesNo);
}

TEST_F(MenuScreensTest, ADamagedSaveIsReportedAndThePlayScreenStays) {
    std::vector<std::string> notices;
    SetGameNoticeHandler([&](const std::string& text) { notices.push_back(text); });
    WriteSave("broken", "not a saved game\r\n");
    GoTo("play", PlayScreen.get());
    ClickButton(*PlayScreen->MainMenu, "loadgame");
    PlayScreen->SaveGameManager->ListBox->SetIndex(0);
    ClickButton(*PlayScreen->SaveGameManager->Menu, "Load");
    EXPECT_FALSE(PlayScreen->SaveGameManager);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(Game->DestinationTScreen, PlayScreen.get());
    EXPECT_FALSE(Game->GameFade->Active);
    EXPECT_EQ(PuzzleWidth, 9);
}

TEST_F(MenuScreensTest, SaveNameEntryRefusesPathCharactersAndTheBestTimeEntryDoesNot) {
    const auto type = [](TDialogTextInput& dialog, const std::string& text) {
        for (char c : text) {
            KeyBufferChar(c);
            dialog.Manage();
        }
        return dialog.TextInput->Text;
    };
    auto save = InputDialog(1, "Save as");
    save->Start();
    EXPECT_EQ(type(*save, "a:b/c\\d*?<>|\"e;~f"), "abcdef");
    save->Kill();

    auto name = InputLongDialog(0, 3, GameString("Highscore Place"));
    name->Start();
    EXPECT_EQ(type(*name, "A:b"), "A:b");
    name->Kill();
}

TEST_F(MenuScreensTest, MessagesAreCaptionedInRedOrWhite) {
    struct TMessage {
        std::function<std::unique_ptr<TDialogOK>(const std::string&)> make;
        int green;
    };
    for (const TMessage& row : {TMessage{OKDialogLong, 0}, TMessage{OKDialogLongWhite, 255}}) {
        auto dialog = row.make("Note");
        ASSERT_TRUE(dialog->Caption && dialog->Caption->Color);
        const TColor& c = *dialog->Caption->Color;
        EXPECT_EQ(c.R, 255);
        EXPECT_EQ(c.G, row.green);
        EXPECT_EQ(c.B, row.green);
        dialog->Kill();
    }
}

TEST_F(MenuScreensTest, AKeyHeldBeforeAQuestionDoesNotAnswerIt) {
    KeyBufferKeyDown(KeyY);  // a key held before the question does not answer it
    auto question = YesNoDialogLong("Sure?");
    EXPECT_EQ(question->Active, 1);
    EXPECT_EQ(question->Manage(), 0);
    KeyBufferKeyDown(KeyEscape);
    EXPECT_EQ(question->Manage(), -1);
    GameFlushKeys();
    question->Kill();
}

TEST_F(MenuScreensTest, TitleScreenLooksLikeItsReference) {
    SetClsColor(0, 0, 0);
    Cls();
    TitleScreen->Draw();
    EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "titlescreen"));
}

TEST_F(MenuScreensTest, BestTimeScreenLooksLikeItsReference) {
    HighScores9.Insert("Ann", 83000, 2);
    HighScores9.Insert("Bob", 754000, 4);
    HighScores9.Insert("Cleo", 3599000, 0);
    SetClockSource([] { return 1000000; });
    GoTo("highscore", HighScoreScreen.get());
    ClickButton(*HighScoreScreen->SizeMenu, "9x9");
    Game->Mouse->x = Game->Mouse->y = 0;
    for (int i = 0; i < 1500; ++i) Tick();  // the rows slide in and come to rest
    SetClsColor(0, 0, 0);
    Cls();
    HighScoreScreen->Draw();
    EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "besttimes9x9"));
}

}  // namespace
