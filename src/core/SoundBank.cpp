// Sound records and the sound bank.
#include "core/SoundBank.h"

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/Audio.h"

std::unique_ptr<TSoundBank> SoundBank;

namespace {

size_t ExtensionDot(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
    return dot;
}

}  // namespace

std::string StripAll(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::string ExtractExt(const std::string& path) {
    size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::shared_ptr<TGameSound> TGameSound::Create(const std::string& file, int flags) {
    auto record = std::make_shared<TGameSound>();
    record->Load(file, flags);
    return record;
}

void TGameSound::Load(const std::string& file, int flags) {
    name = Upper(StripAll(file));
    sound = LoadSoundOrDie(file, flags);
}

void TGameSound::PlayInChannel(std::shared_ptr<TChannel>& channel, float pan) {
    if (Game) Game->GameSoundPlay(channel, *this, pan);
}

void TSoundBank::SetPath(const std::string& path) { Path = AddTrailingSlash(path); }

void TSoundBank::Load(const std::string& file, float pitch, float volume, const std::string& name, int flags) {
    std::string ext(1, '.');
    ext += ExtractExt(file);
    size_t dot = ExtensionDot(file);
    std::string base = dot == std::string::npos ? file : file.substr(0, dot);
    if (ext == ".") ext = Ext;
    auto record = TGameSound::Create(Path + base + ext, flags);
    record->pitch = pitch;
    record->volume = volume;
    if (!name.empty()) record->name = Upper(name);
    Map[record->name] = record;
}

std::shared_ptr<TGameSound> TSoundBank::Find(const std::string& name) const {
    auto it = Map.find(Upper(name));
    if (it == Map.end()) ReportError("Sound '" + Upper(name) + "' was not found in the SoundBank", 1);
    return it->second;
}
