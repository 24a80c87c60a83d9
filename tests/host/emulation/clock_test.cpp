// The emulated clock under a test's control: the tick count set and
// advanced, across its 32-bit wrap, and waits that move it instead of
// sleeping.
#include <cstdint>

#include "runtime/system_services.h"
#include "tests/host/emulation/desktop_host_test.h"

namespace {

using ClockTest = DesktopHostTest;

LARGE_INTEGER relative(LONGLONG milliseconds) {
    LARGE_INTEGER due;
    due.QuadPart = milliseconds * -10000;
    return due;
}

TEST_F(ClockTest, TheTickCountStandsStillUntilAdvanced) {
    emulation::setTickCount(1000);
    EXPECT_EQ(GetTickCount(), 1000u);
    EXPECT_EQ(GetTickCount(), 1000u);
    emulation::advanceClock(250);
    EXPECT_EQ(GetTickCount(), 1250u);
    Sleep(40);  // sleeping moves the clock, not the test's time
    EXPECT_EQ(GetTickCount(), 1290u);
}

TEST_F(ClockTest, TheTickCountWrapsAtTwoToTheThirtyTwo) {
    struct Case {
        DWORD start;
        DWORD advance;
        DWORD expected;
        std::int32_t uptime;
    };
    const Case cases[] = {
        {0xFFFFFF00u, 0x100, 0, 0},
        {0xFFFFFF00u, 0x180, 0x80, 0x80},
        {0x7FFFFFFFu, 1, 0x80000000u, INT32_MIN},  // past 2^31 the uptime reads negative
        {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu, -2},
    };
    for (const Case& c : cases) {
        emulation::setTickCount(c.start);
        emulation::advanceClock(c.advance);
        EXPECT_EQ(GetTickCount(), c.expected) << std::hex << c.start << " + " << c.advance;
        EXPECT_EQ(uptimeMilliseconds(), c.uptime);
    }
}

TEST_F(ClockTest, AWaitForATimerMovesTheClockToItsDueTime) {
    emulation::setTickCount(5000);
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    LARGE_INTEGER due = relative(3000);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_EQ(GetTickCount(), 8000u);

    // A time-out that comes first ends the wait there.
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(WaitForSingleObject(timer, 1200), WAIT_TIMEOUT);
    EXPECT_EQ(GetTickCount(), 9200u);
    EXPECT_EQ(WaitForSingleObject(timer, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(GetTickCount(), 11000u);
    EXPECT_TRUE(CloseHandle(timer));
}

TEST_F(ClockTest, ATimerFiresAcrossTheWrap) {
    emulation::setTickCount(0xFFFFFFF0u);
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    LARGE_INTEGER due = relative(100);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, 0xFF), WAIT_OBJECT_0);
    EXPECT_EQ(GetTickCount(), 0x54u);
    EXPECT_TRUE(CloseHandle(timer));
}

TEST_F(ClockTest, APeriodicTimerFiresOncePerPeriod) {
    emulation::setTickCount(0);
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    LARGE_INTEGER due = relative(10);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 25, nullptr, nullptr, FALSE));
    for (DWORD expected : {10u, 35u, 60u}) {
        EXPECT_EQ(WaitForSingleObject(timer, INFINITE), WAIT_OBJECT_0);
        EXPECT_EQ(GetTickCount(), expected);
    }
    // Periods that pass unwaited signal once, not once each.
    emulation::advanceClock(100);
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(timer));
}

// The page waits' pause: ten milliseconds on the clock, whatever messages
// arrive meanwhile, and no real time.
TEST_F(ClockTest, APauseTakesItsTimeOnTheClock) {
    emulation::setTickCount(200);
    PostQuitMessage(0);
    PostMessageA(nullptr, WM_USER, 0, 0);
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    LARGE_INTEGER due = relative(10);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    int wakes = 0;
    while (MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, 0xFF) != WAIT_OBJECT_0) {
        ++wakes;
        processEvents();
    }
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(GetTickCount(), 210u);
    EXPECT_TRUE(CloseHandle(timer));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(ClockTest, MessagesCarryTheClocksTime) {
    emulation::setTickCount(4242);
    PostMessageA(nullptr, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.time, 4242u);
}

TEST_F(ClockTest, TheRealClockMovesOnItsOwn) {
    emulation::setTickCount(7);
    emulation::useRealClock();
    DWORD before = GetTickCount();
    Sleep(5);
    EXPECT_GE(GetTickCount() - before, 5u);
}

using ClockDeathTest = DesktopHostTest;

// Nothing else runs on the emulated desktop, so these waits could never
// end: the emulation says so and stops.
TEST_F(ClockDeathTest, WaitsThatCouldNeverEndStopTheProgram) {
    MSG msg;
    EXPECT_DEATH(GetMessageA(&msg, nullptr, 0, 0), "GetMessageA on an empty queue");
    EXPECT_DEATH(MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT),
                 "would never end");
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    EXPECT_DEATH(WaitForSingleObject(timer, INFINITE), "would never end");
    CloseHandle(timer);
}

}  // namespace
