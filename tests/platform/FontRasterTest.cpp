// Glyphs rendered headless from font bytes in memory.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FontRaster.h"
#include "support/TestEnv.h"

namespace {

std::vector<uint8_t> FontBytes() {
    std::string s = testenv::ReadFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf");
    return std::vector<uint8_t>(s.begin(), s.end());
}

}  // namespace

TEST(FontRaster, GlyphsHaveCoverageBearingsAndAdvanceSmoothedOrNot) {
    auto font = TFontRaster::Create(FontBytes(), 20, true);
    auto a = font->RenderGlyph(U'A');
    ASSERT_TRUE(a);
    EXPECT_EQ(a->coverage.size(), size_t(a->width * a->height));
    EXPECT_NEAR(a->bearingY, float(a->height), 2.0f);  // a capital sits on the baseline
    // Smoothed: some partly covered pixels.
    EXPECT_TRUE(
        std::any_of(a->coverage.begin(), a->coverage.end(), [](uint8_t c) { return c > 0 && c < 255; }));

    EXPECT_FALSE(font->RenderGlyph(U'\U0001F600'));
    auto sharp = TFontRaster::Create(FontBytes(), 16, false);  // unsmoothed: one-bit coverage
    auto g = sharp->RenderGlyph(U'g');
    ASSERT_TRUE(g);
    EXPECT_TRUE(
        std::all_of(g->coverage.begin(), g->coverage.end(), [](uint8_t c) { return c == 0 || c == 255; }));
    EXPECT_LT(g->bearingY, float(g->height));  // descender below the baseline
}

TEST(FontRaster, NonFontsAndBadSizesGiveNullAndFontsOutliveTheirBytes) {
    EXPECT_EQ(TFontRaster::Create({'n', 'o', 'p', 'e'}, 12, true), nullptr);
    EXPECT_EQ(TFontRaster::Create(FontBytes(), 0, true), nullptr);
    // A font outlives the bytes it was given.
    std::shared_ptr<TFontRaster> font;
    {
        std::vector<uint8_t> bytes = FontBytes();
        font = TFontRaster::Create(bytes, 14, true);
        std::fill(bytes.begin(), bytes.end(), 0);
    }
    EXPECT_TRUE(font->RenderGlyph(U'Q'));
}
