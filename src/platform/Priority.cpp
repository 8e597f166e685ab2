// Thread priorities as Linux nice values; see Priority.h for the rules.
#include "platform/Priority.h"

#include <SDL.h>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

// The values this module set last: the class's nice for the game's threads and the calling thread's
// own. Threads made since then inherited one of them from their maker.
int lastClassNice = 0;
int lastThreadNice = 0;

// The nice of a thread; false when it has ended or cannot be read.
bool ThreadNice(pid_t tid, int& nice) {
    errno = 0;
    nice = getpriority(PRIO_PROCESS, id_t(tid));
    return errno == 0;
}

}  // namespace

int PriorityClassNice(int process) {
    switch (process) {
        case 1:
            return -5;
        case 2:
            return -10;
        default:
            return 0;
    }
}

void SetPriorityValues(int process, int thread) {
    const int classNice = PriorityClassNice(process);
    // A thread value read from the settings may be any int. Beyond the width of the nice range it
    // changes nothing, so it is cut there first and the difference cannot overflow.
    constexpr int niceSpan = 19 - (-20);
    const int ownNice = std::clamp(classNice - std::clamp(thread, -niceSpan, niceSpan), -20, 19);
    const pid_t self = pid_t(syscall(SYS_gettid));
    const int low = std::min({0, lastClassNice, lastThreadNice});
    const int high = std::max({0, lastClassNice, lastThreadNice});
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(tasks)) {
            char* end = nullptr;
            long tid = std::strtol(entry->d_name, &end, 10);
            int nice = 0;
            if (tid <= 0 || *end != '\0' || pid_t(tid) == self || !ThreadNice(pid_t(tid), nice)) continue;
            // A refusal (a raise without the right) leaves the thread as it was.
            if (nice >= low && nice <= high) setpriority(PRIO_PROCESS, id_t(tid), classNice);
        }
        closedir(tasks);
    }
    // The calling thread through SDL, which asks RealtimeKit where the system refuses a raise.
    SDL_LinuxSetThreadPriority(self, ownNice);
    lastClassNice = classNice;
    lastThreadNice = ownNice;
}
