// A window that stops answering, as a browser whose page is busy: sending
// to it with a time-out costs exactly the time-out on the clock and fails,
// and the picker's calls that need no answer still work on it.
#include <cstring>
#include <vector>

#include "tests/host/emulation/desktop_host_test.h"

namespace {

using HungWindowTest = DesktopHostTest;

std::vector<UINT> received;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_NCHITTEST) received.push_back(message);
    if (message == WM_USER + 1) return 99;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND recordingWindow(int x, int y) {
    HWND window = CreateWindowExA(0, "Static", "page", WS_POPUP | WS_VISIBLE, x, y, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingProcedure));
    received.clear();
    return window;
}

TEST_F(HungWindowTest, SendingWithATimeOutWaitsItOutOnTheClock) {
    HWND window = recordingWindow(100, 100);
    emulation::setTickCount(0xFFFFFF00u);  // the wait crosses the tick count's wrap
    emulation::setWindowHung(window, true);

    struct Case {
        UINT timeout;
        DWORD tickAfter;
    };
    const Case cases[] = {{1000, 0x000002E8u}, {0, 0x000002E8u}, {10, 0x000002F2u}};
    for (const Case& c : cases) {
        DWORD_PTR result = 5;
        SetLastError(0);
        EXPECT_EQ(
            SendMessageTimeoutA(window, WM_USER + 1, 0, 0, SMTO_ABORTIFHUNG, c.timeout, &result),
            0);
        EXPECT_EQ(result, 0u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
        EXPECT_EQ(GetTickCount(), c.tickAfter) << c.timeout;
    }
    EXPECT_TRUE(received.empty());

    emulation::setWindowHung(window, false);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_USER + 1, 0, 0, SMTO_ABORTIFHUNG, 1000, &result), 0);
    EXPECT_EQ(result, 99u);
    EXPECT_EQ(GetTickCount(), 0x000002F2u);  // an answer takes no time
    DestroyWindow(window);
}

TEST_F(HungWindowTest, ItsPostedMessagesWaitUntilItAnswersAgain) {
    HWND window = recordingWindow(100, 100);
    emulation::setWindowHung(window, true);
    PostMessageA(window, WM_USER + 2, 0, 0);
    PostMessageA(nullptr, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    emulation::setWindowHung(window, false);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    DestroyWindow(window);
}

TEST_F(HungWindowTest, ThePickersQuestionsNeedNoAnswer) {
    HWND window = recordingWindow(100, 100);
    emulation::setWindowHung(window, true);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), window);
    char name[32] = {};
    EXPECT_EQ(GetClassNameA(window, name, sizeof name), 6);
    char text[32] = {};
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 4);
    EXPECT_STREQ(text, "page");
    RECT rect;
    EXPECT_TRUE(GetWindowRect(window, &rect));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(received.empty());  // not even WM_NCHITTEST

    // Mouse input over it belongs to its own program.
    MSG msg;
    emulation::moveMouseTo(1, 1);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    emulation::moveMouseTo(150, 150);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    emulation::setWindowHung(window, false);
    DestroyWindow(window);
}

using HungWindowDeathTest = DesktopHostTest;

TEST_F(HungWindowDeathTest, SendingWithoutATimeOutWouldWaitForever) {
    HWND window = recordingWindow(100, 100);
    emulation::setWindowHung(window, true);
    EXPECT_DEATH(SendMessageA(window, WM_USER + 1, 0, 0), "SendMessageA to a hung window");
    emulation::setWindowHung(window, false);
    DestroyWindow(window);
}

}  // namespace
