// libFuzzer target: the WAV parser and decoder on any bytes, checking that what they report lies
// inside the input.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/AudioSample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    std::optional<TWavInfo> info = ParseWav(bytes);
    if (info) {
        if (info->dataOffset > size || info->dataSize > size - info->dataOffset) __builtin_trap();
        if (info->dataSize % size_t(info->channels * info->bits / 8) != 0) __builtin_trap();
        std::optional<TAudioSample> sample = DecodeWav(bytes);
        if (!sample || sample->data.size() != info->dataSize) __builtin_trap();
    }
    return 0;
}
