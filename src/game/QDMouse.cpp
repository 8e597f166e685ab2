// Per-frame mouse clicks.
#include "game/QDMouse.h"

#include <cstdlib>

#include "core/Game.h"
#include "core/Input.h"
#include "platform/Clock.h"
#include "platform/Keys.h"
#include "presentation/MousePointer.h"

QDMouse QDMouseClicks;

void QDMouse::UpdateMouseClicks() {
    if (!Game || !Game->Mouse) return;
    const TMousePointer& mouse = *Game->Mouse;
    const bool ctrl = GameKeyDown(KEY_LCONTROL) || GameKeyDown(KEY_RCONTROL);
    Update(mouse.x, mouse.y, mouse.b1 != 0, mouse.b2 != 0, ctrl, MilliSecs());
}

int QDMouse::Drag() {
    if (IsDragging) return 1;
    if (LeftClick() > 0 && DragStartX == -1) {
        DragStartX = x;
        DragStartY = y;
        return 0;
    }
    if (LeftClick() > 1 && std::abs(DragStartX - x) + std::abs(DragStartY - y) > DraggingPixels) {
        IsDragging = 1;
        return 1;
    }
    return 0;
}

void QDMouse::Update(int pointerX, int pointerY, bool leftDown, bool rightDown, bool ctrlDown, int now) {
    x = pointerX;
    y = pointerY;
    int elapsed = now - _milliCounter;
    if (elapsed > 1000) elapsed = 0;
    _milliCounter = now;

    if (rightDown || (leftDown && ctrlDown))
        ++MBR;
    else
        MBR = 0;

    if (leftDown && !ctrlDown) {
        ++MBL;
    } else {
        MBL = 0;
        DragStartX = DragStartY = -1;
        IsDragging = 0;
    }

    if (MBL == 1) {
        if (DoubleClickCounter > 0 && x > DoubleClickX - DoubleClickSquare &&
            x < DoubleClickX + DoubleClickSquare && y > DoubleClickY - DoubleClickSquare &&
            y < DoubleClickY + DoubleClickSquare) {
            MBLDC = 1;
            DoubleClickCounter = 0;
        }
        DoubleClickX = x;
        DoubleClickY = y;
        DoubleClickCounter = DoubleClickTime;
    } else {
        MBLDC = 0;
    }

    if (DoubleClickCounter > 0) DoubleClickCounter -= static_cast<float>(elapsed);
}
