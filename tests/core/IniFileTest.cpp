// The ini format by round trip and by damaged, odd or oversized input, and the save's failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/ErrorReport.h"
#include "core/FileUtils.h"
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

// Each case: the names added with their defaults, the file found (none when absent), the values
// read and the file written back.
TEST_F(IniFileTest, LoadReadsWhatItKnowsAndWritesBackTheWholeList) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> names;
        std::optional<std::string> file;
        std::vector<std::pair<std::string, std::string>> values;
        std::string written;
    };
    const Case cases[] = {
        {{{"Full Screen", "1"}, {"Music Volume", "50"}, {"Profile Name", ""}},
         std::nullopt,
         {},
         "FULL SCREEN=1\r\nMUSIC VOLUME=50\r\nPROFILE NAME=\r\n"},
        {{{"Music Volume", "50"}, {"Sound Volume", "50"}},
         "music volume=70\nUNKNOWN=1\nSound Volume=20\n",
         {{"MUSIC VOLUME", "70"}, {"sound volume", "20"}},
         "MUSIC VOLUME=70\r\nSOUND VOLUME=20\r\n"},
        {{{"Music", "1"}}, "MUSIC = 0\r\n", {{"Music", "1"}}, "MUSIC=1\r\n"},  // 'MUSIC ' is another name
        {{{"Music", "1"}}, "MUSIC= 0 \r\n", {{"Music", " 0 "}}, "MUSIC= 0 \r\n"},
        {{{"Flag", "set"}}, "flag\r\n", {{"FLAG", ""}}, "FLAG=\r\n"},
        {{{"Dup", "1"}, {"dup", "2"}}, "DUP=9\r\n", {}, "DUP=9\r\nDUP=9\r\n"},
        {{{"Old", "1"}, {"New", "default"}}, "OLD=5\r\n", {}, "OLD=5\r\nNEW=default\r\n"},
        {{{"First", "0"}},
         "\xEF\xBB\xBF"
         "FIRST=7\r\n",
         {{"First", "7"}},
         "FIRST=7\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.value_or("(no file)"));
        TIniFile one;
        one.FileName = dir.Str() + "case";
        std::filesystem::remove(dir.Path() / "case.ini");
        for (const auto& [name, value] : c.names) one.Add(name, value);
        if (c.file) testenv::WriteFile(dir.Path() / "case.ini", *c.file);
        one.Load();
        for (const auto& [name, value] : c.values) {
            ASSERT_NE(one.Find(name), nullptr) << name;
            EXPECT_EQ(*one.Find(name), value);
        }
        EXPECT_EQ(testenv::ReadFile(dir.Path() / "case.ini"), c.written);
    }
}

TEST_F(IniFileTest, LineBreaksInsideValuesAreWrittenAsBlanks) {
    ini.Add("Profile Name", "evil\r\nFULL SCREEN=0\nx");
    ini.Add("Full Screen", "1");
    ini.Save();
    TIniFile again;
    again.FileName = ini.FileName;
    again.Add("Full Screen", "");
    again.Load();
    EXPECT_EQ(*again.Find("Full Screen"), "1");
}

TEST_F(IniFileTest, AFailedSaveIsSaidOnceKeepsTheOldFileAndNeverRaises) {
    ini.Add("A", "new");
    ini.Add("B", "new");
    const std::string path = "utf8::" + ini.FileName + ".ini";
    for (const auto& [fault, prefix] : {std::pair{AtomicWriteFault::CannotCreate, "(5007) "},
                                        {AtomicWriteFault::AfterPartialWrite, "(5008) "},
                                        {AtomicWriteFault::BeforeRename, "(5009) "}}) {
        WriteFile("A=old\r\nB=old\r\n");
        notices.clear();
        SetAtomicWriteFault(fault, fault == AtomicWriteFault::AfterPartialWrite);
        EXPECT_EQ(ini.Save(), -1);
        EXPECT_EQ(ini.Save(), -1);
        SetAtomicWriteFault(AtomicWriteFault::None);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0], prefix + ("Failed to save the file: " + path));
        EXPECT_EQ(File(), "A=old\r\nB=old\r\n");
        // A save that succeeds again lets the next failure be said again.
        EXPECT_EQ(ini.Save(), 0);
    }
}

TEST_F(IniFileTest, AFileLargerThanAnyRealOneIsReadAsMissing) {
    ini.Add("A", "default");
    WriteFile("A=big\r\n" + std::string(MaxIniFileBytes, '\n'));
    ini.Load();
    EXPECT_EQ(*ini.Find("A"), "default");
    EXPECT_EQ(File(), "A=default\r\n");
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
