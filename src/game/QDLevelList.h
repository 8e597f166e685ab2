// QDLevelList: a paged chooser of the level files found in one folder, eight to a page in two rows,
// with arrow buttons and keys to turn pages, a glowing highlight on the selected level, a tick on
// completed ones and a double click to start one. The owner supplies each level's picture and size
// through CreateLevelImageFunction, calls Init and CreateImages(1) once, then Manage and Draw every
// frame and reads StartLevel and CurrentLevel.
// A framework widget of the game layer that this game does not use (its tests do).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TImage;
class TIniFile;
class TMenu;
class TSineCounter;

class QDLevelList {
  public:
    // The number of slots the page layout has; a larger NumLevelItems is held to it.
    static constexpr int MaxLevelItems = 8;

    std::unique_ptr<TMenu> NavigationMenu;
    std::string FolderPath;
    std::string FilePrefix;
    std::string LevelCompletedFile = "standard";
    std::string LevelCompletedPath;
    std::vector<std::string> LevelList;
    std::vector<std::shared_ptr<TImage>> ImageList;
    std::vector<std::string> LevelSizeList;
    std::vector<std::string> LevelCompletedList;
    std::unique_ptr<TIniFile> CompletedIniFile;
    int CurrentPagePosition = -1;
    std::string CurrentLevel;
    int CurrentLevelID = 0;
    int StartLevel = 0;
    std::string LevelSizeText = "Cards";
    std::string NoLevelsText = "There are no levels currently available";
    int TrimLevelTextZeros = 1;
    int DrawOffsetX = 0, DrawOffsetY = 0;
    int DrawStartX = 0, DrawStartY = 0;
    int DrawLevelInfo = 1;
    int ArrowDist = 0;
    std::shared_ptr<TSineCounter> GlowCounter;
    float Glow = 0;
    int NumLevelItems = MaxLevelItems;
    // (path, size out, index on the page) -> the level's picture; null pictures are not drawn.
    std::function<std::shared_ptr<TImage>(const std::string& path, int& size, int index)>
        CreateLevelImageFunction;

    QDLevelList();
    ~QDLevelList();

    static std::unique_ptr<QDLevelList> Create(const std::string& folderPath, const std::string& filePrefix,
                                               const std::string& currentLevel,
                                               const std::string& levelSizeText,
                                               const std::string& noLevelsText, int trimLevelTextZeros,
                                               int drawOffsetX, int drawOffsetY,
                                               const std::string& levelCompletedFile,
                                               const std::string& levelCompletedPath, int drawStartX,
                                               int drawStartY, int drawLevelInfo, int arrowDist);
    void Init();
    // An unreadable folder gives an empty list.
    void ScanLevelFolder();
    void CreateImages(int reposition);
    int CheckLevelCompleted(const std::string& path);
    void CreateMenu();

    void Manage();
    void ManageMenu();
    void ManageGlowAnimation();
    void ManageLevels();
    void ManageKeyboard();
    void Draw();
    void DrawMenu();
    void DrawLevels();

    void MoveLeft();
    void MoveRight();
    int CalculateCurrentPagePosition(int index) const;
    void UpdateCurrentPagePosition();
    int GetIndexOfLevelList(const std::string& name) const;

    // Levels on the current page, and the centre of a slot.
    int LevelsOnPage() const;
    int SlotX(int slot) const;
    int SlotY(int slot) const;

  private:
    int PageSize() const;
    void Select(int slot);
};
