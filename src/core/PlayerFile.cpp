// The bounded player-file read and the move aside of a file that could not be read.
#include "core/PlayerFile.h"

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "platform/FileSystem.h"

namespace {

// Far more kept copies than any player has; beyond them the file stays and is not written.
constexpr int MaxKeptCopies = 100;

}  // namespace

TPlayerFile ReadPlayerFile(const std::string& path, std::size_t maxBytes) {
    TBoundedRead read = ReadFileBounded(path, maxBytes);
    TPlayerFile file;
    switch (read.Outcome) {
        case ReadOutcome::Read:
            file.State = PlayerFileState::Read;
            file.Bytes = std::move(read.Bytes);
            break;
        case ReadOutcome::Missing:
            break;
        case ReadOutcome::Unreadable:
            file.State = PlayerFileState::KeptAside;
            KeepPlayerFileAside(path, "it cannot be read");
            break;
        case ReadOutcome::TooLarge:
            file.State = PlayerFileState::KeptAside;
            file.Bytes = std::move(read.Bytes);
            KeepPlayerFileAside(path, "it is far too large");
            break;
    }
    return file;
}

std::optional<std::vector<std::string>> ReadPlayerIniLines(const std::string& path) {
    const TPlayerFile file = ReadPlayerFile(path, MaxIniFileBytes);
    if (file.State != PlayerFileState::Read) return std::nullopt;
    return IniLines(file.Bytes);
}

std::string KeepPlayerFileAside(const std::string& path, const std::string& reason) {
    std::string kept;
    for (int n = 1; n <= MaxKeptCopies && kept.empty(); ++n) {
        const std::string name = path + ".unreadable" + (n == 1 ? "" : std::to_string(n));
        if (RenameNoReplace(path, name)) kept = name;
    }
    const std::string notLoaded = "The file " + path + " was not loaded: " + reason + ". ";
    if (kept.empty()) {
        RefuseWritesTo(path);
        ShowNotice(notLoaded + "It is left as it is and will not be written over.");
        return path;
    }
    ShowNotice(notLoaded + "It has been kept as " + kept + " and a new one is used.");
    return kept;
}
