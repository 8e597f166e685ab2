// Window and system conveniences over platform/Window.h and platform/System.h.
#include "core/SystemUtils.h"

#include "platform/Events.h"
#include "platform/ImageCodec.h"
#include "platform/System.h"
#include "platform/Window.h"

TPoint CreatePoint() { return {}; }
TPoint NewPoint() { return {}; }

void CentreWindow(int /*window*/) { ::CentreWindow(); }
void CentreActiveWindow() { ::CentreWindow(); }
void MinimiseWindow(int /*window*/) { MinimizeWindow(); }
bool WindowIsActive(int /*window*/) { return GraphicsOpen() && WindowIsForeground(); }

TWindowInfo GetWindowInfoOf(int window) {
    TWindowInfo info;
    TRect rect = GetWindowRectOf(window);
    info.wl = rect.L;
    info.wt = rect.T;
    info.wr = rect.R;
    info.wb = rect.B;
    int x = 0, y = 0;
    if (ClientPosition(x, y)) {
        info.cl = x;
        info.ct = y;
        info.cr = x + GraphicsWidth();
        info.cb = y + GraphicsHeight();
        info.cxWindowBorders = x - rect.L;
        info.cyWindowBorders = y - rect.T;
    }
    info.dwWindowStatus = WindowIsActive(window) ? 1 : 0;
    return info;
}

TWindowInfo GetActiveWindowInfo() { return GetWindowInfoOf(WindowId()); }

TRect GetWindowRectOf(int /*window*/) {
    TRect rect;
    int x = 0, y = 0;
    if (!GraphicsOpen() || !WindowPosition(x, y)) return rect;
    rect.L = x;
    rect.T = y;
    rect.R = x + GraphicsWidth();
    rect.B = y + GraphicsHeight();
    return rect;
}

TRect GetActiveWindowRect() { return GetWindowRectOf(WindowId()); }

std::optional<TPoint> GetCursorPoint() {
    if (!GraphicsOpen()) return std::nullopt;
    TPoint point;
    point.Set(PolledMouseX(), PolledMouseY());
    return point;
}

int GetDesktopSize(int& width, int& height) {
    width = height = 0;
    DesktopSize(width, height);
    return width > 0 && height > 0 ? 1 : -1;
}

bool FindGraphicsMode(int width, int height, int depth, int hertz) {
    return GraphicsModeExists(width, height, depth, hertz);
}

void SetProcessPriority(int priorityClass, int threadPriority) { SetPriorityValues(priorityClass, threadPriority); }

bool SetWindowIconFromFile(const std::string& path, int /*window*/) {
    std::optional<TPixmap> icon = LoadPixmap(path);
    if (!icon) return false;
    SetWindowIconFromPixmap(*icon);
    return true;
}

int SetFolderFullAccess(const std::string& path) { return GrantFolderAccess(path) ? 1 : 0; }
