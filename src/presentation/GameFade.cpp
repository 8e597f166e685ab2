// The screen fade: timing by logic ticks, abort by input, channel volumes and the black overlay.
#include "presentation/GameFade.h"

#include <algorithm>

#include "core/ChannelArray.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/Input.h"
#include "platform/Audio.h"
#include "platform/Draw.h"
#include "platform/Window.h"
#include "presentation/MousePointer.h"

int TGameFade::Init(float ms, int out, std::shared_ptr<TChannel> music, int allowAnim, int startCounter,
                    TGameChannel* sound) {
    if (Active == 1) return 0;
    Length = int(Game->CalcAnimLength(int(ms)));
    Counter = float(startCounter);
    Active = 1;
    Out = out;
    FlushInput();
    Done = 0;
    Channel = std::move(music);
    Channel2 = sound;
    AllowAnim = allowAnim;
    FadeInAborted = 0;
    FadeCounterBeforeAbort = 0;
    SetToFullOnAbort = 1;
    AbortKey = -1;
    if (out != 0) Game->FadeMusic = 1;
    Ratio = out != 0 ? 1.0f : 0.0f;
    if (startCounter > 0) CalcRatio();
    if (Game->Fade == 0 || Game->NoFade == 1) Finish();
    return 1;
}

int TGameFade::Finish() {
    Active = 0;
    Done = 1;
    if (Out != 0) {
        Ratio = 0;
    } else {
        if (SetToFullOnAbort == 1) Ratio = 1;
        if (FadeInAborted == 1) FadeCounterBeforeAbort = Counter;
    }
    FadeChannels();
    if (Out != 0) {
        if (Channel2 != nullptr) {
            if (Game->Channels) {
                Game->Channels->StopGameChannel(Channel2);
            } else if (Channel2->Channel) {
                StopChannel(Channel2->Channel.get());
            }
        }
        Game->SpeechStop();
        if (Game->Fade != 0 && Game->NoFade == 0) {
            SetClsColor(0, 0, 0);
            Cls();
            if (Game->FadeMouse == 0 && Game->Mouse) Game->Mouse->Draw();
            Flip(1);
        }
    }
    if (Game->CurrentTScreen != nullptr) {
        if (Out != 0) {
            Game->CurrentTScreen->PostFadeOut();
        } else {
            Game->CurrentTScreen->PostFadeIn();
        }
    }
    Game->NoFade = 0;
    FlushInput();
    return 0;
}

int TGameFade::Manage() {
    if (Active == 0) return 0;
    int key = GameFirstKeyHit();
    int mouse = Game->Mouse ? Game->Mouse->GetMh(1) : 0;
    if (mouse != 0 || key != -1) {
        if (Out == 0) {
            FadeInAborted = 1;
            AbortKey = key;
        }
        Finish();
        return -1;
    }
    Counter += Delta;
    CalcRatio();
    FadeChannels();
    if (!(Counter < float(Length))) {
        Finish();
        return 1;
    }
    return 0;
}

// A fade of no length has already run its course.
int TGameFade::CalcRatio() {
    Ratio = Length > 0 ? std::clamp(Counter / float(Length), 0.0f, 1.0f) : 1.0f;
    if (Out != 0) Ratio = 1.0f - Ratio;
    return 0;
}

int TGameFade::FadeChannels() {
    if (Channel) SetChannelVolume(Channel.get(), Ratio * float(Game->GetMusicVolume()) / 100.0f);
    if (Channel2 != nullptr && Channel2->Channel)
        SetChannelVolume(Channel2->Channel.get(), Ratio * float(Game->SoundVolume) / 100.0f);
    if (Game->SpeechChannel)
        SetChannelVolume(Game->SpeechChannel.get(), Ratio * float(Game->SpeechVolume) / 100.0f);
    return 0;
}

int TGameFade::Draw() {
    if (Active == 0) return 0;
    SetBlend(ALPHABLEND);
    SetAlpha(1.0f - Ratio);
    SetColor(0, 0, 0);
    DrawRect(0, 0, float(ScreenWidth), float(ScreenHeight));
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
    return 0;
}

int TGameFade::GetDone() {
    if (Done != 1) return 0;
    Done = 0;
    return 1;
}
