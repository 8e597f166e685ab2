// The maker's splash. The jingle's channel is handed to the fade so that its volume rises and falls
// with the logo; a skip at any stage stops it and restores the input state the splash found.
#include "game/MakerSplash.h"

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/InputUtils.h"
#include "platform/Audio.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Fade.h"

TSplashScreen::TSplashScreen() : fade(std::make_unique<TFade>()) {}
TSplashScreen::~TSplashScreen() = default;

void TSplashScreen::Init(const std::string& imagePath, const std::string& soundPath, int sound,
                         int fadeSound) {
    Image = LoadImageOrDie(imagePath, 0);
    // The fade places the logo by its top-left corner, whatever the automatic mid-handle setting.
    SetImageHandle(Image.get(), 0, 0);
    PrecacheImage(Image.get());
    if (!soundPath.empty()) Sample = LoadSoundOrDie(soundPath, fadeSound == 1 ? 1 : 0);
    Sound = sound;
    FadeSound = fadeSound;
    FlushInput();
    OriginalPolledInputState = PolledInputOn;
    EnablePolledInputSafe();
}

void TSplashScreen::InitTimes(int in, int full, int out) {
    TimeIn = float(in);
    TimeFull = float(full);
    TimeOut = float(out);
}

int TSplashScreen::DoSplash() {
    SetClsColor(0, 0, 0);
    Cls();
    Flip(-1);

    const bool playing = Sound != 0 && Sample;
    if (playing) {
        if (FadeSound == 1) {
            Channel = CueSound(Sample, nullptr);
            if (Channel) {
                Channel->SetRate(SampleRate);
                Channel->SetVolume(0);
                Channel->Resume();
            }
        } else {
            Channel = CueSound(Sample, nullptr);
            if (Channel) Channel->Resume();
        }
    }
    if (background) {
        fade->Background = background;
        fade->BackgroundXSpeed = BackgroundXSpeed;
        fade->BackgroundYSpeed = BackgroundYSpeed;
        fade->BackgroundZoomSpeed = BackgroundZoomSpeed;
        fade->BackgroundFadeTime = BackgroundFadeTime;
    }
    fade->Init(TimeIn, Image, playing && FadeSound == 1 ? Channel : nullptr);
    fade->CentreImage();

    if (fade->FadeDo(0) == -1) {
        CleanUp();
        return -1;
    }
    if (fade->WaitForTime(TimeFull) == -1) {
        CleanUp();
        return -1;
    }
    fade->Reset();
    fade->Length = TimeOut;
    if (fade->FadeDo(1) == -1) {
        CleanUp();
        return -1;
    }
    fade->Zero();
    ResetDrawState();
    CleanUp();
    return 0;
}

void TSplashScreen::CleanUp() {
    if (Sound != 0 && Channel) Channel->Stop();
    ResetDrawState();
    SetBlend(ALPHABLEND);
    FlushInput();
    if (OriginalPolledInputState == 0) DisablePolledInputSafe();
    FlushInput();
}

int ShowMakerSplash(int sound, int backgroundFlag) {
    TSplashScreen splash;
    splash.Init(Game->DataPrefix + "data/graphics/tolvanelogo.png",
                Game->DataPrefix + "data/sound/splash.wav", sound, 1);
    const std::string backgroundPath = Game->DataPrefix + "data/graphics/splashbg.jpg";
    if (backgroundFlag != 0 && FileType(backgroundPath) == FILETYPE_FILE) {
        splash.background = LoadImageOrDie(backgroundPath, -1);
        SetImageHandle(splash.background.get(), 0, 0);
        PrecacheImage(splash.background.get());
    }
    splash.BackgroundXSpeed = 20.0f;
    splash.BackgroundYSpeed = 10.0f;
    splash.BackgroundZoomSpeed = 0.02f;
    splash.BackgroundFadeTime = 250.0f;
    splash.SampleRate = 0.9f;
    splash.InitTimes(1250, 1500, 1250);
    return splash.DoSplash();
}

int ShowSplash(const std::string& imagePath, const std::string& soundPath, int sound, int fadeSound) {
    TSplashScreen splash;
    splash.Init(imagePath, soundPath, sound, fadeSound);
    return splash.DoSplash();
}

int ShowPortalSplash(int in, int full, int out, int number) {
    const std::string base =
        Game->DataPrefix + "data/portallogo" + (number != 0 ? std::to_string(number) : "");
    const std::string path = FileType(base + ".png") == FILETYPE_FILE ? base + ".png" : base + ".jpg";
    TSplashScreen splash;
    splash.Init(path, "", 0, 0);
    if (in != 0) splash.TimeIn = float(in);
    if (full != 0) splash.TimeFull = float(full);
    if (out != 0) splash.TimeOut = float(out);
    return splash.DoSplash();
}
