// A fixture for host-only tests of the emulated desktop: it leaves the
// clock as it found it (following the host) and checks that a test leaves
// no window, handle, bitmap or other object behind.
#pragma once

#include <gtest/gtest.h>

#include "emulation/desktop_testing.h"
#include "platform/win32.h"

class DesktopHostTest : public ::testing::Test {
protected:
    void SetUp() override { before_ = emulation::liveDesktopObjects(); }

    void TearDown() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        emulation::useRealClock();
        EXPECT_EQ(emulation::liveDesktopObjects(), before_);
    }

    static HWND popup(int x, int y, int width, int height, DWORD style = 0) {
        return CreateWindowExA(0, "Static", "", WS_POPUP | SS_NOTIFY | style, x, y, width, height,
                               nullptr, nullptr, nullptr, nullptr);
    }

private:
    emulation::DesktopObjects before_;
};
