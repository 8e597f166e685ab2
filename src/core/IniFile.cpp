// TIniFile reading and writing. Saving goes through the atomic writer in steps so that the
// checkpoint in the failure message still names the step that failed (5007 open, 5008 write,
// 5009 close, 5010 written), while the old file survives every one of those failures.
#include "core/IniFile.h"

#include <optional>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

namespace {

std::string FileLine(const TIniLine& line) { return OneLine(line.Name) + "=" + OneLine(line.Value) + "\r\n"; }

}  // namespace

void TIniFile::Add(const std::string& name, const std::string& value) { lines_.push_back({Upper(name), value}); }

void TIniFile::Load() {
    std::optional<std::string> bytes = LoadFile(FileName + ".ini");
    if (bytes) {
        for (std::string text : SplitLines(DecodeText(*bytes))) {
            std::erase(text, '\r');
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
    try {
        Checkpoint = 5007;
        TAtomicFile file(FileName + ".ini");
        if (!file.Open()) ReportError("Failed to save file " + path, 1);
        for (const TIniLine& line : lines_) {
            Checkpoint = 5008;
            if (!file.Write(FileLine(line))) throw TRuntimeError("write failed");
        }
        Checkpoint = 5009;
        if (!file.Commit()) throw TRuntimeError("close failed");
        Checkpoint = 5010;
        FileWritten(path);
    } catch (...) {
        std::string text = "(";
        text.append(std::to_string(Checkpoint)).append(") Failed to save the file: ").append(path);
        throw TRaisedText(text);
    }
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
