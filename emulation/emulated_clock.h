// The emulated desktop's clock, shared by the tick count, waitable timers,
// waits and message times. It follows the host's monotonic clock until a
// test sets it; from then on it stands still and moves only when a test
// advances it or when a wait on the emulated desktop would otherwise have to
// sleep, so that waits in tests take no real time.
#pragma once

#include <cstdint>

namespace emulation::clock {

// 100-nanosecond units since the emulated system started.
std::int64_t now();

// Whether a test has taken the clock over.
bool isManual();

// Lets time pass until the given moment: on a manual clock the clock jumps
// there at once, otherwise the calling thread sleeps until then.
void waitUntil(std::int64_t moment);

constexpr std::int64_t kUnitsPerMillisecond = 10000;

}  // namespace emulation::clock
