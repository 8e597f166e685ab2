// Music streaming: music decoded piece by piece into a queue of output buffers instead of being
// loaded whole as a sample. Sources (WAV, Ogg Vorbis) are found through a registry of loaders
// keyed by extension; a TAudioStream plays one source through a streaming channel of the
// platform and is refilled on the main thread wherever events are pumped (a platform timer posts a
// refill event 120 times a second), so a long job that keeps pumping events never lets it run dry.
//
// Sources decode from an open stream as they play: a file is never read whole. An Ogg source may
// also come from an internet-radio server (TOGGStream::OpenIceStream): an endless stream that
// cannot loop or rewind.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/ByteStream.h"

class TOggDecoder;

inline constexpr int STREAM_FORMAT_MONO8 = 200;
inline constexpr int STREAM_FORMAT_MONO16 = 201;
inline constexpr int STREAM_FORMAT_STEREO8 = 202;
inline constexpr int STREAM_FORMAT_STEREO16 = 203;

class TMusic {
  public:
    virtual ~TMusic() = default;

    std::string DebugData;
    int PlayStatus = 1;  // 1 while playing, 0 once the end was reached without looping
    int SAMPLE_RATE = 0;
    int STREAM_FORMAT = 0;
    int STREAM_LOOP = 0;
    int STREAM_POS = 0;   // in the source's unit (bytes for WAV, frames for Ogg)
    int STREAM_SIZE = 0;  // same unit; 0 for an endless stream

    // Properties by id: 1 size, 2 position, 3 play status, 4 format (200-203 only), 5 sample
    // rate, 7 loop. Seti accepts 4, 5 and 7 and returns 1 for them, else 0; unknown ids read 0.
    int Seti(int id, int value);
    int Geti(int id) const;
    int Setf(int id, float value) { return Seti(id, int(value)); }
    float Getf(int id) const { return float(Geti(id)); }
    std::string GetS(int id) const { return std::to_string(Geti(id)); }
    void WriteBug(const std::string& text) { DebugData += text; }

    static int BytesPerFrame(int format);
    int Channels() const {
        return STREAM_FORMAT == STREAM_FORMAT_STEREO8 || STREAM_FORMAT == STREAM_FORMAT_STEREO16 ? 2 : 1;
    }
    int Bits() const {
        return STREAM_FORMAT == STREAM_FORMAT_MONO8 || STREAM_FORMAT == STREAM_FORMAT_STEREO8 ? 8 : 16;
    }

    // Writes up to bytes of PCM into buffer (whole frames); fewer only at the end of a stream
    // that does not loop. Returns the bytes written.
    virtual size_t FillBuffer(uint8_t* buffer, size_t bytes) = 0;
};

class TWavStream : public TMusic {
  public:
    // Null unless the file is a PCM WAV of 8 or 16 bits, mono or stereo, with a "data" chunk.
    static std::unique_ptr<TMusic> Load(const std::string& url);
    // The same from a stream that can seek, read from its current contents; the source keeps it.
    static std::unique_ptr<TMusic> Load(std::shared_ptr<TByteStream> stream);
    static std::unique_ptr<TMusic> FromBytes(std::vector<uint8_t> bytes);
    size_t FillBuffer(uint8_t* buffer, size_t bytes) override;

  private:
    std::shared_ptr<TByteStream> stream_;
    int64_t loopseek_ = 0;  // stream position of the first byte of sample data
};

class TOGGStream : public TMusic {
  public:
    // Null unless the file is Ogg Vorbis of 1 or 2 channels; format and rate come from the stream.
    static std::unique_ptr<TMusic> Load(const std::string& url);
    static std::unique_ptr<TMusic> Load(std::shared_ptr<TByteStream> stream);
    static std::unique_ptr<TMusic> FromBytes(std::vector<uint8_t> bytes);
    // An Ogg radio stream (path without its leading "/"): connects to host:port, sends
    // "GET /" + path + " HTTP/1.0" and "Host: " + host, and reads the response headers up to the
    // empty line. The sample rate comes from the "ice-audio-info" header ("samplerate=", with
    // "channels=", default 2); without it, null. An endless source (STREAM_SIZE 0) that ends when
    // the server does; what it plays keeps the rate and channels of the stream itself. Shows
    // "Unable to connect" and gives null when no connection can be made.
    static std::unique_ptr<TMusic> OpenIceStream(const std::string& host, const std::string& path, int port);
    ~TOGGStream() override;
    size_t FillBuffer(uint8_t* buffer, size_t bytes) override;

  private:
    static std::unique_ptr<TOGGStream> Open(std::shared_ptr<TByteStream> stream);
    std::unique_ptr<TOggDecoder> ogg_;
};

// A loader reads a source from a stream (a source it makes keeps the stream); a failed try may
// leave the stream anywhere, so each try starts from the beginning.
using SonvekLoaderFunction = std::function<std::unique_ptr<TMusic>(std::shared_ptr<TByteStream> stream)>;

struct SonvekLoader {
    SonvekLoaderFunction Func;
    std::string Name;
    std::string Ext;

    // Registers a loader after the others ("wav" and "ogg" are registered from the start).
    static void Create(SonvekLoaderFunction func, const std::string& name, const std::string& ext);
    // The first source any loader makes of the data file at url, or of the stream (rewound to its
    // start before each try), or null.
    static std::unique_ptr<TMusic> Load(const std::string& url);
    static std::unique_ptr<TMusic> Load(std::shared_ptr<TByteStream> stream);
    // A file-requester filter: "All supported:wav,ogg;WAV Audio:wav;...;All Files:*".
    static std::string GetExtensions(bool all, bool allFiles);
    static std::vector<SonvekLoader>& Loaders();
};

// A source playing through the output of the audio driver in use, chosen by the channel it offers:
// a ring the device reads round and round (TDirectSoundAudioStream), a queue of buffers
// (TOpenALAudioStream), or nothing to hear (TFreeAudioAudioStream). Live streams are topped up
// wherever the platform pumps events, from its 120 Hz refill timer, and once per frame.
class TAudioStream : public TChannel {
  public:
    static constexpr int BUFFER_COUNT = 16;
    static constexpr size_t BUFFER_SIZE = 8192;
    static constexpr int RING_MS = 750;

    std::shared_ptr<TMusic> Music;
    size_t writepos = 0;  // bytes handed to the output so far
    bool paused = false;
    int samplerate = 0;
    int KeepMusic = 0;  // 1 when the caller supplied the source

    // A stream of the source at url (null when no loader reads it) or of a source the caller keeps.
    static std::shared_ptr<TAudioStream> Create(const std::string& url, int loop, bool startPaused);
    static std::shared_ptr<TAudioStream> Create(std::shared_ptr<TMusic> music, int loop, bool startPaused);

    // Tops up the output with what has been played since. Returns the pieces written.
    virtual int Update() = 0;

    void Cue(const std::shared_ptr<TSound>&) override {}
    void SetVolume(float volume) override;
    void SetPan(float pan) override;
    void SetRate(float rate) override;
    void Pause() override;
    void Resume() override;
    void Stop() override;
    float Volume() const override { return volume_; }

  protected:
    // The platform channel behind the stream; null for the silent one.
    virtual TChannel* Output() const = 0;
    size_t FrameBytes() const { return size_t(TMusic::BytesPerFrame(Music->STREAM_FORMAT)); }

    std::vector<uint8_t> scratch_;
    bool stopped_ = false;
    float volume_ = 1.0f;
};

// Output to a queue of BUFFER_COUNT buffers of BUFFER_SIZE bytes; a refill queues the played ones again.
class TOpenALAudioStream final : public TAudioStream {
  public:
    explicit TOpenALAudioStream(std::shared_ptr<TStreamChannel> output);
    int Update() override;
    // True until stopped, or until a source without looping has ended and its last buffer played.
    bool Playing() override;

  protected:
    TChannel* Output() const override { return output_.get(); }

  private:
    std::shared_ptr<TStreamChannel> output_;
};

// Output to a ring of RING_MS of sound; a refill writes up to the device's read position. The volume
// reaches the device in centibels (Centibels).
class TDirectSoundAudioStream final : public TAudioStream {
  public:
    explicit TDirectSoundAudioStream(std::shared_ptr<TRingChannel> ring);
    std::shared_ptr<TRingChannel> pDSB;
    int finstart = 0;   // 1 once the end of a source without looping is in the ring
    int finloop = 0;    // then the lap of the ring
    size_t finpos = 0;  // and the offset in it where the music ends

    // 0 at volume 1 or more, -10000 at 0 or less, else 1000 x log2(volume) down to -10000.
    static int Centibels(float volume);

    int Update() override;
    // True until stopped, or until the device has played the end of a source without looping.
    bool Playing() override;
    void SetVolume(float volume) override;

  protected:
    TChannel* Output() const override { return pDSB.get(); }
};

// The stream of a driver without sound: keeps its settings and plays nothing.
class TFreeAudioAudioStream final : public TAudioStream {
  public:
    int Update() override { return 0; }
    bool Playing() override { return !stopped_; }

  protected:
    TChannel* Output() const override { return nullptr; }
};

// Tops up every live stream (the refill timer's handler; the main loop also calls it once per frame).
void UpdateAudioStreams();
