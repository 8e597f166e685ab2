// Buttons driven headless: hover edges and sounds, one click for one reader, the pressed image, the
// keyboard shortcut, auto-repeat, hover growth, state swaps of toggles, and the draw passes' end state.
#include "WidgetWorld.h"
#include "platform/Keys.h"
#include "presentation/Button.h"
#include "presentation/Font.h"
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

TEST_F(ButtonTest, LoadAndTheHitBoxWithItsEdgesAndOffset) {
    auto b = MakeButton();
    EXPECT_EQ(b->name, "OK");
    EXPECT_EQ(b->w, 60);
    EXPECT_EQ(b->h, 30);
    EXPECT_EQ(b->image->image->handleX, 0);
    EXPECT_TRUE(notices.empty());
    struct Probe {
        int x, y, inside;
    };
    for (Probe p : {Probe{100, 50, 1}, Probe{159, 79, 1}, Probe{160, 60, 0}, Probe{130, 80, 0},
                    Probe{99, 60, 0}, Probe{130, 49, 0}}) {
        PointAt(p.x, p.y);
        b->Manage();
        EXPECT_EQ(b->MouseOver, p.inside) << p.x << "," << p.y;
    }
    b->offx = 200;
    b->offy = 10;
    PointAt(110, 60);
    b->Manage();
    EXPECT_EQ(b->MouseOver, 0);
    PointAt(310, 65);
    b->Manage();
    EXPECT_EQ(b->MouseOver, 1);
}

TEST_F(ButtonTest, HoverSoundOncePerEntryGrowthAndGlowAtTheirSpeeds) {
    auto b = MakeButton();
    b->SetupScaleOnMO(1.1f, 0.03f, 0.01f);
    b->SetFixedGlowOnMO(0.5f, 0.05f, 0);
    PointAt(120, 60);
    b->Manage();
    EXPECT_NEAR(b->ScaleOnMO, 1.03f, 1e-5);
    EXPECT_FLOAT_EQ(b->Glow, 0.5f);
    Ticks(10, 1.0f, [&] { b->Manage(); });
    EXPECT_FLOAT_EQ(b->ScaleOnMO, 1.1f);
    EXPECT_EQ(SoundsPlayed(), 1);
    PointAt(0, 0);
    b->Manage();
    EXPECT_NEAR(b->ScaleOnMO, 1.09f, 1e-5);
    Ticks(3, 1.0f, [&] { b->Manage(); });
    EXPECT_NEAR(b->Glow, 0.3f, 1e-5);
    Ticks(20, 1.0f, [&] { b->Manage(); });
    EXPECT_FLOAT_EQ(b->ScaleOnMO, 1.0f);
    EXPECT_EQ(b->Glow, 0.0f);
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
    EXPECT_FLOAT_EQ(b->MouseClickCounter, 39.0f);
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
    EXPECT_EQ(b->MouseOver, 0);
}

TEST_F(ButtonTest, KeysDisabledButtonsAndTheHoverVeto) {
    auto b = MakeButton();
    b->OKButton = 1;
    PointAt(700, 500);
    PressKey(KEY_ENTER);
    b->Manage();
    EXPECT_EQ(b->Clicked, 1) << "Enter clicks an OK button from anywhere";
    b->Manage();
    PressKey(KEY_SPACE);
    b->Manage();
    EXPECT_EQ(b->Clicked, 1);
    b->OKButtonUseSpace = 0;
    b->Manage();
    PressKey(KEY_SPACE);
    b->Manage();
    EXPECT_EQ(b->Clicked, 0);

    b->Disabled = 1;
    EXPECT_EQ(ClickIt(*b), 1) << "disabled buttons take clicks unless told not to";
    b->ClickDisabled = 0;
    EXPECT_EQ(ClickIt(*b), 0);
    EXPECT_EQ(Game->Mouse->GetMh(0), 1) << "a button that takes no input leaves the click to others";

    auto vetoed = MakeButton();
    vetoed->MouseOverUserFunction = [] { return 1; };
    EXPECT_EQ(ClickIt(*vetoed), 0);
    EXPECT_EQ(vetoed->MouseOver, 0);
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

TEST_F(ButtonTest, DrawPicksTheStateImageAndLeavesACleanState) {
    auto b = MakeButton();
    b->SetShadow(1, 3, 3, 0.5f);
    b->LoadMouseClick("cancel", 200);
    b->Draw();
    EXPECT_EQ(DrawsOf(b->image->image.get()), 2) << "shadow and image";
    ExpectCleanState();
    PointAt(110, 60);
    b->Manage();
    rec.calls.clear();
    b->Draw();
    EXPECT_EQ(DrawsOf(b->ImageMouseOver->image.get()), 2);
    ClickIt(*b);
    rec.calls.clear();
    b->Draw();
    EXPECT_EQ(DrawsOf(b->ImageMouseClick->image.get()), 2);
    ExpectCleanState();

    // A toggle swaps its state images.
    MenuImage("sound", 40, 40);
    MenuImage("soundon", 40, 40);
    auto toggle = MakeButton("sound");
    auto off = toggle->image;
    toggle->LoadImages("soundOn", "soundOnMO", 0, 0, 1);
    EXPECT_NE(toggle->image, off);
    rec.calls.clear();
    toggle->Draw();
    EXPECT_EQ(DrawsOf(toggle->image->image.get()), 1);

    // Disabled without a disabled image draws the normal one; inactive draws nothing unless always drawn.
    auto plain = MakeButton();
    plain->Disabled = 1;
    rec.calls.clear();
    plain->Draw();
    EXPECT_EQ(DrawsOf(plain->image->image.get()), 1);
    plain->Active = 0;
    rec.calls.clear();
    plain->Draw();
    EXPECT_TRUE(rec.calls.empty());
    plain->AlwaysDraw = 1;
    plain->Draw();
    EXPECT_EQ(DrawsOf(plain->image->image.get()), 1);
}

TEST_F(ButtonTest, HoverGrowthDrawsScaledAboutTheCentreAndRestores) {
    auto b = MakeButton();
    b->SetupScaleOnMO(1.1f, 0.1f, 0.01f);
    PointAt(110, 60);
    b->Manage();
    b->Draw();
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0]->state.scaleX, 1.1f);
    EXPECT_NEAR(draws[0]->args[0], 100 - 3.0f, 1e-4);  // 60 x (1 - 1.1) / 2
    EXPECT_NEAR(draws[0]->args[1], 50 - 1.5f, 1e-4);
    EXPECT_FLOAT_EQ(b->ScaleX, 1.0f);
    EXPECT_FLOAT_EQ(b->x, 100.0f);
    ExpectCleanState();
}

TEST_F(ButtonTest, CaptionMovesWithTheButtonAndTakesItsPressedLook) {
    auto b = MakeButton();
    b->LoadMouseClick("cancel", 200);
    b->SetupCaption("Go", MakeBlockFont(), TColor::Create(10, 20, 30, 1.0f), nullptr, nullptr, nullptr);
    b->MoveTo(200, 100);
    EXPECT_FLOAT_EQ(b->Caption->X, 230.0f);
    EXPECT_FLOAT_EQ(b->Caption->Y, 115.0f);
    b->CentreX(300);
    EXPECT_FLOAT_EQ(b->Caption->X, float((800 - 60) / 2 + 30));
    b->MoveTo(100, 50);
    ClickIt(*b);
    b->Draw();
    ASSERT_FALSE(rec.Find("DrawText").empty());
    EXPECT_EQ(rec.Find("DrawText").back()->state.red, 10) << "no down colour: the caption's own";
    b->SetupCaptionDown(TColor::Create(200, 0, 0, 1.0f), 0.5f, 2, 3);
    rec.calls.clear();
    b->Draw();
    const TDrawCommand* text = rec.Find("DrawText").back();
    EXPECT_EQ(text->state.red, 200);
    EXPECT_FLOAT_EQ(text->state.scaleX, 0.5f);
    EXPECT_EQ(b->Caption->RoundCoords, 1) << "rounding comes back after the scaled draw";
    ExpectCleanState();
}

TEST_F(ButtonTest, SimulatedClickSoundsAndKillStopsOwnChannelsWithoutAPool) {
    Game->Channels.reset();
    auto b = MakeButton();
    b->SimulateClick();
    EXPECT_EQ(b->Clicked, 1);
    EXPECT_EQ(b->MouseOver, 1);
    EXPECT_EQ(SoundsPlayed(), 1);
    b->Kill();
    EXPECT_FALSE(b->ChannelClick);
    EXPECT_FALSE(b->Caption);
}

}  // namespace
