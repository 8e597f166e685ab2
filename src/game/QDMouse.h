// Per-frame mouse clicks: hold counters for a left and a right click (Ctrl with the left button counts as
// a right click), a one-call double-click flag and a drag test, updated once per logic call from the
// framework's mouse pointer. The double-click window runs on the system clock.
// Used by the game's logic call (TTolvaneGame) and its helpers.
#pragma once

class QDMouse {
  public:
    int MBL = 0;    // logic calls the left button has been held without Ctrl; 0 when released
    int MBR = 0;    // the same for a right click
    int MBLDC = 0;  // 1 during the call in which a double click was completed
    int x = 0;
    int y = 0;
    float DoubleClickTime = 500.0f;
    float DoubleClickCounter = 0.0f;
    int DoubleClickX = -1;
    int DoubleClickY = -1;
    int DoubleClickSquare = 30;
    int _milliCounter = 0;
    int DraggingPixels = 4;
    int DragStartX = -1;
    int DragStartY = -1;
    int IsDragging = 0;

    int LeftClick() const { return MBL; }
    int RightClick() const { return MBR; }
    int DoubleClick() const { return MBLDC; }
    int Drag();

    // Reads the pointer (Game->Mouse), the Ctrl keys and MilliSecs, then Update.
    void UpdateMouseClicks();
    void Update(int pointerX, int pointerY, bool leftDown, bool rightDown, bool ctrlDown, int now);
};

extern QDMouse QDMouseClicks;
