// The fatal path: each runtime error shows its report on the emulated desktop
// and ends the process with exit code -1 (255 as the host reports it).
// Host-only: on Windows the report would wait for a person to close it.
#include "runtime/runtime_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "emulation/testing.h"
#include "runtime/conversions.h"
#include "runtime/text.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The report as the emulated message box writes it to standard error: no
// owner window, the error icon, the program's caption and the message.
std::string reportPattern(int code, std::size_t requestedBytes = 0) {
    char message[256];
    formatRuntimeErrorMessage(message, sizeof message, code, requestedBytes);
    return "\\[message box owner=0 icon=error\\] Vexaro: " + emulation::ansiToUtf8(message);
}

TEST(RuntimeErrorTest, MessageNamesTheCodeAndItsCause) {
    struct Case {
        int code;
        std::size_t bytes;
        const char* expected;
    };
    const Case cases[] = {
        {1, 0, "运行时错误 1：数组下标超出了数组的大小。"},
        {4, 0, "运行时错误 4：数组下标小于 1。"},
        {10, 0, "运行时错误 10：数组的大小不能为负数。"},
        {0, 4096, "运行时错误 0：内存分配失败（申请 4096 字节）。"},
    };
    for (const Case& c : cases) {
        char message[256];
        formatRuntimeErrorMessage(message, sizeof message, c.code, c.bytes);
        EXPECT_STREQ(message, c.expected);
    }
}

TEST(RuntimeErrorTest, ReportIsAnErrorBoxWithoutOwner) {
    EXPECT_EXIT(reportRuntimeError(10), ::testing::ExitedWithCode(255), reportPattern(10));
}

TEST(RuntimeErrorTest, CheckedAccessEndsTheProgram) {
    TextArray empty;
    TextArray one = splitText("x");
    EXPECT_EXIT(arrayElement(one, 0), ::testing::ExitedWithCode(255), reportPattern(4));
    EXPECT_EXIT(arrayElement(one, -3), ::testing::ExitedWithCode(255), reportPattern(4));
    EXPECT_EXIT(arrayElement(empty, 1), ::testing::ExitedWithCode(255), reportPattern(1));
    EXPECT_EXIT(arrayElement(one, 2), ::testing::ExitedWithCode(255), reportPattern(1));
    EXPECT_EXIT(resizeArray(one, -1), ::testing::ExitedWithCode(255), reportPattern(10));
}

TEST(RuntimeErrorTest, FailedAllocationNamesTheBytesAskedFor) {
    const std::size_t huge =
        static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / 2;
    EXPECT_EXIT(
        {
            void* memory = ::operator new(huge);
            ::operator delete(memory);
        },
        ::testing::ExitedWithCode(255), reportPattern(0, huge));
}

TEST(RuntimeErrorTest, ExitSkipsExitHandlers) {
    EXPECT_EXIT(
        {
            std::atexit([] { std::fputs("exit handler ran\n", stderr); });
            reportRuntimeError(1);
        },
        ::testing::ExitedWithCode(255), Not(HasSubstr("exit handler ran")));
}

}  // namespace
