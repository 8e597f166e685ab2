// Little-endian reads over memory.
#include "core/BankStream.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/StringUtils.h"

size_t TBankStream::Seek(size_t pos) {
    pos_ = std::min(pos, bytes_.size());
    return pos_;
}

uint64_t TBankStream::ReadLE(size_t bytes) {
    if (bytes_.size() - pos_ < bytes) {
        pos_ = bytes_.size();
        return 0;
    }
    uint64_t v = 0;
    for (size_t i = 0; i < bytes; ++i) v |= uint64_t(bytes_[pos_ + i]) << (8 * i);
    pos_ += bytes;
    return v;
}

int TBankStream::ReadByte() {
    return int(ReadLE(1));
}
int TBankStream::ReadShort() {
    return int(ReadLE(2));
}
int32_t TBankStream::ReadInt() {
    return static_cast<int32_t>(static_cast<uint32_t>(ReadLE(4)));
}
float TBankStream::ReadFloat() {
    return std::bit_cast<float>(static_cast<uint32_t>(ReadLE(4)));
}
double TBankStream::ReadDouble() {
    return std::bit_cast<double>(ReadLE(8));
}

std::vector<uint8_t> TBankStream::ReadBytes(size_t count) {
    size_t n = std::min(count, bytes_.size() - pos_);
    std::vector<uint8_t> out(bytes_.begin() + std::ptrdiff_t(pos_),
                             bytes_.begin() + std::ptrdiff_t(pos_ + n));
    pos_ += n;
    return out;
}

std::string TBankStream::ReadString(size_t count) {
    std::vector<uint8_t> b = ReadBytes(count);
    return std::string(b.begin(), b.end());
}

std::string TBankStream::ReadLine() {
    std::string line;
    while (pos_ < bytes_.size()) {
        char c = char(bytes_[pos_++]);
        if (c == '\n') break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string TBankStream::LoadText() {
    return DecodeText(ReadString(bytes_.size() - pos_));
}
