// The load-or-die helpers declared in ErrorReport.h: the platform loaders, with a missing or
// undecodable file turned into the fatal report that names it. Kept apart from the error path so
// that reporting errors does not pull in the image and sound loaders.
#include "core/ErrorReport.h"
#include "platform/Audio.h"
#include "platform/ImageLoader.h"

std::shared_ptr<TImage> LoadImageOrDie(const std::string& path, int flags) {
    std::shared_ptr<TImage> image = LoadImage(path, flags);
    if (!image) ReportError(ErrorLoadingBitmap + path, 1);
    return image;
}

std::shared_ptr<TImage> LoadAnimImageOrDie(const std::string& path, int cellWidth, int cellHeight,
                                           int firstCell, int cellCount, int flags) {
    std::shared_ptr<TImage> image = LoadAnimImage(path, cellWidth, cellHeight, firstCell, cellCount, flags);
    if (!image) ReportError(ErrorLoadingAnimBitmap + path, 1);
    return image;
}

std::shared_ptr<TSound> LoadSoundOrDie(const std::string& path, int flags) {
    std::shared_ptr<TSound> sound = LoadSound(path, flags);
    if (!sound) ReportError(ErrorLoadingSample + path, 1);
    return sound;
}
