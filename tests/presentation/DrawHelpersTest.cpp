// Drawing helpers, shapes and the mouse pointer: files, clipping, pixel copies and click handling.
#include "presentation/DrawHelpers.h"

#include "TestWorld.h"
#include "platform/Image.h"
#include "presentation/Shapes.h"
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

TEST_F(DrawHelpersTest, SavedFilesAndAFailedSaveIsReported) {
    testenv::TempDir dir;
    auto image = CreateImage(5, 4);
    ASSERT_TRUE(SaveImageBMP(image.get(), dir.Str() + "shot.bmp"));
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "shot.bmp").size(), 16u * 4 + 54);
    EXPECT_FALSE(SaveImageBMP(image.get(), dir.Str() + "missing/folder/shot.bmp"));
    std::string path = SaveScreenshot(dir.Str());
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::exists(path));
    path = SaveScreenshot(dir.Path().string());  // a folder named without its closing slash
    EXPECT_EQ(std::filesystem::path(path).parent_path(), dir.Path());
    EXPECT_TRUE(std::filesystem::exists(path));
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

TEST_F(DrawHelpersTest, APointerSwitchedOffIsNotDrawn) {
    Game->Mouse->On();
    Game->Mouse->Draw();
    EXPECT_FALSE(rec.calls.empty());
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
        {10, 20, 14, 20}, {14, 20, 14, 23}, {14, 23, 10, 23}, {10, 23, 10, 20}};
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
    EXPECT_EQ(repeat->LastState, 0);
}

}  // namespace
