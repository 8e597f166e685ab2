// List box, scroll bar and key repeat: the visible window and scrolling, clicks and double clicks with
// the logic clock driven tick by tick, held keys, the scroll bar's mapping and dragging, and drawing.
#include "WidgetWorld.h"
#include "core/SoundBank.h"
#include "platform/Keys.h"
#include "presentation/BitmapFont.h"
#include "presentation/Font.h"
#include "presentation/ListBox.h"
#include "presentation/MousePointer.h"
#include "presentation/Shapes.h"

namespace {

class ListBoxTest : public WidgetWorld {
  protected:
    // Rows of 12 + 2 x 5 = 22 pixels in a 200 x 110 box at (50, 40): five rows fit.
    std::unique_ptr<TListBox> MakeList(int rows, int limit = 0) {
        auto list = TListBox::Create(0, 5, 0, 1, 300);  // double clicks within 60 ticks
        list->SetupFont(MakeBlockFont(), TColor::Create(255, 255, 255, 1.0f), TShadow::Create(1, 1, 0.5f),
                        nullptr, TColor::Create(255, 255, 0, 1.0f));
        list->SetCoords(50, 40, 200, 115);
        list->CalcLineHeight();
        for (int i = 0; i < rows; ++i) list->Strings.push_back("row " + std::to_string(i));
        list->Limit = limit;
        return list;
    }
    // A point inside the visible row r.
    static void ClickRow(const TListBox& list, int r) { ClickAt(60, 40 + r * list.LineHeight + 5); }
    static void HoldKey(int key) { KeyBufferKeyDown(key); }
    static void ReleaseKey(int key) { KeyBufferKeyUp(key); }
};

TEST_F(ListBoxTest, NoFontHeightAndNoGapDoNotDivideByZero) {
    auto list = TListBox::Create(0, 0, 0, 1, 300);
    list->SetCoords(0, 0, 100, 100);
    list->CalcLineHeight();
    EXPECT_EQ(list->LineHeight, 0);
    EXPECT_EQ(list->DisplayLines, 0);
    list->Strings = {"a", "b"};
    ClickAt(5, 5);
    list->Manage();
    list->Draw();
    EXPECT_EQ(list->Index, -1);
}

TEST_F(ListBoxTest, SelectingScrollsTheWindowAndAnIndexOutsideTheListMeansNone) {
    auto list = MakeList(20, 5);
    list->SetIndex(7);
    EXPECT_EQ(list->TopIndex, 3);
    list->SetIndex(5);
    EXPECT_EQ(list->TopIndex, 3) << "a row already in view scrolls nothing";
    list->SetTopIndex(18);
    EXPECT_EQ(list->TopIndex, 15);
    list = MakeList(4);
    list->SetIndex(2);
    list->SetIndex(4);  // one past the last row
    EXPECT_EQ(list->Index, -1);
    list->SetIndex(2);
    list->SetIndex(9);
    EXPECT_EQ(list->Index, -1);
    EXPECT_EQ(list->Value, "");
    list->SetIndex(-1);
    EXPECT_EQ(list->GetIndexY(), 0);
}

TEST_F(ListBoxTest, AClickSelectsTheRowUnderThePointerAndOneOutsideIsLeftForOthers) {
    auto list = MakeList(10, 5);
    list->SetTopIndex(2);
    ClickRow(*list, 1);
    list->Manage();
    EXPECT_EQ(list->Index, 3);
    list = MakeList(2);
    ClickAt(60, 40 + 3 * 22);  // below the last row, inside the box
    list->Manage();
    EXPECT_EQ(list->Index, -1);
    EXPECT_EQ(Game->Mouse->GetMh(0), 1);
    ClickRow(*list, 0);
    list->Manage();
    EXPECT_EQ(Game->Mouse->GetMh(0), 0) << "a click on a row is consumed";
}

TEST_F(ListBoxTest, DoubleClicksNeedTheSameRowWithinTheWindow) {
    auto list = MakeList(5);
    list->SetClickSound(std::make_shared<TGameSound>());
    list->ClickSound->sound = FakeSound();
    ClickRow(*list, 2);
    list->Manage();
    EXPECT_EQ(SoundsPlayed(), 1);
    ClickRow(*list, 2);
    list->Manage();
    EXPECT_EQ(SoundsPlayed(), 1) << "the second click of a double click is silent";
    EXPECT_EQ(list->GetDoubleClicked(), 2);
    EXPECT_EQ(list->GetDoubleClicked(), -1) << "read once";
    ClickRow(*list, 2);
    list->Manage();
    EXPECT_EQ(list->GetDoubleClicked(), -1) << "the window closed with the double click";
    list = MakeList(5);
    ClickRow(*list, 3);
    list->Manage();
    ClickRow(*list, 1);
    list->Manage();
    EXPECT_EQ(list->GetDoubleClicked(), -1) << "a different row is no double click";
    list = MakeList(5);
    ClickRow(*list, 4);
    list->Manage();
    for (int i = 0; i < 400; ++i) list->Manage();  // two seconds
    ClickRow(*list, 4);
    list->Manage();
    EXPECT_EQ(list->GetDoubleClicked(), -1) << "too slow for a double click";
}

TEST_F(ListBoxTest, HeldKeysMoveAtOnceThenAfter400msThenEvery100msAndStopAtTheEnds) {
    auto list = MakeList(20);
    list->SetIndex(0);
    HoldKey(KEY_DOWN);
    std::vector<int> movedAt;
    for (int tick = 1; tick <= 150; ++tick) {
        int before = list->Index;
        list->Manage();
        if (list->Index != before) movedAt.push_back(tick);
    }
    ASSERT_GE(movedAt.size(), 4u);
    EXPECT_EQ(movedAt[0], 1);
    EXPECT_EQ(movedAt[1], 81);
    EXPECT_EQ(movedAt[2], 101);
    EXPECT_EQ(movedAt[3], 121);
    ReleaseKey(KEY_DOWN);
    list = MakeList(3);
    list->SetIndex(1);
    HoldKey(KEY_DOWN);
    Ticks(300, 1.0f, [&] { list->Manage(); });
    EXPECT_EQ(list->Index, 2);
    ReleaseKey(KEY_DOWN);
    HoldKey(KEY_UP);
    Ticks(300, 1.0f, [&] { list->Manage(); });
    EXPECT_EQ(list->Index, 0);
    ReleaseKey(KEY_UP);
}

TEST_F(ListBoxTest, DrawShowsOnlyTheVisibleRowsAndLeavesACleanState) {
    auto list = MakeList(10, 3);
    list->SetIndex(4);
    list->Draw();
    std::vector<std::string> rows;
    for (auto* t : rec.Find("DrawText"))
        if (rows.empty() || rows.back() != t->text) rows.push_back(t->text);
    EXPECT_EQ(rows, (std::vector<std::string>{"row 2", "row 3", "row 4"}));
    ExpectCleanState();

    auto bitmap = std::make_shared<TBitmapFont>();
    bitmap->ScaleFactor = 1;
    list->SetupFont(nullptr, nullptr, nullptr, bitmap, nullptr);
    list->Scale = 2;
    list->Draw();
    EXPECT_EQ(bitmap->ScaleFactor, 1) << "a bitmap font gets its own scale back";
}

class ScrollBarTest : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        MenuImage("up", 16, 16);
        MenuImage("down", 16, 16);
        WritePng("menus/up_disabled.png", 16, 16, 0xFF000000u);
        WritePng("menus/down_disabled.png", 16, 16, 0xFF000000u);
        slider = TGameImage::CreateFromImage(TImage::Create(16, 20), "SLIDER", 0);
    }
    std::shared_ptr<TGameImage> slider;
};

TEST_F(ScrollBarTest, PositionAndValueMapBothWaysAndStayZeroWithNothingToScroll) {
    auto bar = TScrollBar::Create(slider, 120, 0, 300, 100, 1);
    bar->SliderSetPosition(5);
    EXPECT_EQ(bar->SliderPosition, 0);
    bar->SliderPosition = 40;
    bar->ValueCalc();
    EXPECT_EQ(bar->Value, 0);
    auto exact = TScrollBar::Create(slider, 20, 10, 300, 100, 1);  // the track is the slider
    exact->SliderPosition = 3;
    exact->ValueCalc();
    EXPECT_EQ(exact->Value, 0);
    EXPECT_EQ(TScrollBar::Create(slider, 120, -4, 0, 0, 1)->ValueMax, 0);
    bar = TScrollBar::Create(slider, 120, 10, 300, 100, 1);  // 100 pixels of travel
    bar->SliderPosition = 56;
    bar->ValueCalc();
    EXPECT_DOUBLE_EQ(bar->ValuePrecise, 5.6);
    EXPECT_EQ(bar->Value, 6);
}

TEST_F(ScrollBarTest, DraggingMovesTheSliderWithinTheTrack) {
    auto bar = TScrollBar::Create(slider, 120, 10, 300, 100, 1);
    PointAt(305, 105);
    Game->Mouse->ButtonDown(1);
    bar->Manage();
    EXPECT_EQ(bar->SliderSelected, 1);
    PointAt(305, 400);
    bar->Manage();
    EXPECT_EQ(bar->SliderPosition, 100);
    EXPECT_EQ(bar->Value, 10);
    Game->Mouse->ButtonUp(1);
    bar->Manage();
    EXPECT_EQ(bar->SliderSelected, 0);
    auto bare = TScrollBar::Create(nullptr, 120, 10, 300, 100, 1);
    Game->Mouse->ButtonDown(1);
    bare->Manage();
    EXPECT_EQ(bare->SliderSelected, 0) << "a bar without a slider has nothing to drag";
}

TEST_F(ScrollBarTest, ArrowsStepTheValueAndDisableAtTheEnds) {
    auto bar = TScrollBar::Create(slider, 120, 2, 300, 100, 1);
    bar->SetArrows("up", "down", 0);
    TButton* up = bar->Menu->FindButton("up");
    TButton* down = bar->Menu->FindButton("down");
    up->ImageDisabled = up->image;
    down->ImageDisabled = down->image;
    bar->DisableButtons();
    EXPECT_EQ(up->Disabled, 1);
    EXPECT_EQ(down->Disabled, 0);
    for (int i = 0; i < 3; ++i) {
        ClickAt(int(down->x) + 2, int(down->y) + 2);
        bar->Manage();
        Game->Mouse->ButtonUp(1);
    }
    EXPECT_EQ(bar->Value, 2) << "not beyond the maximum";
    EXPECT_EQ(bar->SliderPosition, 100);
    EXPECT_EQ(down->Disabled, 1);
    EXPECT_EQ(up->Disabled, 0);
    const float upX = up->x, upY = up->y;
    bar->SetCoords(bar->X + 40, bar->Y - 25);
    EXPECT_FLOAT_EQ(up->x, upX + 40) << "the arrows move with the bar";
    EXPECT_FLOAT_EQ(up->y, upY - 25);
}

TEST_F(ScrollBarTest, AListFollowsItsScrollBar) {
    auto list = TListBox::Create(0, 5, 0, 1, 300);
    list->SetupFont(MakeBlockFont(), nullptr, nullptr, nullptr, nullptr);
    list->SetCoords(50, 40, 200, 110);
    list->CalcLineHeight();
    for (int i = 0; i < 20; ++i) list->Strings.push_back(std::to_string(i));
    list->Limit = 5;
    list->ScrollBar = TScrollBar::Create(slider, 120, 15, 300, 100, 1);
    list->SetIndex(12);
    EXPECT_EQ(list->TopIndex, 8);
    EXPECT_EQ(list->ScrollBar->Value, 8);
    list->Manage();
    EXPECT_EQ(list->TopIndex, 8);
}

TEST_F(ScrollBarTest, ArrowsSitAtTheEndsOfAVerticalTrackAndKillLetsGoOfTheSlider) {
    auto own = TGameImage::CreateFromImage(TImage::Create(16, 20), "OWN", 0);
    std::weak_ptr<TGameImage> watched = own;
    auto bar = TScrollBar::Create(std::move(own), 120, 10, 300, 100, 1);
    bar->SetArrows("up", "down", 0);
    TButton* up = bar->Menu->FindButton("up");
    TButton* down = bar->Menu->FindButton("down");
    ASSERT_TRUE(up && down);
    EXPECT_FLOAT_EQ(up->y, 100.0f - float(up->h));
    EXPECT_FLOAT_EQ(down->y, 220.0f);
    bar->Kill();
    EXPECT_TRUE(watched.expired());
}

}  // namespace
