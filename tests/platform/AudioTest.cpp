// The sound system on the machine's terms: OpenAL Soft's null device and SDL's dummy device in the
// tests, SDL's disk device where what the mixer plays must be read back, and the silent driver when
// no device can be used.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/Audio.h"
#include "support/TestEnv.h"

namespace {

std::shared_ptr<TSound> Tone(int frames, int flags = 0) {
    auto s = std::make_shared<TAudioSample>();
    s->channels = 1;
    s->rate = 22050;
    s->bits = 16;
    s->data.assign(size_t(frames) * 2, 0x10);
    return CreateSound(s, flags);
}

// A channel's life, whatever the driver: cued counts as playing until it ends or stops, paused is
// not finished, and a dropped channel that still plays plays on.
void CheckChannelLife() {
    auto sound = Tone(22050 * 5, SOUND_LOOP);
    auto ch = CueSound(sound);
    EXPECT_TRUE(ch->Playing());
    ch->Resume();
    ch->Pause();
    EXPECT_TRUE(ch->Playing());
    ch->Resume();
    ch->Stop();
    EXPECT_FALSE(ch->Playing());
    ch->Resume();  // resuming a stopped channel does not replay it
    EXPECT_FALSE(ch->Playing());
    // Many of them do not exhaust the device.
    for (int i = 0; i < 400; ++i) PlaySound(Tone(10));
    EXPECT_NE(AllocChannel(), nullptr);
}

using Clock = std::chrono::steady_clock;
using Frame = std::array<int16_t, 2>;

// SDL's audio started afresh on its disk device, which writes what it plays to a file (named by
// SDL_DISKAUDIOFILE when a device opens). SDL keeps the driver it started with, so it is restarted.
void UseDiskAudio() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "2", 1);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void WaitWhilePlaying(TChannel& ch, Clock::time_point deadline) {
    while (ch.Playing() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The stereo 16-bit frames a disk device wrote, its silences left out.
std::vector<Frame> HeardFrames(const std::string& file) {
    const std::string raw = testenv::ReadFile(file);
    std::vector<Frame> heard(raw.size() / 4);
    std::memcpy(heard.data(), raw.data(), heard.size() * 4);
    std::erase(heard, Frame{0, 0});
    return heard;
}

}  // namespace

TEST(Audio, SilentDriverAcceptsEverythingAndPlaysNothing) {
    ASSERT_TRUE(SetAudioDriver("None"));
    auto ch = PlaySound(Tone(100));
    ASSERT_NE(ch, nullptr);
    EXPECT_FALSE(ch->Playing());
    EXPECT_FALSE(ChannelPlaying(nullptr));
    StopChannel(nullptr);
    EXPECT_FALSE(SetAudioDriver("Glide Audio"));
    EXPECT_EQ(AudioDriverName(), "None");
    // FreeAudio is a driver of its own, without any music-stream output.
    ASSERT_TRUE(SetAudioDriver("FreeAudio"));
    EXPECT_EQ(AudioDriverName(), "FreeAudio");
    EXPECT_EQ(AudioDriver().AllocStreamChannel(16), nullptr);
    EXPECT_EQ(AudioDriver().AllocRingChannel(2, 16, 44100, 4096), nullptr);
    SetAudioDriver("None");
}

TEST(Audio, OpenALChannelsCuePauseResumeAndStop) {
    if (!SetAudioDriver("OpenAL Generic Software")) GTEST_SKIP() << "no OpenAL device";
    CheckChannelLife();
    SetAudioDriver("None");
}

TEST(Audio, SDLChannelsCuePauseResumeAndStop) {
    for (const char* name : {"FreeAudio", "DirectSound"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(SetAudioDriver(name));
        CheckChannelLife();
    }
    SetAudioDriver("None");
}

// Under both SDL drivers, sounds play through the mixer onto SDL's disk device, one after the other:
// a constant stereo sound in the device's own layout as it is, at half volume, panned full left on a
// channel dropped at once, and at twice the rate. Under "DirectSound" a music ring plays beside them
// on a device (and file) of its own. The sounds take a few tens of milliseconds of real time each.
TEST(Audio, SDLDriversPlaySoundsAtTheirVolumeAndPan) {
    testenv::TempDir dir;
    UseDiskAudio();
    const size_t frames = 2205;
    auto sample = std::make_shared<TAudioSample>();
    sample->channels = 2;
    const std::vector<Frame> pcm(frames, Frame{8000, -6000});
    sample->data.resize(frames * 4);
    std::memcpy(sample->data.data(), pcm.data(), sample->data.size());
    const std::shared_ptr<TSound> sound = CreateSound(sample);
    auto quiet = std::make_shared<TAudioSample>(*sample);
    std::fill(quiet->data.begin(), quiet->data.end(), 0);
    const std::shared_ptr<TSound> silence = CreateSound(quiet);
    const std::vector<uint8_t> ringPcm(4096 * 4, 0x22);
    const struct {
        float volume, pan;
        bool dropped;
        float rate;
    } plays[] = {{1.0f, 0.0f, false, 1.0f},
                 {0.5f, 0.0f, false, 1.0f},
                 {1.0f, -1.0f, true, 1.0f},
                 {1.0f, 0.0f, false, 2.0f}};
    for (const std::string name : {"FreeAudio", "DirectSound"}) {
        SCOPED_TRACE(name);
        const std::string effects = dir.Str() + name + ".raw", music = dir.Str() + name + "-ring.raw";
        setenv("SDL_DISKAUDIOFILE", effects.c_str(), 1);
        ASSERT_TRUE(SetAudioDriver(name));
        std::shared_ptr<TChannel> ch = AllocChannel();
        std::shared_ptr<TRingChannel> ring;
        if (name == "DirectSound") {
            setenv("SDL_DISKAUDIOFILE", music.c_str(), 1);
            ring = AudioDriver().AllocRingChannel(2, 16, 44100, ringPcm.size());
            ASSERT_NE(ring, nullptr);
            ring->Write(ringPcm.data(), ringPcm.size());
            ring->Resume();
        }
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        for (const auto& play : plays) {
            std::shared_ptr<TChannel> used = play.dropped ? AllocChannel() : ch;
            CueSound(sound, used);
            used->SetVolume(play.volume);
            used->SetPan(play.pan);
            used->SetRate(play.rate);
            used->Resume();
            // A silence as long, started after the dropped sound, ends no sooner than it.
            if (play.dropped) PlaySound(silence, ch);
            used.reset();
            WaitWhilePlaying(*ch, deadline);
        }
        while (ring && ring->ReadPosition() < ringPcm.size() && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_LT(Clock::now(), deadline);
        ch.reset();
        ring.reset();
        SetAudioDriver("None");  // closes the devices and their files

        const std::vector<Frame> heard = HeardFrames(effects);
        ASSERT_NEAR(double(heard.size()), 3.5 * frames, 32.0);
        EXPECT_EQ(heard[0], (Frame{8000, -6000}));
        EXPECT_EQ(heard[frames], (Frame{4000, -3000})) << "half volume halves";
        EXPECT_EQ(heard[2 * frames], (Frame{8000, 0})) << "full left silences the right";
        for (size_t f = 0; f < 3 * frames; ++f) ASSERT_EQ(heard[f], heard[f / frames * frames]) << f;
        const Frame fast = heard[3 * frames + frames / 4];  // resampled: the same level, within a little
        EXPECT_NEAR(fast[0], 8000, 80);
        EXPECT_NEAR(fast[1], -6000, 60);
        if (name == "DirectSound") {
            EXPECT_NE(testenv::ReadFile(music).find(std::string(ringPcm.size(), 0x22)), std::string::npos);
        }
    }
}

// The game's own sounds are mono: the mixer spreads one to both sides, and bytes become 16-bit samples.
TEST(Audio, SDLDriversPlayAMonoByteSoundOnBothSides) {
    testenv::TempDir dir;
    UseDiskAudio();
    setenv("SDL_DISKAUDIOFILE", (dir.Str() + "mono.raw").c_str(), 1);
    auto sample = std::make_shared<TAudioSample>();
    sample->channels = 1;
    sample->bits = 8;
    sample->data.assign(2205, 0xc0);  // a quarter of full scale above the middle
    ASSERT_TRUE(SetAudioDriver("FreeAudio"));
    std::shared_ptr<TChannel> ch = PlaySound(CreateSound(sample));
    WaitWhilePlaying(*ch, Clock::now() + std::chrono::seconds(10));
    ch.reset();
    SetAudioDriver("None");
    const std::vector<Frame> heard = HeardFrames(dir.Str() + "mono.raw");
    ASSERT_NEAR(double(heard.size()), 2205.0, 32.0);
    EXPECT_EQ(heard[heard.size() / 2], (Frame{16384, 16384}));
}
