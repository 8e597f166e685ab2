// The board's generating overlay around its showing: the click it plays only when asked, the pointer it
// hides again only when it had been hidden, and a hide during the fade-in that fades back as briefly.
#include "BoardWorld.h"
#include "core/FakeAudio.h"
#include "platform/Audio.h"
#include "presentation/Animation.h"
#include "presentation/DrawHelpers.h"

namespace {

using board::BoardWorld;

class GenerateOverlayTest : public BoardWorld {
  protected:
    void SetUp() override {
        SetAudioDriverInstance(std::make_unique<FakeDriver>(&channels));
        BoardWorld::SetUp();
        NewBoard(9);
        GenerateScreenReplace();
    }
    void TearDown() override {
        BoardWorld::TearDown();
        SetAudioDriverInstance(nullptr);
    }
    int Cues() const {
        int cues = 0;
        for (const auto& c : channels) cues += c->cues;
        return cues;
    }
    std::vector<std::shared_ptr<FakeChannel>> channels;
};

TEST_F(GenerateOverlayTest, PlaysItsClickOnlyWhenAskedAndRestoresAHiddenPointerOnly) {
    Game->Sound = 1;
    const struct { int playSound, pointerOn; } rows[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.playSound << row.pointerOn);
        if (row.pointerOn)
            Game->Mouse->On();
        else
            Game->Mouse->Off();
        const int before = Cues();
        GenerateScreen->Show(row.playSound);
        EXPECT_EQ(Cues() - before, row.playSound);
        for (int i = 0; i < 120; ++i) GenerateScreen->Logic(), GenerateScreen->Draw();
        EXPECT_EQ(Game->Mouse->Active, 1) << "the pointer is back once the puzzle is made";
        GenerateScreen->Hide();
        EXPECT_EQ(Game->Mouse->Active, row.pointerOn);
        for (int i = 0; i < 120; ++i) GenerateScreen->Logic();
    }
}

TEST_F(GenerateOverlayTest, HiddenDuringItsFadeInItFadesOutFromWhereItStood) {
    GenerateScreen->Show(0);
    for (int i = 0; i < 10; ++i) GenerateScreen->Logic();
    GenerateScreen->Hide();
    EXPECT_EQ(GenerateScreen->FadeIn->Active, 0);
    int ticks = 0;
    while (GenerateScreen->Active != 0 && ticks < 200) GenerateScreen->Logic(), ++ticks;
    EXPECT_LE(ticks, 12) << "as briefly as it had been fading in";
}

TEST_F(GenerateOverlayTest, FadesInAndOutOverHalfASecondEach) {
    GenerateScreen->Show(0);
    for (int i = 0; i < 99; ++i) GenerateScreen->Logic();
    EXPECT_EQ(GenerateScreen->FadeIn->Active, 1);
    GenerateScreen->Draw();
    EXPECT_FLOAT_EQ(GetDrawState().alpha, 1.0f) << "the fading picture leaves full alpha behind";
    EXPECT_FLOAT_EQ(TextAlpha, 1.0f);
    GenerateScreen->Logic();
    EXPECT_EQ(GenerateScreen->FadeIn->Active, 0) << "100 ticks of 5 ms";
    GenerateScreen->Hide();
    for (int i = 0; i < 99; ++i) GenerateScreen->Logic();
    EXPECT_EQ(GenerateScreen->Active, 1);
    GenerateScreen->Logic();
    EXPECT_EQ(GenerateScreen->Active, 0);
}

}  // namespace
