// Screens: the base class every screen of the program derives from, and the empty exit screen.
//
// Screens never call each other. A screen names its successor in Game->DestinationTScreen and
// starts a fade-out; TGame::ScreenChange then kills it and starts the successor.
//
// Used by the application object's screen switching; the game's screens, the dialogs and the loading
// screen derive from TScreen.
#pragma once

#include <memory>
#include <string>

class TImage;
class TSprite;
class TMenu;

class TScreen {
  public:
    std::shared_ptr<TImage> Image;
    std::shared_ptr<TSprite> Header;
    std::string Ext = ".png";
    std::shared_ptr<TMenu> Menu;
    std::string name;
    int StopKill = 0;
    int StopInit = 0;
    TScreen* Destination = nullptr;

    virtual ~TScreen() = default;

    virtual void ImageLoad(const std::string& name, int flags, int precache);
    virtual void HeaderLoad(const std::string& name, float x, float y, int precache);
    virtual void PreStart();
    virtual void ResetStops();
    virtual void Load();
    virtual void Start();
    virtual void CoreStart();
    virtual void PostFadeIn();
    virtual void PostFadeOut();
    virtual void Kill();
    virtual void Logic();
    virtual void Draw();
    // Returns a fade length in milliseconds for the Escape fade-out; 0 means the default length.
    virtual int SetEscDestination();
    virtual void SpecificKeys();
};

// The destination that means "quit".
class TExitScreen : public TScreen {};
