// TGameImage: loading, naming and sizes of a named image.
#include "presentation/GameImage.h"

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "platform/Image.h"

namespace {

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

}  // namespace

int TGameImage::CalcRAM() const {
    if (!image) return 0;
    return image->Width() * 4 * image->Height() * image->Frames();
}

int TGameImage::CalcVRAM() const {
    if (!image) return 0;
    return NextPowerOfTwo(image->Width()) * 4 * NextPowerOfTwo(image->Height()) * image->Frames();
}

std::shared_ptr<TGameImage> TGameImage::Create(const std::string& path, int flags, int midHandle) {
    auto gameImage = std::make_shared<TGameImage>();
    gameImage->Load(path, flags, midHandle);
    return gameImage;
}

std::shared_ptr<TGameImage> TGameImage::CreateAuto(const std::string& path, int cellW, int cellH, int first,
                                                   int count, int flags, int midHandle) {
    auto gameImage = std::make_shared<TGameImage>();
    if (count > 1) {
        gameImage->LoadAnim(path, cellW, cellH, first, count, flags, midHandle);
    } else {
        gameImage->Load(path, flags, midHandle);
    }
    return gameImage;
}

std::shared_ptr<TGameImage> TGameImage::CreateFromImage(std::shared_ptr<TImage> image,
                                                        const std::string& name, int midHandle) {
    auto gameImage = std::make_shared<TGameImage>();
    gameImage->image = std::move(image);
    gameImage->name = name;
    gameImage->GetSize();
    gameImage->MidHandle(midHandle);
    return gameImage;
}

void TGameImage::Draw(float x, float y) const {
    DrawImage(image.get(), x, y, 0);
}

void TGameImage::GetSize() {
    if (!image) return;
    w = image->Width();
    h = image->Height();
    w2 = float(w / 2);
    h2 = float(h / 2);
}

void TGameImage::Load(const std::string& path, int flags, int midHandle) {
    name = Upper(StripAll(path));
    image = LoadImageOrDie(path, flags);
    GetSize();
    MidHandle(midHandle);
}

void TGameImage::LoadAnim(const std::string& path, int cellW, int cellH, int first, int count, int flags,
                          int midHandle) {
    name = Upper(StripAll(path));
    image = LoadAnimImageOrDie(path, cellW, cellH, first, count, flags);
    GetSize();
    MidHandle(midHandle);
}

void TGameImage::MidHandle(int on) {
    if (on != 0) {
        MidHandleImage(image.get());
        midhandled = 1;
    } else {
        SetImageHandle(image.get(), 0, 0);
        midhandled = 0;
    }
}

void TGameImage::Precache() const {
    PrecacheImage(image.get());
}
