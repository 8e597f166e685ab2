// TButton: the clickable image of every menu and dialog. A sprite with four state images (normal,
// mouse-over, pressed, disabled), hover and click sounds, hover growth and glow, an optional caption,
// an Enter/Space shortcut and optional mouse auto-repeat.
//
// A button consumes a click by reading the pointer's hit with clearing, so one click reaches only the
// first button that looks at it. Every draw leaves white, alpha 1, scale 1 and alpha blend behind. A
// pressed or disabled caption without a colour of its own for that state is drawn in the colour in force
// when it is drawn, not in its normal colour.
//
// Used by the menus (TMenu builds every button) and the game's state buttons.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "presentation/Sprite.h"

class TBitmapFont;
class TChannel;
class TColor;
class TGameSound;
class TImageFont;
class TLabel;
class TMouseRepeat;
class TShadow;

class TButton : public TSprite {
  public:
    TButton() = default;
    ~TButton() override = default;

    std::shared_ptr<TGameImage> ImageDisabled;
    std::shared_ptr<TGameImage> ImageMouseClick;
    std::shared_ptr<TGameImage> ImageMouseOver;
    std::shared_ptr<TGameSound> SoundMouseOver;
    std::shared_ptr<TGameSound> SoundClick;
    std::shared_ptr<TGameSound> SoundClick2;
    std::shared_ptr<TLabel> Caption;
    std::shared_ptr<TColor> CaptionDisabledColor;
    std::shared_ptr<TMouseRepeat> MouseRepeat;
    int Active = 1;
    int AlwaysDraw = 0;
    int Animated = 0;
    int ClickDisabled = 1;
    int ClickWhenDown = 0;
    int Disabled = 0;
    int OKButton = 0;
    int OKButtonUseSpace = 1;
    int StayDown = 0;
    int UseGlowOnMO = 1;
    int UseMenuPath = 0;
    // Returning non-zero vetoes the hover (and with it the click) for this tick.
    std::function<int()> MouseOverUserFunction;
    int Clicked = 0;
    int MouseOver = 0;
    int AutoGlowOnMO = 0;
    std::shared_ptr<TColor> CaptionDownColor;
    float CaptionDownScale = 1.0f;
    float CaptionDownOffsetX = 0, CaptionDownOffsetY = 0;
    std::shared_ptr<TChannel> ChannelMouseOver, ChannelClick;
    int FixedGlowOnMO = 0;
    int FixedGlowOnMOUseMO = 0;
    float MouseClickCounter = 0;
    float MouseClickDuration = 0;
    int NoSound = 0;
    int OldRoundedCoords = 0;
    float ScaleOnMOMax = 1.0f;
    float ScaleOnMO = 1.0f;
    float ScaleOnMOUpSpeed = 0.03f;
    float ScaleOnMODownSpeed = 0.01f;

    // Centred horizontally on the screen (integer halving) at y, top-left handle kept.
    void CentreX(int y) override;
    int Draw() override;
    void Init() override;
    void Kill() override;

    void ClearClick();
    // 1 when the click was taken; refused while the pressed image shows (unless ClickWhenDown).
    int Click(int alternative);
    static std::shared_ptr<TButton> CreateSpecial(const std::string& image, const std::string& imageMO,
                                                  const std::string& soundMO, const std::string& soundClick);
    void DrawCaption();
    void FixedGlowOnMOActivate();
    std::string GetPath() const;
    // Images from GetPath() + name + ".png" (a strip of cellW x cellH cells when frames > 1), sounds
    // from Game->SoundPath + name + ".wav"; empty names are skipped. A missing file is fatal.
    void Load(const std::string& image, const std::string& imageMO, const std::string& soundMO,
              const std::string& soundClick, int cellW, int cellH, int frames);
    void LoadDisabled(const std::string& image);
    void LoadImages(const std::string& image, const std::string& imageMO, int cellW, int cellH, int frames);
    void LoadMouseClick(const std::string& image, int ms);
    int Manage();
    void ManageNoSound();
    void ManageScaleOnMO();
    void MoveBy(float dx, float dy);
    void MoveTo(float x, float y);
    void PlayClick();
    void PlayClick2();
    void PlayMouseOver();
    void Precache();
    void SetFixedGlowOnMO(float max, float speed, int useMO);
    void SetAutoGlow(float min, float max, float speed, int onMO);
    void SetupCaption(const std::string& text, std::shared_ptr<TImageFont> font,
                      std::shared_ptr<TColor> color, std::shared_ptr<TShadow> shadow,
                      std::shared_ptr<TBitmapFont> bitmapFont, std::shared_ptr<TColor> inverseColor);
    void SetupCaptionDown(std::shared_ptr<TColor> color, float scale, float offsetX, float offsetY);
    void SetupMouseRepeat(int first, int repeat);
    void SetupScaleOnMO(float max, float upSpeed, float downSpeed);
    void SimulateClick();

  private:
    // Plays a sound through the game's channel pool, or on the button's own channel without one.
    void PlaySound(const std::shared_ptr<TGameSound>& sound, std::shared_ptr<TChannel>& ownChannel);
    // The state images are expected to exist; a missing one falls back to the normal image.
    const TGameImage* StateImage(const std::shared_ptr<TGameImage>& wanted) const;
    void DrawStateImage(const TGameImage* drawn, int drawFrame, float px, float py);
    void DrawGlowPass(const TGameImage* drawn, int drawFrame, float px, float py);
    void DrawPressedCaption();
};
