// The level chooser: which files it lists, how pages turn and overlap at the end, completion ticks
// from the player's file (read, never written), selection by clicks and keys, and what a page draws.
#include <filesystem>

#include "core/ImageBank.h"
#include "core/Startup.h"
#include "game/QDLevelList.h"
#include "game/QDMouse.h"
#include "platform/Keys.h"
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

TEST_F(QDLevels, ListsOnlyLevelFilesSortedWithoutExtension) {
    WriteLevels(3);
    auto list = MakeList();
    EXPECT_EQ(list->LevelList, (std::vector<std::string>{"01", "02", "03"}));
    EXPECT_EQ(list->CurrentLevel, "01") << "an unknown current level falls back to the first";
    EXPECT_EQ(requested.front(), dir.Str() + "levels/01.lvl");
    EXPECT_EQ(list->LevelSizeList, (std::vector<std::string>{"3", "4", "5"}));

    list->FolderPath = dir.Str() + "missing/";
    list->Init();
    list->CreateImages(1);
    EXPECT_TRUE(list->LevelList.empty());
    EXPECT_EQ(list->LevelsOnPage(), 0);
}

TEST_F(QDLevels, TenLevelsPageToAFullLastPageAndBack) {
    WriteLevels(10);
    auto list = MakeList();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->LevelsOnPage(), 8);
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->LevelsOnPage(), 8);
    EXPECT_EQ(list->CurrentLevel, "03");
    EXPECT_EQ(requested.back(), dir.Str() + "levels/10.lvl");
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 2);
    list->MoveLeft();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    list->MoveLeft();
    EXPECT_EQ(list->CurrentPagePosition, 0);

    EXPECT_EQ(list->CalculateCurrentPagePosition(-3), 0);
    EXPECT_EQ(list->CalculateCurrentPagePosition(7), 0);
    EXPECT_EQ(list->CalculateCurrentPagePosition(9), 2);
    EXPECT_EQ(list->GetIndexOfLevelList("05"), 4);
    EXPECT_EQ(list->GetIndexOfLevelList("nope"), -1);
}

TEST_F(QDLevels, StartsOnThePageOfTheCurrentLevel) {
    WriteLevels(10);
    auto list = MakeList("10");
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->CurrentLevelID, 7);
    EXPECT_EQ(list->CurrentLevel, "10");
}

TEST_F(QDLevels, ArrowButtonsTurnPages) {
    WriteLevels(10);
    auto list = MakeList();
    TButton* right = list->NavigationMenu->FindButton("arrowRight");
    ASSERT_NE(right, nullptr);
    EXPECT_FLOAT_EQ(right->ScaleOnMOMax, 1.15f);
    ClickAt(int(right->x) + 5, int(right->y) + 5);
    list->Manage();
    EXPECT_EQ(list->CurrentPagePosition, 2);
}

TEST_F(QDLevels, EmptyFolderIgnoresPagingKeysAndClicks) {
    auto list = MakeList();
    list->MoveRight();
    list->MoveLeft();
    PressKey(KEY_RIGHT);
    PressKey(KEY_DOWN);
    MouseFrame(list->SlotX(0), list->SlotY(0), true, 1000);
    list->Manage();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevel, "");
    EXPECT_EQ(list->StartLevel, 0);
}

TEST_F(QDLevels, CompletionComesFromThePlayersFileWithoutWritingIt) {
    WriteLevels(3);
    auto noFile = MakeList();
    EXPECT_EQ(noFile->LevelCompletedList, (std::vector<std::string>{"0", "0", "0"}));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "standard.ini"))
        << "looking at the levels must not create the player's file";

    testenv::WriteFile(dir.Path() / "standard.ini", "01=1\r\n03=0\r\nother=1\r\n");
    auto list = MakeList();
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
    EXPECT_EQ(list->CurrentLevelID, 5);
    EXPECT_EQ(list->CurrentLevel, "06");
    EXPECT_EQ(list->StartLevel, 0);
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

TEST_F(QDLevels, ClicksOnEmptySlotsOfAShortPageSelectNothing) {
    WriteLevels(3);
    auto list = MakeList();
    MouseFrame(list->SlotX(6), list->SlotY(6), true, 1000);
    list->ManageLevels();
    EXPECT_EQ(list->CurrentLevelID, 0);
    EXPECT_EQ(list->CurrentLevel, "01");
}

TEST_F(QDLevels, KeysMoveTheSelectionAndTurnPagesAtTheEdges) {
    WriteLevels(10);
    auto list = MakeList();
    PressKey(KEY_DOWN);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentLevelID, 4);
    PressKey(KEY_UP);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentLevelID, 0);
    PressKey(KEY_LEFT);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentPagePosition, 0) << "there is no page before the first";
    EXPECT_EQ(list->CurrentLevelID, 0);
    for (int i = 0; i < 7; ++i) {
        PressKey(KEY_RIGHT);
        list->ManageKeyboard();
    }
    EXPECT_EQ(list->CurrentLevelID, 7);
    EXPECT_EQ(list->CurrentLevel, "08");
    PressKey(KEY_RIGHT);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->CurrentLevelID, 0);
    EXPECT_EQ(list->CurrentLevel, "03");
    PressKey(KEY_LEFT);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevelID, 7) << "turning back selects the last slot";
    list->MoveRight();
    for (int i = 0; i < 8; ++i) {
        PressKey(KEY_RIGHT);
        list->ManageKeyboard();
    }
    EXPECT_EQ(list->CurrentLevelID, 7) << "the last page keeps its last slot";
    EXPECT_EQ(list->CurrentLevel, "10");
}

TEST_F(QDLevels, KeysStayOnLevelsThatExistOnAShortPage) {
    WriteLevels(5);
    auto list = MakeList("04");
    PressKey(KEY_DOWN);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentLevelID, 3) << "no level below";
    PressKey(KEY_RIGHT);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentLevelID, 4);
    PressKey(KEY_RIGHT);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentLevelID, 4);
    EXPECT_EQ(list->CurrentLevel, "05");
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
}

TEST_F(QDLevels, APageDrawsHighlightTicksNamesAndTheSizeLine) {
    WriteLevels(3);
    testenv::WriteFile(dir.Path() / "standard.ini", "02=1\r\n");
    auto list = MakeList();
    list->Glow = 0.5f;
    rec.calls.clear();
    list->Draw();
    const TImage* highlight = ImageBank->Find("levelhighlight")->image.get();
    int lightHighlights = 0;
    for (const auto& c : rec.calls)
        if (c.op == "DrawImage" && c.image == highlight && c.state.blend == LIGHTBLEND) {
            ++lightHighlights;
            EXPECT_EQ(c.state.red, 127);
        }
    EXPECT_EQ(DrawsOf(highlight), 2);
    EXPECT_EQ(lightHighlights, 1);
    EXPECT_EQ(DrawsOf(ImageBank->Find("levelback")->image.get()), 2);
    EXPECT_EQ(DrawsOf(ImageBank->Find("check")->image.get()), 1);
    EXPECT_EQ(DrawsOf(levelImage.get()), 3);
    std::vector<std::string> texts;
    for (const auto& c : rec.calls)
        if (c.op == "DrawText" && (texts.empty() || texts.back() != c.text)) texts.push_back(c.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "2", "3", "Cards: 3"}));
    ExpectCleanState();
}

TEST_F(QDLevels, AnEmptyFolderShowsItsNotice) {
    auto list = MakeList();
    rec.calls.clear();
    list->Draw();
    auto texts = rec.Find("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back()->text, "No levels");
    ExpectCleanState();
}

}  // namespace
