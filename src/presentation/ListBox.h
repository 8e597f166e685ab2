// TListBox: a box of text rows with a highlighted selection, click and double-click, Up/Down keys with
// keyboard auto-repeat, locked rows in their own colour and an optional scroll bar.
//
// A click is taken from the pointer only when it lands on a row, so a list box managed before other
// widgets does not swallow clicks meant for them.
//
// Used only by TPlayerManager, which this game does not use; the save-game chooser has its own list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presentation/KeyRepeat.h"
#include "presentation/ScrollBar.h"

class TBitmapFont;
class TBox;
class TChannel;
class TColor;
class TFont;
class TGameImage;
class TGameSound;
class TImageFont;
class TShadow;

class TListBox {
  public:
    std::shared_ptr<TFont> Font;
    int DrawBox = 1;
    std::shared_ptr<TBox> Box;
    std::shared_ptr<TGameImage> Background;
    int BackgroundOffsetX = 0, BackgroundOffsetY = 0;
    int TextBorder = 10;
    int Gap = 5;
    int LineYOffset = 0;
    int LineHeight = 0;
    int Centred = 0;
    std::vector<std::string> Strings;
    int Index = -1;
    int TopIndex = 0;
    std::string Value;
    int Clicked = -1;
    std::shared_ptr<TColor> HighlightCol;
    int HighlightUnder = 1;
    int HighlightTopBorder = 0, HighlightBottomBorder = 0;
    int DoubleClicked = -1;
    float DoubleClickTime = 100;
    float DoubleClickCounter = 0;
    int Limit = 0;
    int RoundHeight = 1;
    int DisplayLines = 0;
    std::shared_ptr<TGameSound> ClickSound;
    std::shared_ptr<TChannel> ClickChannel;
    int NoShadowOnHighlighted = 0;
    int ArrowKeysMoveHighlight = 1;
    std::vector<int> LockedArray;
    std::shared_ptr<TColor> LockedColor;
    std::unique_ptr<TScrollBar> ScrollBar;
    float Scale = 1.0f;
    float FontScale = 1.0f;
    double OldScale = 0;
    std::unique_ptr<TKeyRepeat> UpKeyRepeat, DownKeyRepeat;
    int RoundTextX = 1, RoundTextY = 1;

    // The first value is not read; then the row gap, centring, box drawing and double-click window.
    static std::unique_ptr<TListBox> Create(int first, int gap, int centred, int drawBox, int doubleClickMs);
    void CalcLineHeight();
    void ClearIndex();
    void Draw();
    void DrawHighlight();
    // The row double-clicked since the last call, once; -1 when none.
    int GetDoubleClicked();
    int GetIndexY();
    // One past the last visible row.
    int GetTempLimit();
    void Init(int first, int gap, int centred, int drawBox);
    void Kill();
    void Manage();
    void PlayClick();
    void SetClickSound(std::shared_ptr<TGameSound> sound);
    void SetCoords(float x, float y, float w, float h);
    // -1 clears the selection; a row outside the list counts as none.
    void SetIndex(int row);
    void SetTopIndex(int row);
    void SetupBox(std::shared_ptr<TColor> color);
    void SetupFont(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                   std::shared_ptr<TShadow> shadow, std::shared_ptr<TBitmapFont> bitmapFont,
                   std::shared_ptr<TColor> secondColor);

  private:
    int Count() const { return int(Strings.size()); }
    bool Locked(int row) const;
};
