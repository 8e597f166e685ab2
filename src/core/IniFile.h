// TIniFile: the settings store, an ordered list of NAME=Value lines mirroring one UTF-8 text file.
// The owner adds every known name with its default, loads (which overwrites the values found in
// the file and writes the whole list straight back), reads the values out and saves after every
// change. There is deliberately no lookup table: the order of adding is the order of the file,
// and adding a name twice gives two lines.
// Used by the application object's settings (Game->Ini) and by the game's options file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct TIniLine {
    std::string Name;   // stored upper-cased
    std::string Value;  // as text, untrimmed
};

class TIniFile {
  public:
    using Lines = std::vector<TIniLine>;

    // Path of the file without the ".ini" that Load and Save append.
    std::string FileName;

    // Appends NAME=value with the name upper-cased; never merges with an existing line.
    void Add(const std::string& name, const std::string& value);

    // Reads FileName + ".ini" (a missing file is no error: the values stay; one that cannot be read
    // or is larger than MaxIniFileBytes is kept aside, see ReadPlayerFile) and then always calls Save.
    // Reading: LF ends a line, CR is dropped; the name is everything before the first "=",
    // upper-cased, the value everything after it; a line without "=" is all name and an empty
    // value. Every added line with exactly that name takes the value; other file lines are dropped.
    void Load();

    // Writes every line as Name + "=" + Value + CR LF, in the order of adding, UTF-8 without a
    // byte-order mark, through the atomic write (the old file survives any failure). A CR or LF
    // inside a value is written as a blank so that it cannot split the line. Sets the start-up
    // checkpoint to 5007-5010 on the way. 0 when written. A failure never ends the run: it shows
    // "(" + checkpoint + ") Failed to save the file: " + path once (again only after a save has
    // succeeded in between) and returns -1; the values stay in memory.
    int Save();

    // The text of the file Save would write.
    std::string Serialise() const;

    // Sets the value of every line named Upper(name); false when there is none.
    bool Set(const std::string& name, const std::string& value);
    // The value of the first line named Upper(name); nullptr when there is none.
    const std::string* Find(const std::string& name) const;

    void Clear() { lines_.clear(); }
    std::size_t Count() const { return lines_.size(); }
    Lines::iterator begin() { return lines_.begin(); }
    Lines::iterator end() { return lines_.end(); }
    Lines::const_iterator begin() const { return lines_.begin(); }
    Lines::const_iterator end() const { return lines_.end(); }

  private:
    Lines lines_;
    bool failureShown_ = false;
};
