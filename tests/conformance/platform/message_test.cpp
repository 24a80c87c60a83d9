// Messages: registered message numbers, sending with and without a
// time-out, the order in which posted messages come out of the queue, its
// filters, and the waits that wake for new messages.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/system_services.h"
#include "tests/conformance/platform/desktop_support.h"

namespace {

using MessageTest = DesktopTest;

constexpr UINT kAsk = WM_USER + 7;

LRESULT CALLBACK answeringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAsk) return static_cast<LRESULT>(wParam) * 2 + 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

// Takes every waiting message of the WM_USER range, and WM_QUIT, in order.
std::vector<LoggedMessage> drain(HWND filter = nullptr) {
    std::vector<LoggedMessage> taken;
    MSG msg;
    while (PeekMessageA(&msg, filter, WM_USER, WM_USER + 100, PM_REMOVE)) {
        taken.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
    }
    if (filter == nullptr && PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        taken.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
    }
    return taken;
}

TEST_F(MessageTest, RegisteredMessagesHaveOneNumberPerName) {
    UINT document = RegisterWindowMessageA("WM_HTML_GETOBJECT");
    EXPECT_GE(document, 0xC000u);
    EXPECT_LE(document, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("WM_HTML_GETOBJECT"), document);
    EXPECT_EQ(RegisterWindowMessageA("wm_html_getobject"), document);  // letter case aside
    UINT other = RegisterWindowMessageA("VexaroOtherMessage");
    EXPECT_GE(other, 0xC000u);
    EXPECT_NE(other, document);
}

TEST_F(MessageTest, SendingCallsTheProcedureAndReturnsItsAnswer) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answeringProcedure));
    EXPECT_EQ(SendMessageA(window, kAsk, 20, 0), 41);

    DWORD_PTR result = 77;
    EXPECT_NE(SendMessageTimeoutA(window, kAsk, 5, 0, SMTO_ABORTIFHUNG, 1000, &result), 0);
    EXPECT_EQ(result, 11u);
}

TEST_F(MessageTest, SendingWithATimeOutToAWindowThatDoesNotAnswerFails) {
    UnansweringWindow silent;
    DWORD_PTR result = 77;
    SetLastError(0);
    EXPECT_EQ(SendMessageTimeoutA(silent.handle(), kAsk, 5, 0, SMTO_ABORTIFHUNG, 50, &result), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(result, 0u);  // the result is left 0
}

TEST_F(MessageTest, SendingToAWindowThatIsGoneFails) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    DestroyWindow(window);
    DWORD_PTR result = 77;
    SetLastError(0);
    EXPECT_EQ(SendMessageTimeoutA(window, kAsk, 5, 0, SMTO_ABORTIFHUNG, 1000, &result), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(result, 0u);
    EXPECT_FALSE(PostMessageA(window, kAsk, 0, 0));
}

TEST_F(MessageTest, PostedMessagesComeOutInOrderAndQuitComesLast) {
    HWND first = makeWindow(WS_POPUP, 200, 200, 30, 20);
    HWND second = makeWindow(WS_POPUP, 200, 200, 30, 20);
    ASSERT_TRUE(PostMessageA(first, WM_USER + 1, 1, 10));
    PostQuitMessage(3);
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 2, 2, 20));  // a thread message
    ASSERT_TRUE(PostMessageA(second, WM_USER + 3, 3, 30));
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER + 4, 4, 40));
    ASSERT_TRUE(PostMessageA(first, WM_USER + 5, 5, 50));
    EXPECT_EQ(drain(), (std::vector<LoggedMessage>{{first, WM_USER + 1, 1, 10},
                                                   {nullptr, WM_USER + 2, 2, 20},
                                                   {second, WM_USER + 3, 3, 30},
                                                   {nullptr, WM_USER + 4, 4, 40},
                                                   {first, WM_USER + 5, 5, 50},
                                                   {nullptr, WM_QUIT, 3, 0}}));
}

TEST_F(MessageTest, FiltersPickMessagesOutOfTurn) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 30, 20);
    HWND child = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND other = makeWindow(WS_POPUP, 200, 200, 30, 20);
    PostMessageA(other, WM_USER + 1, 0, 0);
    PostMessageA(child, WM_USER + 2, 0, 0);
    PostMessageA(nullptr, WM_USER + 3, 0, 0);
    PostMessageA(top, WM_USER + 4, 0, 0);
    PostMessageA(other, WM_USER + 50, 0, 0);

    // A window filter takes its children's messages too.
    EXPECT_EQ(drain(top),
              (std::vector<LoggedMessage>{{child, WM_USER + 2, 0, 0}, {top, WM_USER + 4, 0, 0}}));
    MSG msg;
    // -1 asks for thread messages only.
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 10, WM_USER + 60, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 50));
    EXPECT_EQ(drain(), (std::vector<LoggedMessage>{{other, WM_USER + 1, 0, 0},
                                                   {other, WM_USER + 50, 0, 0}}));
}

TEST_F(MessageTest, DispatchingCallsTheWindowsProcedure) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answeringProcedure));
    PostMessageA(window, kAsk, 4, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, window, kAsk, kAsk, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(DispatchMessageA(&msg), 9);
}

TEST_F(MessageTest, ProcessEventsRunsTheHandlersOfWaitingMessages) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    logMessages({WM_USER + 1, WM_USER + 2});
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_USER + 2, 0, 0);
    processEvents();
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{{window, WM_USER + 1, 0, 0},
                                                 {window, WM_USER + 2, 0, 0}}));
}

// MsgWaitForMultipleObjects wakes for what arrived since the thread last
// looked at its queue, not for what merely waits there.
TEST_F(MessageTest, WaitsWakeOnlyForNewMessages) {
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 1, 0, 0));
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_KEY), WAIT_TIMEOUT);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // looked at, still there
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_EQ(HIWORD(GetQueueStatus(QS_POSTMESSAGE)), QS_POSTMESSAGE);
    EXPECT_EQ(LOWORD(GetQueueStatus(QS_POSTMESSAGE)), 0);

    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 2, 0, 0));
    EXPECT_EQ(LOWORD(GetQueueStatus(QS_POSTMESSAGE)), QS_POSTMESSAGE);
    drain();

    PostQuitMessage(0);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
    drain();
}

}  // namespace
