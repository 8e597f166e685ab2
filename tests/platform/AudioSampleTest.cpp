// WAV parsing by hand-made files (odd chunks, missing chunks, lying sizes) and Ogg Vorbis made
// in the test with the encoder, decoded with the stream's own channel count and rate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/AudioSample.h"
#include "platform/TestOgg.h"
#include "platform/TestWav.h"

using testwav::Chunk;
using testwav::Fmt;
using testwav::Pcm;
using testwav::Riff;

TEST(Wav, PlainPcmFile) {
    auto wav = Riff({Fmt(2, 22050, 16), Chunk("data", Pcm(400))});
    auto s = DecodeWav(wav);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->data, Pcm(400));
    EXPECT_EQ(s->Frames(), 100u);
}

TEST(Wav, OddChunksArePaddedAndUnknownChunksSkipped) {
    std::vector<uint8_t> odd = {1, 2, 3};  // odd size: one pad byte follows
    auto wav = Riff({Chunk("LIST", odd), Fmt(1, 8000, 8, 1, 18), Chunk("junk", {9}), Chunk("data", Pcm(5))});
    auto s = DecodeWav(wav);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->bits, 8);
    EXPECT_EQ(s->data, Pcm(5));
}

TEST(Wav, FilesWithoutFormatOrDataAreRefused) {
    EXPECT_FALSE(DecodeWav(Riff({Fmt(1, 8000, 16)})));
    EXPECT_FALSE(DecodeWav(Riff({Chunk("data", Pcm(8))})));
    EXPECT_FALSE(DecodeWav(Riff({Fmt(1, 8000, 16, 3), Chunk("data", Pcm(8))})));  // float samples
    EXPECT_FALSE(DecodeWav(Riff({Fmt(1, 8000, 24), Chunk("data", Pcm(9))})));
    EXPECT_FALSE(DecodeWav(Riff({Fmt(1, 0, 16), Chunk("data", Pcm(8))})));
    EXPECT_FALSE(DecodeWav(Riff({Fmt(1, 8000, 16, 1, 14), Chunk("data", Pcm(8))})));
}

TEST(Wav, SizesBeyondTheFileAreClampedToWholeFrames) {
    auto wav = Riff({Fmt(2, 8000, 16), Chunk("data", Pcm(64))});
    std::vector<uint8_t> lying = wav;
    uint32_t huge = 0x7FFFFFF0;
    std::memcpy(lying.data() + lying.size() - 64 - 4, &huge, 4);
    auto s = DecodeWav(lying);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->data.size(), 64u);
    std::vector<uint8_t> cut(wav.begin(), wav.end() - 3);  // 61 bytes left: 15 whole frames
    auto t = DecodeWav(cut);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->data.size(), 60u);
    for (size_t len = 0; len < wav.size(); ++len) {
        auto part = DecodeWav(std::span(wav.data(), len));  // never reads out of range
        if (part) {
            EXPECT_LE(part->data.size(), 64u);
        }
    }
}

TEST(Ogg, MonoStreamKeepsItsChannelCountAndRate) {
    auto ogg = MakeOgg(1, 22050, 11025);
    auto s = DecodeOgg(ogg);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->channels, 1);
    EXPECT_EQ(s->rate, 22050);
    EXPECT_EQ(s->Frames(), 11025u);  // half a second, at its own speed
}

TEST(Ogg, DecoderFillsWholeRequestsAndRewinds) {
    auto bytes = std::make_shared<std::vector<uint8_t>>(MakeOgg(2, 44100, 20000));
    auto dec = TOggDecoder::Open(bytes);
    ASSERT_NE(dec, nullptr);
    std::vector<uint8_t> buf(8192);
    // vorbisfile hands out at most one packet per call; Read keeps asking until the buffer is full.
    EXPECT_EQ(dec->Read(buf.data(), buf.size()), buf.size());
    std::vector<uint8_t> first = buf;
    size_t total = buf.size();
    while (size_t n = dec->Read(buf.data(), buf.size())) total += n;
    EXPECT_EQ(total, 20000u * 4);
    ASSERT_TRUE(dec->Rewind());
    EXPECT_EQ(dec->Read(buf.data(), buf.size()), buf.size());
    EXPECT_EQ(buf, first);
}

TEST(Ogg, DamagedStreamsAreRefusedOrEndEarly) {
    auto ogg = MakeOgg(1, 22050, 4000);
    EXPECT_FALSE(DecodeOgg(std::span(ogg.data(), 30)));
    std::vector<uint8_t> junk = {'O', 'g', 'g', 'S', 1, 2, 3};
    EXPECT_FALSE(DecodeOgg(junk));
    std::vector<uint8_t> cut(ogg.begin(), ogg.begin() + std::ptrdiff_t(ogg.size() * 2 / 3));
    auto s = DecodeOgg(cut);
    if (s) {
        EXPECT_LT(s->Frames(), 4000u);
    }
    EXPECT_NE(LoadAudioSample(std::span<const uint8_t>(ogg)), nullptr);
    EXPECT_EQ(LoadAudioSample(std::span<const uint8_t>(junk)), nullptr);
}
