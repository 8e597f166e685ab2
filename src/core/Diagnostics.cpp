// Counters, timing trackers, the name/value list and the framework's numeric helpers.
#include "core/Diagnostics.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/ErrorReport.h"
#include "core/FrontEnd.h"
#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/System.h"

namespace {

std::string ZeroPadded(int value, int digits) {
    std::string text = std::to_string(value);
    if (value >= 0 && int(text.size()) < digits) text.insert(0, size_t(digits) - text.size(), '0');
    return text;
}

void DrawDebugText(const std::string& text, float x, float y, bool shadow) {
    FrontEnd().DebugText(text, x, y, shadow);
}

}  // namespace

TCounter TCounter::Create(int ms, int activate) {
    TCounter counter;
    counter.CounterLength = int(Game->CalcAnimLength(ms));
    if (activate) counter.Activate();
    return counter;
}

void TCounter::Activate() {
    Counter = float(CounterLength);
    Active = 1;
}

// A counter of no length has nothing left to run.
float TCounter::GetRatio() const {
    return CounterLength != 0 ? Counter / float(CounterLength) : 0.0f;
}

int TCounter::Manage() {
    if (Counter <= 0.0f) return 0;
    Counter -= Delta;
    if (Counter <= 0.0f) {
        Stop(1);
        return 1;
    }
    return 0;
}

void TCounter::Stop(int reset) {
    if (reset) Counter = 0.0f;
    Active = 0;
}

TCounter* TCounterList::AddNew(int ms) {
    Items.push_back(TCounter::Create(ms, 1));
    return &Items.back();
}

void TCounterList::Manage(int remove) {
    for (auto it = Items.begin(); it != Items.end();) {
        if (it->Manage() && remove)
            it = Items.erase(it);
        else
            ++it;
    }
}

void TTrackingVar::Init() {
    Current = 0;
    maximum = 0;
    displayLimit = 999;
    displayLimitChars = 3;
}

void TTrackingVar::Display(float x, float y) {
    DrawDebugText(GetDisplay(), x, y, false);
}

std::string TTrackingVar::GetDisplay() const {
    return Label + ZeroPadded(Current, displayLimitChars) + "/" + ZeroPadded(maximum, displayLimitChars);
}

void TDebugVar::Start() {
    Current = MilliSecs();
}

void TDebugVar::Calc() {
    Current = MilliSecs() - Current;
    maximum = std::min(std::max(maximum, Current), displayLimit);
}

void TFPSCounter::Init() {
    counter = 0;
    time = MilliSecs();
    framerate = 0;
    minimum = 999;
    TTrackingVar::Init();
}

void TFPSCounter::Display(float x, float y) {
    DrawDebugText(GetDisplay(), x, y, false);
}

std::string TFPSCounter::GetDisplay() const {
    return Label + ZeroPadded(Current, displayLimitChars) + "/" + ZeroPadded(minimum, displayLimitChars);
}

void TFPSCounter::Calc() {
    ++counter;
    int now = MilliSecs();
    if (now - time > 1001) {
        framerate = counter;
        counter = 0;
        time = now;
        maximum = std::max(maximum, framerate);
        minimum = std::min(minimum, framerate);
        Current = framerate;
    }
}

void TTextCursor::Init(int x_, int y_, int linegap_) {
    x = x_;
    y = y_;
    linegap = linegap_;
}

void TTextCursor::NewLine() {
    y += linegap;
}

void TTextCursor::Output(const std::string& text) {
    DrawDebugText(text, float(x), float(y), Shadow != 0);
}

void TTextCursor::OutputNL(const std::string& text) {
    Output(text);
    NewLine();
}

TValue TValue::Create(const std::string& name, int value) {
    return TValue{name, value};
}

void TValue::PrintValue() const {
    std::printf("%s=%d\n", name.c_str(), value);
}

TValueList TValueList::Create(const std::string& file) {
    TValueList list;
    list.Read(file);
    return list;
}

void TValueList::Read(const std::string& file) {
    for (std::string line : SplitLines(ReadFileOrDie(file))) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        std::string name = line.substr(0, eq);
        int value = eq == std::string::npos ? 0 : std::atoi(line.c_str() + eq + 1);
        AddValue(name, value);
    }
}

void TValueList::AddTValue(const TValue& value) {
    Items.push_back(value);
}

void TValueList::AddValue(const std::string& name, int value) {
    Items.push_back(TValue::Create(name, value));
}

const TValue* TValueList::GetValueByIndex(int i) const {
    return i >= 0 && i < int(Items.size()) ? &Items[size_t(i)] : nullptr;
}

const TValue* TValueList::GetValueByName(const std::string& name) const {
    for (const TValue& value : Items)
        if (value.name == name) return &value;
    return nullptr;
}

void TValueList::PrintList() const {
    for (const TValue& value : Items) value.PrintValue();
}

int Round(float x) {
    return int(std::floor(x + 0.5f));
}

double PointDistance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double PointSegmentDistance(double px, double py, double x1, double y1, double x2, double y2) {
    double lengthSquared = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
    // A segment of no length is a point.
    if (lengthSquared == 0.0) return PointDistance(px, py, x1, y1);
    double u = ((px - x1) * (x2 - x1) + (py - y1) * (y2 - y1)) / lengthSquared;
    if (u >= 0.0 && u <= 1.0) return PointDistance(px, py, x1 + u * (x2 - x1), y1 + u * (y2 - y1));
    return std::min(PointDistance(px, py, x1, y1), PointDistance(px, py, x2, y2));
}

double TriangleLeg(double a, double b) {
    return std::sqrt(a * a - b * b);
}

int RandRange(int low, int high) {
    if (high < low) return low;
    return low + int(unsigned(std::rand()) % (unsigned(high) - unsigned(low) + 1u));
}

void SeedCRand(unsigned seed) {
    std::srand(seed);
}

std::string FormatNumber(double value, int decimals, int group) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12f", value);
    std::string text = buffer;
    size_t point = text.find('.');
    // Cut, not rounded: the digits after the wanted decimals are dropped.
    text = decimals > 0 ? text.substr(0, point + 1 + size_t(std::min(decimals, 12))) : text.substr(0, point);
    if (group > 0) {
        size_t start = text[0] == '-' ? 1 : 0;
        size_t end = text.find('.');
        if (end == std::string::npos) end = text.size();
        for (ptrdiff_t at = ptrdiff_t(end) - group; at > ptrdiff_t(start); at -= group)
            text.insert(size_t(at), 1, ',');
    }
    return text;
}

float ToDecimals(float value, int decimals) {
    double scale = std::pow(10.0, decimals);
    return float(std::round(double(value) * scale) / scale);
}

int TGame::DebugReset() {
    FixedRateLogic->maximum = 0;
    LogicTime->Init();
    DrawTime->Init();
    CodeTime->Init();
    FPS->Init();
    return 0;
}

int TGame::DebugPrint() {
    FPS->Calc();
    if (!Debug) return 0;
    auto onOff = [](int on) { return std::string(on ? "on" : "off"); };
    std::vector<std::string> lines;
    lines.push_back(FPS->GetDisplay());
    if (!DebugShowFPSOnly) {
        lines.insert(lines.begin(), {FixedRateLogic->GetDisplay(), LogicTime->GetDisplay(),
                                     DrawTime->GetDisplay(), CodeTime->GetDisplay()});
        int load = 0, totalMB = 0, usedMB = 0;
        SystemMemoryStatus(load, totalMB, usedMB);
        const auto [mouseX, mouseY] = FrontEnd().PointerPosition(*this);
        lines.insert(lines.end(),
                     {"Desk Hz " + std::to_string(DesktopRefreshRate),
                      "Game Hz " + std::to_string(GameRefreshRate),
                      "Flip    " + std::to_string(FlipSync),
                      "Fast    " + std::to_string(Fast),
                      "Slow    " + std::to_string(SlowMotion),
                      "VSync   " + std::to_string(VSync),
                      "Timing  " + std::to_string(NoTiming ? 0 : 1),
                      Driver == 0 ? "Gfx Drv DirectX " + DirectXVersion : std::string("Gfx Drv OpenGL"),
                      "Snd Drv " + SoundDriver,
                      "Os Ver  " + OSVersion,
                      "GC Mem  " + std::to_string(ProcessMemoryKB()) + "KB",
                      "Win Mem " + std::to_string(load) + "% Load " +
                          "MB Total = " + std::to_string(totalMB) + " MB Used/" + std::to_string(usedMB),
                      "M. Vol. " + std::to_string(MusicVolume) + " (" + onOff(Music) + ")",
                      "S. Vol. " + std::to_string(SoundVolume) + " (" + onOff(Sound) + ")",
                      "Sp. Vol." + std::to_string(SpeechVolume) + " (" + onOff(Speech) + ")",
                      "Mouse X " + std::to_string(mouseX),
                      "Mouse Y " + std::to_string(mouseY),
                      "Screen  " + (CurrentTScreen ? CurrentTScreen->name : std::string()),
                      "Handle  " + std::to_string(WindowHandle),
                      "Debug1  " + std::to_string(Debug1),
                      "Debug2  " + std::to_string(Debug2),
                      "Debug3  " + std::to_string(Debug3),
                      "Debug4  " + std::to_string(Debug4)});
        if (GraphicPlacement) {
            lines.push_back("GP X    " + std::to_string(gpX));
            lines.push_back("GP Y    " + std::to_string(gpY));
        }
    }
    const TDrawState saved = GetDrawState();
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(DebugPanel);
    DrawRect(float(DebugDisplayX), float(DebugDisplayY), 260.0f,
             float(lines.size() * size_t(DebugImageFontGap) + 4));
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
    if (DebugImageFont) SetImageFont(DebugImageFont);
    TTextCursor cursor;
    cursor.Init(DebugDisplayX + 2, DebugDisplayY + 2, DebugImageFontGap);
    cursor.Shadow = DebugShadow;
    for (const std::string& line : lines) cursor.OutputNL(line);
    SetDrawState(saved);
    return 0;
}
