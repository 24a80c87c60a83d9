// The emulated desktop's own state, shared by the files that implement the
// user interface API. Internal to the emulation: nothing outside emulation/
// includes it.
//
// All windows live on the thread that created them; the emulation expects
// one GUI thread and does not lock the window table. A window made "hung" by
// a test stands for a window of another program that has stopped answering:
// it is sent no messages, and its posted messages wait.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "emulation/user32.h"

namespace emulation::desktop {

// ---- Handles and atoms -----------------------------------------------------

// Windows, cursors and icons share one table of handles, as on Windows:
// small even numbers from 0x10010 up, never reused.
void* newUserHandle();

// The atom table that window classes and registered messages share, from
// 0xC000 up. Names compare without regard to ASCII letter case.
ATOM addAtom(std::string_view name);
ATOM findAtom(std::string_view name);
std::string atomName(ATOM atom);

// ASCII case-insensitive equality that leaves the trail byte of a
// double-byte character alone.
bool equalNoCase(std::string_view a, std::string_view b);

// ---- Classes ----------------------------------------------------------------

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    int windowCount = 0;
};

// The class a window is created from: by name or by atom (MAKEINTATOM).
WindowClass* findClass(LPCSTR nameOrAtom);
// The standard classes ("Edit", "Static" and the desktop's "#32769"), made
// on first use.
void registerSystemClasses();

// ---- Windows ----------------------------------------------------------------

struct Window {
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    HWND parent = nullptr;  // the desktop for a top-level window
    HWND owner = nullptr;
    std::vector<HWND> children;  // in z-order, topmost first
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // in the parent's client coordinates
    std::string text;
    WNDPROC procedure = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    std::vector<unsigned char> extraBytes;
    bool destroying = false;
    bool hung = false;
};

// A live window, or null. The desktop window is found too.
Window* findWindow(HWND window);
// As findWindow, and sets ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* windowOrError(HWND window);
Window& desktop();
bool isTopLevel(const Window& window);

// Calls the window's procedure. A hung window answers nothing: 0.
LRESULT callProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window and client rectangles in screen coordinates.
RECT windowScreenRect(const Window& window);
RECT clientScreenRect(const Window& window);

// The window under a screen point and its hit-test code, as the mouse finds
// it: null when the point is over no window of the desktop.
HWND windowAtPoint(POINT point, LRESULT* hitTest);
// What DefWindowProc answers to WM_NCHITTEST for a screen point.
LRESULT hitTestFrame(const Window& window, POINT point);

int liveWindowCount();

// ---- Queue, mouse and cursors ---------------------------------------------

// Queues a mouse event of the calling thread at the cursor's position.
void queueMouseInput(UINT message, POINT point, WPARAM keyState);
// Drops what waits for a window that is going away.
void forgetWindowMessages(HWND window);
void forgetWindowMouseState(HWND window);
// Capture, as the queue needs it to route mouse messages.
HWND captureWindow();

// Cursor sizes for the controls that show one.
bool cursorSize(HCURSOR cursor, int* width, int* height);
int liveCursorCount();

// ---- Other tables -----------------------------------------------------------

bool isGlobalMemory(HGLOBAL memory);
int globalMemoryBlockCount();
bool isBitmap(HGDIOBJ object);
bool bitmapSize(HBITMAP bitmap, int* width, int* height);
int liveBitmapCount();
int liveDeviceContextCount();
int clipboardItemCount();
int pendingObjectResultCount();
void releaseUncollectedObjectsIfApartmentEnded();

// The emulated display.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

}  // namespace emulation::desktop
