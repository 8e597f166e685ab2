// TSprite: animation, glow, rotation, scale, movement and the draw passes.
#include "presentation/Sprite.h"

#include <cmath>

#include "core/Game.h"
#include "core/MathUtils.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "platform/Random.h"

TSprite::TSprite() : GlowCounter(std::make_shared<TSineCounter>()) {}

bool TSprite::CounterRunsUp() const {
    return (AnimCounterDir == 1 && AnimReverse == 0) || (AnimCounterDir != 1 && AnimReverse != 0);
}

// Ping-pong turns the counter round at each bound. Which value of AnimReverse makes it run the other way
// depends on the counter's direction, so both are derived from the direction rather than fixed.
int TSprite::AnimBoundsCheckUpper() {
    if (AnimCounter < float(AnimLength)) return 0;
    if (PingPong != 0) {
        AnimCounter = float(AnimLength) - (AnimCounter - float(AnimLength)) - FrameLength;
        AnimReverse = AnimCounterDir == 1 ? 1 : 0;
        return 1;
    }
    if (Loop != 0) {
        if (LoopCount > 0) {
            --LoopCount;
            if (LoopCount == 0) {
                Loop = 0;
                AnimCounter = float(AnimLength);
                return 1;
            }
        }
        AnimCounter -= float(AnimLength);
    } else {
        AnimCounter = float(AnimLength);
    }
    if (AnimStoppedFunction) AnimStoppedFunction(this);
    return 1;
}

int TSprite::AnimBoundsCheckLower() {
    if (AnimCounter > 0) return 0;
    if (PingPong != 0) {
        AnimCounter = -AnimCounter + FrameLength;
        if (AnimCounter == 0) AnimCounter = 0.01f;
        AnimReverse = AnimCounterDir == 1 ? 0 : 1;
        return 1;
    }
    if (Loop != 0) {
        if (LoopCount > 0) {
            --LoopCount;
            if (LoopCount == 0) {
                Loop = 0;
                AnimCounter = 0.01f;
                return 1;
            }
        }
        AnimCounter += float(AnimLength);
    } else {
        AnimCounter = 0.01f;
    }
    if (AnimStoppedFunction) AnimStoppedFunction(this);
    return 1;
}

void TSprite::BoundsCheck() {
    if (x < w2) {
        x = w2;
    } else if (x > float(ScreenWidth) - w2) {
        x = float(ScreenWidth) - w2;
    }
    if (y < h2) {
        y = h2;
    } else if (y > float(ScreenHeight) - h2) {
        y = float(ScreenHeight) - h2;
    }
}

void TSprite::Centre() {
    if (image) image->MidHandle(1);
    x = float(ScreenWidth / 2);
    y = float(ScreenHeight / 2);
}

void TSprite::CentreX(int py) {
    if (image) image->MidHandle(1);
    x = float(ScreenWidth / 2);
    y = float(py);
}

void TSprite::ClearRotation() {
    Rotation = 0;
}

void TSprite::ClearScale() {
    ScaleX = 1;
    ScaleY = 1;
}

void TSprite::ClearTransformations() {
    ClearScale();
    ClearRotation();
}

std::shared_ptr<TSprite> TSprite::Create(std::shared_ptr<TGameImage> image, float x, float y) {
    auto sprite = std::make_shared<TSprite>();
    sprite->SetImage(std::move(image));
    sprite->SetPosition(x, y);
    return sprite;
}

std::shared_ptr<TSprite> TSprite::CreateFromFile(const std::string& file, float x, float y, int centre,
                                                 int flags) {
    auto sprite = Create(TGameImage::Create(Game->ImagePath + file + ".png", flags, 1), x, y);
    if (centre != 0) sprite->Centre();
    return sprite;
}

int TSprite::DrawFrame() const {
    if (AnimCounter > 0) return FrameFromTime(AnimCounter, float(AnimLength), FramesTotal, AnimCounterDir);
    return ImageFrame;
}

const TGameImage* TSprite::DrawnImage() const {
    return AlternativeImage ? AlternativeImage.get() : image.get();
}

void TSprite::DrawAt(float px, float py, int scrolled) {
    const TGameImage* drawn = DrawnImage();
    int f = DrawFrame();
    DrawShadow(drawn, f, scrolled);
    if (drawn != nullptr) DrawImage(drawn->image.get(), px, py, f);
}

void TSprite::DoDraw() {
    if (visible == 0) return;
    SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
    SetRotation(Rotation);
    if (UseAlpha != 0) SetAlpha(Alpha);
    if (Color) Color->ApplyNoAlpha();
    if (RoundCoords != 0) {
        DrawRounded();
    } else {
        DrawNormal();
    }
    SetScale(1, 1);
    SetRotation(0);
    if (UseAlpha != 0) SetAlpha(1);
    if (Color) SetColor(255, 255, 255);
}

int TSprite::Draw() {
    if (visible == 0) return 0;
    DoDraw();
    if (GlowMode > 0) DrawLight(Glow, 1.0f, 1.0f, 1.0f, nullptr);
    return 1;
}

int TSprite::DrawLight(float alpha, float r, float g, float b, std::shared_ptr<TGameImage> lightImage) {
    if (visible == 0) return 0;
    SetBlend(LIGHTBLEND);
    SetColor(int(alpha * 255 * r), int(alpha * 255 * g), int(alpha * 255 * b));
    // The light pass draws the light image, or without one the sprite's own image (not an alternative
    // image its owner may have set for the plain pass, which is kept for the next draw).
    std::shared_ptr<TGameImage> previous = std::move(AlternativeImage);
    AlternativeImage = std::move(lightImage);
    DoDraw();
    AlternativeImage = std::move(previous);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    return 1;
}

void TSprite::DrawNormal() {
    if (UseOffset != 0) {
        DrawAt(x + offx, y + offy, 0);
    } else {
        DrawAt(x, y, 0);
    }
}

void TSprite::DrawRounded() {
    auto round = [](float v) { return std::floor(v + 0.5f); };
    if (UseOffset != 0) {
        DrawAt(round(x + offx), round(y + offy), 0);
    } else {
        DrawAt(round(x), round(y), 0);
    }
}

// The shadow puts back the colour and the alpha that were current before it, so a sprite whose own alpha
// is not in force (UseAlpha 0) keeps the caller's alpha.
void TSprite::DrawShadow(const TGameImage* shadowImage, int shadowFrame, int scrolled) {
    if (Shadow == 0 || shadowImage == nullptr) return;
    int r, g, b;
    GetColor(r, g, b);
    float alpha = GetAlpha();
    SetColor(0, 0, 0);
    SetAlpha(ShadowAlpha * Alpha);
    float sx = x + ShadowX, sy = y + ShadowY;
    if (scrolled != 0) {
        sx -= Game->ScrollX;
        sy -= Game->ScrollY;
    }
    if (UseOffset != 0) {
        sx += offx;
        sy += offy;
    }
    DrawImage(shadowImage->image.get(), sx, sy, shadowFrame);
    if (Color) {
        Color->ApplyNoAlpha();
    } else {
        SetColor(r, g, b);
    }
    SetAlpha(alpha);
}

void TSprite::DrawWithOffset() {
    SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
    SetRotation(Rotation);
    if (UseAlpha != 0) SetAlpha(Alpha);
    DrawAt(x - Game->ScrollX, y - Game->ScrollY, 1);
    SetScale(1, 1);
    SetRotation(0);
    if (UseAlpha != 0) SetAlpha(1);
}

int TSprite::GetAnimFrame() {
    return FrameFromTime(AnimCounter, float(AnimLength), FramesTotal, AnimCounterDir);
}

void TSprite::GetSize() {
    if (!image) return;
    w = image->w;
    h = image->h;
    w2 = image->w2;
    h2 = image->h2;
}

float TSprite::Height() {
    return float(h) * ScaleY;
}

void TSprite::Init() {}

void TSprite::Kill() {
    if (!AttachedSprite) return;
    if (KillAttachedSprite == 1) AttachedSprite->Kill();
    AttachedSprite.reset();
}

int TSprite::ManageAnim() {
    if (FramesTotal <= 1) return 0;
    int result;
    if (CounterRunsUp()) {
        AnimCounter += Delta;
        result = AnimBoundsCheckUpper();
    } else {
        AnimCounter -= Delta;
        result = AnimBoundsCheckLower();
    }
    frame = FrameFromTime(AnimCounter, float(AnimLength), FramesTotal, AnimCounterDir);
    return result;
}

void TSprite::ManageGlow() {
    if (GlowMode == 2) {
        if (Glow > 0) {
            Glow -= GlowSpeed * Delta;
            if (Glow < 0) Glow = 0;
        }
    } else if (GlowMode == 3) {
        GlowCounter->Manage();
        Glow = GlowMin + GlowRange * std::fabs(GlowCounter->ratio);
    }
}

void TSprite::ManageRotation() {
    if (RotationLoop != 0) {
        Rotation += RotationSpeed * Delta;
        if (Rotation >= 360) Rotation -= 360;
        if (Rotation < 0) Rotation += 360;
    } else if (RotationCounter > 0) {
        RotationCounter -= Delta;
        Rotation += RotationSpeed * Delta;
    }
}

void TSprite::ManageScale() {
    if (ScaleCounter > 0) {
        ScaleCounter -= Delta;
        ScaleX += ScaleXSpeed * Delta;
        ScaleY += ScaleYSpeed * Delta;
    }
}

void TSprite::Move() {
    x += dx * Delta;
    y += dy * Delta;
    if (xgravity != 0) dx += xgravity * Delta;
    if (ygravity != 0) dy += ygravity * Delta;
}

void TSprite::MoveAttachedSprite() {
    if (!AttachedSprite) return;
    AttachedSprite->x += dx * Delta;
    AttachedSprite->y += dy * Delta;
}

void TSprite::MoveDown() {
    y += yspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveForward() {
    dx = SinDeg(Rotation) * speed;
    dy = -CosDeg(Rotation) * speed;
    Move();
}

void TSprite::MoveLeft() {
    x -= xspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveOriginalCoords() {
    ox += dx * Delta;
    oy += dy * Delta;
    if (xgravity != 0) dx += xgravity * Delta;
    if (ygravity != 0) dy += ygravity * Delta;
}

void TSprite::MoveRight() {
    x += xspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveUp() {
    y -= yspeed * Delta;
    BoundsCheck();
}

int TSprite::OutOfBounds() {
    if (image && image->midhandled != 0) {
        return (x < -w2 || x > float(ScreenWidth) + w2 || y < -h2 || y > float(ScreenHeight) + h2) ? 1 : 0;
    }
    return (x < float(-w) || x > float(ScreenWidth) || y < float(-h) || y > float(ScreenHeight)) ? 1 : 0;
}

void TSprite::RandomiseAnimPos() {
    AnimCounter = Rnd(0.01f, float(AnimLength));
}

void TSprite::ScaleOriginalCoords() {
    x = ox * BaseScaleX;
    y = oy * BaseScaleY;
}

void TSprite::SetGlow(int mode, float glow, float glowSpeed, float min, float max) {
    GlowMode = mode;
    Glow = glow;
    GlowSpeed = glowSpeed;
    GlowMin = min;
    GlowMax = max;
    GlowRange = max - min;
    if (mode == 3) GlowCounter->Init(0, 360, glowSpeed, 0);
}

void TSprite::SetImage(std::shared_ptr<TGameImage> newImage) {
    image = std::move(newImage);
    GetSize();
}

void TSprite::SetName(const std::string& newName) {
    name = Upper(newName);
}

void TSprite::SetPosition(float px, float py) {
    x = px;
    y = py;
}

void TSprite::SetScaleXY(float sx, float sy) {
    ScaleX = sx;
    ScaleY = sy != 0 ? sy : sx;
}

void TSprite::SetShadow(int on, float sx, float sy, float alpha) {
    Shadow = on;
    ShadowX = sx;
    ShadowY = sy;
    ShadowAlpha = alpha;
}

void TSprite::SetupAnim(int frames, int ms, int dir, int reverse, int randomStart, int pingPong, int loop) {
    frame = 0;
    FramesTotal = frames;
    AnimLength = int(Game->CalcAnimLength(ms));
    AnimCounterDir = dir;
    AnimReverse = reverse;
    PingPong = pingPong;
    // Zero frames would divide by zero; such an animation has one frame as long as the whole.
    FrameLength = frames > 0 ? float(AnimLength) / float(frames) : float(AnimLength);
    Loop = loop;
    if (randomStart != 0) {
        RandomiseAnimPos();
    } else if (dir == 0) {
        AnimCounter = reverse != 0 ? 0.01f : float(AnimLength);
    } else {
        AnimCounter = reverse != 0 ? float(AnimLength) : 0.0f;
    }
}

void TSprite::SetupRotation(float rotationSpeed, int ms, int loop, int randomStart) {
    RotationSpeed = rotationSpeed;
    if (loop != 0) {
        RotationLoop = 1;
        if (randomStart != 0) Rotation = Rnd(0, 360);
    } else {
        RotationLength = int(Game->CalcAnimLength(ms));
        RotationCounter = float(RotationLength);
    }
}

void TSprite::SetupScale(float sxSpeed, float sySpeed, int ms) {
    ScaleXSpeed = sxSpeed;
    ScaleYSpeed = sySpeed;
    ScaleLength = int(Game->CalcAnimLength(ms));
    ScaleCounter = float(ScaleLength);
}

void TSprite::Stop() {
    dx = 0;
    dy = 0;
}

void TSprite::StopAnim() {
    AnimCounter = 0;
    FramesTotal = 1;
}

void TSprite::StoreCentreCoords() {
    cx = x;
    cy = y;
}

void TSprite::StoreOriginalCoords() {
    ox = x;
    oy = y;
}

float TSprite::Width() {
    return float(w) * ScaleX;
}
