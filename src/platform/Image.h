// Images for 2D drawing: one or more equally sized frames, a drawing handle (hot spot) and flags.
//
// The CPU pixmap of each frame is the master copy: decoders fill it, collisions and pixel helpers read
// it, and the drawing backend uploads it to a GPU texture lazily on first draw and again after every
// write (each frame carries a version number that writes bump). Keeping the pixels on the CPU means an
// image outlives a renderer (full-screen switches recreate it) and tests can inspect images headlessly.
//
// Used by every layer above that loads or draws pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Pixmap.h"

// Image flags, as callers pass them when creating or loading.
inline constexpr int MASKEDIMAGE = 1;
inline constexpr int FILTEREDIMAGE = 2;
inline constexpr int MIPMAPPEDIMAGE = 4;
inline constexpr int DYNAMICIMAGE = 8;
// -1 asks for the default flags: masked and filtered (sprites and fonts are drawn smoothly).
inline constexpr int DEFAULT_IMAGE_FLAGS = -1;

class TImage {
  public:
    // A blank (transparent black) image of `frames` frames of width x height.
    static std::shared_ptr<TImage> Create(int width, int height, int frames = 1,
                                          int flags = DEFAULT_IMAGE_FLAGS);
    // One frame holding the pixmap.
    static std::shared_ptr<TImage> FromPixmap(TPixmap pixmap, int flags = DEFAULT_IMAGE_FLAGS);
    // An animation strip: `count` cells of cellW x cellH taken left to right, top to bottom from the
    // pixmap, starting at cell `first`. Null when the pixmap holds fewer cells than asked for.
    static std::shared_ptr<TImage> FromStrip(const TPixmap& pixmap, int cellW, int cellH, int first,
                                             int count, int flags = DEFAULT_IMAGE_FLAGS);

    TImage(int width, int height, int frames, int flags);
    ~TImage();
    TImage(const TImage&) = delete;
    TImage& operator=(const TImage&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Frames() const { return int(frames_.size()); }
    int Flags() const { return flags_; }
    bool Filtered() const { return flags_ == DEFAULT_IMAGE_FLAGS || (flags_ & FILTEREDIMAGE) != 0; }

    float handleX = 0;
    float handleY = 0;

    // Read access to a frame's pixels; frame numbers outside the image are clamped.
    const TPixmap& Pixels(int frame) const;
    // Write access: the frame's texture is refreshed before its next draw.
    TPixmap& Lock(int frame);
    // Names the frame's pixels: changed by every Lock, and never the same for two frames of any images.
    uint64_t Version(int frame) const;

    // Texture bookkeeping for the drawing backend: one slot per frame, tagged with the backend that made
    // the texture so that a texture of a destroyed renderer is never touched again.
    struct TextureSlot {
        uint64_t owner = 0;
        void* handle = nullptr;
        uint64_t version = 0;
        bool filtered = false;
    };
    TextureSlot& Slot(int frame) const;

  private:
    int ClampFrame(int frame) const;

    int width_;
    int height_;
    int flags_;
    std::vector<TPixmap> frames_;
    std::vector<uint64_t> versions_;
    mutable std::vector<TextureSlot> slots_;
};

// Drawing backends register themselves so that images release textures only of live renderers.
// The release function destroys one texture handle of that owner.
uint64_t RegisterTextureOwner(void (*release)(void* handle));
void UnregisterTextureOwner(uint64_t owner);

// Handle operations and the auto mid-handle switch applied to images created from now on.
void SetImageHandle(TImage* image, float x, float y);
void MidHandleImage(TImage* image);
void AutoMidHandle(bool on);
bool AutoMidHandleEnabled();

int ImageWidth(const TImage* image);
int ImageHeight(const TImage* image);
std::shared_ptr<TImage> CreateImage(int width, int height, int frames = 1, int flags = DEFAULT_IMAGE_FLAGS);
// Pixel access by frame; `UnlockImage` exists for callers that pair it with `LockImage` and does nothing
// more, because the lock already marked the frame as changed.
TPixmap& LockImage(TImage* image, int frame = 0);
void UnlockImage(TImage* image, int frame = 0);

// A copy of the rectangle (x, y, w, h) of a pixmap, clipped to it; areas outside read as transparent.
TPixmap PixmapWindow(const TPixmap& pixmap, int x, int y, int w, int h);
