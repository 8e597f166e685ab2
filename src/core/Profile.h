// TProfile: one player's progress, kept as a small little-endian binary file named after the player in
// the profiles folder. The five leading counters are disguised by growing addends so that the file is
// not edited by hand too easily:
//
//   offset  size  content
//        0     4  CurrentLevel + B
//        4     4  LockedLevel  + B + S
//        8     4  Score        + B + 2S
//       12     4  Lives        + B + 3S
//       16     4  Kills        + B + 4S        (B = 0x3b91c4, S = 0x1a5e73, 32-bit wrap)
//       20     8  TimeTaken (double)
//       28     4  Difficulty
//       32     4  TipsFlag
//       36     4  InstructionsFlag
//       40   400  HintsShown[0 .. 99], fewer in older files
//      440     …  whatever SaveUserFunction writes
//
// Writes go through the atomic write, so a crash never leaves half a profile. A name that is not a
// plain file name never becomes a path.
//
// Only the player-list dialogs (TPlayerManager, QDPlayerManager) make one, and this game uses neither:
// Game->CurrentProfile stays empty here.
#pragma once

#include <array>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

class TProfile {
  public:
    static constexpr int MAX_HINTS = 100;
    static constexpr uint32_t DisguiseBase = 0x3b91c4;
    static constexpr uint32_t DisguiseStep = 0x1a5e73;
    // Bytes of the fixed part of the file (with every hint flag).
    static constexpr std::size_t FixedSize = 40 + 4 * MAX_HINTS;

    virtual ~TProfile() = default;

    std::string Name;
    int CurrentLevel = 0;
    int LockedLevel = 0;
    int Score = 0;
    int Lives = 0;
    int Kills = 0;
    double TimeTaken = 0.0;
    int Difficulty = 0;
    int TipsFlag = 0;
    int InstructionsFlag = 0;
    std::array<int, MAX_HINTS> HintsShown{};
    std::function<void(std::ostream&)> SaveUserFunction;
    std::function<void(std::istream&)> LoadUserFunction;

    // A new profile with Init(name); the global ProfileCreateHook runs with it when set.
    static std::shared_ptr<TProfile> Create(const std::string& name);
    void Init(const std::string& name);
    void ClearHints();
    void HintsSet(int value);
    // 1 the first time hint index is asked for (the caller shows it), 0 afterwards and for an index
    // outside 0 .. MAX_HINTS - 1. With save set the profile is saved when the hint is marked.
    int ShowHint(int index, int save);
    // Writes the profile folder + Name + ".dat" atomically: 1 when written. When it cannot be written
    // or the name is no plain file name, the notice "Could not create file '" + path + "'" and 0; the
    // previous file and the values in memory stay, and play goes on.
    virtual int Save();
    // 1 when the file was read. A missing file is created from the current values (0). A damaged file
    // (shorter than the fixed counters, or a hint cut in half) is refused: 0, the values and the file
    // stay as they were. One that cannot be read or is far too large: 0, the values stay and the file
    // is kept aside (ReadPlayerFile).
    virtual int Load();

    std::string FilePath() const;
    // The bytes Save writes, without the user part.
    std::string Encode() const;
    // Takes the values from bytes; false (nothing changed) when they are damaged. rest receives the
    // offset of the first byte after the hints.
    bool Decode(const std::string& bytes, std::size_t& rest);
};

// Called with every profile made by TProfile::Create.
extern std::function<void(TProfile&)> ProfileCreateHook;

// A name that can be a file in the profiles folder: not empty, not "." or "..", no folder
// separators, no control characters and none of the characters file names may not carry.
bool IsValidProfileName(const std::string& name);
