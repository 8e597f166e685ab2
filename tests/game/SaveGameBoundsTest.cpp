// Save games at the edges of what is read and written: the size limit to the byte, times with leading
// zeros, a negative stopwatch, names that are not plain file names, and one save object used for a
// failure and then a success.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Game.h"
#include "game/Core.h"
#include "game/GameNotice.h"
#include "game/SaveGame.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "support/TestEnv.h"

namespace {

// A valid 4 x 4 game: its regions 2 x 2, half the cells given, a few marks.
TSaveGameData Small() {
    TSaveGameData data;
    data.Width = data.Height = 4;
    data.Difficulty = 3;
    data.ShowMarkup = 1;
    data.ElapsedTime = 4321;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            const auto v = static_cast<std::uint8_t>((x + 2 * (y % 2) + y / 2) % 4 + 1);
            data.Solution[x][y] = v;
            data.PuzzleStart[x][y] = (x + y) % 2 ? v : 0;
            data.Puzzle[x][y] = v;
            data.Locked[x][y] = x == y ? 1 : 0;
            data.Markup[x][y][(x + y) % 4] = 1;
        }
    return data;
}

int FakeNow = 0;

class SaveGameBoundsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Game) Game = std::make_unique<TGame>();
        Game->ProfilePath = dir.Str();
        FakeNow = 800000;
        SetClockSource([] { return FakeNow; });
        SetGameNoticeHandler([this](const std::string& text) { notices.push_back(text); });
        SaveGameApply(Small());
    }
    void TearDown() override {
        SetClockSource({});
        SetGameNoticeHandler({});
    }
    std::string PathOf(const std::string& name) const { return dir.Str() + name + ".dat"; }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    testenv::TempDir dir;
    std::vector<std::string> notices;
};

// The time line holds at most ten characters, leading zeros counted; the value is read in full.
TEST_F(SaveGameBoundsTest, TimesAreReadByTheirTenCharactersAndNeverWrittenNegative) {
    const std::string good = SaveGameFormat(Small());
    struct TRow {
        std::string time;
        int read;  // -1: refused
    };
    const TRow rows[] = {{"0000000001", 1},
                         {"00000000001", -1},
                         {"00000000000000000001", -1},
                         {"0", 0},
                         {"0999999999", 999999999},
                         {"1000000000", 1000000000},
                         {"9", 9},
                         {"90", 90}};
    for (const TRow& row : rows) {
        std::string error;
        const auto data = SaveGameParse(testenv::ReplaceLine(good, 4, row.time), &error);
        if (row.read < 0) {
            EXPECT_FALSE(data) << row.time;
            EXPECT_EQ(error, "bad time, line 5") << row.time;
        } else {
            ASSERT_TRUE(data) << row.time << ": " << error;
            EXPECT_EQ(data->ElapsedTime, row.read) << row.time;
        }
    }
    // A clock that went back leaves a negative stopwatch: it is saved as no time at all.
    for (const int elapsed : {-1, -5000}) {
        TSaveGameData data = Small();
        data.ElapsedTime = elapsed;
        EXPECT_EQ(testenv::ReplaceLine(SaveGameFormat(data), 4, "0"), SaveGameFormat(data)) << elapsed;
    }
    PuzzleStartTime = FakeNow + 3000;
    PuzzleEndTime = 0;
    ASSERT_EQ(SaveGameSave("ahead"), 1);
    ASSERT_EQ(SaveGameLoad("ahead"), 1);
    EXPECT_EQ(PuzzleStartTime, FakeNow);
}

// 64 KB is the most a save may take: a file of exactly that size (a good save and blank lines) loads,
// one byte more is refused unread and left as it is.
TEST_F(SaveGameBoundsTest, TheSizeLimitHoldsToTheByte) {
    const std::string good = SaveGameFormat(Small());
    const std::size_t limit = 64 * 1024;
    for (const std::size_t size : {limit, limit + 1}) {
        SCOPED_TRACE(size);
        const std::string text = good + std::string(size - good.size(), '\n');
        testenv::WriteFile(PathOf("edge"), text);
        notices.clear();
        TSaveGameData other = Small();
        other.Difficulty = 1;
        SaveGameApply(other);
        const int loaded = SaveGameLoad("edge");
        EXPECT_EQ(loaded, size == limit ? 1 : 0);
        EXPECT_EQ(PuzzleDifficulty, size == limit ? 3 : 1);
        EXPECT_EQ(notices.size(), size == limit ? 0u : 1u);
        if (!notices.empty()) {
            EXPECT_NE(notices[0].find("far too large"), std::string::npos) << notices[0];
        }
        EXPECT_EQ(testenv::ReadFile(PathOf("edge")), text);
    }
}

// Only plain names are saved or loaded; nothing is created for the others, not even a shortened name.
TEST_F(SaveGameBoundsTest, NamesThatAreNotPlainFileNamesAreRefused) {
    for (const std::string& name : {std::string("."), std::string("a\\b"), std::string("a\0b", 3),
                                    std::string("\\"), std::string("a/")}) {
        SCOPED_TRACE(name);
        notices.clear();
        TSaveGame save = TSaveGame::Create(name);
        EXPECT_EQ(save.Save(), 0);
        EXPECT_EQ(notices.size(), 1u);
        EXPECT_TRUE(Files().empty());
        // A good save where the name leads (as the system would read the path) is still not loaded:
        // the name is refused before any file is looked at.
        const std::filesystem::path planted = save.Path().c_str();
        std::filesystem::create_directories(planted.parent_path());
        testenv::WriteFile(planted, SaveGameFormat(Small()));
        EXPECT_EQ(save.Load(), 0);
        EXPECT_EQ(save.Error.find("far too large"), std::string::npos) << save.Error;
        EXPECT_EQ(save.Error.find("damaged"), std::string::npos) << save.Error;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            std::filesystem::remove_all(entry.path());
    }
    // Dots inside a name are plain.
    EXPECT_EQ(SaveGameSave("a.b"), 1);
    EXPECT_EQ(SaveGameSave("..."), 1);
    EXPECT_EQ(SaveGameLoad("..."), 1);
}

// The reason of a failure does not outlive it: the next success on the same object clears it.
TEST_F(SaveGameBoundsTest, OneSaveObjectReportsOnlyItsLastOutcome) {
    TSaveGame save = TSaveGame::Create("keep");
    EXPECT_EQ(save.Path(), dir.Str() + "keep.dat");
    EXPECT_EQ(save.Load(), 0);
    EXPECT_NE(save.Error.find(save.Path()), std::string::npos);
    EXPECT_EQ(save.Save(), 1);
    EXPECT_EQ(save.Error, "");
    save.Name = "../keep";
    EXPECT_EQ(save.Save(), 0);
    EXPECT_FALSE(save.Error.empty());
    save.Name = "keep";
    EXPECT_EQ(save.Load(), 1);
    EXPECT_EQ(save.Error, "");
    // A parse that succeeds leaves the caller's text alone.
    std::string error = "untouched";
    EXPECT_TRUE(SaveGameParse(SaveGameFormat(Small()), &error));
    EXPECT_EQ(error, "untouched");
}

}  // namespace
