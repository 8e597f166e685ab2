// The error path: what is shown, with which prefix, and what the error log holds.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
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
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\n(139) Error loading bitmap data/graphics/x.png\r\n");
}

TEST_F(ErrorReportTest, EveryThrownKindGivesItsTextWithThePrefixOnlyWhereItBelongs) {
    EXPECT_THROW(ReportError("Data pak missing", 0), TRuntimeError) << "the non-fatal flag still ends the run";
    Guarded([] { throw TRuntimeError("early failure"); });  // no prefix while the checkpoint is zero
    Guarded([] { throw 42; });
    Checkpoint = 5007;
    Guarded([] { throw TRaisedText("(5007) Failed to save the file: utf8::x.ini"); });  // shown as it stands
    Guarded([] { throw std::string("plain string"); });
    Guarded([] { throw "c string"; });
    Checkpoint = 8004;
    Guarded([] { throw std::out_of_range("index 300 out of bounds"); });  // a runtime error
    EXPECT_EQ(notices, (std::vector<std::string>{"Data pak missing", "early failure", "Unknown error", "(5007) Failed to save the file: utf8::x.ini",
                                                 "plain string", "c string", "(8004) index 300 out of bounds"}));
}

TEST_F(ErrorReportTest, LogHoldsOnlyTheLastErrorAndAnUnwritableFolderIsIgnored) {
    Guarded([] { throw TRuntimeError("first"); });
    Guarded([] { throw TRuntimeError("second"); });
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\nsecond\r\n");
    LogFolder = dir.Str() + "no/such/folder/";
    EXPECT_NO_THROW(Guarded([] { throw TRuntimeError("x"); }));
    EXPECT_EQ(notices.size(), 3u);
}
