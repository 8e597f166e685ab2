// The board screen: the screen on which a puzzle is played or typed in, and its end-of-puzzle menu.
//
// It owns the board's menus (number choice, main menu, aids, custom-puzzle menu) and the dialogs it opens,
// turns keys and the wheel into the chosen number, hands clicks to the cells, runs the stopwatch around
// pauses, and celebrates a finished puzzle. The generating overlay is drawn on top of it and, while shown,
// stops all of its own logic. Dialogs and menus are held by shared pointers so this header needs only their
// names; every dialog pointer is empty while that dialog is closed.
//
// Made at start-up (GameStartup); entered from the play screen and the generating overlay. Once left it holds
// nothing until it is entered again.
#pragma once

#include <memory>
#include <string>

#include "core/Screen.h"

class TMenu;
class TDialogYesNo;
class TDialogTextInput;
class TDialogOK;
class TCrossFade;
class TParticle;
class TParticleList;
class TGameImage;

// The menu offered once a puzzle is finished: next puzzle, restart, back to the menu.
class QDEndLevelMenu {
  public:
    std::shared_ptr<TMenu> Menu;
    int X = 400, Y = 300;    // where the panel is drawn
    int orgX = 0, orgY = 0;  // the requested menu position; a negative orgX means centred
    int Selected = 0;        // this frame: 0 nothing, 1 next puzzle, 2 restart, 3 back to the menu
    int Show = 0;

    void Init(int x, int y);
    void PositionMenu();
    void Logic(int allowNext, int allowRestart, int allowBack);
    void Draw(int allowNext, int allowRestart, int allowBack);
};

class TGameScreen : public TScreen {
  public:
    TGameScreen();

    std::shared_ptr<TMenu> NumberMenu;
    std::shared_ptr<TMenu> MainMenu;
    std::shared_ptr<TMenu> PuzzleMenu;
    std::shared_ptr<TMenu> CustomPuzzleMenu;
    std::shared_ptr<TDialogYesNo> RestartInput;
    std::shared_ptr<TDialogYesNo> NewInput;
    std::shared_ptr<TDialogYesNo> QuitInput;
    std::shared_ptr<TDialogTextInput> NameInput;
    std::shared_ptr<TDialogTextInput> SaveGameNameInput;
    std::shared_ptr<TDialogOK> OKInput;  // the "Not Solvable" message, set by the generating overlay
    std::shared_ptr<TCrossFade> CrossFade;
    int LastFade = 0;   // MilliSecs of the last background change
    int LastImage = 1;  // current background, 1 to 4
    int ShowingInput = 0;
    int LastMouseZ = 0;
    int LastTime =
        0;  // MilliSecs at which a pause or suspension froze the stopwatch; 0 when not frozen by one
    int DidPauseOrSuspend = -1;      // -1 none, 0 frozen by a pause, 1 frozen by a suspension
    std::string ChosenNumberString;  // prefix of the number buttons: "" up to 9 x 9, "small" above
    std::unique_ptr<QDEndLevelMenu> endLevelMenu;

    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    // Lets go of the menus, dialogs, pictures and bursts; the next entry builds them afresh.
    void Kill() override;

    // Builds the four menus for the current board and aid flags.
    void BuildMenus();
    // Redraws the number buttons with ChosenNumber's button chosen.
    void UpdateNumberButtons();

  private:
    std::shared_ptr<TGameImage> ScreenImage;  // the current background picture
    // The board has seen the press of the Escape now held (its hit); a press whose hit went elsewhere first
    // (ending the fade-in) does not also ask to leave.
    bool EscapePressSeen = false;

    // Closes every dialog and drops the background cross-fade and the bursts.
    void DropDialogsAndEffects();
    void CheckCompletion();
    void ManageDialogs();
    void ManagePlay();
    void ManageAids();
    void ManageChosenNumber();
    void ManageBursts();
    void ManageEndLevelMenu();
    void ManageMenuClicks();
    bool EscapeHeld();
    void ManageBackground();
    void UpdateToggle(const char* name, int flag);
    void UpdateAllToggles();
    void StopwatchAroundPauses();
    void DrawBackground();
    void DrawMenus();
    void DrawDialogs();
    bool DialogOpen() const;
};

extern std::unique_ptr<TGameScreen> GameScreen;

// The completion bursts of the board screen and the time of the last one.
extern std::unique_ptr<TParticleList> CompletionParticles;
extern int LastBurstTime;

// True when every cell holds a number, every given is kept and no number repeats in a row, column or region.
bool BoardSolvedByTheRule();

void ParticleBurst(float x, float y, const std::shared_ptr<TGameImage>& image, int n);
// Adds one burst particle to CompletionParticles and returns it; nullptr when there is no list.
std::shared_ptr<TParticle> ParticleBurstCreate(float x, float y, const std::shared_ptr<TGameImage>& image);

// Wires the board screens into the board model (cell rebuilding, the change to the board screen after an
// accepted custom puzzle). Start-up calls it once, after the board model's start.
void BoardScreensInit();
