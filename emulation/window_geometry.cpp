// Window geometry: frames, rectangles, coordinates, z-order changes and the
// window under a point. Metrics are those of Windows' classic look, which
// Wine shares: a caption of 19 pixels, sizing frames of 4, dialog frames of
// 3, borders of 1 and client edges of 2.
#include <algorithm>

#include "emulation/desktop_internal.h"

namespace {

using emulation::desktop::callProcedure;
using emulation::desktop::findWindow;
using emulation::desktop::Window;
using emulation::desktop::windowOrError;

constexpr int kCaption = 19;
constexpr int kFrame = 4;
constexpr int kDialogFrame = 3;
constexpr int kBorder = 1;
constexpr int kEdge = 2;
constexpr int kIconSize = 32;

// How far the client area lies inside the window on each side.
RECT frameInsets(DWORD style, DWORD exStyle) {
    int side = 0;
    if (style & WS_THICKFRAME) {
        side = kFrame;
    } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        side = kDialogFrame;
    } else if (style & WS_BORDER) {
        side = kBorder;
    }
    if (exStyle & WS_EX_CLIENTEDGE) side += kEdge;
    if (exStyle & WS_EX_STATICEDGE) side += kBorder;
    int top = side + ((style & WS_CAPTION) == WS_CAPTION ? kCaption : 0);
    return {side, top, side, side};
}

POINT clientOrigin(const Window& window) {
    RECT client = emulation::desktop::clientScreenRect(window);
    return {client.left, client.top};
}

bool contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

// Every window that contains the point, as the mouse looks for one: the
// top-level windows in z-order, each after its own descendants, children
// only where the point lies in their parent's client area. Hidden windows
// are left out with their descendants, and so are disabled children; a
// disabled top-level window is found, but not its children.
void collectAtPoint(const Window& window, POINT point, std::vector<HWND>* found) {
    if (!(window.style & WS_DISABLED) &&
        contains(emulation::desktop::clientScreenRect(window), point)) {
        for (HWND child : window.children) {
            const Window* at = findWindow(child);
            if (at == nullptr || !(at->style & WS_VISIBLE) || (at->style & WS_DISABLED)) continue;
            if (!contains(emulation::desktop::windowScreenRect(*at), point)) continue;
            collectAtPoint(*at, point, found);
        }
    }
    found->push_back(window.handle);
}

}  // namespace

namespace emulation::desktop {

RECT windowScreenRect(const Window& window) {
    RECT rect = window.rect;
    if (Window* parent = findWindow(window.parent)) {
        POINT origin = clientOrigin(*parent);
        rect.left += origin.x;
        rect.right += origin.x;
        rect.top += origin.y;
        rect.bottom += origin.y;
    }
    return rect;
}

RECT clientScreenRect(const Window& window) {
    RECT rect = windowScreenRect(window);
    if (findWindow(window.parent) == nullptr) return rect;  // the desktop has no frame
    RECT insets = frameInsets(window.style, window.exStyle);
    rect.left += insets.left;
    rect.top += insets.top;
    rect.right -= insets.right;
    rect.bottom -= insets.bottom;
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    return rect;
}

// The windows of the list are asked in turn with WM_NCHITTEST; one that
// answers HTTRANSPARENT lets the point through to the next. A hung window
// cannot be asked and counts as its client area.
HWND windowAtPoint(POINT point, LRESULT* hitTest) {
    Window& desktopWindow = desktop();
    std::vector<HWND> candidates;
    for (HWND topLevel : desktopWindow.children) {
        const Window* window = findWindow(topLevel);
        if (window == nullptr || !(window->style & WS_VISIBLE)) continue;
        if (!contains(windowScreenRect(*window), point)) continue;
        collectAtPoint(*window, point, &candidates);
    }
    for (HWND candidate : candidates) {
        Window* window = findWindow(candidate);
        if (window == nullptr) continue;
        LRESULT code =
            window->hung ? HTCLIENT
                         : callProcedure(candidate, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        if (code == HTTRANSPARENT) continue;
        *hitTest = code;
        return candidate;
    }
    *hitTest = HTNOWHERE;
    return nullptr;
}

// What DefWindowProc answers to WM_NCHITTEST.
LRESULT hitTestFrame(const Window& window, POINT point) {
    RECT outer = windowScreenRect(window);
    if (!contains(outer, point)) return HTNOWHERE;
    if (contains(clientScreenRect(window), point)) return HTCLIENT;
    RECT insets = frameInsets(window.style, window.exStyle);
    int side = insets.left;
    bool left = point.x < outer.left + side, right = point.x >= outer.right - side;
    bool top = point.y < outer.top + side, bottom = point.y >= outer.bottom - side;
    if (window.style & WS_THICKFRAME) {
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    if (!left && !right && !top && !bottom) return HTCAPTION;
    return HTBORDER;
}

}  // namespace emulation::desktop

BOOL GetWindowRect(HWND handle, LPRECT rect) {
    Window* window = windowOrError(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    *rect = emulation::desktop::windowScreenRect(*window);
    return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
    Window* window = windowOrError(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    RECT client = emulation::desktop::clientScreenRect(*window);
    *rect = {0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
    Window* window = windowOrError(handle);
    if (window == nullptr || point == nullptr) return FALSE;
    POINT origin = clientOrigin(*window);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
    Window* window = windowOrError(handle);
    if (window == nullptr || point == nullptr) return FALSE;
    POINT origin = clientOrigin(*window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

// Menus are not emulated, so the menu flag adds nothing.
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
    if (rect == nullptr) return FALSE;
    RECT insets = frameInsets(style, exStyle);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect != nullptr && contains(*rect, point) ? TRUE : FALSE;
}

HWND WindowFromPoint(POINT point) {
    LRESULT hitTest = HTNOWHERE;
    HWND found = emulation::desktop::windowAtPoint(point, &hitTest);
    // Over no window at all, the point is over the desktop.
    return found != nullptr ? found : GetDesktopWindow();
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* window = windowOrError(handle);
    if (window == nullptr || handle == GetDesktopWindow()) return FALSE;
    RECT before = window->rect;
    RECT after = before;
    if (!(flags & SWP_NOMOVE)) {
        after.right = x + (before.right - before.left);
        after.bottom = y + (before.bottom - before.top);
        after.left = x;
        after.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        after.right = after.left + std::max(width, 0);
        after.bottom = after.top + std::max(height, 0);
    }
    window->rect = after;
    if (!(flags & SWP_NOZORDER)) {
        Window* parent = findWindow(window->parent);
        auto& siblings = parent->children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), handle));
        if (insertAfter == HWND_BOTTOM) {
            siblings.push_back(handle);
        } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
                   insertAfter == HWND_NOTOPMOST) {
            siblings.insert(siblings.begin(), handle);
        } else {
            auto at = std::find(siblings.begin(), siblings.end(), insertAfter);
            siblings.insert(at == siblings.end() ? siblings.begin() : at + 1, handle);
        }
    }
    if (flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) window->style &= ~WS_VISIBLE;
    if (after.left != before.left || after.top != before.top) {
        POINT origin = clientOrigin(*window);
        if (Window* parent = findWindow(window->parent)) {
            POINT parentOrigin = clientOrigin(*parent);
            origin.x -= parentOrigin.x;
            origin.y -= parentOrigin.y;
        }
        callProcedure(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    window = findWindow(handle);
    if (window != nullptr && (after.right - after.left != before.right - before.left ||
                              after.bottom - after.top != before.bottom - before.top)) {
        RECT client{};
        GetClientRect(handle, &client);
        callProcedure(handle, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    }
    return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(handle, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return emulation::desktop::kScreenWidth;
        case SM_CYSCREEN:
            return emulation::desktop::kScreenHeight;
        case SM_CYCAPTION:
            return kCaption;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return kBorder;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return kDialogFrame;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return kFrame;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return kEdge;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return kIconSize;
        default:
            return 0;
    }
}
