// The game-text file format: entries, keys in any case, line ends, byte-order marks and the
// malformed files that must end the program.
#include <gtest/gtest.h>

#include <vector>

#include "core/ErrorReport.h"
#include "core/GameText.h"
#include "support/TestEnv.h"

namespace {

class GameTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        text.Folder = dir.Str();
    }
    void TearDown() override { SetErrorNotice(nullptr); }

    void Read(const std::string& bytes) {
        testenv::WriteFile(dir.Path() / "gametext.txt", bytes);
        text.Read("gametext.txt");
    }

    testenv::TempDir dir;
    TGameText text;
    std::vector<std::string> notices;
};

}  // namespace

TEST_F(GameTextTest, EntryLinesJoinWithCrLfForAKeyInAnyCase) {
    Read("[TEXT]\nWelcome Title\nHello\nWorld\n");
    EXPECT_EQ(text.FindString("WELCOME TITLE"), "Hello\r\nWorld");
    EXPECT_EQ(text.FindString("welcome title"), "Hello\r\nWorld");
    EXPECT_EQ(text.Find("Welcome Title").size(), 2u);
}

TEST_F(GameTextTest, BlankLineBeforeTheNextHeaderBelongsToTheEntry) {
    Read("[TEXT]\nA\nline\n\n[TEXT]\nB\nother\n");
    EXPECT_EQ(text.FindString("A"), "line\r\n");
    EXPECT_EQ(text.FindString("B"), "other");
}

TEST_F(GameTextTest, HeaderAndKeyOnlyGiveEmptyResults) {
    Read("[text]\nEmpty\n[TEXT]\nFull\nx");
    EXPECT_TRUE(text.Find("Empty").empty());
    EXPECT_EQ(text.FindString("Empty"), "");
    EXPECT_EQ(text.FindString("Missing"), "");
    EXPECT_TRUE(notices.empty()) << "a missing key is no error";
}

TEST_F(GameTextTest, CrLfAndLfFilesGiveTheSameTable) {
    Read("[TEXT]\r\nK\r\none\r\ntwo\r\n");
    std::string crlf = text.FindString("K");
    Read("[TEXT]\nK\none\ntwo\n");
    EXPECT_EQ(text.FindString("K"), crlf);
    EXPECT_EQ(crlf, "one\r\ntwo");
}

TEST_F(GameTextTest, ByteOrderMarksSelectTheEncoding) {
    Read("\xEF\xBB\xBF[TEXT]\nK\nCaf\xC3\xA9\n");
    EXPECT_EQ(text.FindString("K"), "Caf\xC3\xA9");
    // UTF-16 little endian of "[TEXT]\nK\nCafé".
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[TEXT]\nK\nCaf")) utf16 += std::string(1, c) + '\0';
    utf16 += std::string("\xE9\0", 2);
    Read(utf16);
    EXPECT_EQ(text.FindString("K"), "Caf\xC3\xA9");
    std::string utf16be = "\xFE\xFF";
    for (char c : std::string("[TEXT]\nK\nhi")) utf16be += std::string(1, '\0') + c;
    Read(utf16be);
    EXPECT_EQ(text.FindString("K"), "hi");
}

TEST_F(GameTextTest, EightBitFileWithoutMarkIsReadAsLatin1) {
    Read("[TEXT]\nK\nCaf\xE9\n");
    EXPECT_EQ(text.FindString("K"), "Caf\xC3\xA9");
}

TEST_F(GameTextTest, LaterEntryReplacesEarlierAndReadReplacesTheTable) {
    Read("[TEXT]\nK\nold\n[TEXT]\nk\nnew\n");
    EXPECT_EQ(text.FindString("K"), "new");
    Read("[TEXT]\nOther\nx\n");
    EXPECT_EQ(text.FindString("K"), "");
    EXPECT_EQ(text.Count(), 1u);
}

TEST_F(GameTextTest, HeaderWithoutKeyLineIsSkipped) {
    Read("[TEXT]\n[TEXT]\nK\nv\n[TEXT]");
    EXPECT_EQ(text.FindString("K"), "v");
    EXPECT_EQ(text.Count(), 1u);
}

TEST_F(GameTextTest, LeadingBlankLineEndsTheProgram) {
    EXPECT_THROW(Read("\n[TEXT]\nK\nv\n"), TRuntimeError);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "[TEXT] header hot found");
}

TEST_F(GameTextTest, TextLineStartingWithBracketMustBeAHeader) {
    EXPECT_THROW(Read("[TEXT]\nK\n[not a header]\n"), TRuntimeError);
    EXPECT_NO_THROW(Read("[TEXT]\nK\n[Text]\nL\nv\n"));
    EXPECT_EQ(text.FindString("L"), "v");
}

TEST_F(GameTextTest, MissingFileIsFatalWithItsPath) {
    EXPECT_THROW(text.Read("nothere.txt"), TRuntimeError);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Error loading file " + dir.Str() + "nothere.txt");
}

TEST_F(GameTextTest, EmptyFileGivesAnEmptyTable) {
    Read("");
    EXPECT_EQ(text.Count(), 0u);
}
