// Reading and looking up the game texts.
#include "core/GameText.h"

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/StringUtils.h"

std::unique_ptr<TGameText> GameText;

std::unique_ptr<TGameText> TGameText::Create(const std::string& file) {
    auto text = std::make_unique<TGameText>();
    if (Game) text->Folder = Game->TextPath;
    text->Read(file);
    return text;
}

std::map<std::string, std::vector<std::string>> ParseTextEntries(const std::vector<std::string>& lines) {
    std::map<std::string, std::vector<std::string>> table;
    std::size_t i = 0;
    while (i < lines.size()) {
        CheckSectionHeader(lines[i], "TEXT");
        ++i;
        std::vector<std::string> entry = ReadSectionLines(lines, i);
        // A header with no key line has nothing to store.
        if (entry.empty()) continue;
        std::string key = Upper(entry.front());
        entry.erase(entry.begin());
        table[key] = std::move(entry);
    }
    return table;
}

void TGameText::Read(const std::string& file) {
    table_.clear();
    table_ = ParseTextEntries(SplitLines(DecodeText(ReadFileOrDie(Folder + file))));
}

const std::vector<std::string>& TGameText::Find(const std::string& key) const {
    static const std::vector<std::string> none;
    auto found = table_.find(Upper(key));
    return found == table_.end() ? none : found->second;
}

std::string TGameText::FindString(const std::string& key) const {
    const std::vector<std::string>& lines = Find(key);
    std::string text;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) text += "\r\n";
        text += lines[k];
    }
    return text;
}
