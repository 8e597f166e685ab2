// The best-time screen on its own: its tabs and buttons, the rows sliding in from alternating sides to
// their resting place, the row colours and columns, switching tables, and the clear question answered
// either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BoardWorld.h"
#include "core/Input.h"
#include "game/Core.h"
#include "game/GameHelpers.h"
#include "game/GameNotice.h"
#include "game/HighScoreList.h"
#include "game/HighScoreScreen.h"
#include "platform/Draw.h"
#include "presentation/Dialog.h"
#include "presentation/SlideLine.h"

namespace {

constexpr int KeyY = 89, KeyN = 78;

class HighScoreScreenTest : public board::BoardWorld {
  protected:
    void SetUp() override {
        board::BoardWorld::SetUp();
        for (auto* table : {&HighScores4, &HighScores6, &HighScores9}) table->Entries.clear();
        HighScores4.Create(shared.Str() + "hs4x4", 10, 10);
        HighScores6.Create(shared.Str() + "hs6x6", 10, 10);
        HighScores6.Add("Ann", 83000, 2);
        HighScores6.Add("Bob", 754000, 4);
        HighScores6.Add("Cleo", 3599000, 0);
        HighScores4.Add("Dee", 1000, 1);
        HighScoreScreen = std::make_unique<THighScoreScreen>();
        HighScoreScreen->Load();
    }
    void TearDown() override {
        HighScoreScreen->Kill();
        HighScoreScreen.reset();
        for (auto* table : {&HighScores4, &HighScores6, &HighScores9}) table->Entries.clear();
        board::BoardWorld::TearDown();
    }
    static void ClickButton(TMenu& menu, const std::string& name) {
        TButton* button = menu.FindButton(name);
        ASSERT_NE(button, nullptr) << name;
        Game->Mouse->x = int(button->x) + button->w / 2;
        Game->Mouse->y = int(button->y) + button->h / 2;
        Game->Mouse->ButtonDown(1);
        HighScoreScreen->Logic();
        Game->Mouse->ButtonUp(1);
        Game->Mouse->x = Game->Mouse->y = 0;
    }
    static void Answer(int key) {
        KeyBufferKeyDown(key);
        HighScoreScreen->Logic();
        KeyBufferKeyUp(key);
        GameFlushKeys();
    }
    static void Rest() {
        for (int i = 0; i < 1500; ++i) HighScoreScreen->SlideLines->Manage();
    }
};

TEST_F(HighScoreScreenTest, TabsForEverySizeInARowAndTheButtonsBelowThem) {
    THighScoreScreen& s = *HighScoreScreen;
    const char* tabs[] = {"4x4", "6x6", "9x9", "12x12", "16x16"};
    float lastX = -1;
    for (const char* name : tabs) {
        TButton* tab = s.SizeMenu->FindButton(name);
        ASSERT_NE(tab, nullptr) << name;
        EXPECT_FLOAT_EQ(tab->ScaleOnMOMax, 1.15f) << name;
        EXPECT_GT(tab->x, lastX) << name;
        EXPECT_FLOAT_EQ(tab->y, 115) << name;
        lastX = tab->x;
    }
    TButton* ok = s.Menu->FindButton("ok");
    TButton* clear = s.Menu->FindButton("clear");
    ASSERT_TRUE(ok && clear);
    EXPECT_EQ(ok->OKButton, 1);
    EXPECT_EQ(clear->OKButton, 0);
    EXPECT_FLOAT_EQ(ok->ScaleOnMOMax, 1.15f);
    EXPECT_FLOAT_EQ(clear->ScaleOnMOMax, 1.15f);
    EXPECT_EQ(ok->y, clear->y);
    EXPECT_LT(ok->x, clear->x);
    EXPECT_FLOAT_EQ(ok->y, float((ScreenHeight - ok->h) / 2 + 260)) << "moved 260 down from the centre row";
    // The tabs are a row centred across the screen, 15 pixels apart.
    const TButton* first = s.SizeMenu->FindButton("4x4");
    const TButton* second = s.SizeMenu->FindButton("6x6");
    const TButton* last = s.SizeMenu->FindButton("16x16");
    EXPECT_NEAR(first->x, float(ScreenWidth) - (last->x + float(last->w)), 1.0f);
    EXPECT_FLOAT_EQ(second->x - (first->x + float(first->w)), 15);
    EXPECT_FLOAT_EQ(clear->x - (ok->x + float(ok->w)), 15);
    EXPECT_NEAR(ok->x, float(ScreenWidth) - (clear->x + float(clear->w)), 1.0f);
    EXPECT_EQ(Game->FadeMusic, 0);
    EXPECT_EQ(s.HighScoreList, &HighScores6);
    EXPECT_EQ(s.ShowingInput, 0);
    EXPECT_FALSE(s.ClearHighscore);
}

// Rows start off screen, even ones left and odd ones right, one after another, and rest 25 pixels apart
// at the name column.
TEST_F(HighScoreScreenTest, RowsSlideInFromAlternatingSidesAndRestInTheirPlaces) {
    THighScoreScreen& s = *HighScoreScreen;
    ASSERT_EQ(s.SlideLines->Lines.size(), 3u);
    EXPECT_EQ(s.w, s.col3 - s.col1);
    EXPECT_EQ(s.height, 3 * 25);
    for (std::size_t i = 0; i < 3; ++i) {
        const TSlideLine& line = *s.SlideLines->Lines[i];
        ASSERT_GE(line.StartX.size(), 2u);
        EXPECT_FLOAT_EQ(line.StartX[1], i % 2 == 0 ? float(-s.w) : float(ScreenWidth)) << i;
        EXPECT_FLOAT_EQ(line.EndX[1], float(s.col1)) << i;
        EXPECT_FLOAT_EQ(line.StartY[1], float(s.StartY + 25 * int(i))) << i;
    }
    EXPECT_LT(s.SlideLines->Lines[0]->Length[0], s.SlideLines->Lines[2]->Length[0]) << "one after another";
    Rest();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(s.SlideLines->Lines[i]->GetX(), float(s.col1)) << i;
        EXPECT_FLOAT_EQ(s.SlideLines->Lines[i]->GetY(), float(s.StartY + 25 * int(i))) << i;
    }
}

// Each resting row: the name at the name column, difficulty and time right-aligned at theirs, in a colour
// that moves from white towards green; headings in yellow.
TEST_F(HighScoreScreenTest, RowsShowNameDifficultyAndTimeInTheirColumns) {
    THighScoreScreen& s = *HighScoreScreen;
    // Sliding in, the first row is white: only a row at rest glows.
    for (int i = 0; i < 60; ++i) s.SlideLines->Manage();
    ASSERT_EQ(s.SlideLines->Lines[0]->CurrentPhase, 1);
    rec.calls.clear();
    s.Draw();
    for (const TDrawCommand* c : rec.Find("DrawText")) {
        if (c->text == "Ann" && c->state.red != 0) {
            EXPECT_EQ(std::vector<int>({c->state.red, c->state.blue}), std::vector<int>({255, 255}))
                << "sliding";
        }
    }
    for (int i = 60; i < 600; ++i) s.SlideLines->Manage();
    rec.calls.clear();
    s.Draw();
    std::vector<const TDrawCommand*> texts;
    for (const TDrawCommand* c : rec.Find("DrawText"))
        if (!(c->state.red == 0 && c->state.green == 0 && c->state.blue == 0)) texts.push_back(c);
    ASSERT_EQ(texts.size(), 3u + 3 * 3) << "headings and three columns a row, shadows aside";
    EXPECT_EQ(texts[0]->text, GameString("Name"));
    EXPECT_EQ(texts[0]->state.blue, 0) << "headings in yellow";
    EXPECT_EQ(texts[0]->state.red, 255);
    EXPECT_FLOAT_EQ(texts[0]->args.at(0), float(s.col1));
    EXPECT_FLOAT_EQ(texts[0]->args.at(1), float(s.StartY - 30));
    const std::vector<std::string> expected = {"Ann",  DifficultyName(2), FormatMinSec(83000),
                                               "Bob",  DifficultyName(4), FormatMinSec(754000),
                                               "Cleo", DifficultyName(0), FormatMinSec(3599000)};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const TDrawCommand& c = *texts[3 + i];
        EXPECT_EQ(c.text, expected[i]) << i;
        EXPECT_FLOAT_EQ(c.args.at(1), float(s.StartY + 25 * int(i / 3))) << i;
        EXPECT_EQ(std::vector<int>({c.state.red, c.state.green, c.state.blue}),
                  std::vector<int>({255, 255, 255}))
            << "at rest in white: " << i;
    }
    EXPECT_FLOAT_EQ(texts[3]->args.at(0), float(s.col1));
    SetImageFont(FontCalibri34);
    EXPECT_NEAR(texts[5]->args.at(0) + TextWidth(texts[5]->text), float(s.col3), 1.0f);
    EXPECT_NEAR(texts[4]->args.at(0) + TextWidth(texts[4]->text), float(s.col2), 1.0f);
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({255, 255, 255})) << "drawing ends in white";
    // Arrived, a row glows for a moment: red and blue below white, blue falling faster.
    s.SetSlideLines();
    for (int i = 0; i < 170; ++i) s.SlideLines->Manage();
    rec.calls.clear();
    s.Draw();
    bool glowing = false;
    for (const TDrawCommand* c : rec.Find("DrawText")) {
        if (c->text != "Ann" || c->state.red == 0) continue;
        const TSlideLine& line = *s.SlideLines->Lines[0];
        const float r = line.GetRatio();
        if (line.Active && line.CurrentPhase == 2) {
            EXPECT_EQ(c->state.red, int(255 - 155 * r));
            EXPECT_EQ(c->state.blue, int(255 - 255 * r));
            glowing = glowing || r > 0.05f;
        }
    }
    EXPECT_TRUE(glowing);
}

TEST_F(HighScoreScreenTest, TabsShowTheirTableAndTheClearQuestionIsAnsweredEitherWay) {
    THighScoreScreen& s = *HighScoreScreen;
    ClickButton(*s.SizeMenu, "4x4");
    EXPECT_EQ(s.HighScoreList, &HighScores4);
    ASSERT_EQ(s.SlideLines->Lines.size(), 1u);
    ClickButton(*s.Menu, "clear");
    ASSERT_TRUE(s.ClearHighscore);
    s.Logic();
    EXPECT_EQ(s.ShowingInput, 1);
    rec.calls.clear();
    s.Draw();
    bool asked = false;
    for (const TDrawCommand* c : rec.Find("DrawText"))
        asked = asked || c->text == GameString("Clear Highscore");
    EXPECT_TRUE(asked);
    Answer(KeyN);
    EXPECT_FALSE(s.ClearHighscore);
    EXPECT_EQ(s.ShowingInput, 0);
    ASSERT_EQ(HighScores4.Count(), 1u) << "No keeps the table";
    EXPECT_EQ(HighScores4.Entries[0].name, "Dee");

    ClickButton(*s.Menu, "clear");
    s.Logic();
    Answer(KeyY);
    EXPECT_FALSE(s.ClearHighscore);
    ASSERT_EQ(HighScores4.Count(), 10u);
    EXPECT_EQ(HighScores4.Entries[0].time, 5940000);
    EXPECT_EQ(s.SlideLines->Lines.size(), 10u);
    EXPECT_EQ(testenv::ReadFile(shared.Path() / "hs4x4.dat"), HighScoreEncode(HighScores4.Entries));
    EXPECT_EQ(HighScores6.Count(), 3u);

    // Leaving with the question open closes it, and coming back starts without it and with Escape
    // handled as before the question.
    Game->IgnoreEscapeKey = 0;
    ClickButton(*s.Menu, "clear");
    ASSERT_TRUE(s.ClearHighscore);
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    s.Load();
    EXPECT_FALSE(s.ClearHighscore);
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
    ClickButton(*s.Menu, "clear");
    ASSERT_TRUE(s.ClearHighscore);
    s.Kill();
    EXPECT_FALSE(s.ClearHighscore);
    EXPECT_FALSE(s.SlideLines);
    s.Load();
}

// Wording of another language may make the hardest level the widest: a long name still ends left of it.
TEST_F(HighScoreScreenTest, LongNamesEndLeftOfTheWidestDifficultyWhicheverLevelItIs) {
    testenv::TempDir texts;
    testenv::WriteFile(texts.Path() / "gametext.txt",
                       testenv::ReadFile(board::DataFolder("text") + "gametext.txt") +
                           "[TEXT]\r\nVery Hard\r\nUnbelievably Very Hard\r\n");
    GameText->Folder = texts.Str();
    GameText->Read("gametext.txt");
    ASSERT_EQ(DifficultyName(4), "Unbelievably Very Hard");
    HighScores6.Entries.clear();
    HighScores6.Add(std::string(13, 'W'), 1000, 0);
    HighScores6.Add("Bo", 2000, 4);
    THighScoreScreen& s = *HighScoreScreen;
    s.SetSlideLines();
    Rest();
    rec.calls.clear();
    s.Draw();
    float nameRight = -1e9f, hardLeft = 1e9f;
    for (const TDrawCommand* c : rec.Find("DrawText"))
        for (const TVertex& v : c->vertices) {
            if (c->text.rfind("WW", 0) == 0) nameRight = std::max(nameRight, v.x);
            if (c->text == DifficultyName(4)) hardLeft = std::min(hardLeft, v.x);
        }
    ASSERT_GT(nameRight, 0.0f);
    EXPECT_LT(nameRight, hardLeft);
}

TEST_F(HighScoreScreenTest, EveryTabShowsTheTableOfItsSize) {
    const std::pair<const char*, TPellixHighScoreList*> tabs[] = {{"9x9", &HighScores9},
                                                                  {"6x6", &HighScores6},
                                                                  {"12x12", &HighScores12},
                                                                  {"4x4", &HighScores4},
                                                                  {"16x16", &HighScores16}};
    for (const auto& [name, table] : tabs) {
        ClickButton(*HighScoreScreen->SizeMenu, name);
        EXPECT_EQ(HighScoreScreen->HighScoreList, table) << name;
        EXPECT_EQ(HighScoreScreen->SlideLines->Lines.size(), table->Entries.size()) << name;
    }
}

// A button is hit from its top-left pixel on: the menus are managed where they are drawn.
TEST_F(HighScoreScreenTest, ButtonsAreHitFromTheirTopLeftPixel) {
    THighScoreScreen& s = *HighScoreScreen;
    const auto clickCorner = [&](TMenu& menu, const std::string& name) {
        TButton* button = menu.FindButton(name);
        ASSERT_NE(button, nullptr);
        Game->Mouse->x = int(std::ceil(button->x));
        Game->Mouse->y = int(std::ceil(button->y));
        Game->Mouse->ButtonDown(1);
        s.Logic();
        Game->Mouse->ButtonUp(1);
    };
    clickCorner(*s.SizeMenu, "4x4");
    EXPECT_EQ(s.HighScoreList, &HighScores4);
    clickCorner(*s.Menu, "clear");
    EXPECT_TRUE(s.ClearHighscore);
}

// Leaving the screen gives back the textures of its buttons, the size tabs among them; only what the picture
// bank keeps for the next visit stays.
TEST_F(HighScoreScreenTest, LeavingReleasesTheTexturesOfItsButtons) {
    THighScoreScreen& s = *HighScoreScreen;
    auto offscreen = CreateOffscreenBackend(800, 600);
    ASSERT_TRUE(offscreen);
    SetDrawBackend(offscreen.get());
    s.Draw();
    const int drawn = LiveTextureCount();
    int buttons = 0;
    for (TMenu* menu : {s.SizeMenu.get(), s.Menu.get()})
        for ([[maybe_unused]] const auto& b : *menu) ++buttons;
    ASSERT_EQ(buttons, 7);
    s.Kill();
    const int after = LiveTextureCount();
    SetDrawBackend(&rec);
    EXPECT_GE(drawn - after, buttons);
}

}  // namespace
