// The game's button helpers: a centred button made from a strip of cells.
#include "game/GameButtons.h"
#include "platform/Image.h"
#include "presentation/Button.h"
#include "presentation/GameImage.h"
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

}  // namespace
