// The one include that gives the Win32 and COM API subset Vexaro uses: the
// system headers on Windows, our own emulation everywhere else.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// These need windows.h first. exdisp.h gives the web browser interfaces,
// shlguid.h SID_SWebBrowserApp (the service a page host hands its browser out
// under), oleacc.h LresultFromObject and ObjectFromLresult.
#include <exdisp.h>
#include <ole2.h>
#include <oleacc.h>
#include <oleauto.h>
#include <servprov.h>
#include <shlguid.h>
#else
#include "emulation/win32_api.h"
#endif
