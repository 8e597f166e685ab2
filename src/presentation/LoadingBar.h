// TLoadingBar: a progress bar revealed from the left in equal steps, drawn over a plain box (mode 0),
// over an "empty" image (mode 1) or alone (mode 2), with an optional image for the finished bar.
// Used only by TLoadingScreen, which this game never shows.
#pragma once

#include <memory>

class TImage;

class TLoadingBar {
  public:
    int Mode = 0;
    std::shared_ptr<TImage> Image;
    std::shared_ptr<TImage> EmptyImage;
    std::shared_ptr<TImage> FinalImage;
    int x = 0, y = 0, w = 0, h = 0;
    float Position = 0;
    float Steps = 0;
    float StepSize = 0;
    int CurrentStep = 0;
    int Finished = 0;
    int BgR = 50, BgG = 50, BgB = 50;
    int BorderR = 0, BorderG = 0, BorderB = 0;
    int DrawEmptyUnderFinal = 0;

    // Images get a top-left handle; the size is the bar image's. Mode keeps its value.
    void Init(std::shared_ptr<TImage> image, std::shared_ptr<TImage> emptyImage,
              std::shared_ptr<TImage> finalImage);
    void Centre(int y);
    void SetSteps(int n);
    void SetBackgroundColour(int r, int g, int b);
    void SetBorderColour(int r, int g, int b);
    // One step more; the bar never reveals more than its width.
    void Progress();
    // 0 when it drew nothing. Leaves solid blend behind (alpha blend after a finished bar's image).
    int Draw();
};
