// The value slider's draw (track, filled part up to the value, dot) and the value the pointer sets at the
// ends and between them.
#include <tuple>

#include "game/QDSlider.h"
#include "presentation/WidgetWorld.h"

namespace {

class QDSliderTest : public WidgetWorld {
  protected:
    // A 210 x 20 track at (100, 200) with 5 dead pixels at each end and a 10 x 10 dot 3 pixels lower.
    std::shared_ptr<QDSlider> Make() {
        WritePng("graphics/track.png", 210, 20, 0xFF404040u);
        WritePng("graphics/dot.png", 10, 10, 0xFFFFFFFFu);
        WritePng("graphics/full.png", 210, 20, 0xFF00FF00u);
        return QDSlider::CreateSpecial("track", "dot", 100, 200, 5, "volume", 5, "full", 3);
    }
};

TEST_F(QDSliderTest, DrawsTrackFilledPartUpToTheValueAndDotAtTheValue) {
    auto slider = Make();
    const struct {
        int value;
        float dotX, fullW;  // the dot's centre sits at 105 + 2 x value; the filled part ends there too
    } rows[] = {{50, 200, 105}, {0, 100, 5}, {100, 300, 205}, {25, 150, 55}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        slider->SetValue(row.value);
        rec.calls.clear();
        SetBlend(LIGHTBLEND);
        slider->Draw();
        const auto images = rec.Find("DrawImage");
        ASSERT_EQ(images.size(), 2u);
        EXPECT_EQ(images[0]->image, slider->image->image.get());
        EXPECT_EQ(images[0]->args[0], 100);
        EXPECT_EQ(images[0]->args[1], 200);
        EXPECT_EQ(images[0]->state.blend, ALPHABLEND);
        EXPECT_EQ(images[1]->image, slider->DotImage->image.get());
        EXPECT_EQ(images[1]->args[0], row.dotX);
        EXPECT_EQ(images[1]->args[1], 203);
        const auto parts = rec.Find("DrawSubImageRect");
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0]->image, slider->FullImage->image.get());
        EXPECT_EQ(parts[0]->args,
                  (std::vector<float>{100, 200, row.fullW, 20, 0, 0, row.fullW, 20, 0, 0, 0}));
        // The filled part lies between the track and the dot.
        EXPECT_LT(&*images[0], &*parts[0]);
        EXPECT_LT(&*parts[0], &*images[1]);
    }
    slider->active = 0;
    rec.calls.clear();
    slider->Draw();
    EXPECT_TRUE(rec.calls.empty()) << "an inactive slider is not drawn";
}

TEST_F(QDSliderTest, HeldPointerSetsTheValueAcrossTheTrackAndAnInactiveSliderIgnoresIt) {
    auto slider = Make();
    Game->Mouse->ButtonDown(1);
    // The track's value range runs from x 105 to 305; the hover area reaches 10 pixels beyond the track.
    const struct {
        int x, value;
    } rows[] = {{90, 0}, {105, 0}, {107, 1}, {205, 50}, {207, 51}, {304, 100}, {305, 100}, {319, 100}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        slider->SetValue(37);
        PointAt(row.x, 210);
        EXPECT_EQ(slider->Manage(), 1);
        EXPECT_EQ(slider->Value, row.value);
        EXPECT_EQ(slider->MouseOver, 1);
    }
    PointAt(320, 210);
    EXPECT_EQ(slider->Manage(), 0);
    EXPECT_EQ(slider->Value, 100);
    slider->active = 0;
    slider->MouseOver = 0;
    PointAt(205, 210);
    EXPECT_EQ(slider->Manage(), 0);
    EXPECT_EQ(slider->Value, 100);
    EXPECT_EQ(slider->MouseOver, 0);
    Game->Mouse->ButtonUp(1);
}

// A new slider is named, stands at 50 and has its three images with the default flags, each placed by
// its corner; one without dead ends draws no filled part at 0.
TEST_F(QDSliderTest, ANewSliderStandsAtFiftyWithCornerPlacedImagesAndAnEmptyOneDrawsNoFill) {
    auto slider = Make();
    EXPECT_EQ(slider->name, "VOLUME");
    EXPECT_EQ(slider->Value, 50);
    EXPECT_EQ(slider->DotX, 200);
    rec.calls.clear();
    slider->Draw();
    ASSERT_EQ(rec.calls.size(), 3u);
    const float corners[3][2] = {{100, 200}, {100, 200}, {200, 203}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rec.calls[i].image->Flags(), DEFAULT_IMAGE_FLAGS);
        EXPECT_EQ(rec.calls[i].vertices.front().x, corners[i][0]);
        EXPECT_EQ(rec.calls[i].vertices.front().y, corners[i][1]);
    }
    auto bare = QDSlider::CreateSpecial("track", "dot", 100, 200, 0, "bare", 0, "full", 0);
    bare->SetValue(0);
    rec.calls.clear();
    bare->Draw();
    EXPECT_TRUE(rec.Find("DrawSubImageRect").empty());
    EXPECT_EQ(rec.Find("DrawImage").size(), 2u);
    // Without extra rows only the track's own rows count; sideways the margin is 10 pixels.
    for (const auto& [x, y, over] :
         {std::tuple{150, 199, 0}, {150, 200, 1}, {150, 219, 1}, {150, 220, 0}, {89, 210, 0}, {90, 210, 1}}) {
        PointAt(x, y);
        bare->Manage();
        EXPECT_EQ(bare->MouseOver, over) << x << "," << y;
    }
}

}  // namespace

namespace {

// A one-pixel dead end at 0 still shows its one filled pixel.
TEST_F(QDSliderTest, ANarrowDeadEndShowsItsSinglePixelOfFill) {
    Make();
    auto slider = QDSlider::CreateSpecial("track", "dot", 100, 200, 1, "narrow", 0, "full", 0);
    slider->SetValue(0);
    rec.calls.clear();
    slider->Draw();
    const auto parts = rec.Find("DrawSubImageRect");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0]->args[2], 1);
}

}  // namespace
