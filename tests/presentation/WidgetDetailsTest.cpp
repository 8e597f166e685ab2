// Small things a player sees of the widgets: a particle's life and arrival, a sprite's turning, a dialog's
// dimming, the typed text following a sliding entry, wrapped text, pixels and blends, and what a killed
// dialog lets go of.
#include <algorithm>
#include <cmath>
#include <memory>

#include "TestWorld.h"
#include "WidgetWorld.h"
#include "core/SoundBank.h"
#include "platform/Image.h"
#include "presentation/Color.h"
#include "presentation/Dialog.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Fade.h"
#include "presentation/Font.h"
#include "presentation/Particles.h"
#include "presentation/SlideLine.h"
#include "presentation/SlideShow.h"
#include "presentation/Sprite.h"
#include "presentation/TextInput.h"

namespace {

class WidgetDetailsTest : public TestWorld {
  protected:
    static std::shared_ptr<TGameImage> Dot() {
        return TGameImage::CreateFromImage(TImage::Create(4, 4), "DOT", 1);
    }
};

TEST_F(WidgetDetailsTest, AParticleLivesItsLifeAndNoLonger) {
    TParticleList list;
    auto p = list.AddNew(100, 100, Dot(), 0, 0, 0, 0, 0, 0, 0, 1, 0, 100, 0);  // 100 ms: 20 ticks
    Ticks(10, 1.0f, [&] { list.Manage(); });
    EXPECT_EQ(p->active, 1);
    Ticks(15, 1.0f, [&] { list.Manage(); });
    EXPECT_EQ(p->active, 0);
}

// A particle moving left arrives when it reaches its destination exactly.
TEST_F(WidgetDetailsTest, AParticleArrivesOnItsDestination) {
    TParticleList list;
    auto p = list.AddNew(10, 100, Dot(), -1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    int arrived = 0;
    p->DestX = 8;
    p->DestY = 100;
    p->DestinationReached = [&](TParticle*) { ++arrived; };
    Ticks(2, 1.0f, [&] { list.Move(); });
    EXPECT_FLOAT_EQ(p->x, 8.0f);
    EXPECT_GE(arrived, 1);
}

TEST_F(WidgetDetailsTest, ASpriteTurnsTheWayItsSpeedSaysAndALoopStartsAtZeroUnlessAskedOtherwise) {
    TSprite timed;
    timed.SetupRotation(2.0f, 100, 0, 0);
    timed.ManageRotation();
    EXPECT_FLOAT_EQ(timed.Rotation, 2.0f);
    TSprite looping;
    looping.SetupRotation(2.0f, 0, 1, 0);
    EXPECT_FLOAT_EQ(looping.Rotation, 0.0f);
}

// The typed text moves with its entry by fractions of a pixel too, as the box does while a dialog slides.
TEST_F(WidgetDetailsTest, TypedTextFollowsTheEntryByFractionsOfAPixel) {
    TTextInput input;
    input.Font = MakeBlockFont();
    input.TextShadow = TShadow::Create(1, 1, 0.5f);
    input.Text = "ab";
    input.Active = 1;
    input.X = 10;
    input.Y = 20;
    input.OffsetX = 0.5f;
    input.Draw();
    const auto texts = rec.Find("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_FLOAT_EQ(texts.back()->args.at(0) - std::floor(texts.back()->args.at(0)), 0.5f);
}

TEST_F(WidgetDetailsTest, WrappedTextCollapsesDoubleBlanks) {
    SetImageFont(MakeBlockFont());
    EXPECT_EQ(WordWrap({"one  two   three"}, 1000), std::vector<std::string>{"one two three"});
    SetImageFont(nullptr);
}

TEST_F(WidgetDetailsTest, PixelsPackAlphaRedGreenBlueAndBlendRowByRow) {
    EXPECT_EQ(MakePixel(0x80, 1, 2, 3), 0x80010203u);
    // A 2 x 1 image with a red and a green pixel lands as it is laid out, not turned.
    auto image = TImage::Create(2, 1);
    image->Lock(0).WritePixel(0, 0, 0xFFFF0000u);
    image->Lock(0).WritePixel(1, 0, 0xFF00FF00u);
    TPixmap target(2, 2, 0xFF000000u);
    BlendImageIntoPixmap(image.get(), 0, target, 0, 0, 1.0f, 1.0f);  // half image, half black
    EXPECT_NEAR(PixelRed(target.ReadPixel(0, 0)), 127, 1);
    EXPECT_NEAR(PixelGreen(target.ReadPixel(1, 0)), 127, 1);
    EXPECT_EQ(target.ReadPixel(0, 1) & 0xFFFFFF, 0x000000u);
}

TEST_F(WidgetDetailsTest, ASlidesPictureIsDrawnAtItsScale) {
    auto slide = TSlide::Create("", 0, 0, nullptr, nullptr, nullptr, "s");
    slide->Image = Dot();
    slide->scale = 2.0f;
    slide->Draw();
    const auto images = rec.Find("DrawImage");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_FLOAT_EQ(images[0]->state.scaleX, 2.0f);
}

TEST_F(WidgetDetailsTest, ASlidingLineIsDrawnInItsColour) {
    SetImageFont(MakeBlockFont());
    TSlideLineList lines;
    TSlideLine* line = lines.Add("row", 0, 0, 0, 0, 0);
    line->Color = TColor::Create(255, 0, 0, 1.0f);
    line->Draw();
    const auto texts = rec.Find("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front()->state.green, 0);
    SetImageFont(nullptr);
}

// The picture a screen fade shows covers the screen from its top left corner.
TEST_F(WidgetDetailsTest, AScreenFadeCoversTheScreenFromItsCorner) {
    ScreenFade(0, 1, nullptr);
    ExpectLastImageFromTheCorner();
}

TEST_F(WidgetDetailsTest, AnEntryDialogWithoutItsEntryAcceptsNothing) {
    TDialogTextInput dialog;
    EXPECT_EQ(dialog.OKClickTest(), 0);
}

class DialogWorldTest : public WidgetWorld {};

TEST_F(DialogWorldTest, DimsTheScreenOnlyWhenAsked) {
    for (float dim : {0.0f, 0.6f}) {
        auto dialog = TDialogOK::Create("Note", nullptr, 300, 0, 0);
        dialog->DimBackground = dim;
        dialog->Start();
        dialog->Transitioning = 0;
        rec.calls.clear();
        dialog->Draw();
        int fullScreen = 0;
        for (const TDrawCommand* c : rec.Find("DrawRect"))
            if (c->args.at(2) == float(ScreenWidth) && c->args.at(3) == float(ScreenHeight)) ++fullScreen;
        EXPECT_EQ(fullScreen, dim > 0 ? 1 : 0) << dim;
        dialog->Kill();
    }
}

// A word-wrapped caption sits in the middle of its dialog, however narrow the wrap.
TEST_F(DialogWorldTest, AWrappedCaptionIsCentredVerticallyEvenWrappedAtOnePixel) {
    auto dialog = TDialogOK::Create("one two three", nullptr, 300, 0, 0);
    dialog->SetupCaption(MakeBlockFont(), TColor::Create(255, 255, 255, 1.0f), nullptr, nullptr);
    dialog->SetWordWrap(1);
    dialog->Start();
    ASSERT_EQ(dialog->Caption->WordWrap, 1);
    EXPECT_GT(dialog->Caption->Y, float(dialog->y + dialog->Border)) << "below the top border: centred";
    dialog->Kill();
}

// A killed dialog lets go of its sounds, so they end with their last owner.
TEST_F(DialogWorldTest, LetsGoOfItsSoundsWhenKilled) {
    auto dialog = TDialogOK::Create("Note", nullptr, 300, 0, 0);
    dialog->SlideInSound = std::make_shared<TGameSound>();
    std::weak_ptr<TGameSound> sound = dialog->SlideInSound;
    dialog->Kill();
    EXPECT_TRUE(sound.expired());
}

}  // namespace
