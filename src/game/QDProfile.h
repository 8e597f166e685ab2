// The game layer's variants of the framework's profile, ini file and text table:
//  - QDProfile: a profile whose saving and loading the game supplies (nothing is written by itself);
//  - TSaveData: the empty record a game extends with what its profile must keep;
//  - QDIniFile: an ini file that can also be read from the resource archive;
//  - QDGameText: a text table that can also be read from the resource archive.
// Used only by QDPlayerManager, which this game does not use.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/IniFile.h"
#include "core/Profile.h"

class TSaveData {
  public:
    virtual ~TSaveData() = default;
    static std::shared_ptr<TSaveData> Create() { return std::make_shared<TSaveData>(); }
};

class QDProfile : public TProfile {
  public:
    std::function<int()> SaveFunction, LoadFunction;
    std::shared_ptr<TSaveData> savedata;

    static std::shared_ptr<QDProfile> Create(const std::string& name);
    // SaveFunction when set; writes nothing itself.
    int Save() override;
    // LoadFunction's result when set, else 0; reads nothing itself.
    int Load() override;
};

// The game-wide current profile; none until the game sets one.
extern std::shared_ptr<QDProfile> ActiveProfile;

class QDIniFile {
  public:
    std::vector<TIniLine> Lines;
    std::string FileName;

    void Add(const std::string& name, const std::string& value);
    // Atomic: 1 when written. When it cannot be written, the notice "Failed to save file " + path and
    // 0; the previous file stays, and play goes on.
    int Save();
    // Reads FileName + ".ini" from disk (fatal "Error loading file " + path when missing) or from
    // the archive (fatal "Could not read file '" + path + "'"); every added line takes the value of
    // its name; with save set the file is written back.
    void Load(int save, int fromArchive);
    const std::string* Find(const std::string& name) const;
};

class QDGameText {
  public:
    std::map<std::string, std::vector<std::string>> Map;

    static std::unique_ptr<QDGameText> Create(const std::string& file, int fromArchive);
    // From the text folder + file, or from the archive item file (fatal "Could not read file '" +
    // file + "'" when missing); the same format as the framework's game texts.
    void Read(const std::string& file, int fromArchive);
    const std::vector<std::string>& Find(const std::string& key) const;
    std::string FindString(const std::string& key) const;
};
