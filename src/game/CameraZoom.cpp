// The drag-and-zoom camera.
#include "game/CameraZoom.h"

#include <algorithm>
#include <cmath>

#include "platform/Draw.h"

void TCameraZoom::Clear() {
    Dragging = 0;
    MSX = MSY = MPosX = MPosY = DoubleClickTime = 0;
    DoubleClickDelay = 300;
    GW = 1024, GH = 768;
    GHW = float(GW) / 2, GHH = float(GH) / 2;
    Viewscale = 1;
    WorldViewOriginX = ZoomTargetX = GHW;
    WorldViewOriginY = ZoomTargetY = GHH;
    ZoomTargetScale = 1;
    ZoomFactor = 1.25f;
    ZoomMAX = 30;
    ZoomMin = 0.5f;
}

void TCameraZoom::SetViewScale() {
    WorldViewOriginX = ZoomTargetX;
    WorldViewOriginY = ZoomTargetY;
    Viewscale = ZoomTargetScale;
    SetScale(Viewscale, Viewscale);
}

void TCameraZoom::ClampToWorld() {
    WorldViewOriginX = std::clamp(WorldViewOriginX, 0.0f, float(GW));
    WorldViewOriginY = std::clamp(WorldViewOriginY, 0.0f, float(GH));
    ZoomTargetX = std::clamp(ZoomTargetX, 0.0f, float(GW));
    ZoomTargetY = std::clamp(ZoomTargetY, 0.0f, float(GH));
}

void TCameraZoom::Drag(int mx, int my) {
    const float scale = Viewscale != 0 ? Viewscale : 1.0f;
    const float moveX = float(mx - MSX) / scale, moveY = float(my - MSY) / scale;
    WorldViewOriginX -= moveX;
    WorldViewOriginY -= moveY;
    ZoomTargetX -= moveX;
    ZoomTargetY -= moveY;
    MSX = mx;
    MSY = my;
    ClampToWorld();
}

void TCameraZoom::Zoom(double dx, double dy, double factor) {
    double scale = 1.0;
    double t = 0.0;
    if (factor > 0) {
        if (scale * factor < ZoomMAX) scale *= factor;
        t = 1.0 - 1.0 / factor;
    } else {
        // A factor of 0 would divide by nothing; like any result outside the range it leaves the scale.
        const double divided = factor != 0 ? scale / factor : INFINITY;
        if (std::isfinite(divided) && divided >= ZoomMin && divided < ZoomMAX) scale = divided;
        t = 1.0 - factor;
    }
    ZoomTargetScale = float(scale);
    ZoomTargetX = float(GHW + dx * t);
    ZoomTargetY = float(GHH + dy * t);
    ClampToWorld();
}
