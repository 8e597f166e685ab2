// The save-game chooser: TSaveGameManager, a modal dialog that lists the saved games of a folder by name,
// eight rows at a time, and lets the player load one, delete one after a confirmation, or cancel; and
// QDListBox, its compact list of rows with a visible window and double-click detection.
//
// The chooser only lists and deletes files; reading the chosen game is the save-game module's job.
// Only regular files of the folder with the exact extension are listed, so what is deleted is always
// one of the files shown.
//
// Opened by the play screen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "presentation/Dialog.h"

class TBox;
class TChannel;
class TColor;
class TFont;
class TGameSound;
class TShadow;

class QDListBox {
  public:
    std::shared_ptr<TFont> Font;
    int DrawBox = 1;
    std::shared_ptr<TBox> Box;
    int TextBorder = 10;
    int Gap = 5;
    int LineHeight = 0;
    int Centred = 0;
    std::vector<std::string> Strings;
    int Index = -1;
    std::string Value;
    int Clicked = -1;
    std::shared_ptr<TColor> HighlightCol;
    int HighlightUnder = 1;
    int DoubleClicked = -1;
    float DoubleClickTime = 0;
    float DoubleClickCounter = 0;
    int RoundHeight = 1;
    std::shared_ptr<TGameSound> ClickSound;
    std::shared_ptr<TChannel> ClickChannel;
    int StartList = 0;
    int EndList = 7;

    // Marks the last row in index arguments.
    static constexpr int LastItemInList = -2;

    static std::unique_ptr<QDListBox> Create(int ignored, int gap, int centred, int drawBox,
                                             int doubleClickMilliseconds);
    void Init(int gap, int centred, int drawBox);
    void SetupFont(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                   std::shared_ptr<TShadow> shadow);
    void SetupBox(std::shared_ptr<TColor> color);
    void SetCoords(float x, float y, float w, float h);
    void CalcLineHeight();
    void AddItem(const std::string& text);
    void ClearList();
    void ClearIndex();
    // i = -1 clears the selection; LastItemInList selects the last row; other rows outside the list
    // select nothing.
    void SetIndex(int i);
    int Count() const { return int(Strings.size()); }
    // Up or down one row when the window is not already at that end.
    void ScrollUp();
    void ScrollDown();
    // The window back at the top, eight rows or fewer when the list is shorter.
    void ResetWindow();
    void Manage();
    // Drawn at the box's place moved by (ox, oy), the owner's slide offset.
    void Draw(float ox = 0, float oy = 0);
    void DrawHighlight(float ox, float oy);
    void Kill();

  private:
    // The visible row under the pointer, or -1.
    int RowAt(int px, int py) const;
};

class TSaveGameManager : public TDialog {
  public:
    int ButtonGap = 10;
    int BoxBorderH = 20, BoxBorderV = 20;
    int BoxY = 0;
    int DimWhenActive = 0, DimWhenShowingDialogs = 0;
    int UpperFirstChar = 1;
    std::string Extension = "dat";
    std::string Directory;
    std::string DeleteMessage = "Do you want to delete this file?";
    std::unique_ptr<QDListBox> ListBox;
    std::function<std::unique_ptr<TDialogOK>(const std::string&)> ErrorDialogFunc;
    std::function<std::unique_ptr<TDialogYesNo>(const std::string&)> DialogYesNoFunc;
    std::unique_ptr<TDialogOK> DialogOK;
    std::unique_ptr<TDialogYesNo> DialogYesNo;
    std::unique_ptr<TMenu> MenuArrowUp, MenuArrowDown;
    int NavButtonsXPosition = -1;

    static std::unique_ptr<TSaveGameManager> Create(const std::string& caption,
                                                    std::shared_ptr<TImage> background, int a, int b, int c,
                                                    const std::string& extension,
                                                    const std::string& directory,
                                                    const std::string& deleteMessage);
    void MenuCreate(int gap);
    void MenuArrowCreate();
    void CalcSize() override;
    void BoxSize();
    void MenuPosition() override;
    void FillList();
    // 0 while open, 1 when a game was chosen (its name is ListBox->Value), -1 when cancelled.
    int Manage() override;
    int OKClick();
    int CancelClick();
    void DeleteSaveGameCheck();
    void ClickSound();
    int Draw() override;
    void Kill() override;
    // The file of the selected row.
    std::string SelectedPath() const;
};
