// TColor and TShadow: a tint with alpha, and the drop-shadow setting of text and images.
//
// Both apply themselves to the global draw state and restore it to white at alpha 1, the state
// every widget expects to find.
//
// Used by the drawing helpers, sprites, fonts and the game's screens and dialogs.
#pragma once

#include <memory>

class TColor {
  public:
    int R = 0, G = 0, B = 0;
    float Alpha = 1.0f;

    void Apply() const;
    void ApplyNoAlpha() const;
    void Copy(const TColor& other);
    static std::shared_ptr<TColor> Create(int r, int g, int b, float alpha);
    void Get(int& r, int& g, int& b) const;
    void GetFull(int& r, int& g, int& b, float& alpha) const;
    static void Restore();
    void Set(int r, int g, int b, float alpha);
};

class TShadow {
  public:
    float X = 1.0f, Y = 1.0f;
    float Alpha = 0.5f;

    static std::shared_ptr<TShadow> Create(float x, float y, float alpha);
    void Init(float x, float y, float alpha);
    // Makes this the shadow of shadowed text (the text-shadow globals).
    void ApplyToText() const;
    void Copy(const TShadow& other);
    void Apply() const;
    static void Restore();
};
