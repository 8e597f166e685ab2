// zlib behind a narrow interface, so the archive code outside the platform layer never sees zlib.h.
//
// Decompression is strict: the caller states exactly how many bytes the stream must produce, and
// anything else (a damaged stream, too few or too many bytes) is a failure rather than silent zeros.
//
// Used by the archive format (core/PakFormat).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Inflates the zlib stream src into exactly dst_len bytes at dst. True only when the stream is
// intact and yields exactly dst_len bytes.
bool ZlibUncompressExact(const uint8_t* src, size_t src_len, uint8_t* dst, size_t dst_len);

// Deflates len bytes into a zlib stream (level 0-9, -1 for zlib's default).
std::vector<uint8_t> ZlibCompress(const uint8_t* src, size_t len, int level = 9);

// Upper bound of the inflated size of a zlib stream of src_len bytes (deflate cannot expand by
// more than about 1032:1), used to refuse absurd stated sizes before allocating.
size_t ZlibMaxInflatedSize(size_t src_len);
