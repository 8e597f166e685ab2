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
        SetErrorCloseDisplay([this] { ++displayClosed; });
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
    int displayClosed = 0;
};

}  // namespace

TEST_F(ErrorReportTest, ReportedErrorIsShownPlainThenWithTheCheckpoint) {
    Checkpoint = 139;
    Guarded([] { ReportError("Error loading bitmap data/graphics/x.png", 1); });
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], "Error loading bitmap data/graphics/x.png");
    EXPECT_EQ(notices[1], "(139) Error loading bitmap data/graphics/x.png");
    EXPECT_EQ(displayClosed, 1);
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\n(139) Error loading bitmap data/graphics/x.png\r\n");
}

TEST_F(ErrorReportTest, NonFatalFlagStillEndsTheRun) {
    EXPECT_THROW(ReportError("Data pak missing", 0), TRuntimeError);
}

TEST_F(ErrorReportTest, NoPrefixWhileCheckpointIsZero) {
    Guarded([] { throw TRuntimeError("early failure"); });
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "early failure");
}

TEST_F(ErrorReportTest, RaisedTextsAreShownAsTheyStand) {
    Checkpoint = 5007;
    Guarded([] { throw TRaisedText("(5007) Failed to save the file: utf8::x.ini"); });
    Guarded([] { throw std::string("plain string"); });
    Guarded([] { throw "c string"; });
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[0], "(5007) Failed to save the file: utf8::x.ini");
    EXPECT_EQ(notices[1], "plain string");
    EXPECT_EQ(notices[2], "c string");
}

TEST_F(ErrorReportTest, RuntimeLibraryFailuresCountAsRuntimeErrors) {
    Checkpoint = 8004;
    Guarded([] { throw std::out_of_range("index 300 out of bounds"); });
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "(8004) index 300 out of bounds");
}

TEST_F(ErrorReportTest, UnknownObjectsStillGiveAText) {
    Guarded([] { throw 42; });
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Unknown error");
}

TEST_F(ErrorReportTest, LogHoldsOnlyTheLastError) {
    Guarded([] { throw TRuntimeError("first"); });
    Guarded([] { throw TRuntimeError("second"); });
    EXPECT_EQ(Log(), "Date: 06 Dec 2026\r\nTime: 21:47:10\r\nsecond\r\n");
}

TEST_F(ErrorReportTest, UnwritableLogFolderIsIgnored) {
    LogFolder = dir.Str() + "no/such/folder/";
    EXPECT_NO_THROW(Guarded([] { throw TRuntimeError("x"); }));
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(ErrorReportTest, SectionHeaderAcceptsAnyCaseAndNothingElse) {
    EXPECT_NO_THROW(CheckSectionHeader("[TEXT]", "TEXT"));
    EXPECT_NO_THROW(CheckSectionHeader("[text]", "TEXT"));
    try {
        CheckSectionHeader(" [TEXT]", "TEXT");
        FAIL();
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(std::string(error.what()), "[TEXT] header hot found");
    }
    EXPECT_THROW(CheckSectionHeader("[TEXT] x", "TEXT"), TRuntimeError);
    EXPECT_THROW(CheckSectionHeader("", "TEXT"), TRuntimeError);
}

TEST_F(ErrorReportTest, ReadFileOrDieReadsOrReportsThePath) {
    testenv::WriteFile(dir.Path() / "f.txt", "abc");
    EXPECT_EQ(ReadFileOrDie(dir.Str() + "f.txt"), "abc");
    EXPECT_THROW(ReadFileOrDie(dir.Str() + "missing.txt"), TRuntimeError);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Error loading file " + dir.Str() + "missing.txt");
}
