// Buttons driven headless: hover sounds, one click for one reader, the pressed image, the keyboard
// shortcut, auto-repeat, the glow's colour and the draw pass's end state.
#include "WidgetWorld.h"
#include "core/SoundBank.h"
#include "platform/Keys.h"
#include "presentation/Button.h"
#include "presentation/MousePointer.h"

namespace {

class ButtonTest : public WidgetWorld {
  protected:
    // A 60 x 30 menu button at (100, 50) with the menu's sounds.
    std::shared_ptr<TButton> MakeButton(const std::string& image = "ok") {
        auto b = std::make_shared<TButton>();
        b->UseMenuPath = 1;
        b->Load(image, image + "MO", "buttonMO", "buttonclick", 0, 0, 1);
        b->MoveTo(100, 50);
        return b;
    }
    // Clicks inside the button and runs one logic call; the click report.
    static int ClickIt(TButton& b) {
        ClickAt(110, 60);
        b.Manage();
        return b.Clicked;
    }
};

TEST_F(ButtonTest, HoverSoundPlaysOncePerEntry) {
    auto b = MakeButton();
    PointAt(120, 60);
    Ticks(10, 1.0f, [&] { b->Manage(); });
    EXPECT_EQ(SoundsPlayed(), 1);
    PointAt(0, 0);
    b->Manage();
    PointAt(120, 60);
    Ticks(3, 1.0f, [&] { b->Manage(); });
    EXPECT_EQ(SoundsPlayed(), 2);
    b->ManageNoSound();
    EXPECT_EQ(SoundsPlayed(), 2);
}

TEST_F(ButtonTest, OneClickReachesOnlyTheFirstReaderOnItsOwnTick) {
    auto first = MakeButton();
    auto second = MakeButton("play");
    second->MoveTo(100, 50);
    ClickAt(110, 60);
    first->Manage();
    second->Manage();
    EXPECT_EQ(first->Clicked, 1);
    EXPECT_EQ(second->Clicked, 0);
    first->Manage();
    EXPECT_EQ(first->Clicked, 0);
}

TEST_F(ButtonTest, PressedImageRefusesASecondClickUnlessClickWhenDownAndStayDownHolds) {
    auto b = MakeButton();
    b->LoadMouseClick("okMO", 200);  // 40 ticks
    EXPECT_EQ(ClickIt(*b), 1);
    Ticks(10, 1.0f, [&] { b->Manage(); });
    EXPECT_EQ(ClickIt(*b), 0) << "a click while the pressed image shows is ignored";
    b->ClickWhenDown = 1;
    EXPECT_EQ(ClickIt(*b), 1);
    b->ClickWhenDown = 0;
    Ticks(40, 1.0f, [&] { b->Manage(); });
    EXPECT_EQ(b->MouseClickCounter, 0.0f);

    b->StayDown = 1;
    EXPECT_EQ(ClickIt(*b), 1);
    Ticks(100, 1.0f, [&] { b->Manage(); });
    EXPECT_FLOAT_EQ(b->MouseClickCounter, 40.0f);
    b->ClearClick();
    EXPECT_EQ(b->MouseClickCounter, 0.0f);
}

TEST_F(ButtonTest, KeysDisabledButtonsAndTheHoverVeto) {
    auto b = MakeButton();
    b->OKButton = 1;
    PointAt(700, 500);
    PressKey(KEY_ENTER);
    b->Manage();
    EXPECT_EQ(b->Clicked, 1) << "Enter clicks an OK button from anywhere";
    b->Manage();
    b->OKButtonUseSpace = 0;
    PressKey(KEY_SPACE);
    b->Manage();
    EXPECT_EQ(b->Clicked, 0);

    b->Disabled = 1;
    b->ClickDisabled = 0;
    EXPECT_EQ(ClickIt(*b), 0);
    EXPECT_EQ(Game->Mouse->GetMh(0), 1) << "a button that takes no input leaves the click to others";

    auto vetoed = MakeButton();
    vetoed->MouseOverUserFunction = [] { return 1; };
    EXPECT_EQ(ClickIt(*vetoed), 0);
}

TEST_F(ButtonTest, HeldButtonRepeatsAndItsPressReachesNoOtherWidget) {
    auto b = MakeButton();
    b->SetupMouseRepeat(400, 100);  // 80 and 20 ticks
    PointAt(110, 60);
    Game->Mouse->ButtonDown(1);
    int clicks = 0;
    b->Manage();
    clicks += b->Clicked;
    EXPECT_EQ(Game->Mouse->GetMh(0), 0) << "the press was consumed by the repeating button";
    for (int i = 0; i < 120; ++i) {
        b->Manage();
        clicks += b->Clicked;
    }
    EXPECT_EQ(clicks, 4);  // the press, after 80 ticks, then every 20
    Game->Mouse->ButtonUp(1);
    b->Manage();
    EXPECT_EQ(b->Clicked, 0);
}

TEST_F(ButtonTest, DrawPicksThePressedImageAndLeavesACleanState) {
    auto b = MakeButton();
    b->SetShadow(1, 3, 3, 0.5f);
    b->LoadMouseClick("cancel", 200);
    ClickIt(*b);
    b->Draw();
    EXPECT_EQ(DrawsOf(b->ImageMouseClick->image.get()), 2) << "shadow and image";
    ExpectCleanState();
}

// The glow pass is a light-blend copy at the glow's strength; a colour of the button tints it, as a sprite's
// colour tints the sprite's glow.
TEST_F(ButtonTest, GlowPassTakesTheButtonsColour) {
    auto b = MakeButton();
    b->SetGlow(1, 0.5f, 0, 0, 1);
    b->SetupCaption("A", MakeBlockFont(), nullptr, nullptr, nullptr, nullptr);
    b->Draw();
    EXPECT_EQ(rec.Find("DrawText").at(0)->state.red, 255) << "the caption takes no tint from the glow";
    b->Color = TColor::Create(200, 40, 10, 1.0f);
    b->Draw();
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[1]->state.red, 127);
    EXPECT_EQ(draws[3]->state.blend, LIGHTBLEND);
    EXPECT_EQ(draws[3]->state.red, 200);
    EXPECT_EQ(draws[3]->state.green, 40);
    ExpectCleanState();
    auto fixed = MakeButton();  // a fixed hover glow lights at full strength under the pointer
    fixed->SetFixedGlowOnMO(0.8f, 0.1f, 0);
    PointAt(110, 60);
    fixed->Manage();
    fixed->Draw();
    EXPECT_EQ(rec.calls.back().state.blend, LIGHTBLEND);
    EXPECT_EQ(rec.calls.back().state.red, 204);
}

// Enter's click (a simulated one) sounds the button's own click, not its second click sound.
TEST_F(ButtonTest, ASimulatedClickPlaysTheFirstClickSound) {
    auto b = MakeButton();
    b->SoundClick2 = TGameSound::Create(dir.Str() + "sound/buttonclick.wav", 0);
    b->SimulateClick();
    int first = 0, second = 0;
    for (const auto& c : made) {
        first += c->cues > 0 && c->sound == b->SoundClick->sound ? 1 : 0;
        second += c->cues > 0 && c->sound == b->SoundClick2->sound ? 1 : 0;
    }
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
}

// Enter lights its button as the pointer would.
TEST_F(ButtonTest, ASimulatedClickLightsTheButton) {
    auto b = MakeButton();
    b->SimulateClick();
    b->Draw();
    EXPECT_EQ(DrawsOf(b->ImageMouseOver->image.get()), 1);
}

TEST_F(ButtonTest, APressedButtonShowsItsCaption) {
    auto b = MakeButton();
    b->LoadMouseClick("cancel", 200);
    b->SetupCaption("A", MakeBlockFont(), nullptr, nullptr, nullptr, nullptr);
    ClickIt(*b);
    rec.calls.clear();
    b->Draw();
    EXPECT_EQ(DrawsOf(b->ImageMouseClick->image.get()), 1);
    EXPECT_FALSE(rec.Find("DrawText").empty());
}

// A pressed draw at the caption's own scale must leave a shared bitmap font at its size.
TEST_F(ButtonTest, APressedDrawLeavesABitmapCaptionAtItsSize) {
    auto b = MakeButton();
    b->LoadMouseClick("cancel", 200);
    auto font = std::make_shared<TBitmapFont>();
    LetterFont(*font);
    b->SetupCaption("A", nullptr, nullptr, nullptr, font, nullptr);
    ClickIt(*b);
    b->Draw();
    EXPECT_EQ(font->ScaleFactor, 1.0);
    b->ClearClick();
    rec.calls.clear();
    b->Draw();
    const std::vector<const TDrawCommand*> glyphs = rec.Find("DrawSubImageRect");
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ((std::vector<float>{glyphs[0]->args.at(2), glyphs[0]->args.at(3)}), (std::vector<float>{8, 8}));
}

// Without a pressed or disabled colour of its own the caption keeps the colour in force, not its normal one.
TEST_F(ButtonTest, PressedAndDisabledCaptionsWithoutAColourKeepTheColourInForce) {
    auto b = MakeButton();
    b->LoadMouseClick("cancel", 200);
    b->SetupCaption("Go", MakeBlockFont(), TColor::Create(10, 20, 30, 1.0f), nullptr, nullptr, nullptr);
    auto captionRed = [&] {
        SetColor(40, 50, 60);
        rec.calls.clear();
        EXPECT_EQ(b->Draw(), 1);
        const std::vector<const TDrawCommand*> texts = rec.Find("DrawText");
        return texts.empty() ? -1 : texts.back()->state.red;
    };
    ClickIt(*b);
    EXPECT_EQ(captionRed(), 40) << "pressed";
    b->ClearClick();
    b->Disabled = 1;
    EXPECT_EQ(captionRed(), 40) << "disabled";
    b->CaptionDisabledColor = TColor::Create(200, 0, 0, 1.0f);
    EXPECT_EQ(captionRed(), 200);
    b->Active = 0;
    EXPECT_EQ(b->Draw(), 0) << "hidden";
    ExpectCleanState();
}

TEST_F(ButtonTest, SimulatedClickAndKillAreSafeWithoutAChannelPool) {
    Game->Channels.reset();
    auto b = MakeButton();
    b->SimulateClick();
    EXPECT_EQ(b->Clicked, 1);
    EXPECT_EQ(SoundsPlayed(), 1);
    b->Kill();
    EXPECT_FALSE(b->ChannelClick);
}

}  // namespace
