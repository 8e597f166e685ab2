// The title screen's buttons grow to 1.15 times their size under the pointer and back when it leaves.
#include "BoardWorld.h"
#include "game/TitleScreen.h"
#include "presentation/Button.h"

namespace {

using TitleHoverTest = board::BoardWorld;

TEST_F(TitleHoverTest, EachButtonGrowsUnderThePointerToItsLimitAndTheOthersStay) {
    Game->MusicPath = board::DataFolder("music");
    TitleScreen = std::make_unique<TTitleScreen>();
    TitleScreen->Load();
    for (const char* name : {"play", "help", "options", "highscore", "exit"}) {
        SCOPED_TRACE(name);
        TButton* hovered = TitleScreen->Menu->FindButton(name);
        ASSERT_NE(hovered, nullptr);
        for (int i = 0; i < 60; ++i) {
            Game->Mouse->x = int(hovered->x) + hovered->w / 2;
            Game->Mouse->y = int(hovered->y) + hovered->h / 2;
            TitleScreen->Menu->Manage(0, 0);
        }
        for (auto& button : *TitleScreen->Menu)
            EXPECT_FLOAT_EQ(button->ScaleOnMO, button.get() == hovered ? 1.15f : 1.0f) << button->name;
        for (int i = 0; i < 60; ++i) {
            Game->Mouse->x = Game->Mouse->y = 0;
            TitleScreen->Menu->Manage(0, 0);
        }
    }
    TitleScreen->Kill();
    TitleScreen.reset();
}

}  // namespace
