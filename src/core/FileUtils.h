// File helpers of the application core: existence, the file-written hook, single values of ini
// files read or replaced line by line (used by the crash recovery before any settings object
// exists), and the section readers of the sectioned text files.
// Used by the core's settings, texts, profiles and banks, by the image bank and by the game's options,
// level and save files.
#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The most an ini file of ours may hold: a few dozen short lines in practice. A larger one is
// damaged and is read as if it were missing, so it cannot freeze the start or fill memory.
inline constexpr std::size_t MaxIniFileBytes = 64 * 1024;

// The lines of an ini file's bytes, decoded and without their CRs.
std::vector<std::string> IniLines(const std::string& bytes);
// The lines of an ini file; nullopt when it cannot be read or is larger than MaxIniFileBytes.
std::optional<std::vector<std::string>> LoadIniLines(const std::string& path);
// The value of the first line whose Upper(name part) equals Upper(name); "" when there is none.
std::string IniValue(const std::vector<std::string>& lines, const std::string& name);

// FileType(path) != FILETYPE_NONE.
bool FileExists(const std::string& path);
// Deletes a file the player chose to delete; true when none is left at the path (deleted now, or
// already gone), so a false is worth telling the player.
bool EnsureFileDeleted(const std::string& path);

// "data/sound/Click.wav" -> "Click": the file name without folder and extension.
std::string StripAll(const std::string& path);
// The extension without the dot, "" when the file name has none.
std::string ExtractExt(const std::string& path);
// The path without the extension of its file name ("data/a.b/c" stays whole).
std::string StripExt(const std::string& path);

// Called after a file was written and closed. Does nothing but tell the observer, when one is set;
// a seam for platforms (and tests) that must be told about new files.
void FileWritten(const std::string& path);
void SetFileWrittenObserver(std::function<void(const std::string&)> observer);

// The value of the first line whose Upper(name part) equals Upper(name); "" when the file cannot
// be read or holds no such line. Opens the file for reading only.
std::string ReadIniValue(const std::string& path, const std::string& name);

// Copies source to target line by line (CR LF endings), replacing each line whose upper-cased
// name equals Upper(name) by Upper(name) + "=" + value; a name absent from source is not added.
// The target is replaced atomically. 0 when source cannot be read or target not written, else 1.
int CopyIniWithValue(const std::string& source, const std::string& target, const std::string& name,
                     const std::string& value);
// The restore step of the crash recovery: CopyIniWithValue under its own name.
int RestoreIniKeepingValue(const std::string& source, const std::string& target, const std::string& name,
                           const std::string& value);

// The text with every CR and LF turned into a blank: one inside a name or value would split its
// line in an ini file.
std::string OneLine(std::string text);
// Writes the line Upper(name) + "=" + value (CR LF); a CR or LF in the value becomes a blank.
void WriteIniString(std::ostream& stream, const std::string& name, const std::string& value);
void WriteIniInt(std::ostream& stream, const std::string& name, int n);

// Reads one line as the platform does: up to LF, every CR dropped. False at the end of the stream.
bool ReadLine(std::istream& stream, std::string& line);

// The lines from index up to, not including, the next line beginning with "["; index moves past.
std::vector<std::string> ReadSectionLines(const std::vector<std::string>& lines, std::size_t& index);
// Reads lines until one begins with "[" or the stream ends and returns them; line receives the
// last line read, which is also appended when it is neither empty nor a header.
std::vector<std::string> ReadStreamSection(std::istream& stream, std::string& line);
// Reads two lines; returns the first, second receives the second.
std::string ReadLinePair(std::istream& stream, std::string& second);

// The running executable's path, mapped as below; "" when the system cannot tell it.
std::string AppFileNoDebug();
// Maps a debug build's file name to the release name: when the five characters ending four before
// the end of appFile read "debug", appFile less its last ten characters (the separator before the
// word goes too: "Game_debug.exe" gives "Game.exe") + ".exe"; any other path is returned unchanged.
std::string AppFileNoDebug(const std::string& appFile);
