// TScrollBar: a track with a draggable slider and two optional arrow buttons that maps the slider's
// position to a value from 0 to ValueMax.
//
// A maximum of 0, or a track no longer than the slider, leaves nothing to scroll: slider and value
// then stay at 0 instead of dividing by zero.
//
// Used only by TListBox, which this game does not use.
#pragma once

#include <memory>
#include <string>

#include "presentation/Menu.h"

class TGameImage;

class TScrollBar {
  public:
    std::shared_ptr<TGameImage> Background;
    float BackgroundX = 0, BackgroundY = 0;
    std::shared_ptr<TGameImage> Slider;
    std::unique_ptr<TMenu> Menu;
    int Vertical = 1;
    int Value = 0;
    double ValuePrecise = 0;
    double ValueStep = 1.0;
    int Size = 0;
    double ValueMax = 0;
    int SliderPosition = 0;
    int SliderSelected = 0;
    int SliderOffset = 0;
    float X = 0, Y = 0;
    std::string UpName, DownName;
    int FixedGlowOnMO = 0;
    float SliderGlow = 0;
    float GlowMax = 0.5f;
    float GlowSpeed = 0.02f;
    float Scale = 1.0f;

    static std::unique_ptr<TScrollBar> Create(std::shared_ptr<TGameImage> slider, int size, double max,
                                              float x, float y, int vertical);
    void DisableButtons();
    void Draw();
    void Kill();
    void Manage();
    // Arrow buttons from the menu folder (name and name + "MO"), with mouse auto-repeat, at the two
    // ends of the track; glowOnMO makes the slider glow under the pointer.
    void SetArrows(const std::string& upName, const std::string& downName, int glowOnMO);
    void SetBackground(std::shared_ptr<TGameImage> image, float x, float y);
    void SetCoords(float x, float y);
    void SliderSetPosition(double value);
    void ValueCalc();
    void ValueRound();

  private:
    int SliderLength() const;
    int SliderThickness() const;
    // Pixels the slider can travel; 0 or less means nothing to scroll.
    int Travel() const;
    bool PointerOnSlider() const;
};
