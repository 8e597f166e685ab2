// Thread priorities read back from the system: the class applies to every thread of the game, the
// thread value to the caller alone, threads a library lowered keep their value, and a raise without
// the right changes nothing. Raising needs root (CI runs as root); those cases say so when skipped.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <mutex>
#include <thread>

#include "platform/Priority.h"

namespace {

pid_t Tid() {
    return pid_t(syscall(SYS_gettid));
}

int NiceOf(pid_t tid) {
    errno = 0;
    int nice = getpriority(PRIO_PROCESS, id_t(tid));
    return errno == 0 ? nice : 1000;
}

// A second thread of the process, optionally at a nice of its own, waiting until destroyed.
class SecondThread {
  public:
    explicit SecondThread(int ownNice = 0) {
        std::promise<pid_t> started;
        std::future<pid_t> tid = started.get_future();
        thread_ = std::thread([this, ownNice, &started] {
            if (ownNice != 0) setpriority(PRIO_PROCESS, 0, ownNice);
            started.set_value(Tid());
            std::unique_lock<std::mutex> lock(mutex_);
            done_.wait(lock, [this] { return stop_; });
        });
        tid_ = tid.get();
    }
    ~SecondThread() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    int Nice() const { return NiceOf(tid_); }

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool stop_ = false;
    pid_t tid_ = 0;
    std::thread thread_;
};

// Runs fn on a thread of its own, so a lowered priority ends with it.
template <class Fn>
void OnOwnThread(Fn fn) {
    std::thread(fn).join();
}

TEST(Priority, TheClassTableTreatsUnknownValuesAsNormal) {
    const struct { int process, nice; } rows[] = {{0, 0}, {1, -5}, {2, -10}, {3, 0}, {-1, 0}, {100, 0}};
    for (const auto& row : rows) EXPECT_EQ(PriorityClassNice(row.process), row.nice) << row.process;
}

TEST(Priority, ALowerThreadValueLowersTheCallerAloneWithinTheRange) {
    const struct { int thread, nice; } rows[] = {{-3, 3}, {-40, 19}, {INT_MIN, 19}};
    const int base = NiceOf(Tid());  // the suite may itself run under nice
    for (const auto& row : rows) {
        SCOPED_TRACE(row.thread);
        SecondThread other;
        int callerNice = 1000;
        OnOwnThread([&] {
            SetPriorityValues(0, row.thread);
            callerNice = NiceOf(Tid());
        });
        EXPECT_EQ(callerNice, row.nice);
        EXPECT_EQ(other.Nice(), base);
        EXPECT_EQ(NiceOf(Tid()), base);
    }
}

class PriorityAsRoot : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "raising a priority needs root (as in CI)";
        SetPriorityValues(0, 0);
    }
    void TearDown() override {
        if (geteuid() == 0) SetPriorityValues(0, 0);
    }
};

TEST_F(PriorityAsRoot, TheClassReachesEveryThreadAndNormalComesBack) {
    SecondThread other;
    const struct {
        int process, thread, main, second;
    } steps[] = {
        {2, 0, -10, -10},     {3, 0, 0, 0},        {2, 0, -10, -10},  {0, 0, 0, 0},
        {1, 0, -5, -5},       {2, 2, -12, -10},    {2, -40, 19, -10}, {0, 0, 0, 0},
        {0, INT_MAX, -20, 0}, {0, INT_MIN, 19, 0}, {0, 0, 0, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.process << "," << step.thread);
        SetPriorityValues(step.process, step.thread);
        EXPECT_EQ(NiceOf(Tid()), step.main);
        EXPECT_EQ(other.Nice(), step.second);
    }
}

TEST_F(PriorityAsRoot, AThreadALibraryLoweredKeepsItsValue) {
    SecondThread background(19);
    SecondThread ours;
    for (int process : {2, 0, 1, 0}) {
        SetPriorityValues(process, 0);
        EXPECT_EQ(background.Nice(), 19) << process;
        EXPECT_EQ(ours.Nice(), PriorityClassNice(process)) << process;
    }
}

TEST(Priority, WithoutTheRightNothingIsThrownAndNothingChanges) {
    pid_t pid = fork();
    if (pid == 0) {
        // Root drops to nobody; no session or system bus, so no RealtimeKit answers for the raise.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
        setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus", 1);
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session_bus", 1);
        const int before = NiceOf(Tid());
        try {
            SetPriorityValues(2, 0);
            if (NiceOf(Tid()) != before) _exit(11);
            SetPriorityValues(0, 5);
            if (NiceOf(Tid()) != before) _exit(12);
        } catch (...) {
            _exit(13);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
