// File-system services for the rest of the program: file kinds, folder listings, folder creation
// and removal, copying, whole-file reads and the atomic write.
//
// Every player file (settings, options, save games, best times) is written through
// WriteFileAtomic: the bytes go to a temporary file in the target's own folder, are flushed to
// disk, and only then renamed over the target. A crash, a full disk or a failed close therefore
// leaves either the complete old file or the complete new one, never a truncated mix.
//
// Listings and recursive deletes never follow symbolic links, so a link inside a player folder
// cannot lead a delete outside it.
//
// Used by every layer above that reads or writes files.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What a path names, as FileType reports it (links followed).
enum : int {
    FILETYPE_NONE = 0,
    FILETYPE_FILE = 1,
    FILETYPE_DIR = 2,
};

// Kind of one folder entry, taken from the entry itself (links not followed).
enum class EntryKind { File, Dir, Symlink, Other };

struct DirEntry {
    std::string Name;  // name only, without the folder
    EntryKind Kind = EntryKind::Other;
};

// FILETYPE_FILE, FILETYPE_DIR, or FILETYPE_NONE when the path does not exist (or is neither).
int FileType(const std::string& path);

// The entries of a folder without "." and "..", sorted by name; nullopt when it cannot be read.
std::optional<std::vector<DirEntry>> ReadDir(const std::string& path);

// Creates a folder; with recurse, also every missing parent. True when the folder exists afterwards.
bool CreateDir(const std::string& path, bool recurse = false);

// Removes a file (or a symbolic link itself). True when it existed and was removed.
bool DeleteFile(const std::string& path);

// Removes an empty folder, or with recurse the folder and everything in it (links are removed,
// never followed). True when the folder is gone afterwards.
bool DeleteDir(const std::string& path, bool recurse = false);

// Copies a file's bytes to a new or existing file through WriteFileAtomic. True on success; a source
// larger than maxBytes is not copied.
bool CopyFile(const std::string& source, const std::string& target,
              std::size_t maxBytes = std::string().max_size());

// Whether anything at all (a file, a folder, a FIFO, a dangling link) is at path.
bool PathExists(const std::string& path);

// What a bounded read found. Missing only when nothing is at the path; Unreadable for anything there
// that cannot be read as a plain file (a folder, a FIFO, no read permission, an I/O error).
enum class ReadOutcome { Read, Missing, Unreadable, TooLarge };
struct TBoundedRead {
    ReadOutcome Outcome = ReadOutcome::Missing;
    std::string Bytes;  // the file when Read; its first maxBytes when TooLarge; else empty
};
// Reads the file, never more than maxBytes + 1 bytes of it, and never waits on a FIFO or device.
TBoundedRead ReadFileBounded(const std::string& path, std::size_t maxBytes);

// The whole file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> LoadFile(const std::string& path);
// The same bounded, for player files and game data, which are small: a file of more than maxBytes is
// not read (nullopt, and *tooLarge set when given; one whose size says so is refused before reading),
// so a huge file cannot freeze the game or fill memory.
std::optional<std::string> LoadFile(const std::string& path, std::size_t maxBytes, bool* tooLarge = nullptr);

// Renames from to to; false (and nothing renamed) when anything is at to already.
bool RenameNoReplace(const std::string& from, const std::string& to);

// From now on until the program ends, every atomic write to path fails and leaves it as it is: for a
// player file that could not be read and could not be moved aside either.
void RefuseWritesTo(const std::string& path);

// Replaces (or creates) the file at path with bytes, atomically: temporary file in the same
// folder (named "." + file name + "." + six random characters, the file name cut short when the
// whole would pass the file system's 255-byte limit), written, flushed, fsync'd, closed, renamed over path,
// folder fsync'd. Every result is checked; on any failure the temporary file is removed, the old file is left
// untouched and false is returned.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// The atomic write in steps, for writers that produce their bytes piece by piece and need to
// know which step failed. Nothing replaces the target until Commit succeeds; a writer destroyed
// without a successful Commit removes its temporary file.
class TAtomicFile {
  public:
    explicit TAtomicFile(std::string path);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Creates the temporary file beside the target. False when the folder is not writable.
    bool Open();
    // Appends bytes to the temporary file. False on any write error (a full disk).
    bool Write(const std::string& bytes);
    // Flushes, fsyncs and closes the temporary file, then renames it over the target.
    bool Commit();

  private:
    void Abandon();

    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// Removes the temporary files an interrupted atomic write left in folder: regular files named as
// above whose target name `ours` accepts (`cut` tells that the name was cut short to fit). Links,
// folders and every other name are left alone. Returns how many were removed.
int RemoveAtomicLeftovers(const std::string& folder,
                          const std::function<bool(const std::string& target, bool cut)>& ours);

// Test hook: simulates a crash or failure inside the next atomic writes. The write stops at the
// given stage and reports failure; with LeaveTemp the temporary file is left behind as a killed
// process would leave it. CannotCreate stands for a read-only or full folder: the temporary file
// cannot be made. SyncFails: the data does not reach the disk (fsync reports an I/O error or a full
// disk at flush time). Stage None switches the fault off.
enum class AtomicWriteFault { None, AfterPartialWrite, BeforeRename, CannotCreate, SyncFails };
void SetAtomicWriteFault(AtomicWriteFault fault, bool leaveTemp = false);
