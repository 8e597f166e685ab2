// QDPlayerManager: the profile chooser bound to the game-wide ActiveProfile, skipping a nameless
// ".dat" file and telling the game before a profile file is deleted.
// A framework dialog of the game layer that this game does not use (its tests do).
#pragma once

#include <functional>
#include <memory>

#include "presentation/PlayerManager.h"

class QDPlayerManager : public TPlayerManager {
  public:
    std::function<void(QDPlayerManager&)> CustomDeleteFunction;

    static std::unique_ptr<QDPlayerManager> Create(const std::string& caption,
                                                   std::shared_ptr<TImage> background, int a, int b, int c,
                                                   int limit);
    // The profile names, then ActiveProfile's name selected when there is one.
    void FillList() override;
    void DeleteProfile() override;
    // Without an ActiveProfile the choice still becomes the settings' profile name.
    int OKClick() override;
    int CancelClick() override;

  private:
    void Choose(const std::string& name);
};
