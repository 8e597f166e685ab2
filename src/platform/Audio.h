// Sound output: sounds (decoded samples ready to play), channels (one playing voice each) and the
// audio driver behind them.
//
// Two real back ends: OpenAL Soft, where a sound becomes an OpenAL buffer on first use and a channel
// is an OpenAL source, and SDL's audio, where SDL_mixer mixes the sounds (converted to its device's
// layout on first use) and a channel is a mixer channel. When no device opens, the channels are
// silent: every call succeeds and nothing is heard, so a machine without audio runs the game
// silently. Tests install their own driver through SetAudioDriverInstance to watch what the game
// asks of the sound system.
//
// A channel counts as playing from the moment a sound is cued in it until the sound ends or the
// channel is stopped; a paused channel is still playing (its sound is not over), so pausing the
// music never makes it look finished.
//
// Used by the core's audio control, banks and music streaming, and by the few widgets and screens
// that hold a channel of their own.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/AudioSample.h"

// Flags for loading sounds.
inline constexpr int SOUND_LOOP = 1;

class TSound {
  public:
    TSound(std::shared_ptr<const TAudioSample> sample, int flags)
        : sample_(std::move(sample)), flags_(flags) {}
    const TAudioSample& Sample() const { return *sample_; }
    bool Looped() const { return (flags_ & SOUND_LOOP) != 0; }
    int Flags() const { return flags_; }

    // Device buffer made by a driver on first play; released with the sound.
    std::shared_ptr<void> deviceBuffer;
    uint64_t deviceOwner = 0;

  private:
    std::shared_ptr<const TAudioSample> sample_;
    int flags_;
};

class TChannel {
  public:
    virtual ~TChannel() = default;
    // Stops what plays and loads the sound, paused; Resume starts it.
    virtual void Cue(const std::shared_ptr<TSound>& sound) = 0;
    virtual void SetVolume(float volume) = 0;  // 0 silent .. 1 full
    virtual void SetPan(float pan) = 0;        // -1 left .. 1 right
    // Playback speed factor, 1 normal. Under SDL's drivers a sound takes its rate when it starts
    // (at the first Resume after Cue); a change while it sounds applies from its next start.
    virtual void SetRate(float rate) = 0;
    virtual void SetDepth(float) {}  // no surround output: ignored
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
    virtual bool Playing() = 0;
    virtual float Volume() const = 0;
};

// A channel fed piece by piece (music streaming): the owner queues PCM buffers and refills the
// ones that have been played.
class TStreamChannel : public TChannel {
  public:
    // Buffers already played and free to be queued again (never more than BufferCount).
    virtual int ProcessedBuffers() = 0;
    // Queues one buffer of PCM (16-bit or 8-bit, 1 or 2 channels at rate).
    virtual void QueueBuffer(const uint8_t* data, size_t size, int channels, int bits, int rate) = 0;
    // Buffers this channel may have queued at once.
    virtual int BufferCount() const = 0;
    // Cue is meaningless for a stream; streams are started with Resume after the first buffers.
    void Cue(const std::shared_ptr<TSound>&) override {}
};

// A channel the device plays from a ring of PCM bytes (music streaming over one buffer that the
// device reads round and round): the owner writes ahead of what the device has read. Positions count
// bytes from the start, so the ring offset of one is position % RingBytes() and a full ring is never
// mistaken for an empty one. The device never reads past what was written: it plays silence and
// waits for more, so a late refill loses no music.
class TRingChannel : public TChannel {
  public:
    virtual size_t RingBytes() const = 0;
    // Bytes the device has read so far.
    virtual uint64_t ReadPosition() = 0;
    // Appends PCM after what was written before; what does not fit in the ring is dropped.
    virtual void Write(const uint8_t* data, size_t size) = 0;
    // Loudness in hundredths of a decibel: 0 full, -10000 (or less) silent.
    virtual void SetAttenuation(int centibels) = 0;
    void Cue(const std::shared_ptr<TSound>&) override {}
};

class TAudioDriver {
  public:
    virtual ~TAudioDriver() = default;
    virtual std::string Name() const = 0;
    virtual std::shared_ptr<TChannel> AllocChannel() = 0;
    // Null when the driver has no buffer-queue output for streams.
    virtual std::shared_ptr<TStreamChannel> AllocStreamChannel(int buffers) = 0;
    // A ring of bytes for PCM of the given layout, or null when the driver has no ring output.
    virtual std::shared_ptr<TRingChannel> AllocRingChannel(int /*channels*/, int /*bits*/, int /*rate*/,
                                                           size_t /*bytes*/) {
        return nullptr;
    }
};

// Chooses the driver by name: any name beginning "OpenAL" opens OpenAL Soft's default device;
// "DirectSound" and "FreeAudio" play sounds through SDL_mixer on SDL's audio device, and
// "DirectSound" also streams music through ring channels, each on an SDL device of its own
// ("FreeAudio" has no stream output); "None" is silent. True on success; on failure the silent
// driver "None" is installed and false returned. "FreeAudio" never fails: without a device its
// channels are silent. Re-choosing the open OpenAL driver keeps its device.
bool SetAudioDriver(const std::string& name);
// True when an OpenAL device can be opened (opens it for later use).
bool EnableOpenALAudio();
// The current driver (the silent one until a driver is chosen).
TAudioDriver& AudioDriver();
std::string AudioDriverName();
// Installs a driver directly (tests); nullptr goes back to the silent driver.
void SetAudioDriverInstance(std::unique_ptr<TAudioDriver> driver);

// Sounds from WAV or Ogg bytes or data files (file name lower-cased); nullptr when they do not decode.
std::shared_ptr<TSound> LoadSound(std::span<const uint8_t> bytes, int flags = 0);
std::shared_ptr<TSound> LoadSound(const std::string& path, int flags = 0);
std::shared_ptr<TSound> CreateSound(std::shared_ptr<const TAudioSample> sample, int flags = 0);

// The platform's channel calls; every one accepts a null channel and then does nothing.
std::shared_ptr<TChannel> AllocChannel();
// Cues the sound in channel (a new channel when null) and returns the channel used.
std::shared_ptr<TChannel> CueSound(const std::shared_ptr<TSound>& sound,
                                   std::shared_ptr<TChannel> channel = nullptr);
std::shared_ptr<TChannel> PlaySound(const std::shared_ptr<TSound>& sound,
                                    std::shared_ptr<TChannel> channel = nullptr);
void PauseChannel(TChannel* channel);
void ResumeChannel(TChannel* channel);
void StopChannel(TChannel* channel);
void SetChannelVolume(TChannel* channel, float volume);
void SetChannelPan(TChannel* channel, float pan);
void SetChannelRate(TChannel* channel, float rate);
bool ChannelPlaying(TChannel* channel);
