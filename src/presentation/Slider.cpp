// TSlider: loading, value placement and the pointer-driven value.
#include "presentation/Slider.h"

#include <algorithm>
#include <cmath>

#include "core/Game.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "presentation/MousePointer.h"

namespace {

// Pixels left and right of the bar that still count as over it.
constexpr int kHoverMargin = 10;

}  // namespace

int TSlider::Draw() {
    if (active == 0) return 0;
    SetBlend(ALPHABLEND);
    if (image) DrawImage(image->image.get(), x, y);
    if (DotImage) DrawImage(DotImage->image.get(), float(DotX), float(DotY));
    return 1;
}

void TSlider::Init() {
    TSprite::Init();
    GetSize();
}

std::shared_ptr<TSlider> TSlider::CreateSpecial(const std::string& bar, const std::string& dot, int px,
                                                int py, int border, const std::string& sliderName,
                                                int borderY) {
    auto slider = std::make_shared<TSlider>();
    slider->Load(bar, dot, sliderName);
    slider->x = float(px);
    slider->y = float(py);
    slider->Border = border;
    slider->BorderY = borderY;
    slider->SetValue(50);
    slider->DotY = py;
    slider->active = 1;
    return slider;
}

int TSlider::Load(const std::string& bar, const std::string& dot, const std::string& sliderName) {
    SetName(sliderName);
    LoadImages(bar, dot);
    Init();
    return 0;
}

int TSlider::LoadImages(const std::string& bar, const std::string& dot) {
    image = TGameImage::Create(Game->ImagePath + bar + ".png", DEFAULT_IMAGE_FLAGS, 0);
    DotImage = TGameImage::Create(Game->ImagePath + dot + ".png", DEFAULT_IMAGE_FLAGS, 0);
    return 0;
}

int TSlider::SetValue(int value) {
    Value = std::clamp(value, 0, 100);
    float dotHalf = DotImage ? float(DotImage->w) / 2 : 0.0f;
    DotX = int(x + float(Border) + float(Value) / 100.0f * float(w - 2 * Border) - dotHalf);
    return 0;
}

int TSlider::Manage() {
    if (active == 0 || !Game || !Game->Mouse) return 0;
    int mx = Game->Mouse->x, my = Game->Mouse->y;
    bool over = float(mx) >= x - kHoverMargin && float(mx) < x + float(w + kHoverMargin) &&
                float(my) >= y - float(BorderY) && float(my) < y + float(h + BorderY);
    if (!over) {
        MouseOver = 0;
        return 0;
    }
    MouseOver = 1;
    if (Game->Mouse->GetMb() == 0) return 0;
    if (float(mx) <= x + float(Border)) {
        SetValue(0);
    } else if (float(mx) >= x + float(w - Border)) {
        SetValue(100);
    } else {
        // Only reached when the bar is wider than its two borders, so the span is positive.
        float share = (float(mx) - x - float(Border)) / float(w - 2 * Border) * 100.0f;
        SetValue(int(std::floor(share + 0.5f)));
    }
    return 1;
}
