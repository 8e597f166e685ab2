// libFuzzer target: the WAV parser and decoder on any bytes, checking that what they report lies
// inside the input and that the parser over a stream agrees with the one over bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/AudioSample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    std::optional<TWavInfo> info = ParseWav(bytes);
    auto stream = OpenMemoryStream(std::make_shared<const std::vector<uint8_t>>(data, data + size));
    std::optional<TWavInfo> streamed = ParseWav(*stream);
    if (info.has_value() != streamed.has_value()) __builtin_trap();
    if (info && (info->dataOffset != streamed->dataOffset || info->dataSize != streamed->dataSize))
        __builtin_trap();
    if (info) {
        if (info->dataOffset > size || info->dataSize > size - info->dataOffset) __builtin_trap();
        if (info->dataSize % size_t(info->channels * info->bits / 8) != 0) __builtin_trap();
        std::optional<TAudioSample> sample = DecodeWav(bytes);
        if (!sample || sample->data.size() != info->dataSize) __builtin_trap();
    }
    return 0;
}
