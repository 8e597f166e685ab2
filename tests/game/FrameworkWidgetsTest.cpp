// The framework pieces the game's own screens do not call, pinned where their other suites leave room:
// the curve mover's record byte by byte, the tutorial's button row with buttons of unequal widths and
// its paging sounds.
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "core/SoundBank.h"
#include "game/Bezier.h"
#include "game/QDLoadingScreen.h"
#include "game/QDTutorial.h"
#include "platform/Window.h"
#include "presentation/Menu.h"
#include "presentation/WidgetWorld.h"

namespace {

std::string LittleEndian(uint32_t v) {
    return {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char((v >> 24) & 0xff)};
}

std::string FloatBytes(float f) {
    uint32_t v = 0;
    std::memcpy(&v, &f, 4);
    return LittleEndian(v);
}

// Values whose bytes all differ, so a field written at another offset or in another byte order shows.
const std::vector<float> Floats = {1.5f,  -2.25f, 300.125f, 4e-3f,   -5e6f,   6.75f, 7.0f,
                                   -8.5f, 0.375f, 1234.5f,  -0.625f, 0.0123f, 99.99f};
const uint32_t Ints[3] = {0x04030201u, 0x0d0c0b0au, 0x8f7f6f5fu};

std::string Record() {
    std::string bytes;
    for (float f : Floats) bytes += FloatBytes(f);
    for (uint32_t v : Ints) bytes += LittleEndian(v);
    return bytes;
}

std::vector<float> FieldsOf(const TBezier& c) {
    return {c.ax, c.ay, c.bx, c.by, c.cx, c.cy, c.dx, c.dy, c.t, c.x, c.y, c.baseSpeed, c.currSpeed};
}

TEST(BezierRecord, SavesEachFieldAtItsOffsetLittleEndianAndLoadsThemBack) {
    TBezier curve;
    float* fields[] = {&curve.ax, &curve.ay,        &curve.bx,       &curve.by, &curve.cx,
                       &curve.cy, &curve.dx,        &curve.dy,       &curve.t,  &curve.x,
                       &curve.y,  &curve.baseSpeed, &curve.currSpeed};
    for (size_t i = 0; i < Floats.size(); ++i) *fields[i] = Floats[i];
    curve.speedCorr = int(Ints[0]), curve.goBackward = int(Ints[1]), curve.reset = int(Ints[2]);
    std::stringstream out;
    curve.Save(out);
    const std::string saved = out.str();
    const std::string expected = Record();
    ASSERT_EQ(saved.size(), 64u);
    for (size_t at = 0; at < 64; at += 4)
        EXPECT_EQ(saved.substr(at, 4), expected.substr(at, 4)) << "the field at byte " << at;

    std::stringstream in(expected + "tail");
    TBezier back;
    ASSERT_TRUE(back.Load(in));
    EXPECT_EQ(FieldsOf(back), Floats);
    EXPECT_EQ(uint32_t(back.speedCorr), Ints[0]);
    EXPECT_EQ(uint32_t(back.goBackward), Ints[1]);
    EXPECT_EQ(uint32_t(back.reset), Ints[2]);
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, "tail") << "a record reads exactly its 64 bytes";
}

using FrameworkWidgets = WidgetWorld;

// Close centred under the page, previous and next 15 pixels to either side of it, whatever their widths.
TEST_F(FrameworkWidgets, TutorialButtonsOfUnequalWidthsSitBesideCloseAndPageWithCentredSoundsOrNone) {
    MenuImage("tutprev", 40, 30);
    MenuImage("tutclose", 61, 30);  // odd: a row centred as a whole would put next a pixel off
    MenuImage("tutnext", 90, 30);
    for (int i = 1; i <= 2; ++i) WritePng("graphics/page" + std::to_string(i) + ".png", 30, 20, 0xFFFFFFFFu);
    QDTutorial tutorial;
    tutorial.Init(1, 2, "page", "");
    EXPECT_EQ(tutorial.menu->FindButton("tutclose")->x, 400 - 30);
    EXPECT_EQ(tutorial.menu->FindButton("tutprev")->x, 400 - 30 - 15 - 40);
    EXPECT_EQ(tutorial.menu->FindButton("tutnext")->x, 400 - 30 + 61 + 15);

    tutorial.NextPage();
    EXPECT_EQ(tutorial.currPage, 1) << "without a sound bank paging is silent";
    tutorial.PrevPage();
    EXPECT_EQ(tutorial.currPage, 0);
    EXPECT_EQ(SoundsPlayed(), 0);

    LoadSounds({"tutprev", "tutnext"});
    for (int way : {1, 0}) {
        if (way)
            tutorial.NextPage();
        else
            tutorial.PrevPage();
        ASSERT_FALSE(made.empty());
        EXPECT_EQ(made.back()->sound, SoundBank->Find(way ? "tutnext" : "tutprev")->sound);
        EXPECT_EQ(made.back()->pan, 0.0f) << "the page sounds come from the middle";
        made.back()->pan = 0.5f;
    }
    SoundBank.reset();
}

// Each button answers a click on its own corner pixels and not one pixel outside them.
TEST_F(FrameworkWidgets, TutorialButtonsAnswerClicksOnTheirCornerPixelsOnly) {
    MenuImage("tutprev", 40, 30);
    MenuImage("tutclose", 60, 30);
    MenuImage("tutnext", 40, 30);
    for (int i = 1; i <= 3; ++i) WritePng("graphics/page" + std::to_string(i) + ".png", 30, 20, 0xFFFFFFFFu);
    const struct {
        int startPage;
        const char* button;
        int dx, dy;  // from the top-left pixel; the far corner is w - 1, h - 1
        int page, open;
    } rows[] = {
        {0, "tutnext", 0, 0, 1, 1},   {0, "tutnext", -1, 0, 0, 1},   {0, "tutnext", 0, -1, 0, 1},
        {0, "tutnext", 39, 29, 1, 1}, {0, "tutnext", 40, 29, 0, 1},  {0, "tutnext", 39, 30, 0, 1},
        {1, "tutprev", 0, 0, 0, 1},   {1, "tutprev", -1, 0, 1, 1},   {1, "tutprev", 0, -1, 1, 1},
        {1, "tutprev", 39, 29, 0, 1}, {2, "tutclose", 0, 0, 2, 0},   {2, "tutclose", 0, -1, 2, 1},
        {2, "tutclose", -1, 0, 2, 1}, {2, "tutclose", 59, 29, 2, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.button << " " << row.dx << "," << row.dy);
        QDTutorial tutorial;
        tutorial.Init(1, 3, "page", "");
        for (int i = 0; i < row.startPage; ++i) tutorial.NextPage();
        tutorial.Logic();
        const TButton* b = tutorial.menu->FindButton(row.button);
        ClickAt(int(b->x) + row.dx, int(b->y) + row.dy);
        tutorial.Logic();
        EXPECT_EQ(tutorial.currPage, row.page);
        EXPECT_EQ(tutorial.isActive, row.open);
        Game->Mouse->GetMh(1);
    }
}

// A loader running outside the main loop sees its progress only if each step shows the frame.
TEST_F(FrameworkWidgets, EachLoadingStepShowsItsFrame) {
    WritePng("graphics/bar.png", 200, 16, 0xFFFFFFFFu);
    ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
    ASSERT_TRUE(Graphics(800, 600, 0, 60));
    QDLoadingScreen screen;
    screen.SpecialLoad("", "bar.png", "");
    screen.SetSteps(2);
    int shown = 0;
    CaptureNextFrame([](const TPixmap&, void* user) { ++*static_cast<int*>(user); }, &shown);
    screen.MoveBar();
    EXPECT_EQ(shown, 1);
    CaptureNextFrame(nullptr, nullptr);
    screen.Kill();
    EndGraphics();
}

// The page is drawn in plain white, and a page number a caller set out of range draws no page at all.
TEST_F(FrameworkWidgets, TutorialPagesDrawInWhiteAndAPageOutOfRangeDrawsNone) {
    for (const char* name : {"tutprev", "tutclose", "tutnext"}) MenuImage(name, 40, 30);
    for (int i = 1; i <= 3; ++i) WritePng("graphics/page" + std::to_string(i) + ".png", 30, 20, 0xFFFFFFFFu);
    QDTutorial tutorial;
    tutorial.Init(1, 3, "page", "");
    SetColor(1, 2, 3);
    rec.calls.clear();
    tutorial.Draw();
    ASSERT_EQ(DrawsOf(tutorial.pages[0].get()), 1);
    for (const TDrawCommand* c : rec.Find("DrawImage")) {
        if (c->image != tutorial.pages[0].get()) continue;
        EXPECT_EQ((std::vector<int>{c->state.red, c->state.green, c->state.blue}),
                  (std::vector<int>{255, 255, 255}));
    }
    for (int page : {-1, 3, 4}) {
        SCOPED_TRACE(page);
        tutorial.currPage = page;
        rec.calls.clear();
        tutorial.Draw();
        for (const auto& shown : tutorial.pages) EXPECT_EQ(DrawsOf(shown.get()), 0);
        EXPECT_FALSE(rec.Find("DrawImage").empty()) << "the buttons are still drawn";
    }
}

}  // namespace
