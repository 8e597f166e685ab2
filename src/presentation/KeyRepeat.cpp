// TKeyRepeat: the held-key countdowns, in logic ticks.
#include "presentation/KeyRepeat.h"

#include "core/Game.h"
#include "core/Input.h"

void TKeyRepeat::ClearDelays() {
    InitialDelayCounter = 0;
    DelayCounter = 0;
}

std::unique_ptr<TKeyRepeat> TKeyRepeat::Create(int initialDelayMs, int repeatDelayMs) {
    auto repeat = std::make_unique<TKeyRepeat>();
    repeat->InitialDelayLength = initialDelayMs;
    repeat->DelayLength = repeatDelayMs;
    return repeat;
}

int TKeyRepeat::GetKey(int key) {
    if (GameKeyDown(key) == 0) {
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
            result = 1;
        }
    } else if (DelayCounter > 0) {
        DelayCounter = int(float(DelayCounter) - Delta);
        if (DelayCounter <= 0) {
            DelayCounter = int(Game->CalcAnimLength(DelayLength));
            result = 1;
        }
    }
    LastState = 1;
    return result;
}
