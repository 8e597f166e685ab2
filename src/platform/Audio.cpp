// The OpenAL Soft driver, SDL's audio ("DirectSound", "FreeAudio"), the silent driver and the
// platform's channel calls.
//
// A channel object owns its voice (an OpenAL source, an SDL_mixer channel), but a sound started and
// forgotten ("play this click") must still be heard to its end: such voices are parked with their
// device and reclaimed once they have finished.
#include "platform/Audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <SDL.h>
#include <SDL_mixer.h>

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

// "None": no driver could be had, or none was chosen; plays nothing.
class NullDriver : public TAudioDriver {
  public:
    std::string Name() const override { return "None"; }
    std::shared_ptr<TChannel> AllocChannel() override { return std::make_shared<NullChannel>(); }
    std::shared_ptr<TStreamChannel> AllocStreamChannel(int) override { return nullptr; }
};

// Every device a sound may be uploaded to gets its own number, so a sound's buffer is never taken for
// another device's.
uint64_t NextDeviceId() {
    static uint64_t next = 1;
    return next++;
}

// The loudness of each side for a pan: the far side fades as the pan moves away from it.
struct PanGains {
    explicit PanGains(float pan)
        : left(pan > 0.0f ? 1.0f - pan : 1.0f), right(pan < 0.0f ? 1.0f + pan : 1.0f) {}
    float left;
    float right;
};

// ---- SDL audio ("DirectSound", "FreeAudio") ---------------------------------------------------

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

    // The loudness and, for stereo, the balance.
    void Scale(uint8_t* out, size_t n) const {
        const PanGains pan(pan_);
        const float left = gain_ * pan.left;
        const float right = gain_ * pan.right;
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

bool InitSDLAudio() {
    return SDL_WasInit(SDL_INIT_AUDIO) || SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

// A sound in the mixer's own layout (SDL_mixer mixes chunks as they are, in the device's format).
// The chunk only points at the bytes, so nothing here needs the mixer to be open when it goes.
struct MixSound {
    std::vector<uint8_t> pcm;
    Mix_Chunk chunk{};
};

// SDL_mixer's device, one per process, shared by the SDL drivers' channels. Each channel object
// holds a mixer channel of its own; a channel dropped while its sound plays is parked here with its
// sound until the sound ends, and its mixer channel is then handed out again. The device closes
// after the last channel and driver that hold it.
struct MixerDevice {
    uint64_t id = NextDeviceId();
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    std::vector<int> free;
    std::vector<std::pair<int, std::shared_ptr<MixSound>>> orphans;

    static std::shared_ptr<MixerDevice> Shared() {
        static std::weak_ptr<MixerDevice> open;
        if (auto mixer = open.lock()) return mixer;
        if (!InitSDLAudio() || Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 1024, nullptr, 0) != 0)
            return nullptr;
        auto mixer = std::make_shared<MixerDevice>();
        Mix_QuerySpec(&mixer->rate, &mixer->format, &mixer->channels);
        mixer->Grow();
        open = mixer;
        return mixer;
    }
    ~MixerDevice() { Mix_CloseAudio(); }  // halts every channel first

    int Take() {
        std::erase_if(orphans, [this](const auto& orphan) {
            if (Mix_Playing(orphan.first)) return false;
            Release(orphan.first);
            return true;
        });
        if (free.empty()) Grow();
        const int index = free.back();
        free.pop_back();
        Mix_Volume(index, MIX_MAX_VOLUME);
        return index;
    }
    void Release(int index) {
        Mix_HaltChannel(index);
        free.push_back(index);
    }

  private:
    void Grow() {
        const int had = Mix_AllocateChannels(-1);
        const int now = Mix_AllocateChannels(had + 16);
        for (int i = now - 1; i >= had; --i) free.push_back(i);
    }
};

// The sound converted for the mixer, played `rate` times faster: SDL_mixer has no playback rate of
// its own, so a rate other than 1 is a copy resampled as if the sound had been recorded at rate x its
// own frequency. Only the copy at rate 1 is kept with the sound; the others serve one start.
std::shared_ptr<MixSound> MixSoundFor(const MixerDevice& mixer, TSound& sound, float rate) {
    const bool keep = rate == 1.0f;
    if (keep && sound.deviceBuffer && sound.deviceOwner == mixer.id)
        return std::static_pointer_cast<MixSound>(sound.deviceBuffer);
    const TAudioSample& s = sound.Sample();
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, s.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB, Uint8(s.channels),
                          int(std::lround(double(s.rate) * rate)), mixer.format, Uint8(mixer.channels),
                          mixer.rate) < 0)
        return nullptr;
    auto made = std::make_shared<MixSound>();
    cvt.len = int(s.Frames() * size_t(s.BytesPerFrame()));
    made->pcm.resize(size_t(cvt.len) * size_t(cvt.len_mult));
    std::copy_n(s.data.begin(), cvt.len, made->pcm.begin());
    cvt.buf = made->pcm.data();
    if (cvt.len == 0 || SDL_ConvertAudio(&cvt) != 0) cvt.len_cvt = 0;
    made->pcm.resize(size_t(cvt.len_cvt));
    made->chunk.abuf = made->pcm.data();
    made->chunk.alen = Uint32(made->pcm.size());
    made->chunk.volume = MIX_MAX_VOLUME;
    if (keep) {
        sound.deviceBuffer = made;
        sound.deviceOwner = mixer.id;
    }
    return made;
}

// One mixer channel. A cued sound waits here and is handed to the mixer at the first Resume, so the
// rate and pan set in between apply from its first sample. The pan is a mixer effect, which the
// mixer drops whenever a sound ends or is halted: it is set again at every start.
class MixerChannel : public TChannel {
  public:
    explicit MixerChannel(std::shared_ptr<MixerDevice> mixer)
        : mixer_(std::move(mixer)), index_(mixer_->Take()) {}
    ~MixerChannel() override {
        if (started_ && Mix_Playing(index_) && !Mix_Paused(index_))
            mixer_->orphans.emplace_back(index_, std::move(playing_));
        else
            mixer_->Release(index_);
    }

    void Cue(const std::shared_ptr<TSound>& sound) override {
        Stop();
        sound_ = sound;
    }
    void SetVolume(float v) override {
        volume_ = std::max(0.0f, v);
        Mix_Volume(index_, int(std::lround(std::min(volume_, 1.0f) * MIX_MAX_VOLUME)));
    }
    void SetPan(float pan) override {
        pan_ = std::clamp(pan, -1.0f, 1.0f);
        if (started_ && Mix_Playing(index_)) ApplyPan();
    }
    // A sound already started keeps its rate; the new one applies from its next start.
    void SetRate(float rate) override { rate_ = std::clamp(rate, 0.01f, 8.0f); }
    void Pause() override {
        if (started_) Mix_Pause(index_);
    }
    void Resume() override {
        if (started_)
            Mix_Resume(index_);  // nothing once the sound is over
        else if (sound_)
            Start();
    }
    void Stop() override {
        Mix_HaltChannel(index_);
        sound_.reset();
        playing_.reset();
        started_ = false;
    }
    bool Playing() override { return sound_ && (!started_ || Mix_Playing(index_)); }
    float Volume() const override { return volume_; }

  private:
    void Start() {
        playing_ = MixSoundFor(*mixer_, *sound_, rate_);
        started_ = true;
        if (!playing_) return;
        ApplyPan();
        Mix_PlayChannel(index_, &playing_->chunk, sound_->Looped() ? -1 : 0);
    }
    void ApplyPan() {
        const PanGains gains(pan_);
        Mix_SetPanning(index_, Uint8(std::lround(gains.left * 255.0f)),
                       Uint8(std::lround(gains.right * 255.0f)));
    }

    std::shared_ptr<MixerDevice> mixer_;
    int index_;
    std::shared_ptr<TSound> sound_;
    std::shared_ptr<MixSound> playing_;
    bool started_ = false;
    float volume_ = 1.0f;
    float pan_ = 0.0f;
    float rate_ = 1.0f;
};

// Sound effects through SDL_mixer; under "DirectSound" also music streams through ring channels,
// each on an SDL device of its own beside the mixer's. The mixer opens with the first channel; where
// it cannot, the channels are silent.
class SDLAudioDriver : public TAudioDriver {
  public:
    static std::unique_ptr<SDLAudioDriver> Open(const std::string& name) {
        const bool rings = name == "DirectSound";
        if (rings && !InitSDLAudio()) return nullptr;
        return std::unique_ptr<SDLAudioDriver>(new SDLAudioDriver(name, rings));
    }
    std::string Name() const override { return name_; }
    std::shared_ptr<TChannel> AllocChannel() override {
        if (!triedMixer_) mixer_ = MixerDevice::Shared();
        triedMixer_ = true;
        if (!mixer_) return std::make_shared<NullChannel>();
        return std::make_shared<MixerChannel>(mixer_);
    }
    std::shared_ptr<TStreamChannel> AllocStreamChannel(int) override { return nullptr; }
    std::shared_ptr<TRingChannel> AllocRingChannel(int channels, int bits, int rate, size_t bytes) override {
        return rings_ ? SDLRingChannel::Open(channels, bits, rate, bytes) : nullptr;
    }

  private:
    SDLAudioDriver(std::string name, bool rings) : name_(std::move(name)), rings_(rings) {}
    std::string name_;
    bool rings_;
    bool triedMixer_ = false;
    std::shared_ptr<MixerDevice> mixer_;
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
        device_->id = NextDeviceId();
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
    if (name == "DirectSound" || name == "FreeAudio") {
        if (auto sdl = SDLAudioDriver::Open(name)) {
            current = std::move(sdl);
            return true;
        }
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
