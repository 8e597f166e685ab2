// TButton: loading, per-tick input (hover, click, shortcut, repeat), hover growth and glow, and the
// state-dependent draw with its caption.
#include "presentation/Button.h"

#include "core/ChannelArray.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/SoundBank.h"
#include "platform/Audio.h"
#include "platform/Draw.h"
#include "platform/Keys.h"
#include "presentation/Font.h"
#include "presentation/MousePointer.h"

void TButton::CentreX(int py) {
    MoveTo(float((ScreenWidth - w) / 2), float(py));
}

void TButton::Init() {
    TSprite::Init();
    GetSize();
    ClearClick();
}

void TButton::Kill() {
    if (!Game || !Game->Channels) {
        StopChannel(ChannelMouseOver.get());
        StopChannel(ChannelClick.get());
    }
    ChannelMouseOver.reset();
    ChannelClick.reset();
    Caption.reset();
    MouseRepeat.reset();
    TSprite::Kill();
}

void TButton::ClearClick() {
    Clicked = 0;
    MouseClickCounter = 0;
    MouseOver = 0;
    Glow = 0;
}

int TButton::Click(int alternative) {
    if (MouseClickCounter != 0 && !(ClickWhenDown == 1 && MouseClickCounter > 0)) return 0;
    if (Clicked == 0 && NoSound == 0) {
        if (alternative != 0 && SoundClick2) {
            PlayClick2();
        } else {
            PlayClick();
        }
    }
    Clicked = 1;
    if (ImageMouseClick) MouseClickCounter = MouseClickDuration;
    return 1;
}

std::shared_ptr<TButton> TButton::CreateSpecial(const std::string& image, const std::string& imageMO,
                                                const std::string& soundMO, const std::string& soundClick) {
    auto button = std::make_shared<TButton>();
    button->Load(image, imageMO, soundMO, soundClick, 0, 0, 1);
    return button;
}

void TButton::DrawCaption() {
    if (!Caption) return;
    bool unrounded = false;
    if (ScaleOnMO > 1) {
        SetScale(ScaleOnMO, ScaleOnMO);
        Caption->RoundCoords = 0;
        unrounded = true;
    }
    Caption->Draw(offx, offy, 0);
    if (unrounded) Caption->RoundCoords = OldRoundedCoords;
}

void TButton::FixedGlowOnMOActivate() {
    if (FixedGlowOnMO == 1 && MouseClickCounter == 0) SetGlow(2, GlowMax, GlowSpeed, 0, GlowMax);
}

std::string TButton::GetPath() const {
    if (!Game) return "";
    return UseMenuPath != 0 ? Game->MenuPath : Game->ImagePath;
}

void TButton::Load(const std::string& imageName, const std::string& imageMO, const std::string& soundMO,
                   const std::string& soundClick, int cellW, int cellH, int frames) {
    SetName(imageName);
    if (!Game || !Game->Channels) {
        ChannelMouseOver = AllocChannel();
        ChannelClick = AllocChannel();
    }
    LoadImages(imageName, imageMO, cellW, cellH, frames);
    std::string soundPath = Game ? Game->SoundPath : "";
    if (!soundMO.empty()) SoundMouseOver = TGameSound::Create(soundPath + soundMO + ".wav", 0);
    if (!soundClick.empty()) SoundClick = TGameSound::Create(soundPath + soundClick + ".wav", 0);
    Init();
}

void TButton::LoadDisabled(const std::string& imageName) {
    ImageDisabled = TGameImage::Create(GetPath() + imageName + ".png", DEFAULT_IMAGE_FLAGS, 0);
}

void TButton::LoadImages(const std::string& imageName, const std::string& imageMO, int cellW, int cellH,
                         int frames) {
    auto load = [&](const std::string& file) {
        std::string path = GetPath() + file + ".png";
        std::shared_ptr<TGameImage> loaded =
            frames > 1 ? TGameImage::CreateAuto(path, cellW, cellH, 0, frames, DEFAULT_IMAGE_FLAGS, 0)
                       : TGameImage::Create(path, DEFAULT_IMAGE_FLAGS, 0);
        loaded->MidHandle(0);
        return loaded;
    };
    image = load(imageName);
    if (!imageMO.empty()) ImageMouseOver = load(imageMO);
}

void TButton::LoadMouseClick(const std::string& imageName, int ms) {
    ImageMouseClick = TGameImage::Create(GetPath() + imageName + ".png", DEFAULT_IMAGE_FLAGS, 0);
    MouseClickDuration = Game ? Game->CalcAnimLength(ms) : 0;
}

int TButton::Manage() {
    int input = Active != 0 && (Disabled == 0 || ClickDisabled == 1);
    bool over = false;
    if (input) {
        ManageAnim();
        if (GlowMode > 0) ManageGlow();
        TMousePointer* mouse = Game ? Game->Mouse.get() : nullptr;
        int mx = mouse ? mouse->x : -1, my = mouse ? mouse->y : -1;
        float left = x + offx, top = y + offy;
        bool inside = mouse && float(mx) >= left && float(mx) < left + float(w) && float(my) >= top &&
                      float(my) < top + float(h);
        if (inside && (!MouseOverUserFunction || MouseOverUserFunction() == 0)) {
            over = true;
            if (MouseClickCounter == 0) {
                if (MouseOver == 0 && NoSound == 0) PlayMouseOver();
                MouseOver = 1;
            }
            FixedGlowOnMOActivate();
            int button = MouseRepeat ? MouseRepeat->GetButton() : 0;
            // The press that starts a repeat is also the pointer's hit: consume it here so that it
            // does not reach a second widget as a fresh click.
            if (button == 1) mouse->GetMh(1);
            if (button != 0 || mouse->GetMh(1) != 0) {
                Click(button == 2 ? 1 : 0);
            } else {
                Clicked = 0;
            }
            if (ScaleOnMOMax > 1) {
                ScaleOnMO += ScaleOnMOUpSpeed * Delta;
                if (ScaleOnMO > ScaleOnMOMax) ScaleOnMO = ScaleOnMOMax;
            }
        } else {
            MouseOver = 0;
            Clicked = 0;
        }
        if (OKButton != 0 && (GameKeyHit(KEY_ENTER) || (OKButtonUseSpace != 0 && GameKeyHit(KEY_SPACE))))
            SimulateClick();
    } else {
        MouseOver = 0;
        Clicked = 0;
        if (FixedGlowOnMO == 1) ManageGlow();
    }
    if (!over) ManageScaleOnMO();
    if (MouseClickCounter > 0 && StayDown == 0) {
        MouseClickCounter -= Delta;
        if (MouseClickCounter < 0) MouseClickCounter = 0;
    }
    return 0;
}

void TButton::ManageNoSound() {
    NoSound = 1;
    Manage();
    NoSound = 0;
}

void TButton::ManageScaleOnMO() {
    if (ScaleOnMO > 1) {
        ScaleOnMO -= ScaleOnMODownSpeed * Delta;
        if (ScaleOnMO < 1) ScaleOnMO = 1;
    }
}

void TButton::MoveBy(float mx, float my) {
    x += mx;
    y += my;
    if (Caption) {
        Caption->X += mx;
        Caption->Y += my;
    }
}

void TButton::MoveTo(float nx, float ny) {
    MoveBy(nx - x, ny - y);
}

void TButton::PlaySound(const std::shared_ptr<TGameSound>& sound, std::shared_ptr<TChannel>& ownChannel) {
    if (!sound || !Game) return;
    if (Game->Channels) {
        Game->Channels->PlayGameSound(*sound, nullptr, 1.0f, 0.0f);
    } else {
        sound->PlayInChannel(ownChannel, 0.0f);
    }
}

void TButton::PlayClick() {
    PlaySound(SoundClick, ChannelClick);
}

void TButton::PlayClick2() {
    PlaySound(SoundClick2, ChannelClick);
}

void TButton::PlayMouseOver() {
    PlaySound(SoundMouseOver, ChannelMouseOver);
}

void TButton::Precache() {
    for (const auto* img : {&image, &ImageMouseOver, &ImageMouseClick, &ImageDisabled})
        if (*img) (*img)->Precache();
}

void TButton::SetFixedGlowOnMO(float max, float glowSpeed, int useMO) {
    FixedGlowOnMO = 1;
    FixedGlowOnMOUseMO = useMO;
    GlowMax = max;
    GlowSpeed = glowSpeed;
}

void TButton::SetAutoGlow(float min, float max, float glowSpeed, int onMO) {
    SetGlow(3, max, glowSpeed, min, max);
    AutoGlowOnMO = onMO;
}

void TButton::SetupCaption(const std::string& text, std::shared_ptr<TImageFont> font,
                           std::shared_ptr<TColor> color, std::shared_ptr<TShadow> shadow,
                           std::shared_ptr<TBitmapFont> bitmapFont, std::shared_ptr<TColor> inverseColor) {
    Caption = TLabel::CreateSpecial(text, x + w2, y + h2, 1, 0, 0);
    Caption->CentreVertically = 1;
    Caption->Init(std::move(font), std::move(color), std::move(shadow), 0, std::move(bitmapFont),
                  std::move(inverseColor), "");
}

void TButton::SetupCaptionDown(std::shared_ptr<TColor> color, float scale, float offsetX, float offsetY) {
    CaptionDownColor = std::move(color);
    CaptionDownScale = scale;
    CaptionDownOffsetX = offsetX;
    CaptionDownOffsetY = offsetY;
}

void TButton::SetupMouseRepeat(int first, int repeat) {
    MouseRepeat = TMouseRepeat::Create(first, repeat);
}

void TButton::SetupScaleOnMO(float max, float upSpeed, float downSpeed) {
    ScaleOnMOMax = max;
    ScaleOnMOUpSpeed = upSpeed;
    ScaleOnMODownSpeed = downSpeed;
}

void TButton::SimulateClick() {
    FixedGlowOnMOActivate();
    if (Click(0) != 0) MouseOver = 1;
}

const TGameImage* TButton::StateImage(const std::shared_ptr<TGameImage>& wanted) const {
    return wanted ? wanted.get() : image.get();
}

void TButton::DrawStateImage(const TGameImage* drawn, int drawFrame, float px, float py) {
    if (drawn == nullptr) return;
    DrawShadow(drawn, drawFrame, 0);
    DrawImage(drawn->image.get(), px, py, drawFrame);
}

// The additive pass over the image just drawn; colour and blend go back to white and alpha blend, the
// button's alpha is put back.
void TButton::DrawGlowPass(const TGameImage* drawn, int drawFrame, float px, float py) {
    if (drawn == nullptr) return;
    SetBlend(LIGHTBLEND);
    int level = int(Glow * 255);
    SetColor(level, level, level);
    // As for any sprite, a colour of the button tints its glow.
    if (Color) Color->ApplyNoAlpha();
    DrawImage(drawn->image.get(), px, py, drawFrame);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    if (UseAlpha != 0) SetAlpha(Alpha);
}

void TButton::DrawPressedCaption() {
    if (!Caption) return;
    Caption->ApplyCustomColor(CaptionDownColor);
    bool unrounded = CaptionDownScale != 1 || ScaleOnMO > 1;
    if (unrounded) Caption->RoundCoords = 0;
    float captionScale = CaptionDownScale;
    if (ScaleOnMO > 1) {
        SetScale(ScaleOnMO, ScaleOnMO);
        if (!Caption->BitmapFont) captionScale = CaptionDownScale * ScaleOnMO;
    }
    if (CaptionDownScale != 1) Caption->ApplyScale(captionScale);
    Caption->Draw(offx + CaptionDownOffsetX * ScaleOnMO, offy + CaptionDownOffsetY * ScaleOnMO, 0);
    Caption->RestoreScale();
    if (unrounded) Caption->RoundCoords = OldRoundedCoords;
}

int TButton::Draw() {
    if (Active == 0 && AlwaysDraw == 0) return 0;
    SetBlend(ALPHABLEND);
    float oldX = x, oldY = y;
    x += offx;
    y += offy;
    if (UseAlpha != 0) SetAlpha(Alpha);
    if (Caption) {
        OldRoundedCoords = Caption->RoundCoords;
        Caption->Alpha = Alpha;
    }
    float oldScaleX = ScaleX, oldScaleY = ScaleY;
    bool scaled = ScaleOnMO > 1;
    if (scaled) {
        SetScale(ScaleOnMO, ScaleOnMO);
        const TImage* img = image ? image->image.get() : nullptr;
        x += float(ImageWidth(img)) * (1 - ScaleOnMO) / 2;
        y += float(ImageHeight(img)) * (1 - ScaleOnMO) / 2;
        ScaleX = ScaleOnMO;
        ScaleY = ScaleOnMO;
    } else {
        SetScale(ScaleX, ScaleY);
    }
    auto restoreScale = [&] { SetScale(ScaleX, ScaleY); };

    if (MouseClickCounter > 0) {
        const TGameImage* drawn = StateImage(ImageMouseClick);
        DrawStateImage(drawn, 0, x, y);
        if (GlowMode > 0 && Glow > 0) DrawGlowPass(drawn, 0, x, y);
        restoreScale();
        DrawPressedCaption();
    } else if ((MouseOver != 0 && ImageMouseOver) || (FixedGlowOnMOUseMO != 0 && GlowMode > 0 && Glow > 0)) {
        const TGameImage* drawn = StateImage(ImageMouseOver);
        DrawStateImage(drawn, frame, x, y);
        if (GlowMode > 0 && Glow > 0 && (FixedGlowOnMO != 0 || AutoGlowOnMO != 0) && UseGlowOnMO != 0)
            DrawGlowPass(drawn, frame, x, y);
        restoreScale();
        if (Caption) {
            Caption->ApplyInverse();
            DrawCaption();
        }
    } else if (Disabled != 0) {
        DrawStateImage(StateImage(ImageDisabled), 0, x, y);
        if (Caption) {
            Caption->ApplyCustomColor(CaptionDisabledColor);
            DrawCaption();
        }
    } else {
        DrawStateImage(image.get(), frame, x, y);
        if (GlowMode > 0 && Glow > 0) DrawGlowPass(image.get(), frame, x, y);
        restoreScale();
        if (Caption) {
            Caption->Apply();
            DrawCaption();
        }
    }

    x = oldX;
    y = oldY;
    if (UseAlpha != 0) SetAlpha(1);
    if (scaled) {
        ScaleX = oldScaleX;
        ScaleY = oldScaleY;
    }
    SetScale(1, 1);
    SetColor(255, 255, 255);
    return 1;
}
