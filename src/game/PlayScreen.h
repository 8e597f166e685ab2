// The play screen: grid size and difficulty as two radio sets, then a generated puzzle, a typed-in
// (custom) puzzle, a saved game through the chooser, or back to the title screen.
// Reached from the title screen; leads to the board screen.
#pragma once

#include <memory>
#include <string>

#include "game/MenuScreen.h"

class TMenu;
class TSaveGameManager;
class TSprite;

class TPlayScreen : public TMenuScreen {
  public:
    std::shared_ptr<TMenu> SizeMenu, DifficultyMenu, MainMenu;
    std::string ChosenDifficulty, ChosenSize;
    std::unique_ptr<TSaveGameManager> SaveGameManager;  // empty while the chooser is closed
    std::shared_ptr<TSprite> SizeLabel, DifficultyLabel;

    TPlayScreen();
    ~TPlayScreen() override;

    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;
    void ShowSaveGameManager();

  private:
    void ManageSaveGameManager();
    void ManageMenus();
};

extern std::unique_ptr<TPlayScreen> PlayScreen;

// The button names of a difficulty (0 to 4) and of a grid size; anything else gives "medium" / "9x9".
std::string DifficultyButtonName(int difficulty);
std::string SizeButtonName(int width);
