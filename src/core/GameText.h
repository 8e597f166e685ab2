// TGameText: every text the player reads, looked up by key in one table read at start-up from
// "gametext.txt" in the text folder, so that translating the game means replacing one file.
//
// File format: entries of a header line "[TEXT]" (any case), a key line and zero or more text
// lines; an entry ends before the next line that begins with "[" or at the end of the file.
// A UTF-8 or UTF-16 byte-order mark selects the encoding.
//
// Loaded by start-up (the global GameText); used by the game's screens, notices and cells.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// The entries of a text file's lines, keyed by Upper(key); the header and skipping rules of
// TGameText::Read.
std::map<std::string, std::vector<std::string>> ParseTextEntries(const std::vector<std::string>& lines);

class TGameText {
  public:
    // A new table read from the application object's text folder + file.
    static std::unique_ptr<TGameText> Create(const std::string& file);

    // Folder the file is read from (ends in "/" or is empty).
    std::string Folder;

    // Empties the table and reads Folder + file. A missing file is the fatal "Error loading
    // file " + path; a line where a header belongs is the fatal "[TEXT] header hot found".
    // A header without a key line (last in the file, or directly before another header) is
    // skipped. A later entry with the same key replaces the earlier one.
    void Read(const std::string& file);

    // The text lines stored under Upper(key); empty when absent.
    const std::vector<std::string>& Find(const std::string& key) const;
    // The lines of Find(key) joined with CR LF between them; "" when absent.
    std::string FindString(const std::string& key) const;

    std::size_t Count() const { return table_.size(); }

  private:
    std::map<std::string, std::vector<std::string>> table_;
};

// The game texts, created by the start-up before the resource archive is opened.
extern std::unique_ptr<TGameText> GameText;
