// GameRun against the built data, headless: the sounds, the bank images, the archive pictures, the
// pointer and pause sprite, the five best-time tables written with their defaults on a first run, the
// title-screen hand-over, and the suspended start behind another window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Game.h"
#include "core/PakFileManager.h"
#include "core/SoundBank.h"
#include "game/GameRun.h"
#include "game/HighScoreList.h"
#include "game/TolvaneGame.h"
#include "platform/FileSystem.h"
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

    ASSERT_NO_THROW(GameRun());

    for (const std::string name : {"BUTTONCLICK", "APPLAUSE"}) EXPECT_NO_THROW(SoundBank->Find(name)) << name;
    for (const std::string name : {"PAUSED", "CELL1", "CELL3", "SOLVING", "MANAGER", "GAMESCREEN1",
                                   "GAMESCREEN4", "PLAYSCREEN", "TITLESCREEN", "PARTICLE1", "PARTICLE2"}) {
        EXPECT_NO_THROW(ImageBank->Find(name)) << name;
        EXPECT_TRUE(ImageBank->FindTImage(name)) << name;
    }
    EXPECT_TRUE(Game->Mouse->Image);
    EXPECT_TRUE(Game->SpritePaused);
    EXPECT_EQ(titleStarts, 1);
    EXPECT_EQ(Game->SuspendedEvent, 1);  // no window of ours is in front

    for (const std::string file : {"hs4x4", "hs6x6", "hs9x9", "hs12x12", "hs16x16"})
        EXPECT_EQ(FileType(shared.Str() + file + ".dat"), FILETYPE_FILE) << file;
    ASSERT_EQ(HighScores16.Count(), 10u);
    EXPECT_EQ(HighScores16.Entries[0].time, 5940000);

    GameRunStartTitle = nullptr;
    PakManager.reset();
    ImageBank.reset();
    SoundBank.reset();
    Game.reset();
}

}  // namespace
