// The key buffer, the event handling that fills it, the framework keys, focus and pause.
#include "core/Input.h"

#include <algorithm>

#include "core/Game.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Keys.h"
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

bool ValidKey(int key) { return key >= 0 && key < KeyBufferSize; }

}  // namespace

int GameKeyHit(int key) {
    if (!ValidKey(key) || KeyHits[key] == 0) return 0;
    KeyHits[key] = 0;
    return 1;
}

int GameKeyDown(int key) { return ValidKey(key) ? KeyDowns[key] : 0; }

int GameGetChar() {
    if (CharQueueHead == CharQueueTail) return 0;
    int character = CharQueue[CharQueueHead & 0xff];
    ++CharQueueHead;
    return character;
}

int GameAnyKeyHit() { return std::find(KeyHits, KeyHits + KeyBufferSize, 1) != KeyHits + KeyBufferSize; }

int GameFirstKeyHit() {
    for (int key = 0; key < KeyBufferSize; ++key)
        if (KeyHits[key] == 1) return key;
    return -1;
}

void GameFlushKeys() {
    std::fill(KeyHits, KeyHits + KeyBufferSize, 0);
    std::fill(KeyDowns, KeyDowns + KeyBufferSize, 0);
    CharQueueHead = CharQueueTail = 0;
}

void GameClearKey(int key) {
    if (!ValidKey(key)) return;
    KeyHits[key] = 0;
    KeyDowns[key] = 0;
}

void GameFlushMouse() {}

void FlushInput() {
    GameFlushKeys();
    GameFlushMouse();
}

void KeyBufferKeyDown(int key) {
    if (!ValidKey(key)) return;
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
            case EVENT_APPSUSPEND: SuspendedEvent = 1; break;
            case EVENT_APPRESUME: SuspendedEvent = 0; break;
            case EVENT_APPTERMINATE: TerminatedEvent = 1; break;
            case EVENT_KEYDOWN: KeyBufferKeyDown(event.data); break;
            case EVENT_KEYUP: KeyBufferKeyUp(event.data); break;
            case EVENT_KEYCHAR: KeyBufferChar(event.data); break;
            default: break;
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
        DestinationTScreen = ExitScreen.get();
    }
    if (BlockKeys) return 0;
    if (!IgnorePauseKey && GameKeyHit(KeyPause)) TogglePause();
    if (GameKeyHit(KEY_ESCAPE)) {
        if (Paused) {
            Paused = 0;
            UnPause();
            FlushInput();
        } else if (!IgnoreEscapeKey) {
            if (CurrentTScreen) CurrentTScreen->SetEscDestination();
        } else {
            KeyHits[KEY_ESCAPE] = 1;
        }
    }
    if ((GameKeyDown(KEY_LALT) || GameKeyDown(KEY_RALT)) && GameKeyDown(KEY_ENTER)) {
        ToggleFullScreen();
        GameFlushKeys();
    }
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

int TGame::GameTerminated() {
    if (!TerminatedEvent) return 1;
    TerminatedEvent = 0;
    if (TerminatedUserFunction && TerminatedUserFunction()) return 1;
    InstantExit = 1;
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
            if (PausedUserFunction) PausedUserFunction();
            SetPriorityValues(0, 0);
        }
        Suspended = 1;
        if (UserSuspendFunction) UserSuspendFunction();
    }
    if (!SuspendedEvent && Suspended) {
        if (!Paused) SetPriority();
        FixedRateLogic->Init();
        Suspended = 0;
        if (UserResumeFunction) UserResumeFunction();
        FlushInput();
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
    if (PausedUserFunction) PausedUserFunction();
    SetPriorityValues(0, 0);
    return 0;
}

int TGame::UnPause() {
    SetPriority();
    FixedRateLogic->Init();
    return 0;
}

int TGame::ShowPaused() { return 0; }

int TGame::SpritePausedCreate(const std::shared_ptr<TGameImage>&) { return 0; }

int TGame::TakeScreenshot() { return 0; }
