// The save-game chooser on its own: the list box's selection, window, rows under the pointer, double
// click and drawing; the chooser's layout with and without a panel; loading, cancelling, scrolling and a
// file that cannot be deleted.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BoardWorld.h"
#include "game/GameDialogs.h"
#include "game/GameNotice.h"
#include "game/SaveGameManager.h"
#include "platform/FileSystem.h"
#include "presentation/Color.h"
#include "presentation/Dialog.h"
#include "presentation/Font.h"
#include "presentation/Shapes.h"

namespace {

constexpr int KeyEscape = 27, KeyY = 89, KeyN = 78;

class SaveGameManagerTest : public board::BoardWorld {
  protected:
    // A list of n names, its box at (100, 50), 200 wide, rows 10 high (no font, a gap of 5).
    static std::unique_ptr<QDListBox> List(int n) {
        auto list = QDListBox::Create(10, 5, 0, 1, 500);
        for (int i = 0; i < n; ++i) list->AddItem("name" + std::to_string(i));
        list->RoundHeight = 0;
        list->SetCoords(100, 50, 200, 80);
        list->ResetWindow();
        return list;
    }
    // One tick of the list with the left button hit at (x, y), or no hit.
    static void ClickList(QDListBox& list, int x, int y) {
        Game->Mouse->x = x;
        Game->Mouse->y = y;
        Game->Mouse->h1 = 1;
        list.Manage();
    }
    static void IdleList(QDListBox& list) {
        Game->Mouse->h1 = 0;
        list.Manage();
    }

    // The chooser as the play screen opens it, over the profile folder, with its slide-in over.
    std::unique_ptr<TSaveGameManager> OpenChooser(bool panel, int navX) {
        auto m = TSaveGameManager::Create("Choose", panel ? ImageBank->FindTImage("manager") : nullptr, 0, 0,
                                          0, "dat", profiles.Str(), "Delete?");
        m->NavButtonsXPosition = navX;
        m->ListBox->SetupFont(FontCalibri20, TColor::Create(255, 255, 255, 1.0f),
                              TShadow::Create(1, 1, 0.6f));
        m->ErrorDialogFunc = OKDialogLong;
        m->DialogYesNoFunc = YesNoDialogLong;
        m->SetupCaption(FontCalibri20, TColor::Create(255, 255, 255, 1.0f), nullptr, nullptr);
        m->Start();
        for (int i = 0; i < 300 && m->Transitioning; ++i) m->Manage();
        m->MenuPosition();
        return m;
    }
    // A click on a named button of one of the chooser's menus, then one Manage of the chooser.
    static int ClickButton(TSaveGameManager& m, TMenu& menu, const std::string& name) {
        TButton* button = menu.FindButton(name);
        EXPECT_NE(button, nullptr) << name;
        if (!button) return 0;
        Game->Mouse->x = int(button->x) + button->w / 2;
        Game->Mouse->y = int(button->y) + button->h / 2;
        Game->Mouse->ButtonDown(1);
        const int result = m.Manage();
        Game->Mouse->ButtonUp(1);
        return result;
    }
    static int PressKey(TSaveGameManager& m, int key) {
        KeyBufferKeyDown(key);
        const int result = m.Manage();
        KeyBufferKeyUp(key);
        GameFlushKeys();
        return result;
    }
    void WriteSave(const std::string& name) { testenv::WriteFile(profiles.Path() / (name + ".dat"), "x"); }

    testenv::TempDir profiles;
};

TEST_F(SaveGameManagerTest, TheSelectionStaysInsideTheListAndTheWindowWithinItsEnds) {
    auto list = List(12);
    struct TRow {
        int asked, index;
        std::string value;
    };
    const TRow rows[] = {{0, 0, "name0"}, {11, 11, "name11"}, {QDListBox::LastItemInList, 11, "name11"},
                         {12, -1, ""},    {-1, -1, ""},       {-3, -1, ""},
                         {5, 5, "name5"}};
    for (const TRow& row : rows) {
        list->SetIndex(row.asked);
        EXPECT_EQ(list->Index, row.index) << row.asked;
        EXPECT_EQ(list->Value, row.value) << row.asked;
    }
    EXPECT_EQ(list->StartList, 0);
    EXPECT_EQ(list->EndList, 7);
    list->ScrollUp();
    EXPECT_EQ(list->StartList, 0) << "already at the top";
    for (int i = 0; i < 6; ++i) list->ScrollDown();
    EXPECT_EQ(list->StartList, 4) << "stops with the last name in the bottom row";
    EXPECT_EQ(list->EndList, 11);
    list->ScrollUp();
    EXPECT_EQ(list->StartList, 3);
    EXPECT_EQ(list->EndList, 10);
    list->ClearList();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Index, -1);
    EXPECT_EQ(list->Value, "");
    list->ResetWindow();
    EXPECT_EQ(list->EndList, 0);
    list->SetIndex(QDListBox::LastItemInList);
    EXPECT_EQ(list->Index, -1);
    auto three = List(3);
    EXPECT_EQ(three->EndList, 2);
    three->ScrollDown();
    EXPECT_EQ(three->StartList, 0) << "a short list does not scroll";
}

TEST_F(SaveGameManagerTest, RowsAreAsHighAsTheFontAndGapsAndTheBoxHoldsWholeRows) {
    auto list = QDListBox::Create(10, 5, 0, 1, 500);
    // Until set up otherwise: white names, a black box, a dark blue selection, a 500 ms double click.
    ASSERT_TRUE(list->Font && list->Font->Color && list->Box->Color && list->HighlightCol);
    const auto rgb = [](const TColor& c) { return std::vector<int>{c.R, c.G, c.B}; };
    EXPECT_EQ(rgb(*list->Font->Color), (std::vector<int>{255, 255, 255}));
    EXPECT_FALSE(list->Font->Shadow);
    EXPECT_EQ(list->Font->FixedWidth, 0);
    EXPECT_EQ(rgb(*list->Box->Color), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(rgb(*list->HighlightCol), (std::vector<int>{0, 0, 150}));
    EXPECT_FLOAT_EQ(list->DoubleClickTime, Game->CalcAnimLength(500));
    EXPECT_EQ(list->Gap, 5);
    EXPECT_EQ(list->Centred, 0);
    EXPECT_EQ(list->DrawBox, 1);
    list->SetCoords(0, 0, 100, 95);
    EXPECT_EQ(list->LineHeight, 10);
    EXPECT_FLOAT_EQ(list->Box->H, 90) << "rounded down to whole rows";
    list->RoundHeight = 0;
    list->SetCoords(0, 0, 100, 95);
    EXPECT_FLOAT_EQ(list->Box->H, 95);
    list->Init(0, 0, 1);
    list->CalcLineHeight();
    EXPECT_EQ(list->LineHeight, 1) << "never zero";
    list->SetupFont(FontCalibri20, TColor::Create(1, 2, 3, 1.0f), nullptr);
    EXPECT_EQ(list->LineHeight, int(list->Font->H));
    EXPECT_GT(list->LineHeight, 10);
}

// A row is hit from its top edge and left edge up to, not including, the next row and the right edge;
// a hit takes the click so nothing under the list sees it.
TEST_F(SaveGameManagerTest, ClicksSelectTheRowUnderThePointerAndTakeTheClick) {
    auto list = List(3);
    const std::tuple<int, int, int> rows[] = {{100, 50, 0}, {299, 59, 0},  {150, 60, 1},  {150, 79, 2},
                                              {99, 55, -1}, {300, 55, -1}, {150, 49, -1}, {150, 80, -1}};
    for (const auto& [x, y, row] : rows) {
        list->SetIndex(-1);
        list->DoubleClickCounter = 0;
        ClickList(*list, x, y);
        EXPECT_EQ(list->Clicked, row) << x << "," << y;
        EXPECT_EQ(list->Index, row) << x << "," << y;
        EXPECT_EQ(Game->Mouse->h1, row >= 0 ? 0 : 1) << x << "," << y;
    }
    // In a scrolled window the rows are the window's.
    auto long_ = List(12);
    long_->ScrollDown();
    long_->ScrollDown();
    ClickList(*long_, 150, 55);
    EXPECT_EQ(long_->Value, "name2");
    IdleList(*long_);
    EXPECT_EQ(long_->Clicked, -1) << "a click counts for one tick";
}

TEST_F(SaveGameManagerTest, TheSameRowClickedAgainSoonIsADoubleClick) {
    auto list = List(3);
    const int window = int(list->DoubleClickTime);
    ASSERT_GT(window, 3);
    ClickList(*list, 150, 65);
    EXPECT_EQ(list->DoubleClicked, -1);
    IdleList(*list);
    ClickList(*list, 150, 65);
    EXPECT_EQ(list->DoubleClicked, 1);
    IdleList(*list);
    EXPECT_EQ(list->DoubleClicked, -1);
    // Another row soon after is a new first click.
    ClickList(*list, 150, 55);
    EXPECT_EQ(list->DoubleClicked, -1);
    EXPECT_EQ(list->Index, 0);
    // The same row once the window has passed is too.
    for (int i = 0; i < window; ++i) IdleList(*list);
    EXPECT_FLOAT_EQ(list->DoubleClickCounter, 0);
    ClickList(*list, 150, 55);
    EXPECT_EQ(list->DoubleClicked, -1);
    for (int i = 0; i < window - 2; ++i) IdleList(*list);
    ClickList(*list, 150, 55);
    EXPECT_EQ(list->DoubleClicked, 0) << "still inside the window";
}

// The box in its colour, the selected row's highlight over or under the names, the names left-inset or
// centred, all moved by the owner's offset.
TEST_F(SaveGameManagerTest, TheListDrawsItsBoxHighlightAndVisibleNames) {
    auto list = List(12);
    list->SetupFont(FontCalibri20, TColor::Create(10, 20, 30, 1.0f), nullptr);
    list->RoundHeight = 0;
    list->SetCoords(100, 50, 200, 300);
    list->SetupBox(TColor::Create(100, 110, 120, 1.0f));
    list->HighlightCol = TColor::Create(0, 0, 150, 1.0f);
    list->ScrollDown();
    list->SetIndex(3);
    const int lh = list->LineHeight;
    rec.calls.clear();
    list->Draw(5, 7);
    const auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0]->args, (std::vector<float>{105, 57, 200, 300}));
    EXPECT_EQ(rects[0]->state.red, 100);
    EXPECT_EQ(rects[1]->args, (std::vector<float>{105, float(57 + 2 * lh), 200, float(lh)}));
    EXPECT_EQ(rects[1]->state.blue, 150);
    const auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 8u) << "the eight rows of the window";
    EXPECT_EQ(texts.front()->text, "name1");
    EXPECT_EQ(texts.back()->text, "name8");
    EXPECT_FLOAT_EQ(texts.front()->args.at(0), 115) << "inset by the text border";
    EXPECT_EQ(texts.front()->state.red, 10);
    EXPECT_EQ(texts.front()->state.green, 20);
    const float rowY = texts.front()->args.at(1);
    EXPECT_NEAR(rowY, float(57) + float(lh - int(list->Font->H)) / 2, 1.0f);
    EXPECT_FLOAT_EQ(texts[1]->args.at(1) - rowY, float(lh));
    // The highlight is drawn before the names when under them, and not at all outside the window.
    EXPECT_LT(rects[1], texts.front());
    list->HighlightUnder = 0;
    list->Centred = 1;
    list->DrawBox = 0;
    rec.calls.clear();
    list->Draw(0, 0);
    const auto centred = rec.Find("DrawText");
    ASSERT_EQ(rec.Find("DrawRect").size(), 1u);
    EXPECT_GT(rec.Find("DrawRect")[0], centred.back());
    SetImageFont(FontCalibri20);
    EXPECT_FLOAT_EQ(centred.front()->args.at(0), float(int(100 + int((200 - TextWidth("name1")) / 2))));
    list->SetIndex(11);
    rec.calls.clear();
    list->Draw(0, 0);
    EXPECT_TRUE(rec.Find("DrawRect").empty()) << "the selection is below the window";
    list->SetIndex(0);
    rec.calls.clear();
    list->Draw(0, 0);
    EXPECT_TRUE(rec.Find("DrawRect").empty()) << "the selection is above the window";
    // Names taken away without the window being reset: nothing left to draw.
    list->ScrollUp();
    ASSERT_EQ(list->StartList, 0);
    list->ClearList();
    rec.calls.clear();
    list->Draw(0, 0);
    EXPECT_TRUE(rec.Find("DrawText").empty());
}

// The list under the caption inset by the borders, eight rows high; "Up" level with its top and "Down"
// with its bottom at the right edge or the given x; the buttons along the bottom edge.
TEST_F(SaveGameManagerTest, TheListAndButtonsAreLaidOutInsideTheBox) {
    for (const auto& [panel, navX] : {std::pair{true, -1}, {true, 616}, {false, -1}}) {
        auto m = OpenChooser(panel, navX);
        const QDListBox& list = *m->ListBox;
        const TBox& box = *list.Box;
        const int arrowWidth = m->MenuArrowUp->CalcWidth();
        const float arrowX = navX != -1 ? float(navX) : float(m->x + m->w - m->BoxBorderH - arrowWidth);
        EXPECT_FLOAT_EQ(box.X, float(m->x + m->BoxBorderH));
        EXPECT_FLOAT_EQ(box.Y, float(m->y + m->Border) + m->Caption->CalcHeight() + float(m->BoxBorderV));
        EXPECT_FLOAT_EQ(box.X + box.W, arrowX - 10) << panel << navX;
        EXPECT_FLOAT_EQ(box.H, float(8 * list.LineHeight));
        const TButton* up = m->MenuArrowUp->FindButton("Up");
        const TButton* down = m->MenuArrowDown->FindButton("Down");
        EXPECT_FLOAT_EQ(m->MenuArrowUp->x, arrowX);
        EXPECT_FLOAT_EQ(m->MenuArrowDown->x, arrowX);
        EXPECT_FLOAT_EQ(m->MenuArrowUp->y, box.Y);
        EXPECT_FLOAT_EQ(m->MenuArrowDown->y + float(m->MenuArrowDown->CalcHeight()), box.Y + box.H);
        EXPECT_LT(up->y, down->y);
        EXPECT_FLOAT_EQ(m->Menu->y + float(m->Menu->CalcHeight()), float(m->y + m->h - m->Border));
        if (!panel) {
            EXPECT_EQ(m->w, 480) << "a short caption: the narrowest box";
            EXPECT_EQ(m->h, int(m->Caption->CalcHeight()) + 8 * list.LineHeight + m->Menu->CalcHeight() +
                                2 * m->Border + 2 * m->BoxBorderV);
            EXPECT_EQ(m->x, (ScreenWidth - m->w) / 2);
            EXPECT_EQ(m->y, (ScreenHeight - m->h) / 2);
        }
        m->Kill();
    }
}

// Load with a selection chooses it, as does a double click; Escape and Cancel give -1; the arrows scroll.
TEST_F(SaveGameManagerTest, LoadingCancellingAndScrollingThroughTheChooser) {
    for (int i = 0; i < 10; ++i) WriteSave("game" + std::to_string(10 + i));
    auto m = OpenChooser(true, 616);
    QDListBox& list = *m->ListBox;
    ASSERT_EQ(list.Count(), 10);
    EXPECT_EQ(ClickButton(*m, *m->MenuArrowDown, "Down"), 0);
    EXPECT_EQ(list.StartList, 1);
    EXPECT_EQ(ClickButton(*m, *m->MenuArrowUp, "Up"), 0);
    EXPECT_EQ(list.StartList, 0);
    list.SetIndex(3);
    EXPECT_EQ(m->SelectedPath(), profiles.Str() + "game13.dat");
    EXPECT_EQ(ClickButton(*m, *m->Menu, "Load"), 1);
    EXPECT_EQ(m->Active, 0);
    EXPECT_EQ(m->CloseResult, 1);
    m->Kill();

    m = OpenChooser(true, 616);
    EXPECT_EQ(PressKey(*m, KeyEscape), -1);
    EXPECT_EQ(m->Active, 0);
    EXPECT_EQ(m->CloseResult, -1);
    m->Kill();
    m = OpenChooser(true, 616);
    EXPECT_EQ(ClickButton(*m, *m->Menu, "Cancel"), -1);
    EXPECT_EQ(m->Active, 0);
    EXPECT_EQ(m->CloseResult, -1);
    m->Kill();

    // A double click on any row loads it, the first row as well.
    for (const auto& [row, name] : {std::pair{1, "game11"}, {0, "game10"}}) {
        m = OpenChooser(true, 616);
        QDListBox& rows = *m->ListBox;
        const int x = int(rows.Box->X) + 20, y = int(rows.Box->Y) + row * rows.LineHeight + 2;
        Game->Mouse->x = x;
        Game->Mouse->y = y;
        Game->Mouse->h1 = 1;
        EXPECT_EQ(m->Manage(), 0);
        Game->Mouse->h1 = 1;
        EXPECT_EQ(m->Manage(), 1) << "a double click loads row " << row;
        EXPECT_EQ(rows.Value, name);
        m->Kill();
    }
}

// "No" keeps the file; a file that cannot be deleted stays listed and the player is told.
TEST_F(SaveGameManagerTest, DeletingAsksFirstAndAFailedDeletionIsShown) {
    WriteSave("alpha");
    WriteSave("beta");
    auto m = OpenChooser(true, 616);
    m->ListBox->SetIndex(0);
    ClickButton(*m, *m->Menu, "Delete");
    ASSERT_TRUE(m->DialogYesNo);
    EXPECT_EQ(PressKey(*m, KeyN), 0);
    EXPECT_FALSE(m->DialogYesNo);
    // The buttons come back from the question at rest: no pointer-over, glow or click left on "Delete".
    const TButton* del = m->Menu->FindButton("Delete");
    EXPECT_EQ(del->MouseOver, 0);
    EXPECT_EQ(del->Glow, 0);
    EXPECT_EQ(del->MouseClickCounter, 0);
    EXPECT_EQ(m->Manage(), 0);
    EXPECT_FALSE(m->DialogYesNo) << "the click that asked is spent";
    EXPECT_EQ(FileType(profiles.Str() + "alpha.dat"), FILETYPE_FILE);
    EXPECT_EQ(m->ListBox->Count(), 2);

    ClickButton(*m, *m->Menu, "Delete");
    ASSERT_TRUE(m->DialogYesNo);
    // The file turns into a folder with something in it before the answer: it cannot be deleted.
    std::filesystem::remove(profiles.Path() / "alpha.dat");
    std::filesystem::create_directory(profiles.Path() / "alpha.dat");
    testenv::WriteFile(profiles.Path() / "alpha.dat" / "inside", "x");
    EXPECT_EQ(PressKey(*m, KeyY), 0);
    EXPECT_FALSE(m->DialogYesNo);
    ASSERT_TRUE(m->DialogOK);
    EXPECT_EQ(m->DialogOK->Caption->Text, GameString("Could Not Delete File"));
    rec.calls.clear();
    EXPECT_EQ(m->Draw(), 1);
    bool shown = false;
    for (const TDrawCommand* c : rec.Find("DrawText"))
        shown = shown || c->text == GameString("Could Not Delete File");
    EXPECT_TRUE(shown);
    EXPECT_EQ(ClickButton(*m, *m->Menu, "Load"), 0) << "the message holds the chooser";
    EXPECT_EQ(m->Active, 1);
    EXPECT_EQ(PressKey(*m, 13), 0);
    EXPECT_FALSE(m->DialogOK);
    // Closed with the question open, the question goes with it.
    EXPECT_EQ(m->ListBox->Strings, std::vector<std::string>{"beta"}) << "a folder is never listed";
    m->ListBox->SetIndex(0);
    ClickButton(*m, *m->Menu, "Delete");
    ASSERT_TRUE(m->DialogYesNo);
    m->Kill();
    EXPECT_FALSE(m->DialogYesNo);
    EXPECT_FALSE(m->MenuArrowUp);
    EXPECT_FALSE(m->MenuArrowDown);
    EXPECT_TRUE(m->ListBox->Strings.empty());
    rec.calls.clear();
    EXPECT_EQ(m->Draw(), 0);
    EXPECT_TRUE(rec.calls.empty());
}

}  // namespace
