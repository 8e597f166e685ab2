// TMousePointer: the one record of the mouse (position, wheel, buttons, unconsumed hits) and the drawn
// pointer with its sparkle trail; TMouseRepeat turns a held button into repeated clicks.
//
// The event handling writes the record; widgets consume a click by reading it with GetMh(1), so one
// click reaches only the first reader.
//
// The core feeds and draws it through the front end (CoreFrontEnd); every widget and the game read
// Game->Mouse.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "presentation/KeyRepeat.h"
#include "presentation/Particles.h"

class TImage;

class TMousePointer {
  public:
    TMousePointer();

    int Active = 1;
    std::shared_ptr<TImage> Image;
    int ImageFrame = 0;
    std::string Ext = ".png";
    int Rotation = 0;
    std::shared_ptr<TImage> Image2;
    int Image2Frame = 0;
    int Image2xoff = 0, Image2yoff = 0;
    float Image2Scale = 1.0f;
    int x = 0, y = 0, z = 0;
    int w = 0, h = 0;
    int b1 = 0, b2 = 0, b3 = 0;
    int mb = 0;
    int h1 = 0, h2 = 0, h3 = 0;
    int mh = 0;
    int offsetx = 0, offsety = 0;
    std::function<void()> ParticleFunc;
    std::unique_ptr<TParticleList> ParticleList;
    float SparkleCounter = 0;
    int SparkleLength = 15;
    std::function<void(int, int)> UserDraw;

    int On();
    int Off();
    // Loads Game->ImagePath + name + Ext; a missing file is fatal.
    int Load(const std::string& name);
    int CalcSize();
    int Update();
    int Manage();
    int UpdateCoords();
    int ClearButtons();
    int ClearMouseHit();
    int GetMb() const;
    int GetMh(int clear);
    int CalcButtonTotals();
    int Draw();

    // Writers for the event handling: a press first clears every pending hit.
    void ButtonDown(int button);
    void ButtonUp(int button);
};

class TMouseRepeat : public THeldRepeat {
  public:
    static std::shared_ptr<TMouseRepeat> Create(int initialDelayMs, int repeatDelayMs);
    // 1 on the first call of a press, 2 on each repeat, else 0.
    int GetButton();
};
