// 2D drawing: one global draw state and the drawing operations of the game, over a pluggable backend.
//
// Every operation turns its arguments and the current state into one `TDrawCommand` holding the
// transformed triangles (scale and rotation about the handle, origin added) and hands it to the
// current backend. The SDL backend renders the triangles with SDL_RenderGeometry; the recording
// backend keeps every command with a copy of the state, so tests check blend sequences, end states
// and transforms exactly, without pixels. An offscreen backend renders into a CPU surface for
// headless image comparisons.
//
// The SDL backend holds a frame's commands back until the frame ends (EndFrame; Flip ends the
// window's frames), then draws the picture once: what lies under everything else and drew the same
// for the last FrameCacheSettleFrames frames is kept in a cache texture at the output's resolution, redrawn
// only when that part of the frame differs from the one in the cache; a frame is that cache plus the commands
// that changed and whatever overlaps them later. The cache is compared command by command (texture
// contents by image version, vertices, colours, blending, clipping), so any change in what the
// cached layers draw redraws it; nothing has to report a change. Commands hidden under a later
// opaque full-screen cover are not drawn at all.
//
// Used by every layer above that draws.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/Pixmap.h"

class TImageFont;

// Blend modes.
inline constexpr int MASKBLEND = 1;
inline constexpr int SOLIDBLEND = 2;
inline constexpr int ALPHABLEND = 3;
inline constexpr int LIGHTBLEND = 4;
inline constexpr int SHADEBLEND = 5;

struct TDrawState {
    int blend = ALPHABLEND;
    int red = 255, green = 255, blue = 255;
    float alpha = 1.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    float rotation = 0.0f;  // degrees, clockwise on screen
    std::shared_ptr<TImageFont> font;
    int clsRed = 0, clsGreen = 0, clsBlue = 0;
    int viewportX = 0, viewportY = 0, viewportW = 800, viewportH = 600;
    float originX = 0.0f, originY = 0.0f;
    float handleX = 0.0f, handleY = 0.0f;  // handle of shapes and text
};

struct TVertex {
    float x = 0, y = 0;  // screen position
    float u = 0, v = 0;  // texture position 0..1 (unused without a texture)
};

struct TDrawCommand {
    std::string op;                 // name of the drawing operation ("DrawImage", "Cls", ...)
    std::vector<float> args;        // its numeric arguments as passed
    std::string text;               // the text of DrawText
    const TImage* image = nullptr;  // image argument, or the glyph atlas for text
    int frame = 0;
    TDrawState state;               // the state at the moment of the call
    std::vector<TVertex> vertices;  // triangles, three vertices each, already transformed
};

class TDrawBackend {
  public:
    virtual ~TDrawBackend() = default;
    virtual void Submit(const TDrawCommand& command) = 0;
    // Make every frame's texture of the image exist now.
    virtual void Precache(const TImage& image) = 0;
    // The picture drawn so far (back buffer), in logical pixels; transparent black where unknown.
    virtual TPixmap Grab(int x, int y, int w, int h) = 0;
    // The frame is complete: draw whatever was held back.
    virtual void EndFrame() {}
};

// Frames in a row a command must draw the same before it goes into the SDL backend's cache.
inline constexpr int FrameCacheSettleFrames = 30;

// How the last frame an SDL backend ended was drawn (commands as submitted since the frame began).
struct TFrameStats {
    int commands = 0;           // submitted
    int hidden = 0;             // not drawn: under a later opaque full-screen cover
    int cached = 0;             // drawn from the cache texture
    int live = 0;               // drawn one by one on top of it, or without a cache
    bool cacheUsed = false;     // the frame started with a copy of the cache
    bool cacheRedrawn = false;  // the cache was drawn again this frame
};
const TFrameStats& LastFrameStats();

// Keeps every command; draws nothing.
class TRecordingBackend : public TDrawBackend {
  public:
    void Submit(const TDrawCommand& command) override { calls.push_back(command); }
    void Precache(const TImage& image) override { precached.push_back(&image); }
    TPixmap Grab(int x, int y, int w, int h) override;
    // Commands whose op equals `op`, in order.
    std::vector<const TDrawCommand*> Find(const std::string& op) const;

    std::vector<TDrawCommand> calls;
    std::vector<const TImage*> precached;
};

// Renders into a private CPU surface of width x height with SDL's software renderer.
std::unique_ptr<TDrawBackend> CreateOffscreenBackend(int width, int height);

// Textures the renderers hold for images right now: made and not yet released by their image or renderer.
// Entering and leaving a screen must leave it where it was.
int LiveTextureCount();

// The backend that drawing goes to (not owned). Without one, drawing goes to the renderer of the open
// window (platform/Window.h, which also shows the frame with Flip), and is dropped when none is open.
void SetDrawBackend(TDrawBackend* backend);
TDrawBackend* GetDrawBackend();

// Whole state access, for tests and for code that saves and restores around foreign drawing.
const TDrawState& GetDrawState();
void SetDrawState(const TDrawState& state);
// Back to the defaults: alpha blend, white, alpha 1, scale 1, rotation 0, full viewport, no font.
void ResetDrawStateDefaults(int screenWidth = 800, int screenHeight = 600);

void SetBlend(int blend);
int GetBlend();
void SetColor(int red, int green, int blue);
void GetColor(int& red, int& green, int& blue);
void SetAlpha(float alpha);
float GetAlpha();
void SetScale(float x, float y);
void GetScale(float& x, float& y);
void SetRotation(float degrees);
float GetRotation();
void SetOrigin(float x, float y);
void SetHandle(float x, float y);
void SetClsColor(int red, int green, int blue);
// A clip rectangle; drawing coordinates are not moved by it.
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetImageFont(std::shared_ptr<TImageFont> font);
std::shared_ptr<TImageFont> GetImageFont();

void Cls();
void DrawImage(const TImage* image, float x, float y, int frame = 0);
// The source rectangle (sx, sy, sw, sh) of a frame stretched over w x h at (x, y); (hx, hy) is a handle
// in destination pixels. Scale and rotation act about (x, y).
void DrawSubImageRect(const TImage* image, float x, float y, float w, float h, float sx, float sy, float sw,
                      float sh, float hx = 0, float hy = 0, int frame = 0);
void DrawRect(float x, float y, float w, float h);
// A one-pixel line from the first pixel to the last, or up to the last without it when lastPixel is false.
void DrawLine(float x1, float y1, float x2, float y2, bool lastPixel = true);
void DrawOval(float x, float y, float w, float h);
void Plot(float x, float y);
void DrawText(const std::string& text, float x, float y);
// Measured with the current image font, unscaled; 0 without a font. TextHeight of any text is the
// font's line height.
float TextWidth(const std::string& text);
float TextHeight(const std::string& text);

// Ends the current backend's frame (see TDrawBackend::EndFrame); Flip does it for the window.
void EndFrame();

// Uploads every frame of the image now.
void PrecacheImage(const TImage* image);
// Copies a rectangle of the picture drawn so far.
TPixmap GrabPixmap(int x, int y, int w, int h);
// Fills a frame of the image from the picture drawn so far at (x, y).
void GrabImage(TImage* image, int x, int y, int frame = 0);

// Collision layers, one bit per layer, built from CPU masks (pixels with alpha above 0). Writing an image
// records it in the layers of writeMask; testing compares against the images recorded in collideMask.
// An image is written and tested where DrawImage would put it (origin, handle, scale, rotation, a
// negative scale mirroring), its position snapped down to a whole pixel; a rectangle is axis-aligned
// and moved by the origin only.
void ResetCollisions(uint32_t mask = 0);
std::vector<void*> CollideImage(const TImage* image, float x, float y, int frame, uint32_t collideMask,
                                uint32_t writeMask, void* id = nullptr);
std::vector<void*> CollideRect(float x, float y, float w, float h, uint32_t collideMask, uint32_t writeMask,
                               void* id = nullptr);
