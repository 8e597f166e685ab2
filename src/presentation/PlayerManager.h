// TPlayerManager: the modal dialog that lists the player profiles (the ".dat" files of the profiles
// folder), creates, deletes and selects them. The game supplies the makers of its OK, Yes/No and
// name-prompt dialogs and hooks for a created or deleted name. Without an OK dialog maker the plain
// messages go to the framework's error screen; plain framework dialogs stand in for the other makers
// (the error screen cannot take the answer to a question).
// Used only by the game layer's QDPlayerManager, which this game does not use.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "presentation/Dialog.h"
#include "presentation/ListBox.h"

class TGameImage;

class TPlayerManager : public TDialog {
  public:
    int Limit = 10;  // 0: no limit
    int ButtonGap = 10;
    int BoxBorderH = 20, BoxBorderV = 20;
    int BoxXTweak = 0, BoxY = 0;
    int DimWhenActive = 0, DimWhenShowingDialogs = 0, DimWhenShowingEnterNamePrompt = 0;
    int UpperFirstChar = 1;
    std::string ExtraBannedChars;
    std::shared_ptr<TGameImage> FrontFrame, Header;
    int FrontFrameX = 0, FrontFrameY = 0, HeaderX = 0, HeaderY = 0;
    std::unique_ptr<TListBox> ListBox;
    int LineHeightAddition = 0;
    std::function<std::unique_ptr<TDialogOK>(const std::string&)> ErrorDialogFunc;
    std::function<std::unique_ptr<TDialogYesNo>(const std::string&)> DialogYesNoFunc;
    std::function<std::unique_ptr<TDialogTextInput>(int)> EnterNamePromptFunc;
    std::unique_ptr<TDialogOK> DialogOK;
    std::unique_ptr<TDialogYesNo> DialogYesNo;
    std::unique_ptr<TDialogTextInput> EnterName;
    std::function<void(const std::string&)> CreateProfileFunc, DeleteProfileUserFunction;
    int DrawDisabled = 0;
    int AutoAcceptAfterCreate = 1;
    std::string MessageCannotCreate = "You cannot create any more players!";
    std::string MessageCannotDelete = "The list must contain at least one player!";
    std::string MessageConfirmDelete = "Are you sure you want to delete this player?";
    // Typed names refused: one already in the list, and one that is no plain file name.
    std::string MessageNameTaken = "There is already a player with this name!";
    std::string MessageBadName = "This name cannot be used for a player!";

    static std::unique_ptr<TPlayerManager> Create(const std::string& caption,
                                                  std::shared_ptr<TImage> background, int a, int b, int c,
                                                  int limit, const std::string& menuText);
    // Builds everything Create builds into this dialog.
    void Setup(const std::string& caption, std::shared_ptr<TImage> background, int a, int b, int c, int limit,
               const std::string& menuText);
    void MenuCreate(int gap, const std::string& menuText);
    void CalcSize() override;
    void BoxSize();
    void MenuPosition() override;
    virtual void FillList();
    void HighlightCurrentPlayer();
    // 0 while open, then 1 (a player chosen) or -1 (cancelled) once.
    int Manage() override;
    void ClickSound();
    void CreateProfile();
    void DeleteProfileCheck();
    virtual void DeleteProfile();
    virtual int OKClick();
    virtual int CancelClick();
    int Draw() override;
    void Kill() override;

  protected:
    // Through ErrorDialogFunc, else on the framework's error screen (400 x 100).
    void ShowMessage(const std::string& text);
    // The message refusing a typed name, or null when it can be created: a plain file name that is
    // not in the list yet.
    const std::string* NewNameRefusal(const std::string& name) const;
    void SelectName(const std::string& name);
    // The chosen name becomes the settings' profile name and the profile is loaded.
    void ChooseProfile(const std::string& name);
};
