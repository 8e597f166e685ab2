// Opening the display and the window, full screen and vertical sync, priorities.
//
// Every step of GraphicsCreate sets the start-up checkpoint, so an error escaping from here is
// shown with the number of the step that failed.
#include <algorithm>

#include "core/ErrorReport.h"
#include "core/FrontEnd.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/SystemUtils.h"
#include "platform/FileSystem.h"
#include "platform/ImageCodec.h"
#include "platform/Priority.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace {

// Tries the full-screen mode at one colour depth.
bool OpenFullScreen(TGame& game, int depth) {
    if (!GraphicsModeExists(ScreenWidth, ScreenHeight, depth, game.Hertz)) return false;
    if (!Graphics(ScreenWidth, ScreenHeight, depth, game.Hertz)) return false;
    game.Depth = depth;
    return true;
}

}  // namespace

int TGame::GraphicsCreate() {
    Checkpoint = 100;
    if (std::string missing = MissingDisplayText(); !missing.empty()) throw TRaisedText(missing);
    if (CountGraphicsModes() == 0)
        throw TRuntimeError("No 3D Hardware Found (could not count graphics modes.)");

    bool driverSet = false;
    // A settings file may name a driver this program never wrote; it is treated as the first
    // choice, so the usual fall-back finds the driver that works and stores it.
    if (Driver != GraphicsDriverDirect3D7 && Driver != GraphicsDriverOpenGL) Driver = GraphicsDriverDirect3D7;
    if (Driver == GraphicsDriverDirect3D7) {
        Checkpoint = 101;
        // Direct3D 7 never exists here, so its DirectX test and choice (101xx, 102) never run.
        Checkpoint = 103;
        if (GraphicsDriverExists(GraphicsDriverOpenGL)) {
            Checkpoint = 104;
            driverSet = SetGraphicsDriver(GraphicsDriverOpenGL);
            Driver = GraphicsDriverOpenGL;
            Checkpoint = 105;
            IniUpdate(1);
        }
    }
    if (Driver == GraphicsDriverOpenGL) {
        Checkpoint = 106;
        if (GraphicsDriverExists(GraphicsDriverOpenGL)) {
            Checkpoint = 107;
            driverSet = SetGraphicsDriver(GraphicsDriverOpenGL);
        } else {
            Checkpoint = 108;
        }
    }
    Checkpoint = 111;
    if (!driverSet) throw TRuntimeError("No DirectX or OpenGL 3D Drivers Found!");

    if (FirstTime) {
        Checkpoint = 112;
        FirstTime = 0;
        // The desktop's own rate where the display reports one, else 60.
        DesktopRefreshRate = ::DesktopRefreshRate();
        DesktopSize(DesktopWidth, DesktopHeight);
    }

    if (FullScreen) {
        Checkpoint = 114;
        bool opened = OpenFullScreen(*this, 32);
        if (!opened) {
            Checkpoint = 115;
            opened = OpenFullScreen(*this, 24);
        }
        if (!opened) {
            Checkpoint = 116;
            opened = OpenFullScreen(*this, 16);
        }
        if (!opened) {
            Checkpoint = 117;
            ForceWindowedMode = 1;
            FullScreen = 0;
        }
    }
    if (!FullScreen) {
        Checkpoint = 118;
        Depth = 0;
        if (!Graphics(ScreenWidth, ScreenHeight, 0, DesktopRefreshRate)) {
            Checkpoint = 11801;
            throw TRuntimeError("Cannot create Windowed Mode at " + std::to_string(ScreenWidth) + "x" +
                                std::to_string(ScreenHeight) + " " + std::to_string(DesktopRefreshRate) +
                                "Hz");
        }
        Checkpoint = 119;
        WindowHandle = GetActiveWindowSafe();
        Checkpoint = 130;
        CentreWindow();
        Checkpoint = 131;
        SetWindowCoords();
        SetClientCoords();
        Checkpoint = 132;
        AddMinimizeBox(WindowHandle);
    } else {
        Checkpoint = 133;
        WindowHandle = GetActiveWindowSafe();
    }

    Checkpoint = 134;
    PolledInputOn = 0;
    Checkpoint = 135;
    SetPriority();
    GameRefreshRate = -1;
    Checkpoint = 136;
    // The window's display mode (else the desktop's) stands in for the device's vertical refresh;
    // frames are paced by it.
    if (int rate = WindowRefreshRate(); rate > 0)
        GameRefreshRate = rate;
    else if (rate = ::DesktopRefreshRate(); rate > 0)
        GameRefreshRate = rate;

    // Linux executables carry no icon; the window takes the game's icon image when there is one.
    Checkpoint = 138;
    if (FileType(ImagePath + "icon.png") == FILETYPE_FILE) {
        if (auto icon = LoadPixmap(ImagePath + "icon.png")) SetWindowIconFromPixmap(*icon);
    }
    Checkpoint = 139;
    return 0;
}

int TGame::GetActiveWindowSafe() {
    return WindowId();
}

int TGame::SetPriority() {
    if (FullScreen)
        SetPriorityValues(FullScreenProcess, FullScreenThread);
    else
        SetPriorityValues(WindowedProcess, WindowedThread);
    return 0;
}

int TGame::ToggleFullScreen() {
    if (FullScreen) {
        FullScreen = 0;
    } else {
        if (ForceWindowedMode) return 0;
        FullScreen = 1;
    }
    HideMouse();
    GameFlushMouse();
    GraphicsCreate();
    RestoreMouseCoords();
    IniUpdate(1);
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
    return 0;
}

int TGame::ToggleVSync() {
    VSync = VSync ? 0 : 1;
    IniUpdate(1);
    SetFlipSync();
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
    return 0;
}

int TGame::SetDriver(int driver) {
    if (driver == Driver) return 0;
    Driver = driver;
    EndGraphics();
    GraphicsCreate();
    RestoreMouseCoords();
    IniUpdate(1);
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
    FlushInput();
    return 1;
}

int TGame::SetWindowCoords() {
    WindowPosition(WindowX, WindowY);
    return 0;
}

int TGame::SetClientCoords() {
    ClientPosition(ClientX, ClientY);
    return 0;
}

int TGame::SetFlipSync() {
    FlipSync = VSync ? 1 : 0;
    return 0;
}

int TGame::RestoreMouseCoords() {
    auto [x, y] = FrontEnd().PointerPosition(*this);
    if (FullScreen) {
        x = std::clamp(x, 0, ScreenWidth - 1);
        y = std::clamp(y, 0, ScreenHeight - 1);
        FrontEnd().PointerMoved(*this, x, y);
    }
    MoveMouse(x, y);
    return 0;
}
