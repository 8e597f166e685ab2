// TSprite: the base drawable of the framework, a positioned image with frame animation, colour, drop
// shadow, scale, rotation, alpha, an additive glow pass and one attached follower.
//
// Every per-tick change is scaled by Delta; durations are given in milliseconds and stored as whole
// ticks. Buttons, particles and the board's cells derive from it and extend its virtual operations.
//
// The base drawable of the widgets and of the game's pictures and cells.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "presentation/Color.h"
#include "presentation/GameImage.h"
#include "presentation/SineCounter.h"

class TSprite {
  public:
    TSprite();
    virtual ~TSprite() = default;

    std::string name;
    int active = 0;
    int visible = 1;
    float x = 0, y = 0;
    float offx = 0, offy = 0;
    int UseOffset = 0;
    float dx = 0, dy = 0;
    float xspeed = 0, yspeed = 0;
    float speed = 0;
    float xgravity = 0, ygravity = 0;
    int w = 0, h = 0;
    float w2 = 0, h2 = 0;
    std::shared_ptr<TGameImage> image;
    int RoundCoords = 0;
    int ImageFrame = 0;
    std::shared_ptr<TColor> Color;
    int Shadow = 0;
    float ShadowX = 3.0f, ShadowY = 3.0f;
    float ShadowAlpha = 0.5f;
    int frame = 0;
    int FramesTotal = 1;
    float AnimCounter = 0;
    int AnimLength = 1000;
    int AnimCounterDir = 0;
    int AnimReverse = 0;
    int PingPong = 0;
    float FrameLength = 0;
    int Loop = 1;
    int LoopCount = 0;
    float ScaleX = 1.0f, ScaleY = 1.0f;
    float BaseScaleX = 1.0f, BaseScaleY = 1.0f;
    float ScaleXSpeed = 0.1f, ScaleYSpeed = 0.1f;
    float ScaleCounter = 0;
    int ScaleLength = 1000;
    float Rotation = 0;
    float RotationSpeed = 1.0f;
    float RotationCounter = 0;
    int RotationLength = 1000;
    int RotationLoop = 0;
    int UseAlpha = 1;
    float Alpha = 1.0f;
    int GlowMode = 0;
    float Glow = 0;
    float GlowSpeed = 0;
    float GlowMin = 0, GlowMax = 1.0f;
    float GlowRange = 1.0f;
    std::shared_ptr<TSineCounter> GlowCounter;
    std::shared_ptr<TGameImage> AlternativeImage;
    std::shared_ptr<TSineCounter> MiscSineCounter;
    float cx = 0, cy = 0;
    std::function<int(TSprite*)> AnimStoppedFunction;
    float ox = 0, oy = 0;
    std::shared_ptr<TSprite> AttachedSprite;
    int KillAttachedSprite = 1;

    virtual int AnimBoundsCheckLower();
    virtual int AnimBoundsCheckUpper();
    virtual void BoundsCheck();
    virtual void Centre();
    virtual void CentreX(int y);
    virtual void ClearRotation();
    virtual void ClearScale();
    virtual void ClearTransformations();
    static std::shared_ptr<TSprite> Create(std::shared_ptr<TGameImage> image, float x, float y);
    static std::shared_ptr<TSprite> CreateFromFile(const std::string& file, float x, float y, int centre,
                                                   int flags);
    virtual void DoDraw();
    // Every drawable sprite answers 1 when it drew, 0 when it was hidden.
    virtual int Draw();
    virtual int DrawLight(float alpha, float r, float g, float b, std::shared_ptr<TGameImage> image);
    virtual void DrawNormal();
    virtual void DrawRounded();
    virtual void DrawShadow(const TGameImage* image, int frame, int scrolled);
    virtual void DrawWithOffset();
    virtual int GetAnimFrame();
    virtual void GetSize();
    virtual float Height();
    virtual void Init();
    virtual void Kill();
    virtual int ManageAnim();
    virtual void ManageGlow();
    virtual void ManageRotation();
    virtual void ManageScale();
    virtual void Move();
    virtual void MoveAttachedSprite();
    virtual void MoveDown();
    virtual void MoveForward();
    virtual void MoveLeft();
    virtual void MoveOriginalCoords();
    virtual void MoveRight();
    virtual void MoveUp();
    virtual int OutOfBounds();
    virtual void RandomiseAnimPos();
    virtual void ScaleOriginalCoords();
    virtual void SetGlow(int mode, float glow, float speed, float min, float max);
    virtual void SetImage(std::shared_ptr<TGameImage> image);
    virtual void SetName(const std::string& name);
    virtual void SetPosition(float x, float y);
    virtual void SetScaleXY(float sx, float sy);
    virtual void SetShadow(int on, float x, float y, float alpha);
    virtual void SetupAnim(int frames, int ms, int dir, int reverse, int randomStart, int pingPong, int loop);
    virtual void SetupRotation(float speed, int ms, int loop, int randomStart);
    virtual void SetupScale(float xspeed, float yspeed, int ms);
    virtual void Stop();
    virtual void StopAnim();
    virtual void StoreCentreCoords();
    virtual void StoreOriginalCoords();
    virtual float Width();

  private:
    // The frame the draw passes show: the animation's while its counter runs, else ImageFrame.
    int DrawFrame() const;
    const TGameImage* DrawnImage() const;
    void DrawAt(float px, float py, int scrolled);
    bool CounterRunsUp() const;
};
