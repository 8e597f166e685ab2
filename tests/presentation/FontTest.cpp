// Labels, fonts and the text helpers: measuring, alignment, word wrap and the state left behind.
#include "TestWorld.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Font.h"

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

TEST_F(FontTest, AlignmentPlacesTextAndUnknownDrawsNothing) {
    SetImageFont(font);
    DrawTextAligned("ABCD", 100, 0, 0, 2, 0);
    DrawTextAligned("ABCD", 100, 0, 0, 3, 0);
    auto texts = rec.Find("DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FLOAT_EQ(texts[0]->args[0], 68.0f);
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

// Every character of the block font is 8 wide, the ellipsis too.
TEST_F(FontTest, FitTextCutsWholeCharactersAndEndsWithAnEllipsisThatFits) {
    SetImageFont(font);
    const std::pair<std::string, float> fits[] = {{"ABCD", 32}, {"", 0}};
    for (const auto& [text, width] : fits) EXPECT_EQ(FitText(text, width), text);
    EXPECT_EQ(FitText("ABCDE", 32), "ABC\u2026");
    EXPECT_EQ(FitText("ABCDE", 31), "AB\u2026");
    EXPECT_EQ(FitText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 24), "\xC3\xA9\xC3\xA9\u2026");
    EXPECT_EQ(FitText("AB", 4), "\u2026");
}

TEST_F(FontTest, LabelWithoutColourDrawsAndLeavesTheCallersScale) {
    auto label = TLabel::CreateSpecial("Hello", 10, 10, 0, 0, 0);
    label->ImageFont = font;
    label->Color.reset();
    label->Scale = 0.5f;
    SetColor(1, 2, 3);
    SetScale(2, 2);
    EXPECT_EQ(label->Draw(0, 0, 1), 1);
    EXPECT_EQ(rec.Find("DrawText").at(0)->state.red, 1);
    EXPECT_FLOAT_EQ(rec.Find("DrawText").at(0)->state.scaleX, 1.0f);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 2.0f);
    EXPECT_EQ(GetDrawState().red, 255) << "the label leaves white behind";
    auto plain = TFont::Create(font, nullptr, nullptr, 0, nullptr, nullptr, "");
    plain->ApplyScale(3);
    plain->RestoreScale();
    ExpectCleanState();
}

}  // namespace
