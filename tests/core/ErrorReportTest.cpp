// The error path: what is shown, with which prefix, and what the error log holds; the drawn error
// screen (a captured headless frame) and the exception log.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/InputUtils.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Events.h"
#include "platform/ImageFont.h"
#include "platform/Window.h"
#include "support/TestEnv.h"

namespace {

class ErrorReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        SetErrorCloseDisplay([] {});
        SetErrorLogClock([] { return std::string("06 Dec 2026"); }, [] { return std::string("21:47:10"); });
        LogFolder = dir.Str();
        Checkpoint = 0;
    }
    void TearDown() override {
        SetErrorNotice(nullptr);
        SetErrorCloseDisplay(nullptr);
        Checkpoint = 0;
    }

    // Runs body under a guard like the start-up's and hands the caught error to the handler.
    template <class Body>
    void Guarded(Body body) {
        try {
            body();
        } catch (...) {
            ReportUncaughtException(std::current_exception());
        }
    }

    std::string Log() const { return testenv::ReadFile(dir.Str() + "ErrorLog.txt"); }

    testenv::TempDir dir;
    std::vector<std::string> notices;
};

}  // namespace

TEST_F(ErrorReportTest, ReportedErrorIsShownPlainThenWithTheCheckpoint) {
    Checkpoint = 139;
    Guarded([] { ReportError("Error loading bitmap data/graphics/x.png", 1); });
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1], "(139) Error loading bitmap data/graphics/x.png");
    EXPECT_EQ(Log(),
              "Date: 06 Dec 2026\r\nTime: 21:47:10\r\n(139) Error loading bitmap data/graphics/x.png\r\n");
}

TEST_F(ErrorReportTest, EveryThrownKindGivesItsTextWithThePrefixOnlyWhereItBelongs) {
    EXPECT_THROW(ReportError("Data pak missing", 0), TRuntimeError)
        << "the non-fatal flag still ends the run";
    Guarded([] { throw TRuntimeError("early failure"); });  // no prefix while the checkpoint is zero
    Guarded([] { throw 42; });
    Checkpoint = 5007;
    Guarded([] { throw TRaisedText("(5007) Failed to save the file: utf8::x.ini"); });  // shown as it stands
    Guarded([] { throw std::string("plain string"); });
    Guarded([] { throw "c string"; });
    Checkpoint = 8004;
    Guarded([] { throw std::out_of_range("index 300 out of bounds"); });  // a runtime error
    EXPECT_EQ(notices,
              (std::vector<std::string>{"Data pak missing", "early failure", "Unknown error",
                                        "(5007) Failed to save the file: utf8::x.ini", "plain string",
                                        "c string", "(8004) index 300 out of bounds"}));
}

TEST_F(ErrorReportTest, LogHoldsOnlyTheLastErrorAndAnUnwritableFolderIsIgnored) {
    Guarded([] { throw TRuntimeError("first"); });
    Guarded([] { throw TRuntimeError("second"); });
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\nsecond\r\n");
    ShowNotice("Cannot create shared profiles folder /x/");
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\nsecond\r\n") << "a notice is no error";
    LogFolder = dir.Str() + "no/such/folder/";
    EXPECT_NO_THROW(Guarded([] { throw TRuntimeError("x"); }));
    EXPECT_EQ(notices.size(), 4u);
}

namespace {

// A font without FreeType: every printable character a solid 6 x 10 block, 8 pixels apart.
std::shared_ptr<TImageFont> BlockFont() {
    auto source = [](char32_t ch) -> std::optional<TGlyphBitmap> {
        if (ch < 32) return std::nullopt;
        TGlyphBitmap g;
        g.advance = 8;
        g.bearingY = 10;
        if (ch == U' ') return g;
        g.width = 6;
        g.height = 10;
        g.coverage.assign(60, 255);
        return g;
    };
    return TImageFont::Create(source, 10, 12);
}

class ErrorScreenTest : public ErrorReportTest {
  protected:
    void SetUp() override {
        ErrorReportTest::SetUp();
        Game = std::make_unique<TGame>();
        Game->SubPath = dir.Str();
        SetDelayHandler([](int) {});
        ASSERT_TRUE(SetGraphicsDriver(GraphicsDriverOpenGL));
        ASSERT_TRUE(Graphics(800, 600, 0, 60));
        SetImageFont(BlockFont());
        FlushEvents();
        ErrorScreenFullScreen = 1;
    }
    void TearDown() override {
        ErrorScreenFullScreen = 0;
        ErrorLogEnabled = 1;
        ErrorDebugStop = 0;
        DisablePolledInputSafe();
        SetImageFont(nullptr);
        EndGraphics();
        SetDelayHandler(nullptr);
        Game.reset();
        ErrorReportTest::TearDown();
    }
    // Reports text with a key already on its way, so the screen shows one frame; that frame.
    TPixmap ReportWithAKeyHit(const std::string& text, int fatal, int* result) {
        PostEvent(TEvent{EVENT_KEYDOWN, 65, 0, 0});
        TPixmap frame;
        CaptureNextFrame([](const TPixmap& f, void* user) { *static_cast<TPixmap*>(user) = f; }, &frame);
        *result = ReportError(text, fatal);
        return frame;
    }
    static bool Shows(const TPixmap& frame, int x0, int y0, int x1, int y1, uint32_t rgb) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if ((frame.ReadPixel(x, y) & 0xFFFFFFu) == rgb) return true;
        return false;
    }
};

}  // namespace

TEST_F(ErrorScreenTest, TheDrawnScreenShowsTheTextLogsItAndANonFatalReportGoesOn) {
    int result = -1;
    TPixmap frame = ReportWithAKeyHit("Could not read the level file", 0, &result);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(frame.width, 800);
    EXPECT_EQ(frame.ReadPixel(5, 5) & 0xFFFFFFu, 0x000000u);      // black around the box
    EXPECT_EQ(frame.ReadPixel(100, 300) & 0xFFFFFFu, 0xDCDCC8u);  // its outline (220, 220, 200)
    EXPECT_EQ(frame.ReadPixel(650, 330) & 0xFFFFFFu, 0x969696u);  // the grey box, 600 x 100 centred
    EXPECT_TRUE(Shows(frame, 100, 250, 700, 280, 0xDCDC00u));     // the text in yellow inside it
    EXPECT_TRUE(Shows(frame, 300, 350, 500, 380, 0x00DC00u));     // "<press any key>" in green below
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\nCould not read the level file\r\n");
    EXPECT_EQ(PolledInputOn, 0);  // the polled input is back as it was
}

TEST_F(ErrorScreenTest, AFatalReportOnTheScreenEndsThroughTheGuardWithoutASecondShowing) {
    ErrorLogEnabled = 0;
    ErrorDebugStop = 1;  // no debugger attached: nothing stops
    int result = -1;
    Checkpoint = 139;
    Guarded([&] { ReportWithAKeyHit("Error loading bitmap x.png", 1, &result); });
    EXPECT_EQ(result, -1);  // it never returned
    EXPECT_TRUE(notices.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "ErrorLog.txt"));
}

TEST_F(ErrorReportTest, ExceptionLogAppendsOneStampedLinePerCaughtError) {
    Game = std::make_unique<TGame>();
    Game->SubPath = dir.Str();
    Checkpoint = 12;
    try {
        throw TRuntimeError("bad index");
    } catch (...) {
        LogException(std::current_exception());
    }
    try {
        throw TRaisedText("as it stands");
    } catch (...) {
        LogException(std::current_exception());
    }
    EXPECT_EQ(testenv::ReadFile(dir.Str() + "log.txt"),
              "[06 Dec 2026 21:47:10] Exception Caught: (12) bad index\r\n"
              "[06 Dec 2026 21:47:10] Exception Caught: as it stands\r\n");
    AppendLogLine(dir.Str() + "no/such/folder/log.txt", "lost");  // ignored
    Game.reset();
}
