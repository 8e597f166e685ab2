// The desktop's services: video memory through OpenGL, the wallpaper through the desktop portal or
// GSettings, and folder access through POSIX access lists.
#include "platform/Desktop.h"

#include <SDL.h>
#include <acl/libacl.h>
#include <dbus/dbus.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/System.h"
#include "platform/Window.h"

extern char** environ;

namespace {

// ---- Folder access ----

// Gives every entry of the list read, write and enter: the owner, the owning group, named users and
// groups, the mask that caps them, and everyone else.
bool OpenEveryEntry(acl_t acl) {
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_permset_t permissions;
        if (acl_get_permset(entry, &permissions) != 0) return false;
        acl_add_perm(permissions, ACL_READ | ACL_WRITE | ACL_EXECUTE);
        if (acl_set_permset(entry, permissions) != 0) return false;
    }
    return true;
}

// Sets the list of the given type, opened to everyone; errno tells why when it fails.
bool SetOpenList(const std::string& path, acl_type_t type, acl_t acl) {
    if (!acl) return false;
    bool done = OpenEveryEntry(acl) && acl_set_file(path.c_str(), type, acl) == 0;
    const int error = errno;
    acl_free(acl);
    errno = error;
    return done;
}

// ---- Video memory ----

constexpr int GlxScreen = 0x800C;
constexpr int GlxRendererVideoMemoryMesa = 0x8187;
constexpr unsigned GpuMemoryInfoDedicatedVidmemNvx = 0x9047;
constexpr unsigned GpuMemoryInfoCurrentAvailableVidmemNvx = 0x9049;
constexpr unsigned TextureFreeMemoryAti = 0x87FC;

template <class Function>
Function GlFunction(const char* name) {
    return reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
}

bool HasExtension(const char* list, const char* name) {
    if (!list) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

// The renderer's video memory of the current GLX context, in MB; 0 without GLX or the extension.
int MesaVideoMemory() {
    // Only SDL's X11 driver speaks GLX; elsewhere (Wayland, X11 over EGL) the glX names would resolve
    // to stubs that must not be called.
    if (!X11Video() || SDL_GetHintBoolean("SDL_VIDEO_X11_FORCE_EGL", SDL_FALSE)) return 0;
    auto currentDisplay = GlFunction<void* (*)()>("glXGetCurrentDisplay");
    auto currentContext = GlFunction<void* (*)()>("glXGetCurrentContext");
    auto queryContext = GlFunction<int (*)(void*, void*, int, int*)>("glXQueryContext");
    auto extensions = GlFunction<const char* (*)(void*, int)>("glXQueryExtensionsString");
    auto query = GlFunction<int (*)(int, unsigned*)>("glXQueryCurrentRendererIntegerMESA");
    if (!currentDisplay || !currentContext || !queryContext || !extensions || !query) return 0;
    void* display = currentDisplay();
    void* context = currentContext();
    if (!display || !context) return 0;
    int screen = 0;
    if (queryContext(display, context, GlxScreen, &screen) != 0) screen = 0;
    // A GLX library hands out an address for any name; the extension list says whether it is real.
    if (!HasExtension(extensions(display, screen), "GLX_MESA_query_renderer")) return 0;
    unsigned megabytes = 0;
    if (!query(GlxRendererVideoMemoryMesa, &megabytes)) return 0;
    return int(std::min<unsigned>(megabytes, INT_MAX));
}

void QueryCurrentContext(int& total, int& free) {
    total = MesaVideoMemory();
    auto getInteger = GlFunction<void (*)(unsigned, int*)>("glGetIntegerv");
    if (!getInteger) return;
    // Both extensions answer in KB.
    if (SDL_GL_ExtensionSupported("GL_NVX_gpu_memory_info")) {
        int kilobytes = 0;
        getInteger(GpuMemoryInfoCurrentAvailableVidmemNvx, &kilobytes);
        free = kilobytes / 1024;
        if (total == 0) {
            kilobytes = 0;
            getInteger(GpuMemoryInfoDedicatedVidmemNvx, &kilobytes);
            total = kilobytes / 1024;
        }
    } else if (SDL_GL_ExtensionSupported("GL_ATI_meminfo")) {
        int pool[4] = {};
        getInteger(TextureFreeMemoryAti, pool);
        free = pool[0] / 1024;
    }
}

// ---- Wallpaper ----

constexpr int DesktopWaitMs = 2000;

// The session bus's address: the session's variable, else the per-user bus of a systemd session.
// No bus is started for the asking.
std::string SessionBusAddress() {
    std::string address = EnvironmentValue("DBUS_SESSION_BUS_ADDRESS");
    if (!address.empty()) return address;
    const std::string runtime = EnvironmentValue("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtime.empty() && stat((runtime + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
        return "unix:path=" + runtime + "/bus";
    return "";
}

void AppendOption(DBusMessageIter& dict, const char* key, int type, const void* value) {
    const char signature[2] = {char(type), '\0'};
    DBusMessageIter entry, variant;
    dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
    dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
    dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, signature, &variant);
    dbus_message_iter_append_basic(&variant, type, value);
    dbus_message_iter_close_container(&entry, &variant);
    dbus_message_iter_close_container(&dict, &entry);
}

struct TBus {
    DBusConnection* connection = nullptr;
    ~TBus() {
        if (!connection) return;
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
};

// The reply to a call, waited for at most timeoutMs; nullptr on any error or silence.
DBusMessage* Call(DBusConnection* connection, DBusMessage* call, int timeoutMs) {
    if (!call) return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(connection, call, timeoutMs, &error);
    dbus_message_unref(call);
    dbus_error_free(&error);
    return reply;
}

// A private connection (the shared one would outlive a change of bus) that has said Hello within
// the wait; the library's own registration would wait 25 s on a bus that does not answer.
bool Connect(TBus& bus, const std::string& address, int timeoutMs) {
    DBusError error;
    dbus_error_init(&error);
    bus.connection = dbus_connection_open_private(address.c_str(), &error);
    dbus_error_free(&error);
    if (!bus.connection) return false;
    dbus_connection_set_exit_on_disconnect(bus.connection, FALSE);
    DBusMessage* reply =
        Call(bus.connection,
             dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"),
             timeoutMs);
    if (!reply) return false;
    const char* name = nullptr;
    bool named = dbus_message_get_args(reply, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID) &&
                 dbus_bus_set_unique_name(bus.connection, name);
    dbus_message_unref(reply);
    return named;
}

enum class PortalAnswer { None, Taken, Refused };

PortalAnswer PortalSetWallpaper(const std::string& uri) {
    const std::string address = SessionBusAddress();
    if (address.empty()) return PortalAnswer::None;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(DesktopWaitMs);
    auto remainingMs = [&] {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        return int(std::max<long long>(left.count(), 0));
    };
    TBus bus;
    if (!Connect(bus, address, remainingMs())) return PortalAnswer::None;
    // Listening before the call: the portal may answer the request before its handle arrives.
    dbus_bus_add_match(bus.connection,
                       "type='signal',interface='org.freedesktop.portal.Request',member='Response'", nullptr);

    DBusMessage* call =
        dbus_message_new_method_call("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                                     "org.freedesktop.portal.Wallpaper", "SetWallpaperURI");
    if (!call) return PortalAnswer::None;
    DBusMessageIter arguments, options;
    const char* parentWindow = "";
    const char* uriText = uri.c_str();
    const std::string token = "numora" + std::to_string(getpid());
    const char* tokenText = token.c_str();
    const char* setOn = "background";
    const dbus_bool_t preview = FALSE;
    dbus_message_iter_init_append(call, &arguments);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &parentWindow);
    dbus_message_iter_append_basic(&arguments, DBUS_TYPE_STRING, &uriText);
    dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &options);
    AppendOption(options, "handle_token", DBUS_TYPE_STRING, &tokenText);
    AppendOption(options, "show-preview", DBUS_TYPE_BOOLEAN, &preview);
    AppendOption(options, "set-on", DBUS_TYPE_STRING, &setOn);
    dbus_message_iter_close_container(&arguments, &options);

    DBusMessage* reply = Call(bus.connection, call, remainingMs());
    if (!reply) return PortalAnswer::None;
    const char* handleText = nullptr;
    std::string handle;
    if (dbus_message_get_args(reply, nullptr, DBUS_TYPE_OBJECT_PATH, &handleText, DBUS_TYPE_INVALID))
        handle = handleText;
    dbus_message_unref(reply);
    if (handle.empty()) return PortalAnswer::None;

    // The request's outcome: 0 done, 1 cancelled by the user, 2 failed. A request still open when
    // the wait ends (the desktop asking the user) counts as taken.
    for (;;) {
        while (DBusMessage* message = dbus_connection_pop_message(bus.connection)) {
            dbus_uint32_t response = 2;
            const bool ours =
                dbus_message_is_signal(message, "org.freedesktop.portal.Request", "Response") &&
                dbus_message_has_path(message, handle.c_str()) &&
                dbus_message_get_args(message, nullptr, DBUS_TYPE_UINT32, &response, DBUS_TYPE_INVALID);
            dbus_message_unref(message);
            if (ours) return response == 0 ? PortalAnswer::Taken : PortalAnswer::Refused;
        }
        const int left = remainingMs();
        if (left <= 0 || !dbus_connection_read_write(bus.connection, left)) return PortalAnswer::Taken;
    }
}

// Runs the program (found on PATH) with its output discarded; its exit status, or -1 when it could
// not start, died, or was still running after timeoutMs (it is then killed).
int RunQuietly(const std::vector<std::string>& command, int timeoutMs) {
    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) return -1;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool GSettingsSetWallpaper(const std::string& uri) {
    const std::string schema = "org.gnome.desktop.background";
    if (RunQuietly({"gsettings", "set", schema, "picture-uri", uri}, DesktopWaitMs) != 0) return false;
    // Newer GNOME shows this one in its dark style; older ones have no such key, which is no failure.
    RunQuietly({"gsettings", "set", schema, "picture-uri-dark", uri}, DesktopWaitMs);
    return true;
}

}  // namespace

bool GrantFolderAccess(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (!SetOpenList(path, ACL_TYPE_ACCESS, acl_get_file(path.c_str(), ACL_TYPE_ACCESS))) {
        if (errno != ENOTSUP) return false;
        // No access lists on this file system: the mode bits are all there is.
        return chmod(path.c_str(), (st.st_mode & 07777) | 0777) == 0;
    }
    // The default list is what files and folders made inside inherit; a folder without one gets the
    // plain rwx-for-all list.
    acl_t inherited = acl_get_file(path.c_str(), ACL_TYPE_DEFAULT);
    if (inherited && acl_entries(inherited) == 0) {
        acl_free(inherited);
        inherited = acl_from_mode(0777);
    }
    return SetOpenList(path, ACL_TYPE_DEFAULT, inherited) || errno == ENOTSUP;
}

void GetVideoMemory(int& total, int& free) {
    total = free = 0;
    if (SDL_GL_GetCurrentContext()) {
        QueryCurrentContext(total, free);
        return;
    }
    const bool started = !SDL_WasInit(SDL_INIT_VIDEO);
    if (started && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    if (SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)) {
        if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
            QueryCurrentContext(total, free);
            SDL_GL_DeleteContext(context);
        }
        SDL_DestroyWindow(window);
    }
    if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::string FileUri(const std::string& absolutePath) {
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : absolutePath) {
        if (std::isalnum(c) || (c != 0 && std::strchr("/-._~", c))) {
            uri += char(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

bool SetDesktopWallpaper(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::absolute(path, ec).lexically_normal();
    if (ec || !std::filesystem::is_regular_file(file, ec)) return false;
    const std::string uri = FileUri(file.string());
    switch (PortalSetWallpaper(uri)) {
        case PortalAnswer::Taken:
            return true;
        case PortalAnswer::Refused:
            return false;
        case PortalAnswer::None:
            break;
    }
    return GSettingsSetWallpaper(uri);
}
