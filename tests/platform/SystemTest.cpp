// System services: single instance, data folder, dates, the clock seam.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <regex>

#include "support/TestEnv.h"
#include "platform/Clock.h"
#include "platform/System.h"

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

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
    // The first copy is a child that takes the lock and waits for our word before ending.
    int toChild[2], fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    pid_t first = fork();
    if (first == 0) {
        char c = SingleInstanceLock("Numora Test") ? 'y' : 'n';
        (void)!write(fromChild[1], &c, 1);
        (void)!read(toChild[0], &c, 1);
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(fromChild[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y');
    EXPECT_EQ(InChild([] { return SingleInstanceLock("Numora Test") ? 1 : 0; }), 0);
    EXPECT_EQ(InChild([] { return SingleInstanceLock("Other Game") ? 1 : 0; }), 1);
    (void)!write(toChild[1], "x", 1);
    waitpid(first, nullptr, 0);
    EXPECT_EQ(InChild([] { return SingleInstanceLock("Numora Test") ? 1 : 0; }), 1);
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
    EXPECT_EQ(InChild([] {
                  unsetenv("XDG_DATA_HOME");
                  setenv("HOME", "/home/x", 1);
                  return CommonAppDataFolder() == "/home/x/.local/share/" ? 0 : 1;
              }),
              0);
}

TEST(Dates, CLocaleFormats) {
    EXPECT_TRUE(std::regex_match(CurrentDate(), std::regex(R"(\d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4})")))
        << CurrentDate();
    EXPECT_TRUE(std::regex_match(CurrentTime(), std::regex(R"(\d\d:\d\d:\d\d)"))) << CurrentTime();
}

TEST(System, ClockSleeperAndEndCanBeInjected) {
    int now = 1000;
    int slept = 0;
    SetClockSource([&] { return now; });
    SetDelayHandler([&](int ms) { slept += ms; now += ms; });
    EXPECT_EQ(MilliSecs(), 1000);
    Delay(3);
    EXPECT_EQ(slept, 3);
    EXPECT_EQ(MilliSecs(), 1003);
    SetClockSource(nullptr);
    SetDelayHandler(nullptr);
    int a = MilliSecs();
    EXPECT_GE(MilliSecs(), a);
    struct Ended {
        int code;
    };
    SetEndHandler([](int code) { throw Ended{code}; });
    try {
        End(3);
        FAIL();
    } catch (const Ended& e) {
        EXPECT_EQ(e.code, 3);
    }
    SetEndHandler(nullptr);
    // Under a headless driver a notice only reaches standard error, and opening a page does nothing.
    EXPECT_TRUE(HeadlessVideo());
    Notify("a notice");
    OpenURL("https://example.invalid/");
}

}  // namespace
