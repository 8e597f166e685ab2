// Images: frames of CPU pixels with versioned, lazily made textures (see Image.h).
#include "platform/Image.h"

#include <algorithm>
#include <map>

namespace {

// Live texture owners and how each releases a texture. Owner ids are never reused, so a texture
// tagged with a dead owner is simply forgotten (its renderer already freed it).
std::map<uint64_t, void (*)(void*)>& Owners() {
    static std::map<uint64_t, void (*)(void*)> owners;
    return owners;
}
uint64_t g_nextOwner = 1;
bool g_autoMidHandle = false;
// Versions are drawn from one counter for all images, so a version names one picture: the drawing
// backend's frame cache compares them across images, and a new image at a freed one's address never
// repeats its versions.
uint64_t g_nextVersion = 1;

}  // namespace

uint64_t RegisterTextureOwner(void (*release)(void* handle)) {
    uint64_t id = g_nextOwner++;
    Owners()[id] = release;
    return id;
}

void UnregisterTextureOwner(uint64_t owner) {
    Owners().erase(owner);
}

TImage::TImage(int width, int height, int frames, int flags)
    : width_(std::max(0, width)), height_(std::max(0, height)), flags_(flags) {
    frames = std::max(1, frames);
    frames_.assign(size_t(frames), TPixmap(width_, height_, 0));
    versions_.resize(size_t(frames));
    for (uint64_t& version : versions_) version = g_nextVersion++;
    slots_.resize(size_t(frames));
    if (g_autoMidHandle) {
        handleX = float(width_ / 2);
        handleY = float(height_ / 2);
    }
}

TImage::~TImage() {
    for (auto& slot : slots_) {
        if (slot.handle == nullptr) continue;
        auto it = Owners().find(slot.owner);
        if (it != Owners().end()) it->second(slot.handle);
    }
}

std::shared_ptr<TImage> TImage::Create(int width, int height, int frames, int flags) {
    return std::make_shared<TImage>(width, height, frames, flags);
}

std::shared_ptr<TImage> TImage::FromPixmap(TPixmap pixmap, int flags) {
    auto image = std::make_shared<TImage>(pixmap.width, pixmap.height, 1, flags);
    image->frames_[0] = std::move(pixmap);
    return image;
}

std::shared_ptr<TImage> TImage::FromStrip(const TPixmap& pixmap, int cellW, int cellH, int first, int count,
                                          int flags) {
    if (cellW <= 0 || cellH <= 0 || count <= 0 || first < 0) return nullptr;
    int across = pixmap.width / cellW;
    int down = pixmap.height / cellH;
    if (across <= 0 || first + count > across * down) return nullptr;
    auto image = std::make_shared<TImage>(cellW, cellH, count, flags);
    for (int i = 0; i < count; ++i) {
        int cell = first + i;
        image->frames_[size_t(i)] =
            PixmapWindow(pixmap, (cell % across) * cellW, (cell / across) * cellH, cellW, cellH);
    }
    return image;
}

int TImage::ClampFrame(int frame) const {
    return std::clamp(frame, 0, Frames() - 1);
}

const TPixmap& TImage::Pixels(int frame) const {
    return frames_[size_t(ClampFrame(frame))];
}

TPixmap& TImage::Lock(int frame) {
    frame = ClampFrame(frame);
    versions_[size_t(frame)] = g_nextVersion++;
    return frames_[size_t(frame)];
}

uint64_t TImage::Version(int frame) const {
    return versions_[size_t(ClampFrame(frame))];
}

TImage::TextureSlot& TImage::Slot(int frame) const {
    return slots_[size_t(ClampFrame(frame))];
}

void SetImageHandle(TImage* image, float x, float y) {
    if (image == nullptr) return;
    image->handleX = x;
    image->handleY = y;
}

void MidHandleImage(TImage* image) {
    if (image == nullptr) return;
    image->handleX = float(image->Width() / 2);
    image->handleY = float(image->Height() / 2);
}

void AutoMidHandle(bool on) {
    g_autoMidHandle = on;
}
bool AutoMidHandleEnabled() {
    return g_autoMidHandle;
}

int ImageWidth(const TImage* image) {
    return image ? image->Width() : 0;
}
int ImageHeight(const TImage* image) {
    return image ? image->Height() : 0;
}

std::shared_ptr<TImage> CreateImage(int width, int height, int frames, int flags) {
    return TImage::Create(width, height, frames, flags);
}

TPixmap& LockImage(TImage* image, int frame) {
    return image->Lock(frame);
}

void UnlockImage(TImage*, int) {}

TPixmap PixmapWindow(const TPixmap& pixmap, int x, int y, int w, int h) {
    TPixmap out(std::max(0, w), std::max(0, h), 0);
    for (int row = 0; row < out.height; ++row) {
        int sy = y + row;
        if (sy < 0 || sy >= pixmap.height) continue;
        for (int col = 0; col < out.width; ++col) {
            int sx = x + col;
            if (sx < 0 || sx >= pixmap.width) continue;
            out.WritePixel(col, row, pixmap.ReadPixel(sx, sy));
        }
    }
    return out;
}
