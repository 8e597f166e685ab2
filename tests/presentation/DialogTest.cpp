// Dialogs: results (0 while open, then the answer), keys and clicks of each kind, closing and opening
// transitions, random slides, Esc handling of the game around a dialog, text entry and the box's drawing.
#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "WidgetWorld.h"
#include "core/Screen.h"
#include "platform/Keys.h"
#include "presentation/Dialog.h"
#include "presentation/Font.h"
#include "presentation/MousePointer.h"

namespace {

class DialogTest : public WidgetWorld {
  protected:
    std::shared_ptr<TImageFont> font = MakeBlockFont();

    // "Sure?" is 40 x 12 in the block font: a 80 x 132 box at (360, 234), its OK button at (370, 316).
    std::unique_ptr<TDialogOK> OpenOK() {
        auto d = TDialogOK::Create("Sure?", nullptr, 0, 0, 0);
        d->SetupCaption(font, TColor::Create(255, 255, 255, 1.0f), nullptr, nullptr);
        d->Start();
        return d;
    }
    std::unique_ptr<TDialogYesNo> OpenYesNo() {
        auto d = TDialogYesNo::Create("Quit the game?", nullptr, 0, 0, 0, 1, 50);
        d->SetupCaption(font, TColor::Create(255, 255, 255, 1.0f), nullptr, nullptr);
        d->Start();
        return d;
    }
    std::unique_ptr<TDialogTextInput> OpenTextInput(int withCancel) {
        auto d = TDialogTextInput::Create("Your name?", "", 10, nullptr, 300, 0, 0, 0);
        d->MenuCreate(withCancel, 50);
        d->SetupText(font, TColor::Create(255, 255, 255, 1.0f), TShadow::Create(1, 1, 0.6f), 1, nullptr);
        d->SetupCaption(font, TColor::Create(255, 255, 255, 1.0f), nullptr, nullptr);
        d->Start();
        return d;
    }
    static void ClickButton(TDialog& d, const std::string& name) {
        TButton* b = d.Menu->FindButton(name);
        ASSERT_NE(b, nullptr);
        ClickAt(int(b->x) + 5, int(b->y) + 5);
    }
    // Logic calls until the dialog gives a result (at most limit); the count, or -1.
    template <typename D>
    static int TicksToResult(D& d, int limit, int& result) {
        for (int i = 1; i <= limit; ++i) {
            result = d.Manage();
            if (result != 0) return i;
        }
        return -1;
    }
};

TEST_F(DialogTest, ManageIsZeroUntilAnsweredThenGivesTheAnswer) {
    auto d = TDialogOK::Create("Sure?", nullptr, 0, 0, 0);
    EXPECT_EQ(d->Manage(), 0) << "not started";
    d->Start();
    ClickAt(5, 5);
    Ticks(5, 1.0f, [&] { EXPECT_EQ(d->Manage(), 0); });
    ClickButton(*d, "OK");
    EXPECT_EQ(d->Manage(), 1) << "answered on the tick of the click";
    EXPECT_EQ(d->Active, 0);
    EXPECT_EQ(d->Manage(), 1) << "the answer stays readable until the owner kills the dialog";
    auto narrow = TDialogOK::Create("a b", nullptr, 10, 0, 0);  // narrower than its margins: still wraps
    narrow->SetupCaption(font, nullptr, nullptr, nullptr);
    narrow->Start();
    EXPECT_EQ(narrow->Caption->TotalLines, 2);
}

TEST_F(DialogTest, EscapeAndKeysGoBackToTheGameWhenClosedOrKilled) {
    Game->IgnoreEscapeKey = 0;
    auto d = OpenOK();
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    d->Start();  // a second Start must not lose the setting to restore
    PressKey(KEY_ESCAPE);
    EXPECT_EQ(d->Manage(), 1);
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
    OpenYesNo()->Kill();
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
    auto text = OpenTextInput(1);
    EXPECT_EQ(Game->BlockKeys, 1);
    text->Kill();
    EXPECT_EQ(Game->BlockKeys, 0);
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
}

TEST_F(DialogTest, YesNoAnswersByKeyAndByClick) {
    for (auto [key, expected] : {std::pair{int(KEY_ESCAPE), -1},
                                 {KEY_A + ('N' - 'A'), -1},
                                 {KEY_A + ('Y' - 'A'), 1},
                                 {int(KEY_ENTER), 1}}) {
        auto d = OpenYesNo();
        PointAt(0, 0);
        PressKey(key);
        EXPECT_EQ(d->Manage(), expected) << "key " << key;
        d->Kill();
    }
    auto d = OpenYesNo();
    int yesCalls = 0, noCalls = 0;
    d->YesFunc = [&] { return ++yesCalls; };
    d->NoFunc = [&] { return ++noCalls; };
    ClickButton(*d, "No");
    EXPECT_EQ(d->Manage(), -1);
    EXPECT_EQ(noCalls, 1);
    EXPECT_EQ(yesCalls, 0);
}

TEST_F(DialogTest, TransitionsHoldInputBackAndDelayTheAnswer) {
    auto d = OpenYesNo();
    d->SetTransitions(0, 300, 0, 0, 0, 0);  // closing: 60 ticks
    ClickButton(*d, "No");
    EXPECT_EQ(d->Manage(), 0);
    EXPECT_EQ(d->Transitioning, 2);
    PressKey(KEY_A + ('Y' - 'A'));  // a second answer while closing changes nothing
    int result = 0;
    EXPECT_EQ(TicksToResult(*d, 100, result), 60);
    EXPECT_EQ(result, -1);
}

TEST_F(DialogTest, ARandomSlidePicksEachOfTheFourEdges) {
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        auto r = TDialogOK::Create("Sure?", nullptr, 0, 0, 0);
        r->Slide = 5;
        r->Start();
        ASSERT_GE(r->Slide, 1);
        ASSERT_LE(r->Slide, 4);
        seen.insert(r->Slide);
        r->Kill();
    }
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(DialogTest, OnceSlidInTheDialogRestsInItsPlace) {
    auto d = TDialogOK::Create("Sure?", nullptr, 0, 0, 0);
    d->SetTransitions(300, 0, 0, 0, 0, 0);
    d->Slide = 1;
    d->Start();
    for (int i = 0; i < 100; ++i) d->Manage();
    ASSERT_EQ(d->Transitioning, 0);
    d->CalcOffset();
    EXPECT_EQ(d->OffsetX, 0);
    EXPECT_EQ(d->OffsetY, 0);
}

TEST_F(DialogTest, DrawShowsNothingClosedAndLeavesACleanState) {
    EXPECT_EQ(TDialogOK::Create("Sure?", nullptr, 0, 0, 0)->Draw(), 0);
    EXPECT_TRUE(rec.calls.empty()) << "a closed dialog draws nothing";
    auto d = OpenOK();
    d->Caption->X += 0.5f;  // the centre of a box of odd width: the resting caption still lands on a pixel
    d->Manage();
    d->DimBackground = 0.5f;
    d->Shadow = TShadow::Create(3, 3, 0.4f);
    d->Picture = TGameImage::CreateFromImage(TImage::Create(8, 8), "PIC", 1);
    d->PictureAngle = 30;
    EXPECT_EQ(d->Draw(), 1);
    EXPECT_EQ(DrawsOf(d->Menu->FindButton("OK")->image->image.get()), 2);
    const float captionX = rec.Find("DrawText").at(0)->args[0];
    EXPECT_EQ(captionX, float(int(captionX)));
    ExpectCleanState();
}

TEST_F(DialogTest, TextEntryIsAcceptedByEnterEvenPressedInTheTypingFrame) {
    auto d = OpenTextInput(0);
    Type(U"bob\r");
    int result = 0;
    EXPECT_EQ(TicksToResult(*d, 10, result), 4);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(d->TextInput->Text, "Bob") << "with an upper-case first letter";
    auto again = OpenTextInput(0);
    Type(U"bob");
    KeyBufferKeyDown(KEY_ENTER);  // the key and its character arrive in the same frame as the letters
    Type(U"\r");
    KeyBufferKeyUp(KEY_ENTER);
    EXPECT_EQ(TicksToResult(*again, 10, result), 4);
    EXPECT_EQ(again->TextInput->Text, "Bob");
}

TEST_F(DialogTest, AnAccentedFirstLetterIsUpperCasedOnAcceptance) {
    for (const auto& [typed, accepted] : {std::pair<std::u32string, std::string>{U"\u00e9lodie\r", "Élodie"},
                                          {U"\u017eofie\r", "Žofie"},
                                          {U"\u00f7x\r", "÷x"}}) {
        auto d = OpenTextInput(0);
        d->TextInput->AllowExtendedChars = 1;
        Type(typed);
        int result = 0;
        EXPECT_GT(TicksToResult(*d, 10, result), 0);
        EXPECT_EQ(d->TextInput->Text, accepted);
    }
}

TEST_F(DialogTest, BlankEntryIsRefusedAndEscapeCancelsOnlyWithACancelButton) {
    auto d = OpenTextInput(0);
    Type(U"  \r");
    int result = 0;
    EXPECT_EQ(TicksToResult(*d, 10, result), -1);
    ClickButton(*d, "OK");
    EXPECT_EQ(d->Manage(), 0);
    EXPECT_EQ(d->TextInput->Active, 1) << "the entry stays live after a refused OK";
    Type(U"a\x1b");
    PressKey(KEY_ESCAPE);
    EXPECT_EQ(TicksToResult(*d, 5, result), -1) << "Esc does nothing without Cancel";

    auto withCancel = OpenTextInput(1);
    Type(U"a\x1b");
    EXPECT_EQ(TicksToResult(*withCancel, 5, result), 2);
    EXPECT_EQ(result, -1);
}

TEST_F(DialogTest, TheButtonsAreCentredInTheBox) {
    auto d = OpenYesNo();
    float left = 1e9f, right = -1e9f;
    for (const auto& b : d->Menu->Items) {
        left = std::min(left, b->x);
        right = std::max(right, b->x + float(b->w));
    }
    EXPECT_NEAR(left - float(d->x), float(d->x + d->w) - right, 1.0f);
}

TEST_F(DialogTest, TheEntryIsDrawnOnItsBox) {
    auto d = OpenTextInput(0);
    d->BoxColor = TColor::Create(10, 20, 30, 1.0f);
    rec.calls.clear();
    d->Draw();
    int boxes = 0;
    for (const TDrawCommand* c : rec.Find("DrawRect")) boxes += c->state.red == 10 && c->state.blue == 30;
    EXPECT_EQ(boxes, 1);
}

TEST_F(DialogTest, ErrorCheckOpensABoxAndTheEntryComesBackWithItsText) {
    auto d = OpenTextInput(1);
    int checks = 0;
    d->ErrorCheckFunc = [&](const std::string& text, std::string& error) {
        ++checks;
        if (text == "Taken") {
            error = "That name is taken";
            return -1;
        }
        return 1;
    };
    d->ErrorDialogFunc = [&](const std::string& error) {
        auto box = TDialogOK::Create(error, nullptr, 0, 0, 0);
        box->SetupCaption(font, nullptr, nullptr, nullptr);
        return box;
    };
    Type(U"taken\r");
    int result = 0;
    EXPECT_EQ(TicksToResult(*d, 10, result), -1);
    ASSERT_TRUE(d->DialogOK);
    EXPECT_EQ(d->DialogOK->Active, 1) << "the error box is opened for the player";
    d->Draw();
    PressKey(KEY_ESCAPE);
    EXPECT_EQ(d->Manage(), 0);
    EXPECT_FALSE(d->DialogOK);
    EXPECT_EQ(d->TextInput->Active, 1);
    EXPECT_EQ(d->TextInput->Text, "Taken");
    Type(U"\b\bme\r");
    EXPECT_EQ(TicksToResult(*d, 10, result), 5);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(d->TextInput->Text, "Takme");
    EXPECT_EQ(checks, 2);
}

TEST_F(DialogTest, OKHooksDecideWhenTheEntryCloses) {
    auto refused = OpenTextInput(0);
    refused->ErrorCheckFunc = [](const std::string&, std::string&) { return -1; };
    Type(U"x\r");
    int result = 0;
    EXPECT_EQ(TicksToResult(*refused, 5, result), -1);
    EXPECT_EQ(refused->TextInput->Active, 1) << "refused without an error box: the entry stays live";
    refused->Kill();

    auto d = OpenTextInput(0);
    int answer = 0;
    d->OKClickedFunc = [&](TDialogTextInput*) { return answer; };
    Type(U"x\r");
    EXPECT_EQ(TicksToResult(*d, 5, result), -1);
    EXPECT_EQ(d->TextInput->Active, 1);
    answer = 1;
    Type(U"\r");
    EXPECT_EQ(d->Manage(), 1);

    d = OpenTextInput(0);
    d->OKClickedDialog = OpenOK();
    TButton* ok = d->Menu->FindButton("OK");
    ok->MouseOver = 1;
    ClickButton(*d->OKClickedDialog, "OK");
    EXPECT_EQ(d->Manage(), 1);
    EXPECT_EQ(ok->MouseOver, 0) << "the entry's buttons forget what happened while the box was open";
}

}  // namespace
