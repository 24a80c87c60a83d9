#include "runtime/system_services.h"

#include "platform/win32.h"

std::int32_t uptimeMilliseconds() { return static_cast<std::int32_t>(GetTickCount()); }

void processEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
