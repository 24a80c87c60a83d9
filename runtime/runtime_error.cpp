// The runtime error report: a modal message box with the error icon, then
// the end of the process with exit code -1, skipping the exit handler.
#include "runtime/runtime_error.h"

#include <cstdio>

#include "platform/win32.h"

namespace {

const char* causeOf(int code) {
    switch (code) {
        case kAllocationFailed:
            return "内存分配失败";
        case kIndexAboveSize:
            return "数组下标超出了数组的大小";
        case kIndexBelowOne:
            return "数组下标小于 1";
        case kNegativeArraySize:
            return "数组的大小不能为负数";
        default:
            return "未知错误";
    }
}

}  // namespace

void formatRuntimeErrorMessage(char* buffer, std::size_t capacity, int code,
                               std::size_t requestedBytes) {
    if (code == kAllocationFailed) {
        std::snprintf(buffer, capacity, "运行时错误 %d：%s（申请 %llu 字节）。", code,
                      causeOf(code), static_cast<unsigned long long>(requestedBytes));
    } else {
        std::snprintf(buffer, capacity, "运行时错误 %d：%s。", code, causeOf(code));
    }
}

void reportRuntimeError(int code, std::size_t requestedBytes) {
    // Built on the stack: when memory has run out, the report must still show.
    char message[256];
    formatRuntimeErrorMessage(message, sizeof message, code, requestedBytes);
    MessageBoxA(nullptr, message, "Vexaro", MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}
