// The framework's key buffer and the key codes it answers for.
//
// The game never polls the keyboard: every logic call drains the platform's event queue into these
// arrays (TGame::DoPeekEvent), and every key test of the program reads them. Key codes are the
// Windows virtual-key codes 0-255 (see platform/Keys.h); codes outside that range are ignored.
//
// Used by the core's main loop and by every widget and screen that reads a key.
#pragma once

constexpr int KeyBufferSize = 256;

extern int KeyHits[KeyBufferSize];
extern int KeyDowns[KeyBufferSize];
extern int CharQueue[KeyBufferSize];
// Counters of characters read and written; a counter's slot is its low eight bits.
extern int CharQueueHead, CharQueueTail;
// Non-zero while the platform's polled input is on; the functions below then defer to it.
extern int PolledInputOn;

// The framework's own keys.
extern int KeyPause, KeyVolumeDown, KeyVolumeUp, KeyExit, KeyFullScreen, KeyMinimise, KeyMusic, KeySound,
    KeyFast, KeySlowMotion, KeyScreenshot, KeyFlipMode, KeyTiming, KeyVSync, KeyGraphicsDriver,
    KeySoundDriver, KeyDebug;

int GameKeyHit(int key);
int GameKeyDown(int key);
int GameGetChar();
int GameAnyKeyHit();
int GameFirstKeyHit();
void GameFlushKeys();
void GameClearKey(int key);
void GameFlushMouse();
void FlushInput();

// Writers used by the event handling: a key went down or up, a character was typed.
void KeyBufferKeyDown(int key);
void KeyBufferKeyUp(int key);
void KeyBufferChar(int character);
