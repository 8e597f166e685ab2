// Text styles and labels: colour, shadow and scale handling, word wrap and aligned drawing.
#include "presentation/Font.h"

#include "core/StringUtils.h"
#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"

void TFont::Apply() {
    ApplyCustomColor(Color);
}

void TFont::ApplyCustomColor(const std::shared_ptr<TColor>& color) {
    if (color) color->Apply();
    if (Shadow) {
        Shadow->ApplyToText();
        if (color) TextAlpha = color->Alpha;
    }
    if (!BitmapFont) SetImageFont(ImageFont);
}

void TFont::ApplyInverse() {
    if (InverseColor) InverseColor->Apply();
    if (!BitmapFont) SetImageFont(ImageFont);
}

void TFont::ApplyScale(float scale) {
    if (!BitmapFont) {
        SetScale(scale, scale);
    } else {
        OldScale = BitmapFont->ScaleFactor;
        BitmapScaleSaved = true;
        BitmapFont->ScaleFactor = scale;
    }
}

float TFont::FontHeight() {
    if (!BitmapFont) {
        SetImageFont(ImageFont);
        H = TextHeight("");
    } else {
        H = float(BitmapFont->StringHeight(BitmapFont->TestString));
    }
    return H;
}

float TFont::CalcHeight() {
    return FontHeight();
}

std::shared_ptr<TFont> TFont::Create(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                                     std::shared_ptr<TShadow> shadow, int fixedWidth,
                                     std::shared_ptr<TBitmapFont> bitmapFont,
                                     std::shared_ptr<TColor> inverseColor, const std::string& name) {
    auto f = std::make_shared<TFont>();
    f->Init(std::move(font), std::move(color), std::move(shadow), fixedWidth, std::move(bitmapFont),
            std::move(inverseColor), name);
    return f;
}

void TFont::Kill() {
    ImageFont.reset();
    BitmapFont.reset();
    Color.reset();
    InverseColor.reset();
    Shadow.reset();
}

void TFont::Init(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                 std::shared_ptr<TShadow> shadow, int fixedWidth, std::shared_ptr<TBitmapFont> bitmapFont,
                 std::shared_ptr<TColor> inverseColor, const std::string& name) {
    ImageFont = std::move(font);
    Color = std::move(color);
    Shadow = std::move(shadow);
    FixedWidth = fixedWidth;
    BitmapFont = std::move(bitmapFont);
    InverseColor = std::move(inverseColor);
    Name = name;
    CalcHeight();
}

void TFont::RestoreScale() {
    if (!BitmapFont) {
        SetScale(1, 1);
    } else if (BitmapScaleSaved) {
        BitmapFont->ScaleFactor = OldScale;
        BitmapScaleSaved = false;
    }
}

float TLabel::CalcHeight() {
    if (WordWrap > 0) {
        if (TotalLines > 0) CalcWordWrappedHeight();
        return H * Scale;
    }
    return FontHeight() * Scale;
}

void TLabel::AutoScale(float maxWidth) {
    CalcWidth();
    if (W > maxWidth && W > 0) Scale = maxWidth / W;
}

void TLabel::CalcSize() {
    CalcWidth();
    CalcHeight();
}

float TLabel::CalcWidth() {
    if (!BitmapFont) {
        SetImageFont(ImageFont);
        W = TextWidth(Text);
    } else {
        W = float(BitmapFont->StringWidth(Text));
    }
    return W * Scale;
}

void TLabel::CalcWordWrappedHeight() {
    H = float(TotalLines * LineGap);
}

std::shared_ptr<TLabel> TLabel::CreateSpecial(const std::string& text, float x, float y, int alignment,
                                              int wordWrap, int centreVertically) {
    auto label = std::make_shared<TLabel>();
    label->Text = text;
    label->X = x;
    label->Y = y;
    label->Alignment = alignment;
    label->WordWrap = wordWrap;
    label->CentreVertically = centreVertically;
    label->Color = TColor::Create(255, 255, 255, 1.0f);
    return label;
}

int TLabel::Draw(float ox, float oy, int applyColor) {
    if (Visible == 0) return 0;
    float oldX = 1, oldY = 1;
    bool scaled = Scale != 1.0f;
    if (scaled) {
        GetScale(oldX, oldY);
        SetScale(oldX * Scale, oldY * Scale);
    }
    if (!BitmapFont) SetImageFont(ImageFont);
    float a = Alpha;
    if (applyColor != 0 && Color) {
        Color->Apply();
        a *= Color->Alpha;
    }
    if (a != 1.0f) SetAlpha(a);
    if (WordWrap > 0) {
        for (int i = 0; i < TotalLines && i < int(TextArray.size()); ++i)
            DrawTextLine(TextArray[size_t(i)], X + ox, Y + oy + float(i) * float(LineGap) * Scale,
                         applyColor);
    } else if (CentreVertically != 0) {
        float half = H / 2;
        if (BitmapFont) {
            float sx, sy;
            GetScale(sx, sy);
            half = float(BitmapFont->StringHeight(BitmapFont->TestString)) / 2 * sy;
        }
        DrawTextLine(Text, X + ox, Y + oy - half, applyColor);
    } else {
        DrawTextLine(Text, X + ox, Y + oy, applyColor);
    }
    if (scaled) SetScale(oldX, oldY);
    // White at alpha 1 whether or not the label had a colour of its own.
    TColor::Restore();
    return 1;
}

void TLabel::DrawTextLine(const std::string& text, float x, float y, int applyColor) {
    if (Shadow) {
        Shadow->ApplyToText();
        if (applyColor != 0 && Color) TextAlpha = Color->Alpha;
        if (!BitmapFont) {
            DrawTextAligned(text, x, y, 1, Alignment, RoundCoords);
        } else if (RoundCoords == 1) {
            BitmapFont->DrawAlignedWithShadow(text, x, y, Alignment, 1, 1);
        } else {
            BitmapFont->DrawAlignedWithShadow(text, x, y, Alignment, RoundXCoord, RoundYCoord);
        }
        return;
    }
    if (!BitmapFont) {
        DrawTextAligned(text, x, y, 0, Alignment, RoundCoords);
    } else if (RoundCoords == 1) {
        BitmapFont->DrawAligned(text, x, y, Alignment, 1, 1, 0);
    } else {
        BitmapFont->DrawAligned(text, x, y, Alignment, RoundXCoord, RoundYCoord, 0);
    }
}

void TLabel::PreCalcWordWrap() {
    if (!BitmapFont) SetImageFont(ImageFont);
    TextArray = SplitLines(Text);
    TextArray = ::WordWrap(TextArray, float(WordWrap), BitmapFont.get(), Scale);
    TotalLines = int(TextArray.size());
    if (LineGap == 0)
        LineGap = !BitmapFont ? int(TextHeight("")) : int(BitmapFont->StringHeight(BitmapFont->TestString));
    CalcWordWrappedHeight();
}

void TLabel::SetLineGap(int gap) {
    LineGap = gap;
    CalcWordWrappedHeight();
}
