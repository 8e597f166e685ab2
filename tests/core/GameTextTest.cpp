// The game-text file format: entries, keys in any case, line ends, byte-order marks and the
// malformed files that must end the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/GameText.h"
#include "platform/DataFile.h"
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

TEST_F(GameTextTest, FilesReadToTheirEntries) {
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";  // "[TEXT]\nK\nCafé" and "[TEXT]\nK\nhi"
    for (char c : std::string("[TEXT]\nK\nCaf")) utf16le += std::string(1, c) + '\0';
    utf16le += std::string("\xE9\0", 2);
    for (char c : std::string("[TEXT]\nK\nhi")) utf16be += std::string(1, '\0') + c;
    struct Case {
        std::string bytes, key, expected;
        std::size_t count;
    };
    const Case cases[] = {
        {"[TEXT]\nWelcome Title\nHello\nWorld\n", "welcome title", "Hello\r\nWorld", 1},
        {"[TEXT]\nA\nline\n\n[TEXT]\nB\nother\n", "A", "line\r\n", 2},  // the blank line belongs to A
        {"[TEXT]\nK\nold\n[TEXT]\nk\nnew\n", "K", "new", 1},  // the later entry replaces the earlier
        {"[TEXT]\n[TEXT]\nK\nv\n[TEXT]", "K", "v", 1},        // a header without a key line is skipped
        {"[TEXT]\nK\nCaf\xE9\n", "K", "Caf\xC3\xA9", 1},      // eight-bit without a mark is Latin-1
        {utf16le, "K", "Caf\xC3\xA9", 1},
        {utf16be, "K", "hi", 1},
        {"", "K", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        Read(c.bytes);
        EXPECT_EQ(text.FindString(c.key), c.expected);
        EXPECT_EQ(text.Count(), c.count);
    }
    EXPECT_EQ(text.FindString("Missing"), "");
    EXPECT_TRUE(notices.empty()) << "a missing key is no error";
}

TEST_F(GameTextTest, MalformedOrMissingFilesEndTheProgram) {
    EXPECT_THROW(Read("\n[TEXT]\nK\nv\n"), TRuntimeError);  // a leading blank line
    EXPECT_THROW(Read("[TEXT]\nK\n[not a header]\n"), TRuntimeError);
    EXPECT_THROW(text.Read("nothere.txt"), TRuntimeError);
    EXPECT_EQ(notices, (std::vector<std::string>{"[TEXT] header hot found", "[TEXT] header hot found",
                                                 "Error loading file " + dir.Str() + "nothere.txt"}));
}

TEST_F(GameTextTest, AFileOverTheBoundIsRefusedByItsSizeWithoutBeingRead) {
    const std::string entry = "[TEXT]\nK\n";
    // At the bound the file is read; one byte over it is not.
    Read(entry + std::string(MaxDataTextBytes - entry.size() - 1, 'v') + "\n");
    EXPECT_EQ(text.Find("k").size(), 1u);
    EXPECT_THROW(Read(entry + std::string(MaxDataTextBytes - entry.size(), 'v') + "\n"), TRuntimeError);
    // A damaged install: 100 MB of it.
    testenv::WriteSparseFile(dir.Path() / "gametext.txt", entry + "v\n", 100u << 20);
    const long before = testenv::PeakMemoryKB();
    EXPECT_THROW(text.Read("gametext.txt"), TRuntimeError);
    EXPECT_LT(testenv::PeakMemoryKB() - before, 16 * 1024) << "the file was read";
    const std::string refused = "Error loading file " + dir.Str() + "gametext.txt";
    EXPECT_EQ(notices, (std::vector<std::string>{refused, refused}));
}
