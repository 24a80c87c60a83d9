// DefWindowProcA: the default answers every window procedure falls back on.
#include <cstring>
#include <string>

#include "emulation/desktop_internal.h"

namespace {

using emulation::desktop::findWindow;
using emulation::desktop::Window;

// How many bytes of the text's first whole characters fit in the limit; a
// byte from 0x81 to 0xFE starts a two-byte character of code page 936.
std::size_t wholeCharacters(const std::string& text, std::size_t limit) {
    std::size_t length = 0;
    while (length < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[length]);
        std::size_t size = lead >= 0x81 && lead <= 0xFE && length + 1 < text.size() ? 2 : 1;
        if (length + size > limit) break;
        length += size;
    }
    return length;
}

POINT pointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// A child asks its parent first; otherwise the class cursor shows over the
// client area and the arrow over the frame.
LRESULT setCursor(Window& window, WPARAM wParam, LPARAM lParam) {
    if (window.style & WS_CHILD) {
        if (SendMessageA(window.parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
    }
    Window* still = findWindow(window.handle);
    if (still == nullptr) return FALSE;
    if (static_cast<short>(LOWORD(lParam)) == HTCLIENT) {
        if (still->windowClass->cursor == nullptr) return FALSE;
        SetCursor(still->windowClass->cursor);
        return TRUE;
    }
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT mouseActivate(Window& window, WPARAM wParam, LPARAM lParam) {
    if (window.style & WS_CHILD) {
        LRESULT answer = SendMessageA(window.parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (answer != 0) return answer;
    }
    return MA_ACTIVATE;
}

}  // namespace

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = findWindow(handle);
    if (window == nullptr) return 0;
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (create != nullptr && create->lpszName != nullptr &&
                !IS_INTRESOURCE(create->lpszName)) {
                window->text = create->lpszName;
            }
            return TRUE;
        }
        case WM_SETTEXT:
            window->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
            return TRUE;
        case WM_GETTEXT: {
            // The whole characters that fit in wParam - 1 bytes, and a
            // terminating zero.
            if (wParam == 0 || lParam == 0) return 0;
            std::size_t copied = wholeCharacters(window->text, wParam - 1);
            char* buffer = reinterpret_cast<char*>(lParam);
            std::memcpy(buffer, window->text.data(), copied);
            buffer[copied] = '\0';
            return static_cast<LRESULT>(copied);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        case WM_CLOSE:
            DestroyWindow(handle);
            return 0;
        case WM_NCHITTEST:
            return emulation::desktop::hitTestFrame(*window, pointOf(lParam));
        case WM_SETCURSOR:
            return setCursor(*window, wParam, lParam);
        case WM_MOUSEACTIVATE:
            return mouseActivate(*window, wParam, lParam);
        default:
            return 0;
    }
}
