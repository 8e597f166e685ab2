// Best-time tables at their edges: a file of exactly the largest size read in full and one byte more
// kept aside, the first and last entry of a full table, names at the edges of the byte encoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/GameText.h"
#include "game/Core.h"
#include "game/GameNotice.h"
#include "game/HighScoreList.h"
#include "support/TestEnv.h"

namespace {

std::string Int32(int v) {
    const auto u = static_cast<unsigned>(v);
    return {static_cast<char>(u & 0xff), static_cast<char>((u >> 8) & 0xff),
            static_cast<char>((u >> 16) & 0xff), static_cast<char>(u >> 24)};
}

// One entry as stored, with the name given as its stored bytes.
std::string Entry(const std::string& nameBytes, int time, int difficulty) {
    return nameBytes + std::string(1, '\0') + Int32(time) + Int32(difficulty);
}

class HighScoreTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetGameNoticeHandler([this](const std::string& text) { notices.push_back(text); });
        SetErrorNotice([this](const std::string& text) { errorNotices.push_back(text); });
        savedLogFolder = LogFolder;
        LogFolder = dir.Str();
    }
    void TearDown() override {
        SetGameNoticeHandler({});
        SetErrorNotice(nullptr);
        LogFolder = savedLogFolder;
    }
    TPellixHighScoreList Loaded(const std::string& name) {
        TPellixHighScoreList table;
        table.Create(dir.Str() + name, 10, 10);
        table.Load();
        return table;
    }

    std::vector<std::string> notices;
    std::vector<std::string> errorNotices;
    std::string savedLogFolder;
    testenv::TempDir dir;
};

// Ten entries with long names padded by an unterminated tail to exactly the largest size a table file
// may have are read where they are; one byte more and the file is kept aside, its ten entries saved anew.
TEST_F(HighScoreTableTest, AFileOfTheLargestSizeIsReadAndOneByteMoreIsKeptAside) {
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += Entry(std::string(100, char(0x90 + i)), 1000 * (i + 1), i % 5);
    for (std::size_t size : {std::size_t(4096), std::size_t(4097)}) {
        errorNotices.clear();
        const std::string bytes = ten + std::string(size - ten.size(), '\x55');
        const std::string name = size > 4096 ? "over" : "largest";
        testenv::WriteFile(dir.Path() / (name + ".dat"), bytes);
        const TPellixHighScoreList table = Loaded(name);
        ASSERT_EQ(table.Count(), 10u) << size;
        EXPECT_EQ(HighScoreEncode(table.Entries), ten) << size;
        const bool keptAside = size > 4096;
        EXPECT_EQ(testenv::ReadFile(table.filepath), keptAside ? ten : bytes) << size;
        EXPECT_EQ(std::filesystem::exists(table.filepath + ".unreadable"), keptAside) << size;
        EXPECT_EQ(errorNotices.size(), keptAside ? 1u : 0u) << size;
    }
}

// A table set up again, or read again, holds only what it was given: nothing of what it held before.
TEST_F(HighScoreTableTest, CreateAndLoadStartFromAnEmptyTable) {
    TPellixHighScoreList table;
    table.Create(dir.Str() + "old", 10, 10);
    table.Add("stale", 1, 1);
    table.Create(dir.Str() + "hs4x4", 13, 7);
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_EQ(table.filepath, dir.Str() + "hs4x4.dat");
    EXPECT_EQ(table.MaxNameLength, 13);
    EXPECT_EQ(table.NumMaxNameEntries, 7);
    testenv::WriteFile(dir.Path() / "hs4x4.dat", Entry("\x8f", 10, 0) + Entry("\x90", 20, 4));
    for (int i = 0; i < 3; ++i) table.Add("stale", 1, 1);
    table.Load();
    ASSERT_EQ(table.Count(), 2u);
    EXPECT_EQ(table.Entries[0].name, "A");
    EXPECT_EQ(table.Entries[1].name, "B");
}

// A table with no places takes no time; one without a limit reads every good entry of its file.
TEST_F(HighScoreTableTest, ATableOfNoPlacesTakesNothingAndAnUnlimitedOneReadsEverything) {
    TPellixHighScoreList none;
    none.Create(dir.Str() + "none", 10, 0);
    EXPECT_EQ(none.WillEnterHighscore(1), 0);
    none.Insert("x", 1, 0);
    EXPECT_EQ(none.Count(), 0u);

    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += Entry("\x90", 100 + i, 0);
    testenv::WriteFile(dir.Path() / "all.dat", twelve);
    TPellixHighScoreList all;
    all.Create(dir.Str() + "all", 10, -1);
    all.Load();
    EXPECT_EQ(all.Count(), 12u);
    EXPECT_EQ(testenv::ReadFile(all.filepath), twelve);
}

// In the game's own words: the default table's ten names in order and the five difficulties.
TEST_F(HighScoreTableTest, DefaultNamesAndDifficultiesComeFromTheGameTexts) {
    GameText = std::make_unique<TGameText>();
    GameText->Folder = (testenv::SourceDir() / "assets" / "text").string() + "/";
    GameText->Read("gametext.txt");
    TPellixHighScoreList table;
    table.Create(dir.Str() + "hs9x9", 10, 10);
    table.Load();
    ASSERT_EQ(table.Count(), 10u);
    for (int i = 0; i < 10; ++i) {
        const std::string name = GameString("Highscore Name " + std::to_string(i + 1));
        EXPECT_FALSE(name.empty()) << i;
        EXPECT_EQ(table.Entries[std::size_t(i)].name, name) << i;
    }
    const char* const levels[] = {"Very Easy", "Easy", "Medium", "Hard", "Very Hard"};
    for (int d = 0; d < 5; ++d) {
        EXPECT_FALSE(GameString(levels[d]).empty()) << d;
        EXPECT_EQ(DifficultyName(d), GameString(levels[d])) << d;
    }
    GameText.reset();
}

// A time better than every entry takes the first place, in a full table and in one with room, and
// pushes the old tenth entry out of a full one.
TEST_F(HighScoreTableTest, ABestTimeTakesTheFirstPlaceAndPushesOutTheTenth) {
    for (int count : {3, 10}) {
        TPellixHighScoreList table;
        table.Create(dir.Str() + "best", 10, 10);
        for (int i = 1; i <= count; ++i) table.Add(std::string("p").append(std::to_string(i)), i * 1000, 0);
        EXPECT_EQ(table.WillEnterHighscore(999), 1) << count;
        EXPECT_EQ(table.WillEnterHighscore(1000), 2) << count << ": an equal time goes after";
        table.Insert("best", 999, 3);
        ASSERT_EQ(table.Count(), std::size_t(std::min(count + 1, 10))) << count;
        EXPECT_EQ(table.Entries.front().name, "best") << count;
        EXPECT_EQ(table.Entries.back().name, count == 10 ? "p9" : "p3") << count;
    }
}

}  // namespace
