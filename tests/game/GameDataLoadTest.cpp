// Loads the built game data through the game's own loaders, headless, the way start-up and the
// screens ask for it: start-up's sound and image loading over the application object's default
// data folders and the button images from the menu folder under their mixed-case names. Every loader turns a missing or broken file into a fatal report, which reaches the
// test as an exception.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/ImageBank.h"
#include "core/SoundBank.h"
#include "game/GameRun.h"
#include "presentation/GameImage.h"
#include "support/TestEnv.h"

namespace {

std::string Folder(const std::string& sub) { return (testenv::BinDir() / "data" / sub).string() + "/"; }

}  // namespace

TEST(GameDataLoad, ButtonImagesLoadFromTheMenuFolderUnderTheirMixedCaseNames) {
    for (const std::string name : {"Exit", "exitMO", "OK", "OKMO", "Yes", "YesMO", "Load", "LoadMO", "Up", "DownMO",
                                   "9x9OnMO", "small16On", "showhidemistakesOnMO", "0On"}) {
        std::shared_ptr<TGameImage> image;
        EXPECT_NO_THROW(image = TGameImage::Create(Folder("menus") + name + ".png", -1, 0)) << name;
        EXPECT_TRUE(image) << name;
    }
}

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
    EXPECT_NO_THROW(LoadSounds());
    EXPECT_NO_THROW(LoadImages());
    EXPECT_NO_THROW(SoundBank->Find("buttonclick"));
    EXPECT_NO_THROW(SoundBank->Find("applause"));
    EXPECT_NO_THROW(ImageBank->Find("manager"));
    EXPECT_TRUE(notices.empty()) << notices.front();
    ImageBank.reset();
    SoundBank.reset();
    Game.reset();
    SetErrorNotice(nullptr);
    SetErrorCloseDisplay(nullptr);
}
