// The level chooser: which files it lists, how pages turn and overlap at the end, completion ticks
// from the player's file (read, never written), and selection by clicks and keys.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

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
    // A list opened on `current`, every level of the size `size` and the info line's word "Size", its page
    // drawn once on a cleared record.
    std::unique_ptr<QDLevelList> DrawnWithSizes(const std::string& current, int size) {
        auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", current, "Size", "No levels", 1, 0, 0,
                                        "standard", dir.Str(), 0, 0, 1, 10);
        list->CreateLevelImageFunction = [this, size](const std::string&, int& levelSize, int) {
            levelSize = size;
            return levelImage;
        };
        list->Init();
        list->CreateImages(1);
        rec.calls.clear();
        list->DrawLevels();
        return list;
    }
    // One logic call of the per-frame mouse state at a clock time.
    static void MouseFrame(int x, int y, bool down, int now) {
        QDMouseClicks.Update(x, y, down, false, false, now);
    }

    std::vector<const TDrawCommand*> DrawsOfImage(const TImage* image) const {
        std::vector<const TDrawCommand*> out;
        for (const TDrawCommand* c : rec.Find("DrawImage"))
            if (c->image == image) out.push_back(c);
        return out;
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

TEST_F(QDLevels, ArrowKeysMoveTheSelectionWithinThePageAndLeftFromTheFirstSlotTurnsBack) {
    const struct {
        int levels;
        const char* current;
        int leftsBefore, key;  // Left presses that come first
        int page, slot;
        const char* level;
    } rows[] = {
        {10, "01", 0, KEY_DOWN, 0, 4, "05"},  {10, "05", 0, KEY_UP, 0, 0, "01"},
        {10, "02", 0, KEY_UP, 0, 1, "02"},    {10, "05", 0, KEY_DOWN, 0, 4, "05"},
        {6, "02", 0, KEY_DOWN, 0, 5, "06"},   {6, "03", 0, KEY_DOWN, 0, 2, "03"},
        {10, "03", 0, KEY_LEFT, 0, 1, "02"},  {10, "01", 0, KEY_LEFT, 0, 0, "01"},
        {10, "10", 7, KEY_LEFT, 0, 7, "08"},  {10, "08", 0, KEY_RIGHT, 2, 0, "03"},
        {10, "10", 0, KEY_RIGHT, 2, 7, "10"}, {6, "06", 0, KEY_RIGHT, 0, 5, "06"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.levels << " levels, at " << row.current << ", key " << row.key);
        std::filesystem::remove_all(dir.Path() / "levels");
        std::filesystem::create_directories(dir.Path() / "levels");
        WriteLevels(row.levels);
        auto list = MakeList(row.current);
        for (int i = 0; i < row.leftsBefore; ++i) {
            PressKey(KEY_LEFT);
            list->ManageKeyboard();
        }
        PressKey(row.key);
        list->ManageKeyboard();
        EXPECT_EQ(list->CurrentPagePosition, row.page);
        EXPECT_EQ(list->CurrentLevelID, row.slot);
        EXPECT_EQ(list->CurrentLevel, row.level);
        GameFlushKeys();
    }
}

// The page drawn at a start of (10, 20): the highlight glowing on the chosen level, the backs of the
// others, each level's picture at its offset, the tick of a completed level, names and the info line.
TEST_F(QDLevels, DrawsThePageSlotBySlotWithHighlightTicksNamesAndInfo) {
    WriteLevels(10);
    testenv::WriteFile(dir.Path() / "standard.ini", "02=1\r\n");
    for (int trim : {1, 0}) {
        SCOPED_TRACE(trim);
        auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", "03", "Cards", "No levels", trim, 5, 6,
                                        "standard", dir.Str(), 10, 20, 1, 10);
        int built = 0;  // each picture built gets the next size
        list->CreateLevelImageFunction = [&](const std::string&, int& size, int) {
            size = 100 + built++;
            return levelImage;
        };
        list->Init();
        list->CreateImages(1);
        list->Glow = 0.4f;
        rec.calls.clear();
        SetBlend(LIGHTBLEND);
        SetColor(1, 2, 3);
        SetAlpha(0.3f);
        list->DrawLevels();
        const auto slotX = [](int slot) { return float(10 + 100 + 200 * (slot % 4)); };
        const auto slotY = [](int slot) { return float(20 + (slot < 4 ? 217 : 360)); };
        const auto drawsOf = [&](const TImage* image) {
            std::vector<const TDrawCommand*> out;
            for (const TDrawCommand* c : rec.Find("DrawImage"))
                if (c->image == image) out.push_back(c);
            return out;
        };
        const auto highlight = drawsOf(ImageBank->Find("levelhighlight")->image.get());
        ASSERT_EQ(highlight.size(), 2u);
        for (const TDrawCommand* c : highlight) {
            EXPECT_EQ(c->args[0], slotX(2));
            EXPECT_EQ(c->args[1], slotY(2));
        }
        EXPECT_EQ(highlight[0]->state.blend, ALPHABLEND);
        EXPECT_EQ(highlight[0]->state.red, 255);
        EXPECT_EQ(highlight[1]->state.blend, LIGHTBLEND) << "the glow is added light";
        EXPECT_EQ(highlight[1]->state.red, 102);
        const auto backs = drawsOf(ImageBank->Find("levelback")->image.get());
        ASSERT_EQ(backs.size(), 7u);
        const auto pictures = drawsOf(levelImage.get());
        ASSERT_EQ(pictures.size(), 8u);
        for (int slot = 0, back = 0; slot < 8; ++slot) {
            SCOPED_TRACE(slot);
            EXPECT_EQ(pictures[size_t(slot)]->args[0], slotX(slot) + 5);
            EXPECT_EQ(pictures[size_t(slot)]->args[1], slotY(slot) + 6);
            EXPECT_EQ(pictures[size_t(slot)]->state.blend, ALPHABLEND);
            EXPECT_EQ(pictures[size_t(slot)]->state.red, 255);
            EXPECT_FLOAT_EQ(pictures[size_t(slot)]->state.alpha, 1.0f);
            if (slot == 2) continue;
            EXPECT_EQ(backs[size_t(back)]->args[0], slotX(slot));
            EXPECT_EQ(backs[size_t(back)]->args[1], slotY(slot));
            EXPECT_EQ(backs[size_t(back)]->state.red, 255);
            EXPECT_FLOAT_EQ(backs[size_t(back)]->state.alpha, 1.0f);
            ++back;
        }
        const auto ticks = drawsOf(ImageBank->Find("check")->image.get());
        ASSERT_EQ(ticks.size(), 1u);
        EXPECT_EQ(ticks[0]->args[0], slotX(1) - 74);
        EXPECT_EQ(ticks[0]->args[1], slotY(1) - 50);
        // A text centred on (x, y): drawn from x less half its width, at y (its shadow lies elsewhere).
        const auto centredAt = [&](const std::string& text, float x, float y) {
            for (const TDrawCommand* c : rec.Find("DrawText"))
                if (c->text == text && c->args[0] == x - float(TextWidth(text)) / 2 && c->args[1] == y)
                    return true;
            return false;
        };
        for (int slot = 0; slot < 8; ++slot) {
            std::string name = std::to_string(slot + 1);
            if (trim == 0) name.insert(name.begin(), '0');
            EXPECT_TRUE(centredAt(name, slotX(slot), slotY(slot) - 60)) << name;
            EXPECT_EQ(
                std::count_if(rec.calls.begin(), rec.calls.end(),
                              [&](const TDrawCommand& c) { return c.op == "DrawText" && c.text == name; }),
                2)
                << "with its shadow";
        }
        EXPECT_TRUE(centredAt("Cards: 102", 410, 475));
        ExpectCleanState();
        EXPECT_EQ(backs[0]->state.blend, ALPHABLEND);
        // The next page's sizes replace this page's.
        list->MoveRight();
        rec.calls.clear();
        list->DrawLevels();
        EXPECT_TRUE(centredAt("Cards: 108", 410, 475));
    }

    std::filesystem::remove_all(dir.Path() / "levels");
    std::filesystem::create_directories(dir.Path() / "levels");
    auto empty = QDLevelList::Create(dir.Str() + "levels/", "lvl", "", "Cards", "No levels", 1, 5, 6,
                                     "standard", dir.Str(), 10, 20, 1, 10);
    empty->Init();
    empty->CreateImages(1);
    EXPECT_TRUE(empty->LevelList.empty());
    empty->FolderPath = dir.Str() + "no such folder/";
    empty->Init();
    empty->CreateImages(1);
    EXPECT_TRUE(empty->LevelList.empty()) << "a missing folder lists no levels";
    rec.calls.clear();
    empty->DrawLevels();
    const auto texts = rec.Find("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back()->text, "No levels");
    EXPECT_EQ(texts.back()->state.font, FontCalibri25);
    EXPECT_EQ(texts.back()->args[1], 270);
    EXPECT_TRUE(rec.Find("DrawImage").empty());
    ExpectCleanState();
}

TEST_F(QDLevels, ArrowsSitInARowApartBelowThePageAndKeysBeforeThePageIsBuiltChangeNothing) {
    WriteLevels(10);
    auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", "03", "Cards", "No levels", 1, 0, 0,
                                    "standard", dir.Str(), 10, 20, 1, 30);
    const TButton* left = list->NavigationMenu->FindButton("arrowLeft");
    const TButton* right = list->NavigationMenu->FindButton("arrowRight");
    EXPECT_EQ(right->x - left->x, float(left->w + 30));
    EXPECT_EQ(left->y, 20 + 450);
    EXPECT_EQ(right->y, 20 + 450);
    list->Init();
    for (int key : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}) {
        PressKey(key);
        list->ManageKeyboard();
        EXPECT_EQ(list->CurrentLevel, "03") << key;
        EXPECT_EQ(list->LevelsOnPage(), 0) << key;
    }
}

TEST_F(QDLevels, GlowFollowsASineOfHalfADegreePerTickForeverAndAZeroGlowAddsNoLight) {
    WriteLevels(3);
    auto list = MakeList();
    for (int i = 0; i < 60; ++i) list->ManageGlowAnimation();
    EXPECT_NEAR(list->Glow, 0.25f, 0.002f);  // half of sin 30
    for (int i = 0; i < 840; ++i) list->ManageGlowAnimation();
    EXPECT_NEAR(list->Glow, 0.5f, 0.002f) << "past a full turn it goes on: sin 450";
    list->Glow = 0;
    rec.calls.clear();
    list->DrawLevels();
    const auto highlight = DrawsOfImage(ImageBank->Find("levelhighlight")->image.get());
    ASSERT_EQ(highlight.size(), 2u);
    EXPECT_EQ(highlight[1]->state.red, 0);
}

TEST_F(QDLevels, ManagingTakesKeysAndClicksUpToTheSlotsEdgeAndTheInfoLineIsOptional) {
    WriteLevels(10);
    auto list = MakeList();
    PressKey(KEY_RIGHT);
    list->Manage();
    EXPECT_EQ(list->CurrentLevel, "02");
    const struct {
        int dx, dy;
        bool selects;
    } rows[] = {{80, 0, true},   {81, 0, false}, {-80, 50, true},
                {-81, 0, false}, {0, -50, true}, {0, 51, false}};
    int now = 10000;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dx << "," << row.dy);
        MouseFrame(0, 0, false, now += 2000);
        MouseFrame(list->SlotX(0), list->SlotY(0), true, now += 5);
        list->ManageLevels();
        ASSERT_EQ(list->CurrentLevelID, 0);
        MouseFrame(0, 0, false, now += 2000);
        MouseFrame(list->SlotX(5) + row.dx, list->SlotY(5) + row.dy, true, now += 5);
        list->ManageLevels();
        EXPECT_EQ(list->CurrentLevelID, row.selects ? 5 : 0);
    }
    MouseFrame(0, 0, false, now += 2000);
    MouseFrame(list->SlotX(3), list->SlotY(3), true, now += 5);
    list->Manage();
    EXPECT_EQ(list->CurrentLevelID, 3) << "managing takes the clicks";
    list->DrawLevelInfo = 0;
    rec.calls.clear();
    list->DrawLevels();
    for (const TDrawCommand* c : rec.Find("DrawText")) EXPECT_EQ(c->text.find("Cards"), std::string::npos);
    auto quiet = QDLevelList::Create(dir.Str() + "levels/", "lvl", "", "Cards", "No levels", 1, 0, 0,
                                     "standard", dir.Str(), 0, 0, 0, 10);
    EXPECT_EQ(quiet->DrawLevelInfo, 0);
}

TEST_F(QDLevels, TurningBackSelectsTheFirstSlotAndBuildsTheEarlierPageAndTheArrowsDrawInPlace) {
    WriteLevels(10);
    auto list = MakeList("10");
    ASSERT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->LevelSizeList.front(), "3") << "each picture is told its slot on the page";
    requested.clear();
    list->MoveLeft();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevelID, 0);
    EXPECT_EQ(list->CurrentLevel, "01");
    ASSERT_EQ(requested.size(), 8u);
    EXPECT_EQ(requested.front(), dir.Str() + "levels/01.lvl");
    requested.clear();
    list->MoveLeft();
    EXPECT_TRUE(requested.empty()) << "no page before the first: nothing is rebuilt";
    rec.calls.clear();
    list->DrawMenu();
    list->DrawLevels();
    const size_t parts = rec.calls.size();
    rec.calls.clear();
    list->Draw();
    EXPECT_EQ(rec.calls.size(), parts) << "the arrows and the page";

    rec.calls.clear();
    list->DrawMenu();
    const auto drawn = rec.calls;
    ASSERT_FALSE(drawn.empty());
    rec.calls.clear();
    list->NavigationMenu->Draw(0, 0);
    ASSERT_EQ(rec.calls.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) EXPECT_EQ(rec.calls[i].args, drawn[i].args) << i;
}

TEST_F(QDLevels, CompletionComesFromTheNamedFile) {
    WriteLevels(3);
    testenv::WriteFile(dir.Path() / "standard.ini", "01=1\r\n");
    testenv::WriteFile(dir.Path() / "expert.ini", "02=1\r\n");
    auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", "", "Cards", "No levels", 1, 0, 0, "expert",
                                    dir.Str(), 0, 0, 1, 10);
    list->Init();
    list->CreateImages(1);
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"0", "1", "0"}));
}

TEST_F(QDLevels, ScanningAgainListsEachLevelOnceAndCompletionIsReadAfreshEachTime) {
    WriteLevels(3);
    auto list = MakeList();
    list->Init();
    EXPECT_EQ(list->LevelList, (std::vector<std::string>{"01", "02", "03"}));
    const std::string third = dir.Str() + "levels/03.lvl";
    EXPECT_EQ(list->CheckLevelCompleted(third), 0);
    list->CreateImages(0);
    testenv::WriteFile(dir.Path() / "standard.ini", "03=1\r\n");
    EXPECT_EQ(list->CheckLevelCompleted(third), 1) << "a level completed since the page was built";
    testenv::WriteFile(dir.Path() / "standard.ini", "01=1\r\n");
    list->CreateImages(0);
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"1", "0", "0"}))
        << "building reads it afresh";
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 0) << "fewer levels than a page: there is no other page";

    // A page built before any positioning starts at the first level; a bare chooser manages nothing.
    auto fresh = QDLevelList::Create(dir.Str() + "levels/", "lvl", "", "Cards", "No levels", 1, 0, 0,
                                     "standard", dir.Str(), 0, 0, 1, 10);
    fresh->Init();
    fresh->CreateImages(0);
    EXPECT_EQ(fresh->CurrentPagePosition, 0);
    EXPECT_EQ(fresh->LevelsOnPage(), 3);
    QDLevelList bare;
    EXPECT_NO_THROW(bare.Manage());
}

TEST_F(QDLevels, TurningPagesOfAnEmptyChooserBeforeItsFirstBuildLeavesItUnpositioned) {
    auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", "", "Cards", "No levels", 1, 0, 0,
                                    "standard", dir.Str(), 0, 0, 1, 10);
    list->Init();
    list->MoveLeft();
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, -1);
}

TEST_F(QDLevels, TurningBackFromTheOverlappingLastPageGoesBackAWholePage) {
    WriteLevels(20);
    auto list = MakeList();
    list->MoveRight();
    list->MoveRight();
    ASSERT_EQ(list->CurrentPagePosition, 12);
    list->MoveLeft();
    EXPECT_EQ(list->CurrentPagePosition, 4);
    EXPECT_EQ(list->CurrentLevel, "05");
}

}  // namespace

namespace {

// The info line carries the caller's own word for a level's size, and the glow comes back to nothing
// after each whole turn of its sine, however many turns it has made.
TEST_F(QDLevels, TheInfoLineUsesTheGivenWordAndTheGlowRepeatsEveryTurn) {
    WriteLevels(3);
    auto list = DrawnWithSizes("02", 9);
    const auto texts = rec.Find("DrawText");
    EXPECT_TRUE(
        std::any_of(texts.begin(), texts.end(), [](const TDrawCommand* c) { return c->text == "Size: 9"; }));
    for (int tick = 0; tick < 180 * 720; ++tick) list->ManageGlowAnimation();
    EXPECT_NEAR(list->Glow, 0.0f, 0.002f) << "180 whole turns at half a degree a tick";
    for (int tick = 0; tick < 180; ++tick) list->ManageGlowAnimation();
    EXPECT_NEAR(list->Glow, 0.5f, 0.002f) << "and a quarter turn more";
}

// Level files without an extension are listed whole; a chooser that builds no pictures gives each level
// the size 0.
TEST_F(QDLevels, AnEmptyExtensionListsWholeNamesAndLevelsWithoutPicturesHaveSizeNothing) {
    for (const char* name : {"alpha", "beta"}) testenv::WriteFile(dir.Path() / "levels" / name, "x");
    testenv::WriteFile(dir.Path() / "levels" / "notes.txt", "x");
    auto list = QDLevelList::Create(dir.Str() + "levels/", "", "beta", "Cards", "No levels", 0, 0, 0,
                                    "standard", dir.Str(), 0, 0, 1, 10);
    list->Init();
    list->CreateImages(1);
    EXPECT_EQ(list->LevelList, (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(list->LevelSizeList, (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(list->CurrentLevelID, 1);
}

// The arrows answer clicks on their corner pixels and not one pixel outside them.
TEST_F(QDLevels, TheArrowsAnswerClicksOnTheirCornerPixelsOnly) {
    WriteLevels(10);
    const struct {
        const char* arrow;
        int dx, dy;  // from the top-left pixel; the arrows are 40 x 40
        int page;
    } rows[] = {
        {"arrowRight", 0, 0, 2},   {"arrowRight", -1, 0, 0},  {"arrowRight", 0, -1, 0},
        {"arrowRight", 39, 39, 2}, {"arrowRight", 40, 39, 0}, {"arrowRight", 39, 40, 0},
        {"arrowLeft", 0, 0, 0},    {"arrowLeft", -1, 0, 2},   {"arrowLeft", 0, -1, 2},
        {"arrowLeft", 39, 39, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.arrow << " " << row.dx << "," << row.dy);
        auto list = MakeList(row.arrow == std::string("arrowLeft") ? "10" : "01");
        const TButton* arrow = list->NavigationMenu->FindButton(row.arrow);
        ClickAt(int(arrow->x) + row.dx, int(arrow->y) + row.dy);
        list->Manage();
        EXPECT_EQ(list->CurrentPagePosition, row.page);
        Game->Mouse->GetMh(1);
    }
}

// Only a fresh press selects: not a pointer resting on a level, not a held button dragged onto one, and
// not a press on an empty slot after the last level.
TEST_F(QDLevels, OnlyAFreshPressOnALevelSelectsIt) {
    WriteLevels(3);
    auto list = MakeList();
    MouseFrame(list->SlotX(2), list->SlotY(2), false, 1000);
    list->ManageLevels();
    EXPECT_EQ(list->CurrentLevelID, 0) << "resting on a level";
    MouseFrame(list->SlotX(1), list->SlotY(1), true, 1100);
    list->ManageLevels();
    ASSERT_EQ(list->CurrentLevelID, 1);
    MouseFrame(list->SlotX(2), list->SlotY(2), true, 1200);
    list->ManageLevels();
    EXPECT_EQ(list->CurrentLevelID, 1) << "held and dragged onto a level";
    MouseFrame(0, 0, false, 3000);
    MouseFrame(list->SlotX(3), list->SlotY(3), true, 3100);
    list->ManageLevels();
    EXPECT_EQ(list->CurrentLevelID, 1) << "the empty fourth slot";
    EXPECT_EQ(list->CurrentLevel, "02");
}

// A font whose glyphs advance an odd 7 pixels, so that centred texts fall on half pixels unless snapped.
std::shared_ptr<TImageFont> OddFont() {
    return TImageFont::Create(
        [](char32_t ch) -> std::optional<TGlyphBitmap> {
            if (ch < 32) return std::nullopt;
            return BlockGlyph(ch, 5, 7);
        },
        10, 12);
}

// Every text of the page (names, the info line in its own font, the empty folder's notice) is drawn
// with its shadow on whole pixels, and the info line goes when a rescan leaves the selection past the end.
TEST_F(QDLevels, TextsAreShadowedOnWholePixelsAndAStaleSelectionDrawsNoInfo) {
    FontCalibri16 = OddFont();
    FontCalibri25 = OddFont();
    WriteLevels(5);
    auto list = DrawnWithSizes("04", 3);
    int names = 0, info = 0;
    for (const TDrawCommand* c : rec.Find("DrawText")) {
        SCOPED_TRACE(c->text);
        EXPECT_EQ(c->args[0], std::floor(c->args[0]));
        if (c->text == "Size: 3") {
            ++info;
            EXPECT_EQ(c->state.font, FontCalibri25);
        } else {
            ++names;
            EXPECT_EQ(c->state.font, FontCalibri16);
        }
    }
    EXPECT_EQ(names, 2 * 5);
    EXPECT_EQ(info, 2);

    for (int i = 4; i <= 5; ++i)
        std::filesystem::remove(dir.Path() / "levels" / ("0" + std::to_string(i) + ".lvl"));
    list->Init();
    list->CreateImages(0);
    ASSERT_EQ(list->LevelsOnPage(), 3);
    ASSERT_EQ(list->CurrentLevelID, 3);
    rec.calls.clear();
    list->DrawLevels();
    for (const TDrawCommand* c : rec.Find("DrawText")) EXPECT_EQ(c->text.find("Size"), std::string::npos);

    std::filesystem::remove_all(dir.Path() / "levels");
    list->Init();
    list->CreateImages(0);
    rec.calls.clear();
    SetImageFont(FontCalibri16);
    list->DrawLevels();
    const auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u) << "the notice and its shadow";
    for (const TDrawCommand* c : texts) {
        EXPECT_EQ(c->text, "No levels");
        EXPECT_EQ(c->state.font, FontCalibri25);
        EXPECT_EQ(c->args[0], std::floor(c->args[0]));
    }
}

// With one level to a page, turning right before the first page is built opens the first page.
TEST_F(QDLevels, TurningRightBeforeTheFirstBuildOfSingleLevelPagesOpensTheFirst) {
    WriteLevels(3);
    auto list = QDLevelList::Create(dir.Str() + "levels/", "lvl", "", "Cards", "No levels", 1, 0, 0,
                                    "standard", dir.Str(), 0, 0, 1, 10);
    list->NumLevelItems = 1;
    list->Init();
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevel, "01");
}

// A selection left on the last slot of a page that a rescan shortened turns no page and reads no level
// past the end when Right is pressed.
TEST_F(QDLevels, RightOnASelectionARescanLeftPastTheEndChangesNothing) {
    WriteLevels(10);
    auto list = MakeList("08");
    ASSERT_EQ(list->CurrentLevelID, 7);
    for (int i = 8; i <= 10; ++i) {
        std::string name = std::to_string(i);
        if (i < 10) name.insert(name.begin(), '0');
        std::filesystem::remove(dir.Path() / "levels" / (name + ".lvl"));
    }
    list->Init();
    list->CreateImages(0);
    ASSERT_EQ(list->LevelsOnPage(), 7);
    PressKey(KEY_RIGHT);
    list->ManageKeyboard();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevelID, 7);
}

}  // namespace
