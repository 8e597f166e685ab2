// Sound records and the sound bank.
#include "core/SoundBank.h"

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/Audio.h"

std::unique_ptr<TSoundBank> SoundBank;

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

void TSoundBank::SetPath(const std::string& path) {
    Path = AddTrailingSlash(path);
}

void TSoundBank::Load(const std::string& file, float pitch, float volume, const std::string& name,
                      int flags) {
    std::string ext(1, '.');
    ext += ExtractExt(file);
    std::string base = StripExt(file);
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
