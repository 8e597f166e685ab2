// Framework settings and crash recovery, run in temporary folders: the round trip through the
// file, the markers and every path of the restore.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "platform/System.h"
#include "support/TestEnv.h"

namespace {

class GameSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        game = std::make_unique<TGame>();
        game->UseCorrectPath = 1;
        game->SubPath = shared.Str();
        game->DataPrefix = install.Str();
        game->Ini->FileName = game->SettingsFileName();
    }
    void TearDown() override {
        SetAtomicWriteFault(AtomicWriteFault::None);
        SetErrorNotice(nullptr);
        Game.reset();
    }

    std::string SettingsPath() const { return game->SettingsFileName() + ".ini"; }
    std::string Shared(const std::string& name) const { return shared.Str() + name; }
    bool Exists(const std::string& name) const { return FileType(Shared(name)) == FILETYPE_FILE; }
    void WriteDefault(const std::string& bytes) const {
        testenv::WriteFile(install.Path() / "data/default.ini", bytes);
    }
    void Touch(const std::string& name) const { testenv::WriteFile(shared.Path() / name, ""); }

    testenv::TempDir shared, install;
    std::unique_ptr<TGame> game;
    std::vector<std::string> notices;
};

const char* const kDefault =
    "VERSION NO=0.1\r\nFULL SCREEN=1\r\nMUSIC VOLUME=50\r\nPROFILE NAME=\r\nREGION=0\r\n";

}  // namespace

TEST_F(GameSettingsTest, EverySettingReadFromTheFileIsWrittenBackAsItWas) {
    // Each setting has a value of its own, so a lost or crossed one shows.
    const std::string names =
        "VERSION NO,FULL SCREEN,SOUND,MUSIC,SPEECH,SOUND VOLUME,MUSIC VOLUME,SPEECH VOLUME,FADE,PARTICLES,"
        "PORTAL SPLASH,PORTAL SPLASH2,INTRO,VSYNC,DRIVER,SOUND DRIVER,FULL SCREEN PROCESS PRIORITY,"
        "FULL SCREEN THREAD PRIORITY,WINDOWED PROCESS PRIORITY,WINDOWED THREAD PRIORITY,PROFILE NAME,REGION,"
        "SUB-REGION,";
    std::string text;
    int value = 2;
    for (size_t at = 0, end; (end = names.find(',', at)) != std::string::npos; at = end + 1)
        text += names.substr(at, end - at) + "=" + std::to_string(value++) + "\r\n";
    testenv::WriteFile(SettingsPath(), text);
    game->IniFill();
    game->Ini->Load();
    game->IniExtract();
    std::filesystem::remove(SettingsPath());
    game->IniUpdate(0);
    EXPECT_EQ(testenv::ReadFile(SettingsPath()), text);
    EXPECT_FALSE(Exists("inichanged.dat")) << "flag 0 writes no marker";
}

// Shares of 100 beyond their range would overflow the volume keys' steps and the particle count.
TEST_F(GameSettingsTest, VolumesAndParticlesFromAnEditedFileStayWithinTheirRange) {
    const struct {
        const char* line;
        int TGame::*field;
        int value;
    } rows[] = {
        {"SOUND VOLUME=2147483647", &TGame::SoundVolume, 100},
        {"MUSIC VOLUME=-2147483648", &TGame::MusicVolume, 0},
        {"SPEECH VOLUME=101", &TGame::SpeechVolume, 100},
        {"PARTICLES=2147483647", &TGame::Particles, 100},
        {"PARTICLES=-1", &TGame::Particles, 0},
        {"SPEECH VOLUME=-5", &TGame::SpeechVolume, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        testenv::WriteFile(SettingsPath(), std::string(row.line) + "\r\n");
        game->IniFill();
        game->Ini->Load();
        game->IniExtract();
        EXPECT_EQ(game.get()->*row.field, row.value);
    }
    game->SoundChangeVolume(10);
    game->MusicChangeVolume(-10);
    game->ParticlesChange(-10);
    EXPECT_EQ(game->SoundVolume, 100);
    EXPECT_EQ(game->MusicVolume, 0);
    EXPECT_EQ(game->Particles, 0);
}

TEST_F(GameSettingsTest, ASoundDriverSwitchedByItsKeyIsSavedAsAChange) {
    KeyBufferKeyDown(KEY_A + ('H' - 'A'));
    EXPECT_EQ(game->FrameworkKeys(), 1);
    GameFlushKeys();
    EXPECT_TRUE(Exists("inichanged.dat")) << "a crash before the next good exit restores the settings";
    EXPECT_EQ(FileType(SettingsPath()), FILETYPE_FILE);
}

TEST_F(GameSettingsTest, PausedSaveKeepsThePlayersMusicAndSpeechChoices) {
    game->Paused = 1;
    game->PausedMusicState = 1;
    game->PausedSpeechState = 0;
    game->Music = 0;  // the temporary mute of the pause
    game->Speech = 0;
    game->IniFill();
    EXPECT_EQ(*game->Ini->Find("Music"), "1");
    EXPECT_EQ(*game->Ini->Find("Speech"), "0");
    game->Paused = 0;
    game->IniFill();
    EXPECT_EQ(*game->Ini->Find("Music"), "0");
}

TEST_F(GameSettingsTest, GoodExitMarkerIsWrittenAndClearedAtTheNextStart) {
    Game = std::make_unique<TGame>();
    Game->UseCorrectPath = 1;
    Game->SubPath = shared.Str();
    TGame::MakeGoodExit();
    EXPECT_TRUE(Exists("goodexit.dat"));
    Touch("inichanged.dat");
    testenv::WriteFile(SettingsPath(), "FULL SCREEN=0\r\n");
    WriteDefault(kDefault);
    game->CheckGoodExit();
    EXPECT_FALSE(Exists("goodexit.dat"));
    EXPECT_EQ(testenv::ReadFile(SettingsPath()), "FULL SCREEN=0\r\n");
}

// After a crash: each case says whether the settings file, the default file and the change
// marker exist and whether the restore's write fails; then what the settings file holds and
// whether the restore was announced.
TEST_F(GameSettingsTest, CrashRecoveryRestoresOnlyWhatItCanAndClaimsOnlyWhatItDid) {
    struct Case {
        const char* what;
        bool settings, defaults, marker, failWrite;
        std::string expected;
        bool announced;
    };
    const Case cases[] = {
        {"unreadable default", true, false, true, false, "FULL SCREEN=0\r\n", false},
        {"no change before the crash", true, true, false, false, "FULL SCREEN=0\r\n", false},
        {"no settings file", false, true, true, false, kDefault, true},
        // The same files as the failed write, so that one is known to reach its write.
        {"restore over the settings", true, true, true, false, kDefault, true},
        {"failed restore write", true, true, true, true, "FULL SCREEN=0\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(SettingsPath());
        std::filesystem::remove(install.Path() / "data/default.ini");
        notices.clear();
        if (c.settings) testenv::WriteFile(SettingsPath(), "FULL SCREEN=0\r\n");
        if (c.defaults) WriteDefault(kDefault);
        if (c.marker) Touch("inichanged.dat");
        if (c.failWrite) SetAtomicWriteFault(AtomicWriteFault::BeforeRename);
        game->CheckGoodExit();
        SetAtomicWriteFault(AtomicWriteFault::None);
        EXPECT_EQ(testenv::ReadFile(SettingsPath()), c.expected);
        EXPECT_EQ(notices.size(), c.announced ? 1u : 0u);
        if (!c.failWrite) {
            EXPECT_FALSE(Exists("inichanged.dat"));
        }
    }
}

TEST_F(GameSettingsTest, TheRestoreNoticeLeavesTheLogOfTheLastErrorAndAnErrorStillReplacesIt) {
    const std::string savedFolder = LogFolder;
    LogFolder = shared.Str();
    const std::string lastError =
        "Date: 01 Dec 2026\r\nTime: 10:00:00\r\n(139) Error loading bitmap x.png\r\n";
    testenv::WriteFile(shared.Path() / "ErrorLog.txt", lastError);
    Touch("inichanged.dat");
    WriteDefault(kDefault);
    game->CheckGoodExit();
    EXPECT_EQ(notices, std::vector<std::string>{"Default ini file restored!"});
    EXPECT_EQ(testenv::ReadFile(shared.Path() / "ErrorLog.txt"), lastError);
    try {
        ReportError("Error loading file data/text/gametext.txt", 1);
    } catch (...) {
        ReportUncaughtException(std::current_exception());
    }
    const std::string log = testenv::ReadFile(shared.Path() / "ErrorLog.txt");
    EXPECT_NE(log.find("Error loading file data/text/gametext.txt"), std::string::npos) << log;
    EXPECT_EQ(log.find("bitmap"), std::string::npos) << log;
    LogFolder = savedFolder;
}

TEST_F(GameSettingsTest, TemporaryFilesOfInterruptedWritesGoAtTheNextStartOnlyOurs) {
    game->ProfilePath = game->SubPath + "profiles/";
    game->GameFileNames = {"config.ini"};
    std::filesystem::create_directories(game->ProfilePath);
    std::string settings = SettingsPath();
    settings = settings.substr(settings.find_last_of('/') + 1);
    const std::string profiles = game->ProfilePath;
    const std::vector<std::string> leftovers = {
        Shared("." + settings + ".a1B2c3"), Shared(".config.ini.XyZ123"), Shared(".goodexit.dat.000000"),
        profiles + ".my game.dat.abcdef", profiles + "." + std::string(247, 'n') + ".Q1w2E3"};
    const std::vector<std::string> others = {Shared("config.ini"),          Shared(".notes.txt.abcdef"),
                                             Shared(".config.ini.abc"),     Shared(".config.ini.ab-d!f"),
                                             profiles + ".list.txt.abcdef", profiles + "my game.dat"};
    for (const auto& path : leftovers) testenv::WriteFile(path, "half");
    for (const auto& path : others) testenv::WriteFile(path, "keep");
    // A link named like a leftover is never followed nor removed.
    std::filesystem::create_symlink(Shared("config.ini"), Shared(".config.ini.LinkAB"));
    EXPECT_EQ(game->RemoveWriteLeftovers(), static_cast<int>(leftovers.size()));
    for (const auto& path : leftovers) EXPECT_FALSE(std::filesystem::exists(path)) << path;
    for (const auto& path : others) EXPECT_EQ(testenv::ReadFile(path), "keep") << path;
    EXPECT_TRUE(std::filesystem::is_symlink(Shared(".config.ini.LinkAB")));
}
