// Music streams on real audio back ends that write what they play to a file: OpenAL Soft's "wave"
// device, to show that the refill timer keeps a stream fed while the main loop stalls but pumps
// events, and SDL's "disk" device under the DirectSound driver, to compare what the ring played with
// the source at several volumes. Both run in real time (a few seconds at most), so the checks look
// only at what any timing leaves the same: no gap in the music, and the music itself.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "core/MusicStream.h"
#include "platform/Events.h"
#include "platform/TestWav.h"
#include "support/TestEnv.h"

namespace {

using Clock = std::chrono::steady_clock;

// 16-bit stereo PCM that is never silent: left and right run through different magnitudes and signs.
std::vector<int16_t> TestSignal(size_t frames) {
    std::vector<int16_t> s;
    for (size_t i = 0; i < frames; ++i) {
        const int square = (i / 50) % 2 ? 1 : -1;
        s.push_back(int16_t(square * int(1000 + i * 7 % 20000)));
        s.push_back(int16_t(-square * int(1500 + i % 9000)));
    }
    return s;
}

std::shared_ptr<TMusic> Music(const std::vector<int16_t>& pcm, int rate) {
    std::vector<uint8_t> data(pcm.size() * 2);
    std::memcpy(data.data(), pcm.data(), data.size());
    return TWavStream::FromBytes(testwav::Riff({testwav::Fmt(2, rate, 16), testwav::Chunk("data", data)}));
}

std::vector<int16_t> Samples(const std::string& bytes, size_t from) {
    std::vector<int16_t> s((bytes.size() - std::min(from, bytes.size())) / 2);
    std::memcpy(s.data(), bytes.data() + from, s.size() * 2);
    return s;
}

// The longest run of stereo frames quieter than a whisper between the first and the last sound.
size_t LongestSilence(const std::vector<int16_t>& s, size_t* soundFrames) {
    auto quiet = [&](size_t f) { return std::abs(s[2 * f]) < 64 && std::abs(s[2 * f + 1]) < 64; };
    const size_t frames = s.size() / 2;
    size_t first = 0, last = frames;
    while (first < frames && quiet(first)) ++first;
    while (last > first && quiet(last - 1)) --last;
    size_t longest = 0, run = 0;
    for (size_t f = first; f < last; ++f) {
        run = quiet(f) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    *soundFrames = last - first;
    return longest;
}

// The data chunk of the wave file OpenAL Soft writes; its size field is only set when the device
// closes, so the data runs to the end of the file.
std::vector<int16_t> WaveData(const std::string& file, int* rate) {
    size_t at = 12;
    while (at + 8 <= file.size()) {
        uint32_t size = 0;
        std::memcpy(&size, file.data() + at + 4, 4);
        if (file.compare(at, 4, "fmt ") == 0) {
            std::memcpy(rate, file.data() + at + 12, 4);
            uint16_t channels = 0, bits = 0;
            std::memcpy(&channels, file.data() + at + 10, 2);
            std::memcpy(&bits, file.data() + at + 22, 2);
            EXPECT_EQ(channels, 2);
            EXPECT_EQ(bits, 16);
        }
        if (file.compare(at, 4, "data") == 0) return Samples(file, at + 8);
        at += 8 + size;
    }
    ADD_FAILURE() << "no data chunk";
    return {};
}

}  // namespace

// The main loop stalls for 2 s (a long generation) but pumps events every 50 ms: the 120 Hz refill
// timer tops the stream up there, so the 0.75 s of queued music never runs dry.
TEST(StreamOutput, RefillTimerFeedsAStreamWhileTheMainLoopStalls) {
    testenv::TempDir dir;
    const std::string wave = dir.Str() + "out.wav";
    testenv::WriteFile(
        dir.Path() / "alsoft.conf",
        "[general]\nchannels=stereo\nsample-type=int16\nfrequency=44100\n[wave]\nfile=" + wave + "\n");
    setenv("ALSOFT_CONF", (dir.Str() + "alsoft.conf").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    ASSERT_TRUE(EventsStartup());
    ASSERT_TRUE(SetAudioDriver("OpenAL Generic Software"));

    auto stream = TAudioStream::Create(Music(TestSignal(44100), 44100), 1, false);
    ASSERT_NE(dynamic_cast<TOpenALAudioStream*>(stream.get()), nullptr);
    const auto end = Clock::now() + std::chrono::milliseconds(2000);
    while (Clock::now() < end) {
        PollSystem();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // The main loop again, for a moment: a stream that ran dry plays on here, after its gap.
    const auto frames = Clock::now() + std::chrono::milliseconds(300);
    while (Clock::now() < frames) {
        PollSystem();
        UpdateAudioStreams();
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    stream->Stop();

    int rate = 0;
    const std::vector<int16_t> out = WaveData(testenv::ReadFile(wave), &rate);
    ASSERT_EQ(rate, 44100);
    size_t sound = 0;
    const size_t gap = LongestSilence(out, &sound);
    EXPECT_GT(sound, size_t(rate) * 3 / 2) << "the music played through the stall";
    EXPECT_LE(gap, size_t(rate) * 3 / 1000) << "a gap of " << gap * 1000 / size_t(rate) << " ms";
    SetAudioDriver("None");
}

namespace {

// Plays a stream through the DirectSound driver on SDL's disk device, refilling it as fast as the
// loop runs, until `bytes` were read (or the stream ended); what the device wrote, without the
// silent frames of the moments the refill came late.
std::vector<int16_t> PlayToDisk(const testenv::TempDir& dir, std::shared_ptr<TMusic> music, int loop,
                                float volume, uint64_t bytes) {
    const std::string file = dir.Str() + "out.raw";
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "2", 1);
    auto stream = TAudioStream::Create(std::move(music), loop, true);
    auto* ring = dynamic_cast<TDirectSoundAudioStream*>(stream.get());
    EXPECT_NE(ring, nullptr);
    if (!ring) return {};
    stream->SetVolume(volume);
    stream->Resume();
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (stream->Playing() && ring->pDSB->ReadPosition() < bytes && Clock::now() < deadline) {
        UpdateAudioStreams();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_LT(Clock::now(), deadline);
    stream.reset();  // closes the device and its file
    std::vector<int16_t> out = Samples(testenv::ReadFile(file), 0);
    std::vector<int16_t> sound;
    for (size_t f = 0; f + 1 < out.size(); f += 2)
        if (out[f] != 0 || out[f + 1] != 0) sound.insert(sound.end(), {out[f], out[f + 1]});
    return sound;
}

}  // namespace

TEST(StreamOutput, DirectSoundRingPlaysTheSourceAtTheVolumeInCentibels) {
    testenv::TempDir dir;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    ASSERT_TRUE(SetAudioDriver("DirectSound"));
    EXPECT_EQ(AudioDriverName(), "DirectSound");
    const int rate = 22050;
    // Half a second looping through a ring of 0.75 s: every lap of the ring starts elsewhere in it.
    const std::vector<int16_t> source = TestSignal(size_t(rate) / 2);
    const uint64_t played = uint64_t(rate) * 4 * 2;  // two seconds

    const std::vector<int16_t> full = PlayToDisk(dir, Music(source, rate), 1, 1.0f, played);
    ASSERT_GE(full.size() * 2, played);
    for (size_t i = 0; i < full.size(); ++i) ASSERT_EQ(full[i], source[i % source.size()]) << "sample " << i;

    // 0.5 is -1000 cB (10 dB down, a factor 0.316); 0.25 is -2000 cB (a factor 0.1).
    const struct {
        float volume;
        double gain;
    } rows[] = {{0.5f, 0.31623}, {0.25f, 0.1}};
    for (const auto& row : rows) {
        const std::vector<int16_t> out = PlayToDisk(dir, Music(source, rate), 1, row.volume, played);
        ASSERT_GE(out.size() * 2, played) << row.volume;
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_NEAR(out[i], source[i % source.size()] * row.gain, 1.0) << row.volume << " sample " << i;
    }

    // Without looping the stream ends once the device has played the source once, and nothing of
    // the ring's older contents follows (a second's source fills the ring more than once).
    const std::vector<int16_t> second = TestSignal(size_t(rate));
    const std::vector<int16_t> once = PlayToDisk(dir, Music(second, rate), 0, 1.0f, played);
    EXPECT_EQ(once, second);
    SetAudioDriver("None");
}

TEST(StreamOutput, VolumeBecomesCentibels) {
    const struct {
        float volume;
        int centibels;
    } rows[] = {{1.0f, 0},      {1.5f, 0},       {0.5f, -1000},    {0.25f, -2000},
                {0.0f, -10000}, {-1.0f, -10000}, {0.0001f, -10000}};
    for (const auto& row : rows)
        EXPECT_EQ(TDirectSoundAudioStream::Centibels(row.volume), row.centibels) << row.volume;
}
