// The mouse: the cursor's position, the buttons, capture, and the input a
// test or the demo injects as a person would move the mouse.
#include "emulation/desktop_internal.h"
#include "emulation/desktop_testing.h"

namespace {

struct Mouse {
    POINT position{emulation::desktop::kScreenWidth / 2, emulation::desktop::kScreenHeight / 2};
    bool leftDown = false;
    bool rightDown = false;
    HWND capture = nullptr;
};

Mouse& mouse() {
    static Mouse state;
    return state;
}

WPARAM keyState() {
    WPARAM state = 0;
    if (mouse().leftDown) state |= MK_LBUTTON;
    if (mouse().rightDown) state |= MK_RBUTTON;
    return state;
}

LONG clamp(LONG value, LONG low, LONG high) {
    return value < low ? low : value > high ? high : value;
}

// Moving the cursor is input: a move to a new position queues WM_MOUSEMOVE,
// one to where the cursor already is queues nothing.
void moveTo(int x, int y) {
    POINT target{clamp(x, 0, emulation::desktop::kScreenWidth - 1),
                 clamp(y, 0, emulation::desktop::kScreenHeight - 1)};
    if (target.x == mouse().position.x && target.y == mouse().position.y) return;
    mouse().position = target;
    emulation::desktop::queueMouseInput(WM_MOUSEMOVE, target, keyState());
}

void releaseCapture(HWND next) {
    HWND previous = mouse().capture;
    mouse().capture = next;
    // Even a window taking the capture it already has hears of it.
    if (previous != nullptr) {
        emulation::desktop::callProcedure(previous, WM_CAPTURECHANGED, 0,
                                          reinterpret_cast<LPARAM>(next));
    }
}

}  // namespace

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) return FALSE;
    *point = mouse().position;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    moveTo(x, y);
    return TRUE;
}

// The window losing the capture hears of it with WM_CAPTURECHANGED, which
// names the window taking it.
HWND SetCapture(HWND window) {
    HWND previous = mouse().capture;
    if (window != nullptr && emulation::desktop::windowOrError(window) == nullptr) return previous;
    releaseCapture(window);
    return previous;
}

BOOL ReleaseCapture() {
    releaseCapture(nullptr);
    return TRUE;
}

HWND GetCapture() { return mouse().capture; }

namespace emulation::desktop {

HWND captureWindow() { return mouse().capture; }

void forgetWindowMouseState(HWND window) {
    if (mouse().capture == window) releaseCapture(nullptr);
}

}  // namespace emulation::desktop

namespace emulation {

void moveMouseTo(int x, int y) { moveTo(x, y); }

void pressLeftButton() {
    mouse().leftDown = true;
    desktop::queueMouseInput(WM_LBUTTONDOWN, mouse().position, keyState());
}

void releaseLeftButton() {
    mouse().leftDown = false;
    desktop::queueMouseInput(WM_LBUTTONUP, mouse().position, keyState());
}

void pressRightButton() {
    mouse().rightDown = true;
    desktop::queueMouseInput(WM_RBUTTONDOWN, mouse().position, keyState());
}

void releaseRightButton() {
    mouse().rightDown = false;
    desktop::queueMouseInput(WM_RBUTTONUP, mouse().position, keyState());
}

}  // namespace emulation
