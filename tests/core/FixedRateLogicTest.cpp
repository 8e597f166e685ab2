// Frame time to logic ticks: whole ticks, the fraction, the 50 ms cap, a clock that goes back.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/Game.h"
#include "platform/Clock.h"

namespace {

// Records the Delta of every logic call instead of running a game.
class RecordingGame : public TGame {
  public:
    std::vector<float> deltas;
    int LogicWrapper() override {
        deltas.push_back(Delta);
        return 1;
    }
};

class FixedRateLogicTest : public ::testing::Test {
  protected:
    int now = 10000;
    RecordingGame* game = nullptr;

    void SetUp() override {
        SetClockSource([this] { return now; });
        auto g = std::make_unique<RecordingGame>();
        game = g.get();
        Game = std::move(g);
        Game->FixedRateLogic->JitterCorrection = 0;
        Game->FixedRateLogic->Create();
        Game->FixedRateLogic->Init();
    }
    void TearDown() override {
        Game.reset();
        SetClockSource(nullptr);
    }

    std::vector<float> Frame(int ms) {
        now += ms;
        game->deltas.clear();
        EXPECT_EQ(Game->MainLogicLoop(), 1);
        return game->deltas;
    }
};

TEST_F(FixedRateLogicTest, FramesBecomeWholeTicksAndAFractionUpToFiftyMilliseconds) {
    const std::pair<int, std::vector<float>> cases[] = {
        {12, {1.0f, 1.0f, 0.4f}},
        {10, {1.0f, 1.0f}},                  // no fraction
        {80, std::vector<float>(10, 1.0f)},  // long frames count 50 ms
    };
    for (const auto& [ms, expected] : cases) {
        const auto d = Frame(ms);
        ASSERT_EQ(d.size(), expected.size()) << ms;
        for (size_t i = 0; i < d.size(); ++i) EXPECT_NEAR(d[i], expected[i], 1e-5) << ms;
    }
}

TEST_F(FixedRateLogicTest, TheFirstFrameCountsFromInitAndAClockGoingBackRepeatsTheLast) {
    now += 5000;  // start-up took long: none of it counts
    Game->FixedRateLogic->Init();
    EXPECT_EQ(Frame(5).size(), 1u);
    Frame(15);
    now -= 1000;
    game->deltas.clear();
    Game->MainLogicLoop();
    EXPECT_EQ(game->deltas.size(), 3u);
    // And the next frame is measured from the new reading.
    EXPECT_EQ(Frame(5).size(), 1u);
}

TEST_F(FixedRateLogicTest, ConversionsNeverDivideByZero) {
    TGame fresh;
    fresh.FixedRateLogic->Framerate = 0.0f;
    fresh.FixedRateLogic->CalcMS();
    EXPECT_TRUE(std::isfinite(fresh.CalcAnimLength(500)));
    fresh.CurrentSpeed = 0.0f;
    EXPECT_TRUE(std::isfinite(fresh.CalcAnimLength(500)));
}

}  // namespace
