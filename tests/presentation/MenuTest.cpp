// Menus: building from the menu folder, the per-tick poll with its consumed names, and the conditions
// under which a menu takes no input.
#include "WidgetWorld.h"
#include "platform/Keys.h"
#include "presentation/GameFade.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"

namespace {

class MenuTest : public WidgetWorld {
  protected:
    std::unique_ptr<TMenu> ThreeButtons() {
        auto menu = TMenu::Create("buttonMO", "buttonclick", 0, 100, 10);
        menu->AddQuick("play", "Play");
        menu->AddQuick("options", "");
        menu->AddQuick("quit", "quit");
        return menu;
    }
};

TEST_F(MenuTest, ClicksAndEnterReachOneButtonAndAreConsumed) {
    {
        auto menu = ThreeButtons();
        ClickAt(360, 110);
        EXPECT_EQ(menu->Manage(0, 0), 1);
        EXPECT_EQ(menu->Clicked("play"), 1);
        EXPECT_EQ(menu->Clicked("Play"), 0) << "the name was consumed";
        EXPECT_EQ(menu->FindButton("Quit"), menu->Items[2].get()) << "names in any case";
        menu->Manage(0, 0);
        EXPECT_EQ(menu->Clicked("play"), 0) << "one click, one report";
    }
    {
        auto menu = TMenu::Create("", "", 0, 0, 10);
        menu->AddQuick("yes", "")->OKButton = 1;
        menu->AddQuick("no", "");
        PointAt(0, 0);
        PressKey(KEY_ENTER);
        menu->Manage(0, 0);
        EXPECT_EQ(menu->Clicked("yes"), 1);
    }
    {
        auto menu = TMenu::Create("", "", 0, 0, 0);
        TButton* a = menu->AddQuick("ok", "A");
        TButton* b = menu->AddQuick("yes", "B");
        b->MoveTo(a->x, a->y);
        PointAt(int(a->x) + 1, int(a->y) + 1);
        menu->Manage(0, 0);
        EXPECT_EQ(menu->MouseOverName, "B");
        EXPECT_EQ(menu->MouseOver("A"), 0) << "not the button underneath";
        EXPECT_EQ(menu->MouseOver("b"), 1);
    }
}

TEST_F(MenuTest, NoInputDuringAScreenFadeOrWhenSwitchedOff) {
    auto menu = ThreeButtons();
    Game->GameFade->Active = 1;
    ClickAt(360, 110);
    EXPECT_EQ(menu->Manage(0, 0), 0);
    EXPECT_EQ(menu->Clicked("play"), 0);
    Game->GameFade->Active = 0;
    menu->AcceptInput = 0;
    EXPECT_EQ(menu->Manage(0, 0), 0);
    menu->AcceptInput = 1;
    EXPECT_EQ(menu->Manage(0, 0), 1);
    EXPECT_EQ(menu->Clicked("play"), 1) << "the click waited for a reader";
}

TEST_F(MenuTest, CompanionFilesAreTakenOnlyWhenPresentAndAMissingImageIsFatal) {
    auto menu = TMenu::Create("", "", 0, 0, 10);
    TButton* plain = menu->AddQuickAuto("play", "");
    EXPECT_FALSE(plain->ImageDisabled);
    EXPECT_FALSE(plain->ImageMouseClick);
    WritePng("menus/options_disabled.png", 100, 40, 0xFF000000u);
    WritePng("menus/options_down.png", 100, 40, 0xFF0000FFu);
    TButton* full = menu->AddQuickAuto("Options", "");
    ASSERT_TRUE(full->ImageDisabled);
    ASSERT_TRUE(full->ImageMouseClick);
    EXPECT_TRUE(notices.empty());
    EXPECT_ANY_THROW(menu->AddQuick("nosuchbutton", ""));
    ASSERT_FALSE(notices.empty());
    EXPECT_NE(notices[0].find("nosuchbutton"), std::string::npos);
}

// A row or column of buttons ends up in the middle of the screen both ways.
TEST_F(MenuTest, RowsAndColumnsAreCentredOnTheScreen) {
    for (bool row : {true, false}) {
        auto menu = ThreeButtons();
        if (row)
            menu->MakeRow(10);
        else
            menu->MakeColumn(10);
        float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
        for (const auto& b : menu->Items) {
            left = std::min(left, b->x);
            right = std::max(right, b->x + float(b->w));
            top = std::min(top, b->y);
            bottom = std::max(bottom, b->y + float(b->h));
        }
        EXPECT_NEAR(left, float(ScreenWidth) - right, 1.0f) << row;
        EXPECT_NEAR(top, float(ScreenHeight) - bottom, 1.0f) << row;
    }
}

TEST_F(MenuTest, AnEmptyMenuHasNoExtentAndKeepsItsOrigin) {
    auto menu = TMenu::Create("", "", 30, 40, 10);
    EXPECT_EQ(menu->CalcWidth(), 0);
    EXPECT_EQ(menu->CalcHeight(), 0);
    menu->CalcCoords();
    EXPECT_FLOAT_EQ(menu->x, 30);
    EXPECT_EQ(menu->Manage(0, 0), 1);
}

}  // namespace
