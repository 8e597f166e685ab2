// TDialog, the modal box of the framework, and its three ready-made kinds: TDialogOK, TDialogYesNo and
// TDialogTextInput.
//
// A screen creates a dialog, calls Start, then Manage every logic tick and Draw every frame. Manage
// returns 0 while the dialog is open, then 1 (OK, Yes) or -1 (Cancel, No) once it has closed; the owner
// then calls Kill and drops it. While a dialog is open the game's own Esc handling is off, so Esc
// reaches the dialog.
//
// Used by the game's dialogs (GameDialogs), the save-game chooser and the board screen.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "presentation/Menu.h"
#include "presentation/TextInput.h"

class TAnimation;
class TBitmapFont;
class TColor;
class TGameChannel;
class TGameImage;
class TGameSound;
class TImage;
class TImageFont;
class TLabel;
class TScreen;
class TShadow;
class TSprite;

class TDialog {
  public:
    TDialog() = default;
    virtual ~TDialog() = default;
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    std::shared_ptr<TLabel> Caption;
    std::shared_ptr<TImage> Background;
    int Active = 0;
    int Disabled = 0;
    std::shared_ptr<TShadow> Shadow;
    int DrawHighlight = 1;
    int w = 0, h = 0;
    int x = 0, y = 0;
    int Border = 20;
    std::shared_ptr<TColor> DialogColor;
    std::unique_ptr<TMenu> Menu;
    int MenuShow = 1;
    int Centre = 1;
    int FixedWidth = 0;
    int WordWrapWidth = 0;
    int ReenableEscapeKey = 1;
    int OldIgnoreEscapeKey = 0;
    int CaptionOX = 0, CaptionOY = 0;
    int CaptionOffsetX = 0, CaptionOffsetY = 0;
    int CaptionCentreVert = 0;
    int MenuOX = 0, MenuOY = 0;
    std::shared_ptr<TSprite> Header;
    std::string Ext = ".png";
    std::shared_ptr<TLabel> TextHeader;
    std::shared_ptr<TGameImage> Picture;
    int PictureX = 0, PictureY = 0;
    float PictureScale = 1.0f, PictureAngle = 0;
    std::shared_ptr<TShadow> PictureShadow;
    std::shared_ptr<TGameImage> Picture2;
    int Picture2X = 0, Picture2Y = 0;
    float Picture2Scale = 1.0f, Picture2Angle = 0;
    std::shared_ptr<TShadow> Picture2Shadow;
    std::shared_ptr<TAnimation> TransitionIn, TransitionOut;
    int Transitioning = 0;
    float DimBackground = 0;
    int FadeDialog = 0;
    int CloseResultTemp = 0;
    int CloseResult = 0;
    // The pool channel of the activation sound (shared with the pool, which may replace it).
    std::shared_ptr<TGameChannel> FadeChannel;
    int Slide = 0;
    int SlideSine = 0;
    int SlideExtra = 0;
    float OffsetX = 0, OffsetY = 0;
    float Alpha = 1.0f;
    std::shared_ptr<TGameSound> ActivateSound, SlideInSound, SlideOutSound;

    virtual void Init(const std::string& caption, std::shared_ptr<TImage> background, int w, int h, int x,
                      int y);
    virtual void Start();
    virtual void SetupCaption(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                              std::shared_ptr<TShadow> shadow, std::shared_ptr<TBitmapFont> bitmapFont);
    virtual void SetupTextHeader(const std::string& text, std::shared_ptr<TImageFont> font,
                                 std::shared_ptr<TColor> color, std::shared_ptr<TShadow> shadow,
                                 std::shared_ptr<TBitmapFont> bitmapFont, int x, int y, int centreVertically);
    virtual void SetSlide(int slide, int sine);
    virtual void SetTransitions(int inMs, int outMs, float dim, int fade, int slide, int sine);
    virtual void CalcAll();
    virtual void CalcSize();
    virtual void CalcXY();
    virtual void CalcOffset();
    virtual int CaptionGetCentredX();
    virtual void HeaderLoad(const std::string& name, float x, float y);
    virtual void SetLabelsXY();
    virtual void MenuPosition();
    virtual int MenuGetCentredX();
    virtual int Manage();
    virtual int ManageCore();
    // 1 on the tick the closing transition ends.
    virtual int ManageTransitions();
    // 0 when inactive.
    virtual int Draw();
    virtual void SetAlphas(float alpha);
    virtual void SetWordWrap(int width);
    virtual void DoDrawHighlight(float alpha);
    virtual int Close(int result);
    virtual void Finalise();
    virtual void Kill();

  protected:
    // The ready-made dialogs' menu placement: centred in the box, its bottom Border above the box's.
    void PlaceMenu();
    // Caption height scaled as drawn (0 without a caption).
    float CaptionHeight();
    float MenuHeight();
};

class TDialogOK : public TDialog {
  public:
    int Gap = 50;
    int ClickAnywhereCloses = 0;

    static std::unique_ptr<TDialogOK> Create(const std::string& caption, std::shared_ptr<TImage> background,
                                             int w, int h, int x);
    void CalcSize() override;
    void MenuPosition() override;
    int Manage() override;
    void MenuCreate();
    int OKClick();
};

class TDialogYesNo : public TDialog {
  public:
    int Gap = 50;
    int ButtonGap = 50;
    std::function<int()> YesFunc;
    std::function<int()> NoFunc;

    static std::unique_ptr<TDialogYesNo> Create(const std::string& caption,
                                                std::shared_ptr<TImage> background, int w, int h, int x,
                                                int withMenu, int buttonGap);
    void CalcSize() override;
    void MenuPosition() override;
    int Manage() override;
    void MenuCreate(int gap);
    int YesClick();
    int NoClick();
    void ClickSound();
};

class TDialogTextInput : public TDialog {
  public:
    std::shared_ptr<TLabel> Text;
    int CharWidth = 0;
    int Gap = 30;
    std::shared_ptr<TColor> BoxColor;
    int DrawBox = 1;
    int BoxBorderH = 10, BoxBorderV = 5;
    int TextBorder = 10;
    std::unique_ptr<TTextInput> TextInput;
    int TextYOffset = 0;
    int AllowNull = 0;
    // Returns -1 to reject the text, with the reason written into error.
    std::function<int(const std::string& text, std::string& error)> ErrorCheckFunc;
    std::function<std::unique_ptr<TDialogOK>(const std::string& error)> ErrorDialogFunc;
    std::unique_ptr<TDialogOK> DialogOK;
    int TextOX = 0, TextOY = 0;
    // Called after a valid OK; a result <= 0 keeps the dialog open.
    std::function<int(TDialogTextInput*)> OKClickedFunc;
    // A nested screen run after OK: its Logic runs every tick and it is done once it names a
    // Destination.
    std::unique_ptr<TScreen> OKClickedScreen;
    std::unique_ptr<TDialog> OKClickedDialog;
    int DrawDisabled = 0;
    int UppercaseFirstChar = 1;
    int DimWhenShowingDialogs = 0;

    static std::unique_ptr<TDialogTextInput> Create(const std::string& caption,
                                                    const std::string& initialText, int maxLength,
                                                    std::shared_ptr<TImage> background, int w, int x, int y,
                                                    int maxPixelWidth);
    void Start() override;
    void CalcSize() override;
    void SetLabelsXY() override;
    void MenuPosition() override;
    int Manage() override;
    int Draw() override;
    void Kill() override;
    void SetupText(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                   std::shared_ptr<TShadow> shadow, int fixedWidth, std::shared_ptr<TBitmapFont> bitmapFont);
    void MenuCreate(int withCancel, int gap);
    int ProcessOKClickedFunc();
    int OKClickTest();
    int OKClick();
    int CancelClick();
    void ClickSound();

  private:
    float TextHeight();
    // After a valid OK (typed Enter or clicked): the OK hook, then closing.
    int AcceptOK();
};
