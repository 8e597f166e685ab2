// The framework's start-up steps and GameQuit: order, checkpoints, guarded steps, options kept.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Startup.h"
#include "game/GameOptions.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

struct Ended {
    int code;
};

class StartupTest : public ::testing::Test {
  protected:
    testenv::TempDir dir;
    std::vector<std::string> steps;
    std::vector<std::string> notices;

    void SetUp() override {
        Game = std::make_unique<TGame>();
        Game->UseCorrectPath = 0;
        Game->SetSubPathWrapper(dir.Str(), 0);
        Game->UseCorrectPath = 1;
        Game->ProfilePath = Game->SubPath + "profiles/";
        LogFolder = Game->SubPath;
        Checkpoint = 0;
        SetEndHandler([](int code) { throw Ended{code}; });
        SetGameQuitTrace([this](const std::string& step) { steps.push_back(step); });
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        SetErrorCloseDisplay([] {});
        GameOptionsLoaded = 0;
        FirstRun = 1;
        GameIni = TIniFile();
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        SetGameQuitTrace(nullptr);
        SetErrorNotice(nullptr);
        SetErrorCloseDisplay(nullptr);
        GameOptionsLoaded = 0;
        Game.reset();
    }

    int Quit(int code = 0) {
        try {
            GameQuit(code);
        } catch (const Ended& e) {
            return e.code;
        }
        return -1;
    }
};

TEST_F(StartupTest, AnEarlyErrorLeavesTheOptionsFileAndThePageAlone) {
    const std::string good = "PREVENTDOUBLENUMBERS=0\r\nSHOWTIMER=0\r\nSHOWHIGHLIGHTER=1\r\nFIRSTRUN=0\r\n";
    testenv::WriteFile(dir.Path() / "config.ini", good);
    GameIni.FileName = Game->SubPath + "config";
    EXPECT_EQ(Quit(), 0);
    EXPECT_EQ(steps.back(), "End");
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "config.ini"), good);
    for (const auto& step : steps) EXPECT_NE(step, "OpenGetStartedPage");
}

TEST_F(StartupTest, AFatalErrorWithAFailedOptionsSaveEndsThroughTheOrderlyQuitWithStatusOne) {
    GameOptionsLoaded = 1;
    // The options cannot be saved into a folder that does not exist: said once, and the quit goes on.
    GameIni.FileName = dir.Str() + "missing/folder/config";
    EXPECT_EQ(Quit(1), 1);
    EXPECT_EQ(steps.back(), "End");
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_TRUE(fs::exists(dir.Path() / "goodexit.dat"));
}

TEST_F(StartupTest, AReadOnlyOrFullPlayerFolderStillStartsAndKeepsItsFiles) {
    fs::create_directories(dir.Path() / "profiles");
    const std::string settings = "FULL SCREEN=0\r\nMUSIC VOLUME=7\r\n";
    const std::string options =
        "PREVENTDOUBLENUMBERS=0\r\nSHOWTIMER=0\r\nSHOWHIGHLIGHTER=1\r\nFIRSTRUN=0\r\n";
    testenv::WriteFile(Game->SettingsFileName() + ".ini", settings);
    testenv::WriteFile(dir.Path() / "config.ini", options);
    SetAtomicWriteFault(AtomicWriteFault::CannotCreate);
    EXPECT_NO_THROW(Game->Init(0, 0));
    EXPECT_NO_THROW(OptionsStartUp(Game->SubPath));
    EXPECT_NO_THROW(Game->IniUpdate(1));
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(Checkpoint, 5007);
    EXPECT_EQ(Game->MusicVolume, 7);
    EXPECT_EQ(FirstRun, 0);
    EXPECT_EQ(notices.size(), 2u);  // the settings once, the options once
    EXPECT_EQ(testenv::ReadFile(Game->SettingsFileName() + ".ini"), settings);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "config.ini"), options);
}

// A FIFO in place of the settings and a folder in place of the options: neither is seeded or written over,
// both are kept aside, each said once, and the start goes on with fresh files.
TEST_F(StartupTest, SettingsAndOptionsThatCannotBeReadAreKeptAsideAtTheStart) {
    testenv::TempDir install;
    Game->DataPrefix = install.Str();
    testenv::WriteFile(install.Path() / "data/default.ini", "MUSIC VOLUME=33\r\n");
    const std::string settings = Game->SettingsFileName() + ".ini";
    ASSERT_EQ(::mkfifo(settings.c_str(), 0666), 0);
    fs::create_directory(dir.Path() / "config.ini");
    testenv::WriteFile(dir.Path() / "config.ini" / "mine", "x");
    EXPECT_NO_THROW(Game->Init(0, 0));
    EXPECT_NO_THROW(OptionsStartUp(Game->SubPath));
    EXPECT_TRUE(fs::is_fifo(settings + ".unreadable"));
    ASSERT_TRUE(fs::is_regular_file(settings));  // a FIFO is never read
    EXPECT_NE(testenv::ReadFile(settings).find("MUSIC VOLUME=33\r\n"), std::string::npos)
        << "seeded from the defaults";
    EXPECT_EQ(Game->MusicVolume, 33);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "config.ini.unreadable" / "mine"), "x");
    EXPECT_TRUE(fs::is_regular_file(dir.Path() / "config.ini"));
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[0].find(settings + ".unreadable"), std::string::npos);
    EXPECT_NE(notices[1].find("config.ini.unreadable"), std::string::npos);
}

TEST_F(StartupTest, AProfilesFolderThatCannotBeMadeDoesNotStopTheStart) {
    // A file where the profiles folder should be stands for a read-only or full player folder.
    testenv::WriteFile(dir.Path() / "profiles", "x");
    Game->SubPath = CommonAppDataFolder() + "Numora Grant/Sudoku/";  // made, then opened up to the root
    EXPECT_NO_THROW(Game->Init(0, 0));
    EXPECT_EQ(Checkpoint, 9);
    EXPECT_TRUE(fs::is_directory(Game->SubPath));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Cannot create shared profiles folder " + Game->ProfilePath);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "profiles"), "x");
}

TEST_F(StartupTest, AFirstStartMakesThePlayerFolderKeepsItToThePlayerAndThenLocksIt) {
    const std::string folder = dir.Str() + "Tolvane Games/Sudoku Numora";
    Game->SubPath = folder + "/";
    Game->ProfilePath = Game->SubPath + "profiles/";
    SingleInstanceCheck("Numora First Start", folder);
    ASSERT_FALSE(fs::exists(folder));  // left for the start-up's own step
    const mode_t mask = umask(022);
    EXPECT_NO_THROW(Game->Init(0, 0));
    umask(mask);
    ASSERT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_directory(Game->ProfilePath));
    // The player's own folder is not opened to the machine's other users.
    EXPECT_EQ(fs::status(folder).permissions() & (fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
    // The folder's lock is held once the folder exists, against any other opener.
    const int lock = open((folder + "/Numora First Start.lock").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lock, 0);
    EXPECT_NE(flock(lock, LOCK_EX | LOCK_NB), 0);
    close(lock);
}

TEST_F(StartupTest, InitFailureCarriesItsCheckpoint) {
    // A file where the shared data folder should be makes the folder impossible to create.
    testenv::WriteFile(dir.Path() / "blocked", "x");
    Game->SubPath = dir.Str() + "blocked/Sudoku Numora/";
    try {
        Game->Init(0, 0);
        FAIL() << "no error";
    } catch (...) {
        EXPECT_EQ(Checkpoint, 1002);
        EXPECT_EQ(UncaughtErrorText(std::current_exception(), Checkpoint),
                  "(1002) Cannot create shared data folder " + Game->SubPath);
    }
}

TEST_F(StartupTest, ADisplayErrorShowsTheGraphicsCheckpoint) {
    // Without any usable video driver no graphics mode can be counted.
    std::string saved = std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    try {
        Game->GraphicsCreate();
        FAIL() << "no error";
    } catch (...) {
        EXPECT_EQ(UncaughtErrorText(std::current_exception(), Checkpoint),
                  "(100) No 3D Hardware Found (could not count graphics modes.)");
    }
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
}

}  // namespace
