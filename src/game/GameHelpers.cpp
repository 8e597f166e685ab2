// The game's small free functions. Text drawing goes through the shared drawing helpers so that every
// block of text gets the same shadow; the stream records are read defensively because a damaged stream
// must not size the animation's fixed phase table.
#include "game/GameHelpers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/PlayerFile.h"
#include "core/StringUtils.h"
#include "game/QDMouse.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "presentation/Animation.h"
#include "presentation/BitmapFont.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"
#include "presentation/SineCounter.h"
#include "presentation/Sprite.h"

namespace {

constexpr int TextBlockLineHeight = 25;

std::vector<std::string> SplitBy(const std::string& s, char separator) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : s) {
        if (c == separator) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

void WriteInt(std::ostream& stream, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    const char bytes[4] = {char(u & 0xff), char((u >> 8) & 0xff), char((u >> 16) & 0xff),
                           char((u >> 24) & 0xff)};
    stream.write(bytes, sizeof bytes);
}

bool ReadInt(std::istream& stream, std::int32_t& value) {
    unsigned char bytes[4];
    if (!stream.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
    value = std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                         std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
    return true;
}

void WriteFloat(std::ostream& stream, float value) {
    std::uint32_t u;
    static_assert(sizeof(u) == sizeof(value));
    std::memcpy(&u, &value, sizeof u);
    WriteInt(stream, std::int32_t(u));
}

bool ReadFloat(std::istream& stream, float& value) {
    std::int32_t i;
    if (!ReadInt(stream, i)) return false;
    const auto u = std::uint32_t(i);
    std::memcpy(&value, &u, sizeof value);
    return true;
}

std::vector<std::string> TextLines(const std::string& text) {
    return SplitLines(text);
}

}  // namespace

void DrawTextBlock(const std::string& text, float x, float y, const std::shared_ptr<TImageFont>& font,
                   int setWhite, int anchorBottom, int snap, int align) {
    if (text.empty()) return;
    if (setWhite) SetColor(255, 255, 255);
    if (font) SetImageFont(font);
    const std::vector<std::string> lines = TextLines(text);
    int lineY = int(y);
    if (anchorBottom) lineY = int(y - float((int(lines.size()) - 1) * TextBlockLineHeight));
    for (const std::string& line : lines) {
        if (x == -1.0f)
            DrawTextCentredScaled(line, float(lineY), 1, snap);
        else
            DrawTextAligned(line, x, float(lineY), 1, align, snap);
        lineY += TextBlockLineHeight;
    }
}

void DrawTextBlockSpaced(const std::string& text, float x, float y, TBitmapFont* font, int anchorBottom,
                         int shadow, int centred, float centringSpacing) {
    // No lines for empty text; DrawTextLine skips a null font.
    const std::vector<std::string> lines = TextLines(text);
    const int count = int(lines.size());
    float lineY = y;
    if (anchorBottom)
        lineY = y - float((count - 1) * TextBlockLineHeight);
    else if (centringSpacing != 0.0f)
        lineY = y - float(count - 1) * centringSpacing / 2.0f;
    for (const std::string& line : lines) {
        DrawTextLine(line, x, lineY, font, 1, 1, shadow, centred);
        lineY += float(TextBlockLineHeight);
    }
}

void DrawTextLine(const std::string& line, float x, float y, TBitmapFont* font, int roundX, int roundY,
                  int shadow, int centred) {
    if (!font) return;
    double lineX = x;
    if (centred) lineX -= font->StringWidth(line) / 2.0;
    if (shadow) font->Draw(line, lineX, y, 0, 0, roundX, roundY, 1, 0);
    font->Draw(line, lineX, y, 0, 0, roundX, roundY, 0, 0);
}

void PrintText(const std::string& text) {
    std::cout << text << "\n";
}

std::string FormatSecondsHundredths(int ms) {
    const std::string digits = std::to_string(ms / 10);
    const int length = int(digits.size());
    std::string result = (length > 2 ? digits.substr(0, std::size_t(length - 2)) : std::string()) + "." +
                         (length > 2 ? digits.substr(std::size_t(length - 2)) : digits);
    if (result[0] == '.') result = "0" + result;
    return result;
}

std::string FormatSeconds(int ms) {
    const std::string digits = std::to_string(ms / 10);
    if (digits.size() <= 2) return "0";
    return digits.substr(0, digits.size() - 2);
}

std::string FormatDollars(long long n) {
    // The sign stays in front of the digits so that grouping never puts a comma after it.
    const bool negative = n < 0;
    const std::string digits =
        std::to_string(negative ? -(n + 1) + 1ULL : static_cast<unsigned long long>(n));
    std::string grouped;
    const int length = int(digits.size());
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0) grouped += ',';
        grouped += digits[std::size_t(i)];
    }
    return std::string(negative ? "-$" : "$") + grouped;
}

std::string StripLeadingZeros(const std::string& s) {
    const std::size_t first = s.find_first_not_of('0');
    return first == std::string::npos ? std::string() : s.substr(first);
}

std::string RemoveLineBreaks(const std::string& s) {
    std::string joined;
    for (char c : s)
        if (c != '\n' && c != '\r') joined += c;
    std::size_t start = 0, end = joined.size();
    while (start < end && static_cast<unsigned char>(joined[start]) <= 32) ++start;
    while (end > start && static_cast<unsigned char>(joined[end - 1]) <= 32) --end;
    return joined.substr(start, end - start);
}

std::shared_ptr<TGameImage> CreateGameImage(std::shared_ptr<TImage> image, const std::string& name,
                                            int midHandle, TImageBank* bank) {
    const std::string key = Upper(name);
    auto record = TGameImage::CreateFromImage(std::move(image), key, midHandle);
    TImageBank* target = bank ? bank : ImageBank.get();
    if (target) target->Map[key] = record;
    return record;
}

int PointInTriangle(float px, float py, float x1, float y1, float x2, float y2, float x3, float y3) {
    const auto cross = [](float ax, float ay, float bx, float by, float cx, float cy) {
        return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    };
    const float area = cross(x1, y1, x2, y2, x3, y3);
    if (area == 0.0f) return 0;
    const float sign = area > 0 ? 1.0f : -1.0f;
    return (cross(x1, y1, x2, y2, px, py) * sign > 0 && cross(x2, y2, x3, y3, px, py) * sign > 0 &&
            cross(x3, y3, x1, y1, px, py) * sign > 0)
               ? 1
               : 0;
}

int MouseInRect(int x1, int y1, int x2, int y2) {
    if (!Game || !Game->Mouse) return 0;
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    return (mx > x1 && mx < x2 && my > y1 && my < y2) ? 1 : 0;
}

int MouseInBox(int x1, int y1, int x2, int y2) {
    const int mx = QDMouseClicks.x, my = QDMouseClicks.y;
    return (mx >= x1 && mx <= x2 && my >= y1 && my <= y2) ? 1 : 0;
}

int IsMouseOverSprite(const TSprite* sprite) {
    if (!sprite) return 0;
    return MouseInBox(int(sprite->x), int(sprite->y), int(sprite->x + float(sprite->w)),
                      int(sprite->y + float(sprite->h)));
}

std::shared_ptr<TImage> GrabImageRect(const TImage* image, int x, int y, int w, int h) {
    if (!image || w <= 0 || h <= 0) return nullptr;
    return TImage::FromPixmap(PixmapWindow(image->Pixels(0), x, y, w, h));
}

std::vector<std::string> SplitByComma(const std::string& s) {
    return SplitBy(s, ',');
}
std::vector<std::string> SplitByEquals(const std::string& s) {
    return SplitBy(s, '=');
}
std::vector<std::string> SplitByDash(const std::string& s) {
    return SplitBy(s, '-');
}

int IsAlphaNumeric(int code) {
    return ((code >= 'a' && code <= 'z') || (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) ? 1
                                                                                                          : 0;
}

std::string NextNumberedFileName(const std::string& path, const std::string& prefix,
                                 const std::string& extension, int max, const std::string& defaultName) {
    const int n = ToInt(StripAll(path));
    if (n >= 1 && n < max) {
        const std::string candidate = prefix + PadZeros(std::to_string(n + 1), 3) + "." + extension;
        if (FileType(candidate) != 0) return candidate;
    }
    return prefix + defaultName + "." + extension;
}

std::unique_ptr<TIniFile> LoadIniFile(const std::string& name) {
    auto ini = std::make_unique<TIniFile>();
    ini->FileName = name;
    const TPlayerFile file = ReadPlayerFile(name + ".ini", MaxIniFileBytes);
    if (file.State == PlayerFileState::Read) {
        for (const std::string& line : SplitLines(DecodeText(file.Bytes))) {
            if (line.empty()) continue;
            ini->Add(IniLineName(line), IniLineValue(line));
        }
    }
    ini->Save();
    return ini;
}

void IniFileRecordValue(const std::string& iniName, const std::string& path, const std::string& value) {
    std::unique_ptr<TIniFile> ini = LoadIniFile(iniName);
    const std::string key = Upper(StripAll(path));
    TIniFile kept;
    kept.FileName = ini->FileName;
    for (const TIniLine& line : *ini) {
        if (line.Name == key) {
            if (line.Value != value) return;
            continue;
        }
        kept.Add(line.Name, line.Value);
    }
    kept.Add(key, value);
    kept.Save();
}

int PercentOf(float a, float b) {
    return int(a / 100.0f * b);
}

int AsPercentage(float a, float b) {
    if (a == 0.0f) return 0;
    return int(b / a * 100.0f);
}

void WriteAnimation(std::ostream& stream, const TAnimation* animation) {
    if (!animation) {
        WriteInt(stream, 0);
        return;
    }
    WriteInt(stream, 1);
    WriteInt(stream, animation->Active);
    WriteFloat(stream, animation->Counter);
    WriteInt(stream, animation->CurrentPhase);
    WriteInt(stream, animation->Cycle);
    WriteInt(stream, animation->Finished);
    WriteInt(stream, animation->LeaveActive);
    WriteInt(stream, animation->Reverse);
    WriteInt(stream, animation->TotalPhases);
    for (int i = 0; i < animation->TotalPhases && i < TAnimation::MAX_PHASES; ++i)
        WriteFloat(stream, animation->Length[std::size_t(i)]);
}

std::shared_ptr<TAnimation> ReadAnimation(std::istream& stream) {
    std::int32_t present = 0;
    if (!ReadInt(stream, present) || present == 0) return nullptr;
    auto animation = std::make_shared<TAnimation>();
    std::int32_t active, phase, cycle, finished, leaveActive, reverse, total;
    float counter;
    if (!ReadInt(stream, active) || !ReadFloat(stream, counter) || !ReadInt(stream, phase) ||
        !ReadInt(stream, cycle) || !ReadInt(stream, finished) || !ReadInt(stream, leaveActive) ||
        !ReadInt(stream, reverse) || !ReadInt(stream, total))
        return nullptr;
    // The phase table has a fixed size: a count or a phase index outside it marks a damaged record.
    if (total < 1 || total > TAnimation::MAX_PHASES || phase < 0 || phase >= total) return nullptr;
    for (int i = 0; i < total; ++i)
        if (!ReadFloat(stream, animation->Length[std::size_t(i)])) return nullptr;
    animation->Active = active;
    animation->Counter = counter;
    animation->CurrentPhase = phase;
    animation->Cycle = cycle;
    animation->Finished = finished;
    animation->LeaveActive = leaveActive;
    animation->Reverse = reverse;
    animation->OriginalReverse = reverse;
    animation->TotalPhases = total;
    return animation;
}

void WriteSineCounter(std::ostream& stream, const TSineCounter* counter) {
    if (!counter) {
        WriteInt(stream, 0);
        return;
    }
    WriteInt(stream, 1);
    for (float value :
         {counter->Counter, counter->EndPoint, counter->ratio, counter->Speed, counter->StartPoint})
        WriteInt(stream, std::int32_t(value));
}

std::shared_ptr<TSineCounter> ReadSineCounter(std::istream& stream) {
    std::int32_t present = 0;
    if (!ReadInt(stream, present) || present == 0) return nullptr;
    std::int32_t values[5];
    for (std::int32_t& value : values)
        if (!ReadInt(stream, value)) return nullptr;
    auto counter = std::make_shared<TSineCounter>();
    counter->Counter = float(values[0]);
    counter->EndPoint = float(values[1]);
    counter->ratio = float(values[2]);
    counter->Speed = float(values[3]);
    counter->StartPoint = float(values[4]);
    return counter;
}

float Distance2D(float x1, float y1, float x2, float y2) {
    const int dx = int(std::fabs(x1 - x2));
    const int dy = int(std::fabs(y1 - y2));
    return std::sqrt(float(int(float(dx) * float(dx) + float(dy) * float(dy))));
}

float WrapAngle(float angle) {
    while (angle > 360.0f) angle -= 360.0f;
    while (angle < -360.0f) angle += 360.0f;
    return angle;
}
