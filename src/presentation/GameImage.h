// TGameImage: a named image with its frame size cached, the unit that the image bank hands out and
// sprites, buttons and screens draw.
//
// The name is the file name without folder and extension, upper-cased, so banks find an image by the
// same key whatever folder it came from.
//
// Used by the image bank, the sprites and widgets and the game's screens.
#pragma once

#include <memory>
#include <string>

class TImage;

class TGameImage {
  public:
    std::string name;
    std::shared_ptr<TImage> image;
    int w = 0, h = 0;
    float w2 = 0, h2 = 0;
    int midhandled = 0;
    int tag = 0;

    // Bytes the frames take in memory, and as power-of-two textures.
    int CalcRAM() const;
    int CalcVRAM() const;
    static std::shared_ptr<TGameImage> Create(const std::string& path, int flags, int midHandle);
    static std::shared_ptr<TGameImage> CreateAuto(const std::string& path, int cellW, int cellH, int first,
                                                  int count, int flags, int midHandle);
    static std::shared_ptr<TGameImage> CreateFromImage(std::shared_ptr<TImage> image, const std::string& name,
                                                       int midHandle);
    void Draw(float x, float y) const;
    void GetSize();
    // Fatal ("Error loading bitmap " + path) when the file cannot be loaded.
    void Load(const std::string& path, int flags, int midHandle);
    // Fatal ("Error loading anim bitmap " + path) when the strip cannot be loaded.
    void LoadAnim(const std::string& path, int cellW, int cellH, int first, int count, int flags,
                  int midHandle);
    void MidHandle(int on);
    void Precache() const;
};
