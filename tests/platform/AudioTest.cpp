// The sound system on the machine's terms: OpenAL Soft's null device in the tests, and the
// silent driver when no device can be used.
#include <gtest/gtest.h>

#include "platform/Audio.h"

namespace {

std::shared_ptr<TSound> Tone(int frames, int flags = 0) {
    auto s = std::make_shared<TAudioSample>();
    s->channels = 1;
    s->rate = 22050;
    s->bits = 16;
    s->data.assign(size_t(frames) * 2, 0x10);
    return CreateSound(s, flags);
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
    // FreeAudio is a driver of its own that plays nothing.
    ASSERT_TRUE(SetAudioDriver("FreeAudio"));
    EXPECT_EQ(AudioDriverName(), "FreeAudio");
    EXPECT_FALSE(PlaySound(Tone(100))->Playing());
    EXPECT_EQ(AudioDriver().AllocStreamChannel(16), nullptr);
    EXPECT_EQ(AudioDriver().AllocRingChannel(2, 16, 44100, 4096), nullptr);
    SetAudioDriver("None");
}

TEST(Audio, OpenALChannelsCuePauseResumeAndStop) {
    if (!SetAudioDriver("OpenAL Generic Software")) GTEST_SKIP() << "no OpenAL device";
    auto sound = Tone(22050 * 5, SOUND_LOOP);
    auto ch = CueSound(sound);
    EXPECT_TRUE(ch->Playing());  // cued counts as playing until it ends or stops
    ch->Resume();
    ch->Pause();
    EXPECT_TRUE(ch->Playing());  // paused is not finished
    ch->Resume();
    ch->Stop();
    EXPECT_FALSE(ch->Playing());
    ch->Resume();  // resuming a stopped channel does not replay it
    EXPECT_FALSE(ch->Playing());
    // A dropped channel that still plays keeps playing; many of them do not exhaust the device.
    for (int i = 0; i < 400; ++i) PlaySound(Tone(10));
    EXPECT_NE(AllocChannel(), nullptr);
    SetAudioDriver("None");
}
