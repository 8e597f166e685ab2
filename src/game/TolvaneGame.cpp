// The game's logic call.
#include "game/TolvaneGame.h"

#include "core/ChannelArray.h"
#include "core/MusicStream.h"
#include "game/QDMouse.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "presentation/GameFade.h"
#include "presentation/MousePointer.h"

namespace {

// How long after start-up the logic keeps running while paused or suspended.
constexpr int StartUpGraceMs = 5000;

}  // namespace

TTolvaneGame::TTolvaneGame() {
    GameFileNames = {"config.ini", "hs4x4.dat", "hs6x6.dat", "hs9x9.dat", "hs12x12.dat", "hs16x16.dat"};
}

int TTolvaneGame::LogicWrapper() {
    Mouse->ClearMouseHit();
    Mouse->Manage();
    DoPeekEvent();
    ReadKeys();
    CheckCommandQForMac();
    if (InstantExit) return -1;
    if ((Paused || Suspended) && MilliSecs() - GameStartTime > StartUpGraceMs) return 0;
    GameFade->Manage();
    if (Fading() && !GameFade->AllowAnim) return 1;
    ScreenChange();
    QDMouseClicks.UpdateMouseClicks();
    if (CurrentTScreen) CurrentTScreen->Logic();
    if (Fade == 0) ScreenChange();
    return 1;
}

int TTolvaneGame::CheckCommandQForMac() {
    return 0;
}

int TTolvaneGame::MusicStreamLoad(const std::string& name, int loop) {
    if (Music) {
        MusicStop();
        MusicChannel = TAudioStream::Create(MusicPath + name, loop, true);
    }
    MusicRestart = 1;
    MusicFileName = name;
    return 0;
}

int TTolvaneGame::MusicStreamPlay() {
    if (!Music) {
        MusicRestart = 1;
    } else if (MusicChannel) {
        MusicChannel->SetVolume(float(MusicVolume) / 100.0f);
        MusicChannel->Resume();
        MusicRestart = 0;
        MusicStopped = 0;
    }
    MusicName = MusicFileName;
    return 0;
}

int TTolvaneGame::MusicStreamStop() {
    if (Music && MusicChannel) {
        MusicChannel->Stop();
        MusicChannel = AllocChannel();
    }
    MusicRestart = 1;
    return 0;
}

int TTolvaneGame::SoundStop() {
    if (!Channels) return 0;
    for (auto& item : Channels->Items) {
        if (!item) continue;
        if (item->Channel) item->Channel->Stop();
        item->Channel = AllocChannel();
    }
    return 0;
}
