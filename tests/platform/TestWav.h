// WAV files made in memory for tests, chunk by chunk, so that odd layouts (padding, unknown or
// missing chunks, lying sizes) can be built as easily as plain files.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace testwav {

inline void Put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

inline void PutTag(std::vector<uint8_t>& v, const char* t) {
    v.insert(v.end(), t, t + 4);
}

// A "fmt " chunk whose body is `size` bytes: cut short below 16, made up with zero bytes above.
inline std::vector<uint8_t> Fmt(int channels, int rate, int bits, int tag = 1, uint32_t size = 16) {
    std::vector<uint8_t> c;
    PutTag(c, "fmt ");
    Put(c, size, 4);
    Put(c, uint32_t(tag), 2);
    Put(c, uint32_t(channels), 2);
    Put(c, uint32_t(rate), 4);
    Put(c, uint32_t(rate * channels * bits / 8), 4);
    Put(c, uint32_t(channels * bits / 8), 2);
    Put(c, uint32_t(bits), 2);
    c.resize(8 + size_t(size), 0);
    return c;
}

inline std::vector<uint8_t> Chunk(const char* tag, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> c;
    PutTag(c, tag);
    Put(c, uint32_t(body.size()), 4);
    c.insert(c.end(), body.begin(), body.end());
    if (body.size() % 2) c.push_back(0);
    return c;
}

inline std::vector<uint8_t> Riff(const std::vector<std::vector<uint8_t>>& chunks) {
    std::vector<uint8_t> v;
    PutTag(v, "RIFF");
    Put(v, 0, 4);
    PutTag(v, "WAVE");
    for (const auto& c : chunks) v.insert(v.end(), c.begin(), c.end());
    uint32_t size = uint32_t(v.size() - 8);
    std::memcpy(v.data() + 4, &size, 4);
    return v;
}

// Sample bytes that differ from their neighbours, so that shifted or repeated data shows.
inline std::vector<uint8_t> Pcm(size_t n) {
    std::vector<uint8_t> d(n);
    for (size_t i = 0; i < n; ++i) d[i] = uint8_t(i % 251);
    return d;
}

inline std::vector<uint8_t> Wav(int channels, int rate, int bits, size_t dataBytes) {
    return Riff({Fmt(channels, rate, bits), Chunk("data", Pcm(dataBytes))});
}

}  // namespace testwav
