// Counters, timing trackers, the name/value list and the numeric helpers at their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Diagnostics.h"
#include "core/ErrorReport.h"
#include "core/FrontEnd.h"
#include "core/Game.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "support/TestEnv.h"

namespace {

class DiagnosticsTest : public ::testing::Test {
  protected:
    int now = 0;
    void SetUp() override {
        SetClockSource([this] { return now; });
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Init();
        Delta = 1.0f;
    }
    void TearDown() override {
        Game.reset();
        SetClockSource(nullptr);
    }
};

TEST_F(DiagnosticsTest, ASecondCounterLastsTwoHundredTicksAndEndsOnceAnEmptyOneNever) {
    TCounter counter = TCounter::Create(1000, 1);
    int ends = 0, ticks = 0;
    for (int i = 0; i < 300; ++i) {
        if (counter.Manage()) {
            ++ends;
            ticks = i + 1;
        }
    }
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(ticks, 200);
    TCounter none = TCounter::Create(0, 1);  // no length: a ratio of zero, no division
    EXPECT_FLOAT_EQ(none.GetRatio(), 0.0f);
    EXPECT_EQ(none.Manage(), 0);
}

TEST_F(DiagnosticsTest, DebugVarMaximumNeverPassesTheDisplayLimit) {
    TDebugVar var;
    var.Init();
    var.Label = "Draw    ";
    var.Start();
    now += 5000;
    var.Calc();
    EXPECT_EQ(var.maximum, 999);
    var.Current = 7;
    EXPECT_EQ(var.GetDisplay(), "Draw    007/999");
}

TEST_F(DiagnosticsTest, DebugPanelShowsThePointerAfterTheVolumes) {
    Game->Debug = 1;
    Game->DebugShowFPSOnly = 0;
    FrontEnd().PointerMoved(*Game, 123, 456);
    TRecordingBackend rec;
    SetDrawBackend(&rec);
    Game->DebugPrint();
    SetDrawBackend(nullptr);
    std::vector<std::string> lines;
    for (const TDrawCommand* text : rec.Find("DrawText"))
        if (lines.empty() || lines.back() != text->text) lines.push_back(text->text);  // shadow passes
    const auto speech = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& line) { return line.rfind("Sp. Vol.", 0) == 0; });
    ASSERT_NE(speech, lines.end());
    ASSERT_GE(lines.end() - speech, 4);
    EXPECT_EQ(speech[1], "Mouse X 123");
    EXPECT_EQ(speech[2], "Mouse Y 456");
    EXPECT_EQ(speech[3].rfind("Screen  ", 0), 0u) << speech[3];
}

TEST(ValueList, ReadsNameEqualsValueLines) {
    testenv::TempDir dir;
    testenv::WriteFile(dir.Path() / "values.txt", "speed=12\r\nname only\nlives=-3\n");
    TValueList list = TValueList::Create((dir.Path() / "values.txt").string());
    ASSERT_EQ(list.Items.size(), 3u);
    EXPECT_EQ(list.GetValueByIndex(2)->value, -3);
    EXPECT_EQ(list.GetValueByIndex(3), nullptr);
    EXPECT_EQ(list.GetValueByIndex(-1), nullptr);
    std::vector<std::string> notices;
    SetErrorNotice([&](const std::string& text) { notices.push_back(text); });
    EXPECT_THROW(TValueList::Create(dir.Str() + "missing.txt"), TRuntimeError);  // fatal, not an empty list
    SetErrorNotice(nullptr);
    EXPECT_EQ(notices, std::vector<std::string>{"Error loading file " + dir.Str() + "missing.txt"});
}

TEST(Utilities, HalvesRoundUp) {
    EXPECT_EQ(Round(-2.5f), -2);
    EXPECT_EQ(Round(2.5f), 3);
}

TEST(Utilities, ADistanceToASegmentOfNoLengthIsTheDistanceToItsPoint) {
    EXPECT_DOUBLE_EQ(PointSegmentDistance(-3, 4, 0, 0, 10, 0), 5.0);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(3, 4, 0, 0, 0, 0), 5.0);
}

TEST(Utilities, NumbersAsTextAreGroupedAndCutNotRounded) {
    EXPECT_EQ(FormatNumber(1234.999, 0, 3), "1,234");
    EXPECT_EQ(FormatNumber(-1234.5, 1, 3), "-1,234.5");
    EXPECT_EQ(FormatNumber(1234.0, 0, 0), "1234");
}

TEST(Utilities, RandomRangesStayInsideAndAnEmptyRangeGivesItsStart) {
    SeedCRand(7);
    for (int i = 0; i < 200; ++i) ASSERT_LE(std::abs(RandRange(-2, 2)), 2);
    EXPECT_EQ(RandRange(5, 1), 5);
}

}  // namespace
