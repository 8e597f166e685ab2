// Operating-system services the core needs: notices, single instance, the per-user data folder,
// the web browser, dates, the executable's folder and the process end.
//
// These stand in for the Windows services the game was designed around; the ones Linux has no
// counterpart for (DirectX) are the no-ops of StandIns.h.
//
// Used by the core's start-up, errors, settings and display, and by the game's notices and options.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/StandIns.h"

// A message box captioned with the application title, always also written to standard error.
// Leaves full screen first so the box is never hidden; shows no box under a headless video driver.
// True when the box was shown (and closed by the player); false when it could not open.
bool Notify(const std::string& text, bool serious = false);

// The text of a message box with every line broken to at most `width` bytes, at a blank or after a
// "/" where there is one: some desktops' boxes never wrap, and a long file path would run off the screen.
std::string WrapNoticeText(const std::string& text, size_t width);

// True when SDL runs with a video driver that has no screen (tests, CI).
bool HeadlessVideo();

// The value of an environment variable; empty when it is not set.
std::string EnvironmentValue(const char* name);

// Takes an exclusive lock named after `name` in $XDG_RUNTIME_DIR (else the temp folder, with the
// user id in the file name) and, when `playerFolder` is given and exists, a second one on name +
// ".lock" in that folder, so that copies started with different runtime folders still meet. A
// missing player folder is not made here: call again once it exists to take its lock then (the
// locks already held are kept). All are held for the life of the process. False when another
// process holds any of them.
bool SingleInstanceLock(const std::string& name, const std::string& playerFolder = "");

// The per-user application-data folder, $XDG_DATA_HOME or ~/.local/share, ending in "/".
std::string CommonAppDataFolder();

// The desktop's folders by their XDG names: the base folders "DATA", "CONFIG" and "CACHE"
// ($XDG_<name>_HOME or its default), "HOME", and the user folders "DESKTOP", "DOCUMENTS",
// "MUSIC", "PICTURES" and "VIDEOS" (from user-dirs.dirs, else the usual name under the home
// folder). Ends in "/"; empty for any other name.
std::string XdgFolder(const std::string& name);

// The running system as uname tells it: its name ("Linux"), its release text, and the release's
// first three numbers (6, 1, 0 of "6.1.0-13-amd64"; 0 for any that is missing). False when uname
// fails.
struct TOSRelease {
    std::string name, release;
    int major = 0, minor = 0, build = 0;
};
bool OSRelease(TOSRelease& out);
// The system's name and release ("Linux 6.1.0-13-amd64"); "Linux" when uname fails.
std::string GetOSVersionName();
// Memory figures for the debug panel: the process's resident size, and the machine's load.
long ProcessMemoryKB();
bool SystemMemoryStatus(int& loadPercent, int& totalMB, int& usedMB);
// The machine's memory in bytes: physical, swap, and the process's address space (its limit and
// what is not yet mapped). False when it cannot be read.
struct TSystemMemory {
    int loadPercent = 0;
    uint64_t totalPhys = 0, availPhys = 0;
    uint64_t totalSwap = 0, availSwap = 0;
    uint64_t totalVirtual = 0, availVirtual = 0;
};
bool SystemMemory(TSystemMemory& out);

// Stops in the debugger when one is attached to the process; otherwise nothing happens.
void DebugStop();

// Opens the address in the desktop's browser (xdg-open), without waiting; failures are ignored.
void OpenURL(const std::string& url);

// Date "06 Dec 2026" and time "21:47:10" in the C locale.
std::string CurrentDate();
std::string CurrentTime();

// Full path of the running executable, and a change of the working folder to its folder.
std::string ExecutablePath();
bool ChangeDirToExecutable();

// Ends the process with the code, after closing the display and audio devices. Tests replace the
// ending with a handler (which must not return normally, e.g. it throws).
[[noreturn]] void End(int code = 0);
void SetEndHandler(std::function<void(int)> handler);
