// TScrollBar: arrow steps, slider dragging and glow, and the position/value mapping.
#include "presentation/ScrollBar.h"

#include <algorithm>
#include <cmath>

#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/MousePointer.h"

namespace {

constexpr int kArrowFirstRepeatMs = 400;
constexpr int kArrowRepeatMs = 100;

}  // namespace

std::unique_ptr<TScrollBar> TScrollBar::Create(std::shared_ptr<TGameImage> slider, int size, double max,
                                               float px, float py, int vertical) {
    auto bar = std::make_unique<TScrollBar>();
    bar->Slider = std::move(slider);
    bar->Size = size;
    bar->ValueMax = std::max(0.0, max);
    bar->Vertical = vertical;
    bar->X = px;
    bar->Y = py;
    return bar;
}

int TScrollBar::SliderLength() const {
    if (!Slider) return 0;
    return Vertical != 0 ? Slider->h : Slider->w;
}

int TScrollBar::SliderThickness() const {
    if (!Slider) return 0;
    return Vertical != 0 ? Slider->w : Slider->h;
}

int TScrollBar::Travel() const {
    return Size - SliderLength();
}

bool TScrollBar::PointerOnSlider() const {
    if (!Game || !Game->Mouse || !Slider) return false;
    float sx = Vertical != 0 ? X : X + float(SliderPosition);
    float sy = Vertical != 0 ? Y + float(SliderPosition) : Y;
    float mx = float(Game->Mouse->x), my = float(Game->Mouse->y);
    return mx >= sx && mx < sx + float(Slider->w) && my >= sy && my < sy + float(Slider->h);
}

void TScrollBar::DisableButtons() {
    if (!Menu) return;
    if (TButton* up = Menu->FindButton(UpName); up && up->ImageDisabled)
        up->Disabled = ValuePrecise == 0 ? 1 : 0;
    if (TButton* down = Menu->FindButton(DownName); down && down->ImageDisabled)
        down->Disabled = ValuePrecise == ValueMax ? 1 : 0;
}

void TScrollBar::Draw() {
    SetBlend(ALPHABLEND);
    if (Background) DrawImage(Background->image.get(), X + BackgroundX, Y + BackgroundY);
    if (Slider) {
        float sx = Vertical != 0 ? X : X + float(SliderPosition);
        float sy = Vertical != 0 ? Y + float(SliderPosition) : Y;
        DrawImage(Slider->image.get(), sx, sy);
        if (SliderGlow > 0) DrawImageLight(Slider->image.get(), sx, sy, SliderGlow);
    }
    if (Menu) Menu->Draw(0, 0);
}

void TScrollBar::Kill() {
    if (Menu) Menu->Kill();
    Menu.reset();
    Background.reset();
    Slider.reset();
}

void TScrollBar::Manage() {
    if (Menu) {
        Menu->Manage(0, 0);
        bool stepped = false;
        if (Menu->Clicked(UpName) != 0) {
            ValuePrecise = std::max(0.0, ValuePrecise - ValueStep);
            stepped = true;
        }
        if (Menu->Clicked(DownName) != 0) {
            ValuePrecise = std::min(ValueMax, ValuePrecise + ValueStep);
            stepped = true;
        }
        if (stepped) {
            ValueRound();
            SliderSetPosition(ValuePrecise);
            DisableButtons();
        }
    }
    if (SliderGlow > 0) SliderGlow = std::max(0.0f, SliderGlow - GlowSpeed * Delta);
    bool onSlider = PointerOnSlider();
    if ((FixedGlowOnMO != 0 && onSlider) || SliderSelected != 0) SliderGlow = GlowMax;
    if (!Game || !Game->Mouse) return;
    if (Game->Mouse->GetMb() == 0) {
        SliderSelected = 0;
        return;
    }
    int pointer = Vertical != 0 ? Game->Mouse->y : Game->Mouse->x;
    float origin = Vertical != 0 ? Y : X;
    if (SliderSelected == 0 && onSlider && Game->Mouse->GetMh(1) != 0) {
        SliderSelected = 1;
        SliderOffset = pointer - int(origin) - SliderPosition;
    }
    if (SliderSelected != 0) {
        SliderPosition = std::clamp(pointer - int(origin) - SliderOffset, 0, std::max(0, Travel()));
        ValueCalc();
        DisableButtons();
    }
}

void TScrollBar::SetArrows(const std::string& upName, const std::string& downName, int glowOnMO) {
    Menu = TMenu::Create("", "", 0, 0, 0);
    FixedGlowOnMO = glowOnMO;
    TButton* up = Menu->AddQuick(upName, upName);
    TButton* down = Menu->AddQuick(downName, downName);
    UpName = up->name;
    DownName = down->name;
    int thickness = SliderThickness();
    if (Vertical != 0) {
        up->MoveTo(X + float(thickness - up->w) / 2, Y - float(up->h));
        down->MoveTo(X + float(thickness - down->w) / 2, Y + float(Size));
    } else {
        up->MoveTo(X - float(up->w), Y + float(thickness - up->h) / 2);
        down->MoveTo(X + float(Size), Y + float(thickness - down->h) / 2);
    }
    up->SetupMouseRepeat(kArrowFirstRepeatMs, kArrowRepeatMs);
    down->SetupMouseRepeat(kArrowFirstRepeatMs, kArrowRepeatMs);
    DisableButtons();
}

void TScrollBar::SetBackground(std::shared_ptr<TGameImage> image, float bx, float by) {
    Background = std::move(image);
    BackgroundX = bx;
    BackgroundY = by;
}

void TScrollBar::SetCoords(float nx, float ny) {
    if (Menu)
        for (auto& b : *Menu) b->MoveBy(nx - X, ny - Y);
    X = nx;
    Y = ny;
}

void TScrollBar::SliderSetPosition(double value) {
    if (ValueMax <= 0 || Travel() <= 0) {
        SliderPosition = 0;
        return;
    }
    SliderPosition = int(std::floor(double(Travel()) / ValueMax * value + 0.5));
    SliderPosition = std::clamp(SliderPosition, 0, Travel());
}

void TScrollBar::ValueCalc() {
    if (ValueMax <= 0 || Travel() <= 0) {
        ValuePrecise = 0;
    } else {
        ValuePrecise = double(SliderPosition) / (double(Travel()) / ValueMax);
    }
    ValueRound();
}

void TScrollBar::ValueRound() {
    Value = int(std::floor(ValuePrecise + 0.5));
}
