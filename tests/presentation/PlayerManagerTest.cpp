// The player chooser dialog over a real profiles folder: its box, the Delete button's question, a message
// on the error screen and the highlight after a new name.
#include <algorithm>
#include <filesystem>

#include "core/Profile.h"
#include "platform/Events.h"
#include "platform/Image.h"
#include "presentation/PlayerManager.h"
#include "presentation/WidgetWorld.h"

namespace {

class PlayerManagerTest : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        ThreePlayers();
    }
};

TEST_F(PlayerManagerTest, TheBoxTakesTheSizeOfItsPicture) {
    auto manager = TPlayerManager::Create("Players", TImage::Create(420, 360), 0, 0, 0, 10, "");
    manager->Start();
    EXPECT_EQ(manager->w, 420);
    EXPECT_EQ(manager->h, 360);
    auto dims = [&] {
        rec.calls.clear();
        manager->Draw();
        return std::count_if(rec.calls.begin(), rec.calls.end(), [](const TDrawCommand& c) {
            return c.op == "DrawRect" && c.state.alpha == 0.5f;
        });
    };
    const auto plain = dims();
    manager->DimWhenActive = 1;
    EXPECT_EQ(dims(), plain + 1) << "the screen behind the chooser is dimmed once";
    manager->Kill();
}

TEST_F(PlayerManagerTest, DeleteAsksFirstAndYesRemovesTheChosenPlayersFile) {
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 10, "");
    manager->Start();
    manager->ListBox->SetIndex(0);
    TButton* button = manager->Menu->FindButton("Delete");
    ASSERT_NE(button, nullptr);
    ClickAt(int(button->x) + 5, int(button->y) + 5);
    manager->Manage();
    ASSERT_TRUE(manager->DialogYesNo);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "profiles" / "Anna.dat"));
    manager->DialogYesNo->CloseResult = 1;
    manager->Manage();
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "profiles" / "Anna.dat"));
    EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Bert", "Cleo"}));
    manager->Kill();
    EXPECT_EQ(manager->Draw(), 0) << "a closed chooser draws nothing";
}

// Only the files a delete removes are listed, and a delete that fails is said.
TEST_F(PlayerManagerTest, UpperCaseExtensionsAreNotListedAndAFailedDeleteIsSaid) {
    testenv::WriteFile(dir.Path() / "profiles" / "Zed.DAT", "x");
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 10, "");
    EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Anna", "Bert", "Cleo"}));
    // Bert's file turns into a folder with something in it before the answer: it cannot be deleted.
    std::filesystem::remove(dir.Path() / "profiles" / "Bert.dat");
    std::filesystem::create_directories(dir.Path() / "profiles" / "Bert.dat" / "x");
    manager->ListBox->SetIndex(1);
    manager->DeleteProfile();
    EXPECT_EQ(notices, std::vector<std::string>{"Could not delete file '" + Game->ProfilePath + "Bert.dat'"});
    manager->Kill();
}

TEST_F(PlayerManagerTest, WithoutAnOkDialogAMessageShowsOnTheErrorScreenAndTheListGoesOn) {
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 3, "");
    manager->Start();
    PostEvent(TEvent{EVENT_KEYDOWN, 65, 0, 0});  // the key that closes the screen
    rec.calls.clear();
    manager->CreateProfile();
    const std::vector<float> box{200, 250, 400, 100};  // 400 x 100, centred
    EXPECT_TRUE(std::ranges::any_of(rec.calls, [&](const TDrawCommand& c) {
        return c.op == "DrawRect" && c.args == box && c.state.red == 150;
    }));
    EXPECT_FALSE(manager->DialogOK);
    EXPECT_FALSE(manager->EnterName) << "the limit stops the creation";
    EXPECT_EQ(manager->Manage(), 0) << "the list is still open";
    manager->Kill();
}

TEST_F(PlayerManagerTest, AfterANewNameTheRefilledListHighlightsTheCurrentPlayer) {
    Game->CurrentProfile = TProfile::Create("Bert");
    auto manager = TPlayerManager::Create("Players", nullptr, 400, 0, 0, 10, "");
    manager->AutoAcceptAfterCreate = 0;
    manager->CreateProfileFunc = [](const std::string& name) { TProfile::Create(name)->Save(); };
    manager->Start();
    manager->ListBox->SetIndex(2);
    manager->CreateProfile();
    manager->EnterName->TextInput->Text = "Dora";
    manager->EnterName->CloseResult = 1;
    EXPECT_EQ(manager->Manage(), 0);
    EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Anna", "Bert", "Cleo", "Dora"}));
    EXPECT_EQ(manager->ListBox->Index, 1);
    manager->Kill();
}

}  // namespace
