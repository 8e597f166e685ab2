// Named sounds: the TGameSound record (a sound with its playing pitch and relative volume) and
// the sound bank through which screens find them by upper-cased name.
// Made by start-up (the global SoundBank); used by the audio control and every widget or screen that
// plays a named sound.
#pragma once

#include <map>
#include <memory>
#include <string>

class TSound;
class TChannel;

class TGameSound {
  public:
    std::string name;  // upper-cased key
    std::shared_ptr<TSound> sound;
    float pitch = 1.0f;   // playback rate
    float volume = 1.0f;  // relative volume, multiplied into the sound volume when played

    // A record loaded from file; a file that does not load is fatal ("Error loading sample ").
    static std::shared_ptr<TGameSound> Create(const std::string& file, int flags);
    void Load(const std::string& file, int flags);
    // Plays through the application object's GameSoundPlay; channel receives the channel used.
    void PlayInChannel(std::shared_ptr<TChannel>& channel, float pan);
};

class TSoundBank {
  public:
    std::string Path;
    std::string Ext = ".wav";
    std::map<std::string, std::shared_ptr<TGameSound>> Map;

    void SetPath(const std::string& path);
    // Loads Path + file (+ Ext when the file has no extension) and stores it under the file's
    // upper-cased bare name, or under Upper(name) when name is not empty.
    void Load(const std::string& file, float pitch = 1.0f, float volume = 1.0f, const std::string& name = "",
              int flags = 0);
    // The record, or the fatal report "Sound '" + NAME + "' was not found in the SoundBank".
    std::shared_ptr<TGameSound> Find(const std::string& name) const;
};

extern std::unique_ptr<TSoundBank> SoundBank;
