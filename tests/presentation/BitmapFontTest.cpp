// Bitmap fonts: the ".fnt" reader on hand-written files, good and damaged.
#include "TestWorld.h"
#include "core/ErrorReport.h"
#include "platform/Image.h"
#include "platform/ImageCodec.h"
#include "presentation/BitmapFont.h"
#include "presentation/DrawHelpers.h"
#include "support/TestEnv.h"

namespace {

const char* kFont =
    "info face=\"Test\" size=16\r\n"
    "common lineHeight=18 base=14 scaleW=256 scaleH=128 pages=1\r\n"
    "page id=0 file=\"test.png\"\r\n"
    "chars count=4\r\n"
    "char id=65   x=10   y=20   width=8   height=12  xoffset=-2  yoffset=3   xadvance=9   page=0\r\n"
    "char id=66 x=20 y=20 width=7 height=10 xoffset=1 yoffset=4 xadvance=1234 page=0\r\n"
    "char id=8364 x=30 y=40 width=9 height=12 xoffset=0 yoffset=2 xadvance=10 page=0\r\n"
    "char id=0 x=99 y=99 width=9 height=9 xoffset=0 yoffset=0 xadvance=9 page=0\r\n"
    "kerning first=65 second=66 amount=-1\r\n"
    "char id=67 x=40 y=20 width=7 height=10 xoffset=0 yoffset=0 xadvance=8 page=0\r\n";

class BitmapFontTest : public TestWorld {
  protected:
    TBitmapFont Parsed(const std::string& text, int yAdjust = 0) {
        TBitmapFont font;
        font.ParseFnt(text, yAdjust);
        return font;
    }
};

TEST_F(BitmapFontTest, ReadsCharactersHighCodesAndScaleUpToKerning) {
    TBitmapFont f = Parsed(kFont, 1);
    EXPECT_DOUBLE_EQ(f.xPos[65], 10);
    EXPECT_DOUBLE_EQ(f.TextureW, 256);
    EXPECT_DOUBLE_EQ(f.yOffset[65], 4) << "y offset plus the caller's adjustment";
    EXPECT_DOUBLE_EQ(f.xAdvance[66], 123) << "a value longer than its window is cut";
    EXPECT_EQ(f.NumChars, 3);
    // High codes take extra slots in file order.
    EXPECT_EQ(f.NumExtraChars, 1);
    EXPECT_EQ(f.FindChar(8364), 256);
    EXPECT_DOUBLE_EQ(f.StringWidth("\xE2\x82\xAC"), 10);
    EXPECT_EQ(f.ID[67], 0) << "reading stops at the kerning table";
    EXPECT_DOUBLE_EQ(Parsed(std::string("ScaleF=1.50\n") + kFont).ScaleFactor, 1.5);
}

TEST_F(BitmapFontTest, DamagedFilesReadWithoutCrashing) {
    TBitmapFont empty = Parsed("");
    EXPECT_EQ(empty.NumChars, 0);
    TBitmapFont truncated = Parsed("info\ncommon scaleW=\nchar id=65 x=");
    EXPECT_EQ(truncated.NumChars, 1);
    EXPECT_DOUBLE_EQ(truncated.xPos[65], 0);
    std::string many = "info\ncommon\n";
    for (int i = 0; i < 250; ++i) many += "char id=" + std::to_string(1000 + i) + " xadvance=5\n";
    TBitmapFont grown = Parsed(many);
    EXPECT_EQ(grown.NumExtraChars, 250);
    EXPECT_GE(grown.ArraySize, 506);
    EXPECT_EQ(grown.FindChar(1249), 505);
    std::string longLine = "info\ncommon\nchar id=66" + std::string(300, ' ') + "xadvance=7\n";
    EXPECT_DOUBLE_EQ(Parsed(longLine).xAdvance[66], 7);
}

TEST_F(BitmapFontTest, CreateLoadsPageAndLayout) {
    testenv::TempDir dir;
    TPixmap page(64, 64, 0xFFFFFFFFu);
    std::vector<uint8_t> png = EncodePNG(page);
    testenv::WriteFile(dir.Path() / "font.png", std::string(png.begin(), png.end()));
    testenv::WriteFile(dir.Path() / "font.fnt", kFont);
    auto font = TBitmapFont::Create(dir.Str() + "font", -1, 0, 0, ".png");
    ASSERT_TRUE(font->Image);
    EXPECT_EQ(font->Image->Width(), 64);
    EXPECT_DOUBLE_EQ(font->xAdvance[65], 9);
    SetErrorNotice([](const std::string&) {});
    EXPECT_THROW(TBitmapFont::Create(dir.Str() + "missing", -1, 0, 0, ".png"), std::exception);
}

// Handle mode draws every glyph at one point through its own handle, so a rotated and scaled string keeps its
// shape: each glyph corner is the unrotated, unscaled layout turned and stretched about that point.
TEST_F(BitmapFontTest, HandleModeTurnsAndScalesTheWholeStringAboutItsPoint) {
    TBitmapFont f = Parsed(kFont);
    f.Image = TImage::FromPixmap(TPixmap(64, 64, 0xFFFFFFFFu));
    auto corners = [this](TBitmapFont& font, int right) {
        rec.calls.clear();
        font.Draw("ABA", 0, 0, 0, right, 0, 0, 0, 0);
        std::vector<TVertex> out;
        for (const TDrawCommand* c : rec.Find("DrawSubImageRect"))
            out.insert(out.end(), c->vertices.begin(), c->vertices.end());
        return out;
    };
    const std::vector<TVertex> flat = corners(f, 0);
    ASSERT_EQ(flat.size(), 18u);

    f.ChangeHandle = 1;
    for (int right = 0; right <= 1; ++right) {
        f.HandleX = f.HandleY = 0;
        SetScale(2, 1.5f);
        SetRotation(90);
        SetOrigin(100, 50);
        const std::vector<TVertex> turned = corners(f, right);
        SetOrigin(0, 0);
        SetRotation(0);
        SetScale(1, 1);
        ASSERT_EQ(turned.size(), flat.size());
        // Right-aligned, the string ends at the point.
        const float shift = right ? float(f.StringWidth("ABA")) : 0.0f;
        for (size_t i = 0; i < flat.size(); ++i) {
            // 90 degrees clockwise on screen: (x, y) -> (-y, x), after the scale.
            EXPECT_NEAR(turned[i].x, 100 - 1.5f * flat[i].y, 1e-3) << "corner " << i << " right " << right;
            EXPECT_NEAR(turned[i].y, 50 + 2 * (flat[i].x - shift), 1e-3)
                << "corner " << i << " right " << right;
        }
    }
}

// Cutting a string to a width re-encodes each character it keeps; every UTF-8 length must come back whole.
TEST_F(BitmapFontTest, TruncatingKeepsCharactersOfEveryEncodedLengthWhole) {
    TBitmapFont f = Parsed(kFont);
    for (const char* s :
         {"A\x7F", "A\xC2\x80", "A\xDF\xBF", "A\xE0\xA0\x80", "A\xEF\xBF\xBF", "A\xF0\x90\x80\x80"})
        EXPECT_EQ(f.TruncateString(s, 1000), s);
    EXPECT_EQ(f.TruncateString("AAA", 18), "AA");
}

// Lines of a string array without a given gap are one measured line height apart.
TEST_F(BitmapFontTest, StringArrayLinesStepByTheFontHeightUnlessGiven) {
    TBitmapFont f = Parsed(kFont);
    f.Image = TImage::FromPixmap(TPixmap(64, 64, 0xFFFFFFFFu));
    const float lineHeight = float(f.StringHeight(f.TestString));
    ASSERT_GT(lineHeight, 0);
    for (int gap : {0, 5}) {
        rec.calls.clear();
        f.DrawStringArray({"A", "A"}, 0, 0, 0, 0, 0, 0, 0, gap, 0);
        const std::vector<const TDrawCommand*> glyphs = rec.Find("DrawSubImageRect");
        ASSERT_EQ(glyphs.size(), 2u);
        EXPECT_FLOAT_EQ(glyphs[1]->args.at(1) - glyphs[0]->args.at(1), gap == 0 ? lineHeight : float(gap));
    }
}

// Snapping to whole pixels depends on the scale the glyphs end up at, the font's own scale included.
TEST_F(BitmapFontTest, GlyphsSnapOnlyAtTheirSizeInThePage) {
    TBitmapFont f = Parsed(kFont);
    f.Image = TImage::FromPixmap(TPixmap(64, 64, 0xFFFFFFFFu));
    auto glyphAt = [this, &f](double scaleFactor, float scale) {
        f.ScaleFactor = scaleFactor;
        SetScale(scale, scale);
        rec.calls.clear();
        f.Draw("A", 0.3, 0.3, 0, 0, 1, 1, 0, 0);
        SetScale(1, 1);
        const std::vector<const TDrawCommand*> glyphs = rec.Find("DrawSubImageRect");
        return glyphs.size() == 1 ? std::pair(glyphs[0]->args.at(0), glyphs[0]->args.at(1))
                                  : std::pair(0.f, 0.f);
    };
    // A's offset is (-2, 3): at 1.5 times unsnapped; at half size drawn twice as large, snapped.
    const auto [x15, y15] = glyphAt(1.5, 1);
    EXPECT_FLOAT_EQ(x15, 0.3f - 3);
    EXPECT_FLOAT_EQ(y15, 0.3f + 4.5f);
    const auto [x05, y05] = glyphAt(0.5, 2);
    EXPECT_FLOAT_EQ(x05, -2);
    EXPECT_FLOAT_EQ(y05, 3);
    const auto [x125, y125] = glyphAt(1.25, 0.8f);  // 1 in value, 1 + 1.5e-8 as computed
    EXPECT_FLOAT_EQ(x125, -2);
    EXPECT_FLOAT_EQ(y125, 3);
}

}  // namespace
