// Drawing layer: transforms and state captured by the recording backend, pixels by the offscreen one.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/Draw.h"
#include "platform/ImageFont.h"

namespace {

class DrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDrawStateDefaults();
        SetDrawBackend(&rec);
    }
    void TearDown() override {
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
        AutoMidHandle(false);
    }
    TRecordingBackend rec;
};

void ExpectVertex(const TVertex& v, float x, float y) {
    EXPECT_NEAR(v.x, x, 1e-3f);
    EXPECT_NEAR(v.y, y, 1e-3f);
}

TEST_F(DrawTest, ImageQuadHonoursHandleScaleAndRotation) {
    auto image = CreateImage(20, 10);
    MidHandleImage(image.get());
    SetScale(2, 3);
    SetRotation(90);
    DrawImage(image.get(), 100, 50);
    ASSERT_EQ(rec.calls.size(), 1u);
    const auto& v = rec.calls[0].vertices;
    ASSERT_EQ(v.size(), 6u);
    // Top-left corner (-10, -5) scaled to (-20, -15), rotated 90 degrees clockwise to (15, -20).
    ExpectVertex(v[0], 115, 30);
    // Bottom-right corner (10, 5) -> (20, 15) -> (-15, 20).
    ExpectVertex(v[2], 85, 70);
}

TEST_F(DrawTest, StripSplitsCellsInReadingOrder) {
    TPixmap strip(4, 4, 0);
    strip.WritePixel(2, 0, 0xFF00FF00u);  // cell 1
    strip.WritePixel(0, 2, 0xFFFF0000u);  // cell 2
    auto image = TImage::FromStrip(strip, 2, 2, 1, 2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Pixels(0).ReadPixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(image->Pixels(1).ReadPixel(0, 0), 0xFFFF0000u);
    EXPECT_FALSE(TImage::FromStrip(strip, 2, 2, 3, 2));
}

TEST_F(DrawTest, CollisionsUseAlphaMasks) {
    TPixmap p(4, 4, 0);
    p.WritePixel(3, 3, 0xFF000000u);
    auto image = TImage::FromPixmap(p);
    int a = 1, b = 2;
    ResetCollisions();
    EXPECT_TRUE(CollideImage(image.get(), 0, 0, 0, 0, 1, &a).empty());
    EXPECT_TRUE(CollideRect(0, 0, 3, 3, 1, 0, &b).empty());  // transparent part only
    auto hits = CollideRect(3, 3, 1, 1, 1, 0, &b);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0], &a);
}

// Whether a one-pixel rectangle at (x, y) touches collision layer 1.
bool Touches(int x, int y) {
    return !CollideRect(float(x), float(y), 1, 1, 1, 0).empty();
}

// An opaque image of width x height with the listed pixels transparent.
std::shared_ptr<TImage> Opaque(int width, int height, std::initializer_list<std::pair<int, int>> holes = {}) {
    TPixmap p(width, height, 0xFFFFFFFFu);
    for (auto [x, y] : holes) p.WritePixel(x, y, 0x00FFFFFFu);
    return TImage::FromPixmap(p, 0);
}

TEST_F(DrawTest, CollisionsFollowRotationScaleAndMirroring) {
    auto thin = Opaque(5, 1);
    SetRotation(90);
    ResetCollisions();
    CollideImage(thin.get(), 10, 10, 0, 0, 1);
    // Turned clockwise about its top-left corner: a column left of x = 10, running down from y = 10.
    for (int y = 10; y < 15; ++y) EXPECT_TRUE(Touches(9, y)) << y;
    EXPECT_FALSE(Touches(9, 15));
    for (int x = 10; x < 15; ++x) EXPECT_FALSE(Touches(x, 10)) << x;  // where the unturned row would be
    SetRotation(0);

    auto square = Opaque(2, 2);
    ResetCollisions();
    CollideImage(square.get(), 0, 0, 0, 0, 1);
    EXPECT_FALSE(Touches(5, 5));
    SetScale(3, 3);
    ResetCollisions();
    CollideImage(square.get(), 0, 0, 0, 0, 1);
    EXPECT_TRUE(Touches(5, 5));
    EXPECT_FALSE(Touches(6, 5));

    // Only the first pixel is solid; a negative x scale puts it left of the position.
    auto marker = Opaque(4, 1, {{1, 0}, {2, 0}, {3, 0}});
    SetScale(-1, 1);
    ResetCollisions();
    CollideImage(marker.get(), 20, 0, 0, 0, 1);
    EXPECT_TRUE(Touches(19, 0));
    EXPECT_FALSE(Touches(20, 0));

    // A transparent pixel scaled up covers nothing, however large.
    auto holed = Opaque(3, 1, {{1, 0}});
    SetScale(3, 3);
    ResetCollisions();
    CollideImage(holed.get(), 0, 0, 0, 0, 1);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 3; ++y) EXPECT_EQ(Touches(x, y), x < 3 || x >= 6) << x << "," << y;
    EXPECT_FALSE(Touches(0, 3));
}

TEST_F(DrawTest, CollisionsKeepWholePixelPlacementWhenUntransformed) {
    auto marker =
        Opaque(3, 3, {{0, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {2, 2}});  // only (1, 0) solid
    MidHandleImage(marker.get());                                                // handle (1, 1)
    ResetCollisions();
    CollideImage(marker.get(), 10.75f, 20.25f, 0, 0, 1);
    // Top-left corner at (9.75, 19.25) snaps down to (9, 19).
    EXPECT_TRUE(Touches(10, 19));
    EXPECT_FALSE(Touches(11, 19));
    EXPECT_FALSE(Touches(10, 20));
    // Two images collide only where both are solid, each under its own transform.
    int a = 1;
    ResetCollisions();
    CollideImage(marker.get(), 10, 20, 0, 0, 1, &a);
    SetRotation(180);
    EXPECT_EQ(CollideImage(marker.get(), 11, 19, 0, 1, 0).size(), 1u);  // turned, its solid pixel is (10, 19)
    EXPECT_TRUE(CollideImage(marker.get(), 10, 19, 0, 1, 0).empty());
    // Images and rectangles share the origin.
    SetRotation(0);
    SetOrigin(100, 0);
    ResetCollisions();
    CollideImage(marker.get(), 10, 20, 0, 0, 1);
    EXPECT_TRUE(Touches(10, 19));
}

// The collision layer covers exactly the pixels whose centres fall on a solid pixel of the quad that
// DrawImage produces, for every transform.
TEST_F(DrawTest, CollisionsCoverTheDrawnQuad) {
    auto image = Opaque(7, 5, {{0, 0}, {3, 1}, {4, 1}, {6, 4}, {2, 3}});
    const TPixmap& pixels = image->Pixels(0);
    struct Case {
        float sx, sy, rotation;
        bool mid;
    };
    for (Case c : {Case{1, 1, 90, false}, Case{2, -3, 90, true}, Case{-2, 2, 0, true},
                   Case{1.5f, 2.5f, 270, true}, Case{3, 3, 180, false}, Case{2, 1, 30, true}}) {
        SetImageHandle(image.get(), c.mid ? 3 : 0, c.mid ? 2 : 0);
        SetScale(c.sx, c.sy);
        SetRotation(c.rotation);
        rec.calls.clear();
        DrawImage(image.get(), 32, 32);
        ASSERT_EQ(rec.calls.size(), 1u);
        const auto& v = rec.calls[0].vertices;
        // Screen point = a + u (b - a) + v (d - a) over the quad's top-left a, top-right b, bottom-left d.
        float ux = v[1].x - v[0].x, uy = v[1].y - v[0].y, vx = v[5].x - v[0].x, vy = v[5].y - v[0].y;
        float det = ux * vy - uy * vx;
        ResetCollisions();
        CollideImage(image.get(), 32, 32, 0, 0, 1);
        int solid = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                float dx = float(x) + 0.5f - v[0].x, dy = float(y) + 0.5f - v[0].y;
                float u = (dx * vy - dy * vx) / det, w = (ux * dy - uy * dx) / det;
                bool inside = u >= 0 && u < 1 && w >= 0 && w < 1;
                bool lit = inside && (pixels.ReadPixel(int(u * 7), int(w * 5)) >> 24) != 0;
                solid += lit ? 1 : 0;
                ASSERT_EQ(Touches(x, y), lit) << "scale " << c.sx << "," << c.sy << " rotation " << c.rotation
                                              << " at " << x << "," << y;
            }
        }
        EXPECT_GT(solid, 0);
    }
}

TEST(Utf8, DecodesMultiByteAndReplacesBrokenBytes) {
    EXPECT_EQ(DecodeUtf8("\xC3"), std::u32string(U"\uFFFD"));
    EXPECT_EQ(DecodeUtf8("\x80z"), std::u32string(U"\uFFFDz"));
}

TEST(Offscreen, RendersBlendModes) {
    auto backend = CreateOffscreenBackend(32, 32);
    ASSERT_TRUE(backend);
    SetDrawBackend(backend.get());
    ResetDrawStateDefaults(32, 32);
    SetClsColor(0, 0, 100);
    Cls();
    SetColor(255, 0, 0);
    SetBlend(SOLIDBLEND);
    SetAlpha(0.5f);
    DrawRect(0, 0, 8, 8);
    SetBlend(ALPHABLEND);
    DrawRect(8, 0, 8, 8);
    TPixmap shot = GrabPixmap(0, 0, 32, 32);
    SetDrawBackend(nullptr);
    ResetDrawStateDefaults();
    EXPECT_EQ(shot.ReadPixel(4, 4) & 0xFFFFFF, 0xFF0000u);
    uint32_t blended = shot.ReadPixel(12, 4);
    EXPECT_NEAR(int((blended >> 16) & 255), 128, 3);
    EXPECT_NEAR(int(blended & 255), 50, 3);
}

// A texture lives while both its image and its renderer do: the image's end or the renderer's end releases
// it, and drawing an image again makes no second one.
TEST(Offscreen, CountsLiveTexturesUntilTheirImageOrRendererGoes) {
    const int before = LiveTextureCount();
    auto backend = CreateOffscreenBackend(16, 16);
    ASSERT_TRUE(backend);
    SetDrawBackend(backend.get());
    ResetDrawStateDefaults(16, 16);
    auto kept = TImage::FromPixmap(TPixmap(4, 4, 0xFFFFFFFFu), 0);
    auto dropped = TImage::FromPixmap(TPixmap(4, 4, 0xFFFF0000u), 0);
    const int withWhite = [&] {
        DrawRect(0, 0, 1, 1);  // shapes draw with the backend's own white texture
        return LiveTextureCount();
    }();
    DrawImage(kept.get(), 0, 0);
    DrawImage(kept.get(), 4, 4);
    DrawImage(dropped.get(), 8, 8);
    EXPECT_EQ(LiveTextureCount(), withWhite + 2);
    dropped.reset();
    EXPECT_EQ(LiveTextureCount(), withWhite + 1);
    SetDrawBackend(nullptr);
    backend.reset();
    EXPECT_EQ(LiveTextureCount(), before);
    kept.reset();  // its texture went with the renderer and is not released twice
    EXPECT_EQ(LiveTextureCount(), before);
    ResetDrawStateDefaults();
}

// The frame cache of the SDL backend: every frame ended through the cache must be the picture that drawing
// all of its commands gives (a second backend draws them all, since a grab before the end of the frame draws
// what is held back as it is), whatever changed since the cache was drawn.
class FrameCacheTest : public ::testing::Test {
  protected:
    static constexpr int kW = 80, kH = 60;
    struct TScene {
        std::shared_ptr<TImage> background, sprite;
        float spriteX = 20;
        int rectRed = 200;
        int glow = 60;  // 0: no glow
    };

    void SetUp() override {
        cached = CreateOffscreenBackend(kW, kH);
        direct = CreateOffscreenBackend(kW, kH);
        ASSERT_TRUE(cached && direct);
        scene.background = Pattern(kW, kH, 1);
        scene.sprite = Pattern(16, 16, 2);
    }
    void TearDown() override {
        SetDrawBackend(nullptr);
        ResetDrawStateDefaults();
    }

    // Opaque stripes, or a sprite whose alpha falls off to the right.
    static std::shared_ptr<TImage> Pattern(int w, int h, int seed) {
        auto image = CreateImage(w, h);
        TPixmap& p = LockImage(image.get());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                p.WritePixel(x, y,
                             (seed == 1 ? 0xFF000000u : uint32_t(255 - x * 15) << 24) |
                                 uint32_t((x * 37 + y * 11 * seed) & 255) << 16 |
                                 uint32_t((y * 23) & 255) << 8 | uint32_t((x * y * seed) & 255));
        return image;
    }

    static void Draw(const TScene& s) {
        ResetDrawStateDefaults(kW, kH);
        Cls();  // hidden under the background
        SetBlend(SOLIDBLEND);
        DrawImage(s.background.get(), 0, 0);
        SetBlend(ALPHABLEND);
        DrawImage(s.sprite.get(), s.spriteX, 10);
        SetColor(s.rectRed, 40, 40);
        SetAlpha(0.5f);
        DrawRect(50, 30, 20, 20);
        if (s.glow > 0) {
            SetBlend(LIGHTBLEND);
            SetColor(s.glow, s.glow, s.glow);
            DrawImage(s.sprite.get(), 20, 10);
        }
        SetBlend(ALPHABLEND);
        SetColor(90, 200, 90);
        DrawRect(60, 5, 10, 10);   // clear of the glow
        DrawRect(30, 20, 12, 12);  // over the glow
    }

    TPixmap Cached(const TScene& s) {
        SetDrawBackend(cached.get());
        Draw(s);
        EndFrame();
        stats = LastFrameStats();
        return GrabPixmap(0, 0, kW, kH);
    }
    TPixmap Direct(const TScene& s) {
        SetDrawBackend(direct.get());
        Draw(s);
        TPixmap shot = GrabPixmap(0, 0, kW, kH);
        EndFrame();
        return shot;
    }

    std::unique_ptr<TDrawBackend> cached, direct;
    TScene scene;
    TFrameStats stats;
};

TEST_F(FrameCacheTest, EveryFrameShowsWhatChanged) {
    int pulse = 0;
    // A frame with the glow one step further, checked against drawing everything.
    const auto frame = [&] {
        scene.glow = 20 + ++pulse % 200;
        const TPixmap shot = Cached(scene);
        EXPECT_EQ(shot.pixels, Direct(scene).pixels);
        return shot;
    };
    // Frames until everything that stays is cached again; returns how often the cache was drawn meanwhile.
    const auto settle = [&] {
        int redrawn = 0;
        for (int i = 0; i <= FrameCacheSettleFrames; ++i) {
            frame();
            redrawn += stats.cacheRedrawn;
        }
        return redrawn;
    };
    settle();  // the first frame is all new: what lies on it starts counting a frame later
    EXPECT_EQ(settle(), 1);
    EXPECT_TRUE(stats.cacheUsed);
    EXPECT_EQ(stats.hidden, 1) << "the clear under the background";
    EXPECT_EQ(stats.live, 2) << "the glow and the rectangle over it";
    EXPECT_EQ(stats.cached, 4);

    struct TStep {
        const char* what;
        void (*change)(TScene&);
        bool cacheUsed;  // on the frame of the change
    };
    const TStep steps[] = {
        {"a colour changes under the cache", [](TScene& s) { s.rectRed = 10; }, true},
        {"a picture's pixels change in place",
         [](TScene& s) { LockImage(s.sprite.get()).WritePixel(3, 3, 0xFF00FF00u); }, true},
        {"the sprite moves", [](TScene& s) { s.spriteX = 24; }, true},
        {"a new background picture", [](TScene& s) { s.background = Pattern(kW, kH, 3); }, false},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(scene);
        frame();
        EXPECT_EQ(stats.cacheUsed, step.cacheUsed);
        EXPECT_EQ(stats.cacheRedrawn, step.cacheUsed) << "what changed leaves the cache at once";
        EXPECT_EQ(settle(), 1) << "and goes back into it once";
        EXPECT_EQ(stats.live, 2);
    }

    SCOPED_TRACE("a glow that holds for a few frames stays out of the cache");
    for (int i = 0; i < 3 * FrameCacheSettleFrames; ++i) {
        pulse -= i % 4 != 0;
        frame();
        EXPECT_FALSE(stats.cacheRedrawn);
    }

    SCOPED_TRACE("nothing moves: the frame is the cache alone");
    scene.glow = 0;
    const TPixmap still = Cached(scene);
    EXPECT_EQ(still.pixels, Direct(scene).pixels);
    for (int i = 0; i <= FrameCacheSettleFrames; ++i) Cached(scene);
    EXPECT_EQ(Cached(scene).pixels, still.pixels);
    EXPECT_EQ(stats.live, 0);
    EXPECT_FALSE(stats.cacheRedrawn);
    EXPECT_TRUE(stats.cacheUsed);
}

// A clear of the whole screen covers it as a picture does, and is cached like one.
TEST_F(FrameCacheTest, ClearedScreenIsCachedToo) {
    const auto draw = [] {
        ResetDrawStateDefaults(kW, kH);
        SetClsColor(10, 20, 30);
        Cls();
        SetColor(200, 100, 0);
        DrawOval(10, 10, 30, 20);
    };
    TPixmap shot;
    // The oval lay on a new command on the first frame, so its count starts a frame later.
    for (int i = 0; i <= FrameCacheSettleFrames + 1; ++i) {
        SetDrawBackend(cached.get());
        draw();
        EndFrame();
        shot = GrabPixmap(0, 0, kW, kH);
    }
    EXPECT_TRUE(LastFrameStats().cacheUsed);
    EXPECT_EQ(LastFrameStats().cached, 2);
    SetDrawBackend(direct.get());
    draw();
    EXPECT_EQ(shot.pixels, GrabPixmap(0, 0, kW, kH).pixels);
}

TEST_F(FrameCacheTest, PictureReleasedBeforeTheFrameEndsIsStillDrawn) {
    scene.glow = 0;
    for (int i = 0; i <= FrameCacheSettleFrames; ++i) Cached(scene);
    ASSERT_TRUE(stats.cacheUsed);
    auto passing = Pattern(16, 16, 5);
    SetDrawBackend(cached.get());
    Draw(scene);
    DrawImage(passing.get(), 40, 30);
    passing.reset();
    EndFrame();
    const TPixmap shot = GrabPixmap(0, 0, kW, kH);
    SetDrawBackend(direct.get());
    passing = Pattern(16, 16, 5);
    Draw(scene);
    DrawImage(passing.get(), 40, 30);
    EXPECT_EQ(shot.pixels, GrabPixmap(0, 0, kW, kH).pixels);
}

// A grab in the middle of a frame sees everything drawn so far; the rest of that frame is drawn as it comes.
TEST_F(FrameCacheTest, GrabInTheMiddleOfAFrame) {
    for (int i = 0; i <= FrameCacheSettleFrames; ++i) Cached(scene);
    ASSERT_TRUE(stats.cacheUsed);
    SetDrawBackend(cached.get());
    Draw(scene);
    const TPixmap middle = GrabPixmap(0, 0, kW, kH);
    SetColor(255, 0, 0);
    DrawRect(0, 0, 4, 4);
    EndFrame();
    EXPECT_FALSE(LastFrameStats().cacheUsed);
    EXPECT_NEAR(int(GrabPixmap(0, 0, 1, 1).ReadPixel(0, 0) >> 16 & 255), 128, 1) << "half alpha over black";
    EXPECT_EQ(middle.pixels, Direct(scene).pixels);
}

}  // namespace
