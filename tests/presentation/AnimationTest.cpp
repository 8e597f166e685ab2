// Phase animation: tick-exact timing with fractional ticks, passes, ping-pong, held ends, phase table.
#include "TestWorld.h"
#include "presentation/Animation.h"

namespace {

using AnimationTest = TestWorld;

TEST_F(AnimationTest, TimingIsTickExactInEitherDirection) {
    auto anim = TAnimation::Create(500, 0, 0, 0, 0);  // 100 ticks, counting down
    anim->Start();
    int ended = 0;
    for (int i = 1; i <= 99; ++i) ended += anim->Manage();
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(anim->Manage(), 1);
    EXPECT_EQ(anim->Active, 0);
    EXPECT_EQ(anim->Finished, 1);

    // 0.25 is exact in binary, so 396 quarter ticks are 99 ticks and the 400th call reaches 0.
    anim = TAnimation::Create(500, 0, 0, 0, 0);
    anim->Start();
    Delta = 0.25f;
    int calls = 1;
    while (anim->Manage() == 0) ++calls;
    EXPECT_EQ(calls, 400);
    Delta = 1.0f;

    auto up = TAnimation::Create(50, 0, 1, 0, 0);  // 10 ticks, counting up: ends only past the length
    up->Start();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(up->Manage(), 0) << i;
    EXPECT_EQ(up->Manage(), 1);
}

TEST_F(AnimationTest, StartedAgainItGoesOnWithWhatIsLeft) {
    auto anim = TAnimation::Create(50, 0, 0, 0, 0);  // 10 ticks, counting down
    anim->Start();
    Ticks(9, 1.0f, [&] { anim->Manage(); });
    Delta = 0.5f;
    EXPECT_EQ(anim->Manage(), 0);
    anim->Start();  // half a tick left
    EXPECT_EQ(anim->Manage(), 1);
    Delta = 1.0f;
}

TEST_F(AnimationTest, CyclingPassesPingPongAndStopAtLoopTotal) {
    auto anim = TAnimation::Create(50, 0, 0, 1, 1);  // 10 ticks, ping-pong
    anim->LoopTotal = 4;
    anim->Start();
    int ends = 0;
    for (int i = 0; i < 200 && anim->Active; ++i) ends += anim->Manage();
    EXPECT_EQ(ends, 4);
    EXPECT_EQ(anim->Finished, 1);

    anim = TAnimation::Create(50, 0, 0, 1, 1);
    anim->Start();
    Ticks(9, 1.0f, [&] { anim->Manage(); });
    Delta = 1.5f;  // from 1 to -0.5: the half tick carries into the way back
    EXPECT_EQ(anim->Manage(), 1);
    Delta = 1.0f;
    EXPECT_FLOAT_EQ(anim->Counter, 0.5f);
    EXPECT_EQ(anim->Reverse, 1);
    EXPECT_EQ(anim->Direction, 0);
    // Stopped on its way back, the animation ends that pass at once.
    anim->LoopTotal = anim->LoopCount + 1;
    anim->Stop();
    EXPECT_EQ(anim->Finished, 1);
}

TEST_F(AnimationTest, HeldCyclingAnimationStaysFinishedPastItsLoopTotal) {
    auto anim = TAnimation::Create(50, 1, 0, 1, 0);
    anim->LoopTotal = 2;
    anim->Start();
    Ticks(20, 1.0f, [&] { anim->Manage(); });
    ASSERT_EQ(anim->Finished, 1);
    ASSERT_EQ(anim->Active, 1);
    // Every later tick ends the held pass again; it must not start cycling.
    Ticks(30, 1.0f, [&] { EXPECT_EQ(anim->Manage(), 1); });
    EXPECT_EQ(anim->Finished, 1);
    EXPECT_FLOAT_EQ(anim->Counter, 0.0f);
    EXPECT_FLOAT_EQ(anim->GetRatio(), 0.0f);
}

TEST_F(AnimationTest, PhasesRunInOrderAndTheTableRefusesMoreThanFifty) {
    auto anim = TAnimation::Create(50, 0, 0, 0, 0);  // 10 ticks
    anim->AddPhase(25);                              // 5 ticks
    anim->InsertPhase(100, 0);                       // 20 ticks, now first
    ASSERT_EQ(anim->TotalPhases, 3);
    anim->Start();
    EXPECT_FLOAT_EQ(anim->Counter, 20.0f);
    Ticks(20, 1.0f, [&] { anim->Manage(); });
    EXPECT_EQ(anim->CurrentPhase, 1);
    EXPECT_FLOAT_EQ(anim->Counter, 10.0f) << "no overshoot into the next phase";
    Ticks(15, 1.0f, [&] { anim->Manage(); });
    EXPECT_EQ(anim->Active, 0);

    TAnimation full;
    full.Init(10, 0, 0, 0, 0);
    for (int i = 1; i < TAnimation::MAX_PHASES; ++i) ASSERT_EQ(full.AddPhase(10), 0);
    EXPECT_EQ(full.AddPhase(10), -1);
    EXPECT_EQ(full.InsertPhase(10, 0), -1);
    EXPECT_EQ(full.TotalPhases, TAnimation::MAX_PHASES);
}

TEST_F(AnimationTest, ZeroLengthPhaseCountsAsFinished) {
    auto down = TAnimation::Create(0, 1, 0, 0, 0);
    auto up = TAnimation::Create(0, 1, 1, 0, 0);
    EXPECT_FLOAT_EQ(down->GetRatio(), 0.0f);
    EXPECT_FLOAT_EQ(up->GetRatio(), 1.0f);
    EXPECT_EQ(up->GetAnimFrame(8), 7);
    down->Start();
    EXPECT_EQ(down->Manage(), 1);
    EXPECT_EQ(down->Finished, 1);
}

}  // namespace
