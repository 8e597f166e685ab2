// The system cursor and the window on a real X server: each run starts its own Xvfb (on the first
// free display from :150, or only on $NUMORA_XVFB_DISPLAY when set) and moves the cursor with
// xdotool. Xvfb, xdotool and xprop are installed by build.sh; without them the run fails, it never
// skips. There is no window manager, so the window's frame comes from the border sizes a window
// manager would announce, set here with xprop.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "WidgetWorld.h"
#include "core/SystemUtils.h"
#include "platform/Events.h"
#include "platform/Window.h"
#include "presentation/Button.h"
#include "presentation/MousePointer.h"

namespace {

constexpr const char* kTitle = "Numora desktop cursor test";

// One Xvfb for the whole run, with DISPLAY and the X11 video driver pointing at it.
class XvfbEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        int first = 150, last = 299;
        if (const char* chosen = std::getenv("NUMORA_XVFB_DISPLAY"); chosen && *chosen)
            first = last = std::atoi(chosen);
        for (int display = first; display <= last && pid_ < 0; ++display) TryStart(display);
        ASSERT_GT(pid_, 0) << "Xvfb could not be started (package xvfb, installed by build.sh)";
        std::string name = ":";
        name += std::to_string(display_);
        setenv("DISPLAY", name.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        // SDL's own renderer maps the picture as any other does and needs no OpenGL driver.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        // A session bus of the test's own is not wanted; SDL must not start one through the display.
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session_bus", 1);
    }
    void TearDown() override {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    // Starts Xvfb on the display; it writes the number to the pipe once it accepts connections, and
    // ends without a word when the display is taken.
    void TryStart(int display) {
        int ready[2];
        if (pipe(ready) != 0) return;
        pid_t pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a crashed run
            close(ready[0]);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            std::string name = ":";
            name += std::to_string(display);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", name.c_str(), "-nolisten", "tcp", "-screen", "0", "1280x768x24",
                   "-displayfd", fd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string answer;
        char c = 0;
        while (pid > 0 && read(ready[0], &c, 1) == 1 && c != '\n') answer += c;
        close(ready[0]);
        if (pid > 0 && !answer.empty() && std::atoi(answer.c_str()) == display) {
            pid_ = pid;
            display_ = display;
        } else if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }

    pid_t pid_ = -1;
    int display_ = 0;
};

[[maybe_unused]] const auto* const kXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

int Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

// Pumps the X events until done() holds; the X server answers other clients' requests in its own
// time, so this waits, for two seconds at most.
bool Until(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        PollSystem();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class DesktopCursorTest : public WidgetWorld {
  protected:
    TScreenRect frame, client;

    void SetUp() override {
        WidgetWorld::SetUp();
        Game->FullScreen = 0;
        SetAppTitle(kTitle);
        ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
        ASSERT_TRUE(Graphics(800, 600, 0, 60));
        ASSERT_TRUE(WindowRects(frame, client));
        ASSERT_EQ(client.right - client.left, 800);
    }
    void TearDown() override {
        EndGraphics();
        FlushEvents();
        WidgetWorld::TearDown();
    }

    // Moves the system cursor to a screen point and waits until the game sees it there. A jump
    // warps the pointer without the raw motion a real mouse makes, which SDL waits for before it asks
    // the server again; a one-pixel step there and back makes it.
    void MoveCursor(int x, int y) {
        std::string command = "xdotool mousemove ";
        command += std::to_string(x) + " " + std::to_string(y);
        command += " mousemove_relative --sync 1 0 mousemove_relative --sync -- -1 0";
        ASSERT_EQ(Shell(command), 0) << "xdotool (installed by build.sh) is missing";
        auto at = GetCursorPoint();
        EXPECT_TRUE(Until([&] {
            at = GetCursorPoint();
            return at && at->X == x && at->Y == y;
        })) << "the cursor was seen at "
            << (at ? at->X : -1) << ", " << (at ? at->Y : -1);
        Game->Mouse->UpdateCoords();
    }
};

TEST_F(DesktopCursorTest, TheCursorOutsideTheWindowIsOutsideTheClientArea) {
    const struct {
        int dx, dy;  // from the client area's corner
        bool inside;
    } rows[] = {{400, 300, true}, {900, 650, false}, {-100, -50, false}, {799, 599, true}, {800, 300, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dx << "," << row.dy);
        MoveCursor(client.left + row.dx, client.top + row.dy);
        EXPECT_EQ(Game->Mouse->x, row.dx);
        EXPECT_EQ(Game->Mouse->y, row.dy);
        const bool inside =
            Game->Mouse->x >= 0 && Game->Mouse->x < 800 && Game->Mouse->y >= 0 && Game->Mouse->y < 600;
        EXPECT_EQ(inside, row.inside);
    }
}

TEST_F(DesktopCursorTest, AButtonOnTheWindowsEdgeLosesItsHoverWhenTheCursorLeaves) {
    auto button = std::make_shared<TButton>();
    button->UseMenuPath = 1;
    button->Load("ok", "okMO", "buttonMO", "buttonclick", 0, 0, 1);
    button->MoveTo(740, 570);  // 60 x 30: up to the picture's right and bottom edges
    MoveCursor(client.left + 790, client.top + 590);
    button->Manage();
    EXPECT_EQ(button->MouseOver, 1);
    MoveCursor(client.left + 850, client.top + 640);
    button->Manage();
    EXPECT_EQ(button->MouseOver, 0) << "the pointer stayed at " << Game->Mouse->x << ", " << Game->Mouse->y;
}

// Another program warps the pointer (xdotool jumps without the motion a real mouse makes, which the
// desktop-wide query waits for) onto a button of the window, and the player clicks: the pointer drawn
// in between and the click follow the jump, so the button under the new spot answers, not the old one.
TEST_F(DesktopCursorTest, AClickAfterAWarpActsOnTheButtonUnderTheNewSpot) {
    auto button = [](float x, float y) {
        auto b = std::make_shared<TButton>();
        b->UseMenuPath = 1;
        b->Load("ok", "okMO", "buttonMO", "buttonclick", 0, 0, 1);
        b->MoveTo(x, y);
        return b;
    };
    const auto before = button(100, 100), after = button(500, 300);
    MoveCursor(client.left + 110, client.top + 110);
    ASSERT_EQ(Shell("xdotool mousemove " + std::to_string(client.left + 520) + " " +
                    std::to_string(client.top + 315)),
              0);
    ASSERT_TRUE(Until([] { return PolledMouseX() == 520 && PolledMouseY() == 315; }))
        << "the window never saw the pointer arrive";
    Game->DoPeekEvent();
    Game->Mouse->Draw();  // a frame of the windowed game, which places the pointer anew
    ASSERT_EQ(Shell("xdotool click 1"), 0);
    ASSERT_TRUE(Until([] { return EventPending(EVENT_MOUSEUP); }));
    Game->DoPeekEvent();
    before->Manage();
    after->Manage();
    EXPECT_EQ(before->Clicked, 0) << "the click acted at the old spot";
    EXPECT_EQ(after->Clicked, 1) << "the pointer was at " << Game->Mouse->x << ", " << Game->Mouse->y;
}

TEST_F(DesktopCursorTest, InFullScreenTheCursorIsMappedThroughTheLetterbox) {
    // The 1280 x 768 desktop shows the picture 1.28 times as large, 128 pixels in from either side.
    ASSERT_TRUE(Graphics(800, 600, 32, 60));
    const struct {
        int screenX, screenY, x, y;
    } rows[] = {{640, 384, 400, 300}, {100, 1, -22, 0}, {1278, 766, 898, 598}, {128, 766, 0, 598}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.screenX << "," << row.screenY);
        MoveCursor(row.screenX, row.screenY);
        EXPECT_EQ(Game->Mouse->x, row.x);
        EXPECT_EQ(Game->Mouse->y, row.y);
    }
}

TEST_F(DesktopCursorTest, WithoutAWindowThePointerKeepsItsLastPosition) {
    MoveCursor(client.left + 123, client.top + 45);
    EndGraphics();
    ASSERT_EQ(Shell("xdotool mousemove --sync 1 1"), 0);
    Game->Mouse->UpdateCoords();
    EXPECT_EQ(Game->Mouse->x, 123);
    EXPECT_EQ(Game->Mouse->y, 45);
    EXPECT_FALSE(GetCursorPoint());
}

TEST_F(DesktopCursorTest, TheWindowRectangleIsTheFrameAroundTheClientArea) {
    ASSERT_EQ(Shell(std::string("xprop -name '") + kTitle +
                    "' -f _NET_FRAME_EXTENTS 32c -set _NET_FRAME_EXTENTS '3, 5, 20, 7'"),
              0)
        << "xprop (package x11-utils, installed by build.sh) is missing";
    TRect rect;
    EXPECT_TRUE(Until([&] {
        rect = GetWindowRectOf(WindowId());
        return rect.L != client.left;
    }));
    EXPECT_EQ(rect.L, client.left - 3);
    EXPECT_EQ(rect.T, client.top - 20);
    EXPECT_EQ(rect.R, client.left + 800 + 5);
    EXPECT_EQ(rect.B, client.top + 600 + 7);
    const TWindowInfo info = GetWindowInfoOf(WindowId());
    EXPECT_EQ(info.wl, rect.L);
    EXPECT_EQ(info.wb, rect.B);
    EXPECT_EQ(info.cl, client.left);
    EXPECT_EQ(info.ct, client.top);
    EXPECT_EQ(info.cr, client.left + 800);
    EXPECT_EQ(info.cb, client.top + 600);
    EXPECT_EQ(info.cxWindowBorders, 3);
    EXPECT_EQ(info.cyWindowBorders, 20);
}

}  // namespace
