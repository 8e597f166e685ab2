// libFuzzer target: any bytes given to the archive reader end in entries or in its error, never
// in a crash, a hang or an outsized allocation.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/PakFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        std::vector<TPakEntry> entries = ReadPakArchive(std::span(data, size), "fuzz.pak");
        // What was read must survive a write and a second read unchanged (names that the writer
        // cannot store are the writer's refusal, not a fault).
        std::vector<uint8_t> again;
        try {
            again = WritePakArchive(entries);
        } catch (const TPakFormatError&) {
            return 0;
        }
        std::vector<TPakEntry> back = ReadPakArchive(again, "again.pak");
        if (back.size() != entries.size()) __builtin_trap();
        for (size_t i = 0; i < back.size(); ++i)
            if (back[i].Data != entries[i].Data || back[i].Name != entries[i].Name) __builtin_trap();
    } catch (const TPakFormatError&) {
    }
    return 0;
}
