// The game-side profile, ini file and text table.
#include "game/QDProfile.h"

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/GameText.h"
#include "core/PakFileManager.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

std::shared_ptr<QDProfile> ActiveProfile;

std::shared_ptr<QDProfile> QDProfile::Create(const std::string& name) {
    auto profile = std::make_shared<QDProfile>();
    profile->TProfile::Init(name);
    profile->savedata = TSaveData::Create();
    return profile;
}

int QDProfile::Save() {
    return SaveFunction ? SaveFunction() : 0;
}

int QDProfile::Load() {
    return LoadFunction ? LoadFunction() : 0;
}

void QDIniFile::Add(const std::string& name, const std::string& value) {
    Lines.push_back({Upper(name), value});
}

const std::string* QDIniFile::Find(const std::string& name) const {
    const std::string key = Upper(name);
    for (const TIniLine& line : Lines)
        if (line.Name == key) return &line.Value;
    return nullptr;
}

int QDIniFile::Save() {
    const std::string path = FileName + ".ini";
    Checkpoint = 5007;
    std::string text;
    for (const TIniLine& line : Lines) {
        std::string value = line.Value;
        // A line break inside a value would split the line and lose the rest at the next load.
        for (char& c : value)
            if (c == '\r' || c == '\n') c = ' ';
        text += line.Name + "=" + value + "\r\n";
    }
    Checkpoint = 5008;
    // A failed write keeps the previous file and the values in memory; play goes on.
    if (!WriteFileAtomic(path, text)) {
        ShowNotice("Failed to save file " + path);
        return 0;
    }
    Checkpoint = 5009;
    FileWritten(path);
    Checkpoint = 5010;
    return 1;
}

void QDIniFile::Load(int save, int fromArchive) {
    const std::string path = FileName + ".ini";
    Checkpoint = 5002;
    std::string text;
    if (!fromArchive) {
        text = DecodeText(ReadFileOrDie(path));
    } else {
        auto stream = PakManager ? PakManager->GetStream(path) : nullptr;
        if (!stream) ReportError("Could not read file '" + path + "'");
        Checkpoint = 5013;
        text = stream->LoadText();
    }
    Checkpoint = 5003;
    for (const std::string& line : SplitLines(text)) {
        Checkpoint = 5004;
        const std::string name = Upper(BeforeSeparator(line, "="));
        const std::string value = AfterSeparator(line, "=");
        for (TIniLine& known : Lines)
            if (known.Name == name) known.Value = value;
    }
    Checkpoint = 5005;
    Checkpoint = 5006;
    if (save) Save();
}

std::unique_ptr<QDGameText> QDGameText::Create(const std::string& file, int fromArchive) {
    auto text = std::make_unique<QDGameText>();
    text->Read(file, fromArchive);
    return text;
}

void QDGameText::Read(const std::string& file, int fromArchive) {
    Map.clear();
    std::string text;
    if (!fromArchive) {
        text = DecodeText(ReadFileOrDie((Game ? Game->TextPath : std::string()) + file));
    } else {
        auto stream = PakManager ? PakManager->GetStream(file) : nullptr;
        if (!stream) ReportError("Could not read file '" + file + "'");
        text = stream->LoadText();
    }
    Map = ParseTextEntries(SplitLines(text));
}

const std::vector<std::string>& QDGameText::Find(const std::string& key) const {
    static const std::vector<std::string> none;
    const auto found = Map.find(Upper(key));
    return found == Map.end() ? none : found->second;
}

std::string QDGameText::FindString(const std::string& key) const {
    std::string text;
    const auto& lines = Find(key);
    for (std::size_t k = 0; k < lines.size(); ++k) text += (k ? "\r\n" : "") + lines[k];
    return text;
}
