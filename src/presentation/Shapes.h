// Simple filled shapes with a colour, and the one-value collision holder.
// Used by the play screen, the save-game chooser and the list box.
#pragma once

#include <memory>

#include "presentation/Color.h"

class TBox {
  public:
    int Active = 1;
    std::shared_ptr<TColor> Color;
    float X = 0, Y = 0, W = 0, H = 0;

    static std::shared_ptr<TBox> Create(float x, float y, float w, float h, std::shared_ptr<TColor> color);
    // Nothing without a colour; else the colour, the rectangle, then white at alpha 1.
    void Draw() const;
    void Init(float x, float y, float w, float h, std::shared_ptr<TColor> color);
    void Kill();
};

class TCircle {
  public:
    std::shared_ptr<TColor> Color;
    float r = 0, x = 0, y = 0;

    static std::shared_ptr<TCircle> Create(int x, int y, int r, std::shared_ptr<TColor> color);
    void Draw() const;
};

class TCollideObject {
  public:
    int Value = 0;
};
