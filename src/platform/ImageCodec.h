// Image file codecs: PNG (libpng) and JPEG (libjpeg) to and from TPixmap.
//
// Decoders take bytes in memory because the game's images come out of the resource archive as
// often as from files. They refuse damaged data and absurd dimensions instead of crashing.
//
// Used by the platform's image loader and window, the core's window icon and archive getters and the
// drawing helpers (screenshots).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Pixmap.h"

// Largest width or height a decoder accepts.
constexpr int kMaxImageDimension = 16384;

// PNG or JPEG, chosen by the file signature; nullopt when neither decodes.
std::optional<TPixmap> DecodeImage(std::span<const uint8_t> bytes);
std::optional<TPixmap> DecodePNG(std::span<const uint8_t> bytes);
std::optional<TPixmap> DecodeJPEG(std::span<const uint8_t> bytes);

// Reads a PNG or JPEG file; nullopt when it cannot be read or decoded.
std::optional<TPixmap> LoadPixmap(const std::string& path);

// 32-bit RGBA PNG with the pixmap's alpha, at zlib compression level 0-9 (-1: zlib's default); empty
// vector on failure.
std::vector<uint8_t> EncodePNG(const TPixmap& pixmap, int compressionLevel = -1);
// Baseline RGB JPEG (alpha dropped), quality 1-100; empty vector on failure.
std::vector<uint8_t> EncodeJPEG(const TPixmap& pixmap, int quality);

// Write the encoded image to path (through a temporary file renamed into place); false on failure.
bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compressionLevel = -1);
bool SavePixmapJPEG(const TPixmap& pixmap, const std::string& path, int quality);
