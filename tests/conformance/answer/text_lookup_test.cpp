#include "answer/text_lookup.h"

#include <gtest/gtest.h>

#include "tests/support/printers.h"

namespace {

TEST(TextLookupTest, FirstLineContaining) {
    struct Case {
        Text text;
        Text needle;
        bool caseSensitive;
        int expected;
    };
    const Case cases[] = {
        {"ab\r\ncd\r\ncd", "cd", false, 2},
        {"ab\r\nCD", "cd", false, 2},
        {"ab\r\nCD", "cd", true, 0},
        {"ab\r\ncd", "x", false, 0},
        {"\r\n\r\nab\r\ncd", "", false, 3},  // an empty needle: the first non-empty line
        {"", "", false, 0},
        {"", "a", false, 0},
        {"a\r\nb", "a\r\nb", false, 0},  // a needle never spans lines
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstLineContaining(c.text, c.needle, c.caseSensitive), c.expected)
            << '"' << c.needle.bytes() << '"';
    }
}

TEST(TextLookupTest, TextBetween) {
    struct Case {
        Text text, from, to;
        int start;
        int ignoreCase;
        const char* expected;
    };
    const Case cases[] = {
        {"x1.abc\r\n11.def\r\n", "1.", "\r\n", 0, 0, "abc"},
        {"11.def\r\n1.abc\r\n", "1.", "\r\n", 0, 0, "def"},  // the first occurrence anywhere
        {"3.last line", "3.", "\r\n", 0, 0, ""},             // no end marker after it
        {"abc\r\n", "9.", "\r\n", 0, 0, ""},                 // no start marker
        {"k=#\"v\"", "#引号", "#引号", 0, 0, "v"},           // "#引号" stands for a double quote
        {"<A>x</a>", "<a>", "</A>", 0, 1, "x"},
        {"<A>x</a>", "<a>", "</A>", 0, 0, ""},
        {"a[1]b[2]", "[", "]", 4, 0, "2"},
        {"ab", "a", "b", 0, 0, ""},  // empty between adjacent markers
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textBetween(c.text, c.from, c.to, c.start, c.ignoreCase).bytes(), c.expected)
            << '"' << c.text.bytes() << '"';
    }
}

TEST(TextLookupTest, CountOccurrences) {
    struct Case {
        Text text, needle;
        bool caseSensitive;
        int expected;
    };
    const Case cases[] = {
        {"答案：ACD", "A", false, 1},
        {"答案：acd", "A", false, 1},
        {"答案：acd", "A", true, 0},
        {"答案：AA", "A", false, 2},
        {"aaaa", "aa", false, 2},             // occurrences do not overlap
        {"\x81\x41\x81\x41", "A", false, 0},  // never inside a two-byte character
        {"", "A", false, 0},
        {"abc", "", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(countOccurrences(c.text, c.needle, c.caseSensitive), c.expected)
            << '"' << c.text.bytes() << '"';
    }
}

}  // namespace
