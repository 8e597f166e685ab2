// Read-only game data lookups. The game names its data files in mixed case ("Exit", "exitMO")
// while Linux file names are case-sensitive, so the data is stored with lower-case file names and
// every data lookup lower-cases the file-name part of the path (folders are left as given).
// Used by the platform's loaders, the core's music streaming and the menus and loading screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bounds of the game's own data files, so that a damaged install (a file grown to many megabytes) is
// refused instead of filling memory. Several times the largest shipped file of each kind: images,
// sounds and the resource archive stay under 1 MB, texts (game texts, value lists, font metrics)
// under 8 KB.
inline constexpr std::size_t MaxDataFileBytes = 32u << 20;
inline constexpr std::size_t MaxDataTextBytes = 1u << 20;

// The path with its last component lower-cased: "data/graphics/ExitMO.png" -> ".../exitmo.png".
std::string DataFileName(const std::string& path);

// The bytes of the data file at DataFileName(path); nullopt when it cannot be read or is larger than
// MaxDataFileBytes.
std::optional<std::vector<uint8_t>> LoadDataFile(const std::string& path);
