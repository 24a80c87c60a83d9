// Waitable timers and the waits on them. The handle table holds timers
// only: they are the one kind of kernel object the program creates.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "emulation/emulated_clock.h"
#include "emulation/kernel_objects.h"

namespace {

struct Timer {
    bool manualReset = false;
    bool signalled = false;
    std::optional<std::int64_t> due;  // the next expiry, on the emulated clock
    std::int64_t period = 0;          // 100-nanosecond units, 0 for a one-shot timer
};

std::mutex tableMutex;
std::map<HANDLE, Timer> timers;
std::uintptr_t nextHandle = 0x40;

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01, the difference
// between the two epochs of absolute due times and the host's system clock.
constexpr std::int64_t kFileTimeOfUnixEpoch = 116444736000000000LL;

std::int64_t systemFileTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return kFileTimeOfUnixEpoch + static_cast<std::int64_t>(now.tv_sec) * 10000000 +
           now.tv_nsec / 100;
}

Timer* findTimer(HANDLE handle) {
    auto it = timers.find(handle);
    return it == timers.end() ? nullptr : &it->second;
}

// Brings a timer's state up to the clock: an expiry that has passed signals
// it, and a periodic timer moves on to its next expiry after now.
void update(Timer& timer, std::int64_t now) {
    if (!timer.due || *timer.due > now) return;
    timer.signalled = true;
    if (timer.period > 0) {
        std::int64_t periods = (now - *timer.due) / timer.period + 1;
        *timer.due += periods * timer.period;
    } else {
        timer.due.reset();
    }
}

// An auto-reset timer is reset by the wait it satisfies.
void consume(Timer& timer) {
    if (!timer.manualReset) timer.signalled = false;
}

}  // namespace

HANDLE CreateWaitableTimerA(LPSECURITY_ATTRIBUTES, BOOL manualReset, LPCSTR name) {
    if (name != nullptr) {
        // Named objects are shared between processes; there is only one here.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(tableMutex);
    HANDLE handle = reinterpret_cast<HANDLE>(nextHandle);
    nextHandle += 4;
    timers[handle].manualReset = manualReset != FALSE;
    SetLastError(ERROR_SUCCESS);
    return handle;
}

// A completion routine would run only in an alertable wait, which the
// emulation has none of; it is accepted and never called. Resuming a
// suspended system does not happen either.
BOOL SetWaitableTimer(HANDLE handle, const LARGE_INTEGER* dueTime, LONG period, PTIMERAPCROUTINE,
                      LPVOID, BOOL) {
    std::lock_guard<std::mutex> lock(tableMutex);
    Timer* timer = findTimer(handle);
    if (timer == nullptr || dueTime == nullptr || period < 0) {
        SetLastError(timer == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::int64_t now = emulation::clock::now();
    std::int64_t delay =
        dueTime->QuadPart < 0 ? -dueTime->QuadPart : dueTime->QuadPart - systemFileTime();
    timer->signalled = false;
    timer->due = now + (delay > 0 ? delay : 0);
    timer->period = static_cast<std::int64_t>(period) * emulation::clock::kUnitsPerMillisecond;
    update(*timer, now);
    return TRUE;
}

BOOL CancelWaitableTimer(HANDLE handle) {
    std::lock_guard<std::mutex> lock(tableMutex);
    Timer* timer = findTimer(handle);
    if (timer == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Cancelling stops the timer but leaves its signalled state as it is.
    update(*timer, emulation::clock::now());
    timer->due.reset();
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    std::lock_guard<std::mutex> lock(tableMutex);
    if (timers.erase(handle) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return emulation::kernel::wait(1, &handle, FALSE, milliseconds, [] { return false; });
}

namespace emulation::kernel {

DWORD wait(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
           const std::function<bool()>& inputArrived) {
    {
        std::lock_guard<std::mutex> lock(tableMutex);
        for (DWORD i = 0; i < count; ++i) {
            if (findTimer(handles[i]) == nullptr) {
                SetLastError(ERROR_INVALID_HANDLE);
                return WAIT_FAILED;
            }
        }
    }
    std::optional<std::int64_t> deadline;
    if (milliseconds != INFINITE) {
        deadline =
            clock::now() + static_cast<std::int64_t>(milliseconds) * clock::kUnitsPerMillisecond;
    }
    for (;;) {
        std::optional<std::int64_t> nextChange;
        {
            std::lock_guard<std::mutex> lock(tableMutex);
            std::int64_t now = clock::now();
            std::vector<Timer*> waited;
            for (DWORD i = 0; i < count; ++i) {
                Timer* timer = findTimer(handles[i]);
                if (timer == nullptr) {  // closed while waiting
                    SetLastError(ERROR_INVALID_HANDLE);
                    return WAIT_FAILED;
                }
                update(*timer, now);
                waited.push_back(timer);
            }
            if (waitAll && count > 0) {
                bool all = true;
                for (Timer* timer : waited) all = all && timer->signalled;
                if (all) {
                    for (Timer* timer : waited) consume(*timer);
                    return WAIT_OBJECT_0;
                }
            } else {
                for (DWORD i = 0; i < count; ++i) {
                    if (waited[i]->signalled) {
                        consume(*waited[i]);
                        return WAIT_OBJECT_0 + i;
                    }
                }
            }
            for (Timer* timer : waited) {
                if (timer->signalled || !timer->due) continue;
                if (!nextChange || *timer->due < *nextChange) nextChange = timer->due;
            }
        }
        if (inputArrived()) return WAIT_OBJECT_0 + count;
        std::int64_t now = clock::now();
        if (deadline && now >= *deadline) return WAIT_TIMEOUT;
        std::optional<std::int64_t> until = nextChange;
        if (deadline && (!until || *deadline < *until)) until = deadline;
        if (!until) {
            std::fprintf(stderr,
                         "emulation: a wait without time-out on objects that nothing will "
                         "signal would never end\n");
            std::abort();
        }
        clock::waitUntil(*until);
    }
}

int openHandleCount() {
    std::lock_guard<std::mutex> lock(tableMutex);
    return static_cast<int>(timers.size());
}

}  // namespace emulation::kernel
