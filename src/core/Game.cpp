// TGame's construction, data paths, speed modes, the per-frame loop and screen switching.
#include "core/Game.h"

#include <algorithm>
#include <cmath>

#include "core/ChannelArray.h"
#include "core/ErrorReport.h"
#include "core/FrontEnd.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "core/Profile.h"
#include "core/ScoreList.h"
#include "core/StringUtils.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "platform/Window.h"

std::unique_ptr<TGame> Game;
int Checkpoint = 0;
int ScreenWidth = 800, ScreenHeight = 600;
int ScreenCentreX = 400, ScreenCentreY = 300;
int GameStartTime = 0;
int FlipSync = 0;
int DefaultFadeLength = 500;
std::string ResourcePath;

namespace {

// A profile file: a name with the extension ".dat" and something before it.
bool IsProfileFile(const DirEntry& entry) {
    const std::string name = Lower(entry.Name);
    return entry.Kind == EntryKind::File && name.size() > 4 && name.compare(name.size() - 4, 4, ".dat") == 0;
}

// A folder path ends in "/" (a trailing backslash is accepted as it is).
std::string WithSlash(const std::string& path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path;
    return path + "/";
}

}  // namespace

TGame::TGame()
    : Ini(std::make_shared<TIniFile>()),
      PausedMusicState(Music),
      PausedSpeechState(Speech),
      FixedRateLogic(std::make_unique<TFixedRateLogic>()),
      FramePacer(std::make_unique<TFramePacer>()),
      LogicTime(std::make_unique<TDebugVar>()),
      DrawTime(std::make_unique<TDebugVar>()),
      CodeTime(std::make_unique<TDebugVar>()),
      FPS(std::make_unique<TFPSCounter>()),
      ExitScreen(std::make_unique<TExitScreen>()),
      HighScores(std::make_shared<THighScoreList>()) {
    FrontEnd().CreateParts(*this);
}

TGame::~TGame() = default;

int TGame::SetDefaultPaths() {
    SetImagePath(DataPrefix + "data/graphics");
    SetSoundPath(DataPrefix + "data/sound");
    SetMusicPath(DataPrefix + "data/music");
    SetSpeechPath(DataPrefix + "data/speech");
    SetMenuPath(DataPrefix + "data/menus");
    SetProfilePath(UseCorrectPath ? "profiles" : DataPrefix + "data/profiles");
    SetTextPath(DataPrefix + "data/text");
    SetLevelsPath(DataPrefix + "data/levels");
    return 0;
}

int TGame::SetSubPath(const std::string& path, int) {
    SubPath = path.empty() ? std::string() : WithSlash(path);
    if (UseCorrectPath) {
        SubPath = CommonAppDataFolder() + SubPath;
        ApplySubPath();
    }
    LogFolder = SubPath;
    return 0;
}

int TGame::SetSubPathWrapper(const std::string& path, int unused) {
    SetDefaultPaths();
    SetSubPath(path, unused);
    return 0;
}

int TGame::ApplySubPath() {
    ProfilePath = SubPath + ProfilePath;
    return 0;
}

int TGame::SetImagePath(const std::string& path) {
    ImagePath = WithSlash(path);
    return 0;
}
int TGame::SetSoundPath(const std::string& path) {
    SoundPath = WithSlash(path);
    return 0;
}
int TGame::SetMusicPath(const std::string& path) {
    MusicPath = WithSlash(path);
    return 0;
}
int TGame::SetSpeechPath(const std::string& path) {
    SpeechPath = WithSlash(path);
    return 0;
}
int TGame::SetMenuPath(const std::string& path) {
    MenuPath = WithSlash(path);
    return 0;
}
int TGame::SetProfilePath(const std::string& path) {
    ProfilePath = WithSlash(path);
    return 0;
}
int TGame::SetTextPath(const std::string& path) {
    TextPath = WithSlash(path);
    return 0;
}
int TGame::SetLevelsPath(const std::string& path) {
    LevelsPath = WithSlash(path);
    return 0;
}

int TGame::SetGP(int x, int y) {
    gpX = x;
    gpY = y;
    return 0;
}

int TGame::FastOn() {
    Fast = 1;
    LastFlipSync = FlipSync;
    FlipSync = 0;
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
    return 0;
}

int TGame::FastOff() {
    if (Fast != 1) return 0;
    Fast = 0;
    FlipSync = LastFlipSync;
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
    return 0;
}

int TGame::SlowMotionOn() {
    SlowMotion = 1;
    CurrentSpeed = SlowMotionSpeed;
    FixedRateLogic->Framerate = float(FixedRateLogic->FramerateDefault) * SlowMotionSpeed;
    FixedRateLogic->CalcMS();
    FixedRateLogic->Init();
    return 0;
}

int TGame::SlowMotionOff() {
    SlowMotion = 0;
    CurrentSpeed = 1.0f;
    FixedRateLogic->Framerate = float(FixedRateLogic->FramerateDefault);
    FixedRateLogic->CalcMS();
    FixedRateLogic->Init();
    return 0;
}

// A speed of zero would stop time altogether; such a speed counts as normal speed.
float TGame::CalcAnimLength(int ms) const {
    return CalcAnimLengthFromFloat(float(ms));
}

float TGame::CalcAnimLengthFromFloat(float ms) const {
    float speed = CurrentSpeed != 0.0f ? CurrentSpeed : 1.0f;
    float tick = FixedRateLogic->MS > 0.0f ? FixedRateLogic->MS : 5.0f;
    return ms / tick / speed;
}

int TGame::CalcMilliSecsFromFrames(int ticks) const {
    return int(float(ticks) * FixedRateLogic->MS * CurrentSpeed);
}

int TGame::MainLogicLoop() {
    FixedRateLogic->Calc();
    if (NoTiming) FixedRateLogic->NumTicks = NoTimingTicks;
    LogicTime->Start();
    double ticks = FixedRateLogic->NumTicks;
    bool logicRan = false;
    // One logic tick of delta; false when the logic asks to stop.
    auto tick = [&](float delta) {
        FixedRateLogic->SetDelta(delta);
        int result = LogicWrapper();
        logicRan = logicRan || result != 0;
        return result != -1;
    };
    for (int i = 0; i < int(std::floor(ticks)); ++i)
        if (!tick(1.0f)) return -1;
    double rest = std::fmod(ticks, 1.0);
    if (rest > 0.0 && !tick(float(rest))) return -1;
    IdleFrame = (Paused || Suspended) && !logicRan ? 1 : 0;
    LogicTime->Calc();
    return 1;
}

int TGame::MoveBar() {
    FrontEnd().LoadingStep(*this);
    Flip(FlipSync);
    return 0;
}

int TGame::LogicWrapper() {
    FrontEnd().PointerManage(*this);
    DoPeekEvent();
    ReadKeys();
    if (Channels) Channels->Manage();
    if (InstantExit) return -1;
    if (Paused || Suspended) return 0;
    FrontEnd().FadeManage(*this);
    if (Fading() && !FrontEnd().FadeAllowsAnim(*this)) return 1;
    ScreenChange();
    if (CurrentTScreen) CurrentTScreen->Logic();
    if (Fade == 0) ScreenChange();
    return 1;
}

int TGame::ScreenDraw() {
    DrawTime->Start();
    if (NoDraw) {
        NoDraw = 0;
        return 0;
    }
    if (CurrentTScreen) CurrentTScreen->Draw();
    if (!Fading()) ShowPaused();
    if (FadeMouse) FrontEnd().PointerDraw(*this);
    FrontEnd().FadeDraw(*this);
    if (Fading()) ShowPaused();
    if (!FadeMouse) FrontEnd().PointerDraw(*this);
    DrawTime->Calc();
    DebugPrint();
    PostDraw();
    return 0;
}

int TGame::PostDraw() {
    Flip(FlipSync);
    const TFramePacer::TPace pace =
        FramePacer->AfterFlip(MilliSecs(), FrameRefreshRate(), FlipSync == 1, IdleFrame != 0, 3);
    Delay(pace.Sleep);
    WaitForEvent(pace.WaitForInput);
    FramePacer->FrameStart(MilliSecs());
    return 0;
}

int TGame::FrameRefreshRate() const {
    return GameRefreshRate > 0 ? GameRefreshRate : TFramePacer::DefaultRefreshRate;
}

int TGame::Fading() {
    return FrontEnd().FadeActive(*this) ? 1 : 0;
}

int TGame::FadeOff() {
    NoFade = 1;
    return 0;
}

int TGame::ScreenChange() {
    // Only a finished fade-out switches; a finished fade-in leaves the screen as it is.
    if (!FrontEnd().FadeOutDone(*this)) return 0;
    if (CurrentTScreen && CurrentTScreen->StopKill == 0) CurrentTScreen->Kill();
    if (!DestinationTScreen) {
        ReportError("Screen '" + (CurrentTScreen ? CurrentTScreen->name : std::string()) +
                    "' does not have a destination screen set!");
    }
    LastTScreen = CurrentTScreen;
    if (DestinationTScreen == ExitScreen.get()) {
        InstantExit = 1;
        CurrentTScreen = ExitScreen.get();
    } else {
        DestinationTScreen->PreStart();
    }
    FlushInput();
    return 0;
}

int TGame::ParticlesSet(int amount, int save) {
    Particles = std::clamp(amount, 0, 100);
    if (save) {
        IniUpdate(1);
        FixedRateLogic->Init();
    }
    return 0;
}

int TGame::ParticlesChange(int step) {
    Particles = std::clamp(Particles + step, 0, 100);
    IniUpdate(1);
    FixedRateLogic->Init();
    return 0;
}

int TGame::DeleteAllProfiles() {
    if (auto entries = ReadDir(ProfilePath)) {
        for (const DirEntry& entry : *entries)
            if (IsProfileFile(entry)) DeleteFile(ProfilePath + entry.Name);
    }
    return 0;
}

int TGame::SaveProfileOnExit() {
    // Progress made on the board screen would be lost by a close that skips the screen's own save.
    if (CurrentProfile && CurrentTScreen && CurrentTScreen->name == "game") CurrentProfile->Save();
    return 0;
}

int TGame::ProfileFolderInUse() {
    auto entries = ReadDir(ProfilePath);
    if (!entries) ReportError("Failed to read directory '" + ProfilePath + "'");
    for (const DirEntry& entry : *entries)
        if (IsProfileFile(entry)) return 1;
    return 0;
}
