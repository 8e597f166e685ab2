// Dialogs: sizing and placing the box, caption and menu, opening and closing with optional slide and
// fade transitions, the answers of the OK, Yes/No and text-input kinds, and the box's drawing.
#include "presentation/Dialog.h"

#include <algorithm>

#include "core/ChannelArray.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/Screen.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "platform/Audio.h"
#include "platform/Draw.h"
#include "platform/ImageFont.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "presentation/Animation.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Font.h"
#include "presentation/GameImage.h"
#include "presentation/MousePointer.h"
#include "presentation/Sprite.h"

namespace {

// Plays a sound through the game's channel pool; the pool's channel used, shared, or null.
std::shared_ptr<TGameChannel> PlayPooled(const std::shared_ptr<TGameSound>& sound) {
    if (!sound || !Game || !Game->Channels) return nullptr;
    TGameChannel* used = Game->Channels->PlayGameSound(*sound, nullptr, 1.0f, 0.0f);
    for (const auto& item : Game->Channels->Items)
        if (item.get() == used) return item;
    return nullptr;
}

void SimulateClickOn(TMenu* menu, const std::string& name) {
    if (menu == nullptr) return;
    if (TButton* b = menu->FindButton(name)) b->SimulateClick();
}

int MenuClicked(TMenu* menu, const std::string& name) {
    return menu != nullptr ? menu->Clicked(name) : 0;
}

}  // namespace

void TDialog::Init(const std::string& caption, std::shared_ptr<TImage> background, int dw, int dh, int dx,
                   int dy) {
    Caption = TLabel::CreateSpecial(caption, 0, 0, 1, 0, 0);
    Background = std::move(background);
    DialogColor = TColor::Create(150, 150, 150, 1.0f);
    w = dw;
    FixedWidth = dw != 0 ? 1 : 0;
    h = dh;
    x = dx;
    y = dy;
}

void TDialog::Start() {
    CalcAll();
    MenuPosition();
    // A second Start while open must not take the dialog's own setting as the one to restore.
    if (Active == 0 && Game) {
        OldIgnoreEscapeKey = Game->IgnoreEscapeKey;
        Game->IgnoreEscapeKey = 1;
    }
    Active = 1;
    if (Slide == 5) Slide = Rand(1, 4);
    CalcOffset();
}

void TDialog::SetupCaption(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                           std::shared_ptr<TShadow> shadow, std::shared_ptr<TBitmapFont> bitmapFont) {
    if (!Caption) Caption = TLabel::CreateSpecial("", 0, 0, 1, 0, 0);
    Caption->Init(std::move(font), std::move(color), std::move(shadow), 0, std::move(bitmapFont), nullptr,
                  "");
    CalcAll();
    MenuPosition();
}

void TDialog::SetupTextHeader(const std::string& text, std::shared_ptr<TImageFont> font,
                              std::shared_ptr<TColor> color, std::shared_ptr<TShadow> shadow,
                              std::shared_ptr<TBitmapFont> bitmapFont, int tx, int ty, int centreVertically) {
    TextHeader = TLabel::CreateSpecial(text, float(tx), float(ty), 1, 0, centreVertically);
    TextHeader->Init(std::move(font), std::move(color), std::move(shadow), 0, std::move(bitmapFont), nullptr,
                     "");
}

void TDialog::SetSlide(int slide, int sine) {
    Slide = slide == 5 ? Rand(1, 4) : slide;
    SlideSine = sine;
    if (Slide > 0) {
        if (Caption) Caption->RoundCoords = 0;
        if (TextHeader) TextHeader->RoundCoords = 0;
    }
}

void TDialog::SetTransitions(int inMs, int outMs, float dim, int fade, int slide, int sine) {
    SetSlide(slide, sine);
    if (inMs > 0) {
        TransitionIn = TAnimation::Create(inMs, 0, 0, 0, 0);
        TransitionIn->Start();
        Transitioning = 1;
        CalcOffset();
        PlayPooled(SlideInSound);
    }
    if (outMs > 0) TransitionOut = TAnimation::Create(outMs, 0, 0, 0, 0);
    DimBackground = dim;
    FadeDialog = fade;
}

void TDialog::CalcAll() {
    CalcSize();
    SetLabelsXY();
}

float TDialog::CaptionHeight() {
    return Caption ? Caption->CalcHeight() : 0.0f;
}

float TDialog::MenuHeight() {
    return Menu ? float(Menu->CalcHeight()) : 0.0f;
}

void TDialog::CalcSize() {
    float captionWidth = 0;
    if (Caption) {
        Caption->CalcSize();
        captionWidth = Caption->W * Caption->Scale;
    }
    if (Background) {
        SetImageHandle(Background.get(), 0, 0);
        w = ImageWidth(Background.get());
        h = ImageHeight(Background.get());
    } else if (FixedWidth == 0) {
        w = int(captionWidth + float(2 * Border));
    }
    if (FixedWidth != 0 && Caption) {
        int wrapAt = 0;
        if (WordWrapWidth > 0 && captionWidth > float(WordWrapWidth)) {
            wrapAt = WordWrapWidth;
        } else if (WordWrapWidth == 0 && captionWidth + float(2 * Border) > float(w)) {
            // A box narrower than its margins still wraps word by word rather than not at all.
            wrapAt = std::max(1, w - 2 * Border);
        }
        if (wrapAt > 0) {
            Caption->WordWrap = wrapAt;
            Caption->PreCalcWordWrap();
            Caption->CalcHeight();
        }
    }
    CalcXY();
}

void TDialog::CalcXY() {
    if (Centre == 0) return;
    x = (ScreenWidth - w) / 2;
    y = (ScreenHeight - h) / 2;
}

void TDialog::CalcOffset() {
    OffsetX = 0;
    OffsetY = 0;
    if (Transitioning <= 0 || Slide <= 0) return;
    float r = 0;
    if (Transitioning == 1) {
        if (!TransitionIn) return;
        r = SlideSine != 0 ? 1 - TransitionIn->GetRatioInvSine() : TransitionIn->GetRatio();
    } else {
        if (!TransitionOut) return;
        r = SlideSine != 0 ? 1 - TransitionOut->GetRatioSine() : TransitionOut->GetRatioInv();
    }
    switch (Slide) {
        case 1:
            OffsetY = -float(y + h + SlideExtra) * r;
            break;
        case 2:
            OffsetX = float(ScreenWidth - x + SlideExtra) * r;
            break;
        case 3:
            OffsetY = float(ScreenHeight - y + SlideExtra) * r;
            break;
        case 4:
            OffsetX = -float(x + w + SlideExtra) * r;
            break;
        default:
            break;
    }
}

int TDialog::CaptionGetCentredX() {
    return x + w / 2;
}

void TDialog::HeaderLoad(const std::string& name, float hx, float hy) {
    Header =
        TSprite::Create(TGameImage::Create(Game->ImagePath + name + Ext, DEFAULT_IMAGE_FLAGS, 1), hx, hy);
}

void TDialog::SetLabelsXY() {
    if (!Caption) return;
    if (CaptionOX == 0 && CaptionOY == 0) {
        Caption->X = float(x) + float(w) / 2;
        if (Caption->WordWrap > 0 || CaptionCentreVert != 0) {
            Caption->Y = float(y) + float(h) / 2 - CaptionHeight() / 2;
        } else {
            Caption->Y = float(y + Border);
        }
    } else {
        Caption->X = float(CaptionOX);
        Caption->Y = float(CaptionOY);
    }
    Caption->X += float(CaptionOffsetX);
    Caption->Y += float(CaptionOffsetY);
}

void TDialog::MenuPosition() {
    if (Menu) Menu->ManageNoSound(OffsetX, OffsetY);
}

void TDialog::PlaceMenu() {
    CalcAll();
    if (!Menu) return;
    if (MenuOX == 0 && MenuOY == 0) {
        Menu->SetX(float(MenuGetCentredX()));
        Menu->SetY(float(y + h - Menu->CalcHeight() - Border));
    } else {
        Menu->SetX(float(MenuOX));
        Menu->SetY(float(MenuOY));
    }
    Menu->ManageNoSound(OffsetX, OffsetY);
}

int TDialog::MenuGetCentredX() {
    return x + (w - (Menu ? Menu->CalcWidth() : 0)) / 2;
}

int TDialog::Manage() {
    return ManageCore();
}

int TDialog::ManageCore() {
    if (Active == 0) return 0;
    if (ManageTransitions() == 1) return 1;
    if (Menu) {
        if (Disabled != 0 || Transitioning == 2) {
            Menu->ManageFixedGlowOnly();
        } else if (Transitioning == 0) {
            Menu->Manage(0, 0);
        }
    }
    return 1;
}

int TDialog::ManageTransitions() {
    if (TransitionIn && TransitionIn->Manage() != 0) {
        Transitioning = 0;
        if (FadeDialog != 0) SetAlphas(1.0f);
        if (ActivateSound) FadeChannel = PlayPooled(ActivateSound);
        FlushInput();
    }
    if (TransitionOut && Transitioning == 2) {
        if (TransitionOut->Manage() != 0) {
            if (FadeDialog != 0) SetAlphas(0);
            Transitioning = 0;
            FlushInput();
            Finalise();
            if (FadeChannel) {
                FadeChannel->OriginalVolume = 0;
                SetChannelVolume(FadeChannel->Channel.get(), 0);
            }
            return 1;
        }
        if (FadeChannel) {
            float ratio = TransitionOut->GetRatio();
            FadeChannel->OriginalVolume = ratio;
            SetChannelVolume(FadeChannel->Channel.get(), float(Game->SoundVolume) / 100.0f * ratio);
        }
    }
    auto rounding = [&](TLabel* label) {
        if (label == nullptr) return;
        if (Slide == 0 || Transitioning == 0) {
            label->RoundCoords = 1;
        } else {
            label->RoundCoords = 0;
            bool vertical = Slide == 1 || Slide == 3;
            label->RoundXCoord = vertical ? 1 : 0;
            label->RoundYCoord = vertical ? 0 : 1;
        }
    };
    rounding(Caption.get());
    rounding(TextHeader.get());
    CalcOffset();
    return 0;
}

int TDialog::Draw() {
    if (Active == 0) return 0;
    Alpha = 1;
    float dim = DimBackground;
    if (FadeDialog != 0) {
        if (Transitioning == 1 && TransitionIn) {
            Alpha = TransitionIn->GetRatioInv();
            if (DimBackground != 0) dim = TransitionIn->GetRatioInv() * DimBackground;
        } else if (Transitioning == 2 && TransitionOut) {
            Alpha = TransitionOut->GetRatio();
            if (DimBackground != 0) dim = TransitionOut->GetRatio() * DimBackground;
        }
    }
    if (dim > 0) DimScreen(dim);
    SetBlend(ALPHABLEND);
    SetAlpha(Alpha);
    if (Alpha != 1) SetAlphas(Alpha);
    float bx = float(x) + OffsetX, by = float(y) + OffsetY;
    if (Background) {
        DrawImageShadow(Background.get(), bx, by, Shadow.get());
    } else {
        if (DialogColor) DialogColor->Apply();
        DrawRectShadow(bx, by, float(w), float(h), Shadow.get());
        TColor::Restore();
        SetAlpha(Alpha);
    }
    DoDrawHighlight(Alpha);
    if (Header) {
        Header->UseOffset = Slide != 0 ? 1 : 0;
        Header->offx = OffsetX;
        Header->offy = OffsetY;
        Header->Draw();
    }
    if (TextHeader) TextHeader->Draw(OffsetX, OffsetY, 1);
    if (Caption) Caption->Draw(OffsetX, OffsetY, 1);
    TextAlpha = 1.0f;
    SetAlpha(Alpha);
    if (MenuShow != 0 && Menu) Menu->Draw(OffsetX, OffsetY);
    auto drawPicture = [&](const std::shared_ptr<TGameImage>& picture, int px, int py, float scale,
                           float angle, const std::shared_ptr<TShadow>& shadow) {
        if (!picture) return;
        SetScale(scale, scale);
        SetRotation(angle);
        if (shadow) {
            float shadowAlpha = shadow->Alpha;
            shadow->Alpha *= Alpha;
            shadow->Apply();
            DrawImage(picture->image.get(), float(px) + shadow->X + OffsetX, float(py) + shadow->Y + OffsetY);
            shadow->Alpha = shadowAlpha;
            TShadow::Restore();
        }
        SetAlpha(Alpha);
        DrawImage(picture->image.get(), float(px) + OffsetX, float(py) + OffsetY);
        SetScale(1, 1);
        SetRotation(0);
    };
    drawPicture(Picture, PictureX, PictureY, PictureScale, PictureAngle, PictureShadow);
    drawPicture(Picture2, Picture2X, Picture2Y, Picture2Scale, Picture2Angle, Picture2Shadow);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1.0f);
    return 1;
}

void TDialog::SetAlphas(float alpha) {
    if (Header) Header->Alpha = alpha;
    if (Menu) Menu->SetAlpha(alpha);
    if (Caption) Caption->Alpha = alpha;
    if (TextHeader) TextHeader->Alpha = alpha;
}

void TDialog::SetWordWrap(int width) {
    FixedWidth = 1;
    WordWrapWidth = width;
}

void TDialog::DoDrawHighlight(float alpha) {
    if (DrawHighlight == 0) return;
    SetColor(255, 255, 255);
    SetAlpha(0.5f * alpha);
    float lx = float(x) + OffsetX, ly = float(y) + OffsetY;
    DrawLine(lx, ly, lx + float(w - 1), ly);
    DrawLine(lx, ly, lx, ly + float(h - 1));
    SetAlpha(alpha);
}

int TDialog::Close(int result) {
    // A second answer while the closing transition runs changes nothing.
    if (Transitioning == 2) return 0;
    CloseResultTemp = result;
    if (TransitionOut) {
        TransitionOut->Start();
        Transitioning = 2;
        PlayPooled(SlideOutSound);
        return 0;
    }
    Finalise();
    return CloseResultTemp;
}

void TDialog::Finalise() {
    Active = 0;
    if (ReenableEscapeKey != 0 && Game) Game->IgnoreEscapeKey = OldIgnoreEscapeKey;
    CloseResult = CloseResultTemp;
}

void TDialog::Kill() {
    // Dropped while still open (its screen left): the game's Esc handling must come back.
    if (Active != 0) {
        Active = 0;
        if (ReenableEscapeKey != 0 && Game) Game->IgnoreEscapeKey = OldIgnoreEscapeKey;
    }
    if (Caption) Caption->Kill();
    Background.reset();
    Shadow.reset();
    DialogColor.reset();
    if (Menu) Menu->Kill();
    Menu.reset();
    Picture.reset();
    Picture2.reset();
    ActivateSound.reset();
    SlideInSound.reset();
    SlideOutSound.reset();
}

// ---- OK ----

std::unique_ptr<TDialogOK> TDialogOK::Create(const std::string& caption, std::shared_ptr<TImage> background,
                                             int dw, int dh, int dx) {
    auto dialog = std::make_unique<TDialogOK>();
    dialog->Init(caption, std::move(background), dw, dh, dx, 0);
    dialog->MenuCreate();
    return dialog;
}

void TDialogOK::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    h = int(CaptionHeight() + float(Gap + 2 * Border) + MenuHeight());
    CalcXY();
}

void TDialogOK::MenuPosition() {
    PlaceMenu();
}

void TDialogOK::MenuCreate() {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
    Menu->AddQuick("OK", "OK")->OKButton = 1;
}

int TDialogOK::Manage() {
    if (CloseResult != 0) return CloseResult;
    if (ManageCore() == 0) return 0;
    if (CloseResult != 0) return CloseResult;
    if (Transitioning != 0 || Disabled != 0) return 0;
    if (GameKeyHit(KEY_ESCAPE) ||
        (ClickAnywhereCloses != 0 && Game && Game->Mouse && Game->Mouse->GetMh(1) != 0)) {
        SimulateClickOn(Menu.get(), "OK");
        return OKClick();
    }
    if (MenuClicked(Menu.get(), "OK") != 0) return OKClick();
    return 0;
}

int TDialogOK::OKClick() {
    FlushInput();
    return Close(1);
}

// ---- Yes / No ----

std::unique_ptr<TDialogYesNo> TDialogYesNo::Create(const std::string& caption,
                                                   std::shared_ptr<TImage> background, int dw, int dh, int dx,
                                                   int withMenu, int buttonGap) {
    auto dialog = std::make_unique<TDialogYesNo>();
    dialog->Init(caption, std::move(background), dw, dh, dx, 0);
    dialog->ButtonGap = buttonGap;
    if (withMenu != 0) dialog->MenuCreate(dialog->ButtonGap);
    return dialog;
}

void TDialogYesNo::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    h = int(CaptionHeight() + float(Gap + 2 * Border) + MenuHeight());
    CalcXY();
}

void TDialogYesNo::MenuPosition() {
    PlaceMenu();
}

void TDialogYesNo::MenuCreate(int gap) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
    Menu->AddPair("Yes", "No", gap, "");
    if (TButton* yes = Menu->FindButton("Yes")) yes->OKButton = 1;
}

int TDialogYesNo::Manage() {
    if (CloseResult != 0) return CloseResult;
    if (ManageCore() == 0) return 0;
    if (CloseResult != 0) return CloseResult;
    if (Transitioning != 0 || Disabled != 0) return 0;
    if (GameKeyHit(KEY_ESCAPE) || GameKeyHit(KEY_A + ('N' - 'A'))) {
        SimulateClickOn(Menu.get(), "No");
        return NoClick();
    }
    if (GameKeyHit(KEY_A + ('Y' - 'A'))) {
        SimulateClickOn(Menu.get(), "Yes");
        return YesClick();
    }
    if (MenuClicked(Menu.get(), "No") != 0) return NoClick();
    if (MenuClicked(Menu.get(), "Yes") != 0) return YesClick();
    return 0;
}

int TDialogYesNo::YesClick() {
    FlushInput();
    if (YesFunc) YesFunc();
    return Close(1);
}

int TDialogYesNo::NoClick() {
    FlushInput();
    if (NoFunc) NoFunc();
    return Close(-1);
}

void TDialogYesNo::ClickSound() {
    if (!Menu) return;
    if (TButton* yes = Menu->FindButton("Yes")) yes->PlayClick();
}

// ---- Text input ----

std::unique_ptr<TDialogTextInput> TDialogTextInput::Create(const std::string& caption,
                                                           const std::string& initialText, int maxLength,
                                                           std::shared_ptr<TImage> background, int dw, int dx,
                                                           int dy, int maxPixelWidth) {
    auto dialog = std::make_unique<TDialogTextInput>();
    dialog->Init(caption, std::move(background), dw, 0, dx, dy);
    dialog->Text = TLabel::CreateSpecial(initialText, 0, 0, 0, 0, 0);
    dialog->BoxColor = TColor::Create(0, 0, 0, 1.0f);
    dialog->TextInput = std::make_unique<TTextInput>();
    dialog->TextInput->Text = initialText;
    dialog->TextInput->MaxLength = maxLength;
    dialog->TextInput->MaxPixelWidth = maxPixelWidth;
    return dialog;
}

void TDialogTextInput::Start() {
    TDialog::Start();
    if (Game) Game->BlockKeys = 1;
}

float TDialogTextInput::TextHeight() {
    return Text ? Text->CalcHeight() : 0.0f;
}

void TDialogTextInput::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    h = int(CaptionHeight() + TextHeight() + float(2 * Gap + 2 * Border) + MenuHeight());
    CalcXY();
}

void TDialogTextInput::SetLabelsXY() {
    TDialog::SetLabelsXY();
    if (!Text) return;
    if (TextOX == 0 && TextOY == 0) {
        Text->X = float(x + BoxBorderH + TextBorder);
        Text->Y = (Caption ? Caption->Y + CaptionHeight() : float(y + Border)) + float(Gap);
    } else {
        Text->X = float(TextOX);
        Text->Y = float(TextOY);
    }
    if (TextInput) {
        TextInput->X = int(Text->X);
        TextInput->Y = int(Text->Y) + TextYOffset;
    }
}

void TDialogTextInput::MenuPosition() {
    PlaceMenu();
}

void TDialogTextInput::SetupText(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                                 std::shared_ptr<TShadow> shadow, int fixedWidth,
                                 std::shared_ptr<TBitmapFont> bitmapFont) {
    if (!Text) Text = TLabel::CreateSpecial("", 0, 0, 0, 0, 0);
    if (!TextInput) TextInput = std::make_unique<TTextInput>();
    Text->Init(std::move(font), std::move(color), std::move(shadow), fixedWidth, std::move(bitmapFont),
               nullptr, "");
    Text->CalcSize();
    TextInput->Init(Text->ImageFont, Text->Text, int(Text->X), int(Text->Y), Text->BitmapFont);
    if (Game) Game->BlockKeys = 0;
    if (Text->Color) TextInput->TextCol->Copy(*Text->Color);
    if (Text->Shadow) {
        TextInput->TextShadow = TShadow::Create(Text->Shadow->X, Text->Shadow->Y, Text->Shadow->Alpha);
    } else {
        TextInput->TextShadow.reset();
    }
    TextInput->DrawDots = fixedWidth != 0 ? 1 : 0;
    TextInput->AllowNull = AllowNull;
    TButton* cancel = Menu ? Menu->FindButton("Cancel") : nullptr;
    TextInput->AllowEscToAbort = cancel != nullptr ? 1 : 0;
    // The entry reads Enter from the character queue in typing order; an Enter shortcut on the button
    // would fire as soon as the key goes down and close the dialog before characters typed just ahead
    // of it had been taken. Space types a blank.
    if (TButton* ok = Menu ? Menu->FindButton("OK") : nullptr) {
        ok->OKButton = 0;
        ok->OKButtonUseSpace = 0;
    }
    MenuPosition();
}

void TDialogTextInput::MenuCreate(int withCancel, int gap) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
    if (withCancel != 0) {
        Menu->AddPair("OK", "Cancel", gap, "");
    } else {
        Menu->AddQuick("OK", "OK");
    }
    if (TButton* ok = Menu->FindButton("OK")) ok->OKButton = 1;
}

int TDialogTextInput::ProcessOKClickedFunc() {
    if (!OKClickedFunc) return 1;
    if (OKClickedFunc(this) > 0) return 1;
    // Kept open: the entry takes keys again.
    Active = 1;
    if (TextInput && TextInput->Active == 0) TextInput->Reset();
    return 0;
}

int TDialogTextInput::OKClickTest() {
    if (!TextInput) return 0;
    TextInput->ForceDraw = 1;
    if (UppercaseFirstChar != 0) TextInput->Text = UpperFirst(TextInput->Text);
    auto refuse = [&] {
        if (Game) Game->BlockKeys = 1;
        // Without an error box to close, the entry must stay live or the dialog could never be answered.
        if (!DialogOK && TextInput->Active == 0) TextInput->Reset();
        return 0;
    };
    if (ErrorCheckFunc) {
        std::string error;
        if (ErrorCheckFunc(TextInput->Text, error) == -1) {
            if (ErrorDialogFunc) {
                DialogOK = ErrorDialogFunc(error);
                if (DialogOK) {
                    DialogOK->ReenableEscapeKey = 0;
                    if (DialogOK->Active == 0) DialogOK->Start();
                }
            }
            return refuse();
        }
    }
    if (AllowNull == 0 && Trim(TextInput->Text).empty()) return refuse();
    return 1;
}

int TDialogTextInput::OKClick() {
    FlushInput();
    return Close(1);
}

int TDialogTextInput::CancelClick() {
    if (TextInput) TextInput->ForceDraw = 1;
    FlushInput();
    return Close(-1);
}

void TDialogTextInput::ClickSound() {
    if (!Menu) return;
    if (TButton* ok = Menu->FindButton("OK")) ok->PlayClick();
}

int TDialogTextInput::AcceptOK() {
    if (ProcessOKClickedFunc() == 0) return 0;
    return OKClick();
}

int TDialogTextInput::Manage() {
    if (CloseResult != 0) return CloseResult;
    if (OKClickedScreen) {
        OKClickedScreen->Logic();
        if (OKClickedScreen->Destination == nullptr) return 0;
        OKClickedScreen->Kill();
        OKClickedScreen.reset();
        if (Menu) Menu->ClearStates();
        return 1;
    }
    if (OKClickedDialog) {
        if (OKClickedDialog->Manage() == 0) return 0;
        OKClickedDialog->Kill();
        OKClickedDialog.reset();
        if (Menu) Menu->ClearStates();
        return OKClick();
    }
    if (Active == 0) return 0;
    if (DialogOK) {
        if (DialogOK->Manage() != 0) {
            DialogOK->Kill();
            DialogOK.reset();
            if (Menu) {
                Menu->ClearStates();
                Menu->ManageNoSound(OffsetX, OffsetY);
            }
            if (TextInput) TextInput->Reset();
        }
        return 0;
    }
    if (ManageTransitions() == 1 || CloseResult != 0) return CloseResult;
    if (Disabled != 0 || Transitioning == 2) {
        if (Menu) Menu->ManageFixedGlowOnly();
        return 0;
    }
    if (Transitioning != 0) return 0;
    if (!TextInput) return 0;
    int typed = TextInput->Manage();
    if (typed == 1) {
        SimulateClickOn(Menu.get(), "OK");
        if (OKClickTest() == 0) return 0;
        return AcceptOK();
    }
    if (typed == -1) {
        SimulateClickOn(Menu.get(), "Cancel");
        return CancelClick();
    }
    if (!Menu) return 0;
    Menu->Manage(0, 0);
    if (Menu->Clicked("OK") != 0 && OKClickTest() != 0) {
        TextInput->Finish();
        return AcceptOK();
    }
    TButton* cancel = Menu->FindButton("Cancel");
    bool escape = cancel != nullptr && cancel->Active != 0 && GameKeyHit(KEY_ESCAPE);
    if (Menu->Clicked("Cancel") != 0 || escape) {
        TextInput->Finish();
        if (escape) ClickSound();
        return CancelClick();
    }
    return 0;
}

int TDialogTextInput::Draw() {
    if (DrawDisabled == 0 && TDialog::Draw() != 0) {
        if (DrawBox != 0 && BoxColor && Text) {
            BoxColor->Apply();
            DrawRect(float(x + BoxBorderH) + OffsetX, Text->Y - float(BoxBorderV) + OffsetY,
                     float(w - 2 * BoxBorderH), TextHeight() + float(2 * BoxBorderV));
            TColor::Restore();
        }
        if (TextInput) {
            TextInput->OffsetX = OffsetX;
            TextInput->OffsetY = OffsetY;
            TextInput->Draw();
        }
        if (DialogOK) {
            if (DimWhenShowingDialogs != 0) DimScreen(0.5f);
            DialogOK->Draw();
        }
        SetBlend(ALPHABLEND);
        SetAlpha(1.0f);
    }
    if (OKClickedScreen) OKClickedScreen->Draw();
    if (OKClickedDialog) OKClickedDialog->Draw();
    return 1;
}

void TDialogTextInput::Kill() {
    if (Active != 0 && Game) Game->BlockKeys = 0;
    TDialog::Kill();
    if (Text) Text->Kill();
    Text.reset();
    TextInput.reset();
    if (DialogOK) DialogOK->Kill();
    DialogOK.reset();
    if (OKClickedScreen) OKClickedScreen->Kill();
    OKClickedScreen.reset();
    if (OKClickedDialog) OKClickedDialog->Kill();
    OKClickedDialog.reset();
}
