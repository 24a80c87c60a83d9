#include "tests/conformance/platform/desktop_support.h"

#include <algorithm>
#include <ostream>

namespace {

std::vector<UINT>& loggedKinds() {
    static std::vector<UINT> kinds;
    return kinds;
}

LRESULT CALLBACK probeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto& kinds = loggedKinds();
    if (std::find(kinds.begin(), kinds.end(), message) != kinds.end()) {
        DesktopTest::log().push_back({window, message, wParam, lParam});
    }
    if (message == WM_NCHITTEST &&
        GetWindowLongPtrA(window, GWLP_USERDATA) == DesktopTest::kTransparent) {
        return HTTRANSPARENT;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void PrintTo(const LoggedMessage& logged, std::ostream* out) {
    *out << "{window " << reinterpret_cast<std::uintptr_t>(logged.window) << ", message 0x"
         << std::hex << logged.message << ", wParam 0x" << logged.wParam << ", lParam 0x"
         << static_cast<std::uintptr_t>(logged.lParam) << std::dec << "}";
}

std::vector<LoggedMessage>& DesktopTest::log() {
    static std::vector<LoggedMessage> messages;
    return messages;
}

void DesktopTest::logMessages(std::vector<UINT> messages) {
    loggedKinds() = std::move(messages);
    log().clear();
}

void DesktopTest::pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void DesktopTest::SetUp() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = probeProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kProbeClass;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        registered = RegisterClassA(&windowClass) != 0;
        ASSERT_TRUE(registered);
    }
    logMessages({});
    pump();
    census_ = desktopCensus();
}

void DesktopTest::TearDown() {
    logMessages({});
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (IsWindow(*it)) DestroyWindow(*it);
    }
    pump();
    EXPECT_EQ(desktopCensus(), census_);
}

HWND DesktopTest::makeWindowOfClass(const char* className, DWORD style, int x, int y, int width,
                                    int height, HWND parent, const char* text, DWORD exStyle) {
    HWND window = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr) << className;
    if (window != nullptr) windows_.push_back(window);
    return window;
}

HWND DesktopTest::makeWindow(DWORD style, int x, int y, int width, int height, HWND parent,
                             const char* text, DWORD exStyle) {
    return makeWindowOfClass(kProbeClass, style, x, y, width, height, parent, text, exStyle);
}
