// The "!PAK" resource archive format, shared by the game's reader and the PakWrite build tool so
// that both sides agree on every byte.
//
// All integers are 32-bit little-endian, signed.
//
//   header        +0 "!PAK" (0x4B415021)   +4 version   +8 N (entries)
//
//   version 1     N times, from offset 12:
//                 +0 name[52]  +52 kind  +56 S  +60 R  +64 S bytes: zlib stream of R bytes
//
//   version 0x10001
//                 +12 T (packed table size)  +16 U (unpacked table size = N * 272)
//                 +20 T bytes: zlib stream of the table, N entries of 272 bytes:
//                       +0 Size  +4 Offset  +8 RealSize  +12 kind  +16 name[256]
//                 +20+T the N data blocks in table order, each Size bytes: zlib of RealSize bytes
//
// Names are 8-bit characters padded with zero bytes or blanks; they are trimmed of every
// character <= 32 at both ends. The reader checks every count, size and zlib result against the
// bytes actually present before it allocates, so a damaged file is an error, never a crash.
//
// Used by the archive manager (PakFileManager) and the build tool tools/PakWrite.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

constexpr int32_t PAK_MAGIC = 0x4B415021;
constexpr int32_t PAK_VERSION_PLAIN = 1;
constexpr int32_t PAK_VERSION_PACKED = 0x10001;
constexpr size_t PAK_HEADER_SIZE = 12;
constexpr size_t PAK_V1_NAME_SIZE = 52;
constexpr size_t PAK_V1_ENTRY_HEADER_SIZE = 64;
constexpr size_t NAME_SIZE = 256;
constexpr size_t ITEM_SIZE = 272;

// One resource, decompressed.
struct TPakEntry {
    std::string Name;
    int VarType = 0;
    std::vector<uint8_t> Data;
};

// One entry of the packed table of a version-0x10001 archive (ITEM_SIZE bytes on disk).
struct TTableItem {
    int32_t Size = 0;      // length of the entry's compressed data block
    int32_t Offset = 0;    // stored only: blocks follow the table in table order
    int32_t RealSize = 0;  // length of the data after decompression
    int32_t VarType = 0;
    std::string Name;  // trimmed
};

// Raised for every archive the reader refuses; what() is the text the player sees.
class TPakFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Resource kind by extension: 0 data, 1 text, 2 image, 3 TrueType font, 4 sound.
int ExtensionType(const std::string& name);

// "low.high" of the two 16-bit halves: version 2 reads "2.0", 0x20001 reads "1.2".
std::string PakVersionText(int32_t version);

// The name as stored in a fixed-size field: 8-bit characters, trimmed of codes <= 32 at both ends.
std::string PakNameFromField(const uint8_t* field, size_t size);

// Lower-cases ASCII letters; archive names are compared only in this form.
std::string PakLowerName(const std::string& name);

// Reads a whole archive held in memory. archive_name is used only in error texts.
// Throws TPakFormatError: "TPakFile::Invalid pak file", "TPakFile::Unsupported pakfile version "
// + version text, or a text naming the archive and the entry for a damaged file.
std::vector<TPakEntry> ReadPakArchive(std::span<const uint8_t> bytes, const std::string& archive_name);

// Unpacks the table of a version-0x10001 archive into count entries. bytes is the archive from
// the packed table (offset 20) to its end: packed_size bytes of table, then the data blocks, which
// bound the count. Throws TPakFormatError unless table_size is count * ITEM_SIZE and the table
// unpacks to exactly that.
std::vector<TTableItem> ReadPakTable(std::span<const uint8_t> bytes, int32_t count, int32_t packed_size,
                                     int32_t table_size, const std::string& archive_name);

// Writes entries in the given order. Version PAK_VERSION_PACKED (default) or PAK_VERSION_PLAIN.
// Throws TPakFormatError for a name that does not fit its field or is not plain ASCII.
std::vector<uint8_t> WritePakArchive(const std::vector<TPakEntry>& entries,
                                     int32_t version = PAK_VERSION_PACKED);
