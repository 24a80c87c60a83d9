// Waitable timers and the waits on them, as the page waits pause between
// polls: a relative due time, auto and manual reset, and
// MsgWaitForMultipleObjects choosing between the timer and new messages.
#include <gtest/gtest.h>

#include "runtime/system_services.h"
#include "tests/conformance/platform/desktop_support.h"

namespace {

using WaitableTimerTest = DesktopTest;

LARGE_INTEGER relative(LONGLONG milliseconds) {
    LARGE_INTEGER due;
    due.QuadPart = milliseconds * -10000;  // 100-nanosecond units, negative: from now
    return due;
}

TEST_F(WaitableTimerTest, AnAutoResetTimerSignalsOnceWhenDue) {
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT);  // never set

    LARGE_INTEGER due = relative(20);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT);  // the wait reset it
    EXPECT_TRUE(CloseHandle(timer));
}

TEST_F(WaitableTimerTest, AManualResetTimerStaysSignalledUntilSetAgain) {
    HANDLE timer = CreateWaitableTimerA(nullptr, TRUE, nullptr);
    ASSERT_NE(timer, nullptr);
    LARGE_INTEGER now = relative(0);
    ASSERT_TRUE(SetWaitableTimer(timer, &now, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_OBJECT_0);

    LARGE_INTEGER later = relative(60000);
    ASSERT_TRUE(SetWaitableTimer(timer, &later, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CancelWaitableTimer(timer));
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(timer));
}

TEST_F(WaitableTimerTest, NewMessagesWakeTheWaitBeforeTheTimer) {
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    ASSERT_NE(timer, nullptr);
    LARGE_INTEGER due = relative(60000);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER, 0, 0));
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT),
              WAIT_OBJECT_0 + 1);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
    pump();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, 10, QS_ALLINPUT), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(timer));
}

// The pause between polls: wait for the timer, handling messages as they
// come, until the timer fires, even while a quit request stays queued.
TEST_F(WaitableTimerTest, APauseEndsWhileMessagesKeepArriving) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    logMessages({WM_USER});
    PostQuitMessage(0);
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    ASSERT_NE(timer, nullptr);
    LARGE_INTEGER due = relative(10);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    PostMessageA(window, WM_USER, 0, 0);
    int wakes = 0;
    while (MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, 0xFF) != WAIT_OBJECT_0) {
        ++wakes;
        processEvents();
    }
    EXPECT_TRUE(CloseHandle(timer));
    EXPECT_GE(wakes, 1);
    EXPECT_EQ(log().size(), 1u);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // still there
}

TEST_F(WaitableTimerTest, HandlesCloseOnce) {
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(CloseHandle(timer));
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(timer));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
