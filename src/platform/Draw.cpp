// Draw state, geometry of every drawing operation, the SDL and recording backends, and collisions.
//
// Geometry is computed here once for every backend: a point p of an item's local space (pixels, handle
// already subtracted) lands on screen at anchor + R(rotation) * (scaleX * p.x, scaleY * p.y) + origin.
#include "platform/Draw.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "platform/ImageFont.h"
#include "platform/Window.h"

namespace {

TDrawState g_state;
TDrawBackend* g_backend = nullptr;
unsigned g_windowGeneration = 0;

// The window backend unregisters from the texture-owner map when it is destroyed at exit, so the
// map must outlive it: touching the map first makes it constructed first and destroyed last.
std::unique_ptr<TDrawBackend>& WindowBackendSlot() {
    static std::unique_ptr<TDrawBackend> slot = [] {
        UnregisterTextureOwner(0);
        return std::unique_ptr<TDrawBackend>();
    }();
    return slot;
}

TDrawBackend* WindowBackend();
TDrawBackend* Current() {
    return g_backend != nullptr ? g_backend : WindowBackend();
}

struct Transform {
    float ax, ay, c, s, sx, sy;
    TVertex At(float px, float py, float u = 0, float v = 0) const {
        float lx = px * sx, ly = py * sy;
        return {ax + lx * c - ly * s, ay + lx * s + ly * c, u, v};
    }
    // The local point that At places at screen (x, y); the scale must not be zero.
    void Local(float x, float y, float& px, float& py) const {
        float dx = x - ax, dy = y - ay;
        px = (dx * c + dy * s) / sx;
        py = (dy * c - dx * s) / sy;
    }
};

Transform MakeTransform(float x, float y) {
    float rad = g_state.rotation * std::numbers::pi_v<float> / 180.0f;
    return {x + g_state.originX, y + g_state.originY, std::cos(rad),
            std::sin(rad),       g_state.scaleX,      g_state.scaleY};
}

// Two triangles of the rectangle (x0, y0)-(x1, y1) in local space with texture coordinates.
void AddQuad(std::vector<TVertex>& out, const Transform& t, float x0, float y0, float x1, float y1,
             float u0 = 0, float v0 = 0, float u1 = 0, float v1 = 0) {
    TVertex a = t.At(x0, y0, u0, v0), b = t.At(x1, y0, u1, v0), c = t.At(x1, y1, u1, v1),
            d = t.At(x0, y1, u0, v1);
    out.insert(out.end(), {a, b, c, a, c, d});
}

void Submit(TDrawCommand&& command) {
    if (TDrawBackend* backend = Current()) backend->Submit(command);
}

TDrawCommand Command(const char* op, std::vector<float> args) {
    TDrawCommand command;
    command.op = op;
    command.args = std::move(args);
    command.state = g_state;
    return command;
}

// ---- SDL backend ----

// Every texture a backend made and nobody has released yet, with the backend that made it.
std::unordered_map<void*, uint64_t>& LiveTextures() {
    static std::unordered_map<void*, uint64_t> live;
    return live;
}

void ReleaseTexture(void* handle) {
    LiveTextures().erase(handle);
    SDL_DestroyTexture(static_cast<SDL_Texture*>(handle));
}

SDL_BlendMode ToSdlBlend(int blend) {
    switch (blend) {
        case SOLIDBLEND:
            return SDL_BLENDMODE_NONE;
        case LIGHTBLEND:
            return SDL_BLENDMODE_ADD;
        case SHADEBLEND:
            return SDL_BLENDMODE_MOD;
        default:
            return SDL_BLENDMODE_BLEND;
    }
}

class SdlBackend : public TDrawBackend {
  public:
    SdlBackend(SDL_Renderer* renderer, SDL_Surface* ownedSurface)
        : renderer_(renderer),
          surface_(ownedSurface),
          owner_(RegisterTextureOwner(&ReleaseTexture)),
          white_(TImage::FromPixmap(TPixmap(2, 2, 0xFFFFFFFFu), 0)) {}
    ~SdlBackend() override {
        UnregisterTextureOwner(owner_);
        // The renderer takes its textures with it (an owned one below, the window's when it was closed).
        std::erase_if(LiveTextures(), [this](const auto& entry) { return entry.second == owner_; });
        if (surface_ != nullptr) {
            SDL_DestroyRenderer(renderer_);
            SDL_FreeSurface(surface_);
        }
    }

    void Submit(const TDrawCommand& cmd) override {
        const TDrawState& st = cmd.state;
        SDL_Rect clip{st.viewportX, st.viewportY, st.viewportW, st.viewportH};
        SDL_RenderSetClipRect(renderer_, &clip);
        if (cmd.op == "Cls") {
            SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
            SDL_SetRenderDrawColor(renderer_, Uint8(st.clsRed), Uint8(st.clsGreen), Uint8(st.clsBlue), 255);
            SDL_RenderFillRect(renderer_, &clip);
            return;
        }
        if (cmd.vertices.empty()) return;
        // Shapes use a small white texture too, so every renderer applies the texture blend mode the same way
        // (SDL's software renderer ignores the blend mode of untextured geometry).
        bool shape = cmd.image == nullptr;
        SDL_Texture* texture = TextureOf(shape ? *white_ : *cmd.image, shape ? 0 : cmd.frame);
        if (texture == nullptr) return;
        SDL_SetTextureBlendMode(texture, ToSdlBlend(st.blend));
        SDL_Color color{
            Uint8(std::clamp(st.red, 0, 255)), Uint8(std::clamp(st.green, 0, 255)),
            Uint8(std::clamp(st.blue, 0, 255)),
            Uint8(st.blend == SOLIDBLEND ? 255 : std::lround(std::clamp(st.alpha, 0.0f, 1.0f) * 255.0f))};
        vertices_.clear();
        // Shape triangles span the whole white texture: SDL's software renderer takes a fill path that
        // ignores blend modes when a triangle's texture coordinates collapse to one point.
        static constexpr SDL_FPoint kSpan[3] = {{0, 0}, {1, 0}, {1, 1}};
        for (size_t i = 0; i < cmd.vertices.size(); ++i) {
            const TVertex& v = cmd.vertices[i];
            vertices_.push_back(SDL_Vertex{{v.x, v.y}, color, shape ? kSpan[i % 3] : SDL_FPoint{v.u, v.v}});
        }
        SDL_RenderGeometry(renderer_, texture, vertices_.data(), int(vertices_.size()), nullptr, 0);
    }

    void Precache(const TImage& image) override {
        for (int f = 0; f < image.Frames(); ++f) TextureOf(image, f);
    }

    TPixmap Grab(int x, int y, int w, int h) override {
        TPixmap out(std::max(0, w), std::max(0, h), 0);
        if (out.Empty()) return out;
        int outW = 0, outH = 0;
        SDL_GetRendererOutputSize(renderer_, &outW, &outH);
        int logW = 0, logH = 0;
        SDL_RenderGetLogicalSize(renderer_, &logW, &logH);
        if (logW <= 0 || logH <= 0) {
            logW = outW;
            logH = outH;
        }
        TPixmap full(outW, outH, 0);
        SDL_RenderSetClipRect(renderer_, nullptr);
        SDL_Rect viewport;
        SDL_RenderGetViewport(renderer_, &viewport);
        SDL_RenderSetViewport(renderer_, nullptr);
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, full.pixels.data(), outW * 4);
        SDL_RenderSetViewport(renderer_, &viewport);
        // Logical pixels map to output pixels by the renderer's scale; sample the nearest.
        float fx = float(outW) / float(logW), fy = float(outH) / float(logH);
        for (int row = 0; row < out.height; ++row) {
            for (int col = 0; col < out.width; ++col) {
                int sx = int((float(x + col) + 0.5f) * fx), sy = int((float(y + row) + 0.5f) * fy);
                if (sx < 0 || sy < 0 || sx >= outW || sy >= outH) continue;
                out.WritePixel(col, row, full.ReadPixel(sx, sy) | 0xFF000000u);
            }
        }
        return out;
    }

  private:
    SDL_Texture* TextureOf(const TImage& image, int frame) {
        TImage::TextureSlot& slot = image.Slot(frame);
        const TPixmap& pixels = image.Pixels(frame);
        if (pixels.Empty()) return nullptr;
        if (slot.handle != nullptr && slot.owner != owner_) slot.handle = nullptr;  // made by a dead renderer
        if (slot.handle == nullptr) {
            SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                                     SDL_TEXTUREACCESS_STATIC, pixels.width, pixels.height);
            if (texture == nullptr) return nullptr;
            LiveTextures()[texture] = owner_;
            SDL_SetTextureScaleMode(texture, image.Filtered() ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
            slot.handle = texture;
            slot.owner = owner_;
            slot.version = 0;
        }
        auto* texture = static_cast<SDL_Texture*>(slot.handle);
        if (slot.version != image.Version(frame)) {
            SDL_UpdateTexture(texture, nullptr, pixels.pixels.data(), pixels.width * 4);
            slot.version = image.Version(frame);
        }
        return texture;
    }

    SDL_Renderer* renderer_;
    SDL_Surface* surface_;
    uint64_t owner_;
    std::shared_ptr<TImage> white_;
    std::vector<SDL_Vertex> vertices_;
};

// Follows the window's renderer: a new renderer (new generation) gets a new backend, so textures are
// uploaded again; a closed display drops the backend without touching the dead renderer.
TDrawBackend* WindowBackend() {
    SDL_Renderer* renderer = GraphicsRenderer();
    if (renderer == nullptr) {
        WindowBackendSlot().reset();
        return nullptr;
    }
    std::unique_ptr<TDrawBackend>& windowBackend = WindowBackendSlot();
    if (!windowBackend || g_windowGeneration != GraphicsGeneration()) {
        windowBackend = std::make_unique<SdlBackend>(renderer, nullptr);
        g_windowGeneration = GraphicsGeneration();
    }
    return windowBackend.get();
}

// ---- collisions ----

// An image entry keeps the transform its DrawImage would use and tests each screen pixel at its centre
// against the image pixel under it, as the renderer samples it; a rectangle stays axis-aligned. The box
// (x, y, w, h) bounds the pixels an entry can cover, so a test only walks the overlap of two boxes.
struct CollisionEntry {
    const TImage* image = nullptr;  // null for a rectangle
    int frame = 0;
    Transform place{};               // screen position of the image's handle-relative pixels
    float handleX = 0, handleY = 0;  // the handle when written
    int x = 0, y = 0, w = 0, h = 0;  // bounding box
    void* id = nullptr;
    uint32_t layers = 0;
};
std::vector<CollisionEntry> g_collisions;

bool Solid(const CollisionEntry& e, int px, int py) {
    if (px < e.x || py < e.y || px >= e.x + e.w || py >= e.y + e.h) return false;
    if (e.image == nullptr) return true;
    float lx = 0, ly = 0;
    e.place.Local(float(px) + 0.5f, float(py) + 0.5f, lx, ly);
    float ix = std::floor(lx + e.handleX), iy = std::floor(ly + e.handleY);
    const TPixmap& pixels = e.image->Pixels(e.frame);
    if (ix < 0 || iy < 0 || ix >= float(std::min(e.image->Width(), pixels.width)) ||
        iy >= float(std::min(e.image->Height(), pixels.height)))
        return false;
    return (pixels.ReadPixel(int(ix), int(iy)) >> 24) != 0;
}

bool Overlap(const CollisionEntry& a, const CollisionEntry& b) {
    int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px)
            if (Solid(a, px, py) && Solid(b, px, py)) return true;
    return false;
}

// Whole pixels covering [lo, hi), kept far from int overflow; empty for a degenerate or non-finite span.
void PixelSpan(float lo, float hi, int& start, int& count) {
    constexpr float kLimit = 1 << 24;
    start = 0;
    count = 0;
    if (!(lo < hi)) return;
    lo = std::floor(std::clamp(lo, -kLimit, kLimit));
    hi = std::ceil(std::clamp(hi, -kLimit, kLimit));
    start = int(lo);
    count = int(hi - lo);
}

std::vector<void*> Collide(CollisionEntry entry, uint32_t collideMask, uint32_t writeMask) {
    std::vector<void*> hits;
    if (collideMask != 0) {
        for (const CollisionEntry& other : g_collisions)
            if ((other.layers & collideMask) != 0 && Overlap(entry, other)) hits.push_back(other.id);
    }
    if (writeMask != 0) {
        entry.layers = writeMask;
        g_collisions.push_back(entry);
    }
    return hits;
}

}  // namespace

TPixmap TRecordingBackend::Grab(int, int, int w, int h) {
    return TPixmap(std::max(0, w), std::max(0, h), 0);
}

std::vector<const TDrawCommand*> TRecordingBackend::Find(const std::string& op) const {
    std::vector<const TDrawCommand*> out;
    for (const TDrawCommand& c : calls)
        if (c.op == op) out.push_back(&c);
    return out;
}

std::unique_ptr<TDrawBackend> CreateOffscreenBackend(int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return nullptr;
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    if (renderer == nullptr) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return std::make_unique<SdlBackend>(renderer, surface);
}

int LiveTextureCount() {
    return static_cast<int>(LiveTextures().size());
}

void SetDrawBackend(TDrawBackend* backend) {
    g_backend = backend;
}
TDrawBackend* GetDrawBackend() {
    return Current();
}

const TDrawState& GetDrawState() {
    return g_state;
}
void SetDrawState(const TDrawState& state) {
    g_state = state;
}

void ResetDrawStateDefaults(int screenWidth, int screenHeight) {
    g_state = TDrawState{};
    g_state.viewportW = screenWidth;
    g_state.viewportH = screenHeight;
}

void SetBlend(int blend) {
    g_state.blend = blend;
}
int GetBlend() {
    return g_state.blend;
}

void SetColor(int red, int green, int blue) {
    g_state.red = red;
    g_state.green = green;
    g_state.blue = blue;
}

void GetColor(int& red, int& green, int& blue) {
    red = g_state.red;
    green = g_state.green;
    blue = g_state.blue;
}

void SetAlpha(float alpha) {
    g_state.alpha = alpha;
}
float GetAlpha() {
    return g_state.alpha;
}

void SetScale(float x, float y) {
    g_state.scaleX = x;
    g_state.scaleY = y;
}

void GetScale(float& x, float& y) {
    x = g_state.scaleX;
    y = g_state.scaleY;
}

void SetRotation(float degrees) {
    g_state.rotation = degrees;
}
float GetRotation() {
    return g_state.rotation;
}

void SetOrigin(float x, float y) {
    g_state.originX = x;
    g_state.originY = y;
}

void SetHandle(float x, float y) {
    g_state.handleX = x;
    g_state.handleY = y;
}

void SetClsColor(int red, int green, int blue) {
    g_state.clsRed = red;
    g_state.clsGreen = green;
    g_state.clsBlue = blue;
}

void SetViewport(int x, int y, int w, int h) {
    g_state.viewportX = x;
    g_state.viewportY = y;
    g_state.viewportW = w;
    g_state.viewportH = h;
}

void GetViewport(int& x, int& y, int& w, int& h) {
    x = g_state.viewportX;
    y = g_state.viewportY;
    w = g_state.viewportW;
    h = g_state.viewportH;
}

void SetImageFont(std::shared_ptr<TImageFont> font) {
    g_state.font = std::move(font);
}
std::shared_ptr<TImageFont> GetImageFont() {
    return g_state.font;
}

void Cls() {
    Submit(Command("Cls", {}));
}

void DrawImage(const TImage* image, float x, float y, int frame) {
    if (image == nullptr) return;
    TDrawCommand c = Command("DrawImage", {x, y, float(frame)});
    c.image = image;
    c.frame = frame;
    Transform t = MakeTransform(x, y);
    float w = float(image->Width()), h = float(image->Height());
    AddQuad(c.vertices, t, -image->handleX, -image->handleY, w - image->handleX, h - image->handleY, 0, 0, 1,
            1);
    Submit(std::move(c));
}

void DrawSubImageRect(const TImage* image, float x, float y, float w, float h, float sx, float sy, float sw,
                      float sh, float hx, float hy, int frame) {
    if (image == nullptr || image->Width() <= 0 || image->Height() <= 0) return;
    TDrawCommand c = Command("DrawSubImageRect", {x, y, w, h, sx, sy, sw, sh, hx, hy, float(frame)});
    c.image = image;
    c.frame = frame;
    float iw = float(image->Width()), ih = float(image->Height());
    AddQuad(c.vertices, MakeTransform(x, y), -hx, -hy, w - hx, h - hy, sx / iw, sy / ih, (sx + sw) / iw,
            (sy + sh) / ih);
    Submit(std::move(c));
}

void DrawRect(float x, float y, float w, float h) {
    TDrawCommand c = Command("DrawRect", {x, y, w, h});
    AddQuad(c.vertices, MakeTransform(x, y), -g_state.handleX, -g_state.handleY, w - g_state.handleX,
            h - g_state.handleY);
    Submit(std::move(c));
}

void DrawLine(float x1, float y1, float x2, float y2, bool lastPixel) {
    TDrawCommand c = Command("DrawLine", {x1, y1, x2, y2, lastPixel ? 1.0f : 0.0f});
    Transform t = MakeTransform(x1, y1);
    TVertex a = t.At(-g_state.handleX, -g_state.handleY),
            b = t.At(x2 - x1 - g_state.handleX, y2 - y1 - g_state.handleY);
    // A one-pixel wide band through the pixel centres, reaching half a pixel past the first end and, with
    // the last pixel, past the second; without it the band stops half a pixel short of the last centre.
    float dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
    float ux = len > 0 ? dx / len : 1.0f, uy = len > 0 ? dy / len : 0.0f;
    float ax = a.x + 0.5f - ux * 0.5f, ay = a.y + 0.5f - uy * 0.5f;
    float end = lastPixel ? 0.5f : -0.5f;
    float bx = b.x + 0.5f + ux * end, by = b.y + 0.5f + uy * end;
    float nx = -uy * 0.5f, ny = ux * 0.5f;
    TVertex p{ax + nx, ay + ny}, q{bx + nx, by + ny}, r{bx - nx, by - ny}, s{ax - nx, ay - ny};
    c.vertices = {p, q, r, p, r, s};
    Submit(std::move(c));
}

void DrawOval(float x, float y, float w, float h) {
    TDrawCommand c = Command("DrawOval", {x, y, w, h});
    Transform t = MakeTransform(x, y);
    float rx = w / 2, ry = h / 2;
    float cx = rx - g_state.handleX, cy = ry - g_state.handleY;
    int segments = std::clamp(int((std::fabs(rx * t.sx) + std::fabs(ry * t.sy)) * 0.75f), 12, 128);
    TVertex centre = t.At(cx, cy);
    for (int i = 0; i < segments; ++i) {
        float a0 = 2 * std::numbers::pi_v<float> * float(i) / float(segments);
        float a1 = 2 * std::numbers::pi_v<float> * float(i + 1) / float(segments);
        c.vertices.push_back(centre);
        c.vertices.push_back(t.At(cx + rx * std::cos(a0), cy + ry * std::sin(a0)));
        c.vertices.push_back(t.At(cx + rx * std::cos(a1), cy + ry * std::sin(a1)));
    }
    Submit(std::move(c));
}

void Plot(float x, float y) {
    TDrawCommand c = Command("Plot", {x, y});
    float px = x + g_state.originX, py = y + g_state.originY;
    TVertex a{px, py}, b{px + 1, py}, d{px + 1, py + 1}, e{px, py + 1};
    c.vertices = {a, b, d, a, d, e};
    Submit(std::move(c));
}

void DrawText(const std::string& text, float x, float y) {
    TDrawCommand c = Command("DrawText", {x, y});
    c.text = text;
    TImageFont* font = g_state.font.get();
    if (font != nullptr && !text.empty()) {
        std::vector<TGlyphQuad> quads = font->Layout(text);
        const TImage* atlas = font->Atlas();
        c.image = atlas;
        if (atlas != nullptr && atlas->Width() > 0 && atlas->Height() > 0) {
            Transform t = MakeTransform(x, y);
            float aw = float(atlas->Width()), ah = float(atlas->Height());
            for (const TGlyphQuad& q : quads) {
                float x0 = q.x - g_state.handleX, y0 = q.y - g_state.handleY;
                AddQuad(c.vertices, t, x0, y0, x0 + q.w, y0 + q.h, float(q.atlasX) / aw, float(q.atlasY) / ah,
                        float(q.atlasX + q.atlasW) / aw, float(q.atlasY + q.atlasH) / ah);
            }
        }
    }
    Submit(std::move(c));
}

float TextWidth(const std::string& text) {
    return g_state.font ? g_state.font->TextWidth(text) : 0.0f;
}

float TextHeight(const std::string&) {
    return g_state.font ? g_state.font->LineHeight() : 0.0f;
}

void PrecacheImage(const TImage* image) {
    TDrawBackend* backend = Current();
    if (image != nullptr && backend != nullptr) backend->Precache(*image);
}

TPixmap GrabPixmap(int x, int y, int w, int h) {
    TDrawBackend* backend = Current();
    if (backend == nullptr) return TPixmap(std::max(0, w), std::max(0, h), 0);
    return backend->Grab(x, y, w, h);
}

void GrabImage(TImage* image, int x, int y, int frame) {
    if (image == nullptr) return;
    image->Lock(frame) = GrabPixmap(x, y, image->Width(), image->Height());
}

void ResetCollisions(uint32_t mask) {
    if (mask == 0) {
        g_collisions.clear();
        return;
    }
    for (CollisionEntry& e : g_collisions) e.layers &= ~mask;
    std::erase_if(g_collisions, [](const CollisionEntry& e) { return e.layers == 0; });
}

std::vector<void*> CollideImage(const TImage* image, float x, float y, int frame, uint32_t collideMask,
                                uint32_t writeMask, void* id) {
    if (image == nullptr) return {};
    Transform place = MakeTransform(x, y);
    // Positions snap down to whole pixels: the unscaled top-left corner lands on a pixel boundary, so an
    // unscaled, unrotated image covers exactly its own pixel grid.
    float cornerX = place.ax - image->handleX, cornerY = place.ay - image->handleY;
    place.ax += std::floor(cornerX) - cornerX;
    place.ay += std::floor(cornerY) - cornerY;
    CollisionEntry e{.image = image,
                     .frame = frame,
                     .place = place,
                     .handleX = image->handleX,
                     .handleY = image->handleY,
                     .id = id};
    if (place.sx != 0 && place.sy != 0) {
        float x0 = -image->handleX, y0 = -image->handleY;
        float x1 = float(image->Width()) + x0, y1 = float(image->Height()) + y0;
        const std::array<TVertex, 4> quad{place.At(x0, y0), place.At(x1, y0), place.At(x1, y1),
                                          place.At(x0, y1)};
        auto [left, right] =
            std::minmax_element(quad.begin(), quad.end(), [](auto& a, auto& b) { return a.x < b.x; });
        auto [top, bottom] =
            std::minmax_element(quad.begin(), quad.end(), [](auto& a, auto& b) { return a.y < b.y; });
        PixelSpan(left->x, right->x, e.x, e.w);
        PixelSpan(top->y, bottom->y, e.y, e.h);
    }
    return Collide(e, collideMask, writeMask);
}

std::vector<void*> CollideRect(float x, float y, float w, float h, uint32_t collideMask, uint32_t writeMask,
                               void* id) {
    CollisionEntry e{.x = int(std::floor(x + g_state.originX)),
                     .y = int(std::floor(y + g_state.originY)),
                     .w = int(std::ceil(w)),
                     .h = int(std::ceil(h)),
                     .id = id};
    return Collide(e, collideMask, writeMask);
}
