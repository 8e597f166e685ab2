// The maker's splash on an injected clock: its full length, a skip by key during the fade-in, the jingle
// stopped by a skip, the polled-input state it leaves behind; and the sliding text lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/FakeAudio.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/InputUtils.h"
#include "core/Startup.h"
#include "game/MakerSplash.h"
#include "game/TolvaneGame.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "platform/ImageCodec.h"
#include "platform/ImageLoader.h"
#include "platform/Window.h"
#include "presentation/MousePointer.h"
#include "presentation/SlideLine.h"
#include "support/TestEnv.h"

namespace {

class MakerSplashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Game = std::make_unique<TTolvaneGame>();
        Game->DataPrefix = testenv::BinDir().string() + "/";
        if (!Game->Mouse) Game->Mouse = std::make_shared<TMousePointer>();
        SetDrawBackend(&rec);
        // Every reading of the clock moves it on by 5 ms; a key goes down once skipAt is passed.
        SetClockSource([this] {
            now += 5;
            if (watch) watch();
            if (skipAt > 0 && now >= skipAt && !skipped) {
                skipped = true;
                KeyBufferKeyDown(32);
            }
            return now;
        });
        SetDelayHandler([this](int ms) { now += ms; });
        GameFlushKeys();
        PolledInputOn = 0;
    }
    void TearDown() override {
        SetClockSource(nullptr);
        SetDelayHandler(nullptr);
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
        GameFlushKeys();
        PolledInputOn = 0;
        Game.reset();
    }

    TRecordingBackend rec;
    int now = 50000;
    int skipAt = 0;
    bool skipped = false;
    std::function<void()> watch;  // called at every reading of the clock
};

TEST_F(MakerSplashTest, RunsItsFullLengthWhenNotSkipped) {
    const int start = now;
    AutoMidHandle(true);  // the logo is centred by its corner whatever this setting
    EXPECT_EQ(ShowMakerSplash(0, 0), 0);
    const auto draws = rec.Find("DrawImage");
    ASSERT_FALSE(draws.empty());
    // The splash has freed its logo by now; the recorded image pointer must not be followed.
    const auto logo = LoadImage(Game->DataPrefix + "data/graphics/tolvanelogo.png");
    ASSERT_TRUE(logo);
    EXPECT_FLOAT_EQ(draws.back()->vertices.front().x, float((ScreenWidth - logo->Width()) / 2));
    EXPECT_GE(now - start, 1250 + 1500 + 1250);
    EXPECT_LT(now - start, 1250 + 1500 + 1250 + 200);
}

TEST_F(MakerSplashTest, AKeyDuringTheFadeInEndsItAtOnce) {
    const int start = now;
    skipAt = start + 400;
    EXPECT_EQ(ShowMakerSplash(0, 0), -1);
    EXPECT_LT(now - start, 1250);
    EXPECT_EQ(GameKeyHit(32), 0);  // the skipping key does not reach the first screen
}

TEST_F(MakerSplashTest, ASkipStopsTheJingle) {
    TSplashScreen splash;
    splash.Init(Game->DataPrefix + "data/graphics/tolvanelogo.png",
                Game->DataPrefix + "data/sound/splash.wav", 1, 1);
    splash.InitTimes(1250, 1500, 1250);
    skipAt = now + 2000;  // during the hold
    EXPECT_EQ(splash.DoSplash(), -1);
    ASSERT_TRUE(splash.Channel);
    EXPECT_FALSE(splash.Channel->Playing());
}

TEST_F(MakerSplashTest, LeavesPolledInputAsItFoundIt) {
    PolledInputOn = 1;
    skipAt = now + 100;
    ShowMakerSplash(0, 0);
    EXPECT_EQ(PolledInputOn, 1);
}

TEST_F(MakerSplashTest, ThePortalSplashShowsTheUnnumberedLogoForZeroAndTheNumberedOneOtherwise) {
    testenv::TempDir dir;
    Game->DataPrefix = dir.Str();
    for (const auto& [number, width] : {std::pair{0, 40}, std::pair{2, 80}}) {
        const std::vector<uint8_t> png = EncodePNG(TPixmap(width, 10, 0xFFFFFFFFu));
        const std::string name = "portallogo" + (number != 0 ? std::to_string(number) : "") + ".png";
        testenv::WriteFile(dir.Path() / "data" / name, std::string(png.begin(), png.end()));
    }
    for (const auto& [number, width] : {std::pair{0, 40}, std::pair{2, 80}}) {
        EXPECT_EQ(ShowPortalSplash(10, 10, 10, number), 0);
        EXPECT_FLOAT_EQ(rec.Find("DrawImage").back()->vertices.front().x, float((ScreenWidth - width) / 2));
    }
}

TEST_F(MakerSplashTest, TheJingleRisesAndFallsWithTheLogoOnlyWhenAskedAndPlaysOnlyWithSound) {
    std::vector<std::shared_ptr<FakeChannel>> made;
    SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
    const struct {
        int sound, fadeSound;
        bool played;
        float firstVolume, lowest, highest;
    } rows[] = {{1, 1, true, 0.0f, 0.0f, 1.0f}, {1, 0, true, 1.0f, 1.0f, 1.0f}, {0, 1, false, 0, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.sound << " " << row.fadeSound);
        made.clear();
        TSplashScreen splash;
        splash.Init(Game->DataPrefix + "data/graphics/tolvanelogo.png",
                    Game->DataPrefix + "data/sound/splash.wav", row.sound, row.fadeSound);
        splash.InitTimes(500, 500, 500);
        float first = -1, lowest = 2, highest = -1;
        watch = [&] {
            if (!splash.Channel) return;
            const float v = splash.Channel->Volume();
            if (first < 0) first = v;
            lowest = std::min(lowest, v), highest = std::max(highest, v);
        };
        EXPECT_EQ(splash.DoSplash(), 0);
        watch = nullptr;
        EXPECT_EQ(splash.Channel != nullptr, row.played);
        if (!row.played) continue;
        EXPECT_EQ(AsFake(splash.Channel)->resumes, 1);
        EXPECT_EQ(AsFake(splash.Channel)->sound, nullptr) << "the jingle is stopped when the splash ends";
        EXPECT_FLOAT_EQ(first, row.firstVolume);
        EXPECT_NEAR(lowest, row.lowest, 0.05f);
        EXPECT_NEAR(highest, row.highest, 0.05f);
    }
    // The maker's jingle plays a little lower.
    made.clear();
    EXPECT_EQ(ShowMakerSplash(1, 0), 0);
    ASSERT_FALSE(made.empty());
    EXPECT_FLOAT_EQ(made.back()->rate, 0.9f);
    SetAudioDriverInstance(nullptr);
}

// The game's start-up shows the maker's splash with the jingle when sound is on.
TEST_F(MakerSplashTest, StartUpSplashPlaysTheJingleWithSoundOn) {
    std::vector<std::shared_ptr<FakeChannel>> made;
    SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
    ASSERT_TRUE(StartupHooks().Splash);
    for (const int sound : {1, 0}) {
        made.clear();
        Game->Sound = sound;
        StartupHooks().Splash();
        EXPECT_EQ(made.size(), sound != 0 ? 1u : 0u) << sound;
    }
    SetAudioDriverInstance(nullptr);
}

TEST_F(MakerSplashTest, ShowSplashShowsTheGivenLogoAndTheMakersBackgroundDriftsAndGrowsBehindIt) {
    testenv::TempDir dir;
    Game->DataPrefix = dir.Str();
    const auto write = [&](const std::string& name, int w, int h) {
        const std::vector<uint8_t> png = EncodePNG(TPixmap(w, h, 0xFFFFFFFFu));
        testenv::WriteFile(dir.Path() / name, std::string(png.begin(), png.end()));
    };
    write("logo.png", 60, 20);
    EXPECT_EQ(ShowSplash(dir.Str() + "logo.png", "", 0, 0), 0);
    ASSERT_FALSE(rec.Find("DrawImage").empty());
    EXPECT_FLOAT_EQ(rec.Find("DrawImage").back()->vertices.front().x, float((ScreenWidth - 60) / 2));
    EXPECT_EQ(rec.Find("Cls").front()->state.clsRed, 0);

    std::filesystem::create_directories(dir.Path() / "data/sound");
    std::filesystem::copy_file(testenv::BinDir() / "data/sound/splash.wav",
                               dir.Path() / "data/sound/splash.wav", std::filesystem::copy_options::none);
    write("data/graphics/tolvanelogo.png", 40, 10);
    write("data/graphics/splashbg.jpg", 900, 700);
    for (int flag : {0, 1}) {
        SCOPED_TRACE(flag);
        rec.calls.clear();
        SetClsColor(200, 100, 50);
        EXPECT_EQ(ShowMakerSplash(0, flag), 0);
        EXPECT_EQ(rec.Find("Cls").front()->state.clsRed, 0) << "the splash starts on black";
        std::vector<const TDrawCommand*> background;
        for (const TDrawCommand* c : rec.Find("DrawImage"))
            if (c->vertices.size() >= 2 && c->vertices[1].x - c->vertices[0].x >= 900)
                background.push_back(c);
        if (flag == 0) {
            EXPECT_TRUE(background.empty());
            continue;
        }
        ASSERT_GE(background.size(), 10u);
        EXPECT_LT(background.front()->state.alpha, 0.5f) << "the background fades in";
        EXPECT_LT(background.back()->args[0], background.front()->args[0]) << "it drifts left";
        EXPECT_LT(background.back()->args[1], background.front()->args[1]) << "and up";
        EXPECT_GT(background.back()->state.scaleX, background.front()->state.scaleX) << "and grows";
        // Twenty pixels a second across the four seconds of the splash, at the zoom of the moment.
        EXPECT_NEAR(-background.back()->args[0] / background.back()->state.scaleX, 80, 10);
    }
}

class SlideLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Game = std::make_unique<TGame>();
        Delta = 1.0f;
    }
    void TearDown() override { Game.reset(); }
};

TEST_F(SlideLineTest, MovesFromStartToEndOverItsTimeLegByLeg) {
    TSlideLineList list;
    TSlideLine* line = list.Add("row", 0, 100, 400, 100, 1000);
    list.Start();
    for (int i = 0; i < 100; ++i) list.Manage();
    EXPECT_FLOAT_EQ(line->GetX(), 200);
    for (int i = 0; i < 150; ++i) list.Manage();
    EXPECT_FLOAT_EQ(line->GetX(), 400);

    // A second leg takes over when the first ends.
    TSlideLine* legs = list.Add("", -100, 50, -100, 50, 10);
    legs->AddPhaseSpecial(-100, 50, 80, 50, 600);
    list.Start();
    for (int i = 0; i < 3; ++i) list.Manage();
    EXPECT_FLOAT_EQ(legs->DX, 180);
}

TEST_F(SlideLineTest, LegsBeyondThePhaseTableAreIgnored) {
    TSlideLine line;
    line.InitLine("", 0, 0, 1, 1, 10);
    for (int i = 0; i < TAnimation::MAX_PHASES + 5; ++i) line.AddPhaseSpecial(i, i, i + 1, i + 1, 10);
    EXPECT_EQ(line.TotalPhases, TAnimation::MAX_PHASES);
    EXPECT_EQ(int(line.EndX.size()), TAnimation::MAX_PHASES);
}

}  // namespace

namespace {

// The logo's draws of a run: (clock time since the start, alpha).
std::vector<std::pair<int, float>> LogoTimeline(const TRecordingBackend& rec, const std::vector<int>& times,
                                                float logoWidth) {
    std::vector<std::pair<int, float>> out;
    for (size_t i = 0; i < rec.calls.size(); ++i) {
        const TDrawCommand& c = rec.calls[i];
        if (c.op == "DrawImage" && c.vertices.size() >= 2 && c.vertices[1].x - c.vertices[0].x == logoWidth)
            out.emplace_back(times[i], c.state.alpha);
    }
    return out;
}

// A skip at each stage ends the splash at once with -1: the jingle stopped, the key used up, the drawing
// state and the polled input as the splash found them.
TEST_F(MakerSplashTest, ASkipAtEachStageEndsItAtOnceAndCleansUp) {
    std::vector<std::shared_ptr<FakeChannel>> made;
    SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
    for (const char* stage : {"in", "hold", "out"}) {
        SCOPED_TRACE(stage);
        rec.calls.clear();
        TSplashScreen splash;
        splash.Init(Game->DataPrefix + "data/graphics/tolvanelogo.png",
                    Game->DataPrefix + "data/sound/splash.wav", 1, 1);
        splash.InitTimes(500, 500, 500);
        const float logoWidth = float(splash.Image->Width());
        // Watch the logo's alpha: rising, held at 1 for a while, then falling.
        size_t seen = 0;
        int atOne = 0, pressedAt = 0;
        bool rising = false, fallen = false;
        watch = [&] {
            for (; seen < rec.calls.size(); ++seen) {
                const TDrawCommand& c = rec.calls[seen];
                if (c.op != "DrawImage" || c.vertices.size() < 2 ||
                    c.vertices[1].x - c.vertices[0].x != logoWidth)
                    continue;
                const float a = c.state.alpha;
                if (a > 0.2f && a < 0.8f && atOne == 0) rising = true;
                if (a == 1.0f) ++atOne;
                if (a < 0.8f && atOne > 0) fallen = true;
            }
            const bool now_ =
                (stage[0] == 'i' && rising) || (stage[0] == 'h' && atOne >= 3) || (stage[0] == 'o' && fallen);
            if (now_ && pressedAt == 0) {
                pressedAt = now;
                KeyBufferKeyDown(32);
            }
        };
        SetColor(10, 20, 30);
        EXPECT_EQ(splash.DoSplash(), -1);
        watch = nullptr;
        ASSERT_GT(pressedAt, 0);
        EXPECT_LT(now - pressedAt, 60) << "ended at once";
        EXPECT_EQ(GameKeyHit(32), 0) << "the key does not reach the first screen";
        ASSERT_TRUE(splash.Channel);
        EXPECT_EQ(AsFake(splash.Channel)->sound, nullptr) << "the jingle is stopped";
        EXPECT_EQ(PolledInputOn, 0);
        EXPECT_EQ(GetBlend(), ALPHABLEND);
        int r = 0, g = 0, b = 0;
        GetColor(r, g, b);
        EXPECT_EQ(r + g + b, 3 * 255);
        EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
        GameFlushKeys();
    }
    SetAudioDriverInstance(nullptr);
}

// Setting up takes the input that was waiting and switches polled input on; the logo is loaded plain,
// placed by its corner and sent to the card; the jingle is loaded with flag 1 only when it fades.
TEST_F(MakerSplashTest, InitLoadsTheLogoPlainAndTheJingleByItsFadeAndTakesOverTheInput) {
    for (int fadeSound : {1, 0}) {
        SCOPED_TRACE(fadeSound);
        KeyBufferKeyDown(32);
        PolledInputOn = 0;
        rec.precached.clear();
        TSplashScreen splash;
        splash.Init(Game->DataPrefix + "data/graphics/tolvanelogo.png",
                    Game->DataPrefix + "data/sound/splash.wav", 1, fadeSound);
        EXPECT_EQ(PolledInputOn, 1);
        PolledInputOn = 0;  // the game's own buffer, which polled input leaves alone
        EXPECT_EQ(GameKeyHit(32), 0);
        PolledInputOn = 1;
        EXPECT_EQ(splash.OriginalPolledInputState, 0);
        ASSERT_TRUE(splash.Image);
        EXPECT_EQ(splash.Image->Flags(), 0);
        EXPECT_EQ(rec.precached, std::vector<const TImage*>{splash.Image.get()});
        ASSERT_TRUE(splash.Sample);
        EXPECT_EQ(splash.Sample->Flags(), fadeSound);
        splash.CleanUp();
        EXPECT_EQ(PolledInputOn, 0) << "off again as it was";
    }
}

// The maker's splash: black first, then the logo centred by its corner fading in over 1250 ms, held
// 1500 ms and fading out over 1250 ms to nothing, frame for frame as a splash given those times.
TEST_F(MakerSplashTest, TheMakersSplashRunsItsOwnTimesFromBlackToNothing) {
    // A clock of single milliseconds, so that a stage a millisecond longer shows.
    SetClockSource([this] {
        now += 1;
        if (watch) watch();
        return now;
    });
    std::vector<int> times;
    watch = [&] {
        while (times.size() < rec.calls.size()) times.push_back(now);
    };
    auto run = [&](const std::function<int()>& splash) {
        rec.calls.clear();
        times.clear();
        const int start = now;
        EXPECT_EQ(splash(), 0);
        while (times.size() < rec.calls.size()) times.push_back(now);
        for (int& t : times) t -= start;
    };
    const auto logo = LoadImage(Game->DataPrefix + "data/graphics/tolvanelogo.png");
    ASSERT_TRUE(logo);
    run([] { return ShowMakerSplash(0, 0); });
    ASSERT_GE(rec.calls.size(), 3u);
    EXPECT_EQ(rec.calls[0].op, "Cls");
    EXPECT_EQ(rec.calls[1].op, "Cls") << "a black frame of its own before the first frame of the logo";
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rec.calls[size_t(i)].state.clsRed + rec.calls[size_t(i)].state.clsGreen +
                      rec.calls[size_t(i)].state.clsBlue,
                  0);
    }
    const auto makers = LogoTimeline(rec, times, float(logo->Width()));
    ASSERT_FALSE(makers.empty());
    EXPECT_EQ(makers.back().second, 0.0f) << "it ends on nothing";
    for (const TDrawCommand* c : rec.Find("DrawImage")) {
        if (c->vertices.size() >= 2 && c->vertices[1].x - c->vertices[0].x == float(logo->Width())) {
            EXPECT_EQ(c->vertices.front().y, float((ScreenHeight - logo->Height()) / 2));
        }
    }
    EXPECT_EQ(GetBlend(), ALPHABLEND);

    run([] {
        TSplashScreen splash;
        splash.Init(Game->DataPrefix + "data/graphics/tolvanelogo.png",
                    Game->DataPrefix + "data/sound/splash.wav", 0, 1);
        splash.InitTimes(1250, 1500, 1250);
        return splash.DoSplash();
    });
    EXPECT_EQ(LogoTimeline(rec, times, float(logo->Width())), makers);
    watch = nullptr;
}

// A portal splash keeps the default for each time given as 0 and takes any other; a splash with sound
// on but no jingle simply plays none.
TEST_F(MakerSplashTest, ThePortalSplashTakesEachTimeGivenAndSoundWithoutAJingleIsSilent) {
    testenv::TempDir dir;
    Game->DataPrefix = dir.Str();
    const std::vector<uint8_t> png = EncodePNG(TPixmap(40, 10, 0xFFFFFFFFu));
    testenv::WriteFile(dir.Path() / "data" / "portallogo.png", std::string(png.begin(), png.end()));
    const struct {
        int in, full, out, total;
    } rows[] = {{100, 200, 300, 600}, {0, 200, 300, 2500}, {100, 0, 300, 1400}, {100, 200, 0, 2300}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.in << " " << row.full << " " << row.out);
        const int start = now;
        EXPECT_EQ(ShowPortalSplash(row.in, row.full, row.out, 0), 0);
        EXPECT_GE(now - start, row.total);
        EXPECT_LT(now - start, row.total + 200);
    }
    EXPECT_EQ(ShowSplash(dir.Str() + "data/portallogo.png", "", 1, 0), 0);
}

// The maker's background is placed by its corner and sent to the card with the logo.
TEST_F(MakerSplashTest, TheMakersBackgroundIsPlacedByItsCornerAndPrecached) {
    testenv::TempDir dir;
    Game->DataPrefix = dir.Str();
    for (const auto& [name, w, h] : {std::tuple{"data/graphics/tolvanelogo.png", 40, 10},
                                     std::tuple{"data/graphics/splashbg.jpg", 900, 700}}) {
        const std::vector<uint8_t> png = EncodePNG(TPixmap(w, h, 0xFFFFFFFFu));
        testenv::WriteFile(dir.Path() / name, std::string(png.begin(), png.end()));
    }
    std::filesystem::create_directories(dir.Path() / "data/sound");
    std::filesystem::copy_file(testenv::BinDir() / "data/sound/splash.wav",
                               dir.Path() / "data/sound/splash.wav");
    AutoMidHandle(true);
    rec.precached.clear();
    int backgroundFlags = 0;  // read while the splash still holds its pictures
    watch = [&] {
        if (rec.precached.size() == 2) backgroundFlags = rec.precached[1]->Flags();
    };
    EXPECT_EQ(ShowMakerSplash(0, 1), 0);
    watch = nullptr;
    EXPECT_EQ(rec.precached.size(), 2u);
    EXPECT_EQ(backgroundFlags, DEFAULT_IMAGE_FLAGS) << "the background is loaded with the default flags";
    int backgrounds = 0;
    for (const TDrawCommand* c : rec.Find("DrawImage")) {
        if (c->vertices.size() < 2 || c->vertices[1].x - c->vertices[0].x < 900) continue;
        ++backgrounds;
        EXPECT_FLOAT_EQ(c->vertices.front().x, c->args[0]);
        EXPECT_FLOAT_EQ(c->vertices.front().y, c->args[1]);
    }
    EXPECT_GT(backgrounds, 10);
    AutoMidHandle(false);
}

// Every frame of the splash is shown, the black one it starts with too: one flip for each clearing.
TEST_F(MakerSplashTest, EveryFrameIsShownFromTheFirstBlackOne) {
    ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
    ASSERT_TRUE(Graphics(800, 600, 0, 60));
    static int flips = 0;
    flips = 0;
    static void (*count)(const TPixmap&, void*) = [](const TPixmap&, void*) {
        ++flips;
        CaptureNextFrame(count, nullptr);
    };
    CaptureNextFrame(count, nullptr);
    EXPECT_EQ(ShowMakerSplash(0, 0), 0);
    CaptureNextFrame(nullptr, nullptr);
    EXPECT_GT(flips, 10);
    EXPECT_EQ(size_t(flips), rec.Find("Cls").size());
    EndGraphics();
}

// The fade-out runs down: once the logo has been held at full it only ever fades.
TEST_F(MakerSplashTest, AfterTheHoldTheLogoOnlyFades) {
    const auto logo = LoadImage(Game->DataPrefix + "data/graphics/tolvanelogo.png");
    ASSERT_TRUE(logo);
    EXPECT_EQ(ShowMakerSplash(0, 0), 0);
    std::vector<float> alphas;
    for (const TDrawCommand* c : rec.Find("DrawImage"))
        if (c->vertices.size() >= 2 && c->vertices[1].x - c->vertices[0].x == float(logo->Width()))
            alphas.push_back(c->state.alpha);
    const auto held = std::find(alphas.begin(), alphas.end(), 1.0f);
    ASSERT_NE(held, alphas.end());
    EXPECT_TRUE(std::is_sorted(alphas.begin(), held)) << "rising to full";
    EXPECT_TRUE(std::is_sorted(held, alphas.end(), std::greater<float>())) << "then only falling";
    EXPECT_LT(*std::min_element(held, alphas.end()), 0.01f);
}

}  // namespace
