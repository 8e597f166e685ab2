// The in-memory stream archive items are read through: numbers little-endian, lines without their CR, and
// reads at the end that deliver what is left instead of memory beyond it.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/BankStream.h"

namespace {

TBankStream Over(std::vector<uint8_t> bytes) {
    auto owner = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
    return TBankStream(owner, std::span<const uint8_t>(*owner));
}

TEST(BankStreamTest, NumbersAreReadLittleEndian) {
    TBankStream s = Over({0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0x00, 0x00, 0x80, 0x3F, 0x7F});
    EXPECT_EQ(s.ReadInt(), 0x04030201);
    EXPECT_EQ(s.ReadShort(), 0xFFFE);
    EXPECT_FLOAT_EQ(s.ReadFloat(), 1.0f);
    EXPECT_EQ(s.ReadByte(), 0x7F);
    EXPECT_TRUE(s.Eof());
}

TEST(BankStreamTest, ReadsAtTheEndDeliverWhatIsLeftAndNumbersAsZero) {
    TBankStream s = Over({'a', 'b', 'c'});
    s.Seek(1);
    EXPECT_EQ(s.ReadInt(), 0) << "fewer than four bytes left";
    EXPECT_EQ(s.Pos(), 3u);
    EXPECT_EQ(s.Seek(99), 3u);
    s.Seek(1);
    EXPECT_EQ(s.ReadString(10), "bc");
    EXPECT_TRUE(s.ReadBytes(4).empty());
}

TEST(BankStreamTest, LinesEndAtLfWithTheCrBeforeItDropped) {
    TBankStream s = Over({'o', 'n', 'e', '\r', '\n', 'a', '\r', 'b', '\n', 'l', 'a', 's', 't'});
    EXPECT_EQ(s.ReadLine(), "one");
    EXPECT_EQ(s.ReadLine(), "a\rb");
    EXPECT_EQ(s.ReadLine(), "last");
    EXPECT_TRUE(s.Eof());
}

}  // namespace
