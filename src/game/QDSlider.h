// QDSlider: a horizontal value slider sprite (0 to 100): a track image, the filled part of a "full"
// image revealed up to the value and a dot image at the value, set by holding a mouse button over it.
// A framework widget of the game layer that this game does not use: the options screen uses
// TSlider (presentation/Slider.h).
#pragma once

#include <memory>
#include <string>

#include "presentation/Sprite.h"

class QDSlider : public TSprite {
  public:
    std::string Ext = ".png";
    std::shared_ptr<TGameImage> DotImage, FullImage;
    int DotX = 0, DotY = 0, FullX = 0;
    int MouseOver = 0;
    int Value = 0;
    int Border = 0;   // dead zone at each end, pixels
    int BorderY = 5;  // extra hit height above and below

    static std::shared_ptr<QDSlider> CreateSpecial(const std::string& image, const std::string& dot, int x,
                                                   int y, int border, const std::string& name, int borderY,
                                                   const std::string& full, int dotYOffset);
    void Load(const std::string& image, const std::string& dot, const std::string& name,
              const std::string& full);
    // Images from Game->ImagePath + name + Ext with top-left handles; a missing one is fatal.
    void LoadImages(const std::string& image, const std::string& dot, const std::string& full);
    void Init() override;
    void SetValue(int v);
    // 1 while a held button over the slider sets the value.
    int Manage();
    int Draw() override;
};
