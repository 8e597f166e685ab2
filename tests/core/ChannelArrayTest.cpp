// The effect-channel pool and the ambient player against a recording audio driver.
#include <gtest/gtest.h>

#include "FakeAudio.h"
#include "core/ChannelArray.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/SoundBank.h"
#include "platform/Random.h"
#include "support/TestEnv.h"

namespace {

class ChannelArrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Init();  // 200 ticks per second: 5 ms per tick
        Game->SubPath = dir.Str();
        Game->Ini->FileName = dir.Str() + "settings";
        Game->SoundVolume = 50;
        Game->ChannelsCreate(16);
        sound.sound = FakeSound();
        sound.volume = 0.5f;
        sound.pitch = 1.25f;
        Delta = 1.0f;
    }
    void TearDown() override {
        Game.reset();
        SetAudioDriverInstance(nullptr);
    }
    TChannelArray& Pool() { return *Game->Channels; }
    FakeChannel* Fake(TGameChannel* c) { return AsFake(c->Channel); }
    void AllPlaying() {
        for (auto& c : Pool().Items) Fake(c.get())->playing = true;
    }

    testenv::TempDir dir;
    std::vector<std::shared_ptr<FakeChannel>> made;
    TGameSound sound;
};

}  // namespace

TEST_F(ChannelArrayTest, TakeOverChannelsRotateNeverRepeatTheLastOneAndNeverAllocate) {
    for (auto& c : Pool().Items) c->PlayWhenFinished = 0;
    AllPlaying();
    size_t before = made.size();
    TGameChannel* last = nullptr;
    for (int i = 0; i < 40; ++i) {
        TGameChannel* c = Pool().PlayGameSound(sound, nullptr, 1.0f, 0.0f);
        ASSERT_NE(c, nullptr);
        EXPECT_NE(c, last);
        last = c;
    }
    EXPECT_EQ(made.size(), before);
}

TEST_F(ChannelArrayTest, TheSearchCountsItsStartAndAFullOrReservedPoolDropsTheSound) {
    AllPlaying();
    Fake(Pool().Current)->playing = false;  // the only free one is the current one
    EXPECT_EQ(Pool().GetChannel(), Pool().ChannelByIndex(1));
    EXPECT_NE(TChannelArray::Create(1)->GetChannel(), nullptr);
    Fake(Pool().Current)->playing = true;
    EXPECT_EQ(Pool().PlayGameSound(sound, nullptr, 1.0f, 0.0f), nullptr);
    for (auto& c : Pool().Items) {
        c->Reserved = 1;
        Fake(c.get())->playing = false;
    }
    EXPECT_EQ(Pool().GetChannel(), nullptr);
}

TEST_F(ChannelArrayTest, PlayingKeepsTheRecordsVolumeAndAppliesPanAndPitch) {
    TGameChannel* c = Pool().PlayGameSound(sound, nullptr, 0.8f, -0.5f);
    ASSERT_NE(c, nullptr);
    EXPECT_FLOAT_EQ(sound.volume, 0.5f);                   // the record is not rewritten
    EXPECT_FLOAT_EQ(Fake(c)->volume, 0.5f * 0.8f * 0.5f);  // sound volume x volume x record volume
    // Playing it again gives the same loudness, not a compounding one.
    TGameChannel* d = Pool().PlayGameSound(sound, nullptr, 0.8f, 0.0f);
    EXPECT_FLOAT_EQ(Fake(d)->volume, 0.5f * 0.8f * 0.5f);
    Pool().Manage();
    EXPECT_FLOAT_EQ(Fake(c)->volume, 0.5f * 0.8f * 0.5f);  // rebalancing keeps the started volume
}

TEST_F(ChannelArrayTest, EveryLogicTickRebalancesThePool) {
    Pool().MaxVol = 8;
    for (auto& c : Pool().Items) c->OriginalVolume = 1.0f;
    AllPlaying();
    Game->LogicWrapper();
    for (auto& c : Pool().Items)
        EXPECT_FLOAT_EQ(Fake(c.get())->volume, 0.5f * 0.5f);  // 8 / 16 x sound volume
    Fake(Pool().ChannelByIndex(1))->playing = false;
    for (int i = 9; i <= 16; ++i) Fake(Pool().ChannelByIndex(i))->playing = false;
    Game->LogicWrapper();
    EXPECT_FLOAT_EQ(Fake(Pool().ChannelByIndex(2))->volume, 0.5f);  // seven play: full share again
}

TEST_F(ChannelArrayTest, StoppingReplacesOnlyPoolChannelsAndKillEmptiesThePool) {
    TGameChannel* third = Pool().ChannelByIndex(3);
    Fake(third)->playing = true;
    Pool().StopGameChannel(third);
    EXPECT_EQ(Pool().Count(), 16);
    EXPECT_EQ(Pool().GetChannel(), Pool().ChannelByIndex(1));  // the search wraps to the first

    auto stranger = TGameChannel::Create();
    AsFake(stranger->Channel)->playing = true;
    Pool().StopGameChannel(stranger.get());
    EXPECT_FALSE(AsFake(stranger->Channel)->playing);
    Pool().StopGameChannel(nullptr);
    EXPECT_EQ(Pool().Count(), 16);
    Pool().Kill();
    EXPECT_EQ(Pool().GetChannel(), nullptr);
}

TEST_F(ChannelArrayTest, AmbientPlayerIsSafeEmptyFullAndKilled) {
    TAmbientSounds ambient;
    ambient.Init(0, 100);
    for (int i = 0; i < 5; ++i) ambient.Manage();  // no sounds: nothing to draw from
    auto s = std::make_shared<TGameSound>();
    s->sound = FakeSound();
    for (int i = 0; i < TAmbientSounds::MAX_SOUNDS; ++i) EXPECT_TRUE(ambient.AddSound(s));
    EXPECT_FALSE(ambient.AddSound(s));
    EXPECT_EQ(ambient.TotalSounds, TAmbientSounds::MAX_SOUNDS);
    ambient.Kill();
    EXPECT_TRUE(ambient.AddSound(s));
}

TEST_F(ChannelArrayTest, AnAmbientSoundSureToPlayIsHeardOncePerPeriod) {
    TAmbientSounds ambient;
    ambient.Init(50, 100);  // 10 ticks a period
    auto s = std::make_shared<TGameSound>();
    s->sound = FakeSound();
    ASSERT_TRUE(ambient.AddSound(s));
    SeedRnd(3);
    for (int i = 0; i < 60; ++i) ambient.Manage();
    int cues = 0;
    for (auto& c : Pool().Items) cues += Fake(c.get())->cues;
    EXPECT_EQ(cues, 6);
}
