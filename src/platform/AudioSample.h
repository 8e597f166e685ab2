// Decoded audio: PCM samples in memory, and the decoders that make them (WAV by our own parser,
// Ogg Vorbis through vorbisfile).
//
// Sounds are decoded from bytes in memory because they may come from the resource archive as well
// as from files; music is decoded piece by piece from an open stream (platform/ByteStream.h). The WAV parser
// is strict about structure and lenient about sizes: chunks of odd size are padded, a stated size beyond the
// end of the file is clamped to what is there, and a file without "fmt " or "data" is refused.
//
// Used by the platform's audio and the core's music streaming.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ByteStream.h"

struct TAudioSample {
    int channels = 1;  // 1 or 2
    int rate = 44100;  // frames per second
    int bits = 16;     // 8 (unsigned) or 16 (signed little-endian)
    std::vector<uint8_t> data;

    int BytesPerFrame() const { return channels * bits / 8; }
    size_t Frames() const { return BytesPerFrame() > 0 ? data.size() / size_t(BytesPerFrame()) : 0; }
};

// Where the PCM data of a WAV file lies, and how to read it.
struct TWavInfo {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    size_t dataOffset = 0;  // first byte of sample data
    size_t dataSize = 0;    // bytes of sample data, clamped to the file and to whole frames
};

// Parses the RIFF/WAVE structure: PCM, 8 or 16 bits, mono or stereo. nullopt when refused.
std::optional<TWavInfo> ParseWav(std::span<const uint8_t> bytes);
// The same over a stream that can seek; only the chunk headers are read.
std::optional<TWavInfo> ParseWav(TByteStream& stream);

std::optional<TAudioSample> DecodeWav(std::span<const uint8_t> bytes);
// Whole Ogg Vorbis file to 16-bit PCM with the stream's own channel count and rate.
std::optional<TAudioSample> DecodeOgg(std::span<const uint8_t> bytes);

// WAV or Ogg by signature; nullptr when neither decodes.
std::shared_ptr<TAudioSample> LoadAudioSample(std::span<const uint8_t> bytes);
std::shared_ptr<TAudioSample> LoadAudioSample(const std::string& path);

// Incremental Ogg Vorbis decoding over a stream, for music that is decoded while it plays.
class TOggDecoder {
  public:
    // nullptr when the bytes are not an Ogg Vorbis stream of 1 or 2 channels.
    static std::unique_ptr<TOggDecoder> Open(std::shared_ptr<const std::vector<uint8_t>> bytes);
    // The decoder reads the stream as it decodes and owns it. A stream that cannot seek (a radio
    // connection) is read straight through: it has no total and cannot rewind.
    static std::unique_ptr<TOggDecoder> Open(std::shared_ptr<TByteStream> stream);
    ~TOggDecoder();
    TOggDecoder(const TOggDecoder&) = delete;
    TOggDecoder& operator=(const TOggDecoder&) = delete;

    int Channels() const { return channels_; }
    int Rate() const { return rate_; }
    // Total frames, 0 when unknown.
    int64_t TotalFrames() const { return totalFrames_; }

    // Decodes up to size bytes of 16-bit PCM; fewer only at the end of the stream (short reads
    // from the decoder are repeated until the request is met). Returns the bytes written.
    size_t Read(uint8_t* out, size_t size);
    // Back to the first frame; false when the stream cannot be rewound.
    bool Rewind();

  private:
    TOggDecoder() = default;
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int channels_ = 0;
    int rate_ = 0;
    int64_t totalFrames_ = 0;
};
