// TKeyRepeat: the held-key countdowns, in logic ticks.
#include "presentation/KeyRepeat.h"

#include "core/Game.h"
#include "core/Input.h"

void THeldRepeat::ClearDelays() {
    InitialDelayCounter = 0;
    DelayCounter = 0;
}

int THeldRepeat::Step(bool held, int repeatResult) {
    if (!held) {
        ClearDelays();
        LastState = 0;
        return 0;
    }
    int result = 0;
    if (LastState == 0) {
        InitialDelayCounter = Game->CalcAnimLength(InitialDelayLength);
        result = 1;
    } else if (InitialDelayCounter > 0) {
        InitialDelayCounter -= Delta;
        if (InitialDelayCounter <= 0) {
            InitialDelayCounter = 0;
            DelayCounter = int(Game->CalcAnimLength(DelayLength));
            result = repeatResult;
        }
    } else if (DelayCounter > 0) {
        DelayCounter = int(float(DelayCounter) - Delta);
        if (DelayCounter <= 0) {
            DelayCounter = int(Game->CalcAnimLength(DelayLength));
            result = repeatResult;
        }
    }
    LastState = 1;
    return result;
}

std::unique_ptr<TKeyRepeat> TKeyRepeat::Create(int initialDelayMs, int repeatDelayMs) {
    auto repeat = std::make_unique<TKeyRepeat>();
    repeat->InitialDelayLength = initialDelayMs;
    repeat->DelayLength = repeatDelayMs;
    return repeat;
}

int TKeyRepeat::GetKey(int key) {
    return Step(GameKeyDown(key) != 0, 1);
}
