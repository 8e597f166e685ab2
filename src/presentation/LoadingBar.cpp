// TLoadingBar: steps and the three drawing modes.
#include "presentation/LoadingBar.h"

#include <algorithm>

#include "core/Game.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "presentation/DrawHelpers.h"

void TLoadingBar::Init(std::shared_ptr<TImage> image, std::shared_ptr<TImage> emptyImage,
                       std::shared_ptr<TImage> finalImage) {
    Image = std::move(image);
    EmptyImage = std::move(emptyImage);
    FinalImage = std::move(finalImage);
    for (const auto* img : {&Image, &EmptyImage, &FinalImage})
        if (*img) SetImageHandle(img->get(), 0, 0);
    x = 0;
    y = 0;
    w = ImageWidth(Image.get());
    h = ImageHeight(Image.get());
    Position = 0;
    Steps = 0;
    StepSize = 0;
    CurrentStep = 0;
    Finished = 0;
}

void TLoadingBar::Centre(int py) {
    x = (ScreenWidth - w) / 2;
    y = py;
}

// No steps means nothing to count: the step size stays 0 rather than dividing by zero.
void TLoadingBar::SetSteps(int n) {
    Steps = float(n);
    StepSize = n > 0 ? float(w) / float(n) : 0.0f;
}

void TLoadingBar::SetBackgroundColour(int r, int g, int b) {
    BgR = r;
    BgG = g;
    BgB = b;
}

void TLoadingBar::SetBorderColour(int r, int g, int b) {
    BorderR = r;
    BorderG = g;
    BorderB = b;
}

void TLoadingBar::Progress() {
    ++CurrentStep;
    Position = std::min(float(CurrentStep) * StepSize, float(w));
    if (float(CurrentStep) >= Steps) Finished = 1;
}

int TLoadingBar::Draw() {
    if (Mode == 1 && !Image) return 0;
    if (Finished != 0 && FinalImage) {
        SetBlend(ALPHABLEND);
        if (DrawEmptyUnderFinal != 0 && EmptyImage) DrawImage(EmptyImage.get(), float(x), float(y));
        DrawImage(FinalImage.get(), float(x), float(y));
        return 1;
    }
    if (Mode == 0) {
        SetBlend(SOLIDBLEND);
        SetColor(BgR, BgG, BgB);
        DrawRect(float(x), float(y), float(w), float(h));
        SetColor(BorderR, BorderG, BorderB);
        DrawRectOutline(float(x), float(y), float(w), float(h));
        SetColor(255, 255, 255);
    } else if (Mode == 1) {
        SetBlend(ALPHABLEND);
        if (EmptyImage) DrawImage(EmptyImage.get(), float(x), float(y));
    } else {
        SetBlend(ALPHABLEND);
    }
    if (Image && Position > 0) DrawImagePart(Image.get(), float(x), float(y), 0, 0, Position, float(h), 0);
    SetBlend(SOLIDBLEND);
    return 1;
}
