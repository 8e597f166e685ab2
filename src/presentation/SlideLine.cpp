// Slide lines. The leg tables grow with the phases, so a line has exactly as many legs as phases and a
// leg index is always valid while the animation's phase index is.
#include "presentation/SlideLine.h"

#include "platform/Draw.h"
#include "presentation/Color.h"

namespace {

float At(const std::vector<float>& values, int index) {
    if (values.empty()) return 0;
    if (index < 0) index = 0;
    if (index >= int(values.size())) index = int(values.size()) - 1;
    return values[std::size_t(index)];
}

}  // namespace

int TSlideLine::Manage() {
    if (TAnimation::Manage() == 1) CalcDistance();
    return 0;
}

void TSlideLine::InitLine(const std::string& lineText, int sx, int sy, int ex, int ey, int ms) {
    Init(ms, 0, 0, 0, 0);
    text = lineText;
    StartX = {float(sx)};
    StartY = {float(sy)};
    EndX = {float(ex)};
    EndY = {float(ey)};
    CalcDistance();
}

void TSlideLine::AddPhaseSpecial(int sx, int sy, int ex, int ey, int ms) {
    if (AddPhase(ms) != 0) return;
    StartX.resize(std::size_t(TotalPhases));
    StartY.resize(std::size_t(TotalPhases));
    EndX.resize(std::size_t(TotalPhases));
    EndY.resize(std::size_t(TotalPhases));
    const auto i = std::size_t(TotalPhases - 1);
    StartX[i] = float(sx);
    StartY[i] = float(sy);
    EndX[i] = float(ex);
    EndY[i] = float(ey);
}

void TSlideLine::CalcDistance() {
    DX = At(EndX, CurrentPhase) - At(StartX, CurrentPhase);
    DY = At(EndY, CurrentPhase) - At(StartY, CurrentPhase);
}

float TSlideLine::GetX() const {
    if (Active) return At(StartX, CurrentPhase) + (1.0f - GetRatio()) * DX;
    return At(EndX, TotalPhases - 1);
}

float TSlideLine::GetY() const {
    if (Active) return At(StartY, CurrentPhase) + (1.0f - GetRatio()) * DY;
    return At(EndY, TotalPhases - 1);
}

void TSlideLine::Draw() {
    if (Color) Color->Apply();
    DrawText(text, GetX(), GetY());
    if (Color) TColor::Restore();
}

void TSlideLine::AttachObject(std::shared_ptr<void> object) {
    AttachedObject = std::move(object);
}

TSlideLineList::TSlideLineList() : Color(TColor::Create(255, 255, 255, 1.0f)) {}

TSlideLine* TSlideLineList::Add(const std::string& text, int sx, int sy, int ex, int ey, int ms) {
    auto line = std::make_unique<TSlideLine>();
    line->InitLine(text, sx, sy, ex, ey, ms);
    line->Color = Color;
    Lines.push_back(std::move(line));
    return Lines.back().get();
}

void TSlideLineList::Start() {
    for (auto& line : Lines) {
        line->Start();
        line->CalcDistance();
    }
}

void TSlideLineList::Manage() {
    for (auto& line : Lines) line->Manage();
}

void TSlideLineList::Draw() {
    for (auto& line : Lines) line->Draw();
    SetColor(255, 255, 255);
}
