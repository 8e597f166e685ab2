// The application object TGame and the program-wide globals of the application core.
//
// One TGame (the global Game, of the game's subclass TTolvaneGame) holds every framework setting,
// the window and display state, the data paths, the audio state, the timing objects, the screens
// and the mouse pointer; its operations run the main loop. Objects whose types live in other
// modules are held through forward-declared smart pointers so that this header stays small and
// every module can include it. The pointer, the screen fade and the loading screen belong to the
// presentation layer above: the front end it registers (core/FrontEnd.h) makes them in TGame's
// constructor, and the core reaches them only through it. Used by every layer above the platform.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Diagnostics.h"
#include "core/FixedRateLogic.h"
#include "core/FramePacer.h"
#include "core/Screen.h"

class TIniFile;
class TSound;
class TChannel;
class TGameSound;
class TGameImage;
class TChannelArray;
class TSprite;
class TImageFont;
class TLoadingScreen;
class TGameFade;
class TMousePointer;
class THighScoreList;
class TProfile;

class TGame {
  public:
    TGame();
    virtual ~TGame();
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    std::shared_ptr<TIniFile> Ini;
    std::string VersionNumber = "0.1";
    int FullScreen = 1;
    int ForceWindowedMode = 0;
    int Hertz = 60;
    int Depth = 0;
    int DesktopRefreshRate = 0;
    int GameRefreshRate = 0;
    int Fast = 0;
    int LastFlipSync = 0;
    int SlowMotion = 0;
    float SlowMotionSpeed = 0.25f;
    float CurrentSpeed = 1.0f;
    int WindowHandle = 0;
    int WindowX = 0, WindowY = 0;
    int ClientX = 0, ClientY = 0;
    float ScrollX = 0.0f, ScrollY = 0.0f;
    TScreen* CurrentTScreen = nullptr;
    TScreen* DestinationTScreen = nullptr;
    TScreen* LastTScreen = nullptr;
    int LagFix = 0;
    int VSync = 1;
    int FadeOnExit = 1;
    int NoTiming = 0;
    int NoTimingTicks = 1;
    int Driver = 0;
    std::string DirectXVersion;
    int FadeMouse = 0;
    int DesktopWidth = 0, DesktopHeight = 0;
    int FullScreenProcess = 0, FullScreenThread = 0, WindowedProcess = 0, WindowedThread = 0;
    int DataInAppBundle = 0;
    int UseCorrectPath = 1;
    std::string SubPath = "Duskmere/My Game/";
    std::string DataPrefix;
    std::string ImagePath, SoundPath, MusicPath, SpeechPath, MenuPath, ProfilePath, TextPath, LevelsPath;
    int Sound = 1, Music = 1, Speech = 1;
    int SoundVolume = 100, MusicVolume = 100;
    int CustomMusicVolume = 0;
    int SpeechVolume = 100;
    std::shared_ptr<TSound> MusicSample;
    std::shared_ptr<TChannel> MusicChannel;
    std::string MusicFileName = "none", MusicName = "none";
    int MusicLooped = 1, MusicRestart = 1;
    int MusicStopped = 0;
    float MusicFadeIn = 50.0f;
    float MusicFadeInCounter = 0.0f, MusicFadeInDelay = 0.0f;
    float MusicFadeOut = 1000.0f;
    float MusicFadeOutCounter = 0.0f;
    float PauseFadeLength = 100.0f;
    float PauseFadeCounter = 0.0f;
    int PauseFadeDirection = 0;
    std::shared_ptr<TChannel> SpecialChannel;
    int FadeMusic = 1;
    std::shared_ptr<TGameSound> EscapeSound;
    std::shared_ptr<TChannel> EscapeChannel;
    std::string SoundDriver = "FreeAudio";
    std::shared_ptr<TChannelArray> Channels;
    std::shared_ptr<TChannel> SpeechChannel;
    int SpeechStopped = 0;
    std::shared_ptr<TSprite> SpritePaused;
    int FirstTime = 1;
    int InstantExit = 0;
    int Fade = 1;
    int NoFade = 0;
    int NoDraw = 0;
    int Particles = 80;
    int PortalSplash = 0, PortalSplash2 = 0, IntroShow = 0;
    int Paused = 0;
    int DimWhenPaused = 1;
    int PauseOnLossOfFocus = 0;
    int PauseOnLossOfFullScreenFocus = 0;
    int PausedMusicState = 1, PausedSpeechState = 1;
    int Suspended = 0;
    int BlockKeys = 0;
    int MaxLevels = 10;
    int TerminatedEvent = 0;
    std::function<int()> TerminatedUserFunction;
    int SuspendedEvent = 0;
    int IgnoreEscapeKey = 0, IgnoreFrameworkKeys = 0, IgnorePauseKey = 0, IgnoreDebugKey = 0;
    std::string OSVersion = "Mac OSX";
    std::function<int()> PausedUserFunction, UserSuspendFunction, UserResumeFunction;
    std::unique_ptr<TFixedRateLogic> FixedRateLogic;
    // Sleeps after each flip (PostDraw); IdleFrame is set by MainLogicLoop when the game is paused or
    // suspended and no logic ran, so the picture cannot have changed.
    std::unique_ptr<TFramePacer> FramePacer;
    int IdleFrame = 0;
    int Debug = 0;
    std::shared_ptr<TImageFont> DebugImageFont;
    int DebugImageFontGap = 12;
    int DebugShadow = 1;
    int DebugShowFPSOnly = 0;
    float DebugPanel = 0.4f;
    int Debug1 = 0, Debug2 = 0;
    float Debug3 = 0.0f, Debug4 = 0.0f;
    int DebugDisplayX = 0, DebugDisplayY = 0;
    std::unique_ptr<TDebugVar> LogicTime, DrawTime, CodeTime;
    std::unique_ptr<TFPSCounter> FPS;
    int GraphicPlacement = 0;
    int gpX = 0, gpY = 0;
    std::shared_ptr<TLoadingScreen> LoadingScreen;
    std::unique_ptr<TScreen> ExitScreen;
    std::shared_ptr<TGameFade> GameFade;
    std::shared_ptr<TMousePointer> Mouse;
    std::shared_ptr<THighScoreList> HighScores;
    std::shared_ptr<TProfile> CurrentProfile;
    std::string ProfileName;
    int Region = 0, SubRegion = 0;

    // Start-up of the framework (checkpoints 1 to 9).
    int Init(int soundDriverChoice, int unused);

    // Settings and crash recovery
    int IniFill();
    // The fields from Ini's lines; the volumes and the particle amount are kept within 0-100.
    int IniExtract();
    int IniUpdate(int flag);
    static int MakeGoodExit();
    int CheckGoodExit();
    // Settings file path without ".ini": SubPath + the executable's name without extension (with
    // UseCorrectPath), else the executable's path without extension.
    std::string SettingsFileName() const;
    // Names of the game's own files in SubPath, beside the framework's settings, markers and log;
    // the derived game fills it. Only temporary files of these names are ever removed.
    std::vector<std::string> GameFileNames;
    // Removes the temporary files that an interrupted write left in SubPath and ProfilePath (only
    // those of our own file names). Called at start-up once this copy holds the lock.
    int RemoveWriteLeftovers();

    // Display and window
    int GraphicsCreate();
    int GetActiveWindowSafe();
    int SetPriority();
    int ToggleFullScreen();
    int ToggleVSync();
    int SetDriver(int driver);
    int SetWindowCoords();
    int SetClientCoords();
    int SetFlipSync();
    int RestoreMouseCoords();

    // Diagnostics
    int DebugReset();
    int DebugPrint();
    int SetGP(int x, int y);

    // Input, focus and pause
    int CheckWindow();
    int GameTerminated();
    int SpritePausedCreate(const std::shared_ptr<TGameImage>& image);
    int ShowPaused();
    int ReadKeys();
    // The framework's service keys (volume, full screen, music, sound, speed, driver, ...); 1 when
    // one acted.
    int FrameworkKeys();
    int TogglePause();
    int Pause();
    int UnPause();
    int DoPeekEvent();
    int TakeScreenshot();

    // Data paths
    int SetDefaultPaths();
    int SetSubPath(const std::string& path, int unused);
    int SetSubPathWrapper(const std::string& path, int unused);
    int ApplySubPath();
    int SetImagePath(const std::string& path);
    int SetSoundPath(const std::string& path);
    int SetMusicPath(const std::string& path);
    int SetSpeechPath(const std::string& path);
    int SetMenuPath(const std::string& path);
    int SetProfilePath(const std::string& path);
    int SetTextPath(const std::string& path);
    int SetLevelsPath(const std::string& path);

    // Timing and the main loop
    int FastOn();
    int FastOff();
    int SlowMotionOn();
    int SlowMotionOff();
    int MainLogicLoop();
    virtual int LogicWrapper();
    int ScreenDraw();
    int PostDraw();
    // The display's refresh rate for pacing: the window's mode, else 60.
    int FrameRefreshRate() const;
    float CalcAnimLength(int ms) const;
    float CalcAnimLengthFromFloat(float ms) const;
    int CalcMilliSecsFromFrames(int ticks) const;

    // Audio control
    int MusicLoad(const std::string& name, int flags);
    int MusicSet(const std::shared_ptr<TSound>& sound, const std::string& name, int flags);
    int MusicStop();
    int MusicPlay(int fadeIn, int customVolume, int startMuted);
    int MusicNone();
    int GetMusicVolume() const;
    float MusicFadeInCalc() const;
    float MusicFadeOutCalc() const;
    int MusicFadeInApply();
    int MusicFadeOutApply();
    int MusicFadeInManage();
    int MusicFadeOutManage();
    int MusicFadeOutSet(int ms);
    int MusicSetVolume(int volume, int save);
    int MusicChangeVolume(int step);
    int ToggleMusic();
    int MusicOff();
    int MusicOn();
    float PauseFadeCalc() const;
    int PauseFadeApply();
    int PauseFadeManage();
    int ChannelsCreate(int count);
    int ChannelsKill();
    int ChangeSoundDriver(const std::string& name, int save);
    int SoundPlay(const std::shared_ptr<TSound>& sound);
    int SoundPlaySameChannel(std::shared_ptr<TChannel>& channel, const std::shared_ptr<TSound>& sound);
    int SoundPlayReturnChannel(std::shared_ptr<TChannel>& channel, const std::shared_ptr<TSound>& sound,
                               float rate);
    // volume < 0 plays at the record's own volume; the pool passes its balanced volume instead.
    int GameSoundPlay(std::shared_ptr<TChannel>& channel, TGameSound& sound, float pan, float volume = -1.0f);
    int SoundSetVolume(int volume, int save);
    int SoundChangeVolume(int step);
    int ToggleSound();
    int SoundOff();
    int SoundOn();
    int SpeechStop();
    int SpeechPlay(TGameSound& sound, int interrupt);
    int SpeechSetVolume(int volume, int save);
    int SpeechChangeVolume(int step);
    int SpeechOff();
    int SpeechOn();
    int StopChannels();
    int SetEscapeSound(const std::string& name);
    int EscapeSoundPlay();
    // Stops and drops the music, speech and escape channels, then the effect pool.
    int Kill();

    // Screens
    int Fading();
    // One frame of the loading screen's bar: a step of its progress, the screen drawn, then shown.
    int MoveBar();
    int FadeOff();
    int ScreenChange();

    int ParticlesSet(int amount, int save);
    int ParticlesChange(int step);

    // Player profiles: every ".dat" file in ProfilePath
    int DeleteAllProfiles();
    int ProfileFolderInUse();
    // Saves CurrentProfile when there is one and the current screen is "game" (closing the program).
    int SaveProfileOnExit();
};

// The one application object (a TTolvaneGame once start-up has created it).
extern std::unique_ptr<TGame> Game;

// Last start-up step reached; shown in front of an error that escapes to the top-level guard.
extern int Checkpoint;

extern int ScreenWidth, ScreenHeight;
extern int ScreenCentreX, ScreenCentreY;

// MilliSecs when start-up had set up the channels; the game's logic runs while paused or suspended
// during the first five seconds after it.
extern int GameStartTime;

// Argument of Flip: 1 wait for the vertical blank, 0 do not, -1 the driver's default.
extern int FlipSync;

// Length of a screen fade in milliseconds.
extern int DefaultFadeLength;

// Folder of the resource archives, "data/resources/" beside the executable.
extern std::string ResourcePath;
