// Player files that cannot be read in full: every reader that writes its file back keeps such a file
// aside instead of writing over it, tells the player once and goes on. Unreadable files are made as
// tests running as root still cannot read them: a folder or a FIFO in the file's place.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/PlayerFile.h"
#include "core/Profile.h"
#include "core/ScoreList.h"
#include "platform/FileSystem.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

class PlayerFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        savedLogFolder = LogFolder;
        LogFolder = logs.Str();
        Game = std::make_unique<TGame>();
        Game->UseCorrectPath = 1;
        Game->SubPath = dir.Str();
        Game->DataPrefix = install.Str();
        Game->SetProfilePath(dir.Str());
        testenv::WriteFile(install.Path() / "data/default.ini", "PROFILE NAME=\r\nFULL SCREEN=1\r\n");
    }
    void TearDown() override {
        SetErrorNotice(nullptr);
        LogFolder = savedLogFolder;
        Game.reset();
    }

    // What may stand in a player file's place and cannot be read in full.
    enum class Damage { Folder, Fifo, Huge };
    // Puts it at path; returns the bytes a kept-aside huge file must still hold.
    std::string Spoil(const std::string& path, Damage damage) const {
        switch (damage) {
            case Damage::Folder:
                fs::create_directory(path);
                testenv::WriteFile(path + "/inside", "mine");
                return "";
            case Damage::Fifo:
                EXPECT_EQ(::mkfifo(path.c_str(), 0666), 0);
                return "";
            case Damage::Huge:
                break;
        }
        const std::string huge = "PROFILE NAME=kept\r\n" + std::string(2 * 1024 * 1024, 'x');
        testenv::WriteFile(path, huge);
        return huge;
    }
    // The damaged thing is now at kept, as it was.
    void ExpectKept(const std::string& kept, Damage damage, const std::string& bytes) const {
        switch (damage) {
            case Damage::Folder:
                EXPECT_EQ(testenv::ReadFile(kept + "/inside"), "mine");
                break;
            case Damage::Fifo: {
                struct stat st {};
                EXPECT_EQ(::lstat(kept.c_str(), &st), 0);
                EXPECT_TRUE(S_ISFIFO(st.st_mode));
                break;
            }
            case Damage::Huge:
                EXPECT_EQ(testenv::ReadFile(kept), bytes);
                break;
        }
    }

    testenv::TempDir dir, install, logs;
    std::string savedLogFolder;
    std::vector<std::string> notices;
};

}  // namespace

// Every reader of a file the game writes back, each with every kind of damage: the damaged file is kept
// under "<file>.unreadable" (an earlier kept copy is left alone: "<file>.unreadable2"), the player told
// once with the file's name, and a fresh file takes its place.
TEST_F(PlayerFileTest, EveryRewrittenPlayerFileThatCannotBeReadIsKeptAsideAndSaidOnce) {
    struct Reader {
        const char* what;
        std::string path;
        std::function<void()> load;
    };
    const std::string settings = dir.Str() + "SudokuNumora";
    const Reader readers[] = {
        {"settings or options", settings + ".ini",
         [&] {
             TIniFile ini;
             ini.FileName = settings;
             ini.Add("Profile Name", "");
             ini.Load();
         }},
        {"crash recovery of the settings", settings + ".ini",
         [&] {
             testenv::WriteFile(dir.Path() / "inichanged.dat", "");
             Game->CheckGoodExit();
         }},
        {"profile", dir.Str() + "Mira.dat", [] { TProfile::Create("Mira")->Load(); }},
        {"score list", dir.Str() + "scores.dat",
         [&] {
             THighScoreList list;
             list.Create(dir.Str() + "scores", 10);
             list.Load();
         }},
    };
    // CheckGoodExit restores the file name the executable gives.
    const std::string recovered = Game->SettingsFileName() + ".ini";
    for (const Reader& reader : readers) {
        for (Damage damage : {Damage::Folder, Damage::Fifo, Damage::Huge}) {
            SCOPED_TRACE(std::string(reader.what) + " " + std::to_string(static_cast<int>(damage)));
            const std::string path =
                reader.what == std::string("crash recovery of the settings") ? recovered : reader.path;
            testenv::WriteFile(path + ".unreadable", "an earlier copy");
            const std::string bytes = Spoil(path, damage);
            notices.clear();
            reader.load();
            // (Checked as a file first: reading a FIFO put there would wait for ever.)
            ASSERT_TRUE(fs::is_regular_file(path + ".unreadable"));
            EXPECT_EQ(testenv::ReadFile(path + ".unreadable"), "an earlier copy");
            ExpectKept(path + ".unreadable2", damage, bytes);
            // (The crash recovery also says that it restored the defaults.)
            const auto told = std::count_if(notices.begin(), notices.end(), [&](const std::string& text) {
                return text.find(path + ".unreadable2") != std::string::npos;
            });
            EXPECT_EQ(told, 1);
            // Whatever the reader wrote in its place is a fresh plain file (a profile waits for its save).
            EXPECT_TRUE(FileType(path) == FILETYPE_FILE || !PathExists(path));
            fs::remove_all(path + ".unreadable2");
            fs::remove_all(path + ".unreadable");
            fs::remove_all(path);
        }
    }
}

// A file that could not be moved aside either is never written over for the rest of the run.
TEST_F(PlayerFileTest, AFileThatCannotBeMovedAsideIsLeftAsItIsAndNeverWritten) {
    const std::string path = dir.Str() + "config.ini";
    for (int n = 1; n <= 100; ++n)
        testenv::WriteFile(path + ".unreadable" + (n == 1 ? "" : std::to_string(n)), "kept");
    Spoil(path, Damage::Folder);
    const TPlayerFile file = ReadPlayerFile(path, MaxIniFileBytes);
    EXPECT_EQ(file.State, PlayerFileState::KeptAside);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("left as it is"), std::string::npos);
    fs::remove_all(path);
    testenv::WriteFile(path, "damaged");
    EXPECT_FALSE(WriteFileAtomic(path, "PROFILE NAME=\r\n"));
    EXPECT_EQ(testenv::ReadFile(path), "damaged");
}
