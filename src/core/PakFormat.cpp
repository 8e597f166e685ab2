// Reading and writing "!PAK" archives in memory (layout drawn in PakFormat.h).
#include "core/PakFormat.h"

#include <algorithm>
#include <limits>
#include <map>

#include "platform/Compression.h"

namespace {

// Largest single resource we accept; far above anything the game ships, far below a memory bomb.
constexpr int64_t kMaxEntrySize = int64_t(1) << 30;
constexpr size_t kMinZlibStream = 8;

class ByteReader {
  public:
    ByteReader(std::span<const uint8_t> bytes, const std::string& archive)
        : bytes_(bytes), archive_(archive) {}

    size_t Remaining() const { return bytes_.size() - pos_; }
    size_t Position() const { return pos_; }

    int32_t ReadInt(const char* what) {
        const uint8_t* p = Take(4, what);
        uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        return static_cast<int32_t>(v);
    }

    const uint8_t* Take(size_t n, const char* what) {
        if (n > Remaining()) Fail(std::string("truncated (") + what + ")");
        const uint8_t* p = bytes_.data() + pos_;
        pos_ += n;
        return p;
    }

    [[noreturn]] void Fail(const std::string& detail) const {
        throw TPakFormatError("TPakFile::Corrupt pak file " + archive_ + ": " + detail);
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    const std::string& archive_;
};

std::string EntryLabel(size_t index, const std::string& name) {
    return "entry " + std::to_string(index) + (name.empty() ? std::string() : " '" + name + "'");
}

// Validates a stated compressed/real size pair against what the file can hold, then inflates.
std::vector<uint8_t> Inflate(ByteReader& in, int32_t packed, int32_t real, const std::string& label) {
    if (packed < 0 || real < 0) in.Fail(label + ": negative size");
    if (size_t(packed) > in.Remaining()) in.Fail(label + ": data block runs past the end of the file");
    if (real > kMaxEntrySize || size_t(real) > ZlibMaxInflatedSize(size_t(packed)))
        in.Fail(label + ": stated size " + std::to_string(real) + " is impossible for its data block");
    const uint8_t* src = in.Take(size_t(packed), "data block");
    std::vector<uint8_t> out(static_cast<size_t>(real));
    if (!ZlibUncompressExact(src, size_t(packed), out.data(), out.size()))
        in.Fail(label + ": data does not decompress to its stated size");
    return out;
}

int32_t LoadLE(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

void PutLE(std::vector<uint8_t>& out, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutLEAt(std::vector<uint8_t>& out, size_t at, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

void PutName(std::vector<uint8_t>& out, const std::string& name, size_t field) {
    if (name.size() > field)
        throw TPakFormatError("PakWrite: name '" + name + "' is longer than " + std::to_string(field) +
                              " bytes");
    for (unsigned char c : name)
        if (c <= 32 || c >= 128)
            throw TPakFormatError("PakWrite: name '" + name + "' must be printable ASCII without blanks");
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), field - name.size(), 0);
}

int32_t CheckedSize(size_t n, const std::string& name) {
    if (n > size_t(std::numeric_limits<int32_t>::max()))
        throw TPakFormatError("PakWrite: '" + name + "' is too large");
    return static_cast<int32_t>(n);
}

}  // namespace

int ExtensionType(const std::string& name) {
    static const std::map<std::string, int> kinds = {
        {"dat", 0}, {"bin", 0}, {"txt", 1}, {"png", 2}, {"jpg", 2},
        {"tga", 2}, {"bmp", 2}, {"ttf", 3}, {"wav", 4}, {"ogg", 4},
    };
    size_t dot = name.rfind('.');
    size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 0;
    auto it = kinds.find(PakLowerName(name.substr(dot + 1)));
    return it == kinds.end() ? 0 : it->second;
}

std::string PakVersionText(int32_t version) {
    uint32_t v = static_cast<uint32_t>(version);
    return std::to_string(v & 0xFFFF) + "." + std::to_string(v >> 16);
}

std::string PakNameFromField(const uint8_t* field, size_t size) {
    size_t begin = 0, end = size;
    while (begin < end && field[begin] <= 32) ++begin;
    while (end > begin && field[end - 1] <= 32) --end;
    std::string name;
    for (size_t i = begin; i < end; ++i) {
        uint8_t c = field[i];
        if (c < 0x80) {
            name += char(c);
        } else {  // 8-bit characters are Latin-1; keep them readable as UTF-8.
            name += char(0xC0 | (c >> 6));
            name += char(0x80 | (c & 0x3F));
        }
    }
    return name;
}

std::string PakLowerName(const std::string& name) {
    std::string out = name;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return out;
}

std::vector<TPakEntry> ReadPakArchive(std::span<const uint8_t> bytes, const std::string& archive_name) {
    ByteReader in(bytes, archive_name);
    if (bytes.size() < 4 || LoadLE(bytes.data()) != PAK_MAGIC)
        throw TPakFormatError("TPakFile::Invalid pak file");
    in.Take(4, "magic");
    int32_t version = in.ReadInt("version");
    if (version != PAK_VERSION_PLAIN && version != PAK_VERSION_PACKED)
        throw TPakFormatError("TPakFile::Unsupported pakfile version " + PakVersionText(version));
    int32_t count = in.ReadInt("entry count");
    if (count < 0) in.Fail("negative entry count " + std::to_string(count));

    std::vector<TPakEntry> entries;
    if (version == PAK_VERSION_PLAIN) {
        if (size_t(count) > in.Remaining() / PAK_V1_ENTRY_HEADER_SIZE)
            in.Fail("entry count " + std::to_string(count) + " does not fit the file");
        entries.reserve(size_t(count));
        for (size_t i = 0; i < size_t(count); ++i) {
            const uint8_t* header = in.Take(PAK_V1_ENTRY_HEADER_SIZE, "entry header");
            TPakEntry entry;
            entry.Name = PakNameFromField(header, PAK_V1_NAME_SIZE);
            entry.VarType = LoadLE(header + 52);
            entry.Data = Inflate(in, LoadLE(header + 56), LoadLE(header + 60), EntryLabel(i, entry.Name));
            entries.push_back(std::move(entry));
        }
        return entries;
    }

    int32_t packed_table = in.ReadInt("table size");
    int32_t table_size = in.ReadInt("table size");
    std::vector<TTableItem> table =
        ReadPakTable(bytes.subspan(in.Position()), count, packed_table, table_size, archive_name);
    in.Take(size_t(packed_table), "table");
    entries.reserve(table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        TPakEntry entry;
        entry.Name = std::move(table[i].Name);
        entry.VarType = table[i].VarType;
        entry.Data = Inflate(in, table[i].Size, table[i].RealSize, EntryLabel(i, entry.Name));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<TTableItem> ReadPakTable(std::span<const uint8_t> bytes, int32_t count, int32_t packed_size,
                                     int32_t table_size, const std::string& archive_name) {
    ByteReader in(bytes, archive_name);
    if (int64_t(table_size) != int64_t(count) * int64_t(ITEM_SIZE))
        in.Fail("table size " + std::to_string(table_size) + " does not match " + std::to_string(count) +
                " entries");
    // Every data block is at least a minimal zlib stream, so the bytes after the table bound the count.
    if (packed_size >= 0 && size_t(packed_size) <= in.Remaining() &&
        size_t(count) > (in.Remaining() - size_t(packed_size)) / kMinZlibStream)
        in.Fail("entry count " + std::to_string(count) + " does not fit the file");
    std::vector<uint8_t> table = Inflate(in, packed_size, table_size, "table");
    std::vector<TTableItem> items(static_cast<size_t>(count));
    for (size_t i = 0; i < items.size(); ++i) {
        const uint8_t* field = table.data() + i * ITEM_SIZE;
        items[i].Size = LoadLE(field);
        items[i].Offset = LoadLE(field + 4);
        items[i].RealSize = LoadLE(field + 8);
        items[i].VarType = LoadLE(field + 12);
        items[i].Name = PakNameFromField(field + 16, NAME_SIZE);
    }
    return items;
}

std::vector<uint8_t> WritePakArchive(const std::vector<TPakEntry>& entries, int32_t version) {
    if (version != PAK_VERSION_PLAIN && version != PAK_VERSION_PACKED)
        throw TPakFormatError("PakWrite: cannot write version " + PakVersionText(version));
    std::vector<uint8_t> out;
    PutLE(out, PAK_MAGIC);
    PutLE(out, version);
    PutLE(out, CheckedSize(entries.size(), "entry count"));

    std::vector<std::vector<uint8_t>> blocks;
    blocks.reserve(entries.size());
    for (const TPakEntry& e : entries) blocks.push_back(ZlibCompress(e.Data.data(), e.Data.size()));

    if (version == PAK_VERSION_PLAIN) {
        for (size_t i = 0; i < entries.size(); ++i) {
            PutName(out, entries[i].Name, PAK_V1_NAME_SIZE);
            PutLE(out, entries[i].VarType);
            PutLE(out, CheckedSize(blocks[i].size(), entries[i].Name));
            PutLE(out, CheckedSize(entries[i].Data.size(), entries[i].Name));
            out.insert(out.end(), blocks[i].begin(), blocks[i].end());
        }
        return out;
    }

    std::vector<uint8_t> table;
    table.reserve(entries.size() * ITEM_SIZE);
    for (size_t i = 0; i < entries.size(); ++i) {
        PutLE(table, CheckedSize(blocks[i].size(), entries[i].Name));
        PutLE(table, 0);  // offset, filled in below
        PutLE(table, CheckedSize(entries[i].Data.size(), entries[i].Name));
        PutLE(table, entries[i].VarType);
        PutName(table, entries[i].Name, NAME_SIZE);
    }
    // The reader streams blocks in table order and never seeks, so the offset is informative:
    // it is the block's position counted from the first data block.
    size_t pos = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        PutLEAt(table, i * ITEM_SIZE + 4, CheckedSize(pos, "archive"));
        pos += blocks[i].size();
    }
    std::vector<uint8_t> packed = ZlibCompress(table.data(), table.size());
    PutLE(out, CheckedSize(packed.size(), "table"));
    PutLE(out, CheckedSize(table.size(), "table"));
    out.insert(out.end(), packed.begin(), packed.end());
    for (const auto& block : blocks) out.insert(out.end(), block.begin(), block.end());
    return out;
}
