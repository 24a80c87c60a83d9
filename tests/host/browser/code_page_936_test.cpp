// The boundary between the tree's code page 936 and gumbo's UTF-8.
#include "browser/dom/code_page_936.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CodePage936Test, ConvertsBothWays) {
    struct Case {
        std::string cp936;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"plain ASCII <&>", "plain ASCII <&>"},
        {"\xCF\xC2\xD2\xBB\xCC\xE2", "\xE4\xB8\x8B\xE4\xB8\x80\xE9\xA2\x98"},  // 下一题
        {"\xA3\xA8"
         "1\xA3\xA9",
         "\xEF\xBC\x88"
         "1\xEF\xBC\x89"},                                   // （1）
        {"\xA1\xB0x\xA1\xB1", "\xE2\x80\x9Cx\xE2\x80\x9D"},  // “x”
        {"\x80", "\xE2\x82\xAC"},  // the euro sign, single byte in code page 936
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(dom::cp936ToUtf8(c.cp936), c.utf8);
        EXPECT_EQ(dom::utf8ToCp936(c.utf8), c.cp936);
    }
}

TEST(CodePage936Test, ReplacesWhatTheTargetCannotHold) {
    struct Case {
        std::string utf8;
        std::string cp936;
    };
    const std::vector<Case> cases = {
        {"a\xC2\xA0"
         "b",
         "a b"},  // no-break space: a space
        {"a\xF0\x9F\x98\x80"
         "b",
         "a?b"},  // an emoji the code page lacks
        {"a\xE4\xB8"
         "b",
         "a?b"},  // a cut three-byte sequence
        {"a\xFF"
         "b",
         "a?b"},  // a byte UTF-8 never has
        {"\xE4\xB8\x8B\xC2\xA0\xE4\xB8\x80", "\xCF\xC2 \xD2\xBB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(dom::utf8ToCp936(c.utf8), c.cp936);
    }
    EXPECT_EQ(dom::cp936ToUtf8("a\xFF"
                               "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(dom::cp936ToUtf8("a\x81"), "a\xEF\xBF\xBD");  // a lead byte at the end
}

}  // namespace
