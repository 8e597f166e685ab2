// Labels, fonts and the text helpers: alignment, shadows, word wrap, scale and the state left behind.
#include "presentation/Font.h"

#include "TestWorld.h"
#include "presentation/DrawHelpers.h"

namespace {

class FontTest : public TestWorld {
protected:
    void SetUp() override {
        TestWorld::SetUp();
        font = MakeBlockFont();
        SetTextShadow(1, 1, 0.5f);
        TextAlpha = 1.0f;
    }
    void TearDown() override {
        SetTextShadow(1, 1, 0.5f);
        TextAlpha = 1.0f;
        TestWorld::TearDown();
    }
    std::shared_ptr<TImageFont> font;
};

TEST_F(FontTest, ImageFontMeasuresUtf8AndLineHeight) {
    SetImageFont(font);
    EXPECT_FLOAT_EQ(TextWidth("ABC"), 24.0f);
    EXPECT_FLOAT_EQ(TextWidth("\xC3\xA9t\xC3\xA9"), 24.0f);  // three characters, five bytes
    EXPECT_FLOAT_EQ(TextHeight(""), 12.0f);
}

TEST_F(FontTest, ScaledRotatedTextTurnsAboutItsPosition) {
    SetImageFont(font);
    SetScale(2, 2);
    SetRotation(90);
    DrawText("AB", 100, 100);
    const auto& v = rec.Find("DrawText").at(0)->vertices;
    ASSERT_EQ(v.size(), 12u);
    // Second glyph's top-left: local (8, 0) -> scaled (16, 0) -> rotated (0, 16).
    EXPECT_NEAR(v[6].x, 100.0f, 1e-3);
    EXPECT_NEAR(v[6].y, 116.0f, 1e-3);
}

TEST_F(FontTest, ShadowedTextAlphasAndEndState) {
    SetImageFont(font);
    TextAlpha = 0.5f;
    SetColor(200, 100, 0);
    DrawTextShadow(10, 20, "Hi", 0);
    auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FLOAT_EQ(texts[0]->state.alpha, 0.25f);
    EXPECT_EQ(texts[0]->state.red, 0);
    EXPECT_FLOAT_EQ(texts[0]->args[0], 11.0f);
    EXPECT_FLOAT_EQ(texts[1]->state.alpha, 0.5f);
    EXPECT_EQ(texts[1]->state.red, 200);
    EXPECT_FLOAT_EQ(GetAlpha(), 0.5f);
}

TEST_F(FontTest, AlignmentPlacesTextAndUnknownDrawsNothing) {
    SetImageFont(font);
    DrawTextAligned("ABCD", 100, 0, 0, 1, 0);
    DrawTextAligned("ABCD", 100, 0, 0, 2, 0);
    DrawTextAligned("ABCD", 100, 0, 0, 3, 0);
    auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FLOAT_EQ(texts[0]->args[0], 84.0f);
    EXPECT_FLOAT_EQ(texts[1]->args[0], 68.0f);
}

TEST_F(FontTest, WordWrapBreaksAtBlanks) {
    SetImageFont(font);
    // "aa bb" is 40 wide: two words fit in 40, the third does not.
    auto lines = WordWrap({"aa bb cc", "", "x  y"}, 40);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "aa bb");
    EXPECT_EQ(lines[1], "cc");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "x y");
    auto last = WordWrapLast({"aa bb cc dd"}, 40, 16, 2);
    ASSERT_EQ(last.size(), 3u);  // from the second line on only 16 pixels are left: one word a line
    EXPECT_EQ(last[0], "aa bb");
    EXPECT_EQ(last[1], "cc");
}

TEST_F(FontTest, LabelWithoutColourDrawsAndRestoresWhite) {
    auto label = TLabel::CreateSpecial("Hello", 10, 10, 0, 0, 0);
    label->ImageFont = font;
    label->Color.reset();
    SetColor(1, 2, 3);
    EXPECT_EQ(label->Draw(0, 0, 1), 1);
    EXPECT_EQ(rec.Find("DrawText").at(0)->state.red, 1);
    ExpectCleanState();
}

TEST_F(FontTest, LabelScaleMultipliesAndLeavesCallersScale) {
    auto label = TLabel::CreateSpecial("Hi", 0, 0, 0, 0, 0);
    label->ImageFont = font;
    label->Scale = 0.5f;
    SetScale(2, 2);
    label->Draw(0, 0, 1);
    EXPECT_FLOAT_EQ(rec.Find("DrawText").at(0)->state.scaleX, 1.0f);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 2.0f);
}

TEST_F(FontTest, WrappedLabelHeightAndLinePositions) {
    auto label = TLabel::CreateSpecial("aa bb cc dd ee", 5, 50, 0, 40, 0);
    label->Init(font, TColor::Create(255, 255, 255, 1), nullptr, 0, nullptr, nullptr, "");
    label->SetLineGap(20);
    label->PreCalcWordWrap();
    EXPECT_EQ(label->TotalLines, 3);
    EXPECT_FLOAT_EQ(label->CalcHeight(), 60.0f);
    label->Draw(0, 0, 1);
    auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_FLOAT_EQ(texts[2]->args[1], 90.0f);
}

TEST_F(FontTest, ShadowedLabelUsesColourAlphaForText) {
    auto label = TLabel::CreateSpecial("Hi", 0, 0, 1, 0, 0);
    label->Init(font, TColor::Create(0, 255, 0, 0.6f), TShadow::Create(2, 2, 0.5f), 0, nullptr, nullptr, "");
    label->Draw(0, 0, 1);
    auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NEAR(texts[0]->state.alpha, 0.3f, 1e-6);
    EXPECT_EQ(texts[1]->state.green, 255);
    ExpectCleanState();
}

}  // namespace
