// Process, thread and clock services of the emulated kernel.
#include <time.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "emulation/kernel32.h"

namespace {
thread_local DWORD lastError = 0;
std::atomic<DWORD> nextThreadId{1};
}  // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }

DWORD GetCurrentThreadId() {
    thread_local const DWORD id = nextThreadId++;
    return id;
}

// Milliseconds of the host's monotonic clock, wrapping at 2^32 as Windows does.
DWORD GetTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long long ms = static_cast<unsigned long long>(now.tv_sec) * 1000u +
                            static_cast<unsigned long long>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);
}

// Ends the process at once: no exit handlers, no static destructors. The
// host's exit status keeps the low eight bits of the code, as a shell sees it.
void ExitProcess(UINT exitCode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(static_cast<int>(exitCode));
}
