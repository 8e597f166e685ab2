// The end-of-puzzle menu on its own: which choice each button gives under its allow flags, where the menu
// stands, and the buttons left out when they are not allowed.
#include <gtest/gtest.h>

#include "BoardWorld.h"
#include "platform/Events.h"
#include "presentation/Button.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"

namespace {

using board::BoardWorld;

class EndLevelMenuTest : public BoardWorld {
  protected:
    // The highest choice the menu gives over a click on the named button, driven one logic call at a time.
    static int ClickOn(QDEndLevelMenu& menu, const std::string& name, int next, int restart, int back) {
        TButton* button = menu.Menu->FindButton(name);
        EXPECT_NE(button, nullptr) << name;
        if (button == nullptr) return -1;
        MoveMouse(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
        int selected = 0;
        for (int step = 0; step < 4; ++step) {
            if (step == 1) Press(1);
            if (step == 2) Release(1);
            Game->DoPeekEvent();
            menu.Logic(next, restart, back);
            selected = std::max(selected, menu.Selected);
        }
        return selected;
    }
};

TEST_F(EndLevelMenuTest, EachAllowedButtonGivesItsChoice) {
    const struct {
        const char* button;
        int next, restart, back, selected;
    } rows[] = {
        {"nextpuzzle", 1, 1, 1, 1},    {"restartpuzzle", 1, 1, 1, 2}, {"backtomenu", 1, 1, 1, 3},
        {"nextpuzzle", 0, 1, 1, 0},    {"restartpuzzle", 1, 0, 1, 0}, {"backtomenu", 1, 1, 0, 0},
        {"restartpuzzle", 0, 1, 0, 2}, {"backtomenu", 0, 0, 1, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.button) + " " +
                     std::to_string(row.next * 4 + row.restart * 2 + row.back));
        QDEndLevelMenu menu;
        menu.Init(-1, -1);
        EXPECT_EQ(ClickOn(menu, row.button, row.next, row.restart, row.back), row.selected);
        EXPECT_EQ(menu.Selected, 0) << "a choice lasts one frame";
    }
    QDEndLevelMenu hidden;
    hidden.Init(-1, -1);
    hidden.Show = 0;
    EXPECT_EQ(ClickOn(hidden, "nextpuzzle", 1, 1, 1), 0);
}

TEST_F(EndLevelMenuTest, TheMenuStandsWhereAskedOrInTheMiddle) {
    board::ExpectEndMenuAt(120, 80);

    QDEndLevelMenu centred;
    centred.Init(-1, -1);
    EXPECT_EQ(std::pair(centred.X, centred.Y), std::pair(400, 300));
    float low = 1e9f, high = -1e9f;
    for (const auto& button : *centred.Menu) {
        EXPECT_FLOAT_EQ(button->x + button->w / 2.0f, 400.0f) << button->name;
        low = std::min(low, button->y), high = std::max(high, button->y + button->h);
    }
    EXPECT_NEAR((low + high) / 2, 300.0f, 1.0f);
}

TEST_F(EndLevelMenuTest, ButtonsNotAllowedAreLeftOutAndTheRestCentredAgain) {
    QDEndLevelMenu menu;
    menu.Init(-1, -1);
    const float restartTop = menu.Menu->FindButton("restartpuzzle")->y;
    rec.calls.clear();
    menu.Draw(0, 1, 1);
    EXPECT_EQ(menu.Menu->FindButton("nextpuzzle"), nullptr);
    ASSERT_NE(menu.Menu->FindButton("restartpuzzle"), nullptr);
    ASSERT_NE(menu.Menu->FindButton("backtomenu"), nullptr);
    EXPECT_LT(menu.Menu->FindButton("restartpuzzle")->y, restartTop) << "the two left move up to the middle";
    const TImage* panel = ImageBank->Find("endlevelback")->image.get();
    int panels = 0;
    for (const TDrawCommand* c : rec.Find("DrawImage"))
        if (c->image == panel) {
            ++panels;
            EXPECT_EQ(std::vector<float>(c->args.begin(), c->args.begin() + 2),
                      (std::vector<float>{400, 300}));
        }
    EXPECT_EQ(panels, 1);
    menu.Draw(1, 0, 0);
    EXPECT_EQ(menu.Menu->Items.size(), 0u);
    QDEndLevelMenu hidden;
    hidden.Init(-1, -1);
    hidden.Show = 0;
    hidden.Draw(0, 0, 0);
    EXPECT_EQ(hidden.Menu->Items.size(), 3u) << "a hidden menu is neither drawn nor changed";
}

}  // namespace
