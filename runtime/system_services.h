// The system services the program uses beside text and arrays.
#pragma once

#include <cstdint>

// Milliseconds since the system started, as GetTickCount; wraps after about
// 49.7 days.
std::int32_t uptimeMilliseconds();

// Dispatches every message waiting in the calling thread's queue, then
// returns. Stops early, leaving it queued, when the next message is WM_QUIT,
// so that the message loop still sees it. Handlers of the thread's windows
// run inside this call.
void processEvents();
