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

using CurveWidgets = WidgetWorld;

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

}  // namespace
