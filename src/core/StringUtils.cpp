// Text helpers. Positions and lengths count characters (code points), not bytes, so that names
// with accented letters pad and cut like plain ones.
#include "core/StringUtils.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Byte offsets of every code point start, plus the end offset.
std::vector<std::size_t> CharOffsets(const std::string& s) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) offsets.push_back(i);
    }
    offsets.push_back(s.size());
    return offsets;
}

int CharCount(const std::string& s) {
    return static_cast<int>(CharOffsets(s).size()) - 1;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int more = c < 0x80             ? 0
                   : (c & 0xE0) == 0xC0 ? 1
                   : (c & 0xF0) == 0xE0 ? 2
                   : (c & 0xF8) == 0xF0 ? 3
                                        : -1;
        if (more < 0 || s.size() - i <= static_cast<std::size_t>(more)) return false;
        for (int k = 1; k <= more; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

std::string DecodeUtf16(const std::string& bytes, std::size_t start, bool bigEndian) {
    std::string out;
    auto unit = [&](std::size_t i) -> std::uint32_t {
        auto b0 = static_cast<unsigned char>(bytes[i]);
        auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
    };
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
            std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp < 0xE000) cp = 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace

std::string Upper(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

char32_t UpperLetter(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // à-þ, not the division sign
    if (c == 0xFF) return 0x178;                             // ÿ -> Ÿ
    if (c == 0x131) return U'I';                             // dotless i
    // Latin Extended-A pairs its letters upper then lower, on even codes up to ķ and from Ŋ to ŷ,
    // on odd codes from Ĺ to ň and from Ź to ž; ĸ and ŉ have no upper case.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c & 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    return c;
}

std::string EncodeUtf8(char32_t c) {
    std::string out;
    AppendUtf8(out, c);
    return out;
}

std::size_t WithoutLastChar(const std::string& s) {
    std::size_t end = s.size();
    while (end > 0) {
        --end;
        if ((static_cast<unsigned char>(s[end]) & 0xC0) != 0x80) break;
    }
    return end;
}

std::string UpperFirst(const std::string& s) {
    if (s.empty()) return s;
    const unsigned char lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) return EncodeUtf8(UpperLetter(lead)) + s.substr(1);
    // Every letter UpperLetter changes takes two bytes; longer or broken sequences stay as they are.
    if ((lead & 0xE0) != 0xC0 || s.size() < 2 || (static_cast<unsigned char>(s[1]) & 0xC0) != 0x80) return s;
    const char32_t c = char32_t(lead & 0x1F) << 6 | char32_t(static_cast<unsigned char>(s[1]) & 0x3F);
    if (c < 0x80) return s;  // an overlong form is no letter
    return EncodeUtf8(UpperLetter(c)) + s.substr(2);
}

std::string Lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    std::string::size_type first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::string Quote(const std::string& s) {
    return "\"" + s + "\"";
}

std::string AddTrailingSlash(const std::string& path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path;
    return path + "/";
}

std::string BeforeSeparator(const std::string& s, const std::string& sep) {
    std::string::size_type at = sep.empty() ? std::string::npos : s.find(sep);
    return at == std::string::npos ? s : s.substr(0, at);
}

std::string AfterSeparator(const std::string& s, const std::string& sep) {
    std::string::size_type at = sep.empty() ? std::string::npos : s.find(sep);
    return at == std::string::npos ? "" : s.substr(at + sep.size());
}

std::string BeforeComma(const std::string& s) {
    return BeforeSeparator(s, ",");
}
std::string IniLineName(const std::string& s) {
    return BeforeSeparator(s, "=");
}
std::string IniLineValue(const std::string& s) {
    return AfterSeparator(s, "=");
}

std::string SplitFirst(std::string& s, const std::string& sep) {
    std::string::size_type at = sep.empty() ? std::string::npos : s.find(sep);
    if (at == std::string::npos) {
        std::string all = std::move(s);
        s.clear();
        return all;
    }
    std::string first = s.substr(0, at);
    s = s.substr(at + sep.size());
    return first;
}

std::string Mid(const std::string& s, int pos, int count) {
    std::vector<std::size_t> offsets = CharOffsets(s);
    int chars = static_cast<int>(offsets.size()) - 1;
    int first = pos - 1;
    int last = count < 0 ? chars : first + count;
    if (first < 0) first = 0;
    if (last > chars) last = chars;
    if (first >= last) return "";
    return s.substr(offsets[first], offsets[last] - offsets[first]);
}

std::string SafeMid(const std::string& s, int pos, int count) {
    return count < 0 ? "" : Mid(s, pos, count);
}

std::string PadLeft(const std::string& s, int length, const std::string& pad) {
    if (pad.empty()) return s;
    std::string out = s;
    while (CharCount(out) < length) out = pad + out;
    return out;
}

std::string PadRight(const std::string& s, int length, const std::string& pad) {
    if (pad.empty()) return s;
    std::string out = s;
    while (CharCount(out) < length) out += pad;
    return out;
}

std::string PadZeros(const std::string& s, int length) {
    return PadLeft(s, length, "0");
}

std::string SignedNumber(int n) {
    std::string text = n >= 1 ? "+" : "";
    return text.append(std::to_string(n));
}

std::string FormatDecimal(double value, int places) {
    double k = std::pow(10.0, places);
    long long scaled = static_cast<long long>(std::floor(value * k + 0.5));
    // The sign is formatted apart from the digits so that small negatives read "-0.05", not "0.-5".
    bool negative = scaled < 0;
    std::string digits = std::to_string(negative ? -scaled : scaled);
    while (places >= 1 && static_cast<int>(digits.size()) <= places) digits = "0" + digits;
    std::string text =
        places < 1 ? digits
                   : digits.substr(0, digits.size() - places) + "." + digits.substr(digits.size() - places);
    return negative ? "-" + text : text;
}

std::string Time12Hour(const std::string& time) {
    int hour = ToInt(time.substr(0, 2));
    std::string suffix = "am";
    if (hour >= 12) {
        suffix = "pm";
        hour -= 12;
    }
    if (hour == 0) hour = 12;
    return std::to_string(hour) + (time.size() > 2 ? time.substr(2) : "") + suffix;
}

void SplitMinutesSeconds(int milliseconds, int& minutes, int& seconds) {
    minutes = milliseconds / 60000;
    seconds = (milliseconds / 1000) % 60;
}

int ToInt(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long n = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        n = n * 10 + (s[i] - '0');
        if (n > 0x7FFFFFFFLL) n = 0x80000000LL;  // keep within 32 bits; the wrap is the platform's
    }
    if (negative) n = -n;
    return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type lf = text.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        std::string::size_type end = lf;
        if (end > start && text[end - 1] == '\r') --end;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::string DecodeText(const std::string& bytes) {
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return bytes.substr(3);
    if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) return DecodeUtf16(bytes, 2, false);
    if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) return DecodeUtf16(bytes, 2, true);
    if (IsValidUtf8(bytes)) return bytes;
    std::string out;
    for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}
