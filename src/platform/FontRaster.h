// TrueType glyph rendering with FreeType, from font bytes held in memory, at one fixed pixel size.
//
// Image fonts (platform/ImageFont.h) are built on top of this: they ask for one glyph at a time
// and pack the coverage bitmaps into their atlas. Smoothed fonts are rendered anti-aliased; plain
// ones are rendered one bit per pixel, so their coverage is only 0 or 255.
//
// Used by the image fonts (ImageFont) and the archive manager's font getter.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ImageFont.h"

class TFontRaster {
  public:
    // A rasteriser over a copy of the font bytes (kept for the rasteriser's life). When FreeType
    // cannot set pixelSize, the next smaller size that works is used; nullptr when none does or the
    // bytes are not a font.
    static std::shared_ptr<TFontRaster> Create(std::vector<uint8_t> bytes, int pixelSize, bool smooth);
    ~TFontRaster();
    TFontRaster(const TFontRaster&) = delete;
    TFontRaster& operator=(const TFontRaster&) = delete;

    int PixelSize() const { return pixelSize_; }
    bool Smooth() const { return smooth_; }
    // Whole pixels, from the face's size metrics: ascent above the baseline, descent below it
    // (negative), and the distance from one baseline to the next.
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int LineHeight() const { return lineHeight_; }
    int GlyphCount() const;

    bool HasGlyph(char32_t ch) const;
    // The glyph's coverage bitmap with its bearings and advance; nullopt when the font lacks it.
    std::optional<TGlyphBitmap> RenderGlyph(char32_t ch);

  private:
    TFontRaster() = default;
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int pixelSize_ = 0;
    bool smooth_ = true;
    int ascent_ = 0, descent_ = 0, lineHeight_ = 0;
};
