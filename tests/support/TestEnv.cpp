// The shared test helpers of TestEnv.h: throw-away folders, headless set-up and file helpers for every suite.
#include "TestEnv.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testenv {

namespace {

fs::path MakeTemp(const char* stem) {
    std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

struct ProcessFolders {
    fs::path root;
    ProcessFolders() {
        root = MakeTemp("numora-test-");
        fs::create_directories(root / "data");
        fs::create_directories(root / "runtime");
        fs::create_directories(root / "work");
        // Whatever a test writes by a relative path (the error log before its folder is set, for one)
        // lands in the process's own folder, never where the executable happened to be started.
        fs::current_path(root / "work");
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ALSOFT_DRIVERS", "null", 0);
    }
    ~ProcessFolders() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

ProcessFolders& Folders() {
    static ProcessFolders folders;
    return folders;
}

}  // namespace

TempDir::TempDir() : path_(MakeTemp("numora-case-")) {}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

const fs::path& ProcessRoot() {
    return Folders().root;
}

fs::path BinDir() {
    return NUMORA_BIN_DIR;
}

fs::path SourceDir() {
    return NUMORA_SOURCE_DIR;
}

fs::path TestsDir() {
    return NUMORA_TESTS_DIR;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReplaceLine(const std::string& text, int index, const std::string& line) {
    std::string result;
    std::size_t at = 0;
    for (int i = 0; at < text.size(); ++i) {
        const std::size_t end = text.find("\r\n", at);
        result.append(i == index ? line : text.substr(at, end - at)).append("\r\n");
        at = end + 2;
    }
    return result;
}

void WriteSparseFile(const fs::path& path, const std::string& head, std::uintmax_t size) {
    WriteFile(path, head);
    fs::resize_file(path, size);
}

long PeakMemoryKB() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace testenv
