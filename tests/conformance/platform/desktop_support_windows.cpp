// The Windows side of the desktop test support: a thread that stops
// looking at its queue, SendInput, and the system's object counts.
#include <thread>

#include "tests/conformance/platform/desktop_support.h"

struct UnansweringWindow::State {
    HWND window = nullptr;
    HANDLE created = nullptr;
    HANDLE finish = nullptr;
    std::thread owner;
};

// The window's thread makes it, then waits without looking at its queue
// until the test is over; only then does it handle what was sent and
// destroy the window.
UnansweringWindow::UnansweringWindow() : state_(std::make_unique<State>()) {
    state_->created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    state_->finish = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    State* state = state_.get();
    state_->owner = std::thread([state] {
        state->window = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
        SetEvent(state->created);
        WaitForSingleObject(state->finish, INFINITE);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        DestroyWindow(state->window);
    });
    WaitForSingleObject(state_->created, INFINITE);
}

UnansweringWindow::~UnansweringWindow() {
    SetEvent(state_->finish);
    state_->owner.join();
    CloseHandle(state_->created);
    CloseHandle(state_->finish);
}

HWND UnansweringWindow::handle() const { return state_->window; }

namespace {

void sendMouse(DWORD flags, int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions are given in 65536ths of the screen.
    input.mi.dx = (x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// EnumChildWindows visits every descendant, not only the children.
BOOL CALLBACK countTree(HWND window, LPARAM count) {
    countWindow(window, count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

}  // namespace

void injectMouseMove(int x, int y) { sendMouse(MOUSEEVENTF_MOVE, x, y); }

void injectLeftButton(bool down) {
    POINT at;
    GetCursorPos(&at);
    sendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, at.x, at.y);
}

// Wine answers GetGuiResources with 0; Windows counts.
std::string desktopCensus() {
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), countTree, reinterpret_cast<LPARAM>(&windows));
    HANDLE process = GetCurrentProcess();
    return "windows " + std::to_string(windows) + ", gdi objects " +
           std::to_string(GetGuiResources(process, GR_GDIOBJECTS)) + ", user objects " +
           std::to_string(GetGuiResources(process, GR_USEROBJECTS));
}
