// The game's additions to the application object: stopping the effect pool and the streamed-music calls,
// observed through a recording audio driver.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/ChannelArray.h"
#include "game/TolvaneGame.h"
#include "platform/Audio.h"

namespace {

struct Record {
    int stops = 0;
    int resumes = 0;
    float volume = -1.0f;
};

class RecordingChannel : public TChannel {
  public:
    explicit RecordingChannel(std::shared_ptr<Record> record) : record_(std::move(record)) {}
    void Cue(const std::shared_ptr<TSound>&) override {}
    void SetVolume(float volume) override { record_->volume = volume; }
    void SetPan(float) override {}
    void SetRate(float) override {}
    void Pause() override {}
    void Resume() override { ++record_->resumes; }
    void Stop() override { ++record_->stops; }
    bool Playing() override { return false; }
    float Volume() const override { return record_->volume; }

  private:
    std::shared_ptr<Record> record_;
};

class RecordingDriver : public TAudioDriver {
  public:
    explicit RecordingDriver(std::vector<std::shared_ptr<Record>>* records) : records_(records) {}
    std::string Name() const override { return "Recording"; }
    std::shared_ptr<TChannel> AllocChannel() override {
        records_->push_back(std::make_shared<Record>());
        return std::make_shared<RecordingChannel>(records_->back());
    }
    std::shared_ptr<TStreamChannel> AllocStreamChannel(int) override { return nullptr; }

  private:
    std::vector<std::shared_ptr<Record>>* records_;
};

class TolvaneGameTest : public ::testing::Test {
  protected:
    void SetUp() override { SetAudioDriverInstance(std::make_unique<RecordingDriver>(&records)); }
    void TearDown() override { SetAudioDriverInstance(nullptr); }

    std::vector<std::shared_ptr<Record>> records;
    TTolvaneGame game;
};

TEST_F(TolvaneGameTest, SoundStopStopsAndReplacesEveryEffectChannel) {
    game.Channels = TChannelArray::Create(3);
    std::vector<TChannel*> before;
    for (const auto& item : game.Channels->Items) before.push_back(item->Channel.get());
    const std::size_t allocated = records.size();
    game.SoundStop();
    for (std::size_t i = 0; i < allocated; ++i) EXPECT_EQ(records[i]->stops, 1) << i;
    ASSERT_EQ(game.Channels->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(game.Channels->Items[i]->Channel.get(), before[i]);
        EXPECT_NE(game.Channels->Items[i]->Channel, nullptr);
    }
}

TEST_F(TolvaneGameTest, WithMusicOffTheStreamCallsOnlyNoteARestartAndStopReplacesTheChannel) {
    game.Music = 0;
    auto channel = AllocChannel();
    game.MusicChannel = channel;
    game.MusicRestart = 0;
    game.MusicStreamLoad("other.ogg", 1);
    EXPECT_EQ(game.MusicChannel, channel);
    EXPECT_EQ(game.MusicRestart, 1);
    EXPECT_EQ(game.MusicFileName, "other.ogg");
    game.MusicRestart = 0;
    game.MusicStreamPlay();
    EXPECT_EQ(game.MusicRestart, 1);
    EXPECT_EQ(records.back()->resumes, 0);
    EXPECT_EQ(game.MusicName, "other.ogg");
    game.MusicStreamStop();
    EXPECT_EQ(records.back()->stops, 0);

    // With music on, stopping replaces the channel.
    game.Music = 1;
    auto record = records.back();
    game.MusicRestart = 0;
    game.MusicStreamStop();
    EXPECT_EQ(record->stops, 1);
    EXPECT_NE(game.MusicChannel, channel);
    EXPECT_NE(game.MusicChannel, nullptr);
    EXPECT_EQ(game.MusicRestart, 1);
}

TEST_F(TolvaneGameTest, WithMusicOnLoadingReplacesTheStreamAndPlayingResumesItAtTheMusicVolume) {
    game.Music = 1;
    game.MusicPath = "/nonexistent-music-folder/";
    auto old = AllocChannel();
    game.MusicChannel = old;
    game.MusicRestart = 0;
    game.MusicStreamLoad("missing.ogg", 1);
    EXPECT_EQ(game.MusicChannel, nullptr) << "a stream that cannot be opened leaves no channel";
    EXPECT_EQ(game.MusicRestart, 1);
    EXPECT_EQ(game.MusicFileName, "missing.ogg");

    auto channel = AllocChannel();
    auto record = records.back();
    game.MusicChannel = channel;
    game.MusicVolume = 40;
    game.MusicRestart = game.MusicStopped = 1;
    game.MusicStreamPlay();
    EXPECT_EQ(record->resumes, 1);
    EXPECT_FLOAT_EQ(record->volume, 0.4f);
    EXPECT_EQ(game.MusicRestart, 0);
    EXPECT_EQ(game.MusicStopped, 0);
    EXPECT_EQ(game.MusicName, "missing.ogg");
    // Without a channel there is nothing to resume: the restart stays asked for.
    game.MusicChannel = nullptr;
    game.MusicRestart = 1;
    game.MusicStreamPlay();
    EXPECT_EQ(game.MusicRestart, 1);
}

}  // namespace
