// PNG decoding through libpng's simplified API (no setjmp needed); PNG encoding through its classic API,
// which alone lets the caller choose the compression level; JPEG through libjpeg. The classic PNG and
// the JPEG functions keep every object with a destructor outside the frame that calls setjmp, so a
// longjmp never skips a destructor.
#include "platform/ImageCodec.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "platform/DataFile.h"
#include "platform/FileSystem.h"

namespace {

uint32_t PackARGB(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

bool DimensionsOk(unsigned w, unsigned h) {
    return w > 0 && h > 0 && w <= unsigned(kMaxImageDimension) && h <= unsigned(kMaxImageDimension);
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegSilence(j_common_ptr, int) {}
void JpegNoOutput(j_common_ptr) {}

void InstallErrors(JpegError& err, jpeg_common_struct* info) {
    info->err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.emit_message = JpegSilence;
    err.mgr.output_message = JpegNoOutput;
}

struct PngSink {
    std::vector<uint8_t>* out;
    bool failed;
};

void PngWrite(png_structp png, png_bytep data, size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (sink->failed) return;
    try {
        sink->out->insert(sink->out->end(), data, data + length);
    } catch (...) {
        sink->failed = true;  // never unwind through libpng's C frames
    }
}

void PngFlush(png_structp) {}

[[noreturn]] void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) {}

// Encodes the rows (RGBA, 8 bits a channel) into sink; level 0-9 or -1 for zlib's default. No
// destructible locals here.
bool PngEncodeInto(int width, int height, png_bytep* rows, int level, PngSink* sink) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, sink, PngWrite, PngFlush);
    if (level >= 0 && level <= 9) png_set_compression_level(png, level);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return !sink->failed;
}

// Decodes into out (already default-constructed by the caller). No destructible locals here.
bool JpegDecodeInto(const uint8_t* data, size_t size, TPixmap* out, std::vector<uint8_t>* row) {
    jpeg_decompress_struct info;
    JpegError err;
    InstallErrors(err, reinterpret_cast<jpeg_common_struct*>(&info));
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
        !DimensionsOk(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out->width = int(info.output_width);
    out->height = int(info.output_height);
    out->pixels.assign(size_t(out->width) * size_t(out->height), 0);
    row->resize(size_t(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row->data()};
        size_t y = info.output_scanline;
        if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
        uint32_t* dst = out->pixels.data() + y * size_t(out->width);
        for (size_t x = 0; x < size_t(out->width); ++x)
            dst[x] = PackARGB((*row)[3 * x], (*row)[3 * x + 1], (*row)[3 * x + 2], 255);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool JpegEncodeInto(const TPixmap& pixmap, int quality, unsigned char** buffer, unsigned long* size,
                    std::vector<uint8_t>* row) {
    jpeg_compress_struct info;
    JpegError err;
    InstallErrors(err, reinterpret_cast<jpeg_common_struct*>(&info));
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(pixmap.width);
    info.image_height = JDIMENSION(pixmap.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    row->resize(size_t(pixmap.width) * 3);
    while (info.next_scanline < info.image_height) {
        const uint32_t* src = pixmap.pixels.data() + size_t(info.next_scanline) * size_t(pixmap.width);
        for (size_t x = 0; x < size_t(pixmap.width); ++x) {
            (*row)[3 * x] = uint8_t(src[x] >> 16);
            (*row)[3 * x + 1] = uint8_t(src[x] >> 8);
            (*row)[3 * x + 2] = uint8_t(src[x]);
        }
        JSAMPROW rows[1] = {row->data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool IsPNG(std::span<const uint8_t> bytes) {
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 && std::memcmp(bytes.data(), sig, 8) == 0;
}

bool IsJPEG(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

bool ValidPixmap(const TPixmap& p) {
    return !p.Empty() && p.pixels.size() == size_t(p.width) * size_t(p.height);
}

}  // namespace

std::optional<TPixmap> DecodePNG(std::span<const uint8_t> bytes) {
    if (!IsPNG(bytes)) return std::nullopt;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
    if (!DimensionsOk(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    TPixmap out(int(image.width), int(image.height));
    for (size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = PackARGB(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2], rgba[4 * i + 3]);
    return out;
}

std::optional<TPixmap> DecodeJPEG(std::span<const uint8_t> bytes) {
    if (!IsJPEG(bytes)) return std::nullopt;
    TPixmap out;
    std::vector<uint8_t> row;
    if (!JpegDecodeInto(bytes.data(), bytes.size(), &out, &row)) return std::nullopt;
    return out;
}

std::optional<TPixmap> DecodeImage(std::span<const uint8_t> bytes) {
    if (IsPNG(bytes)) return DecodePNG(bytes);
    if (IsJPEG(bytes)) return DecodeJPEG(bytes);
    return std::nullopt;
}

std::optional<TPixmap> LoadPixmap(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(path, MaxDataFileBytes);
    if (!bytes) return std::nullopt;
    return DecodeImage(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
}

std::vector<uint8_t> EncodePNG(const TPixmap& pixmap, int compressionLevel) {
    if (!ValidPixmap(pixmap)) return {};
    std::vector<uint8_t> rgba(pixmap.pixels.size() * 4);
    for (size_t i = 0; i < pixmap.pixels.size(); ++i) {
        uint32_t p = pixmap.pixels[i];
        rgba[4 * i] = uint8_t(p >> 16);
        rgba[4 * i + 1] = uint8_t(p >> 8);
        rgba[4 * i + 2] = uint8_t(p);
        rgba[4 * i + 3] = uint8_t(p >> 24);
    }
    std::vector<png_bytep> rows(size_t(pixmap.height));
    for (int y = 0; y < pixmap.height; ++y)
        rows[size_t(y)] = rgba.data() + size_t(y) * size_t(pixmap.width) * 4;
    std::vector<uint8_t> out;
    PngSink sink{&out, false};
    if (!PngEncodeInto(pixmap.width, pixmap.height, rows.data(), compressionLevel, &sink)) return {};
    return out;
}

std::vector<uint8_t> EncodeJPEG(const TPixmap& pixmap, int quality) {
    if (!ValidPixmap(pixmap)) return {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> row;
    bool ok = JpegEncodeInto(pixmap, quality < 1 ? 1 : quality > 100 ? 100 : quality, &buffer, &size, &row);
    std::vector<uint8_t> out;
    if (ok && buffer) out.assign(buffer, buffer + size);
    std::free(buffer);
    return out;
}

namespace {
bool SaveBytes(const std::vector<uint8_t>& bytes, const std::string& path) {
    if (bytes.empty()) return false;
    return WriteFileAtomic(path, std::string(bytes.begin(), bytes.end()));
}
}  // namespace

bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compressionLevel) {
    return SaveBytes(EncodePNG(pixmap, compressionLevel), path);
}

bool SavePixmapJPEG(const TPixmap& pixmap, const std::string& path, int quality) {
    return SaveBytes(EncodeJPEG(pixmap, quality), path);
}
