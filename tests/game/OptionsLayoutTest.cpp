// The options screen as laid out: its toggle buttons centred across the screen below the sliders; and
// the sliders' pictures let go when the screen is left.
#include "BoardWorld.h"
#include "game/OptionsScreen.h"
#include "presentation/GameImage.h"
#include "presentation/Slider.h"

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
    // Leaving the screen lets go of both sliders' pictures.
    const std::weak_ptr<TGameImage> music = OptionsScreen->MusicSlider->DotImage;
    const std::weak_ptr<TGameImage> sound = OptionsScreen->SoundSlider->DotImage;
    OptionsScreen->Kill();
    EXPECT_TRUE(music.expired());
    EXPECT_TRUE(sound.expired());
    OptionsScreen.reset();
}

}  // namespace
