// The one fatal path of the program: a message box naming the error, then the
// process ends with exit code -1 without running the exit handler.
#pragma once

#include <cstddef>

enum RuntimeErrorCode : int {
    kAllocationFailed = 0,
    kIndexAboveSize = 1,
    kIndexBelowOne = 4,
    kNegativeArraySize = 10,
};

// The report's text for a code: the code in decimal and its cause. For a
// failed allocation, `requestedBytes` is the number of bytes asked for.
// Writes at most `capacity` bytes, zero included, and allocates nothing, so
// that it works when memory has run out.
void formatRuntimeErrorMessage(char* buffer, std::size_t capacity, int code,
                               std::size_t requestedBytes = 0);

[[noreturn]] void reportRuntimeError(int code, std::size_t requestedBytes = 0);
