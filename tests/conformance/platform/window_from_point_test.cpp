// WindowFromPoint as the window picker uses it: the deepest visible window
// under a screen point, through overlapping, hidden, disabled and
// transparent windows.
#include <gtest/gtest.h>

#include <vector>

#include "tests/conformance/platform/desktop_support.h"

namespace {

class WindowFromPointTest : public DesktopTest {
protected:
    // A visible top-level window at (200, 200), 300 x 200, with two
    // overlapping children, a hidden one under them and a grandchild:
    //   first  (0, 0) 100 x 100, above second in z-order
    //   second (50, 50) 100 x 100
    //   hidden (0, 0) 100 x 100
    //   inner  (0, 0) 10 x 10 inside first
    void SetUp() override {
        DesktopTest::SetUp();
        top = makeWindow(WS_POPUP | WS_VISIBLE, 200, 200, 300, 200);
        first = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
        second = makeWindow(WS_CHILD | WS_VISIBLE, 50, 50, 100, 100, top);
        hidden = makeWindow(WS_CHILD, 0, 0, 100, 100, top);
        inner = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, first);
    }

    HWND at(int x, int y) { return WindowFromPoint(POINT{200 + x, 200 + y}); }

    HWND top = nullptr, first = nullptr, second = nullptr, hidden = nullptr, inner = nullptr;
};

TEST_F(WindowFromPointTest, TheDeepestWindowUnderThePointWins) {
    struct Case {
        int x;
        int y;
        HWND expected;
    };
    const Case cases[] = {
        {5, 5, inner},      {20, 20, first}, {60, 60, first},  // first lies above second
        {120, 120, second}, {250, 150, top}, {0, 0, inner},   {299, 199, top},
    };
    for (const Case& c : cases) EXPECT_EQ(at(c.x, c.y), c.expected) << c.x << ", " << c.y;
    EXPECT_EQ(at(-10, -10), GetDesktopWindow());  // over no window
    EXPECT_EQ(at(300, 200), GetDesktopWindow());
}

TEST_F(WindowFromPointTest, HiddenWindowsAreLookedThrough) {
    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(at(5, 5), top);  // neither first nor its child, nor the hidden sibling
    EXPECT_EQ(at(60, 60), second);
    ShowWindow(top, SW_HIDE);
    EXPECT_EQ(at(60, 60), GetDesktopWindow());
}

TEST_F(WindowFromPointTest, DisabledChildrenGiveTheirParent) {
    EnableWindow(first, FALSE);
    EXPECT_EQ(at(5, 5), top);
    EXPECT_EQ(at(60, 60), second);  // the enabled sibling below shows through
    EnableWindow(first, TRUE);
    EnableWindow(inner, FALSE);
    EXPECT_EQ(at(5, 5), first);
    EnableWindow(inner, TRUE);
    // A disabled top-level window is found itself, but not its children.
    EnableWindow(top, FALSE);
    EXPECT_EQ(at(5, 5), top);
    EnableWindow(top, TRUE);
}

TEST_F(WindowFromPointTest, ChildrenAreClippedToTheirParent) {
    HWND overhanging = makeWindow(WS_CHILD | WS_VISIBLE, 280, 180, 100, 100, top);
    EXPECT_EQ(at(290, 190), overhanging);
    EXPECT_EQ(at(320, 220), GetDesktopWindow());
}

TEST_F(WindowFromPointTest, TheTopmostOfOverlappingTopLevelWindowsWins) {
    HWND cover = makeWindow(WS_POPUP | WS_VISIBLE, 250, 250, 40, 40);
    EXPECT_EQ(at(60, 60), cover);
    EXPECT_EQ(at(5, 5), inner);
    HWND hiddenCover = makeWindow(WS_POPUP, 200, 200, 40, 40);
    EXPECT_EQ(at(5, 5), inner);
    ShowWindow(hiddenCover, SW_SHOW);
    EXPECT_EQ(at(5, 5), hiddenCover);
}

TEST_F(WindowFromPointTest, TransparentWindowsLetThePointThrough) {
    // Static controls are transparent to the mouse unless they notify.
    HWND label = makeWindowOfClass("Static", WS_CHILD | WS_VISIBLE, 200, 0, 50, 50, top, "label");
    HWND notifying = makeWindowOfClass("Static", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 200, 100, 50,
                                       50, top, "notifying");
    HWND edit = makeWindowOfClass("Edit", WS_CHILD | WS_VISIBLE, 260, 100, 30, 50, top);
    EXPECT_EQ(at(210, 10), top);
    EXPECT_EQ(at(210, 110), notifying);
    EXPECT_EQ(at(265, 110), edit);
    EXPECT_NE(label, nullptr);

    // Each window under the point in turn is asked with WM_NCHITTEST, and a
    // transparent one passes the point to the next: here a sibling below.
    HWND glass = makeWindow(WS_CHILD | WS_VISIBLE, 150, 120, 40, 40, top);
    HWND below = makeWindow(WS_CHILD | WS_VISIBLE, 150, 120, 40, 40, top);
    SetWindowLongPtrA(glass, GWLP_USERDATA, kTransparent);
    logMessages({WM_NCHITTEST});
    EXPECT_EQ(at(160, 130), below);
    const LPARAM point = MAKELPARAM(360, 330);
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{{glass, WM_NCHITTEST, 0, point},
                                                 {below, WM_NCHITTEST, 0, point}}));
    logMessages({WM_NCHITTEST});
    EXPECT_EQ(at(5, 5), inner);
    EXPECT_EQ(log(), (std::vector<LoggedMessage>{{inner, WM_NCHITTEST, 0, MAKELPARAM(205, 205)}}));
}

}  // namespace
