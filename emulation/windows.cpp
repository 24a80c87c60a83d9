// Windows: the table of live windows, creation and destruction, the window
// tree and z-order, window longs, text and the visible and enabled states.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "emulation/desktop_internal.h"

namespace {

using emulation::desktop::Window;
using emulation::desktop::WindowClass;

constexpr DWORD kErrorTopLevelChild = 1406;  // ERROR_TLW_WITH_WSCHILD
constexpr DWORD kErrorInvalidIndex = 1413;   // ERROR_INVALID_INDEX

std::map<HWND, std::unique_ptr<Window>>& windows() {
    static std::map<HWND, std::unique_ptr<Window>> table;
    return table;
}

std::uintptr_t& nextUserHandle() {
    static std::uintptr_t next = 0x10010;
    return next;
}

Window* parentOf(const Window& window) { return emulation::desktop::findWindow(window.parent); }

void unlink(Window& window) {
    if (Window* parent = parentOf(window)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window.handle),
                       siblings.end());
    }
}

// Sends WM_DESTROY to the window and then to its descendants, parents
// before children, while every one of them still exists.
void sendDestroy(HWND handle) {
    emulation::desktop::callProcedure(handle, WM_DESTROY, 0, 0);
    Window* window = emulation::desktop::findWindow(handle);
    if (window == nullptr) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) {
        if (emulation::desktop::findWindow(child) != nullptr) sendDestroy(child);
    }
}

// Sends WM_NCDESTROY children first and frees each window after its own.
void finishDestroy(HWND handle) {
    Window* window = emulation::desktop::findWindow(handle);
    if (window == nullptr) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) finishDestroy(child);
    emulation::desktop::callProcedure(handle, WM_NCDESTROY, 0, 0);
    window = emulation::desktop::findWindow(handle);
    if (window == nullptr) return;
    emulation::desktop::forgetWindowMessages(handle);
    unlink(*window);
    --window->windowClass->windowCount;
    windows().erase(handle);
}

bool textMatches(const std::string& text, LPCSTR wanted) {
    return wanted == nullptr || emulation::desktop::equalNoCase(text, wanted);
}

bool classMatches(const WindowClass& windowClass, LPCSTR wanted) {
    if (wanted == nullptr) return true;
    if (IS_INTRESOURCE(wanted)) {
        return windowClass.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(wanted));
    }
    return emulation::desktop::equalNoCase(windowClass.name, wanted);
}

}  // namespace

namespace emulation::desktop {

void* newUserHandle() {
    void* handle = reinterpret_cast<void*>(nextUserHandle());
    nextUserHandle() += 2;
    return handle;
}

Window* findWindow(HWND handle) {
    if (handle == nullptr) return nullptr;
    auto& table = windows();
    auto it = table.find(handle);
    return it == table.end() ? nullptr : it->second.get();
}

Window* windowOrError(HWND handle) {
    desktop();
    Window* window = findWindow(handle);
    if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

Window& desktop() {
    static HWND handle = nullptr;
    if (handle == nullptr) {
        registerSystemClasses();
        auto window = std::make_unique<Window>();
        handle = static_cast<HWND>(newUserHandle());
        window->handle = handle;
        window->windowClass = findClass("#32769");
        ++window->windowClass->windowCount;
        window->procedure = window->windowClass->procedure;
        window->style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        window->rect = {0, 0, kScreenWidth, kScreenHeight};
        windows()[handle] = std::move(window);
    }
    return *windows()[handle];
}

bool isTopLevel(const Window& window) { return window.parent == desktop().handle; }

LRESULT callProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = findWindow(handle);
    if (window == nullptr || window->hung || window->procedure == nullptr) return 0;
    return window->procedure(handle, message, wParam, lParam);
}

int liveWindowCount() {
    desktop();
    return static_cast<int>(windows().size()) - 1;
}

}  // namespace emulation::desktop

using emulation::desktop::callProcedure;
using emulation::desktop::findWindow;
using emulation::desktop::windowOrError;

HWND GetDesktopWindow() { return emulation::desktop::desktop().handle; }

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    Window& desktopWindow = emulation::desktop::desktop();
    WindowClass* windowClass = emulation::desktop::findClass(className);
    if (windowClass == nullptr || windowClass == desktopWindow.windowClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return nullptr;
    }
    Window* parentWindow = nullptr;
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        if (parent == nullptr) {
            SetLastError(kErrorTopLevelChild);
            return nullptr;
        }
        parentWindow = windowOrError(parent);
        if (parentWindow == nullptr) return nullptr;
    } else {
        // A parent given to a top-level window becomes its owner, which is
        // always a top-level window itself.
        if (parent != nullptr) {
            if (windowOrError(parent) == nullptr) return nullptr;
            owner = GetAncestor(parent, GA_ROOT);
        }
        parentWindow = &desktopWindow;
        // An overlapped window always has a caption.
        if (!(style & WS_POPUP)) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    }
    if (x == CW_USEDEFAULT) x = y = (style & WS_CHILD) ? 0 : 100;
    if (width == CW_USEDEFAULT) {
        width = (style & WS_CHILD) ? 0 : 640;
        height = (style & WS_CHILD) ? 0 : 480;
    }

    auto created = std::make_unique<Window>();
    Window& window = *created;
    window.handle = static_cast<HWND>(emulation::desktop::newUserHandle());
    window.windowClass = windowClass;
    window.parent = parentWindow->handle;
    window.owner = owner;
    window.style = style;
    window.exStyle = exStyle;
    window.rect = {x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)};
    window.procedure = windowClass->procedure;
    window.id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    window.instance = instance;
    window.extraBytes.assign(static_cast<std::size_t>(windowClass->windowExtraBytes), 0);
    HWND handle = window.handle;
    ++windowClass->windowCount;
    windows()[handle] = std::move(created);
    // A new top-level window goes on top of the others; a new child goes
    // below its siblings, so that children keep the order of their creation.
    auto& siblings = parentWindow->children;
    if (style & WS_CHILD) {
        siblings.push_back(handle);
    } else {
        siblings.insert(siblings.begin(), handle);
    }

    CREATESTRUCTA create{};
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(style);
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    LPARAM createParam = reinterpret_cast<LPARAM>(&create);
    if (!callProcedure(handle, WM_NCCREATE, 0, createParam)) {
        finishDestroy(handle);
        return nullptr;
    }
    if (findWindow(handle) == nullptr) return nullptr;
    if (callProcedure(handle, WM_CREATE, 0, createParam) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    return findWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return FALSE;
    if (handle == GetDesktopWindow()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (window->destroying) return TRUE;
    window->destroying = true;
    // Owned windows go first.
    std::vector<HWND> owned;
    for (auto& [other, entry] : windows()) {
        if (entry->owner == handle && !entry->destroying) owned.push_back(other);
    }
    for (HWND other : owned) DestroyWindow(other);
    emulation::desktop::forgetWindowMouseState(handle);
    window = findWindow(handle);
    if (window == nullptr) return TRUE;
    // The window disappears from the screen before it hears of its end.
    window->style &= ~WS_VISIBLE;
    sendDestroy(handle);
    finishDestroy(handle);
    return TRUE;
}

BOOL IsWindow(HWND handle) { return windowOrError(handle) != nullptr ? TRUE : FALSE; }

// ---- The window tree ----------------------------------------------------------

// The parent of a child window, or the owner of a pop-up window.
HWND GetParent(HWND handle) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return nullptr;
    if (window->style & WS_CHILD) return window->parent;
    if (window->style & WS_POPUP) return window->owner;
    return nullptr;
}

HWND GetAncestor(HWND handle, UINT flags) {
    Window* window = windowOrError(handle);
    if (window == nullptr || handle == GetDesktopWindow()) return nullptr;
    switch (flags) {
        case GA_PARENT:
            return window->parent;
        case GA_ROOT:
        case GA_ROOTOWNER: {
            while (!emulation::desktop::isTopLevel(*window)) window = findWindow(window->parent);
            if (flags == GA_ROOTOWNER) {
                while (Window* owner = findWindow(window->owner)) window = owner;
            }
            return window->handle;
        }
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HWND GetWindow(HWND handle, UINT command) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return nullptr;
    if (command == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
    if (command == GW_OWNER) return window->owner;
    Window* parent = parentOf(*window);
    if (parent == nullptr) return nullptr;  // the desktop has no siblings
    const auto& siblings = parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), handle);
    switch (command) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return at + 1 != siblings.end() ? *(at + 1) : nullptr;
        case GW_HWNDPREV:
            return at != siblings.begin() ? *(at - 1) : nullptr;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HWND GetTopWindow(HWND handle) {
    return GetWindow(handle != nullptr ? handle : GetDesktopWindow(), GW_CHILD);
}

BOOL IsChild(HWND parent, HWND handle) {
    Window* window = findWindow(handle);
    if (window == nullptr || !(window->style & WS_CHILD)) return FALSE;
    for (Window* at = window; at != nullptr && (at->style & WS_CHILD); at = parentOf(*at)) {
        if (at->parent == parent) return TRUE;
    }
    return FALSE;
}

// Walks the children of the parent (the top-level windows for a null
// parent) in z-order, after childAfter when given. Class names and window
// texts compare without regard to letter case.
HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    Window* parentWindow = windowOrError(parent != nullptr ? parent : GetDesktopWindow());
    if (parentWindow == nullptr) return nullptr;
    const auto& children = parentWindow->children;
    auto it = children.begin();
    if (childAfter != nullptr) {
        it = std::find(children.begin(), children.end(), childAfter);
        if (it == children.end()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        ++it;
    }
    for (; it != children.end(); ++it) {
        Window* child = findWindow(*it);
        if (child != nullptr && classMatches(*child->windowClass, className) &&
            textMatches(child->text, windowName)) {
            return child->handle;
        }
    }
    SetLastError(ERROR_SUCCESS);
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}

// ---- Window longs ---------------------------------------------------------------

namespace {

bool extraSlot(Window& window, int index, std::size_t size, unsigned char** slot) {
    if (index < 0 || static_cast<std::size_t>(index) + size > window.extraBytes.size()) {
        SetLastError(kErrorInvalidIndex);
        return false;
    }
    *slot = window.extraBytes.data() + index;
    return true;
}

LONG_PTR readLong(Window& window, int index, std::size_t size) {
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(window.procedure);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(window.instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>((window.style & WS_CHILD) ? window.parent
                                                                        : window.owner);
        case GWLP_ID:
            return window.id;
        case GWL_STYLE:
            return static_cast<LONG>(window.style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(window.exStyle);
        case GWLP_USERDATA:
            return window.userData;
        default: {
            unsigned char* slot = nullptr;
            if (!extraSlot(window, index, size, &slot)) return 0;
            if (size == sizeof(LONG)) {
                LONG value;
                std::memcpy(&value, slot, sizeof value);
                return value;
            }
            LONG_PTR value;
            std::memcpy(&value, slot, sizeof value);
            return value;
        }
    }
}

LONG_PTR writeLong(Window& window, int index, LONG_PTR value, std::size_t size) {
    LONG_PTR previous = readLong(window, index, size);
    switch (index) {
        case GWLP_WNDPROC:
            window.procedure = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_HINSTANCE:
            window.instance = reinterpret_cast<HINSTANCE>(value);
            break;
        case GWLP_HWNDPARENT:
            if (!(window.style & WS_CHILD)) window.owner = reinterpret_cast<HWND>(value);
            break;
        case GWLP_ID:
            window.id = value;
            break;
        case GWL_STYLE:
            window.style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            window.exStyle = static_cast<DWORD>(value);
            break;
        case GWLP_USERDATA:
            window.userData = value;
            break;
        default: {
            unsigned char* slot = nullptr;
            if (!extraSlot(window, index, size, &slot)) return 0;
            if (size == sizeof(LONG)) {
                LONG narrow = static_cast<LONG>(value);
                std::memcpy(slot, &narrow, sizeof narrow);
            } else {
                std::memcpy(slot, &value, sizeof value);
            }
        }
    }
    return previous;
}

}  // namespace

LONG_PTR GetWindowLongPtrA(HWND handle, int index) {
    Window* window = windowOrError(handle);
    return window != nullptr ? readLong(*window, index, sizeof(LONG_PTR)) : 0;
}

LONG_PTR SetWindowLongPtrA(HWND handle, int index, LONG_PTR value) {
    Window* window = windowOrError(handle);
    return window != nullptr ? writeLong(*window, index, value, sizeof(LONG_PTR)) : 0;
}

LONG GetWindowLongA(HWND handle, int index) {
    Window* window = windowOrError(handle);
    return window != nullptr ? static_cast<LONG>(readLong(*window, index, sizeof(LONG))) : 0;
}

LONG SetWindowLongA(HWND handle, int index, LONG value) {
    Window* window = windowOrError(handle);
    return window != nullptr ? static_cast<LONG>(writeLong(*window, index, value, sizeof(LONG)))
                             : 0;
}

int GetDlgCtrlID(HWND handle) {
    Window* window = windowOrError(handle);
    return window != nullptr && (window->style & WS_CHILD) ? static_cast<int>(window->id) : 0;
}

HWND GetDlgItem(HWND parent, int id) {
    Window* parentWindow = windowOrError(parent);
    if (parentWindow == nullptr) return nullptr;
    for (HWND child : parentWindow->children) {
        if (findWindow(child)->id == id) return child;
    }
    SetLastError(1421);  // ERROR_CONTROL_ID_NOT_FOUND
    return nullptr;
}

LRESULT CallWindowProcA(WNDPROC procedure, HWND handle, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    return procedure != nullptr ? procedure(handle, message, wParam, lParam) : 0;
}

// ---- Text -------------------------------------------------------------------------

// A hung window stands for another program's window, whose text is read
// without asking it.
BOOL SetWindowTextA(HWND handle, LPCSTR text) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return FALSE;
    if (window->hung) {
        window->text = text != nullptr ? text : "";
        return TRUE;
    }
    return callProcedure(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND handle, LPSTR text, int capacity) {
    Window* window = windowOrError(handle);
    if (window == nullptr || text == nullptr || capacity <= 0) return 0;
    if (window->hung) {
        return static_cast<int>(DefWindowProcA(handle, WM_GETTEXT, static_cast<WPARAM>(capacity),
                                               reinterpret_cast<LPARAM>(text)));
    }
    return static_cast<int>(callProcedure(handle, WM_GETTEXT, static_cast<WPARAM>(capacity),
                                          reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND handle) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return 0;
    if (window->hung) return static_cast<int>(window->text.size());
    return static_cast<int>(callProcedure(handle, WM_GETTEXTLENGTH, 0, 0));
}

// ---- Visible and enabled states -----------------------------------------------------

BOOL ShowWindow(HWND handle, int command) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return FALSE;
    bool wasVisible = (window->style & WS_VISIBLE) != 0;
    bool show = command != SW_HIDE;
    if (show != wasVisible) {
        callProcedure(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (Window* still = findWindow(handle)) {
            still->style = show ? (still->style | WS_VISIBLE) : (still->style & ~WS_VISIBLE);
        }
    }
    return wasVisible ? TRUE : FALSE;
}

// Visible only when the window and every one of its ancestors are.
BOOL IsWindowVisible(HWND handle) {
    Window* window = findWindow(handle);
    if (window == nullptr) return FALSE;
    for (Window* at = window; at != nullptr; at = parentOf(*at)) {
        if (!(at->style & WS_VISIBLE)) return FALSE;
    }
    return TRUE;
}

// Returns whether the window was disabled before.
BOOL EnableWindow(HWND handle, BOOL enable) {
    Window* window = windowOrError(handle);
    if (window == nullptr) return FALSE;
    bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled == (enable != FALSE)) {
        window->style = enable ? (window->style & ~WS_DISABLED) : (window->style | WS_DISABLED);
        if (!enable && GetCapture() == handle) ReleaseCapture();
        callProcedure(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND handle) {
    Window* window = windowOrError(handle);
    return window != nullptr && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND handle, const RECT*, BOOL) {
    return handle == nullptr || windowOrError(handle) != nullptr ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND handle) { return windowOrError(handle) != nullptr ? TRUE : FALSE; }

namespace emulation {
void setWindowHung(HWND handle, bool hung) {
    if (Window* window = findWindow(handle)) window->hung = hung;
}
}  // namespace emulation
