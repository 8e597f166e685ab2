// The Windows services the program's framework calls that have no counterpart on this desktop, each a
// documented no-op (or a fixed neutral answer) kept so its callers stay as they are. All such
// stand-ins live here and nowhere else. Used by the core's start-up (folder access) and its window and
// system conveniences (core/SystemUtils.h).
#pragma once

#include <string>

// Stands for the access-list grant that opened the shared data folder to the local Users group and to
// Everyone. The per-user data folder here is the player's own already: nothing to widen, always true.
bool GrantFolderAccess(const std::string& path);

// Stands for the registry's installed DirectX version. No DirectX exists here: always empty.
std::string GetDirectXVersion();

// Stands for the DirectX 7 check over that version text; the empty text is not one of the versions
// before 7, so always true (and nothing here chooses a driver by it).
bool DirectX7Available();

// Stands for the total and free video memory of DirectDraw. No such query exists here: both 0.
void GetVideoMemory(int& total, int& free);

// Stands for setting and storing the desktop's wallpaper, which is not the game's to change here:
// nothing changes, always false.
bool SetDesktopWallpaper(const std::string& path);
