// Number and text conversions: one table per direction.
#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/printers.h"

namespace {

TEST(ConversionsTest, NumbersToText) {
    struct Case {
        Text result;
        const char* expected;
    };
    const Case cases[] = {
        {toText(0), "0"},
        {toText(-42), "-42"},
        {toText(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
        {toText(0.0), "0"},
        {toText(19.0), "19"},
        {toText(-0.5), "-0.5"},
        {toText(1.0 / 3.0), "0.3333333333333"},
        {toText(1e15), "1e+15"},
        {toText(123456789012.0), "123456789012"},
        {toText(2.5e-7), "2.5e-07"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result.bytes(), c.expected);
}

TEST(ConversionsTest, TextToInteger) {
    struct Case {
        Text text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"  \t-17xyz", -17},
        {"+8", 8},
        {"- 8", 0},
        {"１２34", 1234},  // full-width digits, then ASCII ones
        {"－５", -5},      // full-width minus
        {"　７", 7},       // full-width space is white space
        {"3.9", 3},
        {"2147483648", 2147483647},  // clamped
        {"-99999999999", -2147483647 - 1},
        {"第1题", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(toInteger(c.text), c.expected) << c.text.bytes();
}

TEST(ConversionsTest, TextToNumber) {
    struct Case {
        Text text;
        double expected;
    };
    const Case cases[] = {
        {"", 0.0},
        {"x1", 0.0},
        {"1.5", 1.5},
        {" -2.25e2kg", -225.0},
        {".5", 0.5},
        {"5.", 5.0},
        {".", 0.0},
        {"1e", 1.0},  // an exponent without digits is not read
        {"1e+", 1.0},
        {"0x1A", 26.0},
        {"0x", 0.0},
        {"１．５", 1.5},  // full-width digits and point
        {"1e400", std::numeric_limits<double>::infinity()},
        {"-1e400", -std::numeric_limits<double>::infinity()},
        {"1e-400", 0.0},
        {"Infinity", std::numeric_limits<double>::infinity()},
    };
    for (const Case& c : cases) EXPECT_EQ(toNumber(c.text), c.expected) << c.text.bytes();
    EXPECT_TRUE(std::isnan(toNumber(Text("nan"))));
    EXPECT_EQ(toNumber(true), 1.0);
    EXPECT_EQ(toNumber(false), 0.0);
}

TEST(ConversionsTest, FullWidthNormalisation) {
    EXPECT_EQ(normalizeFullWidth("　～＊※").bytes(), " ~*\xA1\xF9");  // "※" (A1F9) is kept
    EXPECT_EQ(normalizeFullWidth("\xA1\xEE\xA1\xEF").bytes(), "**");
    EXPECT_EQ(normalizeFullWidth("ＡＢｃ！").bytes(), "ABc!");
    EXPECT_EQ(normalizeFullWidth("安全").bytes(), "安全");
    EXPECT_EQ(normalizeFullWidth("a\xA3").bytes(), "a\xA3");  // a lone lead byte at the end
}

TEST(ConversionsTest, Truncation) {
    struct Case {
        double value;
        std::int64_t expected;
    };
    const Case cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {-0.5, 0},
        {1e30, std::numeric_limits<std::int64_t>::max()},
        {-1e30, std::numeric_limits<std::int64_t>::min()},
        {std::nan(""), 0},
        {4294967296.0 + 5.0, 4294967301},
    };
    for (const Case& c : cases) EXPECT_EQ(truncateToInteger(c.value), c.expected) << c.value;
    EXPECT_EQ(truncateToInteger32(4294967296.0 + 5.0), 5);  // the low 32 bits
    EXPECT_EQ(truncateToInteger32(-7.8), -7);
}

TEST(ConversionsTest, TextsAndBlocks) {
    EXPECT_EQ(toBytes(0x01020304).view(), std::string_view("\x04\x03\x02\x01", 4));
    EXPECT_EQ(toBytes(-1).view(), std::string_view("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(toBytes(Text("安a")).view(), "安a");
    EXPECT_EQ(bytesLength(toBytes(Text())), 0);
    EXPECT_EQ(toText(Bytes(std::string("ab\0cd", 5))).bytes(), "ab");
    EXPECT_EQ(toText(Bytes(std::string("abc"))).bytes(), "abc");
}

}  // namespace
