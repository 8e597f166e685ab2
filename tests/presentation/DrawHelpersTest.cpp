// Drawing helpers, shapes, lines and the mouse pointer: files, glyph placement, clipping, pixel copies and
// click handling.
#include "TestWorld.h"
#include "core/FileUtils.h"
#include "platform/Events.h"
#include "platform/Image.h"
#include "platform/ImageCodec.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Shapes.h"
#include "presentation/Vector.h"
#include "support/TestEnv.h"

namespace {

using DrawHelpersTest = TestWorld;

uint32_t LE32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

TEST_F(DrawHelpersTest, BmpRowsArePaddedAndStoredBottomUp) {
    TPixmap p(3, 2, 0);
    p.WritePixel(0, 0, 0xFF112233u);  // top-left
    p.WritePixel(2, 1, 0xFFAABBCCu);  // bottom-right
    std::vector<uint8_t> bmp = WriteBMP(p);
    ASSERT_EQ(bmp.size(), 12u * 2 + 54);
    EXPECT_EQ(LE32(bmp, 2), 78u);
    EXPECT_EQ(LE32(bmp, 14), 40u) << "the info header every reader expects";
    EXPECT_EQ(LE32(bmp, 18), 3u);
    EXPECT_EQ(LE32(bmp, 22), 2u);
    // First stored row is the bottom one: its last pixel in blue-green-red order, then 3 fill bytes.
    EXPECT_EQ(bmp[54 + 6], 0xCC);
    EXPECT_EQ(bmp[54 + 7], 0xBB);
    EXPECT_EQ(bmp[54 + 8], 0xAA);
    EXPECT_EQ(bmp[54 + 9], 0);
    EXPECT_EQ(bmp[68], 0x11);
}

// A row of 21846 pixels (65538 bytes) passes 16 bits: the file must hold both rows whole, and a size past the
// format's 32-bit fields is refused rather than written cut short.
TEST_F(DrawHelpersTest, WideBmpIsWrittenWholeAndOneTooLargeForTheFormatIsRefused) {
    testenv::TempDir dir;
    TPixmap wide(21846, 2, 0);
    wide.WritePixel(21845, 0, 0xFF112233u);  // top row, last column
    wide.WritePixel(21845, 1, 0xFF445566u);  // bottom row, last column
    auto image = TImage::FromPixmap(std::move(wide));
    ASSERT_TRUE(SaveImageBMP(image.get(), dir.Str() + "wide.bmp"));
    const std::string file = testenv::ReadFile(dir.Path() / "wide.bmp");
    const std::vector<uint8_t> bmp(file.begin(), file.end());
    const size_t row = 65540;
    ASSERT_EQ(bmp.size(), 54 + 2 * row);
    EXPECT_EQ(LE32(bmp, 2), 54 + 2 * row);
    EXPECT_EQ(LE32(bmp, 34), 2 * row);
    const size_t last = 54 + 3 * 21845;
    EXPECT_EQ((std::vector<int>{bmp[last], bmp[last + 2], bmp[row + last], bmp[row + last + 2]}),
              (std::vector<int>{0x66, 0x44, 0x33, 0x11}));

    EXPECT_EQ(BMPPixelDataSize(1, 1073741810), 4294967240u) << "the largest file the size field holds";
    EXPECT_FALSE(BMPPixelDataSize(1, 1073741811)) << "four bytes more pass it with the header";
    TPixmap tooTall;  // the size alone: WriteBMP must refuse before reading a pixel
    tooTall.width = 1;
    tooTall.height = 1073741811;
    EXPECT_TRUE(WriteBMP(tooTall).empty());
}

// The compression level of a PNG file as zlib recorded it: FLEVEL, the top two bits of the second byte of the
// first IDAT chunk's data (3 for the strongest levels, 2 for the default).
int PngCompressionClass(const std::string& png) {
    for (size_t at = 8; at + 8 <= png.size();) {
        const auto* b = reinterpret_cast<const uint8_t*>(png.data() + at);
        const size_t length = size_t(b[0]) << 24 | size_t(b[1]) << 16 | size_t(b[2]) << 8 | size_t(b[3]);
        if (png.compare(at + 4, 4, "IDAT") == 0 && length >= 2) return b[9] >> 6;
        at += 12 + length;
    }
    return -1;
}

TEST_F(DrawHelpersTest, SavedFilesAndAFailedSaveIsReported) {
    testenv::TempDir dir;
    std::vector<std::string> written;
    SetFileWrittenObserver([&written](const std::string& path) { written.push_back(path); });
    auto image = CreateImage(5, 4);
    ASSERT_TRUE(SaveImageBMP(image.get(), dir.Str() + "shot.bmp"));
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "shot.bmp").size(), 16u * 4 + 54);
    EXPECT_FALSE(SaveImageBMP(image.get(), dir.Str() + "missing/folder/shot.bmp"));
    for (const auto& [w, h] : {std::pair(0, 4), std::pair(5, 0)}) {
        EXPECT_FALSE(SaveImageBMP(TImage::FromPixmap(TPixmap(w, h, 0)).get(), dir.Str() + "shot.bmp"));
        EXPECT_EQ(testenv::ReadFile(dir.Path() / "shot.bmp").size(), 16u * 4 + 54)
            << "the previous file is kept";
    }
    SetFileWrittenObserver(nullptr);
    EXPECT_EQ(written, std::vector<std::string>{dir.Str() + "shot.bmp"})
        << "the hook hears of written files only";

    std::string path = SaveScreenshot(dir.Str());
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(PngCompressionClass(testenv::ReadFile(path)), 3) << "screenshots use the strongest compression";
    std::vector<uint8_t> plain = EncodePNG(TPixmap(64, 64, 0xFF336699u));
    EXPECT_EQ(PngCompressionClass(std::string(plain.begin(), plain.end())), 2);
    EXPECT_TRUE(std::filesystem::exists(path));
    path = SaveScreenshot(dir.Path().string());  // a folder named without its closing slash
    EXPECT_EQ(std::filesystem::path(path).parent_path(), dir.Path());
    EXPECT_TRUE(std::filesystem::exists(path));
}

// DrawTextGlyphs places each glyph where DrawText puts it, handle, scale, rotation and origin included.
TEST_F(DrawHelpersTest, GlyphByGlyphTextFollowsTheHandleAsDrawTextDoes) {
    SetImageFont(MakeBlockFont());
    SetHandle(12, 5);
    SetScale(2, 1.5f);
    SetRotation(30);
    SetOrigin(4, 7);
    DrawText("Hi!", 100, 80);
    DrawTextGlyphs("Hi!", 100, 80, 0);
    SetHandle(0, 0);
    SetOrigin(0, 0);
    const TDrawCommand* whole = rec.Find("DrawText").at(0);
    const auto glyphs = rec.Find("DrawSubImageRect");
    ASSERT_EQ(glyphs.size(), 3u);
    ASSERT_EQ(whole->vertices.size(), 18u);
    for (size_t g = 0; g < 3; ++g)
        for (size_t v = 0; v < 6; ++v) {
            EXPECT_NEAR(glyphs[g]->vertices[v].x, whole->vertices[g * 6 + v].x, 1e-3) << "glyph " << g;
            EXPECT_NEAR(glyphs[g]->vertices[v].y, whole->vertices[g * 6 + v].y, 1e-3) << "glyph " << g;
        }
}

// Letter spacing widens the gap after every glyph by the same amount.
TEST_F(DrawHelpersTest, LetterSpacingAddsToEachAdvance) {
    SetImageFont(MakeBlockFont());
    DrawTextGlyphs("abc", 100, 80, 3);
    const auto glyphs = rec.Find("DrawSubImageRect");
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_FLOAT_EQ(glyphs[1]->args.at(0) - glyphs[0]->args.at(0), 8 + 3);
    EXPECT_FLOAT_EQ(glyphs[2]->args.at(0) - glyphs[0]->args.at(0), 2 * (8 + 3));
}

// Dimming lays translucent black over the area and leaves the caller white and opaque.
TEST_F(DrawHelpersTest, DimmingIsTranslucentBlackOverTheWholeScreen) {
    DimScreen(0.4f);
    const auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->args, (std::vector<float>{0, 0, float(ScreenWidth), float(ScreenHeight)}));
    const TDrawState& s = rects[0]->state;
    EXPECT_EQ(s.red + s.green + s.blue, 0);
    EXPECT_FLOAT_EQ(s.alpha, 0.4f);
    EXPECT_EQ(s.blend, ALPHABLEND);
    ExpectCleanState();
}

// A line without its last pixel stops where the last pixel begins; with it, it covers that pixel too.
TEST_F(DrawHelpersTest, LinesAndVectorsHonourTheLastPixelFlag) {
    auto rightmost = [](const TDrawCommand* c) {
        float x = -1e9f;
        for (const TVertex& v : c->vertices) x = std::max(x, v.x);
        return x;
    };
    TLine line;
    line.sx = 2, line.sy = 3, line.ex = 12, line.ey = 3;
    line.Draw(1);
    line.Draw(0);
    TVector{10, 0}.Draw(2, 3, 1);
    TVector{10, 0}.Draw(2, 3, 0);
    const auto lines = rec.Find("DrawLine");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_FLOAT_EQ(rightmost(lines[0]), 13.0f);
    EXPECT_FLOAT_EQ(rightmost(lines[1]), 12.0f);
    EXPECT_FLOAT_EQ(rightmost(lines[2]), 13.0f);
    EXPECT_FLOAT_EQ(rightmost(lines[3]), 12.0f);
}

TEST_F(DrawHelpersTest, HandleMidSwitchesBetweenCentreAndCorner) {
    auto image = CreateImage(20, 10);
    SetImageHandleMid(image.get(), 1);
    EXPECT_FLOAT_EQ(image->handleX, 10);
    SetImageHandleMid(image.get(), 0);
    EXPECT_FLOAT_EQ(image->handleX, 0);
    EXPECT_FLOAT_EQ(image->handleY, 0);
}

TEST_F(DrawHelpersTest, ClippedDrawShowsOnlyTheOverlap) {
    auto image = CreateImage(20, 20);
    DrawImageClipped(image.get(), 200, 200, 0, 0, 100, 100);
    EXPECT_TRUE(rec.calls.empty());
    DrawImageClipped(image.get(), 90, 95, 0, 0, 100, 100, 1, 2);
    const auto* d = rec.Find("DrawSubImageRect").at(0);
    EXPECT_FLOAT_EQ(d->args[2], 10.0f);  // width inside
    EXPECT_FLOAT_EQ(d->args[3], 5.0f);
}

TEST_F(DrawHelpersTest, ViewportHelperClipsThenRestoresWholeScreen) {
    auto image = CreateImage(4, 4);
    DrawImageViewport(image.get(), 10, 20, 30, 40);
    EXPECT_EQ(rec.Find("DrawImage").at(0)->state.viewportW, 30);
    int x, y, w, h;
    GetViewport(x, y, w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
}

TEST_F(DrawHelpersTest, CopiesAreMirroredAndClippedAtTheEdge) {
    TPixmap src(2, 1, 0);
    src.WritePixel(0, 0, 0xFF0000FFu);
    src.WritePixel(1, 0, 0xFFFF0000u);
    auto a = TImage::FromPixmap(src);
    auto b = CreateImage(3, 1);
    CopyImageRectMirrored(a.get(), 0, 0, 2, 1, b.get(), 1, 0, 1);
    EXPECT_EQ(b->Pixels(0).ReadPixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(b->Pixels(0).ReadPixel(2, 0), 0xFF0000FFu);
    CopyImageRect(a.get(), 0, 0, 2, 1, b.get(), 2, 0);  // clipped at the right edge
    EXPECT_EQ(b->Pixels(0).ReadPixel(2, 0), 0xFF0000FFu);
}

TEST_F(DrawHelpersTest, ACopyReachingPastTheSourceLeavesTheRestOfTheDestination) {
    TPixmap src(2, 2, 0xFF00FF00u);
    auto a = TImage::FromPixmap(src);
    auto b = CreateImage(2, 1);
    b->Lock(0).WritePixel(1, 0, 0xFF123456u);
    CopyImageRect(a.get(), 1, 0, 2, 1, b.get(), 0, 0);  // the source ends after one column
    EXPECT_EQ(b->Pixels(0).ReadPixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(b->Pixels(0).ReadPixel(1, 0), 0xFF123456u);
}

TEST_F(DrawHelpersTest, APointerDrawsItsSecondImageUnderneathAndNothingWhenSwitchedOff) {
    Game->Mouse->Image2 = TImage::Create(4, 4);
    Game->Mouse->On();
    Game->Mouse->Draw();
    ASSERT_FALSE(rec.Find("DrawImage").empty());
    EXPECT_EQ(rec.Find("DrawImage")[0]->image, Game->Mouse->Image2.get());
    rec.calls.clear();
    Game->Mouse->Off();
    Game->Mouse->Draw();
    EXPECT_TRUE(rec.calls.empty());
}

TEST_F(DrawHelpersTest, AnOutlineClosesOnAllFourSides) {
    DrawRectOutline(10, 20, 5, 4);
    std::vector<std::vector<float>> lines;
    for (const TDrawCommand* c : rec.Find("DrawLine")) lines.push_back(c->args);
    const std::vector<std::vector<float>> sides = {
        {10, 20, 14, 20, 1}, {14, 20, 14, 23, 1}, {14, 23, 10, 23, 1}, {10, 23, 10, 20, 1}};
    EXPECT_EQ(lines, sides);
}

TEST_F(DrawHelpersTest, ShadowedTextCentredOnXHasItsMiddleThere) {
    SetImageFont(MakeBlockFont());
    SetTextShadow(2, 2, 0.5f);
    const float width = TextWidth("abcd");
    DrawTextShadow(100, 50, "abcd", 1);
    const auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FLOAT_EQ(texts[0]->args.at(0), float(int(100 - width / 2)) + 2) << "the shadow";
    EXPECT_FLOAT_EQ(texts[1]->args.at(0), float(int(100 - width / 2)));
}

TEST_F(DrawHelpersTest, BoxWithoutColourDrawsNothing) {
    TBox box;
    box.Init(0, 0, 10, 10, nullptr);
    box.Draw();
    EXPECT_TRUE(rec.calls.empty());
}

// ---- mouse pointer ----

TEST_F(DrawHelpersTest, PressesClearPendingHitsAndReadsConsume) {
    TMousePointer& m = *Game->Mouse;
    m.ButtonDown(1);
    m.ButtonUp(1);
    m.ButtonDown(1);
    EXPECT_EQ(m.h1, 1);
    m.ButtonDown(2);
    EXPECT_EQ(m.h1, 0);
    EXPECT_EQ(m.GetMh(0), 1);
    EXPECT_EQ(m.GetMh(1), 1);
    EXPECT_EQ(m.mh, 0);
    EXPECT_EQ(m.h2, 0);
    EXPECT_EQ(m.GetMb(), 2);
    PostEvent(TEvent{EVENT_MOUSEMOVE, 0, 30, 40});  // Update takes everything from the polled state
    PostEvent(TEvent{EVENT_MOUSEDOWN, 2, 0, 0});
    m.Update();
    EXPECT_EQ(m.x + m.y, 70);
    EXPECT_EQ(m.GetMb(), 1);
    EXPECT_EQ(m.GetMh(1), 1);
    EXPECT_EQ(m.b3, 0);
    PostEvent(TEvent{EVENT_MOUSEDOWN, 3, 0, 0});
    m.Update();
    FlushEvents();
    PolledFlushMouse();
    EXPECT_EQ(m.b3, 1) << "the third button is read too";
}

TEST_F(DrawHelpersTest, MouseRepeatTiming) {
    auto repeat = TMouseRepeat::Create(500, 100);
    Game->Mouse->ButtonDown(1);
    EXPECT_EQ(repeat->GetButton(), 1);
    int twos = 0, firstTwo = -1;
    for (int tick = 1; tick <= 140; ++tick) {
        if (repeat->GetButton() == 2) {
            ++twos;
            if (firstTwo < 0) firstTwo = tick;
        }
    }
    EXPECT_EQ(firstTwo, 100);
    EXPECT_EQ(twos, 3);  // at 100, 120 and 140
    Game->Mouse->ButtonUp(1);
    EXPECT_EQ(repeat->GetButton(), 0);
}

TEST_F(DrawHelpersTest, ScreenHeightOffsetIsWhatIsLeftBelowTheScreen) {
    const int saved = ScreenHeight;
    ScreenHeight = 600;
    EXPECT_EQ(ScreenHeightOffset(100, 768), 68);
    ScreenHeight = saved;
}

}  // namespace
