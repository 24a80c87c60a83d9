// The text primitives, one table per primitive. Literals are code page 936:
// "\x81\x41" is a two-byte character whose second byte is the letter A.
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/support/printers.h"

namespace {

const Text kTrailA = "\x81\x41";  // one two-byte character, second byte 0x41

std::vector<std::string> piecesOf(const TextArray& array) {
    std::vector<std::string> pieces;
    for (int i = 1; i <= arraySize(array); ++i) pieces.push_back(arrayElement(array, i).bytes());
    return pieces;
}

TEST(TextTest, ConstructionStopsAtTheFirstZeroByte) {
    EXPECT_EQ(Text(std::string_view("ab\0cd", 5)).bytes(), "ab");
    EXPECT_EQ(Text(std::string("\0x", 2)), Text());
    EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text());
}

TEST(TextTest, CutsCountRawBytes) {
    struct Case {
        const char* what;
        Text result;
        const char* expected;
    };
    const Text sample = "安全ab";  // four bytes of two characters, then two letters
    const Case cases[] = {
        {"left 3 splits a character", textLeft(sample, 3), "安\xC8"},
        {"left beyond the length", textLeft(sample, 99), "安全ab"},
        {"left 0", textLeft(sample, 0), ""},
        {"left negative", textLeft(sample, -2), ""},
        {"right length - 2 drops the first two bytes", textRight(sample, textLength(sample) - 2),
         "全ab"},
        {"right beyond the length", textRight(sample, 99), "安全ab"},
        {"right 0", textRight(sample, 0), ""},
        {"mid from 3 for 2", textMid(sample, 3, 2), "全"},
        {"mid running past the end", textMid(sample, 5, 99), "ab"},
        {"mid at start 0", textMid(sample, 0, 3), ""},
        {"mid past the end", textMid(sample, 7, 1), ""},
        {"mid at the last byte", textMid(sample, 6, 1), "b"},
        {"mid with count 0", textMid(sample, 1, 0), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result.bytes(), c.expected) << c.what;
    EXPECT_EQ(textLength(sample), 6);
    EXPECT_EQ(textLength(Text()), 0);
}

// A row of the findText and findTextReverse tables.
struct SearchCase {
    Text haystack;
    Text needle;
    std::optional<int> start;
    int ignoreCase;
    int expected;
};

TEST(TextTest, FindText) {
    const SearchCase cases[] = {
        {"abc", "", omitted, 0, 1},
        {"", "", omitted, 0, -1},
        {"abc", "", 4, 0, -1},  // start past the end
        {"abc", "", 3, 0, 1},   // a non-empty region always answers 1
        {"", "a", omitted, 0, -1},
        {"xAyA", "a", omitted, 1, 2},
        {"xAyA", "a", omitted, 0, -1},
        {"xAyA", "a", 3, 1, 4},  // start after the first occurrence
        {"xAyA", "A", 0, 0, 2},  // start 0 behaves as start 1
        {"xAyA", "A", -5, 0, 2},
        {"xAyA", "a", omitted, 2, -1},   // only exactly 1 ignores case
        {kTrailA, "A", omitted, 0, -1},  // never inside a two-byte character
        {kTrailA, "A", omitted, 1, -1},
        {concatText(kTrailA, "A"), "A", omitted, 0, 3},
        {"安全安全", "全", omitted, 0, 3},
        {"安全安全", "全", 5, 0, 7},
        {"安全安全", "全", 4, 0, -1},        // a start inside a character scans out of step
        {"ab", "abc", omitted, 0, -1},       // needle longer than what remains
        {"ab\xB0", "\xB0", omitted, 0, -1},  // a lead byte at the end starts no character
        {"ABC", "bC", omitted, 1, 2},
        {"第1.题", "1.", omitted, 0, 3},
    };
    for (const SearchCase& c : cases) {
        EXPECT_EQ(findText(c.haystack, c.needle, c.start, c.ignoreCase), c.expected)
            << '"' << c.haystack.bytes() << "\" / \"" << c.needle.bytes() << '"';
    }
}

TEST(TextTest, FindTextReverse) {
    const SearchCase cases[] = {
        {"安全安全", "安全", omitted, 0, 5},  // the second of two
        {"安全安全", "安全", 8, 0, 1},        // a start that cuts the second short
        {"安全安全", "安全", 9, 0, 5},        // the region is the first eight bytes
        {"安全安全", "安全", 99, 0, 5},
        {"安全安全", "安全", 0, 0, -1},
        {"abc", "", omitted, 0, 1},
        {"abc", "", 1, 0, -1},  // an empty region
        {"", "", omitted, 0, -1},
        {"aXbx", "x", omitted, 1, 4},
        {"aXbx", "X", omitted, 0, 2},
        {concatText("A", kTrailA), "A", omitted, 0, 1},
    };
    for (const SearchCase& c : cases) {
        EXPECT_EQ(findTextReverse(c.haystack, c.needle, c.start, c.ignoreCase), c.expected)
            << '"' << c.haystack.bytes() << "\" / \"" << c.needle.bytes() << '"';
    }
}

TEST(TextTest, ReplaceText) {
    struct Case {
        Text text, target, replacement;
        std::optional<int> start, count;
        bool caseSensitive;
        const char* expected;
    };
    const Case cases[] = {
        {"a#引号b#引号", "#引号", "\"", omitted, omitted, true, "a\"b\""},
        {"aaaa", "aa", "b", omitted, omitted, true, "bb"},     // no overlaps
        {"aaa", "a", "aa", omitted, omitted, true, "aaaaaa"},  // replacements not searched again
        {"aXax", "x", "-", omitted, omitted, false, "a-a-"},
        {"aXax", "x", "-", omitted, omitted, true, "aXa-"},
        {"abab", "ab", "", omitted, omitted, true, ""},
        {"abab", "ab", "c", 2, omitted, true, "abc"},  // before start is copied
        {"abab", "ab", "c", 0, omitted, true, "cc"},
        {"ababab", "ab", "c", omitted, 2, true, "ccab"},
        {"abab", "ab", "c", omitted, 0, true, "abab"},
        {"abab", "ab", "c", 5, omitted, true, "abab"},  // start past the end
        {"", "a", "b", omitted, omitted, true, ""},
        {"abc", "", "x", omitted, omitted, true, "abc"},
        {concatText(kTrailA, "A"), "A", "b", omitted, omitted, true,
         "\x81\x41"
         "b"},
        {"安全第一", "全第", "x", omitted, omitted, true, "安x一"},
        {"\xB0\xB2"
         "a",
         "\xB2"
         "a",
         "x", omitted, omitted, true,
         "\xB0\xB2"
         "a"},  // no match mid-character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            replaceText(c.text, c.target, c.replacement, c.start, c.count, c.caseSensitive).bytes(),
            c.expected)
            << '"' << c.text.bytes() << '"';
    }
}

TEST(TextTest, SplitText) {
    using Pieces = std::vector<std::string>;
    struct Case {
        Text text;
        Text delimiter;
        std::optional<int> maxCount;
        Pieces expected;
    };
    const Case cases[] = {
        {"", "\r\n", omitted, {}},
        {"a\r\n\r\nb", "\r\n", omitted, {"a", "", "b"}},
        {"a\r\n", "\r\n", omitted, {"a"}},      // no empty last element
        {"\r\na", "\r\n", omitted, {"", "a"}},  // an empty first element
        {"\r\n", "\r\n", omitted, {""}},
        {"a,b,c", ",", omitted, {"a", "b", "c"}},
        {"a,b,c", ",", 2, {"a", "b"}},
        {"a,b,c", ",", 0, {}},
        {"a,b,c", ",", -3, {}},
        {"a,b", "", omitted, {"a,b"}},
        {"aXbxc", "x", omitted, {"aXb", "c"}},  // always case-sensitive
        {concatText(kTrailA, "A", kTrailA), "A", omitted, {"\x81\x41", "\x81\x41"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(piecesOf(splitText(c.text, c.delimiter, c.maxCount)), c.expected)
            << '"' << c.text.bytes() << '"';
    }
    EXPECT_EQ(piecesOf(splitText("x,y")), (Pieces{"x", "y"}));  // "," when omitted
}

TEST(TextTest, CaseComparisonJoinAndBlanks) {
    EXPECT_EQ(toLowerCase(concatText("AbC", kTrailA, "Z")).bytes(), "abc\x81\x41z");
    EXPECT_EQ(compareText("", ""), 0);
    EXPECT_LT(compareText("", "a"), 0);
    EXPECT_LT(compareText("ab", "abc"), 0);
    EXPECT_GT(compareText("\xB0", "z"), 0);  // unsigned byte order
    EXPECT_EQ(compareText("安", "安"), 0);
    EXPECT_EQ(concatText("a", Text(), "安", Text("b")).bytes(), "a安b");
    EXPECT_EQ(blankText(3).bytes(), "   ");
    EXPECT_EQ(blankText(0), Text());
    EXPECT_EQ(blankText(-1), Text());
}

}  // namespace
