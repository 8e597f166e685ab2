// Reading a player file that the game writes back later (settings, options, best times, profiles,
// score lists). A file that is there but could not be read in full (no read permission, an I/O error,
// a folder or FIFO in its place, or far larger than any real one) is never overwritten by the next
// save: it is renamed aside as "<file>.unreadable" (or "<file>.unreadable2", ... the first free
// name), and where even that fails, writes to it are refused for the rest of the run. The player is
// told once, and the caller goes on as it does for a missing file.
// Used by the settings and ini files, the profiles and the score lists of the core, and by the game's
// best-time tables and ini helpers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class PlayerFileState { Read, Missing, KeptAside };

struct TPlayerFile {
    PlayerFileState State = PlayerFileState::Missing;
    // The file when Read. When it was kept aside for its size, its first maxBytes, from which a reader
    // of self-delimiting entries can still take the complete ones; otherwise empty.
    std::string Bytes;
};

// The file at path, read with the bound maxBytes.
TPlayerFile ReadPlayerFile(const std::string& path, std::size_t maxBytes);

// The lines of a player's ini file (IniLines), read with the bound MaxIniFileBytes; nullopt when it is
// missing or was kept aside.
std::optional<std::vector<std::string>> ReadPlayerIniLines(const std::string& path);

// What ReadPlayerFile does with a file it could not read in full: moves it aside (or refuses writes
// to it) and tells the player, naming the reason. Returns the name it is kept under, or path itself
// when it had to stay where it is.
std::string KeepPlayerFileAside(const std::string& path, const std::string& reason);
