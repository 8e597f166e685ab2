// TCameraZoom: a drag-and-zoom camera over a world of GW x GH pixels; world points map to the screen
// through GetX / GetY. TZoomDirection is one zoom step (where and by how much).
// A framework widget of the game layer that this game does not use (its tests do).
#pragma once

class TCameraZoom {
  public:
    unsigned char Dragging = 0;
    int MSX = 0, MSY = 0;
    int MPosX = 0, MPosY = 0;
    int DoubleClickTime = 0;
    int DoubleClickDelay = 300;
    int GW = 1024, GH = 768;
    float GHW = 512, GHH = 384;
    float Viewscale = 1;
    float WorldViewOriginX = 512, WorldViewOriginY = 384;
    float ZoomTargetX = 512, ZoomTargetY = 384;
    float ZoomTargetScale = 1;
    float ZoomFactor = 1.25f;
    float ZoomMAX = 30;
    float ZoomMin = 0.5f;

    void Clear();
    float GetX(float x) const { return (x + GHW - WorldViewOriginX) * Viewscale; }
    float GetY(float y) const { return (y + GHH - WorldViewOriginY) * Viewscale; }
    // Origin and scale take the zoom target's values; the draw scale follows.
    void SetViewScale();
    void Drag(int mx, int my);
    // The target scale starts again at 1 and is kept within [ZoomMin, ZoomMAX).
    void Zoom(double dx, double dy, double factor);

  private:
    void ClampToWorld();
};

class TZoomDirection {
  public:
    float X = 0, Y = 0, ZoomAmount = 0;
    int ZoomType = 0;

    static TZoomDirection Create(float x, float y, float amount, int type) { return {x, y, amount, type}; }
};
