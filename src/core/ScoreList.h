// THighScoreList: the framework's score table, best first, kept in a little-endian binary file with
// lightly disguised names. Entries follow one another up to the end of the file:
//
//   +--------------------------------+----+------------+------------+
//   | name: (code - 0x5c) mod 256    | 00 | score: i32 | level: i32 |
//   | one byte per character         |    | LE         | LE         |
//   +--------------------------------+----+------------+------------+
//
// A name of n characters takes n + 9 bytes. Names are UTF-8 in memory; a character the byte cannot
// carry (a code above 255, or "\", whose byte would end the name) is stored as "?". Reading adds
// 0x5c back modulo 256, so every stored name comes back as it was written.
//
// The application object keeps one (Game->HighScores), but this game never fills it: its best times
// live in its own tables (game/HighScoreList.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct THighScore {
    std::string name;
    int score = 0;
    int level = 0;
};

class THighScoreList {
  public:
    static constexpr int NameDisguise = 0x5c;

    std::vector<THighScore> Entries;  // best first
    std::string filepath;             // including ".dat"
    int MaxNameLength = 0;            // for the caller's name entry; not enforced here

    void Create(const std::string& file, int maxNameLength);
    void Add(const std::string& name, int score, int level);
    // Before the first entry whose score is lower than or equal to score, else at the end.
    void Insert(const std::string& name, int score, int level);
    // A missing file gives the default table. A damaged file (an entry cut short) keeps the complete
    // entries before the damage and leaves the file as it is. One that cannot be read or is far too
    // large is kept aside (ReadPlayerFile) and the default table written in its place. Returns 1 when the
    // file was read whole.
    int Load();
    // Atomic: 1 when written. When it cannot be written, the notice "Failed to save file " + filepath
    // and 0; the previous file and the table in memory stay, and play goes on.
    int Save();
    // Ten entries scoring 10000 down to 1000 at levels 10 down to 1, then Save.
    void CreateDefault();
    // count entries "Empty" scoring 0 at level 0, then Save.
    void Zero(int count);

    std::size_t Count() const { return Entries.size(); }
};

std::string ScoreListEncode(const std::vector<THighScore>& entries);
// The complete entries of bytes in order; complete is false when a cut entry ended the bytes.
std::vector<THighScore> ScoreListDecode(const std::string& bytes, bool& complete);
