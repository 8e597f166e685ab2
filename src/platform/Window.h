// The game's one window and its 2D renderer (SDL2), and the display queries around them.
//
// The drawing code renders through GraphicsRenderer() in logical pixels: the renderer carries a
// logical size (800 x 600), so full screen is the desktop's own mode with the picture letterboxed,
// and SDL already reports mouse positions in logical pixels. The window and renderer survive a
// switch between full screen and windowed; GraphicsGeneration() changes only when a new renderer
// was made, which is when textures must be uploaded again.
//
// Driver ids are those of the settings file: 0 was Direct3D 7 (never present here), 1 is the SDL
// renderer, which stands in for the OpenGL driver.
//
// Used by the core's display, input and start-up, and by the game and widgets that ask for the
// screen's state.
#pragma once

#include <string>
#include <vector>

#include "platform/Pixmap.h"

struct SDL_Window;
struct SDL_Renderer;

constexpr int GraphicsDriverDirect3D7 = 0;
constexpr int GraphicsDriverOpenGL = 1;

// Empty when a display can be opened or SDL_VIDEODRIVER names a driver; otherwise a message for the
// player naming the display that is missing (DISPLAY, WAYLAND_DISPLAY). A driver without a screen
// (offscreen, dummy) is used only when SDL_VIDEODRIVER names it.
std::string MissingDisplayText();

bool GraphicsDriverExists(int driver);
// Selects the driver for the next Graphics call; false when it does not exist.
bool SetGraphicsDriver(int driver);
int CurrentGraphicsDriver();

// Display modes as SDL reports them; a mode exists when some display mode is at least that large
// with that colour depth (24 and 32 bits both count as 32: SDL reports XRGB as 24).
int CountGraphicsModes();
bool GraphicsModeExists(int width, int height, int depth, int hertz);

// One full-screen mode a display lists, depth as above; hertz 0 when the driver does not know it.
struct TGraphicsMode {
    int width = 0, height = 0, depth = 0, hertz = 0;
};
std::vector<TGraphicsMode> GraphicsModes();

// Lets the player maximise (and resize) the window; the picture keeps its letterbox.
void SetWindowMaximisable(bool on);

// Opens (or re-opens) the display with a logical size of width x height. Depth 0 opens a centred
// window of that size; any other depth opens desktop full screen. Hertz is accepted for the
// callers' sake and not used: desktop full screen keeps the desktop's refresh rate.
bool Graphics(int width, int height, int depth, int hertz);
void EndGraphics();
bool GraphicsOpen();
bool GraphicsIsFullScreen();
// Leaves full screen for a window of the logical size (used before system notices).
void LeaveFullScreen();

// Shows the frame drawn so far; sync 1 waits for the vertical blank, 0 does not, -1 keeps the
// current setting.
void Flip(int sync);
// Called by Flip before the frame is captured or shown: the drawing layer draws what it held back.
void SetFrameEndHook(void (*hook)());

// True when SDL's video runs on its X11 driver.
bool X11Video();
SDL_Window* GraphicsWindow();
SDL_Renderer* GraphicsRenderer();
int GraphicsWidth();
int GraphicsHeight();
unsigned GraphicsGeneration();

// The caption of the window and every message box.
void SetAppTitle(const std::string& title);
const std::string& AppTitle();

void DesktopSize(int& width, int& height);
int DesktopRefreshRate();
int WindowRefreshRate();
int WindowId();
void CentreWindow();
// Screen position of the window's frame and of its client area; false without a window.
bool WindowPosition(int& x, int& y);
bool ClientPosition(int& x, int& y);
// Screen rectangles (right and bottom exclusive) of the window's frame and of its client area; the
// frame is the client area where the desktop reports no borders. False without a window.
struct TScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
bool WindowRects(TScreenRect& frame, TScreenRect& client);
bool WindowIsForeground();
void MinimizeWindow();
void SetWindowIconFromPixmap(const TPixmap& icon);

void HideMouse();
void ShowMouse();
void MoveMouse(int x, int y);
// The system cursor in screen pixels, and in the picture's logical pixels (letterbox and scale as
// drawn; beyond 0 ... width - 1 and 0 ... height - 1 while the cursor is outside the window). While
// the window has the mouse, both follow the window's own pointer position, which sees a pointer warped
// by another program. Only X11 tells where the cursor is outside the window; under other drivers both
// give the last position inside it that the mouse events brought. False without a window.
bool CursorScreenPosition(int& x, int& y);
bool CursorPicturePosition(int& x, int& y);

// Reads back the frame drawn so far (call before Flip), at the renderer's output size.
bool CaptureFrame(TPixmap& out);
// Captures the next frame just before it is shown and hands it to the callback (headless tests);
// a null callback cancels a pending capture.
void CaptureNextFrame(void (*callback)(const TPixmap& frame, void* user), void* user);
// Saves the next frame shown as a PNG file.
void CaptureNextFrameToPNG(const std::string& path);
