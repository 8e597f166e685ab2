// Player profiles and the framework's score table: file layouts by hand-made bytes and round trips,
// damaged files, unsafe names, and the profile save when the window is closed on the board screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/Profile.h"
#include "core/ScoreList.h"
#include "core/Screen.h"
#include "platform/FileSystem.h"
#include "support/TestEnv.h"

namespace {

uint32_t U32At(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= uint32_t(uint8_t(bytes[at + k])) << (8 * k);
    return v;
}

class ProfileWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        Game = std::make_unique<TGame>();
        Game->SetProfilePath(dir.Str());
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
    }
    void TearDown() override {
        SetErrorNotice(nullptr);
        Game.reset();
    }
    std::string Read(const std::string& name) { return testenv::ReadFile(dir.Path() / name); }

    testenv::TempDir dir;
    std::vector<std::string> notices;
};

TEST_F(ProfileWorld, SaveWritesTheDisguisedLayoutAndLoadGivesEveryFieldBack) {
    auto profile = TProfile::Create("Mira");
    profile->Score = -25;
    profile->TimeTaken = 321.1;  // every byte of the double counts
    profile->HintsShown[0] = 1;
    profile->HintsShown[99] = 5;
    profile->Save();

    const std::string bytes = Read("Mira.dat");
    ASSERT_EQ(bytes.size(), TProfile::FixedSize);
    EXPECT_EQ(U32At(bytes, 8), uint32_t(-25) + 0x3b91c4u + 2u * 0x1a5e73u);
    double time = 0;
    std::memcpy(&time, bytes.data() + 20, 8);
    EXPECT_EQ(time, 321.1);
    EXPECT_EQ(U32At(bytes, 436), 5u);

    auto back = TProfile::Create("Mira");
    EXPECT_EQ(back->Load(), 1);
    EXPECT_EQ(back->Score, -25);
    EXPECT_EQ(back->TimeTaken, 321.1);
    EXPECT_EQ(back->HintsShown, profile->HintsShown);
}

TEST_F(ProfileWorld, OlderFileWithTenHintsLeavesTheOthersClear) {
    auto profile = TProfile::Create("Olaf");
    profile->HintsSet(1);
    profile->Save();
    testenv::WriteFile(dir.Path() / "Olaf.dat", Read("Olaf.dat").substr(0, 40 + 40));
    auto back = TProfile::Create("Olaf");
    back->HintsSet(7);
    EXPECT_EQ(back->Load(), 1);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(back->HintsShown[i], 1);
    for (int i = 10; i < 100; ++i) EXPECT_EQ(back->HintsShown[i], 0) << i;
}

TEST_F(ProfileWorld, DamagedFileIsRefusedAndLeftAlone) {
    for (const std::string& damaged : {std::string("short"), std::string(42, '\x01'), std::string()}) {
        testenv::WriteFile(dir.Path() / "Pia.dat", damaged);
        auto profile = TProfile::Create("Pia");
        profile->Score = 11;
        EXPECT_EQ(profile->Load(), 0);
        EXPECT_EQ(profile->Score, 11);
        EXPECT_EQ(Read("Pia.dat"), damaged);
    }
}

TEST_F(ProfileWorld, ShowHintOnceThenNeverAndOutOfRangeNever) {
    auto profile = TProfile::Create("Rhea");
    EXPECT_EQ(profile->ShowHint(4, 0), 1);
    EXPECT_EQ(profile->ShowHint(4, 0), 0);
    EXPECT_EQ(profile->ShowHint(100, 0), 0);
    EXPECT_EQ(profile->ShowHint(-1, 0), 0);
}

TEST_F(ProfileWorld, NameThatLeavesTheFolderIsNeverWritten) {
    auto profile = TProfile::Create("../escape");
    EXPECT_EQ(profile->Save(), 0);
    EXPECT_EQ(notices, std::vector<std::string>{"Could not create file '" + profile->FilePath() + "'"});
    EXPECT_FALSE(std::filesystem::exists(dir.Path().parent_path() / "escape.dat"));
    EXPECT_FALSE(IsValidProfileName("a/b"));
    EXPECT_TRUE(IsValidProfileName("Åsa 2"));
}

TEST_F(ProfileWorld, ProfileIsSavedWhenTheWindowClosesOnTheBoardScreen) {
    TScreen board;
    board.name = "game";
    Game->CurrentTScreen = &board;
    Game->CurrentProfile = TProfile::Create("Tove");
    Game->TerminatedEvent = 1;
    EXPECT_EQ(Game->GameTerminated(), -1);
    EXPECT_EQ(Read("Tove.dat").size(), TProfile::FixedSize);
    Game->CurrentTScreen = nullptr;
}

TEST_F(ProfileWorld, ScoreFileBytesAndRoundTrip) {
    THighScoreList list;
    list.Create(dir.Str() + "scores", 12);
    list.Add("Ab", 500, 3);
    list.Add("zé~", -1, 0);
    list.Add("a\\b", 7, 1);  // a backslash cannot cut the name short
    list.Save();
    EXPECT_EQ(uint8_t(Read("scores.dat")[0]), uint8_t('A' - 0x5c + 256));

    THighScoreList back;
    back.Create(dir.Str() + "scores", 12);
    EXPECT_EQ(back.Load(), 1);
    ASSERT_EQ(back.Count(), 3u);
    EXPECT_EQ(back.Entries[1].name, "zé~");
    EXPECT_EQ(back.Entries[1].score, -1);
    EXPECT_EQ(back.Entries[2].name, "a?b");
}

// A table that cannot be written says so and keeps the file it had; the game goes on.
TEST_F(ProfileWorld, ScoreFileThatCannotBeWrittenIsReportedAndKept) {
    THighScoreList list;
    list.Create(dir.Str() + "kept", 10);
    list.Add("one", 9, 1);
    ASSERT_EQ(list.Save(), 1);
    const std::string before = Read("kept.dat");
    list.Add("two", 8, 1);
    for (AtomicWriteFault fault : {AtomicWriteFault::CannotCreate, AtomicWriteFault::AfterPartialWrite,
                                   AtomicWriteFault::SyncFails, AtomicWriteFault::BeforeRename}) {
        SetAtomicWriteFault(fault);
        EXPECT_EQ(list.Save(), 0);
        SetAtomicWriteFault(AtomicWriteFault::None);
        EXPECT_EQ(notices.back(), "Failed to save file " + dir.Str() + "kept.dat");
        EXPECT_EQ(Read("kept.dat"), before);
    }
    EXPECT_EQ(notices.size(), 4u);
    list.Create(dir.Str() + "no folder/kept", 10);
    EXPECT_EQ(list.Save(), 0);
    EXPECT_EQ(notices.back(), "Failed to save file " + dir.Str() + "no folder/kept.dat");
}

TEST_F(ProfileWorld, InsertKeepsDescendingOrderNewestFirstAmongEquals) {
    THighScoreList list;
    list.Add("a", 300, 1);
    list.Add("b", 200, 1);
    list.Insert("c", 200, 2);
    list.Insert("e", 900, 2);
    std::string order;
    for (const auto& e : list.Entries) order += e.name;
    EXPECT_EQ(order, "eacb");
}

TEST_F(ProfileWorld, CutScoreFileKeepsCompleteEntriesAndIsNotRewritten) {
    THighScoreList list;
    list.Create(dir.Str() + "cut", 10);
    list.Add("one", 9, 1);
    list.Add("two", 8, 1);
    list.Save();
    const std::string cut = Read("cut.dat").substr(0, 12 + 5);
    testenv::WriteFile(dir.Path() / "cut.dat", cut);
    EXPECT_EQ(list.Load(), 0);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Entries[0].name, "one");
    EXPECT_EQ(Read("cut.dat"), cut);
}

}  // namespace
