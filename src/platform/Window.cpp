// SDL2 window and renderer behind the small display interface of Window.h.
//
// One window and one renderer live at a time. Re-opening the display while a window exists changes
// its mode in place instead of rebuilding it, so textures survive a switch of full screen.
#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Events.h"
#include "platform/ImageCodec.h"

namespace {

struct Display {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    int width = 0;
    int height = 0;
    bool fullScreen = false;
    int driver = -1;
    int vsync = -1;
    unsigned generation = 0;
    std::string title;
    void (*capture)(const TPixmap&, void*) = nullptr;
    void* captureUser = nullptr;
    void (*frameEnd)() = nullptr;
};

Display& State() {
    static Display display;
    return display;
}

// Without a display SDL falls back to a driver with no screen, and the game would run unseen at
// thousands of frames a second. Such a driver is used only when SDL_VIDEODRIVER names it (tests do).
bool ScreenlessDriver(const char* name) {
    return name && (SDL_strcasecmp(name, "offscreen") == 0 || SDL_strcasecmp(name, "dummy") == 0);
}

// True when SDL_VIDEODRIVER names a driver.
bool DriverChosen() {
    const char* chosen = SDL_getenv("SDL_VIDEODRIVER");
    return chosen && *chosen;
}

bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (DriverChosen() || !ScreenlessDriver(SDL_GetCurrentVideoDriver())) return true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
}

void ApplyWindowedSize() {
    Display& d = State();
    SDL_SetWindowFullscreen(d.window, 0);
    SDL_SetWindowBordered(d.window, SDL_TRUE);
    SDL_SetWindowSize(d.window, d.width, d.height);
    SDL_SetWindowPosition(d.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    d.fullScreen = false;
}

// Desktop full screen is only a request to the window manager; without one (a bare X server) the
// window would keep its windowed size while SDL renders for the whole desktop, cut off and shifted.
// So the window itself first becomes a borderless window covering its display, then asks.
// A new window is made at that place and size at once: an X server moves a window that is not yet
// shown to where it was created.
SDL_Rect DisplayBounds(SDL_Window* window) {
    SDL_Rect bounds{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 0, 0};
    int display = window ? std::max(0, SDL_GetWindowDisplayIndex(window)) : 0;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) bounds.w = bounds.h = 0;
    return bounds;
}

bool EnterFullScreen() {
    Display& d = State();
    SDL_Rect bounds = DisplayBounds(d.window);
    if (bounds.w > 0 && bounds.h > 0) {
        SDL_SetWindowBordered(d.window, SDL_FALSE);
        SDL_SetWindowPosition(d.window, bounds.x, bounds.y);
        SDL_SetWindowSize(d.window, bounds.w, bounds.h);
    }
    return SDL_SetWindowFullscreen(d.window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool CreateRenderer() {
    Display& d = State();
    SDL_SetHintWithPriority(SDL_HINT_RENDER_SCALE_QUALITY, "linear", SDL_HINT_DEFAULT);
    d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!d.renderer) d.renderer = SDL_CreateRenderer(d.window, -1, SDL_RENDERER_SOFTWARE);
    if (!d.renderer) return false;
    d.vsync = -1;
    ++d.generation;
    return true;
}

}  // namespace

std::string MissingDisplayText() {
    // A driver named on purpose is the caller's choice; whether it works is for the later steps to say.
    if (DriverChosen() || EnsureVideo()) return "";
    auto variable = [](const char* name) {
        const char* value = SDL_getenv(name);
        return std::string(value ? value : "");
    };
    const std::string x11 = variable("DISPLAY"), wayland = variable("WAYLAND_DISPLAY");
    if (x11.empty() && wayland.empty())
        return "No display to show the game on: neither DISPLAY (X11) nor WAYLAND_DISPLAY (Wayland) is set. "
               "Start the game from a desktop session.";
    std::string text = "No display to show the game on: ";
    if (!x11.empty()) text += "the X display \"" + x11 + "\" (DISPLAY)";
    if (!x11.empty() && !wayland.empty()) text += " and ";
    if (!wayland.empty()) text += "the Wayland display \"" + wayland + "\" (WAYLAND_DISPLAY)";
    text += " cannot be opened.";
    if (x11.empty()) text += " DISPLAY is not set.";
    if (wayland.empty()) text += " WAYLAND_DISPLAY is not set.";
    return text;
}

bool GraphicsDriverExists(int driver) {
    return driver == GraphicsDriverOpenGL && EnsureVideo();
}

bool SetGraphicsDriver(int driver) {
    if (!GraphicsDriverExists(driver)) return false;
    State().driver = driver;
    return true;
}

int CurrentGraphicsDriver() {
    return State().driver;
}

int CountGraphicsModes() {
    if (!EnsureVideo()) return 0;
    int count = 0;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) count += std::max(0, SDL_GetNumDisplayModes(i));
    return count;
}

std::vector<TGraphicsMode> GraphicsModes() {
    std::vector<TGraphicsMode> modes;
    if (!EnsureVideo()) return modes;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        for (int m = 0; m < SDL_GetNumDisplayModes(i); ++m) {
            SDL_DisplayMode mode;
            if (SDL_GetDisplayMode(i, m, &mode) != 0) continue;
            int bits = int(SDL_BITSPERPIXEL(mode.format));
            if (bits == 24 && SDL_BYTESPERPIXEL(mode.format) == 4) bits = 32;
            modes.push_back({mode.w, mode.h, bits, mode.refresh_rate});
        }
    }
    return modes;
}

void SetWindowMaximisable(bool on) {
    if (State().window) SDL_SetWindowResizable(State().window, on ? SDL_TRUE : SDL_FALSE);
}

bool GraphicsModeExists(int width, int height, int depth, int /*hertz*/) {
    for (const TGraphicsMode& mode : GraphicsModes())
        if (mode.width >= width && mode.height >= height && (depth == 0 || mode.depth == depth)) return true;
    return false;
}

bool Graphics(int width, int height, int depth, int /*hertz*/) {
    Display& d = State();
    if (d.driver != GraphicsDriverOpenGL || !EnsureVideo()) return false;
    bool fullScreen = depth != 0;
    d.width = width;
    d.height = height;
    if (!d.window) {
        SDL_Rect bounds = DisplayBounds(nullptr);
        if (fullScreen && bounds.w > 0 && bounds.h > 0)
            d.window = SDL_CreateWindow(d.title.c_str(), bounds.x, bounds.y, bounds.w, bounds.h,
                                        SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
        else
            d.window = SDL_CreateWindow(d.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        width, height, SDL_WINDOW_SHOWN);
        if (!d.window) return false;
        if ((fullScreen && !EnterFullScreen()) || !CreateRenderer()) {
            SDL_DestroyWindow(d.window);
            d.window = nullptr;
            return false;
        }
    } else if (fullScreen) {
        if (!EnterFullScreen()) return false;
    } else {
        ApplyWindowedSize();
    }
    d.fullScreen = fullScreen;
    SDL_RenderSetLogicalSize(d.renderer, width, height);
    SDL_SetRenderDrawColor(d.renderer, 0, 0, 0, 255);
    SDL_RenderClear(d.renderer);
    return true;
}

void EndGraphics() {
    Display& d = State();
    if (d.renderer) SDL_DestroyRenderer(d.renderer);
    if (d.window) SDL_DestroyWindow(d.window);
    d.renderer = nullptr;
    d.window = nullptr;
    d.fullScreen = false;
    SDL_ShowCursor(SDL_ENABLE);
}

bool GraphicsOpen() {
    return State().renderer != nullptr;
}

bool GraphicsIsFullScreen() {
    return State().window && State().fullScreen;
}

void LeaveFullScreen() {
    if (GraphicsIsFullScreen()) ApplyWindowedSize();
}

void Flip(int sync) {
    Display& d = State();
    if (!d.renderer) return;
    if (sync >= 0 && sync != d.vsync && SDL_RenderSetVSync(d.renderer, sync) == 0) d.vsync = sync;
    if (d.frameEnd) d.frameEnd();
    if (d.capture) {
        auto callback = d.capture;
        d.capture = nullptr;
        TPixmap frame;
        if (CaptureFrame(frame)) callback(frame, d.captureUser);
    }
    SDL_RenderPresent(d.renderer);
}

void SetFrameEndHook(void (*hook)()) {
    State().frameEnd = hook;
}

SDL_Window* GraphicsWindow() {
    return State().window;
}
SDL_Renderer* GraphicsRenderer() {
    return State().renderer;
}
int GraphicsWidth() {
    return State().width;
}
int GraphicsHeight() {
    return State().height;
}
unsigned GraphicsGeneration() {
    return State().generation;
}

void SetAppTitle(const std::string& title) {
    State().title = title;
    if (State().window) SDL_SetWindowTitle(State().window, title.c_str());
}

const std::string& AppTitle() {
    return State().title;
}

void DesktopSize(int& width, int& height) {
    SDL_DisplayMode mode;
    width = height = 0;
    if (EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        width = mode.w;
        height = mode.h;
    }
}

int DesktopRefreshRate() {
    SDL_DisplayMode mode;
    if (EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    return 60;
}

int WindowRefreshRate() {
    SDL_DisplayMode mode;
    if (State().window && SDL_GetWindowDisplayMode(State().window, &mode) == 0) return mode.refresh_rate;
    return -1;
}

int WindowId() {
    return State().window ? int(SDL_GetWindowID(State().window)) : 0;
}

void CentreWindow() {
    if (State().window && !State().fullScreen)
        SDL_SetWindowPosition(State().window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool WindowPosition(int& x, int& y) {
    TScreenRect frame, client;
    x = y = 0;
    if (!WindowRects(frame, client)) return false;
    x = frame.left;
    y = frame.top;
    return true;
}

bool WindowRects(TScreenRect& frame, TScreenRect& client) {
    frame = client = TScreenRect{};
    SDL_Window* window = State().window;
    if (!window) return false;
    int w = 0, h = 0;
    SDL_GetWindowPosition(window, &client.left, &client.top);
    SDL_GetWindowSize(window, &w, &h);
    client.right = client.left + w;
    client.bottom = client.top + h;
    frame = client;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0) {
        frame.left -= left;
        frame.top -= top;
        frame.right += right;
        frame.bottom += bottom;
    }
    return true;
}

bool ClientPosition(int& x, int& y) {
    x = y = 0;
    if (!State().window) return false;
    SDL_GetWindowPosition(State().window, &x, &y);
    return true;
}

bool WindowIsForeground() {
    return State().window && (SDL_GetWindowFlags(State().window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void MinimizeWindow() {
    if (State().window) SDL_MinimizeWindow(State().window);
}

void SetWindowIconFromPixmap(const TPixmap& icon) {
    if (!State().window || icon.Empty()) return;
    std::vector<uint32_t> pixels = icon.pixels;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), icon.width, icon.height, 32,
                                                              icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(State().window, surface);
    SDL_FreeSurface(surface);
}

void HideMouse() {
    SDL_ShowCursor(SDL_DISABLE);
}
void ShowMouse() {
    SDL_ShowCursor(SDL_ENABLE);
}

void MoveMouse(int x, int y) {
    Display& d = State();
    if (!d.window || !d.renderer) return;
    int wx = 0, wy = 0;
    SDL_RenderLogicalToWindow(d.renderer, float(x), float(y), &wx, &wy);
    SDL_WarpMouseInWindow(d.window, wx, wy);
}

bool X11Video() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && SDL_strcmp(driver, "x11") == 0;
}

namespace {

// The cursor in window pixels (negative or beyond the window's size while it is outside). While the
// window has the mouse, SDL keeps its position from every motion the window receives, a pointer warped
// by another program included; the desktop-wide query is refreshed only by a device's own motion, so it
// serves only outside the window, and only X11 answers it there. False when neither tells.
bool CursorWindowPixels(const Display& d, int& x, int& y) {
    if (SDL_GetMouseFocus() == d.window) {
        SDL_GetMouseState(&x, &y);
        return true;
    }
    if (!X11Video()) return false;
    int wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_GetWindowPosition(d.window, &wx, &wy);
    x -= wx;
    y -= wy;
    return true;
}

}  // namespace

// Where no position is told, the last one inside the window that the mouse events brought stays.
bool CursorScreenPosition(int& x, int& y) {
    Display& d = State();
    if (!d.window || !d.renderer) return false;
    if (!CursorWindowPixels(d, x, y))
        SDL_RenderLogicalToWindow(d.renderer, float(PolledMouseX()), float(PolledMouseY()), &x, &y);
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(d.window, &wx, &wy);
    x += wx;
    y += wy;
    return true;
}

bool CursorPicturePosition(int& x, int& y) {
    Display& d = State();
    if (!d.window || !d.renderer) return false;
    int wx = 0, wy = 0;
    if (!CursorWindowPixels(d, wx, wy)) {
        x = PolledMouseX();
        y = PolledMouseY();
        return true;
    }
    float lx = 0, ly = 0;
    SDL_RenderWindowToLogical(d.renderer, wx, wy, &lx, &ly);
    // Rounded down, so a cursor just left of or above the picture is at -1, not 0.
    x = int(std::floor(lx));
    y = int(std::floor(ly));
    return true;
}

bool CaptureFrame(TPixmap& out) {
    Display& d = State();
    if (!d.renderer) return false;
    int outW = 0, outH = 0;
    if (SDL_GetRendererOutputSize(d.renderer, &outW, &outH) != 0 || outW <= 0 || outH <= 0) return false;
    SDL_Rect viewport;
    float sx = 1.0f, sy = 1.0f;
    SDL_RenderGetViewport(d.renderer, &viewport);
    SDL_RenderGetScale(d.renderer, &sx, &sy);
    int w = std::clamp(int(float(viewport.w) * sx), 1, outW);
    int h = std::clamp(int(float(viewport.h) * sy), 1, outH);
    // Read into a buffer of the full output size so a viewport that rounds larger can never overrun.
    std::vector<uint32_t> buffer(size_t(outW) * size_t(outH));
    if (SDL_RenderReadPixels(d.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, buffer.data(), outW * 4) != 0)
        return false;
    out = TPixmap(w, h);
    for (int row = 0; row < h; ++row)
        std::copy_n(buffer.begin() + ptrdiff_t(row) * outW, w, out.pixels.begin() + ptrdiff_t(row) * w);
    return true;
}

void CaptureNextFrame(void (*callback)(const TPixmap& frame, void* user), void* user) {
    State().capture = callback;
    State().captureUser = user;
}

void CaptureNextFrameToPNG(const std::string& path) {
    static std::string target;
    target = path;
    CaptureNextFrame([](const TPixmap& frame, void*) { SavePixmapPNG(frame, target); }, nullptr);
}
