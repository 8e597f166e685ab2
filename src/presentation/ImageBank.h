// The image bank: TGameImage records found by upper-cased name. A name that is not in the bank is
// a fatal error, so a missing image shows at once instead of as a blank screen.
// Made by the game's start-up wiring (the global ImageBank); used by the game's screens and loaders.
#pragma once

#include <map>
#include <memory>
#include <string>

class TGameImage;
class TImage;

class TImageBank {
  public:
    std::string Path;
    std::string Ext = ".png";
    std::map<std::string, std::shared_ptr<TGameImage>> Map;

    void SetPath(const std::string& path);
    // Loads Path + file (+ Ext when the file has none) and stores it under the file's upper-cased
    // bare name, or under Upper(name) when name is not empty. A file that does not load is fatal.
    void Load(const std::string& file, const std::string& name = "", int flags = -1, int midHandle = 1);
    void LoadNoMid(const std::string& file, const std::string& name = "", int flags = -1);
    // An animation strip from Path + file + Ext, stored under the file's upper-cased bare name.
    void LoadAnim(const std::string& file, int cellWidth, int cellHeight, int firstCell, int cellCount,
                  int flags = -1, int midHandle = 1);
    // The record, or the fatal report "Image '" + NAME + "' was Not found in the ImageBank".
    std::shared_ptr<TGameImage> Find(const std::string& name) const;
    // The record's image, or null; never reports.
    std::shared_ptr<TImage> FindTImage(const std::string& name) const;
    // Kilobytes of all images in memory and as textures.
    int CalcRAM() const;
    int CalcVRAM() const;
    void Precache() const;
};

extern std::unique_ptr<TImageBank> ImageBank;
