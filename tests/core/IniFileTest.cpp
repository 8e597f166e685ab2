// The ini format by round trip and by damaged or odd input, and the save's failure texts.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "platform/FileSystem.h"
#include "support/TestEnv.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        ini.FileName = dir.Str() + "settings";
    }
    void TearDown() override {
        SetAtomicWriteFault(AtomicWriteFault::None);
        SetErrorNotice(nullptr);
    }
    std::string File() const { return testenv::ReadFile(dir.Str() + "settings.ini"); }
    void WriteFile(const std::string& bytes) const { testenv::WriteFile(dir.Str() + "settings.ini", bytes); }

    testenv::TempDir dir;
    TIniFile ini;
    std::vector<std::string> notices;
};

}  // namespace

TEST_F(IniFileTest, FirstLoadWritesTheDefaultsInOrderOfAdding) {
    ini.Add("Full Screen", "1");
    ini.Add("Music Volume", "50");
    ini.Add("Profile Name", "");
    ini.Load();
    EXPECT_EQ(File(), "FULL SCREEN=1\r\nMUSIC VOLUME=50\r\nPROFILE NAME=\r\n");
}

TEST_F(IniFileTest, LoadMatchesNamesCaseInsensitivelyAndDropsUnknownLines) {
    ini.Add("Music Volume", "50");
    ini.Add("Sound Volume", "50");
    WriteFile("music volume=70\nUNKNOWN=1\nSound Volume=20\n");
    ini.Load();
    EXPECT_EQ(*ini.Find("MUSIC VOLUME"), "70");
    EXPECT_EQ(*ini.Find("sound volume"), "20");
    EXPECT_EQ(File(), "MUSIC VOLUME=70\r\nSOUND VOLUME=20\r\n");
}

TEST_F(IniFileTest, CrLfAndLfFilesReadAlike) {
    ini.Add("A", "");
    ini.Add("B", "");
    WriteFile("A=1\r\nB=2\r\n");
    ini.Load();
    TIniFile lf;
    lf.FileName = dir.Str() + "other";
    lf.Add("A", "");
    lf.Add("B", "");
    testenv::WriteFile(dir.Str() + "other.ini", "A=1\nB=2");
    lf.Load();
    EXPECT_EQ(ini.Serialise(), lf.Serialise());
    EXPECT_EQ(*lf.Find("B"), "2") << "a last line without LF still counts";
}

TEST_F(IniFileTest, BlanksAroundTheEqualsSignAreKept) {
    ini.Add("Music", "1");
    WriteFile("MUSIC = 0\r\n");
    ini.Load();
    EXPECT_EQ(*ini.Find("Music"), "1") << "'MUSIC ' is another name";
    WriteFile("MUSIC= 0 \r\n");
    ini.Load();
    EXPECT_EQ(*ini.Find("Music"), " 0 ");
}

TEST_F(IniFileTest, ValueKeepsEverythingAfterTheFirstEquals) {
    ini.Add("X", "");
    WriteFile("X=a=b\r\n");
    ini.Load();
    EXPECT_EQ(*ini.Find("X"), "a=b");
    EXPECT_EQ(File(), "X=a=b\r\n");
}

TEST_F(IniFileTest, LineWithoutEqualsIsAllNameAndEmptyValue) {
    ini.Add("Flag", "set");
    WriteFile("flag\r\n");
    ini.Load();
    EXPECT_EQ(*ini.Find("FLAG"), "");
}

TEST_F(IniFileTest, DuplicatedNamesGiveTwoLinesBothSetByLoad) {
    ini.Add("Dup", "1");
    ini.Add("dup", "2");
    WriteFile("DUP=9\r\n");
    ini.Load();
    EXPECT_EQ(File(), "DUP=9\r\nDUP=9\r\n");
    EXPECT_EQ(ini.Count(), 2u);
}

TEST_F(IniFileTest, MissingNamesKeepTheirDefaultsAndAreWritten) {
    ini.Add("Old", "1");
    ini.Add("New", "default");
    WriteFile("OLD=5\r\n");
    ini.Load();
    EXPECT_EQ(File(), "OLD=5\r\nNEW=default\r\n");
}

TEST_F(IniFileTest, Utf8ValuesRoundTripWithoutByteOrderMark) {
    ini.Add("Profile Name", "Zoë Åström");
    ini.Save();
    EXPECT_EQ(File(), "PROFILE NAME=Zoë Åström\r\n");
    TIniFile again;
    again.FileName = ini.FileName;
    again.Add("Profile Name", "");
    again.Load();
    EXPECT_EQ(*again.Find("Profile Name"), "Zoë Åström");
}

TEST_F(IniFileTest, ByteOrderMarkInFileDoesNotHideTheFirstName) {
    ini.Add("First", "0");
    WriteFile("\xEF\xBB\xBF" "FIRST=7\r\n");
    ini.Load();
    EXPECT_EQ(*ini.Find("First"), "7");
    EXPECT_EQ(File(), "FIRST=7\r\n");
}

TEST_F(IniFileTest, LineBreaksInsideValuesAreWrittenAsBlanks) {
    ini.Add("Profile Name", "evil\r\nFULL SCREEN=0\nx");
    ini.Add("Full Screen", "1");
    ini.Save();
    EXPECT_EQ(File(), "PROFILE NAME=evil  FULL SCREEN=0 x\r\nFULL SCREEN=1\r\n");
    TIniFile again;
    again.FileName = ini.FileName;
    again.Add("Full Screen", "");
    again.Load();
    EXPECT_EQ(*again.Find("Full Screen"), "1");
}

TEST_F(IniFileTest, SuccessfulSaveLeavesCheckpoint5010) {
    ini.Add("A", "1");
    Checkpoint = 0;
    EXPECT_EQ(ini.Save(), 0);
    EXPECT_EQ(Checkpoint, 5010);
}

TEST_F(IniFileTest, UnwritableFolderReportsThenRaisesTheCheckpointedText) {
    ini.FileName = dir.Str() + "missing-folder/settings";
    ini.Add("A", "1");
    const std::string path = "utf8::" + ini.FileName + ".ini";
    try {
        ini.Save();
        FAIL() << "the save must raise";
    } catch (const TRaisedText& raised) {
        EXPECT_EQ(std::string(raised.what()), "(5007) Failed to save the file: " + path);
        EXPECT_EQ(UncaughtErrorText(std::current_exception(), 5007), raised.what()) << "not prefixed twice";
    }
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Failed to save file " + path);
}

TEST_F(IniFileTest, CrashDuringSaveLeavesTheOldSettingsFile) {
    WriteFile("A=old\r\nB=old\r\n");
    ini.Add("A", "new");
    ini.Add("B", "new");
    SetAtomicWriteFault(AtomicWriteFault::AfterPartialWrite, true);
    try {
        ini.Save();
        FAIL() << "the save must raise";
    } catch (const TRaisedText& raised) {
        EXPECT_EQ(std::string(raised.what()).substr(0, 7), "(5008) ");
    }
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(File(), "A=old\r\nB=old\r\n");
}

TEST_F(IniFileTest, FailedCloseIsReportedWithItsCheckpointAndKeepsTheOldFile) {
    WriteFile("A=old\r\n");
    ini.Add("A", "new");
    SetAtomicWriteFault(AtomicWriteFault::BeforeRename);
    EXPECT_THROW(
        {
            try {
                ini.Save();
            } catch (const TRaisedText& raised) {
                EXPECT_EQ(std::string(raised.what()).substr(0, 7), "(5009) ");
                throw;
            }
        },
        TRaisedText);
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(File(), "A=old\r\n");
}

TEST_F(IniFileTest, HostileBytesNeverCrashAndSurviveAsText) {
    ini.Add("A", "x");
    std::string junk;
    for (int i = 0; i < 256; ++i) junk += static_cast<char>(i);
    WriteFile(junk + "\nA=" + junk.substr(32, 20) + "\n=\n\n\r\r\n");
    ini.Load();
    ASSERT_NE(ini.Find("A"), nullptr);
    EXPECT_EQ(ini.Count(), 1u);
}

TEST_F(IniFileTest, SetChangesEveryLineOfThatName) {
    ini.Add("A", "1");
    ini.Add("B", "1");
    ini.Add("a", "1");
    EXPECT_TRUE(ini.Set("a", "2"));
    EXPECT_FALSE(ini.Set("C", "2"));
    EXPECT_EQ(ini.Serialise(), "A=2\r\nB=1\r\nA=2\r\n");
}
