// The save-game chooser as the player meets it on the play screen: which saves it lists and in what
// order, rows chosen by single and double clicks at the list's ends, every button taken from its corner
// pixels and refused one pixel outside, the delete question and the message of a failed delete, frames of
// the dialog at rest and sliding in, and what it holds once it is gone.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Scenario.h"
#include "game/SaveGame.h"
#include "platform/Draw.h"
#include "presentation/Color.h"
#include "presentation/Font.h"
#include "presentation/Shapes.h"

namespace {

// Ten saves, in the order the chooser lists them; the n-th was saved n + 1 minutes into its game.
const char* const SaveNames[] = {"Anna", "Ben", "Carl", "Dora", "Emil", "Fay", "Gus", "Hugo", "Ida", "Jon"};

// A valid 4 x 4 game with the given stopwatch time.
std::string SaveText(int minutes) {
    TSaveGameData data;
    data.Width = data.Height = 4;
    data.Difficulty = 1;
    data.ElapsedTime = minutes * 60000;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            data.Solution[x][y] = static_cast<std::uint8_t>((x + 2 * (y % 2) + y / 2) % 4 + 1);
            data.PuzzleStart[x][y] = (x + y) % 2 ? data.Solution[x][y] : 0;
            data.Puzzle[x][y] = data.PuzzleStart[x][y];
        }
    return SaveGameFormat(data);
}

class SaveChooserWorld : public scenario::ScenarioWorld {
  protected:
    // The first `count` saves, and beside them what is not a save of ours: other extensions, a folder and
    // a link named like a save, a name that is all extension.
    void WriteSaves(int count) {
        // The saves' own folder, as in the game: the best-time tables beside it are not saves.
        std::filesystem::create_directory(Profiles());
        Game->SetProfilePath(Profiles().string());
        for (int i = 0; i < count; ++i)
            testenv::WriteFile(Profiles() / (std::string(SaveNames[i]) + ".dat"), SaveText(i + 1));
        testenv::WriteFile(Profiles() / "notes.txt", "x");
        testenv::WriteFile(Profiles() / "Kim.dat.bak", "x");
        testenv::WriteFile(Profiles() / "Lea.DAT", "x");
        testenv::WriteFile(Profiles() / ".dat", "x");
        testenv::WriteFile(Profiles() / "dat", "x");
        std::filesystem::create_directory(Profiles() / "Max.dat");
        std::filesystem::create_symlink(Profiles() / "notes.txt", Profiles() / "Ned.dat");
    }

    std::filesystem::path Profiles() const { return shared.Path() / "profiles"; }

    TSaveGameManager* Chooser() const { return PlayScreen ? PlayScreen->SaveGameManager.get() : nullptr; }

    TMenu* ChooserMenu(const std::string& name) {
        TSaveGameManager* m = Chooser();
        if (!m) return nullptr;
        if (name == "up") return m->MenuArrowUp.get();
        if (name == "down") return m->MenuArrowDown.get();
        return MenuNamed(name);
    }

    // The chooser's own actions, the harness's for the rest:
    //   open                          the chooser opened from the play screen and come to rest
    //   hit <menu> <button> <tl|br> <dx> <dy>   a click on the button's top-left or bottom-right pixel
    //                                 moved by (dx, dy); menus: chooser, up, down, dialog, error
    //   row <r> <tl|br>               a click on the top-left or bottom-right pixel of visible row r
    //   double <r>                    two clicks on visible row r, 30 ms apart
    //   block <file>                  the file turned into a folder with something in it
    void Do(const std::vector<std::string>& a) {
        const std::string& verb = a[0];
        if (verb == "open") {
            Run("click play loadgame; steps 200");
        } else if (verb == "hit") {
            Steps(200);
            TMenu* menu = ChooserMenu(a[1]);
            ASSERT_NE(menu, nullptr) << a[1];
            TButton* b = menu->FindButton(a[2]);
            ASSERT_NE(b, nullptr) << a[2];
            const bool tl = a[3] == "tl";
            const int x = tl ? int(std::ceil(b->x)) : int(std::ceil(b->x + float(b->w))) - 1;
            const int y = tl ? int(std::ceil(b->y)) : int(std::ceil(b->y + float(b->h))) - 1;
            ClickAt(x + std::stoi(a[4]), y + std::stoi(a[5]));
        } else if (verb == "row" || verb == "double") {
            ASSERT_NE(Chooser(), nullptr);
            const TBox& box = *Chooser()->ListBox->Box;
            const int lh = Chooser()->ListBox->LineHeight;
            const int r = std::stoi(a[1]);
            const bool br = a.size() > 2 && a[2] == "br";
            const int x = br ? int(std::ceil(box.X + box.W)) - 1 : int(std::ceil(box.X));
            const int y = int(std::ceil(box.Y)) + r * lh + (br ? lh - 1 : 0);
            ClickAt(x, y);
            if (verb == "double") ClickAt(x, y);
        } else if (verb == "block") {
            std::filesystem::remove(Profiles() / a[1]);
            std::filesystem::create_directory(Profiles() / a[1]);
            testenv::WriteFile(Profiles() / a[1] / "inside", "x");
        } else {
            Act(a);
        }
    }

    void Script(const std::string& script) {
        for (const std::string& action : scenario::Split(script, ';')) {
            SCOPED_TRACE(action);
            Do(scenario::Split(action, ' '));
            if (HasFatalFailure()) return;
        }
    }

    // The whole screen drawn by a real renderer, compared with tests/game/golden/saves-<name>.png.
    std::string Frame(const std::string& name) { return Said(FrameMatches("saves-" + name)); }

    std::string State(const std::string& what) {
        const auto colon = what.find(':');
        const std::string name = what.substr(0, colon);
        const std::string arg = colon == std::string::npos ? "" : what.substr(colon + 1);
        TSaveGameManager* m = Chooser();
        if (name == "list" || name == "window" || name == "selected") {
            if (!m) return "closed";
            const QDListBox& list = *m->ListBox;
            if (name == "window") return std::to_string(list.StartList) + "-" + std::to_string(list.EndList);
            if (name == "selected") return std::to_string(list.Index) + " " + list.Value;
            std::string names;
            for (const std::string& s : list.Strings) names += (names.empty() ? "" : ",") + s;
            return names;
        }
        // The save now on the board, known by its stopwatch minutes.
        if (name == "loaded") {
            if (Observe("screen") != "board") return "none";
            return SaveNames[StopwatchElapsed() / 60000 - 1];
        }
        if (name == "saves") {
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(Profiles()))
                if (entry.path().extension() == ".dat" && !entry.is_symlink() && entry.is_regular_file())
                    names.push_back(entry.path().stem().string());
            std::sort(names.begin(), names.end());
            std::string joined;
            for (const std::string& s : names) joined += (joined.empty() ? "" : ",") + s;
            return joined;
        }
        if (name == "errortext") return m && m->DialogOK ? m->DialogOK->Caption->Text : "none";
        if (name == "shot") return Frame(arg);
        // The sounds since "mark", and whether every channel plays from the middle.
        if (name == "clicks") {
            bool centred = true;
            for (const auto& c : channels) centred = centred && c->pan == 0.0f;
            return Observe("clicks") + (centred ? " centred" : " panned");
        }
        return Observe(what);
    }
};

struct TChooserRow {
    const char* name;
    int saves;
    const char* script;
    const char* state;
    const char* expected;
};

void PrintTo(const TChooserRow& row, std::ostream* out) {
    *out << row.name;
}

class SaveChooserTest : public SaveChooserWorld, public ::testing::WithParamInterface<TChooserRow> {};

const TChooserRow Rows[] = {
    // What is listed, in what order, and the window over it.
    {"ListsOnlyTheSavesByName", 10, "open", "list", "Anna,Ben,Carl,Dora,Emil,Fay,Gus,Hugo,Ida,Jon"},
    {"OpensOnTheFirstEightRows", 10, "open", "window", "0-7"},
    {"OpensWithNothingSelected", 10, "open", "selected", "-1 "},
    {"AnEmptyFolderListsNothing", 0, "open", "list", ""},
    {"AShortListHasAShortWindow", 3, "open", "window", "0-2"},

    // Rows chosen with the pointer, at the list's ends and the rows' corners.
    {"FirstRowFromItsTopLeftPixel", 10, "open; row 0", "selected", "0 Anna"},
    {"FirstRowFromItsBottomRightPixel", 10, "open; row 0 br", "selected", "0 Anna"},
    {"LastVisibleRowFromItsBottomRightPixel", 10, "open; row 7 br", "selected", "7 Hugo"},
    {"NothingBelowTheWindow", 10, "open; row 8", "selected", "-1 "},
    {"NothingBelowTheScrolledWindow", 10, "open; hit down Down tl 0 0; row 8", "selected", "-1 "},
    {"NothingBelowTheLastName", 3, "open; row 3", "selected", "-1 "},
    {"LastNameOfAShortList", 3, "open; row 2 br", "selected", "2 Carl"},
    {"ARowOfTheScrolledWindow", 10, "open; hit down Down tl 0 0; row 0", "selected", "1 Ben"},
    {"ASingleClickOnlySelects", 10, "open; row 0", "dialog", "chooser"},
    {"TwoRowsClickedAreNoDoubleClick", 10, "open; row 0; row 1", "dialog", "chooser"},
    {"DoubleClickOnTheFirstRowLoadsIt", 10, "open; double 0; settle", "loaded", "Anna"},
    {"DoubleClickOnTheLastVisibleRowLoadsIt", 10, "open; double 7; settle", "loaded", "Hugo"},
    {"DoubleClickOnTheLastNameLoadsIt", 10,
     "open; hit down Down tl 0 0; hit down Down tl 0 0; double 7; settle", "loaded", "Jon"},
    {"DoubleClickOnTheOnlySaveLoadsIt", 1, "open; double 0; settle", "loaded", "Anna"},
    {"ADoubleClickOnARowSoundsOncePerClick", 10, "open; mark; double 2", "clicks", "2 centred"},
    // Half a second from the first press: the second press 490 ms later still counts, 495 ms does not.
    {"TheSecondClickJustInTime", 10, "open; row 2; steps 96; row 2", "dialog", "none"},
    {"TheSecondClickJustTooLate", 10, "open; row 2; steps 97; row 2", "dialog", "chooser"},
    {"AClickOnARowSoundsInTheMiddle", 3, "open; mark; row 2", "clicks", "1 centred"},
    {"AClickBelowTheLastNameIsSilent", 3, "open; mark; row 3", "clicks", "0 centred"},
    {"AClickOnAnEmptyListIsSilent", 0, "open; mark; row 0", "clicks", "0 centred"},

    // Load, Cancel and Delete from the corner pixels of each button, and not one pixel outside.
    {"LoadTopLeft", 10, "open; row 2; hit chooser Load tl 0 0; settle", "loaded", "Carl"},
    {"LoadBottomRight", 10, "open; row 2; hit chooser Load br 0 0; settle", "loaded", "Carl"},
    // The click that loads or cancels is spent: the play screen's level and size buttons under the
    // chooser's buttons do not take it as well.
    {"LoadKeepsTheLevelOfTheSave", 10, "open; row 2; hit chooser Load tl 0 0; settle", "difficulty", "1"},
    {"CancelKeepsTheSizeChosen", 10, "open; hit chooser Cancel tl 0 0; settle", "size", "9"},
    {"LoadLeftOfItsLeftEdge", 10, "open; row 2; hit chooser Load tl -1 0", "dialog", "chooser"},
    {"LoadAboveItsTopEdge", 10, "open; row 2; hit chooser Load tl 0 -1", "dialog", "chooser"},
    {"LoadRightOfItsRightEdge", 10, "open; row 2; hit chooser Load br 1 0", "dialog", "chooser"},
    {"LoadBelowItsBottomEdge", 10, "open; row 2; hit chooser Load br 0 1", "dialog", "chooser"},
    {"LoadWithNothingSelectedStaysOpen", 10, "open; hit chooser Load tl 0 0", "dialog", "chooser"},
    {"LoadTheLastName", 10,
     "open; hit down Down tl 0 0; hit down Down tl 0 0; row 7; hit chooser Load tl 0 0; settle", "loaded",
     "Jon"},
    {"CancelTopLeft", 10, "open; hit chooser Cancel tl 0 0", "dialog", "none"},
    {"CancelBottomRight", 10, "open; hit chooser Cancel br 0 0", "dialog", "none"},
    {"CancelLeftOfItsLeftEdge", 10, "open; hit chooser Cancel tl -1 0", "dialog", "chooser"},
    {"CancelAboveItsTopEdge", 10, "open; hit chooser Cancel tl 0 -1", "dialog", "chooser"},
    {"CancelRightOfItsRightEdge", 10, "open; hit chooser Cancel br 1 0", "dialog", "chooser"},
    {"CancelBelowItsBottomEdge", 10, "open; hit chooser Cancel br 0 1", "dialog", "chooser"},
    {"CancelLoadsNothing", 10, "open; row 2; hit chooser Cancel tl 0 0; settle", "screen", "play"},
    {"EscapeClosesWithAClick", 10, "open; mark; key esc", "clicks", "1 centred"},
    {"EscapeLoadsNothing", 10, "open; row 2; key esc; settle", "screen", "play"},
    {"DeleteTopLeft", 10, "open; row 2; hit chooser Delete tl 0 0", "dialog", "delete"},
    {"DeleteBottomRight", 10, "open; row 2; hit chooser Delete br 0 0", "dialog", "delete"},
    {"DeleteLeftOfItsLeftEdge", 10, "open; row 2; hit chooser Delete tl -1 0", "dialog", "chooser"},
    {"DeleteAboveItsTopEdge", 10, "open; row 2; hit chooser Delete tl 0 -1", "dialog", "chooser"},
    {"DeleteRightOfItsRightEdge", 10, "open; row 2; hit chooser Delete br 1 0", "dialog", "chooser"},
    {"DeleteBelowItsBottomEdge", 10, "open; row 2; hit chooser Delete br 0 1", "dialog", "chooser"},
    {"DeleteWithNothingSelectedAsksNothing", 10, "open; hit chooser Delete tl 0 0", "dialog", "chooser"},

    // The scroll buttons, from their corners and not from outside them.
    {"DownTopLeft", 10, "open; hit down Down tl 0 0", "window", "1-8"},
    {"DownBottomRight", 10, "open; hit down Down br 0 0", "window", "1-8"},
    {"DownLeftOfItsLeftEdge", 10, "open; hit down Down tl -1 0", "window", "0-7"},
    {"DownAboveItsTopEdge", 10, "open; hit down Down tl 0 -1", "window", "0-7"},
    {"DownRightOfItsRightEdge", 10, "open; hit down Down br 1 0", "window", "0-7"},
    {"DownBelowItsBottomEdge", 10, "open; hit down Down br 0 1", "window", "0-7"},
    {"DownStopsAtTheLastName", 10, "open; hit down Down tl 0 0; hit down Down tl 0 0; hit down Down tl 0 0",
     "window", "2-9"},
    {"UpTopLeft", 10, "open; hit down Down tl 0 0; hit down Down tl 0 0; hit up Up tl 0 0", "window", "1-8"},
    {"UpBottomRight", 10, "open; hit down Down tl 0 0; hit down Down tl 0 0; hit up Up br 0 0", "window",
     "1-8"},
    {"UpLeftOfItsLeftEdge", 10, "open; hit down Down tl 0 0; hit up Up tl -1 0", "window", "1-8"},
    {"UpAboveItsTopEdge", 10, "open; hit down Down tl 0 0; hit up Up tl 0 -1", "window", "1-8"},
    {"UpRightOfItsRightEdge", 10, "open; hit down Down tl 0 0; hit up Up br 1 0", "window", "1-8"},
    {"UpBelowItsBottomEdge", 10, "open; hit down Down tl 0 0; hit up Up br 0 1", "window", "1-8"},
    {"UpStopsAtTheFirstName", 10, "open; hit up Up tl 0 0", "window", "0-7"},

    // The delete question and what follows each answer.
    {"DeleteYesRemovesTheFirstSave", 10, "open; row 0; hit chooser Delete tl 0 0; click dialog Yes", "saves",
     "Ben,Carl,Dora,Emil,Fay,Gus,Hugo,Ida,Jon"},
    {"DeleteYesShowsNoMessage", 10, "open; row 0; hit chooser Delete tl 0 0; click dialog Yes", "dialog",
     "chooser"},
    {"DeleteYesRelists", 10, "open; row 0; hit chooser Delete tl 0 0; click dialog Yes", "list",
     "Ben,Carl,Dora,Emil,Fay,Gus,Hugo,Ida,Jon"},
    {"DeleteYesLeavesNothingSelected", 10, "open; row 0; hit chooser Delete tl 0 0; click dialog Yes",
     "selected", "-1 "},
    {"DeleteYesOnTheLastNameResetsTheWindow", 10,
     "open; hit down Down tl 0 0; hit down Down tl 0 0; row 7; hit chooser Delete tl 0 0; click dialog Yes",
     "window", "0-7"},
    {"DeleteYesOnTheLastNameRemovesIt", 10,
     "open; hit down Down tl 0 0; hit down Down tl 0 0; row 7; hit chooser Delete tl 0 0; click dialog Yes",
     "saves", "Anna,Ben,Carl,Dora,Emil,Fay,Gus,Hugo,Ida"},
    {"DeleteYesOfTheOnlySave", 1, "open; row 0; hit chooser Delete tl 0 0; click dialog Yes", "window",
     "0-0"},
    {"DeleteNoKeepsTheSaveAndTheSelection", 10, "open; row 4; hit chooser Delete tl 0 0; click dialog No",
     "selected", "4 Emil"},
    {"DeleteNoKeepsTheFile", 10, "open; row 4; hit chooser Delete tl 0 0; click dialog No", "saves",
     "Anna,Ben,Carl,Dora,Emil,Fay,Gus,Hugo,Ida,Jon"},
    {"TheQuestionHoldsTheChooser", 10, "open; row 4; hit chooser Delete tl 0 0; hit chooser Cancel tl 0 0",
     "dialog", "delete"},
    {"AFailedDeleteIsShown", 10, "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes",
     "dialog", "error"},
    {"AFailedDeleteNamesTheFault", 10,
     "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes", "errortext",
     "This saved game could not be deleted."},
    {"TheMessageHoldsTheChooser", 10,
     "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes; hit chooser Cancel tl 0 0",
     "dialog", "error"},
    {"TheMessageClosesBackToTheChooser", 10,
     "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes; hit error OK tl 0 0", "dialog",
     "chooser"},
    {"AfterTheMessageTheChooserWorks", 10,
     "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes; hit error OK tl 0 0; "
     "hit chooser Cancel tl 0 0",
     "dialog", "none"},
    {"AFolderLeftInPlaceIsNotListed", 10,
     "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes", "list",
     "Anna,Carl,Dora,Emil,Fay,Gus,Hugo,Ida,Jon"},

    // Frames: the list at rest, with its last visible row selected, scrolled with a selection, a short
    // list, the question, the message and the chooser after it.
    {"FrameAtRest", 10, "open", "shot:list", "match"},
    {"FrameLastVisibleRowSelected", 10, "open; row 7", "shot:last-row", "match"},
    {"FrameScrolledWithASelection", 10, "open; hit down Down tl 0 0; row 0; steps 100", "shot:scrolled",
     "match"},
    {"FrameShortList", 3, "open; row 2", "shot:short", "match"},
    {"FrameQuestion", 10, "open; row 0; hit chooser Delete tl 0 0; steps 200", "shot:question", "match"},
    {"FrameMessage", 10, "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes; steps 200",
     "shot:message", "match"},
    {"FrameAfterTheMessage", 10,
     "open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes; hit error OK tl 0 0; steps "
     "100",
     "shot:after-message", "match"},
};

// Closed with the message of a failed delete still open (the play screen left under it), the chooser lets
// go of everything: the message, the names, the click sound and its channel, its buttons, and the game's
// own Escape comes back.
TEST_F(SaveChooserWorld, ClosingLetsGoOfEverything) {
    WriteSaves(10);
    Start("play");
    const int escapeBefore = Game->IgnoreEscapeKey;
    Script("open; row 1; hit chooser Delete tl 0 0; block Ben.dat; click dialog Yes; steps 20");
    TSaveGameManager* m = Chooser();
    ASSERT_NE(m, nullptr);
    ASSERT_TRUE(m->DialogOK);
    ASSERT_TRUE(m->ListBox->ClickChannel) << "a row clicked sounds through the list's own channel";
    m->Kill();
    EXPECT_FALSE(m->DialogOK);
    EXPECT_FALSE(m->DialogYesNo);
    EXPECT_TRUE(m->ListBox->Strings.empty());
    EXPECT_FALSE(m->ListBox->ClickSound);
    EXPECT_FALSE(m->ListBox->ClickChannel);
    EXPECT_FALSE(m->MenuArrowUp);
    EXPECT_FALSE(m->MenuArrowDown);
    EXPECT_FALSE(m->Menu);
    EXPECT_EQ(m->Active, 0);
    EXPECT_EQ(Game->IgnoreEscapeKey, escapeBefore);
    rec.calls.clear();
    EXPECT_EQ(m->Draw(), 0);
    EXPECT_TRUE(rec.calls.empty());
}

// The chooser on its own over a folder: the extension it is made with picks the files, the list box the
// settings it is made with, and once closed it keeps answering with how it closed.
TEST_F(SaveChooserWorld, TheChooserTakesItsExtensionAndKeepsItsAnswer) {
    WriteSaves(2);
    testenv::WriteFile(Profiles() / "Other.sav", "x");
    auto m = TSaveGameManager::Create("Choose", nullptr, 0, 0, 0, "sav", Profiles().string() + "/", "Gone?");
    EXPECT_EQ(m->ListBox->Strings, std::vector<std::string>{"Other"});
    EXPECT_EQ(m->DeleteMessage, "Gone?");
    m->Start();
    // Without a font of its own the list still holds eight rows, each as high as its two gaps.
    EXPECT_EQ(m->ListBox->LineHeight, 10);
    EXPECT_FLOAT_EQ(m->ListBox->Box->H, float(8 * m->ListBox->LineHeight));
    m->ListBox->SetIndex(0);
    EXPECT_EQ(m->SelectedPath(), Profiles().string() + "/Other.sav");
    EXPECT_EQ(m->OKClick(), 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(m->Manage(), 1) << "asked again after choosing";
    m->Kill();
    m = TSaveGameManager::Create("Choose", nullptr, 0, 0, 0, "dat", Profiles().string() + "/", "Gone?");
    m->Start();
    m->CancelClick();
    EXPECT_EQ(m->Manage(), -1);
    EXPECT_EQ(m->Manage(), -1);
    m->Kill();
    auto list = QDListBox::Create(0, 7, 1, 0, 250);
    EXPECT_EQ(list->Gap, 7);
    EXPECT_EQ(list->Centred, 1);
    EXPECT_EQ(list->DrawBox, 0);
    EXPECT_FLOAT_EQ(list->DoubleClickTime, Game->CalcAnimLength(250));
}

// The highlight over or under the names sits on its row moved by the owner's offset, and whatever is drawn
// after the list is drawn in plain white at full strength, the font with or without a shadow.
TEST_F(SaveChooserWorld, TheListLeavesNoColourBehind) {
    for (const bool shadow : {false, true})
        for (const int under : {1, 0}) {
            SCOPED_TRACE(std::to_string(shadow) + " " + std::to_string(under));
            auto list = QDListBox::Create(10, 5, 0, 1, 500);
            list->SetupFont(FontCalibri20, TColor::Create(10, 20, 30, 0.5f),
                            shadow ? TShadow::Create(1, 1, 0.6f) : nullptr);
            for (const char* name : {"a", "b", "c"}) list->AddItem(name);
            list->RoundHeight = 0;
            list->SetCoords(100, 50, 200, 80);
            list->ResetWindow();
            list->HighlightCol = TColor::Create(0, 0, 150, 0.2f);
            list->HighlightUnder = under;
            list->SetIndex(1);
            rec.calls.clear();
            list->Draw(5, 7);
            // The highlight of the second row, moved by the owner's offset like the box.
            const auto rects = rec.Find("DrawRect");
            ASSERT_EQ(rects.size(), 2u);
            const float lh = float(list->LineHeight);
            EXPECT_EQ(rects[1]->args, (std::vector<float>{105, 57 + lh, 200, lh}));
            DrawRect(0, 0, 1, 1);
            const TDrawState& after = rec.calls.back().state;
            EXPECT_EQ(after.red, 255);
            EXPECT_EQ(after.green, 255);
            EXPECT_EQ(after.blue, 255);
            EXPECT_FLOAT_EQ(after.alpha, 1.0f);
        }
}

TEST_P(SaveChooserTest, LeavesWhatThePlayerSees) {
    const TChooserRow& row = GetParam();
    WriteSaves(row.saves);
    Start("play");
    Script(row.script);
    EXPECT_EQ(State(row.state), row.expected) << row.script;
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveChooserTest, ::testing::ValuesIn(Rows), scenario::RowName);

}  // namespace
