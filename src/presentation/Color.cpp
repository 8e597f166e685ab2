// TColor and TShadow over the global draw state.
#include "presentation/Color.h"

#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"

void TColor::Apply() const {
    SetColor(R, G, B);
    SetAlpha(Alpha);
}

void TColor::ApplyNoAlpha() const {
    SetColor(R, G, B);
}

void TColor::Copy(const TColor& other) {
    *this = other;
}

std::shared_ptr<TColor> TColor::Create(int r, int g, int b, float alpha) {
    auto color = std::make_shared<TColor>();
    color->Set(r, g, b, alpha);
    return color;
}

void TColor::Get(int& r, int& g, int& b) const {
    r = R;
    g = G;
    b = B;
}

void TColor::GetFull(int& r, int& g, int& b, float& alpha) const {
    Get(r, g, b);
    alpha = Alpha;
}

void TColor::Restore() {
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
}

void TColor::Set(int r, int g, int b, float alpha) {
    R = r;
    G = g;
    B = b;
    Alpha = alpha;
}

std::shared_ptr<TShadow> TShadow::Create(float x, float y, float alpha) {
    auto shadow = std::make_shared<TShadow>();
    shadow->Init(x, y, alpha);
    return shadow;
}

void TShadow::Init(float x, float y, float alpha) {
    X = x;
    Y = y;
    Alpha = alpha;
}

void TShadow::ApplyToText() const {
    SetTextShadow(X, Y, Alpha);
}

void TShadow::Copy(const TShadow& other) {
    *this = other;
}

void TShadow::Apply() const {
    SetColor(0, 0, 0);
    SetAlpha(Alpha);
}

void TShadow::Restore() {
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
}
