// The application object's profile folder: which files count as profiles, and an unreadable folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "support/TestEnv.h"

namespace {

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override { Game = std::make_unique<TGame>(); }
    void TearDown() override { Game.reset(); }
};

TEST_F(GameTest, ProfilesAreTheDatFilesOfTheProfileFolder) {
    testenv::TempDir dir;
    Game->ProfilePath = dir.Str();
    testenv::WriteFile(dir.Path() / "notes.txt", "");
    std::filesystem::create_directory(dir.Path() / "folder.dat");
    EXPECT_EQ(Game->ProfileFolderInUse(), 0);
    testenv::WriteFile(dir.Path() / "ada.DAT", "");
    EXPECT_EQ(Game->ProfileFolderInUse(), 1);
    Game->DeleteAllProfiles();
    EXPECT_EQ(Game->ProfileFolderInUse(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "folder.dat"));
}

TEST_F(GameTest, AnUnreadableProfileFolderIsFatal) {
    Game->ProfilePath = "/nonexistent/numora/profiles/";
    SetErrorNotice([](const std::string&) {});
    try {
        Game->ProfileFolderInUse();
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Failed to read directory '/nonexistent/numora/profiles/'");
    }
    SetErrorNotice(nullptr);
}

}  // namespace
