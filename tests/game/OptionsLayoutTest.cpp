// The options screen as laid out: its toggle buttons centred across the screen below the sliders.
#include "BoardWorld.h"
#include "game/OptionsScreen.h"

namespace {

using OptionsLayoutTest = board::BoardWorld;

TEST_F(OptionsLayoutTest, TogglesAreCentredAcrossTheScreen) {
    OptionsScreen = std::make_unique<TOptionsScreen>();
    OptionsScreen->Load();
    ASSERT_TRUE(OptionsScreen->OptionsMenu);
    for (const char* name : {"fullscreen", "showtimer", "highlighter", "preventdoublenumbers"}) {
        const TButton* button = OptionsScreen->OptionsMenu->FindButton(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_NEAR(button->x + float(button->w) / 2, 400.0f, 1.0f) << name;
        EXPECT_GE(button->y, 240.0f) << name;
    }
    OptionsScreen->Kill();
    OptionsScreen.reset();
}

}  // namespace
