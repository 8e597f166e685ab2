// The level chooser: which files it lists, how pages turn and overlap at the end, completion ticks
// from the player's file (read, never written), and selection by clicks and keys.
#include <filesystem>

#include "core/Startup.h"
#include "game/QDLevelList.h"
#include "game/QDMouse.h"
#include "platform/Keys.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/WidgetWorld.h"

namespace {

class QDLevels : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        MenuImage("arrowleft", 40, 40);
        MenuImage("arrowright", 40, 40);
        for (const char* name : {"levelhighlight", "levelback", "check"})
            WritePng(std::string("graphics/") + name + ".png", 20, 20, 0xFFFFFFFFu);
        ImageBank = std::make_unique<TImageBank>();
        ImageBank->SetPath(dir.Str() + "graphics");
        for (const char* name : {"levelhighlight", "levelback", "check"}) ImageBank->Load(name);
        FontCalibri16 = MakeBlockFont();
        FontCalibri25 = MakeBlockFont();
        std::filesystem::create_directories(dir.Path() / "levels" / "folder.lvl");
        QDMouseClicks = QDMouse();
    }
    void TearDown() override {
        FontCalibri16.reset();
        FontCalibri25.reset();
        ImageBank.reset();
        QDMouseClicks = QDMouse();
        WidgetWorld::TearDown();
    }

    // Level files "01.lvl" .. count, plus files the chooser must pass over.
    void WriteLevels(int count) {
        for (int i = 1; i <= count; ++i) {
            std::string name = std::to_string(i);
            if (i < 10) name.insert(name.begin(), '0');
            testenv::WriteFile(dir.Path() / "levels" / (name + ".lvl"), "x");
        }
        testenv::WriteFile(dir.Path() / "levels" / "notes.txt", "x");
    }
    std::unique_ptr<QDLevelList> MakeList(const std::string& current = "") {
        auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", current, "Cards", "No levels", 1, 0, 0,
                                        "standard", dir.Str(), 0, 0, 1, 10);
        list->CreateLevelImageFunction = [this](const std::string& path, int& size, int index) {
            requested.push_back(path);
            size = index + 3;
            return levelImage;
        };
        list->Init();
        list->CreateImages(1);
        return list;
    }
    // One logic call of the per-frame mouse state at a clock time.
    static void MouseFrame(int x, int y, bool down, int now) {
        QDMouseClicks.Update(x, y, down, false, false, now);
    }

    std::vector<std::string> requested;
    std::shared_ptr<TImage> levelImage = CreateImage(30, 30);
};

TEST_F(QDLevels, TenLevelsPageToAFullLastPageAndBackAndKeysTurnPagesAtTheEdges) {
    WriteLevels(10);
    auto list = MakeList();
    list->MoveRight();
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->LevelsOnPage(), 8);
    list->MoveLeft();
    list->MoveLeft();
    EXPECT_EQ(list->CurrentPagePosition, 0);

    EXPECT_EQ(list->CalculateCurrentPagePosition(-3), 0);
    EXPECT_EQ(MakeList("10")->CurrentLevelID, 7) << "opens on the page of the current level";

    for (int i = 0; i < 8; ++i) {
        PressKey(KEY_RIGHT);
        list->ManageKeyboard();
    }
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->CurrentLevel, "03");
    for (int i = 0; i < 8; ++i) {
        PressKey(KEY_RIGHT);
        list->ManageKeyboard();
    }
    EXPECT_EQ(list->CurrentLevelID, 7) << "the last page keeps its last slot";
    EXPECT_EQ(list->CurrentLevel, "10");
    for (int frame = 0; frame < 180; ++frame) list->Manage();
    EXPECT_NEAR(list->Glow, 0.5f, 0.05f) << "the selected level's highlight glows";
}

TEST_F(QDLevels, TheArrowButtonsTurnThePages) {
    WriteLevels(10);
    auto list = MakeList();
    ASSERT_TRUE(list->NavigationMenu);
    const auto click = [&](const char* name) {
        TButton* arrow = list->NavigationMenu->FindButton(name);
        ClickAt(int(arrow->x) + arrow->w / 2, int(arrow->y) + arrow->h / 2);
        list->Manage();
    };
    click("arrowRight");
    EXPECT_EQ(list->CurrentPagePosition, 2) << "the last page, which overlaps the first";
    click("arrowLeft");
    EXPECT_EQ(list->CurrentPagePosition, 0);
}

TEST_F(QDLevels, EmptyFolderIgnoresPagingKeysAndClicks) {
    auto list = MakeList();
    list->MoveRight();
    PressKey(KEY_DOWN);
    MouseFrame(list->SlotX(0), list->SlotY(0), true, 1000);
    list->Manage();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevel, "");
    EXPECT_EQ(list->StartLevel, 0);
}

TEST_F(QDLevels, ListsOnlyLevelFilesWithTheirCompletionFromThePlayersFileWithoutWritingIt) {
    WriteLevels(3);
    EXPECT_EQ(MakeList()->LevelList, (std::vector<std::string>{"01", "02", "03"})) << "sorted, no extension";
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "standard.ini"))
        << "looking at the levels must not create the player's file";

    testenv::WriteFile(dir.Path() / "standard.ini", "01=1\r\n03=0\r\nother=1\r\n");
    auto list = MakeList();
    EXPECT_EQ(list->CurrentLevel, "01") << "an unknown current level falls back to the first";
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"1", "0", "0"}));
    EXPECT_EQ(testenv::ReadFile(dir.Path() / "standard.ini"), "01=1\r\n03=0\r\nother=1\r\n");

    list->LevelCompletedPath = dir.Str() + "no/such/folder/";
    list->CreateImages(0);
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"0", "0", "0"}))
        << "a completion file in a folder that does not exist is simply absent";
}

TEST_F(QDLevels, ClickSelectsAndDoubleClickStartsForOneFrame) {
    WriteLevels(10);
    auto list = MakeList();
    const int x = list->SlotX(5) + 70, y = list->SlotY(5) - 40;
    MouseFrame(x, y, false, 990);
    MouseFrame(x, y, true, 1000);
    list->ManageLevels();
    EXPECT_EQ(list->CurrentLevel, "06");
    MouseFrame(x, y, false, 1100);
    list->ManageLevels();
    MouseFrame(x, y, true, 1200);
    list->ManageLevels();
    EXPECT_EQ(list->StartLevel, 1);
    MouseFrame(x, y, false, 1300);
    list->ManageLevels();
    EXPECT_EQ(list->StartLevel, 0);

    MouseFrame(list->SlotX(1) + 90, list->SlotY(1), true, 5000);
    list->ManageLevels();
    EXPECT_EQ(list->CurrentLevelID, 5) << "a click beside the slot selects nothing";
}

TEST_F(QDLevels, OddPageSizesNeverDivideByZeroOrLeaveTheLayout) {
    WriteLevels(10);
    auto list = MakeList();
    list->NumLevelItems = 0;
    EXPECT_EQ(list->CalculateCurrentPagePosition(5), 5);
    list->MoveRight();
    EXPECT_EQ(list->LevelsOnPage(), 1);
    list->NumLevelItems = 20;
    list->CreateImages(1);
    EXPECT_EQ(list->LevelsOnPage(), 8);
    list->Draw();
    auto texts = rec.Find("DrawText");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts.end()[-2]->text, "Cards: " + std::to_string(list->CurrentLevelID + 3)) << "its shadow";
}

}  // namespace
