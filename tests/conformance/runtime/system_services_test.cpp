// processEvents and uptimeMilliseconds against the thread's real queue and
// clock.
#include "runtime/system_services.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

constexpr UINT kProbe = WM_USER + 1;

std::vector<UINT>& receivedProbes() {
    static std::vector<UINT> received;
    return received;
}

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= kProbe) receivedProbes().push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

class ProcessEventsTest : public ::testing::Test {
protected:
    // Leaves the queue empty for the next test, whatever this one left.
    void TearDown() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static bool post(UINT message, WPARAM wParam = 0) {
        return PostThreadMessageA(GetCurrentThreadId(), message, wParam, 0) != FALSE;
    }

    // The messages left in the queue, removed in order.
    static std::vector<UINT> drain() {
        std::vector<UINT> left;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) left.push_back(msg.message);
        return left;
    }
};

TEST_F(ProcessEventsTest, DispatchesEverythingWaiting) {
    ASSERT_TRUE(post(kProbe));
    ASSERT_TRUE(post(kProbe + 1));
    ASSERT_TRUE(post(kProbe + 2));
    processEvents();
    EXPECT_TRUE(drain().empty());
}

TEST_F(ProcessEventsTest, StopsAtQuitAndLeavesItQueued) {
    ASSERT_TRUE(post(kProbe));
    ASSERT_TRUE(post(WM_QUIT, 7));
    ASSERT_TRUE(post(kProbe + 1));
    processEvents();
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_QUIT, kProbe + 1}));
}

TEST_F(ProcessEventsTest, QuitRequestIsLeftForTheMessageLoop) {
    ASSERT_TRUE(post(kProbe));
    PostQuitMessage(5);
    processEvents();
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
}

// Messages posted to a window reach its procedure inside processEvents.
TEST_F(ProcessEventsTest, DispatchesWindowMessagesToTheirProcedure) {
    receivedProbes().clear();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = recordingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VexaroProcessEventsProbe";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "VexaroProcessEventsProbe", "", 0, 0, 0, 10, 10, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PostMessageA(window, kProbe, 0, 0));
    ASSERT_TRUE(PostMessageA(window, kProbe + 1, 0, 0));
    EXPECT_TRUE(receivedProbes().empty());  // nothing runs before the queue is worked
    processEvents();
    EXPECT_EQ(receivedProbes(), (std::vector<UINT>{kProbe, kProbe + 1}));
    DestroyWindow(window);
    UnregisterClassA("VexaroProcessEventsProbe", windowClass.hInstance);
}

TEST_F(ProcessEventsTest, ReturnsAtOnceOnAnEmptyQueue) {
    processEvents();
    EXPECT_TRUE(drain().empty());
}

TEST(UptimeTest, FollowsTheTickCount) {
    std::int32_t before = static_cast<std::int32_t>(GetTickCount());
    std::int32_t uptime = uptimeMilliseconds();
    std::int32_t after = static_cast<std::int32_t>(GetTickCount());
    // Differences, not values, so that a wrap of the counter does not matter.
    EXPECT_GE(uptime - before, 0);
    EXPECT_GE(after - uptime, 0);
}

}  // namespace
