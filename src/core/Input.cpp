// The key buffer, the event handling that fills it, the framework keys, focus and pause.
#include "core/Input.h"

#include <algorithm>

#include "core/Game.h"
#include "platform/Keys.h"

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
