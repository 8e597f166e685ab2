// The play screen. The generating overlay is drawn over it and, while shown, stops its logic; the
// save-game chooser does the same while it is open.
#include "game/PlayScreen.h"

#include "core/Game.h"
#include "core/Startup.h"
#include "game/Core.h"
#include "game/GameButtons.h"
#include "game/GameDialogs.h"
#include "game/GameNotice.h"
#include "game/GameScreen.h"
#include "game/GenerateScreen.h"
#include "game/SaveGame.h"
#include "game/SaveGameManager.h"
#include "game/TitleScreen.h"
#include "presentation/Color.h"
#include "presentation/Font.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"
#include "presentation/Shapes.h"
#include "presentation/Sprite.h"

std::unique_ptr<TPlayScreen> PlayScreen;

namespace {

constexpr const char* SizeNames[] = {"4x4", "6x6", "9x9", "12x12", "16x16"};
constexpr int SizeValues[] = {4, 6, 9, 12, 16};
constexpr const char* DifficultyNames[] = {"veryeasy", "easy", "medium", "hard", "veryhard"};

std::shared_ptr<TSprite> GlowingLabel(const std::string& image, float x, float y) {
    auto sprite = TSprite::Create(ImageBank->Find(image), x, y);
    sprite->SetGlow(3, 0, 0.25f, 0, 0.5f);
    return sprite;
}

}  // namespace

std::string DifficultyButtonName(int difficulty) {
    return (difficulty >= 0 && difficulty <= 4) ? DifficultyNames[difficulty] : "medium";
}

std::string SizeButtonName(int width) {
    for (int i = 0; i < 5; ++i)
        if (SizeValues[i] == width) return SizeNames[i];
    return "9x9";
}

TPlayScreen::TPlayScreen() = default;
TPlayScreen::~TPlayScreen() = default;

void TPlayScreen::Load() {
    Game->FadeMusic = 0;
    ChosenDifficulty = DifficultyButtonName(PuzzleDifficulty);
    ChosenSize = SizeButtonName(PuzzleWidth);
    GenerateScreenReplace();

    LoadBackground("playscreen");
    LoadHeader("playoptionsheader", float(ScreenWidth / 2), 100);

    SizeMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    for (const char* name : SizeNames) SetToggleImage(*SizeMenu, name, ChosenSize, 0);
    SizeMenu->SetX(165);
    SizeMenu->SetY(230);

    DifficultyMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    for (const char* name : DifficultyNames) SetToggleImage(*DifficultyMenu, name, ChosenDifficulty, 0);
    DifficultyMenu->SetX(465);
    DifficultyMenu->SetY(230);

    MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    // Only "play" answers Enter: two Enter buttons on one menu would start a generated and a custom
    // puzzle on the same key press.
    MainMenu->AddNew("playsmall", "playsmallMO", "play", 0, 0, 1)->OKButton = 1;
    MainMenu->AddNew("customsmall", "customsmallMO", "custom", 0, 0, 1);
    MainMenu->AddNew("load", "loadMO", "loadgame", 0, 0, 1);
    MainMenu->AddNew("backsmall", "backsmallMO", "back", 0, 0, 1);
    for (auto& button : *MainMenu) button->ScaleOnMOMax = 1.15f;
    MainMenu->MakeRow(15);
    MainMenu->SetY(500);

    MenuSparklesOn();
    SizeLabel = GlowingLabel("sizelabel", 220, 205);
    DifficultyLabel = GlowingLabel("difficultylabel", 560, 205);
}

void TPlayScreen::Start() {
    TMenuScreen::Start();
    CustomPuzzleMode = 0;
    CustomPuzzleAccepted = 0;
}

void TPlayScreen::Logic() {
    ManageHeaderGlow();
    SizeLabel->ManageGlow();
    DifficultyLabel->ManageGlow();

    if (SaveGameManager) {
        ManageSaveGameManager();
        if (SaveGameManager && SaveGameManager->Active) return;
    }
    if (GenerateScreen) {
        GenerateScreen->Logic();
        if (GenerateScreen->Active) return;
    }
    ManageMenus();
}

void TPlayScreen::ManageSaveGameManager() {
    const int result = SaveGameManager->Manage();
    if (result == 0) return;
    const std::string name = SaveGameManager->ListBox->Value;
    SaveGameManager->Kill();
    SaveGameManager.reset();
    // A saved game that cannot be read has been reported to the player; the play screen stays, rather
    // than entering the board with whatever was in memory.
    if (result == 1 && SaveGameLoad(name) == 1) {
        Core.SetPuzzleRegion();
        Core.CreateCells(1);
        ChangeScreenTo(GameScreen.get());
        Game->Mouse->On();
    }
}

void TPlayScreen::ManageMenus() {
    SizeMenu->Manage(0, 0);
    DifficultyMenu->Manage(0, 0);
    MainMenu->Manage(0, 0);

    if (MainMenu->Clicked("play")) {
        Game->Mouse->Off();
        if (GenerateScreen) GenerateScreen->Show(1);
    } else if (MainMenu->Clicked("custom")) {
        CustomPuzzleMode = 1;
        Core.CustomPuzzle();
        ChangeScreenTo(GameScreen.get());
    } else if (MainMenu->Clicked("loadgame")) {
        Core.RestartPuzzle();
        ShowSaveGameManager();
    } else if (MainMenu->Clicked("back")) {
        ChangeScreenTo(TitleScreen.get());
    }

    for (int i = 0; i < 5; ++i) {
        if (!SizeMenu->Clicked(SizeNames[i])) continue;
        PuzzleWidth = PuzzleHeight = SizeValues[i];
        Core.SetPuzzleRegion();
        ChosenSize = SizeNames[i];
        UpdateToggleButtonsInList(*SizeMenu, ChosenSize, 0);
    }
    for (int i = 0; i < 5; ++i) {
        if (!DifficultyMenu->Clicked(DifficultyNames[i])) continue;
        PuzzleDifficulty = i;
        ChosenDifficulty = DifficultyNames[i];
        UpdateToggleButtonsInList(*DifficultyMenu, ChosenDifficulty, 0);
    }
}

void TPlayScreen::ShowSaveGameManager() {
    SaveGameManager =
        TSaveGameManager::Create(GameString("Choose Savegame"), ImageBank->FindTImage("manager"), 0, 0, 0,
                                 "dat", Game->ProfilePath, GameString("Delete File"));
    TSaveGameManager& manager = *SaveGameManager;
    manager.DrawHighlight = 0;
    manager.DimWhenActive = 1;
    manager.DimWhenShowingDialogs = 1;
    manager.Shadow = TShadow::Create(3, 3, 0.4f);
    manager.NavButtonsXPosition = 616;
    manager.ListBox->SetupFont(FontCalibri20, TColor::Create(255, 255, 255, 1.0f),
                               TShadow::Create(1, 1, 0.6f));
    manager.ListBox->SetupBox(TColor::Create(100, 100, 100, 0.5f));
    manager.ListBox->Centred = 1;
    manager.ListBox->HighlightCol = TColor::Create(255, 255, 255, 0.2f);
    manager.ListBox->HighlightUnder = 0;
    manager.ErrorDialogFunc = OKDialogLong;
    manager.DialogYesNoFunc = YesNoDialogLong;
    manager.SetupCaption(FontCalibri20, TColor::Create(255, 255, 255, 1.0f), TShadow::Create(1, 1, 0.6f),
                         nullptr);
    manager.Start();
    Game->FixedRateLogic->Init();
}

void TPlayScreen::Draw() {
    DrawBackground();
    DrawHeader();
    SizeLabel->Draw();
    DifficultyLabel->Draw();
    SizeMenu->Draw(0, 0);
    DifficultyMenu->Draw(0, 0);
    MainMenu->Draw(0, 0);
    if (SaveGameManager) SaveGameManager->Draw();
    if (GenerateScreen) GenerateScreen->Draw();
}

void TPlayScreen::Kill() {
    if (SaveGameManager) SaveGameManager->Kill();
    SaveGameManager.reset();
    SizeMenu.reset();
    DifficultyMenu.reset();
    MainMenu.reset();
    SizeLabel.reset();
    DifficultyLabel.reset();
    TMenuScreen::Kill();
}
