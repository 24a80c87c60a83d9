// The emulated Win32 API subset, for the host build.
#pragma once

#include "emulation/kernel32.h"
#include "emulation/user32.h"
#include "emulation/win32_types.h"
