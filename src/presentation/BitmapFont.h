// TBitmapFont: text drawn from one page image holding every glyph, laid out by a ".fnt" text file
// (each character's rectangle in the page, its offset from the pen and its advance).
//
// Codes below 256 use their own slot; higher codes take extra slots from 256 on, in file order, so a
// font can carry any characters without a table of every code point.
//
// Used by the fonts and text widgets and the game's helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TImage;

class TBitmapFont {
  public:
    double CharGap = 0;
    // Handle mode: every glyph is drawn at the pen position (x, y) through a handle, so the current scale
    // and rotation act on the whole string about that point. HandleX/HandleY is the running handle in the
    // font's units (set by the caller before a draw; each glyph moves it on by its advance).
    int ChangeHandle = 0;
    double HandleX = 0, HandleY = 0;
    double ScaleFactor = 0;
    std::string TestString = "ABCXYZ";
    int ArraySize = 406;
    std::vector<int> ID = std::vector<int>(406, 0);
    std::shared_ptr<TImage> Image;
    int NumChars = 0;
    int NumExtraChars = 0;
    double TextureH = 0, TextureW = 0;
    std::vector<double> width = std::vector<double>(406, 0), height = std::vector<double>(406, 0);
    std::vector<double> xAdvance = std::vector<double>(406, 0);
    std::vector<double> xOffset = std::vector<double>(406, 0), yOffset = std::vector<double>(406, 0);
    std::vector<double> xPos = std::vector<double>(406, 0), yPos = std::vector<double>(406, 0);

    // Loads the page image path + ext and the layout path + ".fnt"; a missing file is fatal.
    static std::shared_ptr<TBitmapFont> Create(const std::string& path, int flags, int spare,
                                               int yOffsetAdjust, const std::string& ext);
    // Reads the layout from the text of a ".fnt" file (the page image is set separately).
    void ParseFnt(const std::string& text, int yOffsetAdjust);

    int CalcVRAM() const;
    int Draw(const std::string& text, double x, double y, int centre, int right, int roundX, int roundY,
             int shadow, int centreY);
    // Align 0 left, 1 centred, 2 right, 3 centred both ways; others draw nothing.
    void DrawAligned(const std::string& text, double x, double y, int align, int roundX, int roundY,
                     int shadow);
    void DrawAlignedWithShadow(const std::string& text, double x, double y, int align, int roundX,
                               int roundY);
    void DrawStringArray(const std::vector<std::string>& lines, double x, double y, int centre, int right,
                         int roundX, int roundY, int shadow, int lineGap, int centreVert);
    void ExpandArrays();
    // The extra slot holding the code, 0 when none.
    int FindChar(char32_t code) const;
    void Kill();
    void Precache() const;
    void ResetHandle();
    double StringHeight(const std::string& s) const;
    double StringWidth(const std::string& s) const;
    std::string TruncateString(const std::string& s, int maxWidth) const;

  private:
    int SlotOf(char32_t code) const;
};
