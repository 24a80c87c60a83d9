// The emulated Win32 and COM API subset, for the host build.
#pragma once

#include "emulation/com_base.h"
#include "emulation/exdisp.h"
#include "emulation/gdi32.h"
#include "emulation/kernel32.h"
#include "emulation/oleacc.h"
#include "emulation/oleauto.h"
#include "emulation/user32.h"
#include "emulation/win32_types.h"
