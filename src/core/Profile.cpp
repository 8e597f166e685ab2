// Player profiles: the disguised counters, the hint flags and the profile file.
#include "core/Profile.h"

#include <cstdint>
#include <cstring>
#include <sstream>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/PlayerFile.h"
#include "platform/FileSystem.h"

std::function<void(TProfile&)> ProfileCreateHook;

namespace {

void PutU32(std::string& bytes, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) bytes += char((v >> shift) & 0xff);
}

uint32_t GetU32(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= uint32_t(uint8_t(bytes[at + k])) << (8 * k);
    return v;
}

uint32_t Addend(int index) {
    return TProfile::DisguiseBase + uint32_t(index) * TProfile::DisguiseStep;
}

}  // namespace

bool IsValidProfileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 32 || c == 127 || std::strchr("/\\:*?\"<>|", c) != nullptr) return false;
    return true;
}

std::shared_ptr<TProfile> TProfile::Create(const std::string& name) {
    auto profile = std::make_shared<TProfile>();
    profile->Init(name);
    if (ProfileCreateHook) ProfileCreateHook(*profile);
    return profile;
}

void TProfile::Init(const std::string& name) {
    Name = name;
    CurrentLevel = 1;
    LockedLevel = 2;
    Score = 0;
    Lives = 3;
    Kills = 0;
    TimeTaken = 0.0;
    Difficulty = 0;
    TipsFlag = 1;
    InstructionsFlag = 1;
    ClearHints();
}

void TProfile::ClearHints() {
    HintsShown.fill(0);
}

void TProfile::HintsSet(int value) {
    HintsShown.fill(value);
}

int TProfile::ShowHint(int index, int save) {
    if (index < 0 || index >= MAX_HINTS || HintsShown[index] != 0) return 0;
    HintsShown[index] = 1;
    if (save) Save();
    return 1;
}

std::string TProfile::FilePath() const {
    return (Game ? Game->ProfilePath : std::string()) + Name + ".dat";
}

std::string TProfile::Encode() const {
    std::string bytes;
    const int counters[] = {CurrentLevel, LockedLevel, Score, Lives, Kills};
    for (int i = 0; i < 5; ++i) PutU32(bytes, uint32_t(counters[i]) + Addend(i));
    uint64_t bits = 0;
    std::memcpy(&bits, &TimeTaken, 8);
    PutU32(bytes, uint32_t(bits));
    PutU32(bytes, uint32_t(bits >> 32));
    PutU32(bytes, uint32_t(Difficulty));
    PutU32(bytes, uint32_t(TipsFlag));
    PutU32(bytes, uint32_t(InstructionsFlag));
    for (int hint : HintsShown) PutU32(bytes, uint32_t(hint));
    return bytes;
}

bool TProfile::Decode(const std::string& bytes, std::size_t& rest) {
    if (bytes.size() < 40) return false;
    // Hints are whole ints; a cut one means the file was damaged, unless user data follows them all.
    const std::size_t hintBytes = bytes.size() - 40;
    if (hintBytes < 4 * std::size_t(MAX_HINTS) && hintBytes % 4 != 0) return false;
    int* counters[] = {&CurrentLevel, &LockedLevel, &Score, &Lives, &Kills};
    for (int i = 0; i < 5; ++i) *counters[i] = int(GetU32(bytes, 4 * i) - Addend(i));
    const uint64_t bits = uint64_t(GetU32(bytes, 20)) | (uint64_t(GetU32(bytes, 24)) << 32);
    std::memcpy(&TimeTaken, &bits, 8);
    Difficulty = int(GetU32(bytes, 28));
    TipsFlag = int(GetU32(bytes, 32));
    InstructionsFlag = int(GetU32(bytes, 36));
    ClearHints();
    std::size_t at = 40;
    for (int i = 0; i < MAX_HINTS && at + 4 <= bytes.size(); ++i, at += 4)
        HintsShown[i] = int(GetU32(bytes, at));
    rest = at;
    return true;
}

int TProfile::Save() {
    const std::string path = FilePath();
    std::ostringstream stream;
    stream << Encode();
    if (SaveUserFunction) SaveUserFunction(stream);
    // A failed write keeps the previous file and the values in memory; play goes on.
    if (!IsValidProfileName(Name) || !WriteFileAtomic(path, stream.str())) {
        ShowNotice("Could not create file '" + path + "'");
        return 0;
    }
    FileWritten(path);
    return 1;
}

int TProfile::Load() {
    if (!IsValidProfileName(Name)) return 0;
    // A profile holds a few settings and records; one of megabytes is damaged, not read.
    const TPlayerFile file = ReadPlayerFile(FilePath(), 1024 * 1024);
    if (file.State == PlayerFileState::KeptAside) return 0;
    if (file.State == PlayerFileState::Missing) {
        Save();
        return 0;
    }
    TProfile read = *this;
    std::size_t rest = 0;
    if (!read.Decode(file.Bytes, rest)) return 0;
    *this = read;
    if (LoadUserFunction) {
        std::istringstream stream(file.Bytes.substr(rest));
        LoadUserFunction(stream);
    }
    return 1;
}
