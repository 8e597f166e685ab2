// POSIX implementation of the file-system services. Plain system calls rather than
// std::filesystem where the exact failure behaviour matters (fsync, rename, lstat).
#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

namespace {

AtomicWriteFault g_fault = AtomicWriteFault::None;
bool g_faultLeavesTemp = false;

// The paths RefuseWritesTo closed to atomic writes.
std::set<std::string>& RefusedPaths() {
    static std::set<std::string> paths;
    return paths;
}

// The longest file name the file systems in use take, and the random part of a temporary name.
constexpr std::size_t NameLimit = 255;
constexpr char TempSuffix[] = ".XXXXXX";
constexpr std::size_t TempSuffixLength = sizeof TempSuffix - 1;

std::string ParentOf(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string TrimTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The rename is only durable once the folder entry itself has reached the disk.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int FileType(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return FILETYPE_NONE;
    if (S_ISREG(st.st_mode)) return FILETYPE_FILE;
    if (S_ISDIR(st.st_mode)) return FILETYPE_DIR;
    return FILETYPE_NONE;
}

std::optional<std::vector<DirEntry>> ReadDir(const std::string& path) {
    std::string folder = TrimTrailingSlashes(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::vector<DirEntry> entries;
    while (dirent* item = ::readdir(dir)) {
        std::string name = item->d_name;
        if (name == "." || name == "..") continue;
        DirEntry entry;
        entry.Name = name;
        struct stat st {};
        if (::lstat((folder + "/" + name).c_str(), &st) == 0) {
            if (S_ISLNK(st.st_mode))
                entry.Kind = EntryKind::Symlink;
            else if (S_ISREG(st.st_mode))
                entry.Kind = EntryKind::File;
            else if (S_ISDIR(st.st_mode))
                entry.Kind = EntryKind::Dir;
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.Name < b.Name; });
    return entries;
}

bool CreateDir(const std::string& path, bool recurse) {
    std::string folder = TrimTrailingSlashes(path);
    if (folder.empty()) return false;
    if (FileType(folder) == FILETYPE_DIR) return true;
    if (recurse) {
        std::string parent = ParentOf(folder);
        if (parent != folder && FileType(parent) != FILETYPE_DIR && !CreateDir(parent, true)) return false;
    }
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return false;
    return FileType(folder) == FILETYPE_DIR;
}

bool DeleteFile(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
}

bool DeleteDir(const std::string& path, bool recurse) {
    std::string folder = TrimTrailingSlashes(path);
    struct stat st {};
    if (folder.empty() || ::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (recurse) {
        std::optional<std::vector<DirEntry>> entries = ReadDir(folder);
        if (!entries) return false;
        for (const DirEntry& entry : *entries) {
            std::string child = folder + "/" + entry.Name;
            if (entry.Kind == EntryKind::Dir)
                DeleteDir(child, true);
            else
                ::unlink(child.c_str());
        }
    }
    return ::rmdir(folder.c_str()) == 0;
}

bool CopyFile(const std::string& source, const std::string& target, std::size_t maxBytes) {
    std::optional<std::string> bytes = LoadFile(source, maxBytes);
    return bytes && WriteFileAtomic(target, *bytes);
}

std::optional<std::string> LoadFile(const std::string& path) {
    return LoadFile(path, std::string().max_size());
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

TBoundedRead ReadFileBounded(const std::string& path, std::size_t maxBytes) {
    TBoundedRead result;
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        // A dangling link is as good as nothing; a path that cannot even be looked at is not.
        result.Outcome = errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Unreadable;
        return result;
    }
    result.Outcome = ReadOutcome::Unreadable;
    if (!S_ISREG(st.st_mode)) return result;
    // Non-blocking, in case a FIFO took the file's place after the check.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return result;
    std::string bytes;
    char buffer[65536];
    // The size is checked while reading, so a file that grows meanwhile is caught too.
    while (bytes.size() <= maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size() + 1);
        ssize_t got = ::read(fd, buffer, want);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return result;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (bytes.size() > maxBytes) {
        bytes.resize(maxBytes);
        result.Outcome = ReadOutcome::TooLarge;
    } else {
        result.Outcome = ReadOutcome::Read;
    }
    result.Bytes = std::move(bytes);
    return result;
}

std::optional<std::string> LoadFile(const std::string& path, std::size_t maxBytes, bool* tooLarge) {
    // A file already too large is refused by its size, before a byte of it is read (a damaged data
    // file can be hundreds of megabytes); ReadFileBounded keeps its start for readers that want it.
    struct stat st {};
    if (!path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        if (tooLarge) *tooLarge = true;
        return std::nullopt;
    }
    TBoundedRead read = ReadFileBounded(path, maxBytes);
    if (tooLarge) *tooLarge = read.Outcome == ReadOutcome::TooLarge;
    if (read.Outcome != ReadOutcome::Read) return std::nullopt;
    return std::move(read.Bytes);
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    // One copy of the game runs per player folder, so nothing else creates `to` in between.
    if (PathExists(to)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void RefuseWritesTo(const std::string& path) {
    RefusedPaths().insert(path);
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
    TAtomicFile file(path);
    return file.Open() && file.Write(bytes) && file.Commit();
}

TAtomicFile::TAtomicFile(std::string path) : path_(std::move(path)) {}

TAtomicFile::~TAtomicFile() {
    Abandon();
}

void TAtomicFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    // A simulated crash leaves the temporary file behind, as a killed process would.
    if (!temp_.empty() && !(g_fault != AtomicWriteFault::None && g_faultLeavesTemp)) ::unlink(temp_.c_str());
    temp_.clear();
    failed_ = true;
}

bool TAtomicFile::Open() {
    if (fd_ >= 0 || failed_) return false;
    if (path_.empty() || path_.back() == '/' || FileType(path_) == FILETYPE_DIR ||
        RefusedPaths().count(path_)) {
        failed_ = true;
        return false;
    }
    std::string folder = ParentOf(path_);
    std::string name = path_.substr(path_.find_last_of('/') + 1);
    // A target name near the limit must still leave room for the dot and the random part.
    if (name.size() > NameLimit - 1 - TempSuffixLength) name.resize(NameLimit - 1 - TempSuffixLength);
    std::string temp = (folder == "/" ? "" : folder) + "/." + name + TempSuffix;
    if (g_fault == AtomicWriteFault::CannotCreate) {
        errno = EROFS;
        failed_ = true;
        return false;
    }
    fd_ = ::mkstemp(temp.data());
    if (fd_ < 0) {
        failed_ = true;
        return false;
    }
    temp_ = temp;
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat old {};
    mode_t mode = 0666;
    if (::stat(path_.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd_, mode);
    return true;
}

bool TAtomicFile::Write(const std::string& bytes) {
    if (fd_ < 0) return false;
    if (g_fault == AtomicWriteFault::AfterPartialWrite) {
        WriteAll(fd_, bytes.data(), bytes.size() / 2);
        Abandon();
        return false;
    }
    if (!WriteAll(fd_, bytes.data(), bytes.size())) {
        Abandon();
        return false;
    }
    return true;
}

bool TAtomicFile::Commit() {
    if (fd_ < 0) return false;
    bool ok = g_fault != AtomicWriteFault::SyncFails && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok || g_fault == AtomicWriteFault::BeforeRename || ::rename(temp_.c_str(), path_.c_str()) != 0) {
        Abandon();
        return false;
    }
    temp_.clear();
    SyncFolder(ParentOf(path_));
    return true;
}

int RemoveAtomicLeftovers(const std::string& folder,
                          const std::function<bool(const std::string& target, bool cut)>& ours) {
    std::optional<std::vector<DirEntry>> entries = ReadDir(folder);
    if (!entries) return 0;
    static const std::string randomChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    int removed = 0;
    for (const DirEntry& entry : *entries) {
        const std::string& name = entry.Name;
        if (entry.Kind != EntryKind::File || name.size() < 2 + TempSuffixLength || name[0] != '.') continue;
        const std::size_t dot = name.size() - TempSuffixLength;
        if (name[dot] != '.' || name.find_first_not_of(randomChars, dot + 1) != std::string::npos) continue;
        const std::string target = name.substr(1, dot - 1);
        if (!ours(target, name.size() == NameLimit)) continue;
        if (::unlink((TrimTrailingSlashes(folder) + "/" + name).c_str()) == 0) ++removed;
    }
    return removed;
}

void SetAtomicWriteFault(AtomicWriteFault fault, bool leaveTemp) {
    g_fault = fault;
    g_faultLeavesTemp = leaveTemp;
}
