// File and memory byte streams.
#include "platform/ByteStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

class TFileStream : public TByteStream {
  public:
    explicit TFileStream(std::FILE* file) : file_(file) {}
    ~TFileStream() override { std::fclose(file_); }

    size_t Read(void* out, size_t size) override {
        size_t done = 0;
        while (done < size) {
            size_t n = std::fread(static_cast<char*>(out) + done, 1, size - done, file_);
            if (n == 0) break;
            done += n;
        }
        return done;
    }
    bool Seek(int64_t offset, int origin) override {
        int64_t base = origin == 0 ? 0 : origin == 1 ? Tell() : Size();
        int64_t target = base + offset;
        if (base < 0 || target < 0 || target > Size()) return false;
        return fseeko(file_, off_t(target), SEEK_SET) == 0;
    }
    int64_t Tell() const override { return int64_t(ftello(file_)); }
    int64_t Size() const override {
        off_t here = ftello(file_);
        if (here < 0 || fseeko(file_, 0, SEEK_END) != 0) return -1;
        off_t end = ftello(file_);
        fseeko(file_, here, SEEK_SET);
        return int64_t(end);
    }

  private:
    std::FILE* file_;
};

class TMemoryStream : public TByteStream {
  public:
    explicit TMemoryStream(std::shared_ptr<const std::vector<uint8_t>> bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* out, size_t size) override {
        size_t n = std::min(size, bytes_->size() - pos_);
        if (n > 0) std::memcpy(out, bytes_->data() + pos_, n);
        pos_ += n;
        return n;
    }
    bool Seek(int64_t offset, int origin) override {
        int64_t base = origin == 0 ? 0 : origin == 1 ? int64_t(pos_) : int64_t(bytes_->size());
        int64_t target = base + offset;
        if (target < 0 || target > int64_t(bytes_->size())) return false;
        pos_ = size_t(target);
        return true;
    }
    int64_t Tell() const override { return int64_t(pos_); }
    int64_t Size() const override { return int64_t(bytes_->size()); }

  private:
    std::shared_ptr<const std::vector<uint8_t>> bytes_;
    size_t pos_ = 0;
};

}  // namespace

std::unique_ptr<TByteStream> OpenFileStream(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    return std::make_unique<TFileStream>(file);
}

std::unique_ptr<TByteStream> OpenMemoryStream(std::shared_ptr<const std::vector<uint8_t>> bytes) {
    if (!bytes) bytes = std::make_shared<const std::vector<uint8_t>>();
    return std::make_unique<TMemoryStream>(std::move(bytes));
}
