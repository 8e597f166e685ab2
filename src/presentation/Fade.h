// Image fades: TFade blends one image in or out over real time (clock milliseconds) with an optional
// moving, zooming background, blocking in its own draw-and-flip loop while it pumps the system's events
// so that the window stays responsive and input can end it; ScreenFade fades the picture drawn so far;
// TCrossFade blends one image into another over logic ticks without blocking.
// Used by the board screen (background cross-fade) and the maker's splash.
#pragma once

#include <memory>

#include "presentation/Animation.h"

class TChannel;
class TImage;

class TFade {
  public:
    std::shared_ptr<TChannel> Channel;
    std::shared_ptr<TImage> Image;
    int X = 0, Y = 0;
    float Length = 0;
    float StartTime = 0;
    float Elapsed = 0;
    float Ratio = 0;
    float LastTime = 0;
    std::shared_ptr<TImage> Background;
    float BackgroundX = 0, BackgroundY = 0;
    float BackgroundZoom = 1.0f;
    float BackgroundXSpeed = 0, BackgroundYSpeed = 0;
    float BackgroundZoomSpeed = 0;
    float BackgroundFadeTime = 0;
    float BackgroundAlpha = 0;
    int Out = 0;

    int Init(float ms, std::shared_ptr<TImage> image, std::shared_ptr<TChannel> channel);
    int Reset();
    int CentreImage();
    // 1 when it ran to the end, -1 when input ended it.
    int FadeDo(int out);
    int MoveBackground(float now, float elapsed);
    // 0 at the end, -1 when input ended it.
    int WaitForTime(float ms);
    int Draw();
    int Full();
    int Zero();
};

// Fades the picture drawn so far out (to black) or in; blocks for ms milliseconds unless input ends it.
int ScreenFade(int ms, int out, std::shared_ptr<TChannel> channel);

class TCrossFade {
  public:
    std::shared_ptr<TImage> Image1, Image2;
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    std::shared_ptr<TAnimation> Anim;

    static std::shared_ptr<TCrossFade> Create(std::shared_ptr<TImage> image1, std::shared_ptr<TImage> image2,
                                              int ms);
    void Draw();
    void Init(std::shared_ptr<TImage> image1, std::shared_ptr<TImage> image2, int ms);
    void Manage();
    void SetImage1Coords(float x, float y);
    void SetImage2Coords(float x, float y);
};
