// TMenu: building buttons from the menu folder, layout (column, row, pairs, centring, scaling) and the
// per-tick poll that records which button is hovered and which was clicked.
#include "presentation/Menu.h"

#include <algorithm>

#include "core/Game.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "platform/DataFile.h"
#include "platform/FileSystem.h"
#include "presentation/Font.h"
#include "presentation/GameFade.h"
#include "presentation/MousePointer.h"

namespace {

// The layout bounds start from these and are only meaningful with at least one button.
constexpr float kFarAway = 10000.0f;

}  // namespace

TButton* TMenu::AddLast(std::unique_ptr<TButton> button) {
    if (!button) return nullptr;
    Items.push_back(std::move(button));
    return Items.back().get();
}

std::unique_ptr<TMenu> TMenu::Create(const std::string& moSound, const std::string& clickSound, float mx,
                                     float my, int gap) {
    auto menu = std::make_unique<TMenu>();
    menu->Init(moSound, clickSound, mx, my, gap);
    return menu;
}

void TMenu::Init(const std::string& moSound, const std::string& clickSound, float mx, float my, int gap) {
    Items.clear();
    x = mx;
    y = my;
    Gap = gap;
    AddGap = 0;
    h = 0;
    NextY = int(my);
    MouseOverName.clear();
    ClickedName.clear();
    std::string soundPath = Game ? Game->SoundPath : "";
    if (!moSound.empty()) SoundMouseOver = TGameSound::Create(soundPath + moSound + ".wav", 0);
    if (!clickSound.empty()) SoundClick = TGameSound::Create(soundPath + clickSound + ".wav", 0);
}

void TMenu::Kill() {
    for (auto& b : Items) b->Kill();
    Items.clear();
}

void TMenu::SetButtonCaptionRoundCoords(int round, int roundX, int roundY) {
    for (auto& b : Items) {
        if (!b->Caption) continue;
        b->Caption->RoundCoords = round;
        b->Caption->RoundXCoord = roundX;
        b->Caption->RoundYCoord = roundY;
    }
}

void TMenu::SetShadow(int on, float sx, float sy, float alpha) {
    Shadow = on;
    ShadowX = sx;
    ShadowY = sy;
    ShadowAlpha = alpha;
}

void TMenu::ChangeShadow(int on, float sx, float sy, float alpha) {
    ResetShadow(on, sx, sy, alpha);
    SetShadow(on, sx, sy, alpha);
}

void TMenu::SetAlpha(float alpha) {
    for (auto& b : Items) b->Alpha = alpha;
}

void TMenu::ResetShadow(int on, float sx, float sy, float alpha) {
    for (auto& b : Items) b->SetShadow(on, sx, sy, alpha);
}

TButton* TMenu::AddNew(const std::string& image, const std::string& imageMO, const std::string& name,
                       int cellW, int cellH, int frames) {
    TButton* b = DoAddNew(image, imageMO, name, cellW, cellH, frames);
    IncreaseHeight(b);
    return b;
}

TButton* TMenu::DoAddNew(const std::string& image, const std::string& imageMO, const std::string& name,
                         int cellW, int cellH, int frames) {
    auto b = std::make_unique<TButton>();
    b->UseMenuPath = 1;
    b->Load(image, imageMO, "", "", cellW, cellH, frames);
    b->CentreX(NextY);
    b->SoundMouseOver = SoundMouseOver;
    b->SoundClick = SoundClick;
    b->SetShadow(Shadow, ShadowX, ShadowY, ShadowAlpha);
    if (!name.empty()) b->name = Upper(name);
    return AddLast(std::move(b));
}

void TMenu::IncreaseHeight(const TButton* button) {
    if (button == nullptr) return;
    NextY += button->h + Gap;
    h += button->h;
    if (AddGap != 0) h += Gap;
    AddGap = 1;
}

TButton* TMenu::AddQuick(const std::string& image, const std::string& name) {
    return AddNew(image, image + "MO", name, 0, 0, 1);
}

TButton* TMenu::AddQuickAuto(const std::string& image, const std::string& name) {
    TButton* b = AddQuick(image, name);
    // Data files are stored lower-cased; look for the companions the way the loaders will.
    if (FileType(DataFileName(b->GetPath() + image + "_disabled" + ".png")) != FILETYPE_NONE)
        b->LoadDisabled(image + "_disabled");
    if (FileType(DataFileName(b->GetPath() + image + "_down" + ".png")) != FILETYPE_NONE)
        b->LoadMouseClick(image + "_down", 200);
    return b;
}

void TMenu::AddPair(const std::string& image1, const std::string& image2, int gap,
                    const std::string& prefix) {
    TButton* b1 = DoAddNew(image1, image1 + "MO", "", 0, 0, 1);
    TButton* b2 = DoAddNew(image2, image2 + "MO", "", 0, 0, 1);
    if (!prefix.empty()) {
        b1->name = Upper(prefix) + b1->name;
        b2->name = Upper(prefix) + b2->name;
    }
    b2->x = b1->x + float(b1->w) + float(gap);
    IncreaseHeight(b1->h > b2->h ? b1 : b2);
}

TButton* TMenu::FindButton(const std::string& name) const {
    std::string key = Upper(name);
    for (const auto& b : Items)
        if (b->name == key) return b.get();
    return nullptr;
}

void TMenu::StoreOriginalCoords() {
    for (auto& b : Items) b->StoreOriginalCoords();
    OX = x;
    OY = y;
}

void TMenu::SetX(float nx) {
    CalcLeft();
    float shift = nx - x;
    for (auto& b : Items) b->MoveBy(shift, 0);
    x = nx;
}

void TMenu::SetY(float ny) {
    CalcTop();
    float shift = ny - y;
    for (auto& b : Items) b->MoveBy(0, shift);
    y = ny;
}

void TMenu::SetPairX(const std::string& name1, const std::string& name2, int px) {
    TButton* b1 = FindButton(name1);
    TButton* b2 = FindButton(name2);
    if (b1 == nullptr) return;
    int shift = int(float(px) - b1->x);
    b1->x = float(px);
    if (b2 != nullptr) b2->x += float(shift);
}

void TMenu::ScaleMenu(float sx, float sy) {
    for (auto& b : Items) {
        b->SetScaleXY(sx, sy);
        b->x = x + (b->ox - x) * sx;
        b->y = y + (b->oy - y) * sy;
    }
}

void TMenu::CalcCoords() {
    CalcLeft();
    CalcTop();
}

// An empty menu keeps its origin rather than taking the search's start value.
void TMenu::CalcLeft() {
    if (Items.empty()) return;
    float left = kFarAway;
    for (auto& b : Items) left = std::min(left, b->x);
    x = left;
}

void TMenu::CalcTop() {
    if (Items.empty()) return;
    float top = kFarAway;
    for (auto& b : Items) top = std::min(top, b->y);
    y = top;
}

int TMenu::CalcWidth() {
    if (Items.empty()) return w = 0;
    float right = -kFarAway, left = kFarAway;
    for (auto& b : Items) {
        right = std::max(right, b->x + float(b->w));
        left = std::min(left, b->x);
    }
    w = int(right) - int(left);
    return w;
}

int TMenu::CalcHeight() {
    if (Items.empty()) return h = 0;
    float bottom = -kFarAway, top = kFarAway;
    for (auto& b : Items) {
        bottom = std::max(bottom, b->y + float(b->h));
        top = std::min(top, b->y);
    }
    h = int(bottom) - int(top);
    return h;
}

void TMenu::CentreHoriz() {
    CalcWidth();
    SetX(float((ScreenWidth - w) / 2));
}

void TMenu::CentreVert() {
    CalcHeight();
    SetY(float((ScreenHeight - h) / 2));
}

void TMenu::Centre() {
    CentreHoriz();
    CentreVert();
}

void TMenu::MakeColumn(int gap) {
    int position = 0;
    for (auto& b : Items) {
        position += b->h + gap;
        b->MoveTo(0, float(position));
    }
    Centre();
}

void TMenu::MakeRow(int gap) {
    int position = 0;
    for (auto& b : Items) {
        position += b->w + gap;
        b->MoveTo(float(position), 0);
    }
    Centre();
}

void TMenu::ClearStates() {
    ClearGlow();
    ClearMouseClick();
    ClearMouseOver();
    ClearScale();
}

void TMenu::ClearScale() {
    for (auto& b : Items) b->ScaleOnMO = 1;
}

void TMenu::ClearGlow() {
    for (auto& b : Items) b->Glow = 0;
}

void TMenu::ClearMouseClick() {
    for (auto& b : Items) {
        b->Clicked = 0;
        b->MouseClickCounter = 0;
    }
}

void TMenu::ClearMouseOver() {
    for (auto& b : Items) b->MouseOver = 0;
}

// An empty recorded name means "nothing this tick"; it never matches, not even an empty query.
int TMenu::Clicked(const std::string& name) {
    if (ClickedName.empty() || Upper(name) != ClickedName) return 0;
    if (ClearClickedName != 0) ClickedName.clear();
    return 1;
}

int TMenu::MouseOver(const std::string& name) {
    if (MouseOverName.empty() || Upper(name) != MouseOverName) return 0;
    if (ClearMouseOverName != 0) MouseOverName.clear();
    return 1;
}

void TMenu::ManageNoSound(float ox, float oy) {
    NoSound = 1;
    Manage(ox, oy);
    NoSound = 0;
}

void TMenu::Precache() {
    for (auto& b : Items) b->Precache();
}

int TMenu::Manage(float ox, float oy) {
    if ((Game && Game->GameFade && Game->GameFade->Active != 0) || AcceptInput == 0) {
        ManageFixedGlowOnly();
        return 0;
    }
    if (!Game || !Game->Mouse || Game->Mouse->Active == 0) return 0;
    MouseOverName.clear();
    ClickedName.clear();
    for (auto& b : Items) {
        b->offx = ox;
        b->offy = oy;
        if (NoSound != 0) {
            b->ManageNoSound();
        } else {
            b->Manage();
        }
        if (b->MouseOver != 0) MouseOverName = b->name;
        if (b->Clicked != 0) ClickedName = b->name;
    }
    return 1;
}

void TMenu::ManageFixedGlowOnly() {
    for (auto& b : Items)
        if (b->FixedGlowOnMO == 1) b->ManageGlow();
}

void TMenu::ManageScaleOnMO() {
    for (auto& b : Items) b->ManageScaleOnMO();
}

void TMenu::Draw(float ox, float oy) {
    for (auto& b : Items) {
        b->offx = ox;
        b->offy = oy;
        b->Draw();
    }
}
