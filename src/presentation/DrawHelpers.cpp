// Free drawing helpers over the platform draw state (see DrawHelpers.h).
#include "presentation/DrawHelpers.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numbers>
#include <optional>

#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/ImageCodec.h"
#include "platform/ImageFont.h"
#include "platform/Window.h"
#include "presentation/BitmapFont.h"
#include "presentation/Color.h"

float TextShadowX = 1.0f;
float TextShadowY = 1.0f;
float TextShadowAlpha = 0.5f;
float TextAlpha = 1.0f;

namespace {

float Snap(float v) {
    return std::floor(v + 0.5f);
}

void PlainOrShadow(const std::string& text, float x, float y, int shadow) {
    if (shadow != 0) {
        DrawTextShadow(x, y, text, 0);
    } else {
        DrawText(text, x, y);
    }
}

float MeasureLine(const std::string& line, TBitmapFont* bitmapFont, float scale) {
    float width = bitmapFont != nullptr ? float(bitmapFont->StringWidth(line)) : TextWidth(line);
    return width * scale;
}

// Splits a paragraph into words after collapsing double blanks.
std::vector<std::string> Words(std::string paragraph) {
    size_t at;
    while ((at = paragraph.find("  ")) != std::string::npos) paragraph.erase(at, 1);
    std::vector<std::string> words;
    size_t start = 0;
    while (true) {
        size_t blank = paragraph.find(' ', start);
        words.push_back(
            paragraph.substr(start, blank == std::string::npos ? std::string::npos : blank - start));
        if (blank == std::string::npos) break;
        start = blank + 1;
    }
    return words;
}

std::vector<std::string> Wrap(const std::vector<std::string>& paragraphs, float width, float lastWidth,
                              int maxLines, TBitmapFont* bitmapFont, float scale) {
    std::vector<std::string> lines;
    auto limit = [&] { return maxLines > 0 && int(lines.size()) >= maxLines - 1 ? lastWidth : width; };
    for (const std::string& paragraph : paragraphs) {
        if (paragraph.empty()) {
            lines.emplace_back();
            continue;
        }
        std::string line;
        bool first = true;
        for (const std::string& word : Words(paragraph)) {
            if (first) {
                line = word;
                first = false;
                continue;
            }
            std::string candidate = line + " " + word;
            if (MeasureLine(candidate, bitmapFont, scale) <= limit()) {
                line = candidate;
            } else {
                lines.push_back(line);
                line = word;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

void DrawGlyphs(const std::string& text, float x, float y, float spacing, bool snapped) {
    std::shared_ptr<TImageFont> font = GetImageFont();
    if (!font) return;
    float sx, sy;
    GetScale(sx, sy);
    float rad = GetRotation() * std::numbers::pi_v<float> / 180.0f;
    float c = std::cos(rad), s = std::sin(rad);
    // The handle moves the text as it moves DrawText's, before scale and rotation.
    const float hx = GetDrawState().handleX, hy = GetDrawState().handleY;
    float pen = 0;
    for (char32_t ch : DecodeUtf8(text)) {
        const TGlyph* g = font->Glyph(ch);
        if (g == nullptr) continue;
        float lx = (pen + g->offsetX - hx) * sx, ly = (g->offsetY - hy) * sy;
        float gx = x + lx * c - ly * s, gy = y + lx * s + ly * c;
        if (snapped) {
            gx = std::floor(gx);
            gy = std::floor(gy);
        }
        if (g->width > 0 && g->height > 0)
            DrawSubImageRect(font->Atlas(), gx, gy, float(g->width), float(g->height), float(g->atlasX),
                             float(g->atlasY), float(g->width), float(g->height));
        pen += g->advance + spacing;
    }
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// A BMP row: width x 3 bytes padded to a multiple of 4. In 64 bits, as a wide image's row passes 16 bits
// and rows x height may pass 32.
uint64_t BMPRowSize(int width) {
    return (uint64_t(width) * 3 + 3) & ~uint64_t(3);
}

}  // namespace

void SetTextShadow(float x, float y, float alpha) {
    TextShadowX = x;
    TextShadowY = y;
    TextShadowAlpha = alpha;
}

void DrawTextShadow(float x, float y, const std::string& text, int centre) {
    if (centre != 0) x = float(int(x - TextWidth(text) / 2));
    int r, g, b;
    GetColor(r, g, b);
    int blend = GetBlend();
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(TextShadowAlpha * TextAlpha);
    DrawText(text, x + TextShadowX, y + TextShadowY);
    SetColor(r, g, b);
    SetAlpha(TextAlpha);
    DrawText(text, x, y);
    SetBlend(blend);
}

void DrawTextAt(const std::string& text, float x, float y, int shadow, int snap) {
    if (snap != 0) {
        x = Snap(x);
        y = Snap(y);
    }
    PlainOrShadow(text, x, y, shadow);
}

void DrawTextCentred(const std::string& text, float x, float y, int shadow, int snap) {
    float sx, sy;
    GetScale(sx, sy);
    x -= TextWidth(text) * sx / 2;
    if (sy != 1.0f) y -= (TextHeight(text) * sy - TextHeight(text)) / 2;
    DrawTextAt(text, x, y, shadow, snap);
}

void DrawTextRight(const std::string& text, float x, float y, int shadow, int snap) {
    if (snap != 0) {
        x = Snap(x);
        y = Snap(y);
    }
    PlainOrShadow(text, x - TextWidth(text), y, shadow);
}

void DrawTextAligned(const std::string& text, float x, float y, int shadow, int alignment, int snap) {
    switch (alignment) {
        case 0:
            DrawTextAt(text, x, y, shadow, snap);
            break;
        case 1:
            DrawTextCentred(text, x, y, shadow, snap);
            break;
        case 2:
            DrawTextRight(text, x, y, shadow, snap);
            break;
        default:
            break;
    }
}

void DrawTextCentredScaled(const std::string& text, float y, int shadow, int snap) {
    float sx, sy;
    GetScale(sx, sy);
    float x = float(int((float(ScreenWidth) - TextWidth(text) * sx) / 2));
    if (sy != 1.0f) y -= (TextHeight(text) * sy - TextHeight(text)) / 2;
    DrawTextAt(text, x, y, shadow, snap);
}

void DrawTextScreenCentred(const std::string& text, int shadow, int snap) {
    float x = float((ScreenWidth - int(TextWidth(text))) / 2);
    float y = float((ScreenHeight - int(TextHeight(text))) / 2);
    DrawTextAt(text, x, y, shadow, snap);
}

void DrawTextCentredScaledY(const std::string& text, float x, float y, int shadow) {
    float sx, sy;
    GetScale(sx, sy);
    x = std::floor(x - TextWidth(text) * sx / 2 + 0.5f);
    if (sy != 1.0f) y -= (TextHeight(text) * sy - TextHeight(text)) / 2;
    PlainOrShadow(text, x, y, shadow);
}

void DrawTextLinesShadow(float x, float y, const std::vector<std::string>& lines, int centre,
                         float lineHeight) {
    int blend = GetBlend();
    float step = lineHeight != 0 ? lineHeight : TextHeight("ABCXYZ");
    for (const std::string& line : lines) {
        DrawTextShadow(x, y, line, centre);
        y += step;
    }
    SetBlend(blend);
}

std::string FitText(const std::string& text, float width) {
    if (TextWidth(text) <= width) return text;
    static const std::string ellipsis = "\u2026";
    std::string cut = text;
    while (!cut.empty()) {
        cut.resize(WithoutLastChar(cut));
        if (TextWidth(cut + ellipsis) <= width) break;
    }
    return cut + ellipsis;
}

std::vector<std::string> WordWrap(const std::vector<std::string>& paragraphs, float width,
                                  TBitmapFont* bitmapFont, float scale) {
    return Wrap(paragraphs, width, width, 0, bitmapFont, scale);
}

std::vector<std::string> WordWrapLast(const std::vector<std::string>& paragraphs, float width,
                                      float lastWidth, int maxLines, TBitmapFont* bitmapFont, float scale) {
    return Wrap(paragraphs, width, lastWidth, maxLines, bitmapFont, scale);
}

void DrawImagePart(const TImage* image, float x, float y, float sx, float sy, float w, float h, int frame) {
    DrawSubImageRect(image, x, y, w, h, sx, sy, w, h, 0, 0, frame);
}

void DrawImageRect(const TImage* image, float x, float y, int sx, int sy, int w, int h) {
    if (image == nullptr) return;
    auto part = TImage::FromPixmap(PixmapWindow(image->Pixels(0), sx, sy, w, h), image->Flags());
    DrawImage(part.get(), x, y, 0);
}

void DrawImageClipped(const TImage* image, float x, float y, float clipX, float clipY, float clipW,
                      float clipH, float offsetX, float offsetY) {
    if (image == nullptr) return;
    float x0 = std::max(x, clipX), y0 = std::max(y, clipY);
    float x1 = std::min(x + float(image->Width()), clipX + clipW);
    float y1 = std::min(y + float(image->Height()), clipY + clipH);
    if (x1 <= x0 || y1 <= y0) return;
    DrawSubImageRect(image, x0 + offsetX, y0 + offsetY, x1 - x0, y1 - y0, x0 - x, y0 - y, x1 - x0, y1 - y0);
}

void DrawImageViewport(const TImage* image, int x, int y, int w, int h, int frame) {
    SetViewport(x, y, w, h);
    DrawImage(image, float(x), float(y), frame);
    SetViewport(0, 0, ScreenWidth, ScreenHeight);
}

void DrawImageShadow(const TImage* image, float x, float y, const TShadow* shadow) {
    if (shadow != nullptr) {
        shadow->Apply();
        DrawImage(image, x + shadow->X, y + shadow->Y);
        TShadow::Restore();
    }
    DrawImage(image, x, y);
}

void DrawImageShadowCentred(const TImage* image, const TShadow* shadow) {
    float x = float((ScreenWidth - ImageWidth(image)) / 2),
          y = float((ScreenHeight - ImageHeight(image)) / 2);
    DrawImageShadow(image, x, y, shadow);
}

void DrawImageLight(const TImage* image, float x, float y, float level, float red, float green, float blue,
                    int frame) {
    SetBlend(LIGHTBLEND);
    SetColor(int(level * 255 * red), int(level * 255 * green), int(level * 255 * blue));
    DrawImage(image, x, y, frame);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
}

void DrawFrameText(const std::string& text, float x, float y, const TImage* strip, int charWidth, int centre,
                   int snap) {
    if (strip == nullptr) return;
    float width = float(charWidth != 0 ? charWidth : strip->Width());
    if (centre != 0) x -= float(text.size()) * width / 2;
    if (snap != 0) {
        x = Snap(x);
        y = Snap(y);
    }
    for (unsigned char ch : text) {
        if (int(ch) < strip->Frames()) DrawImage(strip, x, y, ch);
        x += width;
    }
}

void DrawFrameTextSpaced(const std::string& text, float x, float y, const TImage* strip,
                         const std::vector<int>& widths, const std::vector<int>& offsets, float spacing,
                         int centre, int snap, float scale) {
    if (strip == nullptr) return;
    if (centre != 0) x -= FrameTextWidth(text, widths, spacing, scale) / 2;
    if (snap != 0) {
        x = Snap(x);
        y = Snap(y);
    }
    for (unsigned char ch : text) {
        float offset = ch < offsets.size() ? float(offsets[ch]) : 0.0f;
        float advance = ch < widths.size() ? float(widths[ch]) : 0.0f;
        if (int(ch) < strip->Frames()) DrawImage(strip, x - offset * scale, y, ch);
        x += advance * scale + spacing * scale;
    }
}

float FrameTextWidth(const std::string& text, const std::vector<int>& widths, float spacing, float scale) {
    if (text.empty()) return 0;
    float total = 0;
    for (unsigned char ch : text)
        total += (ch < widths.size() ? float(widths[ch]) : 0.0f) * scale + spacing * scale;
    return total - spacing * scale;
}

void SetImageHandleMid(TImage* image, int mid) {
    if (mid != 0) {
        MidHandleImage(image);
    } else {
        SetImageHandle(image, 0, 0);
    }
}

int ImageRectCollide(const TImage* image, float x, float y, int frame, float rx, float ry, float rw,
                     float rh) {
    ResetCollisions();
    CollideImage(image, x, y, frame, 0, 1);
    return CollideRect(rx, ry, rw, rh, 1, 0).empty() ? 0 : 1;
}

std::shared_ptr<TImage> CopyImageFrames(const TImage* image) {
    if (image == nullptr) return nullptr;
    auto copy = TImage::Create(image->Width(), image->Height(), image->Frames(), image->Flags());
    copy->handleX = image->handleX;
    copy->handleY = image->handleY;
    for (int f = 0; f < image->Frames(); ++f) copy->Lock(f) = image->Pixels(f);
    return copy;
}

void CopyImageRect(const TImage* source, int sx, int sy, int w, int h, TImage* destination, int dx, int dy) {
    CopyImageRectMirrored(source, sx, sy, w, h, destination, dx, dy, 0);
}

void CopyImageRectMirrored(const TImage* source, int sx, int sy, int w, int h, TImage* destination, int dx,
                           int dy, int mode) {
    if (source == nullptr || destination == nullptr) return;
    const TPixmap& from = source->Pixels(0);
    TPixmap& to = destination->Lock(0);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            int fx = sx + ((mode & 1) ? w - 1 - col : col);
            int fy = sy + ((mode & 2) ? h - 1 - row : row);
            int tx = dx + col, ty = dy + row;
            if (fx < 0 || fy < 0 || fx >= from.width || fy >= from.height) continue;
            if (tx < 0 || ty < 0 || tx >= to.width || ty >= to.height) continue;
            to.WritePixel(tx, ty, from.ReadPixel(fx, fy));
        }
    }
}

void BlendImageIntoPixmap(const TImage* image, int frame, TPixmap& pixmap, int x, int y, float imageWeight,
                          float colorWeight) {
    if (image == nullptr) return;
    const TPixmap& src = image->Pixels(frame);
    for (int row = 0; row < src.height; ++row) {
        for (int col = 0; col < src.width; ++col) {
            int px = x + col, py = y + row;
            if (px < 0 || py < 0 || px >= pixmap.width || py >= pixmap.height) continue;
            uint32_t s = src.ReadPixel(col, row), d = pixmap.ReadPixel(px, py);
            float sa = float(PixelAlpha(s)) * imageWeight;
            if (sa <= 0) continue;
            float da = float(PixelAlpha(d));
            float total = sa + da;
            float dShare = da / total, sShare = sa / total;
            auto channel = [&](int dc, int sc) {
                return std::clamp(int(float(dc) * dShare + float(sc) * colorWeight * sShare), 0, 255);
            };
            pixmap.WritePixel(
                px, py,
                MakePixel(std::min(255, int(total)), channel(PixelRed(d), PixelRed(s)),
                          channel(PixelGreen(d), PixelGreen(s)), channel(PixelBlue(d), PixelBlue(s))));
        }
    }
}

int PixelAlpha(uint32_t pixel) {
    return int(pixel >> 24);
}
int PixelRed(uint32_t pixel) {
    return int((pixel >> 16) & 255);
}
int PixelGreen(uint32_t pixel) {
    return int((pixel >> 8) & 255);
}
int PixelBlue(uint32_t pixel) {
    return int(pixel & 255);
}

uint32_t MakePixel(int alpha, int red, int green, int blue) {
    return (uint32_t(alpha & 255) << 24) | (uint32_t(red & 255) << 16) | (uint32_t(green & 255) << 8) |
           uint32_t(blue & 255);
}

void ResetDrawState() {
    SetBlend(SOLIDBLEND);
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
}

void DimScreen(float alpha) {
    DimRect(alpha, 0, 0, float(ScreenWidth), float(ScreenHeight));
}

void DimRect(float alpha, float x, float y, float w, float h) {
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(alpha);
    DrawRect(x, y, w, h);
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
}

void DrawRectOutline(float x, float y, float w, float h) {
    DrawLine(x, y, x + w - 1, y);
    DrawLine(x + w - 1, y, x + w - 1, y + h - 1);
    DrawLine(x + w - 1, y + h - 1, x, y + h - 1);
    DrawLine(x, y + h - 1, x, y);
}

void DrawRectShadow(float x, float y, float w, float h, const TShadow* shadow) {
    if (shadow != nullptr) {
        int r, g, b;
        GetColor(r, g, b);
        shadow->Apply();
        DrawRect(x + shadow->X, y + shadow->Y, w, h);
        SetAlpha(1.0f);
        SetColor(r, g, b);
    }
    DrawRect(x, y, w, h);
}

void ClsColor(int red, int green, int blue) {
    SetClsColor(red, green, blue);
    Cls();
}

void ClsColorFlip(int red, int green, int blue) {
    ClsColor(red, green, blue);
    FlipVSync();
}

void ClsFlipSync(int red, int green, int blue) {
    ClsColor(red, green, blue);
    Flip(1);
}

void FlipVSync() {
    if (Game)
        Game->PostDraw();
    else
        Flip(FlipSync);
}

void DrawTextGlyphs(const std::string& text, float x, float y, float letterSpacing) {
    DrawGlyphs(text, x, y, letterSpacing, false);
}

void DrawTextGlyphsSnapped(const std::string& text, float x, float y, float letterSpacing) {
    DrawGlyphs(text, x, y, letterSpacing, true);
}

int ScreenHeightOffset(int a, int b) {
    return b - (a + ScreenHeight);
}

std::optional<uint32_t> BMPPixelDataSize(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const uint64_t dataSize = BMPRowSize(width) * uint64_t(height);
    if (dataSize + 54 > UINT32_MAX) return std::nullopt;
    return uint32_t(dataSize);
}

std::vector<uint8_t> WriteBMP(const TPixmap& pixmap) {
    const std::optional<uint32_t> size = BMPPixelDataSize(pixmap.width, pixmap.height);
    if (!size) return {};
    const uint32_t dataSize = *size;
    const size_t rowSize = size_t(BMPRowSize(pixmap.width));
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    PutLE(out, dataSize + 54, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(pixmap.width), 4);
    PutLE(out, uint32_t(pixmap.height), 4);
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, dataSize, 4);
    PutLE(out, 2834, 4);
    PutLE(out, 2834, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int row = pixmap.height - 1; row >= 0; --row) {
        size_t start = out.size();
        for (int col = 0; col < pixmap.width; ++col) {
            uint32_t p = pixmap.ReadPixel(col, row);
            out.push_back(uint8_t(p));
            out.push_back(uint8_t(p >> 8));
            out.push_back(uint8_t(p >> 16));
        }
        out.resize(start + rowSize, 0);
    }
    return out;
}

bool SaveImageBMP(const TImage* image, const std::string& path) {
    if (image == nullptr) return false;
    std::vector<uint8_t> bytes = WriteBMP(image->Pixels(0));
    if (bytes.empty() || !WriteFileAtomic(path, std::string(bytes.begin(), bytes.end()))) return false;
    FileWritten(path);
    return true;
}

bool SaveLoadedImageBMP(const std::string& source, const std::string& path) {
    std::optional<TPixmap> pixmap = LoadPixmap(source);
    if (!pixmap) return false;
    auto image = TImage::FromPixmap(std::move(*pixmap));
    return SaveImageBMP(image.get(), path);
}

std::string ScreenshotFileName(int year, int month, int day, int hour, int minute, int second) {
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d %02d%02d%02d screenshot.png", year, month, day, hour,
                  minute, second);
    return name;
}

std::string SaveScreenshot(const std::string& folder) {
    TPixmap shot = GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
    for (uint32_t& p : shot.pixels) p |= 0xFF000000u;
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return std::string();
    std::string path = ScreenshotFileName(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                                          local->tm_hour, local->tm_min, local->tm_sec);
    if (!folder.empty()) path = (folder.back() == '/' ? folder : folder + "/") + path;
    return SavePixmapPNG(shot, path, 9) ? path : std::string();
}
