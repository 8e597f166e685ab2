// TFont, the framework's text style (an image font or a bitmap font with colours, shadow and line
// height), and TLabel, a positioned text in such a style that wraps, aligns, scales and draws itself.
//
// A label restores white at alpha 1 after drawing whatever colour it used, so it never tints the next
// widget; a label without a colour simply draws in the caller's colour.
//
// Used by the buttons, dialogs and menus and by the play screen and save-game chooser.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presentation/BitmapFont.h"
#include "presentation/Color.h"

class TImageFont;

class TFont {
  public:
    virtual ~TFont() = default;

    std::shared_ptr<TBitmapFont> BitmapFont;
    std::shared_ptr<TColor> Color;
    int FixedWidth = 0;
    std::shared_ptr<TImageFont> ImageFont;
    std::shared_ptr<TColor> InverseColor;
    std::string Name;
    std::shared_ptr<TShadow> Shadow;
    float H = 0;
    double OldScale = 0;

    void Apply();
    void ApplyCustomColor(const std::shared_ptr<TColor>& color);
    void ApplyInverse();
    void ApplyScale(float scale);
    virtual float CalcHeight();
    static std::shared_ptr<TFont> Create(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                                         std::shared_ptr<TShadow> shadow, int fixedWidth,
                                         std::shared_ptr<TBitmapFont> bitmapFont,
                                         std::shared_ptr<TColor> inverseColor, const std::string& name);
    void Kill();
    void Init(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
              std::shared_ptr<TShadow> shadow, int fixedWidth, std::shared_ptr<TBitmapFont> bitmapFont,
              std::shared_ptr<TColor> inverseColor, const std::string& name);
    // Undoes the last ApplyScale; a bitmap font no ApplyScale changed keeps its scale.
    void RestoreScale();

  protected:
    float FontHeight();

  private:
    bool BitmapScaleSaved = false;
};

class TLabel : public TFont {
  public:
    float Alpha = 1.0f;
    int CentreVertically = 0;
    int LineGap = 0;
    float Scale = 1.0f;
    float X = 0, Y = 0;
    int RoundCoords = 1;
    int RoundXCoord = 0, RoundYCoord = 0;
    int Visible = 1;
    float W = 0;
    int Alignment = 0;
    std::string Text;
    std::vector<std::string> TextArray;
    int TotalLines = 0;
    int WordWrap = 0;

    float CalcHeight() override;
    void AutoScale(float maxWidth);
    void CalcSize();
    float CalcWidth();
    void CalcWordWrappedHeight();
    static std::shared_ptr<TLabel> CreateSpecial(const std::string& text, float x, float y, int alignment,
                                                 int wordWrap, int centreVertically);
    int Draw(float ox, float oy, int applyColor);
    void DrawTextLine(const std::string& text, float x, float y, int applyColor);
    void PreCalcWordWrap();
    void SetLineGap(int gap);
};
