// The OpenAL Soft driver, SDL's audio ("DirectSound"), the silent drivers and the platform's channel calls.
//
// OpenAL releases a source when its channel object goes, but a sound started and forgotten
// ("play this click") must still be heard to its end; such sources are parked in the driver and
// reclaimed once they have finished.
#include "platform/Audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/DataFile.h"

namespace {

// ---- silent driver ----------------------------------------------------------------------------

class NullChannel : public TStreamChannel {
  public:
    explicit NullChannel(int buffers = 0) : buffers_(buffers) {}
    void Cue(const std::shared_ptr<TSound>&) override {}
    void SetVolume(float v) override { volume_ = v; }
    void SetPan(float) override {}
    void SetRate(float) override {}
    void Pause() override {}
    void Resume() override {}
    void Stop() override {}
    bool Playing() override { return false; }
    float Volume() const override { return volume_; }
    int ProcessedBuffers() override { return 0; }
    void QueueBuffer(const uint8_t*, size_t, int, int, int) override {}
    int BufferCount() const override { return buffers_; }

  private:
    float volume_ = 1.0f;
    int buffers_;
};

// "None", or "FreeAudio": a driver that was chosen and plays nothing.
class NullDriver : public TAudioDriver {
  public:
    explicit NullDriver(std::string name = "None") : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    std::shared_ptr<TChannel> AllocChannel() override { return std::make_shared<NullChannel>(); }
    std::shared_ptr<TStreamChannel> AllocStreamChannel(int) override { return nullptr; }

  private:
    std::string name_;
};

// ---- SDL audio ("DirectSound") ----------------------------------------------------------------

// One SDL audio device per ring, opened in the ring's own layout (SDL converts to the hardware's).
// SDL's callback reads the ring under the device lock; the owner's calls take the same lock.
class SDLRingChannel : public TRingChannel {
  public:
    static std::shared_ptr<SDLRingChannel> Open(int channels, int bits, int rate, size_t bytes) {
        const size_t frame = size_t(channels * bits / 8);
        if (frame == 0 || rate <= 0 || bytes < frame) return nullptr;
        auto ring =
            std::shared_ptr<SDLRingChannel>(new SDLRingChannel(bytes - bytes % frame, bits, channels));
        SDL_AudioSpec want{}, have{};
        want.freq = rate;
        want.format = bits == 8 ? AUDIO_U8 : AUDIO_S16SYS;
        want.channels = Uint8(channels);
        want.samples = 1024;
        want.callback = [](void* self, Uint8* out, int len) {
            static_cast<SDLRingChannel*>(self)->Read(out, size_t(len));
        };
        want.userdata = ring.get();
        ring->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (ring->device_ == 0) return nullptr;
        return ring;
    }
    ~SDLRingChannel() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
    }

    size_t RingBytes() const override { return ring_.size(); }
    uint64_t ReadPosition() override {
        Lock lock(device_);
        return read_;
    }
    void Write(const uint8_t* data, size_t size) override {
        Lock lock(device_);
        size = std::min(size, ring_.size() - size_t(written_ - read_));
        ForEachRun(written_, size, [&](size_t at, size_t done, size_t run) {
            std::copy_n(data + done, run, ring_.data() + at);
        });
        written_ += size;
    }
    void SetAttenuation(int centibels) override {
        const float gain =
            centibels <= -10000 ? 0.0f : float(std::pow(10.0, std::min(centibels, 0) / 2000.0));
        Lock lock(device_);
        gain_ = gain;
    }
    void SetVolume(float v) override {
        volume_ = std::max(0.0f, v);
        Lock lock(device_);
        gain_ = volume_;
    }
    void SetPan(float pan) override {
        Lock lock(device_);
        pan_ = std::clamp(pan, -1.0f, 1.0f);
    }
    void SetRate(float) override {}  // the device runs at the stream's own rate
    void Pause() override { SDL_PauseAudioDevice(device_, 1); }
    void Resume() override {
        if (!stopped_) SDL_PauseAudioDevice(device_, 0);
    }
    void Stop() override {
        stopped_ = true;
        SDL_PauseAudioDevice(device_, 1);
    }
    bool Playing() override { return !stopped_; }
    float Volume() const override { return volume_; }

  private:
    struct Lock {
        explicit Lock(SDL_AudioDeviceID d) : device(d) { SDL_LockAudioDevice(device); }
        ~Lock() { SDL_UnlockAudioDevice(device); }
        SDL_AudioDeviceID device;
    };

    SDLRingChannel(size_t bytes, int bits, int channels) : ring_(bytes), bits_(bits), channels_(channels) {}

    // Calls copy(ring offset, bytes done, run) for each stretch of the n bytes from `position` on that
    // lies in one piece of the ring, wrapping round its end.
    template <class Copy>
    void ForEachRun(uint64_t position, size_t n, Copy copy) const {
        for (size_t done = 0; done < n;) {
            const size_t at = size_t((position + done) % ring_.size());
            const size_t run = std::min(n - done, ring_.size() - at);
            copy(at, done, run);
            done += run;
        }
    }

    // The audio thread, lock held: the next len bytes, from the ring as far as it was written.
    void Read(uint8_t* out, size_t len) {
        const size_t frame = size_t(channels_ * bits_ / 8);
        size_t n = std::min(len, size_t(written_ - read_));
        n -= n % frame;
        ForEachRun(read_, n, [&](size_t at, size_t done, size_t run) {
            std::copy_n(ring_.data() + at, run, out + done);
        });
        read_ += n;
        Scale(out, n);
        std::fill(out + n, out + len, uint8_t(bits_ == 8 ? 0x80 : 0));
    }

    // The loudness and, for stereo, the balance (the far side fades as the pan moves away from it).
    void Scale(uint8_t* out, size_t n) const {
        const float left = gain_ * (pan_ > 0.0f ? 1.0f - pan_ : 1.0f);
        const float right = gain_ * (pan_ < 0.0f ? 1.0f + pan_ : 1.0f);
        if (left == 1.0f && right == 1.0f) return;
        const size_t samples = n / size_t(bits_ / 8);
        for (size_t i = 0; i < samples; ++i) {
            const float g = channels_ == 2 ? (i % 2 == 0 ? left : right) : gain_;
            if (bits_ == 8) {
                out[i] = uint8_t(std::lround(128.0f + (float(out[i]) - 128.0f) * g));
            } else {
                int16_t v;
                std::memcpy(&v, out + 2 * i, 2);
                v = int16_t(std::lround(float(v) * g));
                std::memcpy(out + 2 * i, &v, 2);
            }
        }
    }

    SDL_AudioDeviceID device_ = 0;
    std::vector<uint8_t> ring_;
    uint64_t read_ = 0;
    uint64_t written_ = 0;
    int bits_;
    int channels_;
    float gain_ = 1.0f;
    float pan_ = 0.0f;
    float volume_ = 1.0f;
    bool stopped_ = false;
};

// The silent driver's channels, and music through ring channels of its own.
class SDLAudioDriver : public NullDriver {
  public:
    SDLAudioDriver() : NullDriver("DirectSound") {}
    static std::unique_ptr<SDLAudioDriver> Open() {
        if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
        return std::make_unique<SDLAudioDriver>();
    }
    std::shared_ptr<TRingChannel> AllocRingChannel(int channels, int bits, int rate, size_t bytes) override {
        return SDLRingChannel::Open(channels, bits, rate, bytes);
    }
};

// ---- OpenAL -----------------------------------------------------------------------------------

// A source still sounding after its channel object was dropped.
struct Orphan {
    ALuint source = 0;
    std::shared_ptr<void> buffer;
};

// The open device. Every channel and every uploaded sound holds it, so it closes only after the
// last of them, whatever order the program's objects are destroyed in at exit.
struct ALDevice {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    uint64_t id = 0;
    std::vector<Orphan> orphans;
    ~ALDevice() {
        for (Orphan& o : orphans) {
            alSourceStop(o.source);
            alSourcei(o.source, AL_BUFFER, 0);
            alDeleteSources(1, &o.source);
        }
        orphans.clear();
        alcMakeContextCurrent(nullptr);
        if (context) alcDestroyContext(context);
        if (device) alcCloseDevice(device);
    }
};

// A sound's buffer on the device. It does not keep the device open (parked sources hold their
// buffers, so a strong link would be a cycle); once the device has closed, its buffers are gone
// with it and there is nothing left to delete.
struct ALBuffer {
    std::weak_ptr<ALDevice> device;
    ALuint id = 0;
    ~ALBuffer() {
        if (!device.expired()) alDeleteBuffers(1, &id);
    }
};

ALenum ALFormat(int channels, int bits) {
    if (channels == 1) return bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

ALint SourceState(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

void ApplyPan(ALuint source, float pan) {
    pan = std::clamp(pan, -1.0f, 1.0f);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan));
}

// The device buffer of a sound, made on first use and kept with the sound.
std::shared_ptr<void> BufferFor(const std::shared_ptr<ALDevice>& device, TSound& sound) {
    if (sound.deviceBuffer && sound.deviceOwner == device->id) return sound.deviceBuffer;
    auto buffer = std::make_shared<ALBuffer>();
    buffer->device = device;
    alGetError();
    alGenBuffers(1, &buffer->id);
    if (alGetError() != AL_NO_ERROR) return nullptr;
    const TAudioSample& s = sound.Sample();
    alBufferData(buffer->id, ALFormat(s.channels, s.bits), s.data.data(), ALsizei(s.data.size()), s.rate);
    sound.deviceBuffer = buffer;
    sound.deviceOwner = device->id;
    return buffer;
}

// Deletes the parked sources that have finished.
void Reap(ALDevice& device) {
    std::erase_if(device.orphans, [](Orphan& o) {
        if (SourceState(o.source) == AL_PLAYING) return false;
        alSourceStop(o.source);
        alSourcei(o.source, AL_BUFFER, 0);
        alDeleteSources(1, &o.source);
        return true;
    });
}

class ALChannel : public TChannel {
  public:
    ALChannel(std::shared_ptr<ALDevice> device, ALuint source)
        : device_(std::move(device)), source_(source) {}
    ~ALChannel() override;

    void Cue(const std::shared_ptr<TSound>& sound) override;
    void SetVolume(float v) override {
        volume_ = std::max(0.0f, v);
        alSourcef(source_, AL_GAIN, volume_);
    }
    void SetPan(float pan) override { ApplyPan(source_, pan); }
    void SetRate(float rate) override { alSourcef(source_, AL_PITCH, std::clamp(rate, 0.01f, 8.0f)); }
    void Pause() override {
        if (SourceState(source_) == AL_PLAYING) alSourcePause(source_);
    }
    void Resume() override {
        ALint state = SourceState(source_);
        if (state == AL_PAUSED || (state == AL_INITIAL && buffer_)) alSourcePlay(source_);
    }
    void Stop() override {
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);
        buffer_.reset();
    }
    bool Playing() override {
        ALint state = SourceState(source_);
        return state == AL_PLAYING || state == AL_PAUSED || (state == AL_INITIAL && buffer_);
    }
    float Volume() const override { return volume_; }

  private:
    std::shared_ptr<ALDevice> device_;
    ALuint source_;
    std::shared_ptr<void> buffer_;
    float volume_ = 1.0f;
};

class ALStreamChannel : public TStreamChannel {
  public:
    ALStreamChannel(std::shared_ptr<ALDevice> device, ALuint source, int buffers)
        : device_(std::move(device)), source_(source), count_(std::max(2, buffers)) {}
    ~ALStreamChannel() override {
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);
        alDeleteSources(1, &source_);
        if (!buffers_.empty()) alDeleteBuffers(ALsizei(buffers_.size()), buffers_.data());
    }
    void SetVolume(float v) override {
        volume_ = std::max(0.0f, v);
        alSourcef(source_, AL_GAIN, volume_);
    }
    void SetPan(float pan) override { ApplyPan(source_, pan); }
    void SetRate(float rate) override { alSourcef(source_, AL_PITCH, std::clamp(rate, 0.01f, 8.0f)); }
    void Pause() override {
        paused_ = true;
        if (SourceState(source_) == AL_PLAYING) alSourcePause(source_);
    }
    void Resume() override {
        paused_ = false;
        stopped_ = false;
        if (SourceState(source_) != AL_PLAYING && Queued() > 0) alSourcePlay(source_);
    }
    void Stop() override {
        stopped_ = true;
        alSourceStop(source_);
    }
    bool Playing() override { return !stopped_; }
    float Volume() const override { return volume_; }
    int BufferCount() const override { return count_; }
    int ProcessedBuffers() override {
        ALint processed = 0;
        alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
        return int(processed) + (count_ - int(buffers_.size()));
    }
    void QueueBuffer(const uint8_t* data, size_t size, int channels, int bits, int rate) override {
        ALuint buffer = 0;
        if (int(buffers_.size()) < count_) {
            alGenBuffers(1, &buffer);
            if (alGetError() != AL_NO_ERROR) return;
            buffers_.push_back(buffer);
        } else {
            ALint processed = 0;
            alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
            if (processed <= 0) return;
            alSourceUnqueueBuffers(source_, 1, &buffer);
        }
        alBufferData(buffer, ALFormat(channels, bits), data, ALsizei(size), rate);
        alSourceQueueBuffers(source_, 1, &buffer);
        // A queue that ran dry stops the source; start it again unless the owner paused it.
        if (!paused_ && !stopped_ && SourceState(source_) != AL_PLAYING) alSourcePlay(source_);
    }

  private:
    int Queued() {
        ALint queued = 0;
        alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
        return int(queued);
    }

    std::shared_ptr<ALDevice> device_;
    ALuint source_;
    int count_;
    std::vector<ALuint> buffers_;
    float volume_ = 1.0f;
    bool paused_ = true;
    bool stopped_ = false;
};

class OpenALDriver : public TAudioDriver {
  public:
    static std::unique_ptr<OpenALDriver> Open() {
        auto device = std::make_shared<ALDevice>();
        device->device = alcOpenDevice(nullptr);
        if (!device->device) return nullptr;
        device->context = alcCreateContext(device->device, nullptr);
        if (!device->context || !alcMakeContextCurrent(device->context)) return nullptr;
        return std::unique_ptr<OpenALDriver>(new OpenALDriver(std::move(device)));
    }
    std::string Name() const override { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    std::shared_ptr<TChannel> AllocChannel() override {
        Reap(*device_);
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return std::make_shared<NullChannel>();
        return std::make_shared<ALChannel>(device_, source);
    }
    std::shared_ptr<TStreamChannel> AllocStreamChannel(int buffers) override {
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return std::make_shared<NullChannel>(buffers);
        return std::make_shared<ALStreamChannel>(device_, source, buffers);
    }

  private:
    explicit OpenALDriver(std::shared_ptr<ALDevice> device) : device_(std::move(device)) {
        static uint64_t next = 1;
        device_->id = next++;
    }

    std::shared_ptr<ALDevice> device_;
    std::string name_ = "OpenAL Generic Software";
};

ALChannel::~ALChannel() {
    if (buffer_ && SourceState(source_) == AL_PLAYING) {
        device_->orphans.push_back({source_, std::move(buffer_)});
        return;
    }
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteSources(1, &source_);
}

void ALChannel::Cue(const std::shared_ptr<TSound>& sound) {
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    buffer_.reset();
    if (!sound) return;
    std::shared_ptr<void> buffer = BufferFor(device_, *sound);
    if (!buffer) return;
    alSourceRewind(source_);
    alSourcei(source_, AL_BUFFER, ALint(static_cast<ALBuffer*>(buffer.get())->id));
    alSourcei(source_, AL_LOOPING, sound->Looped() ? AL_TRUE : AL_FALSE);
    buffer_ = std::move(buffer);
}

// ---- driver choice ----------------------------------------------------------------------------

std::unique_ptr<TAudioDriver>& CurrentDriver() {
    static std::unique_ptr<TAudioDriver> driver = std::make_unique<NullDriver>();
    return driver;
}

// The one OpenAL device of the process, opened on first demand and kept for later choices.
std::unique_ptr<OpenALDriver>& ParkedOpenAL() {
    static std::unique_ptr<OpenALDriver> driver;
    return driver;
}

bool IsOpenALName(const std::string& name) {
    return name.rfind("OpenAL", 0) == 0;
}

}  // namespace

bool EnableOpenALAudio() {
    if (dynamic_cast<OpenALDriver*>(CurrentDriver().get())) return true;
    if (!ParkedOpenAL()) ParkedOpenAL() = OpenALDriver::Open();
    return ParkedOpenAL() != nullptr;
}

bool SetAudioDriver(const std::string& name) {
    auto& current = CurrentDriver();
    if (auto* open = dynamic_cast<OpenALDriver*>(current.get())) {
        if (IsOpenALName(name)) {
            open->SetName(name);
            return true;
        }
        // Keep the device for a later choice rather than closing it under live channels.
        ParkedOpenAL().reset(static_cast<OpenALDriver*>(current.release()));
    }
    if (IsOpenALName(name) && EnableOpenALAudio()) {
        ParkedOpenAL()->SetName(name);
        current = std::move(ParkedOpenAL());
        return true;
    }
    if (name == "DirectSound") {
        if (auto sdl = SDLAudioDriver::Open()) {
            current = std::move(sdl);
            return true;
        }
    }
    if (name == "FreeAudio") {
        current = std::make_unique<NullDriver>(name);
        return true;
    }
    current = std::make_unique<NullDriver>();
    return name == "None";
}

TAudioDriver& AudioDriver() {
    return *CurrentDriver();
}

std::string AudioDriverName() {
    return CurrentDriver()->Name();
}

void SetAudioDriverInstance(std::unique_ptr<TAudioDriver> driver) {
    if (dynamic_cast<OpenALDriver*>(CurrentDriver().get()))
        ParkedOpenAL().reset(static_cast<OpenALDriver*>(CurrentDriver().release()));
    CurrentDriver() = driver ? std::move(driver) : std::make_unique<NullDriver>();
}

std::shared_ptr<TSound> CreateSound(std::shared_ptr<const TAudioSample> sample, int flags) {
    if (!sample) return nullptr;
    return std::make_shared<TSound>(std::move(sample), flags);
}

std::shared_ptr<TSound> LoadSound(std::span<const uint8_t> bytes, int flags) {
    return CreateSound(LoadAudioSample(bytes), flags);
}

std::shared_ptr<TSound> LoadSound(const std::string& path, int flags) {
    std::optional<std::vector<uint8_t>> bytes = LoadDataFile(path);
    if (!bytes) return nullptr;
    return LoadSound(std::span<const uint8_t>(*bytes), flags);
}

std::shared_ptr<TChannel> AllocChannel() {
    return AudioDriver().AllocChannel();
}

std::shared_ptr<TChannel> CueSound(const std::shared_ptr<TSound>& sound, std::shared_ptr<TChannel> channel) {
    if (!channel) channel = AllocChannel();
    channel->Cue(sound);
    return channel;
}

std::shared_ptr<TChannel> PlaySound(const std::shared_ptr<TSound>& sound, std::shared_ptr<TChannel> channel) {
    channel = CueSound(sound, std::move(channel));
    channel->Resume();
    return channel;
}

void PauseChannel(TChannel* channel) {
    if (channel) channel->Pause();
}
void ResumeChannel(TChannel* channel) {
    if (channel) channel->Resume();
}
void StopChannel(TChannel* channel) {
    if (channel) channel->Stop();
}
void SetChannelVolume(TChannel* channel, float volume) {
    if (channel) channel->SetVolume(volume);
}
void SetChannelPan(TChannel* channel, float pan) {
    if (channel) channel->SetPan(pan);
}
void SetChannelRate(TChannel* channel, float rate) {
    if (channel) channel->SetRate(rate);
}
bool ChannelPlaying(TChannel* channel) {
    return channel && channel->Playing();
}
