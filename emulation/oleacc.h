// Accessibility services of the emulated API: the pair through which a
// window hands an object to whoever sent it a message.
#pragma once

#include "emulation/com_base.h"
#include "emulation/win32_types.h"

#ifndef CO_E_NOTINITIALIZED
#define CO_E_NOTINITIALIZED MAKE_HRESULT_CODE(0x800401F0u)
#endif

// Called by a window procedure answering a message: holds one reference to
// the object's riid interface and returns a positive number that stands for
// it (or a failure code, negative). ObjectFromLresult with that number
// hands the interface over once; a second call with it fails.
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object);
HRESULT ObjectFromLresult(LRESULT result, REFIID riid, WPARAM wParam, void** object);
