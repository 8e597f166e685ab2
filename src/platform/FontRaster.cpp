// FreeType behind TFontRaster. The library is initialised once per process and never released,
// because faces may live until the process ends.
#include "platform/FontRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
    }();
    return library;
}

}  // namespace

struct TFontRaster::Impl {
    std::vector<uint8_t> bytes;  // FreeType reads the face from here for the face's whole life
    FT_Face face = nullptr;
    ~Impl() {
        if (face) FT_Done_Face(face);
    }
};

std::shared_ptr<TFontRaster> TFontRaster::Create(std::vector<uint8_t> bytes, int pixelSize, bool smooth) {
    FT_Library lib = Library();
    if (!lib || bytes.empty() || pixelSize <= 0) return nullptr;
    std::shared_ptr<TFontRaster> raster(new TFontRaster());
    raster->impl_ = std::make_unique<Impl>();
    Impl& impl = *raster->impl_;
    impl.bytes = std::move(bytes);
    if (FT_New_Memory_Face(lib, impl.bytes.data(), FT_Long(impl.bytes.size()), 0, &impl.face) != 0) {
        impl.face = nullptr;
        return nullptr;
    }
    int size = pixelSize;
    while (size > 0 && FT_Set_Pixel_Sizes(impl.face, 0, FT_UInt(size)) != 0) --size;
    if (size == 0) return nullptr;
    const FT_Size_Metrics& m = impl.face->size->metrics;
    raster->pixelSize_ = size;
    raster->smooth_ = smooth;
    raster->ascent_ = int(m.ascender >> 6);
    raster->descent_ = int(m.descender >> 6);
    raster->lineHeight_ = int(m.height >> 6);
    return raster;
}

TFontRaster::~TFontRaster() = default;

int TFontRaster::GlyphCount() const {
    return int(impl_->face->num_glyphs);
}

bool TFontRaster::HasGlyph(char32_t ch) const {
    return FT_Get_Char_Index(impl_->face, FT_ULong(ch)) != 0;
}

std::optional<TGlyphBitmap> TFontRaster::RenderGlyph(char32_t ch) {
    FT_Face face = impl_->face;
    FT_UInt index = FT_Get_Char_Index(face, FT_ULong(ch));
    if (index == 0) return std::nullopt;
    FT_Int32 load = smooth_ ? FT_LOAD_TARGET_NORMAL : (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME);
    if (FT_Load_Glyph(face, index, load) != 0) return std::nullopt;
    if (FT_Render_Glyph(face->glyph, smooth_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return std::nullopt;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    TGlyphBitmap glyph;
    glyph.width = int(bm.width);
    glyph.height = int(bm.rows);
    glyph.bearingX = float(slot->bitmap_left);
    glyph.bearingY = float(slot->bitmap_top);
    glyph.advance = float(slot->advance.x) / 64.0f;
    glyph.coverage.assign(size_t(glyph.width) * size_t(glyph.height), 0);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bm.buffer + y * bm.pitch;
        uint8_t* out = glyph.coverage.data() + size_t(y) * size_t(glyph.width);
        for (int x = 0; x < glyph.width; ++x) {
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
                out[x] = uint8_t(bm.num_grays == 256 ? row[x] : row[x] * 255 / (bm.num_grays - 1));
            }
        }
    }
    return glyph;
}
