// Mouse input injected as a person moves the mouse, in the cases the
// conformance tests cannot show deterministically under Wine: the frame
// of a window, clicks a window swallows, both buttons, the cursor a class
// shows, and a whole drag as the window picker makes it.
#include <vector>

#include "tests/host/emulation/desktop_host_test.h"

namespace {

struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> seen;
std::vector<UINT> watched;
LRESULT mouseActivateAnswer = 0;

LRESULT CALLBACK watchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (UINT kind : watched) {
        if (kind == message) seen.push_back({window, message, wParam, lParam});
    }
    if (message == WM_MOUSEACTIVATE && mouseActivateAnswer != 0) return mouseActivateAnswer;
    return DefWindowProcA(window, message, wParam, lParam);
}

class MouseRoutingTest : public DesktopHostTest {
protected:
    void SetUp() override {
        DesktopHostTest::SetUp();
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = watchingProcedure;
            windowClass.lpszClassName = "HandOver";
            windowClass.hCursor = LoadCursorA(nullptr, IDC_HAND);
            registered = RegisterClassA(&windowClass) != 0;
        }
        mouseActivateAnswer = 0;
        emulation::moveMouseTo(1, 1);
        drain();
        watch({});
    }

    void TearDown() override {
        ReleaseCapture();
        for (HWND window : made) DestroyWindow(window);
        DesktopHostTest::TearDown();
    }

    HWND make(DWORD style, int x, int y, int width, int height, HWND parent = nullptr) {
        HWND window = CreateWindowExA(0, "HandOver", "", style, x, y, width, height, parent,
                                      nullptr, nullptr, nullptr);
        made.insert(made.begin(), window);
        return window;
    }

    static void watch(std::vector<UINT> kinds) {
        watched = std::move(kinds);
        seen.clear();
    }

    static void drain() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    std::vector<HWND> made;
};

TEST_F(MouseRoutingTest, OverTheFrameMessagesAreNonClient) {
    HWND window = make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100);
    watch({WM_NCHITTEST, WM_SETCURSOR, WM_NCMOUSEMOVE, WM_MOUSEMOVE});
    emulation::moveMouseTo(350, 310);  // on the caption
    drain();
    const LPARAM point = MAKELPARAM(350, 310);
    EXPECT_EQ(seen, (std::vector<Seen>{
                        {window, WM_NCHITTEST, 0, point},
                        {window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                         MAKELPARAM(HTCAPTION, WM_MOUSEMOVE)},
                        {window, WM_NCMOUSEMOVE, HTCAPTION, point},
                    }));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));

    watch({WM_MOUSEMOVE});
    emulation::moveMouseTo(310, 330);  // inside the frame and caption
    drain();
    EXPECT_EQ(seen, (std::vector<Seen>{{window, WM_MOUSEMOVE, 0, MAKELPARAM(6, 7)}}));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));  // the class cursor
}

TEST_F(MouseRoutingTest, InputOverNoWindowIsLost) {
    emulation::moveMouseTo(5, 7);
    emulation::pressLeftButton();
    emulation::releaseLeftButton();
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(emulation::liveDesktopObjects().windows, 0);
}

TEST_F(MouseRoutingTest, AWindowCanSwallowTheClickThatActivatesIt) {
    HWND window = make(WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
    emulation::moveMouseTo(310, 310);
    drain();
    mouseActivateAnswer = MA_NOACTIVATEANDEAT;
    watch({WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    emulation::pressLeftButton();
    emulation::releaseLeftButton();
    drain();
    EXPECT_EQ(seen, (std::vector<Seen>{{window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(window),
                                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
                                       {window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10)}}));
}

TEST_F(MouseRoutingTest, KeyStateBitsFollowBothButtons) {
    HWND window = make(WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
    watch({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP});
    emulation::moveMouseTo(301, 302);
    emulation::pressLeftButton();
    emulation::pressRightButton();
    emulation::moveMouseTo(303, 304);
    emulation::releaseLeftButton();
    emulation::releaseRightButton();
    drain();
    EXPECT_EQ(seen, (std::vector<Seen>{
                        {window, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2)},
                        {window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2)},
                        {window, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(1, 2)},
                        {window, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(3, 4)},
                        {window, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(3, 4)},
                        {window, WM_RBUTTONUP, 0, MAKELPARAM(3, 4)},
                    }));
}

// The picker's drag: press on the icon, capture, move over another
// program's page window while the icon hears every move, release.
std::vector<HWND> pagesSeen;

LRESULT CALLBACK iconProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SetCapture(window);
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == window) {
                POINT cursor;
                GetCursorPos(&cursor);
                pagesSeen.push_back(WindowFromPoint(cursor));
            }
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

TEST_F(MouseRoutingTest, ADragFindsTheWindowsUnderThePointer) {
    HWND tool = make(WS_POPUP | WS_VISIBLE, 50, 50, 212, 101);
    HWND icon = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 79, 11, 60, 60,
                                tool, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(icon, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(iconProcedure));
    HWND browser = make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 100, 600, 500);
    HWND page = make(WS_CHILD | WS_VISIBLE, 0, 0, 592, 473, browser);
    pagesSeen.clear();

    emulation::moveMouseTo(50 + 79 + 30, 50 + 11 + 30);
    emulation::pressLeftButton();
    drain();
    EXPECT_EQ(GetCapture(), icon);
    emulation::moveMouseTo(600, 300);
    drain();
    emulation::moveMouseTo(100, 60);
    drain();
    emulation::moveMouseTo(700, 400);
    drain();
    emulation::releaseLeftButton();
    drain();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(pagesSeen, (std::vector<HWND>{page, tool, page}));
}

}  // namespace
