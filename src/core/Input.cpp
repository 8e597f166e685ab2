// The key buffer, the event handling that fills it, the framework keys, focus and pause.
#include "core/Input.h"

#include <algorithm>

#include "core/FrontEnd.h"
#include "core/Game.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Events.h"
#include "platform/Keys.h"
#include "platform/Priority.h"
#include "platform/System.h"
#include "platform/Window.h"

int KeyHits[KeyBufferSize];
int KeyDowns[KeyBufferSize];
int CharQueue[KeyBufferSize];
int CharQueueHead = 0, CharQueueTail = 0;
int PolledInputOn = 0;

int KeyPause = KEY_A + ('P' - 'A'), KeyVolumeDown = KEY_MINUS, KeyVolumeUp = KEY_EQUALS,
    KeyExit = KEY_A + ('X' - 'A'), KeyFullScreen = KEY_A + ('F' - 'A'), KeyMinimise = KEY_A + ('B' - 'A'),
    KeyMusic = KEY_A + ('M' - 'A'), KeySound = KEY_A + ('S' - 'A'), KeyFast = KEY_A + ('T' - 'A'),
    KeySlowMotion = KEY_A + ('L' - 'A'), KeyScreenshot = KEY_F12, KeyFlipMode = KEY_A + ('I' - 'A'),
    KeyTiming = KEY_A + ('N' - 'A'), KeyVSync = KEY_A + ('V' - 'A'), KeyGraphicsDriver = KEY_A + ('G' - 'A'),
    KeySoundDriver = KEY_A + ('H' - 'A'), KeyDebug = KEY_A + ('D' - 'A');

namespace {

bool ValidKey(int key) {
    return key >= 0 && key < KeyBufferSize;
}

bool ValidButton(int button) {
    return button >= 1 && button <= 3;
}

bool AltHeld() {
    return GameKeyDown(KEY_LALT) != 0 || GameKeyDown(KEY_RALT) != 0;
}

// Enter went down while Alt was held. A quick tap can go down and up between two logic calls, and then
// neither key is held any more when the keys are read.
bool AltEnterPressed = false;

}  // namespace

int GameKeyHit(int key) {
    if (PolledInputOn) return PolledKeyHit(key) ? 1 : 0;
    if (!ValidKey(key) || KeyHits[key] == 0) return 0;
    KeyHits[key] = 0;
    return 1;
}

int GameKeyDown(int key) {
    if (PolledInputOn) return PolledKeyDown(key);
    return ValidKey(key) ? KeyDowns[key] : 0;
}

int GameGetChar() {
    if (PolledInputOn) return PolledGetChar();
    if (CharQueueHead == CharQueueTail) return 0;
    int character = CharQueue[CharQueueHead & 0xff];
    ++CharQueueHead;
    return character;
}

int GameAnyKeyHit() {
    if (PolledInputOn) return PolledAnyKeyHit();
    return std::find(KeyHits, KeyHits + KeyBufferSize, 1) != KeyHits + KeyBufferSize;
}

int GameFirstKeyHit() {
    if (PolledInputOn) return PolledFirstKeyHit();
    for (int key = 0; key < KeyBufferSize; ++key)
        if (KeyHits[key] == 1) return key;
    return -1;
}

void GameFlushKeys() {
    if (PolledInputOn) {
        PolledFlushKeys();
        return;
    }
    std::fill(KeyHits, KeyHits + KeyBufferSize, 0);
    std::fill(KeyDowns, KeyDowns + KeyBufferSize, 0);
    CharQueueHead = CharQueueTail = 0;
    AltEnterPressed = false;
}

void GameClearKey(int key) {
    if (PolledInputOn) {
        PolledClearKey(key);
        return;
    }
    if (!ValidKey(key)) return;
    KeyHits[key] = 0;
    KeyDowns[key] = 0;
}

void GameFlushMouse() {
    if (PolledInputOn) {
        PolledFlushMouse();
        return;
    }
    if (Game && Game->Mouse) FrontEnd().PointerClearButtons(*Game);
}

void FlushInput() {
    GameFlushKeys();
    GameFlushMouse();
}

void KeyBufferKeyDown(int key) {
    if (!ValidKey(key)) return;
    if (key == KEY_ENTER && AltHeld()) AltEnterPressed = true;
    KeyDowns[key] = 1;
    ++KeyHits[key];
}

void KeyBufferKeyUp(int key) {
    if (ValidKey(key)) KeyDowns[key] = 0;
}

void KeyBufferChar(int character) {
    if (CharQueueTail - CharQueueHead >= KeyBufferSize) return;
    CharQueue[CharQueueTail & 0xff] = character;
    ++CharQueueTail;
}

int TGame::DoPeekEvent() {
    TEvent event;
    while (PollEvent(event)) {
        switch (event.id) {
            case EVENT_APPSUSPEND:
                SuspendedEvent = 1;
                break;
            case EVENT_APPRESUME:
                SuspendedEvent = 0;
                break;
            case EVENT_APPTERMINATE:
                TerminatedEvent = 1;
                break;
            case EVENT_KEYDOWN:
                KeyBufferKeyDown(event.data);
                break;
            case EVENT_KEYUP:
                KeyBufferKeyUp(event.data);
                break;
            case EVENT_KEYCHAR:
                KeyBufferChar(event.data);
                break;
            case EVENT_MOUSEDOWN:
                if (ValidButton(event.data)) FrontEnd().PointerButton(*this, event.data, true);
                break;
            case EVENT_MOUSEUP:
                if (ValidButton(event.data)) FrontEnd().PointerButton(*this, event.data, false);
                break;
            case EVENT_MOUSEMOVE:
                FrontEnd().PointerMoved(*this, event.x, event.y);
                break;
            case EVENT_MOUSEWHEEL:
                FrontEnd().PointerWheel(*this, event.data);
                break;
            default:
                break;
        }
    }
    // The window can become active again without a resume event.
    if (!FullScreen && Suspended && SuspendedEvent && WindowIsForeground()) SuspendedEvent = 0;
    return 0;
}

int TGame::ReadKeys() {
    if (CheckWindow() == -1) {
        // A paused or suspended game runs no fade, so a close then ends the program at once.
        if (!FadeOnExit || Paused || Suspended) {
            InstantExit = 1;
            return -1;
        }
        InstantExit = 0;
        // A running fade would refuse the fade-out, and the close request would be lost.
        if (Fading()) FrontEnd().FadeFinish(*this);
        FrontEnd().FadeStartOut(*this, float(DefaultFadeLength), true);
        DestinationTScreen = ExitScreen.get();
    }
    // No fade runs while paused or suspended: a pending fade to the exit would never end.
    if ((Paused || Suspended) && Fading() && FrontEnd().FadeOut(*this) &&
        DestinationTScreen == ExitScreen.get()) {
        InstantExit = 1;
        return -1;
    }
    if (Paused && FrontEnd().PointerHit(*this)) TogglePause();
    if (BlockKeys) return 0;
    if (!IgnorePauseKey && GameKeyHit(KeyPause)) TogglePause();
    if (GameKeyHit(KEY_ESCAPE)) {
        if (Fading()) {
            FrontEnd().FadeAbort(*this);
        } else if (Paused) {
            Paused = 0;
            UnPause();
            FlushInput();
        } else if (!IgnoreEscapeKey) {
            EscapeSoundPlay();
            int length = 0;
            if (CurrentTScreen)
                length = CurrentTScreen->SetEscDestination();
            else
                DestinationTScreen = ExitScreen.get();
            if (length == 0) length = DefaultFadeLength;
            if (FadeMusic) {
                FrontEnd().FadeStartOut(*this, float(length), true);
            } else {
                FrontEnd().FadeStartOut(*this, float(length), false);
                FadeMusic = 1;
            }
        } else {
            KeyHits[KEY_ESCAPE] = 1;
        }
    }
    if (AltEnterPressed || (AltHeld() && GameKeyDown(KEY_ENTER))) {
        ToggleFullScreen();
        GameFlushKeys();
    }
    if (!IgnoreFrameworkKeys) FrameworkKeys();
    if (!IgnoreDebugKey && GameKeyHit(KeyDebug)) {
        Debug = Debug ? 0 : 1;
        if (Debug) {
            DebugReset();
            LogicTime->Start();
            DebugShowFPSOnly = (GameKeyDown(KEY_LSHIFT) || GameKeyDown(KEY_RSHIFT)) ? 1 : 0;
        }
        GameFlushKeys();
    }
    if (GraphicPlacement) {
        if (GameKeyHit(KEY_LEFT)) --gpX;
        if (GameKeyHit(KEY_RIGHT)) ++gpX;
        if (GameKeyHit(KEY_UP)) --gpY;
        if (GameKeyHit(KEY_DOWN)) ++gpY;
    }
    if (!Paused && !Suspended && CurrentTScreen) CurrentTScreen->SpecificKeys();
    return 1;
}

int TGame::FrameworkKeys() {
    auto acted = [] {
        GameFlushKeys();
        return 1;
    };
    if (GameKeyHit(KeyVolumeDown)) {
        SoundChangeVolume(-10);
        MusicChangeVolume(-10);
        SpeechChangeVolume(-10);
        return acted();
    }
    if (GameKeyHit(KeyVolumeUp)) {
        SoundChangeVolume(10);
        MusicChangeVolume(10);
        SpeechChangeVolume(10);
        return acted();
    }
    if ((GameKeyDown(KEY_LCONTROL) || GameKeyDown(KEY_RCONTROL)) && GameKeyHit(KeyExit)) {
        SaveProfileOnExit();
        InstantExit = 1;
        return acted();
    }
    if (GameKeyHit(KeyFullScreen)) {
        ToggleFullScreen();
        return acted();
    }
    if (GameKeyHit(KeyMinimise)) {
        MinimizeWindow();
        Flip(-1);
        return acted();
    }
    if (GameKeyHit(KeyMusic)) {
        ToggleMusic();
        return acted();
    }
    if (GameKeyHit(KeySound)) {
        ToggleSound();
        return acted();
    }
    if (Debug && GameKeyHit(KeyFast)) {
        if (Fast) {
            FastOff();
        } else {
            SlowMotionOff();
            FastOn();
        }
        return acted();
    }
    if (Debug && GameKeyHit(KeySlowMotion)) {
        if (SlowMotion) {
            SlowMotionOff();
        } else {
            FastOff();
            SlowMotionOn();
        }
        return acted();
    }
    if (GameKeyHit(KeyScreenshot)) {
        TakeScreenshot();
        return acted();
    }
    if (Debug && GameKeyHit(KeyFlipMode)) {
        FlipSync = FlipSync == 0 ? 1 : FlipSync == 1 ? -1 : 0;
        return acted();
    }
    if (Debug && GameKeyHit(KeyTiming)) {
        NoTiming = NoTiming ? 0 : 1;
        return acted();
    }
    if (GameKeyHit(KeyVSync)) {
        ToggleVSync();
        return acted();
    }
    if (GameKeyHit(KeyGraphicsDriver)) {
        SetDriver(Driver == GraphicsDriverOpenGL ? GraphicsDriverDirect3D7 : GraphicsDriverOpenGL);
        return acted();
    }
    if (GameKeyHit(KeySoundDriver)) {
        const std::string next = SoundDriver == "FreeAudio"     ? "DirectSound"
                                 : SoundDriver == "DirectSound" ? "OpenAL Generic Software"
                                                                : "FreeAudio";
        ChangeSoundDriver(next, 1);
        return acted();
    }
    return 0;
}

int TGame::GameTerminated() {
    if (!TerminatedEvent) return 1;
    TerminatedEvent = 0;
    if (TerminatedUserFunction && TerminatedUserFunction()) return 1;
    InstantExit = 1;
    SaveProfileOnExit();
    return -1;
}

int TGame::CheckWindow() {
    if (GameTerminated() == -1) return -1;
    if (SuspendedEvent && !Suspended) {
        if ((PauseOnLossOfFocus || (PauseOnLossOfFullScreenFocus && FullScreen)) && !Paused) {
            Paused = 1;
            Pause();
        }
        if (!Paused) {
            PausedMusicState = Music;
            PausedSpeechState = Speech;
            if (Music) MusicOff();
            if (Speech) SpeechOff();
            if (PausedUserFunction) PausedUserFunction();
            SetPriorityValues(0, 0);
        }
        Suspended = 1;
        if (UserSuspendFunction) UserSuspendFunction();
    }
    if (!SuspendedEvent && Suspended) {
        if (!Paused) {
            if (PausedMusicState == 1) MusicOn();
            if (PausedSpeechState == 1) SpeechOn();
            SetPriority();
        }
        FixedRateLogic->Init();
        Suspended = 0;
        if (UserResumeFunction) UserResumeFunction();
        FlushInput();
    }
    if (!Suspended && !Paused) {
        if (Music && !MusicLooped && !ChannelPlaying(MusicChannel.get())) MusicStopped = 1;
        if (Speech && !ChannelPlaying(SpeechChannel.get())) SpeechStopped = 1;
        MusicFadeInManage();
        MusicFadeOutManage();
    }
    if (Suspended) Delay(1);
    return 1;
}

int TGame::TogglePause() {
    Paused = Paused ? 0 : 1;
    if (Paused)
        Pause();
    else
        UnPause();
    FlushInput();
    return 0;
}

int TGame::Pause() {
    PausedMusicState = Music;
    PausedSpeechState = Speech;
    if (Music) MusicOff();
    if (Speech) SpeechOff();
    if (PausedUserFunction) PausedUserFunction();
    SetPriorityValues(0, 0);
    return 0;
}

int TGame::UnPause() {
    if (PausedMusicState == 1) MusicOn();
    if (PausedSpeechState == 1) SpeechOn();
    SetPriority();
    FixedRateLogic->Init();
    return 0;
}

int TGame::ShowPaused() {
    if (!(Paused || Suspended) || !SpritePaused) return 0;
    SetBlend(ALPHABLEND);
    if (DimWhenPaused) {
        SetColor(0, 0, 0);
        SetAlpha(0.5f);
        DrawRect(0.0f, 0.0f, float(ScreenWidth), float(ScreenHeight));
    }
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
    FrontEnd().PausedPictureDraw(*this);
    return 0;
}

int TGame::SpritePausedCreate(const std::shared_ptr<TGameImage>& image) {
    FrontEnd().PausedPictureCreate(*this, image);
    return 0;
}

int TGame::TakeScreenshot() {
    FrontEnd().Screenshot(UseCorrectPath ? SubPath : std::string());
    GameFlushKeys();
    FixedRateLogic->Init();
    return 0;
}
