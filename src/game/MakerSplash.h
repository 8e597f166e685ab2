// The maker's splash: the logo fades in, stays and fades out with a jingle right after the display
// opens; any key or click skips it. TSplashScreen runs its own small loop outside the main loop on the
// blocking image fade, so all its timing is on the system clock.
// Shown by the game's start-up wiring (GameStartup) when screen fades are on.
#pragma once

#include <memory>
#include <string>

class TChannel;
class TImage;
class TSound;

class TSplashScreen {
  public:
    TSplashScreen();
    ~TSplashScreen();

    std::shared_ptr<TImage> Image;
    std::shared_ptr<TSound> Sample;
    int Sound = 1;
    float SampleRate = 1.0f;
    int FadeSound = 0;
    std::shared_ptr<TChannel> Channel;
    std::unique_ptr<class TFade> fade;
    float TimeIn = 2000, TimeFull = 1000, TimeOut = 2000;
    int OriginalPolledInputState = 0;
    std::shared_ptr<TImage> background;
    float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0, BackgroundFadeTime = 0;

    // The logo (fatal when missing) and, for a non-empty path, the jingle (fatal when missing).
    void Init(const std::string& imagePath, const std::string& soundPath, int sound, int fadeSound);
    void InitTimes(int in, int full, int out);
    // -1 when the player skipped it, else 0.
    int DoSplash();
    void CleanUp();
};

// The maker's logo with its jingle; the start-up shows it when screen fades are on.
int ShowMakerSplash(int sound, int backgroundFlag);
int ShowSplash(const std::string& imagePath, const std::string& soundPath, int sound, int fadeSound);
// A silent splash of "data/portallogo<number>.png" (or ".jpg"); times of 0 keep the defaults.
int ShowPortalSplash(int in, int full, int out, int number);
