// Music streaming: sources filling buffers (looping, ending, mono Ogg at its own rate), the loader
// registry and the stream channel refilled from the main loop against a recording driver.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeAudio.h"
#include "core/MusicStream.h"
#include "platform/TestOgg.h"
#include "platform/TestWav.h"
#include "support/TestEnv.h"

namespace {

std::vector<uint8_t> Wav(int channels, int bits, size_t dataBytes) { return testwav::Wav(channels, 11025, bits, dataBytes); }

class MusicStreamTest : public ::testing::Test {
protected:
    void SetUp() override { SetAudioDriverInstance(std::make_unique<FakeDriver>(&made)); }
    void TearDown() override { SetAudioDriverInstance(nullptr); }
    FakeChannel* Output() { return made.back().get(); }
    std::vector<std::shared_ptr<FakeChannel>> made;
};

}  // namespace

TEST(MusicSource, WavLoopsAroundTheEndOfItsDataOrEndsOnceAndDamagedWavIsRefused) {
    auto music = TWavStream::FromBytes(Wav(2, 16, 1000));
    ASSERT_NE(music, nullptr);
    music->Seti(7, 1);
    std::vector<uint8_t> buf(800);
    music->FillBuffer(buf.data(), buf.size());
    EXPECT_EQ(music->FillBuffer(buf.data(), buf.size()), 800u);
    EXPECT_EQ(buf[200], 0);  // byte 0 of the data again after the 200 left over
    EXPECT_EQ(buf[199], uint8_t(999 % 251));
    auto once = TWavStream::FromBytes(Wav(1, 8, 300));  // without the loop it ends once
    once->FillBuffer(buf.data(), 256);
    EXPECT_EQ(once->FillBuffer(buf.data(), 256), 44u);
    EXPECT_EQ(once->FillBuffer(buf.data(), 256), 0u);
    auto empty = TWavStream::FromBytes(Wav(1, 16, 0));
    ASSERT_NE(empty, nullptr);
    empty->Seti(7, 1);
    EXPECT_EQ(empty->FillBuffer(buf.data(), buf.size()), 0u);  // an empty loop does not spin
    EXPECT_EQ(TWavStream::FromBytes({1, 2, 3}), nullptr);
}

TEST(MusicSource, MonoOggKeepsItsRateAndLoopsWithoutGapsOrEndsOnce) {
    auto music = TOGGStream::FromBytes(MakeOgg(1, 22050, 5000));
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->SAMPLE_RATE, 22050);
    music->Seti(7, 1);
    std::vector<uint8_t> buf(8192);
    size_t total = 0;
    for (int i = 0; i < 5; ++i) total += music->FillBuffer(buf.data(), buf.size());
    EXPECT_EQ(total, 5u * 8192);  // every request met, across the loop points
    auto once = TOGGStream::FromBytes(MakeOgg(1, 22050, 5000));  // without the loop it ends once
    size_t played = 0;
    for (int i = 0; i < 5; ++i) played += once->FillBuffer(buf.data(), buf.size());
    EXPECT_GT(played, 0u);
    EXPECT_LT(played, 5u * 8192);
    EXPECT_EQ(once->FillBuffer(buf.data(), buf.size()), 0u);
}

TEST(MusicSource, LoaderFindsFilesInAnyCase) {
    testenv::TempDir dir;
    auto ogg = MakeOgg(2, 44100, 1000);
    testenv::WriteFile(dir.Path() / "theme.ogg", std::string(ogg.begin(), ogg.end()));
    auto music = SonvekLoader::Load(dir.Str() + "Theme.OGG");
    EXPECT_NE(music, nullptr);
    EXPECT_EQ(SonvekLoader::Load(dir.Str() + "missing.ogg"), nullptr);
}

TEST_F(MusicStreamTest, StreamFillsItsBuffersAndRefillsWhatWasPlayed) {
    std::shared_ptr<TMusic> music = TWavStream::FromBytes(Wav(2, 16, 1 << 20));
    auto stream = TAudioStream::Create(music, 1, false);
    ASSERT_NE(stream, nullptr);
    FakeChannel* out = Output();
    UpdateAudioStreams();
    EXPECT_EQ(out->queued, 16);  // nothing played yet, nothing to refill
    out->processed = 3;
    UpdateAudioStreams();
    EXPECT_EQ(out->queued, 19);
    stream->Stop();
    out->processed = 5;
    UpdateAudioStreams();
    EXPECT_EQ(out->queued, 19);  // a stopped stream is not refilled
}

TEST_F(MusicStreamTest, StreamWithoutLoopEndsAfterItsLastBuffer) {
    auto stream = TAudioStream::Create(std::shared_ptr<TMusic>(TWavStream::FromBytes(Wav(1, 16, 10000))), 0, true);
    FakeChannel* out = Output();
    EXPECT_EQ(out->queued, 2);  // 8192 + 1808 bytes
    EXPECT_EQ(out->queuedSizes.back(), 1808u);
    out->processed = 0;
    out->processed = 16;
    EXPECT_FALSE(stream->Playing());
}

TEST_F(MusicStreamTest, UnreadableSourcesGiveNoStream) {
    EXPECT_EQ(TAudioStream::Create("/nonexistent/music.ogg", 1, false), nullptr);
    EXPECT_EQ(TAudioStream::Create(std::shared_ptr<TMusic>(), 1, false), nullptr);
    std::weak_ptr<TAudioStream> gone;
    {
        auto s = TAudioStream::Create(std::shared_ptr<TMusic>(TWavStream::FromBytes(Wav(1, 16, 100))), 1, false);
        gone = s;
    }
    EXPECT_TRUE(gone.expired());
    UpdateAudioStreams();  // dropped streams are forgotten, not touched
}
