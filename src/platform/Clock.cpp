// Steady millisecond clock; the injectable source keeps tests independent of real time.
#include "platform/Clock.h"

#include <chrono>
#include <thread>
#include <utility>

namespace {

std::function<int()>& Source() {
    static std::function<int()> source;
    return source;
}

std::function<void(int)>& Sleeper() {
    static std::function<void(int)> sleeper;
    return sleeper;
}

const std::chrono::steady_clock::time_point& Epoch() {
    static const auto epoch = std::chrono::steady_clock::now();
    return epoch;
}

}  // namespace

int MilliSecs() {
    if (Source()) return Source()();
    auto elapsed = std::chrono::steady_clock::now() - Epoch();
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void Delay(int ms) {
    if (Sleeper()) {
        Sleeper()(ms);
        return;
    }
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SetClockSource(std::function<int()> now) {
    Source() = std::move(now);
}

void SetDelayHandler(std::function<void(int)> sleep) {
    Sleeper() = std::move(sleep);
}

bool DelayHandlerSet() {
    return bool(Sleeper());
}
