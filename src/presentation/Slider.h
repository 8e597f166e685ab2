// TSlider: a horizontal value slider from 0 to 100, a bar image with a marker placed along it. While a
// mouse button is held over the bar (plus a fixed margin), the value follows the pointer.
//
// There is no drag capture on purpose: the value changes only while the pointer is over the slider.
//
// Used by the options screen for the music and sound volumes.
#pragma once

#include <memory>
#include <string>

#include "presentation/Sprite.h"

class TSlider : public TSprite {
  public:
    std::shared_ptr<TGameImage> DotImage;
    int DotX = 0;
    int DotY = 0;
    int MouseOver = 0;
    int Value = 0;
    int Border = 0;
    int BorderY = 5;

    // Alpha blend, the bar at (x, y), the marker at (DotX, DotY); nothing when inactive.
    int Draw() override;
    void Init() override;
    // Bar and marker from Game->ImagePath + name + ".png"; a missing file is fatal. Starts at 50.
    static std::shared_ptr<TSlider> CreateSpecial(const std::string& bar, const std::string& dot, int x,
                                                  int y, int border, const std::string& name, int borderY);
    int Load(const std::string& bar, const std::string& dot, const std::string& name);
    int LoadImages(const std::string& bar, const std::string& dot);
    // Clamped to 0..100; places the marker.
    int SetValue(int value);
    // 1 when the mouse set the value on this call.
    int Manage();
};
