// The desktop's services against real stand-ins: folder access lists on a temporary folder, video
// memory from Mesa under a private Xvfb, and the wallpaper over a private session bus with a mock
// desktop portal (python3-dbusmock) or a fake gsettings on PATH.
#include <SDL.h>
#include <acl/libacl.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Desktop.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

// ---- Helper processes ----

// A helper program whose standard output the test reads; stopped and reaped on destruction.
class TChild {
  public:
    TChild() = default;
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;
    ~TChild() { Stop(); }

    // Starts argv[0] (an absolute path) with the extra environment; false when it cannot start.
    bool Start(const std::vector<std::string>& argv,
               const std::vector<std::pair<std::string, std::string>>& env = {}) {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
            dup2(fds[1], 1);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 2);
            close(fds[0]);
            std::vector<char*> args;
            for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        close(fds[1]);
        out_ = fds[0];
        return pid_ > 0;
    }

    // The next line of its output without the line end; nullopt at its end or after 30 s of silence.
    std::optional<std::string> ReadLine() {
        std::string line;
        for (;;) {
            pollfd ready{out_, POLLIN, 0};
            if (poll(&ready, 1, 30000) != 1) return std::nullopt;
            char c = 0;
            if (read(out_, &c, 1) != 1) return std::nullopt;
            if (c == '\n') return line;
            line += c;
        }
    }

    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
        pid_ = out_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// An environment variable set for the life of the object, then put back as it was.
class TEnvSet {
  public:
    TEnvSet(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~TEnvSet() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    TEnvSet(const TEnvSet&) = delete;
    TEnvSet& operator=(const TEnvSet&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// A private X server. NUMORA_TEST_DISPLAY names the one display number it may use; otherwise it takes
// the first free one from :160 on, clear of the numbers people's own sessions use.
bool StartXvfb(TChild& server, std::string& display) {
    int first = 160, last = 199;
    if (const char* fixed = std::getenv("NUMORA_TEST_DISPLAY")) first = last = std::atoi(fixed);
    for (int number = first; number <= last; ++number) {
        std::string name = ":";
        name += std::to_string(number);
        // -displayfd writes the number once the server takes connections; a display in use ends it.
        if (!server.Start(
                {"/usr/bin/Xvfb", name, "-screen", "0", "640x480x24", "-nolisten", "tcp", "-displayfd", "1"}))
            return false;
        if (server.ReadLine() == std::to_string(number)) {
            display = name;
            return true;
        }
        server.Stop();
    }
    return false;
}

// ---- Folder access ----

bool EveryEntryIsOpen(acl_t acl) {
    if (!acl || acl_entries(acl) == 0) return false;
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_permset_t permissions;
        acl_get_permset(entry, &permissions);
        if (acl_get_perm(permissions, ACL_READ) != 1 || acl_get_perm(permissions, ACL_WRITE) != 1 ||
            acl_get_perm(permissions, ACL_EXECUTE) != 1)
            return false;
    }
    return true;
}

bool DefaultListIsOpen(const fs::path& folder) {
    acl_t acl = acl_get_file(folder.c_str(), ACL_TYPE_DEFAULT);
    const bool open = EveryEntryIsOpen(acl);
    if (acl) acl_free(acl);
    return open;
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(FolderAccess, OpensTheFolderAndWhatIsMadeInsideToEveryone) {
    testenv::TempDir dir;
    const fs::path shared = dir.Path() / "Shared";
    ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);
    ASSERT_TRUE(GrantFolderAccess(shared.string()));
    EXPECT_EQ(ModeOf(shared), 0777u);
    EXPECT_TRUE(DefaultListIsOpen(shared));

    // What is made inside inherits the list: the creator's mask no longer narrows it.
    const mode_t oldMask = umask(022);
    const int file = open((shared / "settings.ini").c_str(), O_CREAT | O_WRONLY, 0666);
    const int made = mkdir((shared / "profiles").c_str(), 0777);
    umask(oldMask);
    ASSERT_GE(file, 0);
    close(file);
    ASSERT_EQ(made, 0);
    EXPECT_EQ(ModeOf(shared / "settings.ini"), 0666u);
    EXPECT_EQ(ModeOf(shared / "profiles"), 0777u);
    EXPECT_TRUE(DefaultListIsOpen(shared / "profiles"));

    // Granting again changes nothing and still succeeds.
    EXPECT_TRUE(GrantFolderAccess(shared.string()));
    EXPECT_EQ(ModeOf(shared), 0777u);
}

TEST(FolderAccess, AMissingFolderOrAFileIsRefused) {
    testenv::TempDir dir;
    testenv::WriteFile(dir.Path() / "file", "x");
    chmod((dir.Path() / "file").c_str(), 0600);
    EXPECT_FALSE(GrantFolderAccess((dir.Path() / "missing").string()));
    EXPECT_FALSE(GrantFolderAccess((dir.Path() / "file").string()));
    EXPECT_EQ(ModeOf(dir.Path() / "file"), 0600u);
}

// ---- Video memory ----

TEST(VideoMemory, MesaUnderXvfbReportsTheTotal) {
    TChild server;
    std::string display;
    ASSERT_TRUE(StartXvfb(server, display)) << "no Xvfb could start on a free display (package xvfb)";
    TEnvSet displayVariable("DISPLAY", display);
    TEnvSet driver("SDL_VIDEODRIVER", "x11");

    int total = -1, free = -1;
    GetVideoMemory(total, free);
    EXPECT_GT(total, 0);
    EXPECT_EQ(free, 0);                         // Mesa's software renderer has neither free-memory extension
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));  // what it opened for the question it closed

    // The caller's own context is the one asked, and it stays current.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 8, 8, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    ASSERT_NE(context, nullptr) << SDL_GetError();
    int again = -1, freeAgain = -1;
    GetVideoMemory(again, freeAgain);
    EXPECT_EQ(again, total);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), context);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(VideoMemory, AScreenlessDriverAnswersNothing) {
    TEnvSet driver("SDL_VIDEODRIVER", "dummy");
    int total = -1, free = -1;
    GetVideoMemory(total, free);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(free, 0);
}

// ---- Wallpaper ----

TEST(Wallpaper, FileAddressesEscapeAllButUnreservedBytes) {
    const struct {
        const char* path;
        const char* uri;
    } rows[] = {
        {"/home/ann/Pictures/sky.png", "file:///home/ann/Pictures/sky.png"},
        {"/home/ann/my wall_1~.png", "file:///home/ann/my%20wall_1~.png"},
        {"/tmp/\xC3\xA9t\xC3\xA9.jpg", "file:///tmp/%C3%A9t%C3%A9.jpg"},
        {"/tmp/a#b%c?d&e.png", "file:///tmp/a%23b%25c%3Fd%26e.png"},
    };
    for (const auto& row : rows) EXPECT_EQ(FileUri(row.path), row.uri) << row.path;
}

// A private session bus in its own folder, with the picture, a folder for fake programs, and the
// process's bus address, PATH and runtime folder pointed at them for the test's length.
class WallpaperTest : public ::testing::Test {
  protected:
    testenv::TempDir dir;
    TChild bus, portal;
    std::string busAddress;
    const std::string picture = dir.Str() + "./my wall.png";
    const std::string expectedUri = FileUri(dir.Str() + "my wall.png");
    const fs::path portalLog = dir.Path() / "portal.log";
    const fs::path gsettingsLog = dir.Path() / "gsettings.log";
    TEnvSet path{"PATH", dir.Str() + "bin"};
    TEnvSet runtime{"XDG_RUNTIME_DIR", dir.Str()};
    std::optional<TEnvSet> address;

    void SetUp() override {
        testenv::WriteFile(dir.Path() / "my wall.png", "picture");
        fs::create_directories(dir.Path() / "bin");
        // A bus of its own configuration: nothing installed on the machine is started on demand.
        testenv::WriteFile(dir.Path() / "bus.conf",
                           "<busconfig><type>session</type><listen>unix:tmpdir=" + dir.Path().string() +
                               "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
                               "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
        ASSERT_TRUE(bus.Start({"/usr/bin/dbus-daemon", "--config-file=" + (dir.Path() / "bus.conf").string(),
                               "--nofork", "--print-address=1"}));
        busAddress = bus.ReadLine().value_or("");
        ASSERT_FALSE(busAddress.empty()) << "no session bus could start (package dbus-daemon)";
        address.emplace("DBUS_SESSION_BUS_ADDRESS", busAddress);
    }

    // The mock portal on the bus, answering each request with the response.
    void StartPortal(int response) {
        const std::string parameters =
            "{\"log\": \"" + portalLog.string() + "\", \"response\": " + std::to_string(response) + "}";
        const std::string mock =
            (testenv::SourceDir() / "tests" / "platform" / "PortalWallpaperMock.py").string();
        ASSERT_TRUE(portal.Start(
            {"/usr/bin/python3", "-m", "dbusmock", "--session", "--template", mock, "-p", parameters},
            {{"DBUS_SESSION_BUS_ADDRESS", busAddress}}));
        ASSERT_EQ(portal.ReadLine(), "ready") << "the mock portal did not start (package python3-dbusmock)";
    }

    // A gsettings on PATH that notes its arguments and ends with the status.
    void FakeGSettings(int status) {
        const fs::path program = dir.Path() / "bin" / "gsettings";
        testenv::WriteFile(program, "#!/bin/sh\necho \"$*\" >> '" + gsettingsLog.string() + "'\nexit " +
                                        std::to_string(status) + "\n");
        fs::permissions(program, fs::perms::owner_all);
    }
};

TEST_F(WallpaperTest, ThePortalGetsTheFileAddressAndItsAnswerCounts) {
    FakeGSettings(0);
    const struct {
        int response;
        bool set;
    } rows[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.response);
        fs::remove(portalLog);
        StartPortal(row.response);
        EXPECT_EQ(SetDesktopWallpaper(picture), row.set);
        EXPECT_EQ(testenv::ReadFile(portalLog), expectedUri + "\n");
        portal.Stop();
    }
    // The portal answered every time: a refusal is not overruled through GSettings.
    EXPECT_FALSE(fs::exists(gsettingsLog));
}

TEST_F(WallpaperTest, AMissingPictureAsksNoDesktop) {
    FakeGSettings(0);
    StartPortal(0);
    EXPECT_FALSE(SetDesktopWallpaper(dir.Str() + "no such picture.png"));
    EXPECT_FALSE(SetDesktopWallpaper(dir.Str()));
    EXPECT_FALSE(fs::exists(portalLog));
    EXPECT_FALSE(fs::exists(gsettingsLog));
}

TEST_F(WallpaperTest, WithoutAPortalGSettingsStoresIt) {
    const struct {
        int status;
        bool set;
    } rows[] = {{0, true}, {1, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.status);
        fs::remove(gsettingsLog);
        FakeGSettings(row.status);
        EXPECT_EQ(SetDesktopWallpaper(picture), row.set);
        const std::string calls = testenv::ReadFile(gsettingsLog);
        EXPECT_EQ(calls.substr(0, calls.find('\n') + 1),
                  "set org.gnome.desktop.background picture-uri " + expectedUri + "\n");
    }
}

TEST_F(WallpaperTest, WithoutABusOrAnyDesktopToolNothingIsSet) {
    address.reset();
    TEnvSet noBus("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    EXPECT_FALSE(SetDesktopWallpaper(picture));
    // A bus with no portal and no gsettings is the same.
    TEnvSet busAgain("DBUS_SESSION_BUS_ADDRESS", busAddress);
    EXPECT_FALSE(SetDesktopWallpaper(picture));
}

}  // namespace
