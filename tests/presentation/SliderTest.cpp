// The value slider: clamping, the pointer margins, and bars with no travel.
#include "WidgetWorld.h"
#include "presentation/MousePointer.h"
#include "presentation/Slider.h"

namespace {

// The options screen's shape: a 200 x 20 bar with 22 dead pixels at each end and a 10 x 20 marker.
class SliderTest : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        WritePng("graphics/slider.png", 200, 20, 0xFF404040u);
        WritePng("graphics/marker.png", 10, 20, 0xFFFFFFFFu);
        slider = TSlider::CreateSpecial("slider", "marker", 346, 138, 22, "musicslider", 0);
    }
    void Hold(int x, int y) {
        PointAt(x, y);
        Game->Mouse->ButtonDown(1);
    }
    std::shared_ptr<TSlider> slider;
};

TEST_F(SliderTest, ValuesAreClampedAndTheMarkerCentredOnTheEnds) {
    slider->SetValue(-5);
    EXPECT_EQ(slider->Value, 0);
    EXPECT_EQ(slider->DotX + 5, 346 + 22);
    slider->SetValue(250);
    EXPECT_EQ(slider->Value, 100);
    EXPECT_EQ(slider->DotX + 5, 346 + 200 - 22);
}

TEST_F(SliderTest, TheMarginsSetTheDeadEnds) {
    Hold(346 - 10, 140);
    EXPECT_EQ(slider->Manage(), 1);
    EXPECT_EQ(slider->Value, 0);
    Hold(346 + 22, 140);
    slider->Manage();
    EXPECT_EQ(slider->Value, 0) << "the border pixel itself is still the dead end";
    Hold(346 + 200 - 22, 140);
    slider->Manage();
    EXPECT_EQ(slider->Value, 100);
    Hold(346 + 200 + 10, 140);
    EXPECT_EQ(slider->Manage(), 0);
    EXPECT_EQ(slider->MouseOver, 0);
}

TEST_F(SliderTest, TheValueFollowsThePointerRoundingHalvesUp) {
    Hold(346 + 22 + 78, 145);  // 78 of 156 pixels
    slider->Manage();
    EXPECT_EQ(slider->Value, 50);
    Hold(346 + 22 + 1, 145);  // 0.64 %
    slider->Manage();
    EXPECT_EQ(slider->Value, 1);
}

TEST_F(SliderTest, AnInactiveSliderNeitherTakesInputNorDraws) {
    slider->active = 0;
    Hold(400, 140);
    EXPECT_EQ(slider->Manage(), 0);
    slider->Draw();
    EXPECT_TRUE(rec.calls.empty());
}

TEST_F(SliderTest, ABarNoWiderThanItsBordersHasOnlyItsTwoEnds) {
    slider->Border = 100;
    slider->SetValue(30);
    Hold(346 + 100, 140);
    slider->Manage();
    EXPECT_EQ(slider->Value, 0);
    Hold(346 + 101, 140);
    slider->Manage();
    EXPECT_EQ(slider->Value, 100);
}

}  // namespace
