// Host-only hooks into the emulated desktop, for tests and the demo: the
// clock, a window that stops answering, the mouse as a person moves it, and
// the count of live objects that leak checks compare. Nothing here exists
// on Windows; code that builds for both platforms never uses it.
#pragma once

#include <ostream>

#include "emulation/win32_types.h"

namespace emulation {

// ---- The clock ----------------------------------------------------------------
// GetTickCount follows the host's clock until a test sets it. From then on
// it stands still except when advanced, and waits that would sleep move it
// forward instead, so they take no real time. Setting a value near 2^32
// lets a test cross the tick count's wrap.
void setTickCount(DWORD milliseconds);
void advanceClock(DWORD milliseconds);
void useRealClock();

// ---- A window that stops answering -----------------------------------------------
// A hung window stands for a window of another program that no longer
// handles messages: SendMessageTimeoutA to it waits out its time-out and
// fails, SendMessageA to it would wait forever, messages posted to it wait
// until it answers again, mouse input over it goes to that program and is
// lost to this one, and WindowFromPoint finds it without asking it
// anything.
void setWindowHung(HWND window, bool hung);

// ---- The mouse ------------------------------------------------------------------
// Injected as the hardware would: each call queues input on the calling
// thread, routed to a window when the queue hands it out.
void moveMouseTo(int x, int y);
void pressLeftButton();
void releaseLeftButton();
void pressRightButton();
void releaseRightButton();

// ---- Live objects -----------------------------------------------------------------
// What the program has made and not yet destroyed. The desktop window, the
// standard cursors and the memory contexts' default bitmap are not counted.
struct DesktopObjects {
    int windows = 0;
    int cursors = 0;        // cursors and icons made from resource bytes
    int kernelHandles = 0;  // waitable timers
    int globalMemoryBlocks = 0;
    int bitmaps = 0;  // those on the clipboard included
    int deviceContexts = 0;
    int clipboardItems = 0;
    int uncollectedObjects = 0;  // LresultFromObject references not yet collected

    bool operator==(const DesktopObjects&) const = default;
};

DesktopObjects liveDesktopObjects();
std::ostream& operator<<(std::ostream& out, const DesktopObjects& objects);

}  // namespace emulation
