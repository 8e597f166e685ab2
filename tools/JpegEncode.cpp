// Turns a rasterised PNG into the JPEG the game loads, with our own codec, so the backgrounds in the
// resource archive are encoded the same way on every machine.
//
//   JpegEncode <in.png> <out.jpg> [quality 1-100, default 90]
#include <iostream>
#include <string>

#include "platform/ImageCodec.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: JpegEncode <in.png> <out.jpg> [quality]\n";
        return 2;
    }
    const int quality = argc == 4 ? std::stoi(argv[3]) : 90;
    const std::optional<TPixmap> pixmap = LoadPixmap(argv[1]);
    if (!pixmap) {
        std::cerr << "JpegEncode: cannot decode " << argv[1] << "\n";
        return 1;
    }
    if (!SavePixmapJPEG(*pixmap, argv[2], quality)) {
        std::cerr << "JpegEncode: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
