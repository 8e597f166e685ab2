// Image fonts: a growing glyph atlas filled from a glyph source (see ImageFont.h).
#include "platform/ImageFont.h"

#include <algorithm>

#include "platform/FontRaster.h"

namespace {

constexpr int kAtlasWidth = 512;
constexpr int kPadding = 1;  // transparent gap so filtered glyphs never bleed into their neighbours

}  // namespace

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= text.size()) {  // stray or truncated lead byte
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            auto cb = static_cast<unsigned char>(text[i + size_t(k)]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

TImageFont::TImageFont(GlyphSource source, float ascent, float lineHeight)
    : source_(std::move(source)), ascent_(ascent), lineHeight_(lineHeight) {
    atlas_ = TImage::Create(kAtlasWidth, 64, 1, DEFAULT_IMAGE_FLAGS);
}

std::shared_ptr<TImageFont> TImageFont::Create(GlyphSource source, float ascent, float lineHeight) {
    std::shared_ptr<TImageFont> font(new TImageFont(std::move(source), ascent, lineHeight));
    for (char32_t ch = 32; ch < 127; ++ch) font->AddGlyph(ch);
    for (char32_t ch = 160; ch < 256; ++ch) font->AddGlyph(ch);
    return font;
}

std::shared_ptr<TImageFont> TImageFont::FromRaster(std::shared_ptr<TFontRaster> raster) {
    if (!raster) return nullptr;
    float ascent = float(raster->Ascent()), lineHeight = float(raster->LineHeight());
    return Create([raster](char32_t ch) { return raster->RenderGlyph(ch); }, ascent, lineHeight);
}

std::shared_ptr<TImageFont> TImageFont::Load(std::vector<uint8_t> ttf, int pixelSize, bool smoothed) {
    return FromRaster(TFontRaster::Create(std::move(ttf), pixelSize, smoothed));
}

void TImageFont::GrowAtlas(int minHeight) {
    int height = atlas_->Height();
    while (height < minHeight) height *= 2;
    if (height == atlas_->Height()) return;
    auto bigger = TImage::Create(kAtlasWidth, height, 1, DEFAULT_IMAGE_FLAGS);
    const TPixmap& old = atlas_->Pixels(0);
    TPixmap& dst = bigger->Lock(0);
    std::copy(old.pixels.begin(), old.pixels.end(), dst.pixels.begin());
    atlas_ = bigger;
}

bool TImageFont::AddGlyph(char32_t ch) {
    std::optional<TGlyphBitmap> bitmap = source_ ? source_(ch) : std::nullopt;
    if (!bitmap) {
        glyphs_[ch] = std::nullopt;
        return false;
    }
    int w = std::clamp(bitmap->width, 0, kAtlasWidth - 2 * kPadding);
    int h = std::max(0, bitmap->height);
    if (penX_ + w + kPadding > kAtlasWidth) {
        penX_ = 0;
        penY_ += rowHeight_ + kPadding;
        rowHeight_ = 0;
    }
    int gx = penX_ + kPadding, gy = penY_ + kPadding;
    GrowAtlas(gy + h + kPadding);
    if (w > 0 && h > 0 && bitmap->coverage.size() >= size_t(bitmap->width) * size_t(h)) {
        TPixmap& pixels = atlas_->Lock(0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t a = bitmap->coverage[size_t(y) * size_t(bitmap->width) + size_t(x)];
                pixels.WritePixel(gx + x, gy + y, (a << 24) | 0x00FFFFFFu);
            }
    }
    penX_ = gx + w;
    rowHeight_ = std::max(rowHeight_, h + kPadding);
    TGlyph glyph;
    glyph.atlasX = gx;
    glyph.atlasY = gy;
    glyph.width = w;
    glyph.height = h;
    glyph.offsetX = bitmap->bearingX;
    glyph.offsetY = ascent_ - bitmap->bearingY;
    glyph.advance = bitmap->advance;
    glyphs_[ch] = glyph;
    return true;
}

const TGlyph* TImageFont::Glyph(char32_t ch) {
    auto it = glyphs_.find(ch);
    if (it == glyphs_.end()) {
        AddGlyph(ch);
        it = glyphs_.find(ch);
    }
    return it->second ? &*it->second : nullptr;
}

float TImageFont::TextWidth(const std::string& utf8) {
    float width = 0;
    for (char32_t ch : DecodeUtf8(utf8))
        if (const TGlyph* g = Glyph(ch)) width += g->advance;
    return width;
}

std::vector<TGlyphQuad> TImageFont::Layout(const std::string& utf8) {
    std::vector<TGlyphQuad> quads;
    float pen = 0;
    for (char32_t ch : DecodeUtf8(utf8)) {
        const TGlyph* g = Glyph(ch);
        if (g == nullptr) continue;
        if (g->width > 0 && g->height > 0)
            quads.push_back({pen + g->offsetX, g->offsetY, float(g->width), float(g->height), g->atlasX,
                             g->atlasY, g->width, g->height});
        pen += g->advance;
    }
    return quads;
}
