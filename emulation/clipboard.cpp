// The clipboard, shared by every thread of the process. One thread at a
// time holds it open, for one window or none; it opens again for the same
// window on the same thread, and for nobody else. EmptyClipboard makes the
// opening window the owner and frees what the clipboard held: a bitmap is
// deleted, any other data is global memory and is freed.
#include <mutex>
#include <utility>
#include <vector>

#include "emulation/desktop_internal.h"

namespace {

struct Clipboard {
    DWORD openThread = 0;  // 0 while nobody holds it open
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::vector<std::pair<UINT, HANDLE>> items;  // in the order they were set
};

std::mutex clipboardMutex;
Clipboard clipboard;

bool heldByCaller() { return clipboard.openThread == GetCurrentThreadId(); }

void release(UINT format, HANDLE data) {
    if (format == CF_BITMAP) {
        DeleteObject(data);
    } else {
        GlobalFree(data);
    }
}

bool failUnlessHeld() {
    if (heldByCaller()) return false;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return true;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    if (clipboard.openThread != 0) {
        if (heldByCaller() && clipboard.openWindow == owner) return TRUE;
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    clipboard.openThread = GetCurrentThreadId();
    clipboard.openWindow = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    if (failUnlessHeld()) return FALSE;
    clipboard.openThread = 0;
    clipboard.openWindow = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    if (failUnlessHeld()) return FALSE;
    for (auto& [format, data] : clipboard.items) release(format, data);
    clipboard.items.clear();
    clipboard.owner = clipboard.openWindow;
    return TRUE;
}

// The clipboard owns the data from here on and frees it when emptied or
// when data of the same format replaces it.
HANDLE SetClipboardData(UINT format, HANDLE data) {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    if (failUnlessHeld()) return nullptr;
    bool valid = format == CF_BITMAP ? emulation::desktop::isBitmap(data)
                                     : emulation::desktop::isGlobalMemory(data);
    if (!valid) {
        // Rendering on request (null data) is not emulated either.
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    for (auto& [held, previous] : clipboard.items) {
        if (held != format) continue;
        if (previous != data) release(format, previous);
        previous = data;
        return data;
    }
    clipboard.items.emplace_back(format, data);
    return data;
}

HANDLE GetClipboardData(UINT format) {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    if (failUnlessHeld()) return nullptr;
    for (auto& [held, data] : clipboard.items) {
        if (held == format) return data;
    }
    SetLastError(ERROR_SUCCESS);
    return nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    for (auto& [held, data] : clipboard.items) {
        if (held == format) return TRUE;
    }
    return FALSE;
}

int CountClipboardFormats() {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    return static_cast<int>(clipboard.items.size());
}

// The format after the one given, 0 starting the walk and ending it.
UINT EnumClipboardFormats(UINT format) {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    if (failUnlessHeld()) return 0;
    SetLastError(ERROR_SUCCESS);
    bool next = format == 0;
    for (auto& [held, data] : clipboard.items) {
        if (next) return held;
        next = held == format;
    }
    return 0;
}

HWND GetClipboardOwner() {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    return clipboard.owner;
}

HWND GetOpenClipboardWindow() {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    return clipboard.openWindow;
}

namespace emulation::desktop {
int clipboardItemCount() {
    std::lock_guard<std::mutex> lock(clipboardMutex);
    return static_cast<int>(clipboard.items.size());
}
}  // namespace emulation::desktop
