// The image bank over the presentation layer's TGameImage records.
#include "presentation/ImageBank.h"

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/StringUtils.h"
#include "presentation/GameImage.h"

std::unique_ptr<TImageBank> ImageBank;

void TImageBank::SetPath(const std::string& path) {
    Path = AddTrailingSlash(path);
}

void TImageBank::Load(const std::string& file, const std::string& name, int flags, int midHandle) {
    std::string ext(1, '.');
    ext += ExtractExt(file);
    std::string base = ext == "." ? file : file.substr(0, file.size() - ext.size());
    if (ext == ".") ext = Ext;
    auto record = TGameImage::Create(Path + base + ext, flags, midHandle);
    if (!name.empty()) record->name = Upper(name);
    Map[record->name] = record;
}

void TImageBank::LoadNoMid(const std::string& file, const std::string& name, int flags) {
    Load(file, name, flags, 0);
}

void TImageBank::LoadAnim(const std::string& file, int cellWidth, int cellHeight, int firstCell,
                          int cellCount, int flags, int midHandle) {
    auto record = std::make_shared<TGameImage>();
    record->LoadAnim(Path + file + Ext, cellWidth, cellHeight, firstCell, cellCount, flags, midHandle);
    Map[record->name] = record;
}

std::shared_ptr<TGameImage> TImageBank::Find(const std::string& name) const {
    auto it = Map.find(Upper(name));
    if (it == Map.end()) ReportError("Image '" + Upper(name) + "' was Not found in the ImageBank", 1);
    return it->second;
}

std::shared_ptr<TImage> TImageBank::FindTImage(const std::string& name) const {
    auto it = Map.find(Upper(name));
    return it == Map.end() ? nullptr : it->second->image;
}

int TImageBank::CalcRAM() const {
    long long total = 0;
    for (const auto& [key, record] : Map) total += record->CalcRAM();
    return int(total / 1024);
}

int TImageBank::CalcVRAM() const {
    long long total = 0;
    for (const auto& [key, record] : Map) total += record->CalcVRAM();
    return int(total / 1024);
}

void TImageBank::Precache() const {
    for (const auto& [key, record] : Map) record->Precache();
}
