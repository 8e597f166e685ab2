// Headless picture checks: a few scenes rendered by SDL's software renderer into an offscreen surface and
// compared with reference PNGs in tests/presentation/golden/ by the shared golden comparison.
#include <gtest/gtest.h>

#include <cmath>

#include "TestWorld.h"
#include "platform/Image.h"
#include "platform/ImageCodec.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Particles.h"
#include "presentation/Sprite.h"
#include "support/Golden.h"

namespace {

constexpr int kW = 160, kH = 120;

// A soft white disc: alpha falls from the centre to the rim.
std::shared_ptr<TImage> SoftDisc(int size, uint32_t rgb) {
    TPixmap p(size, size, 0);
    float r = float(size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float d = std::hypot(float(x) + 0.5f - r, float(y) + 0.5f - r) / r;
            int a = d >= 1 ? 0 : int(255 * (1 - d * d));
            p.WritePixel(x, y, (uint32_t(a) << 24) | rgb);
        }
    return TImage::FromPixmap(std::move(p));
}

// A framed, two-coloured tile that shows rotation and scale plainly.
std::shared_ptr<TImage> Tile(int w, int h) {
    TPixmap p(w, h, 0xFF2060C0u);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) p.WritePixel(x, y, 0xFFFFFFFFu);
            if (x > w / 2 && y < h / 2) p.WritePixel(x, y, 0xFFE0A020u);
        }
    return TImage::FromPixmap(std::move(p));
}

class GoldenTest : public TestWorld {
  protected:
    void SetUp() override {
        TestWorld::SetUp();
        offscreen = CreateOffscreenBackend(kW, kH);
        ASSERT_TRUE(offscreen);
        SetDrawBackend(offscreen.get());
        ResetDrawStateDefaults(kW, kH);
        SetClsColor(24, 28, 40);
        Cls();
    }

    void Compare(const std::string& name) {
        EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, kW, kH), "tests/presentation/golden", name));
    }

    std::unique_ptr<TDrawBackend> offscreen;
};

TEST_F(GoldenTest, SpriteWithGlowAndShadow) {
    auto sprite = TSprite::Create(TGameImage::CreateFromImage(Tile(40, 28), "TILE", 1), 80, 56);
    sprite->SetShadow(1, 6, 6, 0.6f);
    sprite->Rotation = 20;
    sprite->SetScaleXY(1.5f, 0);
    sprite->SetGlow(1, 0.35f, 0, 0, 1);
    sprite->Draw();
    ExpectCleanState();
    Compare("sprite_glow_shadow");
}

TEST_F(GoldenTest, RotatedAndScaledText) {
    SetImageFont(MakeBlockFont());
    SetColor(255, 220, 120);
    DrawTextShadow(8, 8, "Numora", 0);
    SetAlpha(1);
    SetScale(2, 1.5f);
    SetRotation(25);
    SetColor(120, 200, 255);
    DrawText("Sudoku", 30, 40);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(255, 255, 255);
    Compare("text_rotated_scaled");
}

TEST_F(GoldenTest, Particles) {
    auto dot = TGameImage::CreateFromImage(SoftDisc(16, 0xFFC060), "DOT", 1);
    TParticleList list;
    for (int i = 0; i < 8; ++i) {
        float angle = float(i) * 45.0f * 3.14159265f / 180.0f;
        list.AddNew(80, 60, dot, std::cos(angle) * 2, std::sin(angle) * 2, 0.05f, 400, i % 2, 1, 5,
                    1.0f + float(i) * 0.2f, 0, 0, 0);
    }
    Ticks(12, 1.0f, [&] { list.Manage(); });
    list.Draw();
    ExpectCleanState();
    Compare("particles");
}

TEST_F(GoldenTest, FadeOverlay) {
    auto tile = Tile(40, 30);
    for (int y = 0; y < kH; y += 30)
        for (int x = 0; x < kW; x += 40) DrawImage(tile.get(), float(x), float(y));
    Game->GameFade->Init(500, 1, nullptr, 1, 0, nullptr);
    Ticks(60, 1.0f, [&] { Game->GameFade->Manage(); });
    Game->GameFade->Draw();
    ExpectCleanState();
    Compare("fade_overlay");
}

}  // namespace
