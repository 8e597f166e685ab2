// Streaming sources, the loader registry and the stream channel.
#include "core/MusicStream.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "core/ErrorReport.h"
#include "core/StringUtils.h"
#include "platform/AudioSample.h"
#include "platform/DataFile.h"
#include "platform/Events.h"
#include "platform/Socket.h"

namespace {

std::vector<std::weak_ptr<TAudioStream>>& LiveStreams() {
    static std::vector<std::weak_ptr<TAudioStream>> streams;
    return streams;
}

int FormatFor(int channels, int bits) {
    if (channels == 1) return bits == 8 ? STREAM_FORMAT_MONO8 : STREAM_FORMAT_MONO16;
    return bits == 8 ? STREAM_FORMAT_STEREO8 : STREAM_FORMAT_STEREO16;
}

int ClampToInt(size_t v) {
    return int(std::min<size_t>(v, size_t(INT32_MAX)));
}

}  // namespace

// ---- TMusic -----------------------------------------------------------------------------------

int TMusic::Seti(int id, int value) {
    switch (id) {
        case 4:
            if (value >= STREAM_FORMAT_MONO8 && value <= STREAM_FORMAT_STEREO16) STREAM_FORMAT = value;
            return 1;
        case 5:
            SAMPLE_RATE = value;
            return 1;
        case 7:
            STREAM_LOOP = value;
            return 1;
        default:
            return 0;
    }
}

int TMusic::Geti(int id) const {
    switch (id) {
        case 1:
            return STREAM_SIZE;
        case 2:
            return STREAM_POS;
        case 3:
            return PlayStatus;
        case 4:
            return STREAM_FORMAT;
        case 5:
            return SAMPLE_RATE;
        case 7:
            return STREAM_LOOP;
        default:
            return 0;
    }
}

int TMusic::BytesPerFrame(int format) {
    switch (format) {
        case STREAM_FORMAT_MONO8:
            return 1;
        case STREAM_FORMAT_MONO16:
        case STREAM_FORMAT_STEREO8:
            return 2;
        case STREAM_FORMAT_STEREO16:
            return 4;
        default:
            return 0;
    }
}

// ---- WAV --------------------------------------------------------------------------------------

std::unique_ptr<TMusic> TWavStream::Load(std::shared_ptr<TByteStream> stream) {
    if (!stream) return nullptr;
    std::optional<TWavInfo> info = ParseWav(*stream);
    if (!info || !stream->Seek(int64_t(info->dataOffset), 0)) return nullptr;
    auto wav = std::make_unique<TWavStream>();
    wav->STREAM_FORMAT = FormatFor(info->channels, info->bits);
    wav->SAMPLE_RATE = info->rate;
    wav->STREAM_SIZE = ClampToInt(info->dataSize);
    wav->loopseek_ = int64_t(info->dataOffset);
    wav->stream_ = std::move(stream);
    return wav;
}

std::unique_ptr<TMusic> TWavStream::FromBytes(std::vector<uint8_t> bytes) {
    return Load(OpenMemoryStream(std::make_shared<const std::vector<uint8_t>>(std::move(bytes))));
}

std::unique_ptr<TMusic> TWavStream::Load(const std::string& url) {
    return Load(OpenFileStream(DataFileName(url)));
}

size_t TWavStream::FillBuffer(uint8_t* buffer, size_t bytes) {
    size_t frame = size_t(BytesPerFrame(STREAM_FORMAT));
    bytes -= bytes % frame;
    size_t done = 0;
    while (done < bytes && PlayStatus == 1) {
        size_t left = size_t(STREAM_SIZE - STREAM_POS);
        size_t want = std::min(bytes - done, left);
        size_t n = stream_->Read(buffer + done, want);
        n -= n % frame;
        done += n;
        STREAM_POS += int(n);
        // A file cut short under us ends the music like its end does.
        if (n < want) STREAM_SIZE = STREAM_POS;
        if (STREAM_POS < STREAM_SIZE) continue;
        // End of the data: start again from the first sample, or end (an empty file cannot loop).
        if (STREAM_LOOP == 1 && STREAM_SIZE > 0 && stream_->Seek(loopseek_, 0)) {
            STREAM_POS = 0;
        } else {
            PlayStatus = 0;
        }
    }
    return done;
}

// ---- Ogg Vorbis -------------------------------------------------------------------------------

TOGGStream::~TOGGStream() = default;

std::unique_ptr<TOGGStream> TOGGStream::Open(std::shared_ptr<TByteStream> stream) {
    if (!stream) return nullptr;
    std::unique_ptr<TOggDecoder> dec = TOggDecoder::Open(std::move(stream));
    if (!dec) return nullptr;
    auto ogg = std::make_unique<TOGGStream>();
    ogg->STREAM_FORMAT = FormatFor(dec->Channels(), 16);
    ogg->SAMPLE_RATE = dec->Rate();
    ogg->STREAM_SIZE = int(std::min<int64_t>(dec->TotalFrames(), INT32_MAX));
    ogg->ogg_ = std::move(dec);
    return ogg;
}

std::unique_ptr<TMusic> TOGGStream::Load(std::shared_ptr<TByteStream> stream) {
    // A radio connection is opened by OpenIceStream, never by a file loader.
    if (!stream || !stream->Seekable()) return nullptr;
    return Open(std::move(stream));
}

std::unique_ptr<TMusic> TOGGStream::FromBytes(std::vector<uint8_t> bytes) {
    return Load(OpenMemoryStream(std::make_shared<const std::vector<uint8_t>>(std::move(bytes))));
}

std::unique_ptr<TMusic> TOGGStream::Load(const std::string& url) {
    return Load(OpenFileStream(DataFileName(url)));
}

std::unique_ptr<TMusic> TOGGStream::OpenIceStream(const std::string& host, const std::string& path,
                                                  int port) {
    std::shared_ptr<TSocketStream> socket = TSocketStream::Connect(host, port);
    if (!socket) {
        ShowNotice("Unable to connect");
        return nullptr;
    }
    if (!socket->Write("GET /" + path + " HTTP/1.0\r\nHost: " + host + "\r\n\r\n")) return nullptr;
    // A header block of any sane server is far below these bounds; a stream of endless header
    // lines is refused rather than read for ever.
    constexpr size_t kMaxLine = 8192;
    constexpr int kMaxLines = 200;
    int rate = 0, channels = 2;
    for (int lines = 0;; ++lines) {
        std::optional<std::string> line = socket->ReadLine(kMaxLine);
        if (!line || lines >= kMaxLines) return nullptr;
        if (line->empty()) break;
        if (line->find("ice-audio-info") == std::string::npos) continue;
        size_t at = line->find("samplerate=");
        if (at != std::string::npos) rate = std::atoi(line->substr(at + 11, 5).c_str());
        at = line->find("channels=");
        if (at != std::string::npos && at + 9 < line->size() && std::isdigit(uint8_t((*line)[at + 9])))
            channels = (*line)[at + 9] - '0';
    }
    if (rate <= 0 || channels <= 0) return nullptr;
    std::unique_ptr<TOGGStream> ogg = Open(std::move(socket));
    if (!ogg) return nullptr;
    ogg->STREAM_SIZE = 0;
    return ogg;
}

size_t TOGGStream::FillBuffer(uint8_t* buffer, size_t bytes) {
    size_t frame = size_t(BytesPerFrame(STREAM_FORMAT));
    bytes -= bytes % frame;
    size_t done = 0;
    bool rewound = false;
    while (done < bytes && PlayStatus == 1) {
        size_t n = ogg_->Read(buffer + done, bytes - done);
        done += n;
        // An endless radio stream counts past what an int holds after some hours: wrap, not overflow.
        int64_t pos = int64_t(STREAM_POS) + int64_t(n / frame);
        STREAM_POS = int(pos > INT32_MAX ? pos - INT32_MAX : pos);
        if (n > 0) rewound = false;
        if (done == bytes) break;
        // The decoder ran dry: loop from the start, unless the stream yields nothing at all or
        // cannot rewind (a radio stream whose server has gone).
        if (STREAM_LOOP == 1 && !rewound && ogg_->Rewind()) {
            STREAM_POS = 0;
            rewound = true;
        } else {
            PlayStatus = 0;
        }
    }
    return done;
}

// ---- loaders ----------------------------------------------------------------------------------

std::vector<SonvekLoader>& SonvekLoader::Loaders() {
    static std::vector<SonvekLoader> loaders = {
        {[](std::shared_ptr<TByteStream> s) { return TWavStream::Load(std::move(s)); }, "WAV Audio", "wav"},
        {[](std::shared_ptr<TByteStream> s) { return TOGGStream::Load(std::move(s)); }, "Ogg Vorbis", "ogg"},
    };
    return loaders;
}

void SonvekLoader::Create(SonvekLoaderFunction func, const std::string& name, const std::string& ext) {
    Loaders().push_back({std::move(func), name, ext});
}

std::unique_ptr<TMusic> SonvekLoader::Load(const std::string& url) {
    return Load(std::shared_ptr<TByteStream>(OpenFileStream(DataFileName(url))));
}

std::unique_ptr<TMusic> SonvekLoader::Load(std::shared_ptr<TByteStream> stream) {
    if (!stream) return nullptr;
    for (const SonvekLoader& loader : Loaders()) {
        if (!stream->Seek(0, 0)) return nullptr;
        if (auto music = loader.Func(stream)) return music;
    }
    return nullptr;
}

std::string SonvekLoader::GetExtensions(bool all, bool allFiles) {
    std::vector<std::string> entries;
    if (all) {
        std::string list = "All supported:";
        for (size_t i = 0; i < Loaders().size(); ++i) {
            if (i > 0) list += ',';
            list += Lower(Loaders()[i].Ext);
        }
        entries.push_back(list);
    }
    for (const SonvekLoader& l : Loaders()) {
        std::string entry = l.Name;
        entry += ':';
        entry += Lower(l.Ext);
        entries.push_back(entry);
    }
    if (allFiles) entries.push_back("All Files:*");
    std::string out;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) out += ';';
        out += entries[i];
    }
    return out;
}

// ---- TAudioStream -----------------------------------------------------------------------------

std::shared_ptr<TAudioStream> TAudioStream::Create(const std::string& url, int loop, bool startPaused) {
    std::shared_ptr<TMusic> music = SonvekLoader::Load(url);
    if (!music) return nullptr;
    auto stream = Create(std::move(music), loop, startPaused);
    if (stream) stream->KeepMusic = 0;
    return stream;
}

std::shared_ptr<TAudioStream> TAudioStream::Create(std::shared_ptr<TMusic> music, int loop,
                                                   bool startPaused) {
    const int frame = music ? TMusic::BytesPerFrame(music->STREAM_FORMAT) : 0;
    if (frame == 0) return nullptr;
    // The streams are topped up from the platform's refill timer from the first one on.
    [[maybe_unused]] static const bool refillTimer = SetRefillHandler(UpdateAudioStreams);
    TAudioDriver& driver = AudioDriver();
    const size_t ringBytes = size_t(std::max(music->SAMPLE_RATE, 1)) * RING_MS / 1000 * size_t(frame);
    std::shared_ptr<TAudioStream> stream;
    if (auto ring = driver.AllocRingChannel(music->Channels(), music->Bits(), music->SAMPLE_RATE, ringBytes))
        stream = std::make_shared<TDirectSoundAudioStream>(std::move(ring));
    else if (auto queue = driver.AllocStreamChannel(BUFFER_COUNT))
        stream = std::make_shared<TOpenALAudioStream>(std::move(queue));
    else
        stream = std::make_shared<TFreeAudioAudioStream>();
    stream->Music = std::move(music);
    stream->Music->Seti(7, loop);
    stream->KeepMusic = 1;
    stream->samplerate = stream->Music->SAMPLE_RATE;
    stream->paused = true;
    stream->Update();
    if (startPaused)
        stream->Pause();
    else
        stream->Resume();
    LiveStreams().push_back(stream);
    return stream;
}

void TAudioStream::SetVolume(float volume) {
    volume_ = volume;
    SetChannelVolume(Output(), volume);
}

void TAudioStream::SetPan(float pan) {
    SetChannelPan(Output(), pan);
}

void TAudioStream::SetRate(float rate) {
    SetChannelRate(Output(), rate);
}

void TAudioStream::Pause() {
    paused = true;
    PauseChannel(Output());
}

void TAudioStream::Resume() {
    if (stopped_) return;
    paused = false;
    ResumeChannel(Output());
}

void TAudioStream::Stop() {
    stopped_ = true;
    StopChannel(Output());
}

// ---- queue output -----------------------------------------------------------------------------

TOpenALAudioStream::TOpenALAudioStream(std::shared_ptr<TStreamChannel> output) : output_(std::move(output)) {
    scratch_.resize(BUFFER_SIZE);
}

int TOpenALAudioStream::Update() {
    if (stopped_) return 0;
    int free = output_->ProcessedBuffers();
    int queued = 0;
    for (int i = 0; i < free && Music->PlayStatus == 1; ++i) {
        size_t n = Music->FillBuffer(scratch_.data(), scratch_.size());
        if (n == 0) break;
        output_->QueueBuffer(scratch_.data(), n, Music->Channels(), Music->Bits(), samplerate);
        writepos += n;
        ++queued;
    }
    return queued;
}

bool TOpenALAudioStream::Playing() {
    if (stopped_) return false;
    return Music->PlayStatus == 1 || output_->ProcessedBuffers() < output_->BufferCount();
}

// ---- ring output ------------------------------------------------------------------------------

TDirectSoundAudioStream::TDirectSoundAudioStream(std::shared_ptr<TRingChannel> ring) : pDSB(std::move(ring)) {
    scratch_.resize(BUFFER_SIZE);
}

int TDirectSoundAudioStream::Centibels(float volume) {
    if (volume >= 1.0f) return 0;
    if (volume <= 0.0f) return -10000;
    return std::max(-10000, int(1000.0f * std::log2(volume)));
}

void TDirectSoundAudioStream::SetVolume(float volume) {
    volume_ = volume;
    pDSB->SetAttenuation(Centibels(volume));
}

int TDirectSoundAudioStream::Update() {
    if (stopped_ || finstart) return 0;
    const size_t ring = pDSB->RingBytes();
    // Everything the device has read since may be written again: up to its read position.
    size_t room = ring - std::min(ring, size_t(writepos - pDSB->ReadPosition()));
    room -= room % FrameBytes();
    int writes = 0;
    while (room > 0 && Music->PlayStatus == 1) {
        const size_t want = std::min(room, scratch_.size());
        const size_t n = Music->FillBuffer(scratch_.data(), want);
        if (n == 0) break;
        pDSB->Write(scratch_.data(), n);
        writepos += n;
        room -= n;
        ++writes;
    }
    if (Music->PlayStatus != 1) {
        finstart = 1;
        finloop = int(writepos / ring);
        finpos = writepos % ring;
    }
    return writes;
}

bool TDirectSoundAudioStream::Playing() {
    if (stopped_) return false;
    if (!finstart) return true;
    return pDSB->ReadPosition() < uint64_t(finloop) * pDSB->RingBytes() + finpos;
}

void UpdateAudioStreams() {
    auto& streams = LiveStreams();
    std::erase_if(streams, [](const std::weak_ptr<TAudioStream>& w) { return w.expired(); });
    std::vector<std::shared_ptr<TAudioStream>> live;
    for (const auto& w : streams)
        if (auto s = w.lock()) live.push_back(std::move(s));
    for (const auto& s : live) s->Update();
}
