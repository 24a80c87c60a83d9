// Process and thread services of the emulated kernel.
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "emulation/kernel32.h"

namespace {
thread_local DWORD lastError = 0;
std::atomic<DWORD> nextThreadId{1};

// The program's own module. Its value is the load address Windows gives a
// 32-bit program, which nothing reads as memory.
HMODULE const programModule = reinterpret_cast<HMODULE>(0x00400000);
}  // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }

DWORD GetCurrentThreadId() {
    thread_local const DWORD id = nextThreadId++;
    return id;
}

// Only the program itself is loaded: a null name asks for it, and no other
// module can be found.
HMODULE GetModuleHandleA(LPCSTR moduleName) {
    if (moduleName == nullptr) return programModule;
    SetLastError(126);  // ERROR_MOD_NOT_FOUND
    return nullptr;
}

// Ends the process at once: no exit handlers, no static destructors. The
// host's exit status keeps the low eight bits of the code, as a shell sees it.
void ExitProcess(UINT exitCode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(static_cast<int>(exitCode));
}
