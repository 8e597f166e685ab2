// TIniFile reading and writing. Saving goes through the atomic writer in steps so that the
// checkpoint in the failure message still names the step that failed (5007 open, 5008 write,
// 5009 close, 5010 written), while the old file survives every one of those failures.
#include "core/IniFile.h"

#include <optional>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/PlayerFile.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

namespace {

std::string FileLine(const TIniLine& line) {
    return OneLine(line.Name) + "=" + OneLine(line.Value) + "\r\n";
}

}  // namespace

void TIniFile::Add(const std::string& name, const std::string& value) {
    lines_.push_back({Upper(name), value});
}

void TIniFile::Load() {
    if (const auto texts = ReadPlayerIniLines(FileName + ".ini")) {
        for (const std::string& text : *texts) {
            std::string::size_type eq = text.find('=');
            std::string name = Upper(eq == std::string::npos ? text : text.substr(0, eq));
            std::string value = eq == std::string::npos ? "" : text.substr(eq + 1);
            for (TIniLine& line : lines_) {
                if (line.Name == name) line.Value = value;
            }
        }
    }
    Save();
}

std::string TIniFile::Serialise() const {
    std::string text;
    for (const TIniLine& line : lines_) text += FileLine(line);
    return text;
}

int TIniFile::Save() {
    const std::string path = "utf8::" + FileName + ".ini";
    Checkpoint = 5007;
    TAtomicFile file(FileName + ".ini");
    bool written = file.Open();
    for (const TIniLine& line : lines_) {
        if (!written) break;
        Checkpoint = 5008;
        written = file.Write(FileLine(line));
    }
    if (written) {
        Checkpoint = 5009;
        written = file.Commit();
    }
    if (!written) {
        // A full disk or a read-only folder is no reason to end the game: the values stay in
        // memory. Said once, not at every change the player makes while it lasts.
        if (!failureShown_) {
            failureShown_ = true;
            std::string text = "(";
            ShowNotice(
                text.append(std::to_string(Checkpoint)).append(") Failed to save the file: ").append(path));
        }
        return -1;
    }
    Checkpoint = 5010;
    FileWritten(path);
    failureShown_ = false;
    return 0;
}

bool TIniFile::Set(const std::string& name, const std::string& value) {
    std::string key = Upper(name);
    bool found = false;
    for (TIniLine& line : lines_) {
        if (line.Name == key) {
            line.Value = value;
            found = true;
        }
    }
    return found;
}

const std::string* TIniFile::Find(const std::string& name) const {
    std::string key = Upper(name);
    for (const TIniLine& line : lines_) {
        if (line.Name == key) return &line.Value;
    }
    return nullptr;
}
