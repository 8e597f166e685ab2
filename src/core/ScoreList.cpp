// The framework's score table: ordering, the name disguise and the score file.
#include "core/ScoreList.h"

#include <cstdint>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/PlayerFile.h"
#include "platform/FileSystem.h"

namespace {

// Code points of UTF-8 text; a malformed byte counts as one unencodable character.
std::vector<uint32_t> CodePoints(const std::string& text) {
    std::vector<uint32_t> codes;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = uint8_t(text[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xe  ? 3
                           : (lead >> 3) == 0x1e ? 4
                                                 : 0;
        uint32_t code = length == 1 ? lead : lead & (0x7f >> length);
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = uint8_t(text[i + k]);
            valid = (next & 0xc0) == 0x80;
            code = (code << 6) | (next & 0x3f);
        }
        codes.push_back(valid ? code : 0xfffd);
        i += valid ? length : 1;
    }
    return codes;
}

void AppendUtf8(std::string& text, uint32_t code) {
    if (code < 0x80) {
        text += char(code);
    } else {
        text += char(0xc0 | (code >> 6));
        text += char(0x80 | (code & 0x3f));
    }
}

void PutInt(std::string& bytes, int value) {
    for (int shift = 0; shift < 32; shift += 8) bytes += char((uint32_t(value) >> shift) & 0xff);
}

int GetInt(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= uint32_t(uint8_t(bytes[at + k])) << (8 * k);
    return int(v);
}

const char* const DefaultNames[10] = {"Ada",   "Bruno", "Clara", "Dario", "Elin",
                                      "Farid", "Greta", "Hugo",  "Iris",  "Jonas"};

}  // namespace

std::string ScoreListEncode(const std::vector<THighScore>& entries) {
    std::string bytes;
    for (const THighScore& entry : entries) {
        for (uint32_t code : CodePoints(entry.name)) {
            if (code > 0xff || code == uint32_t(THighScoreList::NameDisguise)) code = '?';
            bytes += char((code + 256 - THighScoreList::NameDisguise) % 256);
        }
        bytes += '\0';
        PutInt(bytes, entry.score);
        PutInt(bytes, entry.level);
    }
    return bytes;
}

std::vector<THighScore> ScoreListDecode(const std::string& bytes, bool& complete) {
    std::vector<THighScore> entries;
    complete = true;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = at;
        while (end < bytes.size() && bytes[end] != '\0') ++end;
        if (end + 9 > bytes.size()) {
            complete = false;
            break;
        }
        THighScore entry;
        for (std::size_t k = at; k < end; ++k)
            AppendUtf8(entry.name, (uint8_t(bytes[k]) + THighScoreList::NameDisguise) % 256);
        entry.score = GetInt(bytes, end + 1);
        entry.level = GetInt(bytes, end + 5);
        entries.push_back(std::move(entry));
        at = end + 9;
    }
    return entries;
}

void THighScoreList::Create(const std::string& file, int maxNameLength) {
    Entries.clear();
    filepath = file + ".dat";
    MaxNameLength = maxNameLength;
}

void THighScoreList::Add(const std::string& name, int score, int level) {
    Entries.push_back({name, score, level});
}

void THighScoreList::Insert(const std::string& name, int score, int level) {
    auto place = Entries.begin();
    while (place != Entries.end() && place->score > score) ++place;
    Entries.insert(place, {name, score, level});
}

int THighScoreList::Load() {
    Entries.clear();
    // A table of names and scores is small. One that cannot be read, or is far too large, is kept
    // aside and replaced like a missing one.
    const TPlayerFile file = ReadPlayerFile(filepath, 64 * 1024);
    if (file.State != PlayerFileState::Read) {
        CreateDefault();
        return 0;
    }
    bool complete = true;
    Entries = ScoreListDecode(file.Bytes, complete);
    return complete ? 1 : 0;
}

int THighScoreList::Save() {
    // A failed write keeps the previous file and the table in memory; play goes on.
    if (!WriteFileAtomic(filepath, ScoreListEncode(Entries))) {
        ShowNotice("Failed to save file " + filepath);
        return 0;
    }
    FileWritten(filepath);
    return 1;
}

void THighScoreList::CreateDefault() {
    for (int i = 0; i < 10; ++i) Add(DefaultNames[i], 10000 - 1000 * i, 10 - i);
    Save();
}

void THighScoreList::Zero(int count) {
    Entries.clear();
    for (int i = 0; i < count; ++i) Add("Empty", 0, 0);
    Save();
}
