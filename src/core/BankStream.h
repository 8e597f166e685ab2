// A read-only little-endian stream over bytes in memory, the way archive items are read as
// streams (ini and text readers take one). It keeps the bytes' owner alive while it exists.
// Reads past the end deliver what is left (numbers read as 0), never out-of-range memory.
// Used by the archive manager (PakFileManager) for its items.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TBankStream {
  public:
    TBankStream(std::shared_ptr<const void> owner, std::span<const uint8_t> bytes)
        : owner_(std::move(owner)), bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    size_t Pos() const { return pos_; }
    // Moves to pos, clamped to the end; returns the new position.
    size_t Seek(size_t pos);
    bool Eof() const { return pos_ >= bytes_.size(); }
    // The bytes from the position to the end, in place, for readers that parse a whole block.
    std::span<const uint8_t> Rest() const { return bytes_.subspan(pos_); }

    int ReadByte();
    int ReadShort();
    int32_t ReadInt();
    float ReadFloat();
    double ReadDouble();
    // Up to count bytes (fewer at the end).
    std::vector<uint8_t> ReadBytes(size_t count);
    // count bytes as they are, as a string (fewer at the end).
    std::string ReadString(size_t count);
    // Bytes up to the next LF (consumed), a CR before it dropped.
    std::string ReadLine();
    // The rest of the stream as text (byte-order mark decides UTF-8 or UTF-16, else 8-bit).
    std::string LoadText();

  private:
    uint64_t ReadLE(size_t bytes);

    std::shared_ptr<const void> owner_;
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};
