// The player chooser dialog over a real profiles folder: its box and the Delete button's question.
#include <algorithm>
#include <filesystem>

#include "core/Profile.h"
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

}  // namespace
