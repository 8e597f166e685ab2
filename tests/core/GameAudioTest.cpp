// The application object's audio control against a recording driver: volumes, switches, music
// fades counted in logic ticks, and the driver choice.
#include <gtest/gtest.h>

#include "FakeAudio.h"
#include "core/ChannelArray.h"
#include "core/ErrorReport.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/SoundBank.h"
#include "support/TestEnv.h"

namespace {

class GameAudioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
        Game = std::make_unique<TGame>();
        game = Game.get();
        game->FixedRateLogic->Init();  // 5 ms per tick
        game->SubPath = dir.Str();
        game->Ini->FileName = dir.Str() + "settings";
        game->MusicChannel = AllocChannel();
        game->SpeechChannel = AllocChannel();
        game->EscapeChannel = AllocChannel();
        Delta = 1.0f;
    }
    void TearDown() override {
        Game.reset();
        SetAudioDriverInstance(nullptr);
        SetErrorNotice(nullptr);
    }
    FakeChannel* Music() { return AsFake(game->MusicChannel); }
    void StartMusic(int looped = 1) {
        game->MusicSet(FakeSound(), "title.ogg", looped);
        game->MusicPlay(0, 0, 0);
    }

    testenv::TempDir dir;
    std::vector<std::shared_ptr<FakeChannel>> made;
    std::vector<std::string> notices;
    TGame* game = nullptr;
};

}  // namespace

TEST_F(GameAudioTest, MusicOffAndOnPauseAndResumeWhatThereIsToResume) {
    EXPECT_EQ(game->MusicOff(), 0) << "no music: nothing changes";
    StartMusic();
    game->MusicOff();
    EXPECT_TRUE(Music()->paused);
    EXPECT_TRUE(Music()->Playing());  // paused music is not over
    game->MusicNone();
    EXPECT_EQ(game->MusicOn(), 1);  // would otherwise try to load a file called "none"
    EXPECT_TRUE(notices.empty());
    // Ended music that does not loop is not restarted.
    StartMusic(0);
    game->MusicOff();
    game->MusicStopped = 1;
    const int resumes = Music()->resumes;
    game->MusicOn();
    EXPECT_EQ(Music()->resumes, resumes);
}

TEST_F(GameAudioTest, ToggleMusicSwitchesTheSettingExceptWhilePaused) {
    EXPECT_EQ(game->SetSoundPath("sounds"), 0);
    EXPECT_EQ(game->SoundPath, "sounds/");
    StartMusic();
    const int was = game->Music;
    EXPECT_EQ(game->ToggleMusic(), 0);
    EXPECT_NE(game->Music, was);
    game->Paused = 1;
    EXPECT_EQ(game->ToggleMusic(), 0);
    EXPECT_NE(game->Music, was) << "paused: nothing changes";
    game->Paused = 0;
    EXPECT_EQ(game->ToggleMusic(), 0);
    EXPECT_EQ(game->Music, was);
}

TEST_F(GameAudioTest, MissingMusicIsFatal) {
    game->SetMusicPath(dir.Str());
    EXPECT_THROW(game->MusicLoad("missing.ogg", 1), TRuntimeError);
    EXPECT_EQ(notices, std::vector<std::string>{"Error loading sample " + dir.Str() + "missing.ogg"});
}

TEST_F(GameAudioTest, FadeInRisesTickByTickAfterItsDelay) {
    game->MusicFadeIn = 101.0f;  // the counter starts at 100 ms = 20 ticks, of a 101 ms length
    StartMusic();
    game->MusicPlay(1, 0, 0);
    float length = game->CalcAnimLength(101);
    game->MusicFadeInDelay = 3.0f;
    for (int i = 0; i < 3; ++i) game->MusicFadeInManage();
    EXPECT_FLOAT_EQ(game->MusicFadeInCounter, 20.0f);  // the delay took three ticks
    for (int i = 0; i < 10; ++i) game->MusicFadeInManage();
    EXPECT_FLOAT_EQ(game->MusicFadeInCounter, 10.0f);
    EXPECT_NEAR(Music()->volume, (length - 10.0f) / length, 1e-5);
}

TEST_F(GameAudioTest, ZeroLengthFadesDoNotDivideByZero) {
    game->MusicFadeIn = 0.0f;
    game->PauseFadeLength = 0.0f;
    EXPECT_FLOAT_EQ(game->MusicFadeInCalc(), 1.0f);
    EXPECT_FLOAT_EQ(game->PauseFadeCalc(), 1.0f);
    game->MusicVolume = 50;
    StartMusic();
    game->PauseFadeDirection = 1;
    game->PauseFadeApply();
    EXPECT_FLOAT_EQ(Music()->volume, 0.5f);
}

TEST_F(GameAudioTest, ReplayingInABusyChannelTurnsItDownFirst) {
    game->SoundVolume = 100;
    std::shared_ptr<TChannel> channel;
    game->SoundPlaySameChannel(channel, FakeSound());
    FakeChannel* f = AsFake(channel);
    std::shared_ptr<TChannel> other = channel;
    game->SoundPlayReturnChannel(other, FakeSound(), 2.0f);
    EXPECT_NE(other, channel);
    EXPECT_FLOAT_EQ(f->volume, 0.1f);
}

TEST_F(GameAudioTest, DriverChoiceFallsBackToSilence) {
    game->ChangeSoundDriver("FreeAudio", 0);
    EXPECT_EQ(game->SoundDriver, "FreeAudio");
    game->ChangeSoundDriver("Glide Audio", 0);
    EXPECT_EQ(game->SoundDriver, "None");
    SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
}

TEST_F(GameAudioTest, KillStopsEveryChannel) {
    StartMusic();
    game->ChannelsCreate(16);
    FakeChannel* music = Music();
    game->Kill();
    EXPECT_FALSE(music->playing);
}
