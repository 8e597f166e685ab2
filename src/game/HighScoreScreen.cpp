// The best-time screen. Each sliding row carries a copy of its table entry, so a row always shows the
// entry it was built for even while the table changes under it.
#include "game/HighScoreScreen.h"

#include <algorithm>

#include "core/Game.h"
#include "core/Input.h"
#include "core/Startup.h"
#include "game/Core.h"
#include "game/GameDialogs.h"
#include "game/GameNotice.h"
#include "game/HighScoreList.h"
#include "game/TitleScreen.h"
#include "platform/Draw.h"
#include "presentation/Dialog.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/SlideLine.h"
#include "presentation/Sprite.h"

std::unique_ptr<THighScoreScreen> HighScoreScreen;

namespace {

constexpr const char* TabNames[] = {"4x4", "6x6", "9x9", "12x12", "16x16"};
constexpr int TabSizes[] = {4, 6, 9, 12, 16};
constexpr int RowHeight = 25;
constexpr int RestingPhase = 2;
// Pixels between a name (with its shadow) and the difficulty column.
constexpr float NameGap = 12.0f;

}  // namespace

THighScoreScreen::THighScoreScreen() = default;
THighScoreScreen::~THighScoreScreen() = default;

void THighScoreScreen::Load() {
    LoadBackground("titlescreen");
    LoadHeader("highscoresheader", float(ScreenWidth / 2), 50);

    SizeMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    for (const char* name : TabNames) {
        const std::string image = std::string(name) + "button";
        SizeMenu->AddNew(image, image + "MO", name, 0, 0, 1)->ScaleOnMOMax = 1.15f;
    }
    SizeMenu->MakeRow(15);
    SizeMenu->SetY(115);

    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    TButton* ok = Menu->AddNew("oksmall", "oksmallMO", "ok", 0, 0, 1);
    ok->OKButton = 1;
    ok->ScaleOnMOMax = 1.15f;
    Menu->AddNew("clear", "clearMO", "clear", 0, 0, 1)->ScaleOnMOMax = 1.15f;
    Menu->MakeRow(15);
    Menu->SetY(Menu->y + 260);

    MenuSparklesOn();
    Game->FadeMusic = 0;

    HighScoreList = &HighScores6;
    SetSlideLines();
    if (ClearHighscore) ClearHighscore->Kill();
    ClearHighscore.reset();
    ShowingInput = 0;
}

void THighScoreScreen::SetSlideLines() {
    int lineY = StartY;
    w = col3 - col1;
    height = 0;
    SetImageFont(FontCalibri34);
    // A name ends left of the widest difficulty text, with a gap and room for its shadow; each row's text
    // is its name so fitted, once rather than every frame.
    float difficultyWidth = TextWidth(GameString("Difficulty"));
    for (int level = 0; level <= 4; ++level)
        difficultyWidth = std::max(difficultyWidth, TextWidth(DifficultyName(level)));
    const float nameWidth = float(col2 - col1) - difficultyWidth - NameGap;
    SlideLines = std::make_unique<TSlideLineList>();
    if (HighScoreList) {
        for (std::size_t i = 0; i < HighScoreList->Entries.size(); ++i) {
            const int index = int(i);
            const std::string name = FitText(HighScoreList->Entries[i].name, nameWidth);
            TSlideLine* line = SlideLines->Add(name, -w, lineY, -w, lineY, index * 30);
            const int fromX = index % 2 == 0 ? -w : ScreenWidth;
            line->AddPhaseSpecial(fromX, lineY, col1, lineY, 600);
            line->AddPhaseSpecial(col1, lineY, col1, lineY, 500);
            line->AttachObject(std::make_shared<TPellixHighScore>(HighScoreList->Entries[i]));
            lineY += RowHeight;
            height += RowHeight;
        }
    }
    SlideLines->Start();
}

void THighScoreScreen::Logic() {
    ManageHeaderGlow();
    if (ClearHighscore) {
        ShowingInput = 1;
        const int answer = ClearHighscore->Manage();
        if (answer == 1 && HighScoreList) {
            HighScoreList->Entries.clear();
            HighScoreList->CreateDefault();
            HighScoreList->Save();
            SetSlideLines();
        }
        if (answer != 0) {
            ShowingInput = 0;
            ClearHighscore->Kill();
            ClearHighscore.reset();
            Game->IgnoreEscapeKey = 1;
        }
    } else {
        Menu->Manage(0, 0);
        SizeMenu->Manage(0, 0);
        // The Escape that may have closed the question is spent; from the next tick Escape leaves.
        if (!GameKeyDown(27)) Game->IgnoreEscapeKey = 0;
    }

    if (Menu->Clicked("ok")) ChangeScreenTo(TitleScreen.get());
    if (Menu->Clicked("clear")) ClearHighscore = YesNoDialogLong(GameString("Clear Highscore"));
    for (int i = 0; i < 5; ++i) {
        if (!SizeMenu->Clicked(TabNames[i])) continue;
        HighScoreList = HighScoreTable(TabSizes[i]);
        SetSlideLines();
    }
    SlideLines->Manage();
}

void THighScoreScreen::Draw() {
    Cls();
    DrawBackground();
    SetImageFont(FontCalibri34);
    ImageBank->Find("blackback")->Draw(float(ScreenWidth / 2), float(ScreenHeight / 2 - 16));
    DrawHeader();
    Menu->Draw(0, 0);
    SizeMenu->Draw(0, 0);

    SetImageFont(FontCalibri34);
    SetColor(255, 255, 0);
    DrawTextAt(GameString("Name"), float(col1), float(StartY - 30), 1, 1);
    DrawTextRight(GameString("Difficulty"), float(col2), float(StartY - 30), 1, 1);
    DrawTextRight(GameString("Time"), float(col3), float(StartY - 30), 1, 1);

    for (const auto& line : SlideLines->Lines) {
        const auto entry = std::static_pointer_cast<TPellixHighScore>(line->AttachedObject);
        if (!entry) continue;
        const float lx = line->GetX();
        const float ly = float(int(line->GetY()));
        if (line->Active && line->CurrentPhase == RestingPhase) {
            const float r = line->GetRatio();
            SetColor(int(255 - 155 * r), 255, int(255 - 255 * r));
        } else {
            SetColor(255, 255, 255);
        }
        DrawTextAt(line->text, lx, ly, 1, 0);
        DrawTextRight(DifficultyName(entry->difficulty), lx + float(col2 - col1), ly, 1, 0);
        DrawTextRight(FormatMinSec(entry->time), lx + float(col3 - col1), ly, 1, 0);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    if (ClearHighscore) ClearHighscore->Draw();
}

void THighScoreScreen::Kill() {
    if (ClearHighscore) ClearHighscore->Kill();
    ClearHighscore.reset();
    SizeMenu.reset();
    SlideLines.reset();
    TMenuScreen::Kill();
}
