// Window and system conveniences over platform/Window.h and platform/System.h.
#include "core/SystemUtils.h"

#include <algorithm>
#include <cstdio>

#include "platform/Desktop.h"
#include "platform/Events.h"
#include "platform/ImageCodec.h"
#include "platform/System.h"
#include "platform/Window.h"

TPoint CreatePoint() {
    return {};
}
TPoint NewPoint() {
    return {};
}

void CentreWindow(int /*window*/) {
    ::CentreWindow();
}
void CentreActiveWindow() {
    ::CentreWindow();
}
void MinimiseWindow(int /*window*/) {
    MinimizeWindow();
}
bool WindowIsActive(int /*window*/) {
    return GraphicsOpen() && WindowIsForeground();
}

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

TWindowInfo GetActiveWindowInfo() {
    return GetWindowInfoOf(WindowId());
}

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

TRect GetActiveWindowRect() {
    return GetWindowRectOf(WindowId());
}

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

TMemoryStatus GetMemoryStatus() {
    TMemoryStatus status;
    TSystemMemory memory;
    if (!SystemMemory(memory)) return status;
    auto capped = [](uint64_t bytes) { return int(std::min<uint64_t>(bytes, uint64_t(INT32_MAX))); };
    status.dwMemoryLoad = memory.loadPercent;
    status.dwTotalPhys = capped(memory.totalPhys);
    status.dwAvailPhys = capped(memory.availPhys);
    status.dwTotalPageFile = capped(memory.totalSwap);
    status.dwAvailPageFile = capped(memory.availSwap);
    status.dwTotalVirtual = capped(memory.totalVirtual);
    status.dwAvailVirtual = capped(memory.availVirtual);
    return status;
}

bool FindGraphicsMode(int width, int height, int depth, int hertz) {
    for (const TGraphicsMode& mode : GraphicsModes())
        if (mode.width == width && mode.height == height && mode.depth == depth &&
            (mode.hertz == 0 || mode.hertz == hertz))
            return true;
    return false;
}

void ListGraphicsModes() {
    for (const TGraphicsMode& mode : GraphicsModes())
        std::printf("Width: %d Height: %d Depth: %d Hertz: %d\n", mode.width, mode.height, mode.depth,
                    mode.hertz);
    std::fflush(stdout);
}

std::string GetSpecialFolderPath(int folderId) {
    switch (folderId) {
        case 0x23:
        case 0x1C:
            return XdgFolder("DATA");
        case 0x1A:
            return XdgFolder("CONFIG");
        case 0x20:
            return XdgFolder("CACHE");
        case 0x28:
            return XdgFolder("HOME");
        case 0x00:
        case 0x10:
            return XdgFolder("DESKTOP");
        case 0x05:
            return XdgFolder("DOCUMENTS");
        case 0x0D:
            return XdgFolder("MUSIC");
        case 0x27:
            return XdgFolder("PICTURES");
        case 0x0E:
            return XdgFolder("VIDEOS");
        default:
            return "";
    }
}

void AddMinimizeBox(int /*window*/) {}

void AddMaximizeBox(int /*window*/) {
    SetWindowMaximisable(true);
}

void SetProcessPriority(int priorityClass, int threadPriority) {
    SetPriorityValues(priorityClass, threadPriority);
}

bool SetWindowIconFromFile(const std::string& path, int /*window*/) {
    std::optional<TPixmap> icon = LoadPixmap(path);
    if (!icon) return false;
    SetWindowIconFromPixmap(*icon);
    return true;
}

int SetFolderFullAccess(const std::string& path) {
    return GrantFolderAccess(path) ? 1 : 0;
}
