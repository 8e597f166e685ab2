// Draw state, geometry of every drawing operation, the SDL and recording backends, and collisions.
//
// Geometry is computed here once for every backend: a point p of an item's local space (pixels, handle
// already subtracted) lands on screen at anchor + R(rotation) * (scaleX * p.x, scaleY * p.y) + origin.
#include "platform/Draw.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

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

TFrameStats g_lastStats;

// One command as the SDL backend draws it. Two of them with equal pictures, blending, colour, clip
// and vertices put the same pixels on the same picture underneath.
struct TPending {
    SDL_Texture* texture = nullptr;  // null: a fill of the clip rectangle (Cls)
    uint64_t picture = 0;            // the texture's contents: the image frame's version
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_Color color{};  // the fill colour of a Cls
    SDL_Rect clip{};
    std::vector<SDL_Vertex> vertices;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // logical pixels it can touch, with a pixel to spare
    uint64_t hash = 0;

    bool operator==(const TPending& o) const {
        return picture == o.picture && blend == o.blend && std::memcmp(&color, &o.color, sizeof color) == 0 &&
               std::memcmp(&clip, &o.clip, sizeof clip) == 0 && vertices.size() == o.vertices.size() &&
               (vertices.empty() ||
                std::memcmp(vertices.data(), o.vertices.data(), vertices.size() * sizeof(SDL_Vertex)) == 0);
    }
    bool Overlaps(const TPending& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

uint64_t Fnv(uint64_t hash, const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ull;
    return hash;
}

uint64_t HashOf(const TPending& e) {
    uint64_t h = 0xcbf29ce484222325ull;
    h = Fnv(h, &e.picture, sizeof e.picture);
    h = Fnv(h, &e.blend, sizeof e.blend);
    h = Fnv(h, &e.color, sizeof e.color);
    h = Fnv(h, &e.clip, sizeof e.clip);
    return Fnv(h, e.vertices.data(), e.vertices.size() * sizeof(SDL_Vertex));
}

// The live SDL backends, linked through their next_: a plain pointer is never destroyed, so images
// released at exit can still ask whether a frame holds their texture.
class SdlBackend;
SdlBackend* g_firstSdlBackend = nullptr;

bool HeldByAFrame(SDL_Texture* texture);

// A texture that a held-back command still draws with is destroyed once its frame is drawn.
void ReleaseTexture(void* handle) {
    auto* texture = static_cast<SDL_Texture*>(handle);
    LiveTextures().erase(texture);  // its image let go of it; a held-back frame may still draw it once
    if (!HeldByAFrame(texture)) SDL_DestroyTexture(texture);
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
          white_(TImage::FromPixmap(TPixmap(2, 2, 0xFFFFFFFFu), 0)) {
        next_ = g_firstSdlBackend;
        g_firstSdlBackend = this;
    }
    // A window backend's renderer is already gone when it is dropped, and took every texture with it.
    ~SdlBackend() override {
        for (SdlBackend** link = &g_firstSdlBackend; *link != nullptr; link = &(*link)->next_)
            if (*link == this) {
                *link = next_;
                break;
            }
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
        TPending e;
        e.clip = SDL_Rect{st.viewportX, st.viewportY, st.viewportW, st.viewportH};
        float x0 = float(e.clip.x), y0 = float(e.clip.y);
        float x1 = x0 + float(std::max(0, e.clip.w)), y1 = y0 + float(std::max(0, e.clip.h));
        if (cmd.op == "Cls") {
            e.color = SDL_Color{Uint8(st.clsRed), Uint8(st.clsGreen), Uint8(st.clsBlue), 255};
        } else {
            if (cmd.vertices.empty()) return;
            // Shapes use a small white texture too, so every renderer applies the texture blend mode the same
            // way (SDL's software renderer ignores the blend mode of untextured geometry).
            bool shape = cmd.image == nullptr;
            const TImage& image = shape ? *white_ : *cmd.image;
            const int frame = shape ? 0 : cmd.frame;
            e.texture = TextureOf(image, frame);
            if (e.texture == nullptr) return;
            e.picture = image.Version(frame);
            e.blend = ToSdlBlend(st.blend);
            SDL_Color color{
                Uint8(std::clamp(st.red, 0, 255)), Uint8(std::clamp(st.green, 0, 255)),
                Uint8(std::clamp(st.blue, 0, 255)),
                Uint8(st.blend == SOLIDBLEND ? 255 : std::lround(std::clamp(st.alpha, 0.0f, 1.0f) * 255.0f))};
            // Shape triangles span the whole white texture: SDL's software renderer takes a fill path that
            // ignores blend modes when a triangle's texture coordinates collapse to one point.
            static constexpr SDL_FPoint kSpan[3] = {{0, 0}, {1, 0}, {1, 1}};
            float lo[2] = {cmd.vertices[0].x, cmd.vertices[0].y}, hi[2] = {lo[0], lo[1]};
            e.vertices.reserve(cmd.vertices.size());
            for (size_t i = 0; i < cmd.vertices.size(); ++i) {
                const TVertex& v = cmd.vertices[i];
                e.vertices.push_back(
                    SDL_Vertex{{v.x, v.y}, color, shape ? kSpan[i % 3] : SDL_FPoint{v.u, v.v}});
                lo[0] = std::min(lo[0], v.x), lo[1] = std::min(lo[1], v.y);
                hi[0] = std::max(hi[0], v.x), hi[1] = std::max(hi[1], v.y);
            }
            x0 = std::max(x0, lo[0] - 1), y0 = std::max(y0, lo[1] - 1);
            x1 = std::min(x1, hi[0] + 1), y1 = std::min(y1, hi[1] + 1);
        }
        e.x0 = x0, e.y0 = y0, e.x1 = x1, e.y1 = y1;
        e.hash = HashOf(e);
        frameHashes_.push_back(e.hash);
        if (e.texture != nullptr) pendingTextures_.insert(e.texture);
        pending_.push_back(std::move(e));
        // A frame that is never ended (a test drawing without a grab) must not grow without bound.
        if (pending_.size() > kMaxPending) DrawHeldBackNow();
    }

    void Precache(const TImage& image) override {
        for (int f = 0; f < image.Frames(); ++f) TextureOf(image, f);
    }

    TPixmap Grab(int x, int y, int w, int h) override {
        DrawHeldBackNow();
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

    void EndFrame() override {
        TFrameStats stats;
        stats.commands = int(frameHashes_.size());
        if (drawnEarly_) {
            stats.live = stats.commands;
            DrawHeldBackNow();
        } else {
            Resolve(stats);
        }
        std::unordered_map<uint64_t, int> ages;
        ages.reserve(frameHashes_.size());
        for (uint64_t hash : frameHashes_) {
            auto it = age_.find(hash);
            ages[hash] = forcedLive_.contains(hash) ? 0 : it == age_.end() ? 1 : it->second + 1;
        }
        age_ = std::move(ages);
        forcedLive_.clear();
        frameHashes_.clear();
        drawnEarly_ = false;
        g_lastStats = stats;
    }

    // Keeps a texture that a held-back command draws with until the frame is drawn.
    bool Hold(SDL_Texture* texture) {
        if (!pendingTextures_.contains(texture)) return false;
        graveyard_.push_back(texture);
        return true;
    }

  private:
    static constexpr size_t kMaxPending = 1 << 16;

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
            // Commands held back with the old pixels must draw them before the texture changes.
            if (pendingTextures_.contains(texture)) DrawHeldBackNow();
            SDL_UpdateTexture(texture, nullptr, pixels.pixels.data(), pixels.width * 4);
            slot.version = image.Version(frame);
        }
        return texture;
    }

    void Draw(const TPending& e) {
        SDL_RenderSetClipRect(renderer_, &e.clip);
        if (e.texture == nullptr) {
            SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
            SDL_SetRenderDrawColor(renderer_, e.color.r, e.color.g, e.color.b, 255);
            SDL_RenderFillRect(renderer_, &e.clip);
            return;
        }
        SDL_SetTextureBlendMode(e.texture, e.blend);
        SDL_RenderGeometry(renderer_, e.texture, e.vertices.data(), int(e.vertices.size()), nullptr, 0);
    }

    // Draws every held-back command as it is, in order; the rest of the frame goes without the cache.
    void DrawHeldBackNow() {
        if (pending_.empty()) return;
        for (const TPending& e : pending_) Draw(e);
        DropHeldBack();
        drawnEarly_ = true;
    }

    // Forgets the drawn held-back commands and destroys the textures released while they were held.
    void DropHeldBack() {
        pending_.clear();
        pendingTextures_.clear();
        for (SDL_Texture* texture : graveyard_) SDL_DestroyTexture(texture);
        graveyard_.clear();
    }

    // The logical screen and the renderer's scale to output pixels.
    void Screen(float& w, float& h, float& sx, float& sy) const {
        int lw = 0, lh = 0;
        SDL_RenderGetLogicalSize(renderer_, &lw, &lh);
        SDL_RenderGetScale(renderer_, &sx, &sy);
        if (lw <= 0 || lh <= 0) {
            int ow = 0, oh = 0;
            SDL_GetRendererOutputSize(renderer_, &ow, &oh);
            lw = int(float(ow) / sx);
            lh = int(float(oh) / sy);
        }
        w = float(lw);
        h = float(lh);
    }

    // Whatever lay under it, the command leaves the same pixels on the whole screen.
    static bool CoversScreen(const TPending& e, float w, float h) {
        if (e.blend != SDL_BLENDMODE_NONE || e.clip.x > 0 || e.clip.y > 0 || float(e.clip.x + e.clip.w) < w ||
            float(e.clip.y + e.clip.h) < h)
            return false;
        if (e.texture == nullptr) return true;
        if (e.vertices.size() != 6) return false;
        // DrawImage's quad a b c, a c d, unrotated.
        const SDL_FPoint &a = e.vertices[0].position, &b = e.vertices[1].position,
                         &c = e.vertices[2].position, &d = e.vertices[5].position;
        auto same = [](const SDL_FPoint& p, const SDL_FPoint& q) { return p.x == q.x && p.y == q.y; };
        if (!same(e.vertices[3].position, a) || !same(e.vertices[4].position, c)) return false;
        if (a.y != b.y || b.x != c.x || c.y != d.y || d.x != a.x) return false;
        return std::min(a.x, c.x) <= 0 && std::min(a.y, c.y) <= 0 && std::max(a.x, c.x) >= w &&
               std::max(a.y, c.y) >= h;
    }

    // A target texture of the output's pixels under the logical screen; false when the renderer has none.
    bool PrepareCache(float w, float h, float sx, float sy) {
        int ow = 0, oh = 0;
        SDL_GetRendererOutputSize(renderer_, &ow, &oh);
        const int cw = std::min(ow, int(std::ceil(w * sx - 0.001f)));
        const int ch = std::min(oh, int(std::ceil(h * sy - 0.001f)));
        if (cache_ != nullptr && cw == cacheW_ && ch == cacheH_ && sx == cacheSx_ && sy == cacheSy_)
            return true;
        if (cache_ != nullptr) SDL_DestroyTexture(cache_);
        cacheList_.clear();
        cacheHashes_.clear();
        cache_ = cw > 0 && ch > 0 ? SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                                      SDL_TEXTUREACCESS_TARGET, cw, ch)
                                  : nullptr;
        if (cache_ == nullptr) return false;
        SDL_SetTextureScaleMode(cache_, SDL_ScaleModeNearest);
        SDL_SetTextureBlendMode(cache_, SDL_BLENDMODE_NONE);
        cacheW_ = cw, cacheH_ = ch, cacheSx_ = sx, cacheSy_ = sy;
        cacheValid_ = false;
        return true;
    }

    // Draws the held-back frame. Commands before the last full-screen cover are hidden by it. A command that
    // drew the same for FrameCacheSettleFrames frames in a row, or is in the cache and drew the same on the
    // previous frame, is still; one that did not is live, and so is every later command that overlaps a live
    // one. The settling keeps a slow animation, which repeats a frame now and then, from moving in and out of
    // the cache, each time at the price of drawing the cache anew. When the first command drawn is a still
    // full-screen cover, the still commands come from the cache and only the live ones are drawn on top: no
    // pixel sees its commands in another order, so the picture is the one drawing them all would give.
    void Resolve(TFrameStats& stats) {
        const size_t n = pending_.size();
        if (n > 0) {
            float w = 0, h = 0, sx = 1, sy = 1;
            Screen(w, h, sx, sy);
            size_t first = 0;
            bool covered = false;
            for (size_t i = 0; i < n; ++i)
                if (CoversScreen(pending_[i], w, h)) first = i, covered = true;
            stats.hidden = int(first);
            std::vector<char> still(n, 0);
            std::vector<const TPending*> live, changed;
            for (size_t i = first; i < n; ++i) {
                const TPending& e = pending_[i];
                auto age = age_.find(e.hash);
                const bool settled = age != age_.end() &&
                                     (age->second >= FrameCacheSettleFrames || cacheHashes_.contains(e.hash));
                const auto overlaps = [&](const TPending* l) { return l->Overlaps(e); };
                const bool overlapped = std::any_of(live.begin(), live.end(), overlaps);
                // Lying on something that changed starts the count again, so that the pointer does not move
                // in and out of the cache with every sparkle that passes under it.
                if (std::any_of(changed.begin(), changed.end(), overlaps)) forcedLive_.insert(e.hash);
                still[i] = settled && !overlapped;
                if (!still[i]) live.push_back(&e);
                if (age == age_.end()) changed.push_back(&e);
            }
            if (covered && still[first] && PrepareCache(w, h, sx, sy)) {
                std::vector<TPending*> kept;
                for (size_t i = first; i < n; ++i)
                    if (still[i]) kept.push_back(&pending_[i]);
                bool same = cacheValid_ && kept.size() == cacheList_.size();
                for (size_t i = 0; same && i < kept.size(); ++i) same = *kept[i] == cacheList_[i];
                if (!same) {
                    SDL_SetRenderTarget(renderer_, cache_);
                    SDL_RenderSetScale(renderer_, sx, sy);
                    for (const TPending* e : kept) Draw(*e);
                    SDL_SetRenderTarget(renderer_, nullptr);
                    cacheList_.clear();
                    cacheHashes_.clear();
                    for (TPending* e : kept) {
                        cacheHashes_.insert(e->hash);
                        cacheList_.push_back(std::move(*e));
                    }
                    cacheValid_ = true;
                    stats.cacheRedrawn = true;
                }
                // One output pixel for one cache pixel.
                SDL_RenderSetClipRect(renderer_, nullptr);
                SDL_RenderSetScale(renderer_, 1, 1);
                SDL_Rect whole{0, 0, cacheW_, cacheH_};
                SDL_RenderCopy(renderer_, cache_, nullptr, &whole);
                SDL_RenderSetScale(renderer_, sx, sy);
                stats.cacheUsed = true;
                stats.cached = int(kept.size());
                stats.live = int(live.size());
                for (const TPending* e : live) Draw(*e);
            } else {
                stats.live = int(n - first);
                for (size_t i = first; i < n; ++i) Draw(pending_[i]);
            }
        }
        DropHeldBack();
    }

    SDL_Renderer* renderer_;
    SDL_Surface* surface_;
    uint64_t owner_;
    std::shared_ptr<TImage> white_;
    std::vector<TPending> pending_;                     // the frame's commands not drawn yet
    std::unordered_set<SDL_Texture*> pendingTextures_;  // the textures they draw with
    std::vector<SDL_Texture*> graveyard_;               // released while held: destroyed after the frame
    std::vector<uint64_t> frameHashes_;                 // every command of the frame so far
    // Frames in a row that each command of the previous frame was drawn the same and could have been cached.
    std::unordered_map<uint64_t, int> age_;
    std::unordered_set<uint64_t> forcedLive_;  // drawn live this frame for lying on a live command
    bool drawnEarly_ = false;                  // part of the frame was drawn without the cache
    SDL_Texture* cache_ = nullptr;
    int cacheW_ = 0, cacheH_ = 0;
    float cacheSx_ = 0, cacheSy_ = 0;
    bool cacheValid_ = false;
    std::vector<TPending> cacheList_;           // the commands the cache shows
    std::unordered_set<uint64_t> cacheHashes_;  // and their hashes

  public:
    SdlBackend* next_ = nullptr;  // the next live backend
};

bool HeldByAFrame(SDL_Texture* texture) {
    for (SdlBackend* backend = g_firstSdlBackend; backend != nullptr; backend = backend->next_)
        if (backend->Hold(texture)) return true;
    return false;
}

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
        SetFrameEndHook([] {
            if (TDrawBackend* backend = WindowBackend()) backend->EndFrame();
        });
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

const TFrameStats& LastFrameStats() {
    return g_lastStats;
}

void EndFrame() {
    if (TDrawBackend* backend = Current()) backend->EndFrame();
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
