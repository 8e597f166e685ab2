// Filled rectangles and circles drawn in their own colour.
#include "presentation/Shapes.h"

#include "platform/Draw.h"

std::shared_ptr<TBox> TBox::Create(float x, float y, float w, float h, std::shared_ptr<TColor> color) {
    auto box = std::make_shared<TBox>();
    box->Init(x, y, w, h, std::move(color));
    return box;
}

void TBox::Draw() const {
    if (!Color) return;
    Color->Apply();
    DrawRect(X, Y, W, H);
    TColor::Restore();
}

void TBox::Init(float x, float y, float w, float h, std::shared_ptr<TColor> color) {
    X = x;
    Y = y;
    W = w;
    H = h;
    Color = std::move(color);
}

void TBox::Kill() {
    Color.reset();
}

std::shared_ptr<TCircle> TCircle::Create(int x, int y, int r, std::shared_ptr<TColor> color) {
    auto circle = std::make_shared<TCircle>();
    circle->x = float(x);
    circle->y = float(y);
    circle->r = float(r);
    circle->Color = std::move(color);
    return circle;
}

void TCircle::Draw() const {
    if (Color) Color->Apply();
    DrawOval(x - r, y - r, 2 * r, 2 * r);
    if (Color) TColor::Restore();
}
