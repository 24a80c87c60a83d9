// The host's side of the desktop test support: the emulation's hooks.
#include <sstream>

#include "emulation/desktop_testing.h"
#include "tests/conformance/platform/desktop_support.h"

struct UnansweringWindow::State {
    HWND window = nullptr;
};

UnansweringWindow::UnansweringWindow() : state_(std::make_unique<State>()) {
    state_->window = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    emulation::setWindowHung(state_->window, true);
}

UnansweringWindow::~UnansweringWindow() {
    emulation::setWindowHung(state_->window, false);
    DestroyWindow(state_->window);
}

HWND UnansweringWindow::handle() const { return state_->window; }

void injectMouseMove(int x, int y) { emulation::moveMouseTo(x, y); }

void injectLeftButton(bool down) {
    if (down) {
        emulation::pressLeftButton();
    } else {
        emulation::releaseLeftButton();
    }
}

std::string desktopCensus() {
    std::ostringstream text;
    text << emulation::liveDesktopObjects();
    return text.str();
}
