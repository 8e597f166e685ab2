// WAV parsing and Ogg Vorbis decoding to PCM.
#include "platform/AudioSample.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "platform/DataFile.h"
#include "platform/FileSystem.h"

namespace {

uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
bool Tag(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

constexpr int kMaxRate = 384000;

}  // namespace

namespace {

// The chunk walk over any source of bytes: size is the total, read(pos, n, out) fetches n bytes at
// pos (false when it cannot), so files are parsed without being loaded.
template <class ReadAt>
std::optional<TWavInfo> ParseWavChunks(size_t total, ReadAt read) {
    uint8_t head[12];
    if (total < 12 || !read(0, 12, head) || !Tag(head, "RIFF") || !Tag(head + 8, "WAVE")) return std::nullopt;
    std::optional<TWavInfo> fmt;
    bool haveData = false;
    size_t dataOffset = 0, dataSize = 0;
    size_t pos = 12;
    // Each chunk: 4-byte tag, 4-byte size, then size bytes and a pad byte when size is odd.
    while (total - pos >= 8) {
        uint8_t chunk[8];
        if (!read(pos, 8, chunk)) return std::nullopt;
        size_t body = pos + 8;
        size_t size = std::min<size_t>(U32(chunk + 4), total - body);
        if (Tag(chunk, "fmt ")) {
            uint8_t f[16];
            if (size < 16 || !read(body, 16, f)) return std::nullopt;
            TWavInfo info;
            if (U16(f) != 1) return std::nullopt;  // PCM only
            info.channels = U16(f + 2);
            info.rate = int(U32(f + 4));
            info.bits = U16(f + 14);
            if (info.channels < 1 || info.channels > 2 || (info.bits != 8 && info.bits != 16))
                return std::nullopt;
            if (U32(f + 4) == 0 || U32(f + 4) > uint32_t(kMaxRate)) return std::nullopt;
            fmt = info;
        } else if (Tag(chunk, "data") && !haveData) {
            haveData = true;
            dataOffset = body;
            dataSize = size;
        }
        if (size > total - body - (size & 1)) break;  // clamped chunk: nothing can follow
        pos = body + size + (size & 1);
    }
    if (!fmt || !haveData) return std::nullopt;
    fmt->dataOffset = dataOffset;
    size_t frame = size_t(fmt->channels) * size_t(fmt->bits / 8);
    fmt->dataSize = dataSize - dataSize % frame;
    return fmt;
}

}  // namespace

std::optional<TWavInfo> ParseWav(std::span<const uint8_t> bytes) {
    return ParseWavChunks(bytes.size(), [&](size_t pos, size_t n, uint8_t* out) {
        std::memcpy(out, bytes.data() + pos, n);
        return true;
    });
}

std::optional<TWavInfo> ParseWav(TByteStream& stream) {
    int64_t total = stream.Size();
    if (!stream.Seekable() || total < 0) return std::nullopt;
    return ParseWavChunks(size_t(total), [&](size_t pos, size_t n, uint8_t* out) {
        return stream.Seek(int64_t(pos), 0) && stream.Read(out, n) == n;
    });
}

std::optional<TAudioSample> DecodeWav(std::span<const uint8_t> bytes) {
    std::optional<TWavInfo> info = ParseWav(bytes);
    if (!info) return std::nullopt;
    TAudioSample sample;
    sample.channels = info->channels;
    sample.rate = info->rate;
    sample.bits = info->bits;
    sample.data.assign(bytes.begin() + std::ptrdiff_t(info->dataOffset),
                       bytes.begin() + std::ptrdiff_t(info->dataOffset + info->dataSize));
    return sample;
}

// ---- Ogg Vorbis -------------------------------------------------------------------------------

struct TOggDecoder::Impl {
    std::shared_ptr<TByteStream> stream;
    OggVorbis_File file{};
    bool open = false;

    ~Impl() {
        if (open) ov_clear(&file);
    }

    static size_t ReadCb(void* ptr, size_t size, size_t count, void* source) {
        auto* self = static_cast<Impl*>(source);
        if (size == 0) return 0;
        return self->stream->Read(ptr, size * count) / size;
    }
    // A stream that cannot seek (a radio connection) says so for every request, which tells the
    // decoder to read it straight through.
    static int SeekCb(void* source, ogg_int64_t offset, int whence) {
        auto* self = static_cast<Impl*>(source);
        int origin = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? 1 : 2;
        return self->stream->Seek(int64_t(offset), origin) ? 0 : -1;
    }
    static long TellCb(void* source) { return long(static_cast<Impl*>(source)->stream->Tell()); }
};

std::unique_ptr<TOggDecoder> TOggDecoder::Open(std::shared_ptr<const std::vector<uint8_t>> bytes) {
    if (!bytes) return nullptr;
    return Open(std::shared_ptr<TByteStream>(OpenMemoryStream(std::move(bytes))));
}

std::unique_ptr<TOggDecoder> TOggDecoder::Open(std::shared_ptr<TByteStream> stream) {
    if (!stream) return nullptr;
    if (stream->Seekable()) {
        char magic[4];
        if (stream->Read(magic, 4) != 4 || std::memcmp(magic, "OggS", 4) != 0 || !stream->Seek(0, 0))
            return nullptr;
    }
    std::unique_ptr<TOggDecoder> dec(new TOggDecoder());
    dec->impl_ = std::make_unique<Impl>();
    Impl& impl = *dec->impl_;
    impl.stream = std::move(stream);
    ov_callbacks cb{};
    cb.read_func = &Impl::ReadCb;
    cb.seek_func = &Impl::SeekCb;
    cb.close_func = nullptr;  // the stream closes with the decoder
    cb.tell_func = &Impl::TellCb;
    if (ov_open_callbacks(&impl, &impl.file, nullptr, 0, cb) != 0) return nullptr;
    impl.open = true;
    vorbis_info* vi = ov_info(&impl.file, -1);
    if (!vi || vi->channels < 1 || vi->channels > 2 || vi->rate <= 0 || vi->rate > kMaxRate) return nullptr;
    dec->channels_ = vi->channels;
    dec->rate_ = int(vi->rate);
    ogg_int64_t total = ov_pcm_total(&impl.file, -1);
    dec->totalFrames_ = total > 0 ? total : 0;
    return dec;
}

TOggDecoder::~TOggDecoder() = default;

size_t TOggDecoder::Read(uint8_t* out, size_t size) {
    size_t frame = size_t(channels_) * 2;
    size -= size % frame;
    size_t done = 0;
    int holes = 0;
    while (done < size) {
        int section = 0;
        size_t want = std::min<size_t>(size - done, 1 << 20);
        long got = ov_read(&impl_->file, reinterpret_cast<char*>(out + done), int(want), 0, 2, 1, &section);
        if (got == OV_HOLE && ++holes < 64) continue;  // a gap in the stream: carry on after it
        if (got <= 0) break;
        done += size_t(got);
    }
    return done;
}

bool TOggDecoder::Rewind() {
    return ov_seekable(&impl_->file) && ov_pcm_seek(&impl_->file, 0) == 0;
}

std::optional<TAudioSample> DecodeOgg(std::span<const uint8_t> bytes) {
    auto copy = std::make_shared<std::vector<uint8_t>>(bytes.begin(), bytes.end());
    std::unique_ptr<TOggDecoder> dec = TOggDecoder::Open(copy);
    if (!dec) return std::nullopt;
    TAudioSample sample;
    sample.channels = dec->Channels();
    sample.rate = dec->Rate();
    sample.bits = 16;
    // The stated length is only a hint (a damaged file may lie); grow as data arrives.
    size_t hint =
        size_t(std::min<int64_t>(dec->TotalFrames(), int64_t(1) << 26)) * size_t(sample.BytesPerFrame());
    sample.data.reserve(hint);
    std::vector<uint8_t> chunk(64 * 1024);
    for (;;) {
        size_t n = dec->Read(chunk.data(), chunk.size());
        sample.data.insert(sample.data.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(n));
        if (n < chunk.size() - chunk.size() % size_t(sample.BytesPerFrame())) break;
    }
    return sample;
}

std::shared_ptr<TAudioSample> LoadAudioSample(std::span<const uint8_t> bytes) {
    std::optional<TAudioSample> sample;
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "RIFF", 4) == 0) {
        sample = DecodeWav(bytes);
    } else if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0) {
        sample = DecodeOgg(bytes);
    }
    if (!sample) return nullptr;
    return std::make_shared<TAudioSample>(std::move(*sample));
}

std::shared_ptr<TAudioSample> LoadAudioSample(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(path, MaxDataFileBytes);
    if (!bytes) return nullptr;
    return LoadAudioSample(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
}
