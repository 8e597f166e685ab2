// The on/off flasher.
#include "presentation/Flasher.h"

#include "core/ChannelArray.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/SoundBank.h"

std::unique_ptr<TFlasher> TFlasher::Create(int totalMs, int onMs, int offMs, int delayMs) {
    auto flasher = std::make_unique<TFlasher>();
    flasher->AnimCounter = Game->CalcAnimLength(totalMs);
    flasher->OnLength = int(Game->CalcAnimLength(onMs));
    flasher->OffLength = int(Game->CalcAnimLength(offMs));
    flasher->FlashCounter = float(flasher->OnLength);
    flasher->DelayEnd = int(flasher->AnimCounter - Game->CalcAnimLength(delayMs));
    return flasher;
}

int TFlasher::Manage() {
    if (AnimCounter <= 0) return 1;
    AnimCounter -= Delta;
    if (AnimCounter < 0) AnimCounter = 0;
    // The last tick of the flashing still takes its step: a state due to change on it does.
    if (AnimCounter <= float(DelayEnd)) {
        FlashCounter -= Delta;
        if (FlashCounter < 0) {
            if (FlashState) {
                FlashState = 0;
                FlashCounter = float(OffLength);
            } else {
                FlashState = 1;
                FlashCounter = float(OnLength);
                PlayFlashSound();
            }
        }
    }
    return AnimCounter <= 0 ? 1 : 0;
}

void TFlasher::PlayFlashSound() {
    if (FlashSound && Game && Game->Channels) Game->Channels->PlayGameSound(*FlashSound, nullptr, 1.0f, 0.0f);
}

void TFlasher::SetToOff() {
    FlashState = 0;
    FlashCounter = float(OffLength);
}
