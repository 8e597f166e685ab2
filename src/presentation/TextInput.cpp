// TTextInput: typing one character per tick from the character buffer, the limits, and the drawing of
// text, cursor and free-place dots.
#include "presentation/TextInput.h"

#include "core/ChannelArray.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "platform/ImageFont.h"
#include "platform/Keys.h"
#include "presentation/BitmapFont.h"
#include "presentation/Color.h"
#include "presentation/DrawHelpers.h"

namespace {

// Control characters (DEL and the C1 block), surrogates and values beyond Unicode are never text,
// even where extended characters are allowed.
bool PrintableCode(int code, int allowExtended) {
    if (code < 32) return false;
    if (code <= 126) return true;
    if (allowExtended == 0) return false;
    if (code <= 159) return false;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    return code <= 0x10FFFF;
}

// A colour an owner has dropped draws white rather than failing.
const TColor& ColorOrWhite(const std::shared_ptr<TColor>& color) {
    static const TColor white{255, 255, 255, 1.0f};
    return color ? *color : white;
}

}  // namespace

TTextInput::TTextInput()
    : TextCol(std::make_shared<TColor>()),
      TextShadow(TShadow::Create(1, 1, 0.5f)),
      DotCol(std::make_shared<TColor>()),
      CursorCol(std::make_shared<TColor>()) {}

int TTextInput::Length() const {
    return int(DecodeUtf8(Text).size());
}

void TTextInput::Init(std::shared_ptr<TImageFont> font, const std::string& text, int px, int py,
                      std::shared_ptr<TBitmapFont> bitmapFont) {
    Font = std::move(font);
    BitmapFont = std::move(bitmapFont);
    Text = text;
    CurrentChar = Length() + 1;
    X = px;
    Y = py;
    if (!TextCol) TextCol = std::make_shared<TColor>();
    if (!DotCol) DotCol = std::make_shared<TColor>();
    if (!CursorCol) CursorCol = std::make_shared<TColor>();
    TextCol->Set(255, 255, 255, 1.0f);
    DotCol->Set(150, 150, 150, 1.0f);
    CursorCol->Set(0, 255, 255, 1.0f);
    SetCursorFlashSpeed(250);
    Reset();
}

void TTextInput::Reset() {
    Active = 1;
    Done = 0;
    if (Game) Game->BlockKeys = 1;
    FlushInput();
}

void TTextInput::SetCursorFlashSpeed(int ms) {
    CursorFlashSpeed = Game ? int(Game->CalcAnimLength(ms)) : 0;
    CursorFlashCounter = 0;
    CursorOn = 1;
}

int TTextInput::Manage() {
    if (Active == 0) return 0;
    int code = GameGetChar();
    if (code != 0 && !BannedChars.empty()) {
        std::u32string banned = DecodeUtf8(BannedChars);
        if (banned.find(char32_t(code)) != std::u32string::npos) code = 0;
    }
    if (code == KEY_BACKSPACE) {
        if (CurrentChar > 1) {
            --CurrentChar;
            PlayTypingSound();
            Text.resize(WithoutLastChar(Text));
        }
        code = 0;
    }
    // Esc stays live with digits only, so a numbers-only entry can still be abandoned.
    if (NumbersOnly != 0 && code != KEY_ENTER && code != KEY_ESCAPE && (code < '0' || code > '9')) code = 0;
    if (PrintableCode(code, AllowExtendedChars)) {
        bool fits = CurrentChar <= MaxLength;
        char32_t c = char32_t(code);
        if (UppercaseFirstCharAsTyped != 0 && CurrentChar == 1) c = UpperLetter(c);
        std::string typed = EncodeUtf8(c);
        if (fits && MaxPixelWidth > 0) fits = GetWidth(typed) <= MaxPixelWidth;
        if (fits) {
            Text += typed;
            ++CurrentChar;
            PlayTypingSound();
        }
    } else if (code == KEY_ENTER) {
        if (PlayTypingSoundOnEnter != 0) PlayTypingSound();
        if (AllowNull != 0 || !Trim(Text).empty()) {
            Finish();
            return 1;
        }
        FlushInput();
    } else if (code == KEY_ESCAPE && AllowEscToAbort != 0) {
        if (ClearTextOnEscape != 0) {
            Text.clear();
            CurrentChar = 1;
        }
        Finish();
        return -1;
    }
    CursorFlashCounter += Delta;
    if (CursorFlashCounter >= float(CursorFlashSpeed)) {
        CursorOn = CursorOn != 0 ? 0 : 1;
        CursorFlashCounter = 0;
    }
    return 0;
}

void TTextInput::PlayTypingSound() {
    if (TypingSound && Game && Game->Channels)
        Game->Channels->PlayGameSound(*TypingSound, nullptr, 1.0f, 0.0f);
}

void TTextInput::MakeCharsFileNameSafe() {
    BannedChars = "\"|*\\/:;~?<>,+=%";
}

void TTextInput::Finish() {
    Active = 0;
    Done = 1;
    if (Game) Game->BlockKeys = 0;
    FlushInput();
}

// Measured with the entry's own font, whatever font the last draw left current.
int TTextInput::GetWidth(const std::string& extra) {
    if (BitmapFont) return int(BitmapFont->StringWidth(Text + extra));
    std::shared_ptr<TImageFont> previous = GetImageFont();
    if (Font) SetImageFont(Font);
    int width = int(TextWidth(Text + extra));
    SetImageFont(previous);
    return width;
}

void TTextInput::Draw() {
    if (Active == 0 && ForceDraw == 0) return;
    if (!BitmapFont) SetImageFont(Font);
    float px = float(X) + OffsetX, py = float(Y) + OffsetY;
    const int shadowed = TextShadow ? 1 : 0;
    auto drawText = [&](const std::string& text, float tx, float ty, const TColor& color) {
        color.Apply();
        if (shadowed != 0) {
            TextShadow->ApplyToText();
            TextAlpha = color.Alpha;
            if (BitmapFont) {
                BitmapFont->DrawAlignedWithShadow(text, tx, ty, 0, 0, 0);
            } else {
                DrawTextAt(text, tx, ty, 1, 0);
            }
        } else if (BitmapFont) {
            BitmapFont->DrawAligned(text, tx, ty, 0, 0, 0, 0);
        } else {
            DrawTextAt(text, tx, ty, 0, 0);
        }
    };
    auto width = [&](const std::string& text) {
        return BitmapFont ? float(BitmapFont->StringWidth(text)) : TextWidth(text);
    };
    drawText(Text, px, py, ColorOrWhite(TextCol));
    float cursorX = px + width(Text);
    int used = Length();
    if (DrawUnderscore != 0 && used < MaxLength) {
        if (CursorOn != 0) drawText("_", cursorX, py + float(CursorYOffset), ColorOrWhite(CursorCol));
        cursorX += width("_");
        ++used;
    }
    if (DrawDots != 0 && MaxLength > used)
        drawText(std::string(size_t(MaxLength - used), '.'), cursorX, py, ColorOrWhite(DotCol));
    TColor::Restore();
}
