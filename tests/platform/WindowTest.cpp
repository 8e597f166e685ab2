// The headless window: opening, mode switches and reading back a drawn frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/ImageCodec.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "support/TestEnv.h"

namespace {

class WindowTest : public ::testing::Test {
  protected:
    void TearDown() override { EndGraphics(); }
};

TEST_F(WindowTest, SwitchingFullScreenKeepsTheRendererAndANoticeLeavesIt) {
    EXPECT_FALSE(SetGraphicsDriver(GraphicsDriverDirect3D7));  // only the renderer exists
    ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
    ASSERT_TRUE(Graphics(800, 600, 32, 60));
    EXPECT_TRUE(GraphicsIsFullScreen());
    unsigned generation = GraphicsGeneration();
    SDL_Renderer* renderer = GraphicsRenderer();
    ASSERT_TRUE(Graphics(800, 600, 0, 60));
    EXPECT_FALSE(GraphicsIsFullScreen());
    EXPECT_EQ(GraphicsRenderer(), renderer);
    EXPECT_EQ(GraphicsGeneration(), generation);
    ASSERT_TRUE(Graphics(800, 600, 32, 60));
    Notify("shown in a window");  // a notice leaves full screen first
    EXPECT_FALSE(GraphicsIsFullScreen());
    EXPECT_TRUE(GraphicsOpen());
}

// Full screen maps the logical 800 x 600 onto the whole desktop; a window again restores its size.
TEST_F(WindowTest, FullScreenWindowCoversTheDesktopAndLetterboxesTheLogicalSize) {
    ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
    for (bool startWindowed : {false, true}) {
        if (startWindowed) {
            ASSERT_TRUE(Graphics(800, 600, 0, 60));
        }
        ASSERT_TRUE(Graphics(800, 600, 32, 60));
        int desktopW = 0, desktopH = 0;
        DesktopSize(desktopW, desktopH);
        ASSERT_GT(desktopW, 800);
        int w = 0, h = 0;
        SDL_GetWindowSize(GraphicsWindow(), &w, &h);
        EXPECT_EQ(w, desktopW);
        EXPECT_EQ(h, desktopH);
        float lx = 0, ly = 0;
        SDL_RenderWindowToLogical(GraphicsRenderer(), desktopW / 2, desktopH / 2, &lx, &ly);
        EXPECT_NEAR(lx, 400.0f, 1.0f);
        EXPECT_NEAR(ly, 300.0f, 1.0f);
        ASSERT_TRUE(Graphics(800, 600, 0, 60));
        SDL_GetWindowSize(GraphicsWindow(), &w, &h);
        EXPECT_EQ(w, 800);
        EXPECT_EQ(h, 600);
        EndGraphics();
    }
}

TEST_F(WindowTest, TheDesktopRefreshRateIsTheDesktopModesElse60) {
    const int rate = DesktopRefreshRate();
    SDL_DisplayMode mode;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
    EXPECT_EQ(rate, mode.refresh_rate > 0 ? mode.refresh_rate : 60);
}

TEST_F(WindowTest, CapturedAndSavedFramesHoldWhatWasDrawn) {
    ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
    ASSERT_TRUE(Graphics(800, 600, 0, 60));
    SDL_Renderer* r = GraphicsRenderer();
    SDL_SetRenderDrawColor(r, 255, 0, 0, 255);
    SDL_Rect rect{100, 50, 10, 10};
    SDL_RenderFillRect(r, &rect);
    TPixmap frame;
    ASSERT_TRUE(CaptureFrame(frame));
    EXPECT_EQ(frame.ReadPixel(105, 55) & 0xffffff, 0xff0000u);
    testenv::TempDir dir;
    const std::string path = (dir.Path() / "frame.png").string();
    SDL_SetRenderDrawColor(r, 0, 0, 255, 255);
    SDL_RenderClear(r);
    CaptureNextFrameToPNG(path);
    Flip(0);
    auto saved = LoadPixmap(path);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->ReadPixel(400, 300), 0xff0000ffu);
}

}  // namespace
