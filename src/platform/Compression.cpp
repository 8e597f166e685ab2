// zlib calls for the archive reader and writer.
#include "platform/Compression.h"

#include <zlib.h>

#include <limits>
#include <stdexcept>

bool ZlibUncompressExact(const uint8_t* src, size_t src_len, uint8_t* dst, size_t dst_len) {
    if (src_len > std::numeric_limits<uLong>::max() || dst_len > std::numeric_limits<uLong>::max())
        return false;
    // zlib wants a writable buffer even for an empty result.
    uint8_t scratch = 0;
    Bytef* out = dst_len == 0 ? &scratch : dst;
    uLongf produced = static_cast<uLongf>(dst_len);
    uLong consumed = static_cast<uLong>(src_len);
    static const uint8_t kEmpty = 0;
    const Bytef* in = src_len == 0 ? &kEmpty : src;
    int rc = uncompress2(out, &produced, in, &consumed);
    return rc == Z_OK && produced == dst_len;
}

std::vector<uint8_t> ZlibCompress(const uint8_t* src, size_t len, int level) {
    if (len > std::numeric_limits<uLong>::max()) throw std::length_error("ZlibCompress: input too large");
    uLongf bound = compressBound(static_cast<uLong>(len));
    std::vector<uint8_t> out(bound);
    static const uint8_t kEmpty = 0;
    int rc = compress2(out.data(), &bound, len == 0 ? &kEmpty : src, static_cast<uLong>(len), level);
    if (rc != Z_OK) throw std::runtime_error("ZlibCompress: compression failed");
    out.resize(bound);
    return out;
}

size_t ZlibMaxInflatedSize(size_t src_len) {
    constexpr size_t kRatio = 1032;
    if (src_len > std::numeric_limits<size_t>::max() / kRatio - 1) return std::numeric_limits<size_t>::max();
    return src_len * kRatio + 64;
}
