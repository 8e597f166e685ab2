// File helpers. The ini-line functions work on whole files in memory and write through the
// atomic writer, so a restore interrupted half-way never leaves a half-written settings file.
#include "core/FileUtils.h"

#include <optional>

#include "core/StringUtils.h"
#include "platform/FileSystem.h"
#include "platform/System.h"

namespace {

bool IsHeader(const std::string& line) {
    return !line.empty() && line[0] == '[';
}

size_t ExtensionDot(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
    return dot;
}

}  // namespace

bool FileExists(const std::string& path) {
    return FileType(path) != FILETYPE_NONE;
}

bool EnsureFileDeleted(const std::string& path) {
    return DeleteFile(path) || !FileExists(path);
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

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

std::string StripExt(const std::string& path) {
    size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

namespace {
std::function<void(const std::string&)> g_fileWrittenObserver;
}  // namespace

void FileWritten(const std::string& path) {
    if (g_fileWrittenObserver) g_fileWrittenObserver(path);
}

void SetFileWrittenObserver(std::function<void(const std::string&)> observer) {
    g_fileWrittenObserver = std::move(observer);
}

std::vector<std::string> IniLines(const std::string& bytes) {
    std::vector<std::string> lines = SplitLines(DecodeText(bytes));
    for (std::string& line : lines) std::erase(line, '\r');
    return lines;
}

std::optional<std::vector<std::string>> LoadIniLines(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(path, MaxIniFileBytes);
    if (!bytes) return std::nullopt;
    return IniLines(*bytes);
}

std::string IniValue(const std::vector<std::string>& lines, const std::string& name) {
    std::string key = Upper(name);
    for (const std::string& line : lines) {
        if (Upper(BeforeSeparator(line, "=")) == key) return AfterSeparator(line, "=");
    }
    return "";
}

std::string ReadIniValue(const std::string& path, const std::string& name) {
    std::optional<std::vector<std::string>> lines = LoadIniLines(path);
    return lines ? IniValue(*lines, name) : "";
}

int CopyIniWithValue(const std::string& source, const std::string& target, const std::string& name,
                     const std::string& value) {
    std::optional<std::vector<std::string>> lines = LoadIniLines(source);
    if (!lines) return 0;
    std::string key = Upper(name);
    std::string text;
    for (std::string& line : *lines) {
        if (Upper(BeforeSeparator(line, "=")) == key) line = key + "=" + OneLine(value);
        text += line + "\r\n";
    }
    if (!WriteFileAtomic(target, text)) return 0;
    FileWritten(target);
    return 1;
}

int RestoreIniKeepingValue(const std::string& source, const std::string& target, const std::string& name,
                           const std::string& value) {
    return CopyIniWithValue(source, target, name, value);
}

void WriteIniString(std::ostream& stream, const std::string& name, const std::string& value) {
    stream << Upper(OneLine(name)) << '=' << OneLine(value) << "\r\n";
}

void WriteIniInt(std::ostream& stream, const std::string& name, int n) {
    WriteIniString(stream, name, std::to_string(n));
}

bool ReadLine(std::istream& stream, std::string& line) {
    line.clear();
    if (stream.peek() == std::istream::traits_type::eof()) return false;
    std::getline(stream, line);
    std::erase(line, '\r');
    return true;
}

std::vector<std::string> ReadSectionLines(const std::vector<std::string>& lines, std::size_t& index) {
    std::vector<std::string> section;
    while (index < lines.size() && !IsHeader(lines[index])) section.push_back(lines[index++]);
    return section;
}

std::vector<std::string> ReadStreamSection(std::istream& stream, std::string& line) {
    std::vector<std::string> lines;
    bool more = ReadLine(stream, line);
    while (more && stream.peek() != std::istream::traits_type::eof() && !IsHeader(line)) {
        lines.push_back(line);
        more = ReadLine(stream, line);
    }
    if (!line.empty() && !IsHeader(line)) lines.push_back(line);
    return lines;
}

std::string ReadLinePair(std::istream& stream, std::string& second) {
    std::string first;
    ReadLine(stream, first);
    ReadLine(stream, second);
    return first;
}

std::string AppFileNoDebug(const std::string& appFile) {
    if (appFile.size() >= 10 && appFile.substr(appFile.size() - 9, 5) == "debug") {
        return appFile.substr(0, appFile.size() - 10) + ".exe";
    }
    return appFile;
}

std::string AppFileNoDebug() {
    return AppFileNoDebug(ExecutablePath());
}
