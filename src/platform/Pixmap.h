// CPU-side image: the pixels that decoders produce, drawing uploads and tests read back.
//
// One 32-bit word per pixel, row by row from the top, each word 0xAARRGGBB in host order.
//
// Used by the platform's image, codec and window code, the archive manager and the drawing helpers.
#pragma once

#include <cstdint>
#include <vector>

struct TPixmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    TPixmap() = default;
    TPixmap(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t ReadPixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    void WritePixel(int x, int y, uint32_t argb) { pixels[size_t(y) * size_t(width) + size_t(x)] = argb; }
};
