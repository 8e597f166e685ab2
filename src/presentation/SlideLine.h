// TSlideLine: a line of text that slides from a start point to an end point over a set time, through one
// or more legs (one animation phase per leg); TSlideLineList: lines that share one colour and are
// started, managed and drawn together (the best-time table slides its rows in with them).
// Used by the best-time screen for its sliding rows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presentation/Animation.h"

class TColor;

class TSlideLine : public TAnimation {
  public:
    std::vector<float> StartX, StartY, EndX, EndY;  // one entry per phase
    float DX = 0, DY = 0;
    std::string text;
    std::shared_ptr<TColor> Color;
    std::shared_ptr<void> AttachedObject;  // kept for the owner

    // A phase end moves the line on to the next leg.
    int Manage() override;
    void InitLine(const std::string& text, int sx, int sy, int ex, int ey, int ms);
    // Appends a leg; ignored (like the phase) when the phase table is full.
    void AddPhaseSpecial(int sx, int sy, int ex, int ey, int ms);
    void CalcDistance();
    // Where the line is: moving from the current leg's start to its end while active, at the last leg's
    // end once inactive.
    float GetX() const;
    float GetY() const;
    void Draw();
    void AttachObject(std::shared_ptr<void> object);
};

class TSlideLineList {
  public:
    TSlideLineList();

    std::shared_ptr<TColor> Color;
    std::vector<std::unique_ptr<TSlideLine>> Lines;

    TSlideLine* Add(const std::string& text, int sx, int sy, int ex, int ey, int ms);
    void Start();
    void Manage();
    // Ends with white.
    void Draw();
};
