// The shared behaviour of the menu screens. Each of them enters through Load and Start every time, so
// everything built here is rebuilt on every visit.
#include "game/MenuScreen.h"

#include <algorithm>

#include "core/Game.h"
#include "game/TitleScreen.h"
#include "platform/Draw.h"
#include "platform/Random.h"
#include "presentation/Color.h"
#include "presentation/GameFade.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"
#include "presentation/Particles.h"
#include "presentation/Sprite.h"

std::shared_ptr<TGameImage> MenuParticleImage;

void TMenuScreen::Start() {
    TScreen::Start();
    Game->GameFade->Init(float(DefaultFadeLength), 0, nullptr, 0, 0, nullptr);
    Game->Mouse->On();
    Game->FixedRateLogic->Init();
    Game->IgnoreEscapeKey = 0;
}

void TMenuScreen::LoadBackground(const std::string& name) {
    Background = ImageBank->Find(name);
}

void TMenuScreen::LoadHeader(const std::string& name, float headerX, float headerY) {
    Header = TSprite::Create(TGameImage::Create(Game->ImagePath + name + ".png", -1, 1), headerX, headerY);
    Header->SetGlow(3, 0, 0.25f, 0, 0.5f);
}

void TMenuScreen::ManageHeaderGlow() {
    if (Header) Header->ManageGlow();
}

void TMenuScreen::DrawBackground() {
    SetBlend(SOLIDBLEND);
    if (Background) Background->Draw(float(ScreenWidth / 2) + x, float(ScreenHeight / 2) + y);
    SetBlend(ALPHABLEND);
}

void TMenuScreen::DrawHeader() {
    if (Header) Header->Draw();
}

int TMenuScreen::SetEscDestination() {
    Game->DestinationTScreen = TitleScreen.get();
    return 0;
}

void ChangeScreenTo(TScreen* destination) {
    Game->GameFade->Init(float(DefaultFadeLength), 1, nullptr, 1, 0, nullptr);
    Game->DestinationTScreen = destination;
}

void MenuSparklesOn() {
    Game->Mouse->ParticleFunc = MenuParticleEmit;
    MenuParticleImage = ImageBank->Find("particle1");
}

void MenuParticleEmit() {
    TMousePointer& mouse = *Game->Mouse;
    mouse.SparkleCounter -= Delta;
    if (mouse.SparkleCounter > 0) return;
    mouse.SparkleCounter += float(mouse.SparkleLength);
    // A pointer image smaller than the offsets would give an empty range; the sparkle then starts at
    // the pointer's tip.
    const int sy = mouse.y + Rand(1, std::max(1, mouse.h - 25)) - 5;
    const int sx = mouse.x + Rand(1, std::max(1, mouse.w - 20)) - 5;
    auto particle = MenuParticleCreate(float(sx), float(sy), MenuParticleImage);
    if (!particle) return;
    particle->Color = TColor::Create(Rand(100, 255), Rand(100, 255), Rand(100, 255), 1.0f);
    particle->SetFade(200, 300, 1000);
}

std::shared_ptr<TParticle> MenuParticleCreate(float x, float y, const std::shared_ptr<TGameImage>& image) {
    TMousePointer& mouse = *Game->Mouse;
    if (!mouse.ParticleList) mouse.ParticleList = std::make_unique<TParticleList>();
    const int direction = Rand(0, 1) == 0 ? -1 : 1;
    return mouse.ParticleList->AddNew(int(x), int(y), image, Rnd(-0.05f, 0.05f), 0.0f, 0.0016f, 1000.0f, 1,
                                      direction, Rnd(0.2f, 0.5f), Rnd(0.2f, 0.5f), 0.0f, 0, 0);
}
