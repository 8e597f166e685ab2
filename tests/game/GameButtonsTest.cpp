// The game's button helpers: a centred button made from a strip of cells.
#include "core/SoundBank.h"
#include "game/GameButtons.h"
#include "platform/Image.h"
#include "presentation/Button.h"
#include "presentation/GameImage.h"
#include "presentation/Menu.h"
#include "presentation/WidgetWorld.h"

namespace {

using GameButtons = WidgetWorld;

TEST_F(GameButtons, ACentredButtonTakesItsCellsFromAStrip) {
    MenuImage("go", 80, 20);  // two cells of 40 x 20 side by side
    const struct {
        int cellW, cellH, frames;
        int width, frameCount;
        float x;
    } rows[] = {
        {40, 20, 2, 40, 2, 380.0f},
        {0, 0, 1, 80, 1, 360.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.frames);
        auto button = CreateCentredButton("go", "goMO", row.cellW, row.cellH, row.frames);
        ASSERT_TRUE(button && button->image && button->ImageMouseOver);
        EXPECT_EQ(button->w, row.width);
        EXPECT_EQ(button->h, 20);
        EXPECT_EQ(button->image->image->Frames(), row.frameCount);
        EXPECT_EQ(button->ImageMouseOver->image->Frames(), row.frameCount);
        EXPECT_EQ(button->x, row.x) << "centred on the screen by its cell";
    }
}

// The image names a button shows and its hover image: (image, image under the pointer).
std::pair<std::string, std::string> Shown(const TButton& button) {
    return {button.image ? button.image->name : "", button.ImageMouseOver ? button.ImageMouseOver->name : ""};
}

TEST_F(GameButtons, StateButtonsShowTheImagesOfTheirState) {
    for (const char* name : {"sound", "soundon", "check", "checkon"})
        MenuImage(name, 60, 30);  // stored lower-cased, as the data is
    using P = std::pair<std::string, std::string>;
    auto menu = TMenu::Create("buttonMO", "buttonclick", 0, 100, 10);
    EXPECT_EQ(Shown(*SetButtonImageOn(*menu, 1, "sound")), (P{"SOUNDON", "SOUNDONMO"}));
    EXPECT_EQ(Shown(*SetButtonImageOn(*menu, 0, "sound")), (P{"SOUND", "SOUNDMO"}));
    TButton* check = SetCheckImageOn(*menu, 1, "particles");
    EXPECT_EQ(Shown(*check), (P{"CHECKON", "CHECKONMO"}));
    EXPECT_EQ(check->name, "PARTICLES");
    EXPECT_EQ(Shown(*SetCheckImageOn(*menu, 0, "particles")), (P{"CHECK", "CHECKMO"}));

    // Reloading keeps the button but takes the new state, an upper-cased name and the menu's sounds.
    auto silent = TMenu::Create("", "", 0, 100, 10);
    const struct {
        bool check;
        int flag;
        P shown;
    } rows[] = {{false, 1, {"SOUNDON", "SOUNDONMO"}},
                {false, 0, {"SOUND", "SOUNDMO"}},
                {true, 1, {"CHECKON", "CHECKONMO"}},
                {true, 0, {"CHECK", "CHECKMO"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.check * 2 + row.flag);
        TButton* button = silent->AddQuick(row.flag ? "check" : "checkOn", "");
        button->name = "sound";
        const float x = button->x, y = button->y;
        if (row.check)
            UpdateCheckButtonImages(*menu, *button, row.flag);
        else
            UpdateToggleButtonImages(*menu, *button, row.flag);
        EXPECT_EQ(Shown(*button), row.shown);
        EXPECT_EQ(button->name, "SOUND");
        EXPECT_EQ(button->x, x);
        EXPECT_EQ(button->y, y);
        ASSERT_TRUE(menu->SoundMouseOver && menu->SoundClick);
        EXPECT_EQ(button->SoundMouseOver, menu->SoundMouseOver);
        EXPECT_EQ(button->SoundClick, menu->SoundClick);
    }
}

TEST_F(GameButtons, ARadioSetShowsOnlyItsChosenButtonOn) {
    for (const char* name : {"easy", "easyon", "easyonmo", "hard", "hardon", "hardonmo"})
        MenuImage(name, 60, 30);  // stored lower-cased, as the data is
    using P = std::pair<std::string, std::string>;
    auto menu = TMenu::Create("buttonMO", "buttonclick", 0, 100, 10);
    EXPECT_EQ(Shown(*SetToggleImage(*menu, "easy", "EASY", 1)), (P{"EASYON", "EASYONMO"}));
    EXPECT_EQ(Shown(*SetToggleImage(*menu, "easy", "Easy", 0)), (P{"EASYON", "EASYMO"}));
    EXPECT_EQ(Shown(*SetToggleImage(*menu, "hard", "easy", 1)), (P{"HARD", "HARDMO"}));
    menu->Clear();
    TButton* easy = SetToggleImage(*menu, "easy", "easy", 1);
    TButton* hard = SetToggleImage(*menu, "hard", "easy", 1);
    easy->SoundClick = nullptr;
    UpdateToggleButtonsInList(*menu, "Hard", 1);
    EXPECT_EQ(Shown(*easy), (P{"EASY", "EASYMO"}));
    EXPECT_EQ(Shown(*hard), (P{"HARDON", "HARDONMO"}));
    EXPECT_EQ(easy->SoundClick, menu->SoundClick);
    UpdateToggleButtonsInList(*menu, "easy", 0);
    EXPECT_EQ(Shown(*easy), (P{"EASYON", "EASYMO"}));
    EXPECT_EQ(Shown(*hard), (P{"HARD", "HARDMO"}));
}

TEST_F(GameButtons, ACentredButtonTakesTheBanksButtonSoundsWhenItHasThem) {
    MenuImage("go", 80, 20);
    auto saved = std::move(SoundBank);
    SoundBank = std::make_unique<TSoundBank>();
    auto over = std::make_shared<TGameSound>(), click = std::make_shared<TGameSound>();
    SoundBank->Map["BUTTONMO"] = over;
    auto button = CreateCentredButton("go", "goMO", 0, 0, 1);
    EXPECT_EQ(button->SoundMouseOver, over);
    EXPECT_EQ(button->SoundClick, nullptr);
    SoundBank->Map.erase("BUTTONMO");
    SoundBank->Map["BUTTONCLICK"] = click;
    button = CreateCentredButton("go", "goMO", 0, 0, 1);
    EXPECT_EQ(button->SoundMouseOver, nullptr);
    EXPECT_EQ(button->SoundClick, click);
    SoundBank = std::move(saved);
}

}  // namespace
