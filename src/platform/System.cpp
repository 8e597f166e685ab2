// Linux counterparts of the Windows services the core was designed around.
#include "platform/System.h"

#include <SDL.h>
#include <fcntl.h>
#include <pwd.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>
#include <set>
#include <string_view>
#include <utility>

#include "platform/Window.h"

namespace {

std::function<void(int)>& EndHandler() {
    static std::function<void(int)> handler;
    return handler;
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm;
}

}  // namespace

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool HeadlessVideo() {
    std::string driver;
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        const char* current = SDL_GetCurrentVideoDriver();
        driver = current ? current : "";
    } else {
        driver = EnvironmentValue("SDL_VIDEODRIVER");
        if (driver.empty() && EnvironmentValue("DISPLAY").empty() &&
            EnvironmentValue("WAYLAND_DISPLAY").empty())
            return true;
    }
    return strcasecmp(driver.c_str(), "dummy") == 0 || strcasecmp(driver.c_str(), "offscreen") == 0;
}

std::string WrapNoticeText(const std::string& text, size_t width) {
    if (width == 0) return text;
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        while (line.size() > width) {
            const size_t space = line.substr(0, width + 1).find_last_of(' ');
            const size_t slash = line.substr(0, width).find_last_of('/');
            size_t cut = width;
            if (slash != std::string_view::npos && (space == std::string_view::npos || slash + 1 > space)) {
                cut = slash + 1;
            } else if (space != std::string_view::npos && space > 0) {
                cut = space;
            } else {
                while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
            }
            std::string_view head = line.substr(0, cut);
            while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
            out.append(head).append("\n");
            line.remove_prefix(cut);
            while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        }
        out.append(line);
        if (end == text.size()) break;
        out += '\n';
        start = end + 1;
    }
    return out;
}

bool Notify(const std::string& text, bool serious) {
    LeaveFullScreen();
    std::fprintf(stderr, "%s: %s\n", AppTitle().c_str(), text.c_str());
    std::fflush(stderr);
    if (HeadlessVideo()) return false;
    Uint32 flags = serious ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    // The game hides the system pointer and draws its own, which stands still while the box waits:
    // without the system pointer the player could not find the box's button.
    const int cursor = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);
    const std::string wrapped = WrapNoticeText(text, 80);
    const bool shown =
        SDL_ShowSimpleMessageBox(flags, AppTitle().c_str(), wrapped.c_str(), GraphicsWindow()) == 0;
    if (cursor == SDL_DISABLE) SDL_ShowCursor(SDL_DISABLE);
    if (shown) return true;
    std::fprintf(stderr, "%s: (the system message box could not open: %s)\n", AppTitle().c_str(),
                 SDL_GetError());
    std::fflush(stderr);
    return false;
}

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// 1 when the lock is now held, 0 when another process holds it, -1 when no lock file can be had.
int LockFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    // A read-only folder may still hold the lock file of an earlier run; a read lock fd suffices.
    if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return 0;
    }
    // Held for the life of the process; the process end releases it.
    return 1;
}

}  // namespace

bool SingleInstanceLock(const std::string& name, const std::string& playerFolder) {
    // The lock files this process holds; taking one again is a no-op.
    static std::set<std::string> held;
    // False only when another process holds the lock. Without a lock file the check cannot be
    // made; running is better than refusing to start.
    auto take = [](const std::string& path) {
        if (held.count(path)) return true;
        const int locked = LockFile(path);
        if (locked == 1) held.insert(path);
        return locked != 0;
    };
    std::string file;
    for (char c : name) file += (c == '/' ? '_' : c);
    std::string folder = EnvironmentValue("XDG_RUNTIME_DIR");
    std::string runtimeFile = file;
    if (folder.empty()) {
        folder = std::filesystem::temp_directory_path().string();
        runtimeFile.append("-").append(std::to_string(getuid()));
    }
    if (!take(folder + "/" + runtimeFile + ".lock")) return false;
    // A missing player folder is left for the first start to make in its own step.
    std::error_code ec;
    if (!playerFolder.empty() && std::filesystem::is_directory(playerFolder, ec))
        return take(WithSlash(playerFolder) + file + ".lock");
    return true;
}

std::string CommonAppDataFolder() {
    std::string folder = EnvironmentValue("XDG_DATA_HOME");
    if (folder.empty() || folder[0] != '/') folder = HomeFolder() + "/.local/share";
    return WithSlash(folder);
}

namespace {

// The folder user-dirs.dirs names for key (XDG_DESKTOP_DIR and so on), "$HOME" expanded.
std::string UserDirsEntry(const std::string& configHome, const std::string& key) {
    std::FILE* f = std::fopen((configHome + "user-dirs.dirs").c_str(), "r");
    if (!f) return "";
    std::string found;
    const std::string prefix = key + "=\"";
    char line[4096];
    // A small file of short lines; a longer line is read in pieces that match nothing.
    for (int n = 0; n < 1000 && std::fgets(line, sizeof line, f); ++n) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (text.rfind(prefix, 0) != 0 || text.size() < prefix.size() + 1 || text.back() != '"') continue;
        found = text.substr(prefix.size(), text.size() - prefix.size() - 1);
        if (found.rfind("$HOME", 0) == 0) found = HomeFolder() + found.substr(5);
    }
    std::fclose(f);
    return found.empty() || found[0] != '/' ? "" : found;
}

}  // namespace

std::string XdgFolder(const std::string& name) {
    auto base = [](const char* variable, const char* fallback) {
        std::string folder = EnvironmentValue(variable);
        return WithSlash(folder.empty() || folder[0] != '/' ? HomeFolder() + fallback : folder);
    };
    if (name == "HOME") return WithSlash(HomeFolder());
    if (name == "DATA") return CommonAppDataFolder();
    if (name == "CONFIG") return base("XDG_CONFIG_HOME", "/.config");
    if (name == "CACHE") return base("XDG_CACHE_HOME", "/.cache");
    static const char* const userDirs[][2] = {
        {"DESKTOP", "Desktop"},   {"DOCUMENTS", "Documents"}, {"MUSIC", "Music"},
        {"PICTURES", "Pictures"}, {"VIDEOS", "Videos"},
    };
    for (const auto& dir : userDirs) {
        if (name != dir[0]) continue;
        std::string folder = UserDirsEntry(XdgFolder("CONFIG"), std::string("XDG_") + dir[0] + "_DIR");
        return WithSlash(folder.empty() ? HomeFolder() + "/" + dir[1] : folder);
    }
    return "";
}

bool OSRelease(TOSRelease& out) {
    out = TOSRelease{};
    utsname name{};
    if (uname(&name) != 0) return false;
    out.name = name.sysname;
    out.release = name.release;
    // Up to three numbers separated by dots; the first other character ends them.
    int* const parts[] = {&out.major, &out.minor, &out.build};
    const char* at = name.release;
    for (int* part : parts) {
        if (*at < '0' || *at > '9') break;
        char* end = nullptr;
        *part = int(std::min(std::strtol(at, &end, 10), long(std::numeric_limits<int>::max())));
        if (*end != '.') break;
        at = end + 1;
    }
    return true;
}

std::string GetOSVersionName() {
    TOSRelease release;
    if (!OSRelease(release)) return "Linux";
    return release.name + " " + release.release;
}

long ProcessMemoryKB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool SystemMemoryStatus(int& loadPercent, int& totalMB, int& usedMB) {
    struct sysinfo info {};
    loadPercent = totalMB = usedMB = 0;
    if (sysinfo(&info) != 0 || info.totalram == 0) return false;
    double unit = double(info.mem_unit) / (1024.0 * 1024.0);
    totalMB = int(double(info.totalram) * unit);
    usedMB = int(double(info.totalram - info.freeram) * unit);
    loadPercent = int(100.0 * double(info.totalram - info.freeram) / double(info.totalram));
    return true;
}

bool SystemMemory(TSystemMemory& out) {
    out = TSystemMemory{};
    struct sysinfo info {};
    if (sysinfo(&info) != 0 || info.totalram == 0) return false;
    uint64_t unit = info.mem_unit;
    out.totalPhys = uint64_t(info.totalram) * unit;
    out.availPhys = uint64_t(info.freeram) * unit;
    out.totalSwap = uint64_t(info.totalswap) * unit;
    out.availSwap = uint64_t(info.freeswap) * unit;
    out.loadPercent = int(100 * (out.totalPhys - out.availPhys) / out.totalPhys);
    // The address space: the process's limit, else the 47 bits a user process has on x86-64.
    rlimit limit{};
    out.totalVirtual = uint64_t(1) << 47;
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        out.totalVirtual = limit.rlim_cur;
    uint64_t mapped = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        unsigned long pages = 0;
        if (std::fscanf(f, "%lu", &pages) == 1) mapped = uint64_t(pages) * uint64_t(sysconf(_SC_PAGESIZE));
        std::fclose(f);
    }
    out.availVirtual = out.totalVirtual > mapped ? out.totalVirtual - mapped : 0;
    return true;
}

void DebugStop() {
    // Without a tracer SIGTRAP would end the process, so only a traced process is stopped.
    bool traced = false;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "TracerPid:", 10) == 0) traced = std::atoi(line + 10) != 0;
        std::fclose(f);
    }
    if (traced) std::raise(SIGTRAP);
}

void OpenURL(const std::string& url) {
    // A headless session has no browser to show the page in.
    if (HeadlessVideo()) return;
    pid_t child = fork();
    if (child < 0) return;
    if (child == 0) {
        // The grandchild runs the browser; the child ends at once so nothing is left to reap.
        if (fork() == 0) {
            execlp("xdg-open", "xdg-open", url.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    waitpid(child, nullptr, 0);
}

std::string CurrentDate() {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm tm = LocalNow();
    char text[32];
    std::snprintf(text, sizeof text, "%02d %s %d", tm.tm_mday, months[tm.tm_mon % 12], tm.tm_year + 1900);
    return text;
}

std::string CurrentTime() {
    std::tm tm = LocalNow();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

std::string ExecutablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

bool ChangeDirToExecutable() {
    std::string exe = ExecutablePath();
    if (exe.empty()) return false;
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(exe).parent_path(), ec);
    return !ec;
}

void End(int code) {
    if (EndHandler()) EndHandler()(code);
    EndGraphics();
    SDL_Quit();
    // Every file was written and closed before the end was asked for; static destructors of
    // audio and font libraries are skipped so the exit code is always the one given.
    std::fflush(nullptr);
    std::_Exit(code);
}

void SetEndHandler(std::function<void(int)> handler) {
    EndHandler() = std::move(handler);
}
