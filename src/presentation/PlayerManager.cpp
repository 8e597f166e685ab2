// The player-profile dialog: its list, buttons, prompts and the files it deletes.
#include "presentation/PlayerManager.h"

#include <algorithm>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/Profile.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/TextInput.h"

std::unique_ptr<TPlayerManager> TPlayerManager::Create(const std::string& caption,
                                                       std::shared_ptr<TImage> background, int a, int b,
                                                       int c, int limit, const std::string& menuText) {
    auto manager = std::make_unique<TPlayerManager>();
    manager->Setup(caption, std::move(background), a, b, c, limit, menuText);
    return manager;
}

void TPlayerManager::Setup(const std::string& caption, std::shared_ptr<TImage> background, int a, int b,
                           int c, int limit, const std::string& menuText) {
    Init(caption, std::move(background), a, 0, b, c);
    ListBox = TListBox::Create(10, 5, 0, 1, 500);
    ListBox->Limit = limit;
    Limit = limit;
    MenuCreate(ButtonGap, menuText);
    FillList();
    HighlightCurrentPlayer();
    if (b != 0 || c != 0) Centre = 0;
}

void TPlayerManager::MenuCreate(int gap, const std::string&) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, gap);
    Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
    Menu->AddQuick("OK", "OK")->OKButton = 1;
    Menu->AddQuick("Cancel", "Cancel");
    Menu->AddQuick("Create", "Create");
    Menu->AddQuick("Delete", "Delete");
    Menu->MakeRow(gap);
}

void TPlayerManager::CalcSize() {
    TDialog::CalcSize();
    BoxSize();
}

void TPlayerManager::BoxSize() {
    if (!ListBox) return;
    const int menuHeight = Menu ? Menu->CalcHeight() : 0;
    const int menuWidth = Menu ? Menu->CalcWidth() : 0;
    if (!Background) {
        if (w < menuWidth + 2 * Border) w = menuWidth + 2 * Border;
        if (h == 0) h = 300;
        CalcXY();
    }
    const float top = float(y + Border + BoxY) + 30.0f;
    const float bottom = float(y + h - Border - menuHeight - BoxBorderV);
    ListBox->SetCoords(float(x + BoxBorderH + BoxXTweak), top, float(w - 2 * BoxBorderH), bottom - top);
}

void TPlayerManager::MenuPosition() {
    if (!Menu) return;
    Menu->SetX(float(MenuGetCentredX()));
    Menu->SetY(float(y + h - Menu->CalcHeight() - Border));
    Menu->ManageNoSound(OffsetX, OffsetY);
}

void TPlayerManager::FillList() {
    ListBox->Strings.clear();
    ListBox->ClearIndex();
    if (!Game) return;
    if (auto entries = ReadDir(Game->ProfilePath)) {
        for (const DirEntry& entry : *entries) {
            if (entry.Kind != EntryKind::File) continue;
            // Exactly the name a profile is saved and deleted under: "Zed.DAT" is another file.
            const std::string ext = ExtractExt(entry.Name);
            const std::string stem =
                entry.Name.substr(0, entry.Name.size() - (ext.empty() ? 0 : ext.size() + 1));
            if (ext == "dat" && !stem.empty()) ListBox->Strings.push_back(stem);
        }
    }
}

void TPlayerManager::SelectName(const std::string& name) {
    for (int i = 0; i < int(ListBox->Strings.size()); ++i)
        if (ListBox->Strings[std::size_t(i)] == name) {
            ListBox->SetIndex(i);
            return;
        }
}

void TPlayerManager::HighlightCurrentPlayer() {
    if (Game && Game->CurrentProfile) SelectName(Game->CurrentProfile->Name);
}

void TPlayerManager::ClickSound() {
    if (Menu)
        if (TButton* ok = Menu->FindButton("OK")) ok->PlayClick();
}

void TPlayerManager::ShowMessage(const std::string& text) {
    if (!ErrorDialogFunc) {
        // Waits for a key or click, then the dialog goes on.
        ShowErrorScreen(text, 400, 100);
        return;
    }
    DialogOK = ErrorDialogFunc(text);
    if (DialogOK) DialogOK->Start();
}

const std::string* TPlayerManager::NewNameRefusal(const std::string& name) const {
    if (!IsValidProfileName(name) || Trim(name).empty()) return &MessageBadName;
    // Compared without case: "anna.dat" beside "Anna.dat" would be one player on many file systems.
    const std::string lowered = Lower(name);
    if (std::ranges::any_of(ListBox->Strings,
                            [&](const std::string& known) { return Lower(known) == lowered; }))
        return &MessageNameTaken;
    return nullptr;
}

void TPlayerManager::CreateProfile() {
    if (Limit > 0 && int(ListBox->Strings.size()) >= Limit) {
        ShowMessage(MessageCannotCreate);
        return;
    }
    if (EnterNamePromptFunc) {
        EnterName = EnterNamePromptFunc(1);
    } else {
        EnterName = TDialogTextInput::Create("", "", 20, nullptr, 400, 0, 0, 0);
        EnterName->MenuCreate(1, 20);
    }
    if (!EnterName) return;
    if (EnterName->TextInput) {
        EnterName->TextInput->UppercaseFirstCharAsTyped = UpperFirstChar;
        EnterName->TextInput->BannedChars += ExtraBannedChars;
    }
    EnterName->Start();
}

void TPlayerManager::DeleteProfileCheck() {
    if (ListBox->Index < 0) return;
    if (ListBox->Strings.size() <= 1) {
        ShowMessage(MessageCannotDelete);
        return;
    }
    // The error screen takes no answer, so the question keeps a dialog of its own.
    DialogYesNo = DialogYesNoFunc ? DialogYesNoFunc(MessageConfirmDelete)
                                  : TDialogYesNo::Create(MessageConfirmDelete, nullptr, 400, 0, 0, 1, 50);
    if (DialogYesNo) DialogYesNo->Start();
}

void TPlayerManager::DeleteProfile() {
    const int index = ListBox->Index;
    if (index < 0 || index >= int(ListBox->Strings.size())) return;
    const std::string name = ListBox->Strings[std::size_t(index)];
    if (DeleteProfileUserFunction) DeleteProfileUserFunction(name);
    // The listed names come from the folder itself; a plain-name check still keeps a delete inside it.
    const std::string path = Game->ProfilePath + name + ".dat";
    const bool gone = IsValidProfileName(name) && EnsureFileDeleted(path);
    FillList();
    const int count = int(ListBox->Strings.size());
    if (count > 0) ListBox->SetIndex(index < count ? index : count - 1);
    if (!gone) ShowNotice("Could not delete file '" + path + "'");
}

void TPlayerManager::ChooseProfile(const std::string& name) {
    Game->ProfileName = name;
    if (Game->CurrentProfile) {
        Game->CurrentProfile->Name = name;
        Game->CurrentProfile->Load();
    }
    Game->IniUpdate(1);
}

int TPlayerManager::OKClick() {
    if (ListBox->Index < 0 || ListBox->Index >= int(ListBox->Strings.size())) return 0;
    ChooseProfile(ListBox->Strings[std::size_t(ListBox->Index)]);
    FlushInput();
    Close(1);
    return 1;
}

int TPlayerManager::CancelClick() {
    if (Game->CurrentProfile && !ListBox->Strings.empty() &&
        std::ranges::find(ListBox->Strings, Game->CurrentProfile->Name) == ListBox->Strings.end())
        ChooseProfile(ListBox->Strings.front());
    FlushInput();
    Close(-1);
    return 0;
}

int TPlayerManager::Manage() {
    if (CloseResult != 0) return CloseResult;
    if (DialogOK) {
        if (DialogOK->Manage() != 0) {
            DialogOK->Kill();
            DialogOK.reset();
        }
        return 0;
    }
    if (DialogYesNo) {
        const int answer = DialogYesNo->Manage();
        if (answer != 0) {
            DialogYesNo->Kill();
            DialogYesNo.reset();
            if (answer == 1) DeleteProfile();
        }
        return 0;
    }
    if (EnterName) {
        const int answer = EnterName->Manage();
        if (answer == 0) return 0;
        std::string name = EnterName->TextInput ? EnterName->TextInput->Text : std::string();
        EnterName->Kill();
        EnterName.reset();
        if (answer != 1) return 0;
        if (UpperFirstChar) name = UpperFirst(name);
        if (const std::string* refusal = NewNameRefusal(name)) {
            ShowMessage(*refusal);
            return 0;
        }
        if (CreateProfileFunc) CreateProfileFunc(name);
        FillList();
        HighlightCurrentPlayer();
        if (AutoAcceptAfterCreate) OKClick();
        return CloseResult;
    }
    if (ManageCore() == 0) return CloseResult;
    if (CloseResult != 0 || Transitioning != 0 || Disabled != 0) return CloseResult;
    ListBox->Manage();
    if (ListBox->GetDoubleClicked() >= 0)
        OKClick();
    else if (Menu->Clicked("OK"))
        OKClick();
    else if (Menu->Clicked("Cancel") || GameKeyHit(KEY_ESCAPE))
        CancelClick();
    else if (Menu->Clicked("Create"))
        CreateProfile();
    else if (Menu->Clicked("Delete"))
        DeleteProfileCheck();
    return CloseResult;
}

int TPlayerManager::Draw() {
    if (!Active) return 0;
    const bool showingDialog = DialogOK || DialogYesNo;
    if (DimWhenActive) DimScreen(0.5f);
    if (!DrawDisabled) {
        TDialog::Draw();
        ListBox->Draw();
        if (FrontFrame) DrawImage(FrontFrame->image.get(), float(FrontFrameX), float(FrontFrameY));
        if (Header) DrawImage(Header->image.get(), float(HeaderX), float(HeaderY));
    }
    if ((showingDialog && DimWhenShowingDialogs) || (EnterName && DimWhenShowingEnterNamePrompt))
        DimScreen(0.5f);
    if (DialogOK) DialogOK->Draw();
    if (DialogYesNo) DialogYesNo->Draw();
    if (EnterName) EnterName->Draw();
    return 1;
}

void TPlayerManager::Kill() {
    if (DialogOK) DialogOK->Kill();
    if (DialogYesNo) DialogYesNo->Kill();
    if (EnterName) EnterName->Kill();
    DialogOK.reset();
    DialogYesNo.reset();
    EnterName.reset();
    if (ListBox) ListBox->Kill();
    ListBox.reset();
    TDialog::Kill();
}
