// The game's free helpers at their edges: the shadow and rounding of every text pass, blocks that draw
// nothing, and the record, file and geometry helpers on their first, last and empty values.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/IniFile.h"
#include "game/GameHelpers.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "presentation/Animation.h"
#include "presentation/BitmapFont.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/SineCounter.h"
#include "presentation/TestWorld.h"
#include "support/TestEnv.h"

namespace {

class TextEdgeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDrawStateDefaults();
        SetDrawBackend(&rec);
        LetterFont(font);
    }
    void TearDown() override {
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
    }
    // Position and colour of every glyph drawn, in order.
    struct TGlyph {
        float x, y;
        int red;
    };
    std::vector<TGlyph> Glyphs() const {
        std::vector<TGlyph> glyphs;
        for (const TDrawCommand* c : rec.Find("DrawSubImageRect"))
            glyphs.push_back({c->args.at(0), c->args.at(1), c->state.red});
        return glyphs;
    }
    TRecordingBackend rec;
    TBitmapFont font;
};

// The shadow pass is the line again in black, one shadow offset down and right, never re-centred.
TEST_F(TextEdgeTest, TheShadowPassIsTheLineInBlackAtTheShadowOffset) {
    SetColor(200, 100, 50);
    for (int centred = 0; centred < 2; ++centred) {
        rec.calls.clear();
        DrawTextLine("A", 100, 300, &font, 1, 1, 1, centred);
        const auto g = Glyphs();
        ASSERT_EQ(g.size(), 2u) << centred;
        EXPECT_FLOAT_EQ(g[0].x - g[1].x, TextShadowX) << centred;
        EXPECT_FLOAT_EQ(g[0].y - g[1].y, TextShadowY) << centred;
        EXPECT_FLOAT_EQ(g[1].y, 300) << centred;
        EXPECT_EQ(g[0].red, 0) << centred;
        EXPECT_EQ(g[1].red, 200) << centred << ": the text keeps its colour";
    }
}

// A spaced block snaps every line to whole pixels; a single line drawn unrounded keeps its fraction.
TEST_F(TextEdgeTest, SpacedBlocksSnapToWholePixels) {
    DrawTextBlockSpaced("A\nA", 100.4f, 300.4f, &font, 0, 0, 0, 0);
    auto g = Glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_FLOAT_EQ(g[0].x, 100);
    EXPECT_FLOAT_EQ(g[0].y, 300);
    EXPECT_FLOAT_EQ(g[1].y, 325);
    rec.calls.clear();
    DrawTextLine("A", 100.4f, 300.4f, &font, 0, 0, 0, 0);
    g = Glyphs();
    ASSERT_EQ(g.size(), 1u);
    EXPECT_NEAR(g[0].x, 100.4f, 1e-4);
    EXPECT_NEAR(g[0].y, 300.4f, 1e-4);
}

// Text centred across the screen has its shadow too; an empty block touches neither colour nor font.
TEST_F(TextEdgeTest, ScreenCentredLinesHaveTheirShadowAndEmptyBlocksChangeNothing) {
    const auto block = MakeBlockFont();
    DrawTextBlock("ab", -1, 50, block, 1, 0, 1, 0);
    const auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->state.red, 0) << "the shadow first";
    EXPECT_EQ(texts[1]->state.red, 255);

    SetImageFont(nullptr);
    SetColor(10, 20, 30);
    rec.calls.clear();
    DrawTextBlock("", 100, 50, block, 1, 1, 1, 0);
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({10, 20, 30}));
    EXPECT_EQ(GetImageFont(), nullptr);
    EXPECT_TRUE(rec.calls.empty());
}

// Records read one after another, absent ones among them, each end exactly where the next begins.
TEST(StreamEdgeTest, RecordsBackToBackReadBackEachInTurn) {
    Game = std::make_unique<TGame>();
    TAnimation first, second;
    first.Init(100, 1, 0, 3, 0);
    second.Init(40, 0, 1, 2, 1);
    second.AddPhase(70);
    second.CurrentPhase = 1;
    TSineCounter c1, c2;
    c1.Counter = 1;
    c1.StartPoint = 5;
    c2.Counter = 7;
    c2.EndPoint = 9;
    c2.StartPoint = 11;
    std::stringstream s;
    WriteAnimation(s, &first);
    WriteSineCounter(s, &c1);
    WriteAnimation(s, nullptr);
    WriteAnimation(s, &second);
    WriteSineCounter(s, nullptr);
    WriteSineCounter(s, &c2);
    const auto a1 = ReadAnimation(s);
    const auto s1 = ReadSineCounter(s);
    EXPECT_FALSE(ReadAnimation(s)) << "an absent animation reads as none and takes only its own bytes";
    const auto a2 = ReadAnimation(s);
    EXPECT_FALSE(ReadSineCounter(s)) << "an absent counter reads as none and takes only its own bytes";
    const auto s2 = ReadSineCounter(s);
    ASSERT_TRUE(a1 && s1 && a2 && s2);
    EXPECT_EQ(a1->TotalPhases, 1);
    EXPECT_FLOAT_EQ(s1->StartPoint, 5);
    EXPECT_EQ(a2->TotalPhases, 2);
    EXPECT_EQ(a2->CurrentPhase, 1);
    EXPECT_FLOAT_EQ(a2->Length[1], second.Length[1]);
    EXPECT_FLOAT_EQ(s2->Counter, 7);
    EXPECT_FLOAT_EQ(s2->EndPoint, 9);
    EXPECT_FLOAT_EQ(s2->StartPoint, 11);
    EXPECT_EQ(s.peek(), std::char_traits<char>::eof()) << "nothing left over";
    Game.reset();
}

// Without any bank the image is still wrapped; an empty height grabs nothing, like an empty width.
TEST(ImageEdgeTest, AnImageWithoutABankIsStillWrappedAndAnEmptyHeightGrabsNothing) {
    ImageBank.reset();
    const auto record = CreateGameImage(TImage::Create(2, 2), "loose", 0, nullptr);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "LOOSE");
    const auto image = TImage::Create(4, 4);
    EXPECT_FALSE(GrabImageRect(image.get(), 0, 0, 3, 0));
    EXPECT_FALSE(GrabImageRect(image.get(), 0, 0, 3, -1));
    const auto one = GrabImageRect(image.get(), 3, 3, 1, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->Height(), 1);
    // Of an image with several frames, the first is grabbed.
    const auto frames = TImage::Create(2, 2, 2);
    frames->Lock(0).pixels[0] = 0xff000001u;
    frames->Lock(1).pixels[0] = 0xff000002u;
    const auto first = GrabImageRect(frames.get(), 0, 0, 1, 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Pixels(0).pixels[0], 0xff000001u);
}

// Number 0 has no next file even when file 001 is there; the next of the last allowed number is none.
TEST(FileEdgeTest, NumberZeroAndTheLastNumberHaveNoNextFile) {
    testenv::TempDir dir;
    const std::string prefix = dir.Str() + "level";
    for (const char* name : {"level001.txt", "level010.txt", "level011.txt"})
        testenv::WriteFile(dir.Path() / name, "x");
    EXPECT_EQ(NextNumberedFileName("000", prefix, "txt", 10, "first"), prefix + "first.txt");
    EXPECT_EQ(NextNumberedFileName("9", prefix, "txt", 10, "first"), prefix + "010.txt");
    EXPECT_EQ(NextNumberedFileName("10", prefix, "txt", 10, "first"), prefix + "first.txt");
}

// Loading an ini file writes it straight back in the game's own form: blank lines gone, CR LF endings.
TEST(IniEdgeTest, LoadingWritesTheFileBackWithoutBlankLines) {
    testenv::TempDir dir;
    testenv::WriteFile(dir.Path() / "progress.ini", "level1=1\n\nLEVEL2=0\r\n\r\n");
    const auto ini = LoadIniFile(dir.Str() + "progress");
    EXPECT_EQ(ini->FileName, dir.Str() + "progress");
    EXPECT_EQ(ini->Count(), 2u);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "progress.ini"), "LEVEL1=1\r\nLEVEL2=0\r\n");
}

// Every edge of a triangle, in either winding, leaves out the points on it and takes the points a
// hair inside it; a triangle smaller than a pixel still holds its inside.
TEST(GeometryEdgeTest, EachTriangleEdgeLeavesOutItsOwnPointsAndTakesThoseJustInside) {
    struct TRow {
        float px, py;
        int inside;
    };
    const TRow rows[] = {
        {5, 0, 0},         {5, 5, 0},         {0, 5, 0},      // on the edges
        {5, 0.05f, 1},     {4.96f, 4.96f, 1}, {0.05f, 5, 1},  // a hair inside each of them
        {0.02f, 0.02f, 1},                                    // by the first corner
    };
    for (const TRow& r : rows) {
        EXPECT_EQ(PointInTriangle(r.px, r.py, 0, 0, 10, 0, 0, 10), r.inside) << r.px << "," << r.py;
        EXPECT_EQ(PointInTriangle(r.px, r.py, 0, 0, 0, 10, 10, 0), r.inside) << r.px << "," << r.py;
        EXPECT_EQ(PointInTriangle(r.px, r.py, 10, 0, 0, 10, 0, 0), r.inside) << r.px << "," << r.py;
    }
    EXPECT_EQ(PointInTriangle(0.2f, 0.2f, 0, 0, 1, 0, 0, 1), 1);
    EXPECT_EQ(PointInTriangle(0.2f, 0.2f, 0, 0, 0, 1, 1, 0), 1);
    EXPECT_EQ(PointInTriangle(0.2f, 0.2f, 0, 0, 0.5f, 0, 0, 0.5f), 1);
}

// Text that is nothing but line breaks and blanks, or nothing at all, trims to nothing.
TEST(TrimEdgeTest, NothingButBreaksAndBlanksTrimsToNothing) {
    for (const std::string text : {"", "\r\n", "\n\n\r", " ", "\t\n "})
        EXPECT_EQ(RemoveLineBreaks(text), "") << text;
    EXPECT_EQ(RemoveLineBreaks("\nx\r"), "x");
}

}  // namespace
