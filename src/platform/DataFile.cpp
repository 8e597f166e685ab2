// Lower-cased data file lookups.
#include "platform/DataFile.h"

#include "platform/FileSystem.h"

std::string DataFileName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    std::string out = path;
    for (size_t i = start; i < out.size(); ++i)
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = char(out[i] - 'A' + 'a');
    return out;
}

std::optional<std::vector<uint8_t>> LoadDataFile(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(DataFileName(path), MaxDataFileBytes);
    if (!bytes) return std::nullopt;
    return std::vector<uint8_t>(bytes->begin(), bytes->end());
}
