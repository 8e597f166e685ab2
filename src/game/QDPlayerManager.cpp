// The game-side profile chooser.
#include "game/QDPlayerManager.h"

#include "core/Game.h"
#include "core/Input.h"
#include "game/QDProfile.h"

std::unique_ptr<QDPlayerManager> QDPlayerManager::Create(const std::string& caption,
                                                         std::shared_ptr<TImage> background, int a, int b,
                                                         int c, int limit) {
    auto manager = std::make_unique<QDPlayerManager>();
    manager->Setup(caption, std::move(background), a, b, c, limit, "");
    manager->FillList();
    return manager;
}

void QDPlayerManager::FillList() {
    TPlayerManager::FillList();
    if (ActiveProfile) SelectName(ActiveProfile->Name);
}

void QDPlayerManager::DeleteProfile() {
    if (CustomDeleteFunction) CustomDeleteFunction(*this);
    TPlayerManager::DeleteProfile();
}

void QDPlayerManager::Choose(const std::string& name) {
    Game->ProfileName = name;
    if (ActiveProfile) ActiveProfile->Name = name;
    if (Game->CurrentProfile) Game->CurrentProfile->Load();
    Game->IniUpdate(1);
}

int QDPlayerManager::OKClick() {
    if (ListBox->Index < 0 || ListBox->Index >= int(ListBox->Strings.size())) return 0;
    Choose(ListBox->Strings[std::size_t(ListBox->Index)]);
    FlushInput();
    Close(1);
    return 1;
}

int QDPlayerManager::CancelClick() {
    if (ActiveProfile && !ListBox->Strings.empty()) {
        bool listed = false;
        for (const std::string& name : ListBox->Strings) listed = listed || name == ActiveProfile->Name;
        if (!listed) Choose(ListBox->Strings.front());
    }
    FlushInput();
    Close(-1);
    return 0;
}
