// Save games: byte-exact files for every grid size against files built by hand here, round trips through
// the board model, damaged and truncated files refused without touching the board, failed writes shown to
// the player without ending play, and a crash in the middle of a save leaving the old file intact.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <memory>
#include <random>
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

int FakeNow = 0;

std::string Digits2(int v) {
    std::string text = std::to_string(v);
    if (v < 10) text.insert(text.begin(), '0');
    return text;
}

// A valid solution for size n, its regions shaped as on the board.
int SolutionAt(int n, int x, int y) {
    const int rw = n == 4 ? 2 : n == 6 ? 3 : n == 9 ? 3 : 4;
    const int rh = n / rw;
    return (x + rw * (y % rh) + y / rh) % n + 1;
}

// Fills the board model with a recognisable state for size n.
void FillBoard(int n) {
    PuzzleWidth = PuzzleHeight = n;
    PuzzleDifficulty = n % 5;
    ShowMarkup = n % 2;
    Puzzle = PuzzleStart = Solution = Locked = {};
    Markup = {};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            Solution[x][y] = static_cast<std::uint8_t>(SolutionAt(n, x, y));
            PuzzleStart[x][y] = (x + y) % 3 == 0 ? Solution[x][y] : 0;
            Puzzle[x][y] =
                (x + 2 * y) % 4 == 0 ? static_cast<std::uint8_t>((x + y) % n + 1) : PuzzleStart[x][y];
            Locked[x][y] = (x * y) % 3 == 1 ? 1 : 0;
            for (int k = 0; k < n; ++k) Markup[x][y][k] = (x + y + k) % 5 == 0 ? 1 : 0;
        }
}

// The file for FillBoard(n) with the given elapsed time, written out line by line from the layout.
std::string HandMadeFile(int n, int elapsed) {
    std::vector<std::string> lines;
    lines.push_back("Sudoku Numora Savegame");
    lines.push_back(Digits2(n) + "x" + Digits2(n));
    lines.push_back(std::to_string(n % 5));
    lines.push_back(std::to_string(n % 2));
    lines.push_back(std::to_string(elapsed));
    auto grid = [&](auto value) {
        lines.push_back("-");
        for (int y = 0; y < n; ++y) {
            std::string line;
            for (int x = 0; x < n; ++x) line += Digits2(value(x, y)) + " ";
            lines.push_back(line);
        }
    };
    auto solution = [n](int x, int y) { return SolutionAt(n, x, y); };
    auto start = [&](int x, int y) { return (x + y) % 3 == 0 ? solution(x, y) : 0; };
    grid(start);
    grid([&](int x, int y) { return (x + 2 * y) % 4 == 0 ? (x + y) % n + 1 : start(x, y); });
    grid(solution);
    lines.push_back("-");
    for (int y = 0; y < n; ++y) {
        std::string line;
        for (int x = 0; x < n; ++x) line += (x * y) % 3 == 1 ? "1 " : "0 ";
        lines.push_back(line);
    }
    lines.push_back("-");
    for (int y = 0; y < n; ++y) {
        std::string line;
        for (int x = 0; x < n; ++x)
            for (int k = 0; k < n; ++k) line += (x + y + k) % 5 == 0 ? "1 " : "0 ";
        lines.push_back(line);
    }
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

using testenv::ReplaceLine;

struct BoardSnapshot {
    int width, height, difficulty, showMarkup, startTime, endTime;
    TByteGrid puzzleStart, puzzle, solution, locked;
    TMarkupGrid markup;
    static BoardSnapshot Take() {
        return {PuzzleWidth, PuzzleHeight, PuzzleDifficulty, ShowMarkup, PuzzleStartTime, PuzzleEndTime,
                PuzzleStart, Puzzle,       Solution,         Locked,     Markup};
    }
    bool operator==(const BoardSnapshot&) const = default;
};

class SaveGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Game) Game = std::make_unique<TGame>();
        Game->ProfilePath = dir.Str();
        FakeNow = 500000;
        SetClockSource([] { return FakeNow; });
        SetGameNoticeHandler([this](const std::string& text) { notices.push_back(text); });
        PuzzleEndTime = 0;
    }
    void TearDown() override {
        SetClockSource({});
        SetGameNoticeHandler({});
        SetAtomicWriteFault(AtomicWriteFault::None);
    }

    std::string SavePath(const std::string& name) const { return dir.Str() + name + ".dat"; }

    // Saves FillBoard(n) with the stopwatch at `elapsed` and returns the file's bytes.
    std::string SaveFilled(int n, int elapsed, const std::string& name) {
        FillBoard(n);
        PuzzleStartTime = FakeNow - elapsed;
        EXPECT_EQ(SaveGameSave(name), 1);
        return testenv::ReadFile(SavePath(name));
    }

    testenv::TempDir dir;
    std::vector<std::string> notices;
};

TEST_F(SaveGameTest, EverySizeIsWrittenExactlyAsLaidOut) {
    for (int n : {4, 6, 9, 12, 16}) {
        const std::string bytes = SaveFilled(n, 90000 + n, "size" + std::to_string(n));
        EXPECT_EQ(bytes, HandMadeFile(n, 90000 + n)) << n;
    }
    EXPECT_TRUE(notices.empty());
}

TEST_F(SaveGameTest, LoadRestoresEverySizeAndTheRunningTime) {
    for (int n : {4, 6, 9, 12, 16}) {
        const std::string name = "trip" + std::to_string(n);
        SaveFilled(n, 90000, name);
        FillBoard(n);
        const BoardSnapshot saved = BoardSnapshot::Take();
        FillBoard(n == 4 ? 6 : 4);  // something else entirely
        ShowMarkup = 1 - saved.showMarkup;
        PuzzleEndTime = 12345;
        FakeNow = 700000;
        ASSERT_EQ(SaveGameLoad(name), 1) << n;
        BoardSnapshot loaded = BoardSnapshot::Take();
        EXPECT_EQ(loaded.startTime, 700000 - 90000);
        EXPECT_EQ(loaded.endTime, 0);
        loaded.startTime = saved.startTime;
        loaded.endTime = saved.endTime;
        EXPECT_TRUE(loaded == saved) << n;
        EXPECT_EQ(StopwatchText(), "01:30");
    }
    // A stopped stopwatch saves the time it shows, not the time since the start.
    PuzzleStartTime = 100000;
    PuzzleEndTime = 130000;
    ASSERT_EQ(SaveGameSave("frozen"), 1);
    ASSERT_EQ(SaveGameLoad("frozen"), 1);
    EXPECT_EQ(StopwatchText(), "00:30");
}

// Each damaged variant of a good 4 x 4 file, by the line it breaks (lines counted from 0).
TEST_F(SaveGameTest, DamagedFilesAreRefusedWithoutTouchingTheBoard) {
    const std::string good = HandMadeFile(4, 777);
    auto replaceLine = [&](int index, const std::string& line) { return ReplaceLine(good, index, line); };
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"size 5", replaceLine(1, "05x05")},
        {"unequal", replaceLine(1, "04x06")},
        {"rows narrower than the size", replaceLine(1, "16x16")},
        {"difficulty", replaceLine(2, "5")},
        {"two-digit difficulty", replaceLine(2, "22")},
        {"huge time", replaceLine(4, "99999999999")},
        {"value over N", replaceLine(6, "05 00 00 00 ")},
        {"trailing text", good + "more\r\n"},
        {"binary", std::string("\0\xff\x10", 3)},
    };
    FillBoard(9);
    const BoardSnapshot before = BoardSnapshot::Take();
    for (const auto& [what, text] : damaged) {
        testenv::WriteFile(SavePath("bad"), text);
        notices.clear();
        EXPECT_EQ(SaveGameLoad("bad"), 0) << what;
        EXPECT_TRUE(BoardSnapshot::Take() == before) << what;
        EXPECT_EQ(notices.size(), 1u) << what;
        EXPECT_EQ(testenv::ReadFile(SavePath("bad")), text) << what;
    }
    // The refusal says what and where; a missing file is refused the same way and not created.
    std::string error;
    EXPECT_FALSE(SaveGameParse(replaceLine(2, "7"), &error));
    EXPECT_EQ(error, "bad difficulty, line 3");
    testenv::WriteFile(SavePath("bad"), replaceLine(2, "7"));
    notices.clear();
    EXPECT_EQ(SaveGameLoad("bad"), 0);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(SavePath("bad")), std::string::npos);
    EXPECT_NE(notices[0].find("bad difficulty, line 3"), std::string::npos);
    EXPECT_EQ(SaveGameLoad("nothere"), 0);
    EXPECT_TRUE(BoardSnapshot::Take() == before);
    EXPECT_EQ(FileType(SavePath("nothere")), FILETYPE_NONE);
    // The untouched file loads, so every refusal above was the damage's doing.
    testenv::WriteFile(SavePath("bad"), good);
    EXPECT_EQ(SaveGameLoad("bad"), 1);
}

// The checks across grids and of the size: each refusal names its fault; the file stays as it was.
TEST_F(SaveGameTest, InconsistentOrOversizedSavesAreRefusedNamingTheFault) {
    const std::string good = HandMadeFile(4, 777);
    // Lines 16-19 are the solution of a 4 x 4 save, 6-9 its givens (counted from 0).
    std::string twoEqualRows = ReplaceLine(good, 17, "01 02 03 04 ");
    std::string givenOff = ReplaceLine(good, 6, "02 00 00 04 ");
    std::string zeroInSolution = ReplaceLine(good, 16, "00 02 03 04 ");
    // Rows and columns hold every number, the 2 x 2 regions do not.
    std::string latinSquare = good;
    for (int y = 0; y < 4; ++y) {
        std::string row;
        for (int x = 0; x < 4; ++x) row += Digits2((x + y) % 4 + 1) + " ";
        latinSquare = ReplaceLine(latinSquare, 16 + y, row);
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {twoEqualRows, "the solution is not a valid grid"},
        {zeroInSolution, "the solution is not a valid grid"},
        {latinSquare, "the solution is not a valid grid"},
        {givenOff, "the given at column 1, row 1 differs from the solution"},
        {good + std::string(100 * 1024, '\n'), "far too large to be a saved game"},
    };
    FillBoard(9);
    const BoardSnapshot before = BoardSnapshot::Take();
    for (const auto& [text, fault] : cases) {
        SCOPED_TRACE(fault);
        testenv::WriteFile(SavePath("odd"), text);
        notices.clear();
        EXPECT_EQ(SaveGameLoad("odd"), 0);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(fault), std::string::npos) << notices[0];
        EXPECT_TRUE(BoardSnapshot::Take() == before);
        EXPECT_EQ(testenv::ReadFile(SavePath("odd")), text);
    }
}

TEST_F(SaveGameTest, AnyFirstLineAndNamesUpToTheFileSystemLimitAreAccepted) {
    testenv::WriteFile(SavePath("elsewhere"),
                       ReplaceLine(HandMadeFile(6, 42), 0, "Made by another build \x01"));
    EXPECT_EQ(SaveGameLoad("elsewhere"), 1);
    EXPECT_EQ(PuzzleWidth, 6);
    // 251 bytes and ".dat" make the longest file name the file system takes.
    const std::string longest(251, 'n');
    const std::string saved = SaveFilled(9, 5000, longest);
    EXPECT_EQ(saved, HandMadeFile(9, 5000));
    EXPECT_EQ(SaveGameLoad(longest), 1);
    EXPECT_TRUE(notices.empty());
}

TEST_F(SaveGameTest, EveryTruncationIsRefused) {
    const std::string good = HandMadeFile(6, 42);
    // Cutting only the final line end leaves every value in place; any shorter cut loses data.
    for (std::size_t length = 0; length + 2 < good.size(); ++length)
        ASSERT_FALSE(SaveGameParse(good.substr(0, length)).has_value()) << length;
    EXPECT_TRUE(SaveGameParse(good.substr(0, good.size() - 2)).has_value());
}

// Random damage: whatever the parser accepts is in range and writes back to the very same text.
TEST_F(SaveGameTest, RandomlyDamagedFilesAreRefusedOrReadBackExactly) {
    std::mt19937 random(2024);
    int accepted = 0;
    for (int n : {4, 9, 16}) {
        FillBoard(n);
        const std::string good = HandMadeFile(n, 31337);
        for (int round = 0; round < 400; ++round) {
            std::string text = good;
            const int edits = 1 + round % 3;
            for (int e = 0; e < edits; ++e) {
                const std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random);
                const char c = "0123456789x- \r\n\x01"[std::uniform_int_distribution<int>(0, 16)(random)];
                switch (std::uniform_int_distribution<int>(0, 2)(random)) {
                    case 0:
                        text[at] = c;
                        break;
                    case 1:
                        text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), c);
                        break;
                    default:
                        text.erase(at, 1);
                        break;
                }
            }
            const auto data = SaveGameParse(text);
            if (!data) continue;
            ++accepted;
            ASSERT_TRUE(data->Width == 4 || data->Width == 6 || data->Width == 9 || data->Width == 12 ||
                        data->Width == 16);
            ASSERT_EQ(data->Height, data->Width);
            ASSERT_GE(data->ElapsedTime, 0);
            // The only slack the reader allows: any first line, either line end, blank lines at the end,
            // no final line end.
            auto normalised = [](std::string t) {
                t.erase(0, t.find('\n'));
                for (std::size_t at; (at = t.find("\r\n")) != std::string::npos;) t.erase(at, 1);
                while (t.ends_with("\n\n")) t.pop_back();
                if (!t.ends_with("\n")) t += "\n";
                return t;
            };
            const std::string trimmed = normalised(text);
            const std::string expected = normalised(SaveGameFormat(*data));
            ASSERT_EQ(trimmed, expected) << round;
        }
    }
    EXPECT_GT(accepted, 0);  // edits that keep the layout (a digit for a digit) still read
}

TEST_F(SaveGameTest, AnUnwritableSaveIsShownAndPlayGoesOnAndNamesNeverLeaveTheFolder) {
    Game->ProfilePath = dir.Str() + "missing/folder/";
    FillBoard(9);
    const BoardSnapshot before = BoardSnapshot::Take();
    EXPECT_EQ(SaveGameSave("game"), 0);
    ASSERT_EQ(notices.size(), 1u);
    const std::string path = dir.Str() + "missing/folder/game.dat";
    EXPECT_NE(notices[0].find(path + "'"), std::string::npos);
    EXPECT_TRUE(BoardSnapshot::Take() == before);
    // Names that lead out of the folder are neither written nor read.
    Game->ProfilePath = dir.Str();
    for (const std::string name : {"../escape", "a/b", "..", ""}) {
        notices.clear();
        EXPECT_EQ(SaveGameSave(name), 0) << name;
        EXPECT_EQ(notices.size(), 1u) << name;
        EXPECT_EQ(SaveGameLoad(name), 0) << name;
    }
    EXPECT_EQ(FileType(dir.Path().parent_path().string() + "/escape.dat"), FILETYPE_NONE);
}

TEST_F(SaveGameTest, AFailedWriteLeavesTheOldSaveIntact) {
    const std::string old = SaveFilled(9, 1000, "keep");
    for (AtomicWriteFault fault : {AtomicWriteFault::AfterPartialWrite, AtomicWriteFault::BeforeRename}) {
        SetAtomicWriteFault(fault, true);
        FillBoard(4);
        notices.clear();
        EXPECT_EQ(SaveGameSave("keep"), 0);
        EXPECT_EQ(notices.size(), 1u);
        EXPECT_EQ(testenv::ReadFile(SavePath("keep")), old);
        SetAtomicWriteFault(AtomicWriteFault::None);
    }
}

// Killed by the file-size limit mid-write, or the write saw the short write and gave up cleanly (exit 3).
bool KilledMidWriteOrGaveUp(int status) {
    return (WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) ||
           (WIFEXITED(status) && WEXITSTATUS(status) == 3);
}

// Saves a 9 x 9 board under a file-size limit of 64 bytes, in the child process of a death test.
[[noreturn]] void SaveUnderSizeLimit(const std::string& name) {
    const rlimit limit{64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    FillBoard(9);
    std::exit(SaveGameSave(name) == 0 ? 3 : 0);
}

// A real process killed while writing its save.
TEST_F(SaveGameTest, AProcessKilledDuringASaveLeavesTheOldFileIntact) {
    const std::string old = SaveFilled(16, 1000, "crash");
    EXPECT_EXIT(SaveUnderSizeLimit("crash"), KilledMidWriteOrGaveUp, "");
    EXPECT_EQ(testenv::ReadFile(SavePath("crash")), old);
    ASSERT_EQ(SaveGameLoad("crash"), 1);
    EXPECT_EQ(PuzzleWidth, 16);
}

}  // namespace

// A typed-in puzzle is saved under the level it was graded at, and one that takes no place in the best
// times takes none after loading either.
TEST_F(SaveGameTest, ATypedInPuzzleKeepsItsBestTimeLevelThroughASave) {
    struct Case {
        const char* what;
        int givens;  // the first cells of the solution in reading order
        int savedLevel, recorded;
    };
    const Case cases[] = {{"three holes: Very Easy", 13, 0, 0}, {"two givens: several solutions", 2, 4, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FillBoard(4);
        PuzzleDifficulty = 4;
        PuzzleStart = {};
        for (int i = 0; i < c.givens; ++i) PuzzleStart[i % 4][i / 4] = Solution[i % 4][i / 4];
        CustomPuzzleGrade = Core.GradeGivens();
        ASSERT_EQ(HighScoreDifficulty(), c.recorded);
        ASSERT_EQ(SaveGameSave("typed"), 1);
        // The third line holds the level.
        EXPECT_EQ(testenv::ReadFile(SavePath("typed")).substr(31, 3), std::to_string(c.savedLevel) + "\r\n");
        CustomPuzzleGrade.reset();
        PuzzleDifficulty = 2;
        ASSERT_EQ(SaveGameLoad("typed"), 1);
        EXPECT_EQ(HighScoreDifficulty(), c.recorded);
    }
    CustomPuzzleGrade.reset();
}

namespace {

// Each field of a 4 x 4 save damaged in one way: the reason and the line (counted from 1) it names.
TEST(SaveGameParseTest, EachDamagedFieldIsNamedWithItsLine) {
    const std::string good = HandMadeFile(4, 777);
    struct TRow {
        int line;
        std::string text, error;
    };
    const std::string flags15 = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ";
    const TRow rows[] = {
        {1, "04x4", "bad grid size, line 2"},
        {1, "04x04 ", "bad grid size, line 2"},
        {1, "0<x12", "bad grid size, line 2"},  // '<' would count as 12
        {1, "12x0<", "bad grid size, line 2"},
        {1, "0@x16", "bad grid size, line 2"},  // '@' as 16
        {1, "16x0@", "bad grid size, line 2"},
        {1, "a4x04", "bad grid size, line 2"},
        {1, "0ax04", "bad grid size, line 2"},
        {1, "04-04", "bad grid size, line 2"},
        {1, "04xa4", "bad grid size, line 2"},
        {1, "04x0a", "bad grid size, line 2"},
        {1, "06x04", "bad grid size, line 2"},
        {1, "05x05", "bad grid size, line 2"},
        {2, "", "bad difficulty, line 3"},
        {2, "/", "bad difficulty, line 3"},
        {2, "5", "bad difficulty, line 3"},
        {2, "12", "bad difficulty, line 3"},
        {3, "2", "bad pencil-mark flag, line 4"},
        {3, "", "bad pencil-mark flag, line 4"},
        {3, "01", "bad pencil-mark flag, line 4"},
        {4, "", "bad time, line 5"},
        {4, "12a", "bad time, line 5"},
        {4, "12345678901", "bad time, line 5"},
        {4, "2147483648", "bad time, line 5"},
        {5, "--", "missing separator, line 6"},
        {6, "01 00 00 00", "bad row of the givens, line 7"},
        {6, "01 00 00 0a ", "bad row of the givens, line 7"},
        {6, "01 00 00 a0 ", "bad row of the givens, line 7"},
        {6, "01 00 00 00_", "bad row of the givens, line 7"},
        {6, "05 00 00 00 ", "number out of range in the givens, line 7"},
        {10, "", "missing separator, line 11"},
        {12, "01 00 00 00", "bad row of the numbers, line 13"},
        {19, "01 00 00 00", "bad row of the solution, line 20"},
        {20, "+", "missing separator, line 21"},
        {21, "1 0 0 2 ", "bad row of the locks, line 22"},
        {22, "1 0 0 0", "bad row of the locks, line 23"},
        {24, "1 0 0 0_", "bad row of the locks, line 25"},
        {25, "", "missing separator, line 26"},
        {26, flags15 + "2 ", "bad row of the pencil marks, line 27"},
        {29, flags15 + "0", "bad row of the pencil marks, line 30"},
    };
    for (const TRow& row : rows) {
        std::string error;
        EXPECT_FALSE(SaveGameParse(ReplaceLine(good, row.line, row.text), &error))
            << row.line << " " << row.text;
        EXPECT_EQ(error, row.error) << row.line << " " << row.text;
    }
    std::string error;
    EXPECT_FALSE(SaveGameParse("", &error));
    EXPECT_EQ(error, "not a saved game");
    EXPECT_FALSE(SaveGameParse(good + "x\r\n", &error));
    EXPECT_EQ(error, "unexpected text after the pencil marks, line 31");
    // Blank lines after the pencil marks, the largest time and the top difficulty are all fine.
    const auto data =
        SaveGameParse(ReplaceLine(ReplaceLine(good, 4, "2147483647"), 2, "4") + "\r\n\r\n", &error);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->ElapsedTime, 2147483647);
    EXPECT_EQ(data->Difficulty, 4);
    EXPECT_EQ(data->ShowMarkup, 0);
    EXPECT_TRUE(SaveGameParse(ReplaceLine(good, 3, "1"), nullptr)->ShowMarkup);
    const auto easiest = SaveGameParse(ReplaceLine(ReplaceLine(good, 2, "0"), 4, "0"), nullptr);
    ASSERT_TRUE(easiest);
    EXPECT_EQ(easiest->Difficulty, 0);
    EXPECT_EQ(easiest->ElapsedTime, 0);
}

}  // namespace
