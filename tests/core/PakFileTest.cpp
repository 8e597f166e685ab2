// The resource archive: format round trip, a hand-made archive, damaged
// archives, and the manager's folder rules (archive order, loose overrides, links).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/PakFileManager.h"
#include "core/PakFormat.h"
#include "platform/Compression.h"
#include "platform/DataFile.h"
#include "platform/Image.h"
#include "platform/ImageCodec.h"
#include "platform/ImageFont.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

TPakEntry Entry(const std::string& name, const std::string& data, int kind = 0) {
    return TPakEntry{name, kind, Bytes(data)};
}

void PutInt(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

void SetInt(std::vector<uint8_t>& out, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}

void PutField(std::vector<uint8_t>& out, const std::string& name, size_t size, uint8_t pad) {
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), size - name.size(), pad);
}

// A version-1 archive written byte by byte, independently of the writer.
std::vector<uint8_t> HandMadeV1(const std::vector<std::pair<std::string, std::string>>& files,
                                uint8_t pad = 0) {
    std::vector<uint8_t> out;
    PutInt(out, 0x4B415021);
    PutInt(out, 1);
    PutInt(out, int32_t(files.size()));
    for (const auto& [name, data] : files) {
        std::vector<uint8_t> z = ZlibCompress(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        PutField(out, name, 52, pad);
        PutInt(out, 7);
        PutInt(out, int32_t(z.size()));
        PutInt(out, int32_t(data.size()));
        out.insert(out.end(), z.begin(), z.end());
    }
    return out;
}

std::string ReadError(const std::vector<uint8_t>& bytes) {
    try {
        ReadPakArchive(bytes, "test.pak");
    } catch (const TPakFormatError& e) {
        return e.what();
    }
    return "";
}

std::vector<TPakEntry> Sample() {
    std::string big(5000, 'x');
    for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7 % 251);
    return {Entry("titlescreen.jpg", big, 2), Entry("gametext.txt", "TEXT\r\nhello", 1),
            Entry("empty.dat", ""), Entry("sub/dir/file.bin", std::string("\0\1\2\3", 4))};
}

}  // namespace

// ---- format ---------------------------------------------------------------------------------

TEST(PakFormat, WriterAndReaderAgreeInBothVersions) {
    for (int32_t version : {PAK_VERSION_PLAIN, PAK_VERSION_PACKED}) {
        std::vector<TPakEntry> in = Sample();
        std::vector<TPakEntry> out = ReadPakArchive(WritePakArchive(in, version), "a.pak");
        ASSERT_EQ(out.size(), in.size());
        for (size_t i = 0; i < in.size(); ++i) {
            EXPECT_EQ(out[i].Name, in[i].Name);
            EXPECT_EQ(out[i].VarType, in[i].VarType);
            EXPECT_EQ(out[i].Data, in[i].Data);
        }
    }
}

TEST(PakFormat, HandMadeArchiveReadsWhateverThePadding) {
    auto v1 = ReadPakArchive(HandMadeV1({{"abcde", "hello"}, {"x/y.txt", "zz"}}), "a");
    ASSERT_EQ(v1.size(), 2u);
    EXPECT_EQ(v1[0].Name, "abcde");  // five characters then 47 zero bytes
    EXPECT_EQ(std::string(v1[0].Data.begin(), v1[0].Data.end()), "hello");
    EXPECT_EQ(ReadPakArchive(HandMadeV1({{"  abcde", "hello"}}, ' '), "a")[0].Name, "abcde");
}

TEST(PakFormat, EveryTruncationAndFlippedByteIsAnErrorNamingTheArchive) {
    for (int32_t version : {PAK_VERSION_PLAIN, PAK_VERSION_PACKED}) {
        std::vector<uint8_t> pak = WritePakArchive(Sample(), version);
        for (size_t len = 4; len < pak.size(); ++len) {
            std::vector<uint8_t> cut(pak.begin(), pak.begin() + std::ptrdiff_t(len));
            std::string err = ReadError(cut);
            ASSERT_NE(err, "") << "length " << len << " version " << version;
            EXPECT_NE(err.find("test.pak"), std::string::npos) << err;
        }
    }
    EXPECT_EQ(ReadError({}), "TPakFile::Invalid pak file");
    std::vector<uint8_t> pak =
        WritePakArchive({Entry("a.txt", std::string(2000, 'a') + "tail")}, PAK_VERSION_PLAIN);
    // Every byte of the data block (header is 12 + 64 bytes) flipped in turn.
    for (size_t i = 12 + 64; i < pak.size(); ++i) {
        std::vector<uint8_t> bad = pak;
        bad[i] ^= 0x5A;
        std::string err = ReadError(bad);
        EXPECT_NE(err.find("'a.txt'"), std::string::npos) << "byte " << i << ": " << err;
    }
}

TEST(PakFormat, ImpossibleCountsAndSizesFailBeforeAllocating) {
    std::vector<uint8_t> v1 = WritePakArchive(Sample(), PAK_VERSION_PLAIN);
    std::vector<uint8_t> v2 = WritePakArchive(Sample(), PAK_VERSION_PACKED);
    auto with = [](std::vector<uint8_t> p, size_t at, int32_t v) {
        SetInt(p, at, v);
        return p;
    };
    EXPECT_NE(ReadError(with(v1, 8, -1)).find("negative entry count"), std::string::npos);
    EXPECT_NE(ReadError(with(v1, 8, 0x7FFFFFFF)).find("does not fit"), std::string::npos);
    EXPECT_NE(ReadError(with(v2, 16, 999)).find("table size"), std::string::npos);  // wrong table size
    EXPECT_NE(ReadError(with(v2, 12, -5)).find("negative size"), std::string::npos);
    EXPECT_NE(ReadError(with(v2, 12, 0x7FFFFFF0)).find("past the end"), std::string::npos);
    // Entry sizes of the first version-1 entry: stored size and real size.
    EXPECT_NE(ReadError(with(v1, 12 + 56, -1)).find("negative size"), std::string::npos);
    EXPECT_NE(ReadError(with(v1, 12 + 60, 0x7FFFFFFF)).find("impossible"), std::string::npos);
    EXPECT_NE(ReadError(with(v1, 12 + 60, 5001)).find("stated size"), std::string::npos);
}

TEST(PakFormat, TableGivesEveryFieldAndMustUnpackToCountEntries) {
    const std::vector<TPakEntry> in = Sample();
    const std::vector<uint8_t> pak = WritePakArchive(in);
    auto at = [&](size_t i) {
        return int32_t(pak[i] | pak[i + 1] << 8 | pak[i + 2] << 16 | uint32_t(pak[i + 3]) << 24);
    };
    const int32_t count = at(8), packed = at(12), unpacked = at(16);
    const std::span<const uint8_t> rest = std::span(pak).subspan(20);
    std::vector<TTableItem> table = ReadPakTable(rest, count, packed, unpacked, "t.pak");
    ASSERT_EQ(table.size(), in.size());
    int32_t offset = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(table[i].Name, in[i].Name);
        EXPECT_EQ(table[i].VarType, in[i].VarType);
        EXPECT_EQ(table[i].RealSize, int32_t(in[i].Data.size()));
        EXPECT_EQ(table[i].Offset, offset);
        offset += table[i].Size;
    }
    EXPECT_EQ(size_t(packed + offset), rest.size());  // the blocks fill the file after the table

    auto error = [&](int32_t n, int32_t u) {
        try {
            ReadPakTable(rest, n, packed, u, "t.pak");
        } catch (const TPakFormatError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(error(count, unpacked + 1), "TPakFile::Corrupt pak file t.pak: table size " +
                                              std::to_string(unpacked + 1) + " does not match 4 entries");
    EXPECT_EQ(error(count - 1, unpacked - int32_t(ITEM_SIZE)),
              "TPakFile::Corrupt pak file t.pak: table: data does not decompress to its stated size");
}

TEST(PakFormat, WriterRefusesNamesThatCannotBeStored) {
    EXPECT_THROW(WritePakArchive({Entry(std::string(53, 'a'), "")}, PAK_VERSION_PLAIN), TPakFormatError);
    EXPECT_NO_THROW(WritePakArchive({Entry(std::string(53, 'a'), "")}, PAK_VERSION_PACKED));
    EXPECT_THROW(WritePakArchive({Entry("with blank", "")}), TPakFormatError);
}

// ---- manager --------------------------------------------------------------------------------

class PakManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
    }
    void TearDown() override { SetErrorNotice(nullptr); }

    void WritePak(const std::string& name, const std::vector<TPakEntry>& entries,
                  int32_t version = PAK_VERSION_PACKED) {
        std::vector<uint8_t> bytes = WritePakArchive(entries, version);
        testenv::WriteFile(dir.Path() / name, std::string(bytes.begin(), bytes.end()));
    }

    testenv::TempDir dir;
    std::vector<std::string> notices;
};

TEST_F(PakManagerTest, NamesInAnyCaseFindTheLaterArchiveOrALooseFileFirstAndSubFoldersByPath) {
    WritePak("a.pak", {Entry("one.txt", "from a"), Entry("two.txt", "from a")});
    WritePak("b.pak", {Entry("ONE.txt", "from b")}, PAK_VERSION_PLAIN);
    testenv::WriteFile(dir.Path() / "Two.TXT", "loose");
    fs::create_directories(dir.Path() / "Fonts");
    testenv::WriteFile(dir.Path() / "Fonts" / "Face.ttf", "font");
    auto m = TPakFileManager::Create(dir.Str(), ".pak");
    EXPECT_EQ(m->GetString("one.txt"), "from b");
    EXPECT_EQ(m->GetString("two.txt"), "loose");
    EXPECT_EQ(m->GetString("fonts/face.ttf"), "font");
    EXPECT_EQ(m->GetString("nope"), "");  // a missing name is no error
    EXPECT_TRUE(notices.empty());
}

TEST_F(PakManagerTest, FolderLinksAreNotFollowed) {
    fs::create_directories(dir.Path() / "sub");
    testenv::WriteFile(dir.Path() / "sub" / "real.txt", "r");
    fs::create_directory_symlink(dir.Path(), dir.Path() / "sub" / "loop");  // would recurse forever
    auto m = TPakFileManager::Create(dir.Str(), ".pak");
    EXPECT_EQ(m->GetItem("sub/loop/sub/real.txt"), nullptr);
    EXPECT_EQ(m->Map.size(), 1u);
}

TEST_F(PakManagerTest, DamagedArchiveReachesThePlayerOnceWithItsBareTextNamingArchiveAndEntry) {
    std::vector<uint8_t> pak = WritePakArchive({Entry("bad.txt", std::string(500, 'b'))}, PAK_VERSION_PLAIN);
    pak[pak.size() - 3] ^= 0xFF;
    testenv::WriteFile(dir.Path() / "data.pak", std::string(pak.begin(), pak.end()));
    try {
        TPakFileManager::Create(dir.Str(), ".pak");
        FAIL() << "no error";
    } catch (const TRaisedText& e) {
        std::string text = e.what();
        EXPECT_EQ(text.rfind("TPakFile::", 0), 0u) << text;
        EXPECT_NE(text.find("data.pak"), std::string::npos) << text;
        EXPECT_NE(text.find("'bad.txt'"), std::string::npos) << text;
        EXPECT_TRUE(notices.empty());  // only the top-level guard shows it, without a checkpoint
        EXPECT_EQ(UncaughtErrorText(std::current_exception(), 139), text);
    }
    testenv::WriteFile(dir.Path() / "data.pak", "not an archive");
    try {
        TPakFileManager::Create(dir.Str(), ".pak");
        FAIL() << "no error";
    } catch (const TRaisedText&) {
        EXPECT_EQ(UncaughtErrorText(std::current_exception(), 139), "TPakFile::Invalid pak file");
    }
}

TEST_F(PakManagerTest, DataPakMustBeAReadablePlainFile) {
    EXPECT_FALSE(DataPakReadable(dir.Str()));
    fs::create_directories(dir.Path() / "data.pak");
    EXPECT_FALSE(DataPakReadable(dir.Str()));
    fs::remove(dir.Path() / "data.pak");
    WritePak("data.pak", {});
    EXPECT_TRUE(DataPakReadable(dir.Str()));
    fs::resize_file(dir.Path() / "data.pak", MaxDataFileBytes + 1);  // damaged: far larger than ours
    EXPECT_FALSE(DataPakReadable(dir.Str()));
}

TEST_F(PakManagerTest, StreamsAndTextOverItems) {
    const char numbers[] = "\x01\x00\x00\x00";
    const char utf16[] =
        "\xFF\xFE"
        "h\0i\0";
    WritePak("data.pak", {Entry("n.bin", std::string(numbers, sizeof numbers - 1)),
                          Entry("u16.txt", std::string(utf16, sizeof utf16 - 1))});
    auto m = TPakFileManager::Create(dir.Str(), ".pak");
    EXPECT_EQ(m->GetText("u16.txt"), "hi");
    // The stream keeps its bytes alive after the archive is reloaded away.
    auto kept = m->GetStream("n.bin");
    m->Map.clear();
    EXPECT_EQ(kept->ReadInt(), 1);
}

TEST_F(PakManagerTest, ImagesAndFontsComeOutOfTheArchive) {
    TPixmap px(3, 2, 0xFF102030u);
    px.WritePixel(2, 1, 0x80FF0000u);
    std::vector<uint8_t> png = EncodePNG(px);
    std::string font = testenv::ReadFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf");
    WritePak("data.pak",
             {TPakEntry{"pic.png", 2, png}, Entry("calibri.ttf", font, 3), Entry("junk.png", "junk")});
    auto m = TPakFileManager::Create(dir.Str(), ".pak");
    auto image = m->GetImage("PIC.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Pixels(0).ReadPixel(2, 1), 0x80FF0000u);
    EXPECT_EQ(m->GetImage("junk.png"), nullptr);

    auto small = m->GetImageFont("calibri.ttf", 10, SMOOTHFONT);
    auto large = m->GetImageFont("calibri.ttf", 34, SMOOTHFONT);
    EXPECT_GT(large->TextWidth("Sudoku"), 2.5f * small->TextWidth("Sudoku"));
}

TEST_F(PakManagerTest, RequiredResourcesFailClearly) {
    auto m = TPakFileManager::Create(dir.Str(), ".pak");
    EXPECT_THROW(m->GetImageFontOrDie("calibri.ttf", 12, SMOOTHFONT), TRuntimeError);
    EXPECT_THROW(m->GetImageOrDie("titlescreen.jpg"), TRuntimeError);
    EXPECT_EQ(notices, (std::vector<std::string>{"Error loading file " + m->Path + "calibri.ttf",
                                                 "Error loading bitmap " + m->Path + "titlescreen.jpg"}));
}
