// Loads the built game data through the game's own loaders, headless, the way start-up and the
// screens ask for it: start-up's sound and image loading over the application object's default
// data folders, the banks, the button images from the menu folder, the archive's pictures and the
// nine fonts. Every loader turns a missing or broken file into a fatal report, which reaches the
// test as an exception.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/ImageBank.h"
#include "core/PakFileManager.h"
#include "core/SoundBank.h"
#include "game/GameRun.h"
#include "platform/ImageFont.h"
#include "presentation/GameImage.h"
#include "support/TestEnv.h"

namespace {

std::string Folder(const std::string& sub) { return (testenv::BinDir() / "data" / sub).string() + "/"; }

}  // namespace

TEST(GameDataLoad, ImageBankLoadsTheGameImages) {
    TImageBank bank;
    bank.SetPath(Folder("graphics"));
    for (const std::string name : {"paused", "cell1", "cell2", "cell3", "generating", "solving", "music", "sound",
                                   "blackback", "input", "inputlong", "sizelabel", "difficultylabel", "helpimage",
                                   "manager", "endlevelback", "slider", "marker", "pointer", "logo", "logosmall",
                                   "playoptionsheader", "optionsheader", "helpheader", "highscoresheader"}) {
        EXPECT_NO_THROW(bank.Load(name)) << name;
    }
    EXPECT_NO_THROW(bank.Find("CELL3"));
}

TEST(GameDataLoad, SoundBankLoadsTheGameSounds) {
    TSoundBank bank;
    bank.SetPath(Folder("sound"));
    EXPECT_NO_THROW(bank.Load("buttonclick"));
    EXPECT_NO_THROW(bank.Load("applause.ogg"));
    EXPECT_NO_THROW(bank.Find("applause"));
    EXPECT_NO_THROW(TGameSound::Create(Folder("sound") + "buttonMO.wav", 0));
    EXPECT_NO_THROW(TGameSound::Create(Folder("sound") + "splash.wav", 1));
}

TEST(GameDataLoad, ButtonImagesLoadFromTheMenuFolderUnderTheirMixedCaseNames) {
    for (const std::string name : {"Exit", "exitMO", "OK", "OKMO", "Yes", "YesMO", "Load", "LoadMO", "Up", "DownMO",
                                   "9x9OnMO", "small16On", "showhidemistakesOnMO", "0On"}) {
        std::shared_ptr<TGameImage> image;
        EXPECT_NO_THROW(image = TGameImage::Create(Folder("menus") + name + ".png", -1, 0)) << name;
        EXPECT_TRUE(image) << name;
    }
}

TEST(GameDataLoad, ArchiveGivesThePicturesAndTheNineFonts) {
    const auto pak = TPakFileManager::Create(Folder("resources"), ".pak");
    ASSERT_TRUE(pak);
    for (const std::string name : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
                                   "playscreen.jpg", "titlescreen.jpg", "particle1.png", "particle2.png"}) {
        EXPECT_TRUE(pak->GetImageOrDie(name)) << name;
    }
    for (int size : {10, 11, 12, 14, 16, 18, 20, 25, 34}) {
        const auto font = pak->GetImageFontOrDie("calibri.ttf", size, 4);
        ASSERT_TRUE(font) << size;
        EXPECT_GT(font->TextWidth("Sudoku Numora"), size * 4.0f) << size;
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
