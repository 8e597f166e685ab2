// Particles: fades, phases, kills during list walks, generators and random bounds.
#include "TestWorld.h"
#include "platform/Image.h"
#include "platform/Random.h"
#include "presentation/Particles.h"

namespace {

class ParticlesTest : public TestWorld {
  protected:
    std::shared_ptr<TGameImage> Dot() { return TGameImage::CreateFromImage(TImage::Create(4, 4), "DOT", 1); }
    std::shared_ptr<TParticle> Add(TParticleList& list, float fadeMs) {
        return list.AddNew(100, 100, Dot(), 0, 0, 0, fadeMs, 0, 0, 0, 1, 0, 0, 0);
    }
};

TEST_F(ParticlesTest, FadeOutOverHundredTicksThenLeavesTheList) {
    TParticleList list;
    auto p = Add(list, 500);
    Ticks(50, 1.0f, [&] { list.Manage(); });
    list.Draw();
    EXPECT_FLOAT_EQ(p->Alpha, 0.5f);
    Ticks(49, 1.0f, [&] { list.Manage(); });
    EXPECT_EQ(list.Count(), 1);
    list.Manage();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(p->active, 0);
}

TEST_F(ParticlesTest, LastPhaseEndingKillsAfterItsFunction) {
    TParticleList list;
    auto p = Add(list, 0);
    int ended = 0;
    p->AddPhase(10)->UserFunction = [&](TParticle*) { ++ended; };
    p->AddPhase(0)->UserFunction = [&](TParticle*) { ++ended; };  // a phase of no length ends at once
    p->StartPhases();
    Ticks(2, 1.0f, [&] { list.Manage(); });
    EXPECT_EQ(ended, 1);
    list.Manage();
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ParticlesTest, APhaseGivesTheParticleItsSpeed) {
    TParticleList list;
    auto p = Add(list, 0);
    p->AddPhase(10);  // two ticks standing still
    p->AddPhase(1000)->dx = 3;
    p->StartPhases();
    Ticks(5, 1.0f, [&] { list.Manage(); });
    const float x = p->x;
    list.Manage();
    EXPECT_FLOAT_EQ(p->x - x, 3);
}

TEST_F(ParticlesTest, EveryParticleIsRemovedAndReportedOnce) {
    TParticleList list;
    auto a = Add(list, 0);
    auto b = Add(list, 0);
    int kills = 0;
    a->UserKill = [&](TParticle*) { ++kills; };
    a->Kill();
    a->Kill();
    EXPECT_EQ(kills, 1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items().at(0), b);

    auto p = list.AddNew(100, 100, Dot(), 0, 0, 0, 5, 0, 0, 0, 0.5f, -1.0f, 5, 0);  // everything ends at once
    p->UserKill = [&](TParticle*) { ++kills; };
    list.Manage();
    EXPECT_EQ(kills, 2);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(ParticlesTest, WalkSurvivesParticlesLeavingDuringIt) {
    TParticleList list;
    auto a = Add(list, 0);
    auto b = Add(list, 0);
    auto c = Add(list, 0);
    a->AttachedParticle = b;  // killing a takes b, which the walk has not reached yet
    int visitedB = 0;
    b->UserMove = [&](TParticle*) { ++visitedB; };
    a->UserMove = [](TParticle* self) { self->Kill(); };
    list.Manage();
    EXPECT_EQ(visitedB, 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items().at(0), c);
}

TEST_F(ParticlesTest, AddFirstDuringWalkLandsInFrontAfterIt) {
    TParticleList list;
    auto a = Add(list, 0);
    std::shared_ptr<TParticle> added;
    a->UserMove = [&](TParticle*) {
        if (!added) added = list.AddNew(1, 1, Dot(), 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1);
    };
    list.Manage();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items().front(), added);
}

TEST_F(ParticlesTest, GeneratorsEmitTheirQuantityThenStop) {
    TParticleGeneratorList gens;
    int made = 0;
    gens.Add(0, 0, 3, 50, [&](TParticleGenerator*) { ++made; });  // one now, then every 10 ticks
    EXPECT_EQ(made, 1);
    Ticks(20, 1.0f, [&] { gens.Manage(); });
    EXPECT_EQ(made, 3);
    EXPECT_EQ(gens.Count(), 0);
    auto single = TParticleGenerator::Create(
        0, 0, 1, 50, [&](TParticleGenerator*) { ++made; }, 0, 0, 1);
    Ticks(100, 1.0f, [&] { single->Manage(); });
    EXPECT_EQ(made, 4) << "a generator of one emits only its first particle";
    auto never = TParticleGenerator::Create(
        0, 0, 5, 0, [&](TParticleGenerator*) { ++made; }, 0, 0, 0);
    EXPECT_EQ(never->Manage(), 0);
}

// A phase sets the particle's alpha only when it names one.
TEST_F(ParticlesTest, APhaseChangesTheDrawnAlphaOnlyWhenItSetsOne) {
    for (int alpha : {-1, 0}) {
        TParticleList list;
        auto p = Add(list, 0);
        p->AddPhase(1000)->Alpha = alpha;
        p->StartPhases();
        rec.calls.clear();
        list.Draw();
        ASSERT_FALSE(rec.calls.empty());
        EXPECT_FLOAT_EQ(rec.calls.back().state.alpha, alpha == -1 ? 1.0f : 0.0f) << "phase alpha " << alpha;
    }
}

TEST(Random, BoundsInEitherOrder) {
    SeedRnd(7);
    for (int i = 0; i < 200; ++i) {
        int r = Rand(5, 2);
        ASSERT_GE(r, 2);
        ASSERT_LE(r, 5);
        float f = Rnd(3.0f, 1.0f);
        ASSERT_GE(f, 1.0f);
        ASSERT_LT(f, 3.0f);
    }
    EXPECT_EQ(Rand(4, 4), 4);
}

}  // namespace
