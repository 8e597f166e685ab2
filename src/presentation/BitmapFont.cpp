// TBitmapFont: the ".fnt" reader and glyph-by-glyph drawing (see BitmapFont.h).
#include "presentation/BitmapFont.h"

#include <cmath>

#include "core/ErrorReport.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "platform/ImageFont.h"
#include "presentation/DrawHelpers.h"

namespace {

// The number at the start of s: optional blanks and sign, digits, an optional fraction; reading ends
// at the first character that cannot continue it, and no number reads as 0.
double LeadingNumber(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    size_t start = i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    bool digits = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            digits = true;
        }
    }
    if (!digits) return 0;
    return std::strtod(s.substr(start, i - start).c_str(), nullptr);
}

// The value in a fixed-width window right after the first occurrence of key; 0 when the key is missing.
double ValueAfter(const std::string& line, const std::string& key, size_t window) {
    size_t at = line.find(key);
    if (at == std::string::npos) return 0;
    return LeadingNumber(line.substr(at + key.size(), window));
}

bool StartsWithNoCase(const std::string& line, const std::string& prefix) {
    return Upper(line.substr(0, prefix.size())) == Upper(prefix);
}

double Round(double v) {
    return std::floor(v + 0.5);
}

}  // namespace

std::shared_ptr<TBitmapFont> TBitmapFont::Create(const std::string& path, int flags, int, int yOffsetAdjust,
                                                 const std::string& ext) {
    auto font = std::make_shared<TBitmapFont>();
    font->ScaleFactor = 1.0;
    AutoMidHandle(false);
    font->Image = LoadImageOrDie(path + ext, flags);
    font->ParseFnt(ReadFileOrDie(path + ".fnt"), yOffsetAdjust);
    return font;
}

void TBitmapFont::ParseFnt(const std::string& text, int yOffsetAdjust) {
    std::vector<std::string> lines = SplitLines(text);
    size_t i = 0;
    ScaleFactor = 1.0;
    if (i < lines.size() && StartsWithNoCase(lines[i], "SCALEF")) {
        const std::string& line = lines[i];
        size_t at = line.find("scaleF=");
        if (at == std::string::npos) at = line.find("ScaleF=");
        if (at != std::string::npos) ScaleFactor = LeadingNumber(line.substr(at + 7, 4));
        ++i;
    }
    ++i;  // "info"
    if (i < lines.size()) {
        TextureW = ValueAfter(lines[i], "scaleW=", 4);
        TextureH = ValueAfter(lines[i], "scaleH=", 4);
        ++i;
    }
    if (i < lines.size() && StartsWithNoCase(lines[i], "page")) ++i;
    if (i < lines.size() && StartsWithNoCase(lines[i], "chars")) ++i;
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (StartsWithNoCase(line, "kerning")) break;
        int code = int(ValueAfter(line, "id=", 5));
        if (code <= 0) continue;
        int slot = code;
        if (code >= 256) {
            slot = 256 + NumExtraChars;
            while (slot >= ArraySize) ExpandArrays();
            ++NumExtraChars;
        }
        ID[size_t(slot)] = code;
        xPos[size_t(slot)] = ValueAfter(line, "x=", 4);
        yPos[size_t(slot)] = ValueAfter(line, "y=", 4);
        width[size_t(slot)] = ValueAfter(line, "width=", 3);
        height[size_t(slot)] = ValueAfter(line, "height=", 3);
        xOffset[size_t(slot)] = ValueAfter(line, "xoffset=", 3);
        yOffset[size_t(slot)] = ValueAfter(line, "yoffset=", 3) + yOffsetAdjust;
        xAdvance[size_t(slot)] = ValueAfter(line, "xadvance=", 3);
        ++NumChars;
    }
}

int TBitmapFont::CalcVRAM() const {
    auto next = [](int n) {
        int p = 1;
        while (p < n) p *= 2;
        return p;
    };
    return next(ImageWidth(Image.get())) * 4 * next(ImageHeight(Image.get()));
}

void TBitmapFont::ExpandArrays() {
    ArraySize += 100;
    for (auto* a : {&width, &height, &xAdvance, &xOffset, &yOffset, &xPos, &yPos})
        a->resize(size_t(ArraySize), 0);
    ID.resize(size_t(ArraySize), 0);
}

int TBitmapFont::FindChar(char32_t code) const {
    for (int slot = 256; slot < 256 + NumExtraChars && slot < ArraySize; ++slot)
        if (ID[size_t(slot)] == int(code)) return slot;
    return 0;
}

int TBitmapFont::SlotOf(char32_t code) const {
    return code < 256 ? int(code) : FindChar(code);
}

void TBitmapFont::Kill() {
    Image.reset();
}

void TBitmapFont::Precache() const {
    PrecacheImage(Image.get());
}

void TBitmapFont::ResetHandle() {
    ChangeHandle = 0;
    HandleX = 0;
    HandleY = 0;
    SetImageHandle(Image.get(), 0, 0);
}

// The average glyph height over count - 1, as the font's line spacing has always been measured; a text
// with a single measurable glyph gives that glyph's height, one with none gives 0.
double TBitmapFont::StringHeight(const std::string& s) const {
    double sum = 0;
    int count = 0;
    for (char32_t ch : DecodeUtf8(s)) {
        double h = height[size_t(SlotOf(ch))];
        if (h > 0) {
            sum += h;
            ++count;
        }
    }
    if (count == 0) return 0;
    return (count > 1 ? sum / (count - 1) : sum) * ScaleFactor;
}

double TBitmapFont::StringWidth(const std::string& s) const {
    double sum = 0;
    for (char32_t ch : DecodeUtf8(s)) sum += xAdvance[size_t(SlotOf(ch))] + CharGap;
    if (sum > 0) sum -= CharGap;
    return sum * ScaleFactor;
}

std::string TBitmapFont::TruncateString(const std::string& s, int maxWidth) const {
    std::u32string chars = DecodeUtf8(s);
    std::string best;
    std::string part;
    for (char32_t ch : chars) {
        // Re-encode one code point to UTF-8.
        std::string bytes;
        if (ch < 0x80) {
            bytes += char(ch);
        } else if (ch < 0x800) {
            bytes += char(0xC0 | (ch >> 6));
            bytes += char(0x80 | (ch & 0x3F));
        } else if (ch < 0x10000) {
            bytes += char(0xE0 | (ch >> 12));
            bytes += char(0x80 | ((ch >> 6) & 0x3F));
            bytes += char(0x80 | (ch & 0x3F));
        } else {
            bytes += char(0xF0 | (ch >> 18));
            bytes += char(0x80 | ((ch >> 12) & 0x3F));
            bytes += char(0x80 | ((ch >> 6) & 0x3F));
            bytes += char(0x80 | (ch & 0x3F));
        }
        part += bytes;
        if (StringWidth(part) > maxWidth * ScaleFactor) break;
        best = part;
    }
    return best;
}

int TBitmapFont::Draw(const std::string& text, double x, double y, int centre, int right, int roundX,
                      int roundY, int shadow, int centreY) {
    if (text.empty()) return 0;
    int r = 255, g = 255, b = 255;
    if (shadow != 0) {
        GetColor(r, g, b);
        SetColor(0, 0, 0);
        SetAlpha(TextShadowAlpha * TextAlpha);
        x += TextShadowX;
        y += TextShadowY;
    }
    float fsx, fsy;
    GetScale(fsx, fsy);
    double sx = fsx, sy = fsy;
    if (centre != 0) {
        if (ChangeHandle != 0) {
            HandleX += StringWidth(text) / 2;
        } else {
            x -= StringWidth(text) / 2 * sx;
        }
    }
    if (right != 0) {
        if (ChangeHandle != 0) {
            // The handle is in the font's own units; the draw state scales it with the glyphs.
            HandleX += StringWidth(text);
        } else {
            x -= StringWidth(text) * sx;
        }
    }
    if (centreY != 0) {
        if (ChangeHandle != 0) {
            HandleY += StringHeight(TestString) / 2;
        } else {
            y -= StringHeight(TestString) / 2 * sy;
        }
    }
    sx *= ScaleFactor;
    sy *= ScaleFactor;
    // Glyphs snap to whole pixels only when drawn at their size in the page (the caller's scale times the
    // font's): there a snap keeps them sharp, at any other size it only shifts each one by up to half a
    // pixel. The product is compared within float rounding: 0.8 x 1.25 is 1 plus 1.5e-8.
    auto unit = [](double s) { return std::abs(s - 1.0) < 1e-6; };
    bool unitX = unit(sx), unitY = unit(sy);
    for (char32_t ch : DecodeUtf8(text)) {
        size_t slot = size_t(SlotOf(ch));
        double px = x, py = y;
        if (ChangeHandle == 0) {
            px += xOffset[slot] * sx;
            py += yOffset[slot] * sy;
        }
        double w = width[slot] * ScaleFactor, h = height[slot] * ScaleFactor;
        if (roundX != 0 && unitX) {
            px = Round(px);
            w = Round(w);
        }
        if (roundY != 0 && unitY) {
            py = Round(py);
            h = Round(h);
        }
        if (slot != 0) {
            if (ChangeHandle == 0) {
                DrawSubImageRect(Image.get(), float(px), float(py), float(w), float(h), float(xPos[slot]),
                                 float(yPos[slot]), float(width[slot]), float(height[slot]));
            } else {
                // Every glyph hangs from the one common point (x, y) by its own handle, so the scale and
                // rotation of the draw state act on the whole string about that point.
                DrawSubImageRect(Image.get(), float(px), float(py), float(w), float(h), float(xPos[slot]),
                                 float(yPos[slot]), float(width[slot]), float(height[slot]),
                                 float(HandleX - xOffset[slot] * ScaleFactor),
                                 float(HandleY - yOffset[slot] * ScaleFactor));
            }
        }
        if (ChangeHandle == 0) {
            x += (xAdvance[slot] + CharGap) * sx;
        } else {
            HandleX -= (xAdvance[slot] + CharGap) * ScaleFactor;
        }
    }
    if (shadow != 0) {
        SetColor(r, g, b);
        SetAlpha(TextAlpha);
    }
    return 0;
}

void TBitmapFont::DrawAligned(const std::string& text, double x, double y, int align, int roundX, int roundY,
                              int shadow) {
    if (align < 0 || align > 3) return;
    Draw(text, x, y, align == 1 || align == 3 ? 1 : 0, align == 2 ? 1 : 0, roundX, roundY, shadow,
         align == 3 ? 1 : 0);
}

void TBitmapFont::DrawAlignedWithShadow(const std::string& text, double x, double y, int align, int roundX,
                                        int roundY) {
    DrawAligned(text, x, y, align, roundX, roundY, 1);
    DrawAligned(text, x, y, align, roundX, roundY, 0);
}

void TBitmapFont::DrawStringArray(const std::vector<std::string>& lines, double x, double y, int centre,
                                  int right, int roundX, int roundY, int shadow, int lineGap,
                                  int centreVert) {
    if (lineGap == 0) lineGap = int(StringHeight(TestString));
    if (centreVert != 0) y -= Round(double(lineGap) * double(lines.size()) / 2);
    for (const std::string& line : lines) {
        if (shadow != 0) Draw(line, x, y, centre, right, roundX, roundY, 1, 0);
        Draw(line, x, y, centre, right, roundX, roundY, 0, 0);
        y += lineGap;
    }
}
