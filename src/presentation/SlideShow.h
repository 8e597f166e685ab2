// Slide shows: full-screen slides (TSlide) that each run an "in", a "hold" and an "out" transition
// (TTransitionEffect: plain, fade or mask in, fade or mask out, cross-slide over the previous slide),
// shown in order by a TSlideShow with optional letter-box bars. The sliding text lines live beside
// them in SlideLine.h.
// Part of the framework; nothing in this game uses it (its tests do).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TGameImage;

class TTransitionEffect {
  public:
    int EffectType = 0;  // 0 plain, 1 fade or mask in, 2 fade or mask out, 3 cross-slide
    int Length = 0;      // ticks
    float ScrollSpeedX = 0, ScrollSpeedY = 0;
    float ZoomSpeed = 0;
    std::shared_ptr<TGameImage> MaskImage;
    float MaskStartSize = 1.0f, MaskEndSize = 1.0f;
    int MaskAndFade = 0;

    static std::shared_ptr<TTransitionEffect> Create(int type, int ms);
    std::shared_ptr<TTransitionEffect> CreateCopy() const;
};

class TSlide {
  public:
    std::string name;
    std::shared_ptr<TGameImage> Image;
    std::shared_ptr<TTransitionEffect> InEffect, HoldEffect, OutEffect;
    TTransitionEffect* CurrentEffect = nullptr;
    float Counter = 0;
    float x = 0, y = 0;
    float ox = 0, oy = 0;
    float scale = 1.0f;
    int Centred = 1;
    TSlide* LastSlide = nullptr;
    std::function<int(TSlide&)> UserManage;
    std::function<void(TSlide&)> UserDraw;

    // The image from path image (when not empty) with flags and centred handle; centred slides sit at
    // the screen centre. The first of the effects that exists becomes current.
    static std::shared_ptr<TSlide> Create(const std::string& image, int flags, int centred,
                                          std::shared_ptr<TTransitionEffect> in,
                                          std::shared_ptr<TTransitionEffect> hold,
                                          std::shared_ptr<TTransitionEffect> out, const std::string& name);
    void CentreCoords();
    void Kill();
    void StoreOriginalCoords();
    // 1 on the call the last existing effect ends.
    int Manage();
    void Draw();
    void DrawMask(float s) const;
    // Progress of the current effect, 0 to 1 (1 for an effect without length).
    float Progress() const;

  private:
    void MoveBy(const TTransitionEffect& effect);
    TTransitionEffect* NextEffect() const;
    void DrawPicture();
};

class TSlideShow {
  public:
    std::vector<std::shared_ptr<TSlide>> Slides;
    int CurrentSlide = 0;
    int LetterBoxHeight = 0;
    int Finished = 0;

    static std::unique_ptr<TSlideShow> Create();
    TSlide* AddSlide(const std::string& image, int flags, int centred, std::shared_ptr<TTransitionEffect> in,
                     std::shared_ptr<TTransitionEffect> hold, std::shared_ptr<TTransitionEffect> out,
                     const std::string& name);
    void Kill();
    TSlide* GetCurrentSlide() const;
    void PreCache() const;
    // 0 while a slide runs or once finished, 2 when the next slide starts, 1 (once) when the last ends.
    int Manage();
    // 1 while not finished.
    int Draw();
};
