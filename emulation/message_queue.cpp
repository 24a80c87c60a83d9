// The calling thread's message queue and the sending of messages.
//
// A queue holds posted messages in order, the quit request that
// PostQuitMessage raises, and mouse input. Retrieval follows Windows'
// priorities: posted messages first, then WM_QUIT once no posted message is
// left, then input, whatever the order of arrival. Mouse input is routed to
// a window only when it is retrieved, so that a capture taken while handling
// one message already applies to the input queued behind it.
//
// The queue also keeps the "new since last looked" bits: anything that
// arrives sets them, and every PeekMessageA or GetMessageA clears them, so
// that MsgWaitForMultipleObjects wakes only for what nobody has looked at.
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "emulation/desktop_internal.h"
#include "emulation/emulated_clock.h"
#include "emulation/kernel_objects.h"
#include "emulation/testing.h"

namespace {

using emulation::desktop::findWindow;
using emulation::desktop::Window;
using emulation::desktop::windowOrError;

struct MouseInput {
    UINT message;
    POINT point;  // screen coordinates
    WPARAM keyState;
    DWORD time;
};

struct Queue {
    std::deque<MSG> posted;
    std::deque<MouseInput> input;
    bool quitRequested = false;
    int quitCode = 0;
    UINT changed = 0;
};

Queue& threadQueue() {
    thread_local Queue queue;
    return queue;
}

HWND const kThreadMessagesOnly = reinterpret_cast<HWND>(-1);

// Whether a message for the given window passes the window filter: a window
// filter takes its children's messages too, and -1 asks for thread messages
// only.
bool windowPasses(HWND target, HWND filter) {
    if (filter == nullptr) return true;
    if (filter == kThreadMessagesOnly) return target == nullptr;
    return target == filter || IsChild(filter, target);
}

bool messagePasses(UINT message, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    GetCursorPos(&msg.pt);
    return msg;
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Queue& queue = threadQueue();
    queue.posted.push_back(makeMessage(window, message, wParam, lParam));
    queue.changed |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
}

bool isButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == 0x0207;
}

// Turns mouse input into the message its window receives: the capturing
// window's in its client coordinates, otherwise the window under the point,
// in client coordinates over its client area and as a non-client message
// with the hit-test code elsewhere. False when no window of the desktop
// takes it.
bool route(const MouseInput& input, MSG* msg, LRESULT* hitTest) {
    *msg = MSG{};
    msg->message = input.message;
    msg->wParam = input.keyState;
    msg->time = input.time;
    msg->pt = input.point;
    HWND capture = emulation::desktop::captureWindow();
    if (capture != nullptr) {
        msg->hwnd = capture;
        *hitTest = HTCLIENT;
    } else {
        msg->hwnd = emulation::desktop::windowAtPoint(input.point, hitTest);
        if (msg->hwnd == nullptr) return false;
    }
    Window* target = findWindow(msg->hwnd);
    if (target == nullptr || target->hung) return false;
    if (capture != nullptr || *hitTest == HTCLIENT) {
        POINT client = input.point;
        ScreenToClient(msg->hwnd, &client);
        msg->lParam = MAKELPARAM(client.x, client.y);
    } else {
        msg->message = input.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        msg->wParam = static_cast<WPARAM>(*hitTest);
        msg->lParam = MAKELPARAM(input.point.x, input.point.y);
    }
    return true;
}

// Takes the first mouse input that passes the filters. Input that no
// window takes is dropped on the way.
bool retrieveInput(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    Queue& queue = threadQueue();
    for (std::size_t i = 0; i < queue.input.size();) {
        MouseInput input = queue.input[i];
        MSG routed;
        LRESULT hitTest = HTNOWHERE;
        if (!route(input, &routed, &hitTest)) {
            queue.input.erase(queue.input.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (!windowPasses(routed.hwnd, window) ||
            !messagePasses(routed.message, filterMin, filterMax)) {
            ++i;
            continue;
        }
        if (!remove) {
            *msg = routed;
            return true;
        }
        queue.input.erase(queue.input.begin() + static_cast<std::ptrdiff_t>(i));
        if (emulation::desktop::captureWindow() == nullptr) {
            LPARAM codes = MAKELPARAM(hitTest, input.message);
            if (isButtonDown(input.message)) {
                LRESULT activate = emulation::desktop::callProcedure(
                    routed.hwnd, WM_MOUSEACTIVATE,
                    reinterpret_cast<WPARAM>(GetAncestor(routed.hwnd, GA_ROOT)), codes);
                if (activate == MA_ACTIVATEANDEAT || activate == MA_NOACTIVATEANDEAT) continue;
            }
            emulation::desktop::callProcedure(routed.hwnd, WM_SETCURSOR,
                                              reinterpret_cast<WPARAM>(routed.hwnd), codes);
            if (findWindow(routed.hwnd) == nullptr) continue;
        }
        *msg = routed;
        return true;
    }
    return false;
}

UINT queuedBits(const Queue& queue) {
    UINT bits = 0;
    if (!queue.posted.empty() || queue.quitRequested) bits |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    for (const MouseInput& input : queue.input) {
        bits |= input.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
    }
    return bits;
}

[[noreturn]] void waitForever(const char* what) {
    std::fprintf(stderr, "emulation: %s would wait forever\n", what);
    std::abort();
}

}  // namespace

// ---- Posting ----------------------------------------------------------------------

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    post(nullptr, message, wParam, lParam);
    return TRUE;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window posts a thread message to the calling thread.
    if (window == nullptr) return PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
    if (windowOrError(window) == nullptr) return FALSE;
    post(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Queue& queue = threadQueue();
    queue.quitRequested = true;
    queue.quitCode = exitCode;
    queue.changed |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
}

// ---- Retrieving ---------------------------------------------------------------------

BOOL PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    emulation::desktop::releaseUncollectedObjectsIfApartmentEnded();
    Queue& queue = threadQueue();
    queue.changed = 0;
    bool remove = (removeFlags & PM_REMOVE) != 0;
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!windowPasses(it->hwnd, window) || !messagePasses(it->message, filterMin, filterMax)) {
            continue;
        }
        // A hung window's messages wait until it answers again.
        if (it->hwnd != nullptr && findWindow(it->hwnd)->hung) continue;
        *msg = *it;
        if (remove) queue.posted.erase(it);
        return TRUE;
    }
    if (queue.quitRequested && (window == nullptr || window == kThreadMessagesOnly) &&
        messagePasses(WM_QUIT, filterMin, filterMax)) {
        *msg = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        if (remove) queue.quitRequested = false;
        return TRUE;
    }
    return retrieveInput(msg, window, filterMin, filterMax, remove) ? TRUE : FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    // Nothing but this thread can put a message in its queue, so waiting on
    // an empty one would never end.
    if (!PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) {
        waitForever("GetMessageA on an empty queue");
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

// Only keyboard messages are translated, and there is no keyboard.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    if (windowOrError(msg->hwnd) == nullptr) return 0;
    return emulation::desktop::callProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetQueueStatus(UINT flags) {
    Queue& queue = threadQueue();
    DWORD status = (queuedBits(queue) & flags) << 16 | (queue.changed & flags);
    queue.changed &= ~flags;
    return status;
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                DWORD milliseconds, DWORD wakeMask) {
    Queue& queue = threadQueue();
    return emulation::kernel::wait(count, handles, waitAll, milliseconds,
                                   [&queue, wakeMask] { return (queue.changed & wakeMask) != 0; });
}

// ---- Sending --------------------------------------------------------------------------

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* target = windowOrError(window);
    if (target == nullptr) return 0;
    if (target->hung) waitForever("SendMessageA to a hung window");
    return emulation::desktop::callProcedure(window, message, wParam, lParam);
}

// A window of this thread answers at once. A hung window does not answer:
// the call waits out its time-out on the emulated clock and fails with
// ERROR_TIMEOUT, leaving the result 0.
LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT,
                            UINT timeout, PDWORD_PTR result) {
    if (result != nullptr) *result = 0;
    Window* target = windowOrError(window);
    if (target == nullptr) return 0;
    if (target->hung) {
        emulation::clock::waitUntil(emulation::clock::now() +
                                    static_cast<std::int64_t>(timeout) *
                                        emulation::clock::kUnitsPerMillisecond);
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    LRESULT answer = emulation::desktop::callProcedure(window, message, wParam, lParam);
    if (result != nullptr) *result = static_cast<DWORD_PTR>(answer);
    return 1;
}

// ---- For the rest of the desktop --------------------------------------------------------

namespace emulation::desktop {

void queueMouseInput(UINT message, POINT point, WPARAM keyState) {
    Queue& queue = threadQueue();
    MouseInput input{message, point, keyState, GetTickCount()};
    // Moves that follow one another with nothing between them merge into
    // the last, as on Windows.
    if (message == WM_MOUSEMOVE && !queue.input.empty() &&
        queue.input.back().message == WM_MOUSEMOVE) {
        queue.input.back() = input;
    } else {
        queue.input.push_back(input);
    }
    queue.changed |= message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
}

void forgetWindowMessages(HWND window) {
    auto& posted = threadQueue().posted;
    for (auto it = posted.begin(); it != posted.end();) {
        it = it->hwnd == window ? posted.erase(it) : it + 1;
    }
}

}  // namespace emulation::desktop

namespace emulation {
int queuedMessageCount() {
    const Queue& queue = threadQueue();
    return static_cast<int>(queue.posted.size() + queue.input.size()) +
           (queue.quitRequested ? 1 : 0);
}
}  // namespace emulation
