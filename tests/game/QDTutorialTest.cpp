// The tutorial pager: which buttons each page offers, paging with its sounds, closing, and boxes whose
// pictures are missing or whose slots are all taken.
#include <filesystem>

#include "core/SoundBank.h"
#include "game/QDTutorial.h"
#include "presentation/Menu.h"
#include "presentation/WidgetWorld.h"

namespace {

class QDTutorialPager : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        MenuImage("tutprev", 40, 30);
        MenuImage("tutclose", 60, 30);
        MenuImage("tutnext", 40, 30);
        WritePng("graphics/title.png", 200, 40, 0xFFFFFFFFu);
        for (int i = 1; i <= 3; ++i)
            WritePng("graphics/page" + std::to_string(i) + ".png", 300, 200, 0xFFFFFFFFu);
        LoadSounds({"tutprev", "tutnext"});
    }
    void TearDown() override {
        SoundBank.reset();
        WidgetWorld::TearDown();
    }

    void Click(QDTutorial& tutorial, const std::string& name) {
        const TButton* b = tutorial.menu->FindButton(name);
        ClickAt(int(b->x) + 5, int(b->y) + 5);
        tutorial.Logic();
    }
    static int IsActive(const QDTutorial& tutorial, const std::string& name) {
        return tutorial.menu->FindButton(name)->Active;
    }
};

TEST_F(QDTutorialPager, ThreePagesOfferPreviousNextAndCloseWhereTheyMakeSense) {
    QDTutorial tutorial;
    tutorial.Init(1, 3, "page", "title");
    tutorial.Logic();
    EXPECT_EQ(tutorial.isActive, 1) << "open until close is clicked";
    EXPECT_EQ(IsActive(tutorial, "tutprev"), 0);
    EXPECT_EQ(IsActive(tutorial, "tutnext"), 1);
    EXPECT_EQ(IsActive(tutorial, "tutclose"), 0);

    const int before = SoundsPlayed();
    Click(tutorial, "tutnext");
    Click(tutorial, "tutnext");
    tutorial.Logic();
    EXPECT_EQ(tutorial.currPage, 2);
    EXPECT_EQ(IsActive(tutorial, "tutnext"), 0);
    EXPECT_EQ(IsActive(tutorial, "tutclose"), 1);
    EXPECT_EQ(tutorial.isActive, 1);

    tutorial.NextPage();
    EXPECT_EQ(tutorial.currPage, 2) << "no page after the last";
    for (int i = 0; i < 2; ++i) Click(tutorial, "tutprev");
    EXPECT_EQ(tutorial.currPage, 0) << "back to the first page";
    EXPECT_EQ(SoundsPlayed(), before + 4);
    for (int i = 0; i < 2; ++i) tutorial.NextPage();
    tutorial.Logic();
    Click(tutorial, "tutclose");
    EXPECT_EQ(tutorial.isActive, 0);
}

TEST_F(QDTutorialPager, AFullBoxRefusesMorePagesWithZeroAndKeepsItsPages) {
    QDTutorial tutorial;
    tutorial.Init(1, 2, "", "");
    EXPECT_EQ(tutorial.AddPage("page1"), 0);
    EXPECT_EQ(tutorial.AddPage("page2"), 1);
    const auto first = tutorial.pages[0];
    EXPECT_EQ(tutorial.AddPage("page3"), 0);
    EXPECT_EQ(tutorial.pages[0], first) << "the first page stays";
    EXPECT_EQ(tutorial.pageAddCounter, 2);
    tutorial.Draw();
}

TEST_F(QDTutorialPager, MissingPicturesOrNoPagesNeverHideTheCloseButton) {
    QDTutorial tutorial;
    tutorial.Init(1, 5, "page", "");
    for (int i = 0; i < 3; ++i) tutorial.NextPage();
    EXPECT_EQ(tutorial.currPage, 2);
    tutorial.Logic();
    EXPECT_EQ(IsActive(tutorial, "tutclose"), 1);

    QDTutorial empty;
    empty.Init(1, -2, "page", "");
    EXPECT_TRUE(empty.pages.empty());
    empty.Logic();
    EXPECT_EQ(IsActive(empty, "tutclose"), 1);
    empty.NextPage();
    empty.PrevPage();
    rec.calls.clear();
    empty.Draw();
    EXPECT_TRUE(rec.calls.empty()) << "a tutorial without pages draws nothing";
    Click(empty, "tutclose");
    EXPECT_EQ(empty.isActive, 0);
}

// Close sits centred under the page with previous and next 15 pixels to either side; the title is drawn
// above the page, the page by its corner at the screen's middle; each way of paging has its own sound.
TEST_F(QDTutorialPager, ButtonsTitleAndPageSitWhereTheyBelongAndEachWayHasItsSound) {
    QDTutorial tutorial;
    tutorial.Init(1, 3, "page", "title");
    EXPECT_EQ(tutorial.showThisTutorial, 1);
    const TButton* prev = tutorial.menu->FindButton("tutprev");
    const TButton* close = tutorial.menu->FindButton("tutclose");
    const TButton* next = tutorial.menu->FindButton("tutnext");
    EXPECT_EQ(close->x, 400 - 30);
    EXPECT_EQ(prev->x, 400 - 30 - 15 - 40);
    EXPECT_EQ(next->x, 400 + 30 + 15);
    for (const TButton* b : {prev, close, next}) EXPECT_EQ(b->y, 300 + 160);
    EXPECT_EQ(next->OKButton, 1);
    EXPECT_EQ(close->OKButton, 0);

    rec.calls.clear();
    SetColor(10, 20, 30);
    SetAlpha(0.5f);
    tutorial.Draw();
    EXPECT_EQ(DrawsOf(tutorial.titleImage.get()), 1);
    EXPECT_EQ(DrawsOf(tutorial.pages[0].get()), 1);
    EXPECT_EQ(DrawsOf(tutorial.pages[1].get()), 0);
    for (const TDrawCommand* c : rec.Find("DrawImage")) {
        if (c->image == tutorial.titleImage.get()) {
            EXPECT_EQ(c->args[0], 400);
            EXPECT_EQ(c->args[1], 300 - 177);
        } else if (c->image == tutorial.pages[0].get()) {
            EXPECT_EQ(c->vertices.front().x, 400) << "the page's corner, not its middle, at the centre";
            EXPECT_EQ(c->vertices.front().y, 300);
            EXPECT_EQ(c->state.red, 255);
            EXPECT_FLOAT_EQ(c->state.alpha, 1.0f);
        }
    }
    EXPECT_FALSE(rec.Find("DrawImage").size() < 4u) << "the buttons are drawn too";
    // The buttons are drawn where they lie: the last draws are the menu's own.
    const auto drawn = rec.calls;
    rec.calls.clear();
    tutorial.menu->Draw(0, 0);
    ASSERT_LE(rec.calls.size(), drawn.size());
    for (size_t i = 0; i < rec.calls.size(); ++i)
        EXPECT_EQ(rec.calls[i].args, drawn[drawn.size() - rec.calls.size() + i].args) << i;

    const auto lastSound = [&] { return made.empty() ? nullptr : made.back()->sound; };
    tutorial.NextPage();
    EXPECT_EQ(lastSound(), SoundBank->Find("tutnext")->sound);
    tutorial.PrevPage();
    EXPECT_EQ(lastSound(), SoundBank->Find("tutprev")->sound);
    EXPECT_EQ(tutorial.currPage, 0);
}

TEST_F(QDTutorialPager, PagingSkipsAMissingPictureBothWaysAndInitOpensItAgain) {
    std::filesystem::remove(dir.Path() / "graphics" / "page2.png");
    QDTutorial tutorial;
    tutorial.Init(0, 3, "page", "");
    EXPECT_EQ(tutorial.showThisTutorial, 0);
    tutorial.NextPage();
    EXPECT_EQ(tutorial.currPage, 2);
    tutorial.PrevPage();
    EXPECT_EQ(tutorial.currPage, 0);
    tutorial.NextPage();
    tutorial.Close();
    tutorial.Init(1, 3, "page", "");
    EXPECT_EQ(tutorial.isActive, 1);
    EXPECT_EQ(tutorial.currPage, 0) << "opened again on its first page";
    EXPECT_NE(tutorial.pages[0], nullptr) << "with its pictures loaded again";
    QDTutorial bare;
    EXPECT_NO_THROW(bare.Logic()) << "a tutorial never set up manages nothing";
}

TEST_F(QDTutorialPager, TwoPagesOfferNextThenCloseAndLoadingLeavesImagesMidHandled) {
    AutoMidHandle(true);
    QDTutorial tutorial;
    tutorial.Init(1, 2, "page", "");
    EXPECT_TRUE(AutoMidHandleEnabled()) << "images loaded after the pages are placed by their middle again";
    tutorial.Logic();
    EXPECT_EQ(IsActive(tutorial, "tutnext"), 1);
    EXPECT_EQ(IsActive(tutorial, "tutclose"), 0);
    rec.calls.clear();
    SetBlend(LIGHTBLEND);
    tutorial.Draw();
    ASSERT_EQ(DrawsOf(tutorial.pages[0].get()), 1);
    for (const TDrawCommand* c : rec.Find("DrawImage")) {
        if (c->image == tutorial.pages[0].get()) {
            EXPECT_EQ(c->state.blend, ALPHABLEND);
        }
    }
}

}  // namespace
