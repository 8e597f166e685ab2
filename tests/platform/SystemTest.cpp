// System services: single instance, data folder, notice wrapping.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/System.h"
#include "support/TestEnv.h"

namespace {

// Runs fn in a child process and returns its exit code.
template <class Fn>
int InChild(Fn fn) {
    pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A first copy: a child that runs take(), tells whether it got the lock ('y' or 'n') in answer, and holds
// what it took until Release().
struct FirstCopy {
    int toChild[2] = {-1, -1}, fromChild[2] = {-1, -1};
    pid_t pid = -1;
    char answer = 0;

    template <class Fn>
    void Start(Fn take) {
        ASSERT_EQ(pipe(toChild), 0);
        ASSERT_EQ(pipe(fromChild), 0);
        pid = fork();
        if (pid == 0) {
            char c = take() ? 'y' : 'n';
            (void)!write(fromChild[1], &c, 1);
            (void)!read(toChild[0], &c, 1);
            _exit(0);
        }
        ASSERT_EQ(read(fromChild[0], &answer, 1), 1);
    }
    void Release() {
        (void)!write(toChild[1], "x", 1);
        waitpid(pid, nullptr, 0);
    }
};

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
    // The first copy is a child that takes the lock and waits for our word before ending.
    FirstCopy first;
    ASSERT_NO_FATAL_FAILURE(first.Start([] { return SingleInstanceLock("Numora Test"); }));
    EXPECT_EQ(first.answer, 'y');
    EXPECT_EQ(InChild([] { return SingleInstanceLock("Numora Test") ? 1 : 0; }), 0);
    EXPECT_EQ(InChild([] { return SingleInstanceLock("Other Game") ? 1 : 0; }), 1);
    first.Release();
    EXPECT_EQ(InChild([] { return SingleInstanceLock("Numora Test") ? 1 : 0; }), 1);
}

TEST(SingleInstance, ALockInThePlayerFolderStopsACopyWithAnotherRuntimeFolder) {
    testenv::TempDir runtimeA, runtimeB, player;
    const std::string folder = player.Str() + "Tolvane/Numora";
    FirstCopy first;
    ASSERT_NO_FATAL_FAILURE(first.Start([&] {
        setenv("XDG_RUNTIME_DIR", runtimeA.Str().c_str(), 1);
        // A first start finds no player folder: the lock leaves it for the start-up to make, and a
        // second call once it exists takes the folder's lock.
        if (!SingleInstanceLock("Numora Player", folder) || std::filesystem::exists(folder)) return false;
        std::filesystem::create_directories(folder);
        return SingleInstanceLock("Numora Player", folder);
    }));
    EXPECT_EQ(first.answer, 'y');
    auto second = [&] {
        return InChild([&] {
            setenv("XDG_RUNTIME_DIR", runtimeB.Str().c_str(), 1);
            return SingleInstanceLock("Numora Player", folder) ? 1 : 0;
        });
    };
    EXPECT_EQ(second(), 0);
    first.Release();
    EXPECT_EQ(second(), 1);
}

TEST(SingleInstance, FallsBackToTheTempFolderWithTheUserId) {
    EXPECT_EQ(InChild([] {
                  unsetenv("XDG_RUNTIME_DIR");
                  return SingleInstanceLock("Numora Fallback") ? 0 : 1;
              }),
              0);
}

TEST(DataFolder, FollowsXdgDataHome) {
    EXPECT_EQ(CommonAppDataFolder(), std::string(std::getenv("XDG_DATA_HOME")) + "/");
    EXPECT_EQ(InChild([] {
                  setenv("XDG_DATA_HOME", "relative/path", 1);
                  setenv("HOME", "/home/someone", 1);
                  return CommonAppDataFolder() == "/home/someone/.local/share/" ? 0 : 1;
              }),
              0);
}

}  // namespace

TEST(NoticeText, LongLinesBreakAtBlanksAndAfterSlashesWithinTheWidth) {
    const std::string path = "/home/player/.local/share/Tolvane Games/Sudoku Numora/profiles/Broken.dat";
    const std::string wrapped = WrapNoticeText("The saved game is damaged and cannot be loaded: " + path, 40);
    std::string joined;
    std::istringstream lines(wrapped);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 40u) << wrapped;
        EXPECT_FALSE(line.empty() || line.front() == ' ' || line.back() == ' ') << wrapped;
        joined += line;
    }
    EXPECT_NE(joined.find("profiles/Broken.dat"), std::string::npos) << wrapped;
}

TEST(NoticeText, ShortTextsLineBreaksAndUnbrokenWordsAreKept) {
    EXPECT_EQ(WrapNoticeText("one\ntwo", 80), "one\ntwo");
    EXPECT_EQ(WrapNoticeText("abcdefghij", 4), "abcd\nefgh\nij");
    EXPECT_EQ(WrapNoticeText("\xC3\xA9\xC3\xA9\xC3\xA9", 3), "\xC3\xA9\n\xC3\xA9\n\xC3\xA9");
}
