// The tooltip: resting time, placement at the pointer, fading and the wrapped text.
#include "presentation/ToolTip.h"

#include <algorithm>
#include <cmath>

#include "core/ChannelArray.h"
#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Font.h"
#include "presentation/GameImage.h"
#include "presentation/MousePointer.h"

void TToolTip::PlaceAtPointer() {
    const TMousePointer& mouse = *Game->Mouse;
    const float height = image ? float(image->h) : 0.0f;
    const float width = image ? float(image->w) : 0.0f;
    const float below = float(mouse.y + mouse.h + GapFromMouse);
    y = (AlwaysShowAboveMouse || below + height > float(ScreenHeight))
            ? float(mouse.y - GapFromMouse) - height
            : below;
    x = float(mouse.x + XOffset);
    if (x + width > float(ScreenWidth)) x = float(ScreenWidth) - width;
    if (RoundedCoords) x = std::round(x), y = std::round(y);
}

void TToolTip::Collide(int over) {
    bool shown = false;
    if (!over) {
        CollideCounter = 0;
    } else {
        if (DrawUnderMouseCursor && (!SetCoordsOnceOnly || !Visible)) PlaceAtPointer();
        CollideCounter += Delta;
        if (CollideCounter > float(CollideCounterMax)) {
            CollideCounter = float(CollideCounterMax);
            if (!Visible && ToolTipSound && Game->Channels)
                Game->Channels->PlayGameSound(*ToolTipSound, nullptr, 1, 0);
            Visible = 1;
            shown = true;
        }
    }
    if (shown) {
        FadeLevel = Fade ? std::min(1.0f, FadeLevel + FadeInSpeed * Delta) : 1.0f;
        return;
    }
    if (!Fade) {
        FadeLevel = 0;
        Visible = 0;
        return;
    }
    FadeLevel -= FadeOutSpeed * Delta;
    if (FadeLevel <= 0) {
        FadeLevel = 0;
        Visible = 0;
    }
}

int TToolTip::Draw() {
    if (!Visible) return 0;
    SetAlpha(FadeLevel);
    if (image) DrawImage(image->image.get(), x, y);
    const float oldTextAlpha = TextAlpha;
    if (Font) {
        if (Font->Color) Font->Color->Alpha = FadeLevel;
        Font->Apply();
        TextAlpha = FadeLevel;
        SetScale(FontScale, FontScale);
        const float cx = x + (image ? image->w2 : 0.0f);
        const float cy = y + float(TextYOffset) + (image ? image->h2 : 0.0f);
        const float lineGap = Font->CalcHeight() * FontScale;
        if (Font->BitmapFont) {
            Font->BitmapFont->DrawStringArray(TextWrapped, cx, cy, 1, 0, RoundedCoords, RoundedCoords, 1,
                                              int(lineGap), 0);
        } else {
            DrawTextLinesShadow(cx, cy, TextWrapped, 1, lineGap);
        }
    }
    TextAlpha = oldTextAlpha;
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 1;
}

int TToolTip::SetText(const std::string& text) {
    if (Fade && FadeLevel > 0) return 0;
    Text = text;
    if (Font) Font->Apply();
    TextWrapped =
        WordWrap(SplitLines(text), float(TextDrawWidth), Font ? Font->BitmapFont.get() : nullptr, 1.0f);
    return 1;
}

void TToolTip::SetCollideCounterMax(int ms) {
    CollideCounterMax = int(Game->CalcAnimLength(ms));
}
