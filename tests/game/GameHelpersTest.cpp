// The game's free helpers: text-block placement (recorded drawing), formatting, splitting, geometry,
// pointer tests, ini records and the animation record with damaged input.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "game/GameHelpers.h"
#include "game/QDMouse.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "presentation/Animation.h"
#include "presentation/BitmapFont.h"
#include "presentation/MousePointer.h"
#include "support/TestEnv.h"

namespace {

// The y of each text pass (shadow passes excluded: they are the ones drawn first, in black).
std::vector<float> TextRows(const TRecordingBackend& rec) {
    std::vector<float> rows;
    for (const TDrawCommand* c : rec.Find("DrawText"))
        if (c->state.red == 255) rows.push_back(c->args.at(1));
    return rows;
}

class TextBlockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDrawStateDefaults();
        SetDrawBackend(&rec);
    }
    void TearDown() override {
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
    }
    TRecordingBackend rec;
};

TEST_F(TextBlockTest, AnchoredAtTheBottomTheLastLineSitsAtYAndEmptyTextDrawsNothing) {
    DrawTextBlock("one\ntwo\r\nthree", 285, 565, nullptr, 1, 1, 1, 0);
    EXPECT_EQ(TextRows(rec), (std::vector<float>{515, 540, 565}));
    const auto texts = rec.Find("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back()->text, "three");  // the CR before the LF is dropped
    rec.calls.clear();
    DrawTextBlock("", 10, 100, nullptr, 1, 0, 1, 0);
    EXPECT_TRUE(rec.calls.empty());
}

// Through a bitmap font: centred on y by the given spacing, or with its last line at y.
TEST_F(TextBlockTest, SpacedBlockIsCentredOnYOrAnchoredAtItsLastLine) {
    TBitmapFont font;
    font.ParseFnt(
        "common lineHeight=18 base=14 scaleW=64 scaleH=64 pages=1\r\n"
        "char id=65 x=0 y=0 width=8 height=8 xoffset=0 yoffset=0 xadvance=9 page=0\r\n",
        0);
    font.Image = TImage::FromPixmap(TPixmap(64, 64, 0xFFFFFFFFu), 0);
    const auto firstLineY = [&](int anchorBottom, float spacing) {
        rec.calls.clear();
        DrawTextBlockSpaced("A\nA\nA", 100, 300, &font, anchorBottom, 0, 0, spacing);
        const auto glyphs = rec.Find("DrawSubImageRect");
        return glyphs.empty() ? -1.0f : glyphs.front()->args.at(1);
    };
    const float plain = firstLineY(0, 0);
    EXPECT_FLOAT_EQ(firstLineY(0, 10), plain - 10);  // three lines: up by one spacing
    EXPECT_FLOAT_EQ(firstLineY(1, 10), plain - 50);  // two lines of 25 above y
}

TEST(FormattingTest, NumbersAsTextKeepTheirSignAndDropOnlyLeadingZeros) {
    EXPECT_EQ(FormatSecondsHundredths(50), "0.5");
    EXPECT_EQ(FormatDollars(-123456), "-$123,456");
    EXPECT_EQ(StripLeadingZeros("000"), "");
    EXPECT_EQ(AsPercentage(0, 50), 0);  // no division by zero
}

TEST(SplittingTest, CommaListsKeepInnerEmptyFieldsAndDropTheTrailingOne) {
    EXPECT_EQ(SplitByComma("a,,b,"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(GeometryTest, AnglesWrapAndTrianglesHoldOnlyTheirInside) {
    EXPECT_FLOAT_EQ(WrapAngle(-400), -40);
    EXPECT_EQ(PointInTriangle(1, 1, 0, 0, 0, 10, 10, 0), 1);
    EXPECT_EQ(PointInTriangle(0, 5, 0, 0, 10, 0, 0, 10), 0);  // on an edge is outside
    EXPECT_EQ(PointInTriangle(1, 1, 0, 0, 5, 5, 10, 10), 0);  // a flat triangle holds nothing
}

TEST(PointerTest, RectIsStrictBoxIncludesItsEdgesAndNoSpriteIsNeverHit) {
    Game = std::make_unique<TGame>();
    Game->Mouse = std::make_shared<TMousePointer>();
    Game->Mouse->x = 10;
    Game->Mouse->y = 20;
    EXPECT_EQ(MouseInRect(10, 19, 11, 21), 0);
    QDMouseClicks.x = 10;
    QDMouseClicks.y = 20;
    EXPECT_EQ(MouseInBox(10, 20, 30, 40), 1);
    EXPECT_EQ(IsMouseOverSprite(nullptr), 0);
    Game.reset();
}

// The pointer on any edge of the rectangle is outside it.
TEST(PointerTest, RectLeavesOutEachOfItsEdges) {
    Game = std::make_unique<TGame>();
    Game->Mouse = std::make_shared<TMousePointer>();
    const std::pair<int, int> points[] = {{10, 25}, {30, 25}, {20, 20}, {20, 30}, {20, 25}};
    for (const auto& [x, y] : points) {
        Game->Mouse->x = x;
        Game->Mouse->y = y;
        EXPECT_EQ(MouseInRect(10, 20, 30, 30), x == 20 && y == 25 ? 1 : 0) << x << "," << y;
    }
    Game.reset();
}

TEST(ImageTest, GrabbedRectCopiesPixelsAndRefusesEmptyOrMissingSources) {
    auto image = TImage::Create(4, 4);
    image->Lock(0).pixels[1 * 4 + 2] = 0xff112233u;
    auto part = GrabImageRect(image.get(), 2, 1, 2, 2);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->Width(), 2);
    EXPECT_EQ(part->Pixels(0).pixels[0], 0xff112233u);
    EXPECT_FALSE(GrabImageRect(image.get(), 0, 0, 0, 3));
    EXPECT_FALSE(GrabImageRect(nullptr, 0, 0, 1, 1));
}

TEST(FileTest, IniRecordsAreAppendedOnceAndConflictsLeftAlone) {
    testenv::TempDir dir;
    const std::string name = dir.Str() + "progress";
    testenv::WriteFile(dir.Path() / "progress.ini", "OTHER=2\r\n");
    IniFileRecordValue(name, "levels/level7.txt", "1");
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "progress.ini"), "OTHER=2\r\nLEVEL7=1\r\n");
    IniFileRecordValue(name, "levels/level7.txt", "1");
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "progress.ini"), "OTHER=2\r\nLEVEL7=1\r\n");
    IniFileRecordValue(name, "level7", "0");  // a different value is not replaced
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "progress.ini"), "OTHER=2\r\nLEVEL7=1\r\n");
    auto ini = LoadIniFile(name);
    ASSERT_NE(ini->Find("level7"), nullptr);
    EXPECT_EQ(*ini->Find("level7"), "1");
}

// A progress file far too large to be real is kept aside, not written over, and the player told once.
TEST(FileTest, AProgressFileThatCannotBeReadInFullIsKeptAside) {
    testenv::TempDir dir;
    std::vector<std::string> notices;
    SetErrorNotice([&](const std::string& text) { notices.push_back(text); });
    const std::string savedLogFolder = LogFolder;
    LogFolder = dir.Str();
    const std::string huge = "LEVEL1=1\r\n" + std::string(MaxIniFileBytes, 'x');
    testenv::WriteFile(dir.Path() / "progress.ini", huge);
    IniFileRecordValue(dir.Str() + "progress", "level7", "1");
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "progress.ini.unreadable"), huge);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "progress.ini"), "LEVEL7=1\r\n");
    EXPECT_EQ(notices.size(), 1u);
    SetErrorNotice(nullptr);
    LogFolder = savedLogFolder;
}

// Animations measure their phases in ticks of the application object.
class StreamRecordTest : public ::testing::Test {
  protected:
    void SetUp() override { Game = std::make_unique<TGame>(); }
    void TearDown() override { Game.reset(); }
};

TEST_F(StreamRecordTest, AnimationRoundTripAndNull) {
    TAnimation a;
    a.Init(100, 1, 0, 3, 0);
    a.AddPhase(250);
    a.Counter = 7.5f;
    a.CurrentPhase = 1;
    a.Finished = 1;
    std::stringstream s;
    WriteAnimation(s, &a);
    WriteAnimation(s, nullptr);
    auto back = ReadAnimation(s);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->TotalPhases, 2);
    EXPECT_FLOAT_EQ(back->Counter, 7.5f);
    EXPECT_EQ(back->Finished, 1);
    EXPECT_FLOAT_EQ(back->Length[1], a.Length[1]);
    EXPECT_FALSE(ReadAnimation(s));
}

// A one-phase animation, and each end of a longer one, read back as written.
TEST_F(StreamRecordTest, AnimationsOfOnePhaseAndAtEitherEndRoundTrip) {
    const std::pair<int, int> rows[] = {{1, 0}, {2, 0}, {2, 1}};  // phases, current phase
    for (const auto& [phases, phase] : rows) {
        TAnimation a;
        a.Init(100, 1, 0, 3, 0);
        if (phases == 2) a.AddPhase(250);
        a.CurrentPhase = phase;
        std::stringstream s;
        WriteAnimation(s, &a);
        const auto back = ReadAnimation(s);
        ASSERT_TRUE(back) << phases << " " << phase;
        EXPECT_EQ(back->TotalPhases, phases);
        EXPECT_EQ(back->CurrentPhase, phase);
    }
}

TEST_F(StreamRecordTest, DamagedAnimationRecordsGiveNull) {
    TAnimation a;
    a.Init(100, 0, 0, 0, 0);
    std::stringstream good;
    WriteAnimation(good, &a);
    const std::string bytes = good.str();
    std::istringstream truncated(bytes.substr(0, bytes.size() - 2));
    EXPECT_FALSE(ReadAnimation(truncated));
    std::string huge = bytes;
    huge[32] = char(0xff);  // TotalPhases far beyond the phase table
    huge[33] = char(0x7f);
    std::istringstream bad(huge);
    EXPECT_FALSE(ReadAnimation(bad));
}

}  // namespace
