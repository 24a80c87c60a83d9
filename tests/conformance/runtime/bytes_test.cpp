#include "runtime/bytes.h"

#include <gtest/gtest.h>

#include "runtime/conversions.h"
#include "tests/support/printers.h"

namespace {

const Bytes kWithZero(std::string("a\0b", 3));

TEST(BytesTest, LengthBlanksAndEquality) {
    EXPECT_EQ(bytesLength(Bytes()), 0);
    EXPECT_EQ(bytesLength(kWithZero), 3);
    EXPECT_EQ(blankBytes(3).view(), std::string_view("\0\0\0", 3));
    EXPECT_EQ(bytesLength(blankBytes(0)), 0);
    EXPECT_EQ(bytesLength(blankBytes(-4)), 0);
    EXPECT_TRUE(bytesEqual(Bytes(), Bytes()));
    EXPECT_TRUE(bytesEqual(kWithZero, Bytes("a\0b", 3)));
    EXPECT_FALSE(bytesEqual(kWithZero, Bytes("a\0c", 3)));
    EXPECT_FALSE(bytesEqual(kWithZero, Bytes("a", 1)));
}

TEST(BytesTest, ConcatKeepsZeroBytes) {
    EXPECT_EQ(concatBytes(kWithZero, Bytes(), kWithZero).view(), std::string_view("a\0ba\0b", 6));
    EXPECT_EQ(bytesLength(concatBytes(Bytes(), Bytes())), 0);
}

TEST(BytesTest, ReadIntegerFromBytes) {
    EXPECT_EQ(readIntegerFromBytes(toBytes(-123456)), -123456);
    EXPECT_EQ(readIntegerFromBytes(Bytes("\x01\x02", 2)), 0x0201);  // missing high bytes are zero
    EXPECT_EQ(readIntegerFromBytes(Bytes()), 0);
    EXPECT_EQ(readIntegerFromBytes(Bytes("\x01\x00\x00\x00\xFF", 5)), 1);
}

TEST(BytesTest, MemoryCopies) {
    unsigned char memory[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_EQ(bytesFromMemory(memory, 2).view(), std::string_view("\x09\x09", 2));
    EXPECT_EQ(bytesLength(bytesFromMemory(memory, 0)), 0);

    writeToMemory(0x04030201, memory);
    EXPECT_EQ(bytesFromMemory(memory, 6).view(), std::string_view("\x01\x02\x03\x04\x09\x09", 6));
    writeToMemory(0x0A0B0C0D, memory, 2);  // only the first two bytes
    EXPECT_EQ(bytesFromMemory(memory, 6).view(), std::string_view("\x0D\x0C\x03\x04\x09\x09", 6));
    writeToMemory(kWithZero, memory + 3);
    EXPECT_EQ(bytesFromMemory(memory, 6).view(), std::string_view("\x0D\x0C\x03"
                                                                  "a\0b",
                                                                  6));
    writeToMemory(Bytes("xyz", 3), memory, 9);  // a length beyond the value copies it whole
    EXPECT_EQ(bytesFromMemory(memory, 6).view(), std::string_view("xyza\0b", 6));
    writeToMemory(Bytes("qq", 2), memory, 0);
    EXPECT_EQ(bytesFromMemory(memory, 1).view(), "x");
}

}  // namespace
