// The one-line text entry: typing one character per tick, UTF-8 characters, Backspace, the character
// and pixel limits, filters, Enter and Esc, the cursor's flashing and the drawn dots.
#include "WidgetWorld.h"
#include "core/SoundBank.h"
#include "platform/Keys.h"
#include "presentation/Color.h"
#include "presentation/TextInput.h"

namespace {

class TextInputTest : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        input.Init(MakeBlockFont(), "", 100, 200, nullptr);
    }
    // Types the characters and runs one logic call per character; the last call's result.
    int Enter(const std::u32string& text) {
        Type(text);
        int result = 0;
        for (size_t i = 0; i < text.size(); ++i) result = input.Manage();
        return result;
    }
    std::vector<std::string> DrawnTexts() const {
        std::vector<std::string> texts;
        for (auto* t : rec.Find("DrawText")) texts.push_back(t->text);
        return texts;
    }

    TTextInput input;
};

TEST_F(TextInputTest, OneCharacterPerTick) {
    Type(U"abc");
    input.Manage();
    EXPECT_EQ(input.Text, "a");
    input.Manage();
    input.Manage();
    EXPECT_EQ(input.Text, "abc");
    EXPECT_EQ(input.CurrentChar, 4);
}

TEST_F(TextInputTest, AccentedCharactersAreStoredAsUtf8WhenAllowed) {
    Enter(U"\u00e9");
    EXPECT_EQ(input.Text, "") << "extended characters are off by default";
    input.AllowExtendedChars = 1;
    Enter(U"Ren\u00e9\u20ac");
    EXPECT_EQ(input.Text, "Ren\xc3\xa9\xe2\x82\xac");
    EXPECT_EQ(input.Length(), 5);
    EXPECT_EQ(input.CurrentChar, 6);
}

TEST_F(TextInputTest, BackspaceRemovesAWholeCharacter) {
    input.AllowExtendedChars = 1;
    Enter(U"a\u00e9\u20ac");
    Enter(U"\b");
    EXPECT_EQ(input.Text, "a\xc3\xa9");
    Enter(U"\b");
    EXPECT_EQ(input.Text, "a");
    EXPECT_EQ(input.CurrentChar, 2);
}

TEST_F(TextInputTest, BackspaceOnAnEmptyTextDoesNothingAndIsSilent) {
    input.TypingSound = std::make_shared<TGameSound>();
    input.TypingSound->sound = FakeSound();
    Enter(U"\b\b");
    EXPECT_EQ(input.Text, "");
    EXPECT_EQ(input.CurrentChar, 1);
    EXPECT_EQ(SoundsPlayed(), 0);
    Enter(U"x\b");
    EXPECT_EQ(SoundsPlayed(), 2);
}

TEST_F(TextInputTest, TheCharacterLimitCountsCharactersNotBytes) {
    input.AllowExtendedChars = 1;
    Enter(U"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9x");
    EXPECT_EQ(input.Length(), 10);
    EXPECT_EQ(input.Text.size(), 20u);
    EXPECT_EQ(input.Text.find('x'), std::string::npos) << "the eleventh character is ignored";
}

TEST_F(TextInputTest, ThePixelLimitRefusesACharacterThatWouldNotFit) {
    input.MaxPixelWidth = 20;  // the block font advances 8 pixels
    Enter(U"abc");
    EXPECT_EQ(input.Text, "ab");
    EXPECT_EQ(input.GetWidth(""), 16);
}

TEST_F(TextInputTest, FileNameSafeCharactersAreRefused) {
    input.MakeCharsFileNameSafe();
    EXPECT_EQ(input.BannedChars.size(), 15u);
    Enter(U"a:b?c/d\\e");
    EXPECT_EQ(input.Text, "abcde");
}

TEST_F(TextInputTest, NumbersOnlyIgnoresLettersButEnterAndEscStillWork) {
    input.NumbersOnly = 1;
    Enter(U"1a2b3");
    EXPECT_EQ(input.Text, "123");
    EXPECT_EQ(Enter(U"\r"), 1);
    input.Reset();
    EXPECT_EQ(Enter(U"\x1b"), -1);
}

TEST_F(TextInputTest, ControlCharactersNeverBecomeText) {
    input.AllowExtendedChars = 1;
    Enter(
        U"a\x7f\u0085"
        U"\x01"
        U"b");
    EXPECT_EQ(input.Text, "ab");
}

TEST_F(TextInputTest, EnterOnABlankTextIsRefusedWithoutAllowNull) {
    input.AllowNull = 0;
    EXPECT_EQ(Enter(U"  \r"), 0);
    EXPECT_EQ(input.Active, 1);
    EXPECT_EQ(Enter(U"x\r"), 1);
    EXPECT_EQ(input.Active, 0);
    EXPECT_EQ(input.Done, 1);
    EXPECT_EQ(Game->BlockKeys, 0);
    EXPECT_EQ(input.Manage(), 0) << "a finished entry takes no more keys";
}

TEST_F(TextInputTest, EscapeAbortsAndMayClearTheText) {
    Enter(U"abc");
    input.ClearTextOnEscape = 1;
    EXPECT_EQ(Enter(U"\x1b"), -1);
    EXPECT_EQ(input.Text, "");
    input.Reset();
    input.AllowEscToAbort = 0;
    EXPECT_EQ(Enter(U"\x1b"), 0);
    EXPECT_EQ(input.Active, 1);
}

TEST_F(TextInputTest, FirstCharacterUpperCasedAsTyped) {
    input.UppercaseFirstCharAsTyped = 1;
    input.AllowExtendedChars = 1;
    Enter(U"\u00e9mile");
    EXPECT_EQ(input.Text, "\xc3\x89mile");
}

TEST_F(TextInputTest, CursorShowsAndHidesFor250Milliseconds) {
    Ticks(49, 1.0f, [&] { input.Manage(); });
    EXPECT_EQ(input.CursorOn, 1);
    input.Manage();
    EXPECT_EQ(input.CursorOn, 0);
    Ticks(100, 0.5f, [&] { input.Manage(); });
    EXPECT_EQ(input.CursorOn, 1);
}

TEST_F(TextInputTest, NineOfTenShowsTextAndCursorButNoDots) {
    input.DrawDots = 1;
    Enter(U"abcdefghi");
    input.Draw();
    auto texts = DrawnTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "abcdefghi"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "_"), texts.end());
    for (const auto& t : texts) EXPECT_EQ(t.find('.'), std::string::npos);
    ExpectCleanState();
}

TEST_F(TextInputTest, FiveOfTenShowsCursorAndFourDots) {
    input.DrawDots = 1;
    Enter(U"abcde");
    input.Draw();
    auto texts = DrawnTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "...."), texts.end());
    auto cursor = std::find(texts.begin(), texts.end(), "_");
    ASSERT_NE(cursor, texts.end());
    const TDrawCommand* dots = nullptr;
    for (auto* t : rec.Find("DrawText"))
        if (t->text == "....") dots = t;  // after its black shadow
    ASSERT_NE(dots, nullptr);
    EXPECT_EQ(dots->state.red, 150);
}

TEST_F(TextInputTest, HiddenCursorStillTakesItsPlace) {
    input.DrawDots = 1;
    input.TextShadow.reset();
    Enter(U"abcde");
    input.CursorOn = 0;
    input.Draw();
    auto texts = DrawnTexts();
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "_"), texts.end());
    auto dots = rec.Find("DrawText");
    ASSERT_FALSE(dots.empty());
    EXPECT_EQ(dots.back()->text, "....");
    EXPECT_FLOAT_EQ(dots.back()->args[0], 100 + 5 * 8 + 8);
}

TEST_F(TextInputTest, AFinishedEntryIsDrawnOnlyWhenForced) {
    Enter(U"x\r");
    input.Draw();
    EXPECT_TRUE(rec.calls.empty());
    input.ForceDraw = 1;
    input.OffsetX = 7;
    input.Draw();
    const TDrawCommand* text = nullptr;
    for (auto* t : rec.Find("DrawText"))
        if (t->text == "x") text = t;  // after its shadow
    ASSERT_NE(text, nullptr);
    EXPECT_FLOAT_EQ(text->args[0], 107);
}

TEST_F(TextInputTest, DroppedColoursDrawWhite) {
    input.TextCol.reset();
    input.DotCol.reset();
    input.CursorCol.reset();
    input.TextShadow.reset();
    input.DrawDots = 1;
    Enter(U"ab");
    input.Draw();
    ASSERT_EQ(rec.Find("DrawText").size(), 3u);
    for (auto* t : rec.Find("DrawText")) EXPECT_EQ(t->state.green, 255);
}

TEST_F(TextInputTest, MeasuringDoesNotChangeTheCurrentFont) {
    auto other = MakeBlockFont();
    SetImageFont(other);
    input.GetWidth("abc");
    EXPECT_EQ(GetImageFont(), other);
}

}  // namespace
