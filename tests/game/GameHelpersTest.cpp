// The game's free helpers: text-block placement (recorded drawing), formatting, splitting, geometry,
// pointer tests, ini records and the animation record with damaged input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
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
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"
#include "presentation/SineCounter.h"
#include "presentation/Sprite.h"
#include "presentation/TestWorld.h"
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
    LetterFont(font);
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

// Through a block font (8 pixels a letter): left, centred and right alignment, the screen-centred form,
// the white option and the font argument.
TEST_F(TextBlockTest, LinesAreAlignedAsAskedInTheGivenFontAndWhiteOnlyWhenAsked) {
    const auto font = MakeBlockFont();
    const auto firstX = [&](float x, int align) {
        rec.calls.clear();
        DrawTextBlock("ab\ncd", x, 50, font, 1, 0, 1, align);
        const auto texts = rec.Find("DrawText");
        return texts.empty() ? -1.0f : texts.back()->args.at(0);
    };
    EXPECT_FLOAT_EQ(firstX(100, 0), 100);
    EXPECT_FLOAT_EQ(firstX(100, 1), 92);
    EXPECT_FLOAT_EQ(firstX(100, 2), 84);
    EXPECT_FLOAT_EQ(firstX(-1, 0), float((ScreenWidth - 16) / 2));
    for (const TDrawCommand* c : rec.Find("DrawText")) EXPECT_EQ(c->state.font, font);
    SetColor(10, 20, 30);
    rec.calls.clear();
    DrawTextBlock("ab", 100, 50, nullptr, 1, 0, 1, 0);
    ASSERT_FALSE(rec.Find("DrawText").empty());
    const TDrawState white = rec.Find("DrawText").back()->state;
    EXPECT_EQ(std::vector<int>({white.red, white.green, white.blue}), std::vector<int>({255, 255, 255}));
    SetColor(10, 20, 30);
    rec.calls.clear();
    DrawTextBlock("ab", 100, 50, nullptr, 0, 0, 1, 0);
    const auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u) << "the text and its shadow";
    EXPECT_EQ(texts.back()->state.red, 10);
    EXPECT_EQ(texts.back()->state.font, font) << "a null font keeps the current one";
}

// A bitmap-font line: its shadow is an extra pass, and centring moves it left by half its width.
TEST_F(TextBlockTest, SpacedLinesDrawTheirShadowOnlyWhenAskedAndCentreOnX) {
    TBitmapFont font;
    LetterFont(font);
    const auto glyphs = [&](int shadow, int centred) {
        rec.calls.clear();
        DrawTextBlockSpaced("AA\nA", 100, 300, &font, 0, shadow, centred, 0);
        std::vector<std::vector<float>> places;  // copies: the next call clears the recording
        for (const TDrawCommand* c : rec.Find("DrawSubImageRect")) places.push_back(c->args);
        return places;
    };
    const auto plain = glyphs(0, 0);
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_FLOAT_EQ(plain[2].at(1) - plain[0].at(1), 25) << "lines 25 apart";
    // The shadow pass lies under the text at one fixed offset, line by line, centred or not.
    for (int centredRows = 0; centredRows < 2; ++centredRows) {
        const auto both = glyphs(1, centredRows);
        ASSERT_EQ(both.size(), 6u);
        // Each line draws its shadow, then its text: "AA" shadow, "AA", "A" shadow, "A".
        const float dx = both[2].at(0) - both[0].at(0), dy = both[2].at(1) - both[0].at(1);
        EXPECT_FLOAT_EQ(both[3].at(0) - both[1].at(0), dx) << centredRows;
        EXPECT_FLOAT_EQ(both[5].at(0) - both[4].at(0), dx) << centredRows;
        EXPECT_FLOAT_EQ(both[5].at(1) - both[4].at(1), dy) << centredRows;
    }
    const auto centred = glyphs(0, 1);
    ASSERT_EQ(centred.size(), 3u);
    EXPECT_FLOAT_EQ(plain[0].at(0) - centred[0].at(0), float(font.StringWidth("AA") / 2));
    EXPECT_NEAR(plain[2].at(0) - centred[2].at(0), float(font.StringWidth("A") / 2), 0.5f);  // whole pixels
    rec.calls.clear();
    DrawTextLine("A", 0, 0, nullptr, 1, 1, 1, 1);
    DrawTextBlockSpaced("A", 0, 0, nullptr, 0, 1, 1, 0);
    EXPECT_TRUE(rec.calls.empty()) << "no font, nothing drawn";
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

// Times, money and trimmed text as the screens show them, at every boundary of their digit handling.
TEST(FormattingTest, TimesMoneyAndTrimmedTextAtTheirBoundaries) {
    const std::pair<int, std::string> hundredths[] = {
        {0, "0.0"}, {50, "0.5"}, {100, "0.10"}, {1000, "1.00"}, {12345, "12.34"}};
    for (const auto& [ms, text] : hundredths) EXPECT_EQ(FormatSecondsHundredths(ms), text) << ms;
    const std::pair<int, std::string> seconds[] = {{0, "0"}, {999, "0"}, {1000, "1"}, {12345, "12"}};
    for (const auto& [ms, text] : seconds) EXPECT_EQ(FormatSeconds(ms), text) << ms;
    const std::pair<long long, std::string> dollars[] = {
        {0, "$0"},
        {999, "$999"},
        {1000, "$1,000"},
        {1234567, "$1,234,567"},
        {-5, "-$5"},
        {-1000, "-$1,000"},
        {-9223372036854775807LL - 1, "-$9,223,372,036,854,775,808"}};
    for (const auto& [n, text] : dollars) EXPECT_EQ(FormatDollars(n), text) << n;
    EXPECT_EQ(StripLeadingZeros("00120"), "120");
    EXPECT_EQ(StripLeadingZeros("5"), "5");
    const std::pair<std::string, std::string> trimmed[] = {
        {"  a\r\nb \n", "ab"}, {" a b ", "a b"}, {"\t\x01x", "x"}, {"!a!", "!a!"}, {" \r\n ", ""}};
    for (const auto& [text, result] : trimmed) EXPECT_EQ(RemoveLineBreaks(text), result) << text;
}

TEST(SplittingTest, EachSeparatorSplitsOnlyAtItselfAndLettersAndDigitsAreAlphanumeric) {
    EXPECT_EQ(SplitByEquals("KEY=va-l,ue=x"), (std::vector<std::string>{"KEY", "va-l,ue", "x"}));
    EXPECT_EQ(SplitByDash("-a=b-"), (std::vector<std::string>{"", "a=b"}));
    EXPECT_EQ(SplitByComma("a-b,c"), (std::vector<std::string>{"a-b", "c"}));
    EXPECT_TRUE(SplitByComma("").empty());
    for (int c : {'a', 'z', 'A', 'Z', '0', '9', 'm'}) EXPECT_EQ(IsAlphaNumeric(c), 1) << char(c);
    for (int c : {int('`'), int('{'), int('@'), int('['), int('/'), int(':'), int(' '), 200})
        EXPECT_EQ(IsAlphaNumeric(c), 0) << c;
}

TEST(GeometryTest, DistancesPercentagesAnglesAndTrianglesOfEitherWinding) {
    EXPECT_FLOAT_EQ(Distance2D(0, 0, 3, 4), 5);
    EXPECT_FLOAT_EQ(Distance2D(5, 10, 2, 6), 5);
    EXPECT_FLOAT_EQ(Distance2D(1.9f, 0, 0, 0), 1);  // whole pixels only
    EXPECT_EQ(PercentOf(50, 80), 40);
    EXPECT_EQ(PercentOf(25, 10), 2);
    EXPECT_EQ(AsPercentage(200, 50), 25);
    const std::pair<float, float> angles[] = {{10, 10},     {360, 360}, {361, 1},  {725, 5},
                                              {-360, -360}, {-361, -1}, {-725, -5}};
    for (const auto& [angle, wrapped] : angles) EXPECT_FLOAT_EQ(WrapAngle(angle), wrapped) << angle;
    // Both windings, a point just inside and one just past each edge.
    for (int winding = 0; winding < 2; ++winding) {
        const auto in = [&](float px, float py) {
            return winding == 0 ? PointInTriangle(px, py, 0, 0, 10, 0, 0, 10)
                                : PointInTriangle(px, py, 0, 0, 0, 10, 10, 0);
        };
        EXPECT_EQ(in(1, 1), 1);
        EXPECT_EQ(in(1, -1), 0);
        EXPECT_EQ(in(-1, 1), 0);
        EXPECT_EQ(in(6, 6), 0);
        EXPECT_EQ(in(4, 4), 1);
    }
}

// The clicked point inside the box or on its edges hits it; one pixel past any edge does not.
TEST(PointerTest, BoxAndSpriteHitsIncludeEveryEdgeAndNothingPast) {
    const auto hit = [](int x, int y) {
        QDMouseClicks.x = x;
        QDMouseClicks.y = y;
        return MouseInBox(10, 20, 30, 40);
    };
    const std::tuple<int, int, int> rows[] = {{10, 20, 1}, {30, 40, 1}, {20, 30, 1}, {9, 30, 0},
                                              {31, 30, 0}, {20, 19, 0}, {20, 41, 0}};
    for (const auto& [x, y, inside] : rows) EXPECT_EQ(hit(x, y), inside) << x << "," << y;
    TSprite sprite;
    sprite.x = 10;
    sprite.y = 20;
    sprite.w = 5;
    sprite.h = 6;
    const std::tuple<int, int, int> spriteRows[] = {{15, 26, 1}, {10, 20, 1}, {16, 26, 0}, {15, 27, 0}};
    for (const auto& [x, y, inside] : spriteRows) {
        QDMouseClicks.x = x;
        QDMouseClicks.y = y;
        EXPECT_EQ(IsMouseOverSprite(&sprite), inside) << x << "," << y;
    }
    EXPECT_EQ(MouseInRect(0, 0, 100, 100), 0) << "no game, no pointer";
}

TEST(ImageTest, AWrappedImageIsFoundInTheGivenBankOrTheGameBankByItsUpperCaseName) {
    TImageBank bank;
    auto image = TImage::Create(4, 2);
    const auto record = CreateGameImage(image, "Panel", 1, &bank);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "PANEL");
    EXPECT_EQ(bank.Map.at("PANEL"), record);
    ImageBank = std::make_unique<TImageBank>();
    const auto global = CreateGameImage(image, "other", 0, nullptr);
    EXPECT_EQ(ImageBank->Map.at("OTHER"), global);
    ImageBank.reset();
}

// The next numbered file exists only for a number from 1 up to one below the maximum.
TEST(FileTest, TheNextNumberedFileIsChosenOnlyWhenItExistsAndIsInRange) {
    testenv::TempDir dir;
    const std::string prefix = dir.Str() + "level";
    for (const char* name : {"level002.txt", "level006.txt", "level010.txt"})
        testenv::WriteFile(dir.Path() / name, "x");
    struct TRow {
        std::string path;
        int max;
        std::string next;
    };
    const TRow rows[] = {{"levels/001.txt", 10, "002"},
                         {"005.txt", 10, "006"},
                         {"9", 10, "010"},
                         {"9", 9, "first"},
                         {"5", 5, "first"},
                         {"0", 10, "first"},
                         {"3", 10, "first"},
                         {"x", 10, "first"}};
    for (const TRow& row : rows)
        EXPECT_EQ(NextNumberedFileName(row.path, prefix, "txt", row.max, "first"), prefix + row.next + ".txt")
            << row.path << " " << row.max;
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
    EXPECT_EQ(s.str().substr(s.str().size() - 4), std::string(4, '\0')) << "an absent animation is a zero";
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

namespace {

// A record with every field set apart, written by hand: present flag, seven ints around the counter, the
// phase lengths.
std::string AnimationBytes(std::int32_t total, std::int32_t phase) {
    std::stringstream s;
    const auto put = [&](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) s.put(char((v >> (8 * k)) & 0xff));
    };
    put(1);
    put(1);                                                                            // active
    put(0x40200000u);                                                                  // counter 2.5
    put(std::uint32_t(phase));                                                         // current phase
    put(3);                                                                            // cycle
    put(0);                                                                            // finished
    put(1);                                                                            // leave active
    put(1);                                                                            // reverse
    put(std::uint32_t(total));                                                         // phases
    for (int i = 0; i < std::max(total, 0); ++i) put(0x41200000u + std::uint32_t(i));  // 10.0 and just above
    return s.str();
}

TEST_F(StreamRecordTest, EveryAnimationFieldIsReadFromItsPlaceAndOutOfRangePhasesAreRefused) {
    std::istringstream good(AnimationBytes(2, 1));
    const auto a = ReadAnimation(good);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Active, 1);
    EXPECT_FLOAT_EQ(a->Counter, 2.5f);
    EXPECT_EQ(a->CurrentPhase, 1);
    EXPECT_EQ(a->Cycle, 3);
    EXPECT_EQ(a->Finished, 0);
    EXPECT_EQ(a->LeaveActive, 1);
    EXPECT_EQ(a->Reverse, 1);
    EXPECT_EQ(a->OriginalReverse, 1);
    EXPECT_EQ(a->TotalPhases, 2);
    EXPECT_FLOAT_EQ(a->Length[0], 10.0f);
    EXPECT_GT(a->Length[1], 10.0f);
    // Written back byte for byte.
    std::stringstream again;
    WriteAnimation(again, a.get());
    EXPECT_EQ(again.str(), AnimationBytes(2, 1));
    const std::pair<int, int> damaged[] = {{0, 0}, {-1, 0}, {2, 2}, {2, -1}, {TAnimation::MAX_PHASES + 1, 0}};
    for (const auto& [total, phase] : damaged) {
        std::istringstream in(AnimationBytes(total, phase));
        EXPECT_FALSE(ReadAnimation(in)) << total << " " << phase;
    }
    std::istringstream full(AnimationBytes(TAnimation::MAX_PHASES, TAnimation::MAX_PHASES - 1));
    EXPECT_TRUE(ReadAnimation(full));
    // Cut anywhere in the fixed part, the record is refused too.
    for (std::size_t length : {0u, 3u, 4u, 8u, 12u, 35u}) {
        std::istringstream cut(AnimationBytes(2, 1).substr(0, length));
        EXPECT_FALSE(ReadAnimation(cut)) << length;
    }
}

TEST(PrintTest, PrintedTextEndsItsLine) {
    std::ostringstream captured;
    std::streambuf* old = std::cout.rdbuf(captured.rdbuf());
    PrintText("first");
    PrintText("");
    std::cout.rdbuf(old);
    EXPECT_EQ(captured.str(), "first\n\n");
}

TEST_F(StreamRecordTest, SineCountersRoundTripInWholeUnitsAndDamagedOnesGiveNull) {
    TSineCounter c;
    c.Counter = 12.7f;
    c.EndPoint = 360;
    c.ratio = -3;
    c.Speed = 4;
    c.StartPoint = 90;
    std::stringstream s;
    WriteSineCounter(s, &c);
    WriteSineCounter(s, nullptr);
    const std::string bytes = s.str();
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\1\0\0\0", 4));
    EXPECT_EQ(bytes.substr(24), std::string(4, '\0')) << "an absent counter is a zero";
    const auto back = ReadSineCounter(s);
    ASSERT_TRUE(back);
    EXPECT_FLOAT_EQ(back->Counter, 12);
    EXPECT_FLOAT_EQ(back->EndPoint, 360);
    EXPECT_FLOAT_EQ(back->ratio, -3);
    EXPECT_FLOAT_EQ(back->Speed, 4);
    EXPECT_FLOAT_EQ(back->StartPoint, 90);
    EXPECT_FALSE(ReadSineCounter(s)) << "the absent record";
    std::istringstream truncated(bytes.substr(0, 23));
    EXPECT_FALSE(ReadSineCounter(truncated));
}

}  // namespace
