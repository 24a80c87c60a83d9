// The mouse as a person moves it: which window receives each message, in
// which coordinates and with which key-state bits, with and without
// capture; the cursor position; the order of input among posted messages.
#include <gtest/gtest.h>

#include <vector>

#include "tests/conformance/platform/desktop_support.h"

namespace {

class MouseTest : public DesktopTest {
protected:
    // A visible window at (100, 100), 300 x 200, with children a at
    // (10, 10) and b at (100, 10), both 50 x 50. The mouse starts outside.
    void SetUp() override {
        DesktopTest::SetUp();
        top = makeWindow(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
        a = makeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
        b = makeWindow(WS_CHILD | WS_VISIBLE, 100, 10, 50, 50, top);
        injectMouseMove(20, 20);
        pump();
        logMessages({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                     WM_LBUTTONUP, WM_CAPTURECHANGED, WM_USER, WM_USER + 1});
    }

    void TearDown() override {
        ReleaseCapture();
        DesktopTest::TearDown();
    }

    static LoggedMessage hitTest(HWND window, int x, int y) {
        return {window, WM_NCHITTEST, 0, MAKELPARAM(x, y)};
    }
    // DefWindowProcA hands WM_SETCURSOR and WM_MOUSEACTIVATE on to the
    // parent: both windows see them.
    static std::vector<LoggedMessage> toWindowAndParent(UINT message, HWND window, HWND parent,
                                                        WPARAM wParam, UINT mouseMessage) {
        LPARAM codes = MAKELPARAM(HTCLIENT, mouseMessage);
        return {{window, message, wParam, codes}, {parent, message, wParam, codes}};
    }
    static LoggedMessage mouse(HWND window, UINT message, WPARAM keys, int x, int y) {
        return {window, message, keys, MAKELPARAM(x, y)};
    }

    std::vector<LoggedMessage> expectMove(HWND window, int screenX, int screenY, int x, int y) {
        std::vector<LoggedMessage> expected = {hitTest(window, screenX, screenY)};
        for (auto& m : toWindowAndParent(WM_SETCURSOR, window, top,
                                         reinterpret_cast<WPARAM>(window), WM_MOUSEMOVE)) {
            expected.push_back(m);
        }
        expected.push_back(mouse(window, WM_MOUSEMOVE, 0, x, y));
        return expected;
    }

    HWND top = nullptr, a = nullptr, b = nullptr;
};

TEST_F(MouseTest, MessagesGoToTheWindowUnderThePointInClientCoordinates) {
    injectMouseMove(115, 116);
    pump();
    EXPECT_EQ(log(), expectMove(a, 115, 116, 5, 6));

    logMessages({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    injectLeftButton(true);
    pump();
    std::vector<LoggedMessage> expected = {hitTest(a, 115, 116)};
    for (auto& m : toWindowAndParent(WM_MOUSEACTIVATE, a, top, reinterpret_cast<WPARAM>(top),
                                     WM_LBUTTONDOWN)) {
        expected.push_back(m);
    }
    for (auto& m :
         toWindowAndParent(WM_SETCURSOR, a, top, reinterpret_cast<WPARAM>(a), WM_LBUTTONDOWN)) {
        expected.push_back(m);
    }
    expected.push_back(mouse(a, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6));
    EXPECT_EQ(log(), expected);

    logMessages({WM_LBUTTONUP});
    injectLeftButton(false);
    pump();
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{mouse(a, WM_LBUTTONUP, 0, 5, 6)}));

    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 115);
    EXPECT_EQ(cursor.y, 116);
}

TEST_F(MouseTest, ACapturedMouseTalksOnlyToTheCapturingWindow) {
    injectMouseMove(115, 116);
    injectLeftButton(true);
    pump();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(GetCapture(), a);
    logMessages({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                 WM_LBUTTONUP, WM_CAPTURECHANGED});

    injectMouseMove(207, 118);  // over b
    pump();
    injectMouseMove(50, 40);  // outside the window altogether
    pump();
    injectLeftButton(false);
    pump();
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    // No hit testing and no cursor setting while captured; coordinates in
    // a's client area, negative outside it; the button's key-state bit
    // while it is down.
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{mouse(a, WM_MOUSEMOVE, MK_LBUTTON, 97, 8),
                                                 mouse(a, WM_MOUSEMOVE, MK_LBUTTON, -60, -70),
                                                 mouse(a, WM_LBUTTONUP, 0, -60, -70),
                                                 {a, WM_CAPTURECHANGED, 0, 0}}));

    logMessages({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE});
    injectMouseMove(207, 118);
    pump();
    EXPECT_EQ(log(), expectMove(b, 207, 118, 7, 8));
}

TEST_F(MouseTest, SettingTheCursorPositionMovesTheMouse) {
    SetCapture(a);
    logMessages({WM_MOUSEMOVE});
    ASSERT_TRUE(SetCursorPos(130, 140));
    pump();
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{mouse(a, WM_MOUSEMOVE, 0, 20, 30)}));
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 130);
    EXPECT_EQ(cursor.y, 140);
}

TEST_F(MouseTest, CaptureChangesAreAnnounced) {
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(SetCapture(b), b);  // taking it again is announced to the window itself
    EXPECT_TRUE(ReleaseCapture());
    const LPARAM toB = reinterpret_cast<LPARAM>(b);
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{{a, WM_CAPTURECHANGED, 0, toB},
                                                 {b, WM_CAPTURECHANGED, 0, toB},
                                                 {b, WM_CAPTURECHANGED, 0, 0}}));
    SetCapture(b);
    DestroyWindow(b);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MouseTest, MovesWithNothingBetweenThemMerge) {
    logMessages({WM_MOUSEMOVE});
    injectMouseMove(115, 115);
    injectMouseMove(116, 116);
    injectMouseMove(117, 117);
    pump();
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{mouse(a, WM_MOUSEMOVE, 0, 7, 7)}));

    // A move to where the mouse already is makes no message.
    injectMouseMove(117, 117);
    pump();
    EXPECT_EQ(log().size(), 1u);

    // A press between moves keeps them apart.
    logMessages({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    injectMouseMove(120, 120);
    injectLeftButton(true);
    injectMouseMove(122, 122);
    injectMouseMove(123, 123);
    injectLeftButton(false);
    pump();
    EXPECT_EQ(log(),
              (std::vector<LoggedMessage>{
                  mouse(a, WM_MOUSEMOVE, 0, 10, 10), mouse(a, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10),
                  mouse(a, WM_MOUSEMOVE, MK_LBUTTON, 13, 13), mouse(a, WM_LBUTTONUP, 0, 13, 13)}));
}

TEST_F(MouseTest, PostedMessagesComeBeforeInput) {
    logMessages({WM_MOUSEMOVE, WM_USER, WM_USER + 1});
    PostMessageA(a, WM_USER, 0, 0);
    injectMouseMove(111, 111);
    PostMessageA(a, WM_USER + 1, 0, 0);
    pump();
    EXPECT_EQ(log(),
              (std::vector<LoggedMessage>{
                  {a, WM_USER, 0, 0}, {a, WM_USER + 1, 0, 0}, mouse(a, WM_MOUSEMOVE, 0, 1, 1)}));
}

}  // namespace
