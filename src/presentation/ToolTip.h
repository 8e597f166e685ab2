// TToolTip: a text box that appears under (or above) the pointer after it has rested on a target for
// a while, fades in and out, and word-wraps its text to a set width.
// Part of the framework; nothing in this game uses it (its tests do).
#pragma once

#include <memory>
#include <string>
#include <vector>

class TFont;
class TGameImage;
class TGameSound;

class TToolTip {
  public:
    int Visible = 0;
    float x = 0, y = 0;
    std::shared_ptr<TGameImage> image;
    std::shared_ptr<TFont> Font;
    float FontScale = 1.0f;
    int RoundedCoords = 1;
    int TextYOffset = 0;
    std::string Text;
    std::vector<std::string> TextWrapped;
    int TextDrawWidth = 200;
    int DrawUnderMouseCursor = 1;
    int GapFromMouse = 5;
    int XOffset = 0;
    int SetCoordsOnceOnly = 1;
    float CollideCounter = 0;
    int CollideCounterMax = 50;
    int Fade = 1;
    float FadeInSpeed = 0.02f;
    float FadeOutSpeed = 0.04f;
    float FadeLevel = 0;
    int AlwaysShowAboveMouse = 0;
    std::shared_ptr<TGameSound> ToolTipSound;

    // Once per logic call: whether the pointer is over the tooltip's target.
    void Collide(int over);
    // 1 when drawn.
    int Draw();
    // 0 (refused) while a fade is still showing the old text.
    int SetText(const std::string& text);
    void SetCollideCounterMax(int ms);

  private:
    void PlaceAtPointer();
};
