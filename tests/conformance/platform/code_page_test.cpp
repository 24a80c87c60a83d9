// Conversions between the ANSI code page (936) and UTF-16, the only way text
// crosses the COM boundary. The expected values are Windows' own.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"

namespace {

std::vector<WCHAR> toWide(const char* text, int length) {
    int needed = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::vector<WCHAR> wide(static_cast<std::size_t>(needed > 0 ? needed : 0));
    if (needed > 0) {
        EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), needed), needed);
    }
    return wide;
}

std::string toAnsi(const std::vector<WCHAR>& wide, BOOL* usedDefault = nullptr) {
    int length = static_cast<int>(wide.size());
    int needed = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) {
        EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), needed, nullptr,
                                      usedDefault),
                  needed);
    }
    return ansi;
}

TEST(CodePageTest, TheAnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }

TEST(CodePageTest, AnsiToWide) {
    struct Case {
        const char* text;
        int length;
        std::vector<WCHAR> expected;
    };
    const Case cases[] = {
        {"安全a", -1, {0x5B89, 0x5168, 0x61, 0}},  // -1 counts the terminating zero
        {"安全a", 4, {0x5B89, 0x5168}},
        {"下一题", 6, {0x4E0B, 0x4E00, 0x9898}},
        {"\x81\x41", 2, {0x4E04}},  // a trail byte of 0x41
        {"\x80", 1, {0x20AC}},      // the euro sign
        {"１", 2, {0xFF11}},
    };
    for (const Case& c : cases) EXPECT_EQ(toWide(c.text, c.length), c.expected) << c.text;
}

TEST(CodePageTest, WideToAnsi) {
    EXPECT_EQ(toAnsi({0x5B89, 0x5168, 0x61}), "安全a");
    BOOL usedDefault = FALSE;
    EXPECT_EQ(toAnsi({0x61, 0x0E01}, &usedDefault), "a?");  // Thai has no place in code page 936
    EXPECT_EQ(usedDefault, TRUE);
    usedDefault = TRUE;
    EXPECT_EQ(toAnsi({0x4E00}, &usedDefault), "一");
    EXPECT_EQ(usedDefault, FALSE);
}

TEST(CodePageTest, ShortBuffersAreRefused) {
    WCHAR wide[1];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab", 2, wide, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    const WCHAR source[] = {0x5B89};
    char ansi[1];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, source, 1, ansi, 1, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(CodePageTest, Utf8RoundTrip) {
    const char utf8[] = "\xE5\xAE\x89";  // "安" in UTF-8
    WCHAR wide[2] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, 3, wide, 2), 1);
    EXPECT_EQ(wide[0], 0x5B89);
    char back[4] = {};
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 1, back, 4, nullptr, nullptr), 3);
    EXPECT_STREQ(back, utf8);
}

}  // namespace
