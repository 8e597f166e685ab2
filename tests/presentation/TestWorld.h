// Shared set-up of the presentation tests: an application object at normal speed (5 ms per tick),
// a mouse pointer and screen fade, and a recording backend that catches every drawing call.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/Input.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "platform/ImageFont.h"
#include "presentation/BitmapFont.h"
#include "presentation/GameFade.h"
#include "presentation/MousePointer.h"

// A solid glyph, width x 10 pixels standing on the baseline; a blank is empty but advances too.
inline TGlyphBitmap BlockGlyph(char32_t ch, int width, float advance) {
    TGlyphBitmap g;
    g.advance = advance;
    g.bearingY = 10;
    if (ch == U' ') return g;
    g.width = width;
    g.height = 10;
    g.coverage.assign(size_t(width * 10), 255);
    return g;
}

// A font without FreeType: every printable character is a 6 x 10 block with a hole, advancing 8 pixels;
// the line is 12 pixels high. Blanks are empty but advance too.
inline std::shared_ptr<TImageFont> MakeBlockFont() {
    auto source = [](char32_t ch) -> std::optional<TGlyphBitmap> {
        if (ch < 32) return std::nullopt;
        TGlyphBitmap g = BlockGlyph(ch, 6, 8);
        if (ch != U' ')
            for (int y = 3; y < 7; ++y) g.coverage[size_t(y * 6 + 2 + int(ch % 2))] = 0;
        return g;
    };
    return TImageFont::Create(source, 10, 12);
}

// A bitmap font of the one letter "A", 8 x 8 and 9 pixels apart, on lines 18 pixels high.
inline void LetterFont(TBitmapFont& font) {
    font.ParseFnt(
        "info face=\"test\" size=18\r\n"
        "common lineHeight=18 base=14 scaleW=64 scaleH=64 pages=1\r\n"
        "char id=65 x=0 y=0 width=8 height=8 xoffset=0 yoffset=0 xadvance=9 page=0\r\n",
        0);
    font.Image = TImage::FromPixmap(TPixmap(64, 64, 0xFFFFFFFFu), 0);
}

class TestWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->CalcMS();
        if (!Game->Mouse) Game->Mouse = std::make_shared<TMousePointer>();
        if (!Game->GameFade) Game->GameFade = std::make_shared<TGameFade>();
        Game->FullScreen = 1;  // windowed mode would read the system cursor while drawing the pointer
        Delta = 1.0f;
        GameFlushKeys();
        ResetDrawStateDefaults();
        SetDrawBackend(&rec);
    }
    void TearDown() override {
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
        Game.reset();
        Delta = 1.0f;
    }

    // Runs n logic calls of the given share of a tick.
    template <typename F>
    static void Ticks(int n, float delta, F&& step) {
        Delta = delta;
        for (int i = 0; i < n; ++i) step();
        Delta = 1.0f;
    }

    // The state a widget must leave behind: white, alpha 1, scale 1, rotation 0, alpha blend.
    static void ExpectCleanState() {
        const TDrawState& s = GetDrawState();
        EXPECT_EQ(s.red, 255);
        EXPECT_EQ(s.green, 255);
        EXPECT_EQ(s.blue, 255);
        EXPECT_FLOAT_EQ(s.alpha, 1.0f);
        EXPECT_FLOAT_EQ(s.scaleX, 1.0f);
        EXPECT_FLOAT_EQ(s.scaleY, 1.0f);
        EXPECT_FLOAT_EQ(s.rotation, 0.0f);
        EXPECT_EQ(s.blend, ALPHABLEND);
    }

    // The last image drawn begins at the screen's top left corner.
    void ExpectLastImageFromTheCorner() const {
        const auto images = rec.Find("DrawImage");
        ASSERT_FALSE(images.empty());
        float left = 1e9f, top = 1e9f;
        for (const TVertex& v : images.back()->vertices) {
            left = std::min(left, v.x);
            top = std::min(top, v.y);
        }
        EXPECT_FLOAT_EQ(left, 0.0f);
        EXPECT_FLOAT_EQ(top, 0.0f);
    }

    TRecordingBackend rec;
};
