// Menus: building from the menu folder, layout (column, row, pairs, centring), the per-tick poll with
// its consumed names, and the conditions under which a menu takes no input.
#include "WidgetWorld.h"
#include "platform/Keys.h"
#include "presentation/Font.h"
#include "presentation/GameFade.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"

namespace {

class MenuTest : public WidgetWorld {
  protected:
    std::unique_ptr<TMenu> ThreeButtons(float y = 100, int gap = 10) {
        auto menu = TMenu::Create("buttonMO", "buttonclick", 0, y, gap);
        menu->AddQuick("play", "Play");
        menu->AddQuick("options", "");
        menu->AddQuick("quit", "quit");
        return menu;
    }
};

TEST_F(MenuTest, ButtonsStackWithTheGapShareTheMenusSoundsAndTakeNamesInAnyCase) {
    auto menu = ThreeButtons();
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_FLOAT_EQ(menu->Items[0]->y, 100);
    EXPECT_FLOAT_EQ(menu->Items[1]->y, 150);
    EXPECT_FLOAT_EQ(menu->Items[2]->y, 200);
    EXPECT_EQ(menu->h, 140);
    EXPECT_FLOAT_EQ(menu->Items[0]->x, 350);  // centred: (800 - 100) / 2
    EXPECT_EQ(menu->NextY, 250);
    menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
    TButton* b = menu->AddQuick("ok", "OK");
    EXPECT_EQ(b->SoundClick, menu->SoundClick);
    EXPECT_FLOAT_EQ(b->ShadowAlpha, 0.4f);
    EXPECT_EQ(menu->Items[0]->name, "PLAY");
    EXPECT_EQ(menu->Items[1]->name, "OPTIONS");
    EXPECT_EQ(menu->FindButton("Quit"), menu->Items[2].get());
    EXPECT_EQ(menu->FindButton("help"), nullptr);
}

TEST_F(MenuTest, ClicksAndEnterReachOneButtonAndAreConsumed) {
    {
    auto menu = ThreeButtons();
    ClickAt(360, 110);
    EXPECT_EQ(menu->Manage(0, 0), 1);
    EXPECT_EQ(menu->MouseOver("PLAY"), 1);
    EXPECT_EQ(menu->Clicked("play"), 1);
    EXPECT_EQ(menu->Clicked("Play"), 0) << "the name was consumed";
    EXPECT_EQ(menu->Clicked(""), 0);
    menu->Manage(0, 0);
    EXPECT_EQ(menu->Clicked("play"), 0) << "one click, one report";    }
    {
    auto menu = TMenu::Create("", "", 0, 0, 10);
    menu->AddQuick("yes", "")->OKButton = 1;
    menu->AddQuick("no", "");
    PointAt(0, 0);
    PressKey(KEY_ENTER);
    menu->Manage(0, 0);
    EXPECT_EQ(menu->Clicked("yes"), 1);    }
    {
    auto menu = TMenu::Create("", "", 0, 0, 0);
    for (const char* name : {"yes", "no", "cancel"}) menu->AddQuick(name, "");
    menu->MakeRow(10);
    TButton* no = menu->FindButton("no");
    ClickAt(int(no->x) + 5, int(no->y) + 5);
    menu->Manage(0, 0);
    EXPECT_EQ(menu->Clicked("yes"), 0);
    EXPECT_EQ(menu->Clicked("cancel"), 0);
    EXPECT_EQ(menu->Clicked("no"), 1);    }
    {
    auto menu = TMenu::Create("", "", 0, 0, 0);
    TButton* a = menu->AddQuick("ok", "A");
    TButton* b = menu->AddQuick("yes", "B");
    b->MoveTo(a->x, a->y);
    PointAt(int(a->x) + 1, int(a->y) + 1);
    menu->Manage(0, 0);
    EXPECT_EQ(menu->MouseOverName, "B");
    }
}

TEST_F(MenuTest, NoInputDuringAScreenFadeOrWhenSwitchedOffOrPointerOff) {
    auto menu = ThreeButtons();
    Game->GameFade->Active = 1;
    ClickAt(360, 110);
    EXPECT_EQ(menu->Manage(0, 0), 0);
    EXPECT_EQ(menu->Clicked("play"), 0);
    Game->GameFade->Active = 0;
    menu->AcceptInput = 0;
    EXPECT_EQ(menu->Manage(0, 0), 0);
    menu->AcceptInput = 1;
    Game->Mouse->Active = 0;
    EXPECT_EQ(menu->Manage(0, 0), 0);
    EXPECT_EQ(menu->Clicked("play"), 0);
    Game->Mouse->Active = 1;
    EXPECT_EQ(menu->Manage(0, 0), 1);
    EXPECT_EQ(menu->Clicked("play"), 1) << "the click waited for a reader";
}

TEST_F(MenuTest, OffsetMovesTheHitBoxesAndTheDraws) {
    auto menu = ThreeButtons();
    ClickAt(360 + 50, 110 + 20);
    menu->Manage(50, 20);
    EXPECT_EQ(menu->Clicked("PLAY"), 1);
    menu->Draw(50, 20);
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_FLOAT_EQ(draws[0]->args[0], 400);
    EXPECT_FLOAT_EQ(draws[0]->args[1], 120);
    ExpectCleanState();
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
    EXPECT_FLOAT_EQ(full->MouseClickDuration, 40.0f);  // 200 ms
    EXPECT_TRUE(notices.empty());
    EXPECT_ANY_THROW(menu->AddQuick("nosuchbutton", ""));
    ASSERT_FALSE(notices.empty());
    EXPECT_NE(notices[0].find("nosuchbutton"), std::string::npos);
}

TEST_F(MenuTest, PairSitsSideBySideWithPrefixedNames) {
    auto menu = TMenu::Create("", "", 0, 80, 10);
    menu->AddPair("ok", "cancel", 50, "dlg");
    ASSERT_EQ(menu->Count(), 2);
    TButton* b1 = menu->Items[0].get();
    TButton* b2 = menu->Items[1].get();
    EXPECT_EQ(b1->name, "DLGOK");
    EXPECT_EQ(b2->name, "DLGCANCEL");
    EXPECT_FLOAT_EQ(b2->x, b1->x + 60 + 50);
    EXPECT_FLOAT_EQ(b1->y, b2->y);
    EXPECT_EQ(menu->h, 30);
    EXPECT_EQ(menu->NextY, 80 + 30 + 10);
}

TEST_F(MenuTest, ColumnAndRowAreCentredOnTheScreen) {
    auto menu = ThreeButtons(0, 0);
    menu->MakeColumn(10);
    EXPECT_EQ(menu->CalcHeight(), 140);
    EXPECT_FLOAT_EQ(menu->y, float((600 - 140) / 2));
    EXPECT_FLOAT_EQ(menu->Items[1]->y - menu->Items[0]->y, 50);
    menu->MakeRow(20);
    EXPECT_EQ(menu->CalcWidth(), 340);
    EXPECT_FLOAT_EQ(menu->x, float((800 - 340) / 2));
    EXPECT_FLOAT_EQ(menu->Items[0]->y, menu->Items[2]->y);
}

TEST_F(MenuTest, MovingAndScalingTheMenuMovesButtonsAndCaptions) {
    {
    auto menu = ThreeButtons();
    menu->Items[0]->SetupCaption("Play", MakeBlockFont(), nullptr, nullptr, nullptr, nullptr);
    float captionX = menu->Items[0]->Caption->X;
    menu->SetX(10);
    EXPECT_FLOAT_EQ(menu->x, 10);
    EXPECT_FLOAT_EQ(menu->Items[0]->x, 10);
    EXPECT_FLOAT_EQ(menu->Items[0]->Caption->X, captionX - 340);
    menu->SetY(0);
    EXPECT_FLOAT_EQ(menu->Items[2]->y, 100);    }
    {
    auto menu = TMenu::Create("", "", 0, 0, 10);
    menu->AddPair("yes", "no", 20, "");
    float gapBetween = menu->Items[1]->x - menu->Items[0]->x;
    menu->SetPairX("yes", "no", 100);
    EXPECT_FLOAT_EQ(menu->Items[0]->x, 100);
    EXPECT_FLOAT_EQ(menu->Items[1]->x, 100 + gapBetween);
    menu->SetPairX("maybe", "no", 5);  // unknown names change nothing
    EXPECT_FLOAT_EQ(menu->Items[0]->x, 100);    }
    {
    auto menu = ThreeButtons();
    menu->CalcCoords();
    menu->StoreOriginalCoords();
    menu->ScaleMenu(0.5f, 0.5f);
    EXPECT_FLOAT_EQ(menu->Items[2]->y, 100 + 100 * 0.5f);
    EXPECT_FLOAT_EQ(menu->Items[0]->ScaleX, 0.5f);
    }
}

TEST_F(MenuTest, AnEmptyMenuHasNoExtentAndKeepsItsOrigin) {
    auto menu = TMenu::Create("", "", 30, 40, 10);
    EXPECT_EQ(menu->CalcWidth(), 0);
    EXPECT_EQ(menu->CalcHeight(), 0);
    menu->CalcCoords();
    EXPECT_FLOAT_EQ(menu->x, 30);
    menu->Centre();
    EXPECT_FLOAT_EQ(menu->x, 400);
    EXPECT_FLOAT_EQ(menu->y, 300);
    EXPECT_EQ(menu->Manage(0, 0), 1);
}

TEST_F(MenuTest, ClearStatesResetsEveryButtonAndKillEmptiesTheMenu) {
    auto menu = ThreeButtons();
    for (auto& b : *menu) {
        b->Glow = 1;
        b->Clicked = 1;
        b->MouseClickCounter = 5;
        b->MouseOver = 1;
        b->ScaleOnMO = 1.2f;
    }
    menu->ClearStates();
    for (auto& b : *menu) {
        EXPECT_EQ(b->Glow, 0);
        EXPECT_EQ(b->Clicked, 0);
        EXPECT_EQ(b->MouseClickCounter, 0);
        EXPECT_EQ(b->MouseOver, 0);
        EXPECT_EQ(b->ScaleOnMO, 1);
    }
    menu->Kill();
    EXPECT_TRUE(menu->IsEmpty());
    EXPECT_EQ(menu->FindButton("play"), nullptr);
}

}  // namespace
