// Menu buttons whose images show a state: toggle buttons (name / name + "On"), check boxes (the fixed
// "check" images) and radio sets (one chosen button of a menu shows its "On" images). The state itself
// lives in the caller's variables; these functions only pick the images.
// Used by the board, play and options screens.
#pragma once

#include <memory>
#include <string>

class TButton;
class TMenu;

TButton* SetButtonImageOn(TMenu& menu, int flag, const std::string& name);
TButton* SetCheckImageOn(TMenu& menu, int flag, const std::string& name);
void UpdateToggleButtonImages(TMenu& menu, TButton& button, int flag);
void UpdateCheckButtonImages(TMenu& menu, TButton& button, int flag);
// A radio button called name, chosen when name equals chosenName (case ignored). A chosen button shows
// name + "OnMO" under the pointer when onMouseOverFlag is set, else name + "MO".
TButton* SetToggleImage(TMenu& menu, const std::string& name, const std::string& chosenName,
                        int onMouseOverFlag);
// Reloads every button's images so that only the button named chosenName shows its "On" state.
void UpdateToggleButtonsInList(TMenu& menu, const std::string& chosenName, int onMouseOverFlag);
// A button from the menu folder centred on the screen, with the game's hover and click sounds; with
// frames > 1 its images are strips of cellW x cellH cells.
std::unique_ptr<TButton> CreateCentredButton(const std::string& image, const std::string& imageMO, int cellW,
                                             int cellH, int frames);
