// The one-line text entry: UTF-8 characters, Backspace, the character and pixel limits, filters, Enter on
// a blank text, and drawing without colours (one character per tick is counted by the dialog tests).
#include "WidgetWorld.h"
#include "core/SoundBank.h"
#include "platform/Image.h"
#include "platform/Keys.h"
#include "presentation/BitmapFont.h"
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

    TTextInput input;
};

TEST_F(TextInputTest, Utf8CharactersAreStoredCountedUpperCasedAndErasedWhole) {
    Enter(U"\u00e9");
    EXPECT_EQ(input.Text, "") << "extended characters are off by default";
    input.AllowExtendedChars = 1;
    input.UppercaseFirstCharAsTyped = 1;
    Enter(U"\u00e9n\u20ac");
    EXPECT_EQ(input.Text, "\xc3\x89n\xe2\x82\xac");
    EXPECT_EQ(input.Length(), 3);
    Enter(U"\b");
    EXPECT_EQ(input.Text, "\xc3\x89n");
    Enter(U"\b\b");
    EXPECT_EQ(input.Text, "");
    EXPECT_EQ(input.CurrentChar, 1);

    Enter(U"\u00ff");
    EXPECT_EQ(input.Text, "Ÿ");
    Enter(U"\b\u0142\u00f3d\u017a");
    EXPECT_EQ(input.Text, "Łódź") << "Latin Extended-A too, and only the first letter";
    Enter(U"\b\b\b\b");

    Enter(U"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9x");
    EXPECT_EQ(input.Length(), 10);
    EXPECT_EQ(input.Text.find('x'), std::string::npos) << "the limit counts characters, not bytes";
}

TEST_F(TextInputTest, BackspaceOnAnEmptyTextDoesNothingAndIsSilent) {
    input.TypingSound = std::make_shared<TGameSound>();
    input.TypingSound->sound = FakeSound();
    Enter(U"\b\b");
    EXPECT_EQ(input.Text, "");
    EXPECT_EQ(SoundsPlayed(), 0);
    Enter(U"x\b");
    EXPECT_EQ(SoundsPlayed(), 2);
}

TEST_F(TextInputTest, RefusedCharactersNeverBecomeText) {
    input.MakeCharsFileNameSafe();
    input.AllowExtendedChars = 1;
    Enter(
        U"a:b?c/d\\e\x7f\u0085"
        U"\x01"
        U"f");
    EXPECT_EQ(input.Text, "abcdef");
    input.NumbersOnly = 1;
    Enter(U"1g2");
    EXPECT_EQ(input.Text, "abcdef12");
    input.MaxPixelWidth = 70;  // the block font advances 8 pixels
    Enter(U"3");
    EXPECT_EQ(input.Text, "abcdef12") << "a character that would not fit";
    EXPECT_EQ(Enter(U"\r"), 1) << "Enter still works with numbers only";
}

TEST_F(TextInputTest, EnterOnABlankTextIsRefusedWithoutAllowNull) {
    input.AllowNull = 0;
    EXPECT_EQ(Enter(U"  \r"), 0);
    EXPECT_EQ(input.Active, 1);
    EXPECT_EQ(Enter(U"x\r"), 1);
    EXPECT_EQ(input.Active, 0);
    EXPECT_EQ(Game->BlockKeys, 0);
    EXPECT_EQ(input.Manage(), 0) << "a finished entry takes no more keys";
}

TEST_F(TextInputTest, DroppedColoursDrawWhiteAndMeasuringKeepsTheCurrentFont) {
    input.TextCol.reset();
    input.DotCol.reset();
    input.CursorCol.reset();
    input.TextShadow.reset();
    input.DrawDots = 1;
    Enter(U"ab");
    input.Draw();
    ASSERT_EQ(rec.Find("DrawText").size(), 3u);
    for (auto* t : rec.Find("DrawText")) EXPECT_EQ(t->state.green, 255);
    ExpectCleanState();

    rec.calls.clear();
    auto bitmap = std::make_shared<TBitmapFont>();
    bitmap->ParseFnt("char id=65 x=0 y=0 width=8 height=12 xoffset=0 yoffset=0 xadvance=9 page=0\n", 0);
    bitmap->Image = TImage::FromPixmap(TPixmap(16, 16, 0xFFFFFFFFu));
    input.BitmapFont = bitmap;
    input.Text = "A";
    input.Draw();
    ASSERT_FALSE(rec.Find("DrawSubImageRect").empty());
    for (auto* g : rec.Find("DrawSubImageRect"))
        EXPECT_EQ(g->state.green, 255) << "no shadow without one set";

    auto other = MakeBlockFont();
    SetImageFont(other);
    input.GetWidth("abc");
    EXPECT_EQ(GetImageFont(), other);
}

TEST_F(TextInputTest, DotsFillOnlyThePlacesLeftAfterTheTextAndTheCursor) {
    input.DrawDots = 1;
    input.MaxLength = 5;
    Enter(U"ab");
    input.Draw();
    const auto texts = rec.Find("DrawText");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back()->text, "..");
}

}  // namespace
