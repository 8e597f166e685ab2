// The level chooser: folder scan, page building, completion ticks, selection by mouse and keys, drawing.
#include "game/QDLevelList.h"

#include <algorithm>
#include <cmath>

#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "core/SoundBank.h"
#include "core/Startup.h"
#include "core/StringUtils.h"
#include "game/GameHelpers.h"
#include "game/QDMouse.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/SineCounter.h"

namespace {

constexpr int SlotXs[4] = {100, 300, 500, 700};
constexpr int UpperRowY = 217, LowerRowY = 360;
constexpr int ClickHalfWidth = 80, ClickHalfHeight = 50;

}  // namespace

QDLevelList::QDLevelList() : GlowCounter(std::make_shared<TSineCounter>()) {}
QDLevelList::~QDLevelList() = default;

std::unique_ptr<QDLevelList> QDLevelList::Create(
    const std::string& folderPath, const std::string& filePrefix, const std::string& currentLevel,
    const std::string& levelSizeText, const std::string& noLevelsText, int trimLevelTextZeros,
    int drawOffsetX, int drawOffsetY, const std::string& levelCompletedFile,
    const std::string& levelCompletedPath, int drawStartX, int drawStartY, int drawLevelInfo, int arrowDist) {
    auto list = std::make_unique<QDLevelList>();
    list->DrawStartX = drawStartX;
    list->DrawStartY = drawStartY;
    list->ArrowDist = arrowDist;
    list->CreateMenu();
    list->FolderPath = folderPath;
    list->FilePrefix = filePrefix;
    list->CurrentLevel = currentLevel;
    list->LevelSizeText = levelSizeText;
    list->NoLevelsText = noLevelsText;
    list->TrimLevelTextZeros = trimLevelTextZeros;
    list->DrawOffsetX = drawOffsetX;
    list->DrawOffsetY = drawOffsetY;
    list->LevelCompletedFile = levelCompletedFile;
    list->LevelCompletedPath = levelCompletedPath;
    list->GlowCounter->Init(0, 360, 0.5f, 0);
    list->DrawLevelInfo = drawLevelInfo;
    return list;
}

void QDLevelList::Init() {
    ScanLevelFolder();
}

void QDLevelList::ScanLevelFolder() {
    LevelList.clear();
    const auto entries = ReadDir(FolderPath);
    if (!entries) return;
    for (const DirEntry& entry : *entries) {
        if (entry.Kind == EntryKind::Dir || entry.Name == "." || entry.Name == "..") continue;
        if (ExtractExt(entry.Name) != FilePrefix) continue;
        LevelList.push_back(
            entry.Name.substr(0, entry.Name.size() - FilePrefix.size() - (FilePrefix.empty() ? 0 : 1)));
    }
    std::sort(LevelList.begin(), LevelList.end());
}

void QDLevelList::CreateImages(int reposition) {
    if (reposition != 0) UpdateCurrentPagePosition();
    // A page built before any positioning starts at the first level rather than before it.
    if (CurrentPagePosition < 0) CurrentPagePosition = 0;
    ImageList.clear();
    LevelSizeList.clear();
    LevelCompletedList.clear();
    CompletedIniFile.reset();
    const int last = std::min(int(LevelList.size()), CurrentPagePosition + PageSize());
    for (int i = CurrentPagePosition; i < last; ++i) {
        const std::string path = FolderPath + LevelList[size_t(i)] + "." + FilePrefix;
        int size = 0;
        std::shared_ptr<TImage> image;
        if (CreateLevelImageFunction) image = CreateLevelImageFunction(path, size, i - CurrentPagePosition);
        ImageList.push_back(image);
        LevelCompletedList.push_back(CheckLevelCompleted(path) != 0 ? "1" : "0");
        LevelSizeList.push_back(std::to_string(size));
    }
    CompletedIniFile.reset();
}

int QDLevelList::CheckLevelCompleted(const std::string& path) {
    if (!CompletedIniFile) {
        // Read only: looking at a page must never create or rewrite the player's completion file.
        CompletedIniFile = std::make_unique<TIniFile>();
        CompletedIniFile->FileName = LevelCompletedPath + LevelCompletedFile;
        if (const auto bytes = LoadFile(CompletedIniFile->FileName + ".ini", MaxIniFileBytes)) {
            for (const std::string& line : SplitLines(DecodeText(*bytes)))
                if (!line.empty()) CompletedIniFile->Add(IniLineName(line), IniLineValue(line));
        }
    }
    const std::string key = Upper(StripAll(path));
    for (const TIniLine& line : *CompletedIniFile)
        if (line.Name == key && line.Value == "1") return 1;
    return 0;
}

void QDLevelList::CreateMenu() {
    NavigationMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    NavigationMenu->AddQuick("arrowLeft", "arrowLeft")->SetupScaleOnMO(1.15f, 0.03f, 0.01f);
    NavigationMenu->AddQuick("arrowRight", "arrowRight")->SetupScaleOnMO(1.15f, 0.03f, 0.01f);
    NavigationMenu->MakeRow(ArrowDist);
    NavigationMenu->SetY(float(DrawStartY + 450));
}

void QDLevelList::Manage() {
    ManageMenu();
    ManageGlowAnimation();
    ManageLevels();
    ManageKeyboard();
}

void QDLevelList::ManageMenu() {
    if (!NavigationMenu) return;
    NavigationMenu->Manage(0, 0);
    if (NavigationMenu->Clicked("arrowLeft") != 0) MoveLeft();
    if (NavigationMenu->Clicked("arrowRight") != 0) MoveRight();
}

void QDLevelList::ManageGlowAnimation() {
    GlowCounter->Manage();
    Glow = 0.5f * std::fabs(GlowCounter->ratio);
}

void QDLevelList::ManageLevels() {
    StartLevel = 0;
    if (QDMouseClicks.LeftClick() != 1) return;
    for (int slot = 0; slot < LevelsOnPage(); ++slot) {
        if (std::abs(QDMouseClicks.x - SlotX(slot)) > ClickHalfWidth ||
            std::abs(QDMouseClicks.y - SlotY(slot)) > ClickHalfHeight)
            continue;
        Select(slot);
        if (QDMouseClicks.DoubleClick() != 0) StartLevel = 1;
        return;
    }
}

void QDLevelList::ManageKeyboard() {
    const int onPage = LevelsOnPage();
    if (onPage == 0) return;
    const int half = MaxLevelItems / 2;
    if (GameKeyHit(KEY_UP) != 0 && CurrentLevelID >= half) Select(CurrentLevelID - half);
    if (GameKeyHit(KEY_DOWN) != 0 && CurrentLevelID < half && CurrentLevelID + half < onPage)
        Select(CurrentLevelID + half);
    if (GameKeyHit(KEY_LEFT) != 0) {
        if (CurrentLevelID > 0) {
            Select(CurrentLevelID - 1);
        } else {
            const int before = CurrentPagePosition;
            MoveLeft();
            // On the first page there is no page before: the selection stays on the first level.
            if (CurrentPagePosition != before) Select(LevelsOnPage() - 1);
        }
    }
    if (GameKeyHit(KEY_RIGHT) != 0) {
        if (CurrentLevelID + 1 < LevelsOnPage()) {
            Select(CurrentLevelID + 1);
        } else if (CurrentLevelID == PageSize() - 1) {
            const int before = CurrentPagePosition;
            const int kept = CurrentLevelID;
            MoveRight();
            if (CurrentPagePosition == before) Select(kept);
        }
    }
}

void QDLevelList::Draw() {
    DrawMenu();
    DrawLevels();
}

void QDLevelList::DrawMenu() {
    if (NavigationMenu) NavigationMenu->Draw(0, 0);
}

void QDLevelList::DrawLevels() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    const float centreX = float(DrawStartX + 400);
    if (LevelList.empty()) {
        SetImageFont(FontCalibri25);
        DrawTextCentred(NoLevelsText, centreX, float(DrawStartY + 250), 1, 1);
        SetAlpha(1);
        return;
    }
    for (int slot = 0; slot < LevelsOnPage(); ++slot) {
        const float sx = float(SlotX(slot)), sy = float(SlotY(slot));
        if (ImageBank) {
            if (slot == CurrentLevelID) {
                const auto highlight = ImageBank->Find("levelhighlight");
                highlight->Draw(sx, sy);
                SetBlend(LIGHTBLEND);
                const int tint = std::clamp(int(Glow * 255.0f), 0, 255);
                SetColor(tint, tint, tint);
                highlight->Draw(sx, sy);
                SetBlend(ALPHABLEND);
                SetColor(255, 255, 255);
            } else {
                ImageBank->Find("levelback")->Draw(sx, sy);
            }
        }
        if (const auto& image = ImageList[size_t(slot)])
            DrawImage(image.get(), sx + float(DrawOffsetX), sy + float(DrawOffsetY));
        if (ImageBank && LevelCompletedList[size_t(slot)] == "1")
            ImageBank->Find("check")->Draw(sx - 74, sy - 50);
        const std::string& name = LevelList[size_t(CurrentPagePosition + slot)];
        SetImageFont(FontCalibri16);
        DrawTextCentred(TrimLevelTextZeros != 0 ? StripLeadingZeros(name) : name, sx, sy - 60, 1, 1);
        SetAlpha(1);
    }
    if (DrawLevelInfo != 0 && !LevelSizeText.empty() && CurrentLevelID >= 0 &&
        CurrentLevelID < LevelsOnPage()) {
        SetImageFont(FontCalibri25);
        DrawTextCentred(LevelSizeText + ": " + LevelSizeList[size_t(CurrentLevelID)], centreX,
                        float(DrawStartY + 455), 1, 1);
        SetAlpha(1);
    }
}

void QDLevelList::MoveLeft() {
    if (LevelList.empty()) return;
    const int before = CurrentPagePosition;
    CurrentPagePosition = std::max(0, CurrentPagePosition - PageSize());
    Select(0);
    if (CurrentPagePosition != before) CreateImages(0);
}

void QDLevelList::MoveRight() {
    if (LevelList.empty()) return;
    const int before = CurrentPagePosition;
    const int lastStart = std::max(0, int(LevelList.size()) - PageSize());
    CurrentPagePosition = std::max(0, CurrentPagePosition + PageSize());
    if (CurrentPagePosition >= lastStart) CurrentPagePosition = lastStart;
    Select(0);
    if (CurrentPagePosition != before) CreateImages(0);
}

int QDLevelList::CalculateCurrentPagePosition(int index) const {
    if (index < 0) return 0;
    const int page = PageSize();
    const int position = index / page * page;
    return std::max(0, std::min(position, int(LevelList.size()) - page));
}

void QDLevelList::UpdateCurrentPagePosition() {
    const int index = GetIndexOfLevelList(CurrentLevel);
    if (index < 0) {
        CurrentPagePosition = 0;
        CurrentLevelID = 0;
        if (!LevelList.empty()) CurrentLevel = LevelList.front();
        return;
    }
    CurrentPagePosition = CalculateCurrentPagePosition(index);
    CurrentLevelID = index - CurrentPagePosition;
}

int QDLevelList::GetIndexOfLevelList(const std::string& name) const {
    const auto found = std::find(LevelList.begin(), LevelList.end(), name);
    return found == LevelList.end() ? -1 : int(found - LevelList.begin());
}

int QDLevelList::LevelsOnPage() const {
    return int(ImageList.size());
}

int QDLevelList::SlotX(int slot) const {
    return DrawStartX + SlotXs[slot % 4];
}

int QDLevelList::SlotY(int slot) const {
    return DrawStartY + (slot < 4 ? UpperRowY : LowerRowY);
}

int QDLevelList::PageSize() const {
    return std::clamp(NumLevelItems, 1, MaxLevelItems);
}

void QDLevelList::Select(int slot) {
    CurrentLevelID = slot;
    const int index = std::max(0, CurrentPagePosition) + slot;
    if (index >= 0 && index < int(LevelList.size())) CurrentLevel = LevelList[size_t(index)];
}
