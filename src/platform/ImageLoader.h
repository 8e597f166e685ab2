// Images from PNG or JPEG bytes or data files: decoding (ImageCodec) wrapped into TImage frames.
// File lookups lower-case the file name (see DataFile.h).
// Used by the core's load-or-die helpers and archive manager.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/Image.h"

// One-frame image; nullptr when the data does not decode.
std::shared_ptr<TImage> LoadImage(std::span<const uint8_t> bytes, int flags = DEFAULT_IMAGE_FLAGS);
std::shared_ptr<TImage> LoadImage(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);

// Animation strip of count cells of cellWidth x cellHeight from cell first; nullptr when the data
// does not decode or holds too few cells.
std::shared_ptr<TImage> LoadAnimImage(std::span<const uint8_t> bytes, int cellWidth, int cellHeight,
                                      int first, int count, int flags = DEFAULT_IMAGE_FLAGS);
std::shared_ptr<TImage> LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int first,
                                      int count, int flags = DEFAULT_IMAGE_FLAGS);
