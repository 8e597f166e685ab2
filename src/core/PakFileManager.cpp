// Loading the resource folder into one name map, and the typed getters over its items.
#include "core/PakFileManager.h"

#include <algorithm>
#include <filesystem>

#include "core/ErrorReport.h"
#include "core/PakFormat.h"
#include "core/StringUtils.h"
#include "platform/Audio.h"
#include "platform/DataFile.h"
#include "platform/FileSystem.h"
#include "platform/FontRaster.h"
#include "platform/ImageCodec.h"
#include "platform/ImageFont.h"
#include "platform/ImageLoader.h"

std::unique_ptr<TPakFileManager> PakManager;

namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// The folder made absolute with "/" separators, without resolving links.
std::string RealFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(path.empty() ? "." : path, ec);
    if (ec) return WithSlash(path);
    std::string out = abs.lexically_normal().generic_string();
    return WithSlash(out);
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

// ---- TPakItem ---------------------------------------------------------------------------------

std::unique_ptr<TBankStream> TPakItem::GetStream() const {
    return std::make_unique<TBankStream>(shared_from_this(), std::span<const uint8_t>(Data));
}

std::string TPakItem::GetText() const {
    return DecodeText(GetString());
}

std::optional<TPixmap> TPakItem::GetPixmap() const {
    return DecodeImage(Data);
}

std::shared_ptr<TImage> TPakItem::GetImage(int flags) const {
    return LoadImage(std::span<const uint8_t>(Data), flags);
}

std::shared_ptr<TImage> TPakItem::GetAnimImage(int cellWidth, int cellHeight, int firstCell, int cellCount,
                                               int flags) const {
    return LoadAnimImage(std::span<const uint8_t>(Data), cellWidth, cellHeight, firstCell, cellCount, flags);
}

std::shared_ptr<TImageFont> TPakItem::GetImageFont(int size, int style) const {
    if (Data.empty()) return nullptr;
    return TImageFont::FromRaster(TFontRaster::Create(Data, size, (style & SMOOTHFONT) != 0));
}

std::shared_ptr<TSound> TPakItem::GetSound(int flags) const {
    return LoadSound(std::span<const uint8_t>(Data), flags);
}

std::shared_ptr<TAudioSample> TPakItem::GetAudioSample() const {
    return LoadAudioSample(std::span<const uint8_t>(Data));
}

// ---- TPakFile ---------------------------------------------------------------------------------

void TPakFile::ReadFromStream(TBankStream& stream, const std::string& path) {
    std::vector<TPakEntry> entries;
    try {
        entries = ReadPakArchive(stream.Rest(), path);
    } catch (const TPakFormatError& e) {
        // Raised, not reported: the top-level guard shows the bare text once and ends the run.
        throw TRaisedText(e.what());
    }
    stream.Seek(stream.Size());
    Items.clear();
    Items.reserve(entries.size());
    for (TPakEntry& e : entries) {
        auto item = std::make_shared<TPakItem>();
        item->Name = std::move(e.Name);
        item->VarType = e.VarType;
        item->Data = std::move(e.Data);
        Items.push_back(std::move(item));
    }
}

std::unique_ptr<TPakFile> TPakFile::Create(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(path, MaxDataFileBytes);
    if (!bytes) return nullptr;
    auto owner = std::make_shared<const std::string>(std::move(*bytes));
    TBankStream stream(owner, std::span(reinterpret_cast<const uint8_t*>(owner->data()), owner->size()));
    auto file = std::make_unique<TPakFile>();
    file->ReadFromStream(stream, path);
    return file;
}

// ---- TPakFileManager --------------------------------------------------------------------------

std::unique_ptr<TPakFileManager> TPakFileManager::Create(const std::string& path, const std::string& ext) {
    auto manager = std::make_unique<TPakFileManager>();
    manager->Path = RealFolder(path);
    manager->Ext = ext;
    manager->Reload();
    return manager;
}

int TPakFileManager::Reload() {
    Map.clear();
    LoadPaks(Path, Ext);
    LoadFiles(Path);
    return 0;
}

void TPakFileManager::Insert(const std::shared_ptr<TPakItem>& item) {
    if (item) Map[PakLowerName(item->Name)] = item;
}

int TPakFileManager::LoadPaks(const std::string& path, const std::string& ext) {
    std::string folder = RealFolder(path);
    std::optional<std::vector<DirEntry>> entries = ReadDir(folder);
    if (!entries) return 0;
    // ReadDir lists in name order, which fixes which archive wins a shared name.
    std::vector<std::unique_ptr<TPakFile>> archives;
    for (const DirEntry& e : *entries) {
        if (!EndsWith(e.Name, ext)) continue;
        if (e.Kind == EntryKind::Dir || FileType(folder + e.Name) != FILETYPE_FILE) continue;
        if (auto archive = TPakFile::Create(folder + e.Name)) archives.push_back(std::move(archive));
    }
    for (const auto& archive : archives)
        for (const auto& item : archive->Items) Insert(item);
    return 0;
}

int TPakFileManager::LoadPakFile(const std::string& path) {
    if (auto archive = TPakFile::Create(path))
        for (const auto& item : archive->Items) Insert(item);
    return 0;
}

void TPakFileManager::ScanFiles(std::vector<std::string>& list, const std::string& folder) const {
    std::optional<std::vector<DirEntry>> entries = ReadDir(folder);
    if (!entries) return;
    for (const DirEntry& e : *entries) {
        if (e.Name.empty()) break;
        if (!Ext.empty() && EndsWith(e.Name, Ext)) continue;
        switch (e.Kind) {
            case EntryKind::Dir:
                ScanFiles(list, folder + e.Name + "/");
                break;
            case EntryKind::File:
                list.push_back(folder + e.Name);
                break;
            case EntryKind::Symlink:
                // A link to a file is read like the file; a link to a folder is never entered,
                // so a link loop cannot make the scan endless.
                if (FileType(folder + e.Name) == FILETYPE_FILE) list.push_back(folder + e.Name);
                break;
            case EntryKind::Other:
                break;
        }
    }
}

int TPakFileManager::LoadFiles(const std::string& path) {
    std::string folder = RealFolder(path);
    std::vector<std::string> list;
    ScanFiles(list, folder);
    for (const std::string& file : list) {
        std::optional<std::string> bytes = LoadFile(file, MaxDataFileBytes);
        if (!bytes) continue;
        auto item = std::make_shared<TPakItem>();
        item->Name = file.substr(folder.size());
        item->VarType = ExtensionType(item->Name);
        item->Data.assign(bytes->begin(), bytes->end());
        Insert(item);
    }
    return 0;
}

std::shared_ptr<TPakItem> TPakFileManager::GetItem(const std::string& name) const {
    auto it = Map.find(PakLowerName(name));
    return it == Map.end() ? nullptr : it->second;
}

std::vector<uint8_t> TPakFileManager::GetBinary(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->Data : std::vector<uint8_t>{};
}

std::string TPakFileManager::GetString(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->GetString() : std::string();
}

std::span<const uint8_t> TPakFileManager::GetBank(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->GetBank() : std::span<const uint8_t>();
}

std::unique_ptr<TBankStream> TPakFileManager::GetStream(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->GetStream() : nullptr;
}

std::string TPakFileManager::GetText(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->GetText() : std::string();
}

std::optional<TPixmap> TPakFileManager::GetPixmap(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->GetPixmap() : std::nullopt;
}

std::shared_ptr<TImage> TPakFileManager::GetImage(const std::string& name, int flags) const {
    auto item = GetItem(name);
    return item ? item->GetImage(flags) : nullptr;
}

std::shared_ptr<TImage> TPakFileManager::GetAnimImage(const std::string& name, int cellWidth, int cellHeight,
                                                      int firstCell, int cellCount, int flags) const {
    auto item = GetItem(name);
    return item ? item->GetAnimImage(cellWidth, cellHeight, firstCell, cellCount, flags) : nullptr;
}

std::shared_ptr<TImageFont> TPakFileManager::GetImageFont(const std::string& name, int size,
                                                          int style) const {
    auto item = GetItem(name);
    return item ? item->GetImageFont(size, style) : nullptr;
}

std::shared_ptr<TSound> TPakFileManager::GetSound(const std::string& name, int flags) const {
    auto item = GetItem(name);
    return item ? item->GetSound(flags) : nullptr;
}

std::shared_ptr<TAudioSample> TPakFileManager::GetAudioSample(const std::string& name) const {
    auto item = GetItem(name);
    return item ? item->GetAudioSample() : nullptr;
}

std::shared_ptr<TImage> TPakFileManager::GetImageOrDie(const std::string& name, int flags) const {
    auto image = GetImage(name, flags);
    if (!image) ReportError(std::string(ErrorLoadingBitmap) + Path + name, 1);
    return image;
}

std::shared_ptr<TImageFont> TPakFileManager::GetImageFontOrDie(const std::string& name, int size,
                                                               int style) const {
    auto font = GetImageFont(name, size, style);
    if (!font) ReportError(std::string(ErrorLoadingFile) + Path + name, 1);
    return font;
}

bool DataPakReadable(const std::string& resourcePath) {
    std::string path = resourcePath + "data.pak";
    return FileType(path) == FILETYPE_FILE && LoadFile(path, MaxDataFileBytes).has_value();
}

// ---- protocol streams -------------------------------------------------------------------------

namespace {
std::vector<TPakFileStreamFactory>& Factories() {
    static std::vector<TPakFileStreamFactory> factories;
    return factories;
}
}  // namespace

std::unique_ptr<TBankStream> TPakFileStreamFactory::CreateStream(const std::string&,
                                                                 const std::string& protocol,
                                                                 const std::string& path, bool,
                                                                 bool writeable) const {
    if (protocol != Protocoll || writeable || !PakMan) return nullptr;
    return PakMan->GetStream(path);
}

void RegisterPakFileStreams(TPakFileManager* manager, const std::string& protocol) {
    if (!manager) return;
    Factories().push_back(TPakFileStreamFactory{manager, protocol});
}

std::unique_ptr<TBankStream> OpenPakStream(const std::string& url) {
    size_t sep = url.find("::");
    if (sep == std::string::npos) return nullptr;
    std::string protocol = url.substr(0, sep), path = url.substr(sep + 2);
    for (const TPakFileStreamFactory& f : Factories())
        if (auto stream = f.CreateStream(url, protocol, path, true, false)) return stream;
    return nullptr;
}
