// The mouse record, the drawn pointer and held-button repeat.
#include "presentation/MousePointer.h"

#include "core/ErrorReport.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "platform/Draw.h"
#include "platform/Events.h"
#include "platform/Image.h"
#include "platform/Window.h"

TMousePointer::TMousePointer() : ParticleList(std::make_unique<TParticleList>()) {}

int TMousePointer::On() {
    Active = 1;
    return 0;
}

int TMousePointer::Off() {
    Active = 0;
    ParticleList->Clear();
    return 0;
}

int TMousePointer::Load(const std::string& name) {
    Image = LoadImageOrDie(Game->ImagePath + name + Ext, DEFAULT_IMAGE_FLAGS);
    SetImageHandle(Image.get(), float(offsetx), float(offsety));
    CalcSize();
    return 0;
}

int TMousePointer::CalcSize() {
    w = ImageWidth(Image.get());
    h = ImageHeight(Image.get());
    return 0;
}

int TMousePointer::Update() {
    x = PolledMouseX();
    y = PolledMouseY();
    b1 = PolledMouseDown(1);
    b2 = PolledMouseDown(2);
    b3 = PolledMouseDown(3);
    h1 = PolledMouseHit(1);
    h2 = PolledMouseHit(2);
    h3 = PolledMouseHit(3);
    CalcButtonTotals();
    return 0;
}

int TMousePointer::Manage() {
    if (Active == 0) return 0;
    if (ParticleFunc) {
        ParticleFunc();
        ParticleList->Manage();
    }
    return 1;
}

// The platform reports the pointer in the window's logical pixels already, so the client origin is
// refreshed for the application's sake and the position taken as it is.
int TMousePointer::UpdateCoords() {
    if (Game) Game->SetClientCoords();
    // Followed outside the window too, so the pointer leaves the picture with the cursor instead of
    // stopping on its edge; without a window the last position stays.
    int cursorX = 0, cursorY = 0;
    if (CursorPicturePosition(cursorX, cursorY)) {
        x = cursorX;
        y = cursorY;
    }
    return 0;
}

int TMousePointer::ClearButtons() {
    b1 = b2 = b3 = 0;
    mb = 0;
    return ClearMouseHit();
}

int TMousePointer::ClearMouseHit() {
    h1 = h2 = h3 = 0;
    mh = 0;
    return 0;
}

int TMousePointer::GetMb() const {
    return mb;
}

int TMousePointer::GetMh(int clear) {
    int hits = mh;
    if (clear != 0) ClearMouseHit();
    return hits;
}

int TMousePointer::CalcButtonTotals() {
    mb = b1 + b2 + b3;
    mh = h1 + h2 + h3;
    return 0;
}

void TMousePointer::ButtonDown(int button) {
    ClearMouseHit();
    if (button == 1) {
        b1 = 1;
        ++h1;
    } else if (button == 2) {
        b2 = 1;
        ++h2;
    } else if (button == 3) {
        b3 = 1;
        ++h3;
    }
    CalcButtonTotals();
}

void TMousePointer::ButtonUp(int button) {
    if (button == 1) b1 = 0;
    if (button == 2) b2 = 0;
    if (button == 3) b3 = 0;
    CalcButtonTotals();
}

int TMousePointer::Draw() {
    if (Game && Game->FullScreen == 0) UpdateCoords();
    if (Active == 0) return 0;
    ParticleList->Draw();
    SetBlend(ALPHABLEND);
    SetRotation(float(Rotation));
    if (Image2) {
        SetScale(Image2Scale, Image2Scale);
        DrawImage(Image2.get(), float(x + Image2xoff), float(y + Image2yoff), Image2Frame);
        SetScale(1, 1);
    }
    if (Image) {
        DrawImage(Image.get(), float(x), float(y), ImageFrame);
    } else {
        Plot(float(x), float(y));
    }
    SetRotation(0);
    if (UserDraw) UserDraw(x, y);
    return 0;
}

std::shared_ptr<TMouseRepeat> TMouseRepeat::Create(int initialDelayMs, int repeatDelayMs) {
    auto repeat = std::make_shared<TMouseRepeat>();
    repeat->InitialDelayLength = initialDelayMs;
    repeat->DelayLength = repeatDelayMs;
    return repeat;
}

int TMouseRepeat::GetButton() {
    return Step(Game->Mouse->GetMb() != 0, 2);
}
