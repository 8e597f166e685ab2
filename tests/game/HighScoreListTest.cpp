// Best-time tables: the byte format against hand-made bytes for every size, the name encoding, insertion
// order, a table with room, damaged, truncated, unreadable and oversized files, and a table that cannot
// be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/GameText.h"
#include "game/Core.h"
#include "game/GameNotice.h"
#include "game/HighScoreList.h"
#include "platform/FileSystem.h"
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

class HighScoreListTest : public ::testing::Test {
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
    // Notices of the core: a player file kept aside.
    std::vector<std::string> errorNotices;
    std::string savedLogFolder;
    testenv::TempDir dir;
};

TEST_F(HighScoreListTest, EverySizeRoundTripsThroughHandMadeBytes) {
    const std::vector<std::pair<int, std::string>> sizes = {
        {4, "hs4x4"}, {6, "hs6x6"}, {9, "hs9x9"}, {12, "hs12x12"}, {16, "hs16x16"}};
    for (const auto& [width, file] : sizes) {
        TPellixHighScoreList& table = *HighScoreTable(width);
        table.Create(dir.Str() + file, 10, 10);
        EXPECT_EQ(table.filepath, dir.Str() + file + ".dat");
        PuzzleWidth = width;
        HighScoreAdd("Bo", 3, 70000 + width);
        HighScoreAdd("Al", 1, 65000);
        // "A" 0x41 -> 0x8f, "l" 0x6c -> 0xba, "B" 0x42 -> 0x90, "o" 0x6f -> 0xbd.
        const std::string expected = Entry("\x8f\xba", 65000, 1) + Entry("\x90\xbd", 70000 + width, 3);
        EXPECT_EQ(testenv::ReadFile(table.filepath), expected) << width;

        TPellixHighScoreList loaded;
        loaded.Create(dir.Str() + file, 10, 10);
        loaded.Load();
        EXPECT_EQ(HighScoreEncode(loaded.Entries), expected) << width;
    }
    EXPECT_EQ(HighScoreTable(5), nullptr);
    EXPECT_TRUE(notices.empty());
}

TEST_F(HighScoreListTest, NamesKeepEveryByteCharacterExceptTheTerminatorOne) {
    // U+00B2 would encode as the terminating 0; U+20AC does not fit a byte.
    const auto decoded = HighScoreDecode(HighScoreEncode({{"x\xc2\xb2", 2, 0},
                                                          {"\xe2\x82\xac"
                                                           "5",
                                                           3, 0}}));
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_EQ(decoded[0].name, "x?");
    EXPECT_EQ(decoded[1].name, "?5");
    // Every byte character but 0xB2 survives a round trip.
    std::string all;
    for (int code = 1; code < 256; ++code) {
        if (code == 0xb2) continue;
        if (code < 0x80) {
            all += static_cast<char>(code);
        } else {
            all += static_cast<char>(0xc0 | (code >> 6));
            all += static_cast<char>(0x80 | (code & 0x3f));
        }
    }
    const auto round = HighScoreDecode(HighScoreEncode({{all, 7, 4}}));
    ASSERT_EQ(round.size(), 1u);
    EXPECT_EQ(round[0].name, all);
}

TEST_F(HighScoreListTest, EqualTimesKeepTheOlderEntryFirstAndOnlyABetterTimeEntersAFullTable) {
    TPellixHighScoreList table;
    table.Create(dir.Str() + "full", 10, 10);
    for (int i = 1; i <= 10; ++i) table.Add(std::string("p").append(std::to_string(i)), i * 1000, 0);
    EXPECT_EQ(table.WillEnterHighscore(10000), 0);
    EXPECT_EQ(table.WillEnterHighscore(9999), 10);
    table.Insert("tie", 5000, 1);
    ASSERT_EQ(table.Count(), 10u);
    EXPECT_EQ(table.Entries[4].name, "p5");
    EXPECT_EQ(table.Entries[5].name, "tie");
    EXPECT_EQ(table.Entries[9].name, "p9");
}

TEST_F(HighScoreListTest, ATrailingPartialEntryIsDroppedAndTheRestKept) {
    const std::string good = Entry("\x8f", 1000, 0) + Entry("\x90\x90", 2000, 1) + Entry("\x91", 3000, 2);
    const std::size_t firstEnd = 1 + 9;
    for (std::size_t length = 0; length < good.size(); ++length) {
        testenv::WriteFile(dir.Path() / "cut.dat", good.substr(0, length));
        TPellixHighScoreList table;
        table.Create(dir.Str() + "cut", 10, 10);
        table.Load();
        if (length == 0) {
            // An existing empty file is an empty table, and stays as it is.
            EXPECT_EQ(table.Count(), 0u);
            EXPECT_EQ(testenv::ReadFile(table.filepath), "");
        } else if (length < firstEnd) {
            // Nothing complete: the default table, written over the damaged file.
            ASSERT_EQ(table.Count(), 10u) << length;
            EXPECT_EQ(table.Entries[0].time, 5940000);
            EXPECT_EQ(testenv::ReadFile(table.filepath), HighScoreEncode(table.Entries));
        } else {
            const std::size_t complete = length < firstEnd + 11 ? 1 : 2;
            ASSERT_EQ(table.Count(), complete) << length;
            EXPECT_EQ(table.Entries[0].name, "A");
            EXPECT_EQ(table.Entries.back().time, static_cast<int>(complete) * 1000);
        }
    }
}

// Any bytes decode to the complete entries they begin with, and those entries encode to exactly the
// bytes they came from.
TEST_F(HighScoreListTest, RandomBytesDecodeToTheirCompleteEntries) {
    std::mt19937 random(99);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(std::uniform_int_distribution<int>(0, 80)(random), '\0');
        for (char& b : bytes) b = static_cast<char>(random() % 4 == 0 ? 0 : random() % 256);
        const std::string again = HighScoreEncode(HighScoreDecode(bytes));
        ASSERT_EQ(again, bytes.substr(0, again.size())) << round;
        // What is left over is less than one whole entry: no terminator with eight bytes after it.
        const std::string rest = bytes.substr(again.size());
        const std::size_t end = rest.find('\0');
        ASSERT_TRUE(end == std::string::npos || end + 9 > rest.size()) << round;
    }
}

TEST_F(HighScoreListTest, ATableThatCannotBeWrittenStaysInMemoryAndAFailedWriteLeavesTheOldFile) {
    TPellixHighScoreList table;
    table.Create(dir.Str() + "no/such/folder/hs4x4", 10, 10);
    table.Insert("kept", 1234, 0);
    EXPECT_EQ(table.Save(), 0);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(dir.Str() + "no/such/folder/hs4x4.dat"), std::string::npos);
    ASSERT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.Entries[0].name, "kept");

    // A write that fails part-way leaves the old file whole.
    table.Create(dir.Str() + "safe", 10, 10);
    ASSERT_EQ(table.Save(), 1);
    const std::string old = testenv::ReadFile(table.filepath);
    SetAtomicWriteFault(AtomicWriteFault::AfterPartialWrite, true);
    const std::size_t count = table.Count();
    table.Insert("new", 500, 0);
    EXPECT_EQ(table.Save(), 0);
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(testenv::ReadFile(table.filepath), old);
    EXPECT_EQ(table.Count(), count + 1);
    EXPECT_EQ(table.Save(), 1);  // and the next failure will be said again
}

// A time of 0 ms is a time like any other (a table of the framework's "Empty" entries is full of them).
TEST_F(HighScoreListTest, AZeroTimeIsKeptWhenTheTableIsRead) {
    testenv::WriteFile(dir.Path() / "hs4x4.dat", Entry("\x8f", 0, 0) + Entry("\x90", 5, 1));
    TPellixHighScoreList table;
    table.Create(dir.Str() + "hs4x4", 10, 10);
    table.Load();
    ASSERT_EQ(table.Count(), 2u);
    EXPECT_EQ(table.Entries[0].time, 0);
}

TEST_F(HighScoreListTest, AFullFolderIsSaidOnceForAllTablesUntilAWriteSucceeds) {
    SetAtomicWriteFault(AtomicWriteFault::CannotCreate);
    for (const char* name : {"hs4x4", "hs6x6", "hs9x9"}) {
        TPellixHighScoreList table;
        table.Create(dir.Str() + name, 10, 10);
        table.Load();  // missing: the default, which cannot be written
        EXPECT_EQ(table.Count(), 10u);
    }
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(notices.size(), 1u);
    TPellixHighScoreList table;
    table.Create(dir.Str() + "hs12x12", 10, 10);
    EXPECT_EQ(table.Save(), 1);
    SetAtomicWriteFault(AtomicWriteFault::CannotCreate);
    EXPECT_EQ(table.Save(), 0);
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(notices.size(), 2u);
    EXPECT_EQ(table.Save(), 1);
}

// Only ten entries with sensible values are kept; a file larger than any real table is taken as damaged.
TEST_F(HighScoreListTest, ReadingKeepsTenGoodEntriesAndRefusesHugeFiles) {
    std::string bytes = Entry("\x8f", -5, 0) + Entry("\x8f", 100, 5) + Entry("\x8f", 200, -1);
    for (int i = 0; i < 12; ++i) bytes += Entry("\x90", 1000 + i, i % 5);
    testenv::WriteFile(dir.Path() / "t.dat", bytes);
    TPellixHighScoreList table;
    table.Create(dir.Str() + "t", 10, 10);
    table.Load();
    ASSERT_EQ(table.Count(), 10u);
    EXPECT_EQ(table.Entries.front().time, 1000);
    EXPECT_EQ(table.Entries.back().time, 1009);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "t.dat"), bytes);

    // The player's ten times with 100 MB appended: the file is kept aside as it was, the player told
    // once, and the ten times at its start are the table, written afresh.
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += Entry("\x90", 1000 + i, i % 5);
    {
        std::ofstream huge(dir.Path() / "t.dat", std::ios::binary);
        huge << ten;
        const std::string junk(1024 * 1024, '\x55');
        for (int i = 0; i < 100; ++i) huge << junk;
    }
    const auto hugeSize = std::filesystem::file_size(dir.Path() / "t.dat");
    table.Load();
    ASSERT_EQ(table.Count(), 10u);
    EXPECT_EQ(HighScoreEncode(table.Entries), ten);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "t.dat"), ten);
    EXPECT_EQ(std::filesystem::file_size(dir.Path() / "t.dat.unreadable"), hugeSize);
    ASSERT_EQ(errorNotices.size(), 1u);
    EXPECT_NE(errorNotices[0].find(dir.Str() + "t.dat.unreadable"), std::string::npos);
}

// A table file that is there but cannot be read (a folder or a FIFO in its place, as tests run as root)
// is kept aside, not replaced; the default table takes its place and the player is told once.
TEST_F(HighScoreListTest, ATableThatCannotBeReadIsKeptAsideAndSaidOnce) {
    std::filesystem::create_directory(dir.Path() / "hs9x9.dat");
    testenv::WriteFile(dir.Path() / "hs9x9.dat" / "times", "mine");
    ASSERT_EQ(::mkfifo((dir.Str() + "hs4x4.dat").c_str(), 0666), 0);
    for (const char* name : {"hs9x9", "hs4x4"}) {
        errorNotices.clear();
        TPellixHighScoreList table;
        table.Create(dir.Str() + name, 10, 10);
        table.Load();
        EXPECT_EQ(table.Count(), 10u) << name;
        ASSERT_TRUE(std::filesystem::is_regular_file(table.filepath)) << name;  // a FIFO is never read
        EXPECT_EQ(testenv::ReadFile(table.filepath), HighScoreEncode(table.Entries)) << name;
        EXPECT_TRUE(std::filesystem::exists(table.filepath + ".unreadable")) << name;
        EXPECT_EQ(errorNotices.size(), 1u) << name;
    }
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "hs9x9.dat.unreadable" / "times"), "mine");
}

// A table with fewer entries than its limit takes any time: before the first slower entry, else after
// its last one; a full one only a better time.
TEST_F(HighScoreListTest, ATableWithRoomTakesATimeAfterItsLastEntry) {
    struct Case {
        int entries, limit, time, place;
    };
    const Case cases[] = {
        {0, 10, 500, 1},   {0, 10, 0, 1},      {3, 10, 9999, 4},   {3, 10, 3000, 4}, {3, 10, 2999, 3},
        {9, 10, 9999, 10}, {10, 10, 10000, 0}, {10, 10, 9999, 10}, {2, 2, 2000, 0},  {1, 2, 2000, 2},
    };
    for (const Case& c : cases) {
        TPellixHighScoreList table;
        table.Create(dir.Str() + "room", 10, c.limit);
        for (int i = 1; i <= c.entries; ++i) table.Add("p", i * 1000, 0);
        EXPECT_EQ(table.WillEnterHighscore(c.time), c.place) << c.entries << " " << c.time;
    }
    // An empty best-time file is an empty table, and the first finished puzzle enters it.
    testenv::WriteFile(dir.Path() / "hs6x6.dat", "");
    HighScores6.Create(dir.Str() + "hs6x6", 10, 10);
    HighScores6.Load();
    PuzzleWidth = 6;
    ASSERT_EQ(HighScoreWillEnter(70000), 1);
    HighScoreAdd("First", 1, 70000);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "hs6x6.dat"), HighScoreEncode({{"First", 70000, 1}}));
}

}  // namespace

namespace {

// Malformed UTF-8 stores one "?" per byte it cannot place; characters above one byte store one "?".
TEST_F(HighScoreListTest, MalformedOrWideCharactersAreStoredAsQuestionMarks) {
    const std::string q = "\x8d";  // '?' 0x3f + 0x4e
    struct TRow {
        std::string name, stored;
    };
    const TRow rows[] = {
        {"\xff", q},                             // no lead byte
        {"\x80", q},                             // a continuation byte with no lead
        {"\xc3", q},                             // cut after the lead
        {"\xc3(", q + "\x76"},                   // a bad continuation: the next byte is read afresh
        {"\xe2\x82", q + q},                     // cut three-byte character
        {"\xf0\x9f\x98\x80", q},                 // four bytes, far above a byte
        {"\xc3\xa9z", "\x37\xc8"},               // e acute (0xe9) and z
        {"a\xc3\xa9", std::string("\xaf\x37")},  // a character at the end of the name
    };
    for (const TRow& row : rows) {
        const std::string bytes = HighScoreEncode({{row.name, 1, 0}});
        EXPECT_EQ(bytes.substr(0, bytes.find('\0')), row.stored) << row.name;
    }
    EXPECT_EQ(HighScoreDecode(HighScoreEncode({{"\xc3\xa9z", 1, 0}}))[0].name, "\xc3\xa9z");
}

// The framework's zeroed table, the default one and a table without a limit.
TEST_F(HighScoreListTest, ZeroedDefaultAndUnlimitedTables) {
    TPellixHighScoreList table;
    table.Create(dir.Str() + "z", 10, 10);
    table.Add("old", 5, 1);
    table.Zero(3);
    ASSERT_EQ(table.Count(), 3u);
    for (const auto& e : table.Entries) {
        EXPECT_EQ(e.name, "Empty");
        EXPECT_EQ(e.time, 0);
        EXPECT_EQ(e.difficulty, 0);
    }
    EXPECT_EQ(testenv::ReadFile(table.filepath), HighScoreEncode(table.Entries));

    table.Entries.clear();
    table.CreateDefault();
    ASSERT_EQ(table.Count(), 10u);
    for (const auto& e : table.Entries) {
        EXPECT_EQ(e.time, 5940000);
        EXPECT_EQ(e.difficulty, 2);
    }
    EXPECT_EQ(testenv::ReadFile(table.filepath), HighScoreEncode(table.Entries));

    TPellixHighScoreList unlimited;
    unlimited.Create(dir.Str() + "u", 10, -1);
    for (int i = 0; i < 12; ++i) unlimited.Insert("p", 100 - i, 0);
    EXPECT_EQ(unlimited.Count(), 12u);
    EXPECT_EQ(unlimited.Entries.front().time, 89);
    EXPECT_EQ(unlimited.WillEnterHighscore(1000), 13);
}

// A grid size without a table takes no time and writes nothing.
TEST_F(HighScoreListTest, AGridSizeWithoutATableTakesNoTime) {
    HighScores9.Create(dir.Str() + "hs9x9", 10, 10);
    HighScores9.Entries.clear();
    PuzzleWidth = 9;
    EXPECT_EQ(HighScoreWillEnter(1000), 1);
    for (int width : {0, 5, 8, 10, 17}) {
        EXPECT_EQ(HighScoreTable(width), nullptr) << width;
        PuzzleWidth = width;
        EXPECT_EQ(HighScoreWillEnter(1000), 0) << width;
        HighScoreAdd("x", 1, 1000);
    }
    EXPECT_TRUE(HighScores9.Entries.empty());
    EXPECT_EQ(DifficultyName(-1), "");
    EXPECT_EQ(DifficultyName(5), "");
    PuzzleWidth = 9;
}

// Tables at their edges: a file of exactly the largest size, the first and last entry of a full table,
// names at the edges of the byte encoding.
// Ten entries with long names padded by an unterminated tail to exactly the largest size a table file
// may have are read where they are; one byte more and the file is kept aside, its ten entries saved anew.
TEST_F(HighScoreListTest, AFileOfTheLargestSizeIsReadAndOneByteMoreIsKeptAside) {
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
TEST_F(HighScoreListTest, CreateAndLoadStartFromAnEmptyTable) {
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
TEST_F(HighScoreListTest, ATableOfNoPlacesTakesNothingAndAnUnlimitedOneReadsEverything) {
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
TEST_F(HighScoreListTest, DefaultNamesAndDifficultiesComeFromTheGameTexts) {
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
TEST_F(HighScoreListTest, ABestTimeTakesTheFirstPlaceAndPushesOutTheTenth) {
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
