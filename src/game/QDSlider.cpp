// The value slider: hit area, value from the pointer, and its three-image draw.
#include "game/QDSlider.h"

#include <algorithm>
#include <cmath>

#include "core/Game.h"
#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/MousePointer.h"

std::shared_ptr<QDSlider> QDSlider::CreateSpecial(const std::string& image, const std::string& dot, int px,
                                                  int py, int border, const std::string& sliderName,
                                                  int borderY, const std::string& full, int dotYOffset) {
    auto slider = std::make_shared<QDSlider>();
    slider->Load(image, dot, sliderName, full);
    slider->SetPosition(float(px), float(py));
    slider->Border = border;
    slider->BorderY = borderY;
    slider->SetValue(50);
    slider->DotY = int(float(py) + float(dotYOffset));
    slider->active = 1;
    return slider;
}

void QDSlider::Load(const std::string& image_, const std::string& dot, const std::string& sliderName,
                    const std::string& full) {
    SetName(sliderName);
    LoadImages(image_, dot, full);
    Init();
}

void QDSlider::LoadImages(const std::string& image_, const std::string& dot, const std::string& full) {
    const std::string path = Game->ImagePath;
    image = TGameImage::Create(path + image_ + Ext, -1, 0);
    DotImage = TGameImage::Create(path + dot + Ext, -1, 0);
    FullImage = TGameImage::Create(path + full + Ext, -1, 0);
}

void QDSlider::Init() {
    TSprite::Init();
    GetSize();
}

void QDSlider::SetValue(int v) {
    Value = std::clamp(v, 0, 100);
    const float r = float(Value) / 100.0f;
    const float span = float(w - 2 * Border);
    const float dotHalf = DotImage ? float(DotImage->w) / 2.0f : 0.0f;
    DotX = int(x + float(Border) + r * span - dotHalf);
    FullX = int(float(Border) + r * span);
}

int QDSlider::Manage() {
    if (!active) return 0;
    const float mx = float(Game->Mouse->x), my = float(Game->Mouse->y);
    if (mx >= x - 10 && mx < x + float(w) + 10 && my >= y - float(BorderY) &&
        my < y + float(h) + float(BorderY)) {
        MouseOver = 1;
        if (!Game->Mouse->GetMb()) return 0;
        const float span = float(w - 2 * Border);
        if (mx <= x + float(Border))
            SetValue(0);
        else if (mx >= x + float(w - Border))
            SetValue(100);
        // A slider with no room between its borders can only be at an end.
        else
            SetValue(span > 0 ? int(std::lround((mx - x - float(Border)) / span * 100.0f)) : 0);
        return 1;
    }
    MouseOver = 0;
    return 0;
}

int QDSlider::Draw() {
    if (!active) return 0;
    SetBlend(ALPHABLEND);
    if (image) DrawImage(image->image.get(), x, y);
    if (FullImage && FullX > 0)
        DrawImagePart(FullImage->image.get(), x, y, 0, 0, float(FullX), float(FullImage->h));
    if (DotImage) DrawImage(DotImage->image.get(), float(DotX), float(DotY));
    return 1;
}
