// The one comparison every golden-image test uses: a frame rendered headless against a reference PNG kept in
// the source tree.
//
// A missing reference fails the test. References are only written by the developer's explicit command,
// tools/update-golden.sh (it sets NUMORA_UPDATE_GOLDEN=1 and runs every golden test); look at the new
// pictures before committing them.
//
// A pixel differs when one of its colour channels is off by more than kChannelTolerance (filtering and
// rounding); a frame matches when no more than kMaxDifferingPixels pixels differ, so a single digit drawn in
// the wrong colour fails. A failing frame is written beside the test executable as golden-actual-<name>.png.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ImageCodec.h"
#include "platform/Pixmap.h"
#include "support/TestEnv.h"

namespace golden {

inline constexpr int kChannelTolerance = 16;
inline constexpr int kMaxDifferingPixels = 8;

// Pixels of a whose red, green or blue differs from b's by more than the tolerance; -1 when sizes differ.
inline int DifferingPixels(const TPixmap& a, const TPixmap& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int off = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(int((a.pixels[i] >> shift) & 255) - int((b.pixels[i] >> shift) & 255)) >
                kChannelTolerance) {
                ++off;
                break;
            }
    return off;
}

inline void WritePng(const std::filesystem::path& path, const TPixmap& shot) {
    const std::vector<uint8_t> png = EncodePNG(shot);
    testenv::WriteFile(path, std::string(png.begin(), png.end()));
}

inline std::filesystem::path ReferencePath(const std::string& folder, const std::string& name) {
    return testenv::SourceDir() / folder / (name + ".png");
}

// Pixels of the frame that differ from the reference; -1 when it is missing, unreadable or another size.
inline int DifferingFromReference(const TPixmap& shot, const std::string& folder, const std::string& name) {
    const auto expected = LoadPixmap(ReferencePath(folder, name).string());
    return expected ? DifferingPixels(shot, *expected) : -1;
}

// Compares the frame with <source>/<folder>/<name>.png, folder relative to the source tree.
inline ::testing::AssertionResult MatchesReference(const TPixmap& shot, const std::string& folder,
                                                   const std::string& name) {
    const std::filesystem::path ref = ReferencePath(folder, name);
    const char* update = std::getenv("NUMORA_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WritePng(ref, shot);
        return ::testing::AssertionSuccess() << "reference written: " << ref;
    }
    if (!std::filesystem::exists(ref))
        return ::testing::AssertionFailure() << "no reference " << ref << "; run tools/update-golden.sh";
    const auto expected = LoadPixmap(ref.string());
    if (!expected) return ::testing::AssertionFailure() << "unreadable reference " << ref;
    const int off = DifferingPixels(shot, *expected);
    if (off >= 0 && off <= kMaxDifferingPixels) return ::testing::AssertionSuccess();
    WritePng(testenv::TestsDir() / ("golden-actual-" + name + ".png"), shot);
    if (off < 0)
        return ::testing::AssertionFailure()
               << name << ": " << shot.width << " x " << shot.height << " against a reference of "
               << expected->width << " x " << expected->height;
    return ::testing::AssertionFailure()
           << name << ": " << off << " pixels differ (at most " << kMaxDifferingPixels << " may)";
}

}  // namespace golden
