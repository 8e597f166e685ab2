// GameRun against the built data, headless: the sounds, the bank images, the archive pictures, the
// pointer and pause sprite, the five best-time tables written with their defaults on a first run, the
// title-screen hand-over, and the suspended start behind another window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/PakFileManager.h"
#include "core/SoundBank.h"
#include "game/GameRun.h"
#include "game/HighScoreList.h"
#include "game/TolvaneGame.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"
#include "support/TestEnv.h"

namespace {

std::string DataFolder(const std::string& sub) {
    return (testenv::BinDir() / "data" / sub).string() + "/";
}

TEST(GameRunTest, LoadsEverythingTheScreensAskForAndTheFiveTables) {
    testenv::TempDir shared;
    Game = std::make_unique<TTolvaneGame>();
    Game->SubPath = shared.Str();
    Game->ImagePath = DataFolder("graphics");
    Game->SoundPath = DataFolder("sound");
    ImageBank = std::make_unique<TImageBank>();
    ImageBank->SetPath(Game->ImagePath);
    SoundBank = std::make_unique<TSoundBank>();
    SoundBank->SetPath(Game->SoundPath);
    PakManager = TPakFileManager::Create(DataFolder("resources"), ".pak");
    ASSERT_TRUE(PakManager);
    int titleStarts = 0;
    GameRunStartTitle = [&] { ++titleStarts; };

    SetClsColor(10, 20, 30);
    AutoMidHandle(false);
    ASSERT_NO_THROW(GameRun());
    EXPECT_EQ((std::vector<int>{GetDrawState().clsRed, GetDrawState().clsGreen, GetDrawState().clsBlue}),
              (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(AutoMidHandleEnabled());

    for (const std::string name : {"BUTTONCLICK", "APPLAUSE"}) EXPECT_NO_THROW(SoundBank->Find(name)) << name;
    // Every picture is drawn about its centre.
    for (const std::string name :
         {"PAUSED",          "CELL1",      "CELL2",       "CELL3",       "GENERATING",  "SOLVING",
          "MUSIC",           "SOUND",      "BLACKBACK",   "INPUT",       "INPUTLONG",   "SIZELABEL",
          "DIFFICULTYLABEL", "HELPIMAGE",  "MANAGER",     "GAMESCREEN1", "GAMESCREEN2", "GAMESCREEN3",
          "GAMESCREEN4",     "PLAYSCREEN", "TITLESCREEN", "PARTICLE1",   "PARTICLE2"}) {
        std::shared_ptr<TGameImage> image;
        ASSERT_NO_THROW(image = ImageBank->Find(name)) << name;
        ASSERT_TRUE(image && image->image) << name;
        EXPECT_EQ(image->midhandled, 1) << name;
        EXPECT_FLOAT_EQ(image->image->handleX, float(image->image->Width() / 2)) << name;
    }
    EXPECT_TRUE(Game->Mouse->Image);
    EXPECT_TRUE(Game->SpritePaused);
    EXPECT_EQ(titleStarts, 1);
    EXPECT_EQ(Game->SuspendedEvent, 1);  // no window of ours is in front

    for (const std::string file : {"hs4x4", "hs6x6", "hs9x9", "hs12x12", "hs16x16"})
        EXPECT_EQ(FileType(shared.Str() + file + ".dat"), FILETYPE_FILE) << file;
    for (TPellixHighScoreList* table :
         {&HighScores4, &HighScores6, &HighScores9, &HighScores12, &HighScores16}) {
        EXPECT_EQ(table->MaxNameLength, 10);
        EXPECT_EQ(table->NumMaxNameEntries, 10);
        EXPECT_EQ(table->Count(), 10u);
    }
    ASSERT_EQ(HighScores16.Count(), 10u);
    EXPECT_EQ(HighScores16.Entries[0].time, 5940000);

    GameRunStartTitle = nullptr;
    PakManager.reset();
    ImageBank.reset();
    SoundBank.reset();
    Game.reset();
}

}  // namespace
