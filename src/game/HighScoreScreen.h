// The best-time screen: one best-time table at a time, with a tab per grid size, the rows sliding in
// from alternating sides, "ok" back to the title screen and "clear" to reset the shown table after a
// yes/no question.
// Reached from the title screen.
#pragma once

#include <memory>

#include "game/MenuScreen.h"

class TDialogYesNo;
class TMenu;
class TPellixHighScoreList;
class TSlideLineList;

class THighScoreScreen : public TMenuScreen {
  public:
    std::shared_ptr<TMenu> SizeMenu;
    std::unique_ptr<TSlideLineList> SlideLines;
    int StartY = 200;
    int col1 = 80;
    int col2 = 600;
    int col3 = 720;
    int w = 0;
    int height = 0;
    TPellixHighScoreList* HighScoreList = nullptr;
    std::unique_ptr<TDialogYesNo> ClearHighscore;  // empty while the question is closed
    int ShowingInput = 0;

    THighScoreScreen();
    ~THighScoreScreen() override;

    void Load() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;
    void SetSlideLines();
};

extern std::unique_ptr<THighScoreScreen> HighScoreScreen;
