// The real program, headless, in throw-away folders: a full run closed by the system, and a second
// copy that must leave at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "core/GameText.h"
#include "platform/System.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

fs::path Executable() {
    return testenv::BinDir() / "SudokuNumora";
}

// Starts the program with its own data and runtime folders; its output goes to a log file. Without a
// display, no X or Wayland display and no video driver is named.
pid_t Launch(const fs::path& dataHome, const fs::path& runtimeDir, const fs::path& log,
             const fs::path& program = Executable(), bool display = true) {
    pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (!display)
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) unsetenv(name);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
        if (FILE* out = std::fopen(log.c_str(), "w")) {
            dup2(fileno(out), 1);
            dup2(fileno(out), 2);
        }
        execl(program.c_str(), "SudokuNumora", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The program and every data file the runs below read; the build makes them before this test.
bool Built() {
    const fs::path data = testenv::BinDir() / "data";
    return fs::exists(Executable()) && fs::exists(data / "text" / "gametext.txt") &&
           fs::exists(data / "default.ini") && fs::exists(data / "resources" / "data.pak");
}

// Waits for the process to end; -1 when it is still running after the limit (it is then killed).
int WaitForExit(pid_t pid, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
}

bool WaitForFile(const fs::path& path, pid_t pid, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() > end || waitpid(pid, nullptr, WNOHANG) != 0) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST(EndToEnd, AFullRunClosedByTheSystemEndsInOrder) {
    ASSERT_TRUE(Built()) << "the program or its data is not built in " << testenv::BinDir();

    testenv::TempDir home, runtime;
    const fs::path shared = home.Path() / "Tolvane Games" / "Sudoku Numora";
    const fs::path log = home.Path() / "output.txt";
    pid_t pid = Launch(home.Path(), runtime.Path(), log);
    // The settings file is written during start-up, after the close request is being listened for.
    ASSERT_TRUE(WaitForFile(shared / "SudokuNumora.ini", pid, std::chrono::seconds(30)))
        << testenv::ReadFile(log);
    kill(pid, SIGTERM);
    EXPECT_EQ(WaitForExit(pid, std::chrono::seconds(30)), 0) << testenv::ReadFile(log);

    const std::string settings = testenv::ReadFile(shared / "SudokuNumora.ini");
    std::istringstream lines(settings);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r') << "line " << count << " does not end in CR LF";
        std::string key = line.substr(0, line.find('='));
        ASSERT_NE(line.find('='), std::string::npos) << line;
        for (char c : key) EXPECT_FALSE(c >= 'a' && c <= 'z') << key;
    }
    EXPECT_EQ(count, 23) << settings;
    EXPECT_EQ(settings.rfind("VERSION NO=", 0), 0u) << settings;
    EXPECT_NE(settings.find("SUB-REGION=0\r\n"), std::string::npos) << settings;
    EXPECT_TRUE(fs::exists(shared / "goodexit.dat"));
    EXPECT_FALSE(fs::exists(shared / "inichanged.dat"));
    EXPECT_TRUE(fs::is_directory(shared / "profiles"));
    EXPECT_NE(testenv::ReadFile(shared / "config.ini").find("FIRSTRUN=0\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(shared / "ErrorLog.txt")) << testenv::ReadFile(shared / "ErrorLog.txt");
}

// Starts the program, waits for its settings file to be rewritten at start-up, closes it and
// returns its exit code.
int RunOnce(const fs::path& home, const fs::path& runtime, const fs::path& log) {
    pid_t pid = Launch(home, runtime, log);
    const fs::path marker = home / "Tolvane Games" / "Sudoku Numora" / "profiles";
    if (!WaitForFile(marker, pid, std::chrono::seconds(30))) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    kill(pid, SIGTERM);
    return WaitForExit(pid, std::chrono::seconds(30));
}

TEST(EndToEnd, SettingsLeftByACrashAfterAChangeAreRestoredKeepingTheProfileName) {
    ASSERT_TRUE(Built()) << "the program or its data is not built in " << testenv::BinDir();
    testenv::TempDir home, runtime;
    const fs::path shared = home.Path() / "Tolvane Games" / "Sudoku Numora";
    fs::create_directories(shared);
    // The previous run changed its settings and never reached its orderly end.
    testenv::WriteFile(shared / "SudokuNumora.ini",
                       "FULL SCREEN=0\r\nMUSIC VOLUME=7\r\nPROFILE NAME=Ada\r\n");
    testenv::WriteFile(shared / "inichanged.dat", "");
    const fs::path log = home.Path() / "output.txt";
    EXPECT_EQ(RunOnce(home.Path(), runtime.Path(), log), 0) << testenv::ReadFile(log);
    const std::string settings = testenv::ReadFile(shared / "SudokuNumora.ini");
    EXPECT_NE(settings.find("PROFILE NAME=Ada\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("MUSIC VOLUME=50\r\n"), std::string::npos) << settings;
    EXPECT_NE(testenv::ReadFile(log).find("Default ini file restored!"), std::string::npos);
    EXPECT_FALSE(fs::exists(shared / "ErrorLog.txt")) << "a notice is no error";
    EXPECT_FALSE(fs::exists(shared / "inichanged.dat"));
    EXPECT_FALSE(fs::exists(shared / ".ini"));
    EXPECT_FALSE(fs::exists(shared / ".ini.ini"));
}

TEST(EndToEnd, AnUnusableDriverFallsBackAndLeftoversOfAnInterruptedWriteGo) {
    ASSERT_TRUE(Built()) << "the program or its data is not built in " << testenv::BinDir();
    testenv::TempDir home, runtime;
    const fs::path shared = home.Path() / "Tolvane Games" / "Sudoku Numora";
    fs::create_directories(shared);
    testenv::WriteFile(shared / "SudokuNumora.ini", "FULL SCREEN=0\r\nDRIVER=7\r\n");
    testenv::WriteFile(shared / ".config.ini.AbC123", "half");
    testenv::WriteFile(shared / "notes.txt", "mine");
    const fs::path log = home.Path() / "output.txt";
    EXPECT_EQ(RunOnce(home.Path(), runtime.Path(), log), 0) << testenv::ReadFile(log);
    EXPECT_NE(testenv::ReadFile(shared / "SudokuNumora.ini").find("DRIVER=1\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(shared / ".config.ini.AbC123"));
    EXPECT_EQ(testenv::ReadFile(shared / "notes.txt"), "mine");
    EXPECT_FALSE(fs::exists(shared / "ErrorLog.txt")) << testenv::ReadFile(shared / "ErrorLog.txt");
}

TEST(EndToEnd, AMissingArchiveEndsInOrderBeforeAnyOptionsAreWritten) {
    ASSERT_TRUE(Built()) << "the program or its data is not built in " << testenv::BinDir();
    const fs::path data = testenv::BinDir() / "data";
    // A copy of the program beside all of its data but the resource archive, so the start gets as far
    // as the archive's own check.
    testenv::TempDir install, home, runtime;
    fs::copy_file(Executable(), install.Path() / "SudokuNumora");
    fs::copy(data, install.Path() / "data", fs::copy_options::recursive);
    ASSERT_TRUE(fs::remove(install.Path() / "data" / "resources" / "data.pak"));
    const fs::path shared = home.Path() / "Tolvane Games" / "Sudoku Numora";
    fs::create_directories(shared);
    const std::string options =
        "PREVENTDOUBLENUMBERS=0\r\nSHOWTIMER=0\r\nSHOWHIGHLIGHTER=1\r\nFIRSTRUN=0\r\n";
    testenv::WriteFile(shared / "config.ini", options);
    // The archive's message is the installed texts' own.
    TGameText texts;
    texts.Folder = (data / "text").string() + "/";
    texts.Read("gametext.txt");
    const std::string message = texts.FindString("Data Pak Error");
    ASSERT_NE(message, "");

    const fs::path output = install.Path() / "output.txt";
    pid_t pid = Launch(home.Path(), runtime.Path(), output, install.Path() / "SudokuNumora");
    // A failed start is no success to a launcher or a script.
    EXPECT_EQ(WaitForExit(pid, std::chrono::seconds(30)), 1) << testenv::ReadFile(output);
    EXPECT_TRUE(fs::exists(shared / "goodexit.dat"));
    EXPECT_EQ(testenv::ReadFile(shared / "config.ini"), options);
    const std::string log = testenv::ReadFile(shared / "ErrorLog.txt");
    EXPECT_EQ(log.rfind("Date: ", 0), 0u) << log;
    EXPECT_NE(log.find("\r\n(9) " + message + "\r\n"), std::string::npos) << log;
    // Shown plain first, then with the checkpoint, and nothing else went wrong on the way.
    EXPECT_EQ(testenv::ReadFile(output),
              "Sudoku Numora: " + message + "\nSudoku Numora: (9) " + message + "\n");
}

TEST(EndToEnd, ASecondCopyLeavesAtOnceAndWritesNothingEvenWithAnotherRuntimeFolder) {
    ASSERT_TRUE(fs::exists(Executable())) << "the program is not built: " << Executable();
    testenv::TempDir home, runtime, otherRuntime, logDir;
    const fs::path shared = home.Path() / "Tolvane Games" / "Sudoku Numora";
    fs::create_directories(shared);
    // The first copy is stood in for by a process that holds the same locks.
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t holder = fork();
    if (holder == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        char c = SingleInstanceLock("Sudoku Numora", shared.string()) ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    testenv::WriteFile(shared / "inichanged.dat", "");  // what a running copy's settings change leaves
    const auto before = fs::last_write_time(shared / "inichanged.dat");

    for (const fs::path& runtimeDir : {runtime.Path(), otherRuntime.Path()}) {
        SCOPED_TRACE(runtimeDir.string());
        pid_t pid = Launch(home.Path(), runtimeDir, logDir.Path() / "output.txt");
        EXPECT_EQ(WaitForExit(pid, std::chrono::seconds(30)), 0);
        EXPECT_EQ(testenv::ReadFile(logDir.Path() / "output.txt"), "");
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(shared)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Sudoku Numora.lock", "inichanged.dat"}));
        EXPECT_EQ(fs::last_write_time(shared / "inichanged.dat"), before);
    }

    (void)!write(release[1], "x", 1);
    waitpid(holder, nullptr, 0);
}

// Without a display the game must not run unseen on a screenless driver: it says which display is
// missing and ends in order with status 1.
TEST(EndToEnd, WithoutADisplayItSaysSoAndEndsWithStatusOne) {
    ASSERT_TRUE(fs::exists(Executable())) << "the program is not built: " << Executable();
    testenv::TempDir home, runtime;
    const fs::path log = home.Path() / "output.txt";
    pid_t pid = Launch(home.Path(), runtime.Path(), log, Executable(), false);
    EXPECT_EQ(WaitForExit(pid, std::chrono::seconds(30)), 1);
    const std::string output = testenv::ReadFile(log);
    EXPECT_NE(output.find("No display"), std::string::npos) << output;
    EXPECT_NE(output.find("DISPLAY"), std::string::npos) << output;
    EXPECT_NE(output.find("WAYLAND_DISPLAY"), std::string::npos) << output;
    const fs::path shared = home.Path() / "Tolvane Games" / "Sudoku Numora";
    EXPECT_NE(testenv::ReadFile(shared / "ErrorLog.txt").find("No display"), std::string::npos);
}

}  // namespace
