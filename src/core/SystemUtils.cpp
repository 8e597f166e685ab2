// Window and system conveniences over platform/Window.h and platform/System.h.
#include "core/SystemUtils.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "platform/Desktop.h"
#include "platform/Events.h"
#include "platform/ImageCodec.h"
#include "platform/Priority.h"
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
    TScreenRect frame, client;
    if (GraphicsOpen() && WindowRects(frame, client)) {
        info.wl = frame.left;
        info.wt = frame.top;
        info.wr = frame.right;
        info.wb = frame.bottom;
        info.cl = client.left;
        info.ct = client.top;
        info.cr = client.right;
        info.cb = client.bottom;
        info.cxWindowBorders = client.left - frame.left;
        info.cyWindowBorders = client.top - frame.top;
    }
    info.dwWindowStatus = WindowIsActive(window) ? 1 : 0;
    return info;
}

TWindowInfo GetActiveWindowInfo() {
    return GetWindowInfoOf(WindowId());
}

TRect GetWindowRectOf(int /*window*/) {
    TRect rect;
    TScreenRect frame, client;
    if (!GraphicsOpen() || !WindowRects(frame, client)) return rect;
    rect.L = frame.left;
    rect.T = frame.top;
    rect.R = frame.right;
    rect.B = frame.bottom;
    return rect;
}

TRect GetActiveWindowRect() {
    return GetWindowRectOf(WindowId());
}

std::optional<TPoint> GetCursorPoint() {
    TPoint point;
    if (!GraphicsOpen() || !CursorScreenPosition(point.X, point.Y)) return std::nullopt;
    return point;
}

namespace {

// The 128-byte text area of the version record, from szCSDVersion to pad15 inclusive.
constexpr size_t kVersionTextOffset = offsetof(TOSVersionInfoEx, szCSDVersion);
constexpr size_t kVersionTextSize = 128;
static_assert(offsetof(TOSVersionInfoEx, wServicePackMajor) - kVersionTextOffset == kVersionTextSize);

}  // namespace

bool GetOSVersionInfo(TOSVersionInfoEx& info) {
    info = TOSVersionInfoEx{};
    info.dwOSVersionInfoSize = int(sizeof(TOSVersionInfoEx));
    TOSRelease release;
    if (!OSRelease(release)) return false;
    info.dwVerMajor = release.major;
    info.dwVerMinor = release.minor;
    info.dwBuildNumber = release.build;
    info.dwPlatformId = OSPlatformUnix;
    const std::string name = GetOSVersionName();
    std::memcpy(reinterpret_cast<char*>(&info) + kVersionTextOffset, name.data(),
                std::min(name.size(), kVersionTextSize - 1));
    return true;
}

std::string OSVersionInfoText(const TOSVersionInfoEx& info) {
    const char* text = reinterpret_cast<const char*>(&info) + kVersionTextOffset;
    return std::string(text, std::find(text, text + kVersionTextSize, '\0'));
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
