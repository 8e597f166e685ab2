// PNG and JPEG made in the test, decoded back, and damaged files refused.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

#include "platform/ImageCodec.h"
#include "platform/ImageLoader.h"
#include "support/TestEnv.h"

namespace {

TPixmap Gradient(int w, int h) {
    TPixmap p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.WritePixel(
                x, y, uint32_t(x * 255 / w) << 24 | uint32_t(x * 20) << 16 | uint32_t(y * 30) << 8 | 0x40u);
    return p;
}

int Channel(uint32_t p, int shift) {
    return int((p >> shift) & 0xFF);
}

}  // namespace

TEST(ImageCodec, PngKeepsEveryPixelAndAlpha) {
    TPixmap in = Gradient(7, 5);
    std::vector<uint8_t> png = EncodePNG(in);
    ASSERT_FALSE(png.empty());
    auto out = DecodeImage(png);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->width, 7);
    EXPECT_EQ(out->pixels, in.pixels);
}

TEST(ImageCodec, JpegIsOpaqueAndCloseToTheOriginal) {
    TPixmap in(16, 16, 0xFF3080C0u);
    std::vector<uint8_t> jpg = EncodeJPEG(in, 95);
    auto out = DecodeImage(jpg);
    ASSERT_TRUE(out);
    for (uint32_t p : out->pixels) {
        EXPECT_EQ(Channel(p, 24), 255);
        EXPECT_NEAR(Channel(p, 8), 0x80, 6);
    }
}

TEST(ImageCodec, DamagedOrForeignDataIsRefused) {
    std::vector<uint8_t> png = EncodePNG(Gradient(8, 8));
    std::vector<uint8_t> jpg = EncodeJPEG(Gradient(8, 8), 80);
    EXPECT_FALSE(DecodeImage(std::vector<uint8_t>{}));
    EXPECT_FALSE(DecodeImage(std::vector<uint8_t>{'B', 'M', 0, 0}));
    for (size_t len : {8u, 20u, 40u}) {
        EXPECT_FALSE(DecodeImage(std::span(png.data(), len))) << len;
        EXPECT_FALSE(DecodeImage(std::span(jpg.data(), len))) << len;
    }
    std::vector<uint8_t> bad = png;
    bad[bad.size() / 2] ^= 0xFF;  // CRC and zlib checks catch it
    EXPECT_FALSE(DecodePNG(bad));
    EXPECT_FALSE(DecodeJPEG(png));
}

TEST(ImageCodec, AbsurdDimensionsAreRefused) {
    EXPECT_TRUE(DecodePNG(EncodePNG(TPixmap(kMaxImageDimension, 1))));
    EXPECT_FALSE(DecodePNG(EncodePNG(TPixmap(kMaxImageDimension + 1, 1))));
    EXPECT_FALSE(DecodeJPEG(EncodeJPEG(TPixmap(1, kMaxImageDimension + 1), 50)));
    // A header claiming a huge width over tiny data fails without allocating for the claim.
    std::vector<uint8_t> png = EncodePNG(Gradient(2, 2));
    for (int i = 0; i < 4; ++i) png[16 + size_t(i)] = uint8_t(0x00FFFFFFu >> (24 - 8 * i));
    uint32_t crc = uint32_t(crc32(0, png.data() + 12, 17));  // IHDR type and data
    for (int i = 0; i < 4; ++i) png[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
    EXPECT_FALSE(DecodePNG(png));
}

TEST(ImageCodec, FilesSaveAtomicallyAndLoadWithLowerCasedNames) {
    testenv::TempDir dir;
    TPixmap in = Gradient(4, 3);
    ASSERT_TRUE(SavePixmapPNG(in, dir.Str() + "shot.png"));
    ASSERT_TRUE(SavePixmapJPEG(in, dir.Str() + "back.jpg", 90));
    EXPECT_NE(LoadImage(dir.Str() + "SHOT.PNG"), nullptr);  // data lookups lower-case the file name
    EXPECT_NE(LoadAnimImage(dir.Str() + "Back.jpg", 2, 3, 0, 2), nullptr);
    EXPECT_EQ(LoadAnimImage(dir.Str() + "back.jpg", 2, 3, 0, 3), nullptr);  // only two cells
    EXPECT_FALSE(SavePixmapPNG(in, dir.Str() + "no/such/folder.png"));
}
