// State images of menu buttons. Reloading the images of an existing button keeps its place in the menu
// and its position, so a radio set can be redrawn after every choice without rebuilding the menu.
#include "game/GameButtons.h"

#include "core/Game.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "presentation/Button.h"
#include "presentation/Menu.h"

namespace {

void GiveMenuSounds(TMenu& menu, TButton& button) {
    button.name = Upper(button.name);
    button.SoundMouseOver = menu.SoundMouseOver;
    button.SoundClick = menu.SoundClick;
}

// The image names of a radio button in its state.
void RadioImages(const std::string& name, bool chosen, int onMouseOverFlag, std::string& image,
                 std::string& imageMO) {
    if (chosen) {
        image = name + "On";
        imageMO = onMouseOverFlag ? name + "OnMO" : name + "MO";
    } else {
        image = name;
        imageMO = name + "MO";
    }
}

}  // namespace

TButton* SetButtonImageOn(TMenu& menu, int flag, const std::string& name) {
    return menu.AddQuick(flag ? name + "On" : name, name);
}

TButton* SetCheckImageOn(TMenu& menu, int flag, const std::string& name) {
    return menu.AddQuick(flag ? "checkOn" : "check", name);
}

void UpdateToggleButtonImages(TMenu& menu, TButton& button, int flag) {
    const std::string name = button.name;
    if (flag)
        button.LoadImages(name + "On", name + "OnMO", 0, 0, 1);
    else
        button.LoadImages(name, name + "MO", 0, 0, 1);
    GiveMenuSounds(menu, button);
}

void UpdateCheckButtonImages(TMenu& menu, TButton& button, int flag) {
    if (flag)
        button.LoadImages("checkOn", "checkOnMO", 0, 0, 1);
    else
        button.LoadImages("check", "checkMO", 0, 0, 1);
    GiveMenuSounds(menu, button);
}

TButton* SetToggleImage(TMenu& menu, const std::string& name, const std::string& chosenName,
                        int onMouseOverFlag) {
    std::string image, imageMO;
    RadioImages(name, Upper(name) == Upper(chosenName), onMouseOverFlag, image, imageMO);
    return menu.AddNew(image, imageMO, name, 0, 0, 1);
}

void UpdateToggleButtonsInList(TMenu& menu, const std::string& chosenName, int onMouseOverFlag) {
    const std::string chosen = Upper(chosenName);
    for (auto& button : menu) {
        std::string image, imageMO;
        RadioImages(button->name, Upper(button->name) == chosen, onMouseOverFlag, image, imageMO);
        button->LoadImages(image, imageMO, 0, 0, 1);
        GiveMenuSounds(menu, *button);
    }
}

std::unique_ptr<TButton> CreateCentredButton(const std::string& image, const std::string& imageMO, int cellW,
                                             int cellH, int frames) {
    auto button = std::make_unique<TButton>();
    button->UseMenuPath = 1;
    button->Load(image, imageMO, "", "", cellW, cellH, frames);
    button->CentreX(int(button->y));
    // A sound the bank has not loaded leaves the button silent rather than ending the game.
    if (SoundBank) {
        const auto mo = SoundBank->Map.find("BUTTONMO");
        if (mo != SoundBank->Map.end()) button->SoundMouseOver = mo->second;
        const auto click = SoundBank->Map.find("BUTTONCLICK");
        if (click != SoundBank->Map.end()) button->SoundClick = click->second;
    }
    return button;
}
