// Shared test helpers: every test process runs headless with its own throw-away data folders,
// so no test ever touches the real player's files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace testenv {

// A fresh folder under the system temp folder, removed with everything in it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string Str() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
};

// Root of the process-wide temp folders that XDG_DATA_HOME and XDG_RUNTIME_DIR point at; its folder
// "work" is the working folder of every test process.
const std::filesystem::path& ProcessRoot();

// Folder of the built executable and its data (build/bin), of the source tree, and of the test
// executables (build/tests): absolute paths fixed by the build, whatever the working folder.
std::filesystem::path BinDir();
std::filesystem::path SourceDir();
std::filesystem::path TestsDir();

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// The text with its line `index` (from 0) replaced; every line ends in CR LF, as the player files' lines do.
std::string ReplaceLine(const std::string& text, int index, const std::string& line);
// A file of size bytes starting with head, the rest a hole: a huge file that costs no disk.
void WriteSparseFile(const std::filesystem::path& path, const std::string& head, std::uintmax_t size);
// The most memory the process has held so far, in KB (its peak resident set).
long PeakMemoryKB();

}  // namespace testenv
