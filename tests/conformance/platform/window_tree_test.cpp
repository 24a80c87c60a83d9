// The window tree as the window search and the window picker walk it:
// creation order, FindWindowExA and GetWindow, parents, class names,
// visibility, destruction, rectangles and subclassing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/conformance/platform/desktop_support.h"

namespace {

using WindowTreeTest = DesktopTest;

std::vector<HWND> childrenByGetWindow(HWND parent) {
    std::vector<HWND> found;
    for (HWND at = GetWindow(parent, GW_CHILD); at != nullptr; at = GetWindow(at, GW_HWNDNEXT)) {
        found.push_back(at);
    }
    return found;
}

std::vector<HWND> childrenByFindWindowEx(HWND parent, const char* className = nullptr) {
    std::vector<HWND> found;
    for (HWND at = FindWindowExA(parent, nullptr, className, nullptr); at != nullptr;
         at = FindWindowExA(parent, at, className, nullptr)) {
        found.push_back(at);
    }
    return found;
}

// Only the given windows, in the order a walk met them: the desktop holds
// other programs' windows too.
std::vector<HWND> keepOnly(const std::vector<HWND>& walk, const std::vector<HWND>& ours) {
    std::vector<HWND> kept;
    for (HWND window : walk) {
        for (HWND mine : ours) {
            if (window == mine) kept.push_back(window);
        }
    }
    return kept;
}

// A depth-first search in pre-order through FindWindowExA, as the page
// object looks for its page window: each child before its descendants.
void visitDepthFirst(HWND parent, std::vector<HWND>* visited) {
    for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExA(parent, child, nullptr, nullptr)) {
        visited->push_back(child);
        visitDepthFirst(child, visited);
    }
}

TEST_F(WindowTreeTest, ChildrenKeepTheOrderOfTheirCreation) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND first = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    HWND second = makeWindow(WS_CHILD | WS_VISIBLE, 50, 50, 100, 100, top);
    HWND third = makeWindow(WS_CHILD, 0, 0, 100, 100, top);
    HWND grandchild = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, first);
    const std::vector<HWND> expected = {first, second, third};

    EXPECT_EQ(childrenByGetWindow(top), expected);
    EXPECT_EQ(childrenByFindWindowEx(top), expected);
    EXPECT_EQ(childrenByGetWindow(first), std::vector<HWND>{grandchild});
    EXPECT_EQ(GetWindow(third, GW_HWNDPREV), second);
    EXPECT_EQ(GetWindow(first, GW_HWNDPREV), nullptr);
    EXPECT_EQ(GetWindow(third, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(grandchild, GW_CHILD), nullptr);
}

TEST_F(WindowTreeTest, NewTopLevelWindowsGoOnTop) {
    HWND older = makeWindow(WS_POPUP, 200, 200, 50, 50);
    HWND newer = makeWindow(WS_POPUP | WS_VISIBLE, 200, 200, 50, 50);
    HWND newest = makeWindow(WS_POPUP, 200, 200, 50, 50);
    const std::vector<HWND> ours = {older, newer, newest};
    const std::vector<HWND> expected = {newest, newer, older};

    EXPECT_EQ(keepOnly(childrenByFindWindowEx(nullptr), ours), expected);
    EXPECT_EQ(keepOnly(childrenByFindWindowEx(nullptr, kProbeClass), ours), expected);
    EXPECT_EQ(keepOnly(childrenByGetWindow(GetDesktopWindow()), ours), expected);
}

TEST_F(WindowTreeTest, ParentsAndAncestors) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND child = makeWindow(WS_CHILD, 0, 0, 100, 100, top);
    HWND grandchild = makeWindow(WS_CHILD, 0, 0, 10, 10, child);
    HWND owned = makeWindow(WS_POPUP, 0, 0, 10, 10, child);
    HWND desktop = GetDesktopWindow();

    struct Case {
        HWND window;
        HWND parent;
        HWND ancestorParent;
        HWND root;
    };
    const Case cases[] = {
        {top, nullptr, desktop, top},
        {child, top, top, top},
        {grandchild, child, child, top},
        // A pop-up's parent is its owner, always a top-level window.
        {owned, top, desktop, owned},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetParent(c.window), c.parent);
        EXPECT_EQ(GetAncestor(c.window, GA_PARENT), c.ancestorParent);
        EXPECT_EQ(GetAncestor(c.window, GA_ROOT), c.root);
    }
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    EXPECT_TRUE(IsChild(top, grandchild));
    EXPECT_FALSE(IsChild(grandchild, top));
    EXPECT_FALSE(IsChild(top, owned));
}

TEST_F(WindowTreeTest, FindWindowExFiltersByClassAndText) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND label = makeWindowOfClass("Static", WS_CHILD, 0, 0, 10, 10, top, "Label");
    HWND first = makeWindow(WS_CHILD, 0, 0, 10, 10, top, "Pane");
    HWND second = makeWindow(WS_CHILD, 0, 0, 10, 10, top, "Other");
    HWND nested = makeWindow(WS_CHILD, 0, 0, 10, 10, first, "Nested");

    struct Case {
        HWND after;
        const char* className;
        const char* text;
        HWND expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, label},
        {label, nullptr, nullptr, first},
        {nullptr, kProbeClass, nullptr, first},
        {nullptr, "vexaroprobe", nullptr, first},  // class names ignore letter case
        {first, kProbeClass, nullptr, second},
        {second, kProbeClass, nullptr, nullptr},
        {nullptr, nullptr, "OTHER", second},  // so do window texts
        {nullptr, "STATIC", "label", label},
        {nullptr, "Static", "Pane", nullptr},
        {nullptr, nullptr, "Nested", nullptr},  // only children, not descendants
        {nullptr, nullptr, "", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindWindowExA(top, c.after, c.className, c.text), c.expected)
            << (c.className ? c.className : "(any class)") << " / "
            << (c.text ? c.text : "(any text)");
    }
    EXPECT_EQ(FindWindowExA(first, nullptr, nullptr, "Nested"), nested);
}

TEST_F(WindowTreeTest, DepthFirstSearchVisitsEachChildBeforeItsDescendants) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND a = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND a1 = makeWindow(WS_CHILD, 0, 0, 10, 10, a);
    HWND a1x = makeWindow(WS_CHILD, 0, 0, 10, 10, a1);
    HWND a2 = makeWindow(WS_CHILD, 0, 0, 10, 10, a);
    HWND b = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND b1 = makeWindow(WS_CHILD, 0, 0, 10, 10, b);

    std::vector<HWND> visited;
    visitDepthFirst(top, &visited);
    EXPECT_EQ(visited, (std::vector<HWND>{a, a1, a1x, a2, b, b1}));
}

// The window picker writes a handle as decimal text and reads it back.
TEST_F(WindowTreeTest, HandlesArePositiveThirtyTwoBitNumbers) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 30, 20);
    HWND child = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    for (HWND window : {GetDesktopWindow(), top, child}) {
        auto value = reinterpret_cast<std::intptr_t>(window);
        EXPECT_GT(value, 0);
        EXPECT_LE(value, INT32_MAX);
        std::string text = std::to_string(static_cast<std::int32_t>(value));
        EXPECT_EQ(reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::atol(text.c_str()))),
                  window);
    }
}

TEST_F(WindowTreeTest, ClassNamesFillExactlyTheBufferGiven) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Internet Explorer_Server";
        registered = RegisterClassA(&windowClass) != 0;
        ASSERT_TRUE(registered);
    }
    HWND page = makeWindowOfClass("Internet Explorer_Server", WS_POPUP, 200, 200, 30, 20);
    const std::string name = "Internet Explorer_Server";  // 24 bytes

    struct Case {
        int capacity;
        int expected;
    };
    const Case cases[] = {{0, 0}, {1, 0}, {2, 1}, {10, 9}, {24, 23}, {25, 24}, {26, 24}, {259, 24}};
    for (const Case& c : cases) {
        char buffer[300];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(GetClassNameA(page, buffer, c.capacity), c.expected) << c.capacity;
        if (c.capacity == 0) {
            EXPECT_EQ(buffer[0], 'x');
            continue;
        }
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(c.expected)),
                  name.substr(0, static_cast<std::size_t>(c.expected)));
        EXPECT_EQ(buffer[c.expected], '\0') << c.capacity;
        EXPECT_EQ(buffer[c.expected + 1], 'x') << c.capacity;  // nothing written beyond
    }
    EXPECT_EQ(GetClassNameA(page, nullptr, 0), 0);

    char desktopName[16] = {};
    EXPECT_EQ(GetClassNameA(GetDesktopWindow(), desktopName, sizeof desktopName), 6);
    EXPECT_STREQ(desktopName, "#32769");
}

TEST_F(WindowTreeTest, AWindowIsVisibleOnlyWithAllItsAncestors) {
    HWND top = makeWindow(WS_POPUP | WS_VISIBLE, 200, 200, 300, 200);
    HWND child = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
    HWND grandchild = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, child);
    HWND hiddenChild = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND underHidden = makeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hiddenChild);

    EXPECT_TRUE(IsWindowVisible(grandchild));
    EXPECT_FALSE(IsWindowVisible(hiddenChild));
    EXPECT_FALSE(IsWindowVisible(underHidden));

    EXPECT_TRUE(ShowWindow(child, SW_HIDE));  // it was visible
    EXPECT_FALSE(IsWindowVisible(grandchild));
    EXPECT_NE(GetWindowLongA(grandchild, GWL_STYLE) & WS_VISIBLE, 0);  // its own flag stays
    EXPECT_FALSE(ShowWindow(child, SW_SHOW));                          // it was hidden
    EXPECT_TRUE(IsWindowVisible(grandchild));

    ShowWindow(top, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(IsWindowVisible(nullptr));
}

TEST_F(WindowTreeTest, DestructionTellsParentsFirstAndFreesChildrenFirst) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND first = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND inner = makeWindow(WS_CHILD, 0, 0, 10, 10, first);
    HWND second = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    logMessages({WM_DESTROY, WM_NCDESTROY});

    EXPECT_TRUE(DestroyWindow(top));
    const std::vector<LoggedMessage> expected = {
        {top, WM_DESTROY, 0, 0},      {first, WM_DESTROY, 0, 0},   {inner, WM_DESTROY, 0, 0},
        {second, WM_DESTROY, 0, 0},   {inner, WM_NCDESTROY, 0, 0}, {first, WM_NCDESTROY, 0, 0},
        {second, WM_NCDESTROY, 0, 0}, {top, WM_NCDESTROY, 0, 0},
    };
    EXPECT_EQ(log(), expected);
    for (HWND window : {top, first, inner, second}) EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(top));
}

TEST_F(WindowTreeTest, RectanglesAndCoordinates) {
    HWND top = makeWindow(WS_POPUP | WS_BORDER, 200, 150, 300, 200);
    HWND child = makeWindow(WS_CHILD, 10, 20, 100, 50, top, "", WS_EX_CLIENTEDGE);

    RECT rect;
    ASSERT_TRUE(GetWindowRect(top, &rect));
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(rect.bottom, 350);
    ASSERT_TRUE(GetClientRect(top, &rect));  // inside a one-pixel border
    EXPECT_EQ(rect.right, 298);
    EXPECT_EQ(rect.bottom, 198);

    // A child's place counts from its parent's client area.
    ASSERT_TRUE(GetWindowRect(child, &rect));
    EXPECT_EQ(rect.left, 211);
    EXPECT_EQ(rect.top, 171);
    EXPECT_EQ(rect.right, 311);
    EXPECT_EQ(rect.bottom, 221);

    POINT point = {0, 0};
    ASSERT_TRUE(ClientToScreen(child, &point));
    EXPECT_EQ(point.x, 213);  // inside the two-pixel client edge
    EXPECT_EQ(point.y, 173);
    ASSERT_TRUE(ScreenToClient(top, &point));
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, 22);

    ASSERT_TRUE(MoveWindow(child, 30, 40, 60, 70, FALSE));
    ASSERT_TRUE(GetWindowRect(child, &rect));
    EXPECT_EQ(rect.left, 231);
    EXPECT_EQ(rect.top, 191);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 70);

    RECT inside = {10, 10, 20, 20};
    EXPECT_TRUE(PtInRect(&inside, POINT{10, 10}));
    EXPECT_TRUE(PtInRect(&inside, POINT{19, 19}));
    EXPECT_FALSE(PtInRect(&inside, POINT{20, 15}));  // right and bottom are outside
    EXPECT_FALSE(PtInRect(&inside, POINT{15, 20}));
}

TEST_F(WindowTreeTest, FramesAgreeWithAdjustWindowRect) {
    const DWORD styles[][2] = {
        {WS_POPUP, 0},
        {WS_POPUP | WS_BORDER, 0},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0},
        {WS_POPUP | WS_THICKFRAME, 0},
        {WS_POPUP | WS_DLGFRAME, WS_EX_CLIENTEDGE},
        {WS_POPUP, WS_EX_CLIENTEDGE},
    };
    for (const auto& style : styles) {
        HWND window = makeWindow(style[0], 200, 200, 212, 101, nullptr, "", style[1]);
        RECT outer, client;
        ASSERT_TRUE(GetWindowRect(window, &outer));
        ASSERT_TRUE(GetClientRect(window, &client));
        RECT adjusted = {0, 0, client.right, client.bottom};
        ASSERT_TRUE(AdjustWindowRectEx(&adjusted, style[0], FALSE, style[1]));
        EXPECT_EQ(adjusted.right - adjusted.left, outer.right - outer.left) << std::hex << style[0];
        EXPECT_EQ(adjusted.bottom - adjusted.top, outer.bottom - outer.top) << std::hex << style[0];
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        EXPECT_EQ(origin.x - outer.left, -adjusted.left) << std::hex << style[0];
        EXPECT_EQ(origin.y - outer.top, -adjusted.top) << std::hex << style[0];
    }
}

TEST_F(WindowTreeTest, SetWindowPosChangesTheZOrder) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND a = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND b = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    HWND c = makeWindow(WS_CHILD, 0, 0, 10, 10, top);
    const UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

    ASSERT_TRUE(SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, keepPlace));
    EXPECT_EQ(childrenByGetWindow(top), (std::vector<HWND>{b, c, a}));
    ASSERT_TRUE(SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, keepPlace));
    EXPECT_EQ(childrenByGetWindow(top), (std::vector<HWND>{a, b, c}));
    ASSERT_TRUE(SetWindowPos(a, b, 0, 0, 0, 0, keepPlace));  // just below b
    EXPECT_EQ(childrenByGetWindow(top), (std::vector<HWND>{b, a, c}));
}

LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_USER + 1)
        return 2 * CallWindowProcA(previous, window, message, wParam, lParam);
    if (message == WM_USER + 2) return 7;
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK answeringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1) return static_cast<LRESULT>(wParam) + 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowTreeTest, SubclassingReplacesTheProcedure) {
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20);
    auto original = reinterpret_cast<LONG_PTR>(answeringProcedure);
    SetWindowLongPtrA(window, GWLP_WNDPROC, original);
    EXPECT_EQ(SendMessageA(window, WM_USER + 1, 20, 0), 21);

    LONG_PTR previous =
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProcedure));
    EXPECT_EQ(previous, original);
    SetWindowLongPtrA(window, GWLP_USERDATA, previous);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(subclassProcedure));
    EXPECT_EQ(SendMessageA(window, WM_USER + 1, 20, 0), 42);
    EXPECT_EQ(SendMessageA(window, WM_USER + 2, 0, 0), 7);
    EXPECT_TRUE(SetWindowTextA(window, "through both"));  // the old procedure still answers
    char text[32] = {};
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 12);
    EXPECT_STREQ(text, "through both");
}

TEST_F(WindowTreeTest, ControlIdentifiersAndWindowLongs) {
    HWND top = makeWindow(WS_POPUP, 200, 200, 300, 200);
    HWND control = CreateWindowExA(0, kProbeClass, "", WS_CHILD, 0, 0, 10, 10, top,
                                   reinterpret_cast<HMENU>(static_cast<std::intptr_t>(42)),
                                   GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetDlgCtrlID(control), 42);
    EXPECT_EQ(GetDlgItem(top, 42), control);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & WS_CHILD, WS_CHILD);
    EXPECT_EQ(SetWindowLongPtrA(control, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_USERDATA), 1234);
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(control, GWLP_HWNDPARENT)), top);
}

TEST_F(WindowTreeTest, WindowTextGivesWholeCharactersUpToTheBuffer) {
    // "下一题" is three characters of two bytes each in code page 936. A
    // short buffer takes the whole characters that fit before the zero.
    HWND window = makeWindow(WS_POPUP, 200, 200, 30, 20, nullptr, "下一题");
    const std::string text = "下一题";
    EXPECT_EQ(GetWindowTextLengthA(window), 6);
    struct Case {
        int capacity;
        int expected;
    };
    const Case cases[] = {{1, 0}, {2, 0}, {3, 2}, {4, 2}, {6, 4}, {7, 6}, {8, 6}};
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(GetWindowTextA(window, buffer, c.capacity), c.expected) << c.capacity;
        EXPECT_EQ(std::string(buffer), text.substr(0, static_cast<std::size_t>(c.expected)));
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(c.capacity),
                               reinterpret_cast<LPARAM>(buffer)),
                  c.expected)
            << c.capacity;
        EXPECT_EQ(buffer[c.expected], '\0');
    }
    char untouched = 'x';
    EXPECT_EQ(GetWindowTextA(window, &untouched, 0), 0);
    EXPECT_EQ(untouched, 'x');
    EXPECT_TRUE(SetWindowTextA(window, nullptr));
    EXPECT_EQ(GetWindowTextLengthA(window), 0);
}

TEST_F(WindowTreeTest, ClassesRegisterOnce) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VexaroOnce";
    ATOM atom = RegisterClassA(&windowClass);
    ASSERT_NE(atom, 0);
    EXPECT_GE(atom, 0xC000);
    windowClass.lpszClassName = "VEXAROONCE";
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    // A class can be named by its atom.
    HWND window = makeWindowOfClass(MAKEINTATOM(atom), WS_POPUP, 200, 200, 10, 10);
    char name[16] = {};
    EXPECT_EQ(GetClassNameA(window, name, sizeof name), 10);
    EXPECT_STREQ(name, "VexaroOnce");
    DestroyWindow(window);

    EXPECT_TRUE(UnregisterClassA("VexaroOnce", GetModuleHandleA(nullptr)));
    SetLastError(0);
    EXPECT_FALSE(UnregisterClassA("VexaroOnce", GetModuleHandleA(nullptr)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
    EXPECT_EQ(CreateWindowExA(0, "VexaroOnce", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
}

}  // namespace
