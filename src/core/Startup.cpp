// Start-up in its fixed order with checkpoints, the top-level guard and GameQuit.
#include "core/Startup.h"

#include <exception>
#include <utility>

#include "core/ChannelArray.h"
#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/GameText.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "core/MusicStream.h"
#include "core/PakFileManager.h"
#include "core/PlayerFile.h"
#include "core/SoundBank.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/Random.h"
#include "platform/System.h"
#include "platform/Window.h"

std::shared_ptr<TImageFont> FontCalibri10, FontCalibri11, FontCalibri12, FontCalibri14, FontCalibri16,
    FontCalibri18, FontCalibri20, FontCalibri25, FontCalibri34;
int GameOptionsLoaded = 0;

namespace {

constexpr const char* GameTitle = "Sudoku Numora";
constexpr const char* PlayerFolder = "Tolvane Games/Sudoku Numora";

std::function<void(const std::string&)>& QuitTrace() {
    static std::function<void(const std::string&)> trace;
    return trace;
}

void RunHook(const std::function<void()>& hook) {
    if (hook) hook();
}

// One guarded step of GameQuit: a failure is shown and logged, and the end goes on.
template <class Step>
void QuitStep(const char* name, Step&& step) {
    if (QuitTrace()) QuitTrace()(name);
    try {
        step();
    } catch (...) {
        try {
            ReportUncaughtException(std::current_exception());
        } catch (...) {
        }
    }
}

// The single-instance lock's name and player folder, kept for the second look that Init takes once
// a first start has made the folder.
struct TInstanceLock {
    std::string name, playerFolder;
};
TInstanceLock& InstanceLock() {
    static TInstanceLock lock;
    return lock;
}

// The first driver choice: by number, or the settings file's when the number is 0 or less.
void ChooseSoundDriver(TGame& game, int choice) {
    std::string name;
    if (choice == 1) name = "FreeAudio";
    if (choice == 2) name = "DirectSound";
    if (choice == 3) name = "OpenAL Generic Software";
    if (choice <= 0) name = game.SoundDriver == "None" ? "FreeAudio" : game.SoundDriver;
    if (!name.empty()) game.ChangeSoundDriver(name, 0);
}

void LoadFonts() {
    const struct {
        std::shared_ptr<TImageFont>* font;
        int size;
    } fonts[] = {{&FontCalibri10, 10}, {&FontCalibri11, 11}, {&FontCalibri12, 12},
                 {&FontCalibri14, 14}, {&FontCalibri16, 16}, {&FontCalibri18, 18},
                 {&FontCalibri20, 20}, {&FontCalibri25, 25}, {&FontCalibri34, 34}};
    for (const auto& f : fonts) *f.font = PakManager->GetImageFontOrDie("calibri.ttf", f.size, 4);
}

[[noreturn]] void RunGame() {
    Game = StartupHooks().MakeGame ? StartupHooks().MakeGame() : std::make_unique<TGame>();
    Game->FullScreen = 1;
    Game->MusicSetVolume(50, 0);
    Game->SoundSetVolume(50, 0);
    Game->DataInAppBundle = 1;
    Game->SetSubPathWrapper(PlayerFolder, 0);
    Game->CheckGoodExit();
    Game->Init(0, 0);

    Game->ChannelsCreate(16);
    Game->Channels->MaxVol = 16.0f;
    Game->SetEscapeSound("buttonclick");

    GameStartTime = MilliSecs();
    Game->FadeMouse = 1;
    Game->FixedRateLogic->JitterCorrection = 0;
    Game->MusicFadeIn = 0.0f;
    Game->PauseOnLossOfFullScreenFocus = 1;

    GameText = TGameText::Create("gametext.txt");

    ResourcePath = Game->DataPrefix + "data/resources/";
    if (!DataPakReadable(ResourcePath)) {
        ReportError(GameText->FindString("Data Pak Error"), 0);
    }
    PakManager = TPakFileManager::Create(ResourcePath, ".pak");
    LoadFonts();

    Game->IgnoreDebugKey = 1;
    Game->IgnoreFrameworkKeys = 1;
    RunHook(StartupHooks().DataPathsSet);
    SoundBank->SetPath(Game->SoundPath);

    RunHook(StartupHooks().LoadOptions);
    GameOptionsLoaded = 1;
    RunHook(StartupHooks().Start);

    Game->GraphicsCreate();
    HideMouse();
    Game->PortalSplash = 0;
    // The splash pictures are placed by their top-left corner.
    AutoMidHandle(false);
    if (Game->Fade) RunHook(StartupHooks().Splash);
    AutoMidHandle(true);

    RunHook(StartupHooks().Run);
    FlushInput();
    Game->FixedRateLogic->Init();
    Game->NoTimingTicks = 3;
    for (;;) {
        if (Game->MainLogicLoop() == -1) GameQuit();
        Game->ScreenDraw();
        UpdateAudioStreams();
    }
}

}  // namespace

TStartupHooks& StartupHooks() {
    static TStartupHooks hooks;
    return hooks;
}

void SingleInstanceCheck(const std::string& name, const std::string& playerFolder) {
    InstanceLock() = {name, playerFolder};
    if (!SingleInstanceLock(name, playerFolder)) End(0);
}

void MainUnitInit() {
    ChangeDirToExecutable();
    EventsStartup();
    ScreenCentreX = ScreenWidth / 2;
    ScreenCentreY = ScreenHeight / 2;
    // The lock lives with the player files too: copies started with different runtime folders
    // share them all the same.
    SingleInstanceCheck(GameTitle, CommonAppDataFolder() + PlayerFolder);
    SetAppTitle(GameTitle);
    ScreenWidth = 800;
    ScreenHeight = 600;
    SeedRnd(uint32_t(MilliSecs()));
    SoundBank = std::make_unique<TSoundBank>();
    RunHook(StartupHooks().CreateScreens);
    try {
        RunGame();
    } catch (...) {
        // The report must not keep the program from its orderly end.
        try {
            ReportUncaughtException(std::current_exception());
        } catch (...) {
        }
        GameQuit(1);
    }
}

int TGame::Init(int soundDriverChoice, int) {
    Checkpoint = 1;
    SeedRnd(uint32_t(MilliSecs()));
    FixedRateLogic->Label = "Ticks   ";
    LogicTime->Label = "Logic   ";
    DrawTime->Label = "Draw    ";
    CodeTime->Label = "Code    ";
    FPS->Label = "FPS     ";

    if (UseCorrectPath) {
        Checkpoint = 1001;
        if (!ReadDir(SubPath)) {
            Checkpoint = 1002;
            if (!CreateDir(SubPath, true)) ReportError("Cannot create shared data folder " + SubPath);
            // No access grant follows: the folder lies in the player's own data folder, not in one
            // shared by the machine's users, and opening it to everyone would let any of them change
            // this player's saves and settings. It keeps the access it was made with.
        }
    }
    // On a first start the player folder exists only now: its lock is taken here, and a copy started
    // meanwhile with another runtime folder that got there first ends this one, silently.
    if (!InstanceLock().name.empty()) SingleInstanceCheck(InstanceLock().name, InstanceLock().playerFolder);

    Checkpoint = 3;
    Ini->FileName = SettingsFileName();
    Checkpoint = 4;
    IniFill();
    Checkpoint = 5;
    const std::string defaultIni = DataPrefix + "data/default.ini";
    // A settings file that cannot be read is kept aside here, and the defaults take its place too.
    if (ReadPlayerFile(Ini->FileName + ".ini", MaxIniFileBytes).State != PlayerFileState::Read &&
        FileType(defaultIni) == FILETYPE_FILE) {
        Checkpoint = 5001;
        CopyFile(defaultIni, Ini->FileName + ".ini", MaxIniFileBytes);
    }
    Checkpoint = 5002;
    Ini->Load();
    Checkpoint = 6;
    IniExtract();

    Checkpoint = 6001;
    if (!ReadDir(ProfilePath)) {
        Checkpoint = 6002;
        // A read-only or full player folder must not keep the game from starting; saving a game
        // then reports its own failure.
        if (!CreateDir(ProfilePath, false)) ShowNotice("Cannot create shared profiles folder " + ProfilePath);
    }
    // Only this copy runs (the single-instance lock is held), so any temporary file of ours is
    // what an interrupted write left behind.
    RemoveWriteLeftovers();

    Checkpoint = 7;
    SetFlipSync();
    Checkpoint = 8;
    Checkpoint = 8001;
    ChooseSoundDriver(*this, soundDriverChoice);
    Checkpoint = 8002;
    OSVersion = GetOSVersionName();
    SoundDriver = "OpenAL Generic Software";
    ChangeSoundDriver(SoundDriver, 0);
    Checkpoint = 8004;
    FixedRateLogic->Create();
    Checkpoint = 2;
    MusicChannel = AllocChannel();
    SpeechChannel = AllocChannel();
    EscapeChannel = AllocChannel();
    Checkpoint = 9;
    return 0;
}

void GameQuit(int code) {
    QuitStep("MakeGoodExit", [] {
        if (Game) TGame::MakeGoodExit();
    });
    QuitStep("Kill", [] {
        if (Game) Game->Kill();
    });
    QuitStep("ShowMouse", [] { ShowMouse(); });
    if (GameOptionsLoaded) {
        for (const auto& [name, step] : StartupHooks().QuitSteps) QuitStep(name.c_str(), step);
    }
    if (QuitTrace()) QuitTrace()("End");
    End(code);
}

void SetGameQuitTrace(std::function<void(const std::string& step)> trace) {
    QuitTrace() = std::move(trace);
}
