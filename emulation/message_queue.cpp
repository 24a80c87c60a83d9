// The calling thread's message queue: posted messages in order, and the quit
// request that PostQuitMessage raises, which is delivered as WM_QUIT once no
// posted message is left. There are no windows yet, so dispatching a message
// reaches no window procedure.
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "emulation/kernel32.h"
#include "emulation/testing.h"
#include "emulation/user32.h"

namespace {

constexpr DWORD kErrorInvalidThreadId = 1444;
constexpr DWORD kErrorInvalidWindowHandle = 1400;

struct Queue {
    std::deque<MSG> posted;
    bool quitRequested = false;
    int quitCode = 0;
};

Queue& threadQueue() {
    thread_local Queue queue;
    return queue;
}

bool matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    // A window filter of -1 asks for thread messages only.
    if (window == reinterpret_cast<HWND>(-1)) {
        if (msg.hwnd != nullptr) return false;
    } else if (window != nullptr && msg.hwnd != window) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

}  // namespace

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) {
        SetLastError(kErrorInvalidThreadId);
        return FALSE;
    }
    threadQueue().posted.push_back(makeMessage(nullptr, message, wParam, lParam));
    return TRUE;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window posts a thread message to the calling thread.
    if (window == nullptr) {
        return PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
    }
    SetLastError(kErrorInvalidWindowHandle);
    return FALSE;
}

void PostQuitMessage(int exitCode) {
    threadQueue().quitRequested = true;
    threadQueue().quitCode = exitCode;
}

BOOL PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Queue& queue = threadQueue();
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!matches(*it, window, filterMin, filterMax)) continue;
        *msg = *it;
        if (removeFlags & PM_REMOVE) queue.posted.erase(it);
        return TRUE;
    }
    MSG quit = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
    if (queue.quitRequested &&
        matches(quit, window == reinterpret_cast<HWND>(-1) ? nullptr : window, filterMin,
                filterMax)) {
        *msg = quit;
        if (removeFlags & PM_REMOVE) queue.quitRequested = false;
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (!PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) {
        // Nothing else runs on the emulated desktop that could post a message,
        // so waiting would never end.
        std::fprintf(stderr, "emulation: GetMessageA would wait forever on an empty queue\n");
        std::abort();
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG*) { return 0; }

namespace emulation {
int queuedMessageCount() {
    const Queue& queue = threadQueue();
    return static_cast<int>(queue.posted.size()) + (queue.quitRequested ? 1 : 0);
}
}  // namespace emulation
