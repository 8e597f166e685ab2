// TAnimation: phases, passes, ping-pong and the ratio and frame readers.
#include "presentation/Animation.h"

#include <algorithm>
#include <cmath>

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/MathUtils.h"
#include "presentation/SineCounter.h"

int TAnimation::AddPhase(int ms) {
    if (TotalPhases >= MAX_PHASES) return -1;
    Length[size_t(TotalPhases)] = Game->CalcAnimLength(ms);
    ++TotalPhases;
    return 0;
}

std::shared_ptr<TAnimation> TAnimation::Create(int ms, int leaveActive, int reverse, int cycle,
                                               int pingPong) {
    auto animation = std::make_shared<TAnimation>();
    animation->Init(ms, leaveActive, reverse, cycle, pingPong);
    return animation;
}

int TAnimation::Clear() {
    Active = 0;
    LoopTotal = 0;
    Counter = 0.0f;
    CurrentPhase = 0;
    Finished = 0;
    TotalPhases = 1;
    Cycle = 0;
    Direction = 1;
    LeaveActive = 0;
    PingPong = 0;
    Reverse = 0;
    OriginalReverse = 0;
    LoopCount = 0;
    return 0;
}

float TAnimation::PhaseLength() const {
    return Length[size_t(std::clamp(CurrentPhase, 0, MAX_PHASES - 1))];
}

int TAnimation::EndAnim() {
    CurrentPhase += Direction == 1 ? 1 : -1;
    bool passEnded =
        (Direction == 1 && CurrentPhase >= TotalPhases) || (Direction == 0 && CurrentPhase <= -1);
    if (passEnded) {
        ++LoopCount;
        // Once the pass limit is reached it stays reached: a held animation that keeps ending its last
        // pass counts past the limit and must not start cycling again.
        bool goOn = Cycle == 1 && !(LoopTotal > 0 && LoopCount >= LoopTotal);
        if (goOn) {
            if (PingPong == 1) {
                if (Direction == 1) {
                    Counter = 0 - Counter;
                    Reverse = 1;
                    Direction = 0;
                    CurrentPhase = TotalPhases - 1;
                } else {
                    Counter = Length[0] - (Counter - Length[0]);
                    Reverse = 0;
                    Direction = 1;
                    CurrentPhase = 0;
                }
                return 0;
            }
            CurrentPhase = 0;
        } else {
            Finished = 1;
            if (LeaveActive == 1) {
                CurrentPhase = TotalPhases - 1;
                Counter = Reverse == 0 ? 0.0f : PhaseLength();
                return 1;
            }
            Counter = 0;
            CurrentPhase = 0;
            Active = 0;
            return 1;
        }
    }
    Counter = Reverse == 0 ? PhaseLength() : 0.0f;
    return 0;
}

int TAnimation::GetAnimFrame(int frames) const {
    if (frames <= 0) return 0;
    int n = int(PhaseLength());
    if (n <= 0) return frames - 1;
    float t = Counter / float(n);
    float position = Reverse == 1 ? t : 1.0f - t;
    int frame = int(std::floor(position * float(frames)));
    return std::clamp(frame, 0, frames - 1);
}

int TAnimation::GetAnimFrameProper(int frames) const {
    int frame = GetAnimFrame(frames);
    return Reverse == 1 ? std::max(0, frames - 1 - frame) : frame;
}

float TAnimation::GetRatio() const {
    float length = PhaseLength();
    if (length <= 0) return Reverse == 0 ? 0.0f : 1.0f;
    return Counter / length;
}

float TAnimation::GetRatioSine() const {
    return SinDeg(GetRatio() * 90.0f);
}
float TAnimation::GetRatioSine180() const {
    return SineEase(GetRatio());
}
float TAnimation::GetRatioInv() const {
    return 1.0f - GetRatio();
}
float TAnimation::GetRatioInvSine() const {
    return SinDeg((1.0f - GetRatio()) * 90.0f);
}
float TAnimation::GetRatioInvSine180() const {
    return SineEase(GetRatioInv());
}

int TAnimation::Init(int ms, int leaveActive, int reverse, int cycle, int pingPong) {
    Length[0] = Game->CalcAnimLength(ms);
    CurrentPhase = 0;
    Finished = 0;
    TotalPhases = 1;
    Direction = 1;
    LoopCount = 0;
    Cycle = cycle;
    LeaveActive = leaveActive;
    PingPong = pingPong;
    Reverse = reverse;
    OriginalReverse = reverse;
    return 0;
}

int TAnimation::InsertPhase(int ms, int index) {
    if (TotalPhases >= MAX_PHASES) return -1;
    index = std::clamp(index, 0, TotalPhases);
    for (int i = TotalPhases; i > index; --i) Length[size_t(i)] = Length[size_t(i - 1)];
    Length[size_t(index)] = Game->CalcAnimLength(ms);
    ++TotalPhases;
    return 0;
}

int TAnimation::Manage() {
    if (Active == 0) return 0;
    if (Reverse == 0) {
        Counter -= Delta;
        if (!(Counter > 0)) {
            EndAnim();
            return 1;
        }
    } else {
        Counter += Delta;
        if (Counter > PhaseLength()) {
            EndAnim();
            return 1;
        }
    }
    return 0;
}

int TAnimation::Reset() {
    Counter = 0;
    return Start();
}

int TAnimation::Start() {
    if (PingPong == 1) Reverse = OriginalReverse;
    if (Reverse == 0) {
        if (!(Counter > 0)) Counter = Length[0];
    } else {
        Counter = 0;
    }
    Active = 1;
    CurrentPhase = 0;
    Finished = 0;
    Direction = 1;
    LoopCount = 0;
    return 0;
}

int TAnimation::Stop() {
    CurrentPhase = Direction == 1 ? TotalPhases - 1 : 0;
    return EndAnim();
}
