// Operating-system services the core needs: notices, single instance, the per-user data folder,
// the web browser, dates, the executable's folder and the process end.
//
// These stand in for the Windows services the game was designed around; where Linux has no
// counterpart (folder access lists, process priority, DirectX) the call is a documented no-op.
#pragma once

#include <functional>
#include <string>

// A message box captioned with the application title, always also written to standard error.
// Leaves full screen first so the box is never hidden; shows no box under a headless video driver.
void Notify(const std::string& text, bool serious = false);

// The text of a message box with every line broken to at most `width` bytes, at a blank or after a
// "/" where there is one: some desktops' boxes never wrap, and a long file path would run off the screen.
std::string WrapNoticeText(const std::string& text, size_t width);

// True when SDL runs with a video driver that has no screen (tests, CI).
bool HeadlessVideo();

// Takes an exclusive lock named after `name` in $XDG_RUNTIME_DIR (else the temp folder, with the
// user id in the file name) and, when `playerFolder` is given, a second one on name + ".lock" in
// that folder (created when missing), so that copies started with different runtime folders still
// meet. Both are held for the life of the process. False when another process holds either.
bool SingleInstanceLock(const std::string& name, const std::string& playerFolder = "");

// The per-user application-data folder, $XDG_DATA_HOME or ~/.local/share, ending in "/".
std::string CommonAppDataFolder();

// The folder is per-user already; nothing is widened. Always succeeds.
bool GrantFolderAccess(const std::string& path);

// Process and thread priority have no effect here; the settings still round-trip.
void SetPriorityValues(int process, int thread);

std::string GetOSVersionName();
// Memory figures for the debug panel: the process's resident size, and the machine's load.
long ProcessMemoryKB();
bool SystemMemoryStatus(int& loadPercent, int& totalMB, int& usedMB);
// No DirectX exists: always empty.
std::string GetDirectXVersion();

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
