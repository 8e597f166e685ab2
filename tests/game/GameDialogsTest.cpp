// The game's standard dialogs as built (panel, caption look, text-entry limits) and its own notice dialog
// run to its end: by the player's key or by a close of the window, drawn over the interrupted screen's
// picture, with the pointer and the pause key as they were before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "BoardWorld.h"
#include "core/ErrorReport.h"
#include "game/GameDialogs.h"
#include "game/GameNotice.h"
#include "platform/Image.h"
#include "platform/ImageFont.h"
#include "presentation/Button.h"
#include "presentation/Color.h"
#include "presentation/Dialog.h"
#include "presentation/Font.h"
#include "presentation/Menu.h"
#include "presentation/TestWorld.h"
#include "presentation/TextInput.h"

namespace {

class GameDialogsTest : public board::BoardWorld {};

TEST_F(GameDialogsTest, TextEntriesTakeTheirLengthBorderAndBannedCharacters) {
    struct TRow {
        std::unique_ptr<TDialogTextInput> dialog;
        std::string caption;
        int maxLength, border;
        std::string banned;
        bool panel;
    };
    TRow rows[] = {{InputLongDialog(0, 3, "Place "), "Place 3!", 13, 80, "", true},
                   {InputDialog(1, "Save as"), "Save as", 14, 40, SaveNameBannedChars, true}};
    for (TRow& row : rows) {
        TDialogTextInput& d = *row.dialog;
        EXPECT_EQ(d.Caption->Text, row.caption);
        EXPECT_EQ(d.TextInput->MaxLength, row.maxLength) << row.caption;
        EXPECT_EQ(d.BoxBorderH, row.border) << row.caption;
        EXPECT_EQ(d.TextInput->BannedChars, row.banned) << row.caption;
        EXPECT_EQ(d.Gap, 11);
        EXPECT_EQ(d.TextInput->AllowExtendedChars, 1);
        EXPECT_EQ(d.TextInput->MaxPixelWidth, 0) << "limited by letters only";
        EXPECT_EQ(d.FixedWidth, 0) << "as wide as its panel, the caption not wrapped";
        ASSERT_TRUE(d.Text && d.Text->Color);
        EXPECT_EQ(d.Text->Color->R + d.Text->Color->G + d.Text->Color->B, 3 * 255) << "typed text in white";
        EXPECT_TRUE(d.Text->Shadow);
        ASSERT_TRUE(d.TextInput->DotCol);
        EXPECT_EQ(d.TextInput->DotCol->R + d.TextInput->DotCol->G + d.TextInput->DotCol->B, 3 * 255);
        EXPECT_TRUE(d.Background) << row.caption;
        EXPECT_EQ(d.DrawHighlight, 0);
        EXPECT_TRUE(d.Shadow);
        ASSERT_TRUE(d.Caption->Color);
        EXPECT_EQ(d.Caption->Color->G, 255);
        d.Kill();
    }
    EXPECT_STREQ(SaveNameBannedChars, "\"|*\\/:;~?<>");
    // "OK" and "Cancel" side by side, 50 pixels apart.
    auto pair = InputDialog(1, "Save as");
    const TButton* ok = pair->Menu->FindButton("OK");
    const TButton* cancel = pair->Menu->FindButton("Cancel");
    ASSERT_TRUE(ok && cancel);
    EXPECT_FLOAT_EQ(cancel->x - (ok->x + float(ok->w)), 50);
    EXPECT_FLOAT_EQ(cancel->y, ok->y);
    pair->Kill();
}

// The notice box is the game's own: 640 wide, its colour and dimming, a white caption, open at once.
TEST_F(GameDialogsTest, TheNoticeBoxHasItsOwnLookAndOpensAtOnce) {
    auto notice = NoticeDialog("Something happened");
    EXPECT_EQ(notice->Active, 1);
    EXPECT_EQ(notice->w, 640);
    EXPECT_FALSE(notice->Background);
    ASSERT_TRUE(notice->DialogColor);
    EXPECT_EQ(notice->DialogColor->R, 40);
    EXPECT_EQ(notice->DialogColor->G, 58);
    EXPECT_EQ(notice->DialogColor->B, 88);
    EXPECT_FLOAT_EQ(notice->DimBackground, 0.6f);
    EXPECT_EQ(notice->DrawHighlight, 0);
    EXPECT_TRUE(notice->Shadow);
    ASSERT_TRUE(notice->Caption && notice->Caption->Color);
    EXPECT_EQ(notice->Caption->Color->B, 255);
    EXPECT_TRUE(notice->Caption->Shadow);
    notice->Kill();
    auto question = YesNoDialogLong("Sure?");
    EXPECT_EQ(question->Active, 1);
    EXPECT_TRUE(question->Background);
    EXPECT_EQ(question->FixedWidth, 0);
    ASSERT_TRUE(question->Menu);
    const TButton* yes = question->Menu->Items.size() == 2 ? question->Menu->Items[0].get() : nullptr;
    const TButton* no = question->Menu->Items.size() == 2 ? question->Menu->Items[1].get() : nullptr;
    ASSERT_TRUE(yes && no) << "the question has its two buttons";
    EXPECT_FLOAT_EQ(std::abs(no->x - yes->x) - float(std::min(yes->w, no->w)), 50) << "50 apart";
    EXPECT_EQ(question->DrawHighlight, 0);
    question->Kill();
}

// Building a dialog takes time the first tick must not catch up on: the logic timer restarts once it is
// built. Here every letter beyond Latin-1 the dialog's font draws for the first time takes 100 ms.
TEST_F(GameDialogsTest, TheLogicTimerRestartsOnceEachDialogIsBuilt) {
    SetClockSource([] { return board::Now; });
    const TImageFont::GlyphSource slowGlyphs = [](char32_t ch) -> std::optional<TGlyphBitmap> {
        if (ch > 0xff) board::Now += 100;
        return BlockGlyph(ch, 6, 8);
    };
    const auto savedFont = FontCalibri20;
    const auto restartedAtTheEnd = [&](auto build) {
        FontCalibri20 = TImageFont::Create(slowGlyphs, 10, 12);
        const int before = board::Now;
        auto dialog = build();
        const bool restarted = board::Now > before && Game->FixedRateLogic->LastTime == double(board::Now);
        dialog->Kill();
        return restarted;
    };
    EXPECT_TRUE(restartedAtTheEnd([] { return NoticeDialog("notice \u20ac"); }));
    EXPECT_TRUE(restartedAtTheEnd([] { return YesNoDialogLong("question \u20ac"); }));
    EXPECT_TRUE(restartedAtTheEnd([] { return OKDialogLong("message \u20ac"); }));
    EXPECT_TRUE(restartedAtTheEnd([] { return InputDialog(1, "save as \u20ac"); }));
    FontCalibri20 = savedFont;
}

class NoticeRunTest : public board::BoardWorld {
  protected:
    // Clock readings after which a notice still open is taken as stuck and its window closed.
    static constexpr int Stuck = 5000;
    void SetUp() override {
        board::BoardWorld::SetUp();
        Game->GraphicsCreate();
        SetDrawBackend(&rec);
    }
    // The clock of the running notice; on its given reading the player's key or the window's close.
    void RunWith(int at, const std::function<void()>& action, const std::string& text = "Disk full") {
        int readings = 0;
        SetClockSource([&, at] {
            if (++readings == at) action();
            if (readings == Stuck) Game->InstantExit = 1;  // a notice that never ends fails, not hangs
            board::Now += 5;
            return board::Now;
        });
        RunNoticeDialog(text);
        SetClockSource([] { return board::Now; });
        frames = 0;
        for (const TDrawCommand& c : rec.calls)
            if (c.op == "Cls") ++frames;
    }
    int frames = 0;
};

TEST_F(NoticeRunTest, TheNoticeStaysUntilAnsweredAndLeavesThePointerAndPauseKeyAsTheyWere) {
    Game->Mouse->Off();
    Game->IgnorePauseKey = 0;
    Game->CurrentTScreen = nullptr;  // nothing behind the notice yet
    bool shown = false;
    RunWith(40, [&] {
        shown = Game->Mouse->Active != 0 && Game->IgnorePauseKey == 1;
        PostEvent({EVENT_KEYDOWN, 13, 0, 0});
    });
    EXPECT_TRUE(shown) << "pointer on and pause ignored while it is up";
    EXPECT_GT(frames, 5) << "drawn every frame until answered";
    bool captioned = false;
    for (const TDrawCommand* c : rec.Find("DrawText")) captioned = captioned || c->text == "Disk full";
    EXPECT_TRUE(captioned);
    EXPECT_EQ(Game->Mouse->Active, 0);
    EXPECT_EQ(Game->IgnorePauseKey, 0);
    EXPECT_EQ(Game->InstantExit, 0) << "answered, not stopped";

    // A pointer that was on stays on; a pause key that was ignored stays ignored.
    Game->Mouse->On();
    Game->IgnorePauseKey = 1;
    rec.calls.clear();
    RunWith(10, [] { PostEvent({EVENT_KEYDOWN, 13, 0, 0}); });
    EXPECT_EQ(Game->Mouse->Active, 1);
    EXPECT_EQ(Game->IgnorePauseKey, 1);
}

// The interrupted screen's picture is drawn behind the notice, at its handle.
TEST_F(NoticeRunTest, TheInterruptedScreensPictureIsDrawnBehind) {
    TScreen behind;
    behind.Image = TImage::Create(8, 8);
    SetImageHandle(behind.Image.get(), 2, 3);
    Game->CurrentTScreen = &behind;
    RunWith(10, [] { PostEvent({EVENT_KEYDOWN, 13, 0, 0}); });
    const auto images = rec.Find("DrawImage");
    bool found = false;
    for (const TDrawCommand* c : images)
        if (c->image == behind.Image.get()) {
            found = true;
            EXPECT_FLOAT_EQ(c->args.at(0), 2);
            EXPECT_FLOAT_EQ(c->args.at(1), 3);
            EXPECT_EQ(c->state.red, 255);
            EXPECT_FLOAT_EQ(c->state.alpha, 1.0f);
        }
    EXPECT_TRUE(found);
    Game->CurrentTScreen = nullptr;
}

// A close of the window ends the notice without an answer; the main loop then carries the close out.
TEST_F(NoticeRunTest, ACloseOfTheWindowEndsTheNotice) {
    RunWith(10, [] { Game->InstantExit = 1; });
    EXPECT_EQ(Game->InstantExit, 1);
    EXPECT_LT(frames, 20);
    Game->InstantExit = 0;
    // A fade out to the exit screen is a close too.
    Game->ExitScreen = std::make_unique<TScreen>();
    RunWith(10, [] {
        Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
        Game->DestinationTScreen = Game->ExitScreen.get();
    });
    EXPECT_LT(frames, 20);
}

// The notice goes to the replaceable handler when there is one, and to the dialog through the core once
// registered; without a window there is nothing to show it in.
TEST_F(NoticeRunTest, NoticesGoToTheHandlerOrTheRegisteredDialog) {
    std::string handled;
    SetGameNoticeHandler([&](const std::string& text) { handled = text; });
    GameNotice("to the handler");
    EXPECT_EQ(handled, "to the handler");
    SetGameNoticeHandler(nullptr);
    EXPECT_EQ(GameString("Delete File"), GameText->FindString("Delete File"));
    EndGraphics();
    rec.calls.clear();
    RunNoticeDialog("no window");
    EXPECT_TRUE(rec.calls.empty());
}

// A clock that stands still (frames within one millisecond) still lets the player answer.
TEST_F(NoticeRunTest, AStillClockStillReadsTheAnswer) {
    int frame = 0;
    SetClockSource([&] {
        if (++frame == 20) PostEvent({EVENT_KEYDOWN, 13, 0, 0});
        if (frame == Stuck) Game->InstantExit = 1;
        return board::Now;
    });
    RunNoticeDialog("Frozen");
    SetClockSource([] { return board::Now; });
    EXPECT_LT(frame, 200);
    EXPECT_EQ(Game->InstantExit, 0);
}

// Time runs for the notice while it is up (its buttons light and fade as anywhere else), tick by tick.
TEST_F(NoticeRunTest, TimeRunsForTheNoticeWhileItIsUp) {
    float largestStep = 0;
    int readings = 0;
    SetClockSource([&] {
        if (readings >= 20) largestStep = std::max(largestStep, Delta);  // the start sets a step of its own
        if (++readings == 60) PostEvent({EVENT_KEYDOWN, 13, 0, 0});
        if (readings == Stuck) Game->InstantExit = 1;
        board::Now += 5;  // one logic tick a reading
        return board::Now;
    });
    RunNoticeDialog("Disk full");
    SetClockSource([] { return board::Now; });
    EXPECT_GT(largestStep, 0.5f);
    EXPECT_EQ(Game->InstantExit, 0);
}

// A click beside the button is spent at once: moving onto "OK" afterwards does not answer the notice.
TEST_F(NoticeRunTest, AClickBesideTheButtonIsNotTakenLaterByIt) {
    auto probe = NoticeDialog("Disk full");  // the same notice, to find where its button stands
    ASSERT_TRUE(probe->Menu && !probe->Menu->Items.empty());
    const TButton& ok = *probe->Menu->Items.front();
    const int okX = int(ok.x) + ok.w / 2, okY = int(ok.y) + ok.h / 2;
    probe->Kill();
    int readings = 0;
    SetClockSource([&] {
        ++readings;
        if (readings == 10) {
            PostEvent({EVENT_MOUSEMOVE, 0, 2, 2});
            PostEvent({EVENT_MOUSEDOWN, 1, 0, 0});
            PostEvent({EVENT_MOUSEUP, 1, 0, 0});
        }
        if (readings == 30) PostEvent({EVENT_MOUSEMOVE, 0, okX, okY});
        if (readings == 300) Game->InstantExit = 1;  // still open: closed as the window would be
        board::Now += 5;
        return board::Now;
    });
    RunNoticeDialog("Disk full");
    SetClockSource([] { return board::Now; });
    EXPECT_EQ(Game->InstantExit, 1) << "the notice stayed until the window closed";
    EXPECT_GE(readings, 300);
    Game->InstantExit = 0;
}

}  // namespace
