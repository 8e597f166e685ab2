// Drawing layer: transforms and state captured by the recording backend, pixels by the offscreen one.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/Draw.h"
#include "platform/ImageFont.h"

namespace {

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawStateDefaults();
        SetDrawBackend(&rec);
    }
    void TearDown() override {
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
        AutoMidHandle(false);
    }
    TRecordingBackend rec;
};

void ExpectVertex(const TVertex& v, float x, float y) {
    EXPECT_NEAR(v.x, x, 1e-3f);
    EXPECT_NEAR(v.y, y, 1e-3f);
}

TEST_F(DrawTest, ImageQuadHonoursHandleScaleAndRotation) {
    auto image = CreateImage(20, 10);
    MidHandleImage(image.get());
    SetScale(2, 3);
    SetRotation(90);
    DrawImage(image.get(), 100, 50);
    ASSERT_EQ(rec.calls.size(), 1u);
    const auto& v = rec.calls[0].vertices;
    ASSERT_EQ(v.size(), 6u);
    // Top-left corner (-10, -5) scaled to (-20, -15), rotated 90 degrees clockwise to (15, -20).
    ExpectVertex(v[0], 115, 30);
    // Bottom-right corner (10, 5) -> (20, 15) -> (-15, 20).
    ExpectVertex(v[2], 85, 70);
}

TEST_F(DrawTest, StripSplitsCellsInReadingOrder) {
    TPixmap strip(4, 4, 0);
    strip.WritePixel(2, 0, 0xFF00FF00u);  // cell 1
    strip.WritePixel(0, 2, 0xFFFF0000u);  // cell 2
    auto image = TImage::FromStrip(strip, 2, 2, 1, 2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Pixels(0).ReadPixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(image->Pixels(1).ReadPixel(0, 0), 0xFFFF0000u);
    EXPECT_FALSE(TImage::FromStrip(strip, 2, 2, 3, 2));
}

TEST_F(DrawTest, CollisionsUseAlphaMasks) {
    TPixmap p(4, 4, 0);
    p.WritePixel(3, 3, 0xFF000000u);
    auto image = TImage::FromPixmap(p);
    int a = 1, b = 2;
    ResetCollisions();
    EXPECT_TRUE(CollideImage(image.get(), 0, 0, 0, 0, 1, &a).empty());
    EXPECT_TRUE(CollideRect(0, 0, 3, 3, 1, 0, &b).empty());  // transparent part only
    auto hits = CollideRect(3, 3, 1, 1, 1, 0, &b);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0], &a);
}

TEST(Utf8, DecodesMultiByteAndReplacesBrokenBytes) {
    EXPECT_EQ(DecodeUtf8("\xC3"), std::u32string(U"\uFFFD"));
    EXPECT_EQ(DecodeUtf8("\x80z"), std::u32string(U"\uFFFDz"));
}

TEST(Offscreen, RendersBlendModes) {
    auto backend = CreateOffscreenBackend(32, 32);
    ASSERT_TRUE(backend);
    SetDrawBackend(backend.get());
    ResetDrawStateDefaults(32, 32);
    SetClsColor(0, 0, 100);
    Cls();
    SetColor(255, 0, 0);
    SetBlend(SOLIDBLEND);
    SetAlpha(0.5f);
    DrawRect(0, 0, 8, 8);
    SetBlend(ALPHABLEND);
    DrawRect(8, 0, 8, 8);
    TPixmap shot = GrabPixmap(0, 0, 32, 32);
    SetDrawBackend(nullptr);
    ResetDrawStateDefaults();
    EXPECT_EQ(shot.ReadPixel(4, 4) & 0xFFFFFF, 0xFF0000u);
    uint32_t blended = shot.ReadPixel(12, 4);
    EXPECT_NEAR(int((blended >> 16) & 255), 128, 3);
    EXPECT_NEAR(int(blended & 255), 50, 3);
}

}  // namespace
