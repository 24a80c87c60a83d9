// The standard controls the main window is built from: "Edit" and "Static".
// Their state lives in the window's extra bytes.
#include "emulation/desktop_internal.h"

namespace {

// An edit control's text limit, as EM_GETLIMITTEXT reports it. It limits
// typing only: WM_SETTEXT takes text of any length.
constexpr int kEditLimitSlot = 0;
constexpr LONG_PTR kDefaultEditLimit = 30000;
constexpr LONG_PTR kLargestSingleLineLimit = 0x7FFFFFFE;

// A static control's picture and its kind (IMAGE_BITMAP, IMAGE_ICON or
// IMAGE_CURSOR). The control does not own the picture.
constexpr int kImageSlot = 0;
constexpr int kImageTypeSlot = sizeof(LONG_PTR);

bool acceptsImage(DWORD style, WPARAM type) {
    switch (style & SS_TYPEMASK) {
        case SS_BITMAP:
            return type == IMAGE_BITMAP;
        case SS_ICON:
            return type == IMAGE_ICON || type == IMAGE_CURSOR;
        default:
            return false;
    }
}

// A picture control takes the size of its picture, unless told to keep its
// own.
void fitToImage(HWND window, DWORD style, HANDLE image) {
    if (image == nullptr || (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) return;
    int width = 0, height = 0;
    bool known = (style & SS_TYPEMASK) == SS_BITMAP
                     ? emulation::desktop::bitmapSize(static_cast<HBITMAP>(image), &width, &height)
                     : emulation::desktop::cursorSize(static_cast<HCURSOR>(image), &width, &height);
    if (known) SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

LRESULT setImage(HWND window, WPARAM type, LPARAM image) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    if (!acceptsImage(style, type)) return 0;
    LONG_PTR previous = GetWindowLongPtrA(window, kImageSlot);
    SetWindowLongPtrA(window, kImageSlot, image);
    SetWindowLongPtrA(window, kImageTypeSlot, static_cast<LONG_PTR>(type));
    fitToImage(window, style, reinterpret_cast<HANDLE>(image));
    return previous;
}

LRESULT getImage(HWND window, WPARAM type) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    if (!acceptsImage(style, type)) return 0;
    return GetWindowLongPtrA(window, kImageSlot);
}

}  // namespace

namespace emulation::desktop {

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, kEditLimitSlot, kDefaultEditLimit);
            return DefWindowProcA(window, message, wParam, lParam);
        case EM_SETLIMITTEXT: {
            LONG_PTR limit = static_cast<LONG_PTR>(wParam);
            if (limit == 0) {
                bool multiLine = GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE;
                limit = multiLine ? static_cast<LONG_PTR>(0xFFFFFFFFu) : kLargestSingleLineLimit;
            }
            SetWindowLongPtrA(window, kEditLimitSlot, limit);
            return 0;
        }
        case EM_GETLIMITTEXT:
            return GetWindowLongPtrA(window, kEditLimitSlot);
        case EM_SETREADONLY: {
            DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
            style = wParam ? (style | ES_READONLY) : (style & ~ES_READONLY);
            SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
            return TRUE;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK staticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            // The mouse passes through a static control unless it notifies.
            return (GetWindowLongA(window, GWL_STYLE) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case STM_SETIMAGE:
            return setImage(window, wParam, lParam);
        case STM_GETIMAGE:
            return getImage(window, wParam);
        case STM_SETICON:
            return setImage(window, IMAGE_ICON, static_cast<LPARAM>(wParam));
        case STM_GETICON:
            return getImage(window, IMAGE_ICON);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace emulation::desktop
