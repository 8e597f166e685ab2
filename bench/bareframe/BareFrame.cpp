// The floor a frame of the game is measured against: an 800 x 600 picture drawn full screen with nothing
// else, the way the game shows its picture (desktop full screen, SDL's accelerated renderer with vertical
// sync, a logical size of 800 x 600, linear scaling), one copy of the whole texture per frame, paced to
// 60 frames a second. Runs until it is ended (bench/idle_cpu.sh measures it beside the game).
//
// With "copy" it draws what the game draws for a frame in which nothing changed: the picture composed
// once into a target texture of the output's resolution, copied one to one every frame.
//
//   BareFrame [seconds, 0: until ended] [copy]
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.0;
    const bool copy = argc > 2 && std::string(argv[2]) == "copy";
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Rect bounds{0, 0, 800, 600};
    SDL_GetDisplayBounds(0, &bounds);
    SDL_Window* window = SDL_CreateWindow("Bare frame", bounds.x, bounds.y, bounds.w, bounds.h,
                                          SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
    if (window == nullptr || SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return 1;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer == nullptr) return 1;
    SDL_RenderSetLogicalSize(renderer, 800, 600);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 800, 600);
    if (texture == nullptr) return 1;
    // A picture with detail everywhere, so no part of the copy is trivially uniform.
    std::vector<uint32_t> pixels(800 * 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            pixels[size_t(y) * 800 + size_t(x)] = 0xFF000000u | uint32_t((x * 7) & 255) << 16 |
                                                  uint32_t((y * 5) & 255) << 8 | uint32_t((x ^ y) & 255);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), 800 * 4);
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    float scaleX = 1, scaleY = 1;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    const SDL_Rect whole{0, 0, int(800 * scaleX + 0.5f), int(600 * scaleY + 0.5f)};
    SDL_Texture* composed = nullptr;
    if (copy) {
        composed =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, whole.w, whole.h);
        if (composed == nullptr) return 1;
        SDL_SetTextureScaleMode(composed, SDL_ScaleModeNearest);
        SDL_SetRenderTarget(renderer, composed);
        SDL_RenderSetScale(renderer, scaleX, scaleY);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_SetRenderTarget(renderer, nullptr);
    }

    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 start = SDL_GetPerformanceCounter();
    const double frame = 1.0 / 60.0;
    for (long n = 1;; ++n) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            if (event.type == SDL_QUIT) return 0;
        if (copy) {
            SDL_RenderSetScale(renderer, 1, 1);
            SDL_RenderCopy(renderer, composed, nullptr, &whole);
            SDL_RenderSetScale(renderer, scaleX, scaleY);
        } else {
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        }
        SDL_RenderPresent(renderer);
        // Xvfb does not wait for a vertical blank: the next frame is due one sixtieth of a second later.
        const double now = double(SDL_GetPerformanceCounter() - start) / double(frequency);
        if (seconds > 0 && now >= seconds) break;
        const double due = double(n) * frame;
        if (due > now) SDL_Delay(Uint32((due - now) * 1000.0));
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
