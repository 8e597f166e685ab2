// TGameFade: the screen transition every change of screen goes through. It blends the picture to or
// from black over logic ticks, fades the music, one sound channel and the speech with it, and a key or
// click ends it at once. The application object owns exactly one (Game->GameFade).
// The core drives it through the front end (CoreFrontEnd); the game's screens and the menus start
// and test fades.
#pragma once

#include <memory>

class TChannel;
class TGameChannel;

class TGameFade {
  public:
    int Length = 0;
    float Counter = 0;
    int Active = 0;
    int Out = 1;
    float Ratio = 0;
    int Done = 0;
    std::shared_ptr<TChannel> Channel;
    TGameChannel* Channel2 = nullptr;  // a channel of Game->Channels, not owned
    int Channel2IsGameChannelArray = 1;
    int AllowAnim = 0;
    int FadeInAborted = 0;
    float FadeCounterBeforeAbort = 0;
    int SetToFullOnAbort = 1;
    int AbortKey = 0;

    // Starts a fade; 0 (ignored) while one runs. With screen fades off it finishes at once.
    int Init(float ms, int out, std::shared_ptr<TChannel> music, int allowAnim, int startCounter,
             TGameChannel* sound);
    int Finish();
    // -1 when input ended the fade, 1 when it ran out this call, else 0.
    int Manage();
    int CalcRatio();
    int FadeChannels();
    int Draw();
    int GetDone();
};
