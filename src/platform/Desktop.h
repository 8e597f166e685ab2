// What the game asks of the desktop and the machine beyond its own window: the video memory, the
// desktop's wallpaper and opening a folder to every user of the machine. Each answers through the
// desktop's own services (GLX and OpenGL, the desktop portal over D-Bus, POSIX access lists) and says
// plainly when nothing answers.
//
// Used by the core's system conveniences (core/SystemUtils.h).
#pragma once

#include <string>

// Opens the folder to every user of the machine: read, write and enter for everyone, both in its
// access list and in its default list, so files and folders made inside later are open alike. Where
// the file system keeps no access lists, the folder's mode becomes rwx for all instead. False when
// the folder is missing or its access cannot be changed (not its owner).
bool GrantFolderAccess(const std::string& path);

// The video memory in MB: the total from the renderer (GLX_MESA_query_renderer, else
// GL_NVX_gpu_memory_info), the free part from GL_NVX_gpu_memory_info or GL_ATI_meminfo. Asks the
// calling thread's current OpenGL context, else a hidden window and context of its own. 0 for what
// no driver answers (a screenless video driver answers nothing).
void GetVideoMemory(int& total, int& free);

// Makes the picture file the desktop's wallpaper: through the desktop portal's wallpaper request
// on the session bus, else (no bus, or no portal on it) through GNOME's "picture-uri" setting with
// the gsettings tool. The desktop keeps the setting. True when the portal took the request (and did
// not refuse it within the wait) or gsettings stored it; false for a missing file, a refusal, or when
// no desktop answers. Waits at most about 2 s for each.
bool SetDesktopWallpaper(const std::string& path);

// The file:// address of an absolute path, each byte but the unreserved ones and "/" %-escaped.
std::string FileUri(const std::string& absolutePath);
