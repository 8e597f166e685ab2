// Best-time tables: insertion, the byte format with its name encoding, the default table and the free
// functions the board screen calls.
#include "game/HighScoreList.h"

#include <cstdint>

#include "core/PlayerFile.h"
#include "game/Core.h"
#include "game/GameNotice.h"
#include "platform/FileSystem.h"

TPellixHighScoreList HighScores4;
TPellixHighScoreList HighScores6;
TPellixHighScoreList HighScores9;
TPellixHighScoreList HighScores12;
TPellixHighScoreList HighScores16;

namespace {

constexpr int NameOffset = 0x4e;
constexpr int DefaultTime = 5940000;  // 99:00
constexpr int DefaultDifficulty = 2;
// Ten entries of a typed name and two integers take about 200 bytes; a larger file is damaged.
constexpr std::size_t MaxTableBytes = 4096;

// One failed write of a best-time table is shown; the next only after a write has succeeded.
bool g_saveFailureShown = false;

bool ValidEntry(const TPellixHighScore& entry) {
    return entry.time >= 0 && entry.difficulty >= 0 && entry.difficulty <= 4;
}

// Code points of a UTF-8 string; a malformed byte reads as an unencodable character.
std::vector<std::uint32_t> CodePoints(const std::string& text) {
    std::vector<std::uint32_t> result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80           ? 1
                     : (lead >> 5) == 0x6  ? 2
                     : (lead >> 4) == 0xe  ? 3
                     : (lead >> 3) == 0x1e ? 4
                                           : 0;
        if (length == 0 || i + length > text.size()) {
            result.push_back(0xfffd);
            ++i;
            continue;
        }
        std::uint32_t code = length == 1 ? lead : lead & (0x7f >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3f);
        }
        if (!valid) {
            result.push_back(0xfffd);
            ++i;
            continue;
        }
        result.push_back(code);
        i += length;
    }
    return result;
}

void AppendUtf8(std::string& text, std::uint32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else {
        text += static_cast<char>(0xc0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3f));
    }
}

void AppendInt(std::string& bytes, int value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xff);
}

int ReadInt(const std::string& bytes, std::size_t at) {
    const auto byte = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + k]));
    };
    return static_cast<int>(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
}

}  // namespace

std::string HighScoreEncode(const std::vector<TPellixHighScore>& entries) {
    std::string bytes;
    for (const auto& entry : entries) {
        for (std::uint32_t code : CodePoints(entry.name)) {
            if (code > 0xff || (code + NameOffset) % 256 == 0) code = '?';
            bytes += static_cast<char>((code + NameOffset) % 256);
        }
        bytes += '\0';
        AppendInt(bytes, entry.time);
        AppendInt(bytes, entry.difficulty);
    }
    return bytes;
}

std::vector<TPellixHighScore> HighScoreDecode(const std::string& bytes) {
    std::vector<TPellixHighScore> entries;
    std::size_t at = 0;
    while (at < bytes.size()) {
        TPellixHighScore entry;
        std::size_t end = at;
        while (end < bytes.size() && bytes[end] != '\0') ++end;
        if (end + 1 + 8 > bytes.size()) break;
        for (std::size_t k = at; k < end; ++k)
            AppendUtf8(entry.name, (static_cast<unsigned char>(bytes[k]) + 256 - NameOffset) % 256);
        entry.time = ReadInt(bytes, end + 1);
        entry.difficulty = ReadInt(bytes, end + 5);
        entries.push_back(std::move(entry));
        at = end + 9;
    }
    return entries;
}

void TPellixHighScoreList::Create(const std::string& path, int maxNameLength, int maxEntries) {
    Entries.clear();
    filepath = path + ".dat";
    MaxNameLength = maxNameLength;
    NumMaxNameEntries = maxEntries;
}

void TPellixHighScoreList::Add(const std::string& name, int time, int difficulty) {
    Entries.push_back({name, time, difficulty});
}

namespace {

// The most entries a table keeps; a negative limit is none.
std::size_t Places(int maxEntries) {
    return maxEntries < 0 ? SIZE_MAX : static_cast<std::size_t>(maxEntries);
}

}  // namespace

void TPellixHighScoreList::Insert(const std::string& name, int time, int difficulty) {
    auto place = Entries.begin();
    while (place != Entries.end() && place->time <= time) ++place;
    Entries.insert(place, {name, time, difficulty});
    while (Entries.size() > Places(NumMaxNameEntries)) Entries.pop_back();
}

int TPellixHighScoreList::WillEnterHighscore(int time) const {
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (Entries[i].time > time) return static_cast<int>(i) + 1;
    // A table with room takes any time after its last entry.
    if (Entries.size() < Places(NumMaxNameEntries)) return static_cast<int>(Entries.size()) + 1;
    return 0;
}

int TPellixHighScoreList::Load() {
    Entries.clear();
    const TPlayerFile file = ReadPlayerFile(filepath, MaxTableBytes);
    // An existing empty file is an empty table.
    if (file.State == PlayerFileState::Read && file.Bytes.empty()) return 0;
    // A table far too large was kept aside; the player's entries at its start are still taken.
    for (TPellixHighScore& entry : HighScoreDecode(file.Bytes)) {
        if (Entries.size() >= Places(NumMaxNameEntries)) break;
        if (ValidEntry(entry)) Entries.push_back(std::move(entry));
    }
    if (Entries.empty())
        CreateDefault();
    else if (file.State == PlayerFileState::KeptAside)
        Save();
    return 0;
}

int TPellixHighScoreList::Save() {
    if (WriteFileAtomic(filepath, HighScoreEncode(Entries))) {
        g_saveFailureShown = false;
        return 1;
    }
    // The table stays in memory; a full disk is said once, not at every table.
    if (!g_saveFailureShown) GameNotice(GameString("Failed Save File") + filepath);
    g_saveFailureShown = true;
    return 0;
}

int TPellixHighScoreList::CreateDefault() {
    for (int i = 1; i <= 10; ++i)
        Add(GameString("Highscore Name " + std::to_string(i)), DefaultTime, DefaultDifficulty);
    Save();
    return 0;
}

int TPellixHighScoreList::Zero(int count) {
    Entries.clear();
    for (int i = 0; i < count; ++i) Add("Empty", 0, 0);
    Save();
    return 0;
}

TPellixHighScoreList* HighScoreTable(int width) {
    switch (width) {
        case 4:
            return &HighScores4;
        case 6:
            return &HighScores6;
        case 9:
            return &HighScores9;
        case 12:
            return &HighScores12;
        case 16:
            return &HighScores16;
        default:
            return nullptr;
    }
}

int HighScoreWillEnter(int time) {
    const TPellixHighScoreList* table = HighScoreTable(PuzzleWidth);
    return table ? table->WillEnterHighscore(time) : 0;
}

void HighScoreAdd(const std::string& name, int difficulty, int time) {
    TPellixHighScoreList* table = HighScoreTable(PuzzleWidth);
    if (!table) return;
    table->Insert(name, time, difficulty);
    table->Save();
}

std::string DifficultyName(int difficulty) {
    static const char* const keys[] = {"Very Easy", "Easy", "Medium", "Hard", "Very Hard"};
    if (difficulty < 0 || difficulty > 4) return "";
    return GameString(keys[difficulty]);
}
