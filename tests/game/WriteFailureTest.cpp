// Every player file the game writes, failing at each step of the write (the temporary file cannot be
// made, the disk fills while writing, the data does not reach the disk, the rename fails): the failure is
// reported to the player, the previous file stays as it was, no temporary file is left, and the next
// write that can succeed does.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "game/Core.h"
#include "game/GameNotice.h"
#include "game/GameOptions.h"
#include "game/HighScoreList.h"
#include "game/SaveGame.h"
#include "platform/FileSystem.h"
#include "support/TestEnv.h"

namespace {

constexpr int NoStatus = -1000;  // the writer reports only through the notice

struct TWriter {
    const char* name;
    const char* file;
    std::function<void()> change;  // something new to write
    std::function<int()> write;
    int failed;  // the status the write returns when it failed
};

int Counter = 0;

const TWriter Writers[] = {
    {"Settings", "settings.ini", [] { Game->MusicVolume = ++Counter % 100; },
     [] {
         Game->IniUpdate(0);
         return NoStatus;
     },
     NoStatus},
    {"Options", "config.ini", [] { ShowTimer = ShowTimer == 0 ? 1 : 0; },
     [] {
         OptionsSave();
         return NoStatus;
     },
     NoStatus},
    {"BestTimes", "hs9x9.dat", [] { HighScores9.Insert("New", ++Counter, 1); },
     [] { return HighScores9.Save(); }, 0},
    {"SaveGame", "keep.dat", [] { Puzzle[0][0] = static_cast<std::uint8_t>(++Counter % 9 + 1); },
     [] { return SaveGameSave("keep"); }, 0},
};

struct TStage {
    const char* name;
    AtomicWriteFault fault;
};

const TStage Stages[] = {{"Open", AtomicWriteFault::CannotCreate},
                         {"Write", AtomicWriteFault::AfterPartialWrite},
                         {"Sync", AtomicWriteFault::SyncFails},
                         {"Rename", AtomicWriteFault::BeforeRename}};

void PrintTo(const TWriter& w, std::ostream* out) {
    *out << w.name;
}
void PrintTo(const TStage& s, std::ostream* out) {
    *out << s.name;
}

class WriteFailureTest : public ::testing::TestWithParam<std::tuple<TWriter, TStage>> {
  protected:
    void SetUp() override {
        Game = std::make_unique<TGame>();
        Game->Ini->FileName = dir.Str() + "settings";
        Game->ProfilePath = dir.Str();
        OptionsStartUp(dir.Str());
        HighScores9.Create(dir.Str() + "hs9x9", 10, 10);
        PuzzleWidth = PuzzleHeight = 9;
        const auto note = [this](const std::string& text) { notices.push_back(text); };
        SetErrorNotice(note);
        SetGameNoticeHandler(note);
    }
    void TearDown() override {
        SetAtomicWriteFault(AtomicWriteFault::None);
        SetErrorNotice(nullptr);
        SetGameNoticeHandler({});
        Game.reset();
    }

    int TemporaryFiles() const {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            n += entry.path().filename().string().front() == '.' ? 1 : 0;
        return n;
    }

    testenv::TempDir dir;
    std::vector<std::string> notices;
};

TEST_P(WriteFailureTest, IsReportedAndKeepsTheOldFile) {
    const auto& [writer, stage] = GetParam();
    const std::string path = dir.Str() + writer.file;
    writer.change();
    const int first = writer.write();
    if (writer.failed != NoStatus) {
        ASSERT_NE(first, writer.failed);
    }
    const std::string old = testenv::ReadFile(path);
    ASSERT_FALSE(old.empty());
    notices.clear();

    writer.change();
    SetAtomicWriteFault(stage.fault);
    const int status = writer.write();
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(status, writer.failed);
    EXPECT_EQ(notices.size(), 1u) << "the player is told";
    EXPECT_EQ(testenv::ReadFile(path), old);
    EXPECT_EQ(TemporaryFiles(), 0);

    writer.write();
    EXPECT_NE(testenv::ReadFile(path), old) << "the next write lands";
}

INSTANTIATE_TEST_SUITE_P(Writers, WriteFailureTest,
                         ::testing::Combine(::testing::ValuesIn(Writers), ::testing::ValuesIn(Stages)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
