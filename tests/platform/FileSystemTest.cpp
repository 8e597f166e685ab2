// File-system services: the atomic write must never leave a broken target, listings and deletes
// must not follow links out of the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    void TearDown() override { SetAtomicWriteFault(AtomicWriteFault::None); }

    std::string Path(const std::string& name) const { return dir.Str() + name; }
    std::size_t FilesIn(const fs::path& folder) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    testenv::TempDir dir;
};

}  // namespace

TEST_F(FileSystemTest, AtomicWriteCreatesAndReplacesWholeFilesKeepingPermissions) {
    ASSERT_TRUE(WriteFileAtomic(Path("f.ini"), "first version, quite long\r\n"));
    ::chmod(Path("f.ini").c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomic(Path("f.ini"), "second\r\n"));
    EXPECT_EQ(testenv::ReadFile(Path("f.ini")), "second\r\n");
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << "no temporary file may stay behind";
    struct stat st {};
    ASSERT_EQ(::stat(Path("f.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FileSystemTest, CrashMidWriteOrFailureBeforeRenameLeavesTheOldFileIntact) {
    testenv::WriteFile(Path("f.ini"), "OLD CONTENT\r\n");
    SetAtomicWriteFault(AtomicWriteFault::AfterPartialWrite, true);
    EXPECT_FALSE(WriteFileAtomic(Path("f.ini"), "NEW CONTENT THAT NEVER LANDS\r\n"));
    EXPECT_EQ(testenv::ReadFile(Path("f.ini")), "OLD CONTENT\r\n");
    testenv::TempDir clean;
    testenv::WriteFile(clean.Path() / "f.ini", "OLD");
    SetAtomicWriteFault(AtomicWriteFault::BeforeRename);
    EXPECT_FALSE(WriteFileAtomic(clean.Str() + "f.ini", "NEW"));
    EXPECT_EQ(testenv::ReadFile(clean.Path() / "f.ini"), "OLD");
    EXPECT_EQ(FilesIn(clean.Path()), 1u) << "the failed write cleans up";
    // Without a fault, a folder that is not there or a folder as the target still fails the write.
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_FALSE(WriteFileAtomic(Path("nofolder/f.ini"), "x"));
    EXPECT_FALSE(PathExists(Path("nofolder")));
    EXPECT_FALSE(WriteFileAtomic(clean.Str(), "x"));  // onto a folder
    EXPECT_EQ(FilesIn(clean.Path()), 1u);
}

TEST_F(FileSystemTest, NamesUpToTheLimitAreWrittenAndLeftoversOfThemFound) {
    const std::string longest(255, 'n');
    ASSERT_TRUE(WriteFileAtomic(Path(longest), "whole"));
    EXPECT_EQ(testenv::ReadFile(Path(longest)), "whole");
    // An interrupted write of that name leaves a cut-short temporary name, which is still found.
    SetAtomicWriteFault(AtomicWriteFault::BeforeRename, true);
    EXPECT_FALSE(WriteFileAtomic(Path(longest), "new"));
    SetAtomicWriteFault(AtomicWriteFault::None);
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
    EXPECT_EQ(RemoveAtomicLeftovers(dir.Str(), [](const std::string&, bool cut) { return cut; }), 1);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
    EXPECT_EQ(testenv::ReadFile(Path(longest)), "whole");
}

TEST_F(FileSystemTest, ABoundedReadRefusesLargerFilesAndAFolderThatTakesNoFileChangesNothing) {
    testenv::WriteFile(Path("f.dat"), std::string(100, 'x'));
    bool tooLarge = true;
    EXPECT_EQ(LoadFile(Path("f.dat"), 100, &tooLarge), std::string(100, 'x'));
    EXPECT_FALSE(tooLarge);
    EXPECT_FALSE(LoadFile(Path("f.dat"), 99, &tooLarge));
    EXPECT_TRUE(tooLarge);
    EXPECT_FALSE(LoadFile(Path("none.dat"), 99, &tooLarge));
    EXPECT_FALSE(tooLarge);
    SetAtomicWriteFault(AtomicWriteFault::CannotCreate);
    EXPECT_FALSE(WriteFileAtomic(Path("f.dat"), "new"));
    EXPECT_EQ(testenv::ReadFile(Path("f.dat")), std::string(100, 'x'));
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

// Missing means nothing at all is there; whatever is there but cannot be read as a file is told apart,
// and a FIFO is never waited on.
TEST_F(FileSystemTest, ABoundedReadTellsAMissingFileFromOneThatCannotBeRead) {
    testenv::WriteFile(Path("small"), "abc");
    testenv::WriteFile(Path("large"), "abcdef");
    fs::create_directory(Path("folder"));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0666), 0);
    fs::create_symlink(Path("nowhere"), Path("dangling"));
    struct Case {
        const char* name;
        ReadOutcome outcome;
        const char* bytes;
    };
    const Case cases[] = {
        {"small", ReadOutcome::Read, "abc"},     {"large", ReadOutcome::TooLarge, "abcd"},
        {"none", ReadOutcome::Missing, ""},      {"dangling", ReadOutcome::Missing, ""},
        {"folder", ReadOutcome::Unreadable, ""}, {"fifo", ReadOutcome::Unreadable, ""},
        {"small/x", ReadOutcome::Missing, ""},
    };
    for (const Case& c : cases) {
        const TBoundedRead read = ReadFileBounded(Path(c.name), 4);
        EXPECT_EQ(read.Outcome, c.outcome) << c.name;
        EXPECT_EQ(read.Bytes, c.bytes) << c.name;
        EXPECT_EQ(PathExists(Path(c.name)),
                  c.outcome != ReadOutcome::Missing || c.name == std::string("dangling"))
            << c.name;
    }
}

TEST_F(FileSystemTest, ARenameNeverReplacesAndARefusedPathIsNeverWritten) {
    testenv::WriteFile(Path("a"), "A");
    testenv::WriteFile(Path("b"), "B");
    EXPECT_FALSE(RenameNoReplace(Path("a"), Path("b")));
    EXPECT_EQ(testenv::ReadFile(Path("b")), "B");
    EXPECT_TRUE(RenameNoReplace(Path("a"), Path("c")));
    EXPECT_EQ(testenv::ReadFile(Path("c")), "A");
    EXPECT_FALSE(PathExists(Path("a")));

    RefuseWritesTo(Path("b"));
    EXPECT_FALSE(WriteFileAtomic(Path("b"), "new"));
    EXPECT_EQ(testenv::ReadFile(Path("b")), "B");
    EXPECT_TRUE(WriteFileAtomic(Path("c"), "new"));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

TEST_F(FileSystemTest, WriterInStepsReplacesOnlyOnCommit) {
    testenv::WriteFile(Path("f.dat"), "OLD");
    {
        TAtomicFile file(Path("f.dat"));
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half"));
    }
    EXPECT_EQ(testenv::ReadFile(Path("f.dat")), "OLD") << "an abandoned writer changes nothing";
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
    TAtomicFile file(Path("f.dat"));
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("NEW"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(testenv::ReadFile(Path("f.dat")), "NEW");
}

// Each failing step of the atomic write, in the writer that takes the steps one by one: the step that
// fails says so, the steps after it refuse, the old file stays and no temporary file is left.
TEST_F(FileSystemTest, EachFailingStepIsReportedByThatStepAndChangesNothing) {
    struct TStep {
        AtomicWriteFault fault;
        int failingStep;  // 0 open, 1 write, 2 commit
    };
    for (const TStep& row :
         {TStep{AtomicWriteFault::CannotCreate, 0}, TStep{AtomicWriteFault::AfterPartialWrite, 1},
          TStep{AtomicWriteFault::SyncFails, 2}, TStep{AtomicWriteFault::BeforeRename, 2}}) {
        SCOPED_TRACE(row.failingStep);
        testenv::TempDir folder;
        const std::string path = folder.Str() + "f.dat";
        testenv::WriteFile(path, "OLD");
        SetAtomicWriteFault(row.fault);
        {
            TAtomicFile file(path);
            const bool results[] = {file.Open(), file.Write("NEW"), file.Commit()};
            for (int step = 0; step < 3; ++step) EXPECT_EQ(results[step], step < row.failingStep) << step;
        }
        EXPECT_FALSE(WriteFileAtomic(path, "NEW"));
        SetAtomicWriteFault(AtomicWriteFault::None);
        EXPECT_EQ(testenv::ReadFile(path), "OLD");
        EXPECT_EQ(FilesIn(folder.Path()), 1u) << "no temporary file may stay behind";
        EXPECT_TRUE(WriteFileAtomic(path, "NEW"));
        EXPECT_EQ(testenv::ReadFile(path), "NEW");
    }
}

TEST_F(FileSystemTest, CreateDeleteAndCopyRefuseWhatDoesNotFit) {
    EXPECT_FALSE(CreateDir(Path("a/b/c"), false));
    EXPECT_TRUE(CreateDir(Path("a/b/c/"), true));
    testenv::WriteFile(Path("file"), "x");
    EXPECT_FALSE(CreateDir(Path("file"), true));
    EXPECT_TRUE(CopyFile(Path("file"), Path("copy")));
    EXPECT_FALSE(CopyFile(Path("missing"), Path("copy")));
    testenv::WriteFile(Path("big"), "xyz");
    EXPECT_FALSE(CopyFile(Path("big"), Path("copy"), 2)) << "over the bound";
    EXPECT_EQ(testenv::ReadFile(Path("copy")), "x");
    EXPECT_FALSE(DeleteFile(Path("a")));
    EXPECT_FALSE(DeleteDir(Path("missing")));
}

TEST_F(FileSystemTest, ReadDirListsSortedWithoutFollowingLinks) {
    testenv::TempDir outside;
    testenv::WriteFile(outside.Path() / "precious.dat", "keep");
    testenv::WriteFile(dir.Path() / "b.dat", "1");
    fs::create_directory(dir.Path() / "a");
    fs::create_directory_symlink(outside.Path(), dir.Path() / "link");
    auto entries = ReadDir(dir.Str());
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].Name, "a");
    EXPECT_EQ((*entries)[2].Kind, EntryKind::Symlink);

    EXPECT_TRUE(DeleteDir(dir.Str(), true));
    EXPECT_EQ(testenv::ReadFile(outside.Path() / "precious.dat"), "keep") << "the link's target survives";
}
