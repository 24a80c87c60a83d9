// The emulated kernel's handle table and the wait shared by
// WaitForSingleObject and MsgWaitForMultipleObjects. Internal to the
// emulation.
#pragma once

#include <functional>

#include "emulation/kernel32.h"

namespace emulation::kernel {

// Waits until one of the objects is signalled (all of them when waitAll),
// until inputArrived() answers true, or until the time-out, on the emulated
// clock. Returns WAIT_OBJECT_0 + index, WAIT_OBJECT_0 + count for input,
// WAIT_TIMEOUT or WAIT_FAILED. Nothing but the clock can change an object's
// state here, so when no object will ever be signalled and the wait has no
// time-out, the wait could never end: the emulation then stops the process
// with a message rather than hang.
DWORD wait(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
           const std::function<bool()>& inputArrived);

// Open handles of the table, for the leak checks of tests.
int openHandleCount();

}  // namespace emulation::kernel
