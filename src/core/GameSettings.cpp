// The framework settings of TGame and the crash-recovery markers.
//
// "inichanged.dat" is created whenever the player changes a setting; "goodexit.dat" at every
// orderly end. A start that finds the first without the second restores the default settings
// (keeping the profile name), because the crashed run may have left them half-applied. The
// restore reads the default file before it touches anything, so a missing default never costs
// the player the settings they have.
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/PlayerFile.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"
#include "platform/System.h"

namespace {

// Marker path: the shared data folder, or "data/" beside the executable without it.
std::string MarkerPath(const TGame* game, const std::string& name) {
    if (game && game->UseCorrectPath) return game->SubPath + name;
    return "data/" + name;
}

// An empty file: only its existence counts. A marker that cannot be created is ignored.
void CreateMarker(const std::string& path) {
    WriteFileAtomic(path, "");
}

}  // namespace

int TGame::IniFill() {
    TIniFile& ini = *Ini;
    ini.Clear();
    // While paused or suspended, Music and Speech hold the temporary mute; the player's own
    // choices wait in the paused states.
    bool muted = Paused || Suspended;
    ini.Add("Version No", VersionNumber);
    ini.Add("Full Screen", std::to_string(FullScreen));
    ini.Add("Sound", std::to_string(Sound));
    ini.Add("Music", std::to_string(muted ? PausedMusicState : Music));
    ini.Add("Speech", std::to_string(muted ? PausedSpeechState : Speech));
    ini.Add("Sound Volume", std::to_string(SoundVolume));
    ini.Add("Music Volume", std::to_string(MusicVolume));
    ini.Add("Speech Volume", std::to_string(SpeechVolume));
    ini.Add("Fade", std::to_string(Fade));
    ini.Add("Particles", std::to_string(Particles));
    ini.Add("Portal Splash", std::to_string(PortalSplash));
    ini.Add("Portal Splash2", std::to_string(PortalSplash2));
    ini.Add("Intro", std::to_string(IntroShow));
    ini.Add("VSync", std::to_string(VSync));
    ini.Add("Driver", std::to_string(Driver));
    ini.Add("Sound Driver", SoundDriver);
    ini.Add("Full Screen Process Priority", std::to_string(FullScreenProcess));
    ini.Add("Full Screen Thread Priority", std::to_string(FullScreenThread));
    ini.Add("Windowed Process Priority", std::to_string(WindowedProcess));
    ini.Add("Windowed Thread Priority", std::to_string(WindowedThread));
    ini.Add("Profile Name", ProfileName);
    ini.Add("Region", std::to_string(Region));
    ini.Add("Sub-Region", std::to_string(SubRegion));
    return 0;
}

int TGame::IniExtract() {
    // The numeric settings by their upper-case names in the file.
    static constexpr std::pair<std::string_view, int TGame::*> kIntSettings[] = {
        {"FULL SCREEN", &TGame::FullScreen},
        {"SOUND", &TGame::Sound},
        {"MUSIC", &TGame::Music},
        {"SPEECH", &TGame::Speech},
        {"SOUND VOLUME", &TGame::SoundVolume},
        {"MUSIC VOLUME", &TGame::MusicVolume},
        {"SPEECH VOLUME", &TGame::SpeechVolume},
        {"FADE", &TGame::Fade},
        {"PARTICLES", &TGame::Particles},
        {"PORTAL SPLASH", &TGame::PortalSplash},
        {"PORTAL SPLASH2", &TGame::PortalSplash2},
        {"INTRO", &TGame::IntroShow},
        {"VSYNC", &TGame::VSync},
        {"DRIVER", &TGame::Driver},
        {"FULL SCREEN PROCESS PRIORITY", &TGame::FullScreenProcess},
        {"FULL SCREEN THREAD PRIORITY", &TGame::FullScreenThread},
        {"WINDOWED PROCESS PRIORITY", &TGame::WindowedProcess},
        {"WINDOWED THREAD PRIORITY", &TGame::WindowedThread},
        {"REGION", &TGame::Region},
        {"SUB-REGION", &TGame::SubRegion},
    };
    for (const TIniLine& line : *Ini) {
        const std::string& name = line.Name;
        const std::string& value = line.Value;
        if (name == "VERSION NO") {
            VersionNumber = value;
        } else if (name == "SOUND DRIVER") {
            SoundDriver = value;
        } else if (name == "PROFILE NAME") {
            ProfileName = value;
        } else {
            for (const auto& [key, field] : kIntSettings)
                if (name == key) this->*field = ToInt(value);
        }
    }
    // The volumes and the particle amount are shares of 100 that later steps add to and multiply; an
    // edited file must not take them where that arithmetic overflows.
    static constexpr int TGame::*kPercentages[] = {&TGame::SoundVolume, &TGame::MusicVolume,
                                                   &TGame::SpeechVolume, &TGame::Particles};
    for (int TGame::*field : kPercentages) this->*field = std::clamp(this->*field, 0, 100);
    return 0;
}

int TGame::IniUpdate(int flag) {
    IniFill();
    Ini->Save();
    if (flag) CreateMarker(MarkerPath(this, "inichanged.dat"));
    return 0;
}

int TGame::MakeGoodExit() {
    CreateMarker(MarkerPath(Game.get(), "goodexit.dat"));
    return 0;
}

int TGame::CheckGoodExit() {
    const std::string goodExit = MarkerPath(this, "goodexit.dat");
    const std::string iniChanged = MarkerPath(this, "inichanged.dat");
    if (FileType(goodExit) == FILETYPE_FILE) {
        DeleteFile(goodExit);
    } else if (FileType(iniChanged) == FILETYPE_FILE) {
        const std::string settings = SettingsFileName() + ".ini";
        // A settings file that cannot be read is kept aside rather than replaced in place.
        const auto lines = ReadPlayerIniLines(settings);
        const std::string profile = lines ? IniValue(*lines, "Profile Name") : "";
        // The default is read first and replaces the settings in one step; without a readable
        // default the settings stay as they are and nothing is claimed.
        if (RestoreIniKeepingValue(DataPrefix + "data/default.ini", settings, "Profile Name", profile)) {
            ShowNotice("Default ini file restored!");
        }
    }
    DeleteFile(iniChanged);
    return 0;
}

int TGame::RemoveWriteLeftovers() {
    if (SubPath.empty()) return 0;
    std::string settings = SettingsFileName() + ".ini";
    settings = settings.substr(settings.find_last_of('/') + 1);
    std::vector<std::string> names = GameFileNames;
    names.insert(names.end(), {settings, "goodexit.dat", "inichanged.dat", "ErrorLog.txt"});
    int removed = RemoveAtomicLeftovers(SubPath, [&](const std::string& target, bool) {
        return std::find(names.begin(), names.end(), target) != names.end();
    });
    // Save games and profiles: any ".dat" name, or one cut short because it was that long.
    if (!ProfilePath.empty() && ProfilePath != SubPath)
        removed += RemoveAtomicLeftovers(ProfilePath, [](const std::string& target, bool cut) {
            return cut || (target.size() > 4 && target.compare(target.size() - 4, 4, ".dat") == 0);
        });
    return removed;
}

std::string TGame::SettingsFileName() const {
    std::string app = ExecutablePath();
    std::string folder;
    std::string::size_type slash = app.find_last_of("/\\");
    if (slash != std::string::npos) {
        folder = app.substr(0, slash + 1);
        app = app.substr(slash + 1);
    }
    std::string::size_type dot = app.rfind('.');
    if (dot != std::string::npos && dot > 0) app = app.substr(0, dot);
    return UseCorrectPath ? SubPath + app : folder + app;
}
