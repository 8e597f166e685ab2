// TListBox: rows, selection and scrolling, mouse and key input, and drawing.
#include "presentation/ListBox.h"

#include <algorithm>
#include <cmath>

#include "core/ChannelArray.h"
#include "core/Game.h"
#include "core/SoundBank.h"
#include "platform/Audio.h"
#include "platform/Draw.h"
#include "platform/Keys.h"
#include "presentation/BitmapFont.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Font.h"
#include "presentation/GameImage.h"
#include "presentation/MousePointer.h"
#include "presentation/Shapes.h"

namespace {

constexpr int kKeyFirstRepeatMs = 400;
constexpr int kKeyRepeatMs = 100;

float RoundIf(int on, float v) {
    return on != 0 ? std::floor(v + 0.5f) : v;
}

}  // namespace

std::unique_ptr<TListBox> TListBox::Create(int first, int gap, int centred, int drawBox, int doubleClickMs) {
    auto list = std::make_unique<TListBox>();
    list->Init(first, gap, centred, drawBox);
    list->Font =
        TFont::Create(nullptr, TColor::Create(255, 255, 255, 1.0f), nullptr, 0, nullptr, nullptr, "");
    list->Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0, 1.0f));
    list->HighlightCol = TColor::Create(0, 0, 150, 1.0f);
    list->Strings.clear();
    list->DoubleClickTime = Game ? Game->CalcAnimLength(doubleClickMs) : 0.0f;
    list->UpKeyRepeat = TKeyRepeat::Create(kKeyFirstRepeatMs, kKeyRepeatMs);
    list->DownKeyRepeat = TKeyRepeat::Create(kKeyFirstRepeatMs, kKeyRepeatMs);
    list->ClickChannel = AllocChannel();
    return list;
}

void TListBox::Init(int, int gap, int centred, int drawBox) {
    Gap = gap;
    Centred = centred;
    DrawBox = drawBox;
}

void TListBox::CalcLineHeight() {
    float fontHeight = Font ? Font->CalcHeight() : 0.0f;
    LineHeight = int(std::floor(fontHeight + 0.5f)) + 2 * Gap;
    if (!Box || LineHeight <= 0) {
        DisplayLines = 0;
        return;
    }
    if (RoundHeight != 0) Box->H = float(LineHeight) * std::floor(Box->H / float(LineHeight));
    DisplayLines = int(Box->H / float(LineHeight));
}

void TListBox::ClearIndex() {
    Index = -1;
    Clicked = -1;
    Value.clear();
}

bool TListBox::Locked(int row) const {
    return row >= 0 && row < int(LockedArray.size()) && LockedArray[size_t(row)] != 0;
}

void TListBox::Draw() {
    if (!Box) return;
    SetBlend(ALPHABLEND);
    if (Background)
        DrawImage(Background->image.get(), Box->X + float(BackgroundOffsetX),
                  Box->Y + float(BackgroundOffsetY));
    if (DrawBox != 0) Box->Draw();
    float tx = Centred != 0 ? Box->X + Box->W / 2 * Scale : Box->X + float(TextBorder) * Scale;
    float ty = Box->Y + float(Gap + LineYOffset) * Scale;
    if (HighlightUnder != 0) DrawHighlight();
    if (Font) {
        const bool bitmap = Font->BitmapFont != nullptr;
        if (bitmap) {
            Font->ApplyScale(Scale);
        } else {
            float sx = 1, sy = 1;
            GetScale(sx, sy);
            OldScale = sx;
            SetImageFont(Font->ImageFont);
            SetScale(Scale * FontScale, Scale * FontScale);
        }
        for (int i = std::max(0, TopIndex); i < GetTempLimit(); ++i) {
            std::shared_ptr<TColor> color = Font->Color;
            if (i == Index && Font->InverseColor) {
                color = Font->InverseColor;
            } else if (Locked(i) && LockedColor) {
                color = LockedColor;
            }
            if (color) color->Apply();
            int shadow = Font->Shadow && !(i == Index && NoShadowOnHighlighted != 0) ? 1 : 0;
            if (shadow != 0) {
                Font->Shadow->ApplyToText();
                TextAlpha = color ? color->Alpha : 1.0f;
            }
            const std::string& text = Strings[size_t(i)];
            float px = RoundIf(RoundTextX, tx), py = RoundIf(RoundTextY, ty);
            if (bitmap) {
                if (shadow != 0) {
                    Font->BitmapFont->DrawAlignedWithShadow(text, px, py, Centred != 0 ? 1 : 0, 0, 0);
                } else {
                    Font->BitmapFont->DrawAligned(text, px, py, Centred != 0 ? 1 : 0, 0, 0, 0);
                }
            } else if (Centred != 0) {
                DrawTextCentred(text, px, py, shadow, 0);
            } else {
                DrawTextAt(text, px, py, shadow, 0);
            }
            ty += float(LineHeight) * Scale;
        }
        if (bitmap) {
            Font->RestoreScale();
        } else {
            SetScale(float(OldScale), float(OldScale));
        }
        TextAlpha = 1.0f;
        TColor::Restore();
    }
    if (HighlightUnder == 0) DrawHighlight();
    if (ScrollBar) ScrollBar->Draw();
    SetBlend(ALPHABLEND);
}

void TListBox::DrawHighlight() {
    if (!Box || !HighlightCol || Index < TopIndex || Index >= GetTempLimit()) return;
    HighlightCol->Apply();
    DrawRect(Box->X, Box->Y + float(Index - TopIndex) * float(LineHeight) * Scale + float(HighlightTopBorder),
             Box->W * Scale, float(LineHeight) * Scale - float(HighlightTopBorder + HighlightBottomBorder));
    TColor::Restore();
}

int TListBox::GetDoubleClicked() {
    int row = DoubleClicked;
    DoubleClicked = -1;
    return row;
}

int TListBox::GetIndexY() {
    if (Index < 0 || !Box) return 0;
    return int(Box->Y + float(Index - TopIndex) * float(LineHeight) * Scale);
}

int TListBox::GetTempLimit() {
    int end = TopIndex + Limit;
    if (Limit == 0 || Count() < end) end = Count();
    return end;
}

void TListBox::Kill() {
    Strings.clear();
    Font.reset();
    Box.reset();
    if (ScrollBar) ScrollBar->Kill();
    ScrollBar.reset();
    UpKeyRepeat.reset();
    DownKeyRepeat.reset();
    StopChannel(ClickChannel.get());
    ClickChannel.reset();
}

void TListBox::Manage() {
    if (ScrollBar) {
        ScrollBar->Manage();
        TopIndex = ScrollBar->Value;
    }
    TMousePointer* mouse = Game ? Game->Mouse.get() : nullptr;
    if (mouse && Box && mouse->GetMh(0) != 0) {
        float mx = float(mouse->x), my = float(mouse->y);
        float rowHeight = float(LineHeight) * Scale;
        for (int i = std::max(0, TopIndex); i < GetTempLimit(); ++i) {
            float r = float(i - TopIndex);
            bool hit = mx >= Box->X && mx < Box->X + Box->W * Scale && my > Box->Y + r * rowHeight &&
                       my < Box->Y + (r + 1) * rowHeight;
            if (!hit) continue;
            mouse->GetMh(1);
            bool doubleClick = DoubleClickCounter > 0 && Index == i;
            if (doubleClick) {
                DoubleClicked = i;
            } else {
                PlayClick();
            }
            SetIndex(i);
            DoubleClickCounter = doubleClick ? 0 : DoubleClickTime;
            break;
        }
    }
    if (ArrowKeysMoveHighlight != 0) {
        if (UpKeyRepeat && UpKeyRepeat->GetKey(KEY_UP) != 0 && Index > 0) {
            SetIndex(Index - 1);
            PlayClick();
        }
        if (DownKeyRepeat && DownKeyRepeat->GetKey(KEY_DOWN) != 0 && Index < Count() - 1) {
            SetIndex(Index + 1);
            PlayClick();
        }
    }
    if (DoubleClickCounter > 0) DoubleClickCounter -= Delta;
}

void TListBox::PlayClick() {
    if (!ClickSound) return;
    if (Game && Game->Channels) {
        Game->Channels->PlayGameSound(*ClickSound, nullptr, 1.0f, 0.0f);
    } else {
        ClickSound->PlayInChannel(ClickChannel, 0.0f);
    }
}

void TListBox::SetClickSound(std::shared_ptr<TGameSound> sound) {
    ClickSound = std::move(sound);
}

void TListBox::SetCoords(float bx, float by, float bw, float bh) {
    if (!Box) Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0, 1.0f));
    Box->X = bx;
    Box->Y = by;
    Box->W = bw;
    Box->H = bh;
}

void TListBox::SetIndex(int row) {
    if (row < 0 || row >= Count()) {
        Index = -1;
        Value.clear();
        return;
    }
    Index = row;
    Value = Strings[size_t(row)];
    if (row < TopIndex) TopIndex = row;
    if (Limit > 0 && row > TopIndex + Limit - 1) TopIndex = row - (Limit - 1);
    if (ScrollBar) {
        ScrollBar->SliderSetPosition(TopIndex);
        ScrollBar->ValueCalc();
        ScrollBar->DisableButtons();
    }
}

// Limit 0 shows every row, so the whole list counts as the visible window.
void TListBox::SetTopIndex(int row) {
    int window = Limit > 0 ? Limit : Count();
    TopIndex = std::max(0, row);
    if (TopIndex + window > Count()) TopIndex = std::max(0, Count() - window);
}

void TListBox::SetupBox(std::shared_ptr<TColor> color) {
    if (!Box) Box = TBox::Create(0, 0, 0, 0, nullptr);
    Box->Color = std::move(color);
}

void TListBox::SetupFont(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                         std::shared_ptr<TShadow> shadow, std::shared_ptr<TBitmapFont> bitmapFont,
                         std::shared_ptr<TColor> secondColor) {
    if (!Font) Font = std::make_shared<TFont>();
    Font->Init(std::move(font), std::move(color), std::move(shadow), 0, std::move(bitmapFont),
               std::move(secondColor), "");
}
