// Decoded pixmaps handed to TImage.
#include "platform/ImageLoader.h"

#include "platform/DataFile.h"
#include "platform/ImageCodec.h"

std::shared_ptr<TImage> LoadImage(std::span<const uint8_t> bytes, int flags) {
    std::optional<TPixmap> pixmap = DecodeImage(bytes);
    if (!pixmap) return nullptr;
    return TImage::FromPixmap(std::move(*pixmap), flags);
}

std::shared_ptr<TImage> LoadImage(const std::string& path, int flags) {
    std::optional<std::vector<uint8_t>> bytes = LoadDataFile(path);
    if (!bytes) return nullptr;
    return LoadImage(std::span<const uint8_t>(*bytes), flags);
}

std::shared_ptr<TImage> LoadAnimImage(std::span<const uint8_t> bytes, int cellWidth, int cellHeight,
                                      int first, int count, int flags) {
    if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) return nullptr;
    std::optional<TPixmap> pixmap = DecodeImage(bytes);
    if (!pixmap) return nullptr;
    return TImage::FromStrip(*pixmap, cellWidth, cellHeight, first, count, flags);
}

std::shared_ptr<TImage> LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int first,
                                      int count, int flags) {
    std::optional<std::vector<uint8_t>> bytes = LoadDataFile(path);
    if (!bytes) return nullptr;
    return LoadAnimImage(std::span<const uint8_t>(*bytes), cellWidth, cellHeight, first, count, flags);
}
