// The menu screens' pointer sparkles: how often they come, where around the pointer they start, and
// the colour, fade, drift and spin each one gets.
#include <algorithm>

#include "game/MenuScreen.h"
#include "platform/Random.h"
#include "presentation/ImageBank.h"
#include "presentation/Particles.h"
#include "presentation/WidgetWorld.h"

namespace {

class MenuSparklesTest : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        WritePng("graphics/particle1.png", 8, 8, 0xFFFFFFFFu);
        ImageBank = std::make_unique<TImageBank>();
        ImageBank->SetPath(dir.Str() + "graphics");
        ImageBank->Load("particle1");
        SeedRnd(5);
    }
    void TearDown() override {
        MenuParticleImage.reset();
        ImageBank.reset();
        WidgetWorld::TearDown();
    }
};

TEST_F(MenuSparklesTest, OneSparkleEverySparkleLengthTicksStartingJustInsideThePointer) {
    MenuSparklesOn();
    TMousePointer& mouse = *Game->Mouse;
    ASSERT_TRUE(mouse.ParticleFunc);
    EXPECT_EQ(MenuParticleImage, ImageBank->Find("particle1"));
    mouse.x = 100, mouse.y = 200, mouse.w = 30, mouse.h = 40;
    mouse.SparkleLength = 3;
    mouse.SparkleCounter = 0;
    for (int i = 0; i < 30; ++i) mouse.ParticleFunc();
    ASSERT_TRUE(mouse.ParticleList);
    EXPECT_EQ(mouse.ParticleList->Count(), 11) << "the first at once, then one every third tick";

    mouse.SparkleLength = 0;
    for (int i = 0; i < 2000; ++i) MenuParticleEmit();
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const auto& p : mouse.ParticleList->Items()) {
        minX = std::min(minX, p->x), maxX = std::max(maxX, p->x);
        minY = std::min(minY, p->y), maxY = std::max(maxY, p->y);
        EXPECT_EQ(p->image, MenuParticleImage);
        ASSERT_TRUE(p->Color);
        for (int c : {p->Color->R, p->Color->G, p->Color->B}) {
            EXPECT_GE(c, 100);
            EXPECT_LE(c, 255);
        }
        EXPECT_FLOAT_EQ(p->Color->Alpha, 1.0f);
        EXPECT_FLOAT_EQ(p->FadeInLength, Game->CalcAnimLength(200));
        EXPECT_FLOAT_EQ(p->FadeSustainCounter, Game->CalcAnimLength(300));
        EXPECT_FLOAT_EQ(p->FadeLength, Game->CalcAnimLength(1000));
        EXPECT_EQ(p->DoLightBlend, 1);
        EXPECT_TRUE(p->DoRotate == 1 || p->DoRotate == -1);
        EXPECT_GE(p->RotationSpeed, 0.2f);
        EXPECT_LE(p->RotationSpeed, 0.5f);
        EXPECT_GE(p->ScaleX, 0.2f);
        EXPECT_LE(p->ScaleX, 0.5f);
        EXPECT_GE(p->dx, -0.05f);
        EXPECT_LE(p->dx, 0.05f);
        EXPECT_FLOAT_EQ(p->dy, 0.0f);
        EXPECT_FLOAT_EQ(p->ygravity, 0.0016f);
    }
    // x + 1 - 5 .. x + (w - 20) - 5 and y + 1 - 5 .. y + (h - 25) - 5.
    EXPECT_EQ(minX, 96);
    EXPECT_EQ(maxX, 105);
    EXPECT_EQ(minY, 196);
    EXPECT_EQ(maxY, 210);

    // A pointer smaller than the offsets still sparkles, from its tip.
    mouse.ParticleList->Clear();
    mouse.w = mouse.h = 4;
    MenuParticleEmit();
    ASSERT_EQ(mouse.ParticleList->Count(), 1);
    EXPECT_EQ(mouse.ParticleList->Items()[0]->x, 96);
    EXPECT_EQ(mouse.ParticleList->Items()[0]->y, 196);
}

}  // namespace
