// The atom table, window classes and the standard classes' registration.
#include <cstring>
#include <map>
#include <memory>

#include "emulation/desktop_internal.h"

namespace emulation::desktop {
LRESULT CALLBACK editProcedure(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK staticProcedure(HWND, UINT, WPARAM, LPARAM);
}  // namespace emulation::desktop

namespace {

using emulation::desktop::WindowClass;

constexpr ATOM kFirstAtom = 0xC000;

std::vector<std::string>& atoms() {
    static std::vector<std::string> names;
    return names;
}

std::vector<std::unique_ptr<WindowClass>>& classes() {
    static std::vector<std::unique_ptr<WindowClass>> registered;
    return registered;
}

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

WindowClass* classByName(std::string_view name) {
    for (auto& windowClass : classes()) {
        if (emulation::desktop::equalNoCase(windowClass->name, name)) return windowClass.get();
    }
    return nullptr;
}

ATOM addClass(const WindowClass& description) {
    if (description.name.empty() || description.procedure == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (classByName(description.name) != nullptr) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto windowClass = std::make_unique<WindowClass>(description);
    windowClass->atom = emulation::desktop::addAtom(description.name);
    windowClass->windowCount = 0;
    ATOM atom = windowClass->atom;
    classes().push_back(std::move(windowClass));
    return atom;
}

}  // namespace

namespace emulation::desktop {

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(a[i]);
        if (c >= 0x81 && c != 0xFF && i + 1 < a.size()) {
            // A lead byte: both bytes of the character must match exactly.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (foldAscii(a[i]) != foldAscii(b[i])) return false;
    }
    return true;
}

ATOM findAtom(std::string_view name) {
    auto& names = atoms();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (equalNoCase(names[i], name)) return static_cast<ATOM>(kFirstAtom + i);
    }
    return 0;
}

ATOM addAtom(std::string_view name) {
    ATOM atom = findAtom(name);
    if (atom != 0) return atom;
    atoms().emplace_back(name);
    return static_cast<ATOM>(kFirstAtom + atoms().size() - 1);
}

std::string atomName(ATOM atom) {
    if (atom < kFirstAtom || atom - kFirstAtom >= static_cast<int>(atoms().size())) return {};
    return atoms()[atom - kFirstAtom];
}

WindowClass* findClass(LPCSTR nameOrAtom) {
    registerSystemClasses();
    if (nameOrAtom == nullptr) return nullptr;
    if (IS_INTRESOURCE(nameOrAtom)) {
        ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
        for (auto& windowClass : classes()) {
            if (windowClass->atom == atom) return windowClass.get();
        }
        return nullptr;
    }
    return classByName(nameOrAtom);
}

void registerSystemClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    // Windows keeps the standard classes under these spellings; GetClassNameA
    // answers them so.
    WindowClass edit;
    edit.name = "Edit";
    edit.procedure = editProcedure;
    edit.windowExtraBytes = 2 * sizeof(LONG_PTR);
    edit.cursor = LoadCursorA(nullptr, IDC_IBEAM);
    addClass(edit);
    WindowClass label;
    label.name = "Static";
    label.procedure = staticProcedure;
    label.windowExtraBytes = 2 * sizeof(LONG_PTR);
    label.cursor = LoadCursorA(nullptr, IDC_ARROW);
    addClass(label);
    WindowClass desktopClass;
    desktopClass.name = "#32769";
    desktopClass.procedure = DefWindowProcA;
    desktopClass.cursor = LoadCursorA(nullptr, IDC_ARROW);
    addClass(desktopClass);
}

}  // namespace emulation::desktop

ATOM RegisterClassExA(const WNDCLASSEXA* description) {
    emulation::desktop::registerSystemClasses();
    if (description == nullptr || description->cbSize != sizeof(WNDCLASSEXA) ||
        description->lpszClassName == nullptr || description->cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowClass windowClass;
    windowClass.name = IS_INTRESOURCE(description->lpszClassName)
                           ? emulation::desktop::atomName(static_cast<ATOM>(
                                 reinterpret_cast<ULONG_PTR>(description->lpszClassName)))
                           : std::string(description->lpszClassName);
    windowClass.style = description->style;
    windowClass.procedure = description->lpfnWndProc;
    windowClass.windowExtraBytes = description->cbWndExtra;
    windowClass.instance = description->hInstance;
    windowClass.cursor = description->hCursor;
    return addClass(windowClass);
}

ATOM RegisterClassA(const WNDCLASSA* description) {
    if (description == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA extended{};
    extended.cbSize = sizeof extended;
    extended.style = description->style;
    extended.lpfnWndProc = description->lpfnWndProc;
    extended.cbClsExtra = description->cbClsExtra;
    extended.cbWndExtra = description->cbWndExtra;
    extended.hInstance = description->hInstance;
    extended.hIcon = description->hIcon;
    extended.hCursor = description->hCursor;
    extended.hbrBackground = description->hbrBackground;
    extended.lpszMenuName = description->lpszMenuName;
    extended.lpszClassName = description->lpszClassName;
    return RegisterClassExA(&extended);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    WindowClass* windowClass = emulation::desktop::findClass(className);
    if (windowClass == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (windowClass->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    auto& registered = classes();
    for (auto it = registered.begin(); it != registered.end(); ++it) {
        if (it->get() == windowClass) {
            registered.erase(it);
            break;
        }
    }
    return TRUE;
}

// Copies at most capacity - 1 bytes and a terminating zero, and returns the
// bytes copied; a capacity of 0 writes nothing.
int GetClassNameA(HWND window, LPSTR className, int capacity) {
    emulation::desktop::Window* found = emulation::desktop::windowOrError(window);
    if (found == nullptr || className == nullptr || capacity <= 0) return 0;
    const std::string& name = found->windowClass->name;
    std::size_t copied = name.size() < static_cast<std::size_t>(capacity - 1)
                             ? name.size()
                             : static_cast<std::size_t>(capacity - 1);
    std::memcpy(className, name.data(), copied);
    className[copied] = '\0';
    return static_cast<int>(copied);
}

UINT RegisterWindowMessageA(LPCSTR name) {
    if (name == nullptr || *name == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return emulation::desktop::addAtom(name);
}
