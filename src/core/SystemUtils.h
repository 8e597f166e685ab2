// Window and system conveniences with the shapes the rest of the program expects (points,
// rectangles, window information, memory status), answered by the platform layer. The services the
// desktop here does not offer (DirectX) are the stand-ins of platform/StandIns.h; video memory and the
// wallpaper are answered by platform/Desktop.h.
// Nothing in this game calls them: they are the framework's utility library, kept whole.
#pragma once

#include <cstdint>
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

struct TMemoryStatus {
    int dwLength = 32;
    int dwMemoryLoad = 0;
    int dwTotalPhys = 0, dwAvailPhys = 0;
    int dwTotalPageFile = 0, dwAvailPageFile = 0;
    int dwTotalVirtual = 0, dwAvailVirtual = 0;
};

// The Windows version query's layout (GetVersionEx, 156 bytes), filled by GetOSVersionInfo.
#pragma pack(push, 4)
struct TOSVersionInfoEx {
    int dwOSVersionInfoSize = 0;
    int dwVerMajor = 0, dwVerMinor = 0, dwBuildNumber = 0, dwPlatformId = 0;
    // The 128-byte service-pack text area.
    int szCSDVersion = 0;
    int64_t pad0 = 0, pad1 = 0, pad2 = 0, pad3 = 0, pad4 = 0, pad5 = 0, pad6 = 0, pad7 = 0;
    int64_t pad8 = 0, pad9 = 0, pad10 = 0, pad11 = 0, pad12 = 0, pad13 = 0, pad14 = 0;
    int pad15 = 0;
    int16_t wServicePackMajor = 0, wServicePackMinor = 0, wSuiteMask = 0;
    int8_t wProductType = 0, wReserved = 0;
};
#pragma pack(pop)
static_assert(sizeof(TOSVersionInfoEx) == 156);

// Windows numbers its platforms 0 (Win32s), 1 (Windows 95 to ME) and 2 (NT); a Unix-like system is
// 4, the number .NET gives Unix.
constexpr int OSPlatformUnix = 4;

// The running system from uname: the size 156, the release's major, minor and build numbers, the
// platform OSPlatformUnix, and GetOSVersionName's text in the 128-byte service-pack text area (cut to
// 127 bytes, zero-ended). False, with only the size set, when the system cannot be asked.
bool GetOSVersionInfo(TOSVersionInfoEx& info);
// The text of the service-pack text area, up to its first zero byte.
std::string OSVersionInfoText(const TOSVersionInfoEx& info);

// A user record of Unix-like systems (struct passwd), field for field.
struct TPasswdEntry {
    char* pw_name = nullptr;
    char* pw_passwd = nullptr;
    int pw_uid = 0, pw_gid = 0;
    char* pw_gecos = nullptr;
    char* pw_dir = nullptr;
    char* pw_shell = nullptr;
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
// The window's frame rectangle on the screen (the client area where the desktop reports no borders).
TRect GetWindowRectOf(int window);
TRect GetActiveWindowRect();
// The system cursor in screen pixels; nullopt without a window.
std::optional<TPoint> GetCursorPoint();
// Desktop resolution; -1 when it cannot be read, else 1.
int GetDesktopSize(int& width, int& height);
// Memory load in percent and the figures in bytes: physical memory, swap as the page file, and the
// process's address space; each capped at the largest int, as the 32-bit query caps them.
TMemoryStatus GetMemoryStatus();
// True when a display lists exactly that full-screen mode; the refresh rate is compared where the
// driver knows it.
bool FindGraphicsMode(int width, int height, int depth, int hertz);
// Prints "Width: w Height: h Depth: d Hertz: hz" for every listed mode (a diagnostic).
void ListGraphicsModes();
// A system folder by its Windows folder id, mapped to the desktop's XDG folders, ending in "/":
// 0x23 common and 0x1C local application data -> the data home, 0x1A application data -> the
// config home, 0x20 internet cache -> the cache home, 0x28 profile -> home, 0x00 and 0x10
// desktop, 0x05 documents, 0x0D music, 0x27 pictures, 0x0E videos. Empty for any other id.
std::string GetSpecialFolderPath(int folderId);
// Window decorations: SDL windows always carry a minimise box, so adding one changes nothing;
// the maximise box is SDL's resizable window.
void AddMinimizeBox(int window);
void AddMaximizeBox(int window);
// Priority class 0 normal, 1 above normal, 2 high, with the thread priority (platform/Priority.h:
// nice 0, -5 or -10 for the game's threads, the thread value for the caller).
void SetProcessPriority(int priorityClass, int threadPriority);
// The image file (PNG or JPEG) becomes the window's icon; false when it cannot be read.
bool SetWindowIconFromFile(const std::string& path, int window);
// Opens the folder to every local user; non-zero on success.
int SetFolderFullAccess(const std::string& path);
