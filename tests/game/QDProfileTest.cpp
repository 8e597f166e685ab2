// The profile chooser driven by injected clicks over a real profiles folder, and the game-side
// profile, ini file and text table read from disk and from the resource archive.
#include "core/FileUtils.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "core/PakFileManager.h"
#include "core/PakFormat.h"
#include "core/Profile.h"
#include "game/QDPlayerManager.h"
#include "game/QDProfile.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "presentation/WidgetWorld.h"

namespace {

class QDProfiles : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        ThreePlayers();
        Game->SubPath = dir.Str();
        Game->Ini->FileName = dir.Str() + "settings";
        testenv::WriteFile(dir.Path() / "profiles" / ".dat", "");
        testenv::WriteFile(dir.Path() / "profiles" / "notes.txt", "");
    }
    void TearDown() override {
        ActiveProfile.reset();
        WidgetWorld::TearDown();
    }
    // Clicks a button of the dialog's menu, then runs one logic tick.
    int Click(TDialog& manager, const std::string& button) {
        TButton* b = manager.Menu->FindButton(button);
        ClickAt(int(b->x) + 5, int(b->y) + 5);
        return manager.Manage();
    }
};

TEST_F(QDProfiles, ListShowsProfilesOnlyAndOkMakesTheSelectionTheLoadedProfile) {
    auto stored = TProfile::Create("Cleo");
    stored->Score = 77;
    stored->Save();
    Game->CurrentProfile = TProfile::Create("Bert");
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 10, "");
    // Only profile files are listed, and the current one is chosen.
    EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Anna", "Bert", "Cleo"}));
    EXPECT_EQ(manager->ListBox->Index, 1);
    manager->Start();
    manager->ListBox->SetIndex(2);
    EXPECT_EQ(Click(*manager, "OK"), 1);
    EXPECT_EQ(Game->ProfileName, "Cleo");
    EXPECT_EQ(Game->CurrentProfile->Name, "Cleo");
    EXPECT_EQ(Game->CurrentProfile->Score, 77);
    EXPECT_NE(testenv::ReadFile(dir.Path() / "settings.ini").find("PROFILE NAME=Cleo"), std::string::npos);
    manager->Kill();
}

// Choosing a player changes the settings, and the next start is told so by its marker file.
TEST_F(QDProfiles, ChoosingAPlayerLeavesTheSettingsChangedMarker) {
    Game->UseCorrectPath = 1;
    auto manager = QDPlayerManager::Create("Players", nullptr, 400, 0, 0, 10);
    manager->Start();
    manager->ListBox->SetIndex(2);
    EXPECT_EQ(Click(*manager, "OK"), 1);
    EXPECT_EQ(FileType(dir.Str() + "inichanged.dat"), FILETYPE_FILE);
    manager->Kill();
}

TEST_F(QDProfiles, LastPlayerCannotBeDeletedAndTheLimitStopsCreation) {
    std::filesystem::remove(dir.Path() / "profiles" / "Anna.dat");
    std::filesystem::remove(dir.Path() / "profiles" / "Bert.dat");
    std::vector<std::string> messages;
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 1, "");
    manager->ErrorDialogFunc = [&](const std::string& text) {
        messages.push_back(text);
        return TDialogOK::Create(text, nullptr, 400, 100, 0);
    };
    manager->ListBox->SetIndex(0);
    manager->DeleteProfileCheck();
    manager->DialogOK.reset();
    manager->CreateProfile();
    EXPECT_EQ(messages, (std::vector<std::string>{"The list must contain at least one player!",
                                                  "You cannot create any more players!"}));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "profiles" / "Cleo.dat"));
    manager->Kill();
}

TEST_F(QDProfiles, CreatedNameIsCapitalisedAndAcceptedButUnsafeOrTakenNamesAreNot) {
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 10, "");
    std::vector<std::string> created, messages;
    // The game's hook makes the new player the current one, which the refilled list then highlights.
    manager->CreateProfileFunc = [&](const std::string& name) {
        created.push_back(name);
        Game->CurrentProfile = TProfile::Create(name);
        Game->CurrentProfile->Save();
    };
    manager->ErrorDialogFunc = [&](const std::string& text) {
        messages.push_back(text);
        return std::unique_ptr<TDialogOK>();
    };
    manager->Start();
    for (const char* typed : {"../up", "anna", "élodie"}) {
        manager->CreateProfile();
        ASSERT_TRUE(manager->EnterName);
        manager->EnterName->TextInput->Text = typed;
        manager->EnterName->CloseResult = 1;
        manager->Manage();
    }
    EXPECT_EQ(created, (std::vector<std::string>{"Élodie"}));
    EXPECT_EQ(messages, (std::vector<std::string>{"This name cannot be used for a player!",
                                                  "There is already a player with this name!"}));
    EXPECT_EQ(Game->ProfileName, "Élodie");
    EXPECT_EQ(manager->CloseResult, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "up.dat"));
    manager->Kill();
}

TEST_F(QDProfiles, CancelAfterDeletingTheActiveProfileMovesToTheFirstName) {
    ActiveProfile = QDProfile::Create("Bert");
    int loads = 0;
    ActiveProfile->LoadFunction = [&] { return ++loads; };
    Game->CurrentProfile = ActiveProfile;
    auto manager = QDPlayerManager::Create("Players", nullptr, 400, 0, 0, 10);
    int told = 0;
    manager->CustomDeleteFunction = [&](QDPlayerManager&) { ++told; };
    manager->Start();
    manager->DeleteProfile();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(manager->CancelClick(), 0);
    EXPECT_EQ(ActiveProfile->Name, "Anna");
    EXPECT_EQ(Game->ProfileName, "Anna");
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(manager->CloseResult, -1);
    manager->Kill();
}

TEST_F(QDProfiles, IniFileReadsFromDiskAndWritesBackAtomically) {
    testenv::WriteFile(dir.Path() / "opts.ini", "volume=7\r\nname=a=b\r\nunknown=1\r\n");
    QDIniFile ini;
    ini.FileName = dir.Str() + "opts";
    ini.Add("Volume", "5");
    ini.Add("Name", "");
    ini.Load(1, 0);
    EXPECT_EQ(*ini.Find("volume"), "7");
    EXPECT_EQ(*ini.Find("NAME"), "a=b");
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "opts.ini"), "VOLUME=7\r\nNAME=a=b\r\n");
    ini.Lines[1].Value = "two\nlines";
    ini.Save();
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "opts.ini"), "VOLUME=7\r\nNAME=two lines\r\n");
}

TEST_F(QDProfiles, IniFileAndTextsFromTheArchiveLeaveTheDiskAlone) {
    std::filesystem::create_directories(dir.Path() / "res");
    testenv::WriteFile(dir.Path() / "res" / "levels.ini", "LEVEL=3\r\n");
    testenv::WriteFile(dir.Path() / "res" / "words.txt", "[TEXT]\r\nHello\r\nline 1\r\nline 2\r\n");
    PakManager = TPakFileManager::Create(dir.Str() + "res/", ".pak");
    QDIniFile ini;
    ini.FileName = "Levels";
    ini.Add("level", "0");
    ini.Load(0, 1);
    EXPECT_EQ(*ini.Find("LEVEL"), "3");
    EXPECT_FALSE(std::filesystem::exists("Levels.ini"));
    Game->SetTextPath(dir.Str() + "nowhere");
    auto text = QDGameText::Create("words.txt", 1);
    EXPECT_EQ(text->FindString("hello"), "line 1\r\nline 2");
    ini.FileName = "missing";
    EXPECT_THROW(ini.Load(0, 1), TRuntimeError);
    EXPECT_EQ(notices.back(), "Could not read file 'missing.ini'");
    EXPECT_THROW(QDGameText::Create("none.txt", 1), TRuntimeError);
    EXPECT_EQ(notices.back(), "Could not read file 'none.txt'");
    PakManager.reset();
}

TEST_F(QDProfiles, AGameSideProfileSavesAndLoadsOnlyThroughTheGamesFunctions) {
    auto profile = QDProfile::Create("Dora");
    EXPECT_EQ(profile->Name, "Dora");
    EXPECT_NE(profile->savedata, nullptr);
    EXPECT_EQ(profile->Save(), 0);
    EXPECT_EQ(profile->Load(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "profiles" / "Dora.dat"));
    int saves = 0, loads = 0;
    profile->SaveFunction = [&] { return ++saves + 6; };
    profile->LoadFunction = [&] { return ++loads + 8; };
    EXPECT_EQ(profile->Save(), 7);
    EXPECT_EQ(profile->Load(), 9);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "profiles" / "Dora.dat"));
}

TEST_F(QDProfiles, IniFileSaveIsObservedLoadWithoutSaveWritesNothingAndAFailedSaveIsSaidAndPlayGoesOn) {
    std::vector<std::string> written;
    SetFileWrittenObserver([&](const std::string& path) { written.push_back(path); });
    QDIniFile ini;
    ini.FileName = dir.Str() + "opts";
    ini.Add("volume", "5");
    EXPECT_EQ(ini.Find("absent"), nullptr);
    EXPECT_EQ(ini.Save(), 1);
    EXPECT_EQ(written, std::vector<std::string>{dir.Str() + "opts.ini"});
    EXPECT_EQ(Checkpoint, 5010);
    testenv::WriteFile(dir.Path() / "opts.ini", "volume=9\r\n");
    ini.Load(0, 0);
    EXPECT_EQ(*ini.Find("VOLUME"), "9");
    EXPECT_EQ(Checkpoint, 5006);
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "opts.ini"), "volume=9\r\n");
    EXPECT_EQ(written.size(), 1u);
    ini.FileName = dir.Str() + "no folder/opts";
    EXPECT_EQ(ini.Save(), 0);
    EXPECT_EQ(notices.back(), "Failed to save file " + dir.Str() + "no folder/opts.ini");
    EXPECT_EQ(Checkpoint, 5008);
    EXPECT_EQ(written.size(), 1u);
    SetFileWrittenObserver(nullptr);
    Checkpoint = 0;
}

TEST_F(QDProfiles, TextsFromDiskComeFromTheTextFolderAndAMissingOneIsFatal) {
    std::filesystem::create_directories(dir.Path() / "text");
    testenv::WriteFile(dir.Path() / "text" / "words.txt", "[TEXT]\r\nHello\r\nHi there\r\n");
    Game->SetTextPath(dir.Str() + "text");
    auto text = QDGameText::Create("words.txt", 0);
    EXPECT_EQ(text->FindString("HELLO"), "Hi there");
    EXPECT_EQ(text->FindString("absent"), "");
    EXPECT_THROW(QDGameText::Create("none.txt", 0), TRuntimeError);
    EXPECT_NE(notices.back().find("none.txt"), std::string::npos);
}

TEST_F(QDProfiles, GameSideChooserOpensOnTheActivePlayerAndOkTakesOnlyAListedRow) {
    const struct {
        int index, result;
        const char* chosen;
    } rows[] = {{-1, 0, "Bert"}, {0, 1, "Anna"}, {2, 1, "Cleo"}, {3, 0, "Bert"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        ActiveProfile = QDProfile::Create("Bert");
        int loads = 0;
        ActiveProfile->LoadFunction = [&] { return ++loads; };
        Game->CurrentProfile = ActiveProfile;
        Game->ProfileName = "Anna";
        auto manager = QDPlayerManager::Create("Players", nullptr, 400, 0, 0, 10);
        EXPECT_EQ(manager->ListBox->Index, 1) << "the active player is chosen at the start";
        Game->ProfileName = "Bert";
        manager->Start();
        manager->ListBox->Index = row.index;
        PressKey(KEY_A);
        EXPECT_EQ(manager->OKClick(), row.result);
        EXPECT_EQ(Game->ProfileName, row.chosen);
        EXPECT_EQ(ActiveProfile->Name, row.chosen);
        EXPECT_EQ(loads, row.result);
        EXPECT_EQ(manager->CloseResult, row.result);
        EXPECT_EQ(GameKeyHit(KEY_A), 0 + (row.result == 0)) << "an accepted choice drops the keys";
        GameFlushKeys();
        manager->Kill();
    }
}

TEST_F(QDProfiles, CancelKeepsAListedActivePlayerAndWorksWithoutOne) {
    for (const char* active : {"Cleo", "Anna", ""}) {
        SCOPED_TRACE(active);
        ActiveProfile = *active ? QDProfile::Create(active) : nullptr;
        Game->ProfileName = "Bert";
        auto manager = QDPlayerManager::Create("Players", nullptr, 400, 0, 0, 10);
        manager->Start();
        PressKey(KEY_A);
        EXPECT_EQ(manager->CancelClick(), 0);
        EXPECT_EQ(Game->ProfileName, "Bert") << "nothing was chosen";
        if (ActiveProfile) {
            EXPECT_EQ(ActiveProfile->Name, active);
        }
        EXPECT_EQ(manager->CloseResult, -1);
        EXPECT_EQ(GameKeyHit(KEY_A), 0);
        manager->Kill();
    }
}

}  // namespace

namespace {

// A failure reports where it happened: a missing file at the start of loading, and whoever is told of
// a finished write sees the save past its write.
TEST_F(QDProfiles, IniFileCheckpointsTellAMissingFileAndAFinishedWrite) {
    int seen = 0;
    SetFileWrittenObserver([&](const std::string&) { seen = Checkpoint; });
    QDIniFile ini;
    ini.FileName = dir.Str() + "opts";
    ini.Add("volume", "5");
    ini.Save();
    EXPECT_EQ(seen, 5009);
    SetFileWrittenObserver(nullptr);
    ini.FileName = dir.Str() + "absent";
    EXPECT_THROW(ini.Load(0, 0), std::exception);
    EXPECT_EQ(Checkpoint, 5002);
    Checkpoint = 0;
}

}  // namespace
