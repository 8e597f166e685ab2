// Loads the built game data through start-up's own loaders, headless, over the application object's
// default data folders. Every loader turns a missing or broken file into a fatal report, which reaches
// the test as an exception.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/SoundBank.h"
#include "game/GameRun.h"
#include "platform/Image.h"
#include "presentation/ImageBank.h"
#include "support/TestEnv.h"

// Start-up's own loaders, with the application object's folders pointed at the built data.
TEST(GameDataLoad, StartUpLoadsTheGameSoundsAndImages) {
    std::vector<std::string> notices;
    SetErrorNotice([&](const std::string& text) { notices.push_back(text); });
    SetErrorCloseDisplay([] {});
    Game = std::make_unique<TGame>();
    Game->DataPrefix = testenv::BinDir().string() + "/";
    Game->SetDefaultPaths();
    ImageBank = std::make_unique<TImageBank>();
    SoundBank = std::make_unique<TSoundBank>();
    ImageBank->SetPath(Game->ImagePath);
    SoundBank->SetPath(Game->SoundPath);
    LoadSounds();
    LoadImages();
    for (const char* name : {"buttonclick", "applause"}) {
        const auto sound = SoundBank->Find(name);
        EXPECT_TRUE(sound && sound->sound) << name;
    }
    const auto manager = ImageBank->FindTImage("manager");
    ASSERT_TRUE(manager);
    EXPECT_GT(manager->Width(), 0);
    EXPECT_TRUE(notices.empty()) << notices.front();
    ImageBank.reset();
    SoundBank.reset();
    Game.reset();
    SetErrorNotice(nullptr);
    SetErrorCloseDisplay(nullptr);
}
