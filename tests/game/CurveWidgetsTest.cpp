// The curve mover's record and motion, the glow's range and light pass, the value slider driven by the
// pointer and the zoom camera's limits.
#include <cmath>
#include <sstream>

#include "game/Bezier.h"
#include "game/CameraZoom.h"
#include "game/Glow.h"
#include "game/QDSlider.h"
#include "presentation/WidgetWorld.h"

namespace {

class CurveWidgets : public WidgetWorld {
  protected:
    // Draws the curve A(0,10) B(100,10) C(200,50) D(300,90) in steps of 0.01 into the recorder: the two
    // handles and the polyline as lines, a dot at each of the 101 points.
    void DrawSampleCurve(TBezier& curve) {
        curve.Init(0, 10, 100, 10, 200, 50, 300, 90, 0.01f, 0, 0, 0);
        SetDrawBackend(&rec);
        curve.DrawCurve();
        lines = rec.Find("DrawLine");
        rects = rec.Find("DrawRect");
        ASSERT_EQ(lines.size(), 103u);
        ASSERT_EQ(rects.size(), 101u);
    }

    std::vector<const TDrawCommand*> lines, rects;
};

TEST_F(CurveWidgets, BezierRecordIs64BytesRoundTripsAndAShortOneIsRefused) {
    TBezier curve;
    curve.Init(1, 2, 3, 4, 5, 6, 7, 8, 0.01f, 0, 1, 0);
    curve.t = 0.25f, curve.x = 9.5f, curve.y = -3.25f, curve.currSpeed = 0.5f;
    std::stringstream stream;
    curve.Save(stream);
    ASSERT_EQ(stream.str().size(), 64u);
    EXPECT_EQ(stream.str()[52], 0);  // speedCorr
    EXPECT_EQ(stream.str()[56], 1);  // goBackward
    TBezier back;
    ASSERT_TRUE(back.Load(stream));
    std::stringstream again;
    back.Save(again);
    EXPECT_EQ(again.str(), stream.str());
    std::stringstream shortRecord(std::string(63, '\x01'));
    EXPECT_FALSE(back.Load(shortRecord));
    EXPECT_EQ(back.ax, 1);
}

TEST_F(CurveWidgets, GetPointAnswersTheGivenTAndOnlyTheStoredTWrapsOrStops) {
    // Evenly spaced control points on a line: x = 300 t, also beyond the ends.
    const struct {
        int reset;
        float at, x, storedT;
    } rows[] = {
        {1, 0.25f, 75.0f, 0.25f}, {1, 1.5f, 450.0f, 0.0f},   {1, -0.5f, -150.0f, 1.0f},
        {0, 1.5f, 450.0f, 1.0f},  {0, -0.5f, -150.0f, 0.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.at);
        TBezier curve;
        curve.Init(0, 7, 100, 7, 200, 7, 300, 7, 0.01f, 0, 0, row.reset);
        float x = 0, y = 0;
        curve.GetPoint(row.at, x, y);
        EXPECT_FLOAT_EQ(x, row.x);
        EXPECT_FLOAT_EQ(y, 7.0f);
        EXPECT_FLOAT_EQ(curve.t, row.storedT);
    }
}

TEST_F(CurveWidgets, AMoverStopsOnItsEndOrStartsAgainNeverRunningPastIt) {
    for (int reset : {0, 1}) {
        SCOPED_TRACE(reset);
        TBezier curve;
        curve.Init(0, 7, 100, 7, 200, 7, 300, 7, 0.3f, 0, 0, reset);
        float x = 0, y = 0;
        for (int i = 0; i < 4; ++i) curve.MovePoint(x, y);  // t 0.3, 0.6, 0.9, then past 1
        EXPECT_FLOAT_EQ(x, reset ? 0.0f : 300.0f);
        EXPECT_FLOAT_EQ(curve.x, x);
    }
}

TEST_F(CurveWidgets, ABezierPointStartsOnItsFirstPoint) {
    TBezier curve;
    curve.x = curve.y = 99;
    curve.Init(1, 2, 3, 4, 5, 6, 7, 8, 0.01f, 0, 0, 0);
    EXPECT_FLOAT_EQ(curve.x, 1.0f);
    EXPECT_FLOAT_EQ(curve.y, 2.0f);
}

TEST_F(CurveWidgets, SpeedCorrectionKeepsPixelsPerTickAndSurvivesAFlatTangent) {
    // flat with no tangent at its start; upright and level (off the origin), evenly spaced
    TBezier flat, upright, level;
    flat.Init(0, 0, 0, 0, 300, 0, 300, 0, 2.0f, 1, 0, 0);
    upright.Init(0, 0, 0, 100, 0, 200, 0, 300, 2.0f, 1, 0, 0);
    level.Init(100, 0, 200, 0, 300, 0, 400, 0, 2.0f, 1, 0, 0);
    for (TBezier* curve : {&flat, &upright, &level}) {
        float x = 0, y = 0, last = 0;
        for (int i = 0; i < 150; ++i) {  // the whole way
            curve->MovePoint(x, y);
            const float along = curve == &upright ? y : x - curve->ax;
            EXPECT_TRUE(std::isfinite(along));
            if (i > 5 && along < 290) {
                EXPECT_NEAR(along - last, 2.0f, 0.5f) << i;
            }
            last = along;
        }
    }
}

TEST_F(CurveWidgets, GlowStaysBetween07And1AndLightsItsPass) {
    auto glow = QDGlow::Create(7, 0.3f, 0, 360, 0);
    float low = 2, high = -1;
    int wraps = 0;
    for (int i = 0; i < 200; ++i) {
        glow->Logic();
        wraps += glow->CheckCounter();
        low = std::min(low, glow->Glow), high = std::max(high, glow->Glow);
    }
    EXPECT_GE(low, 0.7f - 1e-6f);
    EXPECT_LE(high, 1.0f);
    EXPECT_LT(low, 0.75f);
    EXPECT_EQ(wraps, glow->numWraps);
    EXPECT_GE(wraps, 3);
    EXPECT_LE(wraps, 4) << "one wrap for each full sweep of 360 at 7 a tick, not one each tick";
    glow->Process1_StartGlow();
    EXPECT_EQ(GetBlend(), LIGHTBLEND) << "the glow pass adds light";
    EXPECT_EQ(GetDrawState().red, int(glow->Glow * 255.0f));
    glow->Process2_EndGlow();
    ExpectCleanState();
}

TEST_F(CurveWidgets, SliderClampsAndFollowsTheHeldPointer) {
    WritePng("graphics/track.png", 210, 20, 0xFF404040u);
    WritePng("graphics/dot.png", 10, 10, 0xFFFFFFFFu);
    WritePng("graphics/full.png", 210, 20, 0xFF00FF00u);
    auto slider = QDSlider::CreateSpecial("track", "dot", 100, 200, 5, "volume", 5, "full", 3);
    slider->SetValue(150);
    EXPECT_EQ(slider->Value, 100);
    slider->SetValue(-5);
    EXPECT_EQ(slider->Value, 0);

    PointAt(155, 210);
    EXPECT_EQ(slider->Manage(), 0);
    EXPECT_EQ(slider->MouseOver, 1);
    Game->Mouse->ButtonDown(1);
    EXPECT_EQ(slider->Manage(), 1);
    EXPECT_EQ(slider->Value, 25);
    PointAt(102, 210);
    slider->Manage();
    EXPECT_EQ(slider->Value, 0);
    PointAt(400, 210);
    EXPECT_EQ(slider->Manage(), 0);
    EXPECT_EQ(slider->MouseOver, 0);
    Game->Mouse->ButtonUp(1);
}

// The slider answers the pointer within its border above and below the bar, and not beyond it.
TEST_F(CurveWidgets, SliderAnswersWithinItsBorderAboveAndBelow) {
    WritePng("graphics/track.png", 210, 20, 0xFF404040u);
    WritePng("graphics/dot.png", 10, 10, 0xFFFFFFFFu);
    WritePng("graphics/full.png", 210, 20, 0xFF00FF00u);
    auto slider = QDSlider::CreateSpecial("track", "dot", 100, 200, 5, "volume", 5, "full", 3);
    for (const auto& [y, over] : {std::pair{195, 1}, {194, 0}, {224, 1}, {225, 0}}) {
        PointAt(150, y);
        slider->Manage();
        EXPECT_EQ(slider->MouseOver, over) << y;
        slider->MouseOver = 0;
    }
}

TEST_F(CurveWidgets, ZoomAndDragStayWithinTheirLimitsAndTheWorldAndNeverDivideByZero) {
    TCameraZoom camera;
    camera.Zoom(100, 0, 2.0);
    EXPECT_EQ(camera.ZoomTargetScale, 2);
    camera.Zoom(0, 0, 40.0);
    EXPECT_EQ(camera.ZoomTargetScale, 1);
    for (double factor : {0.0, -0.5}) {  // 1 / -0.5 is finite but below the limit
        camera.Zoom(0, 0, factor);
        EXPECT_EQ(camera.ZoomTargetScale, 1) << factor;
    }
    EXPECT_TRUE(std::isfinite(camera.ZoomTargetX));
    camera.Clear();  // the world is 1024 x 768
    camera.Zoom(-100000, 100000, 2.0);
    EXPECT_EQ(camera.ZoomTargetX, 0);
    EXPECT_EQ(camera.ZoomTargetY, 768);
    // Dragging carries the world with the pointer, by screen pixels over the scale, up to the world's edge.
    camera.Clear();
    camera.Viewscale = 2;
    camera.MSX = camera.MSY = 100;
    camera.Drag(140, 80);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginX, 512 - 20);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginY, 384 + 10);
    EXPECT_FLOAT_EQ(camera.ZoomTargetX, 512 - 20);
    EXPECT_FLOAT_EQ(camera.ZoomTargetY, 384 + 10);
    camera.Drag(-100000, 100000);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginX, 1024);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginY, 0);
}

TEST_F(CurveWidgets, DrawCurveShowsBothHandlesAndTheCurveFromAToD) {
    TBezier curve;
    ASSERT_NO_FATAL_FAILURE(DrawSampleCurve(curve));
    EXPECT_EQ(lines[0]->args, (std::vector<float>{0, 10, 100, 10, 1}));    // handle A-B
    EXPECT_EQ(lines[1]->args, (std::vector<float>{200, 50, 300, 90, 1}));  // handle C-D
    EXPECT_EQ(std::vector<float>(rects[0]->args.begin(), rects[0]->args.begin() + 4),
              (std::vector<float>{-1, 9, 3, 3}));
    EXPECT_NEAR(rects[100]->args[0], 299, 1e-3);
    EXPECT_NEAR(rects[100]->args[1], 89, 1e-3);
    float mx = 0, my = 0;
    curve.GetPoint(0.5f, mx, my);
    EXPECT_NEAR(rects[50]->args[0], mx - 1, 1e-3);
    EXPECT_NEAR(rects[50]->args[1], my - 1, 1e-3);
    // The polyline joins each dot to the one before it, starting from A.
    for (size_t i = 1; i < 101; ++i) {
        EXPECT_NEAR(lines[i + 2]->args[0], rects[i - 1]->args[0] + 1, 1e-3) << i;
        EXPECT_NEAR(lines[i + 2]->args[3], rects[i]->args[1] + 1, 1e-3) << i;
    }
    EXPECT_EQ(std::vector<float>(lines[2]->args.begin(), lines[2]->args.begin() + 2),
              (std::vector<float>{0, 10}));
    SetDrawBackend(nullptr);
}

TEST_F(CurveWidgets, TestCurveMovesBWithTheLeftButtonAndCWithTheRight) {
    const struct {
        int b1, b2;
        float bx, by, cx, cy;
    } rows[] = {{0, 0, 1, 2, 3, 4}, {1, 0, 70, 80, 3, 4}, {0, 1, 1, 2, 70, 80}, {1, 1, 70, 80, 70, 80}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.b1 * 2 + row.b2);
        TBezier curve;
        curve.Init(0, 0, 1, 2, 3, 4, 5, 6, 0.01f, 0, 0, 0);
        PointAt(70, 80);
        Game->Mouse->b1 = row.b1, Game->Mouse->b2 = row.b2;
        rec.calls.clear();
        SetDrawBackend(&rec);
        curve.TestCurve(10, 20, 30, 40);
        SetDrawBackend(nullptr);
        EXPECT_EQ((std::vector<float>{curve.ax, curve.ay, curve.dx, curve.dy}),
                  (std::vector<float>{10, 20, 30, 40}));
        EXPECT_EQ((std::vector<float>{curve.bx, curve.by, curve.cx, curve.cy}),
                  (std::vector<float>{row.bx, row.by, row.cx, row.cy}));
        ASSERT_FALSE(rec.Find("DrawLine").empty());
        EXPECT_EQ(rec.Find("DrawLine")[0]->args, (std::vector<float>{10, 20, row.bx, row.by, 1}));
    }
    Game->Mouse->b1 = Game->Mouse->b2 = 0;
}

TEST_F(CurveWidgets, GetCurrentPointAnswersTheStoredT) {
    TBezier curve;
    curve.Init(0, 7, 100, 7, 200, 7, 300, 7, 0.01f, 0, 0, 1);
    curve.t = 0.5f;
    float x = 0, y = 0;
    curve.GetCurrentPoint(x, y);
    EXPECT_FLOAT_EQ(x, 150.0f);
    EXPECT_FLOAT_EQ(y, 7.0f);
    EXPECT_FLOAT_EQ(curve.t, 0.5f);
}

TEST_F(CurveWidgets, GlowResetStartsTheSameCounterAgainFromNothing) {
    auto glow = QDGlow::Create(7, 0.3f, 10, 200, 0);
    for (int i = 0; i < 60; ++i) {
        glow->Logic();
        glow->CheckCounter();
    }
    ASSERT_GT(glow->numWraps, 0);
    glow->Reset();
    EXPECT_EQ(glow->numWraps, 0);
    EXPECT_EQ(glow->lastCounter, 0);
    EXPECT_EQ(glow->Glow, 0);
    EXPECT_FLOAT_EQ(glow->GlowCounter->StartPoint, 10);
    EXPECT_FLOAT_EQ(glow->GlowCounter->EndPoint, 200);
    EXPECT_FLOAT_EQ(glow->GlowCounter->Speed, 7);
    EXPECT_FLOAT_EQ(glow->GlowCounter->Counter, TSineCounter::Create(10, 200, 7, 0)->Counter);
    EXPECT_EQ(glow->GlowCounter->RunOnce, 0);
}

TEST_F(CurveWidgets, SetViewScaleTakesTheZoomTargetAndScalesTheDrawing) {
    TCameraZoom camera;
    camera.ZoomTargetX = 100, camera.ZoomTargetY = 200, camera.ZoomTargetScale = 2.5f;
    camera.SetViewScale();
    EXPECT_FLOAT_EQ(camera.WorldViewOriginX, 100);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginY, 200);
    EXPECT_FLOAT_EQ(camera.Viewscale, 2.5f);
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 2.5f);
    EXPECT_FLOAT_EQ(sy, 2.5f);
    EXPECT_FLOAT_EQ(camera.GetX(100), 512 * 2.5f);
    SetScale(1, 1);
}

TEST_F(CurveWidgets, ClearPutsTheCameraBackOnTheMiddleOfItsWorld) {
    TCameraZoom camera;
    camera.Dragging = 1, camera.MSX = camera.MSY = camera.MPosX = camera.MPosY = camera.DoubleClickTime = 5;
    camera.DoubleClickDelay = 1, camera.GW = camera.GH = 10, camera.Viewscale = 3, camera.ZoomTargetScale = 3;
    camera.ZoomFactor = camera.ZoomMAX = camera.ZoomMin = 7;
    camera.Clear();
    EXPECT_EQ(camera.Dragging, 0);
    EXPECT_EQ((std::vector<int>{camera.MSX, camera.MSY, camera.MPosX, camera.MPosY, camera.DoubleClickTime,
                                camera.DoubleClickDelay, camera.GW, camera.GH}),
              (std::vector<int>{0, 0, 0, 0, 0, 300, 1024, 768}));
    EXPECT_EQ((std::vector<float>{camera.GHW, camera.GHH, camera.Viewscale, camera.WorldViewOriginX,
                                  camera.WorldViewOriginY, camera.ZoomTargetX, camera.ZoomTargetY,
                                  camera.ZoomTargetScale, camera.ZoomFactor, camera.ZoomMAX, camera.ZoomMin}),
              (std::vector<float>{512, 384, 1, 512, 384, 512, 384, 1, 1.25f, 30, 0.5f}));
}

// A zoom step aims at the point it was asked for by how far it zooms; the scale stays below its maximum.
TEST_F(CurveWidgets, AZoomStepAimsAtItsPoint) {
    const struct {
        double dx, dy, factor;
        float scale, x, y;
    } rows[] = {
        {100, -40, 2.0, 2, 562, 364},       {100, 40, 4.0, 4, 587, 414},    {0, 0, 29.0, 29, 512, 384},
        {0, 0, 30.0, 1, 512, 384},          {100, 40, 0.0, 1, 612, 424},    {100, 40, -1.0, 1, 712, 464},
        {-100, -40, 1.25, 1.25f, 492, 376}, {100, 40, 0.5, 0.5f, 412, 344},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.factor);
        TCameraZoom camera;
        camera.Zoom(row.dx, row.dy, row.factor);
        EXPECT_FLOAT_EQ(camera.ZoomTargetScale, row.scale);
        EXPECT_NEAR(camera.ZoomTargetX, row.x, 1e-3);
        EXPECT_NEAR(camera.ZoomTargetY, row.y, 1e-3);
    }
}

// Not reversed, the glow runs from nothing up to its modifier.
TEST_F(CurveWidgets, AnUnreversedGlowRisesFromNothing) {
    auto glow = QDGlow::Create(7, 0.3f, 0, 360, 0);
    glow->reverse = 0;
    float low = 2, high = -1;
    for (int i = 0; i < 200; ++i) {
        glow->Logic();
        low = std::min(low, glow->Glow), high = std::max(high, glow->Glow);
    }
    EXPECT_GE(low, 0.0f);
    EXPECT_LT(low, 0.05f);
    EXPECT_LE(high, 0.3f + 1e-6f);
    EXPECT_GT(high, 0.25f);
}

// Backwards, a mover steps t down and at the start wraps round to the end or stays.
TEST_F(CurveWidgets, ABackwardMoverRunsToItsStart) {
    for (int reset : {0, 1}) {
        SCOPED_TRACE(reset);
        TBezier curve;
        curve.Init(0, 7, 100, 7, 200, 7, 300, 7, 0.25f, 0, 1, reset);
        curve.t = 0.75f;
        float x = 0, y = 0;
        curve.MovePoint(x, y);
        EXPECT_FLOAT_EQ(curve.t, 0.5f);
        EXPECT_FLOAT_EQ(x, 150.0f);
        curve.MovePoint(x, y);
        curve.MovePoint(x, y);
        EXPECT_FLOAT_EQ(curve.t, 0.0f);
        curve.MovePoint(x, y);  // past the start
        EXPECT_FLOAT_EQ(curve.t, reset ? 1.0f : 0.0f);
        EXPECT_FLOAT_EQ(x, reset ? 300.0f : 0.0f);
    }
}

// A caller's own lower limit is honoured for the inverted steps too; a drag at scale 0 counts as at 1.
TEST_F(CurveWidgets, InvertedZoomStepsKeepWithinTheLimitsAndADragAtScaleZeroMovesOneToOne) {
    const struct {
        double factor;
        float scale;
        float zoomMax;
    } rows[] = {{-0.5, -2, 30}, {-0.2, -5, 30}, {-0.1, 1, 30}, {-0.5, 1, -2}, {-0.25, -4, -2}, {-1, 1, -2}};
    for (const auto& row : rows) {
        TCameraZoom camera;
        camera.ZoomMin = -5;
        camera.ZoomMAX = row.zoomMax;  // below it, never at it
        camera.Zoom(0, 0, row.factor);
        EXPECT_FLOAT_EQ(camera.ZoomTargetScale, row.scale) << row.factor << " " << row.zoomMax;
    }
    TCameraZoom camera;
    camera.Viewscale = 0;
    camera.Drag(30, -20);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginX, 512 - 30);
    EXPECT_FLOAT_EQ(camera.WorldViewOriginY, 384 + 20);
}

}  // namespace

namespace {

// With speed correction a mover covers its base speed in pixels every tick, along the whole curve: the
// tangent it divides by is the curve's own at each point (control points off the origin, no two
// differences alike, so every term of the tangent counts).
TEST_F(CurveWidgets, ASpeedCorrectedMoverCoversItsBaseSpeedInPixelsEveryTickFromStartToEnd) {
    for (float base : {1.0f, 2.5f}) {
        SCOPED_TRACE(base);
        TBezier curve;
        curve.Init(10, 20, 110, 70, 160, 220, 310, 240, base, 1, 0, 0);
        float lastX = curve.x, lastY = curve.y, x = 0, y = 0;
        int ticks = 0;
        while (curve.t < 1.0f && ticks < 2000) {
            curve.MovePoint(x, y);
            ++ticks;
            if (curve.t < 1.0f) {
                EXPECT_NEAR(std::hypot(x - lastX, y - lastY), base, 0.01f * base) << "tick " << ticks;
            }
            lastX = x, lastY = y;
        }
        EXPECT_GT(ticks, int(300 / base)) << "the curve is longer than the straight line from A to D";
        EXPECT_LT(ticks, int(600 / base));
    }
}

// A mover set up again starts again from A, whatever it had done; the end itself is no wrap.
TEST_F(CurveWidgets, InitStartsAMoverAgainAndTheEndsThemselvesAreOnTheCurve) {
    TBezier curve;
    curve.Init(0, 7, 100, 7, 200, 7, 300, 7, 0.25f, 0, 0, 1);
    float x = 0, y = 0;
    curve.MovePoint(x, y);
    curve.MovePoint(x, y);
    curve.Init(0, 7, 100, 7, 200, 7, 300, 7, 0.25f, 0, 0, 1);
    EXPECT_EQ(curve.t, 0.0f);
    curve.GetCurrentPoint(x, y);
    EXPECT_FLOAT_EQ(x, 0.0f);
    for (float end : {0.0f, 1.0f}) {
        curve.GetPoint(end, x, y);
        EXPECT_EQ(curve.t, end) << "a wrapping mover keeps an end it has reached";
        EXPECT_FLOAT_EQ(x, 300 * end);
    }
    EXPECT_EQ(curve.IsFinished(), 1);
}

// The polyline runs from dot to dot in both coordinates; the test view draws without a pointer too.
TEST_F(CurveWidgets, TheCurvesPolylineJoinsTheDotsAndTheTestViewNeedsNoPointer) {
    TBezier curve;
    ASSERT_NO_FATAL_FAILURE(DrawSampleCurve(curve));
    for (size_t i = 1; i < 101; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(lines[i + 2]->args[0], rects[i - 1]->args[0] + 1, 1e-3);
        EXPECT_NEAR(lines[i + 2]->args[1], rects[i - 1]->args[1] + 1, 1e-3);
        EXPECT_NEAR(lines[i + 2]->args[2], rects[i]->args[0] + 1, 1e-3);
        EXPECT_NEAR(lines[i + 2]->args[3], rects[i]->args[1] + 1, 1e-3);
    }
    auto mouse = std::move(Game->Mouse);
    rec.calls.clear();
    curve.TestCurve(5, 6, 7, 8);
    Game->Mouse = std::move(mouse);
    SetDrawBackend(nullptr);
    EXPECT_EQ((std::vector<float>{curve.bx, curve.by, curve.cx, curve.cy}),
              (std::vector<float>{100, 10, 200, 50}));
    EXPECT_EQ(rec.Find("DrawRect").size(), 101u);
}

// The glow reaches the modifier it was made with; a counter standing still never counts as a wrap.
TEST_F(CurveWidgets, AGlowReachesItsOwnModifierAndAStillCounterNeverWraps) {
    auto glow = QDGlow::Create(7, 0.6f, 0, 360, 0);
    glow->reverse = 0;
    float high = 0;
    for (int i = 0; i < 100; ++i) {
        glow->Logic();
        high = std::max(high, glow->Glow);
    }
    EXPECT_NEAR(high, 0.6f, 0.01f);
    auto still = QDGlow::Create(0, 0.3f, 0, 360, 0);
    for (int i = 0; i < 10; ++i) {
        still->Logic();
        EXPECT_EQ(still->CheckCounter(), 0);
    }
    EXPECT_EQ(still->numWraps, 0);
}

}  // namespace
