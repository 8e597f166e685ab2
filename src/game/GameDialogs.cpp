// The game's standard dialogs. Building loads images and measures text, which can take longer than a
// frame, so the fixed-rate timing restarts before and after each build and the first tick of the dialog
// does not catch up on the time spent here.
#include "game/GameDialogs.h"

#include "core/Game.h"
#include "core/Input.h"
#include "core/Startup.h"
#include "platform/Image.h"
#include "presentation/Color.h"
#include "presentation/Dialog.h"
#include "presentation/ImageBank.h"
#include "presentation/TextInput.h"

const char* const SaveNameBannedChars = "\"|*\\/:;~?<>";

namespace {

void RestartTiming() {
    if (Game && Game->FixedRateLogic) Game->FixedRateLogic->Init();
}

std::shared_ptr<TImage> Panel(const std::string& name) {
    return ImageBank->FindTImage(name);
}

void CommonLook(TDialog& dialog, int red, int green, int blue) {
    dialog.DrawHighlight = 0;
    dialog.Shadow = TShadow::Create(3, 3, 0.4f);
    dialog.SetupCaption(FontCalibri20, TColor::Create(red, green, blue, 1.0f), TShadow::Create(1, 1, 0.6f),
                        nullptr);
}

std::unique_ptr<TDialogTextInput> TextEntry(int withCancel, const std::string& caption,
                                            const std::string& panel, int maxLength, int boxBorder,
                                            const std::string& banned) {
    RestartTiming();
    auto dialog = TDialogTextInput::Create(caption, "", maxLength, Panel(panel), 0, 0, 0, 0);
    dialog->BoxBorderH = boxBorder;
    dialog->Gap = 11;
    dialog->MenuCreate(withCancel, 50);
    CommonLook(*dialog, 255, 255, 255);
    dialog->SetupText(FontCalibri20, TColor::Create(255, 255, 255, 1.0f), TShadow::Create(1, 1, 0.6f), 1,
                      nullptr);
    dialog->TextInput->DotCol = TColor::Create(255, 255, 255, 1.0f);
    dialog->TextInput->AllowExtendedChars = 1;
    dialog->TextInput->BannedChars = banned;
    RestartTiming();
    return dialog;
}

std::unique_ptr<TDialogOK> MessageBox(const std::string& caption, int red, int green, int blue) {
    RestartTiming();
    auto dialog = TDialogOK::Create(caption, Panel("inputlong"), 0, 0, 0);
    CommonLook(*dialog, red, green, blue);
    dialog->Start();
    RestartTiming();
    return dialog;
}

}  // namespace

std::unique_ptr<TDialogTextInput> InputLongDialog(int withCancel, int place, const std::string& caption) {
    return TextEntry(withCancel, caption + std::to_string(place) + "!", "inputlong", 13, 80, "");
}

std::unique_ptr<TDialogTextInput> InputDialog(int withCancel, const std::string& caption) {
    return TextEntry(withCancel, caption, "input", 14, 40, SaveNameBannedChars);
}

std::unique_ptr<TDialogOK> OKDialogLong(const std::string& caption) {
    return MessageBox(caption, 255, 0, 0);
}

std::unique_ptr<TDialogOK> OKDialogLongWhite(const std::string& caption) {
    return MessageBox(caption, 255, 255, 255);
}

std::unique_ptr<TDialogOK> NoticeDialog(const std::string& text) {
    RestartTiming();
    auto dialog = TDialogOK::Create(text, nullptr, 640, 0, 0);
    dialog->DialogColor = TColor::Create(40, 58, 88, 1.0f);
    dialog->DimBackground = 0.6f;
    CommonLook(*dialog, 255, 255, 255);
    dialog->Start();
    RestartTiming();
    return dialog;
}

std::unique_ptr<TDialogYesNo> YesNoDialogLong(const std::string& caption) {
    GameFlushKeys();
    RestartTiming();
    auto dialog = TDialogYesNo::Create(caption, Panel("inputlong"), 0, 0, 0, 1, 50);
    CommonLook(*dialog, 255, 255, 255);
    dialog->Start();
    RestartTiming();
    return dialog;
}
