// Image fonts: the glyphs of one font at one pixel size packed into a single atlas image, measured and
// drawn as UTF-8 text.
//
// Glyphs are rendered once (by a font rasteriser) into white pixels whose alpha is the glyph's coverage,
// so the draw colour tints them and the atlas is filtered like any sprite. Characters that the font
// lacks are added on first use when the font was built from a rasteriser, else they draw nothing.
//
// Used by the archive manager's font getter, the drawing code and the text widgets.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Image.h"

class TFontRaster;

// One rendered glyph as a rasteriser hands it over: 8-bit coverage, row by row, plus metrics.
struct TGlyphBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
    float bearingX = 0;  // pen to the bitmap's left edge
    float bearingY = 0;  // baseline up to the bitmap's top edge
    float advance = 0;   // pen movement after the glyph
};

// Where a glyph sits in the atlas and how it is placed relative to the pen at the top of the line.
struct TGlyph {
    int atlasX = 0, atlasY = 0, width = 0, height = 0;
    float offsetX = 0, offsetY = 0;
    float advance = 0;
};

// One glyph of laid-out text: its rectangle relative to the text's top-left and its atlas rectangle.
struct TGlyphQuad {
    float x = 0, y = 0, w = 0, h = 0;
    int atlasX = 0, atlasY = 0, atlasW = 0, atlasH = 0;
};

class TImageFont {
  public:
    // Renders a character, or nothing when the font has no glyph for it.
    using GlyphSource = std::function<std::optional<TGlyphBitmap>(char32_t)>;

    // A font of the given line metrics (pixels): ascent above the baseline, line height for a line of text.
    // The printable ASCII and Latin-1 characters are rendered at once, others on first use.
    static std::shared_ptr<TImageFont> Create(GlyphSource source, float ascent, float lineHeight);
    // Glyphs from a TrueType rasteriser, which the font keeps for characters met later.
    static std::shared_ptr<TImageFont> FromRaster(std::shared_ptr<TFontRaster> raster);
    // TrueType bytes at a pixel size, smoothed or not; null when the bytes are no usable font.
    static std::shared_ptr<TImageFont> Load(std::vector<uint8_t> ttf, int pixelSize, bool smoothed);

    float LineHeight() const { return lineHeight_; }
    float TextWidth(const std::string& utf8);
    // Glyph rectangles of the text with its top-left at (0, 0).
    std::vector<TGlyphQuad> Layout(const std::string& utf8);
    const TImage* Atlas() const { return atlas_.get(); }
    const TGlyph* Glyph(char32_t ch);

  private:
    TImageFont(GlyphSource source, float ascent, float lineHeight);
    bool AddGlyph(char32_t ch);
    void GrowAtlas(int minHeight);

    GlyphSource source_;
    float ascent_;
    float lineHeight_;
    std::shared_ptr<TImage> atlas_;
    std::map<char32_t, std::optional<TGlyph>> glyphs_;
    int penX_ = 0, penY_ = 0, rowHeight_ = 0;
};

// UTF-8 to code points; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(const std::string& text);
