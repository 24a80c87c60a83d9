// The emulated clock and the kernel calls that read it or wait on it alone.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "emulation/desktop_testing.h"
#include "emulation/emulated_clock.h"
#include "emulation/kernel32.h"

namespace {

std::mutex clockMutex;
bool manual = false;
std::int64_t manualNow = 0;

std::int64_t hostNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 10000000 + now.tv_nsec / 100;
}

}  // namespace

namespace emulation::clock {

std::int64_t now() {
    std::lock_guard<std::mutex> lock(clockMutex);
    return manual ? manualNow : hostNow();
}

bool isManual() {
    std::lock_guard<std::mutex> lock(clockMutex);
    return manual;
}

void waitUntil(std::int64_t moment) {
    std::int64_t remaining = 0;
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        if (manual) {
            if (moment > manualNow) manualNow = moment;
            return;
        }
        remaining = moment - hostNow();
    }
    if (remaining > 0) {
        // <chrono> does not compile with narrow literals in code page 936.
        timespec pause{static_cast<time_t>(remaining / 10000000),
                       static_cast<long>(remaining % 10000000) * 100};
        while (nanosleep(&pause, &pause) != 0) {
        }
    }
}

}  // namespace emulation::clock

namespace emulation {

void setTickCount(DWORD milliseconds) {
    std::lock_guard<std::mutex> lock(clockMutex);
    manual = true;
    manualNow = static_cast<std::int64_t>(milliseconds) * clock::kUnitsPerMillisecond;
}

void advanceClock(DWORD milliseconds) {
    std::lock_guard<std::mutex> lock(clockMutex);
    if (!manual) {
        manual = true;
        manualNow = hostNow();
    }
    manualNow += static_cast<std::int64_t>(milliseconds) * clock::kUnitsPerMillisecond;
}

void useRealClock() {
    std::lock_guard<std::mutex> lock(clockMutex);
    manual = false;
}

}  // namespace emulation

// Milliseconds of the emulated clock, wrapping at 2^32 as Windows does.
DWORD GetTickCount() {
    return static_cast<DWORD>(emulation::clock::now() / emulation::clock::kUnitsPerMillisecond);
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == INFINITE) {
        std::fprintf(stderr, "emulation: Sleep(INFINITE) would never return\n");
        std::abort();
    }
    emulation::clock::waitUntil(emulation::clock::now() +
                                static_cast<std::int64_t>(milliseconds) *
                                    emulation::clock::kUnitsPerMillisecond);
}
