// Window and system conveniences with the shapes the rest of the program expects (points,
// rectangles, window information), answered by the platform layer. The services the desktop here does
// not offer (memory status, video memory, wallpaper, DirectX) are the stand-ins of platform/StandIns.h.
// Nothing in this game calls them: they are the framework's utility library, kept whole.
#pragma once

#include <optional>
#include <string>

#include "platform/StandIns.h"

struct TPoint {
    int X = 0, Y = 0;
    void Set(int x, int y) {
        X = x;
        Y = y;
    }
};

struct TAccuratePoint {
    float X = 0, Y = 0;
    void Set(float x, float y) {
        X = x;
        Y = y;
    }
};

struct TRect {
    int L = 0, T = 0, R = 0, B = 0;
};

struct TWindowInfo {
    int cbSize = 60;
    int wl = 0, wt = 0, wr = 0, wb = 0;  // window rectangle
    int cl = 0, ct = 0, cr = 0, cb = 0;  // client rectangle
    int dwStyle = 0, dwExStyle = 0;
    int dwWindowStatus = 0;  // 1 when the window has the active caption
    int cxWindowBorders = 0, cyWindowBorders = 0;
    short atomWindowType = 0, wCreatorVersion = 0;
};

TPoint CreatePoint();
TPoint NewPoint();

// The game's one window stands for "the window" and "the active window" alike.
void CentreWindow(int window);
void CentreActiveWindow();
void MinimiseWindow(int window);
bool WindowIsActive(int window);
TWindowInfo GetWindowInfoOf(int window);
TWindowInfo GetActiveWindowInfo();
TRect GetWindowRectOf(int window);
TRect GetActiveWindowRect();
// The pointer position in window pixels; nullopt without a window.
std::optional<TPoint> GetCursorPoint();
// Desktop resolution; -1 when it cannot be read, else 1.
int GetDesktopSize(int& width, int& height);
bool FindGraphicsMode(int width, int height, int depth, int hertz);
// Priority class 0 normal, 1 above normal, 2 high, with the thread priority.
void SetProcessPriority(int priorityClass, int threadPriority);
// The image file (PNG or JPEG) becomes the window's icon; false when it cannot be read.
bool SetWindowIconFromFile(const std::string& path, int window);
// Opens the folder to every local user; non-zero on success.
int SetFolderFullAccess(const std::string& path);
