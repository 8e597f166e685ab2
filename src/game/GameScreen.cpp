// The board screen: loading and starting it, its logic tick (overlay, completion, dialogs, cells and menus,
// chosen number, bursts, end-of-puzzle menu, conflict flash, background change) and its frame.
#include "game/GameScreen.h"

#include <utility>

#include "core/Game.h"
#include "core/GameText.h"
#include "core/Input.h"
#include "core/SoundBank.h"
#include "core/Startup.h"
#include "game/Cells.h"
#include "game/Core.h"
#include "game/GameButtons.h"
#include "game/GameDialogs.h"
#include "game/GameHelpers.h"
#include "game/GenerateScreen.h"
#include "game/HighScoreList.h"
#include "game/PlayScreen.h"
#include "game/SaveGame.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "presentation/Color.h"
#include "presentation/Dialog.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Fade.h"
#include "presentation/GameFade.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"
#include "presentation/Particles.h"
#include "presentation/Sprite.h"

std::unique_ptr<TGameScreen> GameScreen = std::make_unique<TGameScreen>();
std::unique_ptr<TParticleList> CompletionParticles;
int LastBurstTime = 0;

namespace {

constexpr int ConflictFlashLength = 1000;
constexpr int BackgroundChangeInterval = 150000;
constexpr int BackgroundCrossFadeLength = 2000;
constexpr float MessageLineY = 565.0f;

// Keys that choose a number, by the number they choose.
struct TNumberKeys {
    int number;
    int keys[4];
};

constexpr TNumberKeys NumberKeys[] = {
    {0, {48, 96, 46, 8}}, {1, {49, 97, 0, 0}},  {2, {50, 98, 0, 0}},  {3, {51, 99, 0, 0}},
    {4, {52, 100, 0, 0}}, {5, {53, 101, 0, 0}}, {6, {54, 102, 0, 0}}, {7, {55, 103, 0, 0}},
    {8, {56, 104, 0, 0}}, {9, {57, 105, 0, 0}}, {10, {65, 0, 0, 0}},  {11, {66, 0, 0, 0}},
    {12, {67, 0, 0, 0}},  {13, {68, 0, 0, 0}},  {14, {69, 0, 0, 0}},  {15, {70, 0, 0, 0}},
    {16, {71, 0, 0, 0}},
};

// Held, or tapped since the last logic call: a quick tap can go down and up between two calls, and then
// only its hit is left to see.
bool NumberKeyDown(const TNumberKeys& entry) {
    bool chosen = false;
    for (int key : entry.keys)
        if (key != 0 && (GameKeyHit(key) != 0 || GameKeyDown(key) != 0)) chosen = true;
    return chosen;
}

std::string Text(const char* key) {
    return GameText->FindString(key);
}

std::shared_ptr<TGameImage> Background(int number) {
    return ImageBank->Find("gamescreen" + std::to_string(number));
}

// Manages an open dialog. Once it gives a result the action runs on yes or OK (before the dialog goes, so it
// can read what was typed), then the dialog is killed and dropped and the screen's escape handling restored.
template <typename Dialog, typename Action>
void ManageDialog(std::shared_ptr<Dialog>& dialog, int& showingInput, Action&& action) {
    if (!dialog) return;
    showingInput = 1;
    const int result = dialog->Manage();
    if (result == 1) action(*dialog);
    if (result == 0) return;
    showingInput = 0;
    if (dialog) dialog->Kill();
    dialog.reset();
    Game->IgnoreEscapeKey = 1;
}

std::string TypedText(const TDialogTextInput& dialog) {
    return dialog.TextInput ? dialog.TextInput->Text : "";
}

}  // namespace

bool BoardSolvedByTheRule() {
    const int n = PuzzleWidth;
    if (n < 1 || n > 16 || PuzzleHeight != n) return false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (PuzzleStart[x][y] != 0 && PuzzleStart[x][y] != Puzzle[x][y]) return false;
    return GridFollowsTheRule(Puzzle, n, RegionWidth, RegionHeight);
}

void ParticleBurst(float x, float y, const std::shared_ptr<TGameImage>& image, int n) {
    const int count = static_cast<int>(static_cast<float>(Game->Particles) / 100.0f * static_cast<float>(n));
    for (int i = 0; i < count; ++i) {
        const auto particle = ParticleBurstCreate(x, y, image);
        if (!particle) continue;
        const int r = Rand(100, 255), g = Rand(100, 255), b = Rand(100, 255);
        particle->Color = TColor::Create(r, g, b, 1.0f);
    }
}

std::shared_ptr<TParticle> ParticleBurstCreate(float x, float y, const std::shared_ptr<TGameImage>& image) {
    if (!CompletionParticles) return nullptr;
    const float dx = Rnd(-1.5f, 1.5f);
    const float dy = Rnd(-2.0f, 0.0f);
    const int direction = Rand(0, 1) == 0 ? -1 : 1;
    const float rotationSpeed = Rnd(0.5f, 3.0f);
    const float scale = Rnd(0.3f, 1.0f);
    return CompletionParticles->AddNew(static_cast<int>(x), static_cast<int>(y), image, dx, dy, 0.01f,
                                       1000.0f, 1, direction, rotationSpeed, scale, 0.0f, 0, 0);
}

void QDEndLevelMenu::Init(int x, int y) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->AddQuick("nextpuzzle", "");
    Menu->AddQuick("restartpuzzle", "");
    Menu->AddQuick("backtomenu", "");
    orgX = x;
    orgY = y;
    PositionMenu();
    ImageBank->Load("endlevelback");
    Show = 1;
}

void QDEndLevelMenu::PositionMenu() {
    if (!Menu) return;
    if (orgX < 0) {
        Menu->Centre();
    } else {
        X = orgX;
        Y = orgY;
        Menu->SetX(static_cast<float>(X));
        Menu->SetY(static_cast<float>(Y));
    }
}

void QDEndLevelMenu::Logic(int allowNext, int allowRestart, int allowBack) {
    Selected = 0;
    if (Show == 0 || !Menu) return;
    Menu->Manage(0, 0);
    if (allowNext != 0 && Menu->Clicked("nextpuzzle") != 0) Selected = 1;
    if (allowRestart != 0 && Menu->Clicked("restartpuzzle") != 0) Selected = 2;
    if (allowBack != 0 && Menu->Clicked("backtomenu") != 0) Selected = 3;
}

void QDEndLevelMenu::Draw(int allowNext, int allowRestart, int allowBack) {
    if (Show == 0 || !Menu) return;
    DrawImageShadow(ImageBank->Find("endlevelback")->image.get(), static_cast<float>(X),
                    static_cast<float>(Y), nullptr);
    const std::pair<int, const char*> buttons[] = {
        {allowNext, "nextpuzzle"}, {allowRestart, "restartpuzzle"}, {allowBack, "backtomenu"}};
    for (const auto& [allowed, name] : buttons) {
        if (allowed != 0) continue;
        TButton* button = Menu->FindButton(name);
        if (button == nullptr) continue;
        std::erase_if(Menu->Items, [button](const std::unique_ptr<TButton>& b) { return b.get() == button; });
        PositionMenu();
    }
    Menu->Draw(0, 0);
}

TGameScreen::TGameScreen() {
    name = "game";
}

void TGameScreen::Load() {
    LastImage = Rand(1, 4);
    ScreenImage = Background(LastImage);
    Image = ScreenImage->image;
    Header = TSprite::CreateFromFile("logosmall", 102, 50, 0, -1);
    GenerateScreenReplace();
    Game->Mouse->ParticleList->Clear();
    Game->Mouse->ParticleFunc = nullptr;
    DropDialogsAndEffects();
    Game->FadeMusic = 0;
    endLevelMenu = std::make_unique<QDEndLevelMenu>();
}

void TGameScreen::Start() {
    TScreen::Start();
    if (CustomPuzzleAccepted != 0) {
        CustomPuzzleMode = 0;
        CustomPuzzleAccepted = 0;
        Core.CreateCells(1);
        Core.RestartPuzzle();
    }
    ChosenNumber = 1;
    Game->GameFade->Init(static_cast<float>(DefaultFadeLength), 0, nullptr, 0, 0, nullptr);
    Game->FixedRateLogic->Init();
    BuildMenus();
    Game->Mouse->On();
    if (Header) Header->SetGlow(3, 0, 0.25f, 0, 0.5f);
    LastMouseZ = Game->Mouse->z;
    LastTime = 0;
    DidPauseOrSuspend = -1;
    Game->IgnoreEscapeKey = 1;
    LastFade = MilliSecs();
    EscapePressSeen = false;
}

void TGameScreen::Kill() {
    DropDialogsAndEffects();
    NumberMenu.reset();
    MainMenu.reset();
    PuzzleMenu.reset();
    CustomPuzzleMenu.reset();
    endLevelMenu.reset();
    TScreen::Kill();
}

void TGameScreen::DropDialogsAndEffects() {
    const auto drop = [](auto& dialog) {
        if (dialog) dialog->Kill();
        dialog.reset();
    };
    drop(RestartInput);
    drop(NewInput);
    drop(QuitInput);
    drop(NameInput);
    drop(SaveGameNameInput);
    drop(OKInput);
    ShowingInput = 0;
    CrossFade.reset();
    CompletionParticles.reset();
}

void TGameScreen::BuildMenus() {
    const int n = PuzzleHeight;
    ChosenNumberString = n > 9 ? "small" : "";
    NumberMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, n >= 10 ? 3 : 7);
    const std::string chosen = ChosenNumberString + std::to_string(ChosenNumber);
    for (int i = 0; i <= n; ++i)
        SetToggleImage(*NumberMenu, ChosenNumberString + std::to_string(i), chosen, 1);
    NumberMenu->CentreVert();
    NumberMenu->SetX(730);

    MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    for (const char* button : {"pause", "savegame", "newpuzzle", "restartpuzzle", "backtomenu"})
        MainMenu->AddQuick(button, "");
    MainMenu->SetY(100);
    MainMenu->SetX(27);

    PuzzleMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    SetButtonImageOn(*PuzzleMenu, ShowMistakes, "showhidemistakes");
    SetButtonImageOn(*PuzzleMenu, NumbersLocked, "lockunlocknumbers");
    PuzzleMenu->AddQuick("showrandomcell", "");
    PuzzleMenu->AddQuick("showdesiredcell", "");
    SetButtonImageOn(*PuzzleMenu, ShowMarkup, "showhideautomarkup");
    SetButtonImageOn(*PuzzleMenu, ShowSolution, "showhidesolution");
    PuzzleMenu->SetY(280);
    PuzzleMenu->SetX(27);

    CustomPuzzleMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    CustomPuzzleMenu->AddQuick("backtomenu", "");
    CustomPuzzleMenu->AddQuick("checkplay", "");
    CustomPuzzleMenu->SetY(100);
    CustomPuzzleMenu->SetX(27);
}

void TGameScreen::UpdateNumberButtons() {
    if (NumberMenu)
        UpdateToggleButtonsInList(*NumberMenu, ChosenNumberString + std::to_string(ChosenNumber), 1);
}

void TGameScreen::UpdateToggle(const char* buttonName, int flag) {
    if (!PuzzleMenu) return;
    if (TButton* button = PuzzleMenu->FindButton(buttonName))
        UpdateToggleButtonImages(*PuzzleMenu, *button, flag);
}

void TGameScreen::UpdateAllToggles() {
    UpdateToggle("lockunlocknumbers", NumbersLocked);
    UpdateToggle("showhidesolution", ShowSolution);
    UpdateToggle("showhidemistakes", ShowMistakes);
    UpdateToggle("showhideautomarkup", ShowMarkup);
}

bool TGameScreen::DialogOpen() const {
    return RestartInput || NewInput || QuitInput || NameInput || SaveGameNameInput || OKInput;
}

void TGameScreen::Logic() {
    if (Header) Header->ManageGlow();
    if (GenerateScreen) {
        GenerateScreen->Logic();
        if (GenerateScreen->Active != 0) return;
    }
    // Nothing to run before Load and Start have built the menus.
    if (!NumberMenu || !MainMenu || !PuzzleMenu || !CustomPuzzleMenu || !endLevelMenu) return;
    CheckCompletion();
    ManageDialogs();
    ManagePlay();
    ManageBursts();
    CellList.Move();
    if (CompletionParticles) CompletionParticles->Move();
    ManageEndLevelMenu();
    ManageMenuClicks();
    if (PuzzleCompleted == 0 && !DialogOpen()) {
        ManageAids();
        ManageChosenNumber();
    }
    if (ConflictShown != 0 && MilliSecs() - ConflictTime >= ConflictFlashLength) {
        ConflictShown = 0;
        ConflictX = 0;
        ConflictY = 0;
    }
    ManageBackground();
}

void TGameScreen::CheckCompletion() {
    if (CustomPuzzleMode != 0 || PuzzleCompleted != 0) return;
    if (Core.IsPuzzleCompleted() == 0) {
        // A typed-in puzzle may have more than one solution, and the engine kept only one of them: a full
        // board that keeps every given and breaks no rule is solved too, and becomes the solution shown.
        if (!BoardSolvedByTheRule()) return;
        Solution = Puzzle;
        PuzzleCompleted = 1;
    }
    HighlightX = -1;
    HighlightY = -1;
    CompletionParticles = std::make_unique<TParticleList>();
    StopwatchPause();
    Game->SoundPlay(SoundBank->Find("applause")->sound);
    const int place = HighScoreDifficulty() < 0 ? 0 : HighScoreWillEnter(PuzzleEndTime - PuzzleStartTime);
    if (place != 0) {
        NameInput = InputLongDialog(0, place, Text("Highscore Place"));
        NameInput->Start();
    }
    if (!NameInput) endLevelMenu->Init(-1, -1);
}

void TGameScreen::ManageDialogs() {
    ManageDialog(RestartInput, ShowingInput, [this](TDialogYesNo&) {
        Core.RestartPuzzle();
        Core.CreateCells(1);
        UpdateAllToggles();
    });
    ManageDialog(NewInput, ShowingInput, [](TDialogYesNo&) {
        Game->Mouse->Off();
        GenerateScreen->Show(1);
    });
    ManageDialog(QuitInput, ShowingInput, [](TDialogYesNo&) {
        Game->GameFade->Init(static_cast<float>(DefaultFadeLength), 1, nullptr, 1, 0, nullptr);
        Game->DestinationTScreen = PlayScreen.get();
    });
    ManageDialog(NameInput, ShowingInput, [this](TDialogTextInput& dialog) {
        HighlightX = -1;
        HighlightY = -1;
        HighScoreAdd(TypedText(dialog), HighScoreDifficulty(), PuzzleEndTime - PuzzleStartTime);
        endLevelMenu->Init(-1, -1);
    });
    ManageDialog(SaveGameNameInput, ShowingInput,
                 [](TDialogTextInput& dialog) { SaveGameSave(TypedText(dialog)); });
    bool replaceOverlay = false;
    ManageDialog(OKInput, ShowingInput, [&replaceOverlay](TDialogOK&) { replaceOverlay = true; });
    if (replaceOverlay) GenerateScreenReplace();
}

void TGameScreen::ManagePlay() {
    if (DialogOpen()) return;
    if (PuzzleCompleted == 0) {
        HighlightX = -1;
        HighlightY = -1;
        if (ShowHighlighter != 0) {
            if (TCell* cell = CellList.CellUnderPointer()) {
                HighlightX = cell->ArrayLocationX;
                HighlightY = cell->ArrayLocationY;
            }
        }
        CellList.Manage();
        NumberMenu->Manage(0, 0);
        if (CustomPuzzleMode == 0) {
            MainMenu->Manage(0, 0);
            PuzzleMenu->Manage(0, 0);
        } else {
            CustomPuzzleMenu->Manage(0, 0);
        }
    } else {
        MainMenu->Manage(0, 0);
    }
}

void TGameScreen::ManageBursts() {
    if (PuzzleCompleted == 0 || !CompletionParticles) return;
    const int now = MilliSecs();
    if (now - LastBurstTime < Rand(250, 750)) return;
    LastBurstTime = now;
    const int y = Rand(100, ScreenHeight - 100);
    const int x = Rand(100, ScreenWidth - 100);
    ParticleBurst(static_cast<float>(x), static_cast<float>(y), ImageBank->Find("particle2"), 50);
}

// The end-of-puzzle menu takes clicks only while no dialog is open, so a second click cannot replace an
// open question or start a new puzzle behind it.
void TGameScreen::ManageEndLevelMenu() {
    if (PuzzleCompleted == 0 || DialogOpen()) return;
    endLevelMenu->Logic(1, 1, 1);
    switch (endLevelMenu->Selected) {
        case 1:
            Game->Mouse->Off();
            GenerateScreen->Show(1);
            break;
        case 2:
            RestartInput = YesNoDialogLong(Text("Restart Puzzle"));
            break;
        case 3:
            QuitInput = YesNoDialogLong(Text("Exit Playing"));
            break;
        default:
            break;
    }
}

void TGameScreen::ManageMenuClicks() {
    if (DialogOpen() || (GenerateScreen && GenerateScreen->Active != 0)) return;
    if (MainMenu->Clicked("savegame") != 0 && PuzzleCompleted == 0) {
        SaveGameNameInput = InputDialog(1, Text("Enter Save Name"));
        SaveGameNameInput->Start();
    }
    if (MainMenu->Clicked("newpuzzle") != 0) NewInput = YesNoDialogLong(Text("Create Puzzle"));
    if (MainMenu->Clicked("restartpuzzle") != 0) RestartInput = YesNoDialogLong(Text("Restart Puzzle"));
    const bool back = MainMenu->Clicked("backtomenu") != 0;
    const bool customBack = CustomPuzzleMenu->Clicked("backtomenu") != 0;
    const bool escape = EscapeHeld();
    if (back || customBack || escape) QuitInput = YesNoDialogLong(Text("Exit Playing"));
    // The framework's own pause, so that the music state is kept and given back on resume.
    if (MainMenu->Clicked("pause") != 0 && Game->Paused == 0) Game->TogglePause();
    if (CustomPuzzleMenu->Clicked("checkplay") != 0) {
        Game->Mouse->Off();
        GenerateScreen->Show(1);
    }
}

// Escape counts while it is held, once the board has seen it pressed; a press too short to be seen held
// counts by its hit, which is taken so that no later question mistakes it for its own. A press whose hit the
// framework took first (to end the fade-in) is spent on that until the key is let go.
bool TGameScreen::EscapeHeld() {
    const bool hit = GameKeyHit(KEY_ESCAPE) != 0;
    const bool down = GameKeyDown(KEY_ESCAPE) != 0;
    if (hit) {
        EscapePressSeen = true;
    } else if (!down) {
        EscapePressSeen = false;
    }
    return hit || (down && EscapePressSeen);
}

void TGameScreen::ManageAids() {
    if (PuzzleMenu->Clicked("showrandomcell") != 0) Core.ShowRandomCell();
    if (PuzzleMenu->Clicked("showdesiredcell") != 0) Core.ShowDesiredCell();
    if (PuzzleMenu->Clicked("lockunlocknumbers") != 0) {
        Core.LockNumbers();
        UpdateToggle("lockunlocknumbers", NumbersLocked);
    }
    if (PuzzleMenu->Clicked("showhidesolution") != 0) {
        Core.ShowHideSolution();
        UpdateToggle("showhidesolution", ShowSolution);
    }
    if (PuzzleMenu->Clicked("showhidemistakes") != 0) {
        Core.ShowHideMistakes();
        UpdateToggle("showhidemistakes", ShowMistakes);
    }
    if (PuzzleMenu->Clicked("showhideautomarkup") != 0) {
        Core.ShowHideMarkup();
        UpdateToggle("showhideautomarkup", ShowMarkup);
    }
}

void TGameScreen::ManageChosenNumber() {
    for (const TNumberKeys& entry : NumberKeys) {
        const std::string button = ChosenNumberString + std::to_string(entry.number);
        if (NumberMenu->Clicked(button) != 0 || NumberKeyDown(entry)) {
            ChosenNumber = entry.number;
            UpdateToggleButtonsInList(*NumberMenu, button, 1);
        }
    }
    const int z = Game->Mouse->z;
    if (z < LastMouseZ) ++ChosenNumber;
    if (z > LastMouseZ) --ChosenNumber;
    if (ChosenNumber > PuzzleHeight) ChosenNumber = 0;
    if (ChosenNumber < 0) ChosenNumber = PuzzleHeight;
    if (z != LastMouseZ) {
        LastMouseZ = z;
        UpdateNumberButtons();
    }
}

void TGameScreen::ManageBackground() {
    const int now = MilliSecs();
    if (now - LastFade >= BackgroundChangeInterval) {
        const int next = LastImage % 4 + 1;
        const auto previous = ScreenImage;
        ScreenImage = Background(next);
        Image = ScreenImage->image;
        CrossFade = TCrossFade::Create(previous->image, ScreenImage->image, BackgroundCrossFadeLength);
        CrossFade->SetImage1Coords(static_cast<float>(ScreenWidth / 2), static_cast<float>(ScreenHeight / 2));
        CrossFade->SetImage2Coords(static_cast<float>(ScreenWidth / 2), static_cast<float>(ScreenHeight / 2));
        LastImage = next;
        LastFade = now;
    }
    if (CrossFade) {
        CrossFade->Manage();
        if (!CrossFade->Anim || CrossFade->Anim->Active == 0) CrossFade.reset();
    }
}

void TGameScreen::Draw() {
    Cls();
    SetBlend(ALPHABLEND);
    SetTextShadow(2, 2, 0.6f);
    DrawBackground();
    if (Game->Paused == 0 && Game->Suspended == 0)
        CellList.Draw(PuzzleCompleted == 0 && !DialogOpen() ? 1 : 0);
    if (ShowDesiredCellArmed != 0)
        DrawTextBlock(Text("Click Contents Message"), -1, MessageLineY, FontCalibri25, 1, 1, 1, 0);
    if (PuzzleCompleted != 0)
        DrawTextBlock(Text("Finished Puzzle Message"), -1, MessageLineY, FontCalibri25, 1, 1, 1, 0);
    if (CustomPuzzleMode == 0 && ShowTimer != 0) {
        SetColor(255, 255, 255);
        SetImageFont(FontCalibri34);
        DrawTextAt(Text("Time Field") + StopwatchText(), 25, 490, 1, 1);
        SetAlpha(1.0f);
    }
    StopwatchAroundPauses();
    DrawMenus();
    if (CompletionParticles) CompletionParticles->Draw();
    if (PuzzleCompleted != 0 && endLevelMenu) endLevelMenu->Draw(1, 1, 1);
    DrawDialogs();
    if (GenerateScreen) GenerateScreen->Draw();
}

void TGameScreen::DrawBackground() {
    if (CrossFade) {
        CrossFade->Draw();
    } else if (ScreenImage) {
        SetBlend(SOLIDBLEND);
        DrawImage(ScreenImage->image.get(), static_cast<float>(ScreenWidth / 2),
                  static_cast<float>(ScreenHeight / 2));
    }
    SetBlend(ALPHABLEND);
    if (Header) Header->Draw();
}

void TGameScreen::DrawMenus() {
    if (!NumberMenu || !MainMenu || !PuzzleMenu || !CustomPuzzleMenu) return;
    if (PuzzleCompleted == 0) {
        NumberMenu->Draw(0, 0);
    } else {
        NumberMenu->ClearMouseOver();
        PuzzleMenu->ClearMouseOver();
        CustomPuzzleMenu->ClearMouseOver();
    }
    if (CustomPuzzleMode == 0) {
        MainMenu->Draw(0, 0);
        if (PuzzleCompleted == 0) PuzzleMenu->Draw(0, 0);
    } else {
        CustomPuzzleMenu->Draw(0, 0);
    }
}

void TGameScreen::DrawDialogs() {
    if (RestartInput) RestartInput->Draw();
    if (NewInput) NewInput->Draw();
    if (QuitInput) QuitInput->Draw();
    if (NameInput) NameInput->Draw();
    if (SaveGameNameInput) SaveGameNameInput->Draw();
    if (OKInput) OKInput->Draw();
}

// Runs in Draw, so it also works while the game's logic is halted by a pause or a lost focus: the time spent
// paused is left out of the puzzle time.
void TGameScreen::StopwatchAroundPauses() {
    if (Game->Paused != 0 && LastTime == 0) {
        if (PuzzleCompleted == 0) {
            PuzzleEndTime = MilliSecs();
            LastTime = PuzzleEndTime;
        }
        DidPauseOrSuspend = 0;
    } else if (Game->Suspended != 0 && LastTime == 0) {
        if (PuzzleCompleted == 0) {
            PuzzleEndTime = MilliSecs();
            LastTime = PuzzleEndTime;
        }
        DidPauseOrSuspend = 1;
    }
    if (PuzzleEndTime != 0 && LastTime != 0 &&
        ((DidPauseOrSuspend == 0 && Game->Paused == 0) || (DidPauseOrSuspend == 1 && Game->Suspended == 0))) {
        PuzzleStartTime = MilliSecs() - (PuzzleEndTime - PuzzleStartTime);
        DidPauseOrSuspend = -1;
        LastTime = 0;
        PuzzleEndTime = 0;
    }
}

void BoardScreensInit() {
    if (!GameScreen) GameScreen = std::make_unique<TGameScreen>();
    if (!GenerateScreen) GenerateScreen = std::make_unique<TGenerateScreen>();
    Core.OnCreateCells = [](int flyIn) { CreateBoardCells(flyIn); };
    Core.OnCustomPuzzleAccepted = [] {
        Game->GameFade->Init(static_cast<float>(DefaultFadeLength), 1, nullptr, 1, 0, nullptr);
        Game->DestinationTScreen = GameScreen.get();
    };
}
