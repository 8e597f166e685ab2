// Best-time tables: one table of the ten best times per grid size, each kept in a small little-endian
// binary file ("hs4x4.dat" ... "hs16x16.dat") in the shared data folder.
//
// File layout, entries one after another with no header and no count:
//
//   +-------------------------------+----+-----------+-----------------+
//   | name: (code + 0x4e) mod 256   | 00 | time: i32 | difficulty: i32 |
//   | one byte per character        |    | LE, ms    | LE, 0..4        |
//   +-------------------------------+----+-----------+-----------------+
//
// Names are UTF-8 in memory and one byte per character on disk. A character the byte cannot carry (codes
// above 255, and 0xB2, whose byte would be the terminator) is stored as "?".
//
// Used by the game's start-up loaders, the board screen (a finished puzzle) and the best-time screen.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct TPellixHighScore {
    std::string name;
    int time = 0;  // milliseconds
    int difficulty = 0;
};

class TPellixHighScoreList {
  public:
    std::vector<TPellixHighScore> Entries;  // best (lowest time) first
    std::string filepath;                   // full path including ".dat"
    int MaxNameLength = 20;
    int NumMaxNameEntries = 10;

    void Create(const std::string& path, int maxNameLength, int maxEntries);
    void Add(const std::string& name, int time, int difficulty);
    // Places the entry before the first one with a greater time (equal times keep the older first), then
    // drops entries beyond NumMaxNameEntries.
    void Insert(const std::string& name, int time, int difficulty);
    // 1-based place the time would take: before the first slower entry, else after the last one while
    // the table has room; 0 when it does not enter.
    int WillEnterHighscore(int time) const;
    // Reads the file: at most NumMaxNameEntries entries, each with a time of 0 or more and a difficulty
    // of 0 to 4 (others are skipped); a trailing partial entry is dropped. An existing empty file is an
    // empty table. A missing file, or one without a single good entry, gives the default table (written
    // at once). One that cannot be read or is larger than any real table is kept aside (ReadPlayerFile)
    // and a new file written: the good entries at the start of an oversized one, else the default.
    // Never fatal.
    int Load();
    // Writes the table through the atomic write. 1 on success; 0 with the table staying in memory, after
    // showing "Failed Save File" with the path (only for the first failure since a write last succeeded).
    int Save();
    int CreateDefault();
    int Zero(int count);

    std::size_t Count() const { return Entries.size(); }
};

// The byte image of a table, and the entries read back from one (a trailing partial entry ignored).
std::string HighScoreEncode(const std::vector<TPellixHighScore>& entries);
std::vector<TPellixHighScore> HighScoreDecode(const std::string& bytes);

extern TPellixHighScoreList HighScores4;
extern TPellixHighScoreList HighScores6;
extern TPellixHighScoreList HighScores9;
extern TPellixHighScoreList HighScores12;
extern TPellixHighScoreList HighScores16;

// The table of a grid size (4, 6, 9, 12, 16); nullptr for any other.
TPellixHighScoreList* HighScoreTable(int width);

// On the table of the current PuzzleWidth.
int HighScoreWillEnter(int time);
void HighScoreAdd(const std::string& name, int difficulty, int time);

std::string DifficultyName(int difficulty);
